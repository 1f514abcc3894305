// The small dialogs the parameter, register and print windows share, driven
// as a user does: the date picker (title, paging by month and year, weeks
// from Sunday, "OK"/"CANCELA"), the negative-difference choice that only its
// two buttons close, and the summary reminder writing its setting.
#include <QApplication>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "apoio/PastaTemporaria.h"
#include "app/Configuracoes.h"
#include "app/ui/AplicacaoKorva.h"
#include "parameters/ui/TFLembraResumo.h"
#include "parameters/ui/TFPegaData.h"
#include "parameters/ui/TFZerarOuCompensar.h"
#include "util/ArquivoIni.h"

using namespace korva;
using namespace korva::ui;

namespace {

// Runs `acao` on the dialog once it is up; a dialog still open after a while
// is closed so that a fault cannot hang the run.
void Quando(QDialog* dialogo, std::function<void()> acao) {
    QTimer::singleShot(0, dialogo, [dialogo, acao] {
        for (int i = 0; i < 200 && !dialogo->isVisible(); ++i) QTest::qWait(10);
        QTimer::singleShot(15000, dialogo, [dialogo] {
            if (dialogo->isVisible()) dialogo->done(-1);
        });
        acao();
    });
}

template <class T>
T* Filho(QWidget* w, const char* nome) {
    return w->findChild<T*>(QString::fromLatin1(nome));
}

void Clica(QWidget* w, const char* nome) {
    if (auto* b = Filho<QAbstractButton>(w, nome)) QTest::mouseClick(b, Qt::LeftButton);
}

void Grava(QWidget* w, const char* nome) {
    std::filesystem::create_directories("/tmp/telas");
    w->grab().save(QStringLiteral("/tmp/telas/%1.png").arg(nome));
}

}  // namespace

class DialogosAuxiliaresTest : public QObject {
    Q_OBJECT

private slots:
    void pegaDataPaginaEDevolveADataSoNoOk() {
        TFPegaData& d = TFPegaData::Instancia();
        QCOMPARE(&d, &TFPegaData::Instancia());
        d.defineData(QDate(2024, 1, 31));
        QString titulo, inicial;
        QStringList passos;
        Qt::DayOfWeek primeiroDia = Qt::Monday;
        auto* lb = Filho<QLabel>(&d, "LbTitulo");
        Quando(&d, [&] {
            titulo = d.windowTitle();
            inicial = lb->text();
            primeiroDia = Filho<QCalendarWidget>(&d, "Calendario")->firstDayOfWeek();
            Grava(&d, "TFPegaData");
            // The day stays, cut to the month's last.
            for (const char* b : {"BtProximoMes", "BtProximoAno", "BtAnoAnterior", "BtAnoAnterior", "BtMesAnterior"}) {
                Clica(&d, b);
                passos << lb->text() + " " + d.data().toString("dd/MM/yyyy");
            }
            // The keyboard moves the day on the calendar: two days on.
            QWidget* vista = Filho<QCalendarWidget>(&d, "Calendario")->findChild<QAbstractItemView*>();
            QTest::keyClick(vista, Qt::Key_Right);
            QTest::keyClick(vista, Qt::Key_Right);
            passos << lb->text() + " " + d.data().toString("dd/MM/yyyy");
            Clica(&d, "BtOk");
        });
        QCOMPARE(d.executa(), QStringLiteral("OK"));
        QCOMPARE(titulo, QStringLiteral("KORVA - Selecione a Data"));
        QCOMPARE(inicial, QStringLiteral("Janeiro, 2024"));
        QCOMPARE(primeiroDia, Qt::Sunday);
        QCOMPARE(passos, (QStringList{"Fevereiro, 2024 29/02/2024", "Fevereiro, 2025 28/02/2025",
                                      "Fevereiro, 2024 28/02/2024", "Fevereiro, 2023 28/02/2023",
                                      "Janeiro, 2023 28/01/2023", "Janeiro, 2023 30/01/2023"}));
        QCOMPARE(d.resultado(), QStringLiteral("OK"));
        QCOMPARE(d.data(), QDate(2023, 1, 30));

        // After an "OK", showing again is "CANCELA" until "OK": "Cancela" and
        // the title bar both leave it so.
        d.defineData(QDate(2020, 12, 25));
        QString aoMostrar;
        Quando(&d, [&] {
            aoMostrar = d.resultado();
            Clica(&d, "BtProximoMes");
            Clica(&d, "BtCancela");
        });
        QCOMPARE(d.executa(), QStringLiteral("CANCELA"));
        QCOMPARE(aoMostrar, QStringLiteral("CANCELA"));
        Quando(&d, [&] { d.close(); });
        QCOMPARE(d.executa(), QStringLiteral("CANCELA"));
        Quando(&d, [&] { QTest::keyClick(&d, Qt::Key_Escape); });
        QCOMPARE(d.executa(), QStringLiteral("CANCELA"));

        // An empty field opens on today.
        d.defineData(QDate());
        QCOMPARE(d.data(), QDate::currentDate());
        QCOMPARE(TFPegaData::Titulo(QDate(2024, 3, 1)), QStringLiteral("Março, 2024"));
    }

