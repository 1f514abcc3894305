#include "app/ui/CampoMaiusculas.h"

#include <QLineEdit>

namespace korva::ui {

void ForcaMaiusculas(QLineEdit* campo) {
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo](const QString& texto) {
        const QString maiusculo = texto.toUpper();
        if (maiusculo == texto) return;
        const int cursor = campo->cursorPosition();
        campo->setText(maiusculo);
        campo->setCursorPosition(cursor);
    });
}

}  // namespace korva::ui
