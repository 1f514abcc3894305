// The arithmetic of the pro-rata statement with factor and interest
// functions of the test's own: the opening block in both ways of counting
// interest, the two forms of deduction, the FGTS and the additions with their
// formulas, the total; and the reading of a record with its child rows.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "apoio/PastaTemporaria.h"
#include "prorata/ExtratoProrrata.h"
#include "prorata/RegistrosProrrata.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::teste {
namespace {

Data D(int dia, int mes, int ano) { return Data::de(ano, mes, dia); }

// Index levels by date: the factor is the later level over the earlier one.
struct IndiceTeste {
    std::map<Data, double> niveis;
    std::vector<std::tuple<int, Data, Data>> pedidos;
    FatorDiario funcao() {
        return [this](int cod, Data a, Data b) {
            pedidos.emplace_back(cod, a, b);
            return niveis.at(b) / niveis.at(a);
        };
    }
};

// Interest of 1 % per calendar month between the months of the two dates;
// 0 when not calculated. Records what it was asked.
struct JurosTeste {
    struct Pedido {
        bool calcula;
        Data de, ate;
        int prorrata, modo;
    };
    std::vector<Pedido> pedidos;
    double porMes = 1.0;
    JurosEntreDatas funcao() {
        return [this](bool calcula, Data de, Data ate, int prorrata, int modo) {
            pedidos.push_back({calcula, de, ate, prorrata, modo});
            if (!calcula) return 0.0;
            return porMes * ((ate.ano() - de.ano()) * 12 + ate.mes() - de.mes());
        };
    }
};

// The same factor for every span, the same interest for every call.
FatorDiario FatorFixo(double f) {
    return [f](int, Data, Data) { return f; };
}
JurosEntreDatas JurosFixos(double p) {
    return [p](bool, Data, Data, int, int) { return p; };
}

DadosProrrata Registro() {
    DadosProrrata d;
    d.codigo = 7;
    d.processo = "0000100-20.2019.5.01.0001";
    d.codRecte = 1;
    d.dtAjuiz = D(1, 1, 2020);
    d.dtBase = D(1, 2, 2020);
    d.dtFinal = D(1, 7, 2020);
    d.valor = 1000;
    d.usarJurosPadrao = 1;
    return d;
}

TEST(ExtratoProrrata, OpeningBlockInBothWaysOfCountingInterest) {
    DadosProrrata d = Registro();
    JurosTeste j;
    j.porMes = 10.0 / 6;  // DtAjuiz -> DtFinal: 6 months, 10 %
    ExtratoProrrata e = CalculaExtrato(d, FatorFixo(1.1), j.funcao());
    EXPECT_EQ(e.s, d.dtFinal);  // no instalments
    EXPECT_DOUBLE_EQ(e.f0, 1.1);
    EXPECT_DOUBLE_EQ(e.P, 1100);
    EXPECT_DOUBLE_EQ(e.W, 0);
    EXPECT_NEAR(e.i0, 10, 1e-12);
    EXPECT_NEAR(e.E0, 110, 1e-9);
    EXPECT_NEAR(e.totalAbertura, 1210, 1e-9);
    EXPECT_DOUBLE_EQ(e.total, 1210);
    ASSERT_EQ(j.pedidos.size(), 1u);
    // "Constantes": from the filing date, with the record's flag, code and mode.
    EXPECT_EQ(j.pedidos[0].de, d.dtAjuiz);
    EXPECT_EQ(j.pedidos[0].ate, d.dtFinal);
    EXPECT_TRUE(j.pedidos[0].calcula);
    EXPECT_EQ(j.pedidos[0].prorrata, 7);
    EXPECT_EQ(j.pedidos[0].modo, 1);

    d.jurosConstantes = false;
    d.valorJuros = 200;
    j.pedidos.clear();
    j.porMes = 1;  // DtBase -> DtFinal: 5 months, 5 %
    e = CalculaExtrato(d, FatorFixo(1.1), j.funcao());
    EXPECT_NEAR(e.W, 220, 1e-9);
    EXPECT_NEAR(e.i0, 5, 1e-12);
    EXPECT_NEAR(e.E0, 55, 1e-9);
    EXPECT_NEAR(e.totalAbertura, 1375, 1e-9);
    EXPECT_DOUBLE_EQ(e.total, 1375);
    ASSERT_EQ(j.pedidos.size(), 1u);
    EXPECT_EQ(j.pedidos[0].de, d.dtBase);  // "Regressivos": from the base date

    // Interest not calculated: the flag reaches the interest function.
    d.comJuros = false;
    e = CalculaExtrato(d, FatorFixo(1.1), j.funcao());
    EXPECT_DOUBLE_EQ(e.E0, 0);
    EXPECT_FALSE(j.pedidos.back().calcula);
}

// P = 1000 and J = 100 at the instalment, nothing corrected afterwards.
ExtratoProrrata UmaParcela(const std::string& forma, double v, bool regressivos) {
    DadosProrrata d = Registro();
    d.formaAbatimento = forma;
    d.parcelas = {{D(1, 3, 2020), v}};
    JurosEntreDatas juros;
    if (regressivos) {
        // P 900, W 100, no interest at all.
        d.valor = 900;
        d.jurosConstantes = false;
        d.valorJuros = 100;
        juros = JurosFixos(0);
    } else {
        // The opening interest is 10 % and nothing runs after the payment.
        juros = [](bool, Data de, Data, int, int) { return de == D(1, 1, 2020) ? 10.0 : 0.0; };
    }
    return CalculaExtrato(d, FatorFixo(1), juros);
}

TEST(ExtratoProrrata, DeductionsInterestFirstAndInProportion) {
    ExtratoProrrata e = UmaParcela("J", 150, false);
    ASSERT_EQ(e.parcelas.size(), 1u);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 0);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoPrincipal, 950);
    EXPECT_DOUBLE_EQ(e.total, 950);

    e = UmaParcela("J", 60, false);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 40);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoPrincipal, 1000);
    EXPECT_DOUBLE_EQ(e.total, 1040);

    // Exactly the interest: all of it goes, the principal stays.
    e = UmaParcela("J", 100, false);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 0);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoPrincipal, 1000);

    e = UmaParcela("P", 100, true);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 90);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoPrincipal, 810);
    EXPECT_DOUBLE_EQ(e.total, 900);

    // In proportion with nothing left to share: no division by zero, the
    // payment goes below zero on the principal.
    DadosProrrata d = Registro();
    d.valor = 0;
    d.formaAbatimento = "P";
    d.parcelas = {{D(1, 3, 2020), 25}};
    e = CalculaExtrato(d, FatorFixo(1), JurosFixos(0));
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 0);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoPrincipal, -25);

    // A letter other than "P" deducts the interest first.
    e = UmaParcela("", 60, false);
    EXPECT_DOUBLE_EQ(e.parcelas[0].saldoJuros, 40);
}

