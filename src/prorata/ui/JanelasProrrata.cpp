#include "prorata/ui/JanelasProrrata.h"

#include "app/ui/TFPrincipal.h"

namespace korva::ui {

void RegistraJanelasProrrata(TFPrincipal& principal) {}

}  // namespace korva::ui
