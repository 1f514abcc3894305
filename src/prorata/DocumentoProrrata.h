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
// replace the default additions (an empty list: none); when absent or null
// the defaults are copied. A refused value names its place: "Prorrata.Campo:
// ...", "Parcelas[2].Data: ..." (rows counted from 1), "Lista[n]: ..." for a
// refusal of the whole row. Fields left out keep the values of a new record;
// Codigo and the child rows' Prorrata are ignored. Returns the new Codigo.
int ImportaProrrata(Banco& privado, const AjustesRegistro& ajustes, const nlohmann::json& documento,
                    Data hoje = Data::hoje());

}  // namespace korva
