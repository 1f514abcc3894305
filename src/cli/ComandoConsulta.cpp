#include "cli/Contexto.h"

namespace korva::cli {

void RegistraConsulta(CLI::App& app, Contexto& ctx) {}

}  // namespace korva::cli
