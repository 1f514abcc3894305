#include "app/ui/Icones.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace korva::ui {
namespace {

// Every picture is drawn on a 32 x 32 grid; the painter is scaled to the size asked.
using Desenho = std::function<void(QPainter&)>;

const QColor Contorno(40, 40, 40);
const QColor Papel(255, 255, 250);
const QColor Azul(40, 90, 170);
const QColor AzulClaro(150, 190, 235);
const QColor Verde(40, 140, 70);
const QColor Vermelho(190, 40, 40);
const QColor Amarelo(240, 200, 60);

QPen Traco(const QColor& cor, double largura = 1.6) {
    return QPen(cor, largura, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Folha(QPainter& p, const QRectF& r) {
    QPainterPath caminho;
    const double dobra = 6;
    caminho.moveTo(r.left(), r.top());
    caminho.lineTo(r.right() - dobra, r.top());
    caminho.lineTo(r.right(), r.top() + dobra);
    caminho.lineTo(r.right(), r.bottom());
    caminho.lineTo(r.left(), r.bottom());
    caminho.closeSubpath();
    p.setPen(Traco(Contorno, 1.4));
    p.setBrush(Papel);
    p.drawPath(caminho);
    p.drawLine(QPointF(r.right() - dobra, r.top()), QPointF(r.right() - dobra, r.top() + dobra));
    p.drawLine(QPointF(r.right() - dobra, r.top() + dobra), QPointF(r.right(), r.top() + dobra));
}

void Janela(QPainter& p, const QRectF& r, const QColor& barra) {
    p.setPen(Traco(Contorno, 1.3));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(barra);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 5));
}

void Processo(QPainter& p) {
    Folha(p, QRectF(6, 3, 20, 26));
    p.setPen(Traco(Azul, 1.6));
    for (int y : {11, 15, 19}) p.drawLine(QPointF(10, y), QPointF(22, y));
    p.setPen(Traco(Vermelho, 2.0));
    p.drawLine(QPointF(10, 24), QPointF(17, 24));
}

void Prorrata(QPainter& p) {
    p.setPen(Traco(Contorno, 1.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 6, 22, 21));
    p.setBrush(Vermelho);
    p.drawRect(QRectF(3, 6, 22, 6));
    p.setPen(Traco(Contorno, 2));
    p.drawLine(QPointF(8, 3), QPointF(8, 8));
    p.drawLine(QPointF(20, 3), QPointF(20, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(Contorno);
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 4; ++c) p.drawRect(QRectF(6 + c * 4.5, 15 + l * 4, 2.6, 2.4));
    // upward arrow: the amount brought forward day by day
    p.setPen(Traco(Verde, 2.6));
    p.drawLine(QPointF(18, 29), QPointF(28, 19));
    p.drawLine(QPointF(28, 19), QPointF(22, 19));
    p.drawLine(QPointF(28, 19), QPointF(28, 25));
}

void SalarioFamilia(QPainter& p) {
    // a stack of coins and a note
    p.setPen(Traco(Contorno, 1.3));
    p.setBrush(QColor(200, 235, 200));
    p.drawRect(QRectF(3, 7, 20, 12));
    p.setPen(Traco(Verde, 1.3));
    p.drawEllipse(QPointF(13, 13), 3.5, 3.5);
    p.setPen(Traco(Contorno, 1.2));
    p.setBrush(Amarelo);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QRectF(14, 24 - i * 4, 15, 6));
    QFont f("DejaVu Sans");
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(120, 80, 0));
    p.drawText(QRectF(14, 12, 15, 6), Qt::AlignCenter, QStringLiteral("R$"));
}

void Indices(QPainter& p) {
    p.setPen(Traco(Contorno, 1.4));
    p.drawLine(QPointF(4, 3), QPointF(4, 28));
    p.drawLine(QPointF(4, 28), QPointF(29, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(AzulClaro);
    const double alturas[] = {6, 10, 9, 15, 19};
    for (int i = 0; i < 5; ++i) p.drawRect(QRectF(7 + i * 4.5, 27 - alturas[i], 3.2, alturas[i]));
    p.setPen(Traco(Vermelho, 2.2));
    p.drawPolyline(QPolygonF({QPointF(6, 21), QPointF(12, 16), QPointF(17, 18), QPointF(22, 10), QPointF(28, 5)}));
}

void Rendimentos(QPainter& p) {
    Folha(p, QRectF(5, 3, 22, 26));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? Verde : Azul);
        p.drawRect(QRectF(9, 9 + i * 4.8, 3, 3));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(14, 9.5 + i * 4.8, 9, 2));
    }
}

