#pragma once
// The month-by-month grid of a calculation (its table B), its monthly calculation and the preview of each result row's factor, interest and total.
#include <QDialog>
#include <string>
#include "parameters/CalculoAberto.h"

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFParam2 : public QDialog {
    Q_OBJECT
public:
    TFParam2(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFParam2() override;
};

}  // namespace korva::ui
