// The join of cards and schedules and the monthly figures, with the weekly
// counting of overtime.
#include <gtest/gtest.h>

#include <vector>

#include "BasePonto.h"
#include "timecards/ApuracaoPonto.h"

namespace korva {
namespace {

using teste::Escala;
using teste::Hora;

struct ApuracaoTeste : teste::BasePonto {
    std::vector<JornadaPonto> jornadas;
    std::vector<CartaoApurado> lidos;

    std::vector<FigurasMes> apura() {
        jornadas = LeJornadas(banco, tabelaF);
        lidos = ApuraCartoes(jornadas, LeCartoes(banco, tabelaG));
        return ApuraMeses(jornadas, lidos);
    }
};

Escala Semanal(double horas) {
    Escala e;
    e.apuracao = "S";
    e.horasSemanais = horas;
    return e;
}

TEST_F(ApuracaoTeste, ACardIsReadOncePerScheduleThatHoldsIt) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 20));
    jornada(Data::de(2004, 3, 15), Data::de(2004, 3, 31), Semanal(40));
    cartao(Data::de(2004, 2, 27), 8);  // before every schedule
    cartao(Data::de(2004, 3, 10), 8);
    cartao(Data::de(2004, 3, 16), 9);  // in both
    cartao(Data::de(2004, 4, 1), 8);   // after every schedule
    apura();
    ASSERT_EQ(lidos.size(), 3u);
    EXPECT_EQ(lidos[0].cartao.data, Data::de(2004, 3, 10));
    EXPECT_EQ(lidos[1].cartao.data, Data::de(2004, 3, 16));
    EXPECT_EQ(jornadas[lidos[1].jornada].data1, Data::de(2004, 3, 1));
    EXPECT_EQ(lidos[2].cartao.data, Data::de(2004, 3, 16));
    EXPECT_EQ(jornadas[lidos[2].jornada].data1, Data::de(2004, 3, 15));
    EXPECT_TRUE(jornadas[lidos[2].jornada].semanal);
    EXPECT_NEAR(lidos[1].extras.horasExt, 1, 1e-9);
    // Both edges of a period hold.
    cartao(Data::de(2004, 3, 1), 8);
    cartao(Data::de(2004, 3, 31), 8);
    EXPECT_EQ(apura().size(), 1u);
    EXPECT_EQ(lidos.size(), 5u);
}

TEST_F(ApuracaoTeste, TheTwelveFiguresOfAMonth) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31));
    cartao(Data::de(2004, 3, 14), 6);              // Sunday
    cartao(Data::de(2004, 3, 15), 5, true);        // Monday off, worked
    cartao(Data::de(2004, 3, 16), 0);              // Tuesday, not worked
    cartao(Data::de(2004, 3, 17), 2, false, Hora(21));  // Wednesday 21:00-23:00: one night hour
    const auto meses = apura();
    ASSERT_EQ(meses.size(), 1u);
    const FigurasMes& m = meses[0];
    EXPECT_EQ(m.ano, 2004);
    EXPECT_EQ(m.mes, 3);
    const double quarta = 1 + 1.1428;
    EXPECT_NEAR(m.figura(0), 6 + 5 + quarta, 1e-9);  // hours worked
    EXPECT_NEAR(m.figura(1), 5, 1e-9);               // the day off is all overtime; Sunday 6 < 8
    EXPECT_NEAR(m.figura(2), 1.1428, 1e-9);          // night hours
    EXPECT_NEAR(m.figura(3), 5, 1e-9);               // hours on days off
    EXPECT_EQ(m.figura(4), 3);                       // days worked
    EXPECT_EQ(m.figura(5), 3);                       // cards not "F"
    EXPECT_EQ(m.figura(6), 1);                       // cards "F"
    EXPECT_EQ(m.figura(7), 31);
    EXPECT_EQ(m.figura(8), 4);
    EXPECT_EQ(m.figura(9), 8);
    EXPECT_NEAR(m.figura(10), 6, 1e-9);  // Sunday hours
    EXPECT_EQ(m.figura(11), 27);
    EXPECT_EQ(m.figura(-1), 0);
    EXPECT_EQ(m.figura(12), 0);
}

