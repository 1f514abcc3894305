// The time-card reports over ten years of daily cards (3,653) under two
// schedules, one counted by day and one by week: tables F and G read, joined,
// counted month by month and laid out (fixed-pitch measurer). The target for
// the monthly report is under 200 ms.
#include <benchmark/benchmark.h>

#include "CartoesBench.h"
#include "PastaBench.h"

#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "reports/Medidor.h"
#include "timecards/RelatoriosPonto.h"

using namespace korva;
using korva::bench::Pasta;
using korva::bench::PreparaCartoes10Anos;

namespace {

void Relatorio(benchmark::State& st, TipoRelatorioPonto tipo) {
    Pasta priv;
    Banco banco("CalcPriv", priv.p);
    ConjuntoCalculo conjunto(banco, [] { return 100; });
    PreparaCartoes10Anos(banco, conjunto);
    const MedidorFixo medidor;
    size_t paginas = 0;
    for (auto _ : st) {
        const RelatorioPonto r = LeRelatorioPonto(banco, conjunto.NomeTabela('F'), conjunto.NomeTabela('G'));
        const Documento d = tipo == TipoRelatorioPonto::Mensal ? DiagramaPontoMensal(r, {}, medidor)
                                                               : DiagramaPontoDiario(r, {}, medidor);
        paginas = d.paginas.size();
        benchmark::DoNotOptimize(d.paginas.data());
    }
    st.counters["paginas"] = static_cast<double>(paginas);
}

void BM_RelatorioPontoMensal10Anos(benchmark::State& st) { Relatorio(st, TipoRelatorioPonto::Mensal); }
void BM_RelatorioPontoDiario10Anos(benchmark::State& st) { Relatorio(st, TipoRelatorioPonto::Diario); }
BENCHMARK(BM_RelatorioPontoMensal10Anos)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelatorioPontoDiario10Anos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
