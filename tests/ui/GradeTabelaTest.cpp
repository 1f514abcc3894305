// The table model, grid and navigator shared by every window: the model
// checked by Qt's model tester through browse, insert, edit, post, cancel and
// delete; a value a validator refuses keeps the row in edit with the input
// and shows the message; keys of the grid; navigator states.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "apoio/PastaTemporaria.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

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

DefTabela Verbas() {
    DefTabela d;
    d.campos = {CampoAutoinc("Codigo", true), CampoString("Nome", 20, true), CampoString("Tipo", 1),
                CampoFloat("Valor"), CampoDate("Data"), CampoBoolean("Ativa")};
    d.indices = {IndicePrimario({"Codigo"}), IndiceSecundario("IndNome", {"Nome"}, false, true)};
    return d;
}

std::vector<ColunaGrade> Colunas() {
    std::vector<ColunaGrade> c(6);
    c[0].campo = "Codigo";
    c[0].somenteLeitura = true;
    c[1].campo = "Nome";
    c[1].titulo = QStringLiteral("Nome da Verba");
    c[2].campo = "Tipo";
    c[2].maiusculas = true;
    c[3].campo = "Valor";
    c[3].formato = QStringLiteral("#,##0.00");
    c[4].campo = "Data";
    c[5].campo = "Ativa";
    return c;
}

}  // namespace

class GradeTabelaTest : public QObject {
    Q_OBJECT
    teste::PastaTemporaria pasta;
    std::unique_ptr<Banco> banco;
    std::unique_ptr<Tabela> tabela;
    Registro registro;

    void inclui(const char* nome, double valor) {
        tabela->insere();
        (*tabela)["Nome"] = std::string(nome);
        (*tabela)["Valor"] = valor;
        tabela->grava();
    }

private slots:
    void init() {
        banco = std::make_unique<Banco>("T", pasta.caminho());
        if (!banco->existe("Verbas.DB")) banco->criaTabela("Verbas.DB", Verbas());
        banco->executa("Verbas.DB", "delete from Tabela");
        tabela = std::make_unique<Tabela>(*banco, "Verbas.DB");
        tabela->abre();
        tabela->defineIndice("IndNome");
        tabela->validaCampo("Tipo", [](Tabela&, const Valor& v) {
            if (!v.nulo() && v.comoTexto() != "V" && v.comoTexto() != "P") throw ErroKorva("Valor Inválido para o Campo!");
        });
        inclui("Salário", 1500.5);
        inclui("Horas extras", -20);
        inclui("Adicional", 1234567.891);
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        DefineApresentacao(nullptr);
        tabela.reset();
        banco.reset();
    }

