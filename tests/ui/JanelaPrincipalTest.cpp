// The main window over a real session in a temporary data folder: captions,
// menus, entries of windows still to come, the one-instance rule, the
// configuration dialog writing both settings files, the error handler, the
// calculator keys and the shutdown.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <memory>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/FechaMensagens.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFCalculadora.h"
#include "app/ui/TFConfig.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Excecoes.h"
#include "util/ArquivoIni.h"
#include "util/Data.h"
#include "util/Erros.h"

using namespace korva;
using namespace korva::ui;

namespace {

using teste::FechaMensagens;

// Records what the error handler shows instead of opening boxes.
class Registro : public ApresentacaoErros {
public:
    void beep() override { ++bips; }
    void mostraInformacao(const std::string& t) override { informacoes.append(QString::fromStdString(t)); }
    void mostraErro(const std::string& t) override { erros.append(QString::fromStdString(t)); }
    void mostraCodigo(const std::string& t) override { codigos.append(QString::fromStdString(t)); }
    int bips = 0;
    QStringList informacoes, erros, codigos;
};

// A widget whose mouse click fails with a duplicate key.
class CliqueFalho : public QWidget {
protected:
    void mousePressEvent(QMouseEvent*) override {
        throw ErroBanco(CodigoBanco::ChaveDuplicada, "UNIQUE constraint failed: Processo.Processo");
    }
};

// A window with a pending edit: refuses to close while `pendente`.
class JanelaPendente : public QWidget {
public:
    bool pendente = true;

protected:
    void closeEvent(QCloseEvent* e) override {
        if (pendente) OperacaoPendente(0);
        e->accept();
    }
};

}  // namespace

