#pragma once
// The rows a new installation receives: reference tables, code lists, the
// pay-item catalogue and the lawsuit defaults, from the files of data/ that
// are built into the program.
#include <functional>
#include <string>
#include <vector>

namespace korva {

class Banco;

// Fills the freshly created tables of both databases from the built-in data
// files (reference/DadosEmbutidos.h), each database in one transaction: all of
// its tables receive their rows or, on any failure, none does, and the failure
// is raised as ErroDados naming the database, the file and the line. A table
// that already holds rows is left as it is, so a first start stopped half-way
// can simply run again. `progresso` receives a line per table loaded.
void CarregaDadosEntregues(Banco& privado, Banco& compartilhado,
                           const std::function<void(const std::string&)>& progresso = {});

// A private database made before some fixed tables existed: creates each
// missing fixed table and gives the ones just created their delivered rows
// (tables already there are never touched). All in one transaction. Returns
// the tables created.
std::vector<std::string> CompletaTabelasPrivadas(Banco& privado);

}  // namespace korva
