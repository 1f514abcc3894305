// The month grid window over a calculation of 16,800 month rows (60 a month
// from 01/2000 to 04/2023: salary, 24 families of due, paid and difference
// items, 11 result items on the first difference), 23,520 once calculated,
// in an installation made by a first start (delivered catalogue, holidays
// and daily indices, so every preview figure is worked out), offscreen:
//   - opening the window (rows read, figures and grand total worked out, shown);
//   - scrolling from the first to the last row, every row painted once;
//   - one edit of a result row stored, with the grand total updated;
//   - "&Cálculo" from the window, beside the core run and the command
//     line's "calcular" on the same data.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

#include "PastaBench.h"

#include <cstdlib>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoAberto.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ui/TFParam2.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "register/TrocaCalculo.h"
#include "results/CorrecaoJuros.h"
#include "results/FigurasMensais.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;
using nlohmann::json;

namespace {

// The delivered families of due, paid and difference items, and nine more
// a user adds to the catalogue.
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

struct GradeMensal {
    Pasta pasta;
    Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    std::unique_ptr<Sessao> sessao;
    CalculoAberto calculo;

    GradeMensal() {
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
        calculo = CalculoAbertoDe(privado, importado.processo, importado.codRecte);
        CalculoDtBase dtBase(ref, calculo.mensal.dtBasePadrao);
        Geracao(privado, calculo.tabela('A'), calculo.tabela('B'), dtBase).Gera();
        ConjuntoCalculo conjunto(privado, [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo.execucao.arquivo), TipoDaLetra('I'));
        calculaNoNucleo();
    }

    ResultadoCalculoMensal calculaNoNucleo() {
        TabelasReferencia ref(sessao->compartilhado());
        CorrecaoJuros cj(sessao->privado(), ref);
        return CalculoMensal(sessao->privado(), ref, calculo.tabela('B'), calculo.tabela('I'), calculo.mensal,
                             [&](int c, Data de, Data ate) { return cj.FatorIndiceDiario(c, de, ate); })
            .Calcula();
    }

    std::unique_ptr<ui::TFParam2> abre() {
        auto j = std::make_unique<ui::TFParam2>(*sessao, calculo);
        j->resize(1000, 600);
        j->show();
        QApplication::processEvents();
        return j;
    }
};

GradeMensal& Base() {
    static GradeMensal g;
    return g;
}

void BM_AbreTFParam2(benchmark::State& st) {
    GradeMensal& g = Base();
    int linhas = 0;
    for (auto _ : st) {
        auto j = g.abre();
        linhas = j->modelo()->rowCount();
        benchmark::DoNotOptimize(j->findChild<QLabel*>("LbTotal")->text());
        st.PauseTiming();
        j.reset();
        QApplication::processEvents();
        st.ResumeTiming();
    }
    st.counters["linhas"] = linhas;
}
BENCHMARK(BM_AbreTFParam2)->Unit(benchmark::kMillisecond);

// Page by page from the first row to the last, each page painted at once:
// the grid's own painting, into an image of the viewport's size.
void BM_RolaTFParam2(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    QScrollBar* barra = j->grade()->verticalScrollBar();
    QWidget* vista = j->grade()->viewport();
    QImage imagem(vista->size(), QImage::Format_ARGB32_Premultiplied);
    int paginas = 0;
    for (auto _ : st) {
        paginas = 0;
        barra->setValue(0);
        for (int v = 0;; v += barra->pageStep()) {
            barra->setValue(v);
            vista->render(&imagem);
            ++paginas;
            if (v >= barra->maximum()) break;
        }
    }
    st.counters["paginas"] = paginas;
    st.counters["linhas"] = j->modelo()->rowCount();
}
BENCHMARK(BM_RolaTFParam2)->Unit(benchmark::kMillisecond);

// The same through the window's backing store, as the screen gets it: each
// page also costs the platform's copy of the whole window (on the offscreen
// platform, a copy of the window's image per page).
void BM_RolaTFParam2Janela(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    QScrollBar* barra = j->grade()->verticalScrollBar();
    int paginas = 0;
    for (auto _ : st) {
        paginas = 0;
        barra->setValue(0);
        for (int v = 0;; v += barra->pageStep()) {
            barra->setValue(v);
            j->grade()->viewport()->repaint();
            ++paginas;
            if (v >= barra->maximum()) break;
        }
    }
    st.counters["paginas"] = paginas;
}
BENCHMARK(BM_RolaTFParam2Janela)->Unit(benchmark::kMillisecond);

// The Valor of a result row typed and stored; the grand total label follows.
void BM_EditaTFParam2(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    Tabela& b = j->parametros().tabela();
    b.localiza({"Item"}, {Valor(int64_t{13})});
    ui::ModeloTabela* m = j->modelo();
    const int coluna = m->colunaDoCampo("Valor");
    QLabel* total = j->findChild<QLabel*>("LbTotal");
    int n = 0;
    for (auto _ : st) {
        m->setData(m->index(m->linhaAtual(), coluna), QString::number(100 + (n++ % 50)) + ",25", Qt::EditRole);
        m->grava();
        QApplication::processEvents();
        benchmark::DoNotOptimize(total->text());
    }
    // The grid as it was: every row calculated again.
    j.reset();
    g.calculaNoNucleo();
}
BENCHMARK(BM_EditaTFParam2)->Unit(benchmark::kMillisecond);

void BM_CalculoNucleo(benchmark::State& st) {
    GradeMensal& g = Base();
    ResultadoCalculoMensal r;
    for (auto _ : st) r = g.calculaNoNucleo();
    st.counters["linhas"] = r.linhas;
    st.counters["varreduras"] = r.varreduras;
}
BENCHMARK(BM_CalculoNucleo)->Unit(benchmark::kMillisecond);

// The same run as a script starts it: "korva-cli --dados DIR calcular PROCESSO GRUPO".
void BM_CalculoCli(benchmark::State& st) {
    GradeMensal& g = Base();
    const std::string linha = std::string("'") + KORVA_CLI + "' --dados '" + g.pasta.p.string() + "' calcular '" +
                              g.calculo.execucao.processo + "' " + std::to_string(g.calculo.execucao.codRecte) +
                              " > /dev/null";
    for (auto _ : st)
        if (std::system(linha.c_str()) != 0) st.SkipWithError("korva-cli calcular falhou");
}
BENCHMARK(BM_CalculoCli)->Unit(benchmark::kMillisecond);

// "&Cálculo": the run, the grid read again, the figures and the grand total worked out.
void BM_CalculoTFParam2(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    for (auto _ : st) {
        j->calcula();
        QApplication::processEvents();
    }
    st.counters["linhas"] = j->modelo()->rowCount();
}
BENCHMARK(BM_CalculoTFParam2)->Unit(benchmark::kMillisecond);

// What "&Cálculo" adds to the run: the grid's table read again, and the
// figures taken again (after a run only the rows it changed are worked out).
void BM_RecarregaGrade(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    for (auto _ : st) {
        j->parametros().tabela().atualiza();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecarregaGrade)->Unit(benchmark::kMillisecond);

void BM_RecalculaFiguras(benchmark::State& st) {
    GradeMensal& g = Base();
    auto j = g.abre();
    for (auto _ : st) j->figuras().recalcula(j->parametros().tabela());
}
BENCHMARK(BM_RecalculaFiguras)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
