#include "apoio/MensagemMostrada.h"

#include <exception>

#include "storage/Excecoes.h"

namespace korva::teste {
namespace {

class Gravada : public ApresentacaoErros {
public:
    void beep() override {}
    void mostraInformacao(const std::string& t) override { texto = t; }
    void mostraErro(const std::string& t) override { texto = t; }
    void mostraCodigo(const std::string&) override {}
    std::string texto;
};

}  // namespace

std::string MensagemMostrada(const std::function<void()>& operacao) {
    try {
        operacao();
    } catch (const std::exception& e) {
        Gravada tela;
        TratarExcecao(tela).TrataExcecao("Teste", e);
        return tela.texto;
    }
    return "";
}

}  // namespace korva::teste
