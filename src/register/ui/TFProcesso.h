#pragma once
// The lawsuit register "KORVA - Tabela de Processos": the list of the
// calculations of Processo.DB with their search and order, the pages of the
// current calculation's options ("&Processo", "&INSS e IR", "&Atualização",
// "A&créscimos" with the additions and interest-variation grids, "Observ."),
// the navigator, and the button bar that opens the calculation's other
// windows, makes a new group of the lawsuit or duplicates another calculation.
//
// Every rule lives in RegistroProcessos; this window binds its widgets to the
// current row and shows what the register refuses.
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "register/RegistroProcessos.h"

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace korva {
class Sessao;
struct CalculoAberto;
class TabelasReferencia;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFProcesso : public QWidget {
    Q_OBJECT
public:
    explicit TFProcesso(Sessao& sessao, QWidget* pai = nullptr);
    ~TFProcesso() override;

    RegistroProcessos& registro() { return *registro_; }
    // The model of Processo.DB behind the list and the fields.
    ModeloTabela& modelo() { return *modelo_; }
    // The models of the additions and interest grids, when those are open.
    ModeloTabela* modeloAcrescimos() const { return modeloAcrescimos_.get(); }
    ModeloTabela* modeloJuros() const { return modeloJuros_.get(); }

    // Writes whatever was typed into the fields and not yet stored in the
    // row. False when the register refused a value (its message was shown).
    bool confirmaCampos();

    // The page indexes of the tab widget.
    enum Pagina { PgProcesso = 0, PgINSSIR, PgAtualizacao, PgAcrescimos, PgObservacoes };

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // A widget bound to a field of the current row.
    struct Ligacao {
        std::string campo;
        QWidget* widget = nullptr;
        std::function<void()> mostra;  // shows the row's value (unless typed over)
        std::function<bool()> grava;   // writes what was typed; false when refused
        bool sujo = false;             // typed over, not yet written
    };

    void montaPaginaProcesso(QWidget* pagina);
    void montaPaginaINSS(QWidget* pagina);
    void montaPaginaAtualizacao(QWidget* pagina);
    void montaPaginaAcrescimos(QWidget* pagina);
    void montaPaginaObservacoes(QWidget* pagina);
    void montaBarraBotoes(QWidget* barra);

    Ligacao& liga(std::string campo, QWidget* widget);
    void ligaTexto(QLineEdit* ed, const std::string& campo, bool maiusculas = false);
    void ligaMemo(QPlainTextEdit* ed, const std::string& campo);
    void ligaCombo(QComboBox* cb, const std::string& campo);
    void ligaCaixa(QCheckBox* cb, const std::string& campo);
    void ligaGrupo(QButtonGroup* grupo, const std::string& campo);
    void comecaEdicao(Ligacao& l);
    void esqueceDigitado();

    void atualiza();
    void atualizaHabilitacao();
    void atualizaGrades();
    void soltaGrades();
    void montaGrade(bool juros);
    void aoMudarPagina(int pagina);

    void pesquisa();
    void mudaOrdem(int indice);
    void opcoesPesquisa();
    void pegaData(const std::string& campo);
    void pegaTaxa(const std::string& campo, const QString& titulo, const std::string& tabela);
    void abreJanela(const std::string& letras, const std::function<void()>& abre);
    // The windows of the calculation: makes sure the tables of the letters
    // exist, then hands the window the values of the current row.
    void abreCalculo(const std::string& letras, const std::function<void(const CalculoAberto&)>& abre);
    void abrePartes();
    void andamentos();
    void novoGrupo();
    void duplicar();
    void progresso(int passo, const std::string& rotulo);

    Sessao& sessao_;
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<RegistroProcessos> registro_;
    // Models go before the register whose datasets they observe.
    std::unique_ptr<ModeloTabela> modelo_;
    std::unique_ptr<ModeloTabela> modeloAcrescimos_;
    std::unique_ptr<ModeloTabela> modeloJuros_;
    std::deque<Ligacao> ligacoes_;
    bool gravandoCampos_ = false;
    bool atualizando_ = false;
    int paginaAtual_ = PgProcesso;
    bool estavaEditando_ = false;
    QProgressDialog* progresso_ = nullptr;

    QLabel* lbSProcesso_ = nullptr;
    QTabWidget* paginas_ = nullptr;
    // "&Processo"
    QLineEdit* edPesquisa_ = nullptr;
    QPushButton* btPesquisa_ = nullptr;
    QComboBox* cbOrdem_ = nullptr;
    QPushButton* btOpcoesPesquisa_ = nullptr;
    QLineEdit* edProcesso_ = nullptr;
    QToolButton* btDtGrav_ = nullptr;
    QToolButton* btDtAjuiz_ = nullptr;
    QToolButton* btDtBase_ = nullptr;
    GradeTabela* grProcessos_ = nullptr;
    // "&INSS e IR"
    QLineEdit* edINSSReclamante_ = nullptr;
    QLabel* lbINSSReclamante_ = nullptr;
    QLabel* lbPercReclamante_ = nullptr;
    QCheckBox* cbIRSobreJuros_ = nullptr;
    // "&Atualização"
    QCheckBox* cbFeriadosNacionais_ = nullptr;
    QCheckBox* cbFeriadosEstaduais_ = nullptr;
    QComboBox* cbFeriadosMunic_ = nullptr;
    QLabel* lbFeriadosMunic_ = nullptr;
    // "A&créscimos"
    QGroupBox* gbAcrescimos_ = nullptr;
    QVBoxLayout* lyAcrescimos_ = nullptr;
    QVBoxLayout* lyJuros_ = nullptr;
    GradeTabela* grAcrescimos_ = nullptr;
    NavegadorTabela* nvAcrescimos_ = nullptr;
    QGroupBox* gbJuros_ = nullptr;
    QLabel* lbExplicacaoJuros_ = nullptr;
    GradeTabela* grJuros_ = nullptr;
    NavegadorTabela* nvJuros_ = nullptr;
    // bottom
    NavegadorTabela* navegador_ = nullptr;
    QWidget* barraBotoes_ = nullptr;
    QPushButton* btAndamentos_ = nullptr;
};

}  // namespace korva::ui
