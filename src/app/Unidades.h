#pragma once
// The unit list file "Alias.txt" of the program folder: one unit per line,
// its name, a semicolon and the folder of its private database. When the file
// exists the user picks a unit before the private database connects, and the
// alias "CalcPriv" is pointed at that unit's folder.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ArquivoAliases;

struct Unidade {
    std::string nome;   // text before the first ";"
    std::string pasta;  // up to 100 characters after it
};

class Unidades {
public:
    static constexpr size_t TamanhoMaximoPasta = 100;
    static constexpr const char* AliasPrivado = "CalcPriv";
    static constexpr const char* MensagemModificado = "Configuração modificada com sucesso!";
    static constexpr const char* MensagemSemAlias = "Alias do KORVA não existe";

    // The units of the file, in file order. Empty lines, lines without ";" and
    // lines without a folder are skipped. A missing file gives an empty list;
    // one that cannot be read fails with ErroES.
    static std::vector<Unidade> Le(const std::filesystem::path& arquivo);
    // Same, from the file's bytes (UTF-8, or Windows-1252 line by line).
    static std::vector<Unidade> Interpreta(std::string_view conteudo);

    // Sets the parameters of alias "CalcPriv" to the single line
    // "PATH=" + folder and saves the alias file. Fails with
    // "Alias do KORVA não existe", changing nothing, when that alias is missing.
    static void MudaDiretorio(ArquivoAliases& aliases, const std::string& pasta);
};

}  // namespace korva
