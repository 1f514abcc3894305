#pragma once
// Entry rules of a calculation's interest-variation table (H).
namespace korva {

class Tabela;

// `Forma` turned to capitals, only "S" (simple) or "C" (compound)
// ("Valor Inválido para o Campo!").
void AplicaRegrasJuros(Tabela& juros);

// The first column a new interest row puts the cursor in.
inline constexpr const char* PrimeiraColunaJuros = "Data";

}  // namespace korva
