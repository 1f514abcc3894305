// Income tax: bands over n months, the tax of a column, the columns of each
// IR option, the dependants deduction and the months rule.
#include <gtest/gtest.h>

#include "results/ImpostoRenda.h"

using namespace korva;

namespace {

FaixaIR Tabela() {
    FaixaIR f;
    f.limiteMinimo = 1000;
    f.limite1 = 2000, f.percentual1 = 7.5, f.deducao1 = 75;
    f.limite2 = 3000, f.percentual2 = 15, f.deducao2 = 225;
    f.limite3 = 4000, f.percentual3 = 22.5, f.deducao3 = 450;
    f.percentualMaximo = 27.5, f.deducaoMaximo = 650;
    f.deducaoDependente = 189.59;
    return f;
}

// The 06/2025 row as data/faixas_ir.csv ships it.
FaixaIR Tabela2025() {
    FaixaIR f;
    f.ano = 2025, f.mes = 6;
    f.limiteMinimo = 2428.80;
    f.limite1 = 2826.65, f.percentual1 = 7.5, f.deducao1 = 182.16;
    f.limite2 = 3751.05, f.percentual2 = 15, f.deducao2 = 394.16;
    f.limite3 = 4664.68, f.percentual3 = 22.5, f.deducao3 = 675.49;
    f.percentualMaximo = 27.5, f.deducaoMaximo = 908.73;
    f.deducaoDependente = 189.59;
    return f;
}

}  // namespace

TEST(FaixaIRDe, LimitsAndDeductionsScaleWithTheMonthsAndLimitsBelongToTheBandAbove) {
    const FaixaIR f = Tabela();
    auto b = FaixaIRDe(2999.99, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 0);
    EXPECT_DOUBLE_EQ(b.deducao, 0);
    b = FaixaIRDe(3000, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 7.5);
    EXPECT_DOUBLE_EQ(b.deducao, 225);
    b = FaixaIRDe(5999.99, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 7.5);
    b = FaixaIRDe(6000, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 15);
    EXPECT_DOUBLE_EQ(b.deducao, 675);
    b = FaixaIRDe(9000, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 22.5);
    EXPECT_DOUBLE_EQ(b.deducao, 1350);
    b = FaixaIRDe(12000, 3, f);
    EXPECT_DOUBLE_EQ(b.aliquota, 27.5);
    EXPECT_DOUBLE_EQ(b.deducao, 1950);
    // One month: the row as it is.
    EXPECT_DOUBLE_EQ(FaixaIRDe(1000, 1, f).aliquota, 7.5);
    EXPECT_DOUBLE_EQ(FaixaIRDe(4000, 1, f).aliquota, 27.5);
    // Negative amounts are exempt.
    EXPECT_DOUBLE_EQ(FaixaIRDe(-65000, 1, f).aliquota, 0);
    EXPECT_DOUBLE_EQ(FaixaIRDe(-65000, 1, f).deducao, 0);
}

TEST(FaixaIRDe, NoMonthsCountsAsOne) {
    // With n = 0 every limit would be 0 and a small amount would pay the top rate.
    const FaixaIR f = Tabela();
    for (int n : {0, -2}) {
        EXPECT_DOUBLE_EQ(FaixaIRDe(500, n, f).aliquota, 0) << n;
        EXPECT_DOUBLE_EQ(FaixaIRDe(1500, n, f).aliquota, 7.5) << n;
        EXPECT_DOUBLE_EQ(FaixaIRDe(1500, n, f).deducao, 75) << n;
    }
}

