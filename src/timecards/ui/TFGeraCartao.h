#pragma once
// "KORVA - Gerar Cartões de Ponto": generates the cards of a span of days
// within one schedule's period from standard punch times (weekdays,
// Saturdays, Sundays), the weekday and the holiday table. The generation is
// the core's (korva::GeraCartoes): every input is checked before a card is
// written, and a refused generation writes nothing.
#include <QDialog>

#include <array>
#include <string>

#include "util/Data.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace korva {
class Sessao;
struct OpcoesGeracaoCartoes;
}  // namespace korva

namespace korva::ui {

class TFGeraCartao : public QDialog {
    Q_OBJECT
public:
    // `tabelaG` relative to the private folder (it must exist); the period is
    // the schedule's Data1..Data2.
    TFGeraCartao(Sessao& sessao, std::string tabelaG, Data data1, Data data2, QWidget* pai = nullptr);
    ~TFGeraCartao() override;

    // The eight time edits of a group: 0 weekdays, 1 Saturdays, 2 Sundays.
    QLineEdit* horario(int grupo, int i) const { return horarios_[grupo][i]; }
    // What the last generation wrote.
    int cartoesGerados() const { return gerados_; }

private:
    OpcoesGeracaoCartoes opcoes() const;
    void gera();

    Sessao& sessao_;
    std::string tabela_;
    Data data1_, data2_;
    QDateEdit* edDe_ = nullptr;
    QDateEdit* edAte_ = nullptr;
    std::array<std::array<QLineEdit*, 8>, 3> horarios_{};
    QCheckBox* cbFeriados_ = nullptr;
    QCheckBox* cbSobrepor_ = nullptr;
    QCheckBox* cbSabadoFolga_ = nullptr;
    QCheckBox* cbInserirSabados_ = nullptr;
    QCheckBox* cbDomingoFolga_ = nullptr;
    QCheckBox* cbInserirDomingos_ = nullptr;
    int gerados_ = 0;
};

}  // namespace korva::ui
