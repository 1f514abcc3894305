#pragma once
// The error handler's way of showing things in the desktop program: the
// system beep and message boxes with an OK button, captioned "KORVA".
#include "storage/Excecoes.h"

namespace korva::ui {

class ApresentacaoQt : public ApresentacaoErros {
public:
    void beep() override;
    void mostraInformacao(const std::string& texto) override;
    void mostraErro(const std::string& texto) override;
    void mostraCodigo(const std::string& texto) override;
};

}  // namespace korva::ui
