#include "reference/CargaInicial.h"

#include "storage/Banco.h"

namespace korva {

void CarregaDadosEntregues(Banco& privado, Banco& compartilhado, const std::function<void(const std::string&)>& progresso) {
    (void)privado;
    (void)compartilhado;
    (void)progresso;
}

}  // namespace korva