// Levels: 01/02 1.00, 01/03 1.02, 01/05 1.05, 01/07 1.10; interest 1 % a month.
struct Varias : ::testing::Test {
    IndiceTeste ind;
    JurosTeste jur;
    DadosProrrata d = Registro();
    void SetUp() override {
        ind.niveis = {{D(1, 2, 2020), 1.00}, {D(1, 3, 2020), 1.02}, {D(1, 5, 2020), 1.05}, {D(1, 7, 2020), 1.10}};
        // Given out of order: the list of dates is in date order.
        d.parcelas = {{D(1, 5, 2020), 500}, {D(1, 3, 2020), 300}};
    }
};

TEST_F(Varias, InterestFirstCarriedFromPaymentToPayment) {
    const ExtratoProrrata e = CalculaExtrato(d, ind.funcao(), jur.funcao());
    EXPECT_EQ(e.s, D(1, 3, 2020));
    EXPECT_DOUBLE_EQ(e.f0, 1.02);
    EXPECT_DOUBLE_EQ(e.P, 1020);
    EXPECT_NEAR(e.E0, 20.4, 1e-9);  // 01/2020 -> 03/2020: 2 %
    ASSERT_EQ(e.parcelas.size(), 2u);

    const ParcelaExtrato& a = e.parcelas[0];
    EXPECT_EQ(a.data, D(1, 3, 2020));
    EXPECT_EQ(a.proxima, D(1, 5, 2020));
    EXPECT_DOUBLE_EQ(a.valor, 300);
    EXPECT_DOUBLE_EQ(a.saldoJuros, 0);
    EXPECT_NEAR(a.saldoPrincipal, 740.4, 1e-9);  // 1020 + 20.4 - 300
    EXPECT_NEAR(a.fator, 1.05 / 1.02, 1e-15);
    const double p1 = 740.4 * 1.05 / 1.02;
    EXPECT_NEAR(a.principalAtualizado, p1, 1e-9);
    EXPECT_DOUBLE_EQ(a.jurosAtualizados, 0);
    EXPECT_NEAR(a.juros, 2, 1e-12);
    EXPECT_NEAR(a.valorJuros, p1 * 0.02, 1e-9);
    EXPECT_NEAR(a.total, p1 * 1.02, 1e-9);

    const ParcelaExtrato& b = e.parcelas[1];
    EXPECT_EQ(b.proxima, d.dtFinal);
    EXPECT_DOUBLE_EQ(b.saldoJuros, 0);
    const double saldo = p1 * 1.02 - 500;  // 277.42
    EXPECT_NEAR(b.saldoPrincipal, saldo, 1e-9);
    const double p2 = saldo * 1.10 / 1.05;
    EXPECT_NEAR(b.principalAtualizado, p2, 1e-9);
    EXPECT_NEAR(b.total, p2 * 1.02, 1e-9);  // 05 -> 07: 2 %
    EXPECT_DOUBLE_EQ(e.total, std::trunc(p2 * 1.02 / 0.01 + 0.5) * 0.01);
    EXPECT_NEAR(e.total, 296.44, 1e-9);

    // Interest of each span from the payment to the next date.
    ASSERT_EQ(jur.pedidos.size(), 3u);
    EXPECT_EQ(jur.pedidos[1].de, D(1, 3, 2020));
    EXPECT_EQ(jur.pedidos[1].ate, D(1, 5, 2020));
    EXPECT_EQ(jur.pedidos[2].de, D(1, 5, 2020));
    EXPECT_EQ(jur.pedidos[2].ate, D(1, 7, 2020));
}

