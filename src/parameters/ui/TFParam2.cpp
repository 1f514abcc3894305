#include "parameters/ui/TFParam2.h"


namespace korva::ui {

TFParam2::TFParam2(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFParam2");
    setModal(true);
}

TFParam2::~TFParam2() = default;

}  // namespace korva::ui
