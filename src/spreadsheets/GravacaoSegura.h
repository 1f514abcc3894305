#pragma once
// A file written whole or not at all. The content goes to a temporary file
// in the destination's own folder (so the final rename never crosses file
// systems) and replaces the destination only when complete; a failure on the
// way removes the temporary file and leaves the destination as it was.
//
// A destination that cannot be replaced is refused before anything is
// written: a folder, a read-only file, a file open in a spreadsheet program
// (its lock file stands beside it) or a missing folder.
#include <filesystem>
#include <functional>
#include <string>

namespace korva {

// Fails with ErroKorva, naming the file, when `destino` cannot be replaced.
void VerificaDestino(const std::filesystem::path& destino);

// Checks `destino`, calls `escreve` with the temporary file's name and, when
// it returns, renames the temporary over `destino`. A new file gets the
// permissions the user's umask gives; a replaced one keeps its own.
void GravaSubstituindo(const std::filesystem::path& destino,
                       const std::function<void(const std::filesystem::path& temporario)>& escreve);

std::string MsgArquivoSomenteLeitura(const std::filesystem::path& p);
std::string MsgArquivoEmUso(const std::filesystem::path& p);

}  // namespace korva
