#pragma once
// Running the companion programs (parties import, lawsuit progress): the
// command line goes into a one-line shell script, which is run hidden while the
// windows keep being painted.
#include <functional>
#include <string>
#include <string_view>

namespace korva {

// Writes `linhaDeComando` as the only line of the script `arquivoLote`
// (replacing an old one), runs it with /bin/sh in the script's folder with
// input and output on /dev/null, and calls `processaEventos` about every 20 ms
// until it ends. Returns the script's exit code (128 + signal number when it
// was killed by a signal).
//
// Fails with ErroKorva "Não encontrado o programa '<programa>' no diretório do
// Ulmeris." when `programa` does not exist, ErroES when the script cannot be
// written, and ErroKorva "Erro na execução do programa de Busca" when the shell
// cannot be started. The caller shows the busy cursor around the call.
int ExecutaIntegracao(const std::string& programa, const std::string& linhaDeComando,
                      const std::string& arquivoLote, const std::function<void()>& processaEventos);

// `texto` quoted as one word for the script's command line, so blanks, quotes,
// "$", ";" and the like in a lawsuit number or path reach the program as they
// are instead of being interpreted by the shell.
std::string ArgumentoShell(std::string_view texto);

}  // namespace korva
