// Calendar dates as day serials and the two roundings of amounts.
#include <gtest/gtest.h>

#include "util/Data.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"

using namespace korva;

TEST(Data, SerialsMatchTheStoredNumbering) {
    EXPECT_EQ(Data::de(1899, 12, 30).serial(), 0);
    EXPECT_EQ(Data::de(1900, 1, 1).serial(), 2);
    EXPECT_EQ(Data::de(2000, 1, 1).serial(), 36526);
    EXPECT_EQ(Data::de(2010, 7, 28).serial(), 40387);
    const Data d = Data::deSerial(40387);
    EXPECT_EQ(d.dma(), "28/07/2010");
    EXPECT_EQ(d.iso(), "2010-07-28");
    // Round trip over a long span, leap years included.
    for (int s = -1000; s < 80000; s += 37) EXPECT_EQ(Data::deSerial(s).serial(), Data::lerISO(Data::deSerial(s).iso())->serial());
}

TEST(Data, ParsingAcceptsTheShortFormatAndRefusesImpossibleDates) {
    EXPECT_EQ(Data::lerDMA("1/2/2009"), Data::de(2009, 2, 1));
    EXPECT_EQ(Data::lerDMA(" 29/02/2008 "), Data::de(2008, 2, 29));
    EXPECT_EQ(Data::lerDMA("01/01/49"), Data::de(2049, 1, 1));  // two-digit years as AnoCompleto
    EXPECT_EQ(Data::lerDMA("01/01/50"), Data::de(1950, 1, 1));
    for (const char* ruim : {"29/02/2009", "31/04/2010", "00/01/2010", "1/13/2010", "ab/01/2010", "01/01/201", "", "1/1"})
        EXPECT_FALSE(Data::lerDMA(ruim).has_value()) << ruim;
    EXPECT_THROW(Data::deDMA("32/01/2010"), ErroConversao);
}

TEST(Data, WeekdaysAndMonthEnds) {
    EXPECT_EQ(Data::de(2026, 12, 9).diaDaSemana(), 4);  // Wednesday
    EXPECT_EQ(Data::de(1899, 12, 30).diaDaSemana(), 7);  // Saturday
    EXPECT_EQ(Data::de(2004, 12, 5).diaDaSemana(), 1);   // Sunday
    EXPECT_EQ(Data::de(2008, 2, 10).fimDoMes(), Data::de(2008, 2, 29));
    EXPECT_EQ(Data::de(1900, 2, 10).fimDoMes(), Data::de(1900, 2, 28));
    EXPECT_EQ(Data::de(2000, 2, 10).fimDoMes(), Data::de(2000, 2, 29));
}

TEST(Dinheiro, CentsRoundingIsNotSymmetricForNegativeAmounts) {
    EXPECT_DOUBLE_EQ(ArredondaCentavos(1.235), 1.24);
    EXPECT_DOUBLE_EQ(ArredondaCentavos(1.234), 1.23);
    EXPECT_DOUBLE_EQ(ArredondaCentavos(-1.237), -1.23);
    EXPECT_DOUBLE_EQ(ArredondaCentavos(-1.2), -1.19);  // trunc(-120 + 0.5) = -119
    EXPECT_DOUBLE_EQ(ArredondaCentavos(0.0), 0.0);
}

TEST(Dinheiro, FourDecimalRoundingSendsTiesToEven) {
    EXPECT_DOUBLE_EQ(Arredonda4(1.00005), 1.0);
    EXPECT_DOUBLE_EQ(Arredonda4(1.00015), 1.0002);
    EXPECT_DOUBLE_EQ(Arredonda4(1.000051), 1.0001);
    EXPECT_DOUBLE_EQ(Arredonda4(-2.00025), -2.0002);
    EXPECT_DOUBLE_EQ(Arredonda4(123456.78905), 123456.789);
    EXPECT_DOUBLE_EQ(Arredonda4(123456.78915), 123456.7892);
}
