#pragma once
// The edit controls of a form bound to the fields of the current row of a
// grid model: line edits, memos, drop-downs, check boxes and radio groups.
//
// Typing puts the row in edit at once (so the navigator offers store and
// cancel); what was typed goes into the field when the control is left, or
// when confirma() is called before an operation on the row (the navigator's
// buttons take no focus). A refused value keeps the control with what was
// typed, the row stays in edit and the message goes to the error handler.
// Clicks on check boxes, radio buttons and drop-downs write at once.
#include <QObject>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace korva::ui {

class ModeloTabela;

class CamposLigados : public QObject {
    Q_OBJECT
public:
    // `modelo` may answer null (no row to bind yet).
    CamposLigados(std::function<ModeloTabela*()> modelo, QWidget* dono);

    // A field shown in a line edit, formatted as the model's column of the
    // same field formats it (the column may be hidden).
    void texto(QLineEdit* ed, const std::string& campo, bool maiusculas = false);
    // A memo; `limite` characters at most (0: no limit).
    void memo(QPlainTextEdit* ed, const std::string& campo, int limite = 0);
    // A drop-down whose items carry the field's codes as their data.
    void lista(QComboBox* cb, const std::string& campo);
    void caixa(QCheckBox* cb, const std::string& campo);
    // A radio group: the buttons' ids are the field's values (a boolean
    // field: 1 true, 0 false).
    void opcoes(QButtonGroup* grupo, const std::string& campo);
    // A radio group over a one-letter field: button id i stands for valores[i].
    void opcoesTexto(QButtonGroup* grupo, const std::string& campo, std::vector<std::string> valores);

    // Shows the current row's values (a control being typed in keeps its text).
    void mostra();
    // Writes what was typed and not yet written. False when a value was
    // refused (the control refused gets the focus).
    bool confirma();
    // What was typed goes with the edit (cancelled, or the row changed).
    void esquece();
    // Enables or disables every bound control.
    void habilita(bool ligado);
    // The control bound to a field, or null.
    QWidget* controle(const std::string& campo) const;
    bool confirmando() const { return confirmando_; }

signals:
    // A click or a written value changed a field of the row.
    void campoAlterado(const QString& campo);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Ligacao {
        std::string campo;
        QWidget* widget = nullptr;
        std::function<void()> mostra;  // shows the row's value (unless typed over)
        std::function<bool()> grava;   // writes what was typed; false when refused
        bool sujo = false;             // typed over, not yet written
    };
    Ligacao& liga(const std::string& campo, QWidget* w);
    void comecaEdicao(Ligacao& l);
    bool temLinha() const;

    std::function<ModeloTabela*()> modelo_;
    QWidget* dono_;
    std::deque<Ligacao> ligacoes_;
    bool confirmando_ = false;
    bool mostrando_ = false;
};

}  // namespace korva::ui
