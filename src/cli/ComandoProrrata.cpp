// "prorrata importar, exportar, listar, excluir and de-calculo".
#include "cli/Contexto.h"

namespace korva::cli {

void RegistraProrrataRegistros(CLI::App& prorrata, Contexto& ctx) {}

}  // namespace korva::cli
