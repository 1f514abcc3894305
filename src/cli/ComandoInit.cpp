// korva-cli init: creates the private and shared databases of a first start.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"

namespace korva::cli {

void RegistraInit(CLI::App& app, Contexto& ctx) {
    auto* cmd = app.add_subcommand("init", "Cria os bancos de dados privado e compartilhado (primeira partida)");
    cmd->callback([&ctx] {
        const Ambiente amb = ctx.ambiente();
        const bool criou = Sessao::PrimeiraPartida(amb);
        Sessao sessao(amb);
        const auto privado = sessao.privado().pasta().string();
        const auto compartilhado = sessao.compartilhado().pasta().string();
        if (ctx.json) {
            nlohmann::json j = {{"criado", criou},
                                {"aliases", amb.arquivoAliases().string()},
                                {"CalcPriv", privado},
                                {"CalcShare", compartilhado}};
            std::cout << j.dump(2) << "\n";
            return;
        }
        std::cout << (criou ? "Bancos de dados criados.\n" : "Os bancos de dados já existiam.\n")
                  << "Arquivo de aliases: " << amb.arquivoAliases().string() << "\n"
                  << "Banco privado (CalcPriv): " << privado << "\n"
                  << "Banco compartilhado (CalcShare): " << compartilhado << "\n";
    });
}

}  // namespace korva::cli
