#include "reports/render/FaceTexto.h"

#include <QString>

#include "reports/render/FontesRelatorio.h"

namespace korva {

namespace {

// Next code point of UTF-8 text; malformed bytes read as U+FFFD.
char32_t Proximo(std::string_view s, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (n < 0) return 0xFFFD;
    char32_t r = c & (0x3F >> n);
    for (; n > 0; --n) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        r = (r << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return r;
}

}  // namespace

FaceTexto::FaceTexto(const Fonte& fonte, double pixelsPorPonto) : sublinhado_(fonte.sublinhado) {
    const double pixels = (fonte.tamanho > 0 ? fonte.tamanho : 10.0) * pixelsPorPonto;
    // Taken from the face registered with the font database (not straight
    // from the file), so the PDF writer knows its file and embeds it.
    fonte_ = QRawFont::fromFont(FonteQt(fonte));
    fonte_.setPixelSize(pixels);
    ascendente_ = fonte_.ascent();
    alturaLinha_ = fonte_.ascent() + fonte_.descent() + fonte_.leading();
}

const FaceTexto::Glifo& FaceTexto::glifo(char32_t c) {
    if (c == U'\t' || c == U'\n' || c == U'\r') c = U' ';
    Glifo* g;
    if (c < latinos_.size()) {
        g = &latinos_[c];
    } else {
        g = &outros_[c];
    }
    if (!g->pronto) {
        const QString s = QString::fromUcs4(&c, 1);
        const QList<quint32> indices = fonte_.glyphIndexesForString(s);
        g->indice = indices.isEmpty() ? 0 : indices.front();
        const QList<QPointF> avancos =
            fonte_.advancesForGlyphIndexes(QList<quint32>{g->indice}, QRawFont::UseDesignMetrics);
        g->avanco = avancos.isEmpty() ? 0 : avancos.front().x();
        g->pronto = true;
    }
    return *g;
}

double FaceTexto::largura(std::string_view utf8) {
    double w = 0;
    for (size_t i = 0; i < utf8.size();) w += glifo(Proximo(utf8, i)).avanco;
    return w;
}

void FaceTexto::acrescenta(std::string_view utf8, QPointF origem, QList<quint32>& indices,
                           QList<QPointF>& posicoes) {
    double x = origem.x();
    for (size_t i = 0; i < utf8.size();) {
        const Glifo& g = glifo(Proximo(utf8, i));
        indices.push_back(g.indice);
        posicoes.push_back(QPointF(x, origem.y()));
        x += g.avanco;
    }
}

QGlyphRun FaceTexto::corrida(const QList<quint32>& indices, const QList<QPointF>& posicoes) const {
    QGlyphRun run;
    run.setRawFont(fonte_);
    run.setGlyphIndexes(indices);
    run.setPositions(posicoes);
    run.setUnderline(sublinhado_);
    return run;
}

QGlyphRun FaceTexto::corrida(std::string_view utf8) {
    indices_.clear();
    posicoes_.clear();
    double x = 0;
    for (size_t i = 0; i < utf8.size();) {
        const Glifo& g = glifo(Proximo(utf8, i));
        indices_.push_back(g.indice);
        posicoes_.push_back(QPointF(x, 0));
        x += g.avanco;
    }
    QGlyphRun run;
    run.setRawFont(fonte_);
    run.setGlyphIndexes(indices_);
    run.setPositions(posicoes_);
    run.setUnderline(sublinhado_);
    return run;
}

}  // namespace korva
