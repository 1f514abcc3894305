#include "parameters/ui/TFSeguroDesemprego.h"


namespace korva::ui {

TFSeguroDesemprego::TFSeguroDesemprego(Sessao& sessao, ParametrosPeriodo& periodo, int dataBasePadrao, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFSeguroDesemprego");
    setModal(true);
}

TFSeguroDesemprego::~TFSeguroDesemprego() = default;

}  // namespace korva::ui
