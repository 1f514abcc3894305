// "calcular": the monthly calculation of a calculation's month grid.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "parameters/CalculoMensal.h"
#include "reference/TabelasReferencia.h"
#include "register/TrocaCalculo.h"
#include "results/CorrecaoJuros.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"

namespace korva::cli {

void RegistraCalcular(CLI::App& app, Contexto& ctx) {
    auto chave = std::make_shared<Chave>();
    auto* cmd = app.add_subcommand("calcular", "Efetua o cálculo mês a mês (valores de todas as linhas de B)");
    OpcoesChave(cmd, *chave);
    cmd->callback([&ctx, chave] {
        Sessao sessao(ctx.ambiente());
        Tabela p(sessao.privado(), "Processo.DB");
        p.abre(ModoAbertura::SomenteLeitura);
        if (!LocalizaCalculo(p, Maiusculo(chave->processo), chave->grupo)) throw ErroKorva(NaoEncontrado(*chave));
        const int diretorio = static_cast<int>(p.valor("Diretorio").comoInteiro());
        const int arquivo = static_cast<int>(p.valor("Arquivo").comoInteiro());
        const std::string tabelaB = ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'B');
        if (!sessao.privado().existe(tabelaB)) throw ErroKorva("O cálculo não tem parâmetros mês a mês.");
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        CalculoMensal calculo(sessao.privado(), referencia, tabelaB,
                              ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'I'), OpcoesCalculoMensalDe(p),
                              [&](int cod, Data de, Data ate) { return correcao.FatorIndiceDiario(cod, de, ate); });
        const ResultadoCalculoMensal r = calculo.Calcula();
        const auto segundos = std::chrono::duration<double>(r.tempo).count();
        if (ctx.json) {
            std::cout << nlohmann::json{{"linhas", r.linhas}, {"varreduras", r.varreduras}, {"segundos", segundos}}
                             .dump(2)
                      << "\n";
            return;
        }
        std::cout << TextoTempoCalculo(std::chrono::duration_cast<std::chrono::nanoseconds>(r.tempo)) << " ("
                  << segundos << " s)\n"
                  << r.linhas << " linha(s) calculada(s).\n";
    });
}

}  // namespace korva::cli
