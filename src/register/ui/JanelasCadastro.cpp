#include "register/ui/JanelasCadastro.h"

#include "app/ui/TFPrincipal.h"

namespace korva::ui {

void RegistraJanelasCadastro(TFPrincipal& principal) { (void)principal; }

}  // namespace korva::ui
