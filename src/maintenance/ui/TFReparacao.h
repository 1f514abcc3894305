#pragma once
// The dialog "KORVA - Reparação de Banco de Dados": the database chosen in
// "Banco de Dados:" and "Verificar/Reparar", which checks every table of it
// (and, for the private database, of each calculation folder), rebuilds the
// damaged ones and writes the running log line by line as the walk goes
// (VerificaBancoDeDados).
//
// The walk runs on the user-interface thread behind the busy cursor; each
// log line is shown as it comes and the pending window events are processed,
// so the log scrolls while the tables are checked. Meanwhile the controls are
// disabled and the dialog cannot be closed.
#include <QDialog>

class QCloseEvent;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace korva {
class Sessao;
}

namespace korva::ui {

class TFReparacao : public QDialog {
    Q_OBJECT
public:
    explicit TFReparacao(Sessao& sessao, QWidget* pai = nullptr);

    // "Verificar/Reparar" over the chosen database.
    void verifica();
    // The log as the user sees it.
    QString log() const;
    bool verificando() const { return verificando_; }

public slots:
    // Ignored while the walk runs.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    Sessao& sessao_;
    bool verificando_ = false;
    QComboBox* cbBanco_ = nullptr;
    QPushButton* btVerificar_ = nullptr;
    QPlainTextEdit* mmLog_ = nullptr;
};

}  // namespace korva::ui
