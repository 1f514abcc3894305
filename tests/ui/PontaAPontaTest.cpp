// A clerk's day, through the windows only: a lawsuit with two claimants is
// registered, its claim is described by periods (a salary, a due and paid
// family and an overtime factor row), the month grid is generated and
// calculated, and the detailed report is previewed and saved as PDF. The
// totals stored in the register and the total printed in the PDF must be
// the ones the command line works out for the same data folder.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TFPrincipal.h"
#include "register/ui/TFProcesso.h"
#include "reports/ui/TFPreview.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

const QString Processo = QStringLiteral("777/2025");

// Runs `passo` on the next modal window named `nome` once it is up.
void QuandoAbrir(const char* nome, std::function<void(QWidget*)> passo) {
    auto* relogio = new QTimer(qApp);
    QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, nome, passo] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QLatin1String(nome)) return;
        relogio->stop();
        relogio->deleteLater();
        passo(w);
    });
    relogio->start(20);
}

template <class T>
T* Filho(QWidget* janela, const char* nome) {
    T* w = janela->findChild<T*>(nome);
    if (!w) qFatal("control not found: %s", nome);
    return w;
}

void Clica(QWidget* janela, const char* nome) { QTest::mouseClick(Filho<QAbstractButton>(janela, nome), Qt::LeftButton); }

void ClicaNavegador(QWidget* janela, const char* nav, NavegadorTabela::Botao b) {
    QTest::mouseClick(Filho<NavegadorTabela>(janela, nav)->botao(b), Qt::LeftButton);
}

// Types into the cell of `campo` on the current row of the grid as a user
// does, and presses Enter.
void Digita(GradeTabela* grade, const std::string& campo, const QString& texto) {
    ModeloTabela* m = grade->modelo();
    const int coluna = m->colunaDoCampo(campo);
    if (coluna < 0) qFatal("no column %s", campo.c_str());
    grade->setFocus();
    grade->setCurrentIndex(m->index(m->linhaAtual(), coluna));
    QTest::keyClick(grade, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentText(texto);
    } else if (auto* linha = qobject_cast<QLineEdit*>(editor)) {
        linha->selectAll();
        QTest::keyClick(linha, Qt::Key_Delete);
        QTest::keyClicks(linha, texto);
    } else {
        qFatal("no cell editor for %s", campo.c_str());
    }
    QTest::keyClick(editor, Qt::Key_Return);
}

double Numero(const nlohmann::json& j, const char* campo) { return j.at(campo).get<double>(); }

}  // namespace

class PontaAPontaTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst_;
    std::unique_ptr<TFPrincipal> principal_;
    teste::RegistroMensagens registro_;

    TFProcesso* processo() const { return principal_->findChild<TFProcesso*>(); }
    Tabela& processos() const { return processo()->registro().processos(); }

    void semMensagens() { QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join(" | "))); }

