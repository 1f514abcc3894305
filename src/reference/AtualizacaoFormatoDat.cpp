#include "reference/AtualizacaoFormatoDat.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <limits>
#include <sstream>

#include "util/Data.h"
#include "util/Erros.h"

namespace korva {
namespace {

constexpr int AnoMinimo = 1900;
constexpr int AnoMaximo = 2100;

size_t Tamanho(TipoDat t) {
    switch (t) {
        case TipoDat::Ano:
        case TipoDat::Mes:
        case TipoDat::Inteiro:
        case TipoDat::Enchimento: return 4;
        case TipoDat::Numero:
        case TipoDat::Data: return 8;
    }
    return 0;
}

bool Inteiro32(TipoDat t) { return t == TipoDat::Ano || t == TipoDat::Mes || t == TipoDat::Inteiro; }

int32_t SerialMinimo() { return Data::de(AnoMinimo, 1, 1).serial(); }
int32_t SerialMaximo() { return Data::de(AnoMaximo, 12, 31).serial(); }

std::string Numero(double v) {
    std::ostringstream s;
    s << std::setprecision(15) << v;
    return s.str();
}

uint32_t Le32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint64_t Le64(const unsigned char* p) { return uint64_t{Le32(p)} | uint64_t{Le32(p + 4)} << 32; }

void Poe32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Poe64(std::string& s, uint64_t v) {
    Poe32(s, static_cast<uint32_t>(v));
    Poe32(s, static_cast<uint32_t>(v >> 32));
}

FormatoDat Formato(std::string arquivo, std::string tabela, std::string rotulo, std::vector<CampoDat> campos,
                   std::vector<std::string> chave) {
    return {std::move(arquivo), std::move(tabela), std::move(rotulo), std::move(campos), std::move(chave)};
}

// Ano and Mes, then the floats named.
std::vector<CampoDat> MesEFloats(std::initializer_list<const char*> nomes) {
    std::vector<CampoDat> c = {{"Ano", TipoDat::Ano}, {"Mes", TipoDat::Mes}};
    for (const char* n : nomes) c.push_back({n, TipoDat::Numero});
    return c;
}

// Text that opens like a markup page: after blanks (and a UTF-8 byte-order
// mark), "<" and a letter, "!" or "?". Only asked about bytes already refused.
bool PareceHtml(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t' || bytes.front() == '\r' ||
                              bytes.front() == '\n'))
        bytes.remove_prefix(1);
    if (bytes.size() < 2 || bytes[0] != '<') return false;
    const char c = bytes[1];
    return c == '!' || c == '?' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

size_t FormatoDat::tamanhoRegistro() const {
    size_t n = 0;
    for (const auto& c : campos) n += Tamanho(c.tipo);
    return n;
}

std::vector<const CampoDat*> FormatoDat::camposComValor() const {
    std::vector<const CampoDat*> r;
    for (const auto& c : campos)
        if (c.tipo != TipoDat::Enchimento) r.push_back(&c);
    return r;
}

const FormatoDat& FormatoDiario() {
    static const FormatoDat f = Formato(
        "Diario.dat", "Diario.DB", "Tabela de Indices Diários",
        {{"CodIndice", TipoDat::Inteiro}, {"", TipoDat::Enchimento}, {"Data", TipoDat::Data}, {"Indice", TipoDat::Numero}},
        {"CodIndice", "Data"});
    return f;
}

const FormatoDat& FormatoValores() {
    static const FormatoDat f =
        Formato("Valores.dat", "Valores.DB", "Tabela de Valores",
                MesEFloats({"SalMin", "SalFam1", "SalFam2", "LimMinimo", "LimMaximo", "ValorMaximo"}), {"Ano", "Mes"});
    return f;
}

const FormatoDat& FormatoFaixasINSS() {
    static const FormatoDat f =
        Formato("FaixasINSS.dat", "FaixasINSS.DB", "Tabela do INSS",
                MesEFloats({"LimiteMinimo", "Limite1", "Percentual1", "Limite2", "Percentual2", "Limite3", "Percentual3",
                            "Limite4", "Percentual4", "Limite5", "Percentual5"}),
                {"Ano", "Mes"});
    return f;
}

const FormatoDat& FormatoFaixasIR() {
    static const FormatoDat f =
        Formato("FaixasIR.dat", "FaixasIR.db", "Tabela do IR",
                MesEFloats({"LimiteMinimo", "Limite1", "Percentual1", "Deducao1", "Limite2", "Percentual2", "Deducao2",
                            "Limite3", "Percentual3", "Deducao3", "PercentualMaximo", "DeducaoMaximo",
                            "DeducaoDependente", "DeducaoDaBase"}),
                {"Ano", "Mes"});
    return f;
}

const std::vector<const FormatoDat*>& FormatosNaOrdemDeDownload() {
    static const std::vector<const FormatoDat*> v = {&FormatoValores(), &FormatoFaixasINSS(), &FormatoFaixasIR(),
                                                     &FormatoDiario()};
    return v;
}

const std::vector<const FormatoDat*>& FormatosNaOrdemDeAplicacao() {
    static const std::vector<const FormatoDat*> v = {&FormatoDiario(), &FormatoValores(), &FormatoFaixasINSS(),
                                                     &FormatoFaixasIR()};
    return v;
}

std::optional<std::string> ProblemaDoValor(const CampoDat& campo, double valor) {
    switch (campo.tipo) {
        case TipoDat::Ano:
            if (valor < AnoMinimo || valor > AnoMaximo)
                return "o ano " + Numero(valor) + " está fora de " + std::to_string(AnoMinimo) + " a " +
                       std::to_string(AnoMaximo);
            break;
        case TipoDat::Mes:
            if (valor < 1 || valor > 12) return "o mês " + Numero(valor) + " está fora de 1 a 12";
            break;
        case TipoDat::Inteiro:
            if (!(valor >= std::numeric_limits<int32_t>::min() && valor <= std::numeric_limits<int32_t>::max()))
                return "o valor de " + campo.nome + " (" + Numero(valor) + ") não cabe num inteiro de 32 bits";
            break;
        case TipoDat::Numero:
            if (!std::isfinite(valor)) return "o valor de " + campo.nome + " não é um número válido";
            break;
        case TipoDat::Data:
            if (!std::isfinite(valor)) return "a data em " + campo.nome + " não é um número válido";
            if (valor < SerialMinimo() || valor >= SerialMaximo() + 1.0)
                return "a data em " + campo.nome + " (dia " + Numero(valor) + ") está fora de " +
                       Data::deSerial(SerialMinimo()).dma() + " a " + Data::deSerial(SerialMaximo()).dma();
            break;
        case TipoDat::Enchimento: break;
    }
    return std::nullopt;
}

std::vector<RegistroDat> LeRegistrosDat(const FormatoDat& formato, std::string_view bytes) {
    const size_t tam = formato.tamanhoRegistro();
    auto recusa = [&](std::string motivo) {
        // A proxy or a misconfigured server may answer with a page instead
        // of the file; saying so helps more than the first odd value in it.
        if (PareceHtml(bytes)) motivo = "o conteúdo é uma página da web (HTML), não os registros da tabela";
        throw ErroDados("O arquivo " + formato.arquivo + " não está no formato esperado: " + motivo + ".");
    };
    if (bytes.empty()) recusa("o arquivo está vazio, sem nenhum registro");
    if (bytes.size() % tam != 0)
        recusa("tem " + std::to_string(bytes.size()) + " bytes, que não formam registros inteiros de " +
               std::to_string(tam) + " bytes");
    const size_t n = bytes.size() / tam;
    std::vector<RegistroDat> registros;
    registros.reserve(n);
    const auto* base = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t r = 0; r < n; ++r) {
        const unsigned char* p = base + r * tam;
        RegistroDat reg;
        for (const auto& campo : formato.campos) {
            double bruto = 0;
            if (Inteiro32(campo.tipo))
                bruto = static_cast<int32_t>(Le32(p));
            else if (campo.tipo != TipoDat::Enchimento)
                bruto = std::bit_cast<double>(Le64(p));
            p += Tamanho(campo.tipo);
            if (campo.tipo == TipoDat::Enchimento) continue;
            if (auto problema = ProblemaDoValor(campo, bruto))
                recusa("no registro " + std::to_string(r + 1) + ", " + *problema);
            if (Inteiro32(campo.tipo))
                reg.emplace_back(static_cast<int>(bruto));
            else if (campo.tipo == TipoDat::Data)
                reg.emplace_back(Data::deSerial(static_cast<int32_t>(std::floor(bruto))));  // no time of day
            else
                reg.emplace_back(bruto);
        }
        registros.push_back(std::move(reg));
    }
    return registros;
}

