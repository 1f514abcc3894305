#pragma once
// The monthly calculation of a calculation's month grid (the run behind the
// grid's "&Cálculo"): every row of table B gets its final Valor and is marked
// calculated.
//
// The run reads B once, the salary bases (table I) once and the reference
// values of the grid's span of months once, works out every row in memory
// (GradeCalculo) and writes B back in one transaction: the difference rows
// of the previous run deleted, the difference and base rows it adds inserted
// (numbered by the table's counter), and Valor, Qtde, DtBase and Calculado
// updated on every row where one of them changed. B is held for writing from
// the read to the end, so no other workstation can change it in between.
//
// Failure: when the run stops (a missing reference value, a missing base
// row, more than 20 rows of a base, a zero divisor, an averaging window that
// ends before it starts, a loop, a failure of the correction factor), the
// state reached so far is written in that same single transaction, as a run
// row by row would leave it: the rows valued so far keep their Valor and
// Calculado true, the others stay uncalculated, the added rows stay and the
// old difference rows stay deleted. Then the stop's error is thrown again.
// If the writing itself fails, the transaction is rolled back, B is exactly
// as it was before the run, and the store's error is thrown.
//
// After the run a dataset open on B must be read again (Tabela::atualiza).
#include <chrono>
#include <functional>
#include <string>

#include "parameters/CalculaDtBase.h"
#include "util/Data.h"

namespace korva {

class Banco;
class Tabela;
class TabelasReferencia;

// The options of the lawsuit record the run reads.
struct OpcoesCalculoMensal {
    int salario = 0;                     // Processo.Salario: normative-salary series
    int valeTransporte = 0;              // Processo.ValeTransporte: transport-voucher series
    bool atualizarBaseMedia = false;     // Processo.AtualizarBaseMedia
    bool anularReflexoNegativo = false;  // Processo.AnularReflexoNegativo
    int indPrincipal = 0;                // Processo.IndPrincipal
    Data dtBase;                         // Processo.DtBase
    OpcoesCalculo dtBasePadrao;          // DataBasePadrao and the holiday options
};

// The options of the current row of a dataset on Processo.DB (empty fields
// read as 0 / false).
OpcoesCalculoMensal OpcoesCalculoMensalDe(const Tabela& processo);

// FatorIndiceDiario(index, from, to), bound by the caller.
using FatorCorrecao = std::function<double(int codIndice, Data de, Data ate)>;

struct ResultadoCalculoMensal {
    int linhas = 0;       // rows of B after the run
    int varreduras = 0;   // sweeps over the grid
    std::chrono::steady_clock::duration tempo{};
};

// "Tempo de Cálculo: hh:mm:ss" (whole seconds).
std::string TextoTempoCalculo(std::chrono::nanoseconds tempo);

class CalculoMensal {
public:
    // Table names relative to the private database's folder; `referencia`
    // is on the shared database and must outlive this object.
    CalculoMensal(Banco& privado, TabelasReferencia& referencia, std::string tabelaB, std::string tabelaI,
                  OpcoesCalculoMensal opcoes, FatorCorrecao fator);

    ResultadoCalculoMensal Calcula();

private:
    Banco& banco_;
    TabelasReferencia& referencia_;
    std::string tabelaB_, tabelaI_;
    OpcoesCalculoMensal opcoes_;
    FatorCorrecao fator_;
};

}  // namespace korva
