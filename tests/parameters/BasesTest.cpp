#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BaseParametros.h"
#include "parameters/BasesINSS.h"
#include "parameters/BasesSalariais.h"
#include "storage/Banco.h"
#include "util/Erros.h"

namespace korva {
namespace {

struct BasesTeste : teste::BaseParametros {
    std::string tabelaD, tabelaI;

    void SetUp() override {
        BaseParametros::SetUp();
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('D', 1), 3);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', 1), 8);
        tabelaD = conjunto.NomeTabela('D');
        tabelaI = conjunto.NomeTabela('I');
        BasesSalariais::EsqueceLinhaLembrada();
        BasesINSS::EsqueceLinhaLembrada();
    }

    void salarial(int mes, int ano, const std::string& desc, double valor) {
        Tabela t(banco, tabelaI);
        t.abre();
        t.insere();
        t["Mes"] = mes;
        t["Ano"] = ano;
        t["Descricao"] = desc;
        t["Valor"] = valor;
        t.grava();
    }

    void mensal(int item, int mes, int ano, double valor) {
        Tabela b(banco, tabelaB);
        b.abre();
        b.insere();
        b["Item"] = item;
        b["Mes"] = mes;
        b["Ano"] = ano;
        b["Valor"] = valor;
        b["VFM"] = "V";
        b["CodDataBasePadrao"] = 1;
        b["DtBase"] = Data::de(ano, mes, 1);
        b["Calculado"] = false;
        b["INSS"] = "S";
        b.grava();
    }

    void inss(int mes, int ano, double valor) {
        Tabela d(banco, tabelaD);
        d.abre();
        d.insere();
        d["Mes"] = mes;
        d["Ano"] = ano;
        d["Valor"] = valor;
        d.grava();
    }

    // Value of D for a month; nullopt when the month has no row.
    std::optional<double> baseInss(int mes, int ano) {
        Tabela d(banco, tabelaD);
        d.abre();
        d.defineIndice("IndAnoMes");
        if (!d.localizaChave({Valor(ano), Valor(mes)})) return std::nullopt;
        return d.valor("Valor").comoNumero();
    }

