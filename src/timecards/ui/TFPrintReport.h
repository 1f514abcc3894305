#pragma once
// The chooser of the time-card reports of the current calculation ("KORVA"):
// " Imprimir: " with '&Diário' (RbDiario) and '&Mensal' (RbMensal), the first
// checked every time the dialog is shown; "&Visualizar" (BtVisualizar) shows
// the chosen report in the preview (which also saves it as PDF), "&Imprimir"
// (BtImprimir) sends it to the printer chosen in the platform's print dialog.
// The dialog stays open after a report; closing it only hides it.
#include <QDialog>

#include <functional>
#include <memory>

#include "parameters/CalculoAberto.h"
#include "timecards/RelatoriosPonto.h"

class QPrinter;
class QPushButton;
class QRadioButton;

namespace korva {
class Sessao;
class MedidorQt;
}  // namespace korva

namespace korva::ui {

class TFPrintReport : public QDialog {
    Q_OBJECT
public:
    TFPrintReport(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFPrintReport() override;

    TipoRelatorioPonto escolha() const;

    // Chooses the printer instead of the platform's print dialog (tests);
    // returns false to give up. An empty function restores the dialog.
    static void DefineEscolhaImpressoraTeste(std::function<bool(QPrinter&)> escolha);

public slots:
    void visualiza();
    void imprime();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void produz(bool imprimir);

    Sessao& sessao_;
    CalculoAberto calculo_;
    std::unique_ptr<MedidorQt> medidor_;
    QRadioButton* rbDiario_ = nullptr;
    QRadioButton* rbMensal_ = nullptr;
    QPushButton* btVisualizar_ = nullptr;
    QPushButton* btImprimir_ = nullptr;
};

}  // namespace korva::ui
