#pragma once
// The values a field can hold for a calculation to mean anything: integer
// fields within the range of their type, amounts within ±1e12, rates in
// percent within ±1000, dates from 1900 to 2100 (or the zero date of an
// empty one), no infinities or NaN.
// Checked for every row a dataset stores, so windows, imports and downloaded
// tables are held to the same limits.
#include <string>
#include <vector>

#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

inline constexpr double kMaiorValor = 1e12;
inline constexpr double kMaiorPercentual = 1000;

// True for the fields that hold a rate in percent ("Percentual1", "Taxa", "INSSRisco"...).
bool CampoDePercentual(const std::string& nome);

// Fails with an engine error of the minimum / maximum validity check that
// names the table and the field, for the first value out of its range.
void ConfereFaixas(const DefTabela& def, const std::vector<Valor>& valores, const std::string& tabela);

}  // namespace korva
