#include "cli/Contexto.h"

namespace korva::cli {

void RegistraExportacao(CLI::App& tabelas, Contexto& ctx) {}

}  // namespace korva::cli
