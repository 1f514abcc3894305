#pragma once
// Hints are written "short part|long part": the short part is the tool tip,
// the long part goes to the main window's status bar while the mouse is over
// the control (or the menu entry is highlighted). A hint without "|" is used
// for both.
#include <QString>

class QAction;
class QWidget;

namespace korva::ui {

QString ParteCurta(const QString& dica);
QString ParteLonga(const QString& dica);

void DefineDica(QWidget* controle, const QString& dica);
void DefineDica(QAction* acao, const QString& dica);

}  // namespace korva::ui
