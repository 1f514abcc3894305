// "prorrata atualizar".
#include "cli/Contexto.h"

namespace korva::cli {

void RegistraProrrataAtualizar(CLI::App& prorrata, Contexto& ctx) {}

}  // namespace korva::cli
