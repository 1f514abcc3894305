#pragma once
// The printer of a report: the platform's print dialog ("Imprimir", with the
// range of the report's pages and, from the preview, the current page), or
// the choice a test set in its place.
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace korva::ui {

using EscolhaImpressora = std::function<bool(QPrinter&)>;

// Sets up `impressora` for a report of `paginas` pages; false when the user
// gives up. `paginaAtual` > 0 offers "current page". `escolha` (or, without
// it, the test's choice) replaces the dialog.
bool EscolheImpressora(QPrinter& impressora, const QString& titulo, int paginas, QWidget* pai, int paginaAtual = 0,
                       const EscolhaImpressora& escolha = {});

// For tests: the choice made instead of the dialog, for every report window
// ({} brings the dialog back).
void DefineEscolhaImpressoraTeste(EscolhaImpressora escolha);

}  // namespace korva::ui
