#include "register/CamposJson.h"

#include <cmath>
#include <cstdint>

#include "register/RegrasAcrescimos.h"
#include "storage/Tabela.h"
#include "util/Data.h"
#include "util/Erros.h"

namespace korva {

using nlohmann::json;

json ValorParaJson(const DefCampo& f, const Valor& v) {
    if (v.nulo()) return nullptr;
    switch (f.tipo) {
    case TipoCampo::Smallint:
    case TipoCampo::Integer:
    case TipoCampo::Autoinc: return v.comoInteiro();
    case TipoCampo::Float:
    case TipoCampo::Time: return v.comoNumero();
    case TipoCampo::Boolean: return v.comoLogico();
    case TipoCampo::Date: return v.comoData().dma();
    case TipoCampo::String:
    case TipoCampo::Memo: return v.comoTexto();
    }
    return nullptr;
}

Valor ValorDeJson(const DefCampo& f, const json& j) {
    if (j.is_null()) return Valor();
    auto invalido = [&](const std::string& esperado) {
        return ErroKorva("Valor inválido para o campo " + f.nome + ": " + j.dump() + " (esperado " + esperado + ").");
    };
    switch (f.tipo) {
    case TipoCampo::Smallint:
    case TipoCampo::Integer:
    case TipoCampo::Autoinc:
        if (j.is_number_integer()) return Valor(j.get<int64_t>());
        if (j.is_number_float()) {
            const double d = j.get<double>();
            if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15) return Valor(static_cast<int64_t>(d));
        }
        throw invalido("um número inteiro");
    case TipoCampo::Float:
    case TipoCampo::Time:
        if (j.is_number()) return Valor(j.get<double>());
        throw invalido("um número");
    case TipoCampo::Boolean:
        if (j.is_boolean()) return Valor(j.get<bool>());
        throw invalido("true ou false");
    case TipoCampo::Date:
        if (j.is_string())
            if (auto d = Data::lerDMA(j.get<std::string>())) return Valor(*d);
        throw invalido("uma data dd/mm/aaaa");
    case TipoCampo::String:
    case TipoCampo::Memo:
        if (j.is_string()) return Valor(j.get<std::string>());
        throw invalido("um texto");
    }
    throw invalido("outro tipo");
}

void DefineCampoJson(Tabela& t, const DefCampo& f, const json& j) {
    const Valor v = ValorDeJson(f, j);
    try {
        t[f.nome] = v;
    } catch (const ErroCampo&) {
        throw;
    } catch (const std::exception& e) {
        const std::string texto = e.what();
        throw ErroKorva(f.nome + ": " + texto);
    }
}

std::string MensagemLinha(const std::exception& e) {
    if (auto c = dynamic_cast<const ErroCampo*>(&e)) return c->campo() + ": " + e.what();
    return e.what();
}

}  // namespace korva
