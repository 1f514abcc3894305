// The integration of the cards' monthly figures into the period rows (table A).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "BasePonto.h"
#include "parameters/ParametrosPeriodo.h"
#include "register/RegrasAcrescimos.h"
#include "timecards/IntegracaoPonto.h"

namespace korva {
namespace {

using Escolha = IntegracaoPonto::Escolha;
using teste::Hora;

struct IntegracaoTeste : teste::BasePonto {
    std::vector<std::string> perguntas, avisos, prompts;
    std::vector<std::optional<std::string>> datas;  // answers of the date prompt, in order

    void SetUp() override {
        BasePonto::SetUp();
        teste::InsereVerba(banco, 2, "Salário", "S");
        teste::InsereVerba(banco, 100, "Horas Extras", "S");
        teste::InsereVerba(banco, 101, "Horas Extras Pagas", "S");
        ParametrosPeriodo::EsqueceLinhaLembrada();
        jornada(Data::de(2004, 1, 1), Data::de(2004, 12, 31));
        cartao(Data::de(2004, 2, 10), 10);  // 2 h over
        cartao(Data::de(2004, 3, 10), 9);   // 1 h over
        cartao(Data::de(2004, 3, 11), 11);  // 3 h over
        cartao(Data::de(2004, 4, 12), 8);
    }

    IntegracaoPonto::Interacao interacao() {
        IntegracaoPonto::Interacao i;
        i.diferencaNegativa = [this] {
            perguntas.push_back(IntegracaoPonto::PerguntaDiferenca);
            return std::string("Z");
        };
        i.pedeData = [this](const std::string& titulo, const std::string& prompt,
                            const std::string&) -> std::optional<std::string> {
            EXPECT_EQ(titulo, "KORVA");
            prompts.push_back(prompt);
            if (datas.empty()) return std::nullopt;
            auto r = datas.front();
            datas.erase(datas.begin());
            return r;
        };
        i.avisa = [this](const std::string& t) { avisos.push_back(t); };
        return i;
    }

    static IntegracaoPonto::Pedido Pedido(int item = 100) {
        IntegracaoPonto::Pedido p;
        p.item = item;
        p.base = 2;
        p.mes1 = "3";
        p.ano1 = "2004";
        p.mes2 = "4";
        p.ano2 = "04";
        p.qtde = Escolha::Figura(1);
        p.indice = Escolha::Informado(1.5);
        p.divisor = Escolha::Informado(220);
        return p;
    }

    // Runs the integration on a fresh period dataset with that default code.
    std::optional<int> integra(const IntegracaoPonto::Pedido& p, int codigo = 1) {
        OpcoesCalculo o;
        o.dataBasePadrao = codigo;
        ParametrosPeriodo periodo(banco, tabelaA, o);
        periodo.abre();
        IntegracaoPonto integracao(periodo, tabelaF, tabelaG, codigo);
        return integracao.Confirma(p, interacao());
    }

    // The box an input failure names, with its message.
    std::string falha(const IntegracaoPonto::Pedido& p) {
        try {
            integra(p);
        } catch (const ErroCampo& e) {
            return e.campo() + ": " + e.what();
        }
        return "";
    }

    struct Linha {
        int item, mes1, ano1, mes2, ano2, base, codigo;
        double qtde, indice, divisor;
        std::string vfm, diferenca;
        std::optional<Data> dtBase;
    };
    std::vector<Linha> linhasA() {
        Tabela a(banco, tabelaA);
        a.abre(ModoAbertura::SomenteLeitura);
        std::vector<Linha> r;
        auto i = [&](const char* c) { return static_cast<int>(a.valor(c).comoInteiro()); };
        for (a.primeiro(); !a.fim(); a.proximo())
            r.push_back({i("Item"), i("Mes1"), i("Ano1"), i("Mes2"), i("Ano2"), i("Base"), i("CodDataBasePadrao"),
                         a.valor("Qtde").comoNumero(), a.valor("Indice").comoNumero(), a.valor("Divisor").comoNumero(),
                         a.valor("VFM").comoTexto(), a.valor("Diferenca").comoTexto(),
                         a.valor("DtBase").nulo() ? std::nullopt : std::optional<Data>(a.valor("DtBase").comoData())});
        return r;
    }
};

TEST_F(IntegracaoTeste, OneFactorRowPerMonthOfTheRange) {
    EXPECT_EQ(integra(Pedido()), 2);
    const auto l = linhasA();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].item, 100);
    EXPECT_EQ(l[0].mes1, 3);
    EXPECT_EQ(l[0].mes2, 3);
    EXPECT_EQ(l[0].ano1, 2004);
    EXPECT_EQ(l[0].ano2, 2004);
    EXPECT_EQ(l[0].vfm, "F");
    EXPECT_NEAR(l[0].qtde, 4, 1e-9);
    EXPECT_NEAR(l[0].indice, 1.5, 1e-12);
    EXPECT_NEAR(l[0].divisor, 220, 1e-12);
    EXPECT_EQ(l[0].base, 2);
    EXPECT_EQ(l[0].diferenca, "Z");
    EXPECT_EQ(l[0].codigo, 1);
    EXPECT_FALSE(l[0].dtBase);
    EXPECT_EQ(l[1].mes1, 4);
    EXPECT_NEAR(l[1].qtde, 0, 1e-12);
    // The negative-difference question is asked once, for an item ending in 0 only.
    EXPECT_EQ(perguntas.size(), 1u);
    EXPECT_EQ(integra(Pedido(101)), 2);
    EXPECT_EQ(perguntas.size(), 1u);
    EXPECT_EQ(linhasA().back().diferenca, "");
}

