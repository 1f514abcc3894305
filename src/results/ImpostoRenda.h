#pragma once
// Income tax (IR) withheld from the claimant, over the bracket row of
// FaixasIR.db of the base date's month: the band of a taxable amount spread
// over n months, the tax of one column of the report's IR table, the columns
// of each IR option, the dependants deduction of the calculation reports and
// the number of months. Pure arithmetic: nothing is rounded and no table is
// read.
//
// The band function is called FaixaIRDe: a function named FaixaIR would hide
// the bracket-row struct of the same name in every file that includes this
// header.
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "util/Data.h"

namespace korva {

// The band of a taxable amount x spread over n months: the row's limits and
// deductions are multiplied by n, its rates are not.
//   n * LimiteMinimo > x -> rate 0, deduction 0 (exempt; negatives included)
//   x < n * Limite1 -> Percentual1, n * Deducao1
//   x < n * Limite2 -> Percentual2, n * Deducao2
//   x < n * Limite3 -> Percentual3, n * Deducao3
//   else            -> PercentualMaximo, n * DeducaoMaximo
// An amount equal to a limit falls into the next band up. An n below 1 is
// taken as 1: with n = 0 every limit collapses to 0 and any positive amount
// would pay the top rate with no deduction.
struct FaixaAplicada {
    double aliquota = 0;  // percent
    double deducao = 0;
};

FaixaAplicada FaixaIRDe(double x, int n, const FaixaIR& faixa);

// One column of the IR table. `juros` and `inssReclamante` hold what entered
// the taxable amount: the interest is 0 when IR on interest is off, the
// employee INSS 0 when it is added back (AdicionarINSSRecte), and the report
// then prints "0,00".
struct ColunaIR {
    std::string rotulo;
    double base = 0;
    double juros = 0;
    double inssReclamante = 0;
    double deducaoDependentes = 0;
    double tributavel = 0;
    double aliquota = 0;
    double imposto = 0;  // tributavel * aliquota / 100
    double deducao = 0;
    double devido = 0;   // imposto - deducao
};

// taxable = base + interest - employee INSS - dependants deduction
//           - DeducaoDaBase (the last only when `deduzBase`: false only for the
//           column "Férias" of the lawsuit summary).
// The dependants deduction is not multiplied by n.
ColunaIR ImpostoDaColuna(std::string rotulo, double base, double juros, double inssReclamante,
                         double deducaoDependentes, int n, const FaixaIR& faixa, bool adicionarINSSRecte,
                         bool irSobreJuros, bool deduzBase);

// IR options of the calculation (OpcaoIR).
namespace OpcaoIR {
constexpr int NaoCalcular = 1;       // "Não calcular"
constexpr int ParcelaUnica = 2;      // "Parcela Única"
constexpr int TrezeEDemais = 3;      // "13º e Demais Parcelas"
constexpr int TrezeFeriasDemais = 4;  // "13º, Férias e Demais Parcelas"
}  // namespace OpcaoIR

inline constexpr const char* kColunaUnica = "Única";
inline constexpr const char* kColunaDemais = "Demais Parcelas";
inline constexpr const char* kColuna13 = "13º Salário";
inline constexpr const char* kColunaFerias = "Férias";

// The columns of an IR option, in the order the report prints them:
//   2: "Única" (13th + vacation + other)
//   3: "Demais Parcelas" (vacation + other), "13º Salário" (13th)
//   4: "Demais Parcelas" (other), "13º Salário" (13th), "Férias" (vacation)
// Option 1, and any unknown option, gives no column (income tax 0). The same
// employee INSS is deducted in every column. In the lawsuit summary
// (`resumoProcesso`) the bases already include interest (pass 0 as interest)
// and the column "Férias" keeps DeducaoDaBase.
std::vector<ColunaIR> ColunasIR(int opcaoIR, double base13, double juros13, double baseFerias, double jurosFerias,
                                double baseDemais, double jurosDemais, double inssReclamante,
                                double deducaoDependentes, int n, const FaixaIR& faixa, bool adicionarINSSRecte,
                                bool irSobreJuros, bool resumoProcesso);

// The income tax: the sum of the columns' amounts due.
double TotalIR(const std::vector<ColunaIR>& colunas);

// Dependants deduction of the calculation reports: with every claimant of the
// calculation holding the same number d of dependants, d * DeducaoDependente;
// when the numbers differ, 0 and *diferentes set (the heading then reads
// "Dependentes*" and both notes below are printed); without claimants, 0.
// A negative count is taken as 0. `diferentes` may be null.
double DeducaoDependentes(const std::vector<int>& dependentesPorReclamante, const FaixaIR& faixa,
                          bool* diferentes);

inline constexpr const char* kCabecalhoDependentes = "Dependentes";
inline constexpr const char* kCabecalhoDependentesAnulado = "Dependentes*";
inline constexpr const char* kNotaDependentesAnulada =
    "*O valor da dedução por dependente foi anulado em razão do diferente número de dependentes por reclamante "
    "deste processo.";
inline constexpr const char* kNotaVerifiqueResumo =
    "Verifique o valor correto do Imposto de Renda de cada reclamante no Resumo de Cálculo.";

// Cut-over date of the months rule.
inline const Data kCorteMesesIR = Data::de(2010, 7, 28);

// The number of months n: the months counted with an IR base, or 1 when the
// base date is before the cut-over date.
int MesesIR(int mesesContados, Data dtBase, Data corte = kCorteMesesIR);

}  // namespace korva
