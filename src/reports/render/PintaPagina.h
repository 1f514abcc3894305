#pragma once
// Drawing laid-out pages on a QPainter: the PDF writer, the printer and the
// preview all go through here. The painter's origin must be the top-left
// corner of the sheet; millimetres are converted with the device's resolution,
// and font sizes in points follow that resolution too.
//
// Text runs are placed on their box's top line, aligned inside the box
// horizontally; a run wider than its box starts at the box's left edge (as in
// the plain-text output) and spills to the right unless the element clips.
// Tabs and line breaks inside a run print as blanks.
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <map>
#include <memory>
#include <tuple>

#include "reports/Pagina.h"
#include "reports/render/FaceTexto.h"

namespace korva {

// Keeps the faces of the runs already drawn, so a whole document is painted
// without building them again for every run. Rules and boxes go first, text
// over them; the plain runs of a page are gathered per face and drawn as one
// glyph run each (underlined and clipped runs one by one).
class PintorPaginas {
public:
    // `pxPorMm` 0 takes the scale from the painter's device.
    explicit PintorPaginas(QPainter& painter, double pxPorMm = 0);
    void pinta(const Pagina& pagina);

private:
    struct Face {
        std::unique_ptr<FaceTexto> face;
        // Glyphs of the page's plain runs of this face, drawn together.
        QList<quint32> indices;
        QList<QPointF> posicoes;
    };
    Face& face(const Fonte& fonte);
    void pintaTexto(const Elemento& e);
    void pintaTraco(const Elemento& e);

    QPainter& p_;
    double escala_;  // device pixels per millimetre
    std::map<std::tuple<long, bool, bool, bool>, Face> faces_;
};

// One page drawn on `painter`.
void PintaPagina(QPainter& painter, const Pagina& pagina);

// Page `indice` (0-based) of the document as a white sheet at `dpi`.
QImage ImagemPagina(const Documento& documento, std::size_t indice, double dpi);

}  // namespace korva
