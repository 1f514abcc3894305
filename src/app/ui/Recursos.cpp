#include "app/ui/Recursos.h"

#include <QtGlobal>

static void RegistraRecursosKorva() { Q_INIT_RESOURCE(recursos); }

namespace korva::ui {

void IniciaRecursos() {
    static const bool feito = (RegistraRecursosKorva(), true);
    (void)feito;
}

}  // namespace korva::ui
