#pragma once
// The texts of the calculation reports that depend on the run's values: the
// month close of the calculation reports and of the social-security report,
// the final block's lines and the income-tax table. Each function returns the
// lines that apply, so the conditions are decided (and tested) apart from the
// layout; the layout only places them.
#include <string>
#include <utility>
#include <vector>

#include "results/ExecucaoCalculo.h"
#include "util/Data.h"

namespace korva {

enum class TipoRelatorioCalculo { Resumido, Detalhado, INSS };

// One printed line: a label, an amount (right-aligned in its column) and,
// in the social-security report, the working of the amount.
struct LinhaBloco {
    LinhaBloco() = default;
    LinhaBloco(std::string r, std::string v = {}, std::string o = {}, bool n = false)
        : rotulo(std::move(r)), valor(std::move(v)), obs(std::move(o)), negrito(n) {}

    std::string rotulo;
    std::string valor;
    std::string obs;
    bool negrito = false;

    bool operator==(const LinhaBloco&) const = default;
};

// Month close of the calculation reports, in three rows: the month with its
// totals (the totals only when the month total is not 0), the month's FGTS
// (only when above 0) and the employee INSS of the month (only when the
// single rate is off). An absent row is empty.
struct FechamentoImpresso {
    std::string mes;                  // "Mês: mm/yyyy"
    std::vector<LinhaBloco> totais;   // "Total Atualizado:", "Juros:", "Total Atualizado com Juros:"
    std::vector<LinhaBloco> fgts;     // "FGTS a depositar:"
    std::vector<LinhaBloco> inss;     // base, rate, paid, due
};

FechamentoImpresso FechamentoCalculo(const FechamentoMes& f);

// Month close of the social-security report: the month, its INSS base and
// either the single-rate lines or every step of the month-by-month working.
// `baseINSSMes` is the month's INSS base (also known when the single rate is on).
std::vector<LinhaBloco> FechamentoINSS(const FechamentoMes& f, double baseINSSMes, const ParametrosExecucao& p);

// "Seguro de Acidente de Trabalho: (2,00%)"
std::string RotuloSeguroAcidente(double aliquota);

// The lines of the final block before the income-tax table: the totals and
// the FGTS (calculation reports only), then the INSS section. Amounts carry
// the currency prefix of the base date.
std::vector<LinhaBloco> LinhasFinais(TipoRelatorioCalculo tipo, const TotaisExecucao& t,
                                     const ParametrosExecucao& p);

// The income-tax table, empty `linhas` when OpcaoIR is 1.
struct TabelaIR {
    std::string titulo;                // "IMPOSTO DE RENDA: (juros inclusos)" / "(juros não inclusos)"
    std::vector<std::string> titulos;  // one per column; "\n" between the lines of a title
    std::vector<std::vector<std::string>> linhas;
    std::vector<std::string> notas;    // the dependants notes, when the counts differ
};

TabelaIR TabelaImpostoRenda(TipoRelatorioCalculo tipo, const TotaisExecucao& t, const ParametrosExecucao& p);

// The lines after the income-tax table: "Qtde. de Meses com Base para o IR: n"
// (OpcaoIR > 1 and base date on or after `dataCorte`, calculation reports
// only) and the note of the annulled employee INSS.
std::vector<std::string> NotasFinais(TipoRelatorioCalculo tipo, const TotaisExecucao& t,
                                     const ParametrosExecucao& p, Data dataCorte);

}  // namespace korva
