// Time cards: generating 10 years of daily cards (3,653 cards, weekends
// included, holidays looked up) into an empty card table and over the cards
// already there. Target: under 500 ms.
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/GeracaoCartoes.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

// A calculation folder with an empty card table and a holiday table of the span.
struct BasePonto {
    Pasta priv, comp;
    Banco banco{"CalcPriv", priv.p};
    Banco compartilhado{"CalcComp", comp.p};
    ConjuntoCalculo conjunto{banco, [] { return 100; }};
    std::string tabelaG;

    BasePonto() {
        conjunto.defineAtual(1, 1);
        conjunto.CriaSubDiretorio(1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', 1), 6);
        tabelaG = conjunto.NomeTabela('G');
        compartilhado.criaTabela("FeriadosPadrao.db", *EsquemaCompartilhado("FeriadosPadrao.db"));
        Tabela f(compartilhado, "FeriadosPadrao.db");
        f.abre();
        Transacao tr(compartilhado);
        for (int ano = 2000; ano <= 2010; ++ano)
            for (auto [mes, dia] : {std::pair{1, 1}, std::pair{4, 21}, std::pair{5, 1}, std::pair{9, 7},
                                    std::pair{10, 12}, std::pair{11, 2}, std::pair{11, 15}, std::pair{12, 25}}) {
                f.insere();
                f["Data"] = Data::de(ano, mes, dia);
                f["Descricao"] = "Feriado";
                f["Tipo"] = 1;
                f.grava();
            }
        tr.confirma();
    }

    static OpcoesGeracaoCartoes DezAnos() {
        OpcoesGeracaoCartoes o;
        o.de = Data::de(2000, 1, 1);
        o.ate = Data::de(2009, 12, 31);
        o.semana = {"08:00", "12:00", "13:00", "17:00", "00:00", "00:00", "00:00", "00:00"};
        o.sabado = {"08:00", "12:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
        o.inserirSabados = true;
        o.inserirDomingos = true;
        return o;
    }
};

void BM_GeraDezAnosDeCartoes(benchmark::State& st) {
    BasePonto b;
    const auto o = BasePonto::DezAnos();
    int cartoes = 0;
    for (auto _ : st) {
        st.PauseTiming();
        b.banco.esvaziaTabela(b.tabelaG);
        st.ResumeTiming();
        // The holiday table is read by each generation, as the window does.
        TabelasReferencia referencia(b.compartilhado);
        cartoes = GeraCartoes(b.banco, b.tabelaG, o.de, o.ate, o, referencia).total();
    }
    st.counters["cartoes"] = cartoes;
}
BENCHMARK(BM_GeraDezAnosDeCartoes)->Unit(benchmark::kMillisecond);

void BM_SobrepoeDezAnosDeCartoes(benchmark::State& st) {
    BasePonto b;
    const auto o = BasePonto::DezAnos();
    {
        TabelasReferencia referencia(b.compartilhado);
        GeraCartoes(b.banco, b.tabelaG, o.de, o.ate, o, referencia);
    }
    int cartoes = 0;
    for (auto _ : st) {
        TabelasReferencia referencia(b.compartilhado);
        cartoes = GeraCartoes(b.banco, b.tabelaG, o.de, o.ate, o, referencia).alterados;
    }
    st.counters["cartoes"] = cartoes;
}
BENCHMARK(BM_SobrepoeDezAnosDeCartoes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
