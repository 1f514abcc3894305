#pragma once
// The window of one reference table of the shared database: a grid and a
// navigator over the table in a fixed order, read-only or editable.
//
// Read-only windows open their table read-only: the navigator has only
// first, previous, next, last and refresh, and the grid takes no typing.
// Editable windows have the whole navigator; Enter goes to the next column
// while a row is edited, a new row starts typing at the window's first field,
// the grid takes the focus again when the table returns to browsing, and
// closing is refused while a row is pending ("Antes de fechar o formulário,
// cancele ou confirme a operação").
//
// The named windows of the "&Tabelas" menu (TFURV, TFValores, TFNomeSalario,
// ...) are this window with their table, order, columns and kind; those with
// more (a search panel, a printed list, the values of a series) derive from
// it. The same window sits inside the modal dialogs of a series' values
// (DialogoTabelaReferencia).
#include <QDialog>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DialogoTabelas.h"
#include "app/ui/ModeloTabela.h"

class QHBoxLayout;
class QToolButton;
class QVBoxLayout;

namespace korva {
class Sessao;
class Tabela;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class NavegadorTabela;

struct DefinicaoJanela {
    const char* classe = "";        // objectName: "TFURV"
    QString titulo;                 // caption after "KORVA - "
    std::string tabela;             // "URV.db"
    std::string indice;             // order: a named index; "" the primary key
    std::vector<ColunaGrade> colunas;
    bool editavel = false;
    std::string campoInicial;       // where a new row starts typing
    QString icone;                  // of the window; empty: none
};

class TFTabelaReferencia : public QWidget {
    Q_OBJECT
public:
    // Opens the table of the shared database in its order (read-only for a
    // read-only window). A window built with `abreJa` false shows the rows
    // when it calls `abre`, after it has put its rules and filters in.
    TFTabelaReferencia(Sessao& sessao, DefinicaoJanela definicao, QWidget* pai = nullptr, bool abreJa = true);
    ~TFTabelaReferencia() override;

    Sessao& sessao() { return sessao_; }
    const DefinicaoJanela& definicao() const { return def_; }
    Tabela& tabela() { return *tabela_; }
    ModeloTabela& modelo() { return *modelo_; }
    GradeTabela& grade() { return *grade_; }
    NavegadorTabela& navegador() { return *navegador_; }

    // Stores what is still in a cell editor and closes the table; false (the
    // reason shown) while a row is being edited or inserted.
    bool fecha();

    QSize sizeHint() const override;

protected:
    // Goes to the first row and shows the rows.
    void abre();
    // Where derived windows put a search panel (above the grid) and their
    // buttons (beside the navigator).
    QHBoxLayout* barraSuperior() { return topo_; }
    QHBoxLayout* barraInferior() { return base_; }
    // Called whenever the table's state changes (browse / edit / insert).
    virtual void estadoMudou() {}

    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    Sessao& sessao_;
    DefinicaoJanela def_;
    std::unique_ptr<Tabela> tabela_;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    QHBoxLayout* topo_ = nullptr;
    QHBoxLayout* base_ = nullptr;
    bool editava_ = false;
    bool mostrada_ = false;
};

// A modal dialog around one of these windows (the values of a series, the
// daily indices): Escape and the close box go through the window's `fecha`.
class DialogoTabelaReferencia : public DialogoTabelas {
    Q_OBJECT
public:
    // Takes `janela` as its only content.
    DialogoTabelaReferencia(TFTabelaReferencia* janela, QWidget* pai = nullptr);
    TFTabelaReferencia& janela() { return *janela_; }

protected:
    bool fecha() override { return janela_->fecha(); }

private:
    TFTabelaReferencia* janela_;
};

}  // namespace korva::ui
