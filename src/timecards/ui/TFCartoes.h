#pragma once
// "KORVA - Marcações de Ponto (...)": the time cards of one schedule's period
// (table G), typed one by one. Above the grid the filter's two dates and
// button and the key legend; below it the navigator. The rules (period
// check, remembered card, proposed date, F3/F4/F7/F8, filter) are the core's
// (korva::Cartoes); the window binds and shows them.
#include "app/ui/DialogoTabelas.h"

#include <memory>
#include <string>

#include "util/Data.h"

class QDateEdit;
class QPushButton;

namespace korva {
class Cartoes;
class Sessao;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFCartoes : public DialogoTabelas {
    Q_OBJECT
public:
    // `tabelaG` relative to the private folder (it must exist); the period is
    // the schedule's Data1..Data2; `turnos` decides the punch columns shown.
    TFCartoes(Sessao& sessao, const std::string& tabelaG, Data data1, Data data2, int turnos,
              QWidget* pai = nullptr);
    ~TFCartoes() override;

    Cartoes& cartoes() { return *cartoes_; }
    ModeloTabela& modelo() { return *modelo_; }
    GradeTabela& grade() { return *grade_; }
    NavegadorTabela& navegador() { return *navegador_; }

private:
    bool tecla(int tecla, int coluna);
    void alternaFiltro();
    bool fecha() override;

    std::unique_ptr<Cartoes> cartoes_;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    QDateEdit* edDe_ = nullptr;
    QDateEdit* edAte_ = nullptr;
    QPushButton* btFiltro_ = nullptr;
};

}  // namespace korva::ui
