#pragma once
// The tool bar's pictures, drawn with QPainter so they stay sharp at any size
// and need no image plug-in.
#include <QIcon>
#include <QString>

namespace korva::ui {

// Names: "processo", "prorrata", "salfam", "indices", "rendimentos",
// "cascata", "orgicones", "minimiza", "sair", "impressora", "calculadora",
// "korva" (the program's own mark). An unknown name gives an empty icon.
QIcon Icone(const QString& nome);

}  // namespace korva::ui
