#include "prorata/PrecatoriosXml.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

#include "prorata/RegistrosProrrata.h"
#include "prorata/TransformacoesXml.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// The transformation files
// ---------------------------------------------------------------------------
namespace {

// The entry of `pasta` whose name equals `nome` without regard to case.
std::optional<fs::path> ProcuraSemCaixa(const fs::path& pasta, const std::string& nome) {
    std::error_code ec;
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec))
        if (IguaisSemCaixa(it->path().filename().string(), nome)) return it->path();
    return std::nullopt;
}

// Writes `texto` as `destino` in one piece: a temporary file in the same
// folder, flushed to disk, then linked under the final name. The link fails
// when the name was taken meanwhile, so a file that appeared after the
// check is never replaced. Returns false when the name was taken.
bool EscreveNovo(const fs::path& destino, const std::string& texto) {
    std::string modelo = (destino.parent_path() / ("." + destino.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(modelo.data());
    if (fd < 0)
        throw ErroES("Não foi possível criar o arquivo " + destino.string() + ": " + std::strerror(errno) + ".");
    const fs::path temporario = modelo;
    bool ok = true;
    for (size_t feito = 0; ok && feito < texto.size();) {
        const ssize_t n = ::write(fd, texto.data() + feito, texto.size() - feito);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) feito += static_cast<size_t>(n);
    }
    ok = ok && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const int erroEscrita = errno;
    ok = (::close(fd) == 0) && ok;
    std::error_code ec;
    if (!ok) {
        fs::remove(temporario, ec);
        throw ErroES("Não foi possível gravar o arquivo " + destino.string() + ": " + std::strerror(erroEscrita) + ".");
    }
    bool gravado = true;
    if (::link(temporario.c_str(), destino.c_str()) != 0) {
        const int erro = errno;
        if (erro == EEXIST) {
            gravado = false;
        } else if (erro == EPERM || erro == ENOTSUP || erro == EOPNOTSUPP || erro == EXDEV) {
            // A folder without hard links: rename, after checking once more.
            if (ProcuraSemCaixa(destino.parent_path(), destino.filename().string())) {
                gravado = false;
            } else if (::rename(temporario.c_str(), destino.c_str()) != 0) {
                const int e = errno;
                fs::remove(temporario, ec);
                throw ErroES("Não foi possível gravar o arquivo " + destino.string() + ": " + std::strerror(e) + ".");
            } else {
                return true;
            }
        } else {
            fs::remove(temporario, ec);
            throw ErroES("Não foi possível gravar o arquivo " + destino.string() + ": " + std::strerror(erro) + ".");
        }
    }
    fs::remove(temporario, ec);
    return gravado;
}

}  // namespace

std::vector<fs::path> GaranteTransformacoes(const fs::path& pasta) {
    std::error_code ec;
    if (!fs::is_directory(pasta, ec))
        throw ErroES("A pasta " + pasta.string() + " não existe; os arquivos de transformação não foram gravados.");
    std::vector<fs::path> gravados;
    const std::pair<const char*, DirecaoTransformacao> arquivos[] = {
        {kTransformacaoParaPacote, DirecaoTransformacao::ParaPacote},
        {kTransformacaoParaXml, DirecaoTransformacao::ParaXml},
    };
    for (const auto& [nome, direcao] : arquivos) {
        // Whatever an existing file holds, it stays: the payments program's
        // side may have its own edition of it.
        if (ProcuraSemCaixa(pasta, nome)) continue;
        const fs::path destino = pasta / nome;
        if (EscreveNovo(destino, TextoTransformacao(direcao))) gravados.push_back(destino);
    }
    return gravados;
}

