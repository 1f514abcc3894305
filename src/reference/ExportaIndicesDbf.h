#pragma once
// Export of one daily series to the dBase table "Indices.dbf" in the shared
// database's folder, for the programs that read the indices in that format.
//
// The table has the fields DATA (date) and INDICE (number with ten
// decimals) and holds only the exported series: every row of the series in
// date order with its stored Indice. The new table is written under a
// temporary name in the same folder and then put in the place of the old
// one, so a failure on the way leaves the previous Indices.dbf whole (or no
// table, when there was none) and never a half-written one.
#include <cstddef>
#include <filesystem>

namespace korva {

class Banco;

inline constexpr const char* kArquivoIndicesDbf = "Indices.dbf";

// Writes the series `codIndice` of Diario.DB of `compartilhado` to
// `destino` (by default Indices.dbf in the database's folder) and returns
// the number of rows written. Fails with ErroBanco (input/output code) when
// the file cannot be written or replaced, or when an index does not fit the
// field.
size_t ExportaIndicesDbf(Banco& compartilhado, int codIndice, const std::filesystem::path& destino = {});

}  // namespace korva