TEST_F(Varias, ProportionalDeductionWithAccruedInterest) {
    d.formaAbatimento = "P";
    d.jurosConstantes = false;
    d.valorJuros = 50;
    ind.niveis[D(1, 1, 2020)] = 0.99;
    const ExtratoProrrata e = CalculaExtrato(d, ind.funcao(), jur.funcao());
    EXPECT_NEAR(e.W, 51, 1e-9);     // 50 * 1.02
    EXPECT_NEAR(e.E0, 10.2, 1e-9);  // 02 -> 03: 1 % on 1020
    const double P0 = 1020, J0 = 61.2;
    ASSERT_EQ(e.parcelas.size(), 2u);
    const ParcelaExtrato& a = e.parcelas[0];
    const double restoA = (P0 + J0 - 300) / (P0 + J0);  // the share each keeps
    EXPECT_NEAR(a.saldoJuros, J0 * restoA, 1e-9);
    EXPECT_NEAR(a.saldoPrincipal, P0 * restoA, 1e-9);
    const double gA = 1.05 / 1.02;
    const double P1 = P0 * restoA * gA, J1 = J0 * restoA * gA + P0 * restoA * gA * 0.02;
    EXPECT_NEAR(a.jurosAtualizados, J0 * restoA * gA, 1e-9);
    EXPECT_NEAR(a.total, P1 + J1, 1e-9);

    const ParcelaExtrato& b = e.parcelas[1];
    const double restoB = (P1 + J1 - 500) / (P1 + J1);
    EXPECT_NEAR(b.saldoJuros, J1 * restoB, 1e-9);
    EXPECT_NEAR(b.saldoPrincipal, P1 * restoB, 1e-9);
    const double gB = 1.10 / 1.05;
    const double total = (P1 * restoB * gB) * 1.02 + J1 * restoB * gB;
    EXPECT_NEAR(b.total, total, 1e-9);
    EXPECT_NEAR(e.total, std::trunc(total / 0.01 + 0.5) * 0.01, 1e-9);
}

