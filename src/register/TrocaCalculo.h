#pragma once
// The exchange document of one calculation: a JSON object keyed by the names
// of the tables and fields — `Processo` (the row of Processo.DB) and the arrays
// `Partes` (C), `Arquivo1` (A), `Arquivo2` (B), `BasesINSS` (D),
// `BasesSalariais` (I), `Acrescimos` (E), `Juros` (H), `Jornada` (F) and
// `Cartao` (G); dates "dd/mm/yyyy", times of day and durations "hh:nn",
// booleans true/false, a card's `Situacao` "F" or "".
//
// The document never carries the local identity of the calculation: the
// fields Diretorio and Arquivo of `Processo` and the autoincrement `Codigo` of
// the rows are left out on export and ignored on import (the store numbers
// them again). Rows are written in the order they were stored, so an import
// stores them in that order and a new export gives the same document.
//
// Import goes through the register's insertion (fields absent from
// `Processo` keep the insertion values) and appends every row through its
// table's entry and store rules; the first refused row fails the whole import
// with "<Tabela>, linha N: <message>", and the calculation is then deleted
// with its file set, leaving the private database as it was.
#include <string>

#include <nlohmann/json.hpp>

#include "register/RegistroProcessos.h"

namespace korva {

class Banco;
class TabelasReferencia;

struct CalculoImportado {
    std::string processo;
    int codRecte = 0;
    int diretorio = 0;
    int arquivo = 0;
};

// The document of calculation (processo, codRecte); fails with ErroKorva when
// the register has no such calculation.
nlohmann::json ExportaCalculo(Banco& privado, const std::string& processo, int codRecte);

// Stores the calculation of the document as a new row of the register.
// Refuses a document whose lawsuit number and group already exist.
// `referencia` (the shared database) gives the holidays of the month rows' dates.
CalculoImportado ImportaCalculo(Banco& privado, TabelasReferencia& referencia, const AjustesRegistro& ajustes,
                                const nlohmann::json& documento,
                                RegistroProcessos::Hoje hoje = &Data::hoje);

// Positions the register's dataset on calculation (processo, codRecte);
// false when there is none.
bool LocalizaCalculo(Tabela& processos, const std::string& processo, int codRecte);

}  // namespace korva
