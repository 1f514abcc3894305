#pragma once
// The rows a new installation receives: reference tables, code lists, the
// pay-item catalogue and the lawsuit defaults, from the files of data/ that
// are built into the program.
#include <functional>
#include <string>

namespace korva {

class Banco;

// Fills the freshly created tables of both databases, each database in one
// transaction. `progresso` receives a line per table.
void CarregaDadosEntregues(Banco& privado, Banco& compartilhado,
                           const std::function<void(const std::string&)>& progresso = {});

}  // namespace korva
