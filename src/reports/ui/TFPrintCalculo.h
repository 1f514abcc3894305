#pragma once
// The print dialog of one calculation ("KORVA - Cálculo"): the report set of
// "Imprimir:" (RbOpcao0..RbOpcao6, the last only when "Gerar Arquivo para o
// INSS" is "S"), "&Visualizar" (BtVisualizar) to the preview, "&Imprimir"
// (BtImprimir) to the printer chosen in the platform's print dialog — the
// calculated items always go to the preview — and "&Fechar" (BtFechar).
//
// The run itself is the core's (ExecutaImpressao over ProducaoRelatorios):
// the block on uncalculated rows, the totals stored after the detailed and
// summary reports, the lawsuit summary table, the remittance file. The dialog
// shows the reports and every message through the error handler. Giving up
// in the print dialog abandons the run: nothing is printed or stored.
//
// The choice of "Imprimir:" is kept for the next showing while the program runs.
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "parameters/CalculoAberto.h"
#include "reports/ImpressaoCalculo.h"

class QButtonGroup;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace korva {
class Sessao;
class MedidorQt;
}  // namespace korva

namespace korva::ui {

class TFPrintCalculo : public QDialog {
    Q_OBJECT
public:
    TFPrintCalculo(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFPrintCalculo() override;

    // Index of the checked option (OpcaoImpressao), and the number offered.
    int escolha() const;
    int quantidadeOpcoes() const;
    void defineEscolha(int opcao);

    // Chooses the printer instead of the platform's print dialog (tests);
    // returns false to give up. An empty function restores the dialog.
    static void DefineEscolhaImpressoraTeste(std::function<bool(QPrinter&)> escolha);

public slots:
    // Produces the chosen output: in the preview, or on the printer.
    void visualiza();
    void imprime();

private:
    class Destino;
    void produz(bool imprimir);

    Sessao& sessao_;
    CalculoAberto calculo_;
    std::unique_ptr<MedidorQt> medidor_;
    QButtonGroup* opcoes_ = nullptr;
    QPushButton* btVisualizar_ = nullptr;
    QPushButton* btImprimir_ = nullptr;
    QPushButton* btFechar_ = nullptr;
};

}  // namespace korva::ui
