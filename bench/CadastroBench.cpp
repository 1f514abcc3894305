// The lawsuit register window over 5,000 lawsuits, offscreen: opening it
// (the list filled and shown) and finding a number through its search bar.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "PastaBench.h"

#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "app/ui/ModeloTabela.h"
#include "register/ui/TFProcesso.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

struct Cadastro {
    Pasta pasta;
    Ambiente amb = Ambiente::Padrao(pasta.p, "korva");
    std::unique_ptr<Sessao> sessao;

    Cadastro() {
        Sessao::PrimeiraPartida(amb);
        sessao = std::make_unique<Sessao>(amb);
        Banco& banco = sessao->privado();
        Tabela t(banco, "Processo.DB");
        t.abre();
        Transacao tr(banco);
        for (int i = 0; i < 5000; ++i) {
            t.insere();
            for (const auto& f : t.definicao().campos) {
                switch (f.tipo) {
                    case TipoCampo::Smallint:
                    case TipoCampo::Integer: t[f.nome] = 1; break;
                    case TipoCampo::Float: t[f.nome] = 0.0; break;
                    case TipoCampo::Boolean: t[f.nome] = false; break;
                    case TipoCampo::Date: t[f.nome] = Data::de(2009, 1, 1 + i % 28); break;
                    default: break;
                }
            }
            char numero[32];
            std::snprintf(numero, sizeof numero, "%05d/2009", i + 1);
            t["Processo"] = std::string(numero);
            t["CodRecte"] = 1;
            t["Calculista"] = std::string(i % 2 ? "Ana Souza" : "Maria Silva");
            t["CalculoJuros"] = 0;
            t["OpcaoIR"] = 2;
            t.grava();
        }
        tr.confirma();
    }
};

Cadastro& Base() {
    static Cadastro c;
    return c;
}

void BM_AbreTFProcesso5000(benchmark::State& st) {
    Cadastro& c = Base();
    for (auto _ : st) {
        auto* j = new ui::TFProcesso(*c.sessao);
        j->resize(860, 600);
        j->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(j->modelo().rowCount());
        st.PauseTiming();
        j->close();
        delete j;
        QApplication::processEvents();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_AbreTFProcesso5000)->Unit(benchmark::kMillisecond);

void BM_PesquisaNumero5000(benchmark::State& st) {
    Cadastro& c = Base();
    auto* j = new ui::TFProcesso(*c.sessao);
    j->resize(860, 600);
    j->show();
    QApplication::processEvents();
    auto* ed = j->findChild<QLineEdit*>("EdPesquisa");
    auto* bt = j->findChild<QPushButton*>("BtPesquisa");
    int n = 0;
    for (auto _ : st) {
        ed->setText(QString::asprintf("%05d/2009", 1 + (n++ * 997) % 5000));
        bt->click();
        QApplication::processEvents();
        benchmark::DoNotOptimize(j->modelo().rowCount());
    }
    j->close();
    delete j;
}
BENCHMARK(BM_PesquisaNumero5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