// ---------------------------------------------------------------------------
// Reading the document
// ---------------------------------------------------------------------------
namespace {

// A refusal of one element of one REGISTRO, before the position is added.
class FalhaElemento : public ErroKorva {
public:
    FalhaElemento(std::string elemento, const std::string& texto)
        : ErroKorva(texto), elemento_(std::move(elemento)) {}
    const std::string& elemento() const { return elemento_; }

private:
    std::string elemento_;
};

std::string Lugar(size_t posicao, const std::string& processo) {
    std::string s = "REGISTRO " + std::to_string(posicao);
    if (!processo.empty()) s += " (processo " + processo + ")";
    return s;
}

struct DocXml {
    xmlDocPtr doc = nullptr;
    ~DocXml() {
        if (doc) xmlFreeDoc(doc);
    }
};
struct CtxXml {
    xmlParserCtxtPtr ctx = xmlNewParserCtxt();
    ~CtxXml() {
        if (ctx) xmlFreeParserCtxt(ctx);
    }
};

// The encoding named by the XML declaration, if any.
bool DeclaraCodificacao(const std::string& bytes) {
    size_t i = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    if (bytes.compare(i, 5, "<?xml") != 0) return false;
    const size_t fim = bytes.find("?>", i);
    return fim != std::string::npos && bytes.substr(i, fim - i).find("encoding") != std::string::npos;
}

// Windows programs write Windows-1252 bytes under an ISO-8859-1 label; its
// letters in 0x80..0x9F (dashes, quotes, "Œ") arrive as C1 control
// characters, which never belong in a name, and are read back as such.
std::string CorrigeC1(const std::string& utf8) {
    std::u32string u = ParaU32(utf8);
    bool mudou = false;
    for (char32_t& c : u) {
        if (c >= 0x80 && c <= 0x9F) {
            const std::u32string w = ParaU32(Cp1252ParaUtf8(std::string(1, static_cast<char>(c))));
            if (w.size() == 1) c = w[0];
            mudou = true;
        }
    }
    return mudou ? ParaUtf8(u) : utf8;
}

// The first error of a parse, the one that points where the document goes
// wrong (later ones follow from it).
struct PrimeiroErro {
    int linha = 0, coluna = 0;
    bool visto = false;
    static void Recebe(void* dados, xmlErrorPtr e) {
        auto* p = static_cast<PrimeiroErro*>(dados);
        if (!e || p->visto || e->level < XML_ERR_ERROR) return;
        p->visto = true;
        p->linha = e->line;
        p->coluna = e->int2;
    }
};

// Routes the parser's messages to `erro` instead of the standard error.
class DesviaErros {
public:
    explicit DesviaErros(PrimeiroErro& erro) { xmlSetStructuredErrorFunc(&erro, &PrimeiroErro::Recebe); }
    ~DesviaErros() { xmlSetStructuredErrorFunc(nullptr, nullptr); }
    DesviaErros(const DesviaErros&) = delete;
    DesviaErros& operator=(const DesviaErros&) = delete;
};

std::string Nome(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

// The text of a field element: its text and CDATA children, trimmed.
// Entity references are refused rather than expanded (the document has no
// business defining entities, and expanding them is how such documents
// are made to swell).
std::string TextoDe(const xmlNode* elemento) {
    std::string s;
    for (const xmlNode* c = elemento->children; c; c = c->next) {
        switch (c->type) {
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                if (c->content) s += reinterpret_cast<const char*>(c->content);
                break;
            case XML_COMMENT_NODE:
            case XML_PI_NODE:
                break;
            case XML_ENTITY_REF_NODE:
                throw FalhaElemento(Nome(elemento), "referências a entidades não são aceitas (&" + Nome(c) + ";).");
            case XML_ELEMENT_NODE:
                throw FalhaElemento(Nome(elemento), "não deve conter outros elementos (<" + Nome(c) + ">).");
            default:
                throw FalhaElemento(Nome(elemento), "conteúdo não aceito.");
        }
    }
    return CorrigeC1(Apara(s));
}

// Booleans as the payments program and hand-made documents write them:
// TRUE/FALSE in any letter case, or 1/0.
bool LeLogico(const CampoPacote& c, const std::string& t) {
    const std::string m = Minusculas(t);
    if (m == "true" || m == "1") return true;
    if (m == "false" || m == "0") return false;
    throw FalhaElemento(c.nome, "'" + t + "' não é um valor lógico válido (use TRUE ou FALSE).");
}

int LeInteiro(const CampoPacote& c, const std::string& t) {
    const auto v = Inteiro(t);
    if (!v) throw FalhaElemento(c.nome, "'" + t + "' não é um número inteiro válido.");
    if (c.tipo == TipoPacote::Inteiro16 && (*v < -32768 || *v > 32767))
        throw FalhaElemento(c.nome, "o número " + t + " está fora do intervalo aceito (-32768 a 32767).");
    return *v;
}

// A decimal number with "." as the decimal point, as XML writes it; a single
// "," is taken as the decimal point too. Thousands separators are refused
// rather than guessed: "1.500" is one and a half, never one thousand five
// hundred, and "1.500,00" is not a number.
double LeReal(const CampoPacote& c, const std::string& t) {
    auto recusa = [&] { return FalhaElemento(c.nome, "'" + t + "' não é um número válido."); };
    std::string s = t;
    const size_t pontos = std::count(s.begin(), s.end(), '.');
    const size_t virgulas = std::count(s.begin(), s.end(), ',');
    if (pontos + virgulas > 1) throw recusa();
    if (virgulas == 1) s[s.find(',')] = '.';
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digitos = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digitos = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digitos = true;
    }
    if (!digitos) throw recusa();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
        bool expoente = false;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, expoente = true;
        if (!expoente) throw recusa();
    }
    if (i != s.size()) throw recusa();
    const char* inicio = s.data() + (s[0] == '+' ? 1 : 0);
    double v = 0;
    const auto r = std::from_chars(inicio, s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) throw recusa();
    return v;
}

