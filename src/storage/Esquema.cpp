#include "storage/Esquema.h"

#include "util/Texto.h"

namespace korva {

const DefCampo* DefTabela::campo(const std::string& nome) const {
    const int p = posicao(nome);
    return p < 0 ? nullptr : &campos[p];
}

int DefTabela::posicao(const std::string& nome) const {
    for (size_t i = 0; i < campos.size(); ++i)
        if (IguaisSemCaixa(campos[i].nome, nome)) return static_cast<int>(i);
    return -1;
}

const DefIndice* DefTabela::indice(const std::string& nome) const {
    if (nome.empty() || IguaisSemCaixa(nome, "Primario")) return primario();
    for (const auto& i : indices)
        if (!i.primario && IguaisSemCaixa(i.nome, nome)) return &i;
    return nullptr;
}

const DefIndice* DefTabela::primario() const {
    for (const auto& i : indices)
        if (i.primario) return &i;
    return nullptr;
}

}  // namespace korva
