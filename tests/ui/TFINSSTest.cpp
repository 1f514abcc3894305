// The social-security bases window over an imported calculation, driven as a
// user does: its grid of the imported bases, "Buscar dados dos parâmetros"
// summing the month rows of an item by month (replacing or accumulating on
// the user's answer), refused and cancelled codes, the button disabled while
// a row is being edited, and the refusal to close with a pending row.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <optional>

#include "storage/Excecoes.h"
// The test support names the error presentation through korva::ui.
namespace korva::ui {
using korva::ApresentacaoErros;
}
#include "apoio/JanelasTeste.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "parameters/BasesINSS.h"
#include "parameters/ui/TFINSS.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Data.h"

using namespace korva;
using namespace korva::ui;

class TFINSSTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<CalculoAberto> calculo;
    std::unique_ptr<TFINSS> janela;
    teste::RegistroMensagens registro;

    void abre() {
        janela = std::make_unique<TFINSS>(*inst->sessao, calculo->tabela('D'), calculo->tabela('B'));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    QPushButton* buscar() { return janela->findChild<QPushButton*>("BtBuscar"); }
    void aperta(const char* botao) {
        QTest::mouseClick(janela->navegador().findChild<QToolButton*>(botao), Qt::LeftButton);
    }
    void mensal(int item, int mes, int ano, double valor) {
        Tabela b(inst->sessao->privado(), calculo->tabela('B'));
        b.abre();
        b.insere();
        b["Item"] = item;
        b["Mes"] = mes;
        b["Ano"] = ano;
        b["Valor"] = valor;
        b["VFM"] = "V";
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(ano, mes, 1).fimDoMes();
        b["Calculado"] = false;
        b["INSS"] = "S";
        b.grava();
    }
    std::optional<double> base(int mes, int ano) {
        Tabela d(inst->sessao->privado(), calculo->tabela('D'));
        d.abre();
        d.defineIndice("IndAnoMes");
        if (!d.localizaChave({Valor(ano), Valor(mes)})) return std::nullopt;
        return d.valor("Valor").comoNumero();
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = std::make_unique<CalculoAberto>(inst->importa("diferencas-salariais-horas-extras.json"));
        // The register creates table B before it opens the window.
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo->execucao.diretorio, calculo->execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', calculo->execucao.arquivo), 1);
        BasesINSS::EsqueceLinhaLembrada();
        mensal(150, 1, 2004, 150);
        mensal(150, 1, 2004, 50);
        mensal(150, 2, 2004, 300);
        mensal(151, 2, 2004, 999);
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

    void buscaSomaPorMesEAcumula() {
        abre();
        QCOMPARE(janela->windowTitle(),
                 QString::fromStdString("KORVA - Bases de Cálculo do INSS (" + calculo->tabela('D') + ")"));
        const int importadas = janela->modelo().rowCount();
        QCOMPARE(importadas, 23);
        QCOMPARE(janela->modelo().columnCount(), 3);
        QVERIFY(!base(1, 2004).has_value());

        teste::RespondeMensagens respostas;
        respostas.digita(QStringLiteral(" 150 "));
        QTest::mouseClick(buscar(), Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(respostas.textos, QStringList{QStringLiteral("Informe o código do item:")});
        QCOMPARE(base(1, 2004), std::optional<double>(200));
        QCOMPARE(base(2, 2004), std::optional<double>(300));
        QCOMPARE(janela->modelo().rowCount(), importadas + 2);  // the two months are new, shown at once
        teste::GuardaTela(janela.get(), QStringLiteral("TFINSS"));

        // Asked again, the existing months are met: Yes accumulates.
        respostas.textos.clear();
        respostas.digita(QStringLiteral("150"));
        respostas.responde(QMessageBox::Yes);
        QTest::mouseClick(buscar(), Qt::LeftButton);
        QCOMPARE(respostas.textos,
                 (QStringList{QStringLiteral("Informe o código do item:"),
                              QStringLiteral("Já existem valores informados para a Base de Cálculo do INSS. "
                                             "Deseja acumular os valores?")}));
        QCOMPARE(base(1, 2004), std::optional<double>(400));
        QCOMPARE(base(2, 2004), std::optional<double>(600));

        // No replaces them by the sums.
        respostas.digita(QStringLiteral("150"));
        respostas.responde(QMessageBox::No);
        QTest::mouseClick(buscar(), Qt::LeftButton);
        QCOMPARE(base(1, 2004), std::optional<double>(200));
        QCOMPARE(base(2, 2004), std::optional<double>(300));
        QVERIFY(respostas.semRespostasPendentes());
    }

    void codigosRecusadosOuCancelados() {
        abre();
        const int antes = janela->modelo().rowCount();
        teste::RespondeMensagens respostas;
        respostas.digita(QStringLiteral("-5"));
        QTest::mouseClick(buscar(), Qt::LeftButton);
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Item de Cálculo inválido ou inexistente!")});
        // Cancelling, 0 or a text that is no number stop silently.
        for (const QString& t : {QStringLiteral("\x1b"), QStringLiteral("0"), QStringLiteral("abc")}) {
            respostas.digita(t);
            QTest::qWait(450);
            QTest::mouseClick(buscar(), Qt::LeftButton);
        }
        QCOMPARE(registro.mensagens.size(), 1);
        QCOMPARE(janela->modelo().rowCount(), antes);
        QVERIFY(respostas.semRespostasPendentes());
    }

    void edicaoDesabilitaBuscaEImpedeFechar() {
        abre();
        QVERIFY(buscar()->isEnabled());
        janela->bases().tabela().ultimo();  // 02/2024
        aperta("BtInserir");
        QVERIFY(!buscar()->isEnabled());
        // The month after the current row's, the cursor on the value.
        ModeloTabela& m = janela->modelo();
        QCOMPARE(m.index(m.linhaAtual(), m.colunaDoCampo("Mes")).data().toString(), QStringLiteral("3"));
        QCOMPARE(m.index(m.linhaAtual(), m.colunaDoCampo("Ano")).data().toString(), QStringLiteral("2024"));
        QCOMPARE(janela->grade().currentIndex().column(), m.colunaDoCampo("Valor"));
        janela->close();
        QVERIFY(janela->isVisible());
        QCOMPARE(registro.mensagens,
                 QStringList{QStringLiteral("Antes de fechar o formulário, cancele ou confirme a operação")});
        aperta("BtGravar");
        QTest::qWait(450);
        QVERIFY(buscar()->isEnabled());
        QCOMPARE(base(3, 2024).has_value(), true);
        // A second row for the same month is refused by the table.
        aperta("BtInserir");
        janela->bases().tabela()["Mes"] = 3;
        aperta("BtGravar");
        QCOMPARE(registro.mensagens.size(), 2);
        QCOMPARE(janela->bases().tabela().estado(), EstadoTabela::Insercao);
        aperta("BtCancelar");
        janela->close();
        QVERIFY(!janela->isVisible());
    }
};

QTEST_MAIN(TFINSSTest)
#include "TFINSSTest.moc"
