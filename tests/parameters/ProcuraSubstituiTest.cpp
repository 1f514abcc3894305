#include <gtest/gtest.h>

#include <set>

#include "BaseParametros.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/ProcuraSubstitui.h"
#include "util/Erros.h"

namespace korva {
namespace {

using C = CaixaProcura;
using L = LigacaoProcura;

// Index of a field in a list by its field name.
int Indice(ListaCamposProcura lista, const std::string& nome) {
    const auto& campos = ProcuraSubstitui::Campos(lista);
    for (size_t i = 0; i < campos.size(); ++i)
        if (campos[i].nome == nome) return static_cast<int>(i);
    ADD_FAILURE() << "campo " << nome;
    return 0;
}

struct ProcuraSubstituiTeste : teste::BaseParametros {
    std::unique_ptr<TabelasReferencia> ref;
    std::unique_ptr<CalculoDtBase> dtBase;

    void SetUp() override {
        BaseParametros::SetUp();
        teste::InsereVerba(banco, 2, "Salário", "S");
        teste::InsereVerba(banco, 100, "Horas Extras", "S", 1.5, 1.0, 220.0, 2);
        teste::InsereVerba(banco, 101, "Horas Extras Pagas", "N");
        teste::InsereVerba(banco, 150, "Adicional", "N");
        compartilhado.criaTabela("DataBasePadrao.db", *EsquemaCompartilhado("DataBasePadrao.db"));
        // Stored out of code order, with names whose alphabetical order differs.
        codigoDataBase(5, "1º dia útil do mês seguinte");
        codigoDataBase(50, "Informada");
        codigoDataBase(1, "Último dia do mês");
        codigoDataBase(0, "Último dia útil do mês");
        codigoDataBase(9, "5º dia útil do mês seguinte");
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        dtBase = std::make_unique<CalculoDtBase>(*ref, OpcoesCalculo{1, true, false, 0});
    }

    void codigoDataBase(int codigo, const std::string& descricao) {
        Tabela t(compartilhado, "DataBasePadrao.db");
        t.abre();
        t.insere();
        t["Codigo"] = codigo;
        t["Descricao"] = descricao;
        t.grava();
    }

    // A factor period row stored straight into A.
    void fator(int item, int mes1, int ano1, int mes2, int ano2, double divisor = 180.0) {
        Tabela a(banco, tabelaA);
        a.abre();
        a.insere();
        a["Item"] = item;
        a["Mes1"] = mes1;
        a["Ano1"] = ano1;
        a["Mes2"] = mes2;
        a["Ano2"] = ano2;
        a["Qtde"] = 1.0;
        a["Indice"] = 1.0;
        a["Divisor"] = divisor;
        a["Base"] = 2;
        a["VFM"] = "F";
        if (item % 10 == 0) a["Diferenca"] = "Z";
        a["CodDataBasePadrao"] = 1;
        a["INSS"] = "N";
        a.grava();
    }

    // A calculated value row of the month grid stored straight into B.
    void mes(int item, int m, int ano, double valor) {
        Tabela b(banco, tabelaB);
        b.abre();
        b.insere();
        b["Item"] = item;
        b["Mes"] = m;
        b["Ano"] = ano;
        b["Valor"] = valor;
        b["VFM"] = "V";
        if (item % 10 == 0) b["Diferenca"] = "Z";
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(ano, m, 28);
        b["Calculado"] = true;
        b["INSS"] = "S";
        b.grava();
    }