TEST(ImpostoDaColuna, TaxableAmountAndTheOptions) {
    // The 06/2025 table on 3000.00: 15 % less 394.16.
    auto c = ImpostoDaColuna("Única", 3000, 0, 0, 0, 1, Tabela2025(), false, false, true);
    EXPECT_NEAR(c.devido, 55.84, 1e-9);
    EXPECT_DOUBLE_EQ(c.aliquota, 15);
    EXPECT_DOUBLE_EQ(c.deducao, 394.16);
    EXPECT_EQ(c.rotulo, "Única");

    FaixaIR f = Tabela();
    f.deducaoDaBase = 100;
    // base 5000 + interest 1000 - INSS 400 - dependants 379.18 - 100 = 5120.82, over 2 months.
    c = ImpostoDaColuna("Única", 5000, 1000, 400, 379.18, 2, f, false, true, true);
    EXPECT_NEAR(c.tributavel, 5120.82, 1e-9);
    EXPECT_DOUBLE_EQ(c.juros, 1000);
    EXPECT_DOUBLE_EQ(c.inssReclamante, 400);
    EXPECT_DOUBLE_EQ(c.deducaoDependentes, 379.18);  // not multiplied by n
    EXPECT_DOUBLE_EQ(c.aliquota, 15);
    EXPECT_NEAR(c.imposto, 5120.82 * 0.15, 1e-9);
    EXPECT_DOUBLE_EQ(c.deducao, 450);
    EXPECT_NEAR(c.devido, 5120.82 * 0.15 - 450, 1e-9);

    // Interest stays out when IR on interest is off; the INSS when it is added back.
    c = ImpostoDaColuna("Única", 5000, 1000, 400, 0, 2, f, true, false, true);
    EXPECT_DOUBLE_EQ(c.juros, 0);
    EXPECT_DOUBLE_EQ(c.inssReclamante, 0);
    EXPECT_DOUBLE_EQ(c.tributavel, 4900);
    // The column that keeps DeducaoDaBase.
    EXPECT_DOUBLE_EQ(ImpostoDaColuna("Férias", 5000, 0, 0, 0, 2, f, false, false, false).tributavel, 5000);

    // A negative taxable amount is exempt: no tax and nothing to deduct.
    c = ImpostoDaColuna("Única", 100, 0, 400, 189.59, 1, f, false, false, true);
    EXPECT_LT(c.tributavel, 0);
    EXPECT_DOUBLE_EQ(c.aliquota, 0);
    EXPECT_DOUBLE_EQ(c.imposto, 0);
    EXPECT_DOUBLE_EQ(c.deducao, 0);
    EXPECT_DOUBLE_EQ(c.devido, 0);
}

