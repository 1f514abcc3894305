// The salary-bases window over an imported calculation, driven as a user
// does: the one-month view with its month and year fixed, the months a new
// row proposes in the all-months view, the copy keys, and the refusal to
// close while a row is being edited.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "storage/Excecoes.h"
// The test support names the error presentation through korva::ui.
namespace korva::ui {
using korva::ApresentacaoErros;
}
#include "apoio/JanelasTeste.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "parameters/BasesSalariais.h"
#include "parameters/ui/TFBasesSalariais.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

// Types `texto` into the cell of `campo` on the current row and presses Enter.
void Digita(GradeTabela& grade, const char* campo, const QString& texto) {
    ModeloTabela* m = grade.modelo();
    grade.setFocus();
    grade.setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(campo)));
    QLineEdit* editor = nullptr;
    for (QChar c : texto) {
        QWidget* alvo = editor ? static_cast<QWidget*>(editor) : &grade;
        if (c.unicode() < 128) QTest::keyClick(alvo, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, alvo, Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (!editor)
            for (QLineEdit* e : grade.findChildren<QLineEdit*>())
                if (e->isVisible()) editor = e;
    }
    if (editor) QTest::keyClick(editor, Qt::Key_Return);
}

}  // namespace

class TFBasesSalariaisTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<CalculoAberto> calculo;
    std::unique_ptr<TFBasesSalariais> janela;
    teste::RegistroMensagens registro;

    void abre(int mes, int ano) {
        janela = std::make_unique<TFBasesSalariais>(*inst->sessao, calculo->tabela('I'), mes, ano);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void aperta(const char* botao) {
        QTest::mouseClick(janela->navegador().findChild<QToolButton*>(botao), Qt::LeftButton);
    }
    QString celula(const std::string& campo) {
        ModeloTabela& m = janela->modelo();
        return m.index(m.linhaAtual(), m.colunaDoCampo(campo)).data().toString();
    }
    void base(int mes, int ano, const std::string& descricao, double valor) {
        Tabela t(inst->sessao->privado(), calculo->tabela('I'));
        t.abre();
        t.insere();
        t["Mes"] = mes;
        t["Ano"] = ano;
        t["Descricao"] = descricao;
        t["Valor"] = valor;
        t.grava();
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = std::make_unique<CalculoAberto>(inst->importa("diferencas-salariais-horas-extras.json"));
        // The register creates table I before it opens the window.
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo->execucao.diretorio, calculo->execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo->execucao.arquivo), 8);
        BasesSalariais::EsqueceLinhaLembrada();
        base(5, 2003, "Salário Base", 1000);
        base(5, 2003, "Adicional Noturno", 150);
        base(6, 2003, "Salário Base", 1100);
        base(11, 2003, "Salário Base", 1200);
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela && janela->bases().tabela().aberta() && janela->bases().tabela().editando())
            janela->bases().tabela().cancela();
        janela.reset();
        DefineApresentacao(nullptr);
        calculo.reset();
        inst.reset();
    }

    void umMesMostraSoOMes() {
        // A row of 11/2003 is remembered first in the all-months view.
        abre(0, 0);
        janela->bases().tabela().ultimo();
        aperta("BtInserir");
        aperta("BtCancelar");
        janela->close();
        QVERIFY(!janela->isVisible());

        abre(5, 2003);
        QCOMPARE(janela->windowTitle(), QString::fromStdString("KORVA - Bases Salariais (" + calculo->tabela('I') + ")"));
        ModeloTabela& m = janela->modelo();
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Mês"));
        QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Descrição"));
        // Month and year cannot be typed into.
        QVERIFY(!(m.flags(m.index(0, m.colunaDoCampo("Mes"))) & Qt::ItemIsEditable));
        QVERIFY(!(m.flags(m.index(0, m.colunaDoCampo("Ano"))) & Qt::ItemIsEditable));
        QVERIFY(m.flags(m.index(0, m.colunaDoCampo("Valor"))) & Qt::ItemIsEditable);

        // A new row is of 05/2003 whatever was remembered; typing starts at the value.
        aperta("BtInserir");
        QCOMPARE(celula("Mes"), QStringLiteral("5"));
        QCOMPARE(celula("Ano"), QStringLiteral("2003"));
        QCOMPARE(janela->grade().currentIndex().column(), m.colunaDoCampo("Valor"));
        Digita(janela->grade(), "Valor", QStringLiteral("80,50"));
        Digita(janela->grade(), "Descricao", QStringLiteral("VALE ALIMENTAÇÃO"));
        aperta("BtGravar");
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(janela->bases().total(5, 2003), 1230.5);
        Tabela& t = janela->bases().tabela();
        QCOMPARE(t.valor("Descricao").comoTexto(), std::string("Vale Alimentação"));
        QCOMPARE(t.valor("Mes").comoInteiro(), int64_t{5});
        teste::GuardaTela(janela.get(), QStringLiteral("TFBasesSalariais"));
    }

    void todosOsMesesPropoemOsSeguintes() {
        abre(0, 0);
        ModeloTabela& m = janela->modelo();
        QCOMPARE(m.rowCount(), 4);
        janela->bases().tabela().ultimo();  // 11/2003
        QStringList propostos;
        for (int i = 0; i < 3; ++i) {
            aperta("BtInserir");
            propostos << celula("Mes") + "/" + celula("Ano");
            QCOMPARE(celula("Descricao"), QStringLiteral("Salário Base"));
            QCOMPARE(janela->grade().currentIndex().column(), m.colunaDoCampo("Valor"));
            aperta("BtGravar");
            QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        }
        QCOMPARE(propostos, (QStringList{"12/2003", "1/2004", "2/2004"}));
        QCOMPARE(janela->bases().total(2, 2004), 1200.0);

        // F4 copies the remembered row with the month after it; F3 on the
        // value copies only the value. A year typed with two digits is completed.
        aperta("BtInserir");
        Digita(janela->grade(), "Valor", QStringLiteral("1"));
        Digita(janela->grade(), "Ano", QStringLiteral("05"));
        QCOMPARE(celula("Ano"), QStringLiteral("2005"));
        janela->grade().setCurrentIndex(m.index(m.linhaAtual(), m.colunaDoCampo("Valor")));
        QTest::keyClick(&janela->grade(), Qt::Key_F3);
        QCOMPARE(janela->bases().tabela().valor("Valor").comoNumero(), 1200.0);
        QTest::keyClick(&janela->grade(), Qt::Key_F4);
        QCOMPARE(celula("Mes") + "/" + celula("Ano"), QStringLiteral("4/2004"));
        // A month out of range is refused and the row stays in insertion.
        Digita(janela->grade(), "Mes", QStringLiteral("13"));
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Mes inválido!")});
        QCOMPARE(janela->bases().tabela().estado(), EstadoTabela::Insercao);
    }

    void fechandoComLinhaEmEdicao() {
        abre(0, 0);
        aperta("BtInserir");
        janela->close();
        QVERIFY(janela->isVisible());
        QCOMPARE(registro.mensagens,
                 QStringList{QStringLiteral("Antes de fechar o formulário, cancele ou confirme a operação")});
        // Escape in the grid cancels the row; then the window closes.
        QTest::keyClick(&janela->grade(), Qt::Key_Escape);
        QCOMPARE(janela->bases().tabela().estado(), EstadoTabela::Navegacao);
        QTest::keyClick(&janela->grade(), Qt::Key_Escape);
        QVERIFY(!janela->isVisible());
        QVERIFY(!janela->bases().tabela().aberta());
    }
};

QTEST_MAIN(TFBasesSalariaisTest)
#include "TFBasesSalariaisTest.moc"
