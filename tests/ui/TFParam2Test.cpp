// The month grid over a calculated sample calculation (imported, generated
// and calculated through the core), driven as a user does: the preview
// figures of due, paid and result rows and the grand total, the refusal to
// edit a difference row, an edit making its row uncalculated with the grand
// total following it, the closing question with its count and the cursor
// left on the row, the pending edit, the copy keys, the calculation from the
// window and the order box.
#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

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
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ui/TFListRend.h"
#include "parameters/ui/TFParam2.h"
#include "results/CorrecaoJuros.h"
#include "results/FigurasGrade.h"
#include "results/FigurasMensais.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TFParam2Test : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst;
    CalculoAberto calculo;
    teste::RegistroMensagens registro;
    std::unique_ptr<TFParam2> janela;

    Sessao& sessao() { return *inst->sessao; }
    Tabela& b() { return janela->parametros().tabela(); }
    ModeloTabela* modelo() { return janela->modelo(); }
    GradeTabela* grade() { return janela->grade(); }
    QString total() { return janela->findChild<QLabel*>("LbTotal")->text(); }
    QString tempo() { return janela->findChild<QLabel*>("LbTempo")->text(); }

    int colunaTitulo(const QString& titulo) {
        for (int i = 0; i < modelo()->columnCount(); ++i)
            if (modelo()->headerData(i, Qt::Horizontal).toString() == titulo) return i;
        return -1;
    }
    QString celula(int coluna) { return modelo()->index(modelo()->linhaAtual(), coluna).data().toString(); }
    QString celula(const char* campo) { return celula(modelo()->colunaDoCampo(campo)); }

    // The grand total worked out from the stored table, apart from the window.
    QString totalDaTabela() {
        TabelasReferencia ref(sessao().compartilhado());
        CorrecaoJuros cj(sessao().privado(), ref);
        FigurasGrade figuras(cj, calculo.figuras());
        return QString::fromStdString(FigurasGrade::TextoTotalGeral(figuras.totalGeral(sessao().privado(), calculo.tabela('B'))));
    }

    // Generation of B from A and the monthly calculation, through the core.
    void calculaPeloNucleo() {
        TabelasReferencia ref(sessao().compartilhado());
        CalculoDtBase dtBase(ref, calculo.mensal.dtBasePadrao);
        Geracao(sessao().privado(), calculo.tabela('A'), calculo.tabela('B'), dtBase).Gera();
        ConjuntoCalculo conjunto(sessao().privado(), [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo.execucao.arquivo), TipoDaLetra('I'));
        CorrecaoJuros cj(sessao().privado(), ref);
        CalculoMensal(sessao().privado(), ref, calculo.tabela('B'), calculo.tabela('I'), calculo.mensal,
                      [&](int c, Data de, Data ate) { return cj.FatorIndiceDiario(c, de, ate); })
            .Calcula();
    }

    void abre() {
        janela = std::make_unique<TFParam2>(sessao(), calculo);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }

    // Puts the cursor on the first row of the item (and kind).
    void vaiPara(int item, const char* vfm = nullptr) {
        if (vfm) QVERIFY(b().localiza({"Item", "VFM"}, {Valor(int64_t{item}), Valor(std::string(vfm))}));
        else QVERIFY(b().localiza({"Item"}, {Valor(int64_t{item})}));
        QApplication::processEvents();
    }

    // Types into the cell of `campo` on the current row and presses Enter.
    void digita(const char* campo, const QString& texto) {
        grade()->setFocus();
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo(campo)));
        QLineEdit* editor = nullptr;
        for (QChar c : texto) {
            QTest::keyClick(editor ? static_cast<QWidget*>(editor) : grade(), c.toLatin1());
            if (!editor)
                for (QLineEdit* e : grade()->findChildren<QLineEdit*>())
                    if (e->isVisible()) editor = e;
        }
        if (editor) QTest::keyClick(editor, Qt::Key_Return);
    }

    // Runs `acao` on the next modal dialog that comes up (within 3 s) and remembers its name.
    void quandoModal(const std::function<void(QWidget*)>& acao) {
        auto nome = std::make_shared<QString>();
        auto* relogio = new QTimer(janela.get());
        auto tentativas = std::make_shared<int>(0);
        QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, nome, tentativas, acao, this] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w != janela.get() && !qobject_cast<QMessageBox*>(w)) {
                *nome = w->objectName();
                relogio->stop();
                acao(w);
                relogio->deleteLater();
            } else if (++*tentativas > 150) {
                relogio->stop();
                relogio->deleteLater();
            }
        });
        relogio->start(20);
        nomeModal_ = nome;
    }
    std::shared_ptr<QString> nomeModal_;

    void esperaMensagens() { QTest::qWait(450); registro.mensagens.clear(); }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = inst->importa("diferencas-salariais-horas-extras.json");
        calculaPeloNucleo();
        ParametrosMensais::EsqueceLinhaLembrada();
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela && b().aberta() && b().editando()) b().cancela();
        janela.reset();
        TFListRend::DefineEscolhaTeste(nullptr);
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void abreComFigurasETotal() {
        abre();
        QCOMPARE(janela->windowTitle(),
                 QString::fromStdString("KORVA - Tabela de Parâmetros Mês a Mês (" + calculo.tabela('B') + ")"));
        QCOMPARE(tempo(), Q("Tempo de Cálculo: 00:00:00"));
        QCOMPARE(janela->findChild<QComboBox*>("CbOrdem")->currentText(), Q("Periodo"));
        QCOMPARE(janela->findChild<QPushButton*>("BtCalculo")->toolTip(), Q("Efetuar Cálculos"));
        // Every column in its place.
        QStringList titulos;
        for (int i = 0; i < modelo()->columnCount(); ++i) titulos << modelo()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titulos, (QStringList{Q("Item"), Q("Descrição da Verba"), Q("Mes"), Q("Ano"), Q("VFMC"), Q("Valor"),
                                       Q("Qtde"), Q("Indice"), Q("Divisor"), Q("Base"), Q("Descrição da Base"),
                                       Q("Média"), Q("Descrição da Verba - Média"), Q("Mes1"), Q("Ano1"), Q("Mes2"),
                                       Q("Ano2"), Q("Data Base Padrão"), Q("Dt. Base"), Q("INSS"), Q("Dif."),
                                       Q("Ind. Atualização"), Q("Juros (%)"), Q("Total")}));
        QVERIFY(!grade()->isColumnHidden(1));
        // The grand total is the sum of the stored rows' totals, and not an error.
        QVERIFY(total().startsWith(Q("Total: ")));
        QVERIFY(total() != Q("Total: erro"));
        QCOMPARE(total(), totalDaTabela());
        QVERIFY(registro.mensagens.isEmpty());

        const int fator = colunaTitulo(Q("Ind. Atualização")), juros = colunaTitulo(Q("Juros (%)")),
                  tot = colunaTitulo(Q("Total"));
        // Due and paid items: factor and interest 0, no total.
        for (int item : {10, 11}) {
            vaiPara(item);
            QCOMPARE(celula(fator), Q("0,000000000"));
            QCOMPARE(celula(juros), Q("0,00"));
            QCOMPARE(celula(tot), QString());
        }
        // The difference item: its factor, interest and total.
        vaiPara(12, "D");
        QCOMPARE(celula("Item"), Q("12"));
        QVERIFY(celula(fator) != Q("0,000000000") && !celula(fator).isEmpty());
        QVERIFY(celula(juros) != Q("0,00"));
        QVERIFY(!celula(tot).isEmpty());
        QVERIFY(celula(1).size() > 3);  // its description from the catalogue
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), 0));
        grade()->scrollTo(grade()->currentIndex());
        teste::GuardaTela(janela.get(), "TFParam2-inicio");
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), tot));
        grade()->scrollTo(grade()->currentIndex());
        teste::GuardaTela(janela.get(), "TFParam2");
    }

    void figuraSemIndiceFicaVaziaEAvisaUmaVez() {
        // A result row dated before the delivered daily index.
        {
            Tabela t(sessao().privado(), calculo.tabela('B'));
            t.abre();
            QVERIFY(t.localiza({"Item", "VFM"}, {Valor(int64_t{12}), Valor(std::string("D"))}));
            t.edita();
            t["CodDataBasePadrao"] = 50;
            t["DtBase"] = Data::de(1990, 1, 15);
            t["Calculado"] = true;
            t.grava();
        }
        abre();
        QTest::qWait(50);
        QCOMPARE(total(), Q("Total: erro"));
        QCOMPARE(registro.mensagens.size(), 1);
        QVERIFY2(registro.mensagens[0].startsWith(Q("ERRO - Não há índice de atualização diária para 15/01/1990")),
                 qPrintable(registro.mensagens[0]));
        // The row shows empty figures, however often it is painted.
        QVERIFY(b().localiza({"DtBase"}, {Valor(Data::de(1990, 1, 15))}));
        QApplication::processEvents();
        QCOMPARE(celula(colunaTitulo(Q("Ind. Atualização"))), QString());
        QCOMPARE(celula(colunaTitulo(Q("Total"))), QString());
        for (int i = 0; i < 3; ++i) {
            grade()->viewport()->repaint();
            QApplication::processEvents();
        }
        QTest::qWait(500);
        QCOMPARE(registro.mensagens.size(), 1);
        // Other rows keep their figures.
        vaiPara(13);
        QVERIFY(!celula(colunaTitulo(Q("Total"))).isEmpty());
    }

    void descricoesSoComAOpcao() {
        sessao().configuracoes().exibirDescricaoVerbas = "N";
        abre();
        for (int i = 0; i < modelo()->columnCount(); ++i)
            QCOMPARE(grade()->isColumnHidden(i), modelo()->headerData(i, Qt::Horizontal).toString().startsWith(Q("Descrição")));
        // Enter skips the hidden columns.
        vaiPara(20);
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), 0));
        grade()->proximaColuna();
        QCOMPARE(grade()->currentIndex().column(), modelo()->colunaDoCampo("Mes"));
    }

    void linhaDiferencaNaoSeAltera() {
        abre();
        vaiPara(12, "D");
        const QString valor = celula("Valor");
        digita("Valor", Q("5"));
        QVERIFY(registro.mensagens.contains(Q("ERRO! Voce não pode alterar um Item Diferença!")));
        QVERIFY(!b().editando());
        QCOMPARE(celula("Valor"), valor);
        QCOMPARE(janela->parametros().contaNaoCalculados(), 0);
        // It can be deleted, with the grand total following.
        esperaMensagens();
        teste::RespondeMensagens respostas;
        respostas.responde(QMessageBox::Yes);
        const int antes = b().quantidade();
        janela->navegador()->aciona(NavegadorTabela::Excluir);
        QCOMPARE(b().quantidade(), antes - 1);
        QCOMPARE(total(), totalDaTabela());
    }

    void edicaoDescalculaEFechamentoPergunta() {
        abre();
        vaiPara(10);
        const int64_t codigo = b().valor("Codigo").comoInteiro();
        const QString antes = total();
        digita("Valor", Q("9999"));
        QVERIFY(b().editando());
        // While the row is edited the commands are off and the row shows no figures.
        QVERIFY(!janela->findChild<QPushButton*>("BtCalculo")->isEnabled());
        QVERIFY(!janela->findChild<QComboBox*>("CbOrdem")->isEnabled());
        QVERIFY(!janela->findChild<QPushButton*>("BtSubstituir")->isEnabled());
        QCOMPARE(celula(colunaTitulo(Q("Ind. Atualização"))), QString());
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QVERIFY(!b().editando());
        QVERIFY(janela->findChild<QPushButton*>("BtCalculo")->isEnabled());
        QVERIFY(registro.mensagens.isEmpty());
        QCOMPARE(b().valor("Calculado").comoLogico(), false);
        QCOMPARE(janela->parametros().contaNaoCalculados(), 1);
        // A due item has no total of its own: the grand total stays.
        QCOMPARE(total(), antes);
        QCOMPARE(total(), totalDaTabela());

        // A result row edited: the grand total follows it.
        vaiPara(13);
        digita("Valor", Q("-1000"));
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QVERIFY(total() != antes);
        // A negative Valor is bold red, its negative total red.
        const QModelIndex valor = modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Valor"));
        QVERIFY(qvariant_cast<QFont>(valor.data(Qt::FontRole)).bold());
        QCOMPARE(qvariant_cast<QBrush>(valor.data(Qt::ForegroundRole)).color(), QColor(Qt::red));
        const QModelIndex totalLinha = modelo()->index(modelo()->linhaAtual(), colunaTitulo(Q("Total")));
        QVERIFY(totalLinha.data().toString().startsWith('-'));
        QCOMPARE(qvariant_cast<QBrush>(totalLinha.data(Qt::ForegroundRole)).color(), QColor(Qt::red));
        QVERIFY(!modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Qtde")).data(Qt::FontRole).isValid());
        QCOMPARE(total(), totalDaTabela());
        QCOMPARE(janela->parametros().contaNaoCalculados(), 2);
        b().edita();  // back to one uncalculated row: value the item-13 row again through the core
        b()["Calculado"] = true;
        b().grava();
        QCOMPARE(janela->parametros().contaNaoCalculados(), 1);

        // Closing: the three-line question with the count; No keeps the window on that row.
        b().primeiro();
        teste::RespondeMensagens respostas;
        respostas.responde(QMessageBox::No);
        janela->close();
        QVERIFY(janela->isVisible());
        QCOMPARE(respostas.textos.size(), 1);
        QCOMPARE(respostas.textos[0], QString::fromStdString(ParametrosMensais::PerguntaFechamento(1)));
        QVERIFY(respostas.textos[0].startsWith(Q("Há 1 item(s) que voce alterou e não recalculou este processo.")));
        QCOMPARE(b().valor("Codigo").comoInteiro(), codigo);
        QCOMPARE(grade()->currentIndex().row(), modelo()->linhaAtual());
        // Yes closes it.
        respostas.responde(QMessageBox::Yes);
        janela->close();
        QVERIFY(!janela->isVisible());
        QVERIFY(!b().aberta());
    }

    void fechamentoComEdicaoPendenteERecusado() {
        abre();
        vaiPara(20);
        digita("Qtde", Q("3"));
        QVERIFY(b().editando());
        janela->close();
        QVERIFY(janela->isVisible());
        QVERIFY(registro.mensagens.contains(Q("Antes de fechar o formulário, cancele ou confirme a operação")));
        QVERIFY(b().editando());
        // Escape cancels the edit; the row was never stored, nothing is uncalculated.
        QTest::keyClick(grade(), Qt::Key_Escape);
        QVERIFY(!b().editando());
        QVERIFY(janela->findChild<QComboBox*>("CbOrdem")->isEnabled());
        QVERIFY(grade()->hasFocus());
        QTest::keyClick(grade(), Qt::Key_Escape);  // now Escape closes: every row calculated, no question
        QVERIFY(!janela->isVisible());
    }

    void teclasDeCopia() {
        abre();
        vaiPara(20);
        const double qtde = b().valor("Qtde").comoNumero();
        janela->navegador()->aciona(NavegadorTabela::Inserir);
        QCOMPARE(b().estado(), EstadoTabela::Insercao);
        QCOMPARE(grade()->currentIndex().column(), modelo()->colunaDoCampo("Item"));
        // F3 on Qtde: that field and the INSS only.
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Qtde")));
        QTest::keyClick(grade(), Qt::Key_F3);
        QCOMPARE(b().valor("Qtde").comoNumero(), qtde);
        QCOMPARE(b().valor("INSS").comoTexto(), std::string("N"));
        QVERIFY(b().valor("Item").nulo());
        // F4: the whole remembered row.
        QTest::keyClick(grade(), Qt::Key_F4);
        QCOMPARE(b().valor("Item").comoInteiro(), int64_t{20});
        QCOMPARE(b().valor("Base").comoInteiro(), int64_t{10});
        QCOMPARE(b().valor("VFM").comoTexto(), std::string("F"));
        QCOMPARE(b().valor("Diferenca").comoTexto(), std::string("Z"));
        QVERIFY(registro.mensagens.isEmpty());
        janela->navegador()->aciona(NavegadorTabela::Cancelar);
        QVERIFY(!b().editando());
    }

    void botaoDoItemEscolheNoCatalogo() {
        abre();
        TFListRend::DefineEscolhaTeste([] { return 15; });
        vaiPara(20);
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Base")));
        QTest::keyClick(grade(), Qt::Key_F9);  // browsing: the list is not offered
        QCOMPARE(b().valor("Base").comoInteiro(), int64_t{10});
        digita("Qtde", Q("2"));
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Base")));
        QTest::keyClick(grade(), Qt::Key_F9);
        QCOMPARE(b().valor("Base").comoInteiro(), int64_t{15});
        QCOMPARE(celula(modelo()->colunaDoCampo("Base") + 1).isEmpty(), false);  // its description
        janela->navegador()->aciona(NavegadorTabela::Cancelar);
    }

    void valorDoItem4AbreAsBasesDoMes() {
        // Table I is gone: the button makes it again before opening the bases.
        {
            ConjuntoCalculo conjunto(sessao().privado(), [] { return 100; });
            conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
            conjunto.ExcluiTabela(conjunto.CaminhoDiretorio(),
                                  ConjuntoCalculo::NomeCurto('I', calculo.execucao.arquivo) + ".db");
        }
        QVERIFY(!sessao().privado().existe(calculo.tabela('I')));
        abre();
        janela->navegador()->aciona(NavegadorTabela::Inserir);
        b()["Item"] = 4;
        b()["Mes"] = 6;
        b()["Ano"] = 2022;
        b()["Valor"] = 123.0;
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QVERIFY2(!b().editando(), qPrintable(registro.mensagens.join('|')));
        QVERIFY(b().valor("Valor").nulo());  // only the calculation gives item 4 its value
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("Valor")));
        quandoModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QTest::keyClick(grade(), Qt::Key_F9);
        QTRY_COMPARE_WITH_TIMEOUT(*nomeModal_, Q("TFBasesSalariais"), 3000);
        QVERIFY(sessao().privado().existe(calculo.tabela('I')));
        QVERIFY(registro.mensagens.isEmpty());
        // Another item's Valor has no button.
        vaiPara(10);
        quandoModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QTest::keyClick(grade(), Qt::Key_F9);
        QTest::qWait(100);
        QVERIFY(nomeModal_->isEmpty());
    }

    void dataBasePeloCalendario() {
        abre();
        vaiPara(20);
        const Data antes = b().valor("DtBase").comoData();
        grade()->setCurrentIndex(modelo()->index(modelo()->linhaAtual(), modelo()->colunaDoCampo("DtBase")));
        quandoModal([](QWidget* w) {
            w->findChild<QPushButton*>("BtProximoMes")->click();
            w->findChild<QPushButton*>("BtOk")->click();
        });
        QTest::keyClick(grade(), Qt::Key_F9);
        QCOMPARE(*nomeModal_, Q("TFPegaData"));
        QVERIFY(b().editando());
        const Data escolhida = b().valor("DtBase").comoData();
        QCOMPARE(escolhida.mes(), antes.mes() % 12 + 1);
        // With the typed-date code the chosen date is kept on store.
        QVERIFY(modelo()->defineCampo("CodDataBasePadrao", Valor(int64_t{50})));
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QVERIFY2(!b().editando(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(b().valor("DtBase").comoData(), escolhida);
        QVERIFY(!b().valor("Calculado").comoLogico());
    }

    void substituirAbreODialogoSobreAGrade() {
        abre();
        quandoModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QTest::mouseClick(janela->findChild<QPushButton*>("BtSubstituir"), Qt::LeftButton);
        QCOMPARE(*nomeModal_, Q("TFProcurarESubstituir"));
        QVERIFY(registro.mensagens.isEmpty());
        QCOMPARE(total(), totalDaTabela());
        QVERIFY(janela->findChild<QPushButton*>("BtCalculo")->isEnabled());
    }

    void calculoPelaJanela() {
        abre();
        vaiPara(10);
        digita("Valor", Q("4000"));
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QCOMPARE(janela->parametros().contaNaoCalculados(), 1);
        const QString antes = total();
        QTest::mouseClick(janela->findChild<QPushButton*>("BtCalculo"), Qt::LeftButton);
        QVERIFY(registro.mensagens.isEmpty());
        QCOMPARE(janela->parametros().contaNaoCalculados(), 0);
        QVERIFY(!janela->parametros().calculando());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(QRegularExpression(Q("^Tempo de Cálculo: \\d\\d:\\d\\d:\\d\\d$")).match(tempo()).hasMatch());
        // A larger due value makes larger differences.
        QVERIFY(total() != antes);
        QCOMPARE(total(), totalDaTabela());
        // Closing asks nothing now.
        teste::RespondeMensagens respostas;
        janela->close();
        QVERIFY(respostas.textos.isEmpty());
        QVERIFY(!janela->isVisible());
    }

    void calculoQueParaMostraAMensagem() {
        abre();
        // A factor row on item 999 in a month without it: the run stops.
        janela->navegador()->aciona(NavegadorTabela::Inserir);
        b()["Item"] = 13;
        b()["Mes"] = 5;
        b()["Ano"] = 2022;
        b()["VFM"] = "F";
        b()["Qtde"] = 1.0;
        b()["Indice"] = 1.0;
        b()["Divisor"] = 1.0;
        b()["Base"] = 999;
        janela->navegador()->aciona(NavegadorTabela::Gravar);
        QVERIFY2(!b().editando(), qPrintable(registro.mensagens.join('|')));
        esperaMensagens();
        janela->findChild<QComboBox*>("CbOrdem")->setCurrentIndex(1);
        janela->mudaOrdem(1);
        janela->calcula();
        QVERIFY2(registro.mensagens.contains(Q("ERRO! Não Existe Item Base 999 cadastrado para o Mes 05/2022.")),
                 qPrintable(registro.mensagens.join('|')));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!janela->parametros().calculando());
        QCOMPARE(tempo(), Q("Tempo de Cálculo: 00:00:00"));
        QVERIFY(janela->parametros().contaNaoCalculados() > 0);
        QCOMPARE(janela->findChild<QComboBox*>("CbOrdem")->currentText(), Q("Periodo"));
        QCOMPARE(total(), totalDaTabela());
    }

    void ordemEscolhidaFicaNaConfiguracao() {
        abre();
        auto* cb = janela->findChild<QComboBox*>("CbOrdem");
        cb->setCurrentIndex(1);
        janela->mudaOrdem(1);
        QCOMPARE(sessao().configuracoes().ordenacaoParametros2, 1);
        b().primeiro();
        QCOMPARE(b().valor("Item").comoInteiro(), int64_t{2});
        QCOMPARE(janela->parametros().ordem(), OrdemParametros::Item);
        janela->close();
        janela.reset();
        abre();
        QCOMPARE(janela->findChild<QComboBox*>("CbOrdem")->currentText(), Q("Item"));
        QCOMPARE(janela->parametros().ordem(), OrdemParametros::Item);
    }
};

QTEST_MAIN(TFParam2Test)
#include "TFParam2Test.moc"
