#include "util/DocumentoJson.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <cctype>
#include <cstdio>
#include <optional>

#include "util/Texto.h"

namespace korva {
namespace {

using nlohmann::json;

// The parser tells where it stopped and why through its event interface;
// nothing else of the document is kept.
class Localizador : public nlohmann::json_sax<json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t posicao, const std::string&, const json::exception& e) override {
        if (!falhou) {
            falhou = true;
            posicao_ = posicao;
            id_ = e.id;
            texto_ = e.what();
        }
        return false;
    }

    bool falhou = false;
    std::size_t posicao_ = 0;  // characters read, the one that failed included
    int id_ = 0;
    std::string texto_;
};

bool Comeca(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool Termina(std::string_view s, std::string_view p) { return s.size() >= p.size() && s.substr(s.size() - p.size()) == p; }

// A token shown in a message: valid UTF-8 as it stands, any other byte as
// \xNN, at most 30 characters, between quotes.
std::string Mostra(std::string_view token) {
    std::string r;
    std::size_t caracteres = 0;
    for (std::size_t i = 0; i < token.size() && caracteres < 30; ++caracteres) {
        const auto c = static_cast<unsigned char>(token[i]);
        std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 1 && c >= 0x20 && c != 0x7F) {
            r += static_cast<char>(c);
            ++i;
        } else if (n > 1 && i + n <= token.size() && Utf8Valido(token.substr(i, n))) {
            r.append(token.substr(i, n));
            i += n;
        } else {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            r += b;
            ++i;
        }
    }
    if (caracteres == 30 && r.size() < token.size()) r += "...";
    return "'" + r + "'";
}

bool NomeDeToken(std::string_view nome) {
    for (std::string_view n : {"'['", "'{'", "']'", "'}'", "':'", "','", "string literal", "number literal",
                               "true literal", "false literal", "null literal", "end of input",
                               "'[', '{', or a literal", "<parse error>", "<uninitialized>", "unknown token"})
        if (nome == n) return true;
    return false;
}

// The parser's name of a token, as a message here says it.
std::string Token(std::string_view nome) {
    if (nome == "true literal") return "true";
    if (nome == "false literal") return "false";
    if (nome == "null literal") return "null";
    if (nome == "string literal") return "um texto";
    if (nome == "number literal") return "um número";
    if (nome == "end of input") return "o fim do documento";
    if (nome == "'[', '{', or a literal") return "um valor";
    if (nome.size() == 3 && nome.front() == '\'' && nome.back() == '\'') return std::string(nome);
    return "um elemento inesperado";
}

// What the parser expected, in the place it was: inside an object or a list
// a comma would have done as well as the closing mark.
std::string Esperado(std::string_view contexto, std::string_view nome) {
    if (contexto == "object" && nome == "'}'") return "',' ou '}'";
    if (contexto == "array" && nome == "']'") return "',' ou ']'";
    if (nome == "string literal" && contexto == "object key") return "o nome de um campo entre aspas";
    if (nome == "':'") return "':' depois do nome do campo";
    return Token(nome);
}

