#pragma once
// The lawsuit list "KORVA - Lista de Processos": a modal dialog that picks a
// calculation of Processo.DB. With a lawsuit number other than "0" (or a
// group other than 0) it is the source of a duplicate, with the panel
// " Duplicar os seguintes dados: "; with "0" and 0 it is the calculation whose
// totals the pro-rata window imports, with " Importar os seguintes dados: ".
// The calculation given is never offered. The check boxes keep their state
// from one showing to the next.
//
// One instance serves the whole program: TFListaProcessos::Instancia()
// creates it on first use as a child of the main window, with the main
// window's session, and it lives until the main window goes.
//
//     auto& lista = TFListaProcessos::Instancia();
//     if (lista.executa(processo, codRecte) == QDialog::Accepted) {
//         const auto& e = *lista.escolha();   // e.pasta, e.arquivo, e.copias...
//     }
#include <QDialog>

#include <memory>
#include <optional>
#include <string>

#include "register/ListaProcessos.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace korva {
class Sessao;
}

namespace korva::ui {

class GradeTabela;
class ModeloTabela;

class TFListaProcessos : public QDialog {
    Q_OBJECT
public:
    explicit TFListaProcessos(Sessao& sessao, QWidget* pai = nullptr);
    ~TFListaProcessos() override;

    // The program's one instance (needs the main window to exist).
    static TFListaProcessos& Instancia();

    // Shows the list modally for the calculation given (its row is hidden;
    // "0" and 0 select the pro-rata mode). QDialog::Accepted after "&OK" or a
    // double click on a row, with escolha() set; QDialog::Rejected otherwise.
    int executa(const std::string& processo, int codRecte);

    // What "&OK" handed back: the chosen row's folder, file name part,
    // figures and the state of the check boxes. Empty after a cancel.
    const std::optional<ListaProcessos::Escolha>& escolha() const { return escolha_; }

    // The check boxes' state, also between showings.
    const RegistroProcessos::Copias& copias() { return lista_.copias(); }
    const ListaProcessos::Importacao& importacao() { return lista_.importacao(); }

    ListaProcessos& lista() { return lista_; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void montaModelo();
    void aplicaModo();
    void atualizaBotoes();
    void pesquisa();
    void confirma();

    Sessao& sessao_;
    ListaProcessos lista_;
    std::optional<ListaProcessos::Escolha> escolha_;
    std::unique_ptr<ModeloTabela> modelo_;

    GradeTabela* grade_ = nullptr;
    QLineEdit* edPesquisa_ = nullptr;
    QPushButton* btPesquisa_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancela_ = nullptr;
    QGroupBox* pnDuplicar_ = nullptr;
    QGroupBox* pnImportar_ = nullptr;
    QCheckBox* cbParam1_ = nullptr;
    QCheckBox* cbParam2_ = nullptr;
    QCheckBox* cbBasesINSS_ = nullptr;
    QCheckBox* cbAcrescimos_ = nullptr;
    QCheckBox* cbJuros_ = nullptr;
    QCheckBox* cbINSSEmpresa_ = nullptr;
    QCheckBox* cbIR_ = nullptr;
};

}  // namespace korva::ui