TEST(ExtratoProrrata, FgtsAndAdditionsWithTheirFormulas) {
    DadosProrrata d = Registro();
    d.valorFGTS = 312.5;  // * 1.6 = 500
    d.acrescimos = {{1, "Honorários", 10, "P", std::nullopt, true},
                    {2, "Custas", 100, "V", D(1, 3, 2020), true},
                    {3, "Multa", 1, "P", std::nullopt, false}};
    IndiceTeste ind;
    ind.niveis = {{D(1, 2, 2020), 1.0}, {D(1, 3, 2020), 1.25}, {D(1, 7, 2020), 1.6}};
    // Filing date -> final date 25 %: B = 1600 + 400 = 2000.
    JurosTeste j;
    j.porMes = 25.0 / 6;
    const ExtratoProrrata e = CalculaExtrato(d, ind.funcao(), j.funcao());

    ASSERT_TRUE(e.fgts);
    EXPECT_DOUBLE_EQ(e.fgts->fator, 1.6);
    EXPECT_DOUBLE_EQ(e.fgts->valor, 500);
    EXPECT_DOUBLE_EQ(e.fgts->juros, 0);
    EXPECT_EQ(e.fgts->formula, "(312,50 * 1,600000000) ");

    ASSERT_EQ(e.acrescimos.size(), 3u);
    EXPECT_DOUBLE_EQ(e.acrescimos[0].valor, 250);  // 10 % of 2000 + 500
    EXPECT_EQ(e.acrescimos[0].formula, "((1.600,00 + 25,0000%)  + 500,00) * 10,00%");
    EXPECT_DOUBLE_EQ(e.acrescimos[1].valor, 100 * 1.6 / 1.25);
    EXPECT_EQ(e.acrescimos[1].formula, "(100,00 * 1,280000000)");
    EXPECT_DOUBLE_EQ(e.acrescimos[2].valor, 25);
    EXPECT_FALSE(e.acrescimos[2].totalizar);
    // No instalments: P + W + E0 + A + FG, the addition left out of the sum.
    EXPECT_NEAR(e.total, 1600 + 400 + 250 + 128 + 500, 1e-9);
}

