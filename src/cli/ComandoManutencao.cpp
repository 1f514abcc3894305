// korva-cli backup criar|restaurar ALIAS PASTA and korva-cli verificar ALIAS
// [--reparar]: the backup dialog's operations and the repair dialog's log.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "cli/Contexto.h"
#include "maintenance/CopiaSeguranca.h"
#include "maintenance/ReparaBD.h"
#include "storage/Aliases.h"
#include "util/Erros.h"

namespace korva::cli {
namespace {

// The folder of a database alias, from the alias file.
std::filesystem::path PastaDoAlias(const Contexto& ctx, const std::string& alias) {
    const auto arquivo = ctx.ambiente().arquivoAliases();
    std::error_code ec;
    if (!std::filesystem::exists(arquivo, ec))
        throw ErroKorva("Arquivo de aliases não encontrado: " + arquivo.string() +
                        ". Crie os bancos de dados com korva-cli init.");
    ArquivoAliases aliases(arquivo);
    return aliases.caminho(alias);
}

CLI::Option* OpcaoAlias(CLI::App* cmd, std::string& alias) {
    return cmd->add_option("BANCO", alias, "Banco de dados: CalcPriv (privado) ou CalcShare (compartilhado)")
        ->required()
        ->transform(CLI::IsMember({"CalcPriv", "CalcShare"}, CLI::ignore_case));
}

void RegistraCopia(CLI::App& backup, Contexto& ctx, OperacaoCopia operacao) {
    struct Argumentos {
        std::string alias;
        std::string pasta;
        bool detalhes = false;
    };
    auto a = std::make_shared<Argumentos>();
    const bool criar = operacao == OperacaoCopia::Backup;
    auto* cmd = backup.add_subcommand(
        criar ? "criar" : "restaurar",
        criar ? "Copia todas as tabelas do banco de dados (e, no privado, as pastas de cálculos) para a pasta"
              : "Restaura as tabelas de uma cópia de segurança sobre o banco de dados (tudo ou nada)");
    OpcaoAlias(cmd, a->alias);
    cmd->add_option("PASTA", a->pasta, criar ? "Pasta de destino (criada se não existir)" : "Pasta da cópia de segurança")
        ->required();
    cmd->add_flag("--detalhes", a->detalhes, "Mostra as linhas \"De:\" e \"Para: \" de cada tabela");
    cmd->callback([&ctx, a, operacao, criar] {
        OpcoesCopia op;
        if (a->detalhes && !ctx.json)
            op.progresso = [](const PassoCopia& p) {
                std::cout << LinhaDe(p.de) << "\n" << LinhaPara(p.para) << "\n";
            };
        const auto pastaBanco = PastaDoAlias(ctx, a->alias);
        const ResultadoCopia r =
            ExecutaCopiaSeguranca(operacao, a->alias, pastaBanco, std::filesystem::absolute(a->pasta), op);
        if (ctx.json) {
            nlohmann::json j = {{"operacao", criar ? "criar" : "restaurar"},
                                {"banco", a->alias},
                                {"pastaBanco", pastaBanco.string()},
                                {"pasta", a->pasta},
                                {"tabelas", r.tabelas},
                                {"pastasCalculo", r.pastas},
                                {"ignoradas", r.ignoradas},
                                {"mensagem", r.mensagem}};
            std::cout << j.dump(2) << "\n";
            return;
        }
        std::cout << r.tabelas << " tabela(s) copiada(s)";
        if (!r.pastas.empty()) std::cout << ", " << r.pastas.size() << " pasta(s) de cálculos";
        std::cout << ".\n";
        for (const auto& t : r.ignoradas) std::cout << "Tabela ignorada: " << t << "\n";
        std::cout << r.mensagem << "\n";
    });
}

}  // namespace

void RegistraManutencao(CLI::App& app, Contexto& ctx) {
    auto* backup = app.add_subcommand("backup", "Cópia de segurança e restauração de um banco de dados");
    backup->require_subcommand(1);
    RegistraCopia(*backup, ctx, OperacaoCopia::Backup);
    RegistraCopia(*backup, ctx, OperacaoCopia::Restauracao);

    struct Argumentos {
        std::string alias;
        bool repara = false;
    };
    auto a = std::make_shared<Argumentos>();
    auto* cmd = app.add_subcommand(
        "verificar", "Verifica a integridade de todas as tabelas do banco de dados (e repara as danificadas)");
    OpcaoAlias(cmd, a->alias);
    cmd->add_flag("--reparar", a->repara, "Reconstrói as tabelas danificadas");
    cmd->callback([&ctx, a] {
        const auto pasta = PastaDoAlias(ctx, a->alias);
        nlohmann::json linhas = nlohmann::json::array();
        LinhaLog linha = [&](const std::string& l) {
            if (ctx.json) linhas.push_back(l);
            else std::cout << l << "\n" << std::flush;
        };
        const ResumoVerificacao r = VerificaBancoDeDados(a->alias, pasta, a->repara, linha);
        if (ctx.json) {
            nlohmann::json j = {{"banco", a->alias},          {"pasta", pasta.string()},
                                {"linhas", linhas},           {"verificadas", r.verificadas},
                                {"integras", r.integras},     {"danificadas", r.danificadas},
                                {"reparadas", r.reparadas},   {"falhas", r.falhas},
                                {"naoVerificadas", r.naoVerificadas}, {"semProblemas", r.semProblemas()}};
            std::cout << j.dump(2) << "\n";
        }
        // Damaged tables left, failed rebuilds or tables not verified: the exit code says so.
        if (!r.semProblemas()) throw CLI::RuntimeError(1);
    });
}

}  // namespace korva::cli
