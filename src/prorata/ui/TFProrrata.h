#pragma once
// "KORVA - Atualização Diária dos Cálculos": the pro-rata records, a child
// window of the main window. The tool panel updates the selected records
// (the statement, one preview after the other), imports the court-payments
// document and takes a record from a calculation of the register. Page
// "Pr&ocesso" lists the records with their search, the fields of the current
// one, the print date and its instalments; page "&Parâmetros" holds its
// interest options and variations, the way instalments are deducted, its
// additions and its closing note.
//
// Every rule lives in RegistrosProrrata and ControlesProrrata; the window
// binds its widgets to the four datasets and shows what they refuse.
#include <QWidget>

#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace korva {
class Medidor;
class RegistrosProrrata;
class Sessao;
}  // namespace korva

namespace korva::ui {

class CamposLigados;
class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFProrrata : public QWidget {
    Q_OBJECT
public:
    explicit TFProrrata(Sessao& sessao, QWidget* pai = nullptr);
    ~TFProrrata() override;

    enum Pagina { PgProcesso = 0, PgParametros = 1 };

    RegistrosProrrata& registros() { return *registros_; }
    ModeloTabela& modelo() { return *modelo_; }
    ModeloTabela& modeloParcelas() { return *modeloParcelas_; }
    // Null while page "&Parâmetros" is not shown.
    ModeloTabela* modeloJuros() const { return modeloJuros_.get(); }
    ModeloTabela* modeloAcrescimos() const { return modeloAcrescimos_.get(); }

    // Writes whatever was typed into the fields and not yet stored in the
    // row. False when a value was refused (its message was shown).
    bool confirmaCampos();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget* montaPaginaProcesso();
    QWidget* montaPaginaParametros();
    QWidget* montaFerramentas();
    // A navigator whose buttons first write what was typed in the fields.
    void protegeNavegador(NavegadorTabela* nav);
    // A grid with its navigator for a child table; the grid goes to
    // `primeiraColuna` of a new row.
    void ligaGradeFilha(GradeTabela* grade, NavegadorTabela* nav, const char* primeiraColuna);

    void atualiza();
    void atualizaHabilitacao();
    void atualizaJuros();
    void atualizaBuscar();
    int selecionados() const;

    void abreParametros();
    void fechaParametros();
    void aoMudarPagina(int pagina);

    void pesquisa();
    void pegaData(const char* campo);
    void atualizacao();
    void precatorios();
    void buscarProcesso();
    void jurosLegais();

    Sessao& sessao_;
    std::unique_ptr<RegistrosProrrata> registros_;
    std::unique_ptr<Medidor> medidor_;
    // Models go before the datasets they observe.
    std::unique_ptr<ModeloTabela> modelo_;
    std::unique_ptr<ModeloTabela> modeloParcelas_;
    std::unique_ptr<ModeloTabela> modeloJuros_;
    std::unique_ptr<ModeloTabela> modeloAcrescimos_;
    CamposLigados* campos_ = nullptr;
    int paginaAtual_ = PgProcesso;
    bool estavaEditando_ = false;
    bool atualizando_ = false;
    bool ativada_ = false;

    // tool panel
    QPushButton* btAtualizacao_ = nullptr;
    QPushButton* btPrecatorios_ = nullptr;
    QPushButton* btBuscarProcesso_ = nullptr;
    QPushButton* btPlanilha_ = nullptr;
    QTabWidget* paginas_ = nullptr;
    // "Pr&ocesso"
    NavegadorTabela* navProrrata_ = nullptr;
    GradeTabela* gradeProrrata_ = nullptr;
    QLabel* lbPesquisa_ = nullptr;
    QLineEdit* edPesquisa_ = nullptr;
    QPushButton* btPesquisa_ = nullptr;
    QLineEdit* edProcesso_ = nullptr;
    QToolButton* btDtAjuiz_ = nullptr;
    QToolButton* btDtBase_ = nullptr;
    QToolButton* btDtFinal_ = nullptr;
    QDateEdit* dtImpressao_ = nullptr;
    GradeTabela* gradeParcelas_ = nullptr;
    NavegadorTabela* navParcelas_ = nullptr;
    // "&Parâmetros"
    QCheckBox* ckComJuros_ = nullptr;
    QGroupBox* rgCalculoJuros_ = nullptr;
    QLabel* lbValorJuros_ = nullptr;
    QLineEdit* edValorJuros_ = nullptr;
    QGroupBox* rgJuros_ = nullptr;
    QGroupBox* gbVariacao_ = nullptr;
    GradeTabela* gradeJuros_ = nullptr;
    NavegadorTabela* navJuros_ = nullptr;
    QPushButton* btJurosLegais_ = nullptr;
    NavegadorTabela* navParametros_ = nullptr;
    GradeTabela* gradeAcrescimos_ = nullptr;
    NavegadorTabela* navAcrescimos_ = nullptr;
    QPlainTextEdit* memoObsFinal_ = nullptr;
};

}  // namespace korva::ui
