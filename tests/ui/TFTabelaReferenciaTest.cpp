// The reference-table windows over a fresh installation: read-only windows
// that take no change; the normative-salary names and their values window
// (insert, F4, two-digit year, delete with the question, closing refused with
// a pending row); the holiday classes; the monthly values search keys and
// printed list; the daily series window over the delivered IPCA-E (opening
// time, computed index, search, printed list, dBase export).
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>

#include "storage/Excecoes.h"
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "reference/ExportaIndicesDbf.h"
#include "reference/ui/TFDiario.h"
#include "reference/ui/TFFeriados.h"
#include "reference/ui/TFSeries.h"
#include "reference/ui/TFTabelasOficiais.h"
#include "reference/ui/TFValores.h"
#include "reports/ui/TFPreview.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

QToolButton* BotaoNav(TFTabelaReferencia& j, const char* nome) {
    return j.navegador().findChild<QToolButton*>(nome);
}

// Text of a cell of the current row.
QString Celula(TFTabelaReferencia& j, const std::string& campo) {
    return j.modelo().index(j.modelo().linhaAtual(), j.modelo().colunaDoCampo(campo)).data().toString();
}

// Types into the cell of `campo` of the current row and presses Enter.
void Digita(TFTabelaReferencia& j, const std::string& campo, const QString& texto) {
    GradeTabela& g = j.grade();
    g.setFocus();
    g.setCurrentIndex(j.modelo().index(j.modelo().linhaAtual(), j.modelo().colunaDoCampo(campo)));
    QTest::keyClick(&g, texto.at(0).toLatin1());
    // The cell editor (the focus goes to it once the window is active).
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == &g)
        for (QLineEdit* e : g.viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
    QVERIFY2(editor && editor != &g, campo.c_str());
    for (const QChar c : texto.mid(1)) QTest::keyClick(editor, c.toLatin1());
    QTest::keyClick(editor, Qt::Key_Return);
}

// Runs `dentro` on the modal window that `abre` shows, once it is up.
void NoModal(const std::function<void()>& abre, const std::function<void(QWidget*)>& dentro) {
    bool feito = false;
    std::function<void()> espera;
    espera = [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m || qobject_cast<QMessageBox*>(m)) {
            QTimer::singleShot(20, espera);
            return;
        }
        feito = true;
        dentro(m);
    };
    QTimer::singleShot(20, espera);
    abre();
    QVERIFY(feito);
}

// The texts drawn on a page of a preview.
QStringList TextosPagina(const TFPreview& p, int pagina) {
    QStringList r;
    for (const Elemento& e : p.documento().paginas.at(static_cast<size_t>(pagina)).elementos)
        if (e.tipo == Elemento::Tipo::Texto) r << QString::fromStdString(e.texto);
    return r;
}

}  // namespace

class TFTabelaReferenciaTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    teste::RegistroMensagens registro;

    Sessao& sessao() { return *inst->sessao; }
    void limpaMensagens() {
        QTest::qWait(450);  // the handler shows a repeated message once within a short time
        registro.mensagens.clear();
    }
    template <class J, class... A>
    std::unique_ptr<J> abre(A&&... a) {
        auto j = std::make_unique<J>(sessao(), std::forward<A>(a)...);
        j->show();
        j->activateWindow();
        if (!QTest::qWaitForWindowExposed(j.get())) return nullptr;
        return j;
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void janelaSomenteLeituraNaoAceitaAlteracoes() {
        for (const auto& cria : std::vector<std::function<std::unique_ptr<TFTabelaReferencia>()>>{
                 [&] { return abre<TFValores>(); }, [&] { return abre<TFFaixasIR>(); },
                 [&] { return abre<TFPrevEmpregador>(); }}) {
            auto j = cria();
            QVERIFY(j);
            QVERIFY(j->tabela().quantidade() > 0);
            QCOMPARE(j->tabela().modo(), ModoAbertura::SomenteLeitura);
            for (const char* b : {"BtInserir", "BtExcluir", "BtEditar", "BtGravar", "BtCancelar"})
                QVERIFY2(!BotaoNav(*j, b)->isVisibleTo(j.get()), b);
            for (const char* b : {"BtPrimeiro", "BtAnterior", "BtProximo", "BtUltimo", "BtAtualizar"})
                QVERIFY2(BotaoNav(*j, b)->isVisibleTo(j.get()), b);
            const QString antes = j->modelo().index(0, 2).data().toString();
            j->grade().setCurrentIndex(j->modelo().index(0, 2));
            QTest::keyClicks(&j->grade(), "999");
            QTest::keyClick(&j->grade(), Qt::Key_Return);
            QTest::keyClick(&j->grade(), Qt::Key_Insert);
            QTest::keyClick(&j->grade(), Qt::Key_Delete);
            QCOMPARE(j->tabela().estado(), EstadoTabela::Navegacao);
            QCOMPARE(j->modelo().index(0, 2).data().toString(), antes);
            QVERIFY(!(j->modelo().flags(j->modelo().index(0, 2)) & Qt::ItemIsEditable));
            QVERIFY(j->fecha());
        }
        QVERIFY(registro.mensagens.isEmpty());
    }

    void salariosNormativosComSeusValores() {
        auto j = abre<TFNomeSalario>();
        QVERIFY(j);
        QCOMPARE(j->windowTitle(), Q("KORVA - Tabela de Salários"));
        // "..." on an empty list does nothing.
        QTest::mouseClick(j->botaoValores(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());

        QTest::mouseClick(BotaoNav(*j, "BtInserir"), Qt::LeftButton);
        QCOMPARE(j->tabela().estado(), EstadoTabela::Insercao);
        QVERIFY(!j->botaoValores()->isEnabled());  // nothing opens while the name is being typed
        Digita(*j, "Nome", "Bancarios");
        QTest::mouseClick(BotaoNav(*j, "BtGravar"), Qt::LeftButton);
        QCOMPARE(j->tabela().estado(), EstadoTabela::Navegacao);
        QCOMPARE(j->tabela().valor("Codigo").comoInteiro(), 1);
        QVERIFY(j->botaoValores()->isEnabled());

        // The values window: 12/03 typed, then a new row with F4 is 01/2004.
        NoModal([&] { QTest::mouseClick(j->botaoValores(), Qt::LeftButton); },
                [&](QWidget* m) {
                    QCOMPARE(m->windowTitle(), Q("KORVA - Tabela de Salário: Bancarios"));
                    auto* v = m->findChild<TFSalario*>();
                    QVERIFY(v);
                    QTest::mouseClick(BotaoNav(*v, "BtInserir"), Qt::LeftButton);
                    QCOMPARE(v->modelo().coluna(v->grade().currentIndex().column()).campo, std::string("Mes"));
                    Digita(*v, "Mes", "12");
                    Digita(*v, "Ano", "03");
                    Digita(*v, "SalMin", "850");
                    QTest::mouseClick(BotaoNav(*v, "BtGravar"), Qt::LeftButton);
                    QCOMPARE(Celula(*v, "Ano"), Q("2003"));
                    QTest::mouseClick(BotaoNav(*v, "BtInserir"), Qt::LeftButton);
                    QTest::keyClick(&v->grade(), Qt::Key_F4);
                    QCOMPARE(Celula(*v, "Mes"), Q("01"));
                    QCOMPARE(Celula(*v, "Ano"), Q("2004"));
                    QCOMPARE(Celula(*v, "SalMin"), Q("850,00"));
                    // Closing with the row pending is refused.
                    m->close();
                    QVERIFY(m->isVisible());
                    QVERIFY(registro.mensagens.contains(
                        Q("Antes de fechar o formulário, cancele ou confirme a operação")));
                    QTest::mouseClick(BotaoNav(*v, "BtGravar"), Qt::LeftButton);
                    m->close();
                });
        QVERIFY(!QApplication::activeModalWidget());
        Banco& b = sessao().compartilhado();
        QCOMPARE(b.consulta("select count(*) from Salario where Salario=1 and Ano=2004 and Mes=1 and SalMin=850",
                            {"Salario.DB"})
                     .front()[0]
                     .comoInteiro(),
                 int64_t{1});

        // Deleting the name (answered Yes) deletes its values too.
        limpaMensagens();
        teste::RespondeMensagens responde;
        responde.responde(QMessageBox::Yes);
        QTest::mouseClick(BotaoNav(*j, "BtExcluir"), Qt::LeftButton);
        QCOMPARE(j->tabela().quantidade(), 0);
        QCOMPARE(b.consulta("select count(*) from Salario", {"Salario.DB"}).front()[0].comoInteiro(), int64_t{0});

        // Closing with a pending name is refused; cancelled, it closes.
        QTest::mouseClick(BotaoNav(*j, "BtInserir"), Qt::LeftButton);
        QVERIFY(!j->fecha());
        QVERIFY(j->tabela().aberta());
        QTest::mouseClick(BotaoNav(*j, "BtCancelar"), Qt::LeftButton);
        QVERIFY(j->fecha());
        QVERIFY(!j->tabela().aberta());
    }

    void classesDeFeriadoComNomeProprio() {
        auto j = abre<TFClasseFeriado>();
        QVERIFY(j);
        const int antes = j->tabela().quantidade();
        QTest::mouseClick(BotaoNav(*j, "BtInserir"), Qt::LeftButton);
        QCOMPARE(j->modelo().coluna(j->grade().currentIndex().column()).campo, std::string("Descricao"));
        Digita(*j, "Descricao", "MUNICIPAL DE SANTOS");
        QCOMPARE(Celula(*j, "Descricao"), Q("Municipal de Santos"));
        QTest::mouseClick(BotaoNav(*j, "BtGravar"), Qt::LeftButton);
        QCOMPARE(j->tabela().quantidade(), antes + 1);
        QVERIFY(j->tabela().valor("Codigo").comoInteiro() > antes);
        QVERIFY(j->fecha());
    }

    void valoresPesquisaETeclas() {
        int bips = 0;
        TFValores::DefineBip([&] { ++bips; });
        auto j = abre<TFValores>();
        QVERIFY(j);
        QCOMPARE(j->windowTitle(), Q("KORVA - Tabela de Salário Mínimo/Família / Seguro-Desemprego"));
        QLineEdit* ano = j->campoAno();
        QLineEdit* mes = j->campoMes();
        QVERIFY(!j->botaoPesquisa()->isEnabled());
        QTest::keyClicks(mes, "a");  // a letter in an empty field: ignored, no beep
        QCOMPARE(mes->text(), QString());
        QCOMPARE(bips, 0);
        QTest::keyClicks(ano, "20045");  // the fifth digit beeps and is refused
        QCOMPARE(ano->text(), Q("2004"));
        QCOMPARE(bips, 1);
        QVERIFY(!j->botaoPesquisa()->isEnabled());
        QTest::keyClicks(mes, "3");
        QVERIFY(j->botaoPesquisa()->isEnabled());
        QTest::keyClick(mes, Qt::Key_Return);  // Enter presses the button
        QCOMPARE(Celula(*j, "Mes"), Q("03"));
        QCOMPARE(Celula(*j, "Ano"), Q("2004"));
        QVERIFY(!j->botaoPesquisa()->isEnabled());  // until a field changes
        // A month not in the table: nothing moves.
        ano->setText("1950");
        QTest::mouseClick(j->botaoPesquisa(), Qt::LeftButton);
        QCOMPARE(Celula(*j, "Ano"), Q("2004"));
        TFValores::DefineBip({});
        teste::GuardaTela(j.get(), "TFValores");
        auto* seguro = j->findChild<QLabel*>("LbSeguroDesemprego");
        QVERIFY(seguro && seguro->width() > 0);
        QVERIFY(registro.mensagens.isEmpty());
    }

    void valoresListaImpressa() {
        auto j = abre<TFValores>();
        QVERIFY(j);
        int paginas = 0;
        QStringList primeira;
        NoModal([&] { QTest::mouseClick(j->findChild<QPushButton*>("BtImprimir"), Qt::LeftButton); },
                [&](QWidget* m) {
                    auto* p = qobject_cast<TFPreview*>(m);
                    QVERIFY(p);
                    paginas = p->totalPaginas();
                    primeira = TextosPagina(*p, 0);
                    teste::GuardaTela(p, "TFValores-lista");
                    p->reject();
                });
        QVERIFY(paginas > 0);
        QVERIFY(primeira.contains(Q("Pág.: 1/%1").arg(paginas)));
        QVERIFY(primeira.contains(Q("Relação de Salário-Mínimo / Salário Família / Seguro-Desemprego")));
        QVERIFY(primeira.contains(Q("Mês/Ano")));
        QCOMPARE(primeira.count(Q("Seg. Desemprego")), 2);
        QVERIFY(registro.mensagens.isEmpty());
    }

    void indicesDiariosDaSerieEntregue() {
        auto lista = abre<TFNomeIndiceDia>();
        QVERIFY(lista);
        QVERIFY(!BotaoNav(*lista, "BtInserir")->isVisibleTo(lista.get()));
        QVERIFY(lista->tabela().localiza({"Nome"}, {Valor("IPCA-E")}));
        const int cod = static_cast<int>(lista->tabela().valor("Codigo").comoInteiro());

        // Opening the whole series, timed.
        QElapsedTimer relogio;
        relogio.start();
        auto j = std::make_unique<TFDiario>(sessao(), cod, "IPCA-E");
        j->show();
        QVERIFY(QTest::qWaitForWindowExposed(j.get()));
        const qint64 ms = relogio.elapsed();
        const int linhas = j->tabela().quantidade();
        qInfo("TFDiario: %d linhas do IPCA-E abertas em %lld ms", linhas, static_cast<long long>(ms));
        QVERIFY(linhas > 9000);
        QVERIFY2(ms < 1500, qPrintable(QString::number(ms)));
        QCOMPARE(j->windowTitle(), Q("KORVA - Tabela de Índices: IPCA-E"));
        QCOMPARE(j->modelo().columnCount(), 2);  // the series code is not shown

        // The last day shows 1; an earlier one its stored index over the last one.
        QTest::mouseClick(BotaoNav(*j, "BtUltimo"), Qt::LeftButton);
        QCOMPARE(j->modelo().index(linhas - 1, 1).data().toString(), Q("1,000000000"));
        const double primeiro = j->tabela().valoresDaLinha(0).at(2).comoNumero();
        QCOMPARE(j->modelo().index(0, 1).data().toString(),
                 QLocale(QLocale::Portuguese, QLocale::Brazil).toString(primeiro / *j->base(), 'f', 9));

        // The search goes to the date, or nowhere.
        const Data alvo = j->tabela().valoresDaLinha(100).at(1).comoData();
        j->campoData()->setDate(QDate(alvo.ano(), alvo.mes(), alvo.dia()));
        QTest::mouseClick(j->findChild<QToolButton*>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(j->tabela().posicao(), 100);
        j->campoData()->setDate(QDate(1900, 1, 1));
        QTest::mouseClick(j->findChild<QToolButton*>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(j->tabela().posicao(), 100);
        teste::GuardaTela(j.get(), "TFDiario");

        // The printed list of the series.
        int paginas = 0;
        QStringList primeira;
        NoModal([&] { QTest::mouseClick(j->findChild<QPushButton*>("BtImprimir"), Qt::LeftButton); },
                [&](QWidget* m) {
                    auto* p = qobject_cast<TFPreview*>(m);
                    QVERIFY(p);
                    paginas = p->totalPaginas();
                    primeira = TextosPagina(*p, 0);
                    teste::GuardaTela(p, "TFDiario-lista");
                    p->reject();
                });
        QVERIFY(paginas > 1);
        QVERIFY(primeira.contains(Q("Pág.: 1/%1").arg(paginas)));
        QVERIFY(primeira.contains(Q("Tabela de Índices: IPCA-E")));
        QCOMPARE(primeira.count(Q("Índice")), 4);

        // The export writes Indices.dbf in the shared folder, with no message.
        const auto dbf = sessao().compartilhado().pasta() / kArquivoIndicesDbf;
        QVERIFY(!std::filesystem::exists(dbf));
        QTest::mouseClick(j->findChild<QPushButton*>("BtExportar"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(dbf));
        QVERIFY(std::filesystem::file_size(dbf) > static_cast<uintmax_t>(linhas) * 20);
        QVERIFY(registro.mensagens.isEmpty());
        QVERIFY(j->fecha());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFTabelaReferenciaTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFTabelaReferenciaTest.moc"
