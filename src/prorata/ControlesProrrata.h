#pragma once
// Which controls of the pro-rata window and its defaults dialog are enabled,
// and when a page change is refused: rules that depend only on the state of
// the data, so the windows ask here.
#include <optional>
#include <string>

namespace korva {

inline constexpr const char* kMsgMudarPagina = "Antes de mudar de página, cancele ou confirme a operação";
inline constexpr const char* kMsgSelecioneUm = "Selecione apenas um processo para manipular os parâmetros";

// The interest controls: the two radio groups follow "Calcular Juros";
// "Juros:" also needs 'Regressivos'; the variations and "Juros Legais" also
// need 'Informar variação' (mode 2).
struct HabilitacaoJuros {
    bool grupos = false;
    bool valorJuros = false;
    bool variacoes = false;
};
HabilitacaoJuros RegraJuros(bool comJuros, bool constantes, int modo);

// "&Buscar Processo" only while fewer than two rows are selected.
inline bool BuscarHabilitado(int selecionados) { return selecionados < 2; }

// Leaving "Pr&ocesso": refused with kMsgSelecioneUm while two or more rows
// are selected, and with kMsgMudarPagina while the record or an instalment
// is being edited. No message: allowed.
std::optional<std::string> RecusaSairProcesso(int selecionados, bool registroOuParcelaEditando);
// Leaving "&Parâmetros": kMsgMudarPagina while the record, a variation or an
// addition is being edited.
std::optional<std::string> RecusaSairParametros(bool parametrosEditando);

}  // namespace korva
