#pragma once
// What an item code means by itself: the basic items, the families of ten
// with their due / paid / difference members, the result items and the
// codes the monthly calculation and the results treat apart.
#include <string>

namespace korva {

// Codes valued from reference data or from the month's bases.
inline constexpr int VerbaSalarioMinimo = 1;
inline constexpr int VerbaSalarioValor = 2;
inline constexpr int VerbaSalarioNormativo = 3;
inline constexpr int VerbaBasesSalariais = 4;
inline constexpr int VerbaSalarioFamilia2 = 997;
inline constexpr int VerbaSalarioFamilia1 = 998;
inline constexpr int VerbaValeTransporte = 999;
// FGTS items (corrected with the FGTS index) and unemployment-insurance items.
inline constexpr int VerbaFGTS = 902;
inline constexpr int VerbaMultaFGTS = 903;
inline constexpr int VerbaSeguroDesemprego = 892;
inline constexpr int VerbaSeguroDesemprego2 = 893;

inline constexpr int VerbaMinima = 1;
inline constexpr int VerbaMaxima = 999;

// 1..999.
bool CodigoVerbaValido(int codigo);
// 1..9: bases of other items; never corrected, no interest, never in the result.
bool EhItemBasico(int codigo);
// Above 9 with last digit 2..9: corrected, given interest and summed.
bool EhItemResultado(int codigo);
// Above 9 with last digit 0 (due) or 1 (paid).
bool EhItemDevido(int codigo);
bool EhItemPago(int codigo);
// Above 9 with last digit 2: due minus paid, made by the monthly calculation.
bool EhItemDiferenca(int codigo);
// Rows of a due item carry the option Diferenca ("Z" / "C").
bool TemOpcaoDiferenca(int codigo);
// First code of the item's family (10 for 10..19); 0 for a basic or invalid code.
int FamiliaDe(int codigo);
// The family's due, paid and difference codes; 0 when the code has no family.
int ItemDevido(int codigo);
int ItemPago(int codigo);
int ItemDiferenca(int codigo);
bool EhItemFGTS(int codigo);
bool EhItemSeguroDesemprego(int codigo);
// Valued from reference data or the salary bases (1, 2, 3, 4, 997, 998, 999).
bool EhItemValorado(int codigo);

// The code with three digits ("007").
std::string CodigoTresDigitos(int codigo);

}  // namespace korva
