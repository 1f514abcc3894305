// Table store costs: creating a calculation file set, appending month rows in
// one transaction, and opening a table to read one row by key.
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include <cstdlib>
#include <filesystem>

#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

void PreparaPrivado(Banco& b) {
    b.criaTabela("Processo.DB", EsquemaProcesso());
    b.criaTabela("DefAcrescimos.DB", EsquemaDefAcrescimos());
    Tabela d(b, "DefAcrescimos.DB");
    d.abre();
    d.insere();
    d["Descricao"] = "Honorários advocatícios";
    d["Valor"] = 15.0;
    d["Tipo"] = "P";
    d["LimMinimo"] = 0.0;
    d["LimMaximo"] = 0.0;
    d.grava();
}

void AnexaMeses(Banco& b, const std::string& nome, int quantas) {
    Tabela t(b, nome);
    t.abre();
    Transacao tr(b);
    for (int i = 0; i < quantas; ++i) {
        t.insere();
        t["Item"] = 10 + (i % 40) * 10;
        t["Mes"] = 1 + (i / 40) % 12;
        t["Ano"] = 1990 + i / 480;
        t["Valor"] = 1234.56;
        t["VFM"] = "V";
        t["CodDataBasePadrao"] = 0;
        t["DtBase"] = Data::de(1990 + i / 480, 1 + (i / 40) % 12, 1);
        t["Calculado"] = false;
        t["INSS"] = "S";
        t.grava();
    }
    tr.confirma();
}

void BM_CriaConjuntoABCE(benchmark::State& st) {
    Pasta pasta;
    Banco b("CalcPriv", pasta.p);
    PreparaPrivado(b);
    ConjuntoCalculo cc(b, [] { return 100; });
    cc.CriaSubDiretorio(1);
    int arquivo = 0;
    for (auto _ : st) {
        cc.defineAtual(1, ++arquivo);
        for (int tipo : {0, 1, 2, 4}) cc.CriaTabela(ConjuntoCalculo::NomeCurto(LetraDoTipo(tipo), arquivo), tipo);
    }
}
BENCHMARK(BM_CriaConjuntoABCE)->Unit(benchmark::kMillisecond);

void BM_Anexa10000LinhasEmB(benchmark::State& st) {
    Pasta pasta;
    Banco b("CalcPriv", pasta.p);
    ConjuntoCalculo cc(b, [] { return 100; });
    cc.CriaSubDiretorio(1);
    int arquivo = 0;
    for (auto _ : st) {
        st.PauseTiming();
        cc.defineAtual(1, ++arquivo);
        cc.CriaTabela(ConjuntoCalculo::NomeCurto('B', arquivo), 1);
        st.ResumeTiming();
        AnexaMeses(b, cc.NomeTabela('B'), 10000);
    }
    st.SetItemsProcessed(st.iterations() * 10000);
}
BENCHMARK(BM_Anexa10000LinhasEmB)->Unit(benchmark::kMillisecond);

void BM_LeLinhaPorChave(benchmark::State& st) {
    Pasta pasta;
    Banco b("CalcPriv", pasta.p);
    ConjuntoCalculo cc(b, [] { return 100; });
    cc.CriaSubDiretorio(1);
    cc.defineAtual(1, 1);
    cc.CriaTabela("B0000001", 1);
    AnexaMeses(b, cc.NomeTabela('B'), 10000);
    const std::string nome = cc.NomeTabela('B');
    for (auto _ : st) {
        const auto r = b.consulta("select Valor from B0000001 where Ano=:A and Mes=:M and Item=:I",
                                  {nome}, {{"A", Valor(2000)}, {"M", Valor(6)}, {"I", Valor(100)}});
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_LeLinhaPorChave)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
