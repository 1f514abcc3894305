#pragma once
// Small text, date and file utilities shared by every window. The class holds
// no state of its own besides the alias file it reads folders from.
//
// Texts are UTF-8 in memory but behave as the single-byte Latin-1 texts of the
// stored data: lengths and widths count characters, letter case follows
// MaiusculaLatin1 / MinusculaLatin1.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ArquivoAliases;

class Literais {
public:
    Literais() = default;
    // `aliases` is only read by CaminhoAlias; it must outlive this object.
    explicit Literais(const ArquivoAliases* aliases) : aliases_(aliases) {}

    // The path with "\" appended unless it already ends with one. An empty path
    // stays empty: appending would turn "no folder" into the root folder.
    static std::string IncluiBarra(std::string_view caminho);
    // Same rule with "/", for paths handed to the file system of this platform.
    static std::string IncluiSeparador(std::string_view caminho);

    // Names of the plain sub-folders of `pasta` whose names match `padrao`
    // ("*" and "?", letter case ignored), in the order the file system lists
    // them. Plain means: a real folder (not a link), not hidden (name not
    // starting with '.') and writable by its owner. "\" in `pasta` is taken as
    // a path separator. A missing folder gives an empty list; a folder that
    // cannot be read fails with ErroES.
    static std::vector<std::string> ListaSubDiretorios(std::string_view pasta, std::string_view padrao);

    // Next month: 12/2009 becomes 1/2010.
    static void ProximoMes(uint16_t& mes, uint16_t& ano);

    // True when the text is a date "dd/mm/yyyy".
    static bool DataValida(std::string_view texto);

    // Whether a lower-case word followed by two blanks is a particle of a name:
    // a one-letter word, "de", "da", "do", "das" or "dos". Only the first
    // three characters are looked at; missing ones count as blanks.
    static bool EhParticula(std::u32string_view texto);
    static bool EhParticula(std::string_view texto);

    // Proper-cases a name: "MARIA DA SILVA" gives "Maria da Silva",
    // "ana-maria de o. lima" gives "Ana-Maria de O. Lima".
    static std::string NomeProprio(std::string_view texto);

    // The text trimmed, then "0" prepended up to `largura` characters. A text
    // already as long as the width is only trimmed. Widths below 0 count as 0.
    static std::string ZerosEsquerda(std::string_view texto, int largura);
    // ZerosEsquerda of the decimal form; a negative number keeps its sign in
    // front of the zeros ("-05" at width 3).
    static std::string ZerosEsquerdaInt(long long numero, int largura);
    // The text trimmed, then `preenche` prepended up to `largura` characters.
    static std::string PreencheEsquerda(std::string_view texto, int largura, char32_t preenche);
    // The text trimmed, then `preenche` appended up to `largura` characters;
    // width 0 gives the trimmed text.
    static std::string PreencheDireita(std::string_view texto, int largura, char32_t preenche);

    // The folder of a database alias (see ArquivoAliases::caminho). Fails when
    // the alias does not exist or no alias file was given.
    std::string CaminhoAlias(const std::string& alias) const;

    // 1 "Dom." ... 7 "Sáb."; any other value gives an empty text.
    static std::string DiaSemana(int dia);

    template <typename T>
    static T Condicional(bool condicao, T seVerdadeiro, T seFalso) {
        return condicao ? std::move(seVerdadeiro) : std::move(seFalso);
    }

    // Makes the file writable, then deletes it; returns true. Fails with
    // ErroES when the file is missing, is a folder or cannot be deleted.
    static bool ApagaArquivo(const std::string& arquivo);

private:
    const ArquivoAliases* aliases_ = nullptr;
};

}  // namespace korva
