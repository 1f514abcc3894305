#pragma once
// The exchange document of the pay-item catalogue: a JSON object with the
// arrays `Rendimen` (the items) and `Reflexos` (their repercussion list), one
// object per row keyed by the tables' field names, rows in key order (Codigo;
// Base and Reflexo).
//
// An import replaces the user items and the whole repercussion list with the
// document's, through the catalogue's own rules (Catalogo), as the window
// would: a user item of the document is added as a new item (its description
// written as the window writes it), and a row whose code is a system item of
// this installation edits that item — its code, description and type are
// protected, its defaults take the document's values. System items the
// document leaves out stay as they are; a system item is never removed.
// Everything is one transaction: the first refused row fails the import with
// "Rendimen, linha N: Campo: message" (or "Reflexos, ...") and the catalogue
// stays as it was.
#include <nlohmann/json.hpp>

namespace korva {

class Banco;
class TabelasReferencia;

struct VerbasImportadas {
    int usuario = 0;   // user items stored
    int sistema = 0;   // system items the document's rows were applied to
    int reflexos = 0;  // repercussion rows stored
};

nlohmann::json ExportaVerbas(Banco& privado);

// `referencia` reads BasesIR.db of the shared database (the items' IR).
VerbasImportadas ImportaVerbas(Banco& privado, TabelasReferencia& referencia, const nlohmann::json& documento);

}  // namespace korva
