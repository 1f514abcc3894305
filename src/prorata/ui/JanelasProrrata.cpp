#include "prorata/ui/JanelasProrrata.h"

#include "app/ui/TFPrincipal.h"
#include "prorata/ui/TFDefProrrata.h"
#include "prorata/ui/TFProrrata.h"

namespace korva::ui {

void RegistraJanelasProrrata(TFPrincipal& principal) {
    principal.registraJanelaFilha("MnProrrata", [&principal] { return new TFProrrata(principal.sessao()); });
    principal.registraDialogo("MnPadraoProrrata", [&principal] {
        TFDefProrrata dialogo(principal.sessao(), &principal);
        dialogo.exec();
    });
}

}  // namespace korva::ui
