// The unemployment-insurance window over an imported calculation, driven as a
// user does: the item box and its catalogue list, the month and year boxes,
// rows added in the same month or in instalments with each month's limits,
// the negative-difference choice asked once, the overwrite question answered
// each way, the base date asked when the lawsuit's code is 50, and refused
// boxes that keep the window open with the focus on them.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "storage/Excecoes.h"
// The test support names the error presentation through korva::ui.
namespace korva::ui {
using korva::ApresentacaoErros;
}
#include "apoio/JanelasTeste.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/ui/TFSeguroDesemprego.h"
#include "parameters/ui/TFZerarOuCompensar.h"
#include "storage/Tabela.h"
#include "util/Data.h"

using namespace korva;
using namespace korva::ui;

namespace {

struct Linha {
    int mes, ano;
    double valor;
    std::string diferenca;
    bool operator==(const Linha&) const = default;
};

}  // namespace

class TFSeguroDesempregoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<CalculoAberto> calculo;
    std::unique_ptr<ParametrosPeriodo> periodo;
    std::unique_ptr<TFSeguroDesemprego> janela;
    teste::RegistroMensagens registro;

    template <class W>
    W* controle(const char* nome) {
        W* w = janela->findChild<W*>(nome);
        if (!w) qFatal("controle %s", nome);
        return w;
    }
    // The period rules as the period window holds them, with the lawsuit's options.
    void abrePeriodo(OpcoesCalculo opcoes) {
        periodo.reset();
        periodo = std::make_unique<ParametrosPeriodo>(inst->sessao->privado(), calculo->tabela('A'), opcoes,
                                                      OrdemParametros::Periodo);
        periodo->abre();
    }
    void abre() {
        janela = std::make_unique<TFSeguroDesemprego>(*inst->sessao, *periodo,
                                                      calculo->mensal.dtBasePadrao.dataBasePadrao);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void digita(const char* caixa, const QString& texto) {
        auto* ed = controle<QLineEdit>(caixa);
        ed->selectAll();
        QTest::keyClicks(ed, texto);
    }
    void salario(const QString& texto) {
        auto* sp = controle<QDoubleSpinBox>("EdSalario");
        sp->selectAll();
        QTest::keyClicks(sp, texto);
    }
    void preenche(const QString& item, const QString& mes, const QString& ano, const QString& sal, int parcelas,
                  bool parcelado) {
        digita("EdItem", item);
        digita("EdMes", mes);
        digita("EdAno", ano);
        salario(sal);
        controle<QSpinBox>("EdParcelas")->setValue(parcelas);
        controle<QRadioButton>(parcelado ? "RbParcelado" : "RbMesmoMes")->click();
    }
    // The error handler shows one message within 0.432 s: each press waits that long.
    void confirma() {
        QTest::qWait(450);
        QTest::mouseClick(controle<QPushButton>("BtConfirmar"), Qt::LeftButton);
    }

    void valores(int ano, int mes, double salMin, double limMin, double limMax, double maximo) {
        Tabela v(inst->sessao->compartilhado(), "Valores.DB");
        v.abre();
        QVERIFY(v.localiza({"Ano", "Mes"}, {Valor(ano), Valor(mes)}));
        v.edita();
        v["SalMin"] = salMin;
        v["LimMinimo"] = limMin;
        v["LimMaximo"] = limMax;
        v["ValorMaximo"] = maximo;
        v.grava();
    }
    // The period rows of an item, in period order.
    std::vector<Linha> linhas(int item) {
        std::vector<Linha> r;
        Tabela a(inst->sessao->privado(), calculo->tabela('A'));
        a.abre();
        a.defineIndice("IndAnoMesItem");
        for (a.primeiro(); !a.fim(); a.proximo()) {
            if (a.valor("Item").comoInteiro() != item) continue;
            if (a.valor("VFM").comoTexto() != "V" || a.valor("Mes2").comoInteiro() != a.valor("Mes1").comoInteiro())
                qWarning("linha fora do formato");
            r.push_back({int(a.valor("Mes1").comoInteiro()), int(a.valor("Ano1").comoInteiro()),
                         a.valor("Valor").comoNumero(),
                         a.valor("Diferenca").nulo() ? "" : a.valor("Diferenca").comoTexto()});
        }
        return r;
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = std::make_unique<CalculoAberto>(inst->importa("diferencas-salariais-horas-extras.json"));
        valores(2003, 11, 900, 1000, 2000, 1200);
        valores(2003, 12, 950, 1000, 2000, 1300);
        valores(2004, 1, 1000, 1100, 2100, 1400);
        ParametrosPeriodo::EsqueceLinhaLembrada();
        abrePeriodo(calculo->mensal.dtBasePadrao);
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

    void caixasDoItemEDoAno() {
        abre();
        QCOMPARE(janela->windowTitle(), QStringLiteral("KORVA - Seguro Desemprego"));
        QVERIFY(controle<QPushButton>("BtConfirmar")->isDefault());
        QVERIFY(controle<QRadioButton>("RbMesmoMes")->isChecked());
        QCOMPARE(controle<QSpinBox>("EdParcelas")->value(), 1);
        QCOMPARE(controle<QSpinBox>("EdParcelas")->maximum(), 5);
        // A typed code shows its item; a code that is none shows nothing.
        digita("EdItem", QStringLiteral("892"));
        QCOMPARE(controle<QComboBox>("CbItem")->currentText(), QStringLiteral("Diferença de seguro-desemprego(892)"));
        digita("EdItem", QStringLiteral("5"));
        QCOMPARE(controle<QComboBox>("CbItem")->currentIndex(), -1);
        // Picking from the list sets the code.
        auto* cb = controle<QComboBox>("CbItem");
        const int i = cb->findText(QStringLiteral("Salário devido(010)"));
        QVERIFY(i >= 0);
        cb->setCurrentIndex(i);
        emit cb->activated(i);
        QCOMPARE(controle<QLineEdit>("EdItem")->text(), QStringLiteral("10"));
        // Digits only, two and four of them.
        digita("EdMes", QStringLiteral("1a23"));
        QCOMPARE(controle<QLineEdit>("EdMes")->text(), QStringLiteral("12"));
        // The year is completed on leaving its box.
        digita("EdAno", QStringLiteral("4"));
        emit controle<QLineEdit>("EdAno")->editingFinished();
        QCOMPARE(controle<QLineEdit>("EdAno")->text(), QStringLiteral("2004"));
        digita("EdAno", QString());
        controle<QLineEdit>("EdAno")->clear();
        emit controle<QLineEdit>("EdAno")->editingFinished();
        QCOMPARE(controle<QLineEdit>("EdAno")->text(), QStringLiteral("2000"));
        digita("EdAno", QStringLiteral("2003"));
        salario(QStringLiteral("1500,00"));
        teste::GuardaTela(janela.get(), QStringLiteral("TFSeguroDesemprego"));
    }

    void entradasRecusadasFicamComOFoco() {
        abre();
        preenche(QStringLiteral("5"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 1, false);
        confirma();
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Item de Cálculo Inválido!")});
        QCOMPARE(janela->focusWidget(), controle<QLineEdit>("EdItem"));

        digita("EdItem", QStringLiteral("892"));
        digita("EdMes", QStringLiteral("13"));
        confirma();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Mês Inválido!"));
        QCOMPARE(janela->focusWidget(), controle<QLineEdit>("EdMes"));

        controle<QLineEdit>("EdMes")->clear();
        confirma();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Mês Inválido!"));

        digita("EdMes", QStringLiteral("11"));
        salario(QStringLiteral("0"));
        confirma();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Valor do Salário Inválido!"));
        QCOMPARE(janela->focusWidget(), controle<QDoubleSpinBox>("EdSalario"));
        QVERIFY(janela->isVisible());
        QVERIFY(linhas(892).empty());

        // A month without the insurance figures stops with its message.
        digita("EdAno", QStringLiteral("1995"));
        salario(QStringLiteral("1500"));
        confirma();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("ERRO! Não há Valores do Seguro Desemprego para 11/1995!"));
        QVERIFY(janela->isVisible());
        QVERIFY(linhas(892).empty());
    }

    void mesmoMesEParcelado() {
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("03"), QStringLiteral("1500,00"), 3, false);
        confirma();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QVERIFY(!janela->isVisible());
        QCOMPARE(janela->result(), int(QDialog::Accepted));
        // 0.8 x 1000 + (1500 - 1000) / 2 = 1050, three times.
        QCOMPARE(linhas(892), (std::vector<Linha>{{11, 2003, 3150, ""}}));

        // In instalments each month takes its own limits.
        abre();
        preenche(QStringLiteral("893"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 3, true);
        confirma();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(linhas(893), (std::vector<Linha>{{11, 2003, 1050, ""}, {12, 2003, 1050, ""}, {1, 2004, 1080, ""}}));

        // Below the lower limit the benefit is 80 %, never under the minimum wage.
        abre();
        preenche(QStringLiteral("893"), QStringLiteral("2"), QStringLiteral("2004"), QStringLiteral("1000"), 1, false);
        valores(2004, 2, 900, 1000, 2000, 1200);
        confirma();
        QCOMPARE(linhas(893).back(), (Linha{2, 2004, 900, ""}));
    }

    void diferencaNegativaPerguntadaUmaVez() {
        abre();
        // Item 10 ends in 0: the choice comes up once for the three rows.
        int perguntas = 0;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, this, [&] {
            auto* d = qobject_cast<TFZerarOuCompensar*>(QApplication::activeModalWidget());
            if (!d) return;
            ++perguntas;
            d->findChild<QPushButton*>("BtCompensar")->click();
        });
        relogio.start(15);
        preenche(QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("2500"), 3, true);
        confirma();
        relogio.stop();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(perguntas, 1);
        const auto r = linhas(10);
        const std::vector<Linha> novas(r.begin(), r.begin() + 3);  // 2003/2004 come before the lawsuit's rows
        QCOMPARE(novas, (std::vector<Linha>{{11, 2003, 1200, "C"}, {12, 2003, 1300, "C"}, {1, 2004, 1400, "C"}}));
    }

    void sobreposicaoRespondidaDeCadaJeito() {
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 1, false);
        confirma();
        QCOMPARE(linhas(892).size(), size_t{1});

        teste::RespondeMensagens respostas;
        // Yes: the existing row goes, the new one comes.
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("2500"), 1, false);
        respostas.responde(QMessageBox::Yes);
        confirma();
        QCOMPARE(respostas.textos,
                 QStringList{QStringLiteral("Já existe item 892 cadastrado para o mes 11/2003.\n"
                                            "Deseja sobrepor os parâmetros existentes?")});
        QCOMPARE(linhas(892), (std::vector<Linha>{{11, 2003, 1200, ""}}));
        QVERIFY(!janela->isVisible());

        // No: both stay.
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 1, false);
        respostas.responde(QMessageBox::No);
        confirma();
        QCOMPARE(linhas(892).size(), size_t{2});
        QVERIFY(!janela->isVisible());

        // Cancel: in instalments the first month is asked and nothing is
        // added; the window stays open without a message.
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 2, true);
        respostas.responde(QMessageBox::Cancel);
        confirma();
        QCOMPARE(linhas(892).size(), size_t{2});
        QVERIFY(janela->isVisible());
        QVERIFY(registro.mensagens.isEmpty());
        QVERIFY(respostas.semRespostasPendentes());
    }

    void dataBaseInformadaComCodigo50() {
        // The lawsuit's default base-date code is 50.
        calculo->mensal.dtBasePadrao.dataBasePadrao = 50;
        abrePeriodo(calculo->mensal.dtBasePadrao);
        teste::RespondeMensagens respostas;
        abre();
        preenche(QStringLiteral("892"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 2, true);
        respostas.digita(QStringLiteral("31/11/2003"));
        respostas.digita(QStringLiteral("05/12/2003"));
        respostas.digita(QStringLiteral("06/01/2004"));
        confirma();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(respostas.textos, (QStringList{QStringLiteral("Data Base de Atualização da Verba (11/2003)"),
                                                QStringLiteral("Data Inválida!"),
                                                QStringLiteral("Data Base de Atualização da Verba (11/2003)"),
                                                QStringLiteral("Data Base de Atualização da Verba (12/2003)")}));
        Tabela a(inst->sessao->privado(), calculo->tabela('A'));
        a.abre();
        std::vector<Data> datas;
        for (a.primeiro(); !a.fim(); a.proximo())
            if (a.valor("Item").comoInteiro() == 892) datas.push_back(a.valor("DtBase").comoData());
        QCOMPARE(datas, (std::vector<Data>{Data::de(2003, 12, 5), Data::de(2004, 1, 6)}));
        QVERIFY(!janela->isVisible());

        // Cancelling the date adds nothing and keeps the window open.
        respostas.textos.clear();
        abre();
        preenche(QStringLiteral("893"), QStringLiteral("11"), QStringLiteral("2003"), QStringLiteral("1500"), 1, false);
        respostas.digita(QStringLiteral("\x1b"));
        confirma();
        QCOMPARE(respostas.textos, QStringList{QStringLiteral("Data Base de Atualização da Verba (11/2003)")});
        QVERIFY(linhas(893).empty());
        QVERIFY(janela->isVisible());
        QVERIFY(registro.mensagens.isEmpty());
    }
};

QTEST_MAIN(TFSeguroDesempregoTest)
#include "TFSeguroDesempregoTest.moc"
