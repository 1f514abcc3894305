#pragma once
// The unit selection "KORVA - Configura B.D.", shown before the private
// database connects when the program folder has a unit list file: the chosen
// unit's folder becomes the folder of the private database's alias.
#include <QDialog>

#include <vector>

#include "app/Unidades.h"

class QComboBox;

namespace korva {
class ArquivoAliases;
struct Ambiente;
}

namespace korva::ui {

class TFConfiguraBD : public QDialog {
    Q_OBJECT
public:
    TFConfiguraBD(ArquivoAliases& aliases, std::vector<Unidade> unidades, QWidget* pai = nullptr);

private:
    void mudaDiretorio();

    ArquivoAliases& aliases_;
    std::vector<Unidade> unidades_;
    QComboBox* cbUnidade_ = nullptr;
};

// Shows the dialog modally when the unit list file exists and lists at least
// one unit; does nothing otherwise. Errors reading the files go to the caller.
void SelecionaUnidade(const Ambiente& ambiente, QWidget* pai = nullptr);

}  // namespace korva::ui
