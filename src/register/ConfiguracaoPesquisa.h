#pragma once
// The search options dialog ("Configuração"): the option in force, read by the
// searches of the lists, and the choice of its radio group, which "&OK" puts
// in force and "&Cancela" puts back.
#include <string>

#include "reference/Pesquisa.h"

namespace korva {

class ConfiguracaoPesquisa {
public:
    // Captions of the radio group, in its order.
    static std::string Rotulo(OpcaoPesquisa opcao);

    OpcaoPesquisa emVigor() const { return emVigor_; }
    OpcaoPesquisa escolhida() const { return escolhida_; }
    // The radio group changed.
    void escolhe(OpcaoPesquisa opcao) { escolhida_ = opcao; }
    // "&OK": the choice comes into force.
    void confirma() { emVigor_ = escolhida_; }
    // "&Cancela": the radio group shows the option in force again.
    void cancela() { escolhida_ = emVigor_; }

private:
    OpcaoPesquisa emVigor_ = OpcaoPesquisa::QualquerParte;
    OpcaoPesquisa escolhida_ = OpcaoPesquisa::QualquerParte;
};

}  // namespace korva
