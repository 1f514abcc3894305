// The desktop background: loaded from the workstation settings when the main
// window is built, chosen in its dialog (enabling by option, the picture
// required for "&Fundo", the style from the two boxes), written back and
// painted again.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "apoio/JanelasTeste.h"
#include "app/ui/TFPrincipal.h"
#include "maintenance/AreaTrabalho.h"
#include "maintenance/ui/PinturaAreaTrabalho.h"
#include "maintenance/ui/TFAreaTrabalho.h"
#include "util/ArquivoIni.h"

using namespace korva;
using namespace korva::ui;

namespace {

// A radio button takes a click on its circle or its text, not beyond.
void Marca(QWidget* d, const char* nome) {
    auto* rb = d->findChild<QRadioButton*>(nome);
    QVERIFY(rb);
    QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(8, rb->height() / 2));
    QVERIFY(rb->isChecked());
}

QColor Pixel(QMdiArea* area, int x, int y) {
    return area->viewport()->grab().toImage().pixelColor(x, y);
}

}  // namespace

class TFAreaTrabalhoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst_;
    std::unique_ptr<TFPrincipal> principal_;

    std::string arquivoEstacao() { return inst_->sessao->configuracoes().arquivoEstacao().string(); }

    // Runs the dialog from the menu; `faz` acts on it while it is open.
    void comDialogo(const std::function<void(TFAreaTrabalho*)>& faz) {
        bool feito = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TFAreaTrabalho*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QVERIFY(QTest::qWaitForWindowExposed(d));
            faz(d);
            feito = true;
            if (d->isVisible()) d->reject();
        });
        principal_->entrada("MnAreaTrabalho")->trigger();
        QVERIFY(feito);
    }

    void abrePrincipal() {
        principal_ = std::make_unique<TFPrincipal>(*inst_->sessao);
        principal_->resize(800, 600);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
    }

