// The table update from downloaded files: the four files written from a
// first start's own reference tables (every delivered row), then applied
// again over the same tables, each record replacing the row of its key.
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "reference/Atualizacao.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

void BM_AtualizaTabelasDeArquivosDat(benchmark::State& st) {
    Pasta pasta;
    const Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    Sessao::PrimeiraPartida(amb);
    Sessao sessao(amb);
    const auto dat = pasta.p / "dat";
    size_t registros = 0;
    for (const auto& r : GeraArquivosDat(sessao.compartilhado(), dat)) registros += r.registros;
    for (auto _ : st) AplicaArquivosDat(sessao.compartilhado(), dat);
    st.counters["registros"] = static_cast<double>(registros);
}
BENCHMARK(BM_AtualizaTabelasDeArquivosDat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
