#pragma once
// The lawsuit progress ("Andamen&tos"): the companion program Andamentos.exe
// of the program folder is run through a one-line script with the lawsuit
// number and the name of its result file; the result, a text file, is read
// and both files are removed.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace korva {

struct Andamentos {
    std::string texto;   // the result file, as read (Windows-1252 taken as such)
    std::string titulo;  // "KORVA - Andamentos do Processo: " + lawsuit number
};

// The script "A" + file number + ".bat" runs `"<folder>Andamentos.exe" <lawsuit>
// A<file number>.AND` (the file number in plain decimal) in the program folder
// and is awaited while `processaEventos` keeps the windows painted. Then the
// result file is read and the result and the script are deleted. A missing
// program fails with its message; a missing result file with the file-open
// error (the script is deleted all the same).
Andamentos BuscaAndamentos(const std::filesystem::path& pastaPrograma, const std::string& processo,
                           int64_t arquivo, const std::function<void()>& processaEventos);

// Whether the button is shown: "Integra Andamentos" is "S".
inline bool AndamentosVisiveis(const std::string& integraAndamentos) { return integraAndamentos == "S"; }

}  // namespace korva
