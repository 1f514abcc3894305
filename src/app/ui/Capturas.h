#pragma once
// Pictures of the main window, its menus and the configuration dialog, for
// checking the look of the program (hidden command-line option).
#include <QString>

namespace korva::ui {

class TFPrincipal;
class TFSplash;

// Writes "<arquivo>-splash.png" (the start-up window).
bool CapturaSplash(TFSplash& splash, const QString& arquivo);

// Writes `arquivo` (the screen with the main window), "<arquivo>-menu-N.png"
// (each menu of the menu bar opened, "-menu-N-M" its sub-menus),
// "<arquivo>-impressora.png", "<arquivo>-calculadora.png", "<arquivo>-sobre.png" (the About box) and, when `arquivoConfig` is not
// empty, "<arquivoConfig>" and "<arquivoConfig>-pagina-N.png" (the pages of
// the configuration dialog). Returns false when a file cannot be written.
bool CapturaJanelas(TFPrincipal& principal, const QString& arquivo, const QString& arquivoConfig);

}  // namespace korva::ui