TEST(ExtratoProrrata, FgtsInterestAndPercentageFormulaOpenings) {
    DadosProrrata d = Registro();
    d.valorFGTS = 100.004;  // rounded to the cent before the interest
    d.calcularJurosFGTS = true;
    d.acrescimos = {{1, "Honorários", 10, "P", std::nullopt, true}};
    JurosTeste j;
    ExtratoProrrata e = CalculaExtrato(d, FatorFixo(1), j.funcao());
    ASSERT_TRUE(e.fgts);
    // 1 % a month from the filing date, through the FGTS mode, always calculated.
    const auto& pedido = j.pedidos.front();
    EXPECT_TRUE(pedido.calcula);
    EXPECT_EQ(pedido.de, d.dtAjuiz);
    EXPECT_EQ(pedido.ate, d.dtFinal);
    EXPECT_EQ(pedido.prorrata, 0);
    EXPECT_EQ(pedido.modo, kModoJurosFGTS);
    EXPECT_DOUBLE_EQ(e.fgts->juros, 6);
    EXPECT_NEAR(e.fgts->valor, 106, 1e-12);  // 100.00 * 1.06, not rounded again
    EXPECT_EQ(e.fgts->formula, "(100,00 * 1,000000000)  + 6,0000%");

    // Without FGTS the percentage's base is B alone, and "Constantes" opens no
    // outer parenthesis.
    d.valorFGTS = 0;
    e = CalculaExtrato(d, FatorFixo(1), j.funcao());
    EXPECT_FALSE(e.fgts);
    EXPECT_DOUBLE_EQ(e.acrescimos[0].valor, 106);  // 10 % of 1000 * 1.06
    EXPECT_EQ(e.acrescimos[0].formula, "(1.000,00 + 6,0000%) * 10,00%");

    // "Regressivos": the accrued interest enters B and the formula, from the base date.
    d.jurosConstantes = false;
    d.valorJuros = 40;
    e = CalculaExtrato(d, FatorFixo(1), j.funcao());
    EXPECT_DOUBLE_EQ(e.acrescimos[0].valor, 109);  // 10 % of 1000 * 1.05 + 40
    EXPECT_EQ(e.acrescimos[0].formula, "((1.000,00 + 5,0000%)  + 40,00) * 10,00%");

    // A percentage rounds to the cent; an amount does not.
    d.acrescimos = {{1, "P", 1.0 / 3, "P", std::nullopt, true}, {2, "V", 10, "V", D(1, 2, 2020), true}};
    e = CalculaExtrato(d, FatorFixo(1.0 / 3), j.funcao());
    EXPECT_DOUBLE_EQ(e.acrescimos[0].valor, 1.21);  // (1000 + 50 + 40) / 3 * 1/3 %
    EXPECT_DOUBLE_EQ(e.acrescimos[1].valor, 10.0 / 3);
}

TEST(ExtratoProrrata, AmountAdditionWithoutItsDateIsRefused) {
    DadosProrrata d = Registro();
    d.acrescimos = {{1, "Custas ", 100, "V", std::nullopt, true}};
    try {
        CalculaExtrato(d, FatorFixo(1), JurosFixos(0));
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Informe a data base do acréscimo \"Custas\".");
    }
}

TEST(ExtratoProrrata, AmountsPrintedWholeToTheCent) {
    EXPECT_EQ(ValorExtrato(12345678.91), "12.345.678,91");
    EXPECT_EQ(ValorExtrato(-1234567890123.45), "-1.234.567.890.123,45");
    EXPECT_EQ(NumeroExtrato(1.1234567894, 15, 9), "1,123456789");
    EXPECT_EQ(NumeroExtrato(12.345678, 12, 4), "12,3457");
    // The nine-digit form the other reports print is unchanged.
    EXPECT_EQ(FormataNumero(12345678.91), "12.345.678,90");
    EXPECT_EQ(FormataNumero(12345678.91, 2, 9), "12.345.678,90");
    // One significant digit has no decimal point in its exponent form.
    EXPECT_EQ(FormataNumero(87654, 2, 1), "90.000,00");
    EXPECT_EQ(FormataNumero(0.96, 1, 1), "1,0");
}

// A private database with the three tables the statement reads.
struct Leitura : ::testing::Test {
    PastaTemporaria pasta;
    Banco banco{"CalcPriv", pasta.caminho()};

    void SetUp() override {
        banco.criaTabela(kTabelaProrrata, EsquemaProrrata());
        banco.criaTabela(kTabelaParcelas, EsquemaParcelas());
        banco.criaTabela(kTabelaAcrescProrrata, EsquemaAcrescProrrata());
    }
    int registro(const std::string& processo, bool constantes) {
        Tabela t(banco, kTabelaProrrata);
        t.abre();
        t.insere();
        t["Processo"] = processo;
        t["CodRecte"] = 3;
        t["DtAjuiz"] = D(10, 1, 2019);
        t["DtBase"] = D(1, 2, 2020);
        t["Valor"] = 1234.5;
        t["DtFinal"] = D(31, 12, 2021);
        t["Parte1"] = "Ana Souza";
        t["ComJuros"] = true;
        t["JurosConstantes"] = constantes;
        t["ValorJuros"] = 12.0;
        t["Indice"] = 2;
        t["FormaAbatimento"] = "P";
        t["ValorFGTS"] = 50.0;
        t["CalcularJurosFGTS"] = true;
        t["UsarJurosPadrao"] = 2;
        t["ObsFinal"] = "Nota final";
        t.grava();
        return static_cast<int>(t.valor("Codigo").comoInteiro());
    }
    void parcela(int prorrata, Data data, double valor) {
        Tabela t(banco, kTabelaParcelas);
        t.abre();
        t.insere();
        t["Prorrata"] = prorrata;
        t["Data"] = data;
        t["Valor"] = valor;
        t.grava();
    }
    void acrescimo(int prorrata, const std::string& descricao, const std::string& tipo, bool totalizar) {
        Tabela t(banco, kTabelaAcrescProrrata);
        t.abre();
        t.insere();
        t["Prorrata"] = prorrata;
        t["Descricao"] = descricao;
        t["Valor"] = 5.0;
        t["Tipo"] = tipo;
        if (tipo == "V") t["DtBase"] = D(1, 6, 2020);
        t["Totalizar"] = totalizar;
        t.grava();
    }
};

