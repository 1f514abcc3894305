#pragma once
// Find and replace over the rows of the period or the month grid's dataset, through the dataset's own rules.
#include <QDialog>
#include <string>
#include "parameters/ProcuraSubstitui.h"

namespace korva {
class Sessao;
class Tabela;
}  // namespace korva

namespace korva::ui {

class TFProcurarESubstituir : public QDialog {
    Q_OBJECT
public:
    TFProcurarESubstituir(Sessao& sessao, ListaCamposProcura lista, Tabela& tabela, QWidget* pai = nullptr);
    ~TFProcurarESubstituir() override;
};

}  // namespace korva::ui
