#pragma once
// The workbook of a calculated month grid, written from one calculation run
// (the figures the calculation reports print, never worked out again):
//   "Mês a Mês"  one row per month row in (Ano, Mes, Item) order with its
//                inputs and, for result items, factor, corrected value and
//                interest; a total row and the totals of the calculation as
//                formulas over the rows, each with the run's figure cached;
//   "Resumo"     the lawsuit, group, dates, options, claimants and the totals
//                the run stores in the lawsuit register, with the captions
//                of the lawsuit summary;
//   "INSS"       each month close with the employee INSS working of the
//                social-security report, and its final block;
//   "IR"         the income-tax columns of the final block.
// The file is written whole or not at all (GravaSubstituindo).
#include <filesystem>
#include <string>
#include <vector>

#include "results/ExecucaoCalculo.h"

namespace korva {

class Banco;
class CorrecaoJuros;
class TabelasReferencia;

inline constexpr const char* kFolhaMesAMes = "Mês a Mês";
inline constexpr const char* kFolhaResumo = "Resumo";
inline constexpr const char* kFolhaINSS = "INSS";
inline constexpr const char* kFolhaIR = "IR";

// Where a result item's amounts are summed: "Principal", "FGTS" (902, 903)
// or "Seguro-desemprego" (892, 893); empty for the other rows.
std::string TotalizacaoDoItem(const LinhaCalculada& l);

struct ExportacaoCalculo {
    int linhas = 0;  // month rows written
    int meses = 0;   // month closes written
    TotaisExecucao totais;
    std::vector<std::string> avisos;  // a missing INSS bracket row
};

// Runs the calculation `p` once and writes its workbook to `destino`. Refuses
// a grid with uncalculated rows with the print dialog's message, an empty
// grid and the run's failures with their messages; then nothing is written
// and an existing `destino` is left as it was. Nothing is stored.
ExportacaoCalculo ExportaPlanilhaCalculo(Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                                         const ParametrosExecucao& p, const std::filesystem::path& destino);

// Fails unless the name ends in ".xlsx" (any case): spreadsheet programs
// choose how to open a file by its extension.
void VerificaNomePlanilha(const std::filesystem::path& destino);

// "Planilha gravada em ARQ (N linha(s) mês a mês)."
std::string MsgPlanilhaGravada(const std::filesystem::path& destino, int linhas);

}  // namespace korva
