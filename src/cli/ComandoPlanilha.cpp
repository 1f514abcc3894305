// "planilha PROCESSO GRUPO --saida ARQ.xlsx" (the workbook of a calculated
// grid) and "prorrata planilha CODIGO --saida ARQ.xlsx" (the workbook of a
// pro-rata statement).
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "spreadsheets/PlanilhaCalculo.h"
#include "spreadsheets/PlanilhaProrrata.h"
#include "storage/Banco.h"

namespace korva::cli {

void RegistraPlanilha(CLI::App& app, Contexto& ctx) {
    struct Opcoes {
        Chave chave;
        std::string saida;
    };
    auto o = std::make_shared<Opcoes>();
    auto* cmd = app.add_subcommand("planilha", "Grava o cálculo mês a mês, o resumo, o INSS e o IR numa planilha .xlsx");
    OpcoesChave(cmd, o->chave);
    cmd->add_option("--saida", o->saida, "Arquivo .xlsx")->required();
    cmd->callback([&ctx, o] {
        VerificaNomePlanilha(o->saida);  // a bad name is refused before anything runs
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p =
            ParametrosDoProcesso(sessao.privado(), Maiusculo(o->chave.processo), o->chave.grupo);
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        const ExportacaoCalculo r = ExportaPlanilhaCalculo(sessao.privado(), referencia, correcao, p, o->saida);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Arquivo", o->saida}, {"Linhas", r.linhas}, {"Meses", r.meses},
                                        {"Avisos", r.avisos}}
                             .dump(2)
                      << "\n";
            return;
        }
        std::cout << MsgPlanilhaGravada(o->saida, r.linhas) << "\n";
        for (const auto& a : r.avisos) std::cout << a << "\n";
    });
}

void RegistraProrrataPlanilha(CLI::App& prorrata, Contexto& ctx) {
    struct Opcoes {
        int codigo = 0;
        std::string saida;
    };
    auto o = std::make_shared<Opcoes>();
    auto* cmd = prorrata.add_subcommand("planilha", "Grava o extrato da atualização prorrata numa planilha .xlsx");
    cmd->add_option("CODIGO", o->codigo, "Código do registro prorrata")->required();
    cmd->add_option("--saida", o->saida, "Arquivo .xlsx")->required();
    cmd->callback([&ctx, o] {
        VerificaNomePlanilha(o->saida);
        Sessao sessao(ctx.ambiente());
        const ExportacaoProrrata r = ExportaPlanilhaProrrata(sessao, o->codigo, o->saida);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Arquivo", o->saida}, {"Linhas", r.linhas}, {"Total", r.total}}.dump(2)
                      << "\n";
            return;
        }
        std::cout << "Planilha gravada em " << o->saida << " (" << r.linhas << " linha(s)).\n";
    });
}

}  // namespace korva::cli
