#pragma once
// "KORVA - Bases Salariais (...)": the salary bases of a calculation (its
// table I) in a grid with its navigator, for all months or, opened from the
// month grid, for one month and year, whose month and year every row keeps.
// The rules are the core's (korva::BasesSalariais).
//
//     TFBasesSalariais janela(sessao, calculo.tabela('I'), mes, ano, this);
//     janela.exec();
#include <memory>
#include <string>

#include "parameters/ui/JanelaBasesMensais.h"

namespace korva {
class BasesSalariais;
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFBasesSalariais : public JanelaBasesMensais {
    Q_OBJECT
public:
    // Month 0 shows every month. The table is opened here (it must exist).
    TFBasesSalariais(Sessao& sessao, const std::string& tabelaI, int mes = 0, int ano = 0, QWidget* pai = nullptr);
    ~TFBasesSalariais() override;

    BasesSalariais& bases() { return *bases_; }

private:
    std::unique_ptr<BasesSalariais> bases_;
};

}  // namespace korva::ui