bool ParteDeValor(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

// Where the number or literal that ends at `fim` (exclusive) begins.
std::size_t InicioDoValor(std::string_view texto, std::size_t fim) {
    fim = std::min(fim, texto.size());
    while (fim > 0 && ParteDeValor(texto[fim - 1])) --fim;
    return fim;
}

// Where the word (true, false, null or a misspelling of one) that reaches
// `fim` begins: letters only, so a number right before it is not taken in.
std::size_t InicioDaPalavra(std::string_view texto, std::size_t fim) {
    fim = std::min(fim, texto.size());
    while (fim > 0 && std::isalpha(static_cast<unsigned char>(texto[fim - 1]))) --fim;
    return fim;
}

// The opening quote of the text whose closing quote (or end) is at `fim`: a
// text cannot span lines, so it is the nearest quote before that is not escaped.
std::size_t InicioDoTexto(std::string_view texto, std::size_t fim) {
    for (std::size_t i = fim; i-- > 0;) {
        if (texto[i] == '\n') return i + 1;
        if (texto[i] != '"') continue;
        std::size_t barras = 0;
        while (i > barras && texto[i - 1 - barras] == '\\') ++barras;
        if (barras % 2 == 0) return i;
    }
    return 0;
}

// A lexer failure: the message in Portuguese, and where it points (`onde`
// comes in as the character that failed).
std::string MotivoDoLexico(std::string_view mensagem, std::string_view texto, std::size_t& onde) {
    const auto caractere = [&] { return Mostra(texto.substr(onde, 1)); };
    if (mensagem == "invalid literal" && onde < texto.size() && texto[onde] == '\'')
        return "texto entre apóstrofos (os textos ficam entre aspas duplas)";
    if (mensagem == "invalid literal") {
        // The word read up to the character that did not fit.
        std::size_t fim = onde;
        while (fim < texto.size() && fim - onde < 30 && ParteDeValor(texto[fim])) ++fim;
        const std::size_t inicio = InicioDaPalavra(texto, onde);
        onde = inicio;
        return "valor inválido " + Mostra(texto.substr(inicio, std::max<std::size_t>(fim - inicio, 1))) +
               " (esperava true, false, null, um número, um texto entre aspas, '[' ou '{')";
    }
    if (Comeca(mensagem, "invalid string: ill-formed UTF-8")) {
        // The lexer stops at the byte that does not continue the sequence;
        // the place is the sequence's first byte.
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(texto[i]); };
        if (onde > 0 && onde < texto.size() && (byte(onde) < 0x80 || byte(onde) >= 0xC0) && byte(onde - 1) >= 0x80) {
            std::size_t i = onde - 1;
            while (i > 0 && (byte(i) & 0xC0) == 0x80 && onde - i < 4) --i;
            onde = i;
        }
        return "texto com um byte que não é UTF-8 (o documento deve ser gravado em UTF-8)";
    }
    if (Comeca(mensagem, "invalid string: missing closing quote")) {
        onde = InicioDoTexto(texto, onde);
        return "texto sem as aspas de fechamento";
    }
    if (mensagem.find("must be followed by 4 hex digits") != std::string_view::npos)
        return "'\\u' deve ser seguido de quatro algarismos hexadecimais";
    if (mensagem.find("surrogate") != std::string_view::npos)
        return "par de escapes '\\u' incompleto (U+D800 a U+DFFF vêm sempre aos pares)";
    if (Comeca(mensagem, "invalid string: forbidden character after backslash"))
        return "caractere " + caractere() + " não permitido depois de '\\' num texto";
    constexpr std::string_view controle = "invalid string: control character ";
    if (Comeca(mensagem, controle) && mensagem.size() >= controle.size() + 6) {
        const std::string codigo(mensagem.substr(controle.size(), 6));  // "U+000A"
        return "caractere de controle " + codigo + " dentro de um texto (escreva-o como \\u" + codigo.substr(2) + ")";
    }
    if (Comeca(mensagem, "invalid number")) {
        const std::size_t inicio = InicioDoValor(texto, onde);
        const std::string numero = Mostra(texto.substr(inicio, std::max<std::size_t>(onde - inicio, 1)));
        onde = inicio;
        if (Termina(mensagem, "after '-'")) return "número inválido " + numero + ": falta um algarismo depois de '-'";
        if (Termina(mensagem, "after '.'"))
            return "número inválido " + numero + ": falta um algarismo depois do ponto decimal";
        if (mensagem.find("exponent") != std::string_view::npos)
            return "número inválido " + numero + ": falta um algarismo no expoente";
        return "número inválido " + numero;
    }
    if (Comeca(mensagem, "invalid BOM")) return "marca de início (BOM) inválida no começo do documento";
    if (Comeca(mensagem, "invalid comment")) return "comentários não são permitidos";
    return "erro de sintaxe perto de " + caractere();
}

struct Diagnostico {
    std::size_t onde = 0;  // byte of the input the message points at
    std::string motivo;
};

