// The time-card report chooser: '&Diário' checked at every showing, the daily
// report in the preview (one month a page, saved as PDF), the monthly report
// on a printer, and the dialog staying open afterwards.
#include <QApplication>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "reports/TextoPlano.h"
#include "reports/ui/TFPreview.h"
#include "timecards/ui/TFPrintReport.h"
#include "util/Literais.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

// Runs `passo` on the next modal window named `nome` once it is up; gives
// up after a few seconds so a test never hangs on an unanswered window.
void QuandoAbrir(const char* nome, std::function<void(QWidget*)> passo) {
    auto* relogio = new QTimer(qApp);
    auto tentativas = std::make_shared<int>(0);
    QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, nome, passo, tentativas] {
        QWidget* w = QApplication::activeModalWidget();
        if (++*tentativas > 250) {
            relogio->stop();
            relogio->deleteLater();
            if (w && w->objectName() != QLatin1String("TFPrintReport")) w->close();
            return;
        }
        if (!w || w->objectName() != QLatin1String(nome)) return;
        relogio->stop();
        relogio->deleteLater();
        passo(w);
    });
    relogio->start(20);
}

// A sample calculation with a weekly schedule over January and February
// 2003 and cards across the month change.
CalculoAberto ComCartoes(teste::InstalacaoTeste& inst) {
    auto doc = LeArquivoJson((fs::path(KORVA_FONTE) / "exemplos" / "diferencas-salariais-horas-extras.json").string());
    doc["Jornada"] = nlohmann::json::parse(R"([{"Data1": "01/01/2003", "Data2": "28/02/2003", "Apuracao": "S",
        "HorasSemanais": 20, "Turnos": 2, "Intervalo": "01:00"}])");
    nlohmann::json cartoes = nlohmann::json::array();
    for (const char* d : {"27/01/2003", "28/01/2003", "29/01/2003", "30/01/2003", "31/01/2003", "01/02/2003",
                          "03/02/2003", "04/02/2003"})
        cartoes.push_back({{"Data", d}, {"Ent1", "08:00"}, {"Sai1", "12:00"}, {"Ent2", "13:00"}, {"Sai2", "18:00"},
                           {"Situacao", std::string(d) == "01/02/2003" ? "F" : ""}});
    doc["Cartao"] = cartoes;
    TabelasReferencia referencia(inst.sessao->compartilhado());
    const CalculoImportado r = ImportaCalculo(inst.sessao->privado(), referencia, AjustesDe(inst.sessao->configuracoes()), doc);
    return CalculoAbertoDe(inst.sessao->privado(), r.processo, r.codRecte);
}

}  // namespace

class TFPrintReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst_;
    CalculoAberto calculo_;

private slots:
    void init() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        calculo_ = ComCartoes(*inst_);
    }
    void cleanup() {
        TFPreview::DefineArquivoPdfTeste({});
        TFPrintReport::DefineEscolhaImpressoraTeste({});
        inst_.reset();
    }

    void dailyIsCheckedAtEveryShowing() {
        TFPrintReport j(*inst_->sessao, calculo_);
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QCOMPARE(j.windowTitle(), QStringLiteral("KORVA"));
        QCOMPARE(j.findChild<QGroupBox*>("RgImprimir")->title(), QStringLiteral(" Imprimir: "));
        auto* diario = j.findChild<QRadioButton*>("RbDiario");
        auto* mensal = j.findChild<QRadioButton*>("RbMensal");
        QCOMPARE(diario->text(), QStringLiteral("&Diário"));
        QCOMPARE(mensal->text(), QStringLiteral("&Mensal"));
        QVERIFY(diario->isChecked());
        QTest::mouseClick(mensal, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(mensal->isChecked());
        QCOMPARE(j.escolha(), TipoRelatorioPonto::Mensal);
        teste::GuardaTela(&j, "TFPrintReport");
        j.close();
        QVERIFY(!j.isVisible());
        j.show();
        QVERIFY(diario->isChecked());
        QCOMPARE(j.escolha(), TipoRelatorioPonto::Diario);
    }

    void dailyReportInThePreviewSavedAsPdf() {
        TFPrintReport j(*inst_->sessao, calculo_);
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        const fs::path pdf = inst_->pasta->caminho() / "diario.pdf";
        TFPreview::DefineArquivoPdfTeste([&](const QString&) { return QString::fromStdString(pdf.string()); });
        int paginas = 0;
        QString titulo, texto;
        QuandoAbrir("TFPreview", [&](QWidget* w) {
            auto* p = qobject_cast<TFPreview*>(w);
            paginas = p->totalPaginas();
            titulo = p->windowTitle();
            texto = QString::fromStdString(TextoPlano(p->documento(), GradeDoDocumento(p->documento())));
            teste::GuardaTela(p, "TFPrintReport-diario");
            QTest::mouseClick(p->findChild<QPushButton*>("BtSalvarPdf"), Qt::LeftButton);
            p->close();
        });
        QTest::mouseClick(j.findChild<QPushButton*>("BtVisualizar"), Qt::LeftButton);
        QCOMPARE(paginas, 2);  // January and February, each on its own page
        QVERIFY(titulo.contains(QStringLiteral("Cartões de Ponto - Relatório Diário")));
        QVERIFY(texto.contains(QStringLiteral("Pág.: 1/2")));
        QVERIFY(texto.contains(QStringLiteral("01/02/2003 (Sáb.) - F")));
        QVERIFY(texto.contains(QStringLiteral("08:00 12:00 13:00 18:00")));
        QVERIFY(texto.contains(QString::fromStdString("Grupo: " + Literais::ZerosEsquerdaInt(calculo_.execucao.codRecte, 3))));
        QVERIFY(fs::exists(pdf));
        QVERIFY(j.isVisible());  // the dialog stays open
    }

    void monthlyReportOnThePrinter() {
        TFPrintReport j(*inst_->sessao, calculo_);
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QTest::mouseClick(j.findChild<QRadioButton*>("RbMensal"), Qt::LeftButton, {}, QPoint(8, 8));
        // Giving up in the print dialog prints nothing.
        int pedidos = 0;
        TFPrintReport::DefineEscolhaImpressoraTeste([&](QPrinter&) {
            ++pedidos;
            return false;
        });
        QTest::mouseClick(j.findChild<QPushButton*>("BtImprimir"), Qt::LeftButton);
        QCOMPARE(pedidos, 1);
        const fs::path saida = inst_->pasta->caminho() / "mensal.pdf";
        QString documento;
        TFPrintReport::DefineEscolhaImpressoraTeste([&](QPrinter& p) {
            documento = p.docName();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(QString::fromStdString(saida.string()));
            return true;
        });
        QTest::mouseClick(j.findChild<QPushButton*>("BtImprimir"), Qt::LeftButton);
        QCOMPARE(documento, QStringLiteral("Cartões de Ponto - Relatório Mensal"));
        QVERIFY(fs::exists(saida));
        QVERIFY(fs::file_size(saida) > 1000);
        QVERIFY(j.isVisible());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFPrintReportTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFPrintReportTest.moc"
