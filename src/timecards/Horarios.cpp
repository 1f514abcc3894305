#include "timecards/Horarios.h"

#include <cmath>
#include <cstdio>

#include "util/Texto.h"

namespace korva {

std::string TextoHorario(double fracaoDia) {
    const long long minutos = std::llround(std::fabs(fracaoDia) * 1440.0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%02lld:%02lld", fracaoDia < 0 && minutos > 0 ? "-" : "", minutos / 60,
                  minutos % 60);
    return buf;
}

std::optional<double> LeHorario(std::string_view texto) {
    const std::string t = Apara(texto);
    const auto doisPontos = t.find(':');
    if (doisPontos == std::string::npos || doisPontos == 0 || doisPontos > 2 || t.size() != doisPontos + 3)
        return std::nullopt;
    auto digito = [](char c) { return c >= '0' && c <= '9'; };
    for (size_t i = 0; i < t.size(); ++i)
        if (i != doisPontos && !digito(t[i])) return std::nullopt;
    const int horas = std::stoi(t.substr(0, doisPontos));
    const int minutos = std::stoi(t.substr(doisPontos + 1));
    if (horas > 23 || minutos > 59) return std::nullopt;
    return Horario(horas, minutos);
}

}  // namespace korva
