#include "app/ui/TextoEncurtado.h"

#include <QFontMetrics>
#include <QLabel>

namespace korva::ui {

void MostraEncurtado(QLabel* rotulo, const QString& texto, int largura, int minima) {
    rotulo->setToolTip(texto);
    rotulo->setText(largura < minima ? texto : rotulo->fontMetrics().elidedText(texto, Qt::ElideMiddle, largura));
}

}  // namespace korva::ui
