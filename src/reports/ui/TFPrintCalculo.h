#pragma once
// The print dialog of one calculation: the report set, preview and printing, the stored totals, the remittance file.
#include <QDialog>
#include <string>
#include "parameters/CalculoAberto.h"

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFPrintCalculo : public QDialog {
    Q_OBJECT
public:
    TFPrintCalculo(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFPrintCalculo() override;
};

}  // namespace korva::ui
