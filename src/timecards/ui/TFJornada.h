#pragma once
// "KORVA - Jornadas de Trabalho (...)": the work schedules of one calculation
// (its table F). A grid lists the schedules in `Data1` order with their daily
// figures; the panel below edits the scheduled times and tolerances of the
// current one. Its three buttons open, for the current schedule, the card
// generation, the card entry and the time-card reports. Opened modally by
// the register's "P&onto":
//
//     TFJornada jornadas(sessao, calculo, this);
//     jornadas.exec();
#include "app/ui/DialogoTabelas.h"

#include <map>
#include <memory>
#include <string>

#include "parameters/CalculoAberto.h"

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace korva {
class Jornadas;
class Sessao;
}  // namespace korva

namespace korva::ui {

class GradeTabela;
class ModeloTabela;
class NavegadorTabela;

class TFJornada : public DialogoTabelas {
    Q_OBJECT
public:
    TFJornada(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai = nullptr);
    ~TFJornada() override;

    Jornadas& jornadas() { return *jornadas_; }
    ModeloTabela& modelo() { return *modelo_; }
    GradeTabela& grade() { return *grade_; }
    NavegadorTabela& navegador() { return *navegador_; }
    // The panel's edit of a scheduled time or tolerance ("PrevHE1", "TolAntHS2"...).
    QLineEdit* campoPainel(const std::string& campo) const;

private:
    void criaPainel(QGridLayout* grade);
    void atualizaPainel();
    void atualizaBotoes();
    void gravaCampoPainel(const std::string& campo);
    // Makes sure table G exists and returns its name.
    std::string preparaCartoes();
    void gerarCartoes();
    void digitarCartoes();
    void relatorios();
    bool fecha() override;

    Sessao& sessao_;
    CalculoAberto calculo_;
    std::unique_ptr<Jornadas> jornadas_;
    ModeloTabela* modelo_ = nullptr;
    GradeTabela* grade_ = nullptr;
    NavegadorTabela* navegador_ = nullptr;
    std::map<std::string, QLineEdit*> painel_;
    QPushButton* btGerar_ = nullptr;
    QPushButton* btDigitar_ = nullptr;
    QPushButton* btRelatorios_ = nullptr;
    bool atualizando_ = false;
};

}  // namespace korva::ui
