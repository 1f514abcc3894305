#include "register/RegrasAcrescimos.h"

#include "storage/Tabela.h"
#include "util/Texto.h"

namespace korva {
namespace {

constexpr const char* ValorInvalidoTipo = "Valor Inválido para o Campo!";
constexpr const char* ValorInvalidoLimite = "Valor inválido para o campo!";
constexpr const char* LimitesInvertidos = "Limite mínimo não pode ser maior que limite máximo!";
constexpr const char* CampoObrigatorio = "Campo obrigatório não preenchido ou preenchido incorretamente.";

void ConfereLimites(double minimo, double maximo) {
    if (minimo > 0 && maximo > 0 && maximo < minimo) throw ErroKorva(LimitesInvertidos);
}

}  // namespace

void AplicaRegrasAcrescimos(Tabela& t) {
    t.validaCampo("Tipo", [](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;  // an empty type is caught as a required field when stored
        const std::string tipo = Maiusculas(novo.comoTexto());
        if (tipo != "V" && tipo != "P") throw ErroKorva(ValorInvalidoTipo);
    });
    t.aoAlterarCampo("Tipo", [](Tabela& tab) {
        const Valor& v = tab.valor("Tipo");
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(v.comoTexto());
        if (maiusculo != v.comoTexto()) tab["Tipo"] = maiusculo;
    });
    t.validaCampo("LimMinimo", [](Tabela& tab, const Valor& novo) {
        if (novo.nulo()) return;
        if (novo.comoNumero() < 0) throw ErroKorva(ValorInvalidoLimite);
        ConfereLimites(novo.comoNumero(), tab.valor("LimMaximo").comoNumero());
    });
    t.validaCampo("LimMaximo", [](Tabela& tab, const Valor& novo) {
        if (novo.nulo()) return;
        if (novo.comoNumero() < 0) throw ErroKorva(ValorInvalidoLimite);
        ConfereLimites(tab.valor("LimMinimo").comoNumero(), novo.comoNumero());
    });
    t.antesGravar = [](Tabela& tab) {
        if (tab.valor("Tipo").comoTexto() != "P") {
            tab["LimMinimo"] = 0.0;
            tab["LimMaximo"] = 0.0;
            if (tab.valor("DtBase").nulo()) throw ErroCampo(CampoObrigatorio, "DtBase");
        } else {
            tab["DtBase"].limpa();
            if (tab.valor("LimMinimo").nulo()) tab["LimMinimo"] = 0.0;
            if (tab.valor("LimMaximo").nulo()) tab["LimMaximo"] = 0.0;
        }
    };
}

}  // namespace korva
