#pragma once
// The daily-index factor a report asks for: Indice(ate) / Indice(de) of the
// daily series of an index code. Bound to CorrecaoJuros::FatorIndiceDiario in
// the program, to plain functions in tests.
#include <functional>

#include "util/Data.h"

namespace korva {

using FatorDiario = std::function<double(int codIndice, Data de, Data ate)>;

}  // namespace korva