TEST_F(IntegracaoTeste, InputChecksInTheirOrder) {
    auto p = Pedido();
    p.mes1 = "13";
    p.mes2 = "x";
    EXPECT_EQ(falha(p), "Mes1: Mês Inválido!");
    p.mes1 = "abc";
    EXPECT_EQ(falha(p), "Mes1: Mês Inválido!");
    p.mes1 = "3";
    EXPECT_EQ(falha(p), "Mes2: Mês Inválido!");
    p.mes2 = "2";
    p.item = 555;
    EXPECT_EQ(falha(p), "Mes1: Período de busca dos dados inválido!");
    p.mes2 = "4";
    EXPECT_EQ(falha(p), "Item: Item de Cálculo Inválido!");
    p.item = 100;
    p.base = 7;
    EXPECT_EQ(falha(p), "Base: Item de Cálculo Inválido!");
    EXPECT_TRUE(perguntas.empty());
    EXPECT_TRUE(linhasA().empty());
    // An empty year is 2000, which makes 03/2000..04/2004 a valid range.
    p.base = 2;
    p.ano1 = "";
    EXPECT_EQ(integra(p), 3);
    EXPECT_EQ(IntegracaoPonto::NormalizaAno("0"), 2000);
    EXPECT_EQ(IntegracaoPonto::NormalizaAno("99"), 1999);
}

TEST_F(IntegracaoTeste, FiguresChosenForEachValue) {
    auto p = Pedido();
    p.qtde = Escolha::Figura(4);     // days worked
    p.indice = Escolha::Figura(11);  // days Sunday to Friday
    p.divisor = Escolha::Figura(7);  // days of the month
    p.mes1 = "2";
    ASSERT_EQ(integra(p), 3);
    const auto l = linhasA();
    EXPECT_EQ(l[0].qtde, 1);
    EXPECT_EQ(l[0].indice, 25);
    EXPECT_EQ(l[0].divisor, 29);
    EXPECT_EQ(l[1].qtde, 2);
    EXPECT_EQ(l[1].divisor, 31);
}

TEST_F(IntegracaoTeste, BaseDateAskedForEveryMonthWithCode50) {
    datas = {"31/02/2004", "10/04/2004", std::string(" 05/05/2004 ")};
    EXPECT_EQ(integra(Pedido(), CodigoDtBaseDigitada), 2);
    EXPECT_EQ(prompts, (std::vector<std::string>{"Data Base de Atualização da Verba (03/2004)",
                                                 "Data Base de Atualização da Verba (03/2004)",
                                                 "Data Base de Atualização da Verba (04/2004)"}));
    EXPECT_EQ(avisos, std::vector<std::string>{"Data Inválida!"});
    const auto l = linhasA();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].codigo, 50);
    EXPECT_EQ(l[0].dtBase, Data::de(2004, 4, 10));
    EXPECT_EQ(l[1].dtBase, Data::de(2004, 5, 5));
}

TEST_F(IntegracaoTeste, ACancelledDateWritesNothing) {
    datas = {"10/04/2004", std::nullopt};
    EXPECT_EQ(integra(Pedido(), CodigoDtBaseDigitada), std::nullopt);
    EXPECT_EQ(prompts.size(), 2u);
    EXPECT_TRUE(linhasA().empty());
}

TEST_F(IntegracaoTeste, AZeroDivisorWritesNothing) {
    auto p = Pedido();
    p.divisor = Escolha::Figura(1);  // overtime: 0 in April
    EXPECT_EQ(falha(p), "Divisor: ERRO! Divisor não pode ser zero.");
    p.divisor = Escolha::Informado(0);
    EXPECT_EQ(falha(p), "Divisor: ERRO! Divisor não pode ser zero.");
    p.divisor = Escolha::Figura(-1);  // no choice gives 0
    EXPECT_EQ(falha(p), "Divisor: ERRO! Divisor não pode ser zero.");
    EXPECT_TRUE(linhasA().empty());
}

TEST_F(IntegracaoTeste, ARowRefusedByThePeriodRulesLeavesTableAAsItWas) {
    periodo(101, 1, 2004, 1, 2004, "V");
    // Night hours as the divisor: March's 2.2856 is stored, April's 15 night
    // minutes (0.2857) are refused by the period rules' divisor check.
    cartao(Data::de(2004, 3, 12), 2, false, Hora(22));
    cartao(Data::de(2004, 4, 13), 0.25, false, Hora(23));
    auto p = Pedido();
    p.divisor = Escolha::Figura(2);
    EXPECT_EQ(BaseParametros::Mensagem([&] { integra(p); }), "ERRO! Divisor não pode ser zero.");
    const auto l = linhasA();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].item, 101);
    // The item equal to the base is refused on the first row, nothing written.
    p = Pedido();
    p.base = 100;
    EXPECT_EQ(BaseParametros::Mensagem([&] { integra(p); }), ParametrosPeriodo::MsgItemIgualBase);
    EXPECT_EQ(linhasA().size(), 1u);
    // After a refusal the dataset takes new rows as usual.
    EXPECT_EQ(integra(Pedido()), 2);
    EXPECT_EQ(linhasA().size(), 3u);
}

}  // namespace
}  // namespace korva
