#include "maintenance/ui/JanelasManutencao.h"

#include "app/ui/TFPrincipal.h"
#include "maintenance/ui/TFCopiaSeguranca.h"
#include "maintenance/ui/TFReparacao.h"
#include "reference/ui/TFExpImp.h"

namespace korva::ui {

void RegistraJanelasManutencao(TFPrincipal& principal) {
    // The three dialogs live as long as the main window: the folder chosen,
    // the last log and the exchange folder are there again at the next showing.
    Sessao& sessao = principal.sessao();
    auto* copia = new TFCopiaSeguranca(sessao, &principal);
    principal.registraDialogo("MnCopiaSeguranca", [copia] { copia->exec(); });
    auto* reparacao = new TFReparacao(sessao, &principal);
    principal.registraDialogo("MnVerificacaoBD", [reparacao] { reparacao->exec(); });
    auto* expImp = new TFExpImp(sessao, &principal);
    principal.registraDialogo("MnExportarImportar", [expImp] { expImp->exec(); });
}

}  // namespace korva::ui
