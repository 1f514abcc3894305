// Employee INSS on one base (flat and progressive tables), the month-by-month
// assessment and the defendant's contributions.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "results/ContribuicaoINSS.h"
#include "util/Dinheiro.h"

using namespace korva;

namespace {

FaixaINSS Faixa(double l0, std::vector<std::pair<double, double>> bandas, bool progressiva = false) {
    FaixaINSS f;
    f.limiteMinimo = l0;
    double* limites[] = {&f.limite1, &f.limite2, &f.limite3, &f.limite4, &f.limite5};
    double* percentuais[] = {&f.percentual1, &f.percentual2, &f.percentual3, &f.percentual4, &f.percentual5};
    for (size_t i = 0; i < bandas.size(); ++i) {
        *limites[i] = bandas[i].first;
        *percentuais[i] = bandas[i].second;
    }
    f.progressiva = progressiva;
    return f;
}

// The row of data/faixas_inss.csv for a month, as the program's data ships it.
FaixaINSS FaixaDosDados(int ano, int mes) {
    std::ifstream in(std::string(KORVA_SOURCE_DIR) + "/data/faixas_inss.csv");
    std::string linha;
    const std::string chave = std::to_string(ano) + "," + std::to_string(mes) + ",";
    while (std::getline(in, linha)) {
        if (linha.rfind(chave, 0) != 0) continue;
        std::vector<double> v;
        std::stringstream ss(linha);
        for (std::string campo; std::getline(ss, campo, ',');) v.push_back(std::stod(campo));
        if (v.size() != 14) break;
        FaixaINSS f = Faixa(v[2], {{v[3], v[4]}, {v[5], v[6]}, {v[7], v[8]}, {v[9], v[10]}, {v[11], v[12]}}, v[13] != 0);
        f.ano = ano;
        f.mes = mes;
        return f;
    }
    ADD_FAILURE() << "faixa " << mes << "/" << ano << " ausente dos dados";
    return {};
}

// Contribution worked out by hand, band by band, for a progressive row.
double SomaDasBandas(std::vector<std::pair<double, double>> bandas, double x) {
    double total = 0, de = 0;
    for (auto [ate, pct] : bandas) {
        if (x <= de) break;
        total += ((x < ate ? x : ate) - de) * pct / 100;
        de = ate;
    }
    return total;
}

}  // namespace

TEST(ContribuicaoINSS, FlatTableChargesTheRateOfTheBandOnTheWholeBase) {
    const FaixaINSS f = Faixa(100, {{1000, 8}, {2000, 9}, {3000, 11}});
    auto r = ContribuicaoINSS(50, f);  // raised to the minimum
    EXPECT_DOUBLE_EQ(r.contribuicao, 8);
    EXPECT_DOUBLE_EQ(r.aliquota, 8);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(1000, f).contribuicao, 80);
    r = ContribuicaoINSS(1000.01, f);
    EXPECT_NEAR(r.contribuicao, 90.0009, 1e-9);
    EXPECT_DOUBLE_EQ(r.aliquota, 9);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(2000, f).contribuicao, 180);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(2500, f).contribuicao, 275);
    r = ContribuicaoINSS(5000, f);  // cut to the third limit
    EXPECT_DOUBLE_EQ(r.contribuicao, 330);
    EXPECT_DOUBLE_EQ(r.aliquota, 11);
    // Zero is not raised and keeps the first rate; a negative base is neither raised nor cut.
    r = ContribuicaoINSS(0, f);
    EXPECT_DOUBLE_EQ(r.contribuicao, 0);
    EXPECT_DOUBLE_EQ(r.aliquota, 8);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(-100, f).contribuicao, -8);

    const FaixaINSS f4 = Faixa(100, {{1000, 8}, {2000, 9}, {3000, 11}, {4000, 12}});
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(3500, f4).contribuicao, 420);
    r = ContribuicaoINSS(5000, f4);
    EXPECT_DOUBLE_EQ(r.contribuicao, 480);
    EXPECT_DOUBLE_EQ(r.aliquota, 12);

    const FaixaINSS f5 = Faixa(100, {{1000, 8}, {2000, 9}, {3000, 11}, {4000, 12}, {5000, 13}});
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(4500, f5).contribuicao, 585);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(5000, f5).contribuicao, 650);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(6000, f5).contribuicao, 650);
}

