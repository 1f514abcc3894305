#pragma once
// The currency in force on a date, as the prefix printed before amounts.
#include <string>

#include "util/Data.h"

namespace korva {

// "CR$ ", "CZ$ ", "NCZ$ ", "CR$ " or "R$ ", trailing blank included; each
// cut-over date already belongs to the new currency.
std::string SimboloMoeda(Data data);

}  // namespace korva
