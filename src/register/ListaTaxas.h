#pragma once
// The rate list: the rows of one social-security rate table (PrevEmpregador.DB,
// PrevTerceiro.DB or PrevSAT.DB) ordered by activity, filtered by the typed
// text as the search option in force says, and the rate of the chosen row.
// The rows are a dataset of the shared database, so a grid shows them as
// they are and its current row is the one chosen.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"

namespace korva {

class Banco;
class ConfiguracaoPesquisa;
class Tabela;

class ListaTaxas {
public:
    // Both must outlive the list.
    ListaTaxas(Banco& compartilhado, const ConfiguracaoPesquisa& opcoes);
    ListaTaxas(TabelasReferencia& referencia, const ConfiguracaoPesquisa& opcoes)
        : ListaTaxas(referencia.banco(), opcoes) {}
    ~ListaTaxas();
    ListaTaxas(const ListaTaxas&) = delete;
    ListaTaxas& operator=(const ListaTaxas&) = delete;

    // True for the three rate tables (names without regard to case).
    static bool TabelaDeTaxas(const std::string& tabela);

    // Showing: the caller's caption and table (anything but a rate table is
    // refused); the search text cleared, no filter, the table opened ordered
    // by Natureza with its first row current.
    void mostra(std::string titulo, std::string tabela);
    // Hiding: the table is closed.
    void oculta();
    bool visivel() const { return visivel_; }

    const std::string& titulo() const { return titulo_; }
    const std::string& nomeTabela() const { return nomeTabela_; }
    const std::string& textoPesquisa() const { return texto_; }

    // The rows shown (open only while the list is shown).
    Tabela& tabela() { return *tabela_; }
    // The rows as they are listed, and the current one (-1 when none).
    std::vector<TaxaPrevidencia> linhas() const;
    int posicao() const;
    void vaiPara(int posicao);
    // "&OK" (and the double click) only while the list is not empty.
    bool okHabilitado();

    // "Pesquisa:" (capitals) and its button: the text is trimmed; a text
    // filters the list, an empty one removes the filter; the list is read
    // again from its first row. Returns the text as written back.
    std::string pesquisa(const std::string& texto);

    // "&OK": the rate of the current row (none when the list is empty).
    std::optional<double> escolhe();

private:
    Banco& banco_;
    const ConfiguracaoPesquisa& opcoes_;
    std::unique_ptr<Tabela> tabela_;
    std::string titulo_, nomeTabela_, texto_;
    bool visivel_ = false;
};

}  // namespace korva
