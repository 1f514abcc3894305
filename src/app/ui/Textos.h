#pragma once
// Fixed texts of the desktop program: product name, version, organisation,
// window captions.
#include <QString>
#include <QStringList>

namespace korva::ui {

QString TextoProduto();                 // "KORVA"
QString TextoVersaoSplash();            // "Versão 2.4 c"
QString TituloPrincipal();              // "KORVA - Ulmeris"
QStringList LinhasOrganizacao();        // shown by the start-up window and the About box
// Window captions are the product name, " - " and the window's title.
QString TituloJanela(const QString& titulo);
// Caption of the program's message boxes.
QString TituloMensagem();               // "KORVA"
QString MensagemIndisponivel();

}  // namespace korva::ui
