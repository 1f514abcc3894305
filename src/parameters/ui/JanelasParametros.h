#pragma once
// The windows of the calculation parameters reached from the main window's menu.

namespace korva::ui {

class TFPrincipal;

// Registers what "&Tabelas" > "Ver&bas" opens.
void RegistraJanelasParametros(TFPrincipal& principal);

}  // namespace korva::ui
