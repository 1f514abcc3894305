// The time-card integration window over an imported calculation with a
// schedule and a few cards, driven as a user does: the item and base boxes
// with their catalogue lists and defaults, the three value groups, the checks
// that keep the window open with the focus on the box they name, a run whose
// rows the period grid then shows, the negative-difference choice, and the
// base date asked month by month with code 50 (its cancel writing nothing).
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "storage/Excecoes.h"
// The test support names the error presentation through korva::ui.
namespace korva::ui {
using korva::ApresentacaoErros;
}
#include "apoio/JanelasTeste.h"
#include "app/ui/ModeloTabela.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/ui/TFParam1.h"
#include "parameters/ui/TFZerarOuCompensar.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "timecards/ui/TFBuscaPonto.h"
#include "util/Data.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }
double Hora(int h) { return h / 24.0; }

struct Linha {
    int item, mes, ano;
    double qtde, indice, divisor;
    int base;
    std::string vfm, diferenca;
    bool operator==(const Linha& o) const {
        const auto perto = [](double a, double b) { return std::fabs(a - b) < 1e-9; };
        return item == o.item && mes == o.mes && ano == o.ano && perto(qtde, o.qtde) && perto(indice, o.indice) &&
               perto(divisor, o.divisor) && base == o.base && vfm == o.vfm && diferenca == o.diferenca;
    }
};

}  // namespace

class TFBuscaPontoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<CalculoAberto> calculo;
    std::unique_ptr<ParametrosPeriodo> periodo;
    std::unique_ptr<TFBuscaPonto> janela;
    teste::RegistroMensagens registro;

    template <class W>
    W* controle(QWidget* onde, const char* nome) {
        W* w = onde->findChild<W*>(nome);
        if (!w) qFatal("controle %s", nome);
        return w;
    }
    template <class W>
    W* controle(const char* nome) {
        return controle<W>(janela.get(), nome);
    }

    void abrePeriodo() {
        periodo.reset();
        periodo = std::make_unique<ParametrosPeriodo>(inst->sessao->privado(), calculo->tabela('A'),
                                                      calculo->mensal.dtBasePadrao, OrdemParametros::Periodo);
        periodo->abre();
    }
    void abre() {
        janela = std::make_unique<TFBuscaPonto>(*inst->sessao, *calculo, *periodo);
        janela->show();
        janela->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(janela.get()));
    }
    static void digita(QWidget* janela, const char* caixa, const QString& texto) {
        auto* ed = janela->findChild<QLineEdit*>(caixa);
        QVERIFY2(ed, caixa);
        ed->setFocus();
        ed->selectAll();
        QTest::keyClick(ed, Qt::Key_Backspace);
        QTest::keyClicks(ed, texto);
    }
    static void valor(QWidget* janela, const char* caixa, const QString& texto) {
        auto* sp = janela->findChild<QDoubleSpinBox*>(caixa);
        QVERIFY2(sp, caixa);
        sp->setFocus();
        sp->selectAll();
        QTest::keyClicks(sp, texto);
    }
    // Item 20 over item 2 from 03/2023 to 04/2023: the overtime of each
    // month as the quantity, the typed index and divisor.
    static void preenche(QWidget* j, const QString& item = QStringLiteral("20")) {
        digita(j, "EdItem", item);
        digita(j, "EdBase", QStringLiteral("2"));
        digita(j, "EdMes1", QStringLiteral("3"));
        digita(j, "EdAno1", QStringLiteral("23"));
        digita(j, "EdMes2", QStringLiteral("4"));
        digita(j, "EdAno2", QStringLiteral("2023"));
        j->findChild<QRadioButton*>("RbBuscarQtde")->click();
        auto* figura = j->findChild<QComboBox*>("CbQtde");
        figura->setCurrentIndex(figura->findText(QStringLiteral("horas extras")));
        valor(j, "EdIndice", QStringLiteral("1,5"));
        valor(j, "EdDivisor", QStringLiteral("220"));
    }
    // The error handler shows one message within 0.432 s: each press waits that long.
    void confirma() {
        QTest::qWait(450);
        QTest::mouseClick(controle<QPushButton>("BtConfirmar"), Qt::LeftButton);
    }

    void tabelasPonto() {
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo->execucao.diretorio, calculo->execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('F', calculo->execucao.arquivo), 5);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', calculo->execucao.arquivo), 6);
        Tabela f(inst->sessao->privado(), calculo->tabela('F'));
        f.abre();
        f.insere();
        f["Data1"] = Data::de(2023, 1, 1);
        f["Data2"] = Data::de(2023, 12, 31);
        f["JornDiaria"] = Hora(8);
        f["JornSabado"] = Hora(4);
        f["Intervalo"] = 0.0;
        f["HENot"] = Hora(22);
        f["HSNot"] = Hora(5);
        f["Turnos"] = 1;
        f["Apuracao"] = "D";
        f["HorasSemanais"] = 44.0;
        f["HabilitarTolerancia"] = false;
        for (const char* marca : {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"})
            for (const char* prefixo : {"Prev", "TolAnt", "TolDep"}) f[std::string(prefixo) + marca] = 0.0;
        f.grava();
        cartao(Data::de(2023, 2, 14), 12);  // outside the range: read, not written
        cartao(Data::de(2023, 3, 10), 10);  // 2 h over
        cartao(Data::de(2023, 3, 13), 9);   // 1 h over
        cartao(Data::de(2023, 4, 12), 8);
    }
    void cartao(Data d, int horas) {
        Tabela g(inst->sessao->privado(), calculo->tabela('G'));
        g.abre();
        g.insere();
        g["Data"] = d;
        g["Ent1"] = Hora(8);
        g["Sai1"] = Hora(8 + horas);
        g.grava();
    }
    // The rows of an item in table A, in period order.
    std::vector<Linha> linhas(int item) {
        std::vector<Linha> r;
        Tabela a(inst->sessao->privado(), calculo->tabela('A'));
        a.abre(ModoAbertura::SomenteLeitura);
        a.defineIndice("IndAnoMesItem");
        for (a.primeiro(); !a.fim(); a.proximo()) {
            if (a.valor("Item").comoInteiro() != item || a.valor("Ano1").comoInteiro() != 2023) continue;
            if (a.valor("Mes2").comoInteiro() != a.valor("Mes1").comoInteiro()) qWarning("linha de mais de um mês");
            r.push_back({item, int(a.valor("Mes1").comoInteiro()), int(a.valor("Ano1").comoInteiro()),
                         a.valor("Qtde").comoNumero(), a.valor("Indice").comoNumero(), a.valor("Divisor").comoNumero(),
                         int(a.valor("Base").comoInteiro()), a.valor("VFM").comoTexto(),
                         a.valor("Diferenca").nulo() ? "" : a.valor("Diferenca").comoTexto()});
        }
        return r;
    }
    // Rows of the sample's item 20 are all before 2023 or across it; only the new ones are one-month 2023 rows.
    int totalA() {
        Tabela a(inst->sessao->privado(), calculo->tabela('A'));
        a.abre(ModoAbertura::SomenteLeitura);
        return a.quantidade();
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = std::make_unique<CalculoAberto>(inst->importa("diferencas-salariais-horas-extras.json"));
        tabelasPonto();
        ParametrosPeriodo::EsqueceLinhaLembrada();
        abrePeriodo();
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        janela.reset();
        DefineApresentacao(nullptr);
        periodo.reset();
        calculo.reset();
        inst.reset();
    }

    void caixasListasEPadroesDoCatalogo() {
        abre();
        QCOMPARE(janela->windowTitle(), Q("KORVA - Integração dos Cartões de Ponto"));
        QVERIFY(controle<QPushButton>("BtConfirmar")->isDefault());
        QCOMPARE(controle<QWidget>("GbIndice")->property("title").toString(), Q(" Índice: "));
        // Each value group: a typed value by default, only the chosen box enabled.
        for (const char* s : {"Qtde", "Indice", "Divisor"}) {
            const QByteArray n(s);
            QVERIFY(controle<QRadioButton>("RbInformado" + n)->isChecked());
            QVERIFY(controle<QDoubleSpinBox>("Ed" + n)->isEnabled());
            QVERIFY(!controle<QComboBox>("Cb" + n)->isEnabled());
        }
        controle<QRadioButton>("RbBuscarIndice")->click();
        QVERIFY(controle<QComboBox>("CbIndice")->isEnabled());
        QVERIFY(!controle<QDoubleSpinBox>("EdIndice")->isEnabled());
        auto* figuras = controle<QComboBox>("CbIndice");
        QCOMPARE(figuras->count(), 12);
        QCOMPARE(figuras->itemText(3), Q("horas em dias de folga e feriados trabalhados"));
        QCOMPARE(figuras->itemText(11), Q("qtde. de dias do mês - segunda a sábado"));
        controle<QRadioButton>("RbInformadoIndice")->click();

        // A typed code selects its name; a code that is none shows nothing.
        digita(janela.get(), "EdBase", QStringLiteral("5"));
        QCOMPARE(controle<QComboBox>("CbBase")->currentIndex(), -1);
        digita(janela.get(), "EdBase", QStringLiteral("11"));
        QCOMPARE(controle<QComboBox>("CbBase")->currentText(), Q("Salário pago(011)"));
        // Picking a name sets the code.
        auto* cb = controle<QComboBox>("CbItem");
        const int i = cb->findText(Q("Salário devido(010)"));
        QVERIFY(i >= 0);
        cb->setCurrentIndex(i);
        emit cb->activated(i);
        QCOMPARE(controle<QLineEdit>("EdItem")->text(), QStringLiteral("10"));

        // The item's catalogue values come in only while the four are all 0.
        digita(janela.get(), "EdItem", QStringLiteral("20"));
        controle<QLineEdit>("EdMes1")->setFocus();
        QCOMPARE(controle<QDoubleSpinBox>("EdDivisor")->value(), 0.0);  // the base box holds 11
        controle<QLineEdit>("EdBase")->clear();
        digita(janela.get(), "EdItem", QStringLiteral("20"));
        controle<QLineEdit>("EdMes1")->setFocus();
        QCOMPARE(controle<QComboBox>("CbItem")->currentText(), Q("Horas extras 50% devidas(020)"));
        QCOMPARE(controle<QDoubleSpinBox>("EdIndice")->value(), 1.5);
        QCOMPARE(controle<QDoubleSpinBox>("EdDivisor")->value(), 220.0);
        QCOMPARE(controle<QDoubleSpinBox>("EdQtde")->value(), 0.0);
        QCOMPARE(controle<QLineEdit>("EdBase")->text(), QStringLiteral("2"));
        QCOMPARE(controle<QComboBox>("CbBase")->currentText(), Q("Salário (valor informado)(002)"));

        // Months take two digits, years four, digits only; a year is completed on leaving it.
        digita(janela.get(), "EdMes1", QStringLiteral("1a23"));
        QCOMPARE(controle<QLineEdit>("EdMes1")->text(), QStringLiteral("12"));
        digita(janela.get(), "EdAno1", QStringLiteral("203"));
        digita(janela.get(), "EdAno2", QStringLiteral("99"));
        QCOMPARE(controle<QLineEdit>("EdAno1")->text(), QStringLiteral("203"));
        controle<QLineEdit>("EdMes2")->setFocus();
        QCOMPARE(controle<QLineEdit>("EdAno2")->text(), QStringLiteral("1999"));
        digita(janela.get(), "EdAno1", QString());
        controle<QLineEdit>("EdMes2")->setFocus();
        QCOMPARE(controle<QLineEdit>("EdAno1")->text(), QStringLiteral("2000"));
        preenche(janela.get());
        teste::GuardaTela(janela.get(), QStringLiteral("TFBuscaPonto"));
    }

    void verificacoesPoemOFocoNaCaixa() {
        abre();
        const int antes = totalA();
        preenche(janela.get(), QStringLiteral("21"));
        struct Caso {
            const char* caixa;
            QString texto;
            const char* mensagem;
            const char* foco;
        };
        const Caso casos[] = {
            {"EdMes1", QStringLiteral("13"), "Mês Inválido!", "EdMes1"},
            {"EdMes1", QString(), "Mês Inválido!", "EdMes1"},
            {"EdMes2", QStringLiteral("0"), "Mês Inválido!", "EdMes2"},
            {"EdAno2", QStringLiteral("2022"), "Período de busca dos dados inválido!", "EdMes1"},
            {"EdItem", QStringLiteral("5"), "Item de Cálculo Inválido!", "EdItem"},
            {"EdBase", QStringLiteral("5"), "Item de Cálculo Inválido!", "EdBase"},
        };
        for (const Caso& c : casos) {
            preenche(janela.get(), QStringLiteral("21"));
            digita(janela.get(), c.caixa, c.texto);
            registro.mensagens.clear();
            confirma();
            QCOMPARE(registro.mensagens, QStringList{Q(c.mensagem)});
            QCOMPARE(janela->focusWidget(), controle<QWidget>(c.foco));
            QVERIFY(janela->isVisible());
        }
        // A zero divisor, typed or taken from a figure, points at its box.
        preenche(janela.get(), QStringLiteral("21"));
        valor(janela.get(), "EdDivisor", QStringLiteral("0"));
        registro.mensagens.clear();
        confirma();
        QCOMPARE(registro.mensagens, QStringList{Q("ERRO! Divisor não pode ser zero.")});
        QCOMPARE(janela->focusWidget(), controle<QWidget>("EdDivisor"));
        controle<QRadioButton>("RbBuscarDivisor")->click();
        controle<QComboBox>("CbDivisor")->setCurrentIndex(6);  // no card marked "F"
        registro.mensagens.clear();
        confirma();
        QCOMPARE(registro.mensagens, QStringList{Q("ERRO! Divisor não pode ser zero.")});
        QCOMPARE(janela->focusWidget(), controle<QWidget>("CbDivisor"));
        QCOMPARE(totalA(), antes);

        // A range without cards writes nothing and says so; the window stays.
        preenche(janela.get(), QStringLiteral("21"));
        digita(janela.get(), "EdMes1", QStringLiteral("6"));
        digita(janela.get(), "EdMes2", QStringLiteral("8"));
        teste::RespondeMensagens respostas;
        confirma();
        QTRY_COMPARE_WITH_TIMEOUT(respostas.textos.size(), qsizetype{1}, 2000);
        QVERIFY(respostas.textos.front().contains(Q("nenhuma linha")));
        QVERIFY(janela->isVisible());
        QCOMPARE(totalA(), antes);
    }

    void linhasMostradasNaGradeDoPeriodo() {
        periodo.reset();
        TFParam1 param(*inst->sessao, *calculo);
        param.show();
        QVERIFY(QTest::qWaitForWindowExposed(&param));
        const int antes = param.modelo()->rowCount();
        // The integration window is filled and confirmed as it comes up; the
        // negative-difference choice of item 20 is answered "&Compensar".
        // (A timer is not fired again inside its own slot: the choice, asked
        // while the integration's timer slot runs, has a timer of its own.)
        int integracoes = 0, perguntas = 0;
        QTimer relogio, escolha;
        connect(&escolha, &QTimer::timeout, this, [&] {
            if (auto* z = qobject_cast<TFZerarOuCompensar*>(QApplication::activeModalWidget())) {
                ++perguntas;
                z->findChild<QPushButton*>("BtCompensar")->click();
            }
        });
        connect(&relogio, &QTimer::timeout, this, [&] {
            auto* b = qobject_cast<TFBuscaPonto*>(QApplication::activeModalWidget());
            if (!b || integracoes > 0) return;
            ++integracoes;
            QCOMPARE(b->parentWidget(), static_cast<QWidget*>(&param));
            preenche(b);
            QTest::mouseClick(b->findChild<QPushButton*>("BtConfirmar"), Qt::LeftButton);
        });
        escolha.start(15);
        relogio.start(20);
        QTimer::singleShot(8000, &param, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        });
        QTest::mouseClick(param.findChild<QPushButton*>("BtPonto"), Qt::LeftButton);
        relogio.stop();
        escolha.stop();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(integracoes, 1);
        QCOMPARE(perguntas, 1);
        QCOMPARE(linhas(20), (std::vector<Linha>{{20, 3, 2023, 3, 1.5, 220, 2, "F", "C"},
                                                 {20, 4, 2023, 0, 1.5, 220, 2, "F", "C"}}));
        // The grid shows them at once.
        ModeloTabela& m = *param.modelo();
        QCOMPARE(m.rowCount(), antes + 2);
        int vistas = 0;
        for (int r = 0; r < m.rowCount(); ++r)
            if (m.index(r, m.colunaDoCampo("Item")).data().toString() == QStringLiteral("20") &&
                m.index(r, m.colunaDoCampo("Ano1")).data().toString() == QStringLiteral("2023") &&
                m.index(r, m.colunaDoCampo("Mes1")).data().toString() ==
                    m.index(r, m.colunaDoCampo("Mes2")).data().toString()) {
                ++vistas;
                QCOMPARE(m.index(r, m.colunaDoCampo("Divisor")).data().toString(), QStringLiteral("220,0000"));
            }
        QCOMPARE(vistas, 2);
        param.close();
    }

    void diferencaNegativaSoParaItensTerminadosEmZero() {
        int perguntas = 0;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, this, [&] {
            auto* d = qobject_cast<TFZerarOuCompensar*>(QApplication::activeModalWidget());
            if (!d) return;
            ++perguntas;
            QCOMPARE(d->windowTitle(), QStringLiteral("KORVA"));
            d->findChild<QPushButton*>("BtZerar")->click();
        });
        relogio.start(15);
        abre();
        preenche(janela.get(), QStringLiteral("21"));
        confirma();
        QCOMPARE(perguntas, 0);
        QCOMPARE(linhas(21).size(), size_t{2});
        QCOMPARE(linhas(21).front().diferenca, std::string());
        QVERIFY(!janela->isVisible());

        abre();
        preenche(janela.get());
        confirma();
        relogio.stop();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(perguntas, 1);  // once for both months
        QCOMPARE(linhas(20).size(), size_t{2});
        QCOMPARE(linhas(20).back().diferenca, std::string("Z"));
        QCOMPARE(janela->result(), int(QDialog::Accepted));
    }

    void dataBasePedidaComCodigo50() {
        calculo->mensal.dtBasePadrao.dataBasePadrao = 50;
        abrePeriodo();
        teste::RespondeMensagens respostas;
        abre();
        preenche(janela.get(), QStringLiteral("21"));
        respostas.digita(QStringLiteral("31/04/2023"));
        respostas.digita(QStringLiteral("05/04/2023"));
        respostas.digita(QStringLiteral("06/05/2023"));
        confirma();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(respostas.textos, (QStringList{Q("Data Base de Atualização da Verba (03/2023)"), Q("Data Inválida!"),
                                                Q("Data Base de Atualização da Verba (03/2023)"),
                                                Q("Data Base de Atualização da Verba (04/2023)")}));
        std::vector<Data> datas;
        {
            Tabela a(inst->sessao->privado(), calculo->tabela('A'));
            a.abre(ModoAbertura::SomenteLeitura);
            for (a.primeiro(); !a.fim(); a.proximo())
                if (a.valor("Item").comoInteiro() == 21 && a.valor("Ano1").comoInteiro() == 2023)
                    datas.push_back(a.valor("DtBase").comoData());
        }
        QCOMPARE(datas, (std::vector<Data>{Data::de(2023, 4, 5), Data::de(2023, 5, 6)}));
        QVERIFY(!janela->isVisible());

        // Cancelling the second month's date writes nothing, not even the
        // first month, and keeps the window open without a message.
        const int antes = totalA();
        respostas.textos.clear();
        abre();
        preenche(janela.get(), QStringLiteral("23"));
        respostas.digita(QStringLiteral("05/04/2023"));
        respostas.digita(QStringLiteral("\x1b"));
        confirma();
        QCOMPARE(respostas.textos.size(), qsizetype{2});
        QCOMPARE(totalA(), antes);
        QVERIFY(linhas(23).empty());
        QVERIFY(janela->isVisible());
        QVERIFY(registro.mensagens.isEmpty());
        QVERIFY(respostas.semRespostasPendentes());
    }
};

QTEST_MAIN(TFBuscaPontoTest)
#include "TFBuscaPontoTest.moc"
