#include "prorata/DefaultsProrrata.h"

#include "prorata/RegistrosProrrata.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"

namespace korva {

DefaultsProrrata::DefaultsProrrata(Banco& privado)
    : padrao_(privado, kTabelaDefProrrata), acrescimos_(privado, kTabelaDefAcrescProrrata) {}

DefaultsProrrata::~DefaultsProrrata() = default;

void DefaultsProrrata::abre() {
    padrao_.abre();
    const int linhas = padrao_.quantidade();
    if (linhas > 1) {
        padrao_.fecha();
        throw ErroKorva(MensagemDanificada);
    }
    acrescimos_.abre();
    acrescimos_.defineIndice("");
    AplicaRegrasAcrescProrrata(acrescimos_);
    // The dialog offers only 'Juros Legais' and 'Limitar Juros'.
    AplicaRegrasOpcoesProrrata(padrao_, 1);
    // A new defaults row starts with the options the dialog requires, so that
    // storing it at once gives records that can be computed.
    padrao_.aoNovoRegistro = [](Tabela& t) {
        t["ComJuros"] = true;
        t["JurosConstantes"] = true;
        t["ValorJuros"] = 0.0;
        t["Indice"] = 1;
        t["FormaAbatimento"] = "J";
        t["UsarJurosPadrao"] = 0;
        t["ValorFGTS"] = 0.0;
        t["CalcularJurosFGTS"] = false;
    };
    if (linhas == 0) padrao_.insere();
}

void DefaultsProrrata::fecha() {
    if ((padrao_.aberta() && padrao_.editando()) || (acrescimos_.aberta() && acrescimos_.editando()))
        OperacaoPendente(0);
    padrao_.fecha();
    acrescimos_.fecha();
}

}  // namespace korva
