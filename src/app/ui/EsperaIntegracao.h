#pragma once
// Runs a companion program through its one-line script and waits for it with
// the busy cursor, keeping the windows painted meanwhile.
#include <string>

namespace korva::ui {

// See ExecutaIntegracao: the same arguments and errors, the exit code returned.
int ExecutaIntegracaoComEspera(const std::string& programa, const std::string& linhaDeComando,
                               const std::string& arquivoLote);

}  // namespace korva::ui
