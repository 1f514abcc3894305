// "remessa PROCESSO GRUPO": writes the social-security remittance file of a
// calculation. The user asks for it by name, so it is written whatever the
// setting "Gerar Arquivo para o INSS" says.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "results/ExecucaoCalculo.h"
#include "results/RemessaINSS.h"
#include "storage/Banco.h"

namespace korva::cli {

void RegistraRemessa(CLI::App& app, Contexto& ctx) {
    auto chave = std::make_shared<Chave>();
    auto* cmd = app.add_subcommand("remessa", "Gera o arquivo de remessa ao INSS do cálculo");
    OpcoesChave(cmd, *chave);
    cmd->callback([&ctx, chave] {
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p = ParametrosDoProcesso(sessao.privado(), Maiusculo(chave->processo), chave->grupo);
        const auto& cfg = sessao.configuracoes();
        const auto pasta = PastaRemessa(cfg.diretorioINSS, sessao.privado().pasta());
        const int registros = GravaRemessa(sessao.privado(), p.processo, p.codRecte, p.diretorio, p.arquivo, pasta,
                                           cfg.periodoManutencaoArquivos);
        const auto arquivo = pasta / NomeArquivoRemessa(p.processo, p.codRecte);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Arquivo", arquivo.string()}, {"Registros", registros}}.dump(2) << "\n";
            return;
        }
        std::cout << arquivo.string() << "\n" << registros << " registro(s)\n";
        if (registros > 0) std::cout << kRemessaGerada << "\n";
    });
}

}  // namespace korva::cli
