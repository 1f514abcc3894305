#pragma once
// What the period grid (table A) and the month grid (table B) share: the
// dataset over the table with the grid's rules attached when it opens, the
// catalogue the item checks read, the three orders, and the required fields
// of the current row as its item and VFM set them.
#include <memory>
#include <string>
#include <vector>

#include "parameters/OrdemParametros.h"
#include "storage/Tabela.h"

namespace korva {

class Banco;
class VerbasCatalogo;

class GradeParametros {
public:
    virtual ~GradeParametros();
    GradeParametros(const GradeParametros&) = delete;
    GradeParametros& operator=(const GradeParametros&) = delete;

    // Opens the table in the grid's order with the rules attached, on its first row.
    void abre();
    Tabela& tabela() { return *tabela_; }
    const std::string& nomeTabela() const { return nome_; }

    OrdemParametros ordem() const { return ordem_; }
    void defineOrdem(OrdemParametros ordem);

    // The order box and the other commands of the window are enabled only
    // while no row is in edit or insert state.
    bool comandosHabilitados() const { return !tabela_->editando(); }

    // Required fields of the current row, as last set by its item and VFM.
    const std::vector<std::string>& camposObrigatorios() const { return obrigatorios_; }
    bool obrigatorio(const std::string& campo) const;

protected:
    // `nome` is relative to the private database's folder.
    GradeParametros(Banco& privado, std::string nome, OrdemParametros ordem);

    // Attaches the grid's events and validators to the open dataset.
    virtual void ligaRegras() = 0;
    // Sets the required fields (and what follows from them) for the current row.
    virtual void ajustaPorItemEVfm() = 0;

    Banco& banco_;
    std::string nome_;
    OrdemParametros ordem_;
    std::unique_ptr<Tabela> tabela_;
    std::unique_ptr<VerbasCatalogo> catalogo_;
    std::vector<std::string> obrigatorios_;
};

}  // namespace korva
