#pragma once
// The time-card reports of a calculation: the daily report (every card read
// under its schedule, month by month, each month on its own page with its
// totals) and the monthly report (one line of totals per month and a grand
// total), laid out on the band engine.
//
// The figures are worked out once, before layout, from the cards joined with
// their schedules (ApuraCartoes). The monthly overtime is counted as these
// reports count it: a week open at a month change is closed with the limit
// of the month's LAST card's schedule (the integration closes it with the
// limit of the new month's first card), so the two agree whenever the weekly
// limit is the same on both sides of the month change.
#include <string>
#include <vector>

#include "reports/Medidor.h"
#include "reports/Pagina.h"
#include "timecards/ApuracaoPonto.h"

namespace korva {

class Banco;
class Configuracoes;
struct ParametrosExecucao;

inline constexpr const char* kTituloPontoDiario = "Cartões de Ponto - Relatório Diário";
inline constexpr const char* kTituloPontoMensal = "Cartões de Ponto - Relatório Mensal";

enum class TipoRelatorioPonto { Diario, Mensal };

// One card line of the daily report.
struct CartaoRelatorio {
    Data data;
    size_t jornada = 0;  // position in RelatorioPonto::jornadas
    size_t mes = 0;      // position in RelatorioPonto::meses
    bool folga = false;  // Situacao "F"
    std::string dia;         // "29/01/2003 (Qua.)", + " - F" on a day off
    std::string marcacoes;   // "08:00 12:00 14:00 18:00": the shifts in use
    double horasTrab = 0, horasNot = 0, horasExt = 0, folgas = 0;
};

// The totals of one month, counted as the reports count them.
struct MesRelatorio {
    int ano = 0, mes = 0;
    size_t primeiro = 0, ultimo = 0;  // its first and last card lines
    double horasTrab = 0, horasNot = 0, folgas = 0;
    double extras = 0;   // O: daily overtime, or the weeks' excess over their limit
    int dias = 0;        // D: cards with HorasTrab > 0
    int diasFolga = 0;   // DF: those of them marked "F"
    int diasDoMes = 0;
};

struct RelatorioPonto {
    std::vector<JornadaPonto> jornadas;
    std::vector<CartaoRelatorio> cartoes;
    std::vector<MesRelatorio> meses;
    // Grand totals of the monthly report.
    double horasTrab = 0, horasNot = 0, folgas = 0, extras = 0;
    int dias = 0, diasFolga = 0;
};

// The heading of both reports.
struct CabecalhoPonto {
    std::string tribunal;
    std::string processo;
    std::string grupo;   // three digits
    std::string versao;  // footer text
};

// "29/01/2003 (Qua.)" / "... - F".
std::string TextoDiaCartao(Data data, bool folga);
// The punches of the shifts in use (`turnos` 1 to 4) as hh:nn.
std::string TextoMarcacoes(const CartaoPonto& cartao, int turnos);

// The card lines and the months of the cards read (in read order).
RelatorioPonto ApuraRelatorioPonto(std::vector<JornadaPonto> jornadas, const std::vector<CartaoApurado>& lidos);
// The same from the calculation's tables F and G.
RelatorioPonto LeRelatorioPonto(Banco& privado, const std::string& tabelaF, const std::string& tabelaG);

Documento DiagramaPontoDiario(const RelatorioPonto& dados, const CabecalhoPonto& cab, const Medidor& m);
Documento DiagramaPontoMensal(const RelatorioPonto& dados, const CabecalhoPonto& cab, const Medidor& m);

const char* TituloRelatorioPonto(TipoRelatorioPonto tipo);

// Reads tables F and G of the calculation and lays out the chosen report
// with the court name and the version text of the settings.
Documento ProduzRelatorioPonto(TipoRelatorioPonto tipo, Banco& privado, const Configuracoes& configuracoes,
                               const ParametrosExecucao& calculo, const Medidor& m);

}  // namespace korva
