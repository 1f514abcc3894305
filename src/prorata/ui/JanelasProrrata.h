#pragma once
// The pro-rata windows reached from the main window's menu.

namespace korva::ui {

class TFPrincipal;

// Registers what "&Processo" > "&Prorrata" (and its tool button) and
// "&Sistema" > "Valores Padrão - P&rorrata" open.
void RegistraJanelasProrrata(TFPrincipal& principal);

}  // namespace korva::ui