void Cascata(QPainter& p) {
    Janela(p, QRectF(3, 3, 17, 13), Azul);
    Janela(p, QRectF(8, 9, 17, 13), Azul);
    Janela(p, QRectF(13, 15, 17, 13), Azul);
}

void OrganizaIcones(QPainter& p) {
    Janela(p, QRectF(2, 2, 28, 28), QColor(120, 120, 120));
    p.setPen(Traco(Contorno, 1.1));
    p.setBrush(AzulClaro);
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(4 + i * 8.6, 23, 7.4, 5));
}

void Minimiza(QPainter& p) {
    Janela(p, QRectF(3, 3, 20, 16), Azul);
    Janela(p, QRectF(9, 9, 20, 16), Azul);
    p.setPen(Traco(Contorno, 3));
    p.drawLine(QPointF(13, 29), QPointF(25, 29));
}

void Sair(QPainter& p) {
    // an open door and an arrow leaving through it
    p.setPen(Traco(Contorno, 1.4));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(4, 3, 14, 26));
    p.setBrush(QColor(200, 150, 90));
    QPolygonF porta({QPointF(4, 3), QPointF(12, 6), QPointF(12, 31), QPointF(4, 29)});
    p.drawPolygon(porta);
    p.setPen(Traco(Vermelho, 2.8));
    p.drawLine(QPointF(15, 16), QPointF(29, 16));
    p.drawLine(QPointF(29, 16), QPointF(24, 11));
    p.drawLine(QPointF(29, 16), QPointF(24, 21));
}

void Impressora(QPainter& p) {
    p.setPen(Traco(Contorno, 1.3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    QLinearGradient g(0, 11, 0, 24);
    g.setColorAt(0, QColor(200, 200, 205));
    g.setColorAt(1, QColor(130, 130, 140));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3, 11, 26, 13), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
    p.setPen(Traco(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
    p.drawLine(QPointF(11, 26), QPointF(19, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Verde);
    p.drawEllipse(QPointF(25, 15), 1.4, 1.4);
}

void Calculadora(QPainter& p) {
    p.setPen(Traco(Contorno, 1.4));
    p.setBrush(QColor(90, 95, 110));
    p.drawRoundedRect(QRectF(6, 2, 20, 28), 2.5, 2.5);
    p.setBrush(QColor(200, 225, 190));
    p.drawRect(QRectF(9, 5, 14, 6));
    p.setPen(Qt::NoPen);
    for (int l = 0; l < 4; ++l)
        for (int c = 0; c < 3; ++c) {
            p.setBrush(c == 2 ? QColor(240, 150, 60) : QColor(235, 235, 235));
            p.drawRect(QRectF(9 + c * 5, 13.5 + l * 4, 3.6, 2.8));
        }
}

void Korva(QPainter& p) {
    QLinearGradient g(0, 0, 32, 32);
    g.setColorAt(0, QColor(50, 110, 190));
    g.setColorAt(1, QColor(20, 50, 110));
    p.setPen(QPen(QColor(235, 240, 250), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f("DejaVu Sans");
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 0, 30, 31), Qt::AlignCenter, QStringLiteral("K"));
}

const std::map<QString, Desenho>& Desenhos() {
    static const std::map<QString, Desenho> desenhos = {
        {"processo", Processo},       {"prorrata", Prorrata},     {"salfam", SalarioFamilia},
        {"indices", Indices},         {"rendimentos", Rendimentos}, {"cascata", Cascata},
        {"orgicones", OrganizaIcones}, {"minimiza", Minimiza},    {"sair", Sair},
        {"impressora", Impressora},   {"calculadora", Calculadora}, {"korva", Korva},
    };
    return desenhos;
}

QPixmap Pinta(const Desenho& desenho, int lado, bool desabilitado) {
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    if (desabilitado) p.setOpacity(0.35);
    desenho(p);
    return pixmap;
}

}  // namespace

QIcon Icone(const QString& nome) {
    const auto& desenhos = Desenhos();
    auto it = desenhos.find(nome);
    if (it == desenhos.end()) return {};
    QIcon icone;
    for (int lado : {16, 24, 32, 48}) {
        icone.addPixmap(Pinta(it->second, lado, false), QIcon::Normal);
        icone.addPixmap(Pinta(it->second, lado, true), QIcon::Disabled);
    }
    return icone;
}

}  // namespace korva::ui
