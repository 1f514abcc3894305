#include "parameters/Catalogo.h"

#include <optional>

#include "parameters/CodigosVerba.h"
#include "parameters/VerbasCatalogo.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {
namespace {

// A search text in "Código" order: an optional sign and up to nine digits.
std::optional<int> InteiroPesquisa(const std::string& texto) {
    size_t i = 0;
    if (i < texto.size() && (texto[i] == '-' || texto[i] == '+')) ++i;
    if (i == texto.size() || texto.size() - i > 9) return std::nullopt;
    for (size_t k = i; k < texto.size(); ++k)
        if (texto[k] < '0' || texto[k] > '9') return std::nullopt;
    return std::stoi(texto);
}

int CodigoDe(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }

std::string Lista(const std::vector<int>& codigos) {
    std::string s;
    for (int c : codigos) s += (s.empty() ? "" : ", ") + CodigoTresDigitos(c);
    return s;
}

// Runs `f` with the flag raised, so the rules let the value through.
template <class F>
void Interno(bool& flag, F f) {
    flag = true;
    try {
        f();
    } catch (...) {
        flag = false;
        throw;
    }
    flag = false;
}

}  // namespace

Catalogo::Catalogo(Banco& privado, TabelasReferencia& referencia)
    : banco_(privado),
      referencia_(referencia),
      rendimentos_(std::make_unique<Tabela>(privado, kTabelaRendimentos)),
      reflexos_(std::make_unique<Tabela>(privado, kTabelaReflexos)) {}

Catalogo::~Catalogo() = default;

bool Catalogo::aberto() const { return rendimentos_->aberta(); }

void Catalogo::abre() {
    ordem_ = OrdemCatalogo::Codigo;
    texto_.clear();
    filtrado_ = false;
    baseReflexos_ = -1;
    rendimentos_->abre();
    reflexos_->abre();
    regrasRendimentos(*rendimentos_);
    regrasReflexos(*reflexos_);
    rendimentos_->defineIndice("");
    rendimentos_->primeiro();
    acompanhaVerba();
}

void Catalogo::fecha() {
    if (!aberto()) return;
    if (rendimentos_->editando() || reflexos_->editando()) OperacaoPendente(0);
    reflexos_->fecha();
    rendimentos_->fecha();
}

// ---- order and search ----

void Catalogo::defineOrdem(OrdemCatalogo ordem) {
    ordem_ = ordem;
    rendimentos_->defineIndice(ordem == OrdemCatalogo::Codigo ? "" : "IndDescRend");
    if (ordem == OrdemCatalogo::Codigo && !InteiroPesquisa(texto_)) {
        texto_.clear();
        if (filtrado_) rendimentos_->limpaFiltro();
        filtrado_ = false;
    } else if (filtrado_) {
        // The search in force is read again by the rule of the new order.
        aplicaPesquisa(texto_);
    }
    acompanhaVerba();
}

bool Catalogo::TextoPesquisaValido(OrdemCatalogo ordem, const std::string& texto) {
    const std::string t = Apara(texto);
    return ordem != OrdemCatalogo::Codigo || t.empty() || InteiroPesquisa(t).has_value();
}

void Catalogo::pesquisa(const std::string& texto) {
    aplicaPesquisa(Apara(texto));
    acompanhaVerba();
}

void Catalogo::aplicaPesquisa(const std::string& texto) {
    Tabela& t = *rendimentos_;
    if (texto.empty()) {
        t.limpaFiltro();
        texto_.clear();
        filtrado_ = false;
        return;
    }
    if (ordem_ == OrdemCatalogo::Codigo) {
        const auto codigo = InteiroPesquisa(texto);
        if (!codigo) throw ErroKorva(MsgPesquisaInvalida);
        const int c = *codigo;
        t.defineFiltroFuncao([c](const Tabela& tab) { return CodigoDe(tab.valor("Codigo")) == c; });
    } else {
        const std::string procurado = Maiusculas(texto);
        const OpcaoPesquisa opcao = opcao_;
        t.defineFiltroFuncao([procurado, opcao](const Tabela& tab) {
            const Valor& d = tab.valor("DescRend");
            return !d.nulo() && PassaPesquisa(d.comoTexto(), procurado, opcao);
        });
    }
    texto_ = texto;
    filtrado_ = true;
}

bool Catalogo::painelPesquisaHabilitado() const { return !(rendimentos_->editando() && reflexos_->editando()); }

// ---- what the grids show ----

bool Catalogo::itemDoSistema() const {
    const Tabela& t = *rendimentos_;
    if (!t.aberta() || t.estado() == EstadoTabela::Insercao) return false;
    const Valor& tipo = t.valor("Tipo");
    return !tipo.nulo() && tipo.comoTexto() == TipoSistema;
}

int Catalogo::codigoAtual() const {
    const Tabela& t = *rendimentos_;
    if (!t.aberta() || t.estado() == EstadoTabela::Insercao || t.posicao() < 0) return 0;
    return CodigoDe(t.valor("Codigo"));
}