    ProcuraSubstitui dialogo(ListaCamposProcura lista) {
        return ProcuraSubstitui(lista, ProcuraSubstitui::CodigosDataBase(compartilhado));
    }

};

TEST_F(ProcuraSubstituiTeste, FieldListsAndCodeChoices) {
    const auto& periodo = ProcuraSubstitui::Campos(ListaCamposProcura::Periodo);
    const auto& mensal = ProcuraSubstitui::Campos(ListaCamposProcura::Mensal);
    ASSERT_EQ(periodo.size(), 11u);
    ASSERT_EQ(mensal.size(), 9u);
    std::vector<std::string> nomes;
    for (const auto& c : periodo) nomes.push_back(c.nome);
    EXPECT_EQ(nomes, (std::vector<std::string>{"Item", "Mes1", "Ano1", "Mes2", "Ano2", "Valor", "Qtde", "Indice",
                                               "Divisor", "Base", "CodDataBasePadrao"}));
    nomes.clear();
    for (const auto& c : mensal) nomes.push_back(c.nome);
    EXPECT_EQ(nomes, (std::vector<std::string>{"Item", "Mes", "Ano", "Valor", "Qtde", "Indice", "Divisor", "Base",
                                               "CodDataBasePadrao"}));
    // The code entry is the last one in both lists, with its accented caption.
    EXPECT_EQ(periodo.back().legenda, "Data Base Padrão");
    EXPECT_EQ(periodo.back().tipo, TipoCampoProcura::Codigo);
    EXPECT_EQ(mensal.back().tipo, TipoCampoProcura::Codigo);
    EXPECT_EQ(periodo[4].tipo, TipoCampoProcura::Inteiro);  // Ano2
    EXPECT_EQ(periodo[8].tipo, TipoCampoProcura::Decimal);  // Divisor
    EXPECT_EQ(periodo[9].tipo, TipoCampoProcura::Inteiro);  // Base
    EXPECT_EQ(mensal[1].legenda, "Mes");

    // Codes below 50, in the table's (code) order.
    const auto codigos = ProcuraSubstitui::CodigosDataBase(compartilhado);
    ASSERT_EQ(codigos.size(), 4u);
    EXPECT_EQ(codigos[0].codigo, 0);
    EXPECT_EQ(codigos[1].codigo, 1);
    EXPECT_EQ(codigos[2].codigo, 5);
    EXPECT_EQ(codigos[2].nome, "1º dia útil do mês seguinte");
    EXPECT_EQ(codigos[3].codigo, 9);
}

TEST_F(ProcuraSubstituiTeste, EnablingRules) {
    auto d = dialogo(ListaCamposProcura::Periodo);
    // As shown: "Item" everywhere, text boxes, only the assignment and the first condition.
    for (int i = 0; i < QuantidadeCaixasProcura; ++i) {
        EXPECT_EQ(d.campoEscolhido(static_cast<C>(i)).legenda, "Item");
        EXPECT_FALSE(d.mostraCodigos(static_cast<C>(i)));
        EXPECT_EQ(d.codigo(static_cast<C>(i)), 0);
    }
    EXPECT_TRUE(d.habilitada(C::Atribuicao));
    EXPECT_FALSE(d.habilitada(C::Atribuicao2));
    EXPECT_TRUE(d.habilitada(C::Condicao1));
    EXPECT_FALSE(d.habilitada(C::Condicao2));
    EXPECT_FALSE(d.habilitada(C::Condicao3));

    // The second "E" needs the first.
    EXPECT_FALSE(d.ligacaoHabilitada(L::Condicao3));
    d.defineLigacao(L::Condicao3, true);
    EXPECT_FALSE(d.ligacao(L::Condicao3));
    d.defineLigacao(L::Condicao2, true);
    d.defineLigacao(L::Condicao3, true);
    EXPECT_TRUE(d.habilitada(C::Condicao2));
    EXPECT_TRUE(d.habilitada(C::Condicao3));
    // Unticking the first unticks the second.
    d.defineLigacao(L::Condicao2, false);
    EXPECT_FALSE(d.ligacao(L::Condicao3));
    EXPECT_FALSE(d.habilitada(C::Condicao3));

    // "Todos os registros" disables every condition and their "E" boxes.
    d.defineLigacao(L::Condicao2, true);
    d.defineTodos(true);
    EXPECT_FALSE(d.habilitada(C::Condicao1));
    EXPECT_FALSE(d.habilitada(C::Condicao2));
    EXPECT_FALSE(d.ligacaoHabilitada(L::Condicao2));
    d.defineTodos(false);
    EXPECT_TRUE(d.habilitada(C::Condicao2));

    d.defineLigacao(L::Atribuicao2, true);
    EXPECT_TRUE(d.habilitada(C::Atribuicao2));

    // The code entry turns the value box into the code list.
    d.escolheCampo(C::Condicao1, 10);
    EXPECT_TRUE(d.mostraCodigos(C::Condicao1));
    d.escolheCampo(C::Condicao1, 99);  // outside the list: ignored
    EXPECT_EQ(d.campo(C::Condicao1), 10);
    d.escolheCodigo(C::Condicao1, 2);
    d.escolheCodigo(C::Condicao1, 7);
    EXPECT_EQ(d.codigo(C::Condicao1), 2);
}

TEST_F(ProcuraSubstituiTeste, ValueBoxesAreCheckedInOrder) {
    auto d = dialogo(ListaCamposProcura::Periodo);
    auto falha = [&]() -> std::pair<std::string, int> {
        try {
            d.verifica();
        } catch (const ErroCaixaProcura& e) {
            return {e.what(), static_cast<int>(e.caixa())};
        }
        return {"", -1};
    };
    // Assignment first, then the conditions.
    d.defineTexto(C::Condicao1, "abc");
    EXPECT_EQ(falha(), std::make_pair(std::string("Preencha o campo."), 0));
    d.defineTexto(C::Atribuicao, "   ");
    EXPECT_EQ(falha(), std::make_pair(std::string("Preencha o campo."), 0));
    d.defineTexto(C::Atribuicao, " 100 ");
    EXPECT_EQ(falha(), std::make_pair(std::string("Valor inválido para o campo."), 2));
    d.defineTexto(C::Condicao1, "2,5");  // Item is an integer
    EXPECT_EQ(falha().second, 2);
    d.defineTexto(C::Condicao1, "2003");
    EXPECT_EQ(falha().second, -1);
    // The second assignment is checked before the conditions once ticked.
    d.defineLigacao(L::Atribuicao2, true);
    d.defineTexto(C::Condicao1, "x");
    EXPECT_EQ(falha(), std::make_pair(std::string("Preencha o campo."), 1));
    d.defineTexto(C::Condicao1, "2003");
    d.escolheCampo(C::Atribuicao2, Indice(ListaCamposProcura::Periodo, "Divisor"));
    d.defineTexto(C::Atribuicao2, "-65000");
    EXPECT_EQ(falha(), std::make_pair(std::string("Valor inválido para o campo."), 1));
    d.defineTexto(C::Atribuicao2, "-65000,00");
    EXPECT_EQ(falha().second, 1);
    d.defineTexto(C::Atribuicao2, "-64999,5");
    EXPECT_EQ(falha().second, -1);
    // Disabled boxes and the code list are not checked.
    d.defineTexto(C::Condicao1, "");
    d.defineTodos(true);
    EXPECT_EQ(falha().second, -1);
    d.defineTodos(false);
    d.escolheCampo(C::Condicao1, Indice(ListaCamposProcura::Periodo, "CodDataBasePadrao"));
    EXPECT_EQ(falha().second, -1);
    // ... unless it has nothing to choose.
    ProcuraSubstitui semCodigos(ListaCamposProcura::Mensal, {});
    semCodigos.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Mensal, "CodDataBasePadrao"));
    EXPECT_EQ(Mensagem([&] { semCodigos.verifica(); }), "Preencha o campo.");