TEST(ColunasIR, ColumnsByOptionShareTheEmployeeINSS) {
    FaixaIR f = Tabela();
    f.deducaoDaBase = 100;
    const double b13 = 3000, j13 = 300, bFer = 4000, jFer = 400, bDem = 20000, jDem = 2000, inss = 500, dep = 0;
    const int n = 5;

    EXPECT_TRUE(ColunasIR(OpcaoIR::NaoCalcular, b13, j13, bFer, jFer, bDem, jDem, inss, dep, n, f, false, true, false)
                    .empty());
    EXPECT_TRUE(ColunasIR(0, b13, j13, bFer, jFer, bDem, jDem, inss, dep, n, f, false, true, false).empty());
    EXPECT_DOUBLE_EQ(TotalIR({}), 0);

    auto c = ColunasIR(OpcaoIR::ParcelaUnica, b13, j13, bFer, jFer, bDem, jDem, inss, dep, n, f, false, true, false);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].rotulo, "Única");
    EXPECT_DOUBLE_EQ(c[0].base, 27000);
    EXPECT_DOUBLE_EQ(c[0].juros, 2700);
    EXPECT_DOUBLE_EQ(c[0].tributavel, 27000 + 2700 - 500 - 100);

    c = ColunasIR(OpcaoIR::TrezeEDemais, b13, j13, bFer, jFer, bDem, jDem, inss, dep, n, f, false, true, false);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].rotulo, "Demais Parcelas");
    EXPECT_EQ(c[1].rotulo, "13º Salário");
    EXPECT_DOUBLE_EQ(c[0].base, 24000);
    EXPECT_DOUBLE_EQ(c[1].base, 3000);
    EXPECT_DOUBLE_EQ(c[0].inssReclamante, 500);  // the same amount, not split
    EXPECT_DOUBLE_EQ(c[1].inssReclamante, 500);
    EXPECT_DOUBLE_EQ(c[1].tributavel, 3000 + 300 - 500 - 100);
    EXPECT_DOUBLE_EQ(TotalIR(c), c[0].devido + c[1].devido);

    c = ColunasIR(OpcaoIR::TrezeFeriasDemais, b13, j13, bFer, jFer, bDem, jDem, inss, dep, n, f, false, true, false);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].rotulo, "Demais Parcelas");
    EXPECT_EQ(c[1].rotulo, "13º Salário");
    EXPECT_EQ(c[2].rotulo, "Férias");
    EXPECT_DOUBLE_EQ(c[0].base, 20000);
    EXPECT_DOUBLE_EQ(c[2].base, 4000);
    EXPECT_DOUBLE_EQ(c[2].juros, 400);

    // The summary keeps DeducaoDaBase in "Férias" only; its bases carry the interest already.
    const auto resumo = ColunasIR(OpcaoIR::TrezeFeriasDemais, b13 + j13, 0, bFer + jFer, 0, bDem + jDem, 0, inss,
                                  dep, n, f, false, true, true);
    ASSERT_EQ(resumo.size(), 3u);
    EXPECT_DOUBLE_EQ(resumo[2].tributavel - c[2].tributavel, 100);
    EXPECT_DOUBLE_EQ(resumo[0].tributavel, c[0].tributavel);
    EXPECT_DOUBLE_EQ(resumo[1].tributavel, c[1].tributavel);
    EXPECT_DOUBLE_EQ(TotalIR(resumo), resumo[0].devido + resumo[1].devido + resumo[2].devido);
}

TEST(DeducaoDependentes, EqualCountsOnlyAndTheNotes) {
    const FaixaIR f = Tabela();
    bool diferentes = true;
    EXPECT_DOUBLE_EQ(DeducaoDependentes({2, 2, 2}, f, &diferentes), 2 * 189.59);
    EXPECT_FALSE(diferentes);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({1, 2}, f, &diferentes), 0);
    EXPECT_TRUE(diferentes);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({0, 0, 3}, f, &diferentes), 0);
    EXPECT_TRUE(diferentes);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({}, f, &diferentes), 0);
    EXPECT_FALSE(diferentes);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({0}, f, &diferentes), 0);
    EXPECT_FALSE(diferentes);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({1, 3}, f, nullptr), 0);
    // A negative count never raises the tax.
    EXPECT_DOUBLE_EQ(DeducaoDependentes({-1}, f, &diferentes), 0);
    EXPECT_DOUBLE_EQ(DeducaoDependentes({-1, 0}, f, &diferentes), 0);
    EXPECT_FALSE(diferentes);

    EXPECT_STREQ(kNotaDependentesAnulada,
                 "*O valor da dedução por dependente foi anulado em razão do diferente número de dependentes por "
                 "reclamante deste processo.");
    EXPECT_STREQ(kNotaVerifiqueResumo,
                 "Verifique o valor correto do Imposto de Renda de cada reclamante no Resumo de Cálculo.");
}

TEST(MesesIR, BeforeTheCutOverTheTaxIsOverOneMonth) {
    EXPECT_EQ(MesesIR(12, Data::de(2010, 7, 15)), 1);
    EXPECT_EQ(MesesIR(12, Data::de(2010, 7, 27)), 1);
    EXPECT_EQ(MesesIR(0, Data::de(2005, 1, 1)), 1);
    EXPECT_EQ(MesesIR(12, Data::de(2010, 7, 28)), 12);
    EXPECT_EQ(MesesIR(7, Data::de(2024, 3, 31)), 7);
    EXPECT_EQ(MesesIR(7, Data::de(2024, 3, 31), Data::de(2025, 1, 1)), 1);  // another cut-over from the settings
}
