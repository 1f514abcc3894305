// Interest between two dates: the legal and limited schedules, the compound
// period, the constant 1 %, the variation table, the day fractions and the
// dates where periods meet.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "apoio/MensagemMostrada.h"
#include "results/JurosPeriodos.h"
#include "util/Erros.h"

using namespace korva;

namespace {

Data D(int dia, int mes, int ano) { return Data::de(ano, mes, dia); }

double Juros(int modo, Data de, Data ate, const std::vector<VariacaoJuros>& linhas = {}) {
    return CalculaJuros(true, de, ate, modo, linhas);
}

// n months compounded at 1 %, as a percentage.
double Composto(int n) { return 100 * (std::pow(1.01, n) - 1); }

constexpr double kTol = 1e-9;

}  // namespace

TEST(JurosPeriodos, DayFractionsCountThirtyDaysExceptFebruary) {
    EXPECT_EQ(DiasDoMes(1, 2001), 30);
    EXPECT_EQ(DiasDoMes(12, 2001), 30);
    EXPECT_EQ(DiasDoMes(2, 1999), 28);
    EXPECT_EQ(DiasDoMes(2, 2000), 29);
    EXPECT_EQ(DiasDoMes(2, 1900), 28);

    EXPECT_DOUBLE_EQ(FracaoInicial(31, 1, 2003, 1.0), 1.0 / 30);  // the 31st earns 1/30
    EXPECT_DOUBLE_EQ(FracaoInicial(30, 4, 2003, 1.0), 0.0);       // the 30th earns nothing
    EXPECT_DOUBLE_EQ(FracaoInicial(10, 2, 2003, 3.0), 3.0 * 18 / 28);
    EXPECT_DOUBLE_EQ(FracaoFinal(28, 2, 1999, 2.0), 2.0);  // end of February: the full rate
    EXPECT_DOUBLE_EQ(FracaoFinal(29, 2, 2000, 2.0), 2.0);
    EXPECT_DOUBLE_EQ(FracaoFinal(28, 2, 2000, 2.0), 2.0 * 28 / 29);
    EXPECT_DOUBLE_EQ(FracaoFinal(31, 5, 2000, 2.0), 2.0);
    EXPECT_DOUBLE_EQ(FracaoFinal(15, 5, 2000, 2.0), 1.0);
    // Inside one month the difference of the end fractions, with the start's month.
    EXPECT_DOUBLE_EQ(JurosNoMes(D(10, 2, 2001), D(24, 2, 2001), 1.0), 14.0 / 28);
    EXPECT_DOUBLE_EQ(JurosNoMes(D(30, 3, 2001), D(31, 3, 2001), 1.0), 0.0);
}

TEST(JurosPeriodos, LegalSchedule) {
    EXPECT_NEAR(Juros(0, D(10, 1, 1987), D(26, 2, 1987)), 0.5 * (20.0 / 30 + 26.0 / 28), kTol);
    EXPECT_NEAR(Juros(0, D(10, 1, 1987), D(26, 2, 1987)), 0.797619, 1e-6);
    EXPECT_NEAR(Juros(0, D(15, 3, 2000), D(20, 3, 2000)), 5.0 / 30, kTol);
    EXPECT_NEAR(Juros(0, D(15, 3, 2000), D(31, 12, 2002)), 33.5, kTol);
    // Across all three periods: 0.5 % simple, 1 % compound, 1 % simple.
    const double esperado = JurosDoPeriodo(D(20, 12, 1986), D(26, 2, 1987), 0.5, 'S') +
                            JurosDoPeriodo(D(27, 2, 1987), D(3, 3, 1991), 1.0, 'C') +
                            JurosDoPeriodo(D(4, 3, 1991), D(10, 5, 1995), 1.0, 'S');
    EXPECT_NEAR(Juros(0, D(20, 12, 1986), D(10, 5, 1995)), esperado, kTol);
}

TEST(JurosPeriodos, LimitedScheduleHalvesTheRateAfterAugust2001) {
    EXPECT_NEAR(JurosDoPeriodo(D(15, 3, 2000), D(26, 8, 2001), 1.0, 'S'), 17.366667, 1e-6);
    EXPECT_NEAR(JurosDoPeriodo(D(27, 8, 2001), D(31, 12, 2002), 0.5, 'S'), 8.05, kTol);
    EXPECT_NEAR(Juros(1, D(15, 3, 2000), D(31, 12, 2002)), 16 + 0.5 + 26.0 / 30 + 7.5 + 0.05 + 0.5, kTol);
    EXPECT_NEAR(Juros(1, D(15, 3, 2000), D(31, 12, 2002)), 25.416667, 1e-6);
    // Before the cut the limited schedule is the legal one.
    EXPECT_NEAR(Juros(1, D(10, 1, 1987), D(20, 6, 2001)), Juros(0, D(10, 1, 1987), D(20, 6, 2001)), kTol);
    // Wholly after the cut: 0.5 % simple.
    EXPECT_NEAR(Juros(1, D(1, 1, 2003), D(31, 12, 2003)), 0.5 * 10 + 0.5 * 29.0 / 30 + 0.5, kTol);
}

