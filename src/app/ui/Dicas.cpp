#include "app/ui/Dicas.h"

#include <QAction>
#include <QWidget>

namespace korva::ui {

QString ParteCurta(const QString& dica) {
    const auto barra = dica.indexOf(u'|');
    return barra < 0 ? dica : dica.left(barra);
}

QString ParteLonga(const QString& dica) {
    const auto barra = dica.indexOf(u'|');
    return barra < 0 ? dica : dica.mid(barra + 1);
}

void DefineDica(QWidget* controle, const QString& dica) {
    controle->setToolTip(ParteCurta(dica));
    controle->setStatusTip(ParteLonga(dica));
}

void DefineDica(QAction* acao, const QString& dica) {
    acao->setToolTip(ParteCurta(dica));
    acao->setStatusTip(ParteLonga(dica));
}

}  // namespace korva::ui
