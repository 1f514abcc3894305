// Hours from the time cards: ten years of daily cards (3,653) under two
// schedules, one counted by day and one by week, read from tables F and G,
// joined, with their day hours and the figures of every month. The target is
// under 200 ms.
#include <benchmark/benchmark.h>

#include "CartoesBench.h"
#include "PastaBench.h"

#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "timecards/ApuracaoPonto.h"

using namespace korva;
using korva::bench::Pasta;
using korva::bench::PreparaCartoes10Anos;

namespace {

void BM_PontoHoras10Anos(benchmark::State& st) {
    Pasta priv;
    Banco banco("CalcPriv", priv.p);
    ConjuntoCalculo conjunto(banco, [] { return 100; });
    PreparaCartoes10Anos(banco, conjunto);
    size_t cartoes = 0, meses = 0;
    for (auto _ : st) {
        const auto jornadas = LeJornadas(banco, conjunto.NomeTabela('F'));
        const auto lidos = ApuraCartoes(jornadas, LeCartoes(banco, conjunto.NomeTabela('G')));
        const auto m = ApuraMeses(jornadas, lidos);
        cartoes = lidos.size();
        meses = m.size();
        benchmark::DoNotOptimize(m.data());
    }
    st.counters["cartoes"] = static_cast<double>(cartoes);
    st.counters["meses"] = static_cast<double>(meses);
}
BENCHMARK(BM_PontoHoras10Anos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