// d/M/yyyy: day and month with one or two digits, the year with four.
Data LeDataDocumento(const CampoPacote& c, const std::string& t) {
    const auto partes = Divide(t, '/');
    auto recusa = [&] { return FalhaElemento(c.nome, "'" + t + "' não é uma data válida (dia/mês/ano)."); };
    if (partes.size() != 3 || partes[0].empty() || partes[0].size() > 2 || partes[1].empty() ||
        partes[1].size() > 2 || partes[2].size() != 4)
        throw recusa();
    for (const auto& p : partes)
        for (char ch : p)
            if (!std::isdigit(static_cast<unsigned char>(ch))) throw recusa();
    const auto d = Data::tenta(std::stoi(partes[2]), std::stoi(partes[1]), std::stoi(partes[0]));
    if (!d) throw recusa();
    return *d;
}

std::string LeTexto(const CampoPacote& c, const std::string& t) {
    const size_t n = Comprimento(t);
    if (c.largura > 0 && n > static_cast<size_t>(c.largura))
        throw FalhaElemento(c.nome, "o texto tem " + std::to_string(n) + " caracteres; o máximo é " +
                                        std::to_string(c.largura) + ".");
    return t;
}

RegistroPrecatorio LeRegistro(const xmlNode* registro, size_t posicao) {
    // Gathered first, so every message can name the lawsuit.
    std::map<std::string, std::string> textos;
    std::string processo;
    for (const xmlNode* e = registro->children; e; e = e->next) {
        if (e->type != XML_ELEMENT_NODE || !CampoPacotePorNome(Nome(e))) continue;
        if (Nome(e) == "PROCESSO") {
            try {
                processo = TextoDe(e);
            } catch (const FalhaElemento&) {
            }
            break;
        }
    }
    RegistroPrecatorio r;
    try {
        for (const xmlNode* e = registro->children; e; e = e->next) {
            // Elements outside the mapping are not part of the packet.
            if (e->type != XML_ELEMENT_NODE || !CampoPacotePorNome(Nome(e))) continue;
            if (textos.count(Nome(e))) throw FalhaElemento(Nome(e), "aparece mais de uma vez.");
            textos[Nome(e)] = TextoDe(e);
        }
        for (const CampoPacote& c : CamposPacote()) {
            auto it = textos.find(c.nome);
            // An empty element counts as absent: the default, when there is one.
            std::string t = it == textos.end() ? std::string() : it->second;
            if (t.empty() && c.padrao) t = c.padrao;
            if (t.empty()) continue;
            const std::string nome = c.nome;
            if (nome == "PROCESSO") r.processo = LeTexto(c, t);
            else if (nome == "CODRECTE") r.codRecte = LeInteiro(c, t);
            else if (nome == "DTAJUIZ") r.dtAjuiz = LeDataDocumento(c, t);
            else if (nome == "DTBASE") r.dtBase = LeDataDocumento(c, t);
            else if (nome == "VALOR") r.valor = LeReal(c, t);
            else if (nome == "DTFINAL") r.dtFinal = LeTexto(c, t);
            else if (nome == "PARTE1") r.parte1 = LeTexto(c, t);
            else if (nome == "PARTE2") r.parte2 = LeTexto(c, t);
            else if (nome == "OBS") r.obs = LeTexto(c, t);
            else if (nome == "COMJUROS") r.comJuros = LeLogico(c, t);
            else if (nome == "JUROSCONSTANTES") r.jurosConstantes = LeLogico(c, t);
            else if (nome == "USARJURUSPADRAO") r.usarJurosPadrao = LeLogico(c, t);
            else if (nome == "VALORJUROS") r.valorJuros = LeReal(c, t);
            else if (nome == "INDICE") r.indice = LeInteiro(c, t);
            else if (nome == "FORMAABATIMENTO") r.formaAbatimento = LeTexto(c, t);
        }
    } catch (const FalhaElemento& f) {
        throw ErroConversao(Lugar(posicao, processo) + ", elemento " + f.elemento() + ": " + f.what() +
                             " Nenhum registro foi importado.");
    }
    return r;
}

}  // namespace

