#pragma once
// The alias file: one section per database alias ("[CalcPriv]") followed by
// its parameter lines, normally a single "PATH=" + folder line.
#include <filesystem>
#include <string>
#include <vector>

namespace korva {

class ArquivoAliases {
public:
    explicit ArquivoAliases(std::filesystem::path arquivo);

    const std::filesystem::path& arquivo() const { return arquivo_; }
    bool existe(const std::string& alias) const;
    // Parameter lines of the alias; fails with an engine error when the alias
    // does not exist.
    std::vector<std::string> parametros(const std::string& alias) const;
    // Replaces the alias's parameter lines (creating the alias) in memory.
    void defineParametros(const std::string& alias, std::vector<std::string> linhas);
    // Writes the file (creating its folder), through a temporary file.
    void salva() const;
    void recarrega();

    // The folder of an alias: the first parameter line; when it contains
    // "PATH" its first five characters are dropped, otherwise "\".
    std::string caminho(const std::string& alias) const;

private:
    struct Secao { std::string nome; std::vector<std::string> linhas; };
    std::filesystem::path arquivo_;
    std::vector<Secao> secoes_;
};

}  // namespace korva
