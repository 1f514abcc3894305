#pragma once
// The catalogue report ("Relação de Verbas"): every pay item in code order,
// one line each, under the court name, the title and the current date.
#include <string>
#include <vector>

#include "parameters/RelatorioVerbas.h"
#include "reports/Relatorio.h"
#include "util/Data.h"

namespace korva {

class Banco;
class TabelasReferencia;

// Portrait A4; footer with `versao` and "Pág.: n/N". An empty catalogue gives
// a document with no page at all (nothing to print, not a blank sheet).
Documento DiagramaCatalogo(const std::vector<LinhaRelatorioVerbas>& linhas, const std::string& tribunal, Data hoje,
                           const std::string& versao, const Medidor& m);

// Reads the catalogue (LinhasRelatorioVerbas) and lays it out.
Documento ProduzCatalogo(Banco& privado, TabelasReferencia& referencia, const std::string& tribunal, Data hoje,
                         const std::string& versao, const Medidor& m);

}  // namespace korva
