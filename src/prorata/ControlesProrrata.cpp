#include "prorata/ControlesProrrata.h"

namespace korva {

HabilitacaoJuros RegraJuros(bool comJuros, bool constantes, int modo) {
    HabilitacaoJuros h;
    h.grupos = comJuros;
    h.valorJuros = comJuros && !constantes;
    h.variacoes = comJuros && modo == 2;
    return h;
}

std::optional<std::string> RecusaSairProcesso(int selecionados, bool registroOuParcelaEditando) {
    if (selecionados >= 2) return std::string(kMsgSelecioneUm);
    if (registroOuParcelaEditando) return std::string(kMsgMudarPagina);
    return std::nullopt;
}

std::optional<std::string> RecusaSairParametros(bool parametrosEditando) {
    if (parametrosEditando) return std::string(kMsgMudarPagina);
    return std::nullopt;
}

}  // namespace korva
