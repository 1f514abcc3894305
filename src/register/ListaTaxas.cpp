#include "register/ListaTaxas.h"

#include <algorithm>

#include "register/ConfiguracaoPesquisa.h"
#include "util/Texto.h"

namespace korva {

ListaTaxas::ListaTaxas(TabelasReferencia& referencia, const ConfiguracaoPesquisa& opcoes)
    : referencia_(referencia), opcoes_(opcoes) {}

void ListaTaxas::mostra(std::string titulo, std::string tabela) {
    titulo_ = std::move(titulo);
    tabela_ = std::move(tabela);
    texto_.clear();
    linhas_.clear();
    posicao_ = -1;
    atualiza();
    visivel_ = true;
}

void ListaTaxas::oculta() {
    linhas_.clear();
    posicao_ = -1;
    visivel_ = false;
}

void ListaTaxas::vaiPara(int posicao) {
    if (linhas_.empty()) return;
    posicao_ = std::clamp(posicao, 0, static_cast<int>(linhas_.size()) - 1);
}

std::string ListaTaxas::pesquisa(const std::string& texto) {
    texto_ = Apara(Maiusculas(texto));
    atualiza();
    return texto_;
}

void ListaTaxas::atualiza() {
    linhas_ = referencia_.BuscaPrevidencia(tabela_, texto_, opcoes_.emVigor());
    posicao_ = linhas_.empty() ? -1 : 0;
}

std::optional<double> ListaTaxas::escolhe() const {
    if (posicao_ < 0 || posicao_ >= static_cast<int>(linhas_.size())) return std::nullopt;
    return linhas_[static_cast<size_t>(posicao_)].taxa;
}

}  // namespace korva
