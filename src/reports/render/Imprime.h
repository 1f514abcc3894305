#pragma once
// A laid-out document sent to a printer already set up (by the platform's
// print dialog or by the caller): the printer takes the document's sheet and
// orientation, and the page range chosen in the dialog is honoured. Fails
// with ErroES when the printer cannot be started.
#include <QPrinter>

#include "reports/Pagina.h"

namespace korva {

// Pages printed; 0 when the chosen range holds none of the document's pages.
int Imprime(const Documento& documento, QPrinter& impressora);

}  // namespace korva
