// The schedule window over a calculation imported from a sample document:
// the three buttons refused on an empty table (nothing opens, table G not
// made), the defaults of a new schedule in the grid and the panel, the field
// rules that keep the row in edit, the buttons off while editing, the card
// windows opened on the schedule's period (G made first, one shift showing
// only Ent1/Sai1), the generation's refusal that writes nothing, and the
// refusal to close with a pending schedule.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/Configuracoes.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/Cartoes.h"
#include "timecards/GeracaoCartoes.h"
#include "timecards/Jornadas.h"
#include "timecards/ui/TFCartoes.h"
#include "timecards/ui/TFGeraCartao.h"
#include "timecards/ui/TFJornada.h"
#include "timecards/ui/TFPrintReport.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TFJornadaTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    CalculoAberto calculo;
    std::unique_ptr<TFJornada> janela;
    teste::RegistroMensagens registro;

    Tabela& tabela() { return janela->jornadas().tabela(); }
    ModeloTabela& modelo() { return janela->modelo(); }
    GradeTabela& grade() { return janela->grade(); }
    QPushButton* botao(const char* nome) { return janela->findChild<QPushButton*>(nome); }
    QToolButton* navegador(const char* nome) { return janela->navegador().findChild<QToolButton*>(nome); }
    QString celula(const std::string& campo) {
        return modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)).data().toString();
    }
    QString mensagens() { return registro.mensagens.join('|'); }
    // The handler shows a repeated message only once within a short time.
    void limpaMensagens() {
        QTest::qWait(450);
        registro.mensagens.clear();
    }
    bool existeG() {
        return std::filesystem::exists(inst->sessao->privado().caminho(calculo.tabela('G')));
    }

    void abre() {
        janela = std::make_unique<TFJornada>(*inst->sessao, calculo);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }

    // Types into the cell of `campo` on the current row as a user does and presses Enter.
    void digita(const std::string& campo, const QString& texto) {
        grade().setFocus();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)));
        QTest::keyClick(&grade(), texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY2(editor && editor != &grade(), campo.c_str());
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(texto);
        } else {
            auto* linha = qobject_cast<QLineEdit*>(editor);
            QVERIFY(linha);
            for (const QChar c : texto.mid(1)) QTest::keyClick(linha, c.toLatin1());
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void insere() {
        QTest::mouseClick(navegador("BtInserir"), Qt::LeftButton);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
    }
    void grava() { QTest::mouseClick(navegador("BtGravar"), Qt::LeftButton); }

    // A stored schedule from `de` to `ate` with that many shifts.
    void jornada(const char* de, const char* ate, int turnos) {
        insere();
        digita("Data1", Q(de));
        digita("Data2", Q(ate));
        QVERIFY(modelo().defineCampo("Turnos", Valor(int64_t{turnos})));
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(!tabela().editando());
    }

    // Runs `acao` on the first modal window of class W that comes up, then
    // closes it; returns whether one came up.
    template <class W>
    bool quandoAbrir(QAbstractButton* bt, const std::function<void(W*)>& acao) {
        bool veio = false;
        QTimer vigia;
        connect(&vigia, &QTimer::timeout, this, [&] {
            if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
                vigia.stop();
                veio = true;
                acao(w);
                if (w->isVisible()) w->close();
            }
        });
        vigia.start(20);
        // A bounded wait in case the window never closes.
        QTimer::singleShot(10000, this, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->hide();
        });
        QTest::mouseClick(bt, Qt::LeftButton);
        return veio;
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = inst->importa("diferencas-salariais-horas-extras.json");
        // Table F as the register makes it before opening the window; G is left to the buttons.
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('F', calculo.execucao.arquivo), TipoDaLetra('F'));
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela && tabela().aberta() && tabela().editando()) tabela().cancela();
        janela.reset();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void botoesNumaTabelaVazia() {
        abre();
        QCOMPARE(janela->windowTitle(), Q("KORVA - Jornadas de Trabalho (") + QString::fromStdString(calculo.tabela('F')) + ")");
        QCOMPARE(modelo().rowCount(), 0);
        for (const char* nome : {"BtGerar", "BtDigitar", "BtRelatorios"}) {
            QVERIFY(botao(nome)->isEnabled());
            bool abriu = false;
            QTimer vigia;
            connect(&vigia, &QTimer::timeout, this, [&] {
                if (QWidget* w = QApplication::activeModalWidget(); w && w != janela.get()) {
                    abriu = true;
                    w->close();
                }
            });
            vigia.start(20);
            QTest::mouseClick(botao(nome), Qt::LeftButton);
            QTest::qWait(60);
            QVERIFY2(!abriu, nome);
            QCOMPARE(mensagens(), Q("Cadastre uma jornada antes de selecionar esta opção!"));
            limpaMensagens();
        }
        // Nothing was made for the cards either.
        QVERIFY(!existeG());
        // The panel has no schedule to show.
        QVERIFY(!janela->campoPainel("PrevHE1")->isEnabled());
    }

    void novaJornadaMostraOsPadroes() {
        abre();
        insere();
        QCOMPARE(grade().currentIndex().column(), modelo().colunaDoCampo("Data1"));
        QCOMPARE(celula("JornDiaria"), Q("08:00"));
        QCOMPARE(celula("JornSabado"), Q("04:00"));
        QCOMPARE(celula("Intervalo"), Q("00:00"));
        QCOMPARE(celula("HENot"), Q("22:00"));
        QCOMPARE(celula("HSNot"), Q("05:00"));
        QCOMPARE(celula("Turnos"), Q("2"));
        QCOMPARE(celula("Apuracao"), Q("D"));
        QCOMPARE(celula("HorasSemanais"), Q("44,00"));
        QVERIFY(!tabela().valor("HabilitarTolerancia").comoLogico());
        // The panel shows the scheduled times and tolerances of the new row.
        const struct {
            const char* campo;
            const char* texto;
        } painel[] = {{"PrevHE1", "08:00"}, {"PrevHS1", "12:00"}, {"PrevHE2", "14:00"}, {"PrevHS2", "18:00"},
                      {"TolAntHE1", "00:05"}, {"TolDepHS2", "00:05"}, {"PrevHE3", "00:00"}, {"TolAntHS3", "00:00"},
                      {"PrevHS4", "00:00"}, {"TolDepHE4", "00:00"}};
        for (const auto& p : painel) {
            QLineEdit* ed = janela->campoPainel(p.campo);
            QVERIFY2(ed && ed->isEnabled(), p.campo);
            QCOMPARE(ed->text(), Q(p.texto));
        }
        // The three buttons are off while the schedule is being edited.
        for (const char* nome : {"BtGerar", "BtDigitar", "BtRelatorios"}) QVERIFY(!botao(nome)->isEnabled());
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        QVERIFY(!tabela().editando());
        for (const char* nome : {"BtGerar", "BtDigitar", "BtRelatorios"}) QVERIFY(botao(nome)->isEnabled());
        QVERIFY(registro.mensagens.isEmpty());
    }

    void regrasDosCamposMantemALinha() {
        abre();
        insere();
        digita("Data1", "10/03/2004");
        digita("Data2", "09/03/2004");
        QVERIFY(!modelo().defineCampo("Turnos", Valor(int64_t{5})));
        QCOMPARE(mensagens(), Q("Preencha o campo Turnos com 1, 2, 3 ou 4."));
        QCOMPARE(tabela().valor("Turnos").comoInteiro(), int64_t{2});
        limpaMensagens();
        QVERIFY(!modelo().defineCampo("Turnos", Valor(int64_t{0})));
        QCOMPARE(mensagens(), Q("Preencha o campo Turnos com 1, 2, 3 ou 4."));
        limpaMensagens();
        QVERIFY(!modelo().defineCampo("Apuracao", Valor("X")));
        QCOMPARE(mensagens(), Q("Preencha o campo Apuração com (S)emanal ou (D)iária."));
        limpaMensagens();
        digita("Apuracao", "s");
        QCOMPARE(tabela().valor("Apuracao").comoTexto(), std::string("S"));

        // A scheduled time typed in the panel goes into the row.
        QLineEdit* ed = janela->campoPainel("PrevHE1");
        ed->setFocus();
        ed->selectAll();
        QTest::keyClicks(ed, "0730");
        QTest::keyClick(ed, Qt::Key_Tab);
        QCOMPARE(tabela().valor("PrevHE1").comoNumero() * 1440, 450.0);
        QVERIFY(tabela().editando());

        // The end before the start cannot be stored; the row stays for correcting.
        grava();
        QCOMPARE(mensagens(), Q("Período ínválido para a Jornada!"));
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        limpaMensagens();
        digita("Data2", "10/03/2004");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(!tabela().editando());
        QCOMPARE(janela->campoPainel("PrevHE1")->text(), Q("07:30"));

        // A second schedule starting on the same day is refused by the key.
        insere();
        digita("Data1", "10/03/2004");
        digita("Data2", "20/03/2004");
        grava();
        QVERIFY(!registro.mensagens.isEmpty());
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        QCOMPARE(tabela().quantidade(), 1);
    }

    void digitarCartoesComUmTurno() {
        abre();
        jornada("01/03/2004", "31/05/2004", 1);
        QVERIFY(!existeG());
        QStringList visiveis;
        QString titulo;
        const bool veio = quandoAbrir<TFCartoes>(botao("BtDigitar"), [&](TFCartoes* c) {
            titulo = c->windowTitle();
            for (int i = 0; i < c->modelo().columnCount(); ++i)
                if (!c->grade().isColumnHidden(i)) visiveis << c->modelo().headerData(i, Qt::Horizontal).toString();
            QCOMPARE(c->cartoes().data1(), Data::de(2004, 3, 1));
            QCOMPARE(c->cartoes().data2(), Data::de(2004, 5, 31));
            teste::GuardaTela(c, "TFCartoes");
        });
        QVERIFY(veio);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(existeG());
        QCOMPARE(titulo, Q("KORVA - Marcações de Ponto (") + QString::fromStdString(calculo.tabela('G')) + ")");
        QCOMPARE(visiveis, (QStringList{"Data", "Dia", "Entrada 1", Q("Saída 1"), Q("Situação")}));

        // With four shifts every punch column is shown, over the cards of the
        // period only.
        OpcoesGeracaoCartoes o;
        o.de = Data::de(2004, 5, 27);
        o.ate = Data::de(2004, 6, 2);
        o.semana = {"08:00", "12:00", "13:00", "17:00", "18:00", "20:00", "22:00", "23:30"};
        o.sabado = {"08:00", "12:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
        o.inserirSabados = true;
        GeraCartoes(inst->sessao->privado(), calculo.tabela('G'), o.de, o.ate, o, [](Data) { return false; });
        QVERIFY(modelo().defineCampo("Turnos", Valor(int64_t{4})));
        QVERIFY(modelo().grava());
        int colunas = 0, linhas = 0;
        QString ultima;
        QVERIFY(quandoAbrir<TFCartoes>(botao("BtDigitar"), [&](TFCartoes* c) {
            for (int i = 0; i < c->modelo().columnCount(); ++i) colunas += c->grade().isColumnHidden(i) ? 0 : 1;
            linhas = c->modelo().rowCount();
            ultima = c->modelo().index(linhas - 1, 0).data().toString() + " " +
                     c->modelo().index(linhas - 1, 1).data().toString();
            teste::GuardaTela(c, "TFCartoes-quatro-turnos");
        }));
        QCOMPARE(colunas, 11);
        QCOMPARE(linhas, 4);  // 27, 28, 29 (Saturday) and 31/05; Sunday not inserted
        QCOMPARE(ultima, Q("31/05/2004 Seg."));
    }

    void geracaoRecusaHorarioInvalidoSemGravar() {
        abre();
        jornada("01/03/2004", "31/05/2004", 2);
        QString periodo, mensagem;
        bool aberta = false;
        QVERIFY(quandoAbrir<TFGeraCartao>(botao("BtGerar"), [&](TFGeraCartao* g) {
            periodo = g->findChild<QLabel*>("LbPeriodo")->text();
            QCOMPARE(g->findChild<QDateEdit*>("EdDataIni")->date(), QDate(2004, 3, 1));
            QCOMPARE(g->findChild<QDateEdit*>("EdDataFim")->date(), QDate(2004, 5, 31));
            g->horario(0, 0)->setText("08:00");
            g->horario(0, 1)->setText("12:00");
            g->horario(1, 0)->setText("25:00");
            QTest::mouseClick(g->findChild<QPushButton*>("BtOk"), Qt::LeftButton);
            mensagem = mensagens();
            aberta = g->isVisible();
        }));
        QCOMPARE(periodo, Q("Período: 01/03/2004 a 31/05/2004"));
        QCOMPARE(mensagem, Q("Valor inválido para o campo Entrada 1 do Sábado"));
        QVERIFY(aberta);
        QVERIFY(existeG());
        Tabela g(inst->sessao->privado(), calculo.tabela('G'));
        g.abre(ModoAbertura::SomenteLeitura);
        QCOMPARE(g.quantidade(), 0);
    }

    void relatoriosAbremOEscolhedor() {
        abre();
        jornada("01/03/2004", "31/03/2004", 2);
        QVERIFY(quandoAbrir<TFPrintReport>(botao("BtRelatorios"), [](TFPrintReport*) {}));
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
    }

    void naoFechaComOperacaoPendente() {
        abre();
        jornada("01/03/2004", "31/03/2004", 2);
        jornada("01/04/2004", "30/04/2004", 3);
        QCOMPARE(modelo().rowCount(), 2);
        teste::GuardaTela(janela.get(), "TFJornada");
        digita("HorasSemanais", "40");
        QVERIFY(tabela().editando());
        janela->close();
        QApplication::processEvents();
        QVERIFY(janela->isVisible());
        QCOMPARE(mensagens(), Q("Antes de fechar o formulário, cancele ou confirme a operação"));
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        janela->close();
        QApplication::processEvents();
        QVERIFY(!janela->isVisible());
        QVERIFY(!tabela().aberta());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFJornadaTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFJornadaTest.moc"
