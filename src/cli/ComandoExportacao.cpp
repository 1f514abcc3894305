// korva-cli tabelas exportar|importar GRUPO DIR: the official reference tables
// copied to an exchange folder and loaded back from one.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "reference/ExportaImporta.h"
#include "storage/Banco.h"

namespace korva::cli {
namespace {

std::string ListaGrupos() {
    std::string r;
    for (const auto& g : GruposTabelas()) {
        if (!r.empty()) r += ", ";
        r += g.nomeCurto + " (" + g.titulo + ")";
    }
    return r;
}

CLI::Validator ValidaGrupo() {
    return CLI::Validator(
        [](std::string& texto) -> std::string {
            if (GrupoPorNome(texto)) return {};
            return "Grupo de tabelas desconhecido: " + texto + ". Use um de: " + ListaGrupos() + ".";
        },
        "GRUPO");
}

void Registra(CLI::App& tabelas, Contexto& ctx, AcaoExpImp acao) {
    struct Argumentos {
        std::string grupo;
        std::string pasta;
    };
    auto args = std::make_shared<Argumentos>();
    const bool exporta = acao == AcaoExpImp::Exportar;
    auto* cmd = tabelas.add_subcommand(
        exporta ? "exportar" : "importar",
        exporta ? "Exporta um grupo de tabelas oficiais para uma pasta (substitui as tabelas de mesmo nome lá)"
                : "Importa um grupo de tabelas oficiais de uma pasta, substituindo todas as linhas das tabelas "
                  "compartilhadas do grupo (tudo ou nada)");
    cmd->add_option("GRUPO", args->grupo, "Grupo de tabelas: " + ListaGrupos())->required()->check(ValidaGrupo());
    cmd->add_option("DIR", args->pasta, exporta ? "Pasta de destino (deve existir)" : "Pasta de origem")->required();
    cmd->callback([&ctx, args, acao, exporta] {
        Sessao sessao(ctx.ambiente());
        ExpImp dialogo(sessao.compartilhado());
        dialogo.defineAcao(acao);
        dialogo.defineGrupo(*GrupoPorNome(args->grupo));
        dialogo.definePasta(args->pasta);
        const auto copiadas = dialogo.executa();
        const auto& grupo = DescricaoDoGrupo(dialogo.grupo());
        if (ctx.json) {
            nlohmann::json tabelasJson = nlohmann::json::array();
            for (const auto& t : copiadas) tabelasJson.push_back({{"tabela", t.tabela}, {"registros", t.linhas}});
            nlohmann::json j = {{"acao", exporta ? "exportar" : "importar"},
                                {"grupo", grupo.nomeCurto},
                                {"titulo", grupo.titulo},
                                {"pasta", ExpImp::PastaDoTexto(args->pasta).string()},
                                {"tabelas", tabelasJson}};
            std::cout << j.dump(2) << "\n";
            return;
        }
        for (const auto& t : copiadas)
            std::cout << t.tabela << ": " << t.linhas << (exporta ? " registro(s) exportado(s)\n" : " registro(s) importado(s)\n");
        std::cout << (exporta ? "Exportação" : "Importação") << " de " << grupo.titulo << " concluída.\n";
    });
}

}  // namespace

void RegistraExportacao(CLI::App& tabelas, Contexto& ctx) {
    Registra(tabelas, ctx, AcaoExpImp::Exportar);
    Registra(tabelas, ctx, AcaoExpImp::Importar);
}

}  // namespace korva::cli
