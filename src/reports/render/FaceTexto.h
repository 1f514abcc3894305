#pragma once
// One face of the report font at one size, for measuring and drawing text
// runs without shaping: every character maps to one glyph of the DejaVu file
// and advances by that glyph's design width, with no kerning or ligatures.
// Report text is plain Latin text, and this keeps measuring and drawing in
// exact agreement and fast enough for reports of hundreds of pages.
// Glyphs and advances are looked up once per character.
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <string_view>
#include <unordered_map>

#include "reports/Pagina.h"

namespace korva {

class FaceTexto {
public:
    // `pixelsPorPonto`: device pixels per typographic point (dpi / 72).
    FaceTexto(const Fonte& fonte, double pixelsPorPonto);

    double largura(std::string_view utf8);  // pixels
    double ascendente() const { return ascendente_; }
    double alturaLinha() const { return alturaLinha_; }  // ascent + descent + leading, pixels
    // The glyph run of `utf8` starting at the origin on the baseline. Tabs
    // and line breaks print as blanks.
    QGlyphRun corrida(std::string_view utf8);
    // Adds the glyphs of `utf8` with its baseline starting at `origem`, so
    // many runs of this face can be drawn as one (faster on the PDF writer).
    void acrescenta(std::string_view utf8, QPointF origem, QList<quint32>& indices, QList<QPointF>& posicoes);
    // A run of glyphs gathered with `acrescenta`, drawn at the origin.
    QGlyphRun corrida(const QList<quint32>& indices, const QList<QPointF>& posicoes) const;

private:
    struct Glifo {
        quint32 indice = 0;
        double avanco = 0;
        bool pronto = false;
    };
    const Glifo& glifo(char32_t c);

    QRawFont fonte_;
    bool sublinhado_ = false;
    double ascendente_ = 0, alturaLinha_ = 0;
    std::array<Glifo, 256> latinos_{};
    std::unordered_map<char32_t, Glifo> outros_;
    QList<quint32> indices_;
    QList<QPointF> posicoes_;
};

}  // namespace korva
