#include "parameters/ui/TFProcurarESubstituir.h"


namespace korva::ui {

TFProcurarESubstituir::TFProcurarESubstituir(Sessao& sessao, ListaCamposProcura lista, Tabela& tabela, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFProcurarESubstituir");
    setModal(true);
}

TFProcurarESubstituir::~TFProcurarESubstituir() = default;

}  // namespace korva::ui
