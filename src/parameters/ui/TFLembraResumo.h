#pragma once
// The reminder shown before the summary of a lawsuit is printed
// ("KORVA - Imprimir Resumo"): all calculations must be up to date; go on?
// Its check box "Exibir este lembrete sempre que for imprimir o resumo?" is
// ticked each time it is shown; on either button the box's state becomes the
// setting "Lembra Resumo" and, when it changed, is written at once to the
// workstation settings file.
//
// One instance serves the whole program: TFLembraResumo::Instancia() creates
// it on first use as a child of the main window, with the main window's
// settings. The printing asks:
//
//     if (!TFLembraResumo::Instancia().continua()) return;   // abandoned
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace korva {
class Configuracoes;
}

namespace korva::ui {

class TFLembraResumo : public QDialog {
    Q_OBJECT
public:
    // The settings must outlive the dialog.
    explicit TFLembraResumo(Configuracoes& configuracoes, QWidget* pai = nullptr);

    // The program's one instance (needs the main window to exist).
    static TFLembraResumo& Instancia();

    // Runs the dialog modally: QDialog::Accepted after "&Sim", Rejected
    // after "&Não" (also Escape and the title bar).
    int executa();
    // True when the printing goes on: without asking while "Lembra Resumo"
    // is "N", else the answer "&Sim".
    bool continua();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int resultado) override;

private:
    Configuracoes& configuracoes_;
    QLabel* lbTexto_ = nullptr;
    QCheckBox* cbLembrete_ = nullptr;
    QPushButton* btSim_ = nullptr;
    QPushButton* btNao_ = nullptr;
};

}  // namespace korva::ui