private slots:
    void initTestCase() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        principal_ = std::make_unique<TFPrincipal>(*inst_->sessao);
        principal_->resize(1200, 800);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
        DefineApresentacao(&registro_);
    }
    void cleanupTestCase() {
        DefineApresentacao(nullptr);
        principal_.reset();
        inst_.reset();
    }

    void umDiaDeCalculista() {
        // ---- the lawsuit ----
        principal_->entrada("MnCalculo")->trigger();
        QTRY_VERIFY(processo());
        TFProcesso* reg = processo();
        ClicaNavegador(reg, "NavProcessos", NavegadorTabela::Inserir);
        QTest::keyClicks(Filho<QLineEdit>(reg, "EdProcesso"), Processo);
        QTest::keyClicks(Filho<QLineEdit>(reg, "EdCodRecte"), "1");
        QTest::keyClicks(Filho<QLineEdit>(reg, "EdDtAjuiz"), "10/03/2025");
        auto* dtBase = Filho<QLineEdit>(reg, "EdDtBase");
        dtBase->selectAll();
        QTest::keyClick(dtBase, Qt::Key_Delete);
        QTest::keyClicks(dtBase, "30/09/2026");
        QTest::keyClicks(Filho<QLineEdit>(reg, "EdCalculista"), "joana calculista");
        ClicaNavegador(reg, "NavProcessos", NavegadorTabela::Gravar);
        QTRY_COMPARE(processos().estado(), EstadoTabela::Navegacao);
        semMensagens();

        // ---- two claimants ----
        bool partes = false;
        QuandoAbrir("TFPartes", [&](QWidget* j) {
            auto* grade = Filho<GradeTabela>(j, "GrPartes");
            for (const QString& nome : {QStringLiteral("ana beatriz souza"), QStringLiteral("carlos eduardo lima")}) {
                ClicaNavegador(j, "NavPartes", NavegadorTabela::Inserir);
                Digita(grade, "Nome", nome);
                Digita(grade, "TipoParte", QStringLiteral("Reclamante"));
                ClicaNavegador(j, "NavPartes", NavegadorTabela::Gravar);
            }
            partes = grade->modelo()->rowCount() == 2;
            j->close();
        });
        Clica(reg, "BtPartes");
        QVERIFY(partes);
        semMensagens();

        // ---- the period rows, the generation, the month grid and its calculation ----
        bool calculou = false;
        QuandoAbrir("TFParam1", [&](QWidget* j) {
            auto* grade = Filho<GradeTabela>(j, "GrParam1");
            auto linha = [&](std::initializer_list<std::pair<const char*, QString>> campos) {
                ClicaNavegador(j, "NavParam1", NavegadorTabela::Inserir);
                for (const auto& [campo, texto] : campos) Digita(grade, campo, texto);
                ClicaNavegador(j, "NavParam1", NavegadorTabela::Gravar);
            };
            // The salary, typed as a value.
            linha({{"Item", "2"}, {"Mes1", "1"}, {"Ano1", "2025"}, {"Mes2", "6"}, {"Ano2", "2025"}, {"Valor", "3000"}});
            // Due and paid: a salary difference of 400 a month.
            linha({{"Item", "10"}, {"Mes1", "1"}, {"Ano1", "2025"}, {"Mes2", "6"}, {"Ano2", "2025"}, {"VFM", "Valor"},
                   {"Valor", "3400"}});
            linha({{"Item", "11"}, {"Mes1", "1"}, {"Ano1", "2025"}, {"Mes2", "6"}, {"Ano2", "2025"}, {"VFM", "Valor"},
                   {"Valor", "3000"}});
            // Overtime: 20 hours at 1.5 of the salary over 220.
            linha({{"Item", "20"}, {"Mes1", "1"}, {"Ano1", "2025"}, {"Mes2", "6"}, {"Ano2", "2025"}, {"VFM", "Fator"},
                   {"Qtde", "20"}, {"Indice", "1,5"}, {"Divisor", "220"}, {"Base", "2"}});
            // Of which 150 a month were paid.
            linha({{"Item", "21"}, {"Mes1", "1"}, {"Ano1", "2025"}, {"Mes2", "6"}, {"Ano2", "2025"}, {"VFM", "Valor"},
                   {"Valor", "150"}});
            QCOMPARE(grade->modelo()->rowCount(), 5);
            QVERIFY(Filho<QCheckBox>(j, "CkMostrarMesAMes")->isChecked());
            QuandoAbrir("TFParam2", [&](QWidget* m) {
                Clica(m, "BtCalculo");
                QTRY_VERIFY(Filho<QLabel>(m, "LbTempo")->text().startsWith(QStringLiteral("Tempo de Cálculo: ")));
                calculou = true;
                m->close();
            });
            Clica(j, "BtGerar");
            QTRY_VERIFY(calculou);
            j->close();
        });
        Clica(reg, "BtPeriodo");
        QVERIFY(calculou);
        semMensagens();

        // ---- the detailed report, previewed and saved as PDF ----
        const fs::path pdf = inst_->pasta->caminho() / "detalhado.pdf";
        TFPreview::DefineArquivoPdfTeste([&](const QString&) { return QString::fromStdString(pdf.string()); });
        bool salvou = false;
        QuandoAbrir("TFPrintCalculo", [&](QWidget* j) {
            QTest::mouseClick(Filho<QRadioButton>(j, "RbOpcao1"), Qt::LeftButton, {}, QPoint(8, 8));
            QuandoAbrir("TFPreview", [&](QWidget* p) {
                Clica(p, "BtSalvarPdf");
                salvou = fs::exists(pdf);
                p->close();
            });
            Clica(j, "BtVisualizar");
            j->close();
        });
        Clica(reg, "BtRelatorios");
        QVERIFY(salvou);
        semMensagens();

        // ---- what was stored and printed equals the command line's figures ----
        int status = 0;
        const std::string saida = teste::RodaCli("--dados " + inst_->pasta->caminho().string() + " resultado " +
                                                     Processo.toStdString() + " 1 --json 2>/dev/null",
                                                 &status);
        QCOMPARE(status, 0);
        const auto cli = nlohmann::json::parse(saida);
        Tabela t(inst_->sessao->privado(), "Processo.DB");
        t.abre(ModoAbertura::SomenteLeitura);
        QVERIFY(t.localiza({"Processo", "CodRecte"}, {Valor(Processo.toStdString()), Valor(1)}));
        for (const char* campo : {"Total", "TotalGeral", "FGTS", "TotalBaseINSS", "ValorINSSReclamante",
                                  "TotalBaseIR13", "TotalBaseIRFerias", "TotalBaseIRDemais"})
            QVERIFY2(std::fabs(t.valor(campo).comoNumero() - Numero(cli, campo)) < 0.005, campo);
        QCOMPARE(t.valor("QtdeMesesComBaseIR").comoInteiro(), cli.at("QtdeMesesComBaseIR").get<int64_t>());
        // The register shows the stored totals, and its row can still be changed.
        QVERIFY(std::fabs(processos().valor("TotalGeral").comoNumero() - Numero(cli, "TotalGeral")) < 0.005);
        auto* calculista = Filho<QLineEdit>(reg, "EdCalculista");
        calculista->selectAll();
        QTest::keyClicks(calculista, "joana revisora");
        ClicaNavegador(reg, "NavProcessos", NavegadorTabela::Gravar);
        QTRY_COMPARE(processos().estado(), EstadoTabela::Navegacao);
        semMensagens();
        QVERIFY(Numero(cli, "TotalGeral") > 0);

        const std::string texto = teste::RodaComando("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null");
        const QString total = QLocale(QLocale::Portuguese, QLocale::Brazil)
                                  .toString(Numero(cli, "TotalGeral"), 'f', 2);
        QVERIFY2(QString::fromStdString(texto).contains(total), qPrintable(total));
        qInfo("total geral %s, %d linhas mês a mês", qPrintable(total), int(cli.at("Linhas").size()));
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    PontaAPontaTest teste;
    return QTest::qExec(&teste, argc, argv);
}
#include "PontaAPontaTest.moc"
