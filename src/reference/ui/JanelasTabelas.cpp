#include "reference/ui/JanelasTabelas.h"

#include "app/ui/TFPrincipal.h"
#include "reference/ui/TFDiario.h"
#include "reference/ui/TFFeriados.h"
#include "reference/ui/TFSeries.h"
#include "reference/ui/TFTabelasOficiais.h"
#include "reference/ui/TFValores.h"

namespace korva::ui {
namespace {

template <class Janela>
void Registra(TFPrincipal& principal, const char* entrada) {
    principal.registraJanelaFilha(entrada, [&principal] { return new Janela(principal.sessao()); });
}

}  // namespace

void RegistraJanelasTabelas(TFPrincipal& principal) {
    Registra<TFValores>(principal, "MnSalarioMinimo");
    Registra<TFNomeSalario>(principal, "MnSalariosNormativos");
    Registra<TFNomeVTransp>(principal, "MnValesTransporte");
    Registra<TFNomeIndiceDia>(principal, "MnIndicesDiarios");
    Registra<TFURV>(principal, "MnURV");
    Registra<TFUFIR>(principal, "MnUFIR");
    Registra<TFPrevEmpregador>(principal, "MnRecolhimentoEmpregador");
    Registra<TFPrevTerceiros>(principal, "MnRecolhimentoTerceiros");
    Registra<TFPrevSAT>(principal, "MnRiscosAmbientais");
    Registra<TFFaixasINSS>(principal, "MnFaixasINSS");
    Registra<TFFaixasIR>(principal, "MnAliquotasIR");
    Registra<TFFeriadosPadrao>(principal, "MnFeriadosPadrao");
    Registra<TFClasseFeriado>(principal, "MnClassificacaoFeriados");
}

}  // namespace korva::ui
