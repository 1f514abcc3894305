#include "register/ui/JanelasCadastro.h"

#include "app/ui/TFPrincipal.h"
#include "register/ui/TFDefProcesso.h"
#include "register/ui/TFProcesso.h"

namespace korva::ui {

void RegistraJanelasCadastro(TFPrincipal& principal) {
    principal.registraJanelaFilha("MnCalculo", [&principal] { return new TFProcesso(principal.sessao()); });
    principal.registraDialogo("MnPadraoProcesso", [&principal] {
        TFDefProcesso dialogo(principal.sessao(), &principal);
        dialogo.exec();
    });
}

}  // namespace korva::ui
