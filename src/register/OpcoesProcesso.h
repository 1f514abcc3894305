#pragma once
// Rules of a lawsuit's options that depend on the row, shared by the register
// and the defaults dialog: which fields are enabled and the explanation of the
// interest mode.
#include <string>
#include <vector>

namespace korva {

class Tabela;

// Interest modes (`CalculoJuros`).
enum ModoJuros { JurosLegais = 0, LimitarJuros = 1, InformarVariacao = 2 };

// The claimant's rate is entered only with the single rate ("Alíquota Única").
bool ContribuicaoReclamanteHabilitada(const Tabela& t);
// "Calcular o IR sobre os Juros" unless "Não calcular" (OpcaoIR 1).
bool IRSobreJurosHabilitado(const Tabela& t);
// The holiday options only while `DataBasePadrao` is 0, 5 or 10.
bool FeriadosHabilitados(const Tabela& t);

// The explanation beside the interest options, line by line. The defaults
// dialog words mode 2 differently (`paraPadroes`). Other modes: no lines.
std::vector<std::string> ExplicacaoJuros(int modo, bool paraPadroes = false);

}  // namespace korva
