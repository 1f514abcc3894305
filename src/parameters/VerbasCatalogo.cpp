#include "parameters/VerbasCatalogo.h"

#include "storage/Banco.h"
#include "storage/Tabela.h"

namespace korva {
namespace {

std::optional<double> Numero(const Valor& v) {
    if (v.nulo()) return std::nullopt;
    return v.comoNumero();
}

std::optional<int> Inteiro(const Valor& v) {
    if (v.nulo()) return std::nullopt;
    return static_cast<int>(v.comoInteiro());
}

}  // namespace

std::optional<VerbaCatalogo> VerbasCatalogo::Busca(int codigo) {
    const auto r = banco_.consulta(
        "select Codigo, DescRend, Qtde, Indice, Divisor, Base, INSS, IR, Tipo from Rendimen where Codigo=:C",
        {kTabelaRendimentos}, {{"C", codigo}});
    if (r.empty()) return std::nullopt;
    const LinhaConsulta& l = r.front();
    VerbaCatalogo v;
    v.codigo = static_cast<int>(l["Codigo"].comoInteiro());
    v.descricao = l["DescRend"].nulo() ? std::string() : l["DescRend"].comoTexto();
    v.padroes.qtde = Numero(l["Qtde"]);
    v.padroes.indice = Numero(l["Indice"]);
    v.padroes.divisor = Numero(l["Divisor"]);
    v.padroes.base = Inteiro(l["Base"]);
    v.padroes.inss = l["INSS"].nulo() ? std::string() : l["INSS"].comoTexto();
    v.ir = Inteiro(l["IR"]);
    v.tipo = l["Tipo"].nulo() ? std::string() : l["Tipo"].comoTexto();
    return v;
}

bool VerbasCatalogo::Existe(int codigo) {
    return !banco_.consulta("select Codigo from Rendimen where Codigo=:C", {kTabelaRendimentos}, {{"C", codigo}})
                .empty();
}

std::string VerbasCatalogo::Descricao(int codigo) {
    const auto r =
        banco_.consulta("select DescRend from Rendimen where Codigo=:C", {kTabelaRendimentos}, {{"C", codigo}});
    if (r.empty() || r.front()[0].nulo()) return {};
    return r.front()[0].comoTexto();
}

std::vector<ReflexoVerba> VerbasCatalogo::ReflexosDe(int base) {
    std::vector<ReflexoVerba> lista;
    for (const auto& l : banco_.consulta(
             "select Base, Reflexo, Qtde, Indice, Divisor from Reflexos where Base=:B order by Reflexo",
             {kTabelaReflexos}, {{"B", base}})) {
        ReflexoVerba r;
        r.base = static_cast<int>(l["Base"].comoInteiro());
        r.reflexo = static_cast<int>(l["Reflexo"].comoInteiro());
        r.qtde = l["Qtde"].nulo() ? 0 : l["Qtde"].comoNumero();
        r.indice = l["Indice"].nulo() ? 0 : l["Indice"].comoNumero();
        r.divisor = l["Divisor"].nulo() ? 0 : l["Divisor"].comoNumero();
        lista.push_back(r);
    }
    return lista;
}

std::vector<int> VerbasCatalogo::VerbasComReflexo(int reflexo) {
    std::vector<int> verbas;
    for (const auto& l : banco_.consulta("select Base from Reflexos where Reflexo=:R order by Base",
                                         {kTabelaReflexos}, {{"R", reflexo}}))
        verbas.push_back(static_cast<int>(l[0].comoInteiro()));
    return verbas;
}

void CopiaPadroes(const PadroesVerba& padroes, Tabela& linha) {
    if (linha.temCampo("INSS")) linha["INSS"] = padroes.inss.empty() ? Valor() : Valor(padroes.inss);
    if (padroes.qtde && linha.temCampo("Qtde")) linha["Qtde"] = *padroes.qtde;
    if (padroes.indice && linha.temCampo("Indice")) linha["Indice"] = *padroes.indice;
    if (padroes.divisor && linha.temCampo("Divisor")) linha["Divisor"] = *padroes.divisor;
    if (padroes.base && linha.temCampo("Base")) linha["Base"] = *padroes.base;
}

}  // namespace korva
