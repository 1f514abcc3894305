#include "reports/ui/TFPrintCalculo.h"


namespace korva::ui {

TFPrintCalculo::TFPrintCalculo(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFPrintCalculo");
    setModal(true);
}

TFPrintCalculo::~TFPrintCalculo() = default;

}  // namespace korva::ui
