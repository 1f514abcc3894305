#pragma once
// The arithmetic of the pro-rata statement: the principal and interest
// brought from the base date to the first payment, each instalment deducted
// (interest first, or in proportion) and the balance carried to the next
// payment and, after the last, to the final date; the FGTS amount and the
// additions brought to the final date; the total.
//
// The figures are computed once, before layout, with the daily-index factor
// and the interest of the running program (or of a test); the statement
// prints them as they stand.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/FatorDiario.h"
#include "util/Data.h"

namespace korva {

class Banco;
class CorrecaoJuros;

struct ParcelaProrrata {
    Data data;
    double valor = 0;
};

struct AcrescimoProrrata {
    int codigo = 0;
    std::string descricao;
    double valor = 0;
    std::string tipo;  // "V" or "P"
    std::optional<Data> dtBase;
    bool totalizar = true;
};

// One record with its instalments (in Data order) and additions (in Codigo order).
struct DadosProrrata {
    int codigo = 0;
    std::string processo;
    int codRecte = 0;
    Data dtAjuiz, dtBase, dtFinal;
    double valor = 0;
    std::string parte1, parte2, obs, obsFinal;
    bool comJuros = true, jurosConstantes = true;
    int usarJurosPadrao = 0;
    double valorJuros = 0;
    int indice = 1;
    std::string formaAbatimento = "J";
    double valorFGTS = 0;
    bool calcularJurosFGTS = false;
    std::vector<ParcelaProrrata> parcelas;
    std::vector<AcrescimoProrrata> acrescimos;
};

// Reads the record `codigo` of Prorrata.db with its child rows; fails when
// there is none.
DadosProrrata LeDadosProrrata(Banco& privado, int codigo);

// The interest in percent from `de` to `ate`, as CalculaJuros gives it
// (mode 2 reading the variations of the pro-rata record `prorrata`).
using JurosEntreDatas = std::function<double(bool calcula, Data de, Data ate, int prorrata, int modo)>;

struct ParcelaExtrato {
    Data data, proxima;              // d and n
    double valor = 0;                // v
    double saldoPrincipal = 0;       // P'
    double saldoJuros = 0;           // J'
    double fator = 0;                // g
    double principalAtualizado = 0;  // P''
    double jurosAtualizados = 0;     // J''
    double juros = 0;                // i (percent)
    double valorJuros = 0;           // E
    double total = 0;                // P'' + J'' + E
};

struct AcrescimoExtrato {
    std::string descricao;
    std::string tipo;
    double valor = 0;  // the computed value
    std::string formula;
    bool totalizar = true;
};

struct FgtsExtrato {
    double fator = 0;  // I(DtBase -> DtFinal)
    double juros = 0;  // j (percent); 0 without CalcularJurosFGTS
    double valor = 0;  // FG
    std::string formula;
};

struct ExtratoProrrata {
    Data s;
    double f0 = 0, P = 0, W = 0, i0 = 0, E0 = 0;
    double totalAbertura = 0;  // P + W + E0
    std::vector<ParcelaExtrato> parcelas;
    std::optional<FgtsExtrato> fgts;  // only when ValorFGTS > 0
    std::vector<AcrescimoExtrato> acrescimos;
    double total = 0;
};

// Fails with the index's or the interest's message when a factor or a rate
// cannot be had, and with a Portuguese message for an amount addition
// without its base date.
ExtratoProrrata CalculaExtrato(const DadosProrrata& d, const FatorDiario& fator, const JurosEntreDatas& juros);
// The same with the daily indices and the interest of the running program
// (the record's own variations in mode 2).
ExtratoProrrata CalculaExtrato(const DadosProrrata& d, CorrecaoJuros& correcao);

// N(x, p, d) of the statement: `casas` decimals after rounding to at most
// `significativos` significant digits.
std::string NumeroExtrato(double x, int significativos, int casas);
// An amount as the statement prints it: whole to the cent at any size.
std::string ValorExtrato(double x);

// The mode of CalculaJuros for the FGTS amount: 1 % a month, simple.
inline constexpr int kModoJurosFGTS = 3;

}  // namespace korva
