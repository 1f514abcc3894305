#pragma once
// A daily correction series built from monthly rates.
//
// Rule: the series is 1.0 on the first day of the first month. For a month
// whose rate is p percent and which has n days, with I the value on its first
// day, day d of the month (1..n) takes I x (1 + p/100)^((d-1)/n): the monthly
// factor applied pro rata die, compounded within the month. The first day of
// the next month takes I x (1 + p/100), so every first of a month holds the
// product of the factors of the months before it. The last value is that of
// the first day after the last month with a rate.
#include <vector>

#include "util/Data.h"

namespace korva {

struct TaxaMensal {
    int ano = 0;
    int mes = 0;
    double percentual = 0;  // percent per month; -1.5 means a fall of 1.5 %
};

struct ValorDiario {
    Data data;
    double indice = 0;
};

// One value per calendar day, from the first day of the first month to the
// first day after the last one. The months must follow each other without a
// gap and every factor must be positive (rate above -100 %); otherwise fails
// with ErroDados naming the month. No rates give no values.
std::vector<ValorDiario> MontaSerieDiaria(const std::vector<TaxaMensal>& taxas);

}  // namespace korva
