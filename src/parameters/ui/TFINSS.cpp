#include "parameters/ui/TFINSS.h"


namespace korva::ui {

TFINSS::TFINSS(Sessao& sessao, const std::string& tabelaD, const std::string& tabelaB, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFINSS");
    setModal(true);
}

TFINSS::~TFINSS() = default;

}  // namespace korva::ui
