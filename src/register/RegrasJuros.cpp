#include "register/RegrasJuros.h"

#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

void AplicaRegrasJuros(Tabela& t) {
    t.validaCampo("Forma", [](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        const std::string forma = Maiusculas(novo.comoTexto());
        if (forma != "S" && forma != "C") throw ErroKorva("Valor Inválido para o Campo!");
    });
    t.aoAlterarCampo("Forma", [](Tabela& tab) {
        const Valor& v = tab.valor("Forma");
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(v.comoTexto());
        if (maiusculo != v.comoTexto()) tab["Forma"] = maiusculo;
    });
}

}  // namespace korva
