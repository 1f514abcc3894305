// korva-cli verbas exportar|importar: the exchange document of the pay-item
// catalogue (Rendimen.DB and Reflexos.DB of the private database).
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "parameters/TrocaVerbas.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "util/DocumentoJson.h"
#include "util/Erros.h"

namespace korva::cli {

void RegistraVerbas(CLI::App& app, Contexto& ctx) {
    auto* verbas = app.add_subcommand("verbas", "Catálogo de verbas e reflexos: exportação e importação em JSON");
    verbas->require_subcommand(1);

    auto destino = std::make_shared<std::string>();
    auto* exp = verbas->add_subcommand("exportar", "Escreve o documento JSON das verbas e dos seus reflexos");
    exp->add_option("ARQ", *destino, "Arquivo de destino (sem ele, a saída padrão)");
    exp->callback([&ctx, destino] {
        Sessao sessao(ctx.ambiente());
        const std::string texto = ExportaVerbas(sessao.privado()).dump(2);
        if (destino->empty()) {
            std::cout << texto << "\n";
            return;
        }
        std::ofstream out(*destino, std::ios::binary | std::ios::trunc);
        out << texto << "\n";
        out.close();
        if (!out) throw ErroES("Não foi possível gravar o arquivo " + *destino + ".");
    });

    auto origem = std::make_shared<std::string>();
    auto* imp = verbas->add_subcommand(
        "importar", "Substitui as verbas do usuário e os reflexos pelos do documento JSON (tudo ou nada)");
    imp->add_option("ARQ", *origem, "Documento JSON das verbas")->required();
    imp->callback([&ctx, origem] {
        const nlohmann::json doc = LeArquivoJson(*origem);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        const VerbasImportadas r = ImportaVerbas(sessao.privado(), referencia, doc);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Usuario", r.usuario}, {"Sistema", r.sistema}, {"Reflexos", r.reflexos}}.dump(2)
                      << "\n";
            return;
        }
        std::cout << r.usuario << " verba(s) do usuário, " << r.sistema << " verba(s) do sistema e " << r.reflexos
                  << " reflexo(s) importados.\n";
    });
}

}  // namespace korva::cli
