#pragma once
// The maintenance and exchange dialogs reached from the main window's menu.

namespace korva::ui {

class TFPrincipal;

// Registers what "&Sistema" > "&Cópia de Seg&urança" and "&Verificação do
// Banco de Dados" and "&Tabelas" > "&Exportar/Importar Tabelas..." open.
void RegistraJanelasManutencao(TFPrincipal& principal);

}  // namespace korva::ui
