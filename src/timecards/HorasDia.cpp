#include "timecards/HorasDia.h"

#include <algorithm>

namespace korva {

namespace {

// Times are fractions of a day, so a punch right on a tolerance edge
// (13:50 against 14:00 less 00:10) can land a rounding error outside it; the
// edges are compared with this slack.
constexpr double Folga = 8e-12;

// Night time of one shift from entry e to exit x, night window s..n.
double TempoNoturno(double e, double x, double s, double n) {
    if (e > x) {  // crosses midnight
        const double antes = e >= n ? 1 - std::max(e, s) : n - e;
        return x > s ? (x - s) + n + antes : antes + std::min(x, n);
    }
    const double madrugada = e >= n ? 0 : std::min(x, n) - e;
    if (e >= s) return x - e + madrugada;
    if (x > s) return x - s + madrugada;
    return madrugada;
}

}  // namespace

HorasDia CalculaHorasDia(const CartaoPonto& cartao, const JornadaPonto& jornada) {
    const int turnos = std::clamp(jornada.turnos, 1, 4);
    const int marcas = turnos * 2;
    std::array<double, 8> p = cartao.marcacoes;

    // Punches within tolerance move to the scheduled time; what they gain or
    // lose is kept apart and weighed for the whole day below.
    double extra = 0, falta = 0;
    if (jornada.habilitarTolerancia) {
        for (int i = 0; i < marcas; ++i) {
            const bool entrada = i % 2 == 0;
            const auto& prev = jornada.previstos[static_cast<size_t>(i)];
            const double t = prev.previsto;
            double& marca = p[static_cast<size_t>(i)];
            if (marca <= t && marca >= t - prev.tolAntecipacao - Folga) {
                (entrada ? extra : falta) += t - marca;
                marca = t;
            } else if (marca >= t && marca <= t + prev.tolAtraso + Folga) {
                (entrada ? falta : extra) += marca - t;
                marca = t;
            }
        }
    }

    double trabalhado = 0;
    for (int i = 0; i < marcas; i += 2) {
        double turno = p[static_cast<size_t>(i + 1)] - p[static_cast<size_t>(i)];
        if (turno < 0) turno += 1;
        trabalhado += turno;
    }

    // The whole extra or the whole missing time, not their difference; exactly
    // 10 minutes is within the day's tolerance.
    if (extra - falta > ToleranciaDia + Folga)
        trabalhado += extra;
    else if (falta - extra > ToleranciaDia + Folga)
        trabalhado -= falta;

    if (!(jornada.intervalo > trabalhado)) trabalhado -= jornada.intervalo;

    // Night time from the punches as recorded.
    double noturno = 0;
    for (int i = 0; i < marcas; i += 2)
        noturno += TempoNoturno(cartao.marcacoes[static_cast<size_t>(i)], cartao.marcacoes[static_cast<size_t>(i + 1)],
                                jornada.heNot, jornada.hsNot);

    HorasDia h;
    h.horasNot = noturno * FatorHoraNoturna * 24;
    h.horasTrab = (trabalhado - noturno + noturno * FatorHoraNoturna) * 24;
    return h;
}

HorasExtrasDia HorasExtDia(const CartaoPonto& cartao, const JornadaPonto& jornada, double horasTrab) {
    HorasExtrasDia r;
    if (cartao.folga) {
        r.folgas = horasTrab;
        r.horasExt = horasTrab;
        return r;
    }
    const double contratado = cartao.data.diaDaSemana() == 7 ? jornada.jornSabado : jornada.jornDiaria;
    r.horasExt = std::max(0.0, horasTrab / 24 - contratado) * 24;
    return r;
}

}  // namespace korva