std::vector<RegistroDat> LeArquivoDat(const FormatoDat& formato, const std::filesystem::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    if (!f)
        throw ErroES("Não foi possível abrir o arquivo " + arquivo.string() + ": " + std::strerror(errno) + ".");
    std::ostringstream conteudo;
    conteudo << f.rdbuf();
    if (f.bad()) throw ErroES("Não foi possível ler o arquivo " + arquivo.string() + ".");
    return LeRegistrosDat(formato, conteudo.str());
}

std::string EscreveRegistrosDat(const FormatoDat& formato, const std::vector<RegistroDat>& registros) {
    const auto comValor = formato.camposComValor();
    std::string s;
    s.reserve(registros.size() * formato.tamanhoRegistro());
    for (size_t r = 0; r < registros.size(); ++r) {
        const auto& reg = registros[r];
        if (reg.size() != comValor.size())
            throw ErroDados("Registro " + std::to_string(r + 1) + " de " + formato.arquivo + " com " +
                            std::to_string(reg.size()) + " valores; o formato tem " +
                            std::to_string(comValor.size()) + ".");
        size_t i = 0;
        for (const auto& campo : formato.campos) {
            if (campo.tipo == TipoDat::Enchimento) {
                Poe32(s, 0);
                continue;
            }
            const Valor& v = reg[i++];
            const double bruto = v.nulo() ? 0.0 : v.comoNumero();  // a date gives its serial
            if (auto problema = ProblemaDoValor(campo, bruto))
                throw ErroDados("Não é possível gravar o arquivo " + formato.arquivo + ": no registro " +
                                std::to_string(r + 1) + ", " + *problema + ".");
            if (Inteiro32(campo.tipo))
                Poe32(s, static_cast<uint32_t>(static_cast<int32_t>(bruto)));
            else
                Poe64(s, std::bit_cast<uint64_t>(bruto));
        }
    }
    return s;
}

void GravaArquivoDat(const FormatoDat& formato, const std::vector<RegistroDat>& registros,
                     const std::filesystem::path& arquivo) {
    const std::string bytes = EscreveRegistrosDat(formato, registros);
    auto temporario = arquivo;
    temporario += ".tmp";
    {
        std::ofstream f(temporario, std::ios::binary | std::ios::trunc);
        if (!f)
            throw ErroES("Não foi possível criar o arquivo " + temporario.string() + ": " + std::strerror(errno) +
                         ".");
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            std::error_code ec;
            std::filesystem::remove(temporario, ec);
            throw ErroES("Não foi possível gravar o arquivo " + arquivo.string() + ".");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporario, arquivo, ec);
    if (ec) {
        std::filesystem::remove(temporario, ec);
        throw ErroES("Não foi possível gravar o arquivo " + arquivo.string() + ": " + ec.message() + ".");
    }
}

}  // namespace korva
