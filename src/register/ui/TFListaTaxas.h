#pragma once
// The rate list: a modal dialog over one social-security rate table
// (PrevEmpregador.DB, PrevTerceiro.DB or PrevSAT.DB) ordered by activity,
// with the search "Pesquisa:" matched as the search options say. The caller
// sets the caption and the table; "&OK" (or a double click on a row) hands
// back the chosen row's rate.
//
// One instance serves the whole program: TFListaTaxas::Instancia() creates
// it on first use as a child of the main window, with its session and the
// program's search options (TFOpcoesPesquisa::Instancia()).
//
//     auto& lista = TFListaTaxas::Instancia();
//     if (lista.executa("KORVA - Pesquisa de Recolhimento do Empregador",
//                       "PrevEmpregador.DB") == QDialog::Accepted)
//         taxa = *lista.taxa();
#include <QDialog>

#include <memory>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace korva {
class ListaTaxas;
class Sessao;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class TFOpcoesPesquisa;

class TFListaTaxas : public QDialog {
    Q_OBJECT
public:
    // The search options must outlive the list.
    TFListaTaxas(Sessao& sessao, TFOpcoesPesquisa& opcoes, QWidget* pai = nullptr);
    ~TFListaTaxas() override;

    // The program's one instance (needs the main window to exist).
    static TFListaTaxas& Instancia();

    // Shows the list of `tabela` modally under the caption `titulo`.
    // QDialog::Accepted after "&OK" or a double click, with taxa() set.
    int executa(const QString& titulo, const std::string& tabela);

    // The chosen row's Taxa; empty after a cancel.
    std::optional<double> taxa() const { return taxa_; }

    ListaTaxas& lista() { return *lista_; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void atualizaBotoes();
    void pesquisa();
    void confirma();

    Sessao& sessao_;
    TFOpcoesPesquisa& opcoes_;
    std::unique_ptr<ListaTaxas> lista_;
    std::unique_ptr<ModeloTabela> modelo_;
    std::optional<double> taxa_;

    GradeTabela* grade_ = nullptr;
    QLineEdit* edPesquisa_ = nullptr;
    QPushButton* btPesquisa_ = nullptr;
    QPushButton* btOpcoes_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancela_ = nullptr;
};

}  // namespace korva::ui
