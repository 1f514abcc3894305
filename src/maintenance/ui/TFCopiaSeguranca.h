#pragma once
// The backup dialog "KORVA - Cópia de Segurança/Backup": the database (its
// folder shown, not editable), the other folder chosen in a folder tree, the
// operation, the tables of the source folder, and "&Executar", which runs the
// backup or the restore (ExecutaCopiaSeguranca) behind a progress panel
// centred on the dialog.
//
// The copy runs on the user-interface thread, like every long operation of
// the program: the progress callback of each table updates the panel and
// processes the pending window events, so the dialog repaints and the main
// window keeps drawing. Meanwhile the dialog's controls are disabled and it
// cannot be closed, so nothing the user does can start a second copy or
// change the folders under the one that runs. A worker thread would buy
// nothing more: the dialog is modal and the user has to wait for the end
// anyway, and the tables' datasets are not meant to be shared between threads.
#include <QDialog>

#include <string>

class QCloseEvent;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeView;
class QWidget;

namespace korva {
class Sessao;
struct PassoCopia;
}  // namespace korva

namespace korva::ui {

class TFCopiaSeguranca : public QDialog {
    Q_OBJECT
public:
    explicit TFCopiaSeguranca(Sessao& sessao, QWidget* pai = nullptr);
    ~TFCopiaSeguranca() override;

    // Puts the dialog in its state at showing (the first database, backup)
    // and runs it modally.
    int exec() override;
    // The state at showing, without showing the dialog.
    void prepara();

    // The folder chosen in the tree (or typed in its line).
    QString pastaEscolhida() const;
    // Chooses a folder as the user does in the tree; a folder that does not
    // exist is only shown in the line (a backup creates it).
    void escolhePasta(const QString& pasta);
    // The database folder of the chosen alias.
    QString pastaBanco() const;

    // True while "&Executar" runs.
    bool executando() const { return executando_; }

public slots:
    // Ignored while the copy runs.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void criaModeloPastas();
    void aoMudarBanco();
    void aoMudarOperacao();
    void aoEscolherNaArvore();
    void aoDigitarPasta();
    void atualizaArquivos();
    void executa();
    void mostraPasso(const PassoCopia& passo);
    void mostraSubstituicao(size_t numero, size_t total);
    void mostraPainel();
    void centraPainel();
    void escreveLinha(QLabel* rotulo, const QString& texto);
    bool backup() const;

    Sessao& sessao_;
    bool executando_ = false;

    QWidget* controles_ = nullptr;
    QComboBox* cbBanco_ = nullptr;
    QLineEdit* edPastaBanco_ = nullptr;
    QGroupBox* rgOperacao_ = nullptr;
    QRadioButton* rbBackup_ = nullptr;
    QRadioButton* rbRestauracao_ = nullptr;
    QLabel* lbPasta_ = nullptr;
    QLineEdit* edPasta_ = nullptr;
    QTreeView* tvPastas_ = nullptr;
    QFileSystemModel* modeloPastas_ = nullptr;
    QListWidget* lsArquivos_ = nullptr;
    QPushButton* btExecutar_ = nullptr;

    QFrame* pnProgresso_ = nullptr;
    QLabel* lbCopiando_ = nullptr;
    QLabel* lbDe_ = nullptr;
    QLabel* lbPara_ = nullptr;
    QProgressBar* pbProgresso_ = nullptr;
};

}  // namespace korva::ui