std::vector<RegistroPrecatorio> LePrecatorios(const fs::path& documento) {
    std::error_code ec;
    if (!fs::exists(documento, ec))
        throw ErroES("Arquivo de precatórios não encontrado: " + documento.string() + ". Nenhum registro foi importado.");
    std::ifstream in(documento, std::ios::binary);
    std::ostringstream conteudo;
    if (in) conteudo << in.rdbuf();
    if (!in || in.bad() || fs::is_directory(documento, ec))
        throw ErroES("Não foi possível ler o arquivo de precatórios " + documento.string() +
                     ". Nenhum registro foi importado.");
    const std::string bytes = conteudo.str();
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw ErroES("O arquivo de precatórios " + documento.string() +
                     " é grande demais para ser lido. Nenhum registro foi importado.");

    // The declared encoding rules (the payments program declares ISO-8859-1);
    // without a declaration, text that is not UTF-8 is read as Windows-1252.
    const char* codificacao = nullptr;
    if (!DeclaraCodificacao(bytes) && !Utf8Valido(bytes))
        codificacao = xmlFindCharEncodingHandler("WINDOWS-1252") ? "WINDOWS-1252" : "ISO-8859-1";

    CtxXml ctx;
    if (!ctx.ctx) throw ErroKorva("Memória insuficiente para ler o arquivo de precatórios.");
    DocXml doc;
    PrimeiroErro erro;
    {
        DesviaErros desvio(erro);
        // No network, no external DTD, no entity substitution.
        doc.doc = xmlCtxtReadMemory(ctx.ctx, bytes.data(), static_cast<int>(bytes.size()), nullptr, codificacao,
                                    XML_PARSE_NONET | XML_PARSE_NOCDATA);
    }
    if (!doc.doc || !ctx.ctx->wellFormed) {
        if (!erro.visto) {
            if (const xmlError* ultimo = xmlCtxtGetLastError(ctx.ctx)) PrimeiroErro::Recebe(&erro, const_cast<xmlError*>(ultimo));
        }
        std::string onde;
        if (erro.linha > 0) {
            onde = " (erro na linha " + std::to_string(erro.linha);
            if (erro.coluna > 0) onde += ", coluna " + std::to_string(erro.coluna);
            onde += ")";
        }
        throw ErroConversao("O arquivo de precatórios " + documento.string() + " não é um documento XML válido" +
                            onde + ". Nenhum registro foi importado.");
    }
    const xmlNode* raiz = xmlDocGetRootElement(doc.doc);
    if (!raiz || Nome(raiz) != "PRCT01")
        throw ErroConversao("O arquivo " + documento.string() +
                            " não é um documento de precatórios: o elemento principal deveria ser PRCT01" +
                            (raiz ? ", e é " + Nome(raiz) : std::string()) + ". Nenhum registro foi importado.");
    std::vector<RegistroPrecatorio> registros;
    for (const xmlNode* e = raiz->children; e; e = e->next)
        if (e->type == XML_ELEMENT_NODE && Nome(e) == "REGISTRO") registros.push_back(LeRegistro(e, registros.size() + 1));
    return registros;
}