    void oModeloPassaNoTesteDoQtEmTodaOperacao() {
        ModeloTabela modelo(*tabela, Colunas());
        QAbstractItemModelTester tester(&modelo, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(modelo.rowCount(), 3);
        QCOMPARE(modelo.columnCount(), 6);
        // Order of the dataset (by name) and its formats.
        QCOMPARE(modelo.index(0, 1).data().toString(), QStringLiteral("Adicional"));
        QCOMPARE(modelo.index(0, 3).data().toString(), QStringLiteral("1.234.567,89"));
        QCOMPARE(modelo.index(1, 3).data().toString(), QStringLiteral("-20,00"));
        QCOMPARE(modelo.index(1, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        QCOMPARE(modelo.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nome da Verba"));
        QVERIFY(!(modelo.flags(modelo.index(0, 0)) & Qt::ItemIsEditable));

        QVERIFY(modelo.vaiPara(2));
        QCOMPARE(tabela->valor("Nome").comoTexto(), std::string("Salário"));
        QVERIFY(modelo.insere());
        QCOMPARE(modelo.rowCount(), 4);
        QCOMPARE(modelo.linhaAtual(), 2);
        QVERIFY(modelo.setData(modelo.index(2, 1), QStringLiteral("Bônus")));
        QVERIFY(modelo.setData(modelo.index(2, 3), QStringLiteral("2.500,75")));
        QVERIFY(modelo.setData(modelo.index(2, 4), QStringLiteral("31/01/2009")));
        QVERIFY(modelo.setData(modelo.index(2, 5), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(modelo.index(2, 3).data().toString(), QStringLiteral("2.500,75"));
        QVERIFY(modelo.grava());
        QCOMPARE(modelo.rowCount(), 4);
        QCOMPARE(modelo.index(modelo.linhaAtual(), 1).data().toString(), QStringLiteral("Bônus"));
        QCOMPARE(tabela->valor("Data").comoData(), Data::de(2009, 1, 31));
        QVERIFY(tabela->valor("Ativa").comoLogico());

        // An insertion cancelled removes its row; an edit cancelled restores the values.
        QVERIFY(modelo.insere());
        QCOMPARE(modelo.rowCount(), 5);
        QVERIFY(modelo.cancela());
        QCOMPARE(modelo.rowCount(), 4);
        QVERIFY(modelo.setData(modelo.index(0, 3), QStringLiteral("1,5")));
        QVERIFY(tabela->editando());
        QVERIFY(modelo.cancela());
        QCOMPARE(modelo.index(0, 3).data().toString(), QStringLiteral("1.234.567,89"));
        // Moving to another row stores the pending edit.
        QVERIFY(modelo.setData(modelo.index(0, 3), QStringLiteral("10")));
        QVERIFY(modelo.vaiPara(3));
        QVERIFY(!tabela->editando());
        QCOMPARE(modelo.index(0, 3).data().toString(), QStringLiteral("10,00"));
        QVERIFY(modelo.vaiPara(0));
        QVERIFY(modelo.exclui());
        QCOMPARE(modelo.rowCount(), 3);
        QVERIFY(registro.mensagens.isEmpty());
    }

    void umValorRecusadoMantemALinhaEmEdicaoComODigitado() {
        ModeloTabela modelo(*tabela, Colunas());
        QAbstractItemModelTester tester(&modelo, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(modelo.setData(modelo.index(1, 1), QStringLiteral("Horas extras 50%")));
        QVERIFY(!modelo.setData(modelo.index(1, 2), QStringLiteral("x")));
        QCOMPARE(registro.mensagens.size(), 1);
        QVERIFY(registro.mensagens[0].contains(QStringLiteral("Valor Inválido para o Campo!")));
        QVERIFY(tabela->editando());
        QCOMPARE(modelo.index(1, 1).data().toString(), QStringLiteral("Horas extras 50%"));
        QTest::qWait(450);  // the handler shows one message per moment
        QVERIFY(!modelo.setData(modelo.index(1, 3), QStringLiteral("doze")));
        QCOMPARE(registro.mensagens.size(), 2);
        // A store the core refuses (a required field left empty) keeps the row and its input.
        QVERIFY(modelo.insere());
        QVERIFY(modelo.setData(modelo.index(modelo.linhaAtual(), 3), QStringLiteral("7")));
        QTest::qWait(450);
        QVERIFY(!modelo.grava());
        QCOMPARE(registro.mensagens.size(), 3);
        QCOMPARE(tabela->estado(), EstadoTabela::Insercao);
        QCOMPARE(modelo.index(modelo.linhaAtual(), 3).data().toString(), QStringLiteral("7,00"));
        // Leaving the row is refused as well: the cursor stays on it.
        const int linha = modelo.linhaAtual();
        QVERIFY(!modelo.vaiPara(0));
        QCOMPARE(modelo.linhaAtual(), linha);
        QVERIFY(modelo.cancela());
        QCOMPARE(tabela->quantidade(), 3);
    }

    void aGradeSegueOCursorEnterAvancaEMaiusculasNosCodigos() {
        ModeloTabela modelo(*tabela, Colunas());
        GradeTabela grade;
        grade.defineModelo(&modelo);
        grade.resize(700, 300);
        grade.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grade));
        tabela->ultimo();
        QCOMPARE(grade.currentIndex().row(), 2);
        // Clicking a row moves the dataset.
        const QRect r = grade.visualRect(modelo.index(0, 1));
        QTest::mouseClick(grade.viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(tabela->posicao(), 0);
        // Typing in the code column gives capitals; Enter stores the cell and moves on.
        grade.setCurrentIndex(modelo.index(0, 2));
        QTest::keyClicks(&grade, "v");
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("V"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(tabela->valor("Tipo").comoTexto(), std::string("V"));
        QCOMPARE(grade.currentIndex().column(), 3);
        QVERIFY(tabela->editando());
        // Function keys reach the window's handler and F9 the column's button.
        int recebida = 0, coluna = -1;
        bool botao = false;
        grade.defineTeclas([&](int tecla, int c) {
            recebida = tecla;
            coluna = c;
            return true;
        });
        grade.defineBotaoColuna(3, [&] { botao = true; });
        QTest::keyClick(&grade, Qt::Key_F4);
        QCOMPARE(recebida, int(Qt::Key_F4));
        QCOMPARE(coluna, 3);
        QTest::keyClick(&grade, Qt::Key_F9);
        QVERIFY(botao);
        QTest::keyClick(&grade, Qt::Key_Escape);
        QVERIFY(!tabela->editando());
        QVERIFY(grade.alternatingRowColors());
        QCOMPARE(grade.palette().color(QPalette::AlternateBase), QColor(223, 238, 255));
    }

    void gravarPeloNavegadorEscreveACelulaAindaEmDigitacao() {
        ModeloTabela modelo(*tabela, Colunas());
        QWidget janela;
        auto* layout = new QVBoxLayout(&janela);
        auto& grade = *new GradeTabela(&janela);
        grade.defineModelo(&modelo);
        auto& nav = *new NavegadorTabela(&janela);
        nav.defineModelo(&modelo);
        layout->addWidget(&grade);
        layout->addWidget(&nav);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        tabela->primeiro();
        grade.setFocus();
        grade.setCurrentIndex(modelo.index(0, 3));
        QTest::keyClick(&grade, '4');  // the first key opens the cell's editor
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, "2");
        QTest::mouseClick(nav.botao(NavegadorTabela::Editar), Qt::LeftButton);  // already editing: ignored
        QTest::mouseClick(nav.botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(!tabela->editando());
        QCOMPARE(tabela->valor("Valor").comoNumero(), 42.0);
        // A value the core refuses stops the button: the row stays in edit.
        grade.setCurrentIndex(modelo.index(0, 2));
        QTest::keyClick(&grade, 'x');
        QTest::mouseClick(nav.botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(tabela->editando());
        QVERIFY(!registro.mensagens.isEmpty());
        grade.confirmaEdicao();
        QVERIFY(modelo.cancela());
    }

    void oNavegadorSegueOEstadoEPerguntaAntesDeExcluir() {
        ModeloTabela modelo(*tabela, Colunas());
        NavegadorTabela nav;
        nav.defineModelo(&modelo);
        tabela->primeiro();
        QVERIFY(!nav.botao(NavegadorTabela::Primeiro)->isEnabled());
        QVERIFY(nav.botao(NavegadorTabela::Proximo)->isEnabled());
        QVERIFY(!nav.botao(NavegadorTabela::Gravar)->isEnabled());
        QTest::mouseClick(nav.botao(NavegadorTabela::Ultimo), Qt::LeftButton);
        QCOMPARE(tabela->posicao(), 2);
        QVERIFY(!nav.botao(NavegadorTabela::Proximo)->isEnabled());
        QTest::mouseClick(nav.botao(NavegadorTabela::Inserir), Qt::LeftButton);
        QVERIFY(nav.botao(NavegadorTabela::Gravar)->isEnabled());
        QVERIFY(nav.botao(NavegadorTabela::Cancelar)->isEnabled());
        QVERIFY(!nav.botao(NavegadorTabela::Editar)->isEnabled());
        QTest::mouseClick(nav.botao(NavegadorTabela::Cancelar), Qt::LeftButton);
        QVERIFY(!tabela->editando());
        int perguntas = 0;
        bool resposta = false;
        nav.defineConfirmacaoExclusao([&] {
            ++perguntas;
            return resposta;
        });
        QTest::mouseClick(nav.botao(NavegadorTabela::Excluir), Qt::LeftButton);
        QCOMPARE(perguntas, 1);
        QCOMPARE(tabela->quantidade(), 3);
        resposta = true;
        QTest::mouseClick(nav.botao(NavegadorTabela::Excluir), Qt::LeftButton);
        QCOMPARE(tabela->quantidade(), 2);
        nav.defineBotoes(NavegadorTabela::SoLeitura);
        QVERIFY(nav.botao(NavegadorTabela::Inserir)->isHidden());
        QVERIFY(!nav.botao(NavegadorTabela::Primeiro)->isHidden());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    GradeTabelaTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "GradeTabelaTest.moc"
