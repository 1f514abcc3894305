// Numbers as the result reports print them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "results/FormatoNumero.h"

using namespace korva;

TEST(FormataNumero, TwoDecimalsWithThousandsSeparators) {
    EXPECT_EQ(FormataNumero(1234567.891), "1.234.567,89");
    EXPECT_EQ(FormataNumero(-5), "-5,00");
    EXPECT_EQ(FormataNumero(0), "0,00");
    EXPECT_EQ(FormataNumero(999.5), "999,50");
    EXPECT_EQ(FormataNumero(1000), "1.000,00");
    EXPECT_EQ(FormataNumero(-1234.5), "-1.234,50");
    EXPECT_EQ(FormataNumero(0.07), "0,07");
    EXPECT_EQ(FormataNumero(100000), "100.000,00");
}

TEST(FormataNumero, RoundsTheNineDigitDecimalFormHalfAwayFromZero) {
    EXPECT_EQ(FormataNumero(1.005), "1,01");    // binary value is just below the half
    EXPECT_EQ(FormataNumero(0.125), "0,13");
    EXPECT_EQ(FormataNumero(-0.125), "-0,13");
    EXPECT_EQ(FormataNumero(999.995), "1.000,00");  // carry into a new thousands group
    EXPECT_EQ(FormataNumero(713.0974), "713,10");
    // Nine significant digits: a large amount loses its cents.
    EXPECT_EQ(FormataNumero(12345678912.34), "12.345.678.900,00");
    EXPECT_EQ(FormataNumero(1234567.8949), "1.234.567,89");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(FormataNumero(-0.001), "0,00");
    EXPECT_EQ(FormataNumero(-0.0), "0,00");
}

TEST(FormataNumero, OtherDecimalsAndOddValues) {
    EXPECT_EQ(FormataNumero(1.23456789, 9), "1,234567890");
    EXPECT_EQ(FormataNumero(2.5, 0), "3");
    EXPECT_EQ(FormataNumero(1234.5, -3), "1.235");
    EXPECT_EQ(FormataNumero(0.000123, 6), "0,000123");
    EXPECT_EQ(FormataNumero(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormataNumero(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormataNumero(-std::numeric_limits<double>::infinity()), "-INF");
}
