// The defaults dialog over a fresh installation: the damage message of a
// defaults table with two rows, a first use on an empty table (typed options,
// enabling rules, interest explanation, stored and shown again), and the
// default additions with their refusals and the pending-row close.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "register/DefaultsProcesso.h"
#include "register/ui/TFDefProcesso.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

class Registro : public ApresentacaoErros {
public:
    void beep() override {}
    void mostraInformacao(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraErro(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraCodigo(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    QStringList mensagens;
};

// With KORVA_TELAS naming a folder, the window is saved there as a picture
// (for looking at it under a real display).
void GuardaTela(QWidget* janela, const QString& nome) {
    const QString pasta = qEnvironmentVariable("KORVA_TELAS");
    if (pasta.isEmpty()) return;
    QTest::qWait(100);
    janela->grab().save(pasta + "/" + nome + ".png");
}

}  // namespace

class TFDefProcessoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::PastaTemporaria> pasta;
    std::unique_ptr<Sessao> sessao;
    std::unique_ptr<TFDefProcesso> janela;
    Registro registro;

    template <class T>
    T* controle(const char* nome) {
        T* c = janela->findChild<T*>(nome);
        if (!c) qFatal("controle %s ausente", nome);
        return c;
    }
    QToolButton* botao(const char* navegador, const char* nome) {
        return controle<NavegadorTabela>(navegador)->findChild<QToolButton*>(nome);
    }
    int linhasDefProcesso() {
        return static_cast<int>(sessao->privado().consulta("select count(*) from Tabela", {"DefProcesso.DB"})
                                    .front()[0]
                                    .comoInteiro());
    }
    std::unique_ptr<Tabela> padroesGravados() {
        auto t = std::make_unique<Tabela>(sessao->privado(), "DefProcesso.DB");
        t->abre();
        return t;
    }

    void abre() {
        janela = std::make_unique<TFDefProcesso>(*sessao);
        QVERIFY(janela->abre());
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }

    // Picks an entry of a drop-down with the keyboard, as a user does.
    void escolhe(QComboBox* combo, const QString& texto) {
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < combo->count() && combo->currentText() != texto; ++i) QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), texto);
    }

    // Types into the current row of the additions grid and presses Enter.
    void digitaAcrescimo(const std::string& campo, const QString& texto) {
        GradeTabela& g = janela->gradeAcrescimos();
        ModeloTabela& m = janela->modeloAcrescimos();
        g.setFocus();
        g.setCurrentIndex(m.index(m.linhaAtual(), m.colunaDoCampo(campo)));
        QTest::keyClicks(&g, texto.left(1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, texto.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void init() {
        pasta = std::make_unique<teste::PastaTemporaria>();
        Ambiente ambiente = Ambiente::Padrao(pasta->caminho(), "korva");
        Sessao::PrimeiraPartida(ambiente);
        sessao = std::make_unique<Sessao>(ambiente);
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela) {
            for (Tabela* t : {&janela->defaults().processo(), &janela->defaults().acrescimos()})
                if (t->aberta() && t->editando()) t->cancela();
        }
        janela.reset();
        DefineApresentacao(nullptr);
        sessao.reset();
        pasta.reset();
    }

    void duasLinhasMostramADanificacaoEFecham() {
        QCOMPARE(linhasDefProcesso(), 1);  // delivered with the installation
        {
            Tabela t(sessao->privado(), "DefProcesso.DB");
            t.abre();
            t.insere();
            t["Calculista"] = "Segunda Pessoa";
            t["AdicionarINSSRecte"] = false;
            t["CalculoJuros"] = 1;
            t["OpcaoIR"] = 1;
            t["IRSobreJuros"] = false;
            t["AnularReflexoNegativo"] = false;
            t.grava();
        }
        janela = std::make_unique<TFDefProcesso>(*sessao);
        QCOMPARE(janela->windowTitle(), QStringLiteral("KORVA - Valores padrão para os processos"));
        QCOMPARE(janela->exec(), int(QDialog::Rejected));
        QVERIFY(!janela->isVisible());
        QCOMPARE(registro.mensagens,
                 QStringList{QStringLiteral("Tabela de Parâmetros de processos danificada. Contate a Manutenção!")});
        QVERIFY(!janela->defaults().processo().aberta());
        QVERIFY(!janela->defaults().acrescimos().aberta());
        QCOMPARE(linhasDefProcesso(), 2);
    }

    void primeiroUsoDigitaRegrasEGrava() {
        sessao->privado().executa("DefProcesso.DB", "delete from Tabela");
        abre();
        QCOMPARE(controle<QTabWidget>("PgPadroes")->currentIndex(), 0);
        QCOMPARE(janela->defaults().processo().estado(), EstadoTabela::Insercao);

        // Single rate: the claimant's rate is entered only with it.
        auto* taxaReclamante = controle<QLineEdit>("EdINSSReclamante");
        QTest::mouseClick(controle<QRadioButton>("RbAliquotaUnica0"), Qt::LeftButton);
        QVERIFY(!taxaReclamante->isEnabled());
        QTest::mouseClick(controle<QRadioButton>("RbAliquotaUnica1"), Qt::LeftButton);
        QVERIFY(taxaReclamante->isEnabled());
        taxaReclamante->setFocus();
        QTest::keyClicks(taxaReclamante, "8,5");
        QTest::keyClick(taxaReclamante, Qt::Key_Tab);
        QCOMPARE(taxaReclamante->text(), QStringLiteral("8,50"));
        auto* reclamado = controle<QLineEdit>("EdINSSReclamado");
        reclamado->setFocus();
        QTest::keyClicks(reclamado, "20");
        QTest::keyClick(reclamado, Qt::Key_Tab);

        // Income tax on interest only when the tax is worked out.
        auto* irJuros = controle<QCheckBox>("CbIRSobreJuros");
        QVERIFY(!irJuros->isEnabled());  // a new row: "Não calcular"
        QTest::mouseClick(controle<QRadioButton>("RbOpcaoIR3"), Qt::LeftButton);
        QVERIFY(irJuros->isEnabled());
        QTest::mouseClick(irJuros, Qt::LeftButton);
        QVERIFY(irJuros->isChecked());

        // Second page: the name formatted as typed, the holiday options follow the base date.
        controle<QTabWidget>("PgPadroes")->setCurrentIndex(1);
        auto* calculista = controle<QLineEdit>("EdCalculista");
        calculista->setFocus();
        QTest::keyClicks(calculista, "PEDRO DE ALCANTARA");
        QTest::keyClick(calculista, Qt::Key_Tab);
        QCOMPARE(calculista->text(), QStringLiteral("Pedro de Alcantara"));
        auto* feriados = controle<QGroupBox>("GbFeriados");
        escolhe(controle<QComboBox>("CbDataBasePadrao"), QStringLiteral("Data informada"));
        QVERIFY(!feriados->isEnabled());
        escolhe(controle<QComboBox>("CbDataBasePadrao"), QStringLiteral("1º dia útil do mês seguinte"));
        QVERIFY(feriados->isEnabled());
        QTest::mouseClick(controle<QCheckBox>("CbAtualizaFeriadosNacionais"), Qt::LeftButton);
        auto* principal = controle<QComboBox>("CbIndPrincipal");
        QVERIFY(principal->count() > 0);
        escolhe(principal, principal->itemText(principal->count() - 1));

        // The interest explanation follows the mode.
        auto* explicacao = controle<QLabel>("LbExplicacaoJuros");
        QVERIFY(explicacao->text().startsWith(QStringLiteral("Observar variação legal dos juros:")));
        QTest::mouseClick(controle<QRadioButton>("RbCalculoJuros2"), Qt::LeftButton);
        QCOMPARE(explicacao->text(),
                 QStringLiteral("Informe na tabela própria a variação a ser observada para o cálculo dos juros"));

        // The rate still being typed goes in when the row is stored.
        controle<QTabWidget>("PgPadroes")->setCurrentIndex(0);
        auto* terceiros = controle<QLineEdit>("EdINSSTerceiros");
        terceiros->setFocus();
        QTest::keyClicks(terceiros, "5,8");
        QTest::mouseClick(botao("NavProcesso", "BtGravar"), Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(janela->defaults().processo().estado(), EstadoTabela::Navegacao);
        QVERIFY(janela->close());
        QCOMPARE(linhasDefProcesso(), 1);

        const auto gravados = padroesGravados();
        Tabela& t = *gravados;
        QCOMPARE(t.valor("Calculista").comoTexto(), std::string("Pedro de Alcantara"));
        QVERIFY(t.valor("AliquotaUnica").comoLogico());
        QCOMPARE(t.valor("INSSReclamante").comoNumero(), 8.5);
        QCOMPARE(t.valor("INSSReclamado").comoNumero(), 20.0);
        QCOMPARE(t.valor("INSSTerceiros").comoNumero(), 5.8);
        QCOMPARE(t.valor("OpcaoIR").comoInteiro(), int64_t{3});
        QVERIFY(t.valor("IRSobreJuros").comoLogico());
        QCOMPARE(t.valor("DataBasePadrao").comoInteiro(), int64_t{5});
        QVERIFY(t.valor("AtualizaFeriadosNacionais").comoLogico());
        QCOMPARE(t.valor("CalculoJuros").comoInteiro(), int64_t{2});
        QCOMPARE(QString::fromStdString(
                     sessao->compartilhado()
                         .consulta("select Nome from Tabela where Codigo = " +
                                       std::to_string(t.valor("IndPrincipal").comoInteiro()),
                                   {"NomeIndiceDiario.DB"})
                         .front()[0]
                         .comoTexto()),
                 principal->itemText(principal->count() - 1));

        // Opened again: the stored row, in browse, shown in the fields.
        abre();
        QCOMPARE(janela->defaults().processo().estado(), EstadoTabela::Navegacao);
        QCOMPARE(controle<QLineEdit>("EdINSSReclamante")->text(), QStringLiteral("8,50"));
        QVERIFY(controle<QRadioButton>("RbOpcaoIR3")->isChecked());
        QVERIFY(controle<QRadioButton>("RbCalculoJuros2")->isChecked());
        QCOMPARE(controle<QComboBox>("CbDataBasePadrao")->currentText(), QStringLiteral("1º dia útil do mês seguinte"));
        GuardaTela(janela.get(), QStringLiteral("TFDefProcesso"));
        controle<QTabWidget>("PgPadroes")->setCurrentIndex(1);
        GuardaTela(janela.get(), QStringLiteral("TFDefProcessoAtualizacao"));
    }

    void acrescimosPadraoComRecusasEFechamento() {
        abre();
        ModeloTabela& m = janela->modeloAcrescimos();
        Tabela& a = janela->defaults().acrescimos();
        const int antes = a.quantidade();
        QTest::mouseClick(botao("NavAcrescimos", "BtInserir"), Qt::LeftButton);
        QCOMPARE(janela->gradeAcrescimos().currentIndex().column(), m.colunaDoCampo("Descricao"));
        digitaAcrescimo("Descricao", QStringLiteral("Multa convencional"));
        digitaAcrescimo("Valor", QStringLiteral("10"));
        digitaAcrescimo("Tipo", QStringLiteral("p"));
        QCOMPARE(a.valor("Tipo").comoTexto(), std::string("P"));
        digitaAcrescimo("DtBase", QStringLiteral("01/01/2020"));
        digitaAcrescimo("LimMinimo", QStringLiteral("5"));
        digitaAcrescimo("LimMaximo", QStringLiteral("3"));
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Limite mínimo não pode ser maior que limite máximo!")});
        QCOMPARE(a.estado(), EstadoTabela::Insercao);
        QTest::qWait(450);
        digitaAcrescimo("LimMaximo", QStringLiteral("0"));
        QCOMPARE(registro.mensagens.size(), 1);

        // Closing with the addition pending is refused.
        QVERIFY(!janela->close());
        QCOMPARE(registro.mensagens.size(), 2);
        QCOMPARE(registro.mensagens[1], QStringLiteral("Antes de fechar o formulário, cancele ou confirme a operação"));
        QTest::qWait(450);

        // A percentage loses its base date when stored.
        QTest::mouseClick(botao("NavAcrescimos", "BtGravar"), Qt::LeftButton);
        QCOMPARE(registro.mensagens.size(), 2);
        QCOMPARE(a.estado(), EstadoTabela::Navegacao);
        QVERIFY(a.valor("DtBase").nulo());
        QCOMPARE(a.quantidade(), antes + 1);

        // An amount without a base date is refused and the grid goes to that column.
        QTest::mouseClick(botao("NavAcrescimos", "BtInserir"), Qt::LeftButton);
        digitaAcrescimo("Descricao", QStringLiteral("Honorarios"));
        digitaAcrescimo("Valor", QStringLiteral("1500"));
        digitaAcrescimo("Tipo", QStringLiteral("x"));
        QCOMPARE(registro.mensagens.size(), 3);
        QCOMPARE(registro.mensagens[2], QStringLiteral("Valor Inválido para o Campo!"));
        QTest::qWait(450);
        digitaAcrescimo("Tipo", QStringLiteral("v"));
        digitaAcrescimo("LimMinimo", QStringLiteral("2"));
        QTest::mouseClick(botao("NavAcrescimos", "BtGravar"), Qt::LeftButton);
        QCOMPARE(registro.mensagens.size(), 4);
        QCOMPARE(registro.mensagens[3], QStringLiteral("Campo obrigatório não preenchido ou preenchido incorretamente."));
        QCOMPARE(a.estado(), EstadoTabela::Insercao);
        QTRY_COMPARE(janela->gradeAcrescimos().currentIndex().column(), m.colunaDoCampo("DtBase"));
        digitaAcrescimo("DtBase", QStringLiteral("15/03/2021"));
        QTest::mouseClick(botao("NavAcrescimos", "BtGravar"), Qt::LeftButton);
        QCOMPARE(a.estado(), EstadoTabela::Navegacao);
        QCOMPARE(a.valor("LimMinimo").comoNumero(), 0.0);  // an amount has no limits
        QCOMPARE(a.quantidade(), antes + 2);
        GuardaTela(janela.get(), QStringLiteral("TFDefProcessoAcrescimos"));
        QVERIFY(janela->close());
        QVERIFY(!a.aberta());
        QCOMPARE(registro.mensagens.size(), 4);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFDefProcessoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFDefProcessoTest.moc"