TEST(JurosPeriodos, CompoundPeriodCountsWholeMonthsAndHalfMonthEnds) {
    // Start on the 1st compounds its month; end on the 31st adds a simple 1.
    EXPECT_NEAR(Juros(0, D(1, 1, 1990), D(31, 12, 1990)), Composto(11) + 1, kTol);
    EXPECT_NEAR(Juros(0, D(1, 1, 1990), D(31, 12, 1990)), 12.566835, 1e-6);
    // From the 16th and up to the 15th the end months add nothing.
    EXPECT_NEAR(Juros(0, D(16, 1, 1990), D(15, 12, 1990)), Composto(10), kTol);
    EXPECT_NEAR(Juros(0, D(16, 1, 1990), D(15, 12, 1990)), 10.462213, 1e-6);
    EXPECT_NEAR(Juros(0, D(15, 1, 1990), D(16, 12, 1990)), Composto(11) + 1, kTol);
    // Same month: the day fraction, whatever the form.
    EXPECT_NEAR(JurosDoPeriodo(D(5, 6, 1990), D(20, 6, 1990), 1.0, 'C'), 15.0 / 30, kTol);
    // Zero and negative rates do not compound; the end month's simple rate still counts.
    EXPECT_DOUBLE_EQ(JurosDoPeriodo(D(1, 1, 1990), D(31, 12, 1990), -1.0, 'C'), -1.0);
    EXPECT_DOUBLE_EQ(JurosDoPeriodo(D(1, 1, 1990), D(15, 12, 1990), 0.0, 'C'), 0.0);
}

TEST(JurosPeriodos, ConstantOnePercentMode) {
    EXPECT_NEAR(Juros(3, D(31, 1, 2003), D(10, 3, 2003)), 1.0 / 30 + 1 + 10.0 / 30, kTol);
    EXPECT_NEAR(Juros(3, D(31, 1, 2003), D(10, 3, 2003)), 1.366667, 1e-6);
    // One simple period, even across the dates of the legal schedule.
    EXPECT_NEAR(Juros(3, D(1, 1, 1990), D(31, 12, 1990)), 10 + 29.0 / 30 + 1, kTol);
    EXPECT_DOUBLE_EQ(Juros(3, D(5, 5, 2005), D(5, 5, 2005)), 0.0);
    // A span that ends before it starts earns nothing, not a positive rate.
    EXPECT_DOUBLE_EQ(Juros(3, D(10, 3, 2003), D(31, 1, 2003)), 0.0);
}

TEST(JurosPeriodos, VariationTable) {
    const std::vector<VariacaoJuros> linhas = {
        {D(31, 12, 1999), 2.0, "S"},
        {D(30, 6, 2000), 1.0, "C"},
        {D(31, 12, 2000), 0.5, "S"},
    };
    // Every row before `from`: no interest.
    EXPECT_DOUBLE_EQ(Juros(2, D(1, 1, 2001), D(31, 12, 2001), linhas), 0.0);
    // A row dated after `to` applies up to `to` only.
    EXPECT_NEAR(Juros(2, D(1, 8, 2000), D(15, 10, 2000), linhas), JurosDoPeriodo(D(1, 8, 2000), D(15, 10, 2000), 0.5, 'S'),
                kTol);
    // Each row's rate and form up to its date, the next row from the day after.
    const double esperado = JurosDoPeriodo(D(10, 11, 1999), D(31, 12, 1999), 2.0, 'S') +
                            JurosDoPeriodo(D(1, 1, 2000), D(30, 6, 2000), 1.0, 'C') +
                            JurosDoPeriodo(D(1, 7, 2000), D(20, 11, 2000), 0.5, 'S');
    EXPECT_NEAR(Juros(2, D(10, 11, 1999), D(20, 11, 2000), linhas), esperado, kTol);
    // The table ends before `to`: nothing after its last date.
    EXPECT_NEAR(Juros(2, D(1, 7, 2000), D(31, 3, 2002), linhas), JurosDoPeriodo(D(1, 7, 2000), D(31, 12, 2000), 0.5, 'S'),
                kTol);
    // An empty form gives no interest for its own period only.
    const std::vector<VariacaoJuros> semForma = {{D(31, 3, 2000), 5.0, ""}, {D(31, 12, 2000), 1.0, "S"}};
    EXPECT_NEAR(Juros(2, D(1, 1, 2000), D(31, 12, 2000), semForma), JurosDoPeriodo(D(1, 4, 2000), D(31, 12, 2000), 1.0, 'S'),
                kTol);
    // The same rows as the legal schedule give the legal schedule.
    const std::vector<VariacaoJuros> legais = {
        {D(26, 2, 1987), 0.5, "S"}, {D(3, 3, 1991), 1.0, "C"}, {D(31, 12, 2099), 1.0, "S"}};
    EXPECT_NEAR(Juros(2, D(10, 1, 1987), D(15, 6, 1995), legais), Juros(0, D(10, 1, 1987), D(15, 6, 1995)), kTol);

    try {
        Juros(2, D(1, 1, 2000), D(1, 1, 2001), {});
        ADD_FAILURE() << "mode 2 without rows must fail";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Informe a variação dos juros.");
    }
    EXPECT_EQ(teste::MensagemMostrada([] { Juros(2, D(1, 1, 2000), D(1, 1, 2001), {}); }),
              "Informe a variação dos juros.");
    const auto p = ProximoPeriodoJuros(D(1, 1, 2000), D(31, 3, 2000), 2, linhas);
    EXPECT_EQ(p.fim, D(31, 3, 2000));
    EXPECT_DOUBLE_EQ(p.taxa, 1.0);
    EXPECT_EQ(p.forma, 'C');
    const auto depois = ProximoPeriodoJuros(D(1, 1, 2001), D(31, 3, 2001), 2, linhas);
    EXPECT_EQ(depois.fim, D(31, 3, 2001));
    EXPECT_DOUBLE_EQ(depois.taxa, 0.0);
    EXPECT_EQ(depois.forma, 'S');
}