    void zerarOuCompensarSoFechaPelosBotoes() {
        TFZerarOuCompensar& z = TFZerarOuCompensar::Instancia();
        QVERIFY(!(z.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(z.windowFlags() & Qt::WindowSystemMenuHint));
        QString titulo, texto;
        bool abertoDepoisEsc = false, abertoDepoisFechar = false;
        Quando(&z, [&] {
            titulo = z.windowTitle();
            texto = Filho<QLabel>(&z, "LbPergunta")->text();
            Grava(&z, "TFZerarOuCompensar");
            QTest::keyClick(&z, Qt::Key_Escape);
            QTest::qWait(10);
            abertoDepoisEsc = z.isVisible();
            z.close();
            QTest::qWait(10);
            abertoDepoisFechar = z.isVisible();
            Clica(&z, "BtCompensar");
        });
        QCOMPARE(z.executa(), std::string("C"));
        QCOMPARE(titulo, QStringLiteral("KORVA"));
        QCOMPARE(texto, QStringLiteral("O que fazer em caso de diferenças negativas?"));
        QVERIFY(abertoDepoisEsc);
        QVERIFY(abertoDepoisFechar);
        QVERIFY(!z.isVisible());

        Quando(&z, [&] { Clica(&z, "BtZerar"); });
        QCOMPARE(z.executa(), std::string("Z"));
        QCOMPARE(z.resultado(), std::string("Z"));
        // A second round still refuses the title bar.
        Quando(&z, [&] {
            z.close();
            QTest::qWait(10);
            abertoDepoisFechar = z.isVisible();
            Clica(&z, "BtCompensar");
        });
        QCOMPARE(z.executa(), std::string("C"));
        QVERIFY(abertoDepoisFechar);
    }

    void lembreteDoResumoGravaAEscolhaDaCaixa() {
        teste::PastaTemporaria tmp;
        Configuracoes c;
        c.le(tmp.caminho() / "Privado", tmp.caminho() / "config", (tmp.caminho() / "Compartilhado").string());
        QCOMPARE(c.lembraResumo, std::string("S"));
        TFLembraResumo r(c);
        QString titulo, texto, caixa;
        bool marcada = false;
        Quando(&r, [&] {
            titulo = r.windowTitle();
            texto = Filho<QLabel>(&r, "LbTexto")->text();
            caixa = Filho<QCheckBox>(&r, "CbLembrete")->text();
            marcada = Filho<QCheckBox>(&r, "CbLembrete")->isChecked();
            Grava(&r, "TFLembraResumo");
            Clica(&r, "BtSim");
        });
        QCOMPARE(r.executa(), int(QDialog::Accepted));
        QCOMPARE(titulo, QStringLiteral("KORVA - Imprimir Resumo"));
        QCOMPARE(texto, QStringLiteral("Atenção! Todos os cálculos devem ter sido\natualizados antes de imprimir o "
                                       "resumo. \nDeseja continuar?"));
        QCOMPARE(caixa, QStringLiteral("Exibir este lembrete sempre que for imprimir o resumo?"));
        QVERIFY(marcada);
        QCOMPARE(c.lembraResumo, std::string("S"));

        // "&Não" with the box unticked: this printing is abandoned and the
        // reminder is off, in the workstation file too.
        Quando(&r, [&] {
            Clica(&r, "CbLembrete");
            Clica(&r, "BtNao");
        });
        QVERIFY(!r.continua());
        QCOMPARE(c.lembraResumo, std::string("N"));
        QCOMPARE(ArquivoIni(c.arquivoEstacao()).le("Configuracoes", "Lembra Resumo"), std::string("N"));
        // From then on the printing goes on without asking.
        bool mostrou = false;
        QTimer::singleShot(0, &r, [&] {
            mostrou = r.isVisible();
            if (mostrou) r.reject();
        });
        QVERIFY(r.continua());
        QTest::qWait(20);
        QVERIFY(!mostrou);

        // Turned on again: the box comes up ticked, and Escape is "&Não"
        // leaving the setting on.
        c.lembraResumo = "S";
        Quando(&r, [&] {
            marcada = Filho<QCheckBox>(&r, "CbLembrete")->isChecked();
            QTest::keyClick(&r, Qt::Key_Escape);
        });
        QVERIFY(!r.continua());
        QVERIFY(marcada);
        QCOMPARE(c.lembraResumo, std::string("S"));
        // Enter is "&Sim".
        Quando(&r, [&] { QTest::keyClick(Filho<QPushButton>(&r, "BtSim"), Qt::Key_Return); });
        QVERIFY(r.continua());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    DialogosAuxiliaresTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "DialogosAuxiliaresTest.moc"
