#pragma once
// Columns of a tabular report defined once: the band of column titles and the
// detail band are built from the same list, so titles and values stay aligned
// when a column is added or widened.
#include <string>
#include <vector>

#include "reports/Relatorio.h"

namespace korva {

struct Coluna {
    std::string titulo;  // "\n" splits a title over several lines
    double largura = 0;  // mm
    Alinhamento alinhamento = Alinhamento::Esquerda;
    ValorTexto valor;                             // the cell of the current record
    std::function<Fonte(const Contexto&)> estilo; // optional per-record font (italic, underline)
    // A value too wide for the column is drawn in a smaller font, down to
    // this fraction of the column's font, instead of being cut (0: cut).
    double reducaoMinima = 0;
};

// Columns sit side by side from `x` (mm from the left margin) with `espaco`
// mm between them. Cells are clipped to their column.
struct GradeColunas {
    std::vector<Coluna> colunas;
    double x = 0;
    double espaco = 1.0;

    // Left edge of column `i` (mm from the left margin).
    double inicio(size_t i) const;
    // Titles, one line of `fonte` per title line, as tall as the longest title.
    Banda BandaTitulos(const Fonte& fonte, const Medidor& medidor) const;
    // One line of values `altura` mm tall. Columns with `reducaoMinima` need
    // the measurer to fit their values.
    Banda BandaValores(double altura, const Fonte& fonte, const Medidor* medidor = nullptr) const;
    // Widens every column of a set width that is narrower than its title in
    // `fonte` (each line of it); returns the millimetres added in all, which
    // the caller takes from a column that can give them.
    double AlargaAosTitulos(const Fonte& fonte, const Medidor& medidor);
};

}  // namespace korva
