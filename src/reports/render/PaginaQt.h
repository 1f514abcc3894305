#pragma once
// The sheet of a laid-out document as Qt's page layout: its size (A4 when it
// matches), its orientation and no margins, since the pages position
// everything from the corner of the sheet.
#include <QPageLayout>

#include "reports/Pagina.h"

namespace korva {

QPageLayout LayoutDoDocumento(const Documento& documento);

}  // namespace korva
