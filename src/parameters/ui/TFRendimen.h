#pragma once
// "KORVA - Tabela de Verbas": the pay-item catalogue and, under "Reflexos",
// the repercussion list of the current item, each in a grid with its
// navigator; above them the order box, the search and its options, and the
// report button. The rules (new item's values, entry checks, protected
// system items, the list following the item, the searches) are the
// catalogue's own (korva::Catalogo); the window binds and shows them.
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QPushButton;

namespace korva {
class Catalogo;
class Sessao;
class TabelasReferencia;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFRendimen : public QWidget {
    Q_OBJECT
public:
    // Opens Rendimen.DB and Reflexos.DB of the session's private database.
    explicit TFRendimen(Sessao& sessao, QWidget* pai = nullptr);
    ~TFRendimen() override;

    Catalogo& catalogo() { return *catalogo_; }
    GradeTabela* gradeRendimentos() const { return gdRendimentos_; }
    GradeTabela* gradeReflexos() const { return gdReflexos_; }
    NavegadorTabela* navegadorRendimentos() const { return nvRendimentos_; }
    NavegadorTabela* navegadorReflexos() const { return nvReflexos_; }

public slots:
    void pesquisa();
    void mudaOrdem(int indice);
    void opcoesPesquisa();
    void imprime();

    QSize sizeHint() const override { return tamanho_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void criaPainelPesquisa();
    void criaGrades();
    void atualizaPainel();
    void vaiParaColunaInicial(GradeTabela* grade, ModeloTabela* modelo, const char* campo);

    Sessao& sessao_;
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<Catalogo> catalogo_;

    QWidget* painel_ = nullptr;
    QComboBox* cbOrdem_ = nullptr;
    QLineEdit* edPesquisa_ = nullptr;
    QToolButton* btPesquisa_ = nullptr;
    QToolButton* btOpcoes_ = nullptr;
    QPushButton* btImprimir_ = nullptr;
    ModeloTabela* mdRendimentos_ = nullptr;
    ModeloTabela* mdReflexos_ = nullptr;
    GradeTabela* gdRendimentos_ = nullptr;
    GradeTabela* gdReflexos_ = nullptr;
    NavegadorTabela* nvRendimentos_ = nullptr;
    NavegadorTabela* nvReflexos_ = nullptr;
    QLabel* lbReflexos_ = nullptr;
    QSize tamanho_;
};

}  // namespace korva::ui
