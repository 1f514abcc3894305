// Fixed-pitch measuring and the wrapping of memo text.
#include "reports/Medidor.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using Linhas = std::vector<std::string>;

TEST(Medidor, PassoFixoContaCaracteresENaoBytesEEscalaComOTamanho) {
    MedidorFixo m;
    Fonte dez;
    Fonte vinte;
    vinte.tamanho = 20;
    EXPECT_DOUBLE_EQ(m.largura("abc", dez), 6.3);
    EXPECT_DOUBLE_EQ(m.largura("Pág.", dez), 8.4);  // "á" is two bytes, one character
    EXPECT_DOUBLE_EQ(m.largura("abc", vinte), 12.6);
    EXPECT_DOUBLE_EQ(m.alturaLinha(dez), 4.2);
    EXPECT_DOUBLE_EQ(m.alturaLinha(vinte), 8.4);
    EXPECT_DOUBLE_EQ(m.largura("", dez), 0.0);
}

TEST(Medidor, QuebraEntrePalavrasNasQuebrasDoTextoECortaPalavraLonga) {
    MedidorFixo m(1.0, 4.0);  // one millimetre per character
    Fonte f;
    // Words go on while they fit; the blank at the break is dropped.
    EXPECT_EQ(QuebraLinhas("o rato roeu a roupa", 10, f, m), (Linhas{"o rato", "roeu a", "roupa"}));
    // A line exactly as wide as the box still fits.
    EXPECT_EQ(QuebraLinhas("abcde fghij", 5, f, m), (Linhas{"abcde", "fghij"}));
    // Line breaks of the text are kept, blank lines too; CR LF counts as one break.
    EXPECT_EQ(QuebraLinhas("um\r\n\ndois", 10, f, m), (Linhas{"um", "", "dois"}));
    // A word wider than the line is cut between characters (accents kept whole).
    EXPECT_EQ(QuebraLinhas("xx çãoçãoção", 4, f, m), (Linhas{"xx", "çãoç", "ãoçã", "o"}));
    // The rest of a cut word shares its line with the words after it when they fit.
    EXPECT_EQ(QuebraLinhas("abcdef g", 4, f, m), (Linhas{"abcd", "ef g"}));
    // Nothing to print: no lines; trailing line breaks add nothing.
    EXPECT_TRUE(QuebraLinhas("", 10, f, m).empty());
    EXPECT_EQ(QuebraLinhas("fim\n\n", 10, f, m), (Linhas{"fim"}));
    // A box narrower than one character still advances one character per line.
    EXPECT_EQ(QuebraLinhas("abc", 0.5, f, m), (Linhas{"a", "b", "c"}));
}

}  // namespace
}  // namespace korva
