// Day figures of a card: worked and night time, tolerances, break, overtime.
#include <gtest/gtest.h>

#include "timecards/HorasDia.h"

namespace korva {
namespace {

double Hora(int h, int m = 0) { return (h * 60 + m) / 1440.0; }

// A Wednesday (10/03/2004).
const Data Quarta = Data::de(2004, 3, 10);

JornadaPonto Jornada(int turnos = 2) {
    JornadaPonto j;
    j.turnos = turnos;
    j.previstos[0] = {Hora(8), Hora(0, 5), Hora(0, 5)};
    j.previstos[1] = {Hora(12), Hora(0, 5), Hora(0, 5)};
    j.previstos[2] = {Hora(14), Hora(0, 5), Hora(0, 5)};
    j.previstos[3] = {Hora(18), Hora(0, 5), Hora(0, 5)};
    return j;
}

CartaoPonto Cartao(Data d, std::initializer_list<double> marcas, bool folga = false) {
    CartaoPonto c;
    c.data = d;
    size_t i = 0;
    for (double m : marcas) c.marcacoes[i++] = m;
    c.folga = folga;
    return c;
}

TEST(HorasDia, WorkedAndNightTimeWithTheDecimalNightHour) {
    // Two shifts, no tolerance, no break.
    auto c = Cartao(Quarta, {Hora(8), Hora(12), Hora(14), Hora(18)});
    HorasDia h = CalculaHorasDia(c, Jornada());
    EXPECT_NEAR(h.horasTrab, 8, 1e-9);
    EXPECT_NEAR(h.horasNot, 0, 1e-9);
    EXPECT_NEAR(HorasExtDia(c, Jornada(), h.horasTrab).horasExt, 0, 1e-9);

    // 22:00-05:00 across midnight, all of it night time: 7 x 1.1428, not 8.
    h = CalculaHorasDia(Cartao(Quarta, {Hora(22), Hora(5)}), Jornada(1));
    EXPECT_NEAR(h.horasNot, 7.9996, 1e-9);
    EXPECT_NEAR(h.horasTrab, 7.9996, 1e-9);

    // 20:00-23:00: one hour of night.
    h = CalculaHorasDia(Cartao(Quarta, {Hora(20), Hora(23)}), Jornada(1));
    EXPECT_NEAR(h.horasTrab, 3.1428, 1e-9);
    EXPECT_NEAR(h.horasNot, 1.1428, 1e-9);

    // 03:00-07:00: two early-morning hours before the window ends at 05:00.
    h = CalculaHorasDia(Cartao(Quarta, {Hora(3), Hora(7)}), Jornada(1));
    EXPECT_NEAR(h.horasNot, 2 * 1.1428, 1e-9);
    EXPECT_NEAR(h.horasTrab, 2 + 2 * 1.1428, 1e-9);

    // 23:00-06:00 across midnight: one hour before midnight, five after.
    h = CalculaHorasDia(Cartao(Quarta, {Hora(23), Hora(6)}), Jornada(1));
    EXPECT_NEAR(h.horasNot, 6 * 1.1428, 1e-9);
    EXPECT_NEAR(h.horasTrab, 1 + 6 * 1.1428, 1e-9);
}

TEST(HorasDia, OnlyTheShiftsInUseCount) {
    auto c = Cartao(Quarta, {Hora(8), Hora(12), Hora(14), Hora(18), Hora(19), Hora(21)});
    EXPECT_NEAR(CalculaHorasDia(c, Jornada(1)).horasTrab, 4, 1e-9);
    EXPECT_NEAR(CalculaHorasDia(c, Jornada(2)).horasTrab, 8, 1e-9);
    EXPECT_NEAR(CalculaHorasDia(c, Jornada(3)).horasTrab, 10, 1e-9);
    // An unworked shift (00:00-00:00) adds neither worked nor night time.
    EXPECT_NEAR(CalculaHorasDia(c, Jornada(4)).horasTrab, 10, 1e-9);
}

TEST(HorasDia, TolerancesWithinAndPastTenMinutes) {
    JornadaPonto j = Jornada(1);
    j.habilitarTolerancia = true;
    // 07:57 and 12:04 both move to the schedule; 7 minutes of extra are within the day's 10.
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(7, 57), Hora(12, 4)}), j).horasTrab, 4, 1e-9);

    // Tolerances of 10 minutes, 07:52 and 12:08: 16 minutes of extra, all added.
    JornadaPonto dez = j;
    dez.previstos[0] = {Hora(8), Hora(0, 10), Hora(0, 10)};
    dez.previstos[1] = {Hora(12), Hora(0, 10), Hora(0, 10)};
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(7, 52), Hora(12, 8)}), dez).horasTrab, 4 + 16 / 60.0, 1e-9);

    // 12 minutes late with a 5-minute tolerance: stays as punched.
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(8, 12), Hora(12)}), j).horasTrab, 4 - 12 / 60.0, 1e-9);

    // Late within tolerance on both ends of two shifts: 4 x 4 minutes missing,
    // more than 10, so the whole 16 minutes come off (not the net).
    JornadaPonto dois = Jornada(2);
    dois.habilitarTolerancia = true;
    auto c = Cartao(Quarta, {Hora(8, 4), Hora(11, 56), Hora(14, 4), Hora(17, 56)});
    EXPECT_NEAR(CalculaHorasDia(c, dois).horasTrab, 8 - 16 / 60.0, 1e-9);
    // Extra 8 (early entry 4, late exit 4) against missing 8: nothing is added.
    c = Cartao(Quarta, {Hora(7, 56), Hora(12, 4), Hora(14, 4), Hora(17, 56)});
    EXPECT_NEAR(CalculaHorasDia(c, dois).horasTrab, 8, 1e-9);
    // Tolerances off: the punches count as they are.
    dois.habilitarTolerancia = false;
    EXPECT_NEAR(CalculaHorasDia(c, dois).horasTrab, 8, 1e-9);
    c = Cartao(Quarta, {Hora(7, 57), Hora(12, 4)});
    EXPECT_NEAR(CalculaHorasDia(c, Jornada(1)).horasTrab, 4 + 7 / 60.0, 1e-9);
}

