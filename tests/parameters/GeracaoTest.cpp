#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "apoio/MensagemMostrada.h"
#include "BaseParametros.h"
#include "parameters/Geracao.h"
#include "util/Erros.h"

namespace korva {
namespace {

struct GeracaoTeste : teste::BaseParametros {
    std::unique_ptr<TabelasReferencia> ref;
    std::unique_ptr<CalculoDtBase> dtBase;

    void SetUp() override {
        BaseParametros::SetUp();
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        dtBase = std::make_unique<CalculoDtBase>(*ref, OpcoesCalculo{1, true, true, 0});
    }

    int gera(OrdemParametros ordem = OrdemParametros::SemOrdem) {
        return Geracao(banco, tabelaA, tabelaB, *dtBase).Gera(ordem);
    }

    // (Item, Mes, Ano) of B in entry order.
    std::vector<std::tuple<int, int, int>> mesesB() {
        Tabela b(banco, tabelaB);
        b.abre();
        std::vector<std::tuple<int, int, int>> r;
        for (b.primeiro(); !b.fim(); b.proximo())
            r.emplace_back(static_cast<int>(b.valor("Item").comoInteiro()),
                           static_cast<int>(b.valor("Mes").comoInteiro()),
                           static_cast<int>(b.valor("Ano").comoInteiro()));
        return r;
    }

    void mesManual(int item, int mes, int ano) {
        Tabela b(banco, tabelaB);
        b.abre();
        b.insere();
        b["Item"] = item;
        b["Mes"] = mes;
        b["Ano"] = ano;
        b["VFM"] = "V";
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(ano, mes, 1);
        b["Calculado"] = true;
        b["INSS"] = "S";
        b.grava();
    }
};

using M = std::tuple<int, int, int>;

TEST_F(GeracaoTeste, MonthsOfEachPeriodAcrossYearsAndSingleMonths) {
    periodo(100, 11, 2003, 2, 2004);
    periodo(2, 5, 2005, 5, 2005);
    periodo(50, 0, 2006, 1, 2006);  // month 0 is accepted and followed by month 1
    EXPECT_EQ(gera(), 7);
    EXPECT_EQ(mesesB(), (std::vector<M>{{100, 11, 2003}, {100, 12, 2003}, {100, 1, 2004}, {100, 2, 2004},
                                         {2, 5, 2005}, {50, 0, 2006}, {50, 1, 2006}}));
    // Periods are read in the grid's order.
    gera(OrdemParametros::Item);
    EXPECT_EQ(std::get<0>(mesesB().front()), 2);
}

TEST_F(GeracaoTeste, RowFieldsCopiedOnlyWhenPresentAndDatesWorkedOut) {
    {
        Tabela a(banco, tabelaA);
        a.abre();
        a.insere();
        a["Item"] = 110;
        a["Mes1"] = 12;
        a["Ano1"] = 2004;
        a["Mes2"] = 12;
        a["Ano2"] = 2004;
        a["Qtde"] = 1.5;
        a["Divisor"] = 220.0;
        a["Base"] = 2;
        a["VFM"] = "F";
        a["Diferenca"] = "Z";
        a["CodDataBasePadrao"] = 5;
        a["INSS"] = "N";
        a.grava();
    }
    periodo(2, 7, 2004, 7, 2004, "F", 50);  // code 50 with no typed date
    gera();
    Tabela b(banco, tabelaB);
    b.abre();
    b.primeiro();
    EXPECT_EQ(b.valor("Qtde").comoNumero(), 1.5);
    EXPECT_EQ(b.valor("Base").comoInteiro(), 2);
    EXPECT_TRUE(b.valor("Valor").nulo());
    EXPECT_TRUE(b.valor("Indice").nulo());
    EXPECT_EQ(b.valor("VFM").comoTexto(), "F");
    EXPECT_EQ(b.valor("Diferenca").comoTexto(), "Z");
    EXPECT_EQ(b.valor("INSS").comoTexto(), "N");
    EXPECT_FALSE(b.valor("Calculado").comoLogico());
    EXPECT_EQ(b.valor("DtBase").comoData(), Data::de(2005, 1, 3));
    EXPECT_FALSE(b.valor("Codigo").nulo());
    b.proximo();
    EXPECT_EQ(b.valor("Valor").comoNumero(), 100.0);
    EXPECT_EQ(b.valor("DtBase").comoData(), Data());
}

TEST_F(GeracaoTeste, RegenerationDiscardsHandRowsAndGivesTheSameGrid) {
    periodo(100, 1, 2010, 3, 2010);
    gera();
    const auto primeira = mesesB();
    mesManual(200, 4, 2010);
    EXPECT_EQ(mesesB().size(), 4u);
    gera();
    EXPECT_EQ(mesesB(), primeira);
    // Overlapping periods are not merged.
    periodo(100, 3, 2010, 4, 2010);
    EXPECT_EQ(gera(), 5);
}

TEST_F(GeracaoTeste, InvalidPeriodLeavesTheGridExactlyAsItWas) {
    mesManual(300, 6, 2008);
    periodo(100, 1, 2010, 3, 2010);
    periodo(101, 5, 2010, 4, 2010);  // ends before it starts
    periodo(102, 1, 2011, 1, 2011);
    try {
        gera();
        FAIL() << "the second period is invalid";
    } catch (const ErroKorva& e) {
        EXPECT_EQ(std::string(e.what()), "Informado Algum Periodo Invalido.\nImpossivel Gravar...");
    }
    EXPECT_EQ(mesesB(), (std::vector<M>{{300, 6, 2008}}));

    // A code without a date rule is refused the same way, before B is touched.
    {
        Tabela a(banco, tabelaA);
        a.abre();
        a.localiza({"Item"}, {101});
        a.edita();
        a["Mes1"] = 4;
        a.grava();
    }
    periodo(103, 1, 2012, 2, 2012, "V", 7);
    EXPECT_EQ(teste::MensagemMostrada([&] { gera(); }), "Código de Data Base Padrão inválido (7)!");
    EXPECT_EQ(mesesB(), (std::vector<M>{{300, 6, 2008}}));
}

TEST_F(GeracaoTeste, GridInUseIsLeftUntouched) {
    mesManual(300, 6, 2008);
    periodo(100, 1, 2010, 3, 2010);
    {
        Tabela outra(banco, tabelaB);
        outra.abre();
        EXPECT_THROW(gera(), ErroBanco);
    }
    EXPECT_EQ(mesesB(), (std::vector<M>{{300, 6, 2008}}));
}

}  // namespace
}  // namespace korva
