#include "reference/Pesquisa.h"

#include <string>

#include "util/Texto.h"

namespace korva {

bool PassaPesquisa(std::string_view valor, std::string_view texto, OpcaoPesquisa opcao) {
    const std::string procurado = Maiusculas(Apara(texto));
    if (procurado.empty()) return true;
    const std::string campo = Maiusculas(AparaDireita(valor));
    switch (opcao) {
        case OpcaoPesquisa::Inicio:
            return campo.starts_with(procurado);
        case OpcaoPesquisa::QualquerParte:
            return campo.find(procurado) != std::string::npos;
        case OpcaoPesquisa::Final:
            // Any value that ends with the text, even when the text also
            // occurs earlier in it ("COMERCIO E COMERCIO").
            return campo.ends_with(procurado);
    }
    return false;
}

}  // namespace korva