TEST(JurosPeriodos, BoundariesAndEmptySpans) {
    const std::vector<VariacaoJuros> linhas = {{D(31, 12, 2030), 1.0, "S"}};
    for (int modo = 0; modo <= 2; ++modo) {
        EXPECT_DOUBLE_EQ(Juros(modo, D(15, 3, 2000), D(15, 3, 2000), linhas), 0.0) << modo;
        EXPECT_DOUBLE_EQ(Juros(modo, D(15, 3, 2001), D(15, 3, 2000), linhas), 0.0) << modo;
    }
    // Nothing is computed, nor any row required, when calcula is false.
    for (int modo = 0; modo <= 3; ++modo)
        EXPECT_DOUBLE_EQ(CalculaJuros(false, D(1, 1, 1990), D(31, 12, 2000), modo, {}), 0.0) << modo;

    const Data longe = D(31, 12, 2010);
    auto periodo = [&](Data s, int modo) { return ProximoPeriodoJuros(s, longe, modo, {}); };
    EXPECT_EQ(periodo(D(26, 2, 1987), 0).fim, D(26, 2, 1987));
    EXPECT_DOUBLE_EQ(periodo(D(26, 2, 1987), 0).taxa, 0.5);
    EXPECT_EQ(periodo(D(27, 2, 1987), 0).fim, D(3, 3, 1991));
    EXPECT_EQ(periodo(D(27, 2, 1987), 0).forma, 'C');
    EXPECT_EQ(periodo(D(3, 3, 1991), 0).forma, 'C');
    EXPECT_EQ(periodo(D(4, 3, 1991), 0).forma, 'S');
    EXPECT_EQ(periodo(D(4, 3, 1991), 0).fim, longe);
    EXPECT_EQ(periodo(D(4, 3, 1991), 1).fim, D(26, 8, 2001));
    EXPECT_DOUBLE_EQ(periodo(D(26, 8, 2001), 1).taxa, 1.0);
    EXPECT_DOUBLE_EQ(periodo(D(27, 8, 2001), 1).taxa, 0.5);
    EXPECT_EQ(periodo(D(27, 8, 2001), 1).fim, longe);
    // The end never passes the final date.
    EXPECT_EQ(ProximoPeriodoJuros(D(1, 1, 1987), D(31, 1, 1987), 0, {}).fim, D(31, 1, 1987));

    EXPECT_EQ(teste::MensagemMostrada([] { Juros(4, D(1, 1, 2000), D(1, 1, 2001)); }),
              "Modo de cálculo dos juros inválido: 4.");
}

TEST(JurosPeriodos, SingleDayPeriodDoesNotEndTheWalk) {
    // Starting on the last day of a period: that day earns nothing, the rest
    // of the span earns its interest.
    EXPECT_NEAR(Juros(0, D(26, 2, 1987), D(31, 12, 1990)), JurosDoPeriodo(D(27, 2, 1987), D(31, 12, 1990), 1.0, 'C'),
                kTol);
    EXPECT_NEAR(Juros(0, D(26, 2, 1987), D(31, 12, 1990)), Composto(45) + 1, kTol);
    EXPECT_NEAR(Juros(0, D(3, 3, 1991), D(31, 12, 1991)), JurosDoPeriodo(D(4, 3, 1991), D(31, 12, 1991), 1.0, 'S'),
                kTol);
    EXPECT_NEAR(Juros(1, D(26, 8, 2001), D(31, 12, 2001)), JurosDoPeriodo(D(27, 8, 2001), D(31, 12, 2001), 0.5, 'S'),
                kTol);
    // Rows on consecutive days in the table.
    const std::vector<VariacaoJuros> linhas = {
        {D(31, 1, 2000), 1.0, "S"}, {D(1, 2, 2000), 2.0, "S"}, {D(31, 12, 2000), 1.0, "S"}};
    EXPECT_NEAR(Juros(2, D(31, 1, 2000), D(31, 12, 2000), linhas), 9 + 27.0 / 29 + 1, kTol);
}