    // The reading of a typed value.
    using T = TipoCampoProcura;
    EXPECT_EQ(ProcuraSubstitui::LeTexto(T::Inteiro, "+12"), Valor(12));
    EXPECT_EQ(ProcuraSubstitui::LeTexto(T::Inteiro, "-3"), Valor(-3));
    for (const char* ruim : {"+-5", "1.0", "12a", "-", "99999999999"})
        EXPECT_TRUE(ProcuraSubstitui::LeTexto(T::Inteiro, ruim).nulo()) << ruim;
    EXPECT_EQ(ProcuraSubstitui::LeTexto(T::Decimal, "2,50"), Valor(2.5));
    EXPECT_EQ(ProcuraSubstitui::LeTexto(T::Decimal, ".5"), Valor(0.5));
    for (const char* ruim : {"inf", "nan", "-inf", "1,2,3", "1.234,56", "+-1", "abc"})
        EXPECT_TRUE(ProcuraSubstitui::LeTexto(T::Decimal, ruim).nulo()) << ruim;

    // A failed check changes nothing.
    fator(100, 1, 2003, 12, 2003);
    ParametrosPeriodo p(banco, tabelaA, OpcoesCalculo{1, true, false, 0});
    p.abre();
    ProcuraSubstitui e = dialogo(ListaCamposProcura::Periodo);
    e.defineTodos(true);
    e.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Periodo, "Divisor"));
    e.defineTexto(C::Atribuicao, "-65000");
    EXPECT_THROW(e.substitui(p.tabela()), ErroCaixaProcura);
    EXPECT_DOUBLE_EQ(p.tabela().valor("Divisor").comoNumero(), 180.0);
}

