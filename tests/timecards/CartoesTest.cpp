// The entry window's core: the period of the schedule, Situacao, the card
// remembered by an insertion with the date it proposes, F3/F4/F7/F8 and the
// date filter.
#include <gtest/gtest.h>

#include "BaseCartoes.h"
#include "timecards/Cartoes.h"
#include "util/Erros.h"

using namespace korva;

namespace {

struct CartoesTest : teste::BaseCartoes {
    Cartoes janela{banco, tabelaG, D("01/03/2004"), D("31/03/2004"), 2};

    std::string hora(const char* campo) { return TextoHorario(janela.tabela().valor(campo).comoNumero()); }

    std::vector<std::string> datas() {
        std::vector<std::string> r;
        Tabela& t = janela.tabela();
        for (t.primeiro(); !t.fim(); t.proximo()) r.push_back(t.valor("Data").comoData().dma());
        return r;
    }
};

}  // namespace

TEST_F(CartoesTest, OnlyTheCardsOfThePeriodAreShownInDateOrder) {
    gravaCartao("01/04/2004", "08:00", "12:00");
    gravaCartao("31/03/2004", "08:00", "12:00");
    gravaCartao("29/02/2004", "08:00", "12:00");
    gravaCartao("01/03/2004", "08:00", "12:00");
    janela.abre();
    EXPECT_EQ(datas(), (std::vector<std::string>{"01/03/2004", "31/03/2004"}));
    EXPECT_EQ(DiaDoCartao(D("01/03/2004")), "Seg.");
    EXPECT_EQ(DiaDoCartao(D("06/03/2004")), "Sáb.");
}

TEST_F(CartoesTest, ADateOutsideThePeriodIsRefused) {
    janela.abre();
    Tabela& t = janela.tabela();
    t.insere();
    // An empty grid remembers nothing: no date is proposed, punches start at 00:00.
    EXPECT_FALSE(janela.lembrado());
    EXPECT_TRUE(t.valor("Data").nulo());
    for (const char* m : MarcacoesCartao) EXPECT_EQ(hora(m), "00:00") << m;
    EXPECT_THROW(t["Data"] = D("01/04/2004"), ErroKorva);  // one day after the end
    EXPECT_THROW(t["Data"] = D("29/02/2004"), ErroKorva);
    try {
        t["Data"] = D("01/04/2004");
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), MsgDataForaPeriodo);
    }
    t["Data"] = D("31/03/2004");
    t.grava();
    EXPECT_EQ(cartoes(), 1);
}

TEST_F(CartoesTest, SituacaoIsStoredInCapitalsAndOnlyFOrBlank) {
    janela.abre();
    Tabela& t = janela.tabela();
    t.insere();
    t["Data"] = D("09/03/2004");
    try {
        t["Situacao"] = "x";
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), MsgSituacaoInvalida);
    }
    t["Situacao"] = "f";
    EXPECT_EQ(t.valor("Situacao").comoTexto(), "F");
    t["Situacao"] = " ";
    EXPECT_TRUE(t.valor("Situacao").nulo());
    t.grava();
}

TEST_F(CartoesTest, InsertionAfterACardProposesTheNextDayAndF4CopiesItsPunches) {
    gravaCartao("08/03/2004", "07:00", "11:00");
    gravaCartao("09/03/2004", "08:10", "12:20", "F");
    janela.abre();
    Tabela& t = janela.tabela();
    t.ultimo();
    t.edita();
    t["Ent2"] = *LeHorario("13:30");
    t["Sai2"] = *LeHorario("17:45");
    t.grava();
    t.insere();
    ASSERT_TRUE(janela.lembrado());
    EXPECT_EQ(t.valor("Data").comoData(), D("10/03/2004"));
    EXPECT_STREQ(Cartoes::CampoInicial, "Ent1");
    EXPECT_EQ(hora("Ent1"), "00:00");
    EXPECT_TRUE(janela.copiaLinha());
    EXPECT_EQ(hora("Ent1"), "08:10");
    EXPECT_EQ(hora("Sai1"), "12:20");
    EXPECT_EQ(hora("Ent2"), "13:30");
    EXPECT_EQ(hora("Sai2"), "17:45");
    EXPECT_EQ(t.valor("Situacao").comoTexto(), "F");
    EXPECT_EQ(t.valor("Data").comoData(), D("10/03/2004"));  // F4 leaves the date
    // F3: the field under the cursor only; on the date, the remembered date plus one.
    t["Ent1"] = 0.0;
    t["Data"] = D("20/03/2004");
    EXPECT_TRUE(janela.copiaCampo("Ent1"));
    EXPECT_EQ(hora("Ent1"), "08:10");
    EXPECT_EQ(hora("Sai2"), "17:45");
    EXPECT_TRUE(janela.copiaCampo("Data"));
    EXPECT_EQ(t.valor("Data").comoData(), D("10/03/2004"));
    EXPECT_FALSE(janela.copiaCampo("Dia"));
    t.grava();
    EXPECT_EQ(cartoes(), 3);
    // Browsing: F3/F4 do nothing.
    EXPECT_FALSE(janela.copiaLinha());
    EXPECT_FALSE(janela.copiaCampo("Ent1"));
}

