#pragma once
// Pictures of the main window, its menus and the configuration dialog, for
// checking the look of the program (hidden command-line option).
#include <QString>

namespace korva::ui {

class TFPrincipal;

// Writes `arquivo` (the screen with the main window), "<arquivo>-menu-N.png"
// (each menu of the menu bar opened) and, when `arquivoConfig` is not empty,
// "<arquivoConfig>" and "<arquivoConfig>-pagina-N.png" (the pages of the
// configuration dialog). Returns false when a file cannot be written.
bool CapturaJanelas(TFPrincipal& principal, const QString& arquivo, const QString& arquivoConfig);

}  // namespace korva::ui
