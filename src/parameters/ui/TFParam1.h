#pragma once
// The period rows of a calculation (its table A) and the generation of the month grid.
#include <QDialog>
#include <string>
#include "parameters/CalculoAberto.h"

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFParam1 : public QDialog {
    Q_OBJECT
public:
    TFParam1(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFParam1() override;
};

}  // namespace korva::ui