// ---------------------------------------------------------------------------
// The import
// ---------------------------------------------------------------------------
namespace {

// The packet element that fills a record field, for messages.
std::string ElementoDoCampo(const std::string& campo) {
    if (campo == "UsarJurosPadrao") return "USARJURUSPADRAO";
    return Maiusculas(campo);
}

void Define(Tabela& t, const char* campo, const Valor& v) {
    try {
        t[campo] = v;
    } catch (const std::exception& e) {
        throw FalhaElemento(ElementoDoCampo(campo), e.what());
    }
}

void Exige(bool presente, const char* elemento) {
    if (!presente) throw FalhaElemento(elemento, "elemento ausente ou vazio; o campo é obrigatório.");
}

void PreencheRegistro(Tabela& t, const RegistroPrecatorio& r) {
    Exige(!r.processo.empty(), "PROCESSO");
    Exige(r.codRecte.has_value(), "CODRECTE");
    Exige(r.dtAjuiz.has_value(), "DTAJUIZ");
    Exige(r.dtBase.has_value(), "DTBASE");
    Exige(r.valor.has_value(), "VALOR");
    Exige(!r.dtFinal.empty(), "DTFINAL");
    const auto dtFinal = Data::lerDMA(r.dtFinal);
    if (!dtFinal) throw FalhaElemento("DTFINAL", "'" + r.dtFinal + "' não é uma data válida (dd/mm/aaaa).");

    // The lawsuit number first: its check runs as it is set.
    Define(t, "Processo", r.processo);
    Define(t, "CodRecte", *r.codRecte);
    Define(t, "DtAjuiz", *r.dtAjuiz);
    Define(t, "DtBase", *r.dtBase);
    Define(t, "Valor", *r.valor);
    Define(t, "DtFinal", *dtFinal);
    if (!r.parte1.empty()) Define(t, "Parte1", r.parte1);
    if (!r.parte2.empty()) Define(t, "Parte2", r.parte2);
    // An empty OBS leaves the note of a new record (from the defaults) in place.
    if (!r.obs.empty()) Define(t, "Obs", r.obs);
    Define(t, "ComJuros", r.comJuros);
    Define(t, "JurosConstantes", r.jurosConstantes);
    Define(t, "ValorJuros", r.valorJuros);
    Define(t, "Indice", r.indice);
    Define(t, "FormaAbatimento", r.formaAbatimento);
    // USARJURUSPADRAO is a flag in the document, while the record keeps one of
    // three interest modes (legal, limited, informed variations), and no rule
    // says which mode either flag value stands for. The record keeps the mode
    // of a new record, taken from the defaults row; the flag is read (a value
    // that is not a flag is still refused) but not applied.
    // ValorFGTS, CalcularJurosFGTS and ObsFinal are not in the packet either:
    // they keep the values of a new record.
}

}  // namespace

std::vector<int> ImportaPrecatorios(Banco& privado, const AjustesRegistro& ajustes, const fs::path& documento,
                                    Data hoje) {
    const std::vector<RegistroPrecatorio> registros = LePrecatorios(documento);
    if (registros.empty())
        throw ErroKorva("O arquivo de precatórios " + documento.string() +
                        " não contém nenhum REGISTRO. Nenhum registro foi importado.");

    RegistrosProrrata reg(privado, ajustes, [hoje] { return hoje; });
    reg.abre();
    Tabela& t = reg.registros();
    std::vector<int> codigos;
    {
        // All or nothing: a refused record takes the ones before it back.
        Transacao tr(privado);
        for (size_t i = 0; i < registros.size(); ++i) {
            const RegistroPrecatorio& r = registros[i];
            try {
                t.insere();
                PreencheRegistro(t, r);
                t.grava();  // also copies the default additions, in this transaction
                codigos.push_back(reg.codigoAtual());
            } catch (const std::exception& e) {
                if (t.editando()) t.cancela();
                std::string detalhe;
                if (auto f = dynamic_cast<const FalhaElemento*>(&e))
                    detalhe = ", elemento " + f->elemento() + ": " + e.what();
                else if (auto c = dynamic_cast<const ErroCampo*>(&e))
                    detalhe = ", elemento " + ElementoDoCampo(c->campo()) + ": " + e.what();
                else
                    detalhe = std::string(": ") + e.what();
                throw ErroKorva(Lugar(i + 1, r.processo) + detalhe + " Nenhum registro foi importado.");
            }
        }
        tr.confirma();
    }
    reg.fecha();
    return codigos;
}

}  // namespace korva
