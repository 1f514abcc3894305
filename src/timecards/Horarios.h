#pragma once
// Times of day and durations of the time cards: fractions of a day, shown and
// typed as "hh:nn".
#include <optional>
#include <string>
#include <string_view>

namespace korva {

// The fraction of a day of hh:nn.
constexpr double Horario(int horas, int minutos) { return (horas * 60 + minutos) / 1440.0; }

// "hh:nn" of a fraction of a day, rounded to the minute; a duration of a day
// or more keeps counting the hours ("26:30"); a negative one gets a sign.
std::string TextoHorario(double fracaoDia);

// A time of day typed as "hh:nn" (or "h:nn"), blanks around ignored: hours
// 0 to 23, minutes 0 to 59. Anything else (an empty mask, "25:00", "8",
// "08:00:00") gives nothing.
std::optional<double> LeHorario(std::string_view texto);

}  // namespace korva
