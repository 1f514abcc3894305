#pragma once
// "KORVA - Pesquisa de Rendimentos": the modal pick list through which a
// parameter grid chooses a pay item. A read-only grid of the catalogue
// (Cód., Rendimento, INSS) with a walking navigator, a search box over the
// description with the three search modes, and "&OK" (or a double click),
// enabled only while the list shows an item.
//
// Usage from another window:
//
//     int codigo = TFListRend::Escolhe(sessao.privado(), this);
//     if (codigo != 0) { ... }
//
// or, to read the chosen item's defaults as well:
//
//     TFListRend lista(sessao.privado(), this);
//     if (lista.exec() == QDialog::Accepted) { lista.codigo(); lista.padroes(); }
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

#include "parameters/VerbasCatalogo.h"

class QLineEdit;
class QPushButton;

namespace korva {
class Banco;
class ListaRendimentos;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFListRend : public QDialog {
    Q_OBJECT
public:
    explicit TFListRend(Banco& privado, QWidget* pai = nullptr);
    ~TFListRend() override;

    // Shows the list modally; the chosen code, or 0 when the user gave up.
    static int Escolhe(Banco& privado, QWidget* pai = nullptr);
    // Tests of other windows: replaces the dialog of Escolhe by a function
    // returning the code (null restores the dialog).
    static void DefineEscolhaTeste(std::function<int()> escolha);

    // The code chosen by the last "&OK" (0 when none).
    int codigo() const;
    // The defaults of the chosen item as the catalogue holds them now.
    std::optional<PadroesVerba> padroes();

    ListaRendimentos& lista() { return *lista_; }
    GradeTabela* grade() const { return grade_; }

public slots:
    void pesquisa();
    void confirma();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void atualizaOk();

    std::unique_ptr<ListaRendimentos> lista_;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    QLineEdit* edPesquisa_ = nullptr;
    QPushButton* btOk_ = nullptr;
};

}  // namespace korva::ui
