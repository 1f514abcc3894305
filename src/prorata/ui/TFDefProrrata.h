#pragma once
// "KORVA - Valores Padrão para a atualização prorrata": the options a new
// pro-rata record starts with (the single row of DefProrrata.db) and the
// default additions copied into it (DefAcrescProrrata.DB). A modal dialog
// of the "&Sistema" menu, centred on the screen.
//
//     TFDefProrrata dialogo(sessao, this);
//     dialogo.exec();   // shows the damage message and returns at once
//                       // when the defaults table holds more than one row
#include <QDialog>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QPushButton;

namespace korva {
class DefaultsProrrata;
class Sessao;
}  // namespace korva

namespace korva::ui {

class CamposLigados;
class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFDefProrrata : public QDialog {
    Q_OBJECT
public:
    explicit TFDefProrrata(Sessao& sessao, QWidget* pai = nullptr);
    ~TFDefProrrata() override;

    // Opens both tables (an empty defaults table gets a row to fill in).
    // False when they cannot be opened: the message has been shown and the
    // dialog is not to be shown.
    bool abre();
    int exec() override;
    // "&Fechar", Esc and the title bar: refused while a row is pending.
    void reject() override;

    DefaultsProrrata& defaults() { return *defaults_; }
    ModeloTabela* modeloPadrao() const { return modeloPadrao_; }
    ModeloTabela* modeloAcrescimos() const { return modeloAcrescimos_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criaModelos();
    void atualiza();
    bool fecha();

    Sessao& sessao_;
    std::unique_ptr<DefaultsProrrata> defaults_;
    ModeloTabela* modeloPadrao_ = nullptr;
    ModeloTabela* modeloAcrescimos_ = nullptr;
    CamposLigados* campos_ = nullptr;
    GradeTabela* gradeAcrescimos_ = nullptr;
    NavegadorTabela* navAcrescimos_ = nullptr;
    NavegadorTabela* navPadrao_ = nullptr;
    QCheckBox* ckComJuros_ = nullptr;
    QGroupBox* rgCalculoJuros_ = nullptr;
    QGroupBox* rgJuros_ = nullptr;
    QPushButton* btFechar_ = nullptr;
    bool atualizando_ = false;
};

}  // namespace korva::ui
