#pragma once
// A thin owner of a libxlsxwriter workbook: sheets, the few cell formats the
// program's workbooks use, and typed writes that turn the library's error
// codes into Portuguese messages. Workbooks are made in constant-memory mode:
// each sheet is written row by row, in order, and nothing but the current row
// stays in memory.
//
// Nothing reaches the file until `grava()`; a workbook destroyed before that
// is discarded.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "util/Data.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace korva {

struct FormatosXlsx;

// The cell formats (Brazilian display: the program's separators follow the
// reader's regional settings).
enum class FormatoCelula {
    Texto,
    Titulo,       // bold, larger
    Cabecalho,    // bold, shaded, wrapped, bordered below
    Rotulo,       // bold text
    Nota,         // grey italic
    Dinheiro,     // #,##0.00
    DinheiroNegrito,
    Quatro,       // #,##0.0000 (quantity, index)
    Fator,        // 0.000000000
    Inteiro,      // 0
    Tres,         // 000 (item codes, base items, groups)
    DataCelula,   // dd/mm/yyyy
};

class FolhaXlsx {
public:
    FolhaXlsx(lxw_worksheet* w, FormatosXlsx* f) : w_(w), f_(f) {}

    void texto(int linha, int coluna, const std::string& s, FormatoCelula fmt = FormatoCelula::Texto);
    void numero(int linha, int coluna, double v, FormatoCelula fmt = FormatoCelula::Dinheiro);
    // Nothing is written for an empty value.
    void numero(int linha, int coluna, const std::optional<double>& v, FormatoCelula fmt);
    // A date cell: the day serial counted from 30/12/1899, the spreadsheets' own.
    void data(int linha, int coluna, Data d);
    // A formula with its cached result (what a reader that does not
    // recalculate shows).
    void formula(int linha, int coluna, const std::string& f, double resultado,
                 FormatoCelula fmt = FormatoCelula::DinheiroNegrito);

    void largura(int primeira, int ultima, double caracteres);
    void congelaCabecalho(int linhas);
    void autofiltro(int linha1, int coluna1, int linha2, int coluna2);

    // "A1"-style reference of a cell and of a column range ("N2:N101").
    static std::string Celula(int linha, int coluna);
    static std::string Faixa(int coluna, int linha1, int linha2);

private:
    lxw_format* formato(FormatoCelula fmt) const;

    lxw_worksheet* w_;
    FormatosXlsx* f_;
};

class PastaXlsx {
public:
    // Fails when the library cannot start a workbook.
    explicit PastaXlsx(const std::filesystem::path& arquivo);
    ~PastaXlsx();
    PastaXlsx(const PastaXlsx&) = delete;
    PastaXlsx& operator=(const PastaXlsx&) = delete;

    FolhaXlsx folha(const std::string& nome);
    // Writes the file; fails with a Portuguese message.
    void grava();

private:
    lxw_workbook* wb_ = nullptr;
    FormatosXlsx* formatos_ = nullptr;
    std::string arquivo_;
};

}  // namespace korva