TEST_F(ProcuraSubstituiTeste, MonthGridCodeByItemBringsItsBaseDate) {
    mes(100, 1, 2005, 10.0);
    mes(2, 1, 2005, 1000.0);
    mes(100, 9, 2005, 2.5);
    mes(101, 9, 2005, 2.5);
    ParametrosMensais p(banco, tabelaB, *dtBase);
    p.abre();
    Tabela& t = p.tabela();

    auto d = dialogo(ListaCamposProcura::Mensal);
    d.defineTexto(C::Condicao1, "100");
    d.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Mensal, "CodDataBasePadrao"));
    ASSERT_TRUE(d.mostraCodigos(C::Atribuicao));
    d.escolheCodigo(C::Atribuicao, 2);  // "1º dia útil do mês seguinte", code 5
    EXPECT_EQ(d.substitui(t), 2);

    int vistos = 0;
    for (t.primeiro(); !t.fim(); t.proximo()) {
        const int item = static_cast<int>(t.valor("Item").comoInteiro());
        const int m = static_cast<int>(t.valor("Mes").comoInteiro());
        if (item == 100) {
            ++vistos;
            EXPECT_EQ(t.valor("CodDataBasePadrao").comoInteiro(), 5);
            // The first working day of the next month; 01/10/2005 is a Saturday.
            EXPECT_EQ(t.valor("DtBase").comoData(), m == 1 ? Data::de(2005, 2, 1) : Data::de(2005, 10, 3));
            EXPECT_FALSE(t.valor("Calculado").comoLogico());
        } else {
            EXPECT_EQ(t.valor("CodDataBasePadrao").comoInteiro(), 1);
            EXPECT_TRUE(t.valor("Calculado").comoLogico());
        }
    }
    EXPECT_EQ(vistos, 2);

    // Decimals compare as numbers: "2,50" finds 2.5, in both items.
    auto v = dialogo(ListaCamposProcura::Mensal);
    v.escolheCampo(C::Condicao1, Indice(ListaCamposProcura::Mensal, "Valor"));
    v.defineTexto(C::Condicao1, "2,50");
    v.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Mensal, "Valor"));
    v.defineTexto(C::Atribuicao, "3,75");
    EXPECT_EQ(v.substitui(t), 2);
    EXPECT_TRUE(t.localiza({"Valor"}, {3.75}));
    EXPECT_FALSE(t.localiza({"Valor"}, {2.5}));
}

