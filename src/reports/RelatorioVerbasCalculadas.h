#pragma once
// The calculated-items report ("Relação das Verbas Calculadas"): for each
// result item of the calculation's month grid, its total corrected to the
// base date without interest.
#include <string>
#include <vector>

#include "reports/FatorDiario.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"

namespace korva {

class Banco;
class CorrecaoJuros;

struct VerbaCalculada {
    int item = 0;
    std::string verba;  // "015-Horas extras", or "015-ERRO! Rendimento não Encontrado! ***"
    double total = 0;   // sum of Arredonda4(Valor) x factor of the row's DtBase to the base date
};

inline constexpr const char* kTituloVerbasCalculadas = "Relação das Verbas Calculadas";
inline constexpr const char* kVerbaCalculadaNaoEncontrada = "ERRO! Rendimento não Encontrado! ***";

// The result items of table B (codes above 9 whose last digit is 2 to 9) in
// ascending order. Items 902 and 903 are corrected with the FGTS index, the
// others with the principal index. A missing daily index fails with the
// factor's message.
std::vector<VerbaCalculada> CalculaVerbasCalculadas(Banco& privado, const ParametrosExecucao& p,
                                                    const FatorDiario& fator);

// Portrait A4: the common heading, the column titles on every page and one
// line per item (none when there are no result items); footer with `versao`
// and "Pág.: n/N".
Documento DiagramaVerbasCalculadas(const std::vector<VerbaCalculada>& verbas, const CabecalhoRelatorio& cab,
                                   const std::string& versao, const Medidor& m);

// Works the items out with the daily factors of `correcao` and lays them out.
Documento ProduzVerbasCalculadas(Banco& privado, CorrecaoJuros& correcao, const ParametrosExecucao& p,
                                 const CabecalhoRelatorio& cab, const std::string& versao, const Medidor& m);

}  // namespace korva
