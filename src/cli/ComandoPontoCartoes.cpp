// "ponto gerar": the time cards of a schedule's period.
#include "cli/Contexto.h"

namespace korva::cli {

void RegistraPontoCartoes(CLI::App& ponto, Contexto& ctx) {}

}  // namespace korva::cli