class JanelaPrincipalTest : public QObject {
    Q_OBJECT

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
        principal_->resize(1024, 700);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
    }

    void legendaMenusEBotoes() {
        QCOMPARE(principal_->windowTitle(), QStringLiteral("KORVA - Ulmeris"));
        QStringList menus;
        for (QAction* a : principal_->menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"&Processo", "&Tabelas", "&Janela", "&Sistema"}));

        QCOMPARE(principal_->entrada("MnCalculo")->text(), QStringLiteral("&Cálculo"));
        QCOMPARE(principal_->entrada("MnIndicesDiarios")->text(), QStringLiteral("Índices &Diários"));
        QCOMPARE(principal_->entrada("MnSalarioMinimo")->text(),
                 QStringLiteral("Salário Mínimo/&Família / Seguro-Desemprego"));
        QCOMPARE(principal_->entrada("MnCopiaSeguranca")->text(), QStringLiteral("&Cópia de Seg&urança"));
        QCOMPARE(principal_->entrada("MnConfigurarImpressora")->text(), QStringLiteral("Configurar &Impressora ..."));
        QCOMPARE(principal_->entrada("MnFaixasINSS")->text(), QStringLiteral("Faixas de desconto do &INSS"));
        QCOMPARE(principal_->entrada("MnClassificacaoFeriados")->text(), QStringLiteral("&Classificação dos Feriados"));
        QVERIFY(principal_->entrada("MnDebug")->isCheckable());
        // hidden entries exist but are not shown
        for (const char* oculta : {"MnIndicesMensais", "MnExportarImportar", "MnAlterarSkins"}) {
            QVERIFY2(principal_->entrada(oculta), oculta);
            QVERIFY2(!principal_->entrada(oculta)->isVisible(), oculta);
        }

        const QStringList botoes{"BtProcesso", "BtProrrata", "BtSalFam1",  "BtIndices",    "BtRendimentos", "BtCascata",
                                 "BtOrgIcones", "BtMinimiza", "BtSair",   "BtImpressora", "BtCalculadora"};
        for (const QString& nome : botoes) {
            QToolButton* b = principal_->botao(nome);
            QVERIFY2(b, qPrintable(nome));
            QVERIFY2(!b->icon().isNull(), qPrintable(nome));
            QVERIFY2(!b->toolTip().isEmpty() && !b->toolTip().contains('|'), qPrintable(nome));
            QVERIFY2(!b->statusTip().isEmpty(), qPrintable(nome));
        }
        // panel 0 holds today's date, panel 1 the long part of a hint
        auto* data = principal_->findChild<QLabel*>("PainelData");
        QVERIFY(data);
        QCOMPARE(data->text(), QString::fromStdString(Data::hoje().dma()));
        auto* dica = principal_->findChild<QLabel*>("PainelDica");
        QVERIFY(dica);
        QStatusTipEvent tip(principal_->botao("BtSair")->statusTip());
        QApplication::sendEvent(principal_->botao("BtSair"), &tip);
        QCOMPARE(dica->text(), QStringLiteral("Encerra o sistema"));
    }

    void entradasDasTabelasAbremSuasJanelas() {
        // The reference tables' entry and button now open their windows, one
        // instance each, the entry and its button off while it is open.
        FechaMensagens fecha;
        principal_->entrada("MnSalarioMinimo")->trigger();
        principal_->botao("BtIndices")->click();
        QVERIFY(fecha.textos.isEmpty());
        QStringList abertas;
        for (QMdiSubWindow* s : principal_->area()->subWindowList()) abertas << s->widget()->objectName();
        abertas.sort();
        QCOMPARE(abertas, (QStringList{"TFNomeIndiceDia", "TFValores"}));
        QVERIFY(!principal_->entrada("MnSalarioMinimo")->isEnabled());
        QVERIFY(!principal_->botao("BtSalFam1")->isEnabled());
        QVERIFY(!principal_->entrada("MnIndicesDiarios")->isEnabled());
        for (QMdiSubWindow* s : principal_->area()->subWindowList()) {
            QPointer<QMdiSubWindow> janela(s);
            s->close();
            QTRY_VERIFY(janela.isNull());
        }
        QVERIFY(principal_->entrada("MnSalarioMinimo")->isEnabled());
        QVERIFY(principal_->botao("BtIndices")->isEnabled());
        QVERIFY(fecha.textos.isEmpty());
    }

    void lembreteDoSetor() {
        FechaMensagens fecha;
        principal_->lembraSetor();  // first start: "Setor" is empty
        QCOMPARE(fecha.textos,
                 QStringList{QStringLiteral("Selecione a opção Sistema/Configurações e informe o nome do seu Setor.")});
    }

    void umaInstanciaPorJanela() {
        int criadas = 0;
        principal_->registraJanelaFilha("MnCalculo", [&criadas] {
            ++criadas;
            auto* w = new QWidget;
            w->setWindowTitle(QStringLiteral("KORVA - Tabela de Processos"));
            return w;
        });
        QAction* entrada = principal_->entrada("MnCalculo");
        QToolButton* botao = principal_->botao("BtProcesso");
        entrada->trigger();
        QCOMPARE(criadas, 1);
        QCOMPARE(principal_->area()->subWindowList().size(), 1);
        QVERIFY(!entrada->isEnabled());
        QVERIFY(!botao->isEnabled());
        QVERIFY(!QApplication::overrideCursor());  // busy cursor restored once shown

        // a programmatic second opening brings the same window forward
        principal_->registraJanelaFilha("MnCalculo", [&criadas] { ++criadas; return new QWidget; });
        entrada->setEnabled(true);
        entrada->trigger();
        QCOMPARE(criadas, 1);
        QCOMPARE(principal_->area()->subWindowList().size(), 1);

        QPointer<QMdiSubWindow> sub = principal_->area()->subWindowList().first();
        sub->close();
        QTRY_VERIFY(sub.isNull());
        QVERIFY(entrada->isEnabled());
        QVERIFY(botao->isEnabled());

        // a window that cannot be created leaves its entry usable
        principal_->registraJanelaFilha("MnVerbas", []() -> QWidget* { throw ErroKorva("Falha ao abrir a tabela"); });
        Registro registro;
        DefineApresentacao(&registro);
        principal_->botao("BtRendimentos")->click();
        DefineApresentacao(nullptr);
        QCOMPARE(registro.erros, QStringList{QStringLiteral("Falha ao abrir a tabela")});
        QVERIFY(principal_->entrada("MnVerbas")->isEnabled());
        QVERIFY(principal_->botao("BtRendimentos")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void janelaMinimizaECascata() {
        for (const char* nome : {"MnURV", "MnUFIR", "MnFeriadosPadrao"})
            principal_->registraJanelaFilha(nome, [nome] {
                auto* w = new QWidget;
                w->setWindowTitle(QString::fromLatin1(nome));
                w->resize(300, 200);
                return w;
            });
        for (const char* nome : {"MnURV", "MnUFIR", "MnFeriadosPadrao"}) principal_->entrada(nome)->trigger();
        const auto filhas = principal_->area()->subWindowList();
        QCOMPARE(filhas.size(), 3);
        principal_->botao("BtMinimiza")->click();
        for (auto* s : filhas) QVERIFY(s->isMinimized());
        principal_->botao("BtOrgIcones")->click();
        // icons in a row at the bottom, in creation order
        QVERIFY(filhas[0]->x() < filhas[1]->x());
        QVERIFY(filhas[1]->x() < filhas[2]->x());
        QCOMPARE(filhas[0]->geometry().bottom(), filhas[2]->geometry().bottom());
        for (auto* s : filhas) s->showNormal();
        principal_->botao("BtCascata")->click();
        QVERIFY(filhas[0]->pos() != filhas[1]->pos());
        principal_->area()->closeAllSubWindows();
        QTRY_VERIFY(principal_->area()->subWindowList().isEmpty());
        QTRY_VERIFY(principal_->entrada("MnURV")->isEnabled());  // once the closed window is gone
    }

    void configuracaoGravaOsDoisArquivos() {
        Configuracoes& c = sessao_->configuracoes();
        bool editou = false;
        QTimer::singleShot(0, this, [&] {
            // A failed check returns early: the dialog must still close, or the test hangs.
            struct Fecha {
                TFPrincipal* p;
                ~Fecha() {
                    if (auto* dd = p->findChild<TFConfig*>(); dd && dd->isVisible()) dd->reject();
                }
            } fecha{principal_.get()};
            auto* d = principal_->findChild<TFConfig*>();
            QVERIFY(d && d->isVisible());
            QCOMPARE(d->windowTitle(), QStringLiteral("KORVA - Configuração"));
            auto* paginas = d->findChild<QTabWidget*>();
            QCOMPARE(paginas->currentIndex(), 0);
            QCOMPARE(paginas->tabText(0), QStringLiteral("&Orgão"));
            QCOMPARE(paginas->tabText(3), QStringLiteral("&Integração"));

            d->findChild<QLineEdit*>("EdMunicipio")->setText(QStringLiteral("São José dos Pinhais"));
            d->findChild<QLineEdit*>("EdSetor")->setText(QStringLiteral("Contadoria"));

            // masks: only 9 A . / - are typed, "a" in capitals; the first one
            // left empty, so the others move to the front
            auto* m2 = d->findChild<QLineEdit*>("EdMascara2");
            auto* m3 = d->findChild<QLineEdit*>("EdMascara3");
            QTest::keyClicks(m2, "aa-x99z9");
            QCOMPARE(m2->text(), QStringLiteral("AA-999"));
            QTest::keyClicks(m3, "9999/99");
            QCOMPARE(m3->text(), QStringLiteral("9999/99"));

            // a full field refuses more, unless some text is selected
            auto* m1 = d->findChild<QLineEdit*>("EdMascara1");
            QTest::keyClicks(m1, QString(26, u'9'));
            QCOMPARE(m1->text().size(), 25);
            m1->setSelection(0, 1);
            QTest::keyClick(m1, Qt::Key_A);
            QCOMPARE(m1->text(), QStringLiteral("A") + QString(24, u'9'));
            m1->selectAll();
            QTest::keyClick(m1, Qt::Key_Backspace);
            QVERIFY(m1->text().isEmpty());

            d->findChild<QSpinBox*>("EdQtdeCalculos")->setValue(250);

            // the INSS fields follow the check box
            auto* gerar = d->findChild<QCheckBox*>("CbGerarINSS");
            auto* regional = d->findChild<QSpinBox*>("EdRegional");
            QVERIFY(!regional->isEnabled());
            QVERIFY(d->findChild<QLineEdit*>("EdDiretorio")->isReadOnly());
            gerar->click();
            QVERIFY(regional->isEnabled());
            QVERIFY(d->findChild<QPushButton*>("BtDiretorio")->isEnabled());
            QCOMPARE(regional->maximum(), 24);
            regional->setValue(9);
            d->findChild<QSpinBox*>("EdDias")->setValue(30);

            d->findChild<QCheckBox*>("CbExibirDescricao")->setChecked(false);
            d->findChild<QCheckBox*>("CbIntegraPartes")->setChecked(true);
            editou = true;
            QTest::mouseClick(d->findChild<QPushButton*>("BtOK"), Qt::LeftButton);
        });
        principal_->entrada("MnConfiguracoes")->trigger();
        QVERIFY(editou);
        QVERIFY(!principal_->findChild<TFConfig*>()->isVisible());

        // values held by the main window
        QCOMPARE(QString::fromStdString(c.municipio), QStringLiteral("São José dos Pinhais"));
        QCOMPARE(c.mascara1, std::string("AA-999"));
        QCOMPARE(c.mascara2, std::string("9999/99"));
        QCOMPARE(c.mascara3, std::string());
        QCOMPARE(c.qtdeCalculosPorSubDiretorio, 250);
        QCOMPARE(c.regional, 9);

        // and both files
        ArquivoIni privado(c.arquivoPrivado());
        QCOMPARE(QString::fromStdString(privado.le("Configuracoes", "Municipio")), QStringLiteral("São José dos Pinhais"));
        QCOMPARE(privado.le("Configuracoes", "Setor"), std::string("Contadoria"));
        QCOMPARE(privado.le("Configuracoes", "Mascara1"), std::string("AA-999"));
        QCOMPARE(privado.le("Configuracoes", "Mascara2"), std::string("9999/99"));
        QCOMPARE(privado.le("Configuracoes", "Mascara3", "x"), std::string());
        QCOMPARE(privado.le("Configuracoes", "Integra Partes"), std::string("S"));
        QCOMPARE(privado.le("Banco de Dados", "Qtde. Calculos por SubDiretorio"), std::string("250"));
        QCOMPARE(privado.le("INSS", "Gerar Arquivo para o INSS"), std::string("S"));
        QCOMPARE(privado.le("INSS", "Regional"), std::string("9"));
        QCOMPARE(privado.le("INSS", "Periodo de Manutencao dos Arquivos"), std::string("30"));
        QCOMPARE(privado.le("INSS", "Diretorio"), (c.arquivoPrivado().parent_path() / "Remessa").string() + "/");
        ArquivoIni estacao(c.arquivoEstacao());
        QCOMPARE(estacao.le("Configuracoes", "Exibir Descricao das Verbas"), std::string("N"));
        QCOMPARE(estacao.le("Configuracoes", "Lembra Resumo"), std::string("S"));
        // the private folder is the one of the private database, not the workstation's
        QVERIFY(c.arquivoPrivado() != c.arquivoEstacao());
    }

    void configuracaoCanceladaNadaMuda() {
        Configuracoes& c = sessao_->configuracoes();
        const std::string privadoAntes = teste::LeArquivo(c.arquivoPrivado());
        const std::string estacaoAntes = teste::LeArquivo(c.arquivoEstacao());
        const std::string municipioAntes = c.municipio;
        bool viu = false;
        QTimer::singleShot(0, this, [&] {
            // A failed check returns early: the dialog must still close, or the test hangs.
            struct Fecha {
                TFPrincipal* p;
                ~Fecha() {
                    if (auto* dd = p->findChild<TFConfig*>(); dd && dd->isVisible()) dd->reject();
                }
            } fecha{principal_.get()};
            auto* d = principal_->findChild<TFConfig*>();
            // shown again with the values now held
            QCOMPARE(d->findChild<QLineEdit*>("EdMascara1")->text(), QStringLiteral("AA-999"));
            QVERIFY(d->findChild<QSpinBox*>("EdRegional")->isEnabled());
            d->findChild<QLineEdit*>("EdMunicipio")->setText(QStringLiteral("Outra Cidade"));
            d->findChild<QSpinBox*>("EdQtdeCalculos")->setValue(7);
            d->findChild<QCheckBox*>("CbLembraResumo")->setChecked(false);
            viu = true;
            QTest::mouseClick(d->findChild<QPushButton*>("BtCancela"), Qt::LeftButton);
        });
        principal_->entrada("MnConfiguracoes")->trigger();
        QVERIFY(viu);
        QCOMPARE(c.municipio, municipioAntes);
        QCOMPARE(c.qtdeCalculosPorSubDiretorio, 250);
        QCOMPARE(teste::LeArquivo(c.arquivoPrivado()), privadoAntes);
        QCOMPARE(teste::LeArquivo(c.arquivoEstacao()), estacaoAntes);
    }

    void errosDosEventosVaoAoTratador() {
        Registro registro;
        DefineApresentacao(&registro);
        CliqueFalho falho;
        falho.resize(50, 50);
        falho.show();
        QTest::mouseClick(&falho, Qt::LeftButton);
        QCOMPARE(registro.erros,
                 QStringList{QStringLiteral("Violação de identificação do registro. Registro já cadastrado.")});

        // "&Debug" checked: the raw text
        principal_->entrada("MnDebug")->trigger();
        QVERIFY(Depuracao());
        QTest::qWait(500);  // past the repetition window of the handler
        QTest::mouseClick(&falho, Qt::LeftButton);
        QCOMPARE(registro.erros.size(), 2);
        QCOMPARE(registro.erros[1], QStringLiteral("UNIQUE constraint failed: Processo.Processo"));
        principal_->entrada("MnDebug")->trigger();
        QVERIFY(!Depuracao());
        DefineApresentacao(nullptr);
    }

    void calculadoraF11F12() {
        auto* campo = new QLineEdit;
        principal_->registraJanelaFilha("MnSalariosNormativos", [campo] {
            auto* w = new QWidget;
            campo->setParent(w);
            w->setWindowTitle(QStringLiteral("Campo"));
            return w;
        });
        principal_->entrada("MnSalariosNormativos")->trigger();
        QApplication::setActiveWindow(principal_.get());
        campo->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), campo);

        // F11 opens the calculator and still reaches the field
        QTest::keyClick(campo, Qt::Key_F11);
        TFCalculadora* calc = principal_->calculadora();
        QVERIFY(calc->isVisible());
        // -1.234,56 typed on the calculator's own keys
        for (const char* t : {"1", "2", "3", "4", ",", "5", "6", "±"}) {
            QPushButton* tecla = nullptr;
            for (auto* b : calc->findChildren<QPushButton*>())
                if (b->text() == QString::fromUtf8(t)) tecla = b;
            QVERIFY2(tecla, t);
            tecla->click();
        }
        QCOMPARE(calc->visor(), QStringLiteral("-1.234,56"));

        // F12 in the field types the digits and the decimal separator only
        QApplication::setActiveWindow(principal_.get());
        campo->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), campo);
        QTest::keyClick(campo, Qt::Key_F12);
        QTRY_COMPARE(campo->text(), QStringLiteral("1234,56"));
        calc->close();
        principal_->area()->closeAllSubWindows();
        QTRY_VERIFY(principal_->area()->subWindowList().isEmpty());
    }

    void fecharComEdicaoPendenteNaoEncerra() {
        JanelaPendente* pendente = nullptr;
        principal_->registraJanelaFilha("MnValesTransporte", [&pendente] {
            pendente = new JanelaPendente;
            pendente->setWindowTitle(QStringLiteral("Vales"));
            return pendente;
        });
        principal_->entrada("MnValesTransporte")->trigger();
        QVERIFY(pendente);
        Registro registro;
        DefineApresentacao(&registro);
        QVERIFY(!principal_->close());
        DefineApresentacao(nullptr);
        QVERIFY(principal_->isVisible());
        QCOMPARE(registro.informacoes,
                 QStringList{QStringLiteral("Antes de fechar o formulário, cancele ou confirme a operação")});
        QCOMPARE(principal_->area()->subWindowList().size(), 1);
        pendente->pendente = false;
    }

    void sairGravaAsOrdenacoes() {
        Configuracoes& c = sessao_->configuracoes();
        c.ordenacaoParametros1 = 3;
        c.ordenacaoParametros2 = 1;
        c.municipio = "Nao deve ser gravado";
        principal_->entrada("MnSair")->trigger();
        QVERIFY(!principal_->isVisible());
        ArquivoIni estacao(c.arquivoEstacao());
        QCOMPARE(estacao.le("Configuracoes", "Ordenacao Parametros1"), std::string("3"));
        QCOMPARE(estacao.le("Configuracoes", "Ordenacao Parametros2"), std::string("1"));
        ArquivoIni privado(c.arquivoPrivado());
        QCOMPARE(QString::fromStdString(privado.le("Configuracoes", "Municipio")), QStringLiteral("São José dos Pinhais"));
    }

    void cleanupTestCase() {
        principal_.reset();
        sessao_.reset();
        pasta_.reset();
    }

private:
    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
    std::unique_ptr<Sessao> sessao_;
    std::unique_ptr<TFPrincipal> principal_;
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    JanelaPrincipalTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "JanelaPrincipalTest.moc"
