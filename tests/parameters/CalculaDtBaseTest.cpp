#include <gtest/gtest.h>

#include <set>

#include "apoio/MensagemMostrada.h"
#include "BaseParametros.h"
#include "parameters/CalculaDtBase.h"
#include "util/Erros.h"

namespace korva {
namespace {

constexpr int Sabado = 7;

std::function<bool(Data)> Feriados(std::set<Data> dias) {
    return [dias = std::move(dias)](Data d) { return dias.count(d) > 0; };
}

TEST(CalculaDtBase, LastDayCodesStepBackOnlyOverHolidays) {
    const Data sab = Data::de(2004, 7, 31);
    ASSERT_EQ(sab.diaDaSemana(), Sabado);
    // Code 0: a Saturday that is no holiday is kept; weekends never move it.
    EXPECT_EQ(CalculaDtBase(7, 2004, std::nullopt, 0, Feriados({})), sab);
    // A Saturday holiday steps back, over a run of holidays.
    EXPECT_EQ(CalculaDtBase(7, 2004, std::nullopt, 0, Feriados({sab})), Data::de(2004, 7, 30));
    EXPECT_EQ(CalculaDtBase(7, 2004, std::nullopt, 0, Feriados({sab, sab - 1})), Data::de(2004, 7, 29));
    // Code 1 ignores holidays.
    EXPECT_EQ(CalculaDtBase(7, 2004, std::nullopt, 1, Feriados({sab})), sab);
    // Month ends: February of leap and common years, December.
    EXPECT_EQ(CalculaDtBase(2, 2004, std::nullopt, 1, {}), Data::de(2004, 2, 29));
    EXPECT_EQ(CalculaDtBase(2, 2005, std::nullopt, 1, {}), Data::de(2005, 2, 28));
    EXPECT_EQ(CalculaDtBase(12, 2005, std::nullopt, 0, {}), Data::de(2005, 12, 31));
    // Month 0 is the month before January.
    EXPECT_EQ(CalculaDtBase(0, 2005, std::nullopt, 1, {}), Data::de(2004, 12, 31));
}

TEST(CalculaDtBase, WorkingDaysOfTheNextMonth) {
    // 12/2004: 01/01/2005 is a Saturday, so the 1st working day is Monday 03/01.
    EXPECT_EQ(CalculaDtBase(12, 2004, std::nullopt, 5, Feriados({Data::de(2005, 1, 1)})), Data::de(2005, 1, 3));
    // A holiday on that Monday moves it to Tuesday.
    EXPECT_EQ(CalculaDtBase(12, 2004, std::nullopt, 5, Feriados({Data::de(2005, 1, 3)})), Data::de(2005, 1, 4));
    // 5th and 6th working days of 01/2005: 07/01 (Fri) and 10/01 (Mon).
    EXPECT_EQ(CalculaDtBase(12, 2004, std::nullopt, 9, {}), Data::de(2005, 1, 7));
    EXPECT_EQ(CalculaDtBase(12, 2004, std::nullopt, 10, {}), Data::de(2005, 1, 10));
    // A holiday inside the count pushes the 6th day on.
    EXPECT_EQ(CalculaDtBase(12, 2004, std::nullopt, 10, Feriados({Data::de(2005, 1, 5)})), Data::de(2005, 1, 11));
    // Month 0's next month is January of the same year.
    EXPECT_EQ(CalculaDtBase(0, 2005, std::nullopt, 5, {}), Data::de(2005, 1, 3));
}

TEST(CalculaDtBase, FixedAndTypedDatesAndUndefinedCodes) {
    EXPECT_EQ(CalculaDtBase(3, 2007, std::nullopt, 15, {}), Data::de(2007, 11, 20));
    EXPECT_EQ(CalculaDtBase(3, 2007, std::nullopt, 20, {}), Data::de(2007, 12, 20));
    EXPECT_EQ(CalculaDtBase(3, 2007, Data::de(2001, 2, 3), 50, {}), Data::de(2001, 2, 3));
    EXPECT_EQ(CalculaDtBase(3, 2007, std::nullopt, 50, {}), Data());
    // A year outside the calendar gives the zero date instead of failing.
    EXPECT_EQ(CalculaDtBase(5, 0, std::nullopt, 1, {}), Data());
    try {
        CalculaDtBase(3, 2007, std::nullopt, 7, {});
        FAIL() << "code 7 has no rule";
    } catch (const ErroKorva& e) {
        EXPECT_EQ(std::string(e.what()), "Código de Data Base Padrão inválido (7)!");
    }
    // The user reads the message itself, not a generic field error.
    EXPECT_EQ(teste::MensagemMostrada([] { CalculaDtBase(3, 2007, std::nullopt, 7, {}); }),
              "Código de Data Base Padrão inválido (7)!");
    EXPECT_FALSE(CodigoDtBaseConhecido(-1));
    EXPECT_TRUE(CodigoDtBaseConhecido(50));
}

using CalculoDtBaseFeriados = teste::BaseParametros;

TEST_F(CalculoDtBaseFeriados, HolidayOptionsOfTheLawsuit) {
    const Data sab = Data::de(2004, 7, 31);
    feriado(sab, 2);  // state holiday
    feriado(Data::de(2005, 1, 3), 4);  // local holiday, class 4
    TabelasReferencia ref(compartilhado);

    CalculoDtBase semEstaduais(ref, {1, true, false, 4});
    EXPECT_FALSE(semEstaduais.EhFeriado(sab));
    EXPECT_EQ(semEstaduais.CalculaDtBase(7, 2004, std::nullopt, 0), sab);
    // The local class counts whatever the flags.
    EXPECT_EQ(semEstaduais.CalculaDtBase(12, 2004, std::nullopt, 5), Data::de(2005, 1, 4));

    CalculoDtBase comEstaduais(ref, {1, false, true, 3});
    EXPECT_TRUE(comEstaduais.EhFeriado(sab));
    EXPECT_EQ(comEstaduais.CalculaDtBase(7, 2004, std::nullopt, 0), Data::de(2004, 7, 30));
    EXPECT_EQ(comEstaduais.CalculaDtBase(12, 2004, std::nullopt, 5), Data::de(2005, 1, 3));
}

}  // namespace
}  // namespace korva
