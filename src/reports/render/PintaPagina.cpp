#include "reports/render/PintaPagina.h"

#include <algorithm>
#include <cmath>

#include <QPaintDevice>
#include <QPen>
#include <QString>


namespace korva {

namespace {

constexpr double MmPorPolegada = 25.4;

}  // namespace

PintorPaginas::PintorPaginas(QPainter& painter, double pxPorMm) : p_(painter), escala_(pxPorMm) {
    if (escala_ <= 0) escala_ = p_.device()->logicalDpiX() / MmPorPolegada;
    p_.setBrush(Qt::NoBrush);
}

PintorPaginas::Face& PintorPaginas::face(const Fonte& fonte) {
    const auto chave = std::make_tuple(std::lround(fonte.tamanho * 100.0), fonte.negrito, fonte.italico,
                                       fonte.sublinhado);
    auto it = faces_.find(chave);
    if (it == faces_.end()) {
        Face f;
        f.face = std::make_unique<FaceTexto>(fonte, escala_ * MmPorPolegada / 72.0);
        it = faces_.emplace(chave, std::move(f)).first;
    }
    return it->second;
}

void PintorPaginas::pintaTexto(const Elemento& e) {
    if (e.texto.empty()) return;
    Face& face = this->face(e.fonte);
    FaceTexto& f = *face.face;
    const double x0 = e.x * escala_, largura = e.largura * escala_;
    double x = x0;
    if (e.alinhamento != Alinhamento::Esquerda) {
        const double w = f.largura(e.texto);
        if (w <= largura + 1e-6)
            x += e.alinhamento == Alinhamento::Direita ? largura - w : (largura - w) / 2.0;
    }
    const QPointF base(x, e.y * escala_ + f.ascendente());
    if (e.recorta) {
        const double altura = e.altura > 0 ? e.altura * escala_ : f.alturaLinha();
        p_.setClipRect(QRectF(x0, e.y * escala_, largura, altura));
        p_.drawGlyphRun(base, f.corrida(e.texto));
        p_.setClipping(false);
    } else if (e.fonte.sublinhado) {
        // The underline spans a whole run: one run per text.
        p_.drawGlyphRun(base, f.corrida(e.texto));
    } else {
        f.acrescenta(e.texto, base, face.indices, face.posicoes);
    }
}

void PintorPaginas::pintaTraco(const Elemento& e) {
    QPen caneta(Qt::black);
    caneta.setWidthF(std::max(e.espessura, 0.05) * escala_);
    caneta.setCapStyle(Qt::SquareCap);
    caneta.setJoinStyle(Qt::MiterJoin);
    if (p_.pen() != caneta) p_.setPen(caneta);
    const double x = e.x * escala_, y = e.y * escala_;
    switch (e.tipo) {
        case Elemento::Tipo::LinhaH:
            p_.drawLine(QPointF(x, y), QPointF(x + e.largura * escala_, y));
            break;
        case Elemento::Tipo::LinhaV:
            p_.drawLine(QPointF(x, y), QPointF(x, y + e.altura * escala_));
            break;
        case Elemento::Tipo::Caixa:
            p_.drawRect(QRectF(x, y, e.largura * escala_, e.altura * escala_));
            break;
        case Elemento::Tipo::Texto:
            break;
    }
}

void PintorPaginas::pinta(const Pagina& pagina) {
    // Rules and boxes first, text over them.
    p_.setBrush(Qt::NoBrush);
    for (const Elemento& e : pagina.elementos)
        if (e.tipo != Elemento::Tipo::Texto) pintaTraco(e);
    p_.setPen(QPen(Qt::black));
    for (const Elemento& e : pagina.elementos)
        if (e.tipo == Elemento::Tipo::Texto) pintaTexto(e);
    for (auto& [chave, f] : faces_) {
        if (f.indices.isEmpty()) continue;
        p_.drawGlyphRun(QPointF(0, 0), f.face->corrida(f.indices, f.posicoes));
        f.indices.clear();
        f.posicoes.clear();
    }
}

void PintaPagina(QPainter& painter, const Pagina& pagina) {
    PintorPaginas pintor(painter);
    pintor.pinta(pagina);
}

QImage ImagemPagina(const Documento& documento, std::size_t indice, double dpi) {
    // Whole dots per inch, as the image keeps them: font sizes follow the
    // image's resolution and must agree with the millimetre scale.
    dpi = std::max(1.0, std::round(dpi));
    const double pxPorMm = dpi / MmPorPolegada;
    const int largura = std::max(1, static_cast<int>(std::lround(documento.largura * pxPorMm)));
    const int altura = std::max(1, static_cast<int>(std::lround(documento.altura * pxPorMm)));
    QImage imagem(largura, altura, QImage::Format_ARGB32_Premultiplied);
    const int pontosPorMetro = static_cast<int>(std::lround(dpi / MmPorPolegada * 1000.0));
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);
    imagem.fill(Qt::white);
    if (indice < documento.paginas.size()) {
        QPainter p(&imagem);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        PintorPaginas pintor(p, pxPorMm);
        pintor.pinta(documento.paginas[indice]);
    }
    return imagem;
}

}  // namespace korva
