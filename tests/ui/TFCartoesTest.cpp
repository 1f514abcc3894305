// The card entry window on the period 01/03/2004 to 31/03/2004 of a
// schedule with two shifts: the card typed through the grid, the next card
// proposed from the remembered one with the cursor on "Entrada 1", F4, F3,
// F7/F8 while browsing, the refusals (a date outside the period, a wrong
// "Situação") that keep the card, the filter and its toggling caption, and a
// card still being edited discarded on closing.
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/Cartoes.h"
#include "timecards/ui/TFCartoes.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }
double Minutos(const Valor& v) { return v.comoNumero() * 1440; }

}  // namespace

class TFCartoesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    CalculoAberto calculo;
    std::unique_ptr<TFCartoes> janela;
    teste::RegistroMensagens registro;

    Tabela& tabela() { return janela->cartoes().tabela(); }
    ModeloTabela& modelo() { return janela->modelo(); }
    GradeTabela& grade() { return janela->grade(); }
    QToolButton* navegador(const char* nome) { return janela->navegador().findChild<QToolButton*>(nome); }
    QString celula(const std::string& campo) {
        return modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)).data().toString();
    }
    QString mensagens() { return registro.mensagens.join('|'); }
    void limpaMensagens() {
        QTest::qWait(450);
        registro.mensagens.clear();
    }

    void abre() {
        janela = std::make_unique<TFCartoes>(*inst->sessao, calculo.tabela('G'), Data::de(2004, 3, 1),
                                             Data::de(2004, 3, 31), 2);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void digita(const std::string& campo, const QString& texto) {
        grade().setFocus();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)));
        QTest::keyClick(&grade(), texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY2(editor && editor != &grade(), campo.c_str());
        auto* linha = qobject_cast<QLineEdit*>(editor);
        QVERIFY(linha);
        for (const QChar c : texto.mid(1)) QTest::keyClick(linha, c.toLatin1());
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void tecla(Qt::Key k) {
        grade().setFocus();
        QTest::keyClick(&grade(), k);
    }
    void insere() {
        QTest::mouseClick(navegador("BtInserir"), Qt::LeftButton);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
    }
    void grava() { QTest::mouseClick(navegador("BtGravar"), Qt::LeftButton); }
    // The card of 09/03/2004: two shifts and a day off.
    void primeiroCartao() {
        insere();
        QCOMPARE(grade().currentIndex().column(), modelo().colunaDoCampo("Data"));
        // A new card starts with every punch at 00:00.
        QCOMPARE(celula("Ent1"), Q("00:00"));
        QCOMPARE(celula("Sai4"), Q("00:00"));
        digita("Data", "09/03/2004");
        QCOMPARE(modelo().index(modelo().linhaAtual(), 1).data().toString(), Q("Ter."));
        digita("Ent1", "07:45");
        digita("Sai1", "11:30");
        digita("Ent2", "13:00");
        digita("Sai2", "17:15");
        digita("Situacao", "f");
        QCOMPARE(celula("Situacao"), Q("F"));
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(!tabela().editando());
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = inst->importa("diferencas-salariais-horas-extras.json");
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', calculo.execucao.arquivo), TipoDaLetra('G'));
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela && tabela().aberta() && tabela().editando()) tabela().cancela();
        janela.reset();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void janelaComoAbre() {
        abre();
        QCOMPARE(janela->windowTitle(), Q("KORVA - Marcações de Ponto (") + QString::fromStdString(calculo.tabela('G')) + ")");
        QStringList titulos;
        for (int i = 0; i < modelo().columnCount(); ++i)
            if (!grade().isColumnHidden(i)) titulos << modelo().headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titulos, (QStringList{"Data", "Dia", "Entrada 1", Q("Saída 1"), "Entrada 2", Q("Saída 2"),
                                       Q("Situação")}));
        QCOMPARE(janela->findChild<QDateEdit*>("EdDataIni")->date(), QDate::currentDate());
        QCOMPARE(janela->findChild<QDateEdit*>("EdDataFim")->date(), QDate::currentDate());
        QCOMPARE(janela->findChild<QPushButton*>("BtFiltro")->text(), Q("Aplicar &Filtro"));
        QStringList legendas;
        for (QLabel* l : janela->findChildren<QLabel*>()) legendas << l->text();
        for (const char* l : {"F4: Repete horários", "F7: Data - 1", "F8: Data + 1"}) QVERIFY2(legendas.contains(Q(l)), l);
    }

    void proximoCartaoProposto() {
        abre();
        primeiroCartao();
        // The next card: the day after, the cursor on "Entrada 1".
        insere();
        QCOMPARE(celula("Data"), Q("10/03/2004"));
        QCOMPARE(modelo().index(modelo().linhaAtual(), 1).data().toString(), Q("Qua."));
        QCOMPARE(grade().currentIndex().column(), modelo().colunaDoCampo("Ent1"));
        QCOMPARE(celula("Ent1"), Q("00:00"));
        // F4 repeats the punches and the mark, not the date.
        tecla(Qt::Key_F4);
        QCOMPARE(celula("Ent1"), Q("07:45"));
        QCOMPARE(celula("Sai2"), Q("17:15"));
        QCOMPARE(celula("Situacao"), Q("F"));
        QCOMPARE(celula("Data"), Q("10/03/2004"));
        digita("Sai2", "18:00");
        // F3 brings back the remembered value of the column under the cursor.
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Sai2")));
        tecla(Qt::Key_F3);
        QCOMPARE(celula("Sai2"), Q("17:15"));
        // F8 and F7 move the date while inserting.
        tecla(Qt::Key_F8);
        QCOMPARE(celula("Data"), Q("11/03/2004"));
        tecla(Qt::Key_F7);
        QCOMPARE(celula("Data"), Q("10/03/2004"));
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().quantidade(), 2);
        QVERIFY(tabela().localizaChave({Valor(Data::de(2004, 3, 10))}));
        QCOMPARE(Minutos(tabela().valor("Ent1")), 465.0);
        QCOMPARE(Minutos(tabela().valor("Sai1")), 690.0);
        QCOMPARE(Minutos(tabela().valor("Ent2")), 780.0);
        QCOMPARE(Minutos(tabela().valor("Sai2")), 1035.0);
        QCOMPARE(tabela().valor("Situacao").comoTexto(), std::string("F"));
    }

    void teclasAoNavegarERecusas() {
        abre();
        primeiroCartao();
        // F8 while browsing puts the card in edit with the next day.
        tecla(Qt::Key_F8);
        QCOMPARE(tabela().estado(), EstadoTabela::Edicao);
        QCOMPARE(celula("Data"), Q("10/03/2004"));
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().valor("Data").comoData(), Data::de(2004, 3, 10));

        // A card one day after the period's end is refused; the card stays in insert.
        insere();
        digita("Data", "01/04/2004");
        QCOMPARE(mensagens(), Q("Data fora do período especificado!"));
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        limpaMensagens();
        digita("Data", "31/03/2004");
        QVERIFY(registro.mensagens.isEmpty());
        tecla(Qt::Key_F8);
        QCOMPARE(mensagens(), Q("Data fora do período especificado!"));
        QCOMPARE(celula("Data"), Q("31/03/2004"));
        limpaMensagens();
        // Only "F" or blank in "Situação".
        digita("Situacao", "x");
        QCOMPARE(mensagens(), Q("Valor inválido para o campo!"));
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        limpaMensagens();
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(tabela().valor("Situacao").nulo() || tabela().valor("Situacao").comoTexto().empty());

        // A second card for the same day is refused by the key.
        insere();
        digita("Data", "10/03/2004");
        grava();
        QVERIFY(!registro.mensagens.isEmpty());
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        limpaMensagens();

        // Deleting asks nothing.
        QCOMPARE(tabela().quantidade(), 2);
        QTest::mouseClick(navegador("BtExcluir"), Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(tabela().quantidade(), 1);
        QVERIFY(registro.mensagens.isEmpty());
    }

    void filtroAlterna() {
        abre();
        primeiroCartao();
        insere();
        tecla(Qt::Key_F4);
        grava();
        insere();
        grava();
        QCOMPARE(modelo().rowCount(), 3);  // 09, 10 and 11/03
        auto* de = janela->findChild<QDateEdit*>("EdDataIni");
        auto* ate = janela->findChild<QDateEdit*>("EdDataFim");
        auto* bt = janela->findChild<QPushButton*>("BtFiltro");
        de->setDate(QDate(2004, 3, 11));
        ate->setDate(QDate(2004, 3, 10));
        QTest::mouseClick(bt, Qt::LeftButton);
        QCOMPARE(mensagens(), Q("Período Inválido!"));
        QCOMPARE(bt->text(), Q("Aplicar &Filtro"));
        QCOMPARE(modelo().rowCount(), 3);
        limpaMensagens();
        de->setDate(QDate(2004, 3, 10));
        ate->setDate(QDate(2004, 4, 30));
        QTest::mouseClick(bt, Qt::LeftButton);
        QCOMPARE(bt->text(), Q("Limpar &Filtro"));
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(modelo().index(0, 0).data().toString(), Q("10/03/2004"));
        QTest::mouseClick(bt, Qt::LeftButton);
        QCOMPARE(bt->text(), Q("Aplicar &Filtro"));
        QCOMPARE(modelo().rowCount(), 3);
        QVERIFY(registro.mensagens.isEmpty());
    }

    void fecharDescartaOCartaoEmEdicao() {
        abre();
        primeiroCartao();
        digita("Ent1", "09:00");
        QVERIFY(tabela().editando());
        janela->close();
        QApplication::processEvents();
        QVERIFY(!janela->isVisible());
        QVERIFY(registro.mensagens.isEmpty());
        Tabela g(inst->sessao->privado(), calculo.tabela('G'));
        g.abre(ModoAbertura::SomenteLeitura);
        QVERIFY(g.localizaChave({Valor(Data::de(2004, 3, 9))}));
        QCOMPARE(Minutos(g.valor("Ent1")), 465.0);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFCartoesTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFCartoesTest.moc"
