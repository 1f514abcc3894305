#include "app/ui/TFSplash.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "app/ui/Icones.h"
#include "app/ui/Textos.h"

namespace korva::ui {

TFSplash::TFSplash(QWidget* pai)
    : QWidget(pai, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TFSplash");
    setFixedSize(460, 260);
    setWindowTitle(TextoProduto());
}

void TFSplash::mostra() {
    if (auto* tela = QGuiApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFSplash::informa(const QString& texto) {
    situacao_ = texto;
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fundo(0, 0, 0, height());
    fundo.setColorAt(0, QColor(30, 70, 140));
    fundo.setColorAt(1, QColor(10, 30, 70));
    p.fillRect(rect(), fundo);
    p.setPen(QPen(QColor(200, 210, 230), 2));
    p.drawRect(rect().adjusted(1, 1, -2, -2));

    Icone("korva").paint(&p, QRect(28, 34, 72, 72));

    QFont nome = font();
    nome.setPixelSize(52);
    nome.setBold(true);
    p.setFont(nome);
    p.setPen(Qt::white);
    p.drawText(QRect(118, 28, 320, 64), Qt::AlignLeft | Qt::AlignVCenter, TextoProduto());

    QFont versao = font();
    versao.setPixelSize(17);
    p.setFont(versao);
    p.setPen(QColor(255, 220, 120));
    p.drawText(QRect(122, 88, 320, 24), Qt::AlignLeft | Qt::AlignVCenter, TextoVersaoSplash());

    QFont linhas = font();
    linhas.setPixelSize(14);
    p.setFont(linhas);
    p.setPen(QColor(225, 230, 240));
    int y = 140;
    for (const QString& linha : LinhasOrganizacao()) {
        p.drawText(QRect(28, y, width() - 56, 22), Qt::AlignLeft | Qt::AlignVCenter, linha);
        y += 22;
    }
    if (!situacao_.isEmpty()) {
        QFont pequena = font();
        pequena.setPixelSize(12);
        p.setFont(pequena);
        p.setPen(QColor(170, 185, 210));
        p.drawText(QRect(28, height() - 34, width() - 56, 20), Qt::AlignLeft | Qt::AlignVCenter, situacao_);
    }
}

}  // namespace korva::ui
