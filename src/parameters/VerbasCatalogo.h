#pragma once
// Read-only lookups on the pay-item catalogue (Rendimen.DB) and the
// repercussion list (Reflexos.DB) of the private database, for every part of
// the program that needs an item's description or defaults, and the copy of
// an item's defaults into a parameter row.
#include <optional>
#include <string>
#include <vector>

namespace korva {

class Banco;
class Tabela;

inline constexpr const char* kTabelaRendimentos = "Rendimen.DB";
inline constexpr const char* kTabelaReflexos = "Reflexos.DB";

// The defaults a parameter row receives when the item is chosen; an empty
// default is left out of the copy.
struct PadroesVerba {
    std::string inss;
    std::optional<double> qtde, indice, divisor;
    std::optional<int> base;
};

struct VerbaCatalogo {
    int codigo = 0;
    std::string descricao;
    PadroesVerba padroes;
    std::optional<int> ir;
    std::string tipo;
    bool sistema() const { return tipo == "S"; }
};

struct ReflexoVerba {
    int base = 0;
    int reflexo = 0;
    double qtde = 0, indice = 0, divisor = 0;
};

class VerbasCatalogo {
public:
    explicit VerbasCatalogo(Banco& privado) : banco_(privado) {}

    // The item with that code, by exact key.
    std::optional<VerbaCatalogo> Busca(int codigo);
    bool Existe(int codigo);
    // DescRend of the item, or "" when it is missing from the catalogue.
    std::string Descricao(int codigo);
    // The repercussion list of an item, ordered by Reflexo.
    std::vector<ReflexoVerba> ReflexosDe(int base);
    // The items whose repercussion list holds `reflexo`, ordered by code.
    std::vector<int> VerbasComReflexo(int reflexo);

private:
    Banco& banco_;
};

// Copies the defaults into the current row of a parameter table being edited
// or inserted: INSS always, Qtde / Indice / Divisor / Base only when the
// catalogue holds a value for them (and the row has the field).
void CopiaPadroes(const PadroesVerba& padroes, Tabela& linha);

}  // namespace korva
