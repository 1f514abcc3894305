#include "app/ui/EnviaTecla.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QWidget>

namespace korva::ui {
namespace {

int TeclaDoCaractere(QChar c) {
    // Qt's key codes for the printable ASCII characters are the characters themselves.
    const ushort u = c.unicode();
    if (u >= 0x20 && u < 0x7f) return QChar(u).toUpper().unicode();
    return Qt::Key_unknown;
}

}  // namespace

bool TraduzTecla(int vk, TeclaTraduzida& t) {
    t = {};
    if (vk >= 0x30 && vk <= 0x39) {  // '0'..'9'
        t.tecla = Qt::Key_0 + (vk - 0x30);
        t.texto = QString(QChar(vk));
        return true;
    }
    if (vk >= 0x41 && vk <= 0x5A) {  // 'A'..'Z'
        t.tecla = Qt::Key_A + (vk - 0x41);
        t.texto = QString(QChar(vk)).toLower();
        return true;
    }
    if (vk >= 0x60 && vk <= 0x69) {  // numeric keypad 0..9
        t.tecla = Qt::Key_0 + (vk - 0x60);
        t.texto = QString(QChar(u'0' + (vk - 0x60)));
        t.modificadores = Qt::KeypadModifier;
        return true;
    }
    if (vk >= 0x70 && vk <= 0x7B) {  // F1..F12
        t.tecla = Qt::Key_F1 + (vk - 0x70);
        return true;
    }
    switch (vk) {
        case 0x6E: {  // keypad decimal: the locale's decimal separator
            const QString separador = QLocale().decimalPoint();
            t.texto = separador;
            t.tecla = separador.isEmpty() ? Qt::Key_Comma : TeclaDoCaractere(separador[0]);
            t.modificadores = Qt::KeypadModifier;
            return true;
        }
        case 0x6A: t.tecla = Qt::Key_Asterisk; t.texto = "*"; t.modificadores = Qt::KeypadModifier; return true;
        case 0x6B: t.tecla = Qt::Key_Plus; t.texto = "+"; t.modificadores = Qt::KeypadModifier; return true;
        case 0x6D: t.tecla = Qt::Key_Minus; t.texto = "-"; t.modificadores = Qt::KeypadModifier; return true;
        case 0x6F: t.tecla = Qt::Key_Slash; t.texto = "/"; t.modificadores = Qt::KeypadModifier; return true;
        case 0x08: t.tecla = Qt::Key_Backspace; return true;
        case 0x09: t.tecla = Qt::Key_Tab; t.texto = "\t"; return true;
        case 0x0D: t.tecla = Qt::Key_Return; t.texto = "\r"; return true;
        case 0x1B: t.tecla = Qt::Key_Escape; return true;
        case 0x20: t.tecla = Qt::Key_Space; t.texto = " "; return true;
        case 0x21: t.tecla = Qt::Key_PageUp; return true;
        case 0x22: t.tecla = Qt::Key_PageDown; return true;
        case 0x23: t.tecla = Qt::Key_End; return true;
        case 0x24: t.tecla = Qt::Key_Home; return true;
        case 0x25: t.tecla = Qt::Key_Left; return true;
        case 0x26: t.tecla = Qt::Key_Up; return true;
        case 0x27: t.tecla = Qt::Key_Right; return true;
        case 0x28: t.tecla = Qt::Key_Down; return true;
        case 0x2D: t.tecla = Qt::Key_Insert; return true;
        case 0x2E: t.tecla = Qt::Key_Delete; return true;
        default: return false;
    }
}

bool EnviaTecla(int teclaVirtual, Qt::KeyboardModifiers estado, bool /*estendida*/, QWidget* alvo) {
    if (!alvo) alvo = QApplication::focusWidget();
    TeclaTraduzida t;
    if (!alvo || !TraduzTecla(teclaVirtual, t)) return false;
    const Qt::KeyboardModifiers modificadores = estado | t.modificadores;
    QString texto = t.texto;
    if (estado & Qt::ShiftModifier) texto = texto.toUpper();
    if (estado & (Qt::ControlModifier | Qt::AltModifier)) texto.clear();
    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyPress, t.tecla, modificadores, texto));
    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyRelease, t.tecla, modificadores, texto));
    return true;
}

}  // namespace korva::ui
