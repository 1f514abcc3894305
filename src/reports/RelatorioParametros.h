#pragma once
// The parameters-by-period report ("Parâmetros passados por Período"): the
// rows the user entered in the calculation's period table (letter A), ordered
// by year, month and item, under the claimants of the calculation.
#include <string>
#include <vector>

#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"

namespace korva {

class Banco;

// One row, every column already formatted; empty fields give "".
struct LinhaParametroPeriodo {
    std::string verba;    // "15-Horas extras", or "15-*** ERRO! Rendimento não Encontrado! ***"
    std::string periodo;  // "01/99 a 12/01"
    std::string valor, qtde, indice, divisor;
    std::string base, vfm, media;
    std::string periodoMedia;  // blank without MMes1
};

struct DadosParametros {
    std::vector<std::string> reclamantes;  // TipoParte < 3, in code order
    std::vector<LinhaParametroPeriodo> linhas;
};

inline constexpr const char* kTituloParametros = "Parâmetros passados por Período";
inline constexpr const char* kVerbaNaoEncontrada = "*** ERRO! Rendimento não Encontrado! ***";

// mm/yy of both ends: month and year zero-padded to two and four digits, then
// the year's last two digits ("01/99 a 12/01").
std::string TextoPeriodo(int mes1, int ano1, int mes2, int ano2);

// Reads tables A and C of the calculation and the catalogue. Fails with
// "Não foram inseridos os parâmetros de cálculo!" when table A has no rows.
DadosParametros LeParametrosPeriodo(Banco& privado, const ParametrosExecucao& p);

// Portrait A4: the common heading, "Reclamante(s):" with the names, the
// column titles (repeated at the top of later pages) and one line per row;
// footer with `versao` and "Pág.: n/N".
Documento DiagramaParametros(const DadosParametros& dados, const CabecalhoRelatorio& cab,
                             const std::string& versao, const Medidor& m);

}  // namespace korva
