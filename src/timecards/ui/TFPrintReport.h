#pragma once
// The chooser of the time-card reports of the current calculation: the daily
// and the monthly report, previewed, printed or saved as PDF.
#include <QDialog>

#include "parameters/CalculoAberto.h"

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFPrintReport : public QDialog {
    Q_OBJECT
public:
    TFPrintReport(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFPrintReport() override;
};

}  // namespace korva::ui
