#include "cli/Contexto.h"

namespace korva::cli {

void RegistraAtualizacao(CLI::App& tabelas, Contexto& ctx) {}

}  // namespace korva::cli
