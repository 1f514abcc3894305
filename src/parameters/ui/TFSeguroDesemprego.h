#pragma once
// "KORVA - Seguro Desemprego": from an average salary, a month and a number
// of instalments, the unemployment-insurance benefit is added as value rows
// of an item to the period rows, through the period window's own rules. The
// benefit and the rows are the core's (korva::SeguroDesemprego); the window
// reads the boxes and answers the core's questions with the real dialogs.
//
//     TFSeguroDesemprego janela(sessao, periodo, calculo.mensal.DataBasePadrao, this);
//     janela.exec();
#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace korva {
class ParametrosPeriodo;
class SeguroDesemprego;
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFSeguroDesemprego : public QDialog {
    Q_OBJECT
public:
    // `periodo` is the period window's open rule set; `dataBasePadrao` the
    // lawsuit's default base-date code (50 asks the base date of every row).
    TFSeguroDesemprego(Sessao& sessao, ParametrosPeriodo& periodo, int dataBasePadrao, QWidget* pai = nullptr);
    ~TFSeguroDesemprego() override;

    // "&Confirmar": adds the rows; closes the window when every row was added.
    void confirma();

private:
    void itemDigitado(const QString& texto);
    void normalizaAno();

    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<SeguroDesemprego> seguro_;
    std::vector<ItemLista> itens_;

    QLineEdit* edItem_ = nullptr;
    QComboBox* cbItem_ = nullptr;
    QLineEdit* edMes_ = nullptr;
    QLineEdit* edAno_ = nullptr;
    QDoubleSpinBox* edSalario_ = nullptr;
    QSpinBox* edParcelas_ = nullptr;
    QRadioButton* rbMesmoMes_ = nullptr;
    QRadioButton* rbParcelado_ = nullptr;
    QPushButton* btConfirmar_ = nullptr;
};

}  // namespace korva::ui
