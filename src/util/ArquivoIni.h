#pragma once
// A settings file of sections ("[Section]") and "key=value" lines.
//
// - Section and key names are matched without regard to letter case (Latin-1
//   rules); names with blanks and accents are written as they stand.
// - Values are taken as they stand apart from surrounding blanks: backslashes
//   and quotes are kept.
// - Rewriting keeps the order of sections and keys, comments (";"), blank
//   lines and lines this reader does not understand.
// - A file that is not valid UTF-8 is read line by line as Windows-1252; it is
//   always written back as UTF-8.
// - Every read looks at the file on disk, and every write goes through to disk
//   at once: the file is re-read, changed and replaced through a temporary
//   file, so keys written meanwhile by another program are not lost.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ArquivoIni {
public:
    explicit ArquivoIni(std::filesystem::path arquivo);

    const std::filesystem::path& arquivo() const { return arquivo_; }

    // The value of the first matching key of the first matching section, or
    // `padrao` when there is none.
    std::string le(std::string_view secao, std::string_view chave, std::string_view padrao = {}) const;
    bool existe(std::string_view secao, std::string_view chave) const;
    bool existeSecao(std::string_view secao) const;
    // Key names of the section, in file order.
    std::vector<std::string> chaves(std::string_view secao) const;

    // Sets the key (adding the section and the key when missing) and writes
    // the file, creating its folder when needed. Line breaks in the value
    // become blanks so the value cannot spill into other lines. Fails with
    // ErroKorva on an unusable section or key name and with ErroES when the
    // file cannot be read or written.
    void escreve(std::string_view secao, std::string_view chave, std::string_view valor);

private:
    struct Linha {
        enum class Tipo { Outra, Secao, Chave };
        Tipo tipo = Tipo::Outra;
        std::string texto;  // the line as it is written to the file
        std::string nome;   // section or key name
        std::string valor;  // key value
    };
    struct Conteudo {
        std::vector<Linha> linhas;
        std::string fimDeLinha = "\n";
        bool bom = false;
    };

    Conteudo carrega() const;
    void grava(const Conteudo& conteudo) const;
    // Index of the section header, or -1.
    static long achaSecao(const Conteudo& c, std::string_view secao);
    // Index of the key line inside the section starting at `inicio`, or -1.
    static long achaChave(const Conteudo& c, long inicio, std::string_view chave);

    std::filesystem::path arquivo_;
};

}  // namespace korva
