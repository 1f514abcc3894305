// Card generation: the order of its checks, weekdays, days off and holidays,
// overwriting, and all-or-nothing writing.
#include <gtest/gtest.h>

#include <set>

#include "BaseCartoes.h"
#include "timecards/GeracaoCartoes.h"
#include "util/Erros.h"

using namespace korva;

namespace {

struct GeracaoTest : teste::BaseCartoes {
    const Data inicio = D("01/05/2004"), fim = D("31/05/2004");
    std::set<int32_t> feriados;

    ResultadoGeracaoCartoes gera(const OpcoesGeracaoCartoes& o) {
        return GeraCartoes(banco, tabelaG, inicio, fim, o,
                           [this](Data d) { return feriados.count(d.serial()) > 0; });
    }
    static OpcoesGeracaoCartoes Opcoes(const char* de, const char* ate) {
        OpcoesGeracaoCartoes o;
        o.de = D(de);
        o.ate = D(ate);
        o.semana = {"08:00", "12:00", "13:00", "17:00", "00:00", "00:00", "00:00", "00:00"};
        o.sabado = {"08:00", "12:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
        o.domingo = {"09:00", "10:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
        return o;
    }
    std::string erro(const OpcoesGeracaoCartoes& o) {
        try {
            gera(o);
        } catch (const ErroKorva& e) {
            return e.what();
        }
        return "";
    }
    // "dd/mm/yyyy Ent1-Sai1 Situacao" of every card.
    std::vector<std::string> linhas() {
        Tabela t(banco, tabelaG);
        t.abre(ModoAbertura::SomenteLeitura);
        std::vector<std::string> r;
        for (t.primeiro(); !t.fim(); t.proximo())
            r.push_back(t.valor("Data").comoData().dma() + " " + TextoHorario(t.valor("Ent1").comoNumero()) + "-" +
                        TextoHorario(t.valor("Sai1").comoNumero()) + " " + t.valor("Situacao").comoTexto());
        return r;
    }
};

using Linhas = std::vector<std::string>;

}  // namespace

TEST_F(GeracaoTest, DatesAreCheckedInOrderBeforeTheTimes) {
    auto o = Opcoes("10/05/2004", "09/05/2004");
    o.semana[0] = "25:00";
    EXPECT_EQ(erro(o), "Período especificado inválido!");
    o = Opcoes("30/04/2004", "31/05/2004");
    EXPECT_EQ(erro(o), "Data inicial inválida!");
    o = Opcoes("01/05/2004", "01/06/2004");
    EXPECT_EQ(erro(o), "Data final inválida!");
    EXPECT_EQ(cartoes(), 0);
}

TEST_F(GeracaoTest, TheFirstUnreadableTimeIsNamedAndNothingIsWritten) {
    auto o = Opcoes("01/05/2004", "31/05/2004");
    o.sabado[0] = "25:00";
    o.domingo[5] = "xx:00";
    EXPECT_EQ(erro(o), "Valor inválido para o campo Entrada 1 do Sábado");
    EXPECT_EQ(cartoes(), 0);
    o.sabado[0] = "08:00";
    EXPECT_EQ(erro(o), "Valor inválido para o campo Saída 3 do Domingo");
    o.domingo[5] = "00:00";
    o.semana[7] = "  :  ";
    EXPECT_EQ(erro(o), "Valor inválido para o campo Saída 4");
    EXPECT_EQ(cartoes(), 0);
    EXPECT_EQ(RotuloHorarioGeracao(0, 2), "Entrada 2");
    EXPECT_EQ(TextoPeriodoGeracao(inicio, fim), "Período: 01/05/2004 a 31/05/2004");
}

TEST_F(GeracaoTest, WeekendsAreLeftOutUnlessAsked) {
    // 01/05/2004 is a Saturday.
    const auto r = gera(Opcoes("01/05/2004", "03/05/2004"));
    EXPECT_EQ(r.inseridos, 1);
    EXPECT_EQ(linhas(), (Linhas{"03/05/2004 08:00-12:00 "}));
}

TEST_F(GeracaoTest, WeekendCardsTakeTheirGroupAndAreDaysOffByDefault) {
    auto o = Opcoes("01/05/2004", "03/05/2004");
    o.inserirSabados = true;
    o.inserirDomingos = true;
    gera(o);
    EXPECT_EQ(linhas(), (Linhas{"01/05/2004 08:00-12:00 F", "02/05/2004 09:00-10:00 F", "03/05/2004 08:00-12:00 "}));
    o.sabadoFolga = false;
    o.domingoFolga = false;
    const auto r = gera(o);
    EXPECT_EQ(r.alterados, 3);
    EXPECT_EQ(linhas(), (Linhas{"01/05/2004 08:00-12:00 ", "02/05/2004 09:00-10:00 ", "03/05/2004 08:00-12:00 "}));
}

TEST_F(GeracaoTest, HolidaysOfAnyClassAreDaysOffWhenObserved) {
    feriados.insert(D("04/05/2004").serial());
    auto o = Opcoes("03/05/2004", "05/05/2004");
    gera(o);
    EXPECT_EQ(linhas(), (Linhas{"03/05/2004 08:00-12:00 ", "04/05/2004 08:00-12:00 F", "05/05/2004 08:00-12:00 "}));
    o.observarFeriados = false;
    gera(o);
    EXPECT_EQ(linhas()[1], "04/05/2004 08:00-12:00 ");
}

TEST_F(GeracaoTest, WithoutOverwritingExistingCardsKeepTheirPunchesAndMarks) {
    gravaCartao("04/05/2004", "06:00", "07:00", "F");
    auto o = Opcoes("03/05/2004", "05/05/2004");
    o.sobrepor = false;
    const auto r = gera(o);
    EXPECT_EQ(r.inseridos, 2);
    EXPECT_EQ(r.alterados, 0);
    EXPECT_EQ(linhas(), (Linhas{"03/05/2004 08:00-12:00 ", "04/05/2004 06:00-07:00 F", "05/05/2004 08:00-12:00 "}));
    o.sobrepor = true;
    gera(o);
    EXPECT_EQ(linhas()[1], "04/05/2004 08:00-12:00 ");
}

TEST_F(GeracaoTest, AFailureWhileWritingLeavesTheCardsAsTheyWere) {
    gravaCartao("04/05/2004", "06:00", "07:00", "F");
    const Linhas antes = linhas();
    auto o = Opcoes("03/05/2004", "31/05/2004");
    int dias = 0;
    try {
        GeraCartoes(banco, tabelaG, inicio, fim, o, [&](Data) {
            if (++dias == 10) throw ErroKorva("falha de leitura dos feriados");
            return false;
        });
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "falha de leitura dos feriados");
    }
    EXPECT_EQ(linhas(), antes);
    // The table is usable afterwards.
    EXPECT_EQ(gera(o).total(), 21);
}
