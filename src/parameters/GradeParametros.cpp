#include "parameters/GradeParametros.h"

#include <algorithm>

#include "parameters/VerbasCatalogo.h"

namespace korva {

GradeParametros::GradeParametros(Banco& privado, std::string nome, OrdemParametros ordem)
    : banco_(privado),
      nome_(std::move(nome)),
      ordem_(ordem),
      tabela_(std::make_unique<Tabela>(privado, nome_)),
      catalogo_(std::make_unique<VerbasCatalogo>(privado)) {}

GradeParametros::~GradeParametros() = default;

void GradeParametros::abre() {
    tabela_->abre();
    tabela_->defineIndice(IndiceOrdemParametros(ordem_));
    ligaRegras();
    tabela_->primeiro();
    ajustaPorItemEVfm();
}

void GradeParametros::defineOrdem(OrdemParametros ordem) {
    ordem_ = ordem;
    if (tabela_->aberta()) tabela_->defineIndice(IndiceOrdemParametros(ordem_));
}

bool GradeParametros::obrigatorio(const std::string& campo) const {
    return std::find(obrigatorios_.begin(), obrigatorios_.end(), campo) != obrigatorios_.end();
}

}  // namespace korva
