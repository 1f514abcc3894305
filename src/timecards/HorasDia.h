#pragma once
// The day figures of a time card read against its work schedule: the hours
// worked with night time at the reduced night hour, the night hours, the
// overtime of the day and the hours worked on a day off. Times of day are
// fractions of a day; the figures are hours.
#include <array>

#include "util/Data.h"

namespace korva {

// The fields of a schedule (table F) that the hours read.
struct JornadaPonto {
    Data data1, data2;
    double jornDiaria = 8.0 / 24;
    double jornSabado = 4.0 / 24;
    double intervalo = 0;
    double heNot = 22.0 / 24;  // start of the night window
    double hsNot = 5.0 / 24;   // end of the night window
    int turnos = 2;
    bool semanal = false;        // Apuracao "S": overtime counted week by week
    double horasSemanais = 44;   // hours
    bool habilitarTolerancia = false;
    // Scheduled time and tolerances of each slot, in the order HE1, HS1, HE2, HS2 ... HS4.
    struct Previsto {
        double previsto = 0, tolAntecipacao = 0, tolAtraso = 0;
    };
    std::array<Previsto, 8> previstos{};

    bool contem(Data d) const { return d >= data1 && d <= data2; }
};

// The fields of a card (table G).
struct CartaoPonto {
    Data data;
    std::array<double, 8> marcacoes{};  // Ent1, Sai1, Ent2, Sai2 ... Sai4; empty reads 0
    bool folga = false;                  // Situacao "F"
};

struct HorasDia {
    double horasTrab = 0;  // HorasTrab
    double horasNot = 0;   // HorasNot
};

struct HorasExtrasDia {
    double horasExt = 0;  // HorasExt
    double folgas = 0;    // Folgas
};

// The reduced night hour as a decimal factor (not 8/7).
inline constexpr double FatorHoraNoturna = 1.1428;
// The day tolerance: 10 minutes as a fraction of a day.
inline constexpr double ToleranciaDia = 1.0 / 144;

// HorasTrab and HorasNot of a card under its schedule.
HorasDia CalculaHorasDia(const CartaoPonto& cartao, const JornadaPonto& jornada);
// HorasExt and Folgas of a card whose HorasTrab is known.
HorasExtrasDia HorasExtDia(const CartaoPonto& cartao, const JornadaPonto& jornada, double horasTrab);

}  // namespace korva
