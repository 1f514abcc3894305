#pragma once
// The "Ordenado por:" box of the period and month grids: "Periodo", "Item",
// "(sem ordem)", showing the current order.
#include <QComboBox>

#include "parameters/OrdemParametros.h"

namespace korva::ui {

inline QComboBox* CaixaOrdemParametros(QWidget* pai, OrdemParametros atual) {
    auto* caixa = new QComboBox(pai);
    caixa->setObjectName("CbOrdem");
    for (auto o : {OrdemParametros::Periodo, OrdemParametros::Item, OrdemParametros::SemOrdem})
        caixa->addItem(QString::fromUtf8(NomeOrdemParametros(o)));
    caixa->setCurrentIndex(PosicaoOrdemParametros(atual));
    return caixa;
}

}  // namespace korva::ui
