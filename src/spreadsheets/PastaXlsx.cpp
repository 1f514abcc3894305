#include "spreadsheets/PastaXlsx.h"

#include <xlsxwriter.h>

#include <array>

#include "util/Erros.h"

namespace korva {

struct FormatosXlsx {
    std::array<lxw_format*, 12> f{};
};

namespace {

void Confere(lxw_error e, const char* oque) {
    if (e == LXW_NO_ERROR) return;
    throw ErroKorva(std::string("Falha ao montar a planilha (") + oque + "): " + lxw_strerror(e) + ".");
}

std::string Coluna(int c) {
    std::string s;
    for (++c; c > 0; c = (c - 1) / 26) s.insert(s.begin(), static_cast<char>('A' + (c - 1) % 26));
    return s;
}

}  // namespace

PastaXlsx::PastaXlsx(const std::filesystem::path& arquivo) : arquivo_(arquivo.string()) {
    lxw_workbook_options op{};
    op.constant_memory = LXW_TRUE;
    op.use_zip64 = LXW_TRUE;
    wb_ = workbook_new_opt(arquivo_.c_str(), &op);
    if (!wb_) throw ErroKorva("Não foi possível iniciar a planilha \"" + arquivo_ + "\".");
    formatos_ = new FormatosXlsx;
    auto novo = [this](FormatoCelula k) {
        lxw_format* f = workbook_add_format(wb_);
        formatos_->f[static_cast<size_t>(k)] = f;
        return f;
    };
    novo(FormatoCelula::Texto);
    lxw_format* t = novo(FormatoCelula::Titulo);
    format_set_bold(t);
    format_set_font_size(t, 13);
    lxw_format* c = novo(FormatoCelula::Cabecalho);
    format_set_bold(c);
    format_set_text_wrap(c);
    format_set_bg_color(c, 0xDDDDDD);
    format_set_bottom(c, LXW_BORDER_THIN);
    format_set_align(c, LXW_ALIGN_VERTICAL_TOP);
    format_set_bold(novo(FormatoCelula::Rotulo));
    lxw_format* n = novo(FormatoCelula::Nota);
    format_set_italic(n);
    format_set_font_color(n, 0x666666);
    format_set_num_format(novo(FormatoCelula::Dinheiro), "#,##0.00");
    lxw_format* dn = novo(FormatoCelula::DinheiroNegrito);
    format_set_num_format(dn, "#,##0.00");
    format_set_bold(dn);
    format_set_num_format(novo(FormatoCelula::Quatro), "#,##0.0000");
    format_set_num_format(novo(FormatoCelula::Fator), "0.000000000");
    format_set_num_format(novo(FormatoCelula::Inteiro), "0");
    format_set_num_format(novo(FormatoCelula::Tres), "000");
    format_set_num_format(novo(FormatoCelula::DataCelula), "dd/mm/yyyy");
}

PastaXlsx::~PastaXlsx() {
    if (wb_) lxw_workbook_free(wb_);
    delete formatos_;
}

FolhaXlsx PastaXlsx::folha(const std::string& nome) {
    lxw_worksheet* w = workbook_add_worksheet(wb_, nome.c_str());
    if (!w) throw ErroKorva("Não foi possível criar a folha \"" + nome + "\" da planilha.");
    return FolhaXlsx(w, formatos_);
}

void PastaXlsx::grava() {
    lxw_workbook* wb = wb_;
    wb_ = nullptr;  // workbook_close frees it, whatever the outcome
    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR)
        throw ErroKorva("Não foi possível gravar a planilha \"" + arquivo_ + "\": " + lxw_strerror(e) + ".");
}

lxw_format* FolhaXlsx::formato(FormatoCelula fmt) const { return f_->f[static_cast<size_t>(fmt)]; }

void FolhaXlsx::texto(int linha, int coluna, const std::string& s, FormatoCelula fmt) {
    if (s.empty()) return;
    Confere(worksheet_write_string(w_, static_cast<lxw_row_t>(linha), static_cast<lxw_col_t>(coluna), s.c_str(),
                                   formato(fmt)),
            "texto");
}

void FolhaXlsx::numero(int linha, int coluna, double v, FormatoCelula fmt) {
    Confere(worksheet_write_number(w_, static_cast<lxw_row_t>(linha), static_cast<lxw_col_t>(coluna), v,
                                   formato(fmt)),
            "número");
}

void FolhaXlsx::numero(int linha, int coluna, const std::optional<double>& v, FormatoCelula fmt) {
    if (v) numero(linha, coluna, *v, fmt);
}

void FolhaXlsx::data(int linha, int coluna, Data d) {
    numero(linha, coluna, static_cast<double>(d.serial()), FormatoCelula::DataCelula);
}

void FolhaXlsx::formula(int linha, int coluna, const std::string& f, double resultado, FormatoCelula fmt) {
    Confere(worksheet_write_formula_num(w_, static_cast<lxw_row_t>(linha), static_cast<lxw_col_t>(coluna),
                                        f.c_str(), formato(fmt), resultado),
            "fórmula");
}

void FolhaXlsx::largura(int primeira, int ultima, double caracteres) {
    Confere(worksheet_set_column(w_, static_cast<lxw_col_t>(primeira), static_cast<lxw_col_t>(ultima), caracteres,
                                 nullptr),
            "largura");
}

void FolhaXlsx::congelaCabecalho(int linhas) { worksheet_freeze_panes(w_, static_cast<lxw_row_t>(linhas), 0); }

void FolhaXlsx::autofiltro(int linha1, int coluna1, int linha2, int coluna2) {
    Confere(worksheet_autofilter(w_, static_cast<lxw_row_t>(linha1), static_cast<lxw_col_t>(coluna1),
                                 static_cast<lxw_row_t>(linha2), static_cast<lxw_col_t>(coluna2)),
            "filtro");
}

std::string FolhaXlsx::Celula(int linha, int coluna) { return Coluna(coluna) + std::to_string(linha + 1); }

std::string FolhaXlsx::Faixa(int coluna, int linha1, int linha2) {
    return Celula(linha1, coluna) + ":" + Celula(linha2, coluna);
}

}  // namespace korva