    int linhasD() {
        Tabela d(banco, tabelaD);
        d.abre();
        return d.quantidade();
    }
};

TEST_F(BasesTeste, UmMesMostraSoOMesEFixaMesEAnoDasNovasLinhas) {
    salarial(5, 2003, "Salário", 1000);
    salarial(5, 2003, "Comissões", 200);
    salarial(6, 2003, "Salário", 1100);
    salarial(11, 2003, "Salário", 1300);

    BasesSalariais s(banco, tabelaI, 5, 2003);
    EXPECT_EQ(BasesSalariais::Titulo(tabelaI), "KORVA - Bases Salariais (" + tabelaI + ")");
    s.abre();
    EXPECT_EQ(s.tabela().quantidade(), 2);
    EXPECT_TRUE(s.somenteLeitura("Mes"));
    EXPECT_TRUE(s.somenteLeitura("Ano"));
    EXPECT_FALSE(s.somenteLeitura("Valor"));

    // Positioned on a 05/2003 row; a new row stays in 05/2003 instead of 06/2003.
    s.tabela().insere();
    EXPECT_EQ(s.tabela().valor("Mes").comoInteiro(), 5);
    EXPECT_EQ(s.tabela().valor("Ano").comoInteiro(), 2003);
    EXPECT_THROW(s.tabela()["Mes"] = 6, ErroKorva);
    EXPECT_THROW(s.tabela()["Ano"] = 2004, ErroKorva);
    // F4 copies value and description but leaves the fixed month.
    EXPECT_TRUE(s.copiaLinha());
    EXPECT_EQ(s.tabela().valor("Mes").comoInteiro(), 5);
    EXPECT_FALSE(s.copiaCampo("Mes"));
    s.tabela()["Descricao"] = "ADICIONAL NOTURNO";
    s.tabela()["Valor"] = 50.0;
    s.tabela().grava();
    EXPECT_EQ(s.tabela().valor("Descricao").comoTexto(), "Adicional Noturno");
    EXPECT_DOUBLE_EQ(s.total(5, 2003), 1250.0);
    s.fecha();

    // Even with 11/2003 remembered from the all-months view.
    BasesSalariais todos(banco, tabelaI);
    todos.abre();
    todos.tabela().ultimo();
    todos.tabela().insere();
    todos.tabela().cancela();
    todos.fecha();
    BasesSalariais maio(banco, tabelaI, 5, 2003);
    maio.abre();
    maio.tabela().insere();
    EXPECT_EQ(maio.tabela().valor("Mes").comoInteiro(), 5);
    EXPECT_EQ(maio.tabela().valor("Ano").comoInteiro(), 2003);
    maio.tabela().cancela();
}

TEST_F(BasesTeste, NovasLinhasPropoemOsMesesSeguintesComViradaDeAno) {
    salarial(11, 2003, "Salário", 1300);
    BasesSalariais s(banco, tabelaI);
    s.abre();
    EXPECT_FALSE(s.somenteLeitura("Mes"));
    std::vector<std::pair<int, int>> propostos;
    for (int i = 0; i < 3; ++i) {
        s.tabela().insere();
        propostos.emplace_back(s.tabela().valor("Mes").comoInteiro(), s.tabela().valor("Ano").comoInteiro());
        EXPECT_EQ(s.tabela().valor("Descricao").comoTexto(), "Salário");
        EXPECT_DOUBLE_EQ(s.tabela().valor("Valor").comoNumero(), 1300.0);
        s.tabela().grava();
    }
    EXPECT_EQ(propostos, (std::vector<std::pair<int, int>>{{12, 2003}, {1, 2004}, {2, 2004}}));
    EXPECT_EQ(s.tabela().quantidade(), 4);
}

TEST_F(BasesTeste, LinhaVaziaAntesDeQualquerLembrancaETeclasDeCopia) {
    BasesSalariais s(banco, tabelaI);
    s.abre();
    s.tabela().insere();
    EXPECT_TRUE(s.tabela().valor("Mes").nulo());
    EXPECT_TRUE(s.tabela().valor("Valor").nulo());
    EXPECT_FALSE(s.copiaLinha());  // nothing remembered at the start of this insertion
    // Entry checks and the two-digit year.
    EXPECT_THROW(s.tabela()["Mes"] = 13, ErroKorva);
    EXPECT_THROW(s.tabela()["Ano"] = 10000, ErroKorva);
    s.tabela()["Mes"] = 12;
    s.tabela()["Ano"] = 3;
    EXPECT_EQ(s.tabela().valor("Ano").comoInteiro(), 2003);
    s.tabela()["Ano"] = 75;
    EXPECT_EQ(s.tabela().valor("Ano").comoInteiro(), 1975);
    s.tabela()["Descricao"] = "horas extras";
    s.tabela()["Valor"] = 10.0;
    s.tabela().grava();

    // The new row proposes 01/1976; F3 on Mes goes to 2 with the year kept,
    // F4 to the month after that with the remembered value and description.
    s.tabela().insere();
    EXPECT_EQ(s.tabela().valor("Mes").comoInteiro(), 1);
    EXPECT_EQ(s.tabela().valor("Ano").comoInteiro(), 1976);
    EXPECT_TRUE(s.copiaCampo("Mes"));
    EXPECT_EQ(s.tabela().valor("Mes").comoInteiro(), 2);
    EXPECT_TRUE(s.copiaCampo("Ano"));
    EXPECT_EQ(s.tabela().valor("Ano").comoInteiro(), 1976);
    s.tabela()["Valor"] = 99.0;
    EXPECT_TRUE(s.copiaCampo("Valor"));
    EXPECT_DOUBLE_EQ(s.tabela().valor("Valor").comoNumero(), 10.0);
    EXPECT_TRUE(s.copiaLinha());
    EXPECT_EQ(s.tabela().valor("Mes").comoInteiro(), 3);
    EXPECT_EQ(s.tabela().valor("Descricao").comoTexto(), "Horas Extras");

    // Closing while inserting is refused and the row stays.
    EXPECT_THROW(s.fecha(), ErroKorva);
    EXPECT_TRUE(s.tabela().editando());
    s.tabela().cancela();
    s.fecha();

    // Reopening keeps the values but not the use of F3/F4: an insertion in
    // an empty month remembers nothing new.
    BasesSalariais outra(banco, tabelaI, 9, 1999);
    outra.abre();
    outra.tabela().insere();
    EXPECT_EQ(outra.tabela().valor("Mes").comoInteiro(), 9);
    EXPECT_DOUBLE_EQ(outra.tabela().valor("Valor").comoNumero(), 10.0);
    EXPECT_FALSE(outra.copiaCampo("Valor"));
    EXPECT_FALSE(outra.copiaLinha());
    outra.tabela().cancela();
}

TEST_F(BasesTeste, InssPropoeMesSeguinteERecusaMesRepetido) {
    inss(12, 2009, 500);
    BasesINSS d(banco, tabelaD, tabelaB);
    EXPECT_EQ(BasesINSS::Titulo(tabelaD), "KORVA - Bases de Cálculo do INSS (" + tabelaD + ")");
    d.abre();
    d.tabela().insere();
    EXPECT_EQ(d.tabela().valor("Mes").comoInteiro(), 1);
    EXPECT_EQ(d.tabela().valor("Ano").comoInteiro(), 2010);
    EXPECT_DOUBLE_EQ(d.tabela().valor("Valor").comoNumero(), 500.0);
    EXPECT_FALSE(d.comandosHabilitados());
    EXPECT_THROW(d.buscaDadosParametros(2, [](const std::string&) { return true; }), ErroKorva);
    // The same month twice is refused by the unique index.
    d.tabela()["Mes"] = 12;
    d.tabela()["Ano"] = 9;
    EXPECT_THROW(d.tabela().grava(), ErroKorva);
    d.tabela().cancela();
    EXPECT_EQ(linhasD(), 1);
}

TEST_F(BasesTeste, CodigoDoItemDaCaixaDeEntrada) {
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::string(" 150 ")), 150);
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::string("-3")), -3);
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::string("abc")), 0);
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::string("12x")), 0);
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::string("")), 0);
    EXPECT_EQ(BasesINSS::CodigoDaResposta(std::nullopt), 0);
}

