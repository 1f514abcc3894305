#include "register/OpcoesProcesso.h"

#include "storage/Tabela.h"

namespace korva {

bool ContribuicaoReclamanteHabilitada(const Tabela& t) { return t.valor("AliquotaUnica").comoLogico(); }

bool IRSobreJurosHabilitado(const Tabela& t) {
    const Valor& v = t.valor("OpcaoIR");
    return v.nulo() || v.comoInteiro() != 1;
}

bool FeriadosHabilitados(const Tabela& t) {
    const Valor& v = t.valor("DataBasePadrao");
    if (v.nulo()) return false;
    const auto codigo = v.comoInteiro();
    return codigo == 0 || codigo == 5 || codigo == 10;
}

std::vector<std::string> ExplicacaoJuros(int modo, bool paraPadroes) {
    switch (modo) {
        case JurosLegais:
            return {"Observar variação legal dos juros:", "0,5 % Simples até 26/02/1987",
                    "1,0 % Capitalizado até 03/03/1991", "1,0 % Simples a partir de 04/03/1991"};
        case LimitarJuros:
            return {"Observar variação legal dos juros para ações envolvendo Estado, União ou Município:",
                    "0,5% Simples até 26/02/1987", "1,0% Capitalizado até 03/03/1991", "1,0% Simples até 26/08/2001",
                    "0,5% Simples a partir de 27/08/2001"};
        case InformarVariacao:
            return {paraPadroes ? "Informe na tabela própria a variação a ser observada para o cálculo dos juros"
                                : "Informe na tabela ao lado a variação a ser observada para o cálculo dos juros"};
        default:
            return {};
    }
}

}  // namespace korva
