#pragma once
// Small file and process helpers shared by the tests.
#include <filesystem>
#include <string>

namespace korva::teste {

// Whole file as bytes ("" when missing).
std::string LeArquivo(const std::filesystem::path& p);
// Replaces the file with these bytes, creating its folder.
void GravaArquivo(const std::filesystem::path& p, const std::string& bytes);
// Runs a shell command line and returns what it printed (the line decides
// where stderr goes); the exit code goes to *status when given.
std::string RodaComando(const std::string& linha, int* status = nullptr);
// korva-cli with these arguments, stderr along with stdout.
std::string RodaCli(const std::string& args, int* status = nullptr);

}  // namespace korva::teste
