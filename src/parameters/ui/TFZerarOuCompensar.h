#pragma once
// The choice of what to do with negative differences ("KORVA"): "&Zerar" or
// "&Compensar", with no other way to close it (no title-bar buttons, Escape
// ignored). The result, "Z" or "C", is what the caller stores in the
// Diferenca of the rows it adds.
//
// One instance serves the whole program: TFZerarOuCompensar::Instancia()
// creates it on first use as a child of the main window.
//
//     const std::string diferenca = TFZerarOuCompensar::Instancia().executa();
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace korva::ui {

class TFZerarOuCompensar : public QDialog {
    Q_OBJECT
public:
    explicit TFZerarOuCompensar(QWidget* pai = nullptr);

    // The program's one instance (a child of the main window when there is one).
    static TFZerarOuCompensar& Instancia();

    // Runs the dialog modally and returns resultado().
    std::string executa();
    // "Z" after "&Zerar", "C" after "&Compensar".
    const std::string& resultado() const { return resultado_; }

protected:
    void reject() override;  // only the two buttons close it
    void closeEvent(QCloseEvent* e) override;

private:
    void escolhe(const char* resultado);

    std::string resultado_ = "Z";
    bool escolhido_ = false;
    QLabel* lbPergunta_ = nullptr;
    QPushButton* btZerar_ = nullptr;
    QPushButton* btCompensar_ = nullptr;
};

}  // namespace korva::ui
