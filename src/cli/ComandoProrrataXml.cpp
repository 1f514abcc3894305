// "prorrata importar-xml".
#include "cli/Contexto.h"

namespace korva::cli {

void RegistraProrrataXml(CLI::App& prorrata, Contexto& ctx) {}

}  // namespace korva::cli
