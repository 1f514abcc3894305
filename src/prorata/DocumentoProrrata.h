#pragma once
// The exchange document of one pro-rata record:
//   {"Prorrata": {the fields of Prorrata.db but Codigo},
//    "Parcelas": [{"Data", "Valor"}],
//    "JurosProrrata": [{"Data", "Juros", "Forma"}],
//    "AcrescProrrata": [{"Descricao", "Valor", "Tipo", "DtBase", "Totalizar"}]}
// with dates "dd/mm/yyyy".
#include <nlohmann/json.hpp>

#include "register/RegistroProcessos.h"
#include "util/Data.h"

namespace korva {

class Banco;

// The document of the record `codigo`; fails when there is none.
nlohmann::json ExportaProrrata(Banco& privado, int codigo);

// Stores the document as a new record through the rules of a new record, all
// or nothing (one transaction). When "AcrescProrrata" is present its rows
// replace the default additions; when absent the defaults are copied. A
// refused value names its field (and row of its list). Returns the new Codigo.
int ImportaProrrata(Banco& privado, const AjustesRegistro& ajustes, const nlohmann::json& documento,
                    Data hoje = Data::hoje());

}  // namespace korva