TEST_F(Leitura, RecordWithItsOwnChildRowsInOrder) {
    const int a = registro("0000001-11.2019.5.01.0001", false);
    const int b = registro("0000002-22.2019.5.01.0001", true);
    parcela(a, D(1, 8, 2021), 30);
    parcela(b, D(1, 3, 2021), 99);
    parcela(a, D(1, 3, 2021), 10);
    acrescimo(a, "Honorários", "P", true);
    acrescimo(b, "Outro", "P", true);
    acrescimo(a, "Custas", "V", false);

    const DadosProrrata d = LeDadosProrrata(banco, a);
    EXPECT_EQ(d.codigo, a);
    EXPECT_EQ(d.processo, "0000001-11.2019.5.01.0001");
    EXPECT_EQ(d.codRecte, 3);
    EXPECT_EQ(d.dtAjuiz, D(10, 1, 2019));
    EXPECT_EQ(d.dtBase, D(1, 2, 2020));
    EXPECT_EQ(d.dtFinal, D(31, 12, 2021));
    EXPECT_DOUBLE_EQ(d.valor, 1234.5);
    EXPECT_EQ(d.parte1, "Ana Souza");
    EXPECT_EQ(d.parte2, "");
    EXPECT_TRUE(d.comJuros);
    EXPECT_FALSE(d.jurosConstantes);
    EXPECT_DOUBLE_EQ(d.valorJuros, 12);
    EXPECT_EQ(d.indice, 2);
    EXPECT_EQ(d.formaAbatimento, "P");
    EXPECT_DOUBLE_EQ(d.valorFGTS, 50);
    EXPECT_TRUE(d.calcularJurosFGTS);
    EXPECT_EQ(d.usarJurosPadrao, 2);
    EXPECT_EQ(d.obsFinal, "Nota final");

    ASSERT_EQ(d.parcelas.size(), 2u);
    EXPECT_EQ(d.parcelas[0].data, D(1, 3, 2021));
    EXPECT_DOUBLE_EQ(d.parcelas[0].valor, 10);
    EXPECT_EQ(d.parcelas[1].data, D(1, 8, 2021));
    ASSERT_EQ(d.acrescimos.size(), 2u);
    EXPECT_EQ(d.acrescimos[0].descricao, "Honorários");
    EXPECT_FALSE(d.acrescimos[0].dtBase);
    EXPECT_TRUE(d.acrescimos[0].totalizar);
    EXPECT_EQ(d.acrescimos[1].descricao, "Custas");
    EXPECT_EQ(d.acrescimos[1].tipo, "V");
    EXPECT_EQ(d.acrescimos[1].dtBase, D(1, 6, 2020));
    EXPECT_FALSE(d.acrescimos[1].totalizar);
    EXPECT_LT(d.acrescimos[0].codigo, d.acrescimos[1].codigo);

    EXPECT_EQ(LeDadosProrrata(banco, b).parcelas.size(), 1u);
    EXPECT_THROW(LeDadosProrrata(banco, b + 100), ErroKorva);
}

}  // namespace
}  // namespace korva::teste
