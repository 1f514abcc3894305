#include "parameters/LinhaParametros.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Validacoes.h"
#include "parameters/VerbasCatalogo.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

int InteiroOuZero(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }

bool ZeroOuVazio(const Valor& v) {
    if (v.nulo()) return true;
    if (v.ehTexto()) return v.comoTexto().empty();
    if (v.ehLogico()) return !v.comoLogico();
    return v.comoNumero() == 0;
}

void LigaMesesEAnos(Tabela& t, std::initializer_list<const char*> meses, std::initializer_list<const char*> anos) {
    for (const char* m : meses)
        t.validaCampo(m, [](Tabela&, const Valor& v) {
            if (!v.nulo()) ValidaMes(static_cast<int>(v.comoInteiro()));
        });
    for (const char* a : anos) {
        const std::string campo = a;
        t.validaCampo(campo, [](Tabela&, const Valor& v) {
            if (!v.nulo()) ValidaAno(AnoCompleto(static_cast<int>(v.comoInteiro())));
        });
        t.aoAlterarCampo(campo, [campo](Tabela& tab) {
            const Valor& v = tab.valor(campo);
            if (v.nulo()) return;
            const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
            if (completo != v.comoInteiro()) tab[campo] = completo;
        });
    }
}

void NormalizaAnos(Tabela& t, std::initializer_list<const char*> anos) {
    for (const char* a : anos) {
        const Valor& v = t.valor(a);
        if (v.nulo()) continue;
        const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
        if (completo != v.comoInteiro()) t[a] = completo;
    }
}

void LigaLetrasEDivisor(Tabela& t, std::function<bool(const std::string&)> vfmValido,
                        std::function<void()> aoMudarVfm) {
    for (const char* c : {"VFM", "Diferenca", "INSS"}) {
        const std::string campo = c;
        t.validaCampo(campo, [campo, vfmValido](Tabela&, const Valor& v) {
            if (v.nulo()) return;
            const std::string s = Maiusculas(v.comoTexto());
            if (campo == "VFM" && !vfmValido(s)) throw ErroKorva("Valor Inválido para o Campo!");
            if (campo == "Diferenca" && !s.empty() && s != "Z" && s != "C")
                throw ErroKorva("Valor Inválido para o Campo!");
        });
        t.aoAlterarCampo(campo, [campo, aoMudarVfm](Tabela& tab) {
            const Valor& v = tab.valor(campo);
            if (!v.nulo()) {
                const std::string s = Maiusculas(v.comoTexto());
                if (s != v.comoTexto()) {
                    tab[campo] = s;
                    return;  // the change of the capitals runs this again
                }
            }
            if (campo == "VFM") aoMudarVfm();
        });
    }
    t.validaCampo("Divisor", [](Tabela&, const Valor& v) {
        if (!v.nulo() && std::fabs(v.comoNumero()) <= 0.5) throw ErroKorva("ERRO! Divisor não pode ser zero.");
    });
}

void AplicaItemEVfm(Tabela& t, std::vector<std::string>& obrigatorios,
                    const std::optional<std::vector<std::string>>& novos) {
    if (novos) obrigatorios = *novos;
    const int item = InteiroOuZero(t.valor("Item"));
    const bool temItem = !t.valor("Item").nulo();
    if (t.editando() && temItem && ItemFixo(item) && t.valor("VFM").comoTexto() != "F") t["VFM"] = "F";
    if (temItem && TerminaEmZero(item)) {
        if (std::find(obrigatorios.begin(), obrigatorios.end(), "Diferenca") == obrigatorios.end())
            obrigatorios.push_back("Diferenca");
        if (t.editando() && t.valor("Diferenca").comoTexto() != "Z") t["Diferenca"] = "Z";
    } else if (t.editando() && !t.valor("Diferenca").nulo()) {
        t["Diferenca"] = Valor();
    }
}

void ValidaItens(const Tabela& t, const std::string& campo, const Valor& novo, VerbasCatalogo& catalogo,
                 const std::function<std::string(int item)>& msgIgualBase) {
    if (novo.nulo()) return;
    auto de = [&](const char* c) { return campo == c ? novo : t.valor(c); };
    const Valor item = de("Item"), base = de("Base"), media = de("ItemMedia");
    if (!item.nulo() && !base.nulo() && item.comoInteiro() == base.comoInteiro())
        throw ErroKorva(msgIgualBase(static_cast<int>(item.comoInteiro())));
    if (!item.nulo() && !media.nulo() && item.comoInteiro() == media.comoInteiro())
        throw ErroKorva("O Item de Cálculo não pode ser igual ao Item Base da Média!");
    if (!catalogo.Existe(static_cast<int>(novo.comoInteiro()))) throw ErroKorva("Item de Cálculo inválido!");
}

LinhaLembrada LeLinha(const Tabela& t, std::initializer_list<const char*> excluidos) {
    LinhaLembrada linha;
    for (const auto& f : t.definicao().campos) {
        const bool fora = std::any_of(excluidos.begin(), excluidos.end(),
                                      [&](const char* e) { return f.nome == e; });
        if (!fora) linha[f.nome] = t.valor(f.nome);
    }
    return linha;
}

void CopiaLinhaLembrada(Tabela& t, const LinhaLembrada& linha,
                        const std::function<bool(const std::string&)>& comoEsta) {
    for (const auto& f : t.definicao().campos) {
        auto it = linha.find(f.nome);
        if (it == linha.end()) continue;
        if (comoEsta(f.nome) || !ZeroOuVazio(it->second)) t[f.nome] = it->second;
    }
}

bool CopiaCampoLembrado(Tabela& t, const LinhaLembrada& linha, const std::string& campo) {
    auto it = linha.find(campo);
    if (it == linha.end() || ZeroOuVazio(it->second)) return false;
    t[campo] = it->second;
    return true;
}

}  // namespace korva
