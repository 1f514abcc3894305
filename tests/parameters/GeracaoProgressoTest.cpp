// The progress told by the generation of the month grid, and the count of
// month rows that the period window reads before asking to generate again.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "BaseParametros.h"
#include "parameters/Geracao.h"
#include "parameters/ParametrosPeriodo.h"
#include "util/Erros.h"

namespace korva {
namespace {

struct GeracaoProgressoTeste : teste::BaseParametros {
    std::unique_ptr<TabelasReferencia> ref;
    std::unique_ptr<CalculoDtBase> dtBase;

    void SetUp() override {
        BaseParametros::SetUp();
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        dtBase = std::make_unique<CalculoDtBase>(*ref, OpcoesCalculo{1, false, false, 0});
    }
    Geracao geracao() { return Geracao(banco, tabelaA, tabelaB, *dtBase); }
};

TEST_F(GeracaoProgressoTeste, ProgressCountsEveryMonthRowUpToTheTotal) {
    periodo(100, 11, 2003, 2, 2004);  // 4 months across the year's end
    periodo(2, 5, 2005, 5, 2005);     // 1 month
    periodo(50, 0, 2006, 1, 2006);    // month 0 and then month 1
    std::vector<std::pair<int, int>> avisos;
    const int linhas = geracao().Gera(OrdemParametros::SemOrdem, [&](int feitas, int total) {
        avisos.emplace_back(feitas, total);
    });
    ASSERT_EQ(linhas, 7);
    ASSERT_EQ(avisos.size(), 8u);
    for (size_t i = 0; i < avisos.size(); ++i) {
        EXPECT_EQ(avisos[i].first, static_cast<int>(i));
        EXPECT_EQ(avisos[i].second, 7) << "the total is known before the first row";
    }
}

TEST_F(GeracaoProgressoTeste, RefusedPeriodTellsNoProgressAndKeepsTheRows) {
    periodo(100, 1, 2004, 3, 2004);
    geracao().Gera();
    ASSERT_EQ(geracao().LinhasMensais(), 3);
    periodo(100, 5, 2004, 4, 2004);  // ends before it starts
    int avisos = 0;
    EXPECT_THROW(geracao().Gera(OrdemParametros::SemOrdem, [&](int, int) { ++avisos; }), ErroKorva);
    EXPECT_EQ(avisos, 0);
    EXPECT_EQ(geracao().LinhasMensais(), 3);
}

TEST_F(GeracaoProgressoTeste, MonthRowsCountedAlsoWithoutTheTable) {
    EXPECT_EQ(geracao().LinhasMensais(), 0);
    EXPECT_EQ(Geracao(banco, tabelaA, "Sub00001/B0000099.db", *dtBase).LinhasMensais(), 0);
    periodo(2, 1, 2010, 12, 2010);
    EXPECT_EQ(geracao().Gera(), 12);
    EXPECT_EQ(geracao().LinhasMensais(), 12);
}

TEST_F(GeracaoProgressoTeste, PeriodGridPassesTheProgressOnAndReturnsToItsFirstRow) {
    periodo(100, 1, 2004, 2, 2004);
    periodo(101, 6, 2004, 6, 2004);
    ParametrosPeriodo p(banco, tabelaA, OpcoesCalculo{1, false, false, 0}, OrdemParametros::SemOrdem);
    p.abre();
    p.tabela().ultimo();
    int ultimoTotal = 0, ultimaFeita = -1;
    EXPECT_EQ(p.geraMensais(tabelaB, *dtBase, [&](int feitas, int total) {
        ultimaFeita = feitas;
        ultimoTotal = total;
    }), 3);
    EXPECT_EQ(ultimaFeita, 3);
    EXPECT_EQ(ultimoTotal, 3);
    EXPECT_EQ(p.tabela().posicao(), 0);
}

}  // namespace
}  // namespace korva