Diagnostico Diagnostica(std::string_view texto, const Localizador& l) {
    Diagnostico d;
    // The parser counts the characters read, the failing one included; at
    // the end of the input it counts one more.
    d.onde = std::min(l.posicao_ > 0 ? l.posicao_ - 1 : 0, texto.size());
    if (l.id_ == 406) {  // a number beyond the range of a double
        const std::size_t inicio = InicioDoValor(texto, std::min(d.onde + 1, texto.size()));
        d.motivo = "o número " + Mostra(texto.substr(inicio, d.onde + 1 - inicio)) + " é grande demais";
        d.onde = inicio;
        return d;
    }
    // "[json.exception.parse_error.101] parse error at line 1, column 5:
    // syntax error while parsing object - unexpected ','; expected '}'"
    std::string_view m = l.texto_;
    constexpr std::string_view sintaxe = "syntax error ";
    const auto s = m.find(sintaxe);
    const auto traco = m.find(" - ", s == std::string_view::npos ? 0 : s);
    if (s == std::string_view::npos || traco == std::string_view::npos) {
        d.motivo = "erro de sintaxe perto de " + Mostra(texto.substr(d.onde, 1));
        return d;
    }
    std::string_view contexto =
        traco > s + sintaxe.size() ? m.substr(s + sintaxe.size(), traco - s - sintaxe.size()) : std::string_view();
    if (Comeca(contexto, "while parsing ")) contexto.remove_prefix(14);
    std::string_view detalhe = m.substr(traco + 3);
    std::optional<std::string_view> esperado;
    constexpr std::string_view marca = "; expected ";
    // Only a token name after the mark is the parser's: the lexer's own
    // messages say "expected digit after '-'".
    if (const auto e = detalhe.rfind(marca); e != std::string_view::npos && NomeDeToken(detalhe.substr(e + marca.size()))) {
        esperado = detalhe.substr(e + marca.size());
        detalhe = detalhe.substr(0, e);
    }
    const bool depoisDoFim = esperado && *esperado == "end of input";

    constexpr std::string_view inesperado = "unexpected ";
    if (!Comeca(detalhe, inesperado)) {
        // An error of the lexer: its message, then "; last read: '<token>'".
        const std::string_view mensagem = detalhe.substr(0, detalhe.find("; last read: "));
        if (depoisDoFim) {
            if (mensagem == "invalid literal") d.onde = InicioDaPalavra(texto, d.onde);
            d.motivo = "há mais texto depois do fim do documento";
        } else {
            d.motivo = MotivoDoLexico(mensagem, texto, d.onde);
        }
        return d;
    }
    const std::string_view token = detalhe.substr(inesperado.size());
    // The place of the token that came unexpected, not its last character.
    if (token == "string literal")
        d.onde = InicioDoTexto(texto, d.onde);
    else if (token == "number literal" || Termina(token, " literal"))
        d.onde = InicioDoValor(texto, std::min(d.onde + 1, texto.size()));
    if (token == "end of input") {
        d.motivo = "o documento termina antes do fim";
        if (esperado) d.motivo += "; esperava " + Esperado(contexto, *esperado);
    } else if (depoisDoFim) {
        d.motivo = "há mais texto depois do fim do documento";
    } else {
        d.motivo = (esperado ? "esperava " + Esperado(contexto, *esperado) + ", encontrou " : "encontrou ") +
                   Token(token);
        // "{"a": 1,}" and "[1,]": the comma is what is wrong.
        if (token == "'}'" || token == "']'") {
            std::size_t i = d.onde;
            while (i > 0 && (texto[i - 1] == ' ' || texto[i - 1] == '\t' || texto[i - 1] == '\r' || texto[i - 1] == '\n'))
                --i;
            if (i > 0 && texto[i - 1] == ',') d.motivo += " (há uma vírgula sobrando antes de " + Token(token) + ")";
        }
    }
    return d;
}

}  // namespace

ErroDocumentoJson::ErroDocumentoJson(int linha, int coluna, std::string motivo)
    : ErroKorva("Documento JSON inválido na linha " + std::to_string(linha) + ", coluna " + std::to_string(coluna) +
                ": " + motivo + "."),
      linha_(linha),
      coluna_(coluna),
      motivo_(std::move(motivo)) {}

json LeDocumentoJson(std::string_view texto) {
    try {
        return json::parse(texto);
    } catch (const json::exception&) {
        // Read again for the place and the reason; the first reading's
        // message is in English and says the place in bytes.
    }
    Localizador l;
    json::sax_parse(texto, &l);
    Diagnostico d = l.falhou ? Diagnostica(texto, l) : Diagnostico{0, "erro de sintaxe"};
    d.onde = std::min(d.onde, texto.size());
    int linha = 1;
    std::size_t inicioLinha = 0;
    for (std::size_t i = 0; i < d.onde; ++i)
        if (texto[i] == '\n') {
            ++linha;
            inicioLinha = i + 1;
        }
    int coluna = 1;
    for (std::size_t i = inicioLinha; i < d.onde; ++i)
        if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80) ++coluna;  // characters, not bytes
    throw ErroDocumentoJson(linha, coluna, d.motivo);
}

nlohmann::json LeArquivoJson(const std::string& caminho) {
    std::ifstream in(caminho, std::ios::binary);
    if (!in) throw ErroES("Não foi possível abrir o arquivo " + caminho + ".");
    std::ostringstream texto;
    texto << in.rdbuf();
    if (in.bad()) throw ErroES("Não foi possível ler o arquivo " + caminho + ".");
    try {
        return LeDocumentoJson(texto.str());
    } catch (const ErroDocumentoJson& e) {
        throw ErroKorva("O arquivo " + caminho + " não é um documento JSON válido: na linha " +
                        std::to_string(e.linha()) + ", coluna " + std::to_string(e.coluna()) + ", " + e.motivo() + ".");
    }
}

}  // namespace korva
