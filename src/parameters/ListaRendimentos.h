#pragma once
// The pick list of pay items through which the parameter grids choose an
// item code: every item of the catalogue in code order, searched by
// description, returning the chosen code and the defaults it brings into a
// parameter row.
#include <memory>
#include <optional>
#include <string>

#include "parameters/VerbasCatalogo.h"
#include "reference/Pesquisa.h"
#include "storage/Tabela.h"

namespace korva {

class Banco;

class ListaRendimentos {
public:
    static constexpr const char* Titulo = "KORVA - Pesquisa de Rendimentos";

    explicit ListaRendimentos(Banco& privado);
    ~ListaRendimentos();
    ListaRendimentos(const ListaRendimentos&) = delete;
    ListaRendimentos& operator=(const ListaRendimentos&) = delete;

    // On show: no result (code 0), no search, the catalogue opened read-only
    // in code order on its first item.
    void mostra();
    // On hide: the table is closed (the result stays readable).
    void esconde();
    // Read-only dataset behind the grid (columns Codigo, DescRend, INSS).
    Tabela& tabela() { return *tabela_; }

    OpcaoPesquisa opcaoPesquisa() const { return opcao_; }
    void defineOpcaoPesquisa(OpcaoPesquisa opcao) { opcao_ = opcao; }
    // The search button (or Enter): the description holds the trimmed text
    // as the option says; an empty text shows every item.
    void pesquisa(const std::string& texto);
    const std::string& textoPesquisa() const { return texto_; }

    // "&OK" (and the double click) only while the list shows an item.
    bool okHabilitado();
    // "&OK": takes the current row's code as the result. Returns false (and
    // chooses nothing) while "&OK" is disabled.
    bool escolhe();
    // The chosen code; 0 when nothing was chosen.
    int resultado() const { return resultado_; }
    // The defaults of the chosen item, read from the catalogue as it stands
    // now; empty when nothing was chosen or the item has gone.
    std::optional<PadroesVerba> padroesEscolhidos();

private:
    Banco& banco_;
    std::unique_ptr<Tabela> tabela_;
    OpcaoPesquisa opcao_ = OpcaoPesquisa::QualquerParte;
    std::string texto_;
    int resultado_ = 0;
};

}  // namespace korva
