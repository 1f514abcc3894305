#pragma once
// The unemployment-insurance benefit added as value rows to the period rows.
#include <QDialog>
#include <string>

namespace korva {
class Sessao;
class ParametrosPeriodo;
}  // namespace korva

namespace korva::ui {

class TFSeguroDesemprego : public QDialog {
    Q_OBJECT
public:
    TFSeguroDesemprego(Sessao& sessao, ParametrosPeriodo& periodo, int dataBasePadrao, QWidget* pai = nullptr);
    ~TFSeguroDesemprego() override;
};

}  // namespace korva::ui
