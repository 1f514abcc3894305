#pragma once
// The correction and interest of an amount brought to a base date, as every
// run asks them once per row: the daily-index factor between two dates, the
// interest between two dates in the calculation's mode, and the currency
// symbol of a date.
//
// The object reads each thing once: the daily series of an index code is
// loaded over a span and reloaded wider only when a date falls outside it;
// the interest-variation rows are read once per (table, pro-rata code).
// Results and failure messages are those of exact keyed lookups. A window
// that lets the user change the variation rows calls esquece() afterwards.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "results/JurosPeriodos.h"
#include "util/Data.h"

namespace korva {

class Banco;

class CorrecaoJuros {
public:
    // Both must outlive this object.
    CorrecaoJuros(Banco& privado, TabelasReferencia& referencia);
    CorrecaoJuros(const CorrecaoJuros&) = delete;
    CorrecaoJuros& operator=(const CorrecaoJuros&) = delete;

    // Indice(b) / Indice(a) of the daily series of the code. Fails with
    // "ERRO - Não há índice de atualização diária para dd/mm/yyyy!" naming the
    // first missing date, a checked before b (past the series' last day the
    // message also names that day: TabelasReferencia::MsgIndiceDiario).
    double FatorIndiceDiario(int codIndice, Data a, Data b);

    // The interest, in percent, from `de` to `ate`. 0 without reading anything
    // when `calcula` is false. Mode 2 reads the variation rows: those of
    // JurosProrrata.db with that code when `prorrata` > 0, else those of
    // `tabela` (named relative to the private database, like the calculation's
    // H table); without rows it fails with "Informe a variação dos juros.".
    double CalculaJuros(const std::string& tabela, bool calcula, Data de, Data ate, int prorrata, int modo);

    static std::string SimboloMoeda(Data data);

    // The variation rows that mode 2 uses, ascending by date (read once).
    const std::vector<VariacaoJuros>& Variacoes(const std::string& tabela, int prorrata);

    // Forgets every series and variation rows read, so the next call reads again.
    void esquece();

private:
    const SerieDiaria& serie(int codIndice, Data a, Data b);
    std::vector<VariacaoJuros> leVariacoes(const std::string& tabela, int prorrata);

    Banco& privado_;
    TabelasReferencia& referencia_;
    std::map<int, SerieDiaria> series_;
    std::map<std::pair<std::string, int>, std::vector<VariacaoJuros>> variacoes_;
};

}  // namespace korva
