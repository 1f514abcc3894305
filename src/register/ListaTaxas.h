#pragma once
// The rate list: the rows of one social-security rate table (PrevEmpregador.DB,
// PrevTerceiro.DB or PrevSAT.DB) ordered by activity, filtered by the typed
// text as the search option in force says, and the rate of the chosen row.
#include <optional>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"

namespace korva {

class ConfiguracaoPesquisa;

class ListaTaxas {
public:
    // Both must outlive the list.
    ListaTaxas(TabelasReferencia& referencia, const ConfiguracaoPesquisa& opcoes);

    // Showing: the caller's caption and table; the search text cleared, no
    // filter, the rows read, the first one current.
    void mostra(std::string titulo, std::string tabela);
    // Hiding: the rows are dropped.
    void oculta();
    bool visivel() const { return visivel_; }

    const std::string& titulo() const { return titulo_; }
    const std::string& tabela() const { return tabela_; }
    const std::string& textoPesquisa() const { return texto_; }

    const std::vector<TaxaPrevidencia>& linhas() const { return linhas_; }
    int posicao() const { return posicao_; }
    void vaiPara(int posicao);
    // "&OK" (and the double click) only while the list is not empty.
    bool okHabilitado() const { return !linhas_.empty(); }

    // "Pesquisa:" (capitals) and its button: the text is trimmed; a text
    // filters the list, an empty one removes the filter; the list is read again.
    // Returns the text as written back.
    std::string pesquisa(const std::string& texto);

    // "&OK": the rate of the current row (none when the list is empty).
    std::optional<double> escolhe() const;

private:
    void atualiza();

    TabelasReferencia& referencia_;
    const ConfiguracaoPesquisa& opcoes_;
    std::string titulo_, tabela_, texto_;
    std::vector<TaxaPrevidencia> linhas_;
    int posicao_ = -1;
    bool visivel_ = false;
};

}  // namespace korva
