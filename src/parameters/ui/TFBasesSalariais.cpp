#include "parameters/ui/TFBasesSalariais.h"


namespace korva::ui {

TFBasesSalariais::TFBasesSalariais(Sessao& sessao, const std::string& tabelaI, int mes, int ano, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFBasesSalariais");
    setModal(true);
}

TFBasesSalariais::~TFBasesSalariais() = default;

}  // namespace korva::ui
