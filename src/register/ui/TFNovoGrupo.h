#pragma once
// "KORVA - Novo Grupo": which tables of the current calculation a new group
// of the same lawsuit copies. The five boxes are all ticked when the program
// starts and keep their state from one use to the next; only "&OK" goes on.
#include <QDialog>

#include "register/RegistroProcessos.h"

class QCheckBox;

namespace korva::ui {

class TFNovoGrupo : public QDialog {
    Q_OBJECT
public:
    explicit TFNovoGrupo(QWidget* pai = nullptr);

    // The choice in force (the boxes as last confirmed).
    static RegistroProcessos::Copias& Copias();

private:
    void confirma();

    QCheckBox* cbPeriodo_ = nullptr;
    QCheckBox* cbMesAMes_ = nullptr;
    QCheckBox* cbBasesINSS_ = nullptr;
    QCheckBox* cbAcrescimos_ = nullptr;
    QCheckBox* cbJuros_ = nullptr;
};

}  // namespace korva::ui
