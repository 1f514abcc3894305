#include "parameters/ui/JanelasParametros.h"

#include "app/ui/TFPrincipal.h"

namespace korva::ui {

void RegistraJanelasParametros(TFPrincipal& principal) { (void)principal; }

}  // namespace korva::ui
