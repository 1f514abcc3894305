// The pro-rata statement of a record with 600 monthly payments (50 years):
// the figures read and worked out with the daily index and the legal
// interest, the statement laid out, and both as a script runs them
// ("prorrata atualizar --json" and "--saida ARQ.pdf"). The targets are
// 100 ms for the figures and 1 s for the PDF.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "PastaBench.h"

#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "prorata/DocumentoProrrata.h"
#include "prorata/ExtratoProrrata.h"
#include "prorata/RelatorioProrrata.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "reports/Medidor.h"
#include "results/CorrecaoJuros.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

// A daily series of its own over 1975..2026 (the delivered ones start in 2000).
constexpr int kIndice = 9;

struct Base {
    Pasta pasta;
    Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    std::unique_ptr<Sessao> sessao;
    int codigo = 0;

    Base() {
        Sessao::PrimeiraPartida(amb);
        sessao = std::make_unique<Sessao>(amb);
        {
            Banco& c = sessao->compartilhado();
            Tabela d(c, "Diario.DB");
            d.abre();
            Transacao tr(c);
            double indice = 1;
            for (Data dia = Data::de(1975, 1, 1); dia <= Data::de(2026, 12, 31); dia += 1) {
                d.insere();
                d["CodIndice"] = kIndice;
                d["Data"] = dia;
                d["Indice"] = indice;
                d.grava();
                indice *= 1.0002;
            }
            tr.confirma();
        }
        nlohmann::json parcelas = nlohmann::json::array();
        Data pgto = Data::de(1975, 3, 1);
        for (int i = 0; i < 600; ++i) {
            parcelas.push_back({{"Data", pgto.dma()}, {"Valor", 1500.0}});
            pgto = Data::de(pgto.mes() == 12 ? pgto.ano() + 1 : pgto.ano(), pgto.mes() % 12 + 1, 1);
        }
        const nlohmann::json doc = {
            {"Prorrata",
             {{"Processo", "0000100-20.1975.5.01.0001"}, {"CodRecte", 1}, {"DtAjuiz", "10/01/1975"},
              {"DtBase", "01/02/1975"}, {"Valor", 1000000.0}, {"DtFinal", "01/03/2025"}, {"Parte1", "Ana Souza"},
              {"Parte2", "Empresa Ltda."}, {"ComJuros", true}, {"JurosConstantes", false}, {"ValorJuros", 2000.0},
              {"Indice", kIndice}, {"FormaAbatimento", "P"}, {"ValorFGTS", 5000.0}, {"CalcularJurosFGTS", true},
              {"UsarJurosPadrao", 0}, {"ObsFinal", "Atualização de cinquenta anos de parcelas."}}},
            {"Parcelas", parcelas},
            {"AcrescProrrata",
             {{{"Descricao", "Honorários"}, {"Valor", 15.0}, {"Tipo", "P"}, {"Totalizar", true}},
              {{"Descricao", "Custas"}, {"Valor", 250.0}, {"Tipo", "V"}, {"DtBase", "02/03/1980"},
               {"Totalizar", false}}}}};
        codigo = ImportaProrrata(sessao->privado(), AjustesDe(sessao->configuracoes()), doc);
    }
};

Base& B() {
    static Base b;
    return b;
}

void BM_CalculaExtrato600Parcelas(benchmark::State& st) {
    Base& b = B();
    size_t parcelas = 0;
    for (auto _ : st) {
        const DadosProrrata d = LeDadosProrrata(b.sessao->privado(), b.codigo);
        TabelasReferencia ref(b.sessao->compartilhado());
        CorrecaoJuros cj(b.sessao->privado(), ref);
        const ExtratoProrrata e = CalculaExtrato(d, cj);
        parcelas = e.parcelas.size();
        benchmark::DoNotOptimize(e.total);
    }
    st.counters["parcelas"] = static_cast<double>(parcelas);
}
BENCHMARK(BM_CalculaExtrato600Parcelas)->Unit(benchmark::kMillisecond);

// Read, worked out and laid out (fixed-pitch measurer).
void BM_ExtratoProrrata600Parcelas(benchmark::State& st) {
    Base& b = B();
    const MedidorFixo medidor;
    size_t paginas = 0;
    for (auto _ : st) {
        const Documento doc = ProduzExtratoProrrata(*b.sessao, b.codigo, Data::de(2025, 3, 5), medidor);
        paginas = doc.paginas.size();
        benchmark::DoNotOptimize(doc.paginas.data());
    }
    st.counters["paginas"] = static_cast<double>(paginas);
}
BENCHMARK(BM_ExtratoProrrata600Parcelas)->Unit(benchmark::kMillisecond);

void Cli(benchmark::State& st, const std::string& argumentos) {
    Base& b = B();
    const std::string linha = std::string("'") + KORVA_CLI + "' --dados '" + b.pasta.p.string() + "' " + argumentos +
                              " > /dev/null";
    for (auto _ : st)
        if (std::system(linha.c_str()) != 0) st.SkipWithError("korva-cli prorrata atualizar falhou");
}

void BM_AtualizarJsonCli(benchmark::State& st) {
    Cli(st, "--json prorrata atualizar " + std::to_string(B().codigo));
}
BENCHMARK(BM_AtualizarJsonCli)->Unit(benchmark::kMillisecond);

void BM_AtualizarPdfCli(benchmark::State& st) {
    const std::string pdf = (B().pasta.p / "extrato.pdf").string();
    Cli(st, "prorrata atualizar " + std::to_string(B().codigo) + " --saida '" + pdf + "'");
    if (std::filesystem::exists(pdf))
        st.counters["pdf_KiB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1024.0;
}
BENCHMARK(BM_AtualizarPdfCli)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
