#pragma once
// The cards of a calculation read with their schedules, and the monthly
// figures they give. A card is read once under each schedule whose period
// contains its date (overlapping schedules read it more than once); a card
// outside every period is not read. Weeks for weekly overtime end on
// Saturday; a week that spans two months is cut at the month end.
#include <array>
#include <string>
#include <vector>

#include "timecards/HorasDia.h"

namespace korva {

class Banco;

// One card as read under one schedule, with its day figures.
struct CartaoApurado {
    CartaoPonto cartao;
    size_t jornada = 0;  // position in the schedules the cards were joined with
    HorasDia horas;
    HorasExtrasDia extras;
    int anoMes() const { return cartao.data.ano() * 100 + cartao.data.mes(); }
};

// The twelve monthly figures, in the order of the integration's list.
inline constexpr int QtdeFigurasMes = 12;
extern const std::array<const char*, QtdeFigurasMes> TextosFigurasMes;

struct FigurasMes {
    int ano = 0, mes = 0;
    std::array<double, QtdeFigurasMes> figuras{};
    // The figure of that index; 0 outside 0..11 (no choice).
    double figura(int indice) const;
};

// Schedules of table F by Data1; cards of table G by date. Names relative to
// the private folder; a missing table reads as none.
std::vector<JornadaPonto> LeJornadas(Banco& privado, const std::string& tabelaF);
std::vector<CartaoPonto> LeCartoes(Banco& privado, const std::string& tabelaG);

// The join in date order (schedules by Data1 for the same card), each with
// its day figures. `cartoes` must be in date order.
std::vector<CartaoApurado> ApuraCartoes(const std::vector<JornadaPonto>& jornadas,
                                        const std::vector<CartaoPonto>& cartoes);

// The figures of every month that has cards read, in date order.
std::vector<FigurasMes> ApuraMeses(const std::vector<JornadaPonto>& jornadas,
                                   const std::vector<CartaoApurado>& lidos);

// The figures that depend only on the calendar month (7, 8, 9 and 11).
void FigurasCalendario(int ano, int mes, FigurasMes& f);

}  // namespace korva
