// Golden comparisons of plain-text reports: the run of blank lines between a
// short body and the page footer is folded into one "[...]" line, so the
// models stay readable while every printed line is still compared. Also the
// check that nothing is laid out beyond the printable width.
#pragma once
#include <string>

#include "reports/TextoPlano.h"

namespace korva::teste {

// The text grid of the 8 pt body font of the short reports.
inline const GradeTexto kGradeCorpo{1.68, 3.36};

inline std::string DobraBrancos(const std::string& texto) {
    std::string r, linha;
    int brancos = 0;
    auto fecha = [&] {
        if (brancos >= 3)
            r += "[...]\n";
        else
            r.append(static_cast<size_t>(brancos), '\n');
        brancos = 0;
    };
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '\n') {
            linha += texto[i];
            continue;
        }
        if (linha.empty()) {
            ++brancos;
        } else {
            fecha();
            r += linha + "\n";
            linha.clear();
        }
    }
    fecha();
    return r + linha;
}

// Elements whose box ends beyond the right margin.
inline int ForaDaLargura(const Documento& d) {
    int fora = 0;
    for (const Pagina& p : d.paginas)
        for (const Elemento& e : p.elementos)
            if (e.x + e.largura > d.largura - d.margens.direita + 1e-6) ++fora;
    return fora;
}

}  // namespace korva::teste
