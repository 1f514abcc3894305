#pragma once
// Interest between two dates, as a percentage, under the four interest modes:
// 0 the legal schedule, 1 the legal schedule limited after 26/08/2001,
// 2 a table of rate variations, 3 a constant 1 % per month (simple).
//
// Pure arithmetic over dates, no database and no rounding: the caller applies
// the percentage (amount x (1 + p / 100)). Months count 30 days for the day
// fractions, except February, which counts its calendar length.
#include <string>
#include <vector>

#include "util/Data.h"

namespace korva {

// The interest modes as stored in the calculation and pro-rata records.
namespace ModoJuros {
constexpr int Legais = 0;      // "Juros Legais"
constexpr int Limitados = 1;   // "Limitar Juros"
constexpr int Variacao = 2;    // "Informar variação"
constexpr int UmPorCento = 3;  // constant 1 % per month, only passed by program code
}  // namespace ModoJuros

inline constexpr const char* kMsgInformeVariacaoJuros = "Informe a variação dos juros.";

// A span of constant rate: it ends on `fim`, the rate is in percent per month
// and the form is 'S' (simple) or any other letter (compound).
struct PeriodoJuros {
    Data fim;
    double taxa = 0;
    char forma = 'S';
};

// One row of an interest-variation table: the rate applies up to and
// including `data`; `forma` "S" is simple, any other text compound, and an
// empty text gives no interest for the row's period.
struct VariacaoJuros {
    Data data;
    double juros = 0;
    std::string forma;
};

// Days of a month for the interest fractions: 30, February its calendar length.
int DiasDoMes(int mes, int ano);

// Part of the monthly rate earned by the start month when the span begins on
// day `dia`: R/30 on the 31st, else R x (L - dia) / L.
double FracaoInicial(int dia, int mes, int ano, double taxa);
// Part earned by the end month when the span ends on day `dia`: the whole rate
// on the 30th or 31st, else R x dia / L.
double FracaoFinal(int dia, int mes, int ano, double taxa);
// Interest of a span inside one month (both days taken with S's month).
double JurosNoMes(Data inicio, Data fim, double taxa);

// Interest of one span of constant rate and form.
double JurosDoPeriodo(Data inicio, Data fim, double taxa, char forma);

// The rate period that begins on `inicio`, not ending after `final`. Mode 2
// takes the first row (in the order given, ascending by date) dated on or
// after `inicio`; without one, the rest of the span carries rate 0.
// Fails with ErroDados for a mode outside 0..2.
PeriodoJuros ProximoPeriodoJuros(Data inicio, Data final, int modo, const std::vector<VariacaoJuros>& linhas);

// The interest from `de` to `ate`. 0 when `calcula` is false. Modes 0 to 2
// walk the rate periods (nothing when `de` is not before `ate`); mode 3 is one
// simple period at 1 %. Mode 2 needs `linhas` in ascending date order and
// fails with ErroDados("Informe a variação dos juros.") when there is none.
double CalculaJuros(bool calcula, Data de, Data ate, int modo, const std::vector<VariacaoJuros>& linhas);

}  // namespace korva
