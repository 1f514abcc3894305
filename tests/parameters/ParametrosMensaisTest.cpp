#include <gtest/gtest.h>

#include "BaseParametros.h"
#include "parameters/ParametrosMensais.h"
#include "register/RegrasAcrescimos.h"
#include "util/Erros.h"

namespace korva {
namespace {

struct ParametrosMensaisTeste : teste::BaseParametros {
    std::unique_ptr<TabelasReferencia> ref;
    std::unique_ptr<CalculoDtBase> dtBase;
    std::unique_ptr<ParametrosMensais> p;

    void SetUp() override {
        BaseParametros::SetUp();
        verba(1, "Salário Mínimo", "S", 1.0);
        verba(2, "Salário", "S");
        verba(4, "Bases Salariais", "S");
        verba(100, "Horas Extras", "S", 1.5, 1.0, 220.0, 2);
        verba(101, "Horas Extras Pagas", "N");
        verba(102, "Diferença de Horas Extras", "S");
        ParametrosMensais::EsqueceLinhaLembrada();
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        dtBase = std::make_unique<CalculoDtBase>(*ref, OpcoesCalculo{1, true, false, 0});
        p = std::make_unique<ParametrosMensais>(banco, tabelaB, *dtBase);
    }

    void verba(int codigo, const std::string& desc, const std::string& inss, std::optional<double> qtde = {},
               std::optional<double> indice = {}, std::optional<double> divisor = {}, std::optional<int> base = {}) {
        teste::InsereVerba(banco, codigo, desc, inss, qtde, indice, divisor, base);
    }

    // A calculated month row stored straight into B, as the calculation leaves it.
    void mes(int item, int m, int ano, const std::string& vfm, double valor, bool calculado = true) {
        Tabela b(banco, tabelaB);
        b.abre();
        b.insere();
        b["Item"] = item;
        b["Mes"] = m;
        b["Ano"] = ano;
        b["Valor"] = valor;
        b["VFM"] = vfm;
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(ano, m, 28);
        b["Calculado"] = calculado;
        b["INSS"] = "S";
        b.grava();
    }

