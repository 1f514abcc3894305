#pragma once
// The lines of the catalogue report ("Relação de Verbas"): every item in code
// order, with its columns already formatted for printing.
#include <string>
#include <vector>

namespace korva {

class Banco;
class TabelasReferencia;

struct LinhaRelatorioVerbas {
    std::string verba;    // "012-Diferenças salariais"
    std::string indice;   // "##0.0000"
    std::string divisor;  // "##0.00"
    std::string base;     // three digits; empty without a base
    std::string inss;
    std::string baseIR;   // Descricao of the item's BasesIR.db category
    std::string qtde;     // "#,##0.0000"
};

inline constexpr const char* kTituloRelatorioVerbas = "Relação de Verbas";

// No lines for an empty catalogue: the report then prints no page at all.
std::vector<LinhaRelatorioVerbas> LinhasRelatorioVerbas(Banco& privado, TabelasReferencia& referencia);

// A number with fixed decimals, decimal comma and, when asked, thousands
// points ("1.234,5000"); an empty value gives "".
std::string FormataNumeroVerba(double valor, int casas, bool milhar);

}  // namespace korva
