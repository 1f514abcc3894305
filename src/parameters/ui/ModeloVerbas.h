#pragma once
// The table model of the catalogue's grids: item codes shown with three
// digits ("007"), and fields that the catalogue locks on the current row
// (the code and description of a system item) offered read-only.
#include <functional>
#include <set>
#include <string>

#include "app/ui/ModeloTabela.h"

namespace korva::ui {

class ModeloVerbas : public ModeloTabela {
    Q_OBJECT
public:
    // `codigos`: fields shown zero-padded to three digits. `bloqueado`: true
    // for a field the current row may not take typed values into.
    ModeloVerbas(Tabela& tabela, std::vector<ColunaGrade> colunas, std::set<std::string> codigos,
                 std::function<bool(const std::string& campo)> bloqueado, QObject* pai = nullptr);

    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    std::set<std::string> codigos_;
    std::function<bool(const std::string&)> bloqueado_;
};

}  // namespace korva::ui
