#pragma once
// The windows of the reference tables reached from the main window's
// "&Tabelas" menu.

namespace korva::ui {

class TFPrincipal;

// Registers what each entry of "&Tabelas" opens (the minimum wage, the
// normative salaries, the transport vouchers, the daily indices, URV, UFIR,
// the social-security tables, the income-tax brackets and the holidays).
// The monthly indices keep their hidden entry with nothing behind it: no
// window browses them.
void RegistraJanelasTabelas(TFPrincipal& principal);

}  // namespace korva::ui
