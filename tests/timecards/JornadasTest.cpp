// Schedules: the defaults of a new row, the field and store rules, and the
// window's buttons on an empty table. Also the hh:nn times they are shown in.
#include <gtest/gtest.h>

#include "BaseCartoes.h"
#include "storage/Excecoes.h"
#include "timecards/Horarios.h"
#include "timecards/Jornadas.h"
#include "util/Erros.h"

using namespace korva;

namespace {

struct JornadasTest : teste::BaseCartoes {};

std::string Hora(Tabela& t, const char* campo) { return TextoHorario(t.valor(campo).comoNumero()); }

template <typename F>
std::string Erro(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Horarios, ReadOnlyTimesOfDayAndShowRoundedMinutes) {
    EXPECT_DOUBLE_EQ(*LeHorario("12:00"), 0.5);
    EXPECT_DOUBLE_EQ(*LeHorario(" 8:30 "), Horario(8, 30));
    EXPECT_DOUBLE_EQ(*LeHorario("23:59"), Horario(23, 59));
    for (const char* t : {"25:00", "24:00", "12:60", "", "  :  ", "8", "08:00:00", "ab:cd", "-1:00", "123:00"})
        EXPECT_FALSE(LeHorario(t)) << t;
    EXPECT_EQ(TextoHorario(Horario(22, 0)), "22:00");
    EXPECT_EQ(TextoHorario(Horario(0, 5)), "00:05");
    EXPECT_EQ(TextoHorario(Horario(7, 59) + 0.7 / 1440), "08:00");  // rounded, not cut
    EXPECT_EQ(TextoHorario(1 + Horario(2, 30)), "26:30");
    EXPECT_EQ(TextoHorario(-Horario(1, 15)), "-01:15");
}

TEST_F(JornadasTest, NewScheduleShowsTheDefaults) {
    Jornadas j(banco, tabelaF);
    j.abre();
    Tabela& t = j.tabela();
    t.insere();
    EXPECT_EQ(Hora(t, "JornDiaria"), "08:00");
    EXPECT_EQ(Hora(t, "JornSabado"), "04:00");
    EXPECT_EQ(Hora(t, "Intervalo"), "00:00");
    EXPECT_EQ(Hora(t, "HENot"), "22:00");
    EXPECT_EQ(Hora(t, "HSNot"), "05:00");
    EXPECT_EQ(t.valor("Turnos").comoInteiro(), 2);
    EXPECT_EQ(t.valor("Apuracao").comoTexto(), "D");
    EXPECT_DOUBLE_EQ(t.valor("HorasSemanais").comoNumero(), 44);
    EXPECT_FALSE(t.valor("HabilitarTolerancia").comoLogico());
    EXPECT_EQ(Hora(t, "PrevHE1"), "08:00");
    EXPECT_EQ(Hora(t, "PrevHS1"), "12:00");
    EXPECT_EQ(Hora(t, "PrevHE2"), "14:00");
    EXPECT_EQ(Hora(t, "PrevHS2"), "18:00");
    for (const char* m : {"HE1", "HS1", "HE2", "HS2"}) {
        EXPECT_EQ(Hora(t, (std::string("TolAnt") + m).c_str()), "00:05") << m;
        EXPECT_EQ(Hora(t, (std::string("TolDep") + m).c_str()), "00:05") << m;
    }
    for (const char* m : {"HE3", "HS3", "HE4", "HS4"})
        for (const char* p : {"Prev", "TolAnt", "TolDep"}) EXPECT_EQ(Hora(t, (std::string(p) + m).c_str()), "00:00");
    EXPECT_TRUE(t.valor("Data1").nulo());
    EXPECT_FALSE(j.botoesHabilitados());
    t.cancela();
    EXPECT_TRUE(j.botoesHabilitados());
}

TEST_F(JornadasTest, FieldRulesRefuseAndKeepTheRowInEdit) {
    Jornadas j(banco, tabelaF);
    j.abre();
    Tabela& t = j.tabela();
    t.insere();
    EXPECT_EQ(Erro([&] { t["Turnos"] = 0; }), MsgTurnosInvalido);
    EXPECT_EQ(Erro([&] { t["Turnos"] = 5; }), MsgTurnosInvalido);
    EXPECT_EQ(t.valor("Turnos").comoInteiro(), 2);
    t["Turnos"] = 4;
    t["Turnos"] = 1;
    EXPECT_EQ(Erro([&] { t["Apuracao"] = "X"; }), MsgApuracaoInvalida);
    t["Apuracao"] = "s";
    EXPECT_EQ(t.valor("Apuracao").comoTexto(), "S");
    EXPECT_TRUE(t.editando());
    // The period: an end before the start is refused on store, the same day is a valid period.
    t["Data1"] = D("10/03/2004");
    t["Data2"] = D("09/03/2004");
    EXPECT_EQ(Erro([&] { t.grava(); }), MsgPeriodoJornadaInvalido);
    EXPECT_EQ(t.estado(), EstadoTabela::Insercao);
    t["Data2"] = D("10/03/2004");
    t.grava();
    EXPECT_EQ(t.valor("Turnos").comoInteiro(), 1);
    EXPECT_EQ(t.valor("Apuracao").comoTexto(), "S");
}

TEST_F(JornadasTest, TwoSchedulesCannotStartOnTheSameDay) {
    Jornadas j(banco, tabelaF);
    j.abre();
    Tabela& t = j.tabela();
    t.insere();
    t["Data1"] = D("01/01/2004");
    t["Data2"] = D("31/12/2004");
    t.grava();
    t.insere();
    t["Data1"] = D("01/01/2004");
    t["Data2"] = D("30/06/2004");
    try {
        t.grava();
        ADD_FAILURE() << "second schedule on the same day stored";
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.codigo(), CodigoBanco::ChaveDuplicada);
    }
    t["Data1"] = D("01/07/2004");
    t["Data2"] = D("31/12/2004");
    t.grava();
    // Editing a schedule without changing its start is no violation.
    t.localizaChave({Valor(D("01/01/2004"))});
    t.edita();
    t["Turnos"] = 3;
    t.grava();
    EXPECT_EQ(t.quantidade(), 2);
}

TEST_F(JornadasTest, ButtonsNeedASchedule) {
    Jornadas j(banco, tabelaF);
    j.abre();
    EXPECT_EQ(Erro([&] { j.jornadaAtual(); }), MsgCadastreJornada);
    Tabela& t = j.tabela();
    t.insere();
    t["Data1"] = D("01/02/2004");
    t["Data2"] = D("29/02/2004");
    t["Turnos"] = 3;
    // A pending edit keeps the window open.
    EXPECT_THROW(j.fecha(), Inf);
    t.grava();
    const JornadaSelecionada s = j.jornadaAtual();
    EXPECT_EQ(s.data1, D("01/02/2004"));
    EXPECT_EQ(s.data2, D("29/02/2004"));
    EXPECT_EQ(s.turnos, 3);
    EXPECT_EQ(Jornadas::Titulo("Sub00001\\F0000001.db"), "KORVA - Jornadas de Trabalho (Sub00001\\F0000001.db)");
    j.fecha();
}
