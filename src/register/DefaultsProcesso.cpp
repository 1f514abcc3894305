#include "register/DefaultsProcesso.h"

#include "register/OpcoesProcesso.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {

DefaultsProcesso::DefaultsProcesso(Banco& privado)
    : processo_(privado, "DefProcesso.DB"), acrescimos_(privado, "DefAcrescimos.DB") {}

DefaultsProcesso::~DefaultsProcesso() = default;

void DefaultsProcesso::abre() {
    processo_.abre();
    const int linhas = processo_.quantidade();
    if (linhas > 1) {
        processo_.fecha();
        throw ErroKorva(MensagemDanificada);
    }
    acrescimos_.abre();
    AplicaRegrasAcrescimos(acrescimos_);

    // A new row starts with the required options filled: no addition of the
    // claimant's contribution, legal interest, no income tax.
    processo_.aoNovoRegistro = [](Tabela& t) {
        t["AdicionarINSSRecte"] = false;
        t["CalculoJuros"] = JurosLegais;
        t["OpcaoIR"] = 1;
        t["IRSobreJuros"] = false;
        t["AnularReflexoNegativo"] = false;
    };
    processo_.aoAlterarCampo("Calculista", [this](Tabela& t) {
        if (formatando_) return;
        const Valor& v = t.valor("Calculista");
        if (v.nulo()) return;
        const std::string nome = Literais::NomeProprio(v.comoTexto());
        if (nome == v.comoTexto()) return;
        formatando_ = true;
        try {
            t["Calculista"] = nome;
        } catch (...) {
            formatando_ = false;
            throw;
        }
        formatando_ = false;
    });
    if (linhas == 0) processo_.insere();
}

void DefaultsProcesso::fecha() {
    if ((processo_.aberta() && processo_.editando()) || (acrescimos_.aberta() && acrescimos_.editando()))
        OperacaoPendente(0);
    processo_.fecha();
    acrescimos_.fecha();
}

std::vector<std::string> DefaultsProcesso::explicacaoJuros() const {
    if (!processo_.aberta()) return {};
    const Valor& m = processo_.valor("CalculoJuros");
    return ExplicacaoJuros(m.nulo() ? -1 : static_cast<int>(m.comoInteiro()), true);
}

}  // namespace korva
