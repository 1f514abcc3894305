#pragma once
// The parties of one calculation (its table C): a grid of name, kind of
// party, document type and number, the navigator, and the import of the
// parties found by the companion program when the setting "Integra Partes"
// is "S". A modal dialog opened by the register's "P&artes" button:
//
//     TFPartes partes(sessao, registro.conjunto().NomeDiretorio(),
//                     processo, registro.conjunto().arquivo(), this);
//     partes.exec();
#include "app/ui/DialogoTabelas.h"
#include <memory>
#include <string>

class QCloseEvent;
class QPushButton;

namespace korva {
class Partes;
class Sessao;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFPartes : public DialogoTabelas {
    Q_OBJECT
public:
    // `nomeDiretorio` is the calculation's folder relative to the private
    // root ("Sub00001\"), `arquivo` its file number; the table is opened here
    // (it must exist: the register makes sure of it before opening the dialog).
    TFPartes(Sessao& sessao, const std::string& nomeDiretorio, const std::string& processo, int arquivo,
             QWidget* pai = nullptr);
    ~TFPartes() override;

    Partes& partes() { return *partes_; }
    ModeloTabela& modelo() { return *modelo_; }
    GradeTabela& grade() { return *grade_; }

protected:

private:
    void importa();
    // Stores nothing: refuses (message shown) while a row is being edited or
    // inserted, otherwise closes the table.
    bool fecha() override;

    Sessao& sessao_;
    std::unique_ptr<Partes> partes_;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    QPushButton* btImporta_ = nullptr;
    QPushButton* btFecha_ = nullptr;
};

}  // namespace korva::ui
