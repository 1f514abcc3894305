#pragma once
// The fonts reports are drawn with: DejaVu Sans, loaded from the files of the
// fonts-dejavu-core package so that pages measure and render the same on every
// machine (and the PDF embeds exactly these files).
#include <QFont>
#include <QString>

#include "reports/Pagina.h"

namespace korva {

// Folder of the DejaVu files.
inline constexpr const char* kPastaFontesDejaVu = "/usr/share/fonts/truetype/dejavu";

// Registers the four DejaVu Sans faces with the application's font database
// (once; needs a QGuiApplication) and returns the family name. When the files
// are missing the family is still "DejaVu Sans", as the system may know it.
QString FamiliaRelatorio();

// The QFont of a text run: the report family at `fonte.tamanho` points, with
// its bold, italic and underline, without hinting so widths scale exactly with
// the resolution.
QFont FonteQt(const Fonte& fonte);

}  // namespace korva
