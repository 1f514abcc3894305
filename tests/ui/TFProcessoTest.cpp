// The lawsuit register window over a real first-start installation, driven as
// a user does: inserting a lawsuit creates its file set behind the progress
// window; a number the masks refuse keeps the row in insertion with what was
// typed; a new group and a duplicate through their dialogs copy the ticked
// tables; deletion asks and removes the file set; the interest mode and the
// additions grid on their page; search and order; closing with a pending edit
// is refused. Also: screenshots of the pages, and the time to open the window
// over 5,000 lawsuits and to find one of them.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
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

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "register/ui/TFListaProcessos.h"
#include "register/ui/TFNovoGrupo.h"
#include "register/ui/TFProcesso.h"
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

// Runs `resposta` on the next modal window that satisfies it (returns true).
void QuandoModal(std::function<bool(QWidget*)> resposta) {
    auto* relogio = new QTimer(qApp);
    QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, resposta] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && resposta(w)) {
            relogio->stop();
            relogio->deleteLater();
        }
    });
    relogio->start(20);
}

// Answers the next question box with the button given.
void Responde(QMessageBox::StandardButton botao, QString* texto = nullptr) {
    QuandoModal([botao, texto](QWidget* w) {
        auto* caixa = qobject_cast<QMessageBox*>(w);
        if (!caixa || !caixa->button(botao)) return false;
        if (texto) *texto = caixa->text();
        caixa->button(botao)->click();
        return true;
    });
}

std::string Nome(int diretorio, char letra, int arquivo) {
    return QStringLiteral("Sub%1\\%2%3.db")
        .arg(diretorio, 5, 10, QChar('0'))
        .arg(QChar(letra))
        .arg(arquivo, 7, 10, QChar('0'))
        .toStdString();
}

}  // namespace

class TFProcessoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
    std::unique_ptr<Sessao> sessao_;
    std::unique_ptr<TFPrincipal> principal_;
    Registro registro_;

    TFProcesso* janela() const { return principal_->findChild<TFProcesso*>(); }
    template <class T>
    T* controle(const char* nome) const {
        T* w = janela()->findChild<T*>(nome);
        if (!w) qFatal("control not found: %s", nome);
        return w;
    }
    QToolButton* navegador(const char* nav, NavegadorTabela::Botao b) const {
        return controle<NavegadorTabela>(nav)->botao(b);
    }
    Tabela& processos() const { return janela()->registro().processos(); }
    bool existe(const std::string& nome) const { return sessao_->privado().existe(nome); }
    int linhas(const std::string& nome) const {
        Tabela t(sessao_->privado(), nome);
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
    int arquivo() const { return static_cast<int>(processos().valor("Arquivo").comoInteiro()); }

    TFProcesso* abre() {
        if (!janela()) principal_->entrada("MnCalculo")->trigger();
        TFProcesso* j = janela();
        if (!j) qFatal("the register did not open");
        QApplication::processEvents();
        return j;
    }
    void fecha() {
        if (TFProcesso* j = janela()) {
            QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(j->parentWidget());
            QVERIFY(sub ? sub->close() : j->close());
            QTRY_VERIFY(!janela());
        }
    }
    // Inserts a lawsuit through the fields and the navigator.
    void insere(const QString& processo, const QString& grupo, const QString& ajuizamento) {
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(processos().estado(), EstadoTabela::Insercao);
        QTest::keyClicks(controle<QLineEdit>("EdProcesso"), processo);
        QTest::keyClicks(controle<QLineEdit>("EdCodRecte"), grupo);
        QTest::keyClicks(controle<QLineEdit>("EdDtAjuiz"), ajuizamento);
        QTest::keyClicks(controle<QLineEdit>("EdCalculista"), "joao pereira");
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
    }
    void clicaPagina(int pagina) {
        auto* abas = controle<QTabWidget>("PgPaginas");
        QTest::mouseClick(abas->tabBar(), Qt::LeftButton, {}, abas->tabBar()->tabRect(pagina).center());
        QCOMPARE(abas->currentIndex(), pagina);
    }
    // Clicks a radio button on its mark, as a user does.
    void marca(const char* nome) {
        auto* r = controle<QRadioButton>(nome);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
        QVERIFY2(r->isChecked(), nome);
    }
    void espera() { QTest::qWait(450); }  // one message per moment from the handler

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTemporaria>();
        ambiente_ = Ambiente::Padrao(pasta_->caminho(), "korva");
        ambiente_.pastaPrograma = pasta_->caminho() / "programa";
        std::filesystem::create_directories(ambiente_.pastaPrograma);
        QVERIFY(Sessao::PrimeiraPartida(ambiente_));
        sessao_ = std::make_unique<Sessao>(ambiente_);
        principal_ = std::make_unique<TFPrincipal>(*sessao_);
        principal_->resize(1100, 780);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
        DefineApresentacao(&registro_);
    }

    // A failed check leaves no row open for the next one.
    void cleanup() {
        if (janela() && processos().aberta() && processos().editando()) processos().cancela();
    }

    void init() {
        espera();
        registro_.mensagens.clear();
    }

    void abreNoMenuComUmaInstanciaSo() {
        TFProcesso* j = abre();
        QCOMPARE(j->windowTitle(), QStringLiteral("KORVA - Tabela de Processos"));
        QVERIFY(!principal_->entrada("MnCalculo")->isEnabled());
        QVERIFY(!principal_->botao("BtProcesso")->isEnabled());
        QCOMPARE(controle<QTabWidget>("PgPaginas")->currentIndex(), int(TFProcesso::PgProcesso));
        QStringList abas;
        for (int i = 0; i < controle<QTabWidget>("PgPaginas")->count(); ++i)
            abas << controle<QTabWidget>("PgPaginas")->tabText(i);
        QCOMPARE(abas, (QStringList{"&Processo", "&INSS e IR", "&Atualização", "A&créscimos", "Observ."}));
        QStringList ordens;
        for (int i = 0; i < controle<QComboBox>("CbOrdem")->count(); ++i) ordens << controle<QComboBox>("CbOrdem")->itemText(i);
        QCOMPARE(ordens, (QStringList{"Processo", "Dt. Grav.", "Dt. Ajuiz.", "Calculista"}));
        // The list shows five columns.
        auto* lista = controle<GradeTabela>("GrProcessos");
        QStringList titulos;
        for (int i = 0; i < lista->model()->columnCount(); ++i)
            if (!lista->isColumnHidden(i)) titulos << lista->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titulos, (QStringList{"Processo", "Grupo", "Dt. Grav.", "Dt. Ajuiz.", "Calculista"}));
        // Browsing an empty list: no date picker, the search bar and buttons on.
        QVERIFY(!controle<QToolButton>("BtDtAjuiz")->isEnabled());
        QVERIFY(controle<QLineEdit>("EdPesquisa")->isEnabled());
        QVERIFY(controle<QPushButton>("BtNovoGrupo")->isEnabled());
        QVERIFY(controle<QPushButton>("BtAndamentos")->isHidden());  // "Integra Andamentos" is "N"
        // A button of the bar needs a lawsuit first.
        QTest::mouseClick(controle<QPushButton>("BtNovoGrupo"), Qt::LeftButton);
        QCOMPARE(registro_.mensagens, QStringList{"Cadastre um processo antes de selecionar esta opção!"});
    }

    void insereUmProcessoPelaJanelaECriaOConjunto() {
        abre();
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(processos().estado(), EstadoTabela::Insercao);
        // While inserting: the search bar, list, order box and button bar off, the pickers on.
        for (const char* nome : {"EdPesquisa", "BtPesquisa", "CbOrdem", "GrProcessos", "BtOpcoesPesquisa", "BtPartes",
                                 "BtNovoGrupo", "BtDuplicar"})
            QVERIFY2(!janela()->findChild<QWidget*>(nome)->isEnabled(), nome);
        for (const char* nome : {"BtDtGrav", "BtDtAjuiz", "BtDtBase"})
            QVERIFY2(controle<QToolButton>(nome)->isEnabled(), nome);
        // The insertion values are shown: today's dates, the folder.
        const QString hoje = QString::fromStdString(Data::hoje().dma());
        QCOMPARE(controle<QLineEdit>("EdDtGrav")->text(), hoje);
        QCOMPARE(controle<QLineEdit>("EdDtBase")->text(), hoje);
        QCOMPARE(controle<QLineEdit>("EdDiretorio")->text(), QStringLiteral("1"));

        QTest::keyClicks(controle<QLineEdit>("EdProcesso"), "123/2009-abc");
        QCOMPARE(controle<QLineEdit>("EdProcesso")->text(), QStringLiteral("123/2009-ABC"));
        QTest::keyClicks(controle<QLineEdit>("EdCodRecte"), "1");
        QTest::keyClicks(controle<QLineEdit>("EdDtAjuiz"), "10/03/2009");
        QTest::keyClicks(controle<QLineEdit>("EdCalculista"), "maria da silva");
        // The picker opens on the field's date; "OK" puts the picked one in the field.
        QDate aberta;
        QuandoModal([&](QWidget* w) {
            if (w->objectName() != "TFPegaData") return false;
            auto* calendario = w->findChild<QCalendarWidget*>("Calendario");
            aberta = calendario->selectedDate();
            calendario->setSelectedDate(QDate(2026, 12, 1));
            w->findChild<QPushButton*>("BtOk")->click();
            return true;
        });
        QTest::mouseClick(controle<QToolButton>("BtDtBase"), Qt::LeftButton);
        QCOMPARE(aberta, QDate::currentDate());
        QCOMPARE(controle<QLineEdit>("EdDtBase")->text(), QStringLiteral("01/12/2026"));
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QCOMPARE(processos().estado(), EstadoTabela::Navegacao);

        // The progress window went through the four tables and closed.
        auto* progresso = janela()->findChild<QProgressDialog*>("TFProgresso");
        QVERIFY(progresso);
        QCOMPARE(progresso->windowTitle(), QStringLiteral("KORVA"));
        QCOMPARE(progresso->maximum(), 4);
        QCOMPARE(progresso->value(), 4);
        QVERIFY(progresso->isHidden());

        const int a = arquivo();
        QVERIFY(a > 0);
        for (char letra : {'A', 'B', 'C', 'E'}) QVERIFY2(existe(Nome(1, letra, a)), &letra);
        for (char letra : {'D', 'F', 'G', 'H', 'I'}) QVERIFY(!existe(Nome(1, letra, a)));
        QCOMPARE(linhas(Nome(1, 'E', a)), linhas("DefAcrescimos.DB"));
        // Stored as typed, shown back formatted.
        QCOMPARE(processos().valor("Processo").comoTexto(), std::string("123/2009-ABC"));
        QCOMPARE(processos().valor("DtAjuiz").comoData(), Data::de(2009, 3, 10));
        QCOMPARE(processos().valor("DtBase").comoData(), Data::de(2026, 12, 1));
        QCOMPARE(controle<QLineEdit>("EdCalculista")->text(), QStringLiteral("Maria da Silva"));
        QCOMPARE(controle<QLineEdit>("EdCodRecte")->text(), QStringLiteral("001"));
        QCOMPARE(controle<QLineEdit>("EdArquivo")->text(), QString::number(a));
        QCOMPARE(controle<QLabel>("LbSProcesso")->text(), QStringLiteral("123/2009-ABC Grupo: 1"));
        QCOMPARE(controle<GradeTabela>("GrProcessos")->model()->index(0, 1).data().toString(), QStringLiteral("001"));
        // Back to browsing: the search bar on, the pickers off.
        QVERIFY(controle<QLineEdit>("EdPesquisa")->isEnabled());
        QVERIFY(!controle<QToolButton>("BtDtAjuiz")->isEnabled());

        // An edit is stored without creating anything.
        controle<QLineEdit>("EdCalculista")->end(false);
        QTest::keyClicks(controle<QLineEdit>("EdCalculista"), " souza");
        QCOMPARE(processos().estado(), EstadoTabela::Edicao);
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(processos().valor("Calculista").comoTexto(), std::string("Maria da Silva Souza"));
        QCOMPARE(arquivo(), a);
    }

    void umNumeroForaDasMascarasFicaEmInsercaoComODigitado() {
        fecha();
        sessao_->configuracoes().mascara1 = "9999/9999";
        abre();
        insere("12A/2009", "1", "01/02/2009");
        QCOMPARE(registro_.mensagens, QStringList{"Formato do número do processo inválido!"});
        QCOMPARE(processos().estado(), EstadoTabela::Insercao);
        QCOMPARE(controle<QLineEdit>("EdProcesso")->text(), QStringLiteral("12A/2009"));
        QVERIFY(controle<QToolButton>("BtDtAjuiz")->isEnabled());
        // Corrected, it is stored.
        espera();
        auto* ed = controle<QLineEdit>("EdProcesso");
        ed->selectAll();
        QTest::keyClicks(ed, "0012/2009");
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(registro_.mensagens, QStringList{"Formato do número do processo inválido!"});
        QCOMPARE(processos().estado(), EstadoTabela::Navegacao);
        QCOMPARE(processos().valor("Processo").comoTexto(), std::string("0012/2009"));
        fecha();
        sessao_->configuracoes().mascara1.clear();
    }

    void novoGrupoEDuplicarPelosSeusDialogos() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        const int origem = arquivo();
        {
            // An addition of the first group's own, to be copied.
            Tabela e(sessao_->privado(), Nome(1, 'E', origem));
            e.abre();
            e.insere();
            e["Descricao"] = "Multa do artigo 477";
            e["Valor"] = 10.0;
            e["Tipo"] = "P";
            e["LimMinimo"] = 0.0;
            e["LimMaximo"] = 0.0;
            e.grava();
        }
        const int acrescimosOrigem = linhas(Nome(1, 'E', origem));
        // The dialog offers the five tables, all ticked; "Juros" is unticked here.
        QStringList caixas;
        QuandoModal([&](QWidget* w) {
            auto* d = qobject_cast<TFNovoGrupo*>(w);
            if (!d) return false;
            caixas << d->windowTitle() << d->findChild<QGroupBox*>("PnDuplicar")->title();
            for (QCheckBox* c : d->findChildren<QCheckBox*>()) caixas << c->text() + (c->isChecked() ? "+" : "-");
            d->findChild<QCheckBox*>("CbJuros")->setChecked(false);
            d->findChild<QPushButton*>("BtOk")->click();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtNovoGrupo"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QCOMPARE(caixas, (QStringList{"KORVA - Novo Grupo", " Duplicar os seguintes dados: ",
                                      "Parâmetros por Período+", "Parâmetros Mês a Mês+",
                                      "Bases de Cálculo I.N.S.S.+", "Acréscimos+", "Juros+"}));
        QCOMPARE(controle<QLabel>("LbSProcesso")->text(), QStringLiteral("123/2009-ABC Grupo: 2"));
        QCOMPARE(processos().valor("Calculista").comoTexto(), std::string("Maria da Silva Souza"));
        const int novo = arquivo();
        QVERIFY(novo != origem);
        for (char letra : {'A', 'B', 'C', 'E'}) QVERIFY(existe(Nome(1, letra, novo)));
        QCOMPARE(linhas(Nome(1, 'E', novo)), acrescimosOrigem);
        QVERIFY(!TFNovoGrupo::Copias().juros);  // the choice is kept for the next time
        TFNovoGrupo::Copias().juros = true;

        // Cancelling the dialog makes nothing.
        const int antes = processos().quantidade();
        QuandoModal([](QWidget* w) {
            auto* d = qobject_cast<TFNovoGrupo*>(w);
            if (d) d->findChild<QPushButton*>("BtCancela")->click();
            return d != nullptr;
        });
        QTest::mouseClick(controle<QPushButton>("BtNovoGrupo"), Qt::LeftButton);
        QCOMPARE(processos().quantidade(), antes);

        // Duplicating group 1 into group 2 replaces group 2's additions.
        {
            Tabela e(sessao_->privado(), Nome(1, 'E', origem));
            e.abre();
            e.insere();
            e["Descricao"] = "Custas processuais";
            e["Valor"] = 50.0;
            e["Tipo"] = "V";
            e["DtBase"] = Data::de(2009, 5, 4);
            e["LimMinimo"] = 0.0;
            e["LimMaximo"] = 0.0;
            e.grava();
        }
        QString oferecidos;
        QuandoModal([&](QWidget* w) {
            auto* d = qobject_cast<TFListaProcessos*>(w);
            if (!d) return false;
            QAbstractItemModel* m = d->findChild<GradeTabela*>("GrProcessos")->model();
            for (int i = 0; i < m->rowCount(); ++i)
                oferecidos += m->index(i, 0).data().toString() + "/" + m->index(i, 1).data().toString() + ";";
            d->findChild<QPushButton*>("BtOk")->click();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtDuplicar"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        // The current calculation is not offered.
        QVERIFY2(!oferecidos.contains("123/2009-ABC/2"), qPrintable(oferecidos));
        QVERIFY2(oferecidos.startsWith("0012/2009/"), qPrintable(oferecidos));
        QCOMPARE(arquivo(), novo);  // Processo.DB rows are not changed
        QCOMPARE(processos().quantidade(), antes);
    }

    void duplicarCopiaDoCalculoEscolhido() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        const int origem = arquivo();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(2)}));
        const int destino = arquivo();
        // Choose group 1 in the list and copy only the additions.
        QuandoModal([&](QWidget* w) {
            auto* d = qobject_cast<TFListaProcessos*>(w);
            if (!d) return false;
            auto* grade = d->findChild<GradeTabela*>("GrProcessos");
            QAbstractItemModel* m = grade->model();
            for (int i = 0; i < m->rowCount(); ++i)
                if (m->index(i, 0).data().toString() == "123/2009-ABC") grade->setCurrentIndex(m->index(i, 0));
            for (const char* c : {"CbParam1", "CbParam2", "CbBasesINSS", "CbJuros"})
                if (auto* caixa = d->findChild<QCheckBox*>(c)) caixa->setChecked(false);
            d->findChild<QPushButton*>("BtOk")->click();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtDuplicar"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QCOMPARE(linhas(Nome(1, 'E', destino)), linhas(Nome(1, 'E', origem)));
        for (const char* c : {"CbParam1", "CbParam2", "CbBasesINSS", "CbJuros"})
            if (auto* caixa = TFListaProcessos::Instancia().findChild<QCheckBox*>(c)) caixa->setChecked(true);
    }

    void exclusaoPerguntaERemoveOConjunto() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(2)}));
        const int a = arquivo();
        const int antes = processos().quantidade();
        QString pergunta;
        Responde(QMessageBox::No, &pergunta);
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Excluir), Qt::LeftButton);
        QCOMPARE(pergunta, QStringLiteral("Excluir o registro?"));
        QCOMPARE(processos().quantidade(), antes);
        QVERIFY(existe(Nome(1, 'A', a)));

        Responde(QMessageBox::Yes);
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Excluir), Qt::LeftButton);
        QCOMPARE(processos().quantidade(), antes - 1);
        QVERIFY(!processos().localizaChave({Valor("123/2009-ABC"), Valor(2)}));
        for (char letra : {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}) QVERIFY(!existe(Nome(1, letra, a)));
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
    }

    void modoDeJurosEAcrescimosNaSuaPagina() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        const int a = arquivo();
        clicaPagina(TFProcesso::PgAcrescimos);
        QCOMPARE(controle<QGroupBox>("GbAcrescimos")->title(),
                 QString::fromStdString(" Acréscimos: (" + Nome(1, 'E', a) + ")"));
        QVERIFY(janela()->modeloAcrescimos());
        QCOMPARE(janela()->modeloAcrescimos()->rowCount(), linhas(Nome(1, 'E', a)));
        QVERIFY(controle<QLabel>("LbExplicacaoJuros")->text().startsWith("Observar variação legal dos juros:"));

        // "Informar variação": the table is created with its three rows and shown.
        marca("RbCalculoJuros2");
        QCOMPARE(processos().estado(), EstadoTabela::Edicao);
        QVERIFY(existe(Nome(1, 'H', a)));
        QVERIFY(janela()->modeloJuros());
        QCOMPARE(janela()->modeloJuros()->rowCount(), 3);
        QVERIFY(controle<GradeTabela>("GrJuros")->isVisible());
        QCOMPARE(controle<QGroupBox>("GbJuros")->title(), QString::fromStdString(" Juros: (" + Nome(1, 'H', a) + ")"));
        QCOMPARE(controle<QLabel>("LbExplicacaoJuros")->text(),
                 QStringLiteral("Informe na tabela ao lado a variação a ser observada para o cálculo dos juros"));
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(processos().valor("CalculoJuros").comoInteiro(), int64_t(2));

        // An amount without its base date is refused when stored, the grid on that column.
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Inserir), Qt::LeftButton);
        ModeloTabela* m = janela()->modeloAcrescimos();
        Tabela& e = m->tabela();
        QCOMPARE(e.estado(), EstadoTabela::Insercao);
        auto* grade = controle<GradeTabela>("GrAcrescimos");
        QCOMPARE(grade->currentIndex().column(), m->colunaDoCampo("Descricao"));
        QVERIFY(m->setData(m->index(m->linhaAtual(), m->colunaDoCampo("Descricao")), "Honorarios periciais"));
        QVERIFY(m->setData(m->index(m->linhaAtual(), m->colunaDoCampo("Valor")), "1.500,00"));
        QVERIFY(m->setData(m->index(m->linhaAtual(), m->colunaDoCampo("Tipo")), "V"));
        grade->setCurrentIndex(m->index(m->linhaAtual(), 0));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(registro_.mensagens,
                 QStringList{"Campo obrigatório não preenchido ou preenchido incorretamente."});
        QCOMPARE(e.estado(), EstadoTabela::Insercao);
        QCOMPARE(grade->currentIndex().column(), m->colunaDoCampo("DtBase"));
        // Leaving the page is refused while the addition is open.
        espera();
        auto* abas = controle<QTabWidget>("PgPaginas");
        QTest::mouseClick(abas->tabBar(), Qt::LeftButton, {}, abas->tabBar()->tabRect(TFProcesso::PgProcesso).center());
        QCOMPARE(abas->currentIndex(), int(TFProcesso::PgAcrescimos));
        QCOMPARE(registro_.mensagens.last(), QStringLiteral("Antes de mudar de página, cancele ou confirme a operação"));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Cancelar), Qt::LeftButton);

        // Back to the legal interest: the grid goes and, once stored, the table too.
        marca("RbCalculoJuros0");
        QVERIFY(!janela()->modeloJuros());
        QVERIFY(!controle<GradeTabela>("GrJuros")->isVisible());
        QCOMPARE(controle<QGroupBox>("GbJuros")->title(), QStringLiteral(" Juros: "));
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(!existe(Nome(1, 'H', a)));
        clicaPagina(TFProcesso::PgProcesso);
        QVERIFY(!janela()->modeloAcrescimos());
    }

    void opcoesQueDependemDaLinha() {
        abre();
        clicaPagina(TFProcesso::PgINSSIR);
        marca("RbMesAMes");
        QVERIFY(!controle<QLineEdit>("EdINSSReclamante")->isEnabled());
        marca("RbAliquotaUnica");
        QVERIFY(controle<QLineEdit>("EdINSSReclamante")->isEnabled());
        marca("RbOpcaoIR1");
        QVERIFY(!controle<QCheckBox>("CbIRSobreJuros")->isEnabled());
        marca("RbOpcaoIR2");
        QVERIFY(controle<QCheckBox>("CbIRSobreJuros")->isEnabled());
        controle<QLineEdit>("EdINSSReclamante")->selectAll();
        QTest::keyClicks(controle<QLineEdit>("EdINSSReclamante"), "8");
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QVERIFY(processos().valor("AliquotaUnica").comoLogico());
        QCOMPARE(processos().valor("OpcaoIR").comoInteiro(), int64_t(2));
        QCOMPARE(processos().valor("INSSReclamante").comoNumero(), 8.0);
        QCOMPARE(controle<QLineEdit>("EdINSSReclamante")->text(), QStringLiteral("8,00"));

        // The employer's rate picked from its list puts the row in edit with that rate.
        QString titulo;
        double escolhida = -1;
        QuandoModal([&](QWidget* w) {
            if (w->objectName() != "TFListaTaxas") return false;
            titulo = w->windowTitle();
            QAbstractItemModel* m = w->findChild<GradeTabela*>("GrTaxas")->model();
            if (m->rowCount() > 0) escolhida = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(m->index(0, 1).data().toString());
            w->findChild<QPushButton*>("BtOk")->click();
            return true;
        });
        QTest::mouseClick(controle<QToolButton>("BtPesqTerceiros"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QCOMPARE(titulo, QStringLiteral("KORVA - Pesquisa de Recolhimento de Terceiros"));
        QVERIFY(escolhida >= 0);
        QCOMPARE(processos().estado(), EstadoTabela::Edicao);
        QCOMPARE(processos().valor("INSSTerceiros").comoNumero(), escolhida);

        // The notes are stored with the row.
        clicaPagina(TFProcesso::PgObservacoes);
        QTest::keyClicks(controle<QPlainTextEdit>("EdObsCalculo"), "Conforme sentenca");
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(processos().estado(), EstadoTabela::Navegacao);
        QCOMPARE(processos().valor("ObsCalculo").comoTexto(), std::string("Conforme sentenca"));
        clicaPagina(TFProcesso::PgProcesso);
    }

    void pesquisaEOrdem() {
        abre();
        auto* ordem = controle<QComboBox>("CbOrdem");
        ordem->setCurrentIndex(1);
        emit ordem->activated(1);
        QVERIFY(!controle<QPushButton>("BtOpcoesPesquisa")->isEnabled());
        QTest::keyClicks(controle<QLineEdit>("EdPesquisa"), "31/02/2009");
        QTest::keyClick(controle<QLineEdit>("EdPesquisa"), Qt::Key_Return);
        QCOMPARE(registro_.mensagens, QStringList{"Data Inválida!"});
        ordem->setCurrentIndex(0);
        emit ordem->activated(0);
        QVERIFY(controle<QPushButton>("BtOpcoesPesquisa")->isEnabled());
        controle<QLineEdit>("EdPesquisa")->clear();
        QTest::keyClicks(controle<QLineEdit>("EdPesquisa"), "  abc ");
        QTest::mouseClick(controle<QPushButton>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(controle<QLineEdit>("EdPesquisa")->text(), QStringLiteral("ABC"));
        QCOMPARE(janela()->modelo().rowCount(), 1);
        QCOMPARE(controle<QLabel>("LbSProcesso")->text(), QStringLiteral("123/2009-ABC Grupo: 1"));
        controle<QLineEdit>("EdPesquisa")->clear();
        QTest::mouseClick(controle<QPushButton>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(janela()->modelo().rowCount(), processos().quantidade());
        QVERIFY(janela()->modelo().rowCount() >= 2);
    }

    void botoesDasOutrasJanelas() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        const int a = arquivo();
        // The work schedules open on table F, made sure first.
        QString jornadas;
        QuandoModal([&](QWidget* w) {
            if (w->objectName() != QLatin1String("TFJornada")) return false;
            jornadas = w->windowTitle();
            w->close();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtPonto"), Qt::LeftButton);
        QVERIFY(existe(Nome(1, 'F', a)));
        QVERIFY2(jornadas.contains(QString::fromStdString(Nome(1, 'F', a))), qPrintable(jornadas));
        // The windows of the calculation open on its own tables, made sure first.
        const struct {
            const char* botao;
            const char* janela;
            char letra;
        } janelas[] = {{"BtSalarios", "TFBasesSalariais", 'I'}, {"BtPeriodo", "TFParam1", 'A'},
                       {"BtMesAMes", "TFParam2", 'B'},         {"BtINSS", "TFINSS", 'D'}};
        for (const auto& j : janelas) {
            QString aberta;
            QuandoModal([&](QWidget* w) {
                if (w->objectName() != QLatin1String(j.janela)) return false;
                aberta = w->windowTitle();
                w->close();
                return true;
            });
            QTest::mouseClick(controle<QPushButton>(j.botao), Qt::LeftButton);
            QVERIFY2(aberta.contains(QString::fromStdString(Nome(1, j.letra, a))), qPrintable(aberta));
        }
        // The parties open on the calculation's table C.
        QString titulo;
        QuandoModal([&](QWidget* w) {
            if (w->objectName() != "TFPartes") return false;
            titulo = w->windowTitle();
            w->close();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtPartes"), Qt::LeftButton);
        QVERIFY2(titulo.contains(QString::fromStdString(Nome(1, 'C', a))), qPrintable(titulo));
        QCOMPARE(arquivo(), a);  // the current row stayed put
    }

    void andamentosPeloProgramaCompanheiro() {
        fecha();
        sessao_->configuracoes().integraAndamentos = "S";
        abre();
        QVERIFY(!controle<QPushButton>("BtAndamentos")->isHidden());
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        const std::filesystem::path programa = ambiente_.pastaPrograma / "Andamentos.exe";
        {
            std::ofstream f(programa, std::ios::binary);
            f << "#!/bin/sh\nprintf 'Autos conclusos: %s\\n' \"$1\" > \"$2\"\n";
        }
        std::filesystem::permissions(programa, std::filesystem::perms::owner_all);
        QString titulo, texto;
        QuandoModal([&](QWidget* w) {
            if (w->objectName() != "TFAndamentos") return false;
            titulo = w->windowTitle();
            texto = w->findChild<QPlainTextEdit*>("MmAndamentos")->toPlainText();
            w->close();
            return true;
        });
        QTest::mouseClick(controle<QPushButton>("BtAndamentos"), Qt::LeftButton);
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join('\n')));
        QCOMPARE(titulo, QStringLiteral("KORVA - Andamentos do Processo: 123/2009-ABC"));
        QCOMPARE(texto, QStringLiteral("Autos conclusos: 123/2009-ABC\n"));
        fecha();
        sessao_->configuracoes().integraAndamentos = "N";
    }

    void fecharComEdicaoPendenteERecusado() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        QTest::keyClicks(controle<QLineEdit>("EdCalculista"), "x");
        QCOMPARE(processos().estado(), EstadoTabela::Edicao);
        auto* sub = qobject_cast<QMdiSubWindow*>(janela()->parentWidget());
        QVERIFY(sub);
        QVERIFY(!sub->close());
        QCOMPARE(registro_.mensagens, QStringList{"Antes de fechar o formulário, cancele ou confirme a operação"});
        QVERIFY(janela());
        QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Cancelar), Qt::LeftButton);
        QCOMPARE(processos().valor("Calculista").comoTexto(), std::string("Maria da Silva Souza"));
        QCOMPARE(controle<QLineEdit>("EdCalculista")->text(), QStringLiteral("Maria da Silva Souza"));
        fecha();
        QVERIFY(principal_->entrada("MnCalculo")->isEnabled());
        QVERIFY(principal_->botao("BtProcesso")->isEnabled());
    }

    void telas() {
        abre();
        QVERIFY(processos().localizaChave({Valor("123/2009-ABC"), Valor(1)}));
        QDir().mkpath("/tmp/telas");
        const char* nomes[] = {"Processo", "INSS", "Atualizacao", "Acrescimos", "Observacoes"};
        auto* sub = qobject_cast<QMdiSubWindow*>(janela()->parentWidget());
        for (int p = 0; p < 5; ++p) {
            clicaPagina(p);
            if (p == TFProcesso::PgAcrescimos) {
                marca("RbCalculoJuros2");
                QTest::mouseClick(navegador("NavProcessos", NavegadorTabela::Gravar), Qt::LeftButton);
            }
            QApplication::processEvents();
            QVERIFY(sub->grab().save(QStringLiteral("/tmp/telas/TFProcesso-%1.png").arg(nomes[p])));
        }
        clicaPagina(TFProcesso::PgProcesso);
    }

    // Opening over 5,000 lawsuits and finding one of them: timed, not asserted.
    void tempoComCincoMilProcessos() {
        teste::PastaTemporaria outra;
        Ambiente amb = Ambiente::Padrao(outra.caminho(), "korva");
        amb.pastaPrograma = ambiente_.pastaPrograma;
        QVERIFY(Sessao::PrimeiraPartida(amb));
        Sessao sessao(amb);
        {
            Banco& banco = sessao.privado();
            Tabela t(banco, "Processo.DB");
            t.abre();
            Transacao tr(banco);
            for (int i = 0; i < 5000; ++i) {
                t.insere();
                for (const auto& f : t.definicao().campos) {
                    switch (f.tipo) {
                        case TipoCampo::Smallint:
                        case TipoCampo::Integer: t[f.nome] = 1; break;
                        case TipoCampo::Float: t[f.nome] = 0.0; break;
                        case TipoCampo::Boolean: t[f.nome] = false; break;
                        case TipoCampo::Date: t[f.nome] = Data::de(2009, 1, 1 + i % 28); break;
                        default: break;
                    }
                }
                t["Processo"] = QStringLiteral("%1/2009").arg(i + 1, 5, 10, QChar('0')).toStdString();
                t["CodRecte"] = 1;
                t["Calculista"] = std::string(i % 2 ? "Ana Souza" : "Maria Silva");
                t["CalculoJuros"] = 0;
                t["OpcaoIR"] = 2;
                t.grava();
            }
            tr.confirma();
        }
        QElapsedTimer relogio;
        relogio.start();
        auto* j = new TFProcesso(sessao);
        j->resize(860, 600);
        j->show();
        QVERIFY(QTest::qWaitForWindowExposed(j));
        QApplication::processEvents();
        const qint64 abertura = relogio.elapsed();
        QCOMPARE(j->modelo().rowCount(), 5000);

        auto* ed = j->findChild<QLineEdit*>("EdPesquisa");
        ed->setText(QStringLiteral("04321/2009"));
        relogio.restart();
        QTest::mouseClick(j->findChild<QPushButton*>("BtPesquisa"), Qt::LeftButton);
        QApplication::processEvents();
        const qint64 busca = relogio.elapsed();
        QCOMPARE(j->modelo().rowCount(), 1);
        QCOMPARE(j->registro().processos().valor("Processo").comoTexto(), std::string("04321/2009"));
        qInfo("TFProcesso com 5000 processos: abertura %lld ms, pesquisa de um número %lld ms", abertura, busca);
        j->close();
        delete j;
    }

    void cleanupTestCase() {
        fecha();
        DefineApresentacao(nullptr);
        principal_.reset();
        sessao_.reset();
        pasta_.reset();
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFProcessoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFProcessoTest.moc"
