#pragma once
// Rounding of amounts.

namespace korva {

// Rounding to cents: trunc(x / 0.01 + 0.5) * 0.01. Not symmetric for negative
// amounts: -1.237 gives -1.23.
double ArredondaCentavos(double x);

// Rounding to four decimals with ties to even, used for the money sums that
// are kept with four decimals.
double Arredonda4(double x);

}  // namespace korva
