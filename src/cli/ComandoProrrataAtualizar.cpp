// "prorrata atualizar CODIGO [--data-impressao DD/MM/AAAA] [--saida ARQ]": the
// update statement of a pro-rata record, as a summary, as its figures
// (--json) or written to a PDF or text file.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "cli/SaidaRelatorio.h"
#include "prorata/ExtratoProrrata.h"
#include "prorata/RelatorioProrrata.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/SimboloMoeda.h"
#include "util/Literais.h"

namespace korva::cli {

namespace {

struct OpcoesAtualizar {
    int codigo = 0;
    std::string impressao;
    std::string saida;
};

nlohmann::json JsonExtrato(const ExtratoProrrata& e) {
    using nlohmann::json;
    json parcelas = json::array();
    for (const ParcelaExtrato& p : e.parcelas)
        parcelas.push_back({{"Data", p.data.dma()},
                            {"Valor", p.valor},
                            {"SaldoPrincipal", p.saldoPrincipal},
                            {"SaldoJuros", p.saldoJuros},
                            {"Fator", p.fator},
                            {"PrincipalAtualizado", p.principalAtualizado},
                            {"JurosAtualizados", p.jurosAtualizados},
                            {"Juros", p.juros},
                            {"ValorJuros", p.valorJuros},
                            {"Total", p.total}});
    json acrescimos = json::array();
    for (const AcrescimoExtrato& a : e.acrescimos)
        acrescimos.push_back(
            {{"Descricao", a.descricao}, {"Valor", a.valor}, {"Formula", a.formula}, {"Totalizar", a.totalizar}});
    json fgts = nullptr;
    if (e.fgts) fgts = {{"Fator", e.fgts->fator}, {"Juros", e.fgts->juros}, {"Valor", e.fgts->valor}};
    return {{"s", e.s.dma()}, {"f0", e.f0},          {"P", e.P},
            {"W", e.W},       {"i0", e.i0},          {"E0", e.E0},
            {"TotalAbertura", e.totalAbertura},      {"parcelas", std::move(parcelas)},
            {"FGTS", std::move(fgts)},               {"acrescimos", std::move(acrescimos)},
            {"Total", e.total}};
}

}  // namespace

void RegistraProrrataAtualizar(CLI::App& prorrata, Contexto& ctx) {
    auto o = std::make_shared<OpcoesAtualizar>();
    auto* cmd = prorrata.add_subcommand(
        "atualizar", "Atualiza um registro prorrata até a data final: resumo, valores (--json) ou extrato em PDF/texto");
    cmd->add_option("CODIGO", o->codigo, "Código do registro")->required();
    cmd->add_option("--data-impressao", o->impressao, "Data impressa no extrato (DD/MM/AAAA; sem ela, hoje)");
    cmd->add_option("--saida", o->saida, "Arquivo .pdf ou .txt do extrato");
    cmd->callback([&ctx, o] {
        // A bad file name or date is refused before anything is read.
        std::unique_ptr<SaidaRelatorio> saida;
        if (!o->saida.empty()) saida = std::make_unique<SaidaRelatorio>(o->saida);
        const Data impressao = o->impressao.empty() ? Data::hoje() : Data::deDMA(o->impressao);

        Sessao sessao(ctx.ambiente());
        const DadosProrrata dados = LeDadosProrrata(sessao.privado(), o->codigo);
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros cj(sessao.privado(), referencia);
        const ExtratoProrrata e = CalculaExtrato(dados, cj);

        int paginas = 0;
        if (saida)
            paginas = saida->grava(
                DiagramaProrrata(dados, e, CabecalhoDeProrrata(sessao.configuracoes(), impressao), saida->medidor()),
                kTituloExtratoProrrata);

        if (ctx.json) {
            std::cout << JsonExtrato(e).dump(2) << "\n";
            return;
        }
        if (saida) {
            std::cout << paginas << " página(s) gravada(s) em " << saida->arquivo().string() << "\n";
            return;
        }
        std::cout << "Processo: " << dados.processo << "  Grupo: " << Literais::ZerosEsquerdaInt(dados.codRecte, 3)
                  << "\n"
                  << "Parcelas pagas: " << e.parcelas.size() << "\n"
                  << "Valores Atualizados até: " << dados.dtFinal.dma() << "\n"
                  << "TOTAL: " << SimboloMoeda(dados.dtFinal) << ValorExtrato(e.total) << "\n";
    });
}

}  // namespace korva::cli
