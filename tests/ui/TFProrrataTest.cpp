// The pro-rata window over a real first-start installation, opened from the
// main window's menu and driven as a user does: a record inserted through the
// fields (the defaults shown, the controls that follow the editing state, the
// default additions copied only on the first store), the interest controls of
// the parameters page (a variation being typed cancelled when its group goes
// off, the legal rows), the page changes refused, the selection of two rows,
// the search, the deletion with the child rows, the statement previewed once
// per selected record, the transformation files written on showing, the
// import button hidden by the setting, and the refusal to close with a
// pending edit. Also: screenshots of both pages and of a statement.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "prorata/PrecatoriosXml.h"
#include "prorata/RegistrosProrrata.h"
#include "prorata/ui/TFProrrata.h"
#include "reports/ui/TFPreview.h"
#include "spreadsheets/ui/ExportacaoPlanilha.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TFProrrataTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst_;
    std::unique_ptr<TFPrincipal> principal_;
    teste::RegistroMensagens registro_;
    QString pastaAnterior_;

    Banco& privado() { return inst_->sessao->privado(); }
    TFProrrata* janela() const { return principal_->findChild<TFProrrata*>(); }
    template <class T>
    T* controle(const char* nome) const {
        T* w = janela()->findChild<T*>(nome);
        if (!w) qFatal("control not found: %s", nome);
        return w;
    }
    QToolButton* navegador(const char* nav, NavegadorTabela::Botao b) const {
        return controle<NavegadorTabela>(nav)->botao(b);
    }
    Tabela& registros() const { return janela()->registros().registros(); }
    QTabWidget* paginas() const { return controle<QTabWidget>("PgPaginas"); }
    QString mensagens() const { return registro_.mensagens.join('|'); }
    void espera() { QTest::qWait(450); }  // the handler shows a repeated message once per moment

    int linhas(const char* tabela, int prorrata) {
        Tabela t(privado(), tabela);
        t.abre(ModoAbertura::SomenteLeitura);
        int n = 0;
        for (t.primeiro(); !t.fim(); t.proximo())
            if (t.valor("Prorrata").comoInteiro() == prorrata) ++n;
        return n;
    }

    // A stored record, written straight into the table.
    int gravaRegistro(const std::string& processo, int grupo, double valor = 1000.0) {
        Tabela t(privado(), kTabelaProrrata);
        t.abre();
        t.insere();
        t["Processo"] = processo;
        t["CodRecte"] = grupo;
        t["DtAjuiz"] = Data::de(2019, 6, 3);
        t["DtBase"] = Data::de(2020, 1, 31);
        t["Valor"] = valor;
        t["DtFinal"] = Data::de(2024, 3, 31);
        t["ComJuros"] = true;
        t["JurosConstantes"] = true;
        t["ValorJuros"] = 0.0;
        t["Indice"] = 1;
        t["FormaAbatimento"] = "J";
        t["ValorFGTS"] = 0.0;
        t["CalcularJurosFGTS"] = false;
        t["UsarJurosPadrao"] = 0;
        t.grava();
        return static_cast<int>(t.valor("Codigo").comoInteiro());
    }

    TFProrrata* abre() {
        if (!janela()) principal_->entrada("MnProrrata")->trigger();
        TFProrrata* j = janela();
        if (!j) qFatal("the pro-rata window did not open");
        QApplication::setActiveWindow(principal_.get());
        QApplication::processEvents();
        return j;
    }
    void fecha() {
        if (TFProrrata* j = janela()) {
            RegistrosProrrata& r = j->registros();
            for (Tabela* t : {&r.registros(), &r.parcelas(), r.juros(), r.acrescimos()})
                if (t && t->aberta() && t->editando()) t->cancela();
            auto* sub = qobject_cast<QMdiSubWindow*>(j->parentWidget());
            QVERIFY(sub ? sub->close() : j->close());
            QTRY_VERIFY(!janela());
        }
    }
    void clicaPagina(int pagina) {
        QTest::mouseClick(paginas()->tabBar(), Qt::LeftButton, {}, paginas()->tabBar()->tabRect(pagina).center());
    }
    void marca(const char* nome) {
        auto* r = controle<QRadioButton>(nome);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
    }
    void clicaCaixa(const char* nome) {
        auto* c = controle<QCheckBox>(nome);
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
    }
    // Selects grid rows as a user does: a click, then Ctrl+click on the others.
    void selecionaLinhas(std::initializer_list<int> linhas) {
        auto* g = controle<GradeTabela>("GradeProrrata");
        bool primeira = true;
        for (int l : linhas) {
            const QRect r = g->visualRect(g->model()->index(l, 0));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, primeira ? Qt::NoModifier : Qt::ControlModifier,
                              r.center());
            primeira = false;
        }
    }
    // Types into the cell of `campo` on the current row of a grid and presses Enter.
    void digitaCelula(GradeTabela* grade, const std::string& campo, const QString& texto) {
        ModeloTabela* m = grade->modelo();
        // A message box that just closed may have left no window active.
        QApplication::setActiveWindow(grade->window());
        grade->setFocus();
        grade->setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(campo)));
        QTest::keyClick(grade, texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY2(editor && editor != grade,
                 qPrintable(QString::fromStdString(campo) + QStringLiteral(" visivel %1 habilitada %2 foco %3")
                                                                .arg(grade->isVisible())
                                                                .arg(grade->isEnabled())
                                                                .arg(editor ? editor->objectName() : QString())));
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(texto);
        } else {
            auto* linha = qobject_cast<QLineEdit*>(editor);
            QVERIFY(linha);
            for (const QChar c : texto.mid(1)) QTest::keyClick(linha, c.toLatin1());
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Runs `acao` on every statement preview that comes up, then closes it.
    int previews(const std::function<void(TFPreview*)>& acao, const std::function<void()>& dispara) {
        int vistas = 0;
        bool ocupado = false;
        QTimer vigia;
        connect(&vigia, &QTimer::timeout, this, [&] {
            if (ocupado) return;  // the action may wait, and the timer fires meanwhile
            if (auto* p = qobject_cast<TFPreview*>(QApplication::activeModalWidget())) {
                ocupado = true;
                ++vistas;
                acao(p);
                p->close();
                ocupado = false;
            }
        });
        vigia.start(30);
        dispara();
        QTest::qWait(100);
        return vistas;
    }

private slots:
    void initTestCase() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        // The transformation files go to the current folder: a folder of this test.
        pastaAnterior_ = QDir::currentPath();
        std::filesystem::create_directories(inst_->pasta->caminho() / "atual");
        QDir::setCurrent(QString::fromStdString((inst_->pasta->caminho() / "atual").string()));
        // Two default additions, copied into every new record.
        Tabela d(privado(), kTabelaDefAcrescProrrata);
        d.abre();
        d.insere();
        d["Descricao"] = "Honorários";
        d["Valor"] = 15.0;
        d["Tipo"] = "P";
        d["Totalizar"] = true;
        d.grava();
        d.insere();
        d["Descricao"] = "Custas";
        d["Valor"] = 200.0;
        d["Tipo"] = "V";
        d["DtBase"] = Data::de(2020, 1, 31);
        d["Totalizar"] = false;
        d.grava();
        principal_ = std::make_unique<TFPrincipal>(*inst_->sessao);
        principal_->resize(1200, 900);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
        DefineApresentacao(&registro_);
    }
    void cleanupTestCase() {
        fecha();
        DefineApresentacao(nullptr);
        principal_.reset();
        QDir::setCurrent(pastaAnterior_);
        inst_.reset();
    }
    // A failed check leaves no window open for the next one.
    void cleanup() { fecha(); }
    void init() {
        espera();
        registro_.mensagens.clear();
    }

    void abreComAsPaginasEOPainel() {
        // An edited transformation file stays as it is; the missing one is written.
        const auto pasta = std::filesystem::current_path();
        { std::ofstream(pasta / kTransformacaoParaXml) << "editado"; }
        TFProrrata* j = abre();
        QCOMPARE(j->windowTitle(), Q("KORVA - Atualização Diária dos Cálculos"));
        QVERIFY(!principal_->entrada("MnProrrata")->isEnabled());
        QVERIFY(std::filesystem::exists(pasta / kTransformacaoParaPacote));
        std::ifstream editado(pasta / kTransformacaoParaXml);
        std::string texto((std::istreambuf_iterator<char>(editado)), {});
        QCOMPARE(texto, std::string("editado"));

        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgProcesso));
        QCOMPARE(paginas()->tabText(0), Q("Pr&ocesso"));
        QCOMPARE(paginas()->tabText(1), Q("&Parâmetros"));
        QCOMPARE(controle<QPushButton>("BtAtualizacao")->text(), Q("&Atualização"));
        QCOMPARE(controle<QPushButton>("BtAtualizacao")->toolTip(), Q("Atualizar Valores"));
        QCOMPARE(controle<QPushButton>("BtBuscarProcesso")->text(), Q("&Buscar Processo"));
        QCOMPARE(controle<QPushButton>("BtBuscarProcesso")->toolTip(), Q("Duplicar Cálculo"));
        // "Integra Precatorios" is "N": no import, and "&Buscar Processo" in its place.
        QVERIFY(controle<QPushButton>("BtPrecatorios")->isHidden());
        const int direitaAtualizacao = controle<QPushButton>("BtAtualizacao")->geometry().right();
        QVERIFY(controle<QPushButton>("BtBuscarProcesso")->x() - direitaAtualizacao < 20);
        QCOMPARE(controle<QDateEdit>("DtImpressao")->date(), QDate::currentDate());

        auto* grade = controle<GradeTabela>("GradeProrrata");
        QStringList titulos;
        for (int i = 0; i < grade->model()->columnCount(); ++i)
            if (!grade->isColumnHidden(i)) titulos << grade->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titulos, (QStringList{"Processo", "Grupo", "Dt. Ajuiz.", "Dt. Base", "Valor", "Dt. Final", "Indice",
                                       "Obs"}));
        // Browsing: the search bar is on but its button waits for a text; no date picker.
        QVERIFY(controle<QLineEdit>("EdPesquisa")->isEnabled());
        QVERIFY(!controle<QPushButton>("BtPesquisa")->isEnabled());
        QTest::keyClicks(controle<QLineEdit>("EdPesquisa"), "x");
        QVERIFY(controle<QPushButton>("BtPesquisa")->isEnabled());
        QCOMPARE(controle<QLineEdit>("EdPesquisa")->text(), Q("X"));
        controle<QLineEdit>("EdPesquisa")->clear();
        QVERIFY(!controle<QPushButton>("BtPesquisa")->isEnabled());
        QVERIFY(!controle<QToolButton>("BtDtAjuiz")->isEnabled());
        // The statement needs a record.
        QTest::mouseClick(controle<QPushButton>("BtAtualizacao"), Qt::LeftButton);
        QCOMPARE(mensagens(), Q(kMsgCadastreProcesso));
        fecha();
        QVERIFY(principal_->entrada("MnProrrata")->isEnabled());
    }

    void novoRegistroCopiaOsAcrescimosSoNaPrimeiraGravacao() {
        abre();
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(registros().estado(), EstadoTabela::Insercao);
        QTRY_VERIFY(controle<QLineEdit>("EdProcesso")->hasFocus());
        // The defaults of a new record.
        QCOMPARE(controle<QLineEdit>("EdDtFinal")->text(), QString::fromStdString(Data::hoje().dma()));
        QCOMPARE(controle<QLineEdit>("EdValor")->text(), Q("0,00"));
        QCOMPARE(controle<QComboBox>("CbIndice")->currentText(), Q("IPCA-E"));
        QVERIFY(controle<QCheckBox>("CkJurosFGTS")->isChecked());
        // While inserting: the list, the search and the panel off, the date pickers on.
        for (const char* nome : {"GradeProrrata", "LbPesquisa", "EdPesquisa", "BtPesquisa", "BtAtualizacao",
                                 "BtBuscarProcesso", "BtPrecatorios"})
            QVERIFY2(!janela()->findChild<QWidget*>(nome)->isEnabled(), nome);
        for (const char* nome : {"BtDtAjuiz", "BtDtBase", "BtDtFinal"})
            QVERIFY2(controle<QToolButton>(nome)->isEnabled(), nome);

        QTest::keyClicks(controle<QLineEdit>("EdProcesso"), "100/2019-xy");
        QCOMPARE(controle<QLineEdit>("EdProcesso")->text(), Q("100/2019-XY"));
        QTest::keyClicks(controle<QLineEdit>("EdCodRecte"), "2");
        QTest::keyClicks(controle<QLineEdit>("EdDtAjuiz"), "03/06/2019");
        QTest::keyClicks(controle<QLineEdit>("EdDtBase"), "31/01/2020");
        controle<QLineEdit>("EdValor")->selectAll();
        QTest::keyClicks(controle<QLineEdit>("EdValor"), "1234,5");
        QTest::keyClicks(controle<QLineEdit>("EdParte1"), "Ana Souza");
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(registros().estado(), EstadoTabela::Navegacao);
        // Back to browsing: the list has the focus and the controls are on again.
        QTRY_VERIFY(controle<GradeTabela>("GradeProrrata")->hasFocus());
        QVERIFY(controle<QPushButton>("BtAtualizacao")->isEnabled());
        QVERIFY(!controle<QToolButton>("BtDtBase")->isEnabled());

        const int codigo = janela()->registros().codigoAtual();
        QVERIFY(codigo > 0);
        QCOMPARE(registros().valor("Processo").comoTexto(), std::string("100/2019-XY"));
        QCOMPARE(registros().valor("Valor").comoNumero(), 1234.5);
        QCOMPARE(controle<QLineEdit>("EdValor")->text(), Q("1.234,50"));
        QCOMPARE(controle<QLineEdit>("EdCodRecte")->text(), Q("002"));
        QCOMPARE(linhas(kTabelaAcrescProrrata, codigo), 2);

        // An edit stored afterwards copies nothing more.
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Editar), Qt::LeftButton);
        QTRY_VERIFY(controle<QLineEdit>("EdProcesso")->hasFocus());
        controle<QLineEdit>("EdParte2")->setFocus();
        QTest::keyClicks(controle<QLineEdit>("EdParte2"), "Empresa Ltda");
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(registros().valor("Parte2").comoTexto(), std::string("Empresa Ltda"));
        QCOMPARE(linhas(kTabelaAcrescProrrata, codigo), 2);

        // An instalment: the cursor starts at its date; editing it takes the list and search off.
        QTest::mouseClick(navegador("NavParcelas", NavegadorTabela::Inserir), Qt::LeftButton);
        auto* parcelas = controle<GradeTabela>("GradeParcelas");
        QCOMPARE(parcelas->currentIndex().column(), janela()->modeloParcelas().colunaDoCampo("Data"));
        QVERIFY(!controle<GradeTabela>("GradeProrrata")->isEnabled());
        QVERIFY(!controle<QPushButton>("BtAtualizacao")->isEnabled());
        digitaCelula(parcelas, "Data", Q("15/06/2021"));
        digitaCelula(parcelas, "Valor", Q("300"));
        QTest::mouseClick(navegador("NavParcelas", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(linhas(kTabelaParcelas, codigo), 1);
        QVERIFY(controle<GradeTabela>("GradeProrrata")->isEnabled());

        // Deleting the record asks, and takes its instalments and additions with it.
        const int outro = gravaRegistro("200/2020", 1);
        registros().atualiza();
        QVERIFY(registros().localiza({"Codigo"}, {Valor(codigo)}));
        QApplication::processEvents();
        teste::RespondeMensagens respostas;
        respostas.responde(QMessageBox::Yes);
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Excluir), Qt::LeftButton);
        QTRY_VERIFY(respostas.semRespostasPendentes());
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(respostas.textos, QStringList{"Excluir o registro?"});
        QCOMPARE(linhas(kTabelaParcelas, codigo), 0);
        QCOMPARE(linhas(kTabelaAcrescProrrata, codigo), 0);
        Tabela t(privado(), kTabelaProrrata);
        t.abre(ModoAbertura::SomenteLeitura);
        QVERIFY(!t.localiza({"Codigo"}, {Valor(codigo)}));
        QVERIFY(t.localiza({"Codigo"}, {Valor(outro)}));
        fecha();
    }

    void controlesDosJurosNaPaginaDeParametros() {
        const int codigo = gravaRegistro("300/2021", 1);
        abre();
        QVERIFY(registros().localiza({"Codigo"}, {Valor(codigo)}));
        QApplication::processEvents();
        clicaPagina(TFProrrata::PgParametros);
        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgParametros));
        QVERIFY(janela()->modeloJuros() && janela()->modeloAcrescimos());
        // Interest, constant, legal mode: the groups on, the accrued interest and the variations off.
        QVERIFY(controle<QCheckBox>("CkComJuros")->isChecked());
        QVERIFY(controle<QGroupBox>("RgCalculoJuros")->isEnabled());
        QVERIFY(controle<QGroupBox>("RgJuros")->isEnabled());
        QVERIFY(!controle<QLineEdit>("EdValorJuros")->isEnabled());
        QVERIFY(!controle<QGroupBox>("GbVariacao")->isEnabled());
        QVERIFY(!controle<QPushButton>("BtJurosLegais")->isEnabled());

        marca("RbRegressivos");
        QVERIFY(controle<QLineEdit>("EdValorJuros")->isEnabled());
        QCOMPARE(registros().estado(), EstadoTabela::Edicao);
        // Editing: the page cannot be left.
        teste::RespondeMensagens respostas;
        clicaPagina(TFProrrata::PgProcesso);
        QTRY_COMPARE(respostas.textos, QStringList{Q("Antes de mudar de página, cancele ou confirme a operação")});
        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgParametros));
        // Cancelling the edit shows the stored options again.
        QTest::mouseClick(navegador("NavParametros", NavegadorTabela::Cancelar), Qt::LeftButton);
        QVERIFY(controle<QRadioButton>("RbConstantes")->isChecked());
        QVERIFY(!controle<QLineEdit>("EdValorJuros")->isEnabled());

        marca("RbJuros2");  // 'Informar variação'
        QVERIFY(controle<QGroupBox>("GbVariacao")->isEnabled());
        QVERIFY(controle<QPushButton>("BtJurosLegais")->isEnabled());
        QTest::mouseClick(navegador("NavParametros", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(registros().valor("UsarJurosPadrao").comoInteiro(), int64_t{2});

        // "Juros Legais" leaves exactly the three legal rows.
        Tabela* juros = janela()->registros().juros();
        QVERIFY(juros);
        QTest::mouseClick(controle<QPushButton>("BtJurosLegais"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(linhas(kTabelaJurosProrrata, codigo), 3);
        QCOMPARE(janela()->modeloJuros()->rowCount(), 3);

        // A variation typed "c" is stored "C".
        auto* gradeJuros = controle<GradeTabela>("GradeJuros");
        QTest::mouseClick(navegador("NavJuros", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(gradeJuros->currentIndex().column(), janela()->modeloJuros()->colunaDoCampo("Data"));
        digitaCelula(gradeJuros, "Data", Q("31/12/2022"));
        digitaCelula(gradeJuros, "Juros", Q("2"));
        digitaCelula(gradeJuros, "Forma", Q("c"));
        QTest::mouseClick(navegador("NavJuros", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(linhas(kTabelaJurosProrrata, codigo), 4);
        QCOMPARE(juros->valor("Forma").comoTexto(), std::string("C"));

        // A variation being typed when "Calcular Juros" is cleared: the group goes off and the row is cancelled.
        QTest::mouseClick(navegador("NavJuros", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(juros->estado(), EstadoTabela::Insercao);
        clicaCaixa("CkComJuros");
        QVERIFY(!controle<QCheckBox>("CkComJuros")->isChecked());
        QVERIFY(!juros->editando());
        QVERIFY(!controle<QGroupBox>("GbVariacao")->isEnabled());
        QVERIFY(!controle<QPushButton>("BtJurosLegais")->isEnabled());
        QVERIFY(!controle<QGroupBox>("RgJuros")->isEnabled());
        QVERIFY(!controle<QGroupBox>("RgCalculoJuros")->isEnabled());
        QTest::mouseClick(navegador("NavParametros", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(!registros().valor("ComJuros").comoLogico());
        QCOMPARE(linhas(kTabelaJurosProrrata, codigo), 4);

        // An addition "V" without a date is refused on the "Data Base" column; a "P" row loses its date.
        auto* gradeAcrescimos = controle<GradeTabela>("GradeAcrescimos");
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Inserir), Qt::LeftButton);
        ModeloTabela* ma = janela()->modeloAcrescimos();
        QCOMPARE(gradeAcrescimos->currentIndex().column(), ma->colunaDoCampo("Descricao"));
        digitaCelula(gradeAcrescimos, "Descricao", Q("Multa"));
        digitaCelula(gradeAcrescimos, "Valor", Q("50"));
        digitaCelula(gradeAcrescimos, "Tipo", Q("V"));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(mensagens(), Q("Campo obrigatório não preenchido ou preenchido incorretamente."));
        QCOMPARE(gradeAcrescimos->currentIndex().column(), ma->colunaDoCampo("DtBase"));
        QCOMPARE(ma->tabela().estado(), EstadoTabela::Insercao);
        registro_.mensagens.clear();
        digitaCelula(gradeAcrescimos, "DtBase", Q("31/01/2020"));
        digitaCelula(gradeAcrescimos, "Tipo", Q("p"));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(ma->tabela().valor("Tipo").comoTexto(), std::string("P"));
        QVERIFY(ma->tabela().valor("DtBase").nulo());
        QCOMPARE(linhas(kTabelaAcrescProrrata, codigo), 1);  // written straight into the table: no defaults

        // Leaving the page closes the two tables.
        clicaPagina(TFProrrata::PgProcesso);
        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgProcesso));
        QVERIFY(!janela()->registros().juros());
        QVERIFY(!janela()->modeloAcrescimos());
        fecha();
    }

    void duasLinhasSelecionadas() {
        gravaRegistro("400/2022", 1);
        gravaRegistro("401/2022", 1);
        abre();
        QVERIFY(controle<QPushButton>("BtBuscarProcesso")->isEnabled());
        selecionaLinhas({0, 1});
        QVERIFY(!controle<QPushButton>("BtBuscarProcesso")->isEnabled());
        teste::RespondeMensagens respostas;
        clicaPagina(TFProrrata::PgParametros);
        QTRY_COMPARE(respostas.textos, QStringList{Q("Selecione apenas um processo para manipular os parâmetros")});
        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgProcesso));
        selecionaLinhas({1});
        QVERIFY(controle<QPushButton>("BtBuscarProcesso")->isEnabled());

        // Editing the record: the page is not left either.
        controle<QLineEdit>("EdObs")->setFocus();
        QTest::keyClicks(controle<QLineEdit>("EdObs"), "nota");
        QCOMPARE(registros().estado(), EstadoTabela::Edicao);
        clicaPagina(TFProrrata::PgParametros);
        QTRY_COMPARE(respostas.textos.size(), 2);
        QCOMPARE(respostas.textos.last(), Q("Antes de mudar de página, cancele ou confirme a operação"));
        QCOMPARE(paginas()->currentIndex(), int(TFProrrata::PgProcesso));

        // Nor is the window closed.
        auto* sub = qobject_cast<QMdiSubWindow*>(janela()->parentWidget());
        QVERIFY(sub);
        sub->close();
        QApplication::processEvents();
        QVERIFY(janela());
        QCOMPARE(mensagens(), Q("Antes de fechar o formulário, cancele ou confirme a operação"));
        QTest::mouseClick(navegador("NavProrrata", NavegadorTabela::Cancelar), Qt::LeftButton);
        QCOMPARE(registros().estado(), EstadoTabela::Navegacao);
        QCOMPARE(controle<QLineEdit>("EdObs")->text(), QString());
        fecha();
    }

    void pesquisaPorNumero() {
        gravaRegistro("500/2023", 1);
        gravaRegistro("500/2023", 2);
        abre();
        teste::RespondeMensagens respostas;
        QTest::keyClicks(controle<QLineEdit>("EdPesquisa"), "999/1999");
        QTest::keyClick(controle<QLineEdit>("EdPesquisa"), Qt::Key_Return);
        QTRY_COMPARE(respostas.textos, QStringList{Q("Processo não Encontrado!")});
        controle<QLineEdit>("EdPesquisa")->clear();
        QTest::keyClicks(controle<QLineEdit>("EdPesquisa"), "500/2023");
        QTest::mouseClick(controle<QPushButton>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(registros().valor("Processo").comoTexto(), std::string("500/2023"));
        QCOMPARE(registros().valor("CodRecte").comoInteiro(), int64_t{1});
        QCOMPARE(controle<QLineEdit>("EdProcesso")->text(), Q("500/2023"));
        QCOMPARE(respostas.textos.size(), 1);
        fecha();
    }

    void extratoDeCadaRegistroSelecionado() {
        const int a = gravaRegistro("600/2019", 1, 1000.0);
        const int b = gravaRegistro("601/2019", 1, 2500.0);
        abre();
        controle<QDateEdit>("DtImpressao")->setDate(QDate(2024, 4, 2));
        QVERIFY(registros().localiza({"Codigo"}, {Valor(a)}));
        QApplication::processEvents();
        const int linhaA = janela()->modelo().linhaAtual();
        QVERIFY(registros().localiza({"Codigo"}, {Valor(b)}));
        QApplication::processEvents();
        const int linhaB = janela()->modelo().linhaAtual();

        // One record: one statement, saved as PDF from its preview.
        const QString pdf = QDir::current().filePath(QStringLiteral("extrato"));
        TFPreview::DefineArquivoPdfTeste([&](const QString&) { return pdf; });
        QStringList processos;
        selecionaLinhas({linhaA});
        int vistas = previews(
            [&](TFPreview* p) {
                QCOMPARE(p->windowTitle().contains(Q("Atualização Diária")), true);
                QVERIFY(p->totalPaginas() >= 1);
                QString texto;
                for (const auto& e : p->documento().paginas.front().elementos) texto += QString::fromStdString(e.texto) + '\n';
                processos << texto;
                QTest::mouseClick(p->findChild<QPushButton*>("BtSalvarPdf"), Qt::LeftButton);
                teste::GuardaTela(p, "prorrata-extrato");
            },
            [&] { QTest::mouseClick(controle<QPushButton>("BtAtualizacao"), Qt::LeftButton); });
        TFPreview::DefineArquivoPdfTeste({});
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(vistas, 1);
        QVERIFY(QFile::exists(pdf + ".pdf"));
        QVERIFY(processos.front().contains(Q("600/2019")));
        QVERIFY(processos.front().contains(Q("TOTAL:")));

        // Two records: two statements in the grid's order, and the current record back.
        processos.clear();
        selecionaLinhas({linhaB, linhaA});
        QCOMPARE(janela()->modelo().linhaAtual(), linhaA);
        vistas = previews(
            [&](TFPreview* p) {
                QString texto;
                for (const auto& e : p->documento().paginas.front().elementos) texto += QString::fromStdString(e.texto);
                processos << texto;
            },
            [&] { QTest::mouseClick(controle<QPushButton>("BtAtualizacao"), Qt::LeftButton); });
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(vistas, 2);
        const bool aPrimeiro = linhaA < linhaB;
        QVERIFY(processos[aPrimeiro ? 0 : 1].contains(Q("600/2019")));
        QVERIFY(processos[aPrimeiro ? 1 : 0].contains(Q("601/2019")));
        QCOMPARE(janela()->modelo().linhaAtual(), linhaA);
        QCOMPARE(janela()->registros().codigoAtual(), a);
        fecha();
    }

    void planilhaDoRegistroAtual() {
        const int a = gravaRegistro("602/2019", 1, 1000.0);
        abre();
        QVERIFY(registros().localiza({"Codigo"}, {Valor(a)}));
        QApplication::processEvents();
        const QString arquivo = QDir::current().filePath(QStringLiteral("extrato-planilha"));
        QString proposto;
        DefineArquivoPlanilhaTeste([&](const QString& p) {
            proposto = p;
            return arquivo;
        });
        teste::RespondeMensagens respostas;
        QTest::mouseClick(controle<QPushButton>("BtExportarPlanilha"), Qt::LeftButton);
        DefineArquivoPlanilhaTeste({});
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(proposto, Q("Prorrata 602-2019 Grupo 001.xlsx"));
        QVERIFY(QFile::exists(arquivo + ".xlsx"));
        QCOMPARE(respostas.textos.size(), 1);
        QVERIFY(respostas.textos.front().startsWith(Q("Planilha gravada em")));
        // While the record is edited the export waits, like the statement.
        registros().edita();
        QApplication::processEvents();
        QVERIFY(!controle<QPushButton>("BtExportarPlanilha")->isEnabled());
        registros().cancela();
        fecha();
    }

    void registroTiradoDeUmCalculo() {
        const CalculoAberto calculo = inst_->importa("fgts-dois-reclamantes.json");
        abre();
        bool listou = false;
        QTimer vigia;
        connect(&vigia, &QTimer::timeout, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->objectName() != "TFListaProcessos") return;
            vigia.stop();
            listou = true;
            // The pro-rata mode offers the two imports, both ticked.
            QVERIFY(!w->findChild<QWidget*>("PnImportar")->isHidden());
            QVERIFY(w->findChild<QCheckBox*>("CbINSSEmpresa")->isChecked());
            QVERIFY(w->findChild<QCheckBox*>("CbIR")->isChecked());
            QTest::mouseClick(w->findChild<QPushButton*>("BtOk"), Qt::LeftButton);
        });
        vigia.start(20);
        QTest::mouseClick(controle<QPushButton>("BtBuscarProcesso"), Qt::LeftButton);
        QVERIFY(listou);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(registros().estado(), EstadoTabela::Navegacao);
        const int codigo = janela()->registros().codigoAtual();
        QVERIFY(codigo > 0);
        QCOMPARE(controle<QLineEdit>("EdProcesso")->text(), QString::fromStdString(calculo.execucao.processo));
        // The two default additions and the two of the calculation.
        QCOMPARE(linhas(kTabelaAcrescProrrata, codigo), 4);
        fecha();
    }

    void importacaoSoComAIntegracao() {
        inst_->sessao->configuracoes().integraPrecatorios = "S";
        abre();
        QVERIFY(!controle<QPushButton>("BtPrecatorios")->isHidden());
        QCOMPARE(controle<QPushButton>("BtPrecatorios")->text(), Q("&Precatórios"));
        QCOMPARE(controle<QPushButton>("BtPrecatorios")->toolTip(), Q("Importar dados dos Precatórios"));
        fecha();
        inst_->sessao->configuracoes().integraPrecatorios = "N";
    }

    void telas() {
        if (qEnvironmentVariable("KORVA_TELAS").isEmpty()) QSKIP("KORVA_TELAS not set");
        abre();
        auto* sub = qobject_cast<QMdiSubWindow*>(janela()->parentWidget());
        if (sub) sub->showMaximized();
        QApplication::processEvents();
        teste::GuardaTela(principal_.get(), "prorrata-processo");
        clicaPagina(TFProrrata::PgParametros);
        QApplication::processEvents();
        teste::GuardaTela(principal_.get(), "prorrata-parametros");
        clicaPagina(TFProrrata::PgProcesso);
        fecha();
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFProrrataTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFProrrataTest.moc"
