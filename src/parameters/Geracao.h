#pragma once
// Generation of the month grid (table B) from the period rows (table A): one
// month row per period row and month of its period, B emptied and refilled
// as a whole in one transaction.
#include <functional>
#include <string>

#include "parameters/OrdemParametros.h"

namespace korva {

class Banco;
class CalculoDtBase;

// The two-line message of a period that ends before it starts.
inline constexpr const char* MsgPeriodoInvalidoGeracao = "Informado Algum Periodo Invalido.\nImpossivel Gravar...";
// Asked before a generation that would replace month rows already there.
inline constexpr const char* MsgConfirmaGeracao =
    "Os parâmetros mês a mês existentes serão substituídos, inclusive as alterações feitas na tela Mês a Mês. "
    "Deseja gerar novamente?";

// Told as the month rows are written: rows written so far and how many the
// generation writes in all (first with 0 before any row).
using ProgressoGeracao = std::function<void(int feitas, int total)>;

class Geracao {
public:
    // Table names relative to the private database's folder.
    Geracao(Banco& privado, std::string tabelaA, std::string tabelaB, const CalculoDtBase& dtBase)
        : banco_(privado), tabelaA_(std::move(tabelaA)), tabelaB_(std::move(tabelaB)), dtBase_(dtBase) {}

    // Rebuilds B from the period rows read in `ordem`; returns the number of
    // month rows written. Every period row is checked first: the first one
    // that ends before it starts fails with MsgPeriodoInvalidoGeracao, and a
    // code without a date rule with MsgCodigoDtBaseInvalido; either way, as
    // with any other failure (B in use elsewhere), B is left as it was.
    int Gera(OrdemParametros ordem = OrdemParametros::SemOrdem, const ProgressoGeracao& progresso = {});

    // Rows the month table holds now; 0 when it does not exist yet.
    int LinhasMensais();

private:
    Banco& banco_;
    std::string tabelaA_, tabelaB_;
    const CalculoDtBase& dtBase_;
};

}  // namespace korva