TEST(FigurasCalendario, FebruaryOfALeapYear) {
    FigurasMes f;
    FigurasCalendario(2004, 2, f);
    EXPECT_EQ(f.figuras[7], 29);
    EXPECT_EQ(f.figuras[8], 5);   // 1, 8, 15, 22, 29
    EXPECT_EQ(f.figuras[9], 9);   // and Saturdays 7, 14, 21, 28
    EXPECT_EQ(f.figuras[11], 25);
    FigurasCalendario(2003, 2, f);
    EXPECT_EQ(f.figuras[7], 28);
    EXPECT_EQ(f.figuras[11], 24);
}

TEST_F(ApuracaoTeste, WeeklyCountingClosesTheWeekOnSaturday) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31), Semanal(44));
    for (int dia = 8; dia <= 13; ++dia) cartao(Data::de(2004, 3, dia), 8);  // Monday to Saturday
    // The next week stays under the limit.
    for (int dia = 15; dia <= 19; ++dia) cartao(Data::de(2004, 3, dia), 8);
    const auto meses = apura();
    ASSERT_EQ(meses.size(), 1u);
    EXPECT_NEAR(meses[0].figura(1), 4, 1e-9);
}

TEST_F(ApuracaoTeste, TheLastIncompleteWeekCounts) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31), Semanal(40));
    for (int dia = 8; dia <= 11; ++dia) cartao(Data::de(2004, 3, dia), 12);  // Monday to Thursday
    EXPECT_NEAR(apura()[0].figura(1), 8, 1e-9);
}

TEST_F(ApuracaoTeste, AWeekAcrossTwoMonthsIsCutAtTheMonthEnd) {
    // Wednesday 29/01/2003 to Saturday 01/02/2003, 10 hours a day, limit 20.
    jornada(Data::de(2003, 1, 1), Data::de(2003, 2, 28), Semanal(20));
    for (int dia = 29; dia <= 31; ++dia) cartao(Data::de(2003, 1, dia), 10);
    cartao(Data::de(2003, 2, 1), 10);
    cartao(Data::de(2003, 2, 3), 10);  // Monday of the next week
    const auto meses = apura();
    ASSERT_EQ(meses.size(), 2u);
    // January's 30 hours against the whole limit; February's Saturday alone is under it.
    EXPECT_NEAR(meses[0].figura(1), 10, 1e-9);
    EXPECT_NEAR(meses[1].figura(1), 0, 1e-9);
}

TEST_F(ApuracaoTeste, TheCutWeekIsWeighedAgainstTheNewMonthsLimit) {
    jornada(Data::de(2003, 1, 1), Data::de(2003, 1, 31), Semanal(20));
    jornada(Data::de(2003, 2, 1), Data::de(2003, 2, 28), Semanal(28));
    for (int dia = 29; dia <= 31; ++dia) cartao(Data::de(2003, 1, dia), 10);
    cartao(Data::de(2003, 2, 1), 10);
    const auto meses = apura();
    ASSERT_EQ(meses.size(), 2u);
    EXPECT_NEAR(meses[0].figura(1), 2, 1e-9);  // 30 - 28, the first February card's limit
}

TEST_F(ApuracaoTeste, DailyAndWeeklySchedulesInOneMonth) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 14));
    jornada(Data::de(2004, 3, 15), Data::de(2004, 3, 31), Semanal(30));
    cartao(Data::de(2004, 3, 10), 10);  // daily: 2 over 8
    cartao(Data::de(2004, 3, 13), 6);   // Saturday under the daily schedule: 2 over 4
    for (int dia = 15; dia <= 18; ++dia) cartao(Data::de(2004, 3, dia), 9);  // 36 in a week of 30
    EXPECT_NEAR(apura()[0].figura(1), 2 + 2 + 6, 1e-9);
}

TEST_F(ApuracaoTeste, NoCardsNoMonths) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31));
    EXPECT_TRUE(apura().empty());
    // Missing tables read as empty.
    EXPECT_TRUE(LeCartoes(banco, "Sub00001\\G9999999.db").empty());
}

}  // namespace
}  // namespace korva
