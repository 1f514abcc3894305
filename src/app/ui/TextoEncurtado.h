#pragma once
// A long text (a path, usually) shown in a label of fixed width.
#include <QString>

class QLabel;

namespace korva::ui {

// Shows `texto` in `rotulo` shortened in the middle to `largura` pixels, the
// whole text as its tip. Below `minima` pixels (a label not laid out yet)
// the text goes in whole.
void MostraEncurtado(QLabel* rotulo, const QString& texto, int largura, int minima = 80);

}  // namespace korva::ui
