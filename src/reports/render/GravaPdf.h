#pragma once
// A laid-out document written as a PDF file: A4 in the document's
// orientation, no printer margins (the pages carry their own), DejaVu Sans
// embedded. Fails with ErroES when the file cannot be written.
#include <string>

#include "reports/Pagina.h"

namespace korva {

struct OpcoesPdf {
    int dpi = 300;           // 300 or 1200
    std::string titulo;      // document title in the PDF's information
};

void GravaPdf(const Documento& documento, const std::string& caminho, const OpcoesPdf& opcoes = {});

}  // namespace korva
