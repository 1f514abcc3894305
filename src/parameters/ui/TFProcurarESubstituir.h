#pragma once
// "KORVA - Procurar e Substituir": writes one or two field values into every
// row of the period or the month grid's dataset that meets up to three
// equality conditions, or into all of them, through the dataset's own entry
// and store rules. The enabling of the boxes, their checks and the run are
// the core's (korva::ProcuraSubstitui); the dialog binds its controls.
//
//     TFProcurarESubstituir dialogo(sessao, ListaCamposProcura::Periodo, periodo.tabela(), this);
//     dialogo.exec();
#include <QDialog>

#include <array>
#include <memory>
#include <string>

#include "parameters/ProcuraSubstitui.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace korva {
class Sessao;
class Tabela;
}  // namespace korva

namespace korva::ui {

class TFProcurarESubstituir : public QDialog {
    Q_OBJECT
public:
    // `tabela` is the open dataset of the window that opens the dialog, with
    // its rules attached, in its current order.
    TFProcurarESubstituir(Sessao& sessao, ListaCamposProcura lista, Tabela& tabela, QWidget* pai = nullptr);
    ~TFProcurarESubstituir() override;

    const ProcuraSubstitui& procura() const { return *procura_; }
    // Rows changed by the last run.
    int alteradas() const { return alteradas_; }

    // "&Substituir".
    void substitui();

private:
    struct Caixa {
        QComboBox* campo = nullptr;
        QLineEdit* valor = nullptr;
        QComboBox* codigo = nullptr;
    };
    Caixa criaCaixa(CaixaProcura c, const char* nomeCampo, const char* nomeValor, const char* nomeCodigo);
    // Enables and shows the controls as the core's state says.
    void atualiza();
    QWidget* controleDe(CaixaProcura c) const;

    Tabela& tabela_;
    std::unique_ptr<ProcuraSubstitui> procura_;
    std::array<Caixa, QuantidadeCaixasProcura> caixas_{};
    QCheckBox* ckE1_ = nullptr;
    QCheckBox* ckTodos_ = nullptr;
    QCheckBox* ckCondicao2_ = nullptr;
    QCheckBox* ckCondicao3_ = nullptr;
    QPushButton* btSubstituir_ = nullptr;
    QPushButton* btCancelar_ = nullptr;
    int alteradas_ = 0;
};

}  // namespace korva::ui