TEST(HorasDia, PunchesRightOnTheToleranceEdges) {
    // 13:50 against 14:00 with 00:10 early (a sum that rounds outside the
    // edge): moved, and 10 minutes of extra are still within the day's tolerance.
    JornadaPonto j = Jornada(2);
    j.habilitarTolerancia = true;
    j.previstos[2] = {Hora(14), Hora(0, 10), Hora(0, 10)};
    auto c = Cartao(Quarta, {Hora(8), Hora(12), Hora(13, 50), Hora(18)});
    EXPECT_NEAR(CalculaHorasDia(c, j).horasTrab, 8, 1e-9);
    // 04:55 against 05:00 less 00:05; then the late edges, 08:10 and 12:10.
    j = Jornada(1);
    j.habilitarTolerancia = true;
    j.previstos[0] = {Hora(5), Hora(0, 5), Hora(0, 5)};
    // (its 5 night minutes, read as punched, still count at the reduced hour)
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(4, 55), Hora(12)}), j).horasTrab, 7 + 5 / 60.0 * 0.1428, 1e-9);
    j.previstos[0] = {Hora(8), Hora(0, 10), Hora(0, 10)};
    j.previstos[1] = {Hora(12), Hora(0, 10), Hora(0, 10)};
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(8, 10), Hora(12, 10)}), j).horasTrab, 4, 1e-9);
    // One minute past the edge stays as punched.
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(7, 49), Hora(12)}), j).horasTrab, 4 + 11 / 60.0, 1e-9);
}

TEST(HorasDia, TolerancesDoNotMoveTheNightTime) {
    JornadaPonto j = Jornada(1);
    j.habilitarTolerancia = true;
    j.previstos[0] = {Hora(22), Hora(0, 5), Hora(0, 5)};
    j.previstos[1] = {Hora(4), Hora(0, 5), Hora(0, 5)};
    // 04:03 moves to 04:00 for the worked time (6 h); the night time reads it
    // as punched (6 h 03 min).
    const HorasDia h = CalculaHorasDia(Cartao(Quarta, {Hora(22), Hora(4, 3)}), j);
    EXPECT_NEAR(h.horasNot, 6.05 * 1.1428, 1e-9);
    EXPECT_NEAR(h.horasTrab, 6 - 6.05 + 6.05 * 1.1428, 1e-9);
}

TEST(HorasDia, TheBreakComesOffOnlyWhenTheDayCoversIt) {
    JornadaPonto j = Jornada(1);
    j.intervalo = Hora(1);
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(8), Hora(8, 30)}), j).horasTrab, 0.5, 1e-9);
    EXPECT_NEAR(CalculaHorasDia(Cartao(Quarta, {Hora(8), Hora(17)}), j).horasTrab, 8, 1e-9);
}

TEST(HorasDia, OvertimeOfSaturdaySundayAndDaysOff) {
    const JornadaPonto j = Jornada(1);
    const Data sabado = Data::de(2004, 3, 13), domingo = Data::de(2004, 3, 14);
    ASSERT_EQ(sabado.diaDaSemana(), 7);
    ASSERT_EQ(domingo.diaDaSemana(), 1);
    HorasExtrasDia e = HorasExtDia(Cartao(sabado, {}), j, 6);
    EXPECT_NEAR(e.horasExt, 2, 1e-9);
    EXPECT_EQ(e.folgas, 0);
    // Sunday is held to the daily hours.
    EXPECT_NEAR(HorasExtDia(Cartao(domingo, {}), j, 6).horasExt, 0, 1e-9);
    EXPECT_NEAR(HorasExtDia(Cartao(Quarta, {}), j, 9.5).horasExt, 1.5, 1e-9);
    // A day off: every hour worked is overtime and day-off time.
    e = HorasExtDia(Cartao(Quarta, {}, true), j, 5);
    EXPECT_NEAR(e.folgas, 5, 1e-9);
    EXPECT_NEAR(e.horasExt, 5, 1e-9);
}

}  // namespace
}  // namespace korva