TEST_F(CartoesTest, NoDateIsProposedPastThePeriodsEnd) {
    gravaCartao("31/03/2004", "08:00", "12:00");
    janela.abre();
    Tabela& t = janela.tabela();
    t.insere();
    EXPECT_TRUE(janela.lembrado());
    EXPECT_TRUE(t.valor("Data").nulo());
    t.cancela();
}

TEST_F(CartoesTest, F7AndF8MoveTheDateAlsoFromBrowsing) {
    gravaCartao("10/03/2004", "08:00", "12:00");
    gravaCartao("31/03/2004", "08:00", "12:00");
    janela.abre();
    Tabela& t = janela.tabela();
    EXPECT_TRUE(janela.dataAnterior());
    EXPECT_EQ(t.estado(), EstadoTabela::Edicao);
    EXPECT_EQ(t.valor("Data").comoData(), D("09/03/2004"));
    EXPECT_TRUE(janela.dataPosterior());
    EXPECT_TRUE(janela.dataPosterior());
    EXPECT_EQ(t.valor("Data").comoData(), D("11/03/2004"));
    t.grava();
    t.ultimo();
    // Past the period's end the move is refused and the card keeps its date.
    EXPECT_THROW(janela.dataPosterior(), ErroKorva);
    EXPECT_EQ(t.valor("Data").comoData(), D("31/03/2004"));
    t.cancela();
    EXPECT_EQ(datas(), (std::vector<std::string>{"11/03/2004", "31/03/2004"}));
}

TEST_F(CartoesTest, FilterToggles) {
    for (const char* d : {"02/03/2004", "05/03/2004", "10/03/2004", "20/03/2004"}) gravaCartao(d, "08:00", "12:00");
    janela.abre();
    EXPECT_STREQ(janela.legendaFiltro(), "Aplicar &Filtro");
    try {
        janela.alternaFiltro(D("10/03/2004"), D("05/03/2004"));
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), MsgPeriodoFiltroInvalido);
    }
    EXPECT_FALSE(janela.filtroAtivo());
    janela.alternaFiltro(D("05/03/2004"), D("10/03/2004"));
    EXPECT_STREQ(janela.legendaFiltro(), "Limpar &Filtro");
    EXPECT_EQ(datas(), (std::vector<std::string>{"05/03/2004", "10/03/2004"}));
    janela.alternaFiltro(D("05/03/2004"), D("10/03/2004"));
    EXPECT_STREQ(janela.legendaFiltro(), "Aplicar &Filtro");
    EXPECT_EQ(datas().size(), 4u);
}

TEST_F(CartoesTest, ColumnsOfShiftsFollowTheScheduleAndClosingDiscardsAnEdit) {
    Cartoes umTurno(banco, tabelaG, D("01/03/2004"), D("31/03/2004"), 1);
    EXPECT_TRUE(umTurno.colunaVisivel("Ent1"));
    EXPECT_TRUE(umTurno.colunaVisivel("Sai1"));
    EXPECT_TRUE(umTurno.colunaVisivel("Situacao"));
    for (const char* c : {"Ent2", "Sai2", "Ent3", "Sai3", "Ent4", "Sai4"}) EXPECT_FALSE(umTurno.colunaVisivel(c)) << c;
    EXPECT_TRUE(janela.colunaVisivel("Sai2"));
    EXPECT_FALSE(janela.colunaVisivel("Ent3"));
    janela.abre();
    janela.tabela().insere();
    janela.tabela()["Data"] = D("15/03/2004");
    janela.fecha();
    EXPECT_EQ(cartoes(), 0);
    EXPECT_EQ(Cartoes::Titulo("Sub00001\\G0000001.db"), "KORVA - Marcações de Ponto (Sub00001\\G0000001.db)");
}
