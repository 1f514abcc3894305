#include "util/Dinheiro.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korva {

double ArredondaCentavos(double x) { return std::trunc(x / 0.01 + 0.5) * 0.01; }

double Arredonda4(double x) {
    // Scale, then round half to even. A tie is decided on the decimal value the
    // user sees: 0.00005 counts as a tie even though its binary form is not.
    const double escalado = x * 10000.0;
    const double base = std::floor(escalado);
    const double resto = escalado - base;
    // Tolerance of a few units in the last place of the scaled value.
    const double eps = std::max(1e-9, std::fabs(escalado) * 8 * std::numeric_limits<double>::epsilon());
    double r;
    if (std::fabs(resto - 0.5) < eps)
        r = std::fmod(base, 2.0) == 0.0 ? base : base + 1.0;
    else
        r = std::round(escalado);
    return r / 10000.0;
}

}  // namespace korva
