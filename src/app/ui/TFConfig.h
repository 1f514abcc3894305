#pragma once
// The configuration dialog "KORVA - Configuração": binds its pages to the
// dialog's rules (ConfiguracaoDialogo) and the settings the main window holds.
#include <QDialog>

#include "app/ConfiguracaoDialogo.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace korva {
class Configuracoes;
}

namespace korva::ui {

class TFConfig : public QDialog {
    Q_OBJECT
public:
    explicit TFConfig(Configuracoes& configuracoes, QWidget* pai = nullptr);

    // Loads every control from the current settings, shows the first page
    // with the focus on the town, and runs the dialog modally.
    int exec() override;

    // Loads the controls without showing the dialog.
    void carrega();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void aplicaHabilitacao();
    void escolheDiretorio();
    void confirma();
    void descarrega();

    Configuracoes& configuracoes_;
    ConfiguracaoDialogo modelo_;

    QTabWidget* paginas_ = nullptr;
    QLineEdit* edMunicipio_ = nullptr;
    QLineEdit* edTribunal_ = nullptr;
    QLineEdit* edSetor_ = nullptr;
    QCheckBox* cbGerarINSS_ = nullptr;
    QLineEdit* edDiretorio_ = nullptr;
    QPushButton* btDiretorio_ = nullptr;
    QSpinBox* edRegional_ = nullptr;
    QSpinBox* edDias_ = nullptr;
    QSpinBox* edQtdeCalculos_ = nullptr;
    QCheckBox* cbIntegraPartes_ = nullptr;
    QCheckBox* cbIntegraAndamentos_ = nullptr;
    QCheckBox* cbIntegraPrecatorios_ = nullptr;
    QCheckBox* cbExibirDescricao_ = nullptr;
    QCheckBox* cbLembraResumo_ = nullptr;
    QLineEdit* edMascara_[3] = {};
};

}  // namespace korva::ui
