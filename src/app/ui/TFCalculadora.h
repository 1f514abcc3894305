#pragma once
// The program's own small calculator (F11). Its display is what F12 types
// into the field that has the focus.
#include <QWidget>

#include "app/MaquinaCalculadora.h"

class QLineEdit;

namespace korva::ui {

class TFCalculadora : public QWidget {
    Q_OBJECT
public:
    explicit TFCalculadora(QWidget* pai = nullptr);

    QString visor() const;
    // Shows the window (or brings it to the front).
    void mostra();

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void tecla(const QString& rotulo);
    void atualiza();

    MaquinaCalculadora maquina_;
    QLineEdit* visor_ = nullptr;
};

}  // namespace korva::ui
