#pragma once
// The dialog "KORVA - Conexão à Internet" of the table update: shows the
// proxy settings the main window holds, and its "&OK" keeps them, fetches the
// four files of the table server behind a progress window and merges them
// into the shared tables (AtualizaTabelas). The dialog lives as long as the
// main window, so the password typed stays in its field until the program
// ends; it is never written anywhere.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korva {
class Sessao;
struct ConfiguracaoProxy;
}  // namespace korva

namespace korva::ui {

class TFConfigProxy : public QDialog {
    Q_OBJECT
public:
    explicit TFConfigProxy(Sessao& sessao, QWidget* pai = nullptr);

    // Loads the controls from the settings (the password field keeps what was
    // typed before) and runs the dialog modally.
    int exec() override;

    // Loads the controls, applies the enabling rules and places the focus,
    // without showing the dialog.
    void carrega();

    // True while "&OK" runs the update.
    bool atualizando() const { return atualizando_; }

public slots:
    // Ignored while the update runs.
    void reject() override;

private:
    void aplicaHabilitacao();
    ConfiguracaoProxy descarrega() const;
    void confirma();

    Sessao& sessao_;
    bool atualizando_ = false;

    QCheckBox* cbUsaProxy_ = nullptr;
    QLabel* lbEndereco_ = nullptr;
    QLineEdit* edEndereco_ = nullptr;
    QLabel* lbPorta_ = nullptr;
    QLineEdit* edPorta_ = nullptr;
    QCheckBox* cbAutenticacao_ = nullptr;
    QLabel* lbUsuario_ = nullptr;
    QLineEdit* edUsuario_ = nullptr;
    QLabel* lbSenha_ = nullptr;
    QLineEdit* edSenha_ = nullptr;
    QPushButton* btOK_ = nullptr;
    QPushButton* btCancela_ = nullptr;
};

}  // namespace korva::ui
