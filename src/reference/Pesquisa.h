#pragma once
// How a typed text is matched against a field in the searches of the lists:
// at the start of the field, anywhere in it, or at its end. Both sides are
// compared in capitals (Latin-1 rules).
#include <string_view>

namespace korva {

enum class OpcaoPesquisa {
    Inicio,         // "No início do campo"
    QualquerParte,  // "Em qualquer parte do campo" (the option at start-up)
    Final,          // "No final do campo"
};

// True when `valor` holds `texto` as the option says. The text is trimmed;
// an empty text matches every value.
bool PassaPesquisa(std::string_view valor, std::string_view texto, OpcaoPesquisa opcao);

}  // namespace korva
