#pragma once
// Numbers as the result reports print amounts and rates: first rounded to
// nine significant digits (or as many as asked), then to the decimals asked
// with halves away from zero, "." between thousands and "," before the decimals
// (1234567.891 gives "1.234.567,89"; -5 gives "-5,00").
//
// Rounding on the nine-digit decimal form, not on the binary value, keeps
// 1.005 at "1,01" as the user reads it. A value that rounds to zero shows no
// sign. Not-a-number and infinities give "NAN", "INF" and "-INF".
#include <string>

namespace korva {

// `casas` is clamped to 0..15. `significativos` (clamped to 1..17) is the
// number of significant digits kept before the decimals are cut; the
// default of nine is the result reports' form. Amounts that must stay whole
// to the cent from ten million up ask for fifteen.
std::string FormataNumero(double valor, int casas = 2, int significativos = 9);

}  // namespace korva
