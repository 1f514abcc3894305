#include <gtest/gtest.h>

#include "BaseParametros.h"
#include "parameters/ParametrosPeriodo.h"
#include "register/RegrasAcrescimos.h"
#include "util/Erros.h"

namespace korva {
namespace {

struct ParametrosPeriodoTeste : teste::BaseParametros {
    std::unique_ptr<ParametrosPeriodo> p;

    void SetUp() override {
        BaseParametros::SetUp();
        verba(1, "Salário Mínimo", "S", 1.0);
        verba(2, "Salário", "S");
        verba(4, "Bases Salariais", "S");
        verba(100, "Horas Extras", "S", 1.5, 1.0, 220.0, 2);
        verba(101, "Horas Extras Pagas", "N");
        verba(150, "Adicional", "S");
        ParametrosPeriodo::EsqueceLinhaLembrada();
        p = std::make_unique<ParametrosPeriodo>(banco, tabelaA, OpcoesCalculo{9, true, false, 0});
        p->abre();
    }

    void verba(int codigo, const std::string& desc, const std::string& inss, std::optional<double> qtde = {},
               std::optional<double> indice = {}, std::optional<double> divisor = {}, std::optional<int> base = {}) {
        teste::InsereVerba(banco, codigo, desc, inss, qtde, indice, divisor, base);
    }

    Tabela& t() { return p->tabela(); }

