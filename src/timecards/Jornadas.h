#pragma once
// Work schedules of a calculation (table F, `Jornada`): the defaults of a new
// schedule, the field rules applied as the user types, the store rules, and
// the schedule window's commands, which act on the current schedule.
#include <array>
#include <memory>
#include <string>

#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva {

class Banco;

inline constexpr const char* MsgTurnosInvalido = "Preencha o campo Turnos com 1, 2, 3 ou 4.";
inline constexpr const char* MsgApuracaoInvalida = "Preencha o campo Apuração com (S)emanal ou (D)iária.";
inline constexpr const char* MsgPeriodoJornadaInvalido = "Período ínválido para a Jornada!";
inline constexpr const char* MsgCadastreJornada = "Cadastre uma jornada antes de selecionar esta opção!";

// The eight punch slots of a schedule, in the order of the table's fields.
inline constexpr std::array<const char*, 8> MarcasJornada = {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"};

// Attaches the rules of the schedule table to an open dataset:
// - a new row gets the defaults (08:00 a day, 04:00 on Saturdays, no break,
//   night from 22:00 to 05:00, two shifts, "D", 44 weekly hours, tolerances
//   off, shift 1 08:00-12:00 and shift 2 14:00-18:00 with 5-minute
//   tolerances, shifts 3 and 4 at 00:00);
// - `Turnos` only 1 to 4 (MsgTurnosInvalido);
// - `Apuracao` in capitals, only "S" or "D" (MsgApuracaoInvalida);
// - storing refuses a `Data2` before `Data1` (MsgPeriodoJornadaInvalido) and
//   a second schedule starting on the same day (key violation: `Data1` is
//   the table's key).
void AplicaRegrasJornada(Tabela& jornada);

// Puts the defaults of a new schedule into the row being inserted.
void DefineJornadaPadrao(Tabela& jornada);

// What the three buttons pass on: the period of the current schedule and
// its number of shifts.
struct JornadaSelecionada {
    Data data1, data2;
    int turnos = 0;
};

// The schedule window's core: the table in `Data1` order with its rules, and
// the commands of its three buttons.
class Jornadas {
public:
    // "KORVA - Jornadas de Trabalho (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);

    // `tabelaF` is relative to the private database's folder.
    Jornadas(Banco& privado, std::string tabelaF);
    ~Jornadas();
    Jornadas(const Jornadas&) = delete;
    Jornadas& operator=(const Jornadas&) = delete;

    void abre();
    // Refused with the pending-operation message while a schedule is in edit
    // or insert state; otherwise closes the table.
    void fecha();
    Tabela& tabela() { return *tabela_; }
    const std::string& nomeTabela() const { return nome_; }

    // The three buttons are disabled while a schedule is in edit or insert state.
    bool botoesHabilitados() const { return !tabela_->editando(); }
    // The current schedule, for the buttons; fails with MsgCadastreJornada
    // when there is none.
    JornadaSelecionada jornadaAtual() const;

private:
    Banco& banco_;
    std::string nome_;
    std::unique_ptr<Tabela> tabela_;
};

}  // namespace korva
