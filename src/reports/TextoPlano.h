#pragma once
// Plain-text rendering of laid-out pages, for tests and the command line.
//
// Each page becomes a grid of characters over its printable area (inside the
// margins): one column is `mmPorColuna` wide and one row `mmPorLinha` tall
// (2.1 mm and 4.2 mm by default, the pitch of MedidorFixo at 10 pt, so a
// 10 pt report maps one character to one cell). A text run starts at the row
// nearest its top and is aligned inside its box rounded to whole columns;
// runs that do not fit their box spill to the right unless clipped, and
// anything beyond the printable area is cut. Horizontal rules are drawn with
// '-', vertical rules with '|', box corners with '+'; text is written over
// rules. Styles (bold, italic, underline) and font sizes do not show.
// Every page starts with the line "----- Pág. n -----"; trailing blanks of
// each line and blank lines at the foot of each page are dropped, so the
// output is stable for whole-report comparisons.
#include <string>

#include "reports/Pagina.h"

namespace korva {

struct GradeTexto {
    double mmPorColuna = 2.1;
    double mmPorLinha = 4.2;
};

std::string TextoPlano(const Documento& documento, const GradeTexto& grade = {});

// The grid of the document's body font: the pitch of MedidorFixo at the font
// size most text runs use, so a report laid out with MedidorFixo in a small
// font still maps one character to one cell.
GradeTexto GradeDoDocumento(const Documento& documento);

}  // namespace korva
