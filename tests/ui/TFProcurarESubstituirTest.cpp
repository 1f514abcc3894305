// The find-and-replace dialog over the period rows and the month rows of an
// imported calculation, driven as a user does: the enabling of its boxes, the
// code list that takes the place of the value box, refused boxes with the
// focus on them, and runs through the grids' own rules (a field of the order
// changed without skipping rows, two conditions, every row, a base-date code
// that brings its date).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

#include "storage/Excecoes.h"
// The test support names the error presentation through korva::ui.
namespace korva::ui {
using korva::ApresentacaoErros;
}
#include "apoio/JanelasTeste.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/ui/TFProcurarESubstituir.h"
#include "storage/Tabela.h"
#include "util/Data.h"

using namespace korva;
using namespace korva::ui;

class TFProcurarESubstituirTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<CalculoAberto> calculo;
    std::unique_ptr<ParametrosPeriodo> periodo;
    std::unique_ptr<TabelasReferencia> referencia;
    std::unique_ptr<CalculoDtBase> dtBase;
    std::unique_ptr<TFProcurarESubstituir> dialogo;
    teste::RegistroMensagens registro;

    template <class W>
    W* controle(const char* nome) {
        W* w = dialogo->findChild<W*>(nome);
        if (!w) qFatal("controle %s", nome);
        return w;
    }
    void abre(ListaCamposProcura lista, Tabela& t) {
        dialogo = std::make_unique<TFProcurarESubstituir>(*inst->sessao, lista, t);
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
    }
    void campo(const char* lista, const QString& legenda) {
        auto* cb = controle<QComboBox>(lista);
        const int i = cb->findText(legenda);
        QVERIFY2(i >= 0, qPrintable(legenda));
        cb->setCurrentIndex(i);
    }
    void digita(const char* caixa, const QString& texto) {
        auto* ed = controle<QLineEdit>(caixa);
        ed->selectAll();
        QTest::keyClicks(ed, texto);
    }
    void substitui() { QTest::mouseClick(controle<QPushButton>("BtSubstituir"), Qt::LeftButton); }

    // Values of a field of the period rows with a given item, in the table's order.
    std::vector<double> doItem(int item, const char* nomeCampo) {
        std::vector<double> r;
        Tabela a(inst->sessao->privado(), calculo->tabela('A'));
        a.abre();
        a.defineIndice("IndItemAnoMes");
        for (a.primeiro(); !a.fim(); a.proximo())
            if (a.valor("Item").comoInteiro() == item)
                r.push_back(a.valor(nomeCampo).nulo() ? -1 : a.valor(nomeCampo).comoNumero());
        return r;
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = std::make_unique<CalculoAberto>(inst->importa("diferencas-salariais-horas-extras.json"));
        ParametrosPeriodo::EsqueceLinhaLembrada();
        periodo = std::make_unique<ParametrosPeriodo>(inst->sessao->privado(), calculo->tabela('A'),
                                                      calculo->mensal.dtBasePadrao, OrdemParametros::Periodo);
        periodo->abre();
        referencia = std::make_unique<TabelasReferencia>(inst->sessao->compartilhado());
        dtBase = std::make_unique<CalculoDtBase>(*referencia, calculo->mensal.dtBasePadrao);
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        dialogo.reset();
        DefineApresentacao(nullptr);
        periodo.reset();
        dtBase.reset();
        referencia.reset();
        calculo.reset();
        inst.reset();
    }

    void caixasSeguemAsLigacoesEOCampoDeCodigo() {
        abre(ListaCamposProcura::Periodo, periodo->tabela());
        QCOMPARE(dialogo->windowTitle(), QStringLiteral("KORVA - Procurar e Substituir"));
        QCOMPARE(controle<QComboBox>("CbCampo1")->count(), 11);
        QCOMPARE(controle<QComboBox>("CbCampo1")->currentText(), QStringLiteral("Item"));
        QVERIFY(controle<QPushButton>("BtSubstituir")->isDefault());
        // Only the first assignment and the first condition are open at first.
        QVERIFY(controle<QComboBox>("CbCondicao1")->isEnabled());
        QVERIFY(!controle<QLineEdit>("EdValor2")->isEnabled());
        QVERIFY(!controle<QLineEdit>("EdCondicao2")->isEnabled());
        QVERIFY(!controle<QCheckBox>("CkCondicao3")->isEnabled());

        controle<QCheckBox>("CkCondicao2")->click();
        QVERIFY(controle<QLineEdit>("EdCondicao2")->isEnabled());
        QVERIFY(controle<QCheckBox>("CkCondicao3")->isEnabled());
        controle<QCheckBox>("CkCondicao3")->click();
        QVERIFY(controle<QLineEdit>("EdCondicao3")->isEnabled());
        // Unticking the first "E" of the conditions unticks the second too.
        controle<QCheckBox>("CkCondicao2")->click();
        QVERIFY(!controle<QCheckBox>("CkCondicao3")->isChecked());
        QVERIFY(!controle<QLineEdit>("EdCondicao3")->isEnabled());
        // "Todos os registros" closes every condition.
        controle<QCheckBox>("CkTodos")->click();
        QVERIFY(!controle<QComboBox>("CbCondicao1")->isEnabled());
        QVERIFY(!controle<QLineEdit>("EdCondicao1")->isEnabled());
        QVERIFY(!controle<QCheckBox>("CkCondicao2")->isEnabled());
        controle<QCheckBox>("CkTodos")->click();
        QVERIFY(controle<QLineEdit>("EdCondicao1")->isEnabled());

        // The code entry puts the base-date descriptions where the value was.
        campo("CbCampo1", QStringLiteral("Data Base Padrão"));
        QVERIFY(controle<QLineEdit>("EdValor1")->isHidden());
        auto* codigos = controle<QComboBox>("CbCodigo1");
        QVERIFY(codigos->isVisible());
        QCOMPARE(codigos->count(), 7);  // the codes below 50
        QCOMPARE(codigos->currentText(), QStringLiteral("Último dia do mês não feriado"));
        QCOMPARE(codigos->findText(QStringLiteral("Data informada")), -1);
        campo("CbCampo1", QStringLiteral("Valor"));
        QVERIFY(codigos->isHidden());
        QVERIFY(controle<QLineEdit>("EdValor1")->isVisible());
        teste::GuardaTela(dialogo.get(), QStringLiteral("TFProcurarESubstituir"));

        // Cancelling changes nothing.
        const auto antes = doItem(10, "Valor");
        digita("EdValor1", QStringLiteral("1"));
        digita("EdCondicao1", QStringLiteral("10"));
        QTest::mouseClick(controle<QPushButton>("BtCancelar"), Qt::LeftButton);
        QVERIFY(!dialogo->isVisible());
        QCOMPARE(dialogo->result(), int(QDialog::Rejected));
        QCOMPARE(doItem(10, "Valor"), antes);
    }

    void caixasRecusadasFicamComOFoco() {
        abre(ListaCamposProcura::Periodo, periodo->tabela());
        const auto antes = doItem(10, "Valor");
        campo("CbCampo1", QStringLiteral("Valor"));
        substitui();
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Preencha o campo.")});
        QCOMPARE(dialogo->focusWidget(), controle<QLineEdit>("EdValor1"));

        QTest::qWait(450);
        digita("EdValor1", QStringLiteral("-65000"));
        digita("EdCondicao1", QStringLiteral("10"));
        substitui();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Valor inválido para o campo."));
        QCOMPARE(dialogo->focusWidget(), controle<QLineEdit>("EdValor1"));

        // The condition is an integer field: a decimal there is refused too.
        QTest::qWait(450);
        digita("EdValor1", QStringLiteral("3100,50"));
        digita("EdCondicao1", QStringLiteral("10,5"));
        substitui();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Valor inválido para o campo."));
        QCOMPARE(dialogo->focusWidget(), controle<QLineEdit>("EdCondicao1"));

        // The second condition's box is checked once its "E" is ticked.
        QTest::qWait(450);
        digita("EdCondicao1", QStringLiteral("10"));
        controle<QCheckBox>("CkCondicao2")->click();
        substitui();
        QCOMPARE(registro.mensagens.last(), QStringLiteral("Preencha o campo."));
        QCOMPARE(dialogo->focusWidget(), controle<QLineEdit>("EdCondicao2"));
        QVERIFY(dialogo->isVisible());
        QCOMPARE(doItem(10, "Valor"), antes);
    }

    void anoDaOrdemTrocadoSemPularLinhas() {
        // The grid is in period order; the two rows of 04/2022..12/2022 move
        // to the end of the order when their years change.
        periodo->tabela().primeiro();
        QCOMPARE(periodo->tabela().valor("Ano1").comoInteiro(), int64_t{2022});
        const int linhas = periodo->tabela().quantidade();
        abre(ListaCamposProcura::Periodo, periodo->tabela());
        campo("CbCampo1", QStringLiteral("Ano1"));
        digita("EdValor1", QStringLiteral("2025"));
        controle<QCheckBox>("CkE1")->click();
        campo("CbCampo2", QStringLiteral("Ano2"));
        digita("EdValor2", QStringLiteral("2025"));
        campo("CbCondicao1", QStringLiteral("Ano1"));
        digita("EdCondicao1", QStringLiteral("2022"));
        controle<QCheckBox>("CkCondicao2")->click();
        campo("CbCondicao2", QStringLiteral("Ano2"));
        digita("EdCondicao2", QStringLiteral("2022"));
        substitui();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QVERIFY(!dialogo->isVisible());
        QCOMPARE(dialogo->alteradas(), 2);
        QCOMPARE(periodo->tabela().quantidade(), linhas);
        QCOMPARE(doItem(2, "Ano1"), (std::vector<double>{2023, 2024, 2025}));
        QCOMPARE(doItem(10, "Ano1"), (std::vector<double>{2023, 2024, 2025}));
        QCOMPARE(doItem(10, "Ano2"), (std::vector<double>{2023, 2024, 2025}));
        // The other rows of 2022 (up to 2024) stay as they were.
        QCOMPARE(doItem(20, "Ano1"), std::vector<double>{2022});
    }

    void duasCondicoes() {
        abre(ListaCamposProcura::Periodo, periodo->tabela());
        campo("CbCampo1", QStringLiteral("Valor"));
        digita("EdValor1", QStringLiteral("3100,50"));
        digita("EdCondicao1", QStringLiteral("10"));
        controle<QCheckBox>("CkCondicao2")->click();
        campo("CbCondicao2", QStringLiteral("Ano1"));
        digita("EdCondicao2", QStringLiteral("2023"));
        substitui();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(dialogo->alteradas(), 1);
        QCOMPARE(doItem(10, "Valor"), (std::vector<double>{2850, 3100.5, 3200}));
        QCOMPARE(doItem(2, "Valor"), (std::vector<double>{2300, 2450, 2600}));
    }

    void todosOsRegistros() {
        const int linhas = periodo->tabela().quantidade();
        abre(ListaCamposProcura::Periodo, periodo->tabela());
        campo("CbCampo1", QStringLiteral("Divisor"));
        digita("EdValor1", QStringLiteral("220"));
        // The condition box is left empty: it is not checked while disabled.
        controle<QCheckBox>("CkTodos")->click();
        substitui();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(dialogo->alteradas(), linhas);
        // Every factor row now divides by 220.
        for (int item : {11, 13, 14, 15, 20, 21, 23, 24, 25, 26}) QCOMPARE(doItem(item, "Divisor"), std::vector<double>{220});
    }

    void codigoDaDataBaseNasLinhasMensais() {
        periodo->geraMensais(calculo->tabela('B'), *dtBase);
        ParametrosMensais mensais(inst->sessao->privado(), calculo->tabela('B'), *dtBase, OrdemParametros::Periodo);
        mensais.abre();
        abre(ListaCamposProcura::Mensal, mensais.tabela());
        QCOMPARE(controle<QComboBox>("CbCampo1")->count(), 9);
        campo("CbCampo1", QStringLiteral("Data Base Padrão"));
        controle<QComboBox>("CbCodigo1")->setCurrentText(QStringLiteral("Último dia do mês"));
        digita("EdCondicao1", QStringLiteral("20"));
        substitui();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(dialogo->alteradas(), 23);  // 04/2022 .. 02/2024

        Tabela b(inst->sessao->privado(), calculo->tabela('B'));
        b.abre();
        int doItem20 = 0;
        for (b.primeiro(); !b.fim(); b.proximo()) {
            const int codigo = static_cast<int>(b.valor("CodDataBasePadrao").comoInteiro());
            if (b.valor("Item").comoInteiro() != 20) {
                QCOMPARE(codigo, 5);
                continue;
            }
            ++doItem20;
            QCOMPARE(codigo, 1);
            // Code 1 dates the row on the last day of its month.
            const int mes = static_cast<int>(b.valor("Mes").comoInteiro());
            const int ano = static_cast<int>(b.valor("Ano").comoInteiro());
            const Data fim = Data::de(ano, mes, 1).fimDoMes();
            QCOMPARE(b.valor("DtBase").comoData(), fim);
            QVERIFY(!b.valor("Calculado").comoLogico());
        }
        QCOMPARE(doItem20, 23);
    }
};

QTEST_MAIN(TFProcurarESubstituirTest)
#include "TFProcurarESubstituirTest.moc"