bool Catalogo::somenteLeitura(const std::string& campo) const {
    if (IguaisSemCaixa(campo, "Tipo")) return true;
    return itemDoSistema() && (IguaisSemCaixa(campo, "Codigo") || IguaisSemCaixa(campo, "DescRend"));
}

bool Catalogo::reflexoSomenteLeitura(const std::string& campo) const { return IguaisSemCaixa(campo, "Base"); }

std::string Catalogo::descricaoBaseIR() {
    const Valor& ir = rendimentos_->valor("IR");
    return ir.nulo() ? std::string() : referencia_.BasesIR(static_cast<int>(ir.comoInteiro()));
}

std::string Catalogo::descricaoReflexo() {
    const Valor& r = reflexos_->valor("Reflexo");
    return r.nulo() ? std::string() : VerbasCatalogo(banco_).Descricao(static_cast<int>(r.comoInteiro()));
}

void Catalogo::acompanhaVerba() {
    Tabela& r = *reflexos_;
    if (!r.aberta()) return;
    const int base = codigoAtual();
    if (base == baseReflexos_) return;
    baseReflexos_ = base;
    r.defineFiltroFuncao([base](const Tabela& tab) { return base != 0 && CodigoDe(tab.valor("Base")) == base; });
}

// ---- rules of the catalogue ----

void Catalogo::regrasRendimentos(Tabela& t) {
    t.aoNovoRegistro = [this](Tabela& tab) {
        Interno(interno_, [&] {
            tab["IR"] = IRNovo;
            tab["INSS"] = INSSNovo;
            tab["Tipo"] = TipoUsuario;
        });
    };
    t.depoisInserir = [this](Tabela&) {
        codigoOriginal_ = 0;
        acompanhaVerba();
    };
    t.depoisEditar = [this](Tabela& tab) { codigoOriginal_ = CodigoDe(tab.valor("Codigo")); };
    t.depoisRolar = [this](Tabela&) {
        if (!rendimentos_->editando()) acompanhaVerba();
    };
    t.depoisCancelar = [this](Tabela&) { acompanhaVerba(); };

    t.validaCampo("Codigo", [this](Tabela& tab, const Valor& novo) {
        if (interno_) return;
        if (itemDoSistema() && CodigoDe(novo) != CodigoDe(tab.valor("Codigo"))) throw ErroKorva(MsgAlteraSistema);
        if (!novo.nulo() && !CodigoVerbaValido(CodigoDe(novo))) throw ErroKorva(MsgCodigoInvalido);
    });
    t.validaCampo("DescRend", [this](Tabela& tab, const Valor& novo) {
        if (interno_) return;
        if (!itemDoSistema()) return;
        const Valor& atual = tab.valor("DescRend");
        const std::string antes = atual.nulo() ? std::string() : atual.comoTexto();
        const std::string depois = novo.nulo() ? std::string() : Literais::NomeProprio(novo.comoTexto());
        if (antes != depois) throw ErroKorva(MsgAlteraSistema);
    });
    t.aoAlterarCampo("DescRend", [this](Tabela& tab) {
        if (interno_) return;
        const Valor& v = tab.valor("DescRend");
        if (v.nulo()) return;
        const std::string nome = Literais::NomeProprio(v.comoTexto());
        if (nome != v.comoTexto()) Interno(interno_, [&] { tab["DescRend"] = nome; });
    });
    t.validaCampo("INSS", [this](Tabela&, const Valor& novo) {
        if (interno_ || novo.nulo() || Apara(novo.comoTexto()).empty()) return;
        const std::string v = Maiusculas(novo.comoTexto());
        if (v != "S" && v != "N") throw ErroKorva(MsgValorInvalido);
    });
    t.aoAlterarCampo("INSS", [this](Tabela& tab) {
        if (interno_) return;
        const Valor& v = tab.valor("INSS");
        if (v.nulo()) return;
        if (Apara(v.comoTexto()).empty()) {
            Interno(interno_, [&] { tab["INSS"] = Valor(); });
            return;
        }
        const std::string m = Maiusculas(v.comoTexto());
        if (m != v.comoTexto()) Interno(interno_, [&] { tab["INSS"] = m; });
    });
    t.validaCampo("Base", [this](Tabela& tab, const Valor& novo) {
        if (interno_ || novo.nulo()) return;
        const Valor& codigo = tab.valor("Codigo");
        if (!codigo.nulo() && CodigoDe(novo) == CodigoDe(codigo)) throw ErroKorva(MsgBaseInvalida);
    });
    t.validaCampo("IR", [this](Tabela&, const Valor& novo) {
        if (interno_ || novo.nulo()) return;
        if (referencia_.BasesIR(static_cast<int>(novo.comoInteiro())).empty()) throw ErroKorva(MsgBaseIRInexistente);
    });
    t.validaCampo("Tipo", [this](Tabela&, const Valor&) {
        if (!interno_) throw ErroKorva(MsgCampoSomenteLeitura);
    });

    t.antesGravar = [this](Tabela& tab) {
        const int codigo = CodigoDe(tab.valor("Codigo"));
        if (!tab.valor("Codigo").nulo() && !CodigoVerbaValido(codigo)) throw ErroKorva(MsgCodigoInvalido);
        // A code changed together with the base would slip past the entry check.
        if (!tab.valor("Base").nulo() && CodigoDe(tab.valor("Base")) == codigo) throw ErroKorva(MsgBaseInvalida);
        const Valor& inss = tab.valor("INSS");
        if (!inss.nulo() && inss.comoTexto() != "S" && inss.comoTexto() != "N") throw ErroKorva(MsgValorInvalido);
    };
    t.depoisGravar = [this](Tabela& tab) {
        // A user item that changes its code takes its repercussion list, and
        // its place in other items' lists, along with it.
        const int codigo = CodigoDe(tab.valor("Codigo"));
        if (codigoOriginal_ != 0 && codigo != codigoOriginal_) {
            Transacao tx(banco_);
            banco_.executa(kTabelaReflexos, "update Tabela set Base=:N where Base=:A",
                           {{"N", codigo}, {"A", codigoOriginal_}});
            banco_.executa(kTabelaReflexos, "update Tabela set Reflexo=:N where Reflexo=:A",
                           {{"N", codigo}, {"A", codigoOriginal_}});
            tx.confirma();
            if (reflexos_->aberta() && !reflexos_->editando()) reflexos_->atualiza();
        }
        codigoOriginal_ = 0;
        baseReflexos_ = -1;
        acompanhaVerba();
    };

    t.antesExcluir = [this](Tabela& tab) {
        if (itemDoSistema()) throw ErroKorva(MsgExcluiSistema);
        const int codigo = CodigoDe(tab.valor("Codigo"));
        std::vector<int> outras;
        for (int base : VerbasCatalogo(banco_).VerbasComReflexo(codigo))
            if (base != codigo) outras.push_back(base);
        if (!outras.empty()) {
            throw ErroKorva("A verba " + CodigoTresDigitos(codigo) + " é reflexo de outras verbas (" + Lista(outras) +
                            ")! Retire-a dessas listas antes de excluí-la.");
        }
        codigoOriginal_ = codigo;
    };
    t.depoisExcluir = [this](Tabela&) {
        // The deleted item's own repercussion list goes with it.
        banco_.executa(kTabelaReflexos, "delete from Tabela where Base=:B", {{"B", codigoOriginal_}});
        codigoOriginal_ = 0;
        if (reflexos_->aberta() && reflexos_->editando()) reflexos_->cancela();
        if (reflexos_->aberta()) reflexos_->atualiza();
        baseReflexos_ = -1;
        acompanhaVerba();
    };
}

