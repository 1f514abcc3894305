#pragma once
// Synthesised key presses: a key-down and a key-up of a key, given by its
// Windows virtual-key code (the numbering the rest of the program uses), for
// the control that has the keyboard focus.
#include <QString>
#include <Qt>

class QWidget;

namespace korva::ui {

struct TeclaTraduzida {
    int tecla = 0;                        // Qt::Key
    QString texto;                        // text the key types, if any
    Qt::KeyboardModifiers modificadores;  // keypad keys carry Qt::KeypadModifier
};

// The Qt key of a virtual-key code: digits, letters, numeric keypad (the
// keypad decimal key gives the decimal separator of the current locale),
// function keys, arrows, Enter, Tab, Escape, Backspace, Delete, Space.
// Returns false for codes it does not know.
bool TraduzTecla(int teclaVirtual, TeclaTraduzida& traduzida);

// Posts the press and release to `alvo` (the focus widget when null). Returns
// false when there is no target or the code is unknown. The shift state is
// applied to both events.
bool EnviaTecla(int teclaVirtual, Qt::KeyboardModifiers estado = Qt::NoModifier, bool estendida = false,
                QWidget* alvo = nullptr);

}  // namespace korva::ui
