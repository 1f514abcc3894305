#pragma once
// What the windows of one calculation receive from the register: the values of
// the lawsuit row that the period grid, the month grid, the bases and the print
// dialog read, and the names of the calculation's tables. Taken from the row
// the register is on when the window opens; the row stays put while the
// (modal) window is open.
#include <string>

#include "parameters/CalculoMensal.h"
#include "results/ExecucaoCalculo.h"
#include "results/FigurasGrade.h"

namespace korva {

class Tabela;

struct CalculoAberto {
    ParametrosExecucao execucao;   // lawsuit, group, folder and file, dates, indices, INSS and IR options
    OpcoesCalculoMensal mensal;    // what the monthly calculation and CalculaDtBase read
    // The table of a letter of the file set: "Sub00001/A0000023.db".
    std::string tabela(char letra) const;
    ParametrosFiguras figuras() const { return ParametrosFigurasDe(execucao); }
};

// From the row the lawsuit dataset is on.
CalculoAberto CalculoAbertoDe(const Tabela& processo);
// From the register by lawsuit and group: fails when the calculation does not exist.
CalculoAberto CalculoAbertoDe(Banco& privado, const std::string& processo, int codRecte);

}  // namespace korva
