#include "parameters/ui/TFParam1.h"


namespace korva::ui {

TFParam1::TFParam1(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFParam1");
    setModal(true);
}

TFParam1::~TFParam1() = default;

}  // namespace korva::ui