    Tabela& t() { return p->tabela(); }

};

TEST_F(ParametrosMensaisTeste, FieldEntryChecksAndNewRowDefaults) {
    p->abre();
    EXPECT_EQ(ParametrosMensais::Titulo("B1"), "KORVA - Tabela de Parâmetros Mês a Mês (B1)");
    t().insere();
    EXPECT_FALSE(t().valor("Calculado").comoLogico());
    EXPECT_EQ(t().valor("CodDataBasePadrao").comoInteiro(), 1);  // the lawsuit's default code
    EXPECT_EQ(Mensagem([&] { t()["Mes"] = 13; }), "Mes inválido!");
    EXPECT_EQ(Mensagem([&] { t()["MMes2"] = -1; }), "Mes inválido!");
    t()["Ano"] = 4;
    EXPECT_EQ(t().valor("Ano").comoInteiro(), 2004);
    t()["MAno1"] = "98";
    EXPECT_EQ(t().valor("MAno1").comoInteiro(), 1998);
    // The catalogue's defaults come with the item; the item may not be its own base.
    t()["Item"] = 100;
    EXPECT_EQ(t().valor("Base").comoInteiro(), 2);
    EXPECT_DOUBLE_EQ(t().valor("Qtde").comoNumero(), 1.5);
    EXPECT_EQ(t().valor("Diferenca").comoTexto(), "Z");  // item ending in 0
    EXPECT_EQ(Mensagem([&] { t()["Base"] = 100; }), "O Item de Cálculo (100) não pode ser igual ao Item Base!");
    EXPECT_EQ(Mensagem([&] { t()["ItemMedia"] = 100; }),
              "O Item de Cálculo não pode ser igual ao Item Base da Média!");
    EXPECT_EQ(Mensagem([&] { t()["Base"] = 555; }), "Item de Cálculo inválido!");
    EXPECT_EQ(Mensagem([&] { t()["Divisor"] = 0.4; }), "ERRO! Divisor não pode ser zero.");
    // "D" is the calculation's kind alone.
    EXPECT_EQ(Mensagem([&] { t()["VFM"] = "d"; }), "Valor Inválido para o Campo!");
    t()["VFM"] = "m";
    EXPECT_EQ(t().valor("VFM").comoTexto(), "M");
    p->defineCalculando(true);
    t()["VFM"] = "d";
    EXPECT_EQ(t().valor("VFM").comoTexto(), "D");
    p->defineCalculando(false);
    EXPECT_EQ(p->camposObrigatorios(), (std::vector<std::string>{"Valor", "Diferenca"}));
    EXPECT_FALSE(p->comandosHabilitados());
    t().cancela();
    EXPECT_TRUE(p->comandosHabilitados());
    // The fixed items are factor rows.
    EXPECT_EQ(ParametrosMensais::ObrigatoriosDe(2, "D"), (std::vector<std::string>{"Valor"}));
    EXPECT_FALSE(ParametrosMensais::ObrigatoriosDe(101, "X").has_value());
}

TEST_F(ParametrosMensaisTeste, AnyEditMakesTheRowUncalculatedAndClosingAsks) {
    mes(2, 1, 2005, "F", 1000.0);
    mes(101, 1, 2005, "V", 50.0);
    mes(2, 2, 2005, "F", 1000.0);
    p->abre();
    EXPECT_EQ(p->contaNaoCalculados(), 0);
    // Editing alone, before any field changes, clears Calculado.
    t().vaiPara(1);  // 01/2005 item 101 in the period order
    ASSERT_EQ(t().valor("Item").comoInteiro(), 101);
    t().edita();
    EXPECT_FALSE(t().valor("Calculado").comoLogico());
    t()["Valor"] = 60.0;
    // A row in edit state refuses to close.
    EXPECT_THROW(p->fecha([](const std::string&) { return true; }), Inf);
    t().grava();
    EXPECT_EQ(p->contaNaoCalculados(), 1);
    EXPECT_DOUBLE_EQ(t().valor("Valor").comoNumero(), 60.0);  // a "V" row keeps its value

    // No: the table stays open on the uncalculated row.
    t().ultimo();
    std::string pergunta;
    EXPECT_FALSE(p->fecha([&](const std::string& q) {
        pergunta = q;
        return false;
    }));
    EXPECT_EQ(pergunta,
              "Há 1 item(s) que voce alterou e não recalculou este processo.\n"
              "Antes de imprimir qualquer relatório será necessário retornar a esta tela e recalcular este processo.\n"
              "Deseja realmente fechar esta tela?");
    EXPECT_TRUE(t().aberta());
    EXPECT_EQ(t().valor("Item").comoInteiro(), 101);
    // In the item order the same row is found, now last.
    p->defineOrdem(OrdemParametros::Item);
    t().primeiro();
    EXPECT_TRUE(p->vaiParaPrimeiroNaoCalculado());
    EXPECT_EQ(t().posicao(), 2);
    // Yes closes.
    EXPECT_TRUE(p->fecha([](const std::string&) { return true; }));
    EXPECT_FALSE(t().aberta());
}

TEST_F(ParametrosMensaisTeste, NoUncalculatedRowsClosesWithoutAsking) {
    mes(2, 1, 2005, "F", 1000.0);
    p->abre();
    bool perguntou = false;
    EXPECT_TRUE(p->fecha([&](const std::string&) { return perguntou = true; }));
    EXPECT_FALSE(perguntou);
    // An empty grid has nothing to find.
    Tabela b(banco, tabelaB);
    b.abre();
    b.primeiro();
    b.exclui();
    b.fecha();
    p->abre();
    EXPECT_EQ(p->contaNaoCalculados(), 0);
    EXPECT_FALSE(p->vaiParaPrimeiroNaoCalculado());
}

TEST_F(ParametrosMensaisTeste, DifferenceRowRefusesEditsButCanBeDeleted) {
    mes(102, 3, 2005, "D", 25.0);
    p->abre();
    EXPECT_EQ(Mensagem([&] { t().edita(); }), "ERRO! Voce não pode alterar um Item Diferença!");
    EXPECT_FALSE(t().editando());
    EXPECT_TRUE(t().valor("Calculado").comoLogico());
    // The calculation may value it.
    p->defineCalculando(true);
    t().edita();
    t()["Valor"] = 30.0;
    t().grava();
    p->defineCalculando(false);
    EXPECT_DOUBLE_EQ(t().valor("Valor").comoNumero(), 30.0);
    t().exclui();
    EXPECT_TRUE(t().vazia());
}

TEST_F(ParametrosMensaisTeste, StoreEmptiesUnusedFieldsAndRecomputesDtBase) {
    p->abre();
    // Item 4 keeps no typed value; the month's last day for code 1.
    t().insere();
    t()["Item"] = 4;
    t()["Mes"] = 2;
    t()["Ano"] = 2004;
    t()["Valor"] = 999.0;
    t()["Qtde"] = 3.0;
    t()["INSS"] = "S";
    EXPECT_EQ(t().valor("VFM").comoTexto(), "F");
    t().grava();
    EXPECT_TRUE(t().valor("Valor").nulo());
    EXPECT_TRUE(t().valor("Qtde").nulo());
    EXPECT_EQ(t().valor("DtBase").comoData(), Data::de(2004, 2, 29));
    // ...except while the calculation values it.
    p->defineCalculando(true);
    t().edita();
    t()["Valor"] = 1500.0;
    t().grava();
    p->defineCalculando(false);
    EXPECT_DOUBLE_EQ(t().valor("Valor").comoNumero(), 1500.0);

    // A factor row keeps its calculated value and loses the averaging fields;
    // changing its month and code moves DtBase.
    t().insere();
    t()["Item"] = 101;
    t()["Mes"] = 11;
    t()["Ano"] = 2004;
    t()["VFM"] = "F";
    t()["Valor"] = 77.0;
    t()["Qtde"] = 1.0;
    t()["Indice"] = 1.0;
    t()["Divisor"] = 1.0;
    t()["Base"] = 2;
    t()["MMes1"] = 1;
    t()["INSS"] = "N";
    t().grava();
    EXPECT_DOUBLE_EQ(t().valor("Valor").comoNumero(), 77.0);
    EXPECT_TRUE(t().valor("MMes1").nulo());
    EXPECT_EQ(t().valor("DtBase").comoData(), Data::de(2004, 11, 30));
    t().edita();
    t()["Mes"] = 12;
    t()["CodDataBasePadrao"] = 5;  // first working day of the next month
    t().grava();
    EXPECT_EQ(t().valor("DtBase").comoData(), Data::de(2005, 1, 3));

    // Code 50 needs a typed date and keeps it; a code without a rule is refused.
    t().edita();
    t()["CodDataBasePadrao"] = 50;
    t()["DtBase"] = Data::de(2005, 2, 7);
    t().grava();
    EXPECT_EQ(t().valor("DtBase").comoData(), Data::de(2005, 2, 7));
    t().edita();
    t()["CodDataBasePadrao"] = 7;
    try {
        t().grava();
        ADD_FAILURE() << "code 7 stored";
    } catch (const ErroCampo& e) {
        EXPECT_EQ(e.campo(), "CodDataBasePadrao");
        EXPECT_EQ(std::string(e.what()), MsgCodigoDtBaseInvalido(7));
    }
    EXPECT_TRUE(t().editando());  // the row stays in edit state
    t().cancela();

    // A reversed averaging window is refused; a commission row keeps its average fields.
    t().insere();
    t()["Item"] = 101;
    t()["Mes"] = 1;
    t()["Ano"] = 2005;
    t()["VFM"] = "C";
    t()["Qtde"] = 2.0;
    t()["ItemMedia"] = 2;
    t()["MMes1"] = 6;
    t()["MAno1"] = 4;
    t()["MMes2"] = 1;
    t()["MAno2"] = 4;
    t()["INSS"] = "S";
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Período especificado inválido!");
    t()["MAno2"] = 5;
    t().grava();
    EXPECT_TRUE(t().valor("Qtde").nulo());
    EXPECT_EQ(t().valor("MAno1").comoInteiro(), 2004);
    EXPECT_EQ(t().valor("ItemMedia").comoInteiro(), 2);
}

TEST_F(ParametrosMensaisTeste, CopyKeysUseTheRememberedRow) {
    mes(101, 5, 2005, "V", 40.0);
    p->abre();
    EXPECT_FALSE(p->copiaLinha());  // nothing remembered, not editing
    t().insere();                  // begins on a row whose Item is filled
    EXPECT_TRUE(ParametrosMensais::TemLinhaLembrada());
    EXPECT_TRUE(p->copiaCampo("Mes"));
    EXPECT_EQ(t().valor("Mes").comoInteiro(), 5);
    EXPECT_EQ(t().valor("INSS").comoTexto(), "S");  // INSS comes with any column
    EXPECT_TRUE(t().valor("Item").nulo());
    EXPECT_TRUE(p->copiaLinha());
    EXPECT_EQ(t().valor("Item").comoInteiro(), 101);
    EXPECT_DOUBLE_EQ(t().valor("Valor").comoNumero(), 40.0);
    EXPECT_EQ(t().valor("VFM").comoTexto(), "V");
    // Not remembered: the row's own code, date and state.
    EXPECT_EQ(t().valor("CodDataBasePadrao").comoInteiro(), 1);
    EXPECT_FALSE(t().valor("Calculado").comoLogico());
    t().grava();
    EXPECT_EQ(t().quantidade(), 2);

    // A difference row's kind is not copied by hand.
    mes(102, 6, 2005, "D", 9.0);
    t().atualiza();
    ASSERT_TRUE(t().localiza({"Item"}, {102}));
    t().insere();
    EXPECT_TRUE(p->copiaLinha());
    EXPECT_EQ(t().valor("Item").comoInteiro(), 102);
    EXPECT_NE(t().valor("VFM").comoTexto(), "D");
    EXPECT_FALSE(p->copiaCampo("VFM") && t().valor("VFM").comoTexto() == "D");
    t().cancela();
}

TEST_F(ParametrosMensaisTeste, ThreeOrders) {
    mes(101, 5, 2005, "V", 1.0);
    mes(2, 1, 2005, "F", 1.0);
    mes(101, 1, 2004, "V", 1.0);
    p->abre();
    auto itens = [&] {
        std::vector<std::pair<int, int>> r;
        for (t().primeiro(); !t().fim(); t().proximo())
            r.emplace_back(t().valor("Item").comoInteiro(), t().valor("Mes").comoInteiro());
        return r;
    };
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(itens(), (V{{101, 1}, {2, 1}, {101, 5}}));
    p->defineOrdem(OrdemParametros::Item);
    EXPECT_EQ(itens(), (V{{2, 1}, {101, 1}, {101, 5}}));
    p->defineOrdem(OrdemParametros::SemOrdem);
    EXPECT_EQ(itens(), (V{{101, 5}, {2, 1}, {101, 1}}));
    t().vaiPara(0);
    EXPECT_FALSE(p->valorComBotao());
}

}  // namespace
}  // namespace korva