private slots:
    void init() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        abrePrincipal();
    }
    void cleanup() {
        TFAreaTrabalho::DefineEscolhaCorTeste({});
        TFAreaTrabalho::DefineEscolhaImagemTeste({});
        principal_.reset();
        inst_.reset();
    }

    void semAjustesODegradeVaiDoAzulAoPreto() {
        QMdiArea* area = principal_->area();
        const QSize t = area->viewport()->size();
        QCOMPARE(Pixel(area, 5, 0), QColor(0, 0, 255));
        QVERIFY(Pixel(area, 5, t.height() - 1).blue() < 10);
        // A bigger window is painted again over its whole height.
        principal_->resize(900, 750);
        QTest::qWait(50);
        const QSize maior = area->viewport()->size();
        QVERIFY(maior.height() > t.height());
        QCOMPARE(Pixel(area, 5, 0), QColor(0, 0, 255));
        QVERIFY(Pixel(area, 5, maior.height() - 1).blue() < 10);
        teste::GuardaTela(principal_.get(), "principal-gradiente");
    }

    void opcoesHabilitamSeusGruposEFundoExigeImagem() {
        comDialogo([&](TFAreaTrabalho* d) {
            auto* cor = d->findChild<QGroupBox*>("GrCorFundo");
            auto* papel = d->findChild<QGroupBox*>("GrPapelParede");
            auto* grad = d->findChild<QGroupBox*>("GrGradiente");
            auto* ok = d->findChild<QPushButton*>("BtOk");
            QVERIFY(d->findChild<QRadioButton*>("RbGradiente")->isChecked());
            QVERIFY(cor->isEnabled() && grad->isEnabled() && !papel->isEnabled());
            Marca(d, "RbLiso");
            QVERIFY(cor->isEnabled() && !grad->isEnabled() && !papel->isEnabled());
            Marca(d, "RbFundo");
            QVERIFY(!cor->isEnabled() && !grad->isEnabled() && papel->isEnabled());
            QVERIFY(!ok->isEnabled());  // no picture chosen yet
            // A file that is not a picture clears the choice.
            TFAreaTrabalho::DefineEscolhaImagemTeste([] { return QStringLiteral("/nao/existe.bmp"); });
            QTest::mouseClick(d->findChild<QPushButton*>("BtImagem"), Qt::LeftButton);
            QVERIFY(!ok->isEnabled());
            teste::GuardaTela(d, "area-trabalho-dialogo");
        });
    }

    void okGravaOsSeisAjustesERepinta() {
        const QString bmp = QString::fromStdString((inst_->pasta->caminho() / "tijolo.bmp").string());
        QImage tijolo(7, 5, QImage::Format_RGB32);
        tijolo.fill(QColor(200, 30, 40));
        tijolo.setPixelColor(0, 0, QColor(1, 2, 3));
        QVERIFY(tijolo.save(bmp, "BMP"));

        comDialogo([&](TFAreaTrabalho* d) {
            TFAreaTrabalho::DefineEscolhaCorTeste([](QColor) { return QColor(255, 0, 0); });
            QTest::mouseClick(d->findChild<QPushButton*>("BtAlterarCorGradiente"), Qt::LeftButton);
            auto* estilo = d->findChild<QComboBox*>("CbEstilo");
            auto* forma = d->findChild<QComboBox*>("CbForma");
            estilo->setCurrentIndex(1);  // Vertical
            forma->setCurrentIndex(3);   // Centro para fora
            d->findChild<QSlider*>("SlDefinicao")->setValue(30);
            QCOMPARE(d->findChild<QLabel*>("LbDefinicao")->text(), QStringLiteral("30"));
            QTest::mouseClick(d->findChild<QPushButton*>("BtOk"), Qt::LeftButton);
        });
        const ArquivoIni ini(arquivoEstacao());
        QCOMPARE(ini.le(kSecaoAreaTrabalho, "Opcao"), std::string("1"));
        QCOMPARE(ini.le(kSecaoAreaTrabalho, "Estilo"), std::string("7"));
        QCOMPARE(ini.le(kSecaoAreaTrabalho, "Shades"), std::string("30"));
        QCOMPARE(ini.le(kSecaoAreaTrabalho, "Cor Gradiente"), std::string("255"));
        QCOMPARE(ini.le(kSecaoAreaTrabalho, "Cor Principal"), std::string("16711680"));
        QMdiArea* area = principal_->area();
        const int meio = area->viewport()->width() / 2;
        QCOMPARE(Pixel(area, meio, 10), QColor(0, 0, 255));  // the main colour at the middle
        teste::GuardaTela(principal_.get(), "principal-vertical-centro");

        // The picture, tiled from the top-left corner.
        comDialogo([&](TFAreaTrabalho* d) {
            Marca(d, "RbFundo");
            TFAreaTrabalho::DefineEscolhaImagemTeste([&] { return bmp; });
            QTest::mouseClick(d->findChild<QPushButton*>("BtImagem"), Qt::LeftButton);
            QVERIFY(d->findChild<QPushButton*>("BtOk")->isEnabled());
            QVERIFY(!d->findChild<QLabel*>("ImgPreview")->pixmap().isNull());
            QTest::mouseClick(d->findChild<QPushButton*>("BtOk"), Qt::LeftButton);
        });
        QCOMPARE(Pixel(area, 0, 0), QColor(1, 2, 3));
        QCOMPARE(Pixel(area, 7, 5), QColor(1, 2, 3));
        QCOMPARE(Pixel(area, 3, 3), QColor(200, 30, 40));
        QCOMPARE(ArquivoIni(arquivoEstacao()).le(kSecaoAreaTrabalho, "Imagem"), bmp.toStdString());

        // The picture is gone at the next start: plain colour, path cleared.
        std::filesystem::remove(bmp.toStdString());
        principal_.reset();
        abrePrincipal();
        QCOMPARE(principal_->fundo().ajustes().opcao, FundoAreaTrabalho::Liso);
        QVERIFY(principal_->fundo().ajustes().imagem.empty());
        QCOMPARE(Pixel(principal_->area(), 10, 10), QColor(0, 0, 255));
    }

    void cancelaNaoMudaNada() {
        const std::string antes = ArquivoIni(arquivoEstacao()).le(kSecaoAreaTrabalho, "Opcao", "ausente");
        comDialogo([&](TFAreaTrabalho* d) {
            Marca(d, "RbLiso");
            QTest::mouseClick(d->findChild<QPushButton*>("BtCancela"), Qt::LeftButton);
        });
        QCOMPARE(ArquivoIni(arquivoEstacao()).le(kSecaoAreaTrabalho, "Opcao", "ausente"), antes);
        QCOMPARE(principal_->fundo().ajustes().opcao, FundoAreaTrabalho::Gradiente);
    }
};

QTEST_MAIN(TFAreaTrabalhoTest)
#include "TFAreaTrabalhoTest.moc"
