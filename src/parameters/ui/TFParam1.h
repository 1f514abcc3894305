#pragma once
// "KORVA - Tabela de Parâmetros por Período (...)": the period rows of a
// calculation (its table A) in a grid with its navigator, the order box, and
// the buttons that generate the month grid (table B) from them and open the
// month grid, the unemployment-insurance rows and the find and replace. The
// rules of the rows are the core's (korva::ParametrosPeriodo); the window
// binds them, runs the pickers of the column buttons and shows the messages.
//
//     TFParam1 janela(sessao, calculo, this);
//     janela.exec();
#include "app/ui/DialogoTabelas.h"

#include <map>
#include <memory>
#include <string>

#include "parameters/CalculoAberto.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QPushButton;
class QToolButton;

namespace korva {
class CalculoDtBase;
class ParametrosPeriodo;
class Sessao;
class TabelasReferencia;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFParam1 : public DialogoTabelas {
    Q_OBJECT
public:
    // Opens the calculation's table A (the register makes sure A, B and I exist).
    TFParam1(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFParam1() override;

    ParametrosPeriodo& periodo() { return *periodo_; }
    ModeloTabela* modelo() const { return modelo_; }
    GradeTabela* grade() const { return grade_; }
    NavegadorTabela* navegador() const { return navegador_; }

public slots:
    // "&Gerar Param. Mensais": asks first when B already holds rows, shows the
    // progress, then opens the month grid when "Mostrar Mês &a Mês" is ticked.
    void gera();
    void mesAMes();
    void ponto();
    void seguroDesemprego();
    void substitui();
    void mudaOrdem(int posicao);

protected:

private:
    void criaPainel();
    void criaGrade();
    void atualizaComandos();
    void posicionaBotaoCelula();
    void acionaBotaoCelula();
    bool temBotao(int coluna) const;
    void escolheItem(const std::string& campo);
    void basesSalariais();
    void escolheData();
    void vaiParaCampo(const std::string& campo);
    QString descricao(int codigo) const;
    // Writes what is still in a cell editor into its field; false when refused.
    bool confirmaCelula();
    // Stores nothing: refuses (message shown) while a row is being edited or
    // inserted, otherwise closes the table.
    bool fecha() override;

    Sessao& sessao_;
    CalculoAberto calculo_;
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<CalculoDtBase> dtBase_;
    std::unique_ptr<ParametrosPeriodo> periodo_;
    mutable std::map<int, QString> descricoes_;

    QComboBox* cbOrdem_ = nullptr;
    QPushButton* btGerar_ = nullptr;
    QCheckBox* ckMostrarMesAMes_ = nullptr;
    QPushButton* btMesAMes_ = nullptr;
    QPushButton* btPonto_ = nullptr;
    QPushButton* btSeguro_ = nullptr;
    QPushButton* btSubstituir_ = nullptr;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    // The button drawn at the right of a cell whose column has one (F9 does the same).
    QToolButton* btCelula_ = nullptr;
    bool fechada_ = false;
};

}  // namespace korva::ui
