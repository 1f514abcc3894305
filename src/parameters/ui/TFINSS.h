#pragma once
// "KORVA - Bases de Cálculo do INSS (...)": the social-security bases of a
// calculation (its table D) in a grid with its navigator, and above it
// "Buscar dados dos parâmetros", which fills them from the month rows of one
// item. The rules are the core's (korva::BasesINSS).
//
//     TFINSS janela(sessao, calculo.tabela('D'), calculo.tabela('B'), this);
//     janela.exec();
#include <memory>
#include <string>

#include "parameters/ui/JanelaBasesMensais.h"

class QPushButton;

namespace korva {
class BasesINSS;
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFINSS : public JanelaBasesMensais {
    Q_OBJECT
public:
    // Table D is opened here (it must exist, as must the month grid B).
    TFINSS(Sessao& sessao, const std::string& tabelaD, const std::string& tabelaB, QWidget* pai = nullptr);
    ~TFINSS() override;

    BasesINSS& bases() { return *bases_; }

    // "Buscar dados dos parâmetros": asks the item code and gathers its month rows.
    void buscaDados();

protected:
    void estadoMudou() override;

private:
    std::unique_ptr<BasesINSS> bases_;
    QPushButton* btBuscar_ = nullptr;
};

}  // namespace korva::ui
