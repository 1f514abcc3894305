#pragma once
// Filling a table from a delivered data file: which column feeds which field,
// the conversion of the text of each field to the field's type, and the rows
// appended one by one through a dataset (joining the database's transaction
// when one is open).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reference/LeitorCsv.h"
#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

class Banco;

struct CargaCsv {
    std::string arquivo;  // data file, "valores.csv"
    std::string tabela;   // table file, "Valores.DB"
    // Column of the file -> field of the table. When empty, every column names
    // a field of the table (without regard to case) and fills it.
    std::vector<std::pair<std::string, std::string>> colunas;
    // Fields that take the same value in every row.
    std::vector<std::pair<std::string, Valor>> fixos;
};

// The value of a field of the given type written as delivered text: empty text
// is an empty value; integers and numbers in plain decimal with a dot; flags as
// 0/1 (also true/false, S/N); dates as dd/mm/yyyy; texts as they are. Fails with
// ErroConversao (Portuguese text) on anything else, or on an integer out of the
// field's range.
Valor ConverteTextoCsv(const DefCampo& campo, std::string_view texto);

// Appends one row per line of the file to the table, with the table's own rules
// (required fields, text sizes, unique keys). Returns the number of rows. A
// failure names the file, the line and the cause (ErroDados); rows appended
// before it stay unless the caller's transaction is undone.
size_t CarregaTabelaCsv(Banco& banco, const CargaCsv& carga, const ArquivoCsv& csv);

}  // namespace korva
