#pragma once
// The workbook of a pro-rata statement: one sheet, "Atualização", with the
// statement's blocks as rows (heading, opening block, each instalment, the
// additions with their formulas as text, FGTS and the total). Amounts are
// numeric cells; each block's total and the grand total are spreadsheet
// formulas over the rows, with the statement's figures cached. The file is
// written whole or not at all (GravaSubstituindo).
#include <filesystem>

#include "prorata/ExtratoProrrata.h"

namespace korva {

class Sessao;

inline constexpr const char* kFolhaProrrata = "Atualização";

struct ExportacaoProrrata {
    int linhas = 0;  // rows written
    double total = 0;
};

// Writes the statement `e` of the record `d` to `destino`.
ExportacaoProrrata GravaPlanilhaProrrata(const DadosProrrata& d, const ExtratoProrrata& e,
                                         const std::filesystem::path& destino);

// Reads the record `codigo`, computes its statement with the session's daily
// indices and interest and writes the workbook. A name that does not end in
// ".xlsx", a destination that cannot be replaced, a missing record or index
// fail before anything is written.
ExportacaoProrrata ExportaPlanilhaProrrata(Sessao& sessao, int codigo, const std::filesystem::path& destino);

}  // namespace korva