TEST_F(BasesTeste, BuscaSomaPorMesEAcumulaOuSubstitui) {
    mensal(2, 1, 2004, 150);
    mensal(2, 1, 2004, 50);
    mensal(2, 2, 2004, 300);
    mensal(3, 1, 2004, 999);  // another item
    BasesINSS d(banco, tabelaD, tabelaB);
    d.abre();

    int perguntas = 0;
    auto sim = [&](const std::string& texto) {
        EXPECT_EQ(texto, BasesINSS::PerguntaAcumular);
        ++perguntas;
        return true;
    };
    EXPECT_EQ(d.buscaDadosParametros(2, sim), 2);
    EXPECT_EQ(perguntas, 0);
    EXPECT_EQ(baseInss(1, 2004), 200.0);
    EXPECT_EQ(baseInss(2, 2004), 300.0);
    EXPECT_EQ(d.tabela().quantidade(), 2);  // the window sees the new rows

    // Both months exist now: asked once, Yes adds.
    EXPECT_EQ(d.buscaDadosParametros(2, sim), 2);
    EXPECT_EQ(perguntas, 1);
    EXPECT_EQ(baseInss(1, 2004), 400.0);
    EXPECT_EQ(baseInss(2, 2004), 600.0);

    // No replaces.
    EXPECT_EQ(d.buscaDadosParametros(2, [](const std::string&) { return false; }), 2);
    EXPECT_EQ(baseInss(1, 2004), 200.0);
    EXPECT_EQ(baseInss(2, 2004), 300.0);

    // Code 0 does nothing; below 0 is refused; an item without rows writes nothing.
    EXPECT_EQ(d.buscaDadosParametros(0, sim), 0);
    try {
        d.buscaDadosParametros(-1, sim);
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), BasesINSS::MsgItemInvalido);
    }
    EXPECT_EQ(d.buscaDadosParametros(777, sim), 0);
    EXPECT_EQ(linhasD(), 2);
}

TEST_F(BasesTeste, BuscaComMesJaInformadoAcumula100Mais200) {
    inss(1, 2004, 100);
    mensal(2, 1, 2004, 150);
    mensal(2, 1, 2004, 50);
    mensal(2, 2, 2004, 300);
    BasesINSS d(banco, tabelaD, tabelaB);
    d.abre();
    d.buscaDadosParametros(2, [](const std::string&) { return true; });
    EXPECT_EQ(baseInss(1, 2004), 300.0);
    EXPECT_EQ(baseInss(2, 2004), 300.0);
}

TEST_F(BasesTeste, UltimoMesSemSomaPositivaNaoEEscrito) {
    mensal(7, 1, 2004, 0);
    mensal(7, 2, 2004, -10);
    mensal(7, 3, 2004, 40);
    mensal(7, 3, 2004, -40);
    BasesINSS d(banco, tabelaD, tabelaB);
    d.abre();
    EXPECT_EQ(d.buscaDadosParametros(7, [](const std::string&) { return false; }), 2);
    EXPECT_EQ(baseInss(1, 2004), 0.0);
    EXPECT_EQ(baseInss(2, 2004), -10.0);
    EXPECT_EQ(baseInss(3, 2004), std::nullopt);
}

TEST_F(BasesTeste, BuscaInterrompidaNaoDeixaNadaGravado) {
    inss(2, 2004, 100);
    mensal(2, 1, 2004, 150);
    mensal(2, 2, 2004, 300);
    BasesINSS d(banco, tabelaD, tabelaB);
    d.abre();
    // The answer fails after 01/2004 was already written: nothing stays.
    EXPECT_THROW(d.buscaDadosParametros(2, [](const std::string&) -> bool { throw ErroKorva("cancelado"); }),
                 ErroKorva);
    EXPECT_EQ(baseInss(1, 2004), std::nullopt);
    EXPECT_EQ(baseInss(2, 2004), 100.0);
    EXPECT_EQ(linhasD(), 1);
}

}  // namespace
}  // namespace korva
