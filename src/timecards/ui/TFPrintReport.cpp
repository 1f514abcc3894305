#include "timecards/ui/TFPrintReport.h"

namespace korva::ui {

TFPrintReport::TFPrintReport(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai) : QDialog(pai) {
    setObjectName("TFPrintReport");
    setModal(true);
}

TFPrintReport::~TFPrintReport() = default;

}  // namespace korva::ui
