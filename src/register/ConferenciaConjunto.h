#pragma once
// Before a reader goes over a whole calculation (its exchange document, for
// one), the tables of its file set it relies on are checked, so a missing or
// unreadable table is a failure and not an empty list.
#include <string_view>

namespace korva {

class Banco;

// Letters of the file set every stored calculation has: storing a new
// calculation creates them, and only damage takes them away.
inline constexpr std::string_view kLetrasSempreNoConjunto = "ABC";

// Opens each table of `letras` of calculation (diretorio, arquivo) for
// reading. A table of kLetrasSempreNoConjunto that is missing, and any table
// whose name is taken by something that is not a readable table (a folder, a
// damaged file, a broken link), fails with the table store's own error
// ("Tabela não encontrada: ...", "Tabela corrompida ou não é uma tabela...").
// An optional table (D to I) that was never created passes.
void ConfereTabelasConjunto(Banco& privado, int diretorio, int arquivo, std::string_view letras);

}  // namespace korva