TEST_F(ProcuraSubstituiTeste, AllRowsAndCombinedConditions) {
    fator(100, 1, 2003, 12, 2003, 200.0);
    fator(100, 1, 2004, 12, 2004, 200.0);
    fator(150, 3, 2003, 12, 2004, 190.0);
    fator(100, 6, 2003, 12, 2005, 180.0);
    ParametrosPeriodo p(banco, tabelaA, OpcoesCalculo{1, true, false, 0});
    p.abre();
    Tabela& t = p.tabela();
    t.vaiPara(2);
    const int64_t atual = t.valor("Codigo").comoInteiro();

    // "Todos os registros": Divisor := 220 on every row.
    auto d = dialogo(ListaCamposProcura::Periodo);
    d.defineTodos(true);
    d.defineTexto(C::Condicao1, "");  // disabled, not looked at
    d.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Periodo, "Divisor"));
    d.defineTexto(C::Atribuicao, "220");
    EXPECT_EQ(d.substitui(t), 4);
    EXPECT_EQ(t.valor("Codigo").comoInteiro(), atual);
    for (t.primeiro(); !t.fim(); t.proximo()) EXPECT_DOUBLE_EQ(t.valor("Divisor").comoNumero(), 220.0);

    // Item = 100 and Ano1 = 2003: Qtde := 2,5 and Divisor := 150 on those rows only.
    t.vaiPara(2);
    ASSERT_EQ(t.valor("Codigo").comoInteiro(), atual);
    auto c = dialogo(ListaCamposProcura::Periodo);
    c.defineTexto(C::Condicao1, "100");
    c.defineLigacao(L::Condicao2, true);
    c.escolheCampo(C::Condicao2, Indice(ListaCamposProcura::Periodo, "Ano1"));
    c.defineTexto(C::Condicao2, "2003");
    c.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Periodo, "Qtde"));
    c.defineTexto(C::Atribuicao, "2,5");
    c.defineLigacao(L::Atribuicao2, true);
    c.escolheCampo(C::Atribuicao2, Indice(ListaCamposProcura::Periodo, "Divisor"));
    c.defineTexto(C::Atribuicao2, "150");
    EXPECT_EQ(c.substitui(t), 2);
    EXPECT_EQ(t.valor("Codigo").comoInteiro(), atual);  // the cursor returns to its row
    std::set<std::pair<int, int>> mudadas;
    for (t.primeiro(); !t.fim(); t.proximo()) {
        const bool muda = t.valor("Item").comoInteiro() == 100 && t.valor("Ano1").comoInteiro() == 2003;
        EXPECT_DOUBLE_EQ(t.valor("Qtde").comoNumero(), muda ? 2.5 : 1.0);
        EXPECT_DOUBLE_EQ(t.valor("Divisor").comoNumero(), muda ? 150.0 : 220.0);
        if (muda) mudadas.insert({static_cast<int>(t.valor("Mes1").comoInteiro()), 2003});
    }
    EXPECT_EQ(mudadas, (std::set<std::pair<int, int>>{{1, 2003}, {6, 2003}}));

    // A third condition that nothing meets changes nothing.
    c.defineLigacao(L::Condicao3, true);
    c.escolheCampo(C::Condicao3, Indice(ListaCamposProcura::Periodo, "Mes2"));
    c.defineTexto(C::Condicao3, "11");
    EXPECT_EQ(c.substitui(t), 0);
}

TEST_F(ProcuraSubstituiTeste, ChangingAFieldOfTheOrderVisitsEachRowOnce) {
    fator(100, 1, 2003, 12, 2006);
    fator(150, 2, 2003, 12, 2006);
    fator(100, 3, 2003, 12, 2006);
    fator(150, 1, 2004, 12, 2006);
    ParametrosPeriodo p(banco, tabelaA, OpcoesCalculo{1, true, false, 0}, OrdemParametros::Periodo);
    p.abre();
    Tabela& t = p.tabela();
    std::multiset<int64_t> gravadas;
    t.depoisGravar = [&](Tabela& tab) { gravadas.insert(tab.valor("Codigo").comoInteiro()); };

    // Ano1 = 2003 becomes "5": stored as 2005, which moves every changed row
    // past the ones still to be visited.
    auto d = dialogo(ListaCamposProcura::Periodo);
    d.escolheCampo(C::Condicao1, Indice(ListaCamposProcura::Periodo, "Ano1"));
    d.defineTexto(C::Condicao1, "2003");
    d.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Periodo, "Ano1"));
    d.defineTexto(C::Atribuicao, "5");
    EXPECT_EQ(d.substitui(t), 3);
    EXPECT_EQ(gravadas.size(), 3u);
    EXPECT_EQ(std::set<int64_t>(gravadas.begin(), gravadas.end()).size(), 3u);
    std::vector<int> anos;
    for (t.primeiro(); !t.fim(); t.proximo()) anos.push_back(static_cast<int>(t.valor("Ano1").comoInteiro()));
    EXPECT_EQ(anos, (std::vector<int>{2004, 2005, 2005, 2005}));

    // Assigning Item brings the catalogue's defaults (Qtde, Divisor, INSS).
    auto i = dialogo(ListaCamposProcura::Periodo);
    i.defineTexto(C::Condicao1, "150");
    i.defineTexto(C::Atribuicao, "100");
    EXPECT_EQ(i.substitui(t), 2);
    int comPadroes = 0;
    for (t.primeiro(); !t.fim(); t.proximo()) {
        EXPECT_EQ(t.valor("Item").comoInteiro(), 100);
        if (t.valor("INSS").comoTexto() != "S") continue;  // the rows that were item 150
        ++comPadroes;
        EXPECT_DOUBLE_EQ(t.valor("Qtde").comoNumero(), 1.5);
        EXPECT_DOUBLE_EQ(t.valor("Divisor").comoNumero(), 220.0);
    }
    EXPECT_EQ(comPadroes, 2);
}