TEST(ContribuicaoINSS, MissingRowGivesNothing) {
    const FaixaINSS vazia{};
    for (double x : {0.0, 50.0, 1000.0, 1e7, -20.0}) {
        const auto r = ContribuicaoINSS(x, vazia);
        EXPECT_DOUBLE_EQ(r.contribuicao, 0) << x;
        EXPECT_DOUBLE_EQ(r.aliquota, 0) << x;
    }
    FaixaINSS progressivaVazia{};
    progressivaVazia.progressiva = true;
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(3000, progressivaVazia).contribuicao, 0);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(3000, progressivaVazia).aliquota, 0);
}

TEST(ContribuicaoINSS, ProgressiveTableChargesEachBandOnItsSliceOnly) {
    const std::vector<std::pair<double, double>> bandas2020 = {
        {1045.00, 7.5}, {2089.60, 9}, {3134.40, 12}, {6101.06, 14}};
    const FaixaINSS f = FaixaDosDados(2020, 3);
    ASSERT_TRUE(f.progressiva);
    EXPECT_DOUBLE_EQ(f.limiteMinimo, 1045.00);
    EXPECT_DOUBLE_EQ(f.limite4, 6101.06);

    // 1045 x 7.5 % + (2089.60 - 1045) x 9 % + (3000 - 2089.60) x 12 %
    auto r = ContribuicaoINSS(3000, f);
    EXPECT_NEAR(r.contribuicao, 78.375 + 94.014 + 109.248, 1e-9);
    EXPECT_NEAR(r.contribuicao, SomaDasBandas(bandas2020, 3000), 1e-9);
    EXPECT_NEAR(r.aliquota, r.contribuicao / 3000 * 100, 1e-12);
    EXPECT_LT(r.contribuicao, 3000 * 0.12);  // the flat reading would charge 360.00

    // Above the ceiling: the ceiling's contribution, 713.10 as published for 2020.
    r = ContribuicaoINSS(10000, f);
    const double teto = SomaDasBandas(bandas2020, 6101.06);
    EXPECT_NEAR(r.contribuicao, teto, 1e-9);
    EXPECT_NEAR(r.contribuicao, 713.0974, 1e-9);
    EXPECT_DOUBLE_EQ(ArredondaCentavos(r.contribuicao), 713.10);
    EXPECT_NEAR(r.aliquota, teto / 6101.06 * 100, 1e-12);  // over the base actually charged

    // Below the minimum the base is raised to it; zero and negatives are not.
    r = ContribuicaoINSS(500, f);
    EXPECT_NEAR(r.contribuicao, 78.375, 1e-9);
    EXPECT_DOUBLE_EQ(r.aliquota, 7.5);
    r = ContribuicaoINSS(0, f);
    EXPECT_DOUBLE_EQ(r.contribuicao, 0);
    EXPECT_DOUBLE_EQ(r.aliquota, 0);
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(-100, f).contribuicao, -7.5);
    // On a limit the band is full and nothing of the next one is charged.
    EXPECT_NEAR(ContribuicaoINSS(2089.60, f).contribuicao, 78.375 + 94.014, 1e-9);

    // The same row read as a flat table charges 12 % on the whole base.
    FaixaINSS plana = f;
    plana.progressiva = false;
    EXPECT_DOUBLE_EQ(ContribuicaoINSS(3000, plana).contribuicao, 360);

    // 2026: the published ceiling contribution is 988.09.
    EXPECT_DOUBLE_EQ(ArredondaCentavos(ContribuicaoINSS(20000, FaixaDosDados(2026, 1)).contribuicao), 988.09);
}

TEST(ContribuicaoINSS, ProgressiveBandsStopAtTheFirstLimitThatDoesNotRise) {
    // Five bands in use.
    const std::vector<std::pair<double, double>> cinco = {{100, 5}, {200, 10}, {300, 15}, {400, 20}, {500, 25}};
    FaixaINSS f = Faixa(0, cinco, true);
    EXPECT_NEAR(ContribuicaoINSS(450, f).contribuicao, 5 + 10 + 15 + 20 + 12.5, 1e-9);
    EXPECT_NEAR(ContribuicaoINSS(900, f).contribuicao, 75, 1e-9);
    // A limit below the one before ends the table there: ceiling 200.
    f.limite3 = 150;
    EXPECT_NEAR(ContribuicaoINSS(900, f).contribuicao, 15, 1e-9);
    EXPECT_NEAR(ContribuicaoINSS(900, f).aliquota, 7.5, 1e-9);
}

