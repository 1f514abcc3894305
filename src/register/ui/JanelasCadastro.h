#pragma once
// The windows of the lawsuit register reached from the main window's menu.

namespace korva::ui {

class TFPrincipal;

// Registers what "&Processo" > "&Cálculo" and "&Sistema" > "Valores Padrão -
// &Processo" open.
void RegistraJanelasCadastro(TFPrincipal& principal);

}  // namespace korva::ui
