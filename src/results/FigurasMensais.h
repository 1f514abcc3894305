#pragma once
// The figures of the month grid kept per row: each row's factor, interest
// and total are worked out once for the row's item, Valor and DtBase and
// kept until one of them changes, so a grid that repaints reads them from
// here. The grand total is the sum of the kept totals in whole cents,
// summed again over every row on `recalcula` (opening, after a run, after a
// bulk change: rows whose item, Valor and DtBase are unchanged keep their
// figures, failed rows are tried again) and moved by the difference of one
// row's old and new total on `atualiza` and `remove` (a row stored or deleted).
//
// While `suspende(true)` is on (the calculation runs) nothing is worked out:
// rows show no figures and the grand total is empty.
//
// A row whose figures failed (a missing daily index) shows empty figures and
// makes the grand total empty; its message goes once to FigurasGrade's
// handler. A table the figures need that cannot be read (ErroBanco) makes
// every figure empty until the next `recalcula`; its message is handed once
// to the same handler.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "results/FigurasGrade.h"
#include "storage/Valor.h"

namespace korva {

struct DefTabela;
class Tabela;

class FigurasMensais {
public:
    // `figuras` must outlive this object; `def` is the definition of table B
    // (Codigo, Item, Valor and DtBase are read by position).
    FigurasMensais(FigurasGrade& figuras, const DefTabela& def);

    // Takes every row of the open dataset (its rows in memory): new and
    // changed rows are worked out, rows gone are dropped, the grand total is
    // summed again.
    void recalcula(Tabela& b);

    // The figures of a stored row's values; worked out (and the grand total
    // moved) when the row is new here or its inputs changed. Null while
    // suspended or after a table failure.
    const FiguraLinha* figura(const std::vector<Valor>& linha);
    // A row was stored: its figures and the grand total follow its values.
    void atualiza(const std::vector<Valor>& linha);
    // A row was deleted.
    void remove(int64_t codigo);

    // The grand total; empty while suspended, after a failure of a row or of a table.
    std::optional<double> total() const;
    std::string textoTotal() const { return FigurasGrade::TextoTotalGeral(total()); }

    void suspende(bool sim) { suspenso_ = sim; }
    bool suspenso() const { return suspenso_; }
    // Rows kept and rows whose figures failed.
    size_t linhas() const { return linhas_.size(); }
    int falhas() const { return falhas_; }
    // Times a row's figures were worked out since construction (for tests of the cache).
    uint64_t calculos() const { return calculos_; }

private:
    struct Entrada {
        int item = 0;
        double valor = 0;
        Valor dtBase;
        FiguraLinha figura;
    };
    bool mesmasEntradas(const Entrada& e, const std::vector<Valor>& linha) const;
    Entrada calculaEntrada(const std::vector<Valor>& linha);
    void junta(const Entrada& e, int sinal);
    const FiguraLinha* poe(const std::vector<Valor>& linha);
    void falhaTabela(const std::exception& erro);

    FigurasGrade& figuras_;
    int pCodigo_, pItem_, pValor_, pDtBase_;
    std::unordered_map<int64_t, Entrada> linhas_;
    int64_t centavos_ = 0;
    int falhas_ = 0;
    bool suspenso_ = false;
    bool falhaTabela_ = false;
    std::string mensagemTabela_;
    uint64_t calculos_ = 0;
};

}  // namespace korva
