#pragma once
// The search options "Configuração": how a typed text is matched by the
// searches of the lawsuit register, the catalogue and the rate list. The
// option in force is held here ("Em &qualquer parte do campo" at start-up);
// "&OK" puts the radio group's choice in force, "&Cancela" puts the radio
// group back to the option in force.
//
// One instance serves the whole program: TFOpcoesPesquisa::Instancia()
// creates it on first use as a child of the main window. Windows read the
// option with TFOpcoesPesquisa::Instancia().emVigor() (or keep a reference
// to configuracao()) and open the dialog with executa().
#include <QDialog>

#include "register/ConfiguracaoPesquisa.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace korva::ui {

class TFOpcoesPesquisa : public QDialog {
    Q_OBJECT
public:
    explicit TFOpcoesPesquisa(QWidget* pai = nullptr);

    // The program's one instance (a child of the main window when there is one).
    static TFOpcoesPesquisa& Instancia();

    // Shows the dialog modally with the option in force chosen.
    int executa();

    OpcaoPesquisa emVigor() const { return configuracao_.emVigor(); }
    ConfiguracaoPesquisa& configuracao() { return configuracao_; }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void mostraEscolha();
    void confirma();

    ConfiguracaoPesquisa configuracao_;
    QGroupBox* rgPesquisa_ = nullptr;
    QButtonGroup* grupo_ = nullptr;
    QRadioButton* opcoes_[3] = {};
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancela_ = nullptr;
};

}  // namespace korva::ui
