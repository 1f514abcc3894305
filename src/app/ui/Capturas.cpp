#include "app/ui/Capturas.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include "app/ui/TFConfig.h"
#include "app/ui/TFCalculadora.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TFSobre.h"
#include "app/ui/TFSplash.h"

namespace korva::ui {
namespace {

void Espera(int ms) {
    for (int i = 0; i < ms / 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    QApplication::processEvents();
}

// The whole screen where the platform allows it (popups included), else the widget.
QPixmap Tela(QWidget& janela) {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (QScreen* tela = QGuiApplication::primaryScreen()) {
            QPixmap p = tela->grabWindow(0);
            if (!p.isNull()) return p;
        }
    return janela.grab();
}

QString ComSufixo(const QString& arquivo, const QString& sufixo) {
    QString base = arquivo;
    if (base.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) base.chop(4);
    return base + sufixo + QStringLiteral(".png");
}

}  // namespace

bool CapturaSplash(TFSplash& splash, const QString& arquivo) {
    Espera(100);
    return splash.grab().save(ComSufixo(arquivo, QStringLiteral("-splash")));
}

bool CapturaJanelas(TFPrincipal& principal, const QString& arquivo, const QString& arquivoConfig) {
    bool ok = true;
    Espera(300);
    if (!arquivo.isEmpty()) {
        // as if the mouse rested on the first tool button: its long hint in the status bar
        if (QToolButton* botao = principal.botao(QStringLiteral("BtProcesso"))) {
            QStatusTipEvent dica(botao->statusTip());
            QApplication::sendEvent(botao, &dica);
        }
        Espera(100);
        ok = Tela(principal).save(arquivo) && ok;
        int n = 0;
        for (QAction* acao : principal.menuBar()->actions()) {
            QMenu* menu = acao->menu();
            if (!menu) continue;
            QMenuBar* barra = principal.menuBar();
            menu->popup(barra->mapToGlobal(barra->actionGeometry(acao).bottomLeft()));
            Espera(300);
            ok = Tela(principal).save(ComSufixo(arquivo, QStringLiteral("-menu-%1").arg(++n))) && ok;
            // each sub-menu opened beside its entry
            int m = 0;
            for (QAction* item : menu->actions()) {
                if (!item->menu() || !item->isVisible()) continue;
                // alone: a second popup closes the first
                item->menu()->popup(menu->mapToGlobal(menu->actionGeometry(item).topRight()));
                Espera(300);
                ok = item->menu()->grab().save(ComSufixo(arquivo, QStringLiteral("-menu-%1-%2").arg(n).arg(++m))) && ok;
                item->menu()->hide();
            }
            menu->hide();
            Espera(100);
        }
        // the printer set-up, grabbed and closed from the event loop it runs
        QTimer::singleShot(800, &principal, [&ok, arquivo] {
            if (QWidget* dialogo = QApplication::activeModalWidget()) {
                ok = dialogo->grab().save(ComSufixo(arquivo, QStringLiteral("-impressora"))) && ok;
                dialogo->close();
            }
        });
        principal.configuraImpressora();
        principal.abreCalculadora();
        Espera(300);
        ok = principal.calculadora()->grab().save(ComSufixo(arquivo, QStringLiteral("-calculadora"))) && ok;
        principal.calculadora()->hide();
        if (auto* sobre = principal.findChild<TFSobre*>()) {
            sobre->show();
            Espera(300);
            ok = sobre->grab().save(ComSufixo(arquivo, QStringLiteral("-sobre"))) && ok;
            sobre->hide();
        }
    }
    if (!arquivoConfig.isEmpty()) {
        auto* dialogo = principal.findChild<TFConfig*>();
        if (!dialogo) return false;
        dialogo->carrega();
        dialogo->show();
        auto* paginas = dialogo->findChild<QTabWidget*>();
        const int total = paginas ? paginas->count() : 1;
        for (int i = 0; i < total; ++i) {
            if (paginas) paginas->setCurrentIndex(i);
            Espera(300);
            const QString nome = i == 0 ? arquivoConfig : ComSufixo(arquivoConfig, QStringLiteral("-pagina-%1").arg(i + 1));
            ok = dialogo->grab().save(nome) && ok;
        }
        dialogo->hide();
    }
    return ok;
}

}  // namespace korva::ui
