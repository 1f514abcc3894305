// The spreadsheet export of a calculation of 23,520 month rows once
// calculated (60 a month from 01/2000 to 04/2023: salary, 24 families of
// due, paid and difference items, 11 result items on the first difference),
// in an installation made by a first start:
//   - the calculation run alone, as every calculation report makes it;
//   - the whole export (the run, the four sheets, the file written and
//     renamed), with the size of the file and the peak memory of the process
//     before and after the exports.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "PastaBench.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoAberto.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "reference/TabelasReferencia.h"
#include "register/TrocaCalculo.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "spreadsheets/PlanilhaCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;
using nlohmann::json;

namespace {

constexpr int kFamilias[] = {10, 20, 30, 40, 50, 60, 70, 80, 100, 110, 120, 130, 140, 150, 160,
                             170, 180, 190, 200, 210, 220, 230, 240, 250};
constexpr int kSobreDiferenca[] = {13, 14, 15, 23, 24, 25, 26, 33, 34, 35, 36};

json Documento() {
    json doc;
    doc["Processo"] = {{"Processo", "0200000-10.2023.5.01.0001"}, {"CodRecte", 1}, {"DtAjuiz", "10/03/2023"},
                       {"DtBase", "01/09/2026"}, {"Calculista", "Bench"}, {"IndPrincipal", 1},
                       {"IndFGTS", 1}, {"CalculoJuros", 0}, {"DataBasePadrao", 1}};
    json a = json::array();
    auto periodo = [](int item) {
        return json{{"Item", item}, {"Mes1", 1}, {"Ano1", 2000}, {"Mes2", 4}, {"Ano2", 2023},
                    {"CodDataBasePadrao", 1}, {"INSS", "S"}};
    };
    json salario = periodo(2);
    salario["VFM"] = "F", salario["Valor"] = 2000.0;
    a.push_back(salario);
    for (int f : kFamilias) {
        json devido = periodo(f);
        devido["VFM"] = "V", devido["Valor"] = 2500.0 + f, devido["Diferenca"] = f % 20 ? "C" : "Z";
        a.push_back(devido);
        json pago = periodo(f + 1);
        pago["VFM"] = "F", pago["Qtde"] = 1.0, pago["Indice"] = 1.0, pago["Divisor"] = 1.0, pago["Base"] = 2;
        a.push_back(pago);
    }
    for (int item : kSobreDiferenca) {
        json r = periodo(item);
        r["VFM"] = "F", r["Qtde"] = 1.0, r["Indice"] = 1.0, r["Divisor"] = 12.0, r["Base"] = 12;
        a.push_back(r);
    }
    doc["Arquivo1"] = a;
    return doc;
}

double PicoMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

struct Grade {
    Pasta pasta;
    Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    std::unique_ptr<Sessao> sessao;
    ParametrosExecucao p;
    int linhas = 0;

    Grade() {
        Sessao::PrimeiraPartida(amb);
        sessao = std::make_unique<Sessao>(amb);
        Banco& privado = sessao->privado();
        {
            Tabela r(privado, "Rendimen.DB");
            r.abre();
            Transacao tr(privado);
            for (int f = 170; f <= 250; f += 10)
                for (int k = 0; k < 3; ++k) {
                    r.insere();
                    r["Codigo"] = f + k;
                    r["DescRend"] = "Verba do usuário " + std::to_string(f + k);
                    r["INSS"] = "S";
                    r["IR"] = 1;
                    r["Tipo"] = "U";
                    r.grava();
                }
            tr.confirma();
        }
        TabelasReferencia ref(sessao->compartilhado());
        const CalculoImportado importado = ImportaCalculo(privado, ref, AjustesDe(sessao->configuracoes()), Documento());
        CalculoAberto calculo = CalculoAbertoDe(privado, importado.processo, importado.codRecte);
        CalculoDtBase dtBase(ref, calculo.mensal.dtBasePadrao);
        Geracao(privado, calculo.tabela('A'), calculo.tabela('B'), dtBase).Gera();
        ConjuntoCalculo conjunto(privado, [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo.execucao.arquivo), TipoDaLetra('I'));
        CorrecaoJuros cj(privado, ref);
        CalculoMensal(privado, ref, calculo.tabela('B'), calculo.tabela('I'), calculo.mensal,
                      [&](int c, Data de, Data ate) { return cj.FatorIndiceDiario(c, de, ate); })
            .Calcula();
        p = ParametrosDoProcesso(privado, importado.processo, importado.codRecte);
    }
};

Grade& Base() {
    static Grade g;
    return g;
}

void BM_ExecutaCalculo(benchmark::State& st) {
    Grade& g = Base();
    TabelasReferencia ref(g.sessao->compartilhado());
    CorrecaoJuros cj(g.sessao->privado(), ref);
    for (auto _ : st) benchmark::DoNotOptimize(ExecutaCalculo(g.sessao->privado(), ref, cj, g.p).total);
}
BENCHMARK(BM_ExecutaCalculo)->Unit(benchmark::kMillisecond);

void BM_ExportaPlanilhaCalculo(benchmark::State& st) {
    Grade& g = Base();
    TabelasReferencia ref(g.sessao->compartilhado());
    CorrecaoJuros cj(g.sessao->privado(), ref);
    const std::filesystem::path destino = g.pasta.p / "calculo.xlsx";
    const double antes = PicoMiB();
    int linhas = 0;
    for (auto _ : st) linhas = ExportaPlanilhaCalculo(g.sessao->privado(), ref, cj, g.p, destino).linhas;
    st.counters["linhas"] = linhas;
    st.counters["arquivo_KiB"] = static_cast<double>(std::filesystem::file_size(destino)) / 1024.0;
    st.counters["pico_antes_MiB"] = antes;
    st.counters["pico_depois_MiB"] = PicoMiB();
}
BENCHMARK(BM_ExportaPlanilhaCalculo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
