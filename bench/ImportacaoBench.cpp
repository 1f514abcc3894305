// Import of a calculation document: 40 period rows spanning 35 years, alone
// and together with the 16,800 month rows they generate, into a database
// made by a first start (delivered catalogue and holidays).
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/Geracao.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"

using namespace korva;
using korva::bench::Pasta;
using nlohmann::json;

namespace {

struct Base {
    Pasta pasta;
    Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    std::unique_ptr<Sessao> sessao;
    std::unique_ptr<TabelasReferencia> referencia;
    AjustesRegistro ajustes{"", "", "", [] { return 100; }};

    Base() {
        Sessao::PrimeiraPartida(amb);
        sessao = std::make_unique<Sessao>(amb);
        referencia = std::make_unique<TabelasReferencia>(sessao->compartilhado());
    }
};

// Result items of the delivered catalogue, 40 of them.
json DocumentoPeriodos() {
    const int itens[] = {12, 13, 14, 15, 22, 23, 24, 25, 26, 32, 33, 34, 35, 36, 42, 43, 44, 45, 46, 52,
                         53, 54, 55, 62, 63, 64, 65, 72, 73, 74, 75, 82, 83, 84, 85, 102, 112, 113, 122, 123};
    const int codigos[] = {0, 1, 5, 9, 10, 15, 20};
    json doc;
    doc["Processo"] = {{"Processo", "1000/2010"}, {"CodRecte", 1}, {"DtAjuiz", "10/03/2010"},
                       {"DtBase", "01/01/2011"}, {"Calculista", "Bench"}};
    json a = json::array();
    for (int i = 0; i < 40; ++i)
        a.push_back({{"Item", itens[i]}, {"Mes1", 1}, {"Ano1", 1975}, {"Mes2", 12}, {"Ano2", 2009},
                     {"Valor", 100.0 + i}, {"VFM", "V"}, {"CodDataBasePadrao", codigos[i % 7]}, {"INSS", "S"}});
    doc["Arquivo1"] = a;
    return doc;
}

void BM_ImportaPeriodos(benchmark::State& st) {
    Base b;
    json doc = DocumentoPeriodos();
    int grupo = 1;
    for (auto _ : st) {
        doc["Processo"]["CodRecte"] = grupo++;
        ImportaCalculo(b.sessao->privado(), *b.referencia, b.ajustes, doc);
    }
}
BENCHMARK(BM_ImportaPeriodos)->Unit(benchmark::kMillisecond);

// Import, then generation of B from A: what a user waits for from the
// document to the month grid.
void BM_ImportaEGera(benchmark::State& st) {
    Base b;
    json doc = DocumentoPeriodos();
    int grupo = 1, linhas = 0;
    for (auto _ : st) {
        doc["Processo"]["CodRecte"] = grupo++;
        const CalculoImportado r = ImportaCalculo(b.sessao->privado(), *b.referencia, b.ajustes, doc);
        ConjuntoCalculo conjunto(b.sessao->privado(), [] { return 100; });
        conjunto.defineAtual(r.diretorio, r.arquivo);
        CalculoDtBase dtBase(*b.referencia, OpcoesCalculo{});
        Geracao g(b.sessao->privado(), conjunto.NomeTabela('A'), conjunto.NomeTabela('B'), dtBase);
        linhas = g.Gera();
    }
    st.counters["linhas"] = linhas;
}
BENCHMARK(BM_ImportaEGera)->Unit(benchmark::kMillisecond);

// The exported document of a generated calculation: every month row goes
// through the month grid's rules.
void BM_ImportaComMesAMes(benchmark::State& st) {
    Base b;
    json doc = DocumentoPeriodos();
    {
        const CalculoImportado r = ImportaCalculo(b.sessao->privado(), *b.referencia, b.ajustes, doc);
        ConjuntoCalculo conjunto(b.sessao->privado(), [] { return 100; });
        conjunto.defineAtual(r.diretorio, r.arquivo);
        CalculoDtBase dtBase(*b.referencia, OpcoesCalculo{});
        Geracao g(b.sessao->privado(), conjunto.NomeTabela('A'), conjunto.NomeTabela('B'), dtBase);
        g.Gera();
        doc = ExportaCalculo(b.sessao->privado(), r.processo, r.codRecte);
    }
    int grupo = 2;
    for (auto _ : st) {
        doc["Processo"]["CodRecte"] = grupo++;
        ImportaCalculo(b.sessao->privado(), *b.referencia, b.ajustes, doc);
    }
    st.counters["linhas"] = static_cast<double>(doc["Arquivo2"].size());
}
BENCHMARK(BM_ImportaComMesAMes)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
