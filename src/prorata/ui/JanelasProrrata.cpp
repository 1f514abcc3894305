#include "prorata/ui/JanelasProrrata.h"

#include "app/ui/TFPrincipal.h"
#include "prorata/ui/TFDefProrrata.h"

namespace korva::ui {

void RegistraJanelasProrrata(TFPrincipal& principal) {
    principal.registraDialogo("MnPadraoProrrata", [&principal] {
        TFDefProrrata dialogo(principal.sessao(), &principal);
        dialogo.exec();
    });
}

}  // namespace korva::ui