    // A value row of item 101 in 01/2005.
    void linhaValor(int mes1 = 1, int ano1 = 2005) {
        t().insere();
        t()["Item"] = 101;
        t()["Mes1"] = mes1;
        t()["Ano1"] = ano1;
        t()["VFM"] = "V";
        t()["Valor"] = 10.0;
    }

};

TEST_F(ParametrosPeriodoTeste, FieldEntryChecksAndNormalisation) {
    t().insere();
    EXPECT_EQ(t().valor("CodDataBasePadrao").comoInteiro(), 9);  // the lawsuit's default code
    EXPECT_EQ(Mensagem([&] { t()["Mes1"] = 13; }), "Mes inválido!");
    t()["Mes1"] = 0;  // month 0 is accepted
    t()["Ano1"] = 1;
    EXPECT_EQ(t().valor("Ano1").comoInteiro(), 2001);
    t()["Ano1"] = 98;
    EXPECT_EQ(t().valor("Ano1").comoInteiro(), 1998);
    t()["Ano1"] = 1998;
    EXPECT_EQ(t().valor("Ano1").comoInteiro(), 1998);
    EXPECT_EQ(Mensagem([&] { t()["MAno2"] = 10000; }), "Ano inválido!");
    t()["Ano2"] = "05";  // typed text
    EXPECT_EQ(t().valor("Ano2").comoInteiro(), 2005);
    t()["Ano2"] = "";
    EXPECT_TRUE(t().valor("Ano2").nulo());

    t()["VFM"] = "m";
    EXPECT_EQ(t().valor("VFM").comoTexto(), "M");
    EXPECT_EQ(Mensagem([&] { t()["VFM"] = "X"; }), "Valor Inválido para o Campo!");
    EXPECT_EQ(Mensagem([&] { t()["Diferenca"] = "q"; }), "Valor Inválido para o Campo!");
    t()["INSS"] = "n";
    EXPECT_EQ(t().valor("INSS").comoTexto(), "N");

    EXPECT_EQ(Mensagem([&] { t()["Divisor"] = 0.4; }), "ERRO! Divisor não pode ser zero.");
    EXPECT_EQ(Mensagem([&] { t()["Divisor"] = -0.5; }), "ERRO! Divisor não pode ser zero.");
    t()["Divisor"] = 0.6;
    t()["Divisor"] = Valor();

    EXPECT_EQ(Mensagem([&] { t()["Item"] = 555; }), "Item de Cálculo inválido!");
    t()["Base"] = 2;
    EXPECT_EQ(Mensagem([&] { t()["Item"] = 2; }), "O Item de Cálculo não pode ser igual ao Item Base!");
    t()["Item"] = 101;
    EXPECT_EQ(Mensagem([&] { t()["ItemMedia"] = 101; }),
              "O Item de Cálculo não pode ser igual ao Item Base da Média!");
    EXPECT_EQ(Mensagem([&] { t()["Base"] = 101; }), "O Item de Cálculo não pode ser igual ao Item Base!");
    t().cancela();
}

TEST_F(ParametrosPeriodoTeste, CatalogueDefaultsAndRequiredFieldsFollowItemAndVfm) {
    t().insere();
    t()["VFM"] = "F";
    t()["Item"] = 100;
    // Defaults of the catalogue; a due item gets Diferenca "Z".
    EXPECT_EQ(t().valor("Qtde").comoNumero(), 1.5);
    EXPECT_EQ(t().valor("Divisor").comoNumero(), 220.0);
    EXPECT_EQ(t().valor("Base").comoInteiro(), 2);
    EXPECT_EQ(t().valor("INSS").comoTexto(), "S");
    EXPECT_EQ(t().valor("Diferenca").comoTexto(), "Z");
    EXPECT_EQ(p->camposObrigatorios(),
              (std::vector<std::string>{"Qtde", "Indice", "Divisor", "Base", "Diferenca"}));
    t()["Diferenca"] = "C";
    t()["VFM"] = "C";  // changing VFM resets the difference option
    EXPECT_EQ(t().valor("Diferenca").comoTexto(), "Z");
    EXPECT_TRUE(p->obrigatorio("ItemMedia"));
    EXPECT_FALSE(p->obrigatorio("Base"));

    // Item 1 on a value row turns it into a factor row requiring Qtde.
    t()["VFM"] = "V";
    t()["Item"] = 1;
    EXPECT_EQ(t().valor("VFM").comoTexto(), "F");
    EXPECT_TRUE(t().valor("Diferenca").nulo());
    EXPECT_EQ(p->camposObrigatorios(), (std::vector<std::string>{"Qtde"}));
    t()["Item"] = 4;
    EXPECT_TRUE(p->valorComBotao());
    EXPECT_TRUE(p->camposObrigatorios().empty());
    EXPECT_FALSE(p->comandosHabilitados());
    t().cancela();
    EXPECT_TRUE(p->comandosHabilitados());
}

TEST_F(ParametrosPeriodoTeste, StoreRulesFillCheckAndEmpty) {
    // Empty end of period: a one-month period.
    linhaValor(3, 2005);
    t()["Qtde"] = 2.0;
    t()["Diferenca"] = Valor();
    t().grava();
    EXPECT_EQ(t().valor("Mes2").comoInteiro(), 3);
    EXPECT_EQ(t().valor("Ano2").comoInteiro(), 2005);
    EXPECT_TRUE(t().valor("Qtde").nulo());  // a value row does not use Qtde
    EXPECT_TRUE(t().valor("DtBase").nulo());

    // Both months empty: refused on Mes2.
    t().insere();
    t()["Item"] = 101;
    t()["VFM"] = "V";
    t()["Valor"] = 1.0;
    t()["Ano1"] = 2005;
    try {
        t().grava();
        FAIL();
    } catch (const ErroCampo& e) {
        EXPECT_EQ(std::string(e.what()), "Campo obrigatório não preenchido ou preenchido incorretamente.");
        EXPECT_EQ(e.campo(), "Mes2");
    }
    EXPECT_TRUE(t().editando());  // the row stays with the user's input

    // A period that ends before it starts; then an averaging window likewise.
    t()["Mes1"] = 5;
    t()["Mes2"] = 4;
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Período especificado inválido!");
    t()["Mes2"] = 6;
    t()["VFM"] = "M";
    t()["Indice"] = 1.0;
    t()["Divisor"] = 1.0;
    t()["Base"] = 2;
    t()["ItemMedia"] = 100;
    t()["MMes1"] = 6;
    t()["MAno1"] = 2004;
    t()["MMes2"] = 5;
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Campo obrigatório não preenchido: MAno2");
    t()["MAno2"] = 4;  // 2004
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Período especificado inválido!");
    t()["MAno2"] = 2005;
    t().grava();
    EXPECT_TRUE(t().valor("Valor").nulo());  // an average row does not use Valor

    // Code 50 needs a typed date; any other code clears it; an unknown code is refused.
    t().insere();
    t()["Item"] = 2;
    t()["Mes1"] = 1;
    t()["Ano1"] = 2006;
    t()["Valor"] = 500.0;
    t()["Qtde"] = 3.0;
    t()["INSS"] = "S";
    t()["CodDataBasePadrao"] = 50;
    try {
        t().grava();
        FAIL();
    } catch (const ErroCampo& e) {
        EXPECT_EQ(e.campo(), "DtBase");
    }
    t()["DtBase"] = Data::de(2006, 2, 5);
    t()["CodDataBasePadrao"] = 7;
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Código de Data Base Padrão inválido (7)!");
    t()["CodDataBasePadrao"] = 1;
    t().grava();
    EXPECT_TRUE(t().valor("DtBase").nulo());
    EXPECT_TRUE(t().valor("Qtde").nulo());
    EXPECT_EQ(t().valor("VFM").comoTexto(), "F");

    // Item 1 from a value row: stored as a factor row without Valor.
    t().insere();
    t()["VFM"] = "V";
    t()["Valor"] = 9.0;
    t()["Item"] = 1;
    t()["Mes1"] = 1;
    t()["Ano1"] = 2007;
    t()["Qtde"] = Valor();
    EXPECT_EQ(Mensagem([&] { t().grava(); }), "Campo obrigatório não preenchido: Qtde");
    t()["Qtde"] = 2.0;
    t().grava();
    EXPECT_TRUE(t().valor("Valor").nulo());
    EXPECT_EQ(t().valor("Qtde").comoNumero(), 2.0);
}

TEST_F(ParametrosPeriodoTeste, RememberedRowCopiedWholeOrByField) {
    t().insere();
    EXPECT_FALSE(ParametrosPeriodo::TemLinhaLembrada());
    EXPECT_FALSE(p->copiaLinha());  // nothing remembered
    t()["Item"] = 150;
    t()["Mes1"] = 2;
    t()["Ano1"] = 2005;
    t()["VFM"] = "V";
    t()["Valor"] = 40.0;
    t()["Diferenca"] = "C";
    t()["INSS"] = "N";
    t().grava();

    // An insertion on a filled row remembers it; F4 copies it without the
    // catalogue's defaults (INSS stays "N", Diferenca stays "C").
    t().insere();
    EXPECT_TRUE(ParametrosPeriodo::TemLinhaLembrada());
    EXPECT_TRUE(p->copiaLinha());
    EXPECT_EQ(t().valor("Item").comoInteiro(), 150);
    EXPECT_EQ(t().valor("Valor").comoNumero(), 40.0);
    EXPECT_EQ(t().valor("INSS").comoTexto(), "N");
    EXPECT_EQ(t().valor("Diferenca").comoTexto(), "C");
    EXPECT_EQ(t().valor("Mes2").comoInteiro(), 2);  // filled by the store
    EXPECT_TRUE(t().valor("Qtde").nulo());          // empty fields are not copied
    t().cancela();

    // F3 copies the field under the cursor only.
    t().insere();
    t()["Item"] = 101;
    EXPECT_TRUE(p->copiaCampo("Valor"));
    EXPECT_FALSE(p->copiaCampo("Qtde"));  // empty in the remembered row
    EXPECT_EQ(t().valor("Valor").comoNumero(), 40.0);
    EXPECT_EQ(t().valor("Item").comoInteiro(), 101);
    EXPECT_TRUE(t().valor("Mes1").nulo());
    t().cancela();

    // Closing with a pending row is refused.
    t().insere();
    EXPECT_THROW(p->fecha(), Inf);
    t().cancela();
    p->fecha();
}

TEST_F(ParametrosPeriodoTeste, ThreeOrders) {
    linhaValor(5, 2005);
    t().grava();
    t().insere();
    t()["Item"] = 2;
    t()["Mes1"] = 1;
    t()["Ano1"] = 2006;
    t()["Valor"] = 1.0;
    t()["INSS"] = "S";
    t().grava();
    linhaValor(1, 2005);
    t().grava();
    auto itens = [&] {
        std::vector<std::pair<int, int>> r;
        for (t().primeiro(); !t().fim(); t().proximo())
            r.emplace_back(t().valor("Item").comoInteiro(), t().valor("Mes1").comoInteiro());
        return r;
    };
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(itens(), (V{{101, 1}, {101, 5}, {2, 1}}));
    p->defineOrdem(OrdemParametros::Item);
    EXPECT_EQ(itens(), (V{{2, 1}, {101, 1}, {101, 5}}));
    p->defineOrdem(OrdemParametros::SemOrdem);
    EXPECT_EQ(itens(), (V{{101, 5}, {2, 1}, {101, 1}}));
    // Generation reads the rows in the grid's order and is refused during an edit.
    TabelasReferencia ref(compartilhado);
    CalculoDtBase dtBase(ref, {});
    p->defineOrdem(OrdemParametros::Item);
    t().vaiPara(2);
    t().edita();
    EXPECT_THROW(p->geraMensais(tabelaB, dtBase), ErroKorva);
    t().cancela();
    EXPECT_EQ(p->geraMensais(tabelaB, dtBase), 3);
    EXPECT_EQ(t().posicao(), 0);
    Tabela b(banco, tabelaB);
    b.abre();
    b.primeiro();
    EXPECT_EQ(b.valor("Item").comoInteiro(), 2);
    EXPECT_EQ(OrdemParametrosDoNome("(sem ordem)"), OrdemParametros::SemOrdem);
    EXPECT_EQ(NomeOrdemParametros(OrdemParametrosDoNome("Item")), std::string("Item"));
}

}  // namespace
}  // namespace korva
