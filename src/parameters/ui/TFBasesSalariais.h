#pragma once
// The salary bases of a calculation (its table I): all months, or one month and year.
#include <QDialog>
#include <string>

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFBasesSalariais : public QDialog {
    Q_OBJECT
public:
    TFBasesSalariais(Sessao& sessao, const std::string& tabelaI, int mes = 0, int ano = 0, QWidget* pai = nullptr);
    ~TFBasesSalariais() override;
};

}  // namespace korva::ui