TEST(INSSDoMes, BringsWhatWasContributedToTheBaseDateByTheFirstLimit) {
    const FaixaINSS mes = Faixa(100, {{1000, 8}, {2000, 9}, {3000, 11}});
    const FaixaINSS dtBase = Faixa(200, {{2000, 8}, {4000, 9}, {6000, 11}});

    // r = 2: paid = 500 x 8 %; due = contribution on 1000 + 2 x 500 at the base date - 2 x paid.
    auto r = INSSDoMes(1000, 500, &mes, &dtBase);
    EXPECT_DOUBLE_EQ(r.jaRecolhido, 40);
    EXPECT_DOUBLE_EQ(r.aRecolher, 160 - 80);
    EXPECT_DOUBLE_EQ(r.aliquota, 8);
    EXPECT_FALSE(r.semFaixaMes);

    // More paid than owed (a month of negative differences): the negative amount is kept.
    r = INSSDoMes(-500, 1500, &mes, &dtBase);
    EXPECT_DOUBLE_EQ(r.jaRecolhido, 135);
    EXPECT_DOUBLE_EQ(r.aRecolher, 2500 * 0.09 - 2 * 135);  // 2500 falls in band 2 of the base date
    EXPECT_DOUBLE_EQ(r.aliquota, 9);

    // Nothing contributed: the month's base alone.
    r = INSSDoMes(2500, 0, &mes, &dtBase);
    EXPECT_DOUBLE_EQ(r.jaRecolhido, 0);
    EXPECT_DOUBLE_EQ(r.aRecolher, 225);

    // A flat month assessed against a progressive base date.
    const FaixaINSS fev2020 = FaixaDosDados(2020, 2);
    const FaixaINSS mar2020 = FaixaDosDados(2020, 3);
    r = INSSDoMes(1000, 1830.29, &fev2020, &mar2020);
    const double razao = 1045.00 / 1830.29;
    EXPECT_NEAR(r.jaRecolhido, 1830.29 * 0.08, 1e-9);
    // r x J = 1045.00, so the base-date base is 2045.00: 1045 x 7.5 % + 1000 x 9 %, less r x paid.
    EXPECT_NEAR(razao * 1830.29, 1045.00, 1e-9);
    EXPECT_NEAR(r.aRecolher, 78.375 + 90 - 1045.00 * 0.08, 1e-9);
}

TEST(INSSDoMes, MissingRowsGiveNothingDue) {
    const FaixaINSS mes = Faixa(100, {{1000, 8}, {2000, 9}, {3000, 11}});
    const FaixaINSS dtBase = Faixa(200, {{2000, 8}, {4000, 9}, {6000, 11}});

    auto r = INSSDoMes(1000, 500, nullptr, &dtBase);
    EXPECT_TRUE(r.semFaixaMes);
    EXPECT_DOUBLE_EQ(r.jaRecolhido, 0);
    EXPECT_DOUBLE_EQ(r.aliquota, 0);
    EXPECT_DOUBLE_EQ(r.aRecolher, 0);

    const FaixaINSS vazia{};
    EXPECT_TRUE(INSSDoMes(1000, 500, &vazia, &dtBase).semFaixaMes);

    // Base date's row missing: every amount due is 0, the month is still assessed.
    r = INSSDoMes(1000, 500, &mes, nullptr);
    EXPECT_FALSE(r.semFaixaMes);
    EXPECT_DOUBLE_EQ(r.jaRecolhido, 40);
    EXPECT_DOUBLE_EQ(r.aRecolher, 0);
    EXPECT_DOUBLE_EQ(r.aliquota, 0);
}

TEST(ContribuicoesReclamado, RatesOverTheBaseAndTheirLabels) {
    const auto c = ContribuicoesDoReclamado(10000, 20, 3, 5.8);
    EXPECT_DOUBLE_EQ(c.fpas, 2000);
    EXPECT_DOUBLE_EQ(c.risco, 300);
    EXPECT_NEAR(c.terceiros, 580, 1e-9);
    EXPECT_NEAR(c.total, 2880, 1e-9);
    EXPECT_DOUBLE_EQ(ContribuicoesDoReclamado(0, 20, 3, 5.8).total, 0);
    EXPECT_DOUBLE_EQ(ContribuicaoAliquotaUnica(12345.67, 8), 12345.67 * 8 / 100);

    EXPECT_EQ(RotuloFPAS(20), "F.P.A.S.: (20,00%)");
    EXPECT_EQ(RotuloRiscosAmbientais(1.5), "Riscos Ambientais do Trabalho: (1,50%)");
    EXPECT_EQ(RotuloTerceiros(5.8), "Recolhimento de Terceiros: (5,80%)");
    EXPECT_EQ(RotuloReclamanteAliquotaUnica(11), "Reclamante: (11,00%)");
    EXPECT_EQ(AvisoINSSIncompletoMes(2020, 3),
              "ATENÇÃO! Os valores da contribuição previdenciária do empregado serão anulados, pois a tabela do "
              "INSS não está completa até a data final (03/2020).");
}
