#pragma once
// What the two windows of amounts by month have in common (salary bases and
// social-security bases): the grid over the core's dataset with its
// navigator, the cursor on "Valor" when a row is inserted, F3/F4 through the
// core's copy rules, the modal window centred on the screen, and the refusal
// to close while a row is being edited.
#include "app/ui/DialogoTabelas.h"

#include <vector>

#include "app/ui/ModeloTabela.h"

class QVBoxLayout;

namespace korva {
class BasesMensais;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class NavegadorTabela;

class JanelaBasesMensais : public DialogoTabelas {
    Q_OBJECT
public:
    ~JanelaBasesMensais() override;

    ModeloTabela& modelo() { return *modelo_; }
    GradeTabela& grade() { return *grade_; }
    NavegadorTabela& navegador() { return *navegador_; }

protected:
    explicit JanelaBasesMensais(QWidget* pai);

    // Builds the grid and the navigator over the core's open dataset; `topo`
    // (may be null) goes above the grid.
    void monta(BasesMensais& bases, std::vector<ColunaGrade> colunas, QWidget* topo);
    // Frees the views and the model; the derived window calls it in its
    // destructor, before the core (and its dataset) goes.
    void desmonta();
    // Called after every change of the dataset's state.
    virtual void estadoMudou() {}

    void showEvent(QShowEvent* e) override;

private:
    bool fecha() override;

    BasesMensais* bases_ = nullptr;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    bool centrada_ = false;
};

// A column of the grids of amounts by month.
ColunaGrade ColunaBase(const char* campo, const QString& titulo, int largura, const char* formato = "");

}  // namespace korva::ui
