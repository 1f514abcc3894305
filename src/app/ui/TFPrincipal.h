#pragma once
// The main window "KORVA - Ulmeris": the multi-document area inside which
// every other window opens, the menu, the tool bar, the status bar with the
// date and the hints, the calculator keys (F11/F12) and the settings of the
// running session.
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolButton;

namespace korva {
class Configuracoes;
class Sessao;
}  // namespace korva

namespace korva::ui {

class JanelasFilhas;
class PinturaAreaTrabalho;
class TFCalculadora;
class TFConfig;
class TFSobre;

class TFPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFPrincipal(Sessao& sessao, QWidget* pai = nullptr);
    ~TFPrincipal() override;

    // The main window of the running program (null before it is created).
    static TFPrincipal* Instancia();

    Sessao& sessao() { return sessao_; }
    Configuracoes& configuracoes();
    QMdiArea* area() const { return area_; }
    PinturaAreaTrabalho& fundo() { return *fundo_; }
    JanelasFilhas& janelasFilhas() { return *janelas_; }
    // The printer chosen in "Configurar &Impressora ...", used by the reports.
    QPrinter& impressora() { return *impressora_; }

    // A menu entry or tool button by its object name ("MnCalculo", "BtProcesso").
    QAction* entrada(const QString& nome) const;
    QToolButton* botao(const QString& nome) const;

    // What a menu entry opens. A child window is opened with the one-instance
    // rule (its entry and tool button stay disabled while it is open); a
    // dialog is simply run. Entries with nothing registered tell the user the
    // window is not available yet.
    void registraJanelaFilha(const QString& entrada, std::function<QWidget*()> cria);
    void registraDialogo(const QString& entrada, std::function<void()> mostra);

    // The reminder shown after start-up while the sector name is empty.
    void lembraSetor();

    // F11: shows the calculator. F12: types its display into the focused field.
    void abreCalculadora();
    void digitaVisor();
    TFCalculadora* calculadora() const { return calculadora_; }

    // Window menu commands.
    void cascata();
    void organizaIcones();
    void minimizaTodos();

    void mostraConfiguracao();
    void mostraSobre();
    void configuraImpressora();

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Abertura {
        std::function<QWidget*()> criaFilha;
        std::function<void()> mostraDialogo;
    };

    void criaMenus();
    void criaBarraFerramentas();
    void criaBarraStatus();
    QAction* criaEntrada(QMenu* menu, const char* nome, const QString& texto, const QString& dica);
    QAction* criaEntradaJanela(QMenu* menu, const char* nome, const QString& texto, const QString& dica);
    QToolButton* criaBotao(const char* nome, const char* icone, const QString& dica, QAction* entrada);
    void abreEntrada(QAction* entrada);
    void atualizaMenuJanela();
    void gravaOrdenacoes();
    bool teclaCalculadora(QObject* objeto, QKeyEvent* tecla);

    Sessao& sessao_;
    QMdiArea* area_ = nullptr;
    JanelasFilhas* janelas_ = nullptr;
    QMenu* menuJanela_ = nullptr;
    QList<QAction*> entradasJanelaFixas_;
    QLabel* painelData_ = nullptr;
    QLabel* painelDica_ = nullptr;
    QHash<QAction*, QToolButton*> botaoDaEntrada_;
    QHash<QAction*, Abertura> aberturas_;
    TFCalculadora* calculadora_ = nullptr;
    TFConfig* configuracao_ = nullptr;
    TFSobre* sobre_ = nullptr;
    PinturaAreaTrabalho* fundo_ = nullptr;
    std::unique_ptr<QPrinter> impressora_;
    QPointer<QWidget> ultimoFocoForaCalculadora_;
    bool ordenacoesGravadas_ = false;
};

}  // namespace korva::ui
