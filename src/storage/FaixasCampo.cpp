#include "storage/FaixasCampo.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "util/Erros.h"
#include <cstdio>
#include "util/Texto.h"

namespace korva {
namespace {

struct Faixa {
    double minimo, maximo;
};

Faixa FaixaDoCampo(const DefCampo& c) {
    switch (c.tipo) {
        case TipoCampo::Smallint: return {-32768.0, 32767.0};
        case TipoCampo::Integer: return {-2147483648.0, 2147483647.0};
        case TipoCampo::Autoinc: return {0.0, 2147483647.0};
        case TipoCampo::Float:
            return CampoDePercentual(c.nome) ? Faixa{-kMaiorPercentual, kMaiorPercentual}
                                             : Faixa{-kMaiorValor, kMaiorValor};
        default: return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    }
}

std::string Numero(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "infinito" : "-infinito";
    char b[64];
    if (std::fabs(v) < 1e15) std::snprintf(b, sizeof b, v == std::floor(v) ? "%.0f" : "%.2f", v);
    else std::snprintf(b, sizeof b, "%.6g", v);
    std::string r = b;
    for (auto& c : r)
        if (c == '.') c = ',';
    return r;
}

[[noreturn]] void Fora(const DefCampo& c, const std::string& tabela, const std::string& valor, const std::string& faixa,
                       bool acima) {
    throw ErroBanco(acima ? CodigoBanco::AcimaDoMaximo : CodigoBanco::AbaixoDoMinimo,
                    "Dado fora da faixa de valores possíveis: tabela " + tabela + ", campo " + c.nome + " = " + valor +
                        " (" + faixa + ")");
}

}  // namespace

bool CampoDePercentual(const std::string& nome) {
    if (nome.size() >= 10 && IguaisSemCaixa(nome.substr(0, 10), "Percentual")) return true;
    for (const char* n : {"Taxa", "Juros", "INSSReclamante", "INSSReclamado", "INSSTerceiros", "INSSRisco"})
        if (IguaisSemCaixa(nome, n)) return true;
    return false;
}

void ConfereFaixas(const DefTabela& def, const std::vector<Valor>& valores, const std::string& tabela) {
    static const Data menorData = Data::de(1900, 1, 1), maiorData = Data::de(2100, 12, 31);
    for (size_t i = 0; i < def.campos.size() && i < valores.size(); ++i) {
        const DefCampo& c = def.campos[i];
        const Valor& v = valores[i];
        if (v.nulo()) continue;
        switch (c.tipo) {
            case TipoCampo::Smallint:
            case TipoCampo::Integer:
            case TipoCampo::Autoinc:
            case TipoCampo::Float: {
                if (!v.ehNumero() && !v.ehInteiro()) break;  // text is the field's own conversion's business
                const double x = v.ehInteiro() ? static_cast<double>(v.comoInteiro()) : v.comoNumero();
                const Faixa f = FaixaDoCampo(c);
                const bool inteiro = c.tipo == TipoCampo::Float || !v.ehNumero() || x == std::floor(x);
                if (x >= f.minimo && x <= f.maximo && inteiro) break;  // NaN fails both comparisons
                const std::string faixa = "de " + Numero(f.minimo) + " a " + Numero(f.maximo);
                Fora(c, tabela, Numero(x), inteiro ? faixa : "um número inteiro " + faixa, !(x < f.minimo));
                break;
            }
            case TipoCampo::Date: {
                if (!v.ehData()) break;
                const Data d = v.comoData();
                // The zero date (30/12/1899) stands for a date left empty.
                if (d != Data() && (d < menorData || d > maiorData))
                    Fora(c, tabela, d.dma(), "de 01/01/1900 a 31/12/2100", d > maiorData);
                break;
            }
            default:
                break;
        }
    }
}

}  // namespace korva
