#pragma once
// The dialog "Exporta/Importa Tabelas": the action, the exchange folder with
// its browse button, the group of official tables and "&OK", which exports
// or imports the group (ExpImp) and leaves the dialog open. Nothing is shown
// when it ends well; its errors go to the program's error handler.
#include <QDialog>

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace korva {
class ExpImp;
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFExpImp : public QDialog {
    Q_OBJECT
public:
    explicit TFExpImp(Sessao& sessao, QWidget* pai = nullptr);
    ~TFExpImp() override;

    // "&OK": exports or imports the chosen group with the folder as typed.
    void confirma();

private:
    void aoMudarAcao();
    void procuraPasta();

    std::unique_ptr<ExpImp> estado_;
    QGroupBox* rgAcao_ = nullptr;
    QRadioButton* rbExportar_ = nullptr;
    QRadioButton* rbImportar_ = nullptr;
    QLabel* lbPasta_ = nullptr;
    QLineEdit* edPasta_ = nullptr;
    QToolButton* btProcurar_ = nullptr;
    QGroupBox* rgTabela_ = nullptr;
    std::vector<QRadioButton*> rbGrupos_;
    QPushButton* btOK_ = nullptr;
    QPushButton* btCancela_ = nullptr;
};

}  // namespace korva::ui
