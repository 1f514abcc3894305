#pragma once
// The date of each month's amount of a parameter row, from its standard
// base-date code, and the holiday test under the lawsuit's holiday options.
#include <functional>
#include <optional>
#include <string>

#include "util/Data.h"

namespace korva {

class TabelasReferencia;

// The options of a calculation that the parameter rules read from its lawsuit
// record: the default standard base-date code and the holiday options.
struct OpcoesCalculo {
    int dataBasePadrao = 0;           // Processo.DataBasePadrao
    bool feriadosNacionais = false;   // Processo.AtualizaFeriadosNacionais
    bool feriadosEstaduais = false;   // Processo.AtualizaFeriadosEstaduais
    int feriadosMunic = 0;            // Processo.AtualizaFeriadosMunic
};

// The code whose date is the one typed in the row's DtBase.
inline constexpr int CodigoDtBaseDigitada = 50;

// Whether the code has a date rule (0, 1, 5, 9, 10, 15, 20, 50).
bool CodigoDtBaseConhecido(int codigo);
// "Código de Data Base Padrão inválido (N)!": a row with a code that has no
// date rule is refused with it.
std::string MsgCodigoDtBaseInvalido(int codigo);

// The date of the amount of month `mes`/`ano`:
//   0  last day of the month, stepping back while it is a holiday;
//   1  last day of the month;
//   5, 9, 10  1st, 5th, 6th working day (Monday..Friday, not a holiday) of the next month;
//   15, 20  20/11 and 20/12 of the year;
//   50  the typed date unchanged (none counts as 30/12/1899).
// A code without a rule fails with ErroDados (MsgCodigoDtBaseInvalido).
// Month 0 (which the month check accepts) is the month before January: its
// last day is 31/12 of the year before, its next month January. A date outside
// the calendar (year 0) gives the zero date, 30/12/1899.
Data CalculaDtBase(int mes, int ano, std::optional<Data> digitada, int codigo,
                                  const std::function<bool(Data)>& ehFeriado);

// CalculaDtBase bound to the shared holiday table and a calculation's options.
class CalculoDtBase {
public:
    CalculoDtBase(TabelasReferencia& referencia, OpcoesCalculo opcoes)
        : referencia_(referencia), opcoes_(opcoes) {}

    const OpcoesCalculo& opcoes() const { return opcoes_; }
    // (D, 1) when national holidays count, then (D, 2) when state holidays
    // count, then always (D, feriadosMunic).
    bool EhFeriado(Data d) const;
    Data CalculaDtBase(int mes, int ano, std::optional<Data> digitada, int codigo) const;

private:
    TabelasReferencia& referencia_;
    OpcoesCalculo opcoes_;
};

}  // namespace korva