TEST_F(ProcuraSubstituiTeste, ARefusedRowStopsTheRunAndKeepsEarlierChanges) {
    fator(100, 1, 2003, 12, 2005);
    fator(150, 1, 2004, 6, 2004);
    fator(100, 7, 2004, 12, 2005);
    ParametrosPeriodo p(banco, tabelaA, OpcoesCalculo{1, true, false, 0}, OrdemParametros::Periodo);
    p.abre();
    Tabela& t = p.tabela();

    // Ano1 := 2005 leaves the second row ending before it starts.
    auto d = dialogo(ListaCamposProcura::Periodo);
    d.defineTodos(true);
    d.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Periodo, "Ano1"));
    d.defineTexto(C::Atribuicao, "2005");
    EXPECT_EQ(Mensagem([&] { d.substitui(t); }), ParametrosPeriodo::MsgPeriodoInvalido);
    EXPECT_FALSE(t.editando());
    EXPECT_EQ(t.valor("Item").comoInteiro(), 150);  // the cursor shows the refused row
    EXPECT_EQ(t.valor("Ano1").comoInteiro(), 2004);
    std::vector<std::pair<int, int>> linhas;
    for (t.primeiro(); !t.fim(); t.proximo())
        linhas.push_back({static_cast<int>(t.valor("Item").comoInteiro()), static_cast<int>(t.valor("Ano1").comoInteiro())});
    EXPECT_EQ(linhas, (std::vector<std::pair<int, int>>{{150, 2004}, {100, 2004}, {100, 2005}}));

    // A value the entry rules refuse stops at the first row: nothing changes.
    auto e = dialogo(ListaCamposProcura::Periodo);
    e.defineTodos(true);
    e.defineTexto(C::Atribuicao, "555");
    EXPECT_EQ(Mensagem([&] { e.substitui(t); }), ParametrosPeriodo::MsgItemInvalido);
    EXPECT_FALSE(t.editando());
    for (t.primeiro(); !t.fim(); t.proximo()) EXPECT_NE(t.valor("Item").comoInteiro(), 555);

    // Refused while a row is being edited.
    t.primeiro();
    t.edita();
    EXPECT_THROW(d.substitui(t), Inf);
    t.cancela();
}


TEST_F(ProcuraSubstituiTeste, DifferenceRowsOfACalculatedGridArePassedOver) {
    mes(100, 1, 2005, 10.0);
    mes(101, 1, 2005, 4.0);
    {
        Tabela b(banco, tabelaB);
        b.abre();
        b.insere();
        b["Item"] = 102;
        b["Mes"] = 1;
        b["Ano"] = 2005;
        b["Valor"] = 6.0;
        b["VFM"] = "D";
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(2005, 1, 31);
        b["Calculado"] = true;
        b["INSS"] = "S";
        b.grava();
    }
    ParametrosMensais p(banco, tabelaB, *dtBase);
    p.abre();
    auto d = dialogo(ListaCamposProcura::Mensal);
    d.defineTodos(true);
    d.escolheCampo(C::Atribuicao, Indice(ListaCamposProcura::Mensal, "Divisor"));
    d.defineTexto(C::Atribuicao, "220");
    EXPECT_EQ(d.substitui(p.tabela()), 2);
    ASSERT_TRUE(p.tabela().localiza({"Item"}, {102}));
    EXPECT_TRUE(p.tabela().valor("Calculado").comoLogico());
    EXPECT_DOUBLE_EQ(p.tabela().valor("Valor").comoNumero(), 6.0);
}

}  // namespace
}  // namespace korva
