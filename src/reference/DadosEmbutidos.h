#pragma once
// The files of the project's data/ folder, built into the program at compile
// time (cmake/EmbutirDados.cmake), so that a new installation is filled from
// the program alone.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Contents of a built-in file by its name ("valores.csv"); null when the
// program holds no file of that name.
const std::string* DadoEmbutido(std::string_view nomeArquivo);

// Names of every built-in file, in name order.
std::vector<std::string> NomesDadosEmbutidos();

}  // namespace korva
