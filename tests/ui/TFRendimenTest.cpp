// The pay-item catalogue window over the catalogue delivered with a new
// installation, driven as a user does: opened from "Verbas" (one instance),
// system items protected, a user item typed through the grid and stored, its
// repercussions following the current item, the searches, the refusal to
// close with a pending edit; the pick list returning the chosen code; the
// catalogue report in the preview.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/JanelasFilhas.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/Catalogo.h"
#include "parameters/VerbasCatalogo.h"
#include "parameters/ui/TFListRend.h"
#include "parameters/ui/TFRRendimen.h"
#include "parameters/ui/TFRendimen.h"
#include "reports/ui/TFPreview.h"
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

QString Q(const char* s) { return QString::fromUtf8(s); }

// One typed character (accents included) to the widget.
void Tecla(QWidget* w, QChar c) {
    if (c.unicode() < 128) QTest::keyClick(w, c.toLatin1());
    else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types `texto` into the cell of `campo` on the grid's current row: the first
// key opens the cell editor, the rest go to it, and Enter ends it.
void Digita(GradeTabela* grade, const char* campo, const QString& texto) {
    ModeloTabela* m = grade->modelo();
    grade->setFocus();
    grade->setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(campo)));
    QLineEdit* editor = nullptr;
    for (QChar c : texto) {
        Tecla(editor ? static_cast<QWidget*>(editor) : grade, c);
        if (!editor)
            for (QLineEdit* e : grade->findChildren<QLineEdit*>())
                if (e->isVisible()) editor = e;
    }
    if (editor) QTest::keyClick(editor, Qt::Key_Return);
}

QString Celula(GradeTabela* grade, const char* campo) {
    ModeloTabela* m = grade->modelo();
    return m->data(m->index(m->linhaAtual(), m->colunaDoCampo(campo))).toString();
}

// Answers the next question box with "Sim".
void RespondeSim() {
    QTimer::singleShot(50, [] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            caixa->button(QMessageBox::Yes)->click();
    });
}

}  // namespace

class TFRendimenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
    std::unique_ptr<Sessao> sessao_;
    std::unique_ptr<TFPrincipal> principal_;
    Registro registro_;

    TFRendimen* janela() {
        QMdiSubWindow* sub = principal_->janelasFilhas().janela(principal_->entrada("MnVerbas"));
        return sub ? qobject_cast<TFRendimen*>(sub->widget()) : nullptr;
    }
    // Waits between two messages the handler must show one by one.
    QString ultimaMensagem() { return registro_.mensagens.isEmpty() ? QString() : registro_.mensagens.last(); }
    void limpaMensagens() {
        QTest::qWait(450);
        registro_.mensagens.clear();
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTemporaria>();
        ambiente_.pastaPrograma = pasta_->caminho() / "programa";
        ambiente_.pastaConfig = pasta_->caminho();
        ambiente_.pastaDados = pasta_->caminho();
        std::filesystem::create_directories(ambiente_.pastaPrograma);
        QVERIFY(Sessao::PrimeiraPartida(ambiente_));
        sessao_ = std::make_unique<Sessao>(ambiente_);
        principal_ = std::make_unique<TFPrincipal>(*sessao_);
        principal_->resize(1100, 760);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
        DefineApresentacao(&registro_);
    }

    void cleanupTestCase() {
        DefineApresentacao(nullptr);
        principal_.reset();
        sessao_.reset();
    }

    void abrePelaEntradaVerbasUmaVez() {
        QAction* entrada = principal_->entrada("MnVerbas");
        QToolButton* botao = principal_->botao("BtRendimentos");
        QVERIFY(entrada->isEnabled() && botao->isEnabled());
        QTest::mouseClick(botao, Qt::LeftButton);
        TFRendimen* w = janela();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), Q("KORVA - Tabela de Verbas"));
        QVERIFY(!entrada->isEnabled());
        QVERIFY(!botao->isEnabled());
        QVERIFY(registro_.mensagens.isEmpty());
        w->parentWidget()->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // Opens in code order on the first item, the system's minimum wage.
        Tabela& r = w->catalogo().rendimentos();
        QCOMPARE(r.valor("Codigo").comoInteiro(), 1);
        QCOMPARE(Celula(w->gradeRendimentos(), "Codigo"), Q("001"));
        QCOMPARE(w->findChild<QComboBox*>("CbOrdem")->currentText(), Q("Código"));
        QVERIFY(!w->findChild<QToolButton*>("BtOpcoes")->isEnabled());
        // The "Base do I.R." column shows the category's description.
        ModeloTabela* m = w->gradeRendimentos()->modelo();
        const auto esperado = VerbasCatalogo(sessao_->privado()).Busca(1);
        QVERIFY(esperado && esperado->ir);
        QVERIFY(!m->data(m->index(0, m->columnCount() - 1)).toString().isEmpty());
    }

    void itemDoSistemaNaoMudaCodigoNemDescricaoNemSaiDaTabela() {
        TFRendimen* w = janela();
        QVERIFY(w);
        GradeTabela* g = w->gradeRendimentos();
        Tabela& r = w->catalogo().rendimentos();
        QVERIFY(r.localizaChave({Valor(int64_t{1})}));
        const std::string descricao = r.valor("DescRend").comoTexto();
        const int total = r.quantidade();

        // Code and description are locked: typing opens no editor, nothing changes.
        Digita(g, "Codigo", "5");
        Digita(g, "DescRend", "x");
        QVERIFY(!r.editando());
        QCOMPARE(r.valor("Codigo").comoInteiro(), 1);
        QCOMPARE(r.valor("DescRend").comoTexto(), descricao);
        // Behind the lock the catalogue refuses the change with its message.
        QVERIFY(!g->modelo()->defineCampo("DescRend", Valor(std::string("Outra"))));
        QCOMPARE(ultimaMensagem(), Q(Catalogo::MsgAlteraSistema));
        QCOMPARE(r.valor("DescRend").comoTexto(), descricao);
        QVERIFY(g->modelo()->cancela());
        limpaMensagens();

        // Deleting it is refused with the catalogue's message; it stays.
        w->navegadorRendimentos()->aciona(NavegadorTabela::Excluir);
        QCOMPARE(registro_.mensagens, QStringList{Q(Catalogo::MsgExcluiSistema)});
        QCOMPARE(r.quantidade(), total);
        QVERIFY(VerbasCatalogo(sessao_->privado()).Existe(1));
        limpaMensagens();

        // Its defaults can be changed through the grid.
        Digita(g, "Qtde", "2,5");
        QVERIFY(r.editando());
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(!r.editando());
        QCOMPARE(VerbasCatalogo(sessao_->privado()).Busca(1)->padroes.qtde.value_or(0), 2.5);
        QCOMPARE(Celula(g, "Qtde"), Q("2,5000"));
        QVERIFY(registro_.mensagens.isEmpty());
    }

    void itemDoUsuarioDigitadoNaGradeEGravado() {
        TFRendimen* w = janela();
        QVERIFY(w);
        GradeTabela* g = w->gradeRendimentos();
        Tabela& r = w->catalogo().rendimentos();
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(r.estado(), EstadoTabela::Insercao);
        // The cursor starts at the code.
        QCOMPARE(g->currentIndex().column(), g->modelo()->colunaDoCampo("Codigo"));
        QVERIFY(g->hasFocus());
        QCOMPARE(Celula(g, "INSS"), Q("N"));
        QCOMPARE(Celula(g, "IR"), Q("3"));

        Digita(g, "Codigo", "700");
        Digita(g, "DescRend", "prêmio de produção");
        Digita(g, "Qtde", "1");
        Digita(g, "Divisor", "30");
        // Wrong values are refused with their messages; the row stays in insert.
        Digita(g, "INSS", "x");
        QCOMPARE(ultimaMensagem(), Q("Valor inválido para o campo!"));
        QCOMPARE(r.estado(), EstadoTabela::Insercao);
        limpaMensagens();
        Digita(g, "Base", "700");
        QCOMPARE(ultimaMensagem(), Q("Base Inválida para este Rendimento!"));
        limpaMensagens();
        Digita(g, "INSS", "s");
        QCOMPARE(Celula(g, "INSS"), Q("S"));
        Digita(g, "Base", "2");
        QVERIFY(registro_.mensagens.isEmpty());
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(!r.editando());
        QVERIFY(registro_.mensagens.isEmpty());

        const auto v = VerbasCatalogo(sessao_->privado()).Busca(700);
        QVERIFY(v);
        QCOMPARE(QString::fromStdString(v->descricao), Q("Prêmio de Produção"));
        QCOMPARE(v->tipo, std::string("U"));
        QCOMPARE(v->padroes.inss, std::string("S"));
        QCOMPARE(v->padroes.divisor.value_or(0), 30.0);
        QCOMPARE(v->padroes.base.value_or(0), 2);
        QCOMPARE(v->ir.value_or(0), 3);
        // A user item's code and description stay open to typing.
        QCOMPARE(r.valor("Codigo").comoInteiro(), 700);
        Digita(g, "DescRend", "prêmio de metas");
        QVERIFY(r.editando());
        QVERIFY(g->modelo()->grava());
        QCOMPARE(QString::fromStdString(VerbasCatalogo(sessao_->privado()).Descricao(700)), Q("Prêmio de Metas"));

        // A second item with the same code is the store's duplicate key.
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Inserir), Qt::LeftButton);
        Digita(g, "Codigo", "700");
        Digita(g, "DescRend", "repetida");
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(!registro_.mensagens.isEmpty());
        QCOMPARE(r.estado(), EstadoTabela::Insercao);
        QTest::mouseClick(w->navegadorRendimentos()->botao(NavegadorTabela::Cancelar), Qt::LeftButton);
        QVERIFY(!r.editando());
        limpaMensagens();
    }

    void reflexosSeguemAVerbaAtual() {
        TFRendimen* w = janela();
        QVERIFY(w);
        GradeTabela* gr = w->gradeRendimentos();
        GradeTabela* gx = w->gradeReflexos();
        Tabela& r = w->catalogo().rendimentos();
        Tabela& x = w->catalogo().reflexos();
        QVERIFY(r.localizaChave({Valor(int64_t{700})}));
        QCOMPARE(x.quantidade(), 0);

        QTest::mouseClick(w->navegadorReflexos()->botao(NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(x.estado(), EstadoTabela::Insercao);
        QCOMPARE(gx->currentIndex().column(), gx->modelo()->colunaDoCampo("Reflexo"));
        QCOMPARE(x.valor("Base").comoInteiro(), 700);
        // The item itself is not a repercussion of itself.
        Digita(gx, "Reflexo", "700");
        QCOMPARE(ultimaMensagem(), Q("Reflexo Inválido para esta Verba!"));
        limpaMensagens();
        Digita(gx, "Reflexo", "13");
        Digita(gx, "Qtde", "1");
        Digita(gx, "Indice", "1");
        Digita(gx, "Divisor", "12");
        QTest::mouseClick(w->navegadorReflexos()->botao(NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY(registro_.mensagens.isEmpty());
        QVERIFY(!x.editando());
        QCOMPARE(Celula(gx, "Reflexo"), Q("013"));
        // The item's description is shown beside the code.
        ModeloTabela* mx = gx->modelo();
        QCOMPARE(mx->data(mx->index(0, 1)).toString(),
                 QString::fromStdString(VerbasCatalogo(sessao_->privado()).Descricao(13)));
        auto lista = VerbasCatalogo(sessao_->privado()).ReflexosDe(700);
        QCOMPARE(lista.size(), size_t{1});
        QCOMPARE(lista[0].reflexo, 13);
        QCOMPARE(lista[0].divisor, 12.0);

        // Another item shows its own list; back on 700, its one row again.
        gr->scrollToTop();
        QTest::mouseClick(gr->viewport(), Qt::LeftButton, {}, gr->visualRect(gr->modelo()->index(0, 1)).center());
        const int codigo = static_cast<int>(r.valor("Codigo").comoInteiro());
        QVERIFY(codigo != 700);
        QCOMPARE(static_cast<size_t>(x.quantidade()), VerbasCatalogo(sessao_->privado()).ReflexosDe(codigo).size());
        QCOMPARE(mx->rowCount(), x.quantidade());
        QVERIFY(r.localizaChave({Valor(int64_t{700})}));
        QCOMPARE(mx->rowCount(), 1);

        // The search panel is off while both grids hold a pending row.
        auto* painel = w->findChild<QWidget*>("PnPesquisa");
        Digita(gr, "Qtde", "3");
        QVERIFY(r.editando());
        QVERIFY(painel->isEnabled());
        Digita(gx, "Qtde", "2");
        QVERIFY(x.editando());
        QVERIFY(!painel->isEnabled());
        QVERIFY(mx->cancela());
        QVERIFY(painel->isEnabled());
        QVERIFY(gr->modelo()->cancela());
    }

    void pesquisaPorCodigoEPorDescricao() {
        TFRendimen* w = janela();
        QVERIFY(w);
        Tabela& r = w->catalogo().rendimentos();
        auto* ed = w->findChild<QLineEdit*>("EdPesquisa");
        auto* cb = w->findChild<QComboBox*>("CbOrdem");
        const int todos = r.quantidade();

        QTest::keyClicks(ed, "abc");
        QCOMPARE(ed->text(), Q("ABC"));
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(ultimaMensagem(), Q("Valor Inválido para Pesquisa"));
        QCOMPARE(r.quantidade(), todos);
        limpaMensagens();

        ed->clear();
        QTest::keyClicks(ed, "12");
        QTest::mouseClick(w->findChild<QToolButton*>("BtPesquisa"), Qt::LeftButton);
        QCOMPARE(r.quantidade(), 1);
        QCOMPARE(r.valor("Codigo").comoInteiro(), 12);

        // "Rendimento": the options are offered and the text searches descriptions.
        cb->setFocus();
        QTest::keyClick(cb, Qt::Key_Down);
        QCOMPARE(cb->currentIndex(), 1);
        QCOMPARE(w->catalogo().ordem(), OrdemCatalogo::Rendimento);
        QVERIFY(w->findChild<QToolButton*>("BtOpcoes")->isEnabled());
        ed->clear();
        QTest::keyClicks(ed, "metas");
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(r.quantidade(), 1);
        QCOMPARE(r.valor("Codigo").comoInteiro(), 700);

        // Back to "Código": a text that is no code is dropped with its filter.
        QTest::keyClick(cb, Qt::Key_Up);
        QCOMPARE(w->catalogo().ordem(), OrdemCatalogo::Codigo);
        QCOMPARE(ed->text(), QString());
        QCOMPARE(r.quantidade(), todos);
        QVERIFY(!w->findChild<QToolButton*>("BtOpcoes")->isEnabled());
        QVERIFY(registro_.mensagens.isEmpty());
    }

    void relatorioAbreNaVisualizacaoComPaginas() {
        TFRendimen* w = janela();
        QVERIFY(w);
        int paginas = -1;
        QString titulo;
        QTimer::singleShot(100, [&] {
            if (auto* p = qobject_cast<TFPreview*>(QApplication::activeModalWidget())) {
                paginas = p->totalPaginas();
                titulo = p->windowTitle();
                QTest::qWait(50);
                p->grab().save("/tmp/telas/TFRRendimen.png");
                p->reject();
            }
        });
        QTest::mouseClick(w->findChild<QPushButton*>("BtImprimir"), Qt::LeftButton);
        QVERIFY(registro_.mensagens.isEmpty());
        QVERIFY(paginas >= 2);  // the delivered catalogue fills more than one sheet
        QCOMPARE(titulo, Q("KORVA - Relação de Verbas"));
        QCOMPARE(TFRRendimen::Prepara(*sessao_).paginas.size(), static_cast<size_t>(paginas));
    }

    void telaParaConferencia() {
        TFRendimen* w = janela();
        QVERIFY(w);
        Tabela& r = w->catalogo().rendimentos();
        QVERIFY(r.localizaChave({Valor(int64_t{12})}));
        QVERIFY(w->catalogo().reflexos().quantidade() > 0);
        QTest::qWait(50);
        std::filesystem::create_directories("/tmp/telas");
        QVERIFY(w->grab().save("/tmp/telas/TFRendimen.png"));
        QVERIFY(principal_->grab().save("/tmp/telas/TFRendimen_principal.png"));
        // As it opens (not maximised) it fits the desktop of a 1024-pixel screen.
        w->parentWidget()->showNormal();
        QTest::qWait(50);
        QVERIFY(w->parentWidget()->width() <= 1024);
        // ... with every delivered description whole.
        GradeTabela* g = w->gradeRendimentos();
        int maior = 0;
        for (int i = 0; i < g->modelo()->rowCount(); ++i)
            maior = std::max(maior, g->fontMetrics().horizontalAdvance(g->modelo()->index(i, 1).data().toString()));
        QVERIFY2(g->horizontalHeader()->sectionSize(1) >= maior + 6, qPrintable(QString::number(maior)));
        QVERIFY(principal_->grab().save("/tmp/telas/TFRendimen_normal.png"));
        w->parentWidget()->showMaximized();
    }

    void naoFechaComOperacaoPendente() {
        TFRendimen* w = janela();
        QVERIFY(w);
        GradeTabela* g = w->gradeRendimentos();
        Tabela& r = w->catalogo().rendimentos();
        QVERIFY(r.localizaChave({Valor(int64_t{700})}));
        Digita(g, "Qtde", "9");
        QVERIFY(r.editando());
        QPointer<TFRendimen> viva(w);
        w->parentWidget()->close();
        QApplication::processEvents();
        QVERIFY(viva);
        QCOMPARE(ultimaMensagem(), Q("Antes de fechar o formulário, cancele ou confirme a operação"));
        QVERIFY(!principal_->entrada("MnVerbas")->isEnabled());
        limpaMensagens();

        // Deleting the user item asks first; "Sim" removes it with its repercussions.
        QVERIFY(g->modelo()->cancela());
        RespondeSim();
        w->navegadorRendimentos()->aciona(NavegadorTabela::Excluir);
        QVERIFY(registro_.mensagens.isEmpty());
        QVERIFY(!VerbasCatalogo(sessao_->privado()).Existe(700));
        QVERIFY(VerbasCatalogo(sessao_->privado()).ReflexosDe(700).empty());

        w->parentWidget()->close();
        QTRY_VERIFY(!viva);
        QVERIFY(principal_->entrada("MnVerbas")->isEnabled());
        QVERIFY(principal_->botao("BtRendimentos")->isEnabled());
        QVERIFY(registro_.mensagens.isEmpty());
    }

    void listaDeRendimentosDevolveOCodigoEscolhido() {
        TFListRend lista(sessao_->privado());
        int codigo = -1;
        // Double click on a found row.
        QTimer::singleShot(100, [&] {
            auto* d = qobject_cast<TFListRend*>(QApplication::activeModalWidget());
            if (!d) return;
            QCOMPARE(d->windowTitle(), Q("KORVA - Pesquisa de Rendimentos"));
            auto* ed = d->findChild<QLineEdit*>("EdPesquisa");
            QCOMPARE(QApplication::focusWidget(), ed);
            QTest::keyClicks(ed, "hora");
            QCOMPARE(ed->text(), Q("HORA"));
            QTest::keyClick(ed, Qt::Key_Return);
            QVERIFY(d->isVisible());  // Enter searches, it does not close the list
            GradeTabela* g = d->grade();
            ModeloTabela* m = g->modelo();
            QVERIFY(m->rowCount() >= 2);
            for (int i = 0; i < m->rowCount(); ++i) QVERIFY(m->data(m->index(i, 1)).toString().toUpper().contains("HORA"));
            const QRect celula = g->visualRect(m->index(1, 1));
            codigo = m->data(m->index(1, 0)).toString().toInt();
            QCOMPARE(m->data(m->index(1, 0)).toString().size(), 3);
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, celula.center());
            d->grab().save("/tmp/telas/TFListRend.png");
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, celula.center());
        });
        QCOMPARE(lista.exec(), int(QDialog::Accepted));
        QVERIFY(codigo > 0);
        QCOMPARE(lista.codigo(), codigo);
        QVERIFY(lista.padroes().has_value());

        // "&OK": disabled while nothing is found, then the first item.
        bool okDesligado = false;
        QTimer::singleShot(100, [&] {
            auto* d = qobject_cast<TFListRend*>(QApplication::activeModalWidget());
            if (!d) return;
            auto* ed = d->findChild<QLineEdit*>("EdPesquisa");
            QCOMPARE(ed->text(), QString());  // the previous search is gone
            QTest::keyClicks(ed, "nada assim existe");
            QTest::keyClick(ed, Qt::Key_Return);
            auto* ok = d->findChild<QPushButton*>("BtOk");
            okDesligado = !ok->isEnabled();
            QTest::mouseDClick(d->grade()->viewport(), Qt::LeftButton);  // nothing to choose
            ed->clear();
            QTest::keyClick(ed, Qt::Key_Return);
            QVERIFY(ok->isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QCOMPARE(lista.exec(), int(QDialog::Accepted));
        QVERIFY(okDesligado);
        QCOMPARE(lista.codigo(), 1);

        // Giving up chooses nothing.
        QTimer::singleShot(100, [&] {
            if (auto* d = qobject_cast<TFListRend*>(QApplication::activeModalWidget()))
                QTest::mouseClick(d->findChild<QPushButton*>("BtCancela"), Qt::LeftButton);
        });
        QCOMPARE(TFListRend::Escolhe(sessao_->privado()), 0);

        // Other windows' tests replace the dialog.
        TFListRend::DefineEscolhaTeste([] { return 13; });
        QCOMPARE(TFListRend::Escolhe(sessao_->privado()), 13);
        TFListRend::DefineEscolhaTeste({});
        QVERIFY(registro_.mensagens.isEmpty());
    }

    void listaDeCatalogoVazioNaoTemOk() {
        sessao_->privado().executa("Rendimen.DB", "delete from Tabela");
        TFListRend lista(sessao_->privado());
        bool okLigado = true;
        QTimer::singleShot(100, [&] {
            auto* d = qobject_cast<TFListRend*>(QApplication::activeModalWidget());
            if (!d) return;
            okLigado = d->findChild<QPushButton*>("BtOk")->isEnabled();
            d->reject();
        });
        QCOMPARE(lista.exec(), int(QDialog::Rejected));
        QVERIFY(!okLigado);
        QCOMPARE(lista.codigo(), 0);
        // Nor is there a report to show.
        QCOMPARE(TFRRendimen::Visualiza(*sessao_), 0);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFRendimenTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFRendimenTest.moc"
