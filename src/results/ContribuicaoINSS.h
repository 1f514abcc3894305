#pragma once
// Social-security (INSS) contributions over the bracket rows of FaixasINSS.DB:
// the employee's contribution on one base, the month-by-month assessment with
// credit for what was already contributed, the single-rate contribution and
// the defendant's three contributions. Pure arithmetic: nothing is rounded
// (the reports print two decimals) and no table is read.
//
// A missing bracket row is passed as a default-constructed FaixaINSS (or a
// null pointer where the signature takes one): all eleven values 0.
//
// ContribuicaoINSS, row with `progressiva` false (tables up to 02/2020): the
// rate of the band that holds the base applies to the whole base.
//   1. x <= L1: rate P1; a base 0 < x < L0 is first raised to L0.
//   2. x <= L2: P2.   3. x <= L3: P3.
//   4. x > L3: L4 <= 0 -> P3 with x cut to L3; x <= L4 -> P4;
//      L5 <= 0 -> P4 with x cut to L4; else P5 with x cut to L5.
//   5. contribution = x * rate / 100.
//   An all-zero row gives 0 at rate 0 for every base.
//
// ContribuicaoINSS, row with `progressiva` true (tables from 03/2020): each
// band's rate applies only to the part of the base inside that band (band 1
// from 0 to L1, band 2 from L1 to L2, ...). The bands in use are those up to
// the first limit that is not above the one before it; the base is cut to
// the highest of them (the ceiling), and a base 0 < x < L0 is first raised to
// L0, as in the flat table. Charging the band rate of the flat rule on the
// whole base would overstate the contribution (a base of 3 000.00 in 03/2020
// owes 281.62, not 360.00). The rate returned is the effective rate:
// contribution / base * 100, over the base after raising and cutting, so that
// contribution = base * rate / 100 holds as in the flat table; it is 0 for a
// base of 0. A negative base (a month of negative differences) is charged
// at the first band's rate, as in the flat table.
#include <string>

#include "reference/TabelasReferencia.h"

namespace korva {

struct ResultadoINSS {
    double contribuicao = 0;
    double aliquota = 0;  // percent
};

ResultadoINSS ContribuicaoINSS(double x, const FaixaINSS& faixa);

// The employee contribution of one month of the calculation, brought to the
// base date. B is the month's INSS base (already in base-date money), J the
// salary base on which that month's contributions were already made (in that
// month's money, 0 when none). A null row is a missing row.
//   paid = ContribuicaoINSS(J, month row)
//   L1m > 0: r = L1 of the base-date row / L1m;
//            due = ContribuicaoINSS(B + r * J, base-date row) - r * paid,
//            with the rate of the base-date row (negative when more was
//            paid than is owed);
//   L1m <= 0 (month row missing): rate and due 0, `semFaixaMes` set, and the
//            caller adds nothing.
// A missing base-date row makes every amount due 0.
struct ResultadoINSSMes {
    double jaRecolhido = 0;  // "Valor já recolhido:"
    double aliquota = 0;     // "Alíquota:"
    double aRecolher = 0;    // "Valor a recolher:"
    bool semFaixaMes = false;
};

ResultadoINSSMes INSSDoMes(double B, double J, const FaixaINSS* faixaMes, const FaixaINSS* faixaDtBase);

// Single-rate INSS: the employee rate on the whole INSS base of the calculation.
double ContribuicaoAliquotaUnica(double baseINSS, double aliqReclamante);

// The defendant's contributions, each the INSS base times its rate / 100.
struct ContribuicoesReclamado {
    double fpas = 0;       // employer
    double risco = 0;      // work risk
    double terceiros = 0;  // third parties
    double total = 0;      // the three together
};

ContribuicoesReclamado ContribuicoesDoReclamado(double baseINSS, double aliqReclamado, double aliqRisco,
                                                double aliqTerceiros);

// Report labels, the rate printed as amounts are ("20,00").
std::string RotuloFPAS(double aliquota);               // "F.P.A.S.: (20,00%)"
std::string RotuloRiscosAmbientais(double aliquota);   // "Riscos Ambientais do Trabalho: (2,00%)"
std::string RotuloTerceiros(double aliquota);          // "Recolhimento de Terceiros: (5,80%)"
std::string RotuloReclamanteAliquotaUnica(double aliquota);  // "Reclamante: (8,00%)"
inline constexpr const char* kRotuloReclamante = "Reclamante: ";  // month-by-month total

// Captions of the month lines.
inline constexpr const char* kRotuloJaRecolhido = "Valor já recolhido:";
inline constexpr const char* kRotuloAliquota = "Alíquota:";
inline constexpr const char* kRotuloARecolher = "Valor a recolher:";

// The warning of the summary calculation report when the bracket row of a
// month is missing: kAvisoINSSIncompleto with " (MM/YYYY)" before the full stop.
std::string AvisoINSSIncompletoMes(int ano, int mes);

}  // namespace korva
