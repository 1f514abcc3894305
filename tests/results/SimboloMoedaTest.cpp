// The currency prefix of a date: each cut-over date belongs to the new currency.
#include <gtest/gtest.h>

#include "results/CorrecaoJuros.h"
#include "results/SimboloMoeda.h"

using namespace korva;

TEST(SimboloMoeda, EachCutOverDateBelongsToTheNewCurrency) {
    EXPECT_EQ(SimboloMoeda(Data::de(1970, 6, 1)), "CR$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1986, 1, 31)), "CR$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1986, 2, 1)), "CZ$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1989, 1, 14)), "CZ$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1989, 1, 15)), "NCZ$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1990, 3, 14)), "NCZ$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1990, 3, 15)), "CR$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1994, 6, 30)), "CR$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(1994, 7, 1)), "R$ ");
    EXPECT_EQ(SimboloMoeda(Data::de(2024, 1, 1)), "R$ ");
    EXPECT_EQ(CorrecaoJuros::SimboloMoeda(Data::de(1989, 1, 15)), "NCZ$ ");
}
