#pragma once
// The program's message boxes: caption "KORVA", OK button only, over the
// active window.
#include <QString>

class QWidget;

namespace korva::ui {

void MostraInformacao(const QString& texto, QWidget* pai = nullptr);
void MostraErro(const QString& texto, QWidget* pai = nullptr);
void MostraAviso(const QString& texto, QWidget* pai = nullptr);
// A plain box without an icon.
void MostraTexto(const QString& texto, QWidget* pai = nullptr);

}  // namespace korva::ui
