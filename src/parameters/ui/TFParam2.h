#pragma once
// The month-by-month grid of a calculation (its table B), its monthly calculation and the preview of each result row's factor, interest and total.
//
// "KORVA - Tabela de Parâmetros Mês a Mês (B)": the order box, "&Cálculo",
// "Su&bstituir", the grand total and the time of the last run above the
// grid; the navigator under it. The rules of the rows are ParametrosMensais'
// own; the preview figures are kept per row by FigurasMensais (worked out
// once per row and state, the grand total moved row by row).
#include "app/ui/DialogoTabelas.h"
#include <memory>
#include <string>
#include "parameters/CalculoAberto.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace korva {
class CalculoDtBase;
class CorrecaoJuros;
class FigurasGrade;
class FigurasMensais;
class ParametrosMensais;
class Sessao;
class TabelasReferencia;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFParam2 : public DialogoTabelas {
    Q_OBJECT
public:
    TFParam2(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFParam2() override;

    ParametrosMensais& parametros() { return *parametros_; }
    FigurasMensais& figuras() { return *cache_; }
    ModeloTabela* modelo() const { return modelo_; }
    GradeTabela* grade() const { return grade_; }
    NavegadorTabela* navegador() const { return navegador_; }

public slots:
    // "&Cálculo": the monthly calculation of B, the grid read again and the grand total worked out.
    void calcula();
    // "Su&bstituir": find and replace over the rows of B.
    void substitui();
    void mudaOrdem(int indice);

protected:

private:
    void criaPainel();
    void criaGrade();
    void ligaEventos();
    void atualizaEstado();
    void mostraTotal();
    void recalculaTotal();
    void escolheItem(const char* campo);
    void abreBasesSalariais();
    void pegaData();
    bool fecha() override;

    Sessao& sessao_;
    CalculoAberto calculo_;
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<CalculoDtBase> dtBase_;
    std::unique_ptr<CorrecaoJuros> correcao_;
    std::unique_ptr<FigurasGrade> figurasGrade_;
    std::unique_ptr<ParametrosMensais> parametros_;
    std::unique_ptr<FigurasMensais> cache_;
    bool fechado_ = false;

    QComboBox* cbOrdem_ = nullptr;
    QPushButton* btCalculo_ = nullptr;
    QPushButton* btPlanilha_ = nullptr;  // "Exportar &Planilha..." (BtExportarPlanilha)
    QPushButton* btSubstituir_ = nullptr;
    QLabel* lbTotal_ = nullptr;
    QLabel* lbTempo_ = nullptr;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
};

}  // namespace korva::ui
