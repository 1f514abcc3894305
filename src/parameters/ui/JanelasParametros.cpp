#include "parameters/ui/JanelasParametros.h"

#include "app/ui/TFPrincipal.h"
#include "parameters/ui/TFRendimen.h"

namespace korva::ui {

void RegistraJanelasParametros(TFPrincipal& principal) {
    principal.registraJanelaFilha("MnVerbas", [&principal] { return new TFRendimen(principal.sessao()); });
}

}  // namespace korva::ui