// ---- rules of the repercussion list ----

void Catalogo::regrasReflexos(Tabela& t) {
    t.antesInserir = [this](Tabela&) {
        if (rendimentos_->editando() && rendimentos_->estado() == EstadoTabela::Edicao) rendimentos_->grava();
        if (codigoAtual() == 0) throw ErroKorva(MsgSemVerba);
    };
    t.aoNovoRegistro = [this](Tabela& tab) {
        const int base = codigoAtual();
        Interno(interno_, [&] { tab["Base"] = base; });
        reflexoOriginal_ = 0;
    };
    t.depoisEditar = [this](Tabela& tab) { reflexoOriginal_ = CodigoDe(tab.valor("Reflexo")); };

    t.validaCampo("Base", [this](Tabela&, const Valor&) {
        if (!interno_) throw ErroKorva(MsgCampoSomenteLeitura);
    });
    t.validaCampo("Reflexo", [this](Tabela& tab, const Valor& novo) {
        if (novo.nulo()) return;
        const int reflexo = CodigoDe(novo);
        const int base = CodigoDe(tab.valor("Base"));
        if (reflexo == base) throw ErroKorva(MsgReflexoInvalido);
        VerbasCatalogo verbas(banco_);
        if (!verbas.Existe(reflexo))
            throw ErroKorva("Verba " + CodigoTresDigitos(reflexo) + " não encontrada na Tabela de Verbas!");
        if (reflexo != reflexoOriginal_) {
            for (const auto& r : verbas.ReflexosDe(base))
                if (r.reflexo == reflexo)
                    throw ErroKorva("A verba " + CodigoTresDigitos(reflexo) + " já está nos reflexos desta verba!");
        }
    });
    t.antesGravar = [this](Tabela& tab) {
        // The item may have left the catalogue since it was typed.
        const Valor& r = tab.valor("Reflexo");
        if (r.nulo()) return;
        const int reflexo = CodigoDe(r);
        if (reflexo == CodigoDe(tab.valor("Base"))) throw ErroKorva(MsgReflexoInvalido);
        if (!VerbasCatalogo(banco_).Existe(reflexo))
            throw ErroKorva("Verba " + CodigoTresDigitos(reflexo) + " não encontrada na Tabela de Verbas!");
    };
    t.depoisGravar = [this](Tabela&) { reflexoOriginal_ = 0; };
}

}  // namespace korva
