#pragma once
// "Valores padrão para os processos": the options a new calculation starts
// with (the single row of DefProcesso.DB) on two pages, and the default
// additions (DefAcrescimos.DB) in a grid. A modal dialog of the "&Sistema" menu.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korva {
class DefaultsProcesso;
class Sessao;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFDefProcesso : public QDialog {
    Q_OBJECT
public:
    explicit TFDefProcesso(Sessao& sessao, QWidget* pai = nullptr);
    ~TFDefProcesso() override;

    // Restores the normal cursor, shows the first page and opens both tables.
    // False when they cannot be opened (a damaged defaults table): the message
    // has been shown and the dialog is not to be shown.
    bool abre();
    // Opens, then runs the dialog; a table that cannot be opened closes it at once.
    int exec() override;

    DefaultsProcesso& defaults() { return *defaults_; }
    ModeloTabela& modeloProcesso() { return *modeloProcesso_; }
    ModeloTabela& modeloAcrescimos() { return *modeloAcrescimos_; }
    GradeTabela& gradeAcrescimos() { return *gradeAcrescimos_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    struct CampoTexto {
        QLineEdit* edit;
        std::string campo;
    };
    struct CampoLista {
        QComboBox* combo;
        std::string campo;
    };
    struct CampoLogico {
        QCheckBox* caixa;
        std::string campo;
    };

    void criaModelos();
    QWidget* paginaINSS();
    QWidget* paginaAtualizacao();
    QLineEdit* campoTexto(const char* nome, const std::string& campo);
    QComboBox* campoLista(const char* nome, const std::string& campo, const std::string& tabelaCodigos,
                          bool soLocais = false);
    QCheckBox* campoLogico(const char* nome, const QString& texto, const std::string& campo);
    QButtonGroup* grupoOpcoes(const std::string& campo, const std::vector<std::pair<int, QString>>& opcoes,
                              const char* prefixo, QWidget* dono, bool logico = false);
    void gravaTexto(const CampoTexto& c);
    // Puts what is typed in the fields into the row (the field being typed in
    // may not have been left yet); false when the core refused a value.
    bool confirmaCampos();
    void mostraLinha();
    bool fecha();

    Sessao& sessao_;
    std::unique_ptr<DefaultsProcesso> defaults_;
    ModeloTabela* modeloProcesso_ = nullptr;
    ModeloTabela* modeloAcrescimos_ = nullptr;
    GradeTabela* gradeAcrescimos_ = nullptr;
    NavegadorTabela* navAcrescimos_ = nullptr;
    NavegadorTabela* navProcesso_ = nullptr;
    QTabWidget* paginas_ = nullptr;
    QLineEdit* edINSSReclamante_ = nullptr;
    QLabel* lbINSSReclamante_ = nullptr;
    QCheckBox* cbIRSobreJuros_ = nullptr;
    QGroupBox* gbFeriados_ = nullptr;
    QLabel* lbExplicacaoJuros_ = nullptr;
    QPushButton* btFechar_ = nullptr;
    std::vector<CampoTexto> textos_;
    std::vector<CampoLista> listas_;
    std::vector<CampoLogico> logicos_;
    std::vector<std::pair<QButtonGroup*, std::pair<std::string, bool>>> grupos_;
    std::string campoRecusado_;
    bool mostrando_ = false;
};

}  // namespace korva::ui
