#include "register/ConfiguracaoPesquisa.h"

namespace korva {

std::string ConfiguracaoPesquisa::Rotulo(OpcaoPesquisa opcao) {
    switch (opcao) {
        case OpcaoPesquisa::Inicio: return "No &início do campo";
        case OpcaoPesquisa::QualquerParte: return "Em &qualquer parte do campo";
        case OpcaoPesquisa::Final: return "No &final do campo";
    }
    return {};
}

}  // namespace korva
