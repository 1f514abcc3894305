#include "parameters/ProcuraSubstitui.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"
#include "util/Texto.h"

namespace korva {

namespace {

using T = TipoCampoProcura;

bool Existe(const std::vector<ItemLista>& lista, int indice) {
    return indice >= 0 && indice < static_cast<int>(lista.size());
}

}  // namespace

const std::vector<CampoProcura>& ProcuraSubstitui::Campos(ListaCamposProcura lista) {
    static const std::vector<CampoProcura> periodo{
        {"Item", "Item", T::Inteiro},       {"Mes1", "Mes1", T::Inteiro},       {"Ano1", "Ano1", T::Inteiro},
        {"Mes2", "Mes2", T::Inteiro},       {"Ano2", "Ano2", T::Inteiro},       {"Valor", "Valor", T::Decimal},
        {"Qtde", "Qtde", T::Decimal},       {"Indice", "Indice", T::Decimal},   {"Divisor", "Divisor", T::Decimal},
        {"Base", "Base", T::Inteiro},       {"Data Base Padrão", "CodDataBasePadrao", T::Codigo},
    };
    static const std::vector<CampoProcura> mensal{
        {"Item", "Item", T::Inteiro},       {"Mes", "Mes", T::Inteiro},         {"Ano", "Ano", T::Inteiro},
        {"Valor", "Valor", T::Decimal},     {"Qtde", "Qtde", T::Decimal},       {"Indice", "Indice", T::Decimal},
        {"Divisor", "Divisor", T::Decimal}, {"Base", "Base", T::Inteiro},
        {"Data Base Padrão", "CodDataBasePadrao", T::Codigo},
    };
    return lista == ListaCamposProcura::Periodo ? periodo : mensal;
}

std::vector<ItemLista> ProcuraSubstitui::CodigosDataBase(Banco& compartilhado) {
    Tabela t(compartilhado, "DataBasePadrao.db");
    t.abre(ModoAbertura::SomenteLeitura);
    std::vector<ItemLista> r;
    for (t.primeiro(); !t.fim(); t.proximo()) {
        const Valor& codigo = t.valor("Codigo");
        if (codigo.nulo() || codigo.comoInteiro() >= LimiteCodigos) continue;
        r.push_back({static_cast<int>(codigo.comoInteiro()), t.valor("Descricao").comoTexto()});
    }
    t.fecha();
    return r;
}

Valor ProcuraSubstitui::LeTexto(TipoCampoProcura tipo, const std::string& texto) {
    std::string s = Apara(texto);
    if (s.empty()) return {};
    if (tipo == T::Inteiro) {
        // Sign and digits only, within the range of a whole number.
        const char* p = s.data();
        const char* fim = s.data() + s.size();
        if (*p == '+' && p + 1 != fim && p[1] != '-') ++p;
        int32_t n = 0;
        auto [q, ec] = std::from_chars(p, fim, n);
        if (ec != std::errc() || q != fim || p == fim) return {};
        return Valor(int64_t{n});
    }
    if (tipo == T::Decimal) {
        // The Brazilian comma is accepted as the rows accept it.
        for (auto& c : s)
            if (c == ',') c = '.';
        const char* p = s.data();
        const char* fim = s.data() + s.size();
        if (*p == '+' && p + 1 != fim && p[1] != '-') ++p;
        if (p == fim || !(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-')) return {};
        double d = 0;
        auto [q, ec] = std::from_chars(p, fim, d);
        if (ec != std::errc() || q != fim || !std::isfinite(d) || d == DecimalRecusado) return {};
        return Valor(d);
    }
    return {};
}

bool ProcuraSubstitui::Igual(const Valor& daLinha, const Valor& procurado) {
    if (daLinha.nulo() || procurado.nulo()) return false;
    if (daLinha.ehTexto() || daLinha.ehLogico()) return false;  // no numeric field holds these
    return daLinha.comoNumero() == procurado.comoNumero();
}

ProcuraSubstitui::ProcuraSubstitui(ListaCamposProcura lista, std::vector<ItemLista> codigos)
    : campos_(&Campos(lista)), codigos_(std::move(codigos)) {}

void ProcuraSubstitui::escolheCampo(CaixaProcura caixa, int indice) {
    if (indice >= 0 && indice < static_cast<int>(campos().size())) estado(caixa).campo = indice;
}

void ProcuraSubstitui::escolheCodigo(CaixaProcura caixa, int indice) {
    if (Existe(codigos_, indice)) estado(caixa).codigo = indice;
}

bool ProcuraSubstitui::ligacaoHabilitada(LigacaoProcura l) const {
    switch (l) {
        case LigacaoProcura::Atribuicao2: return true;
        case LigacaoProcura::Condicao2: return !todos_;
        case LigacaoProcura::Condicao3: return !todos_ && ligacao(LigacaoProcura::Condicao2);
    }
    return false;
}

void ProcuraSubstitui::defineLigacao(LigacaoProcura l, bool sim) {
    if (sim && !ligacaoHabilitada(l)) return;
    ligacoes_[static_cast<int>(l)] = sim;
    if (l == LigacaoProcura::Condicao2 && !sim) ligacoes_[static_cast<int>(LigacaoProcura::Condicao3)] = false;
}

bool ProcuraSubstitui::habilitada(CaixaProcura caixa) const {
    switch (caixa) {
        case CaixaProcura::Atribuicao: return true;
        case CaixaProcura::Atribuicao2: return ligacao(LigacaoProcura::Atribuicao2);
        case CaixaProcura::Condicao1: return !todos_;
        case CaixaProcura::Condicao2: return !todos_ && ligacao(LigacaoProcura::Condicao2);
        case CaixaProcura::Condicao3:
            return !todos_ && ligacao(LigacaoProcura::Condicao2) && ligacao(LigacaoProcura::Condicao3);
    }
    return false;
}

void ProcuraSubstitui::verifica() const {
    for (int i = 0; i < QuantidadeCaixasProcura; ++i) {
        const auto caixa = static_cast<CaixaProcura>(i);
        if (!habilitada(caixa)) continue;
        if (mostraCodigos(caixa)) {
            // A code list without any description to choose leaves nothing to write.
            if (!Existe(codigos_, codigo(caixa))) throw ErroCaixaProcura(MsgPreencha, caixa);
            continue;
        }
        if (Apara(texto(caixa)).empty()) throw ErroCaixaProcura(MsgPreencha, caixa);
        if (LeTexto(campoEscolhido(caixa).tipo, texto(caixa)).nulo()) throw ErroCaixaProcura(MsgValorInvalido, caixa);
    }
}

ProcuraSubstitui::Par ProcuraSubstitui::par(CaixaProcura caixa) const {
    const CampoProcura& c = campoEscolhido(caixa);
    if (c.tipo == T::Codigo) return {c.nome, Valor(codigos_[codigo(caixa)].codigo)};
    return {c.nome, LeTexto(c.tipo, texto(caixa))};
}

int ProcuraSubstitui::substitui(Tabela& t) const {
    verifica();
    if (t.editando()) OperacaoPendente(0);

    std::vector<Par> condicoes, atribuicoes;
    if (!todos_)
        for (auto c : {CaixaProcura::Condicao1, CaixaProcura::Condicao2, CaixaProcura::Condicao3})
            if (habilitada(c)) condicoes.push_back(par(c));
    for (auto c : {CaixaProcura::Atribuicao, CaixaProcura::Atribuicao2})
        if (habilitada(c)) atribuicoes.push_back(par(c));
    for (const auto& lista : {&condicoes, &atribuicoes})
        for (const auto& p : *lista)
            if (!t.temCampo(p.nome)) throw ErroKorva("A tabela " + t.nome() + " não tem o campo " + p.nome + ".");

    auto qualifica = [&] {
        for (const auto& c : condicoes)
            if (!Igual(t.valor(c.nome), c.valor)) return false;
        return true;
    };

    // The rows are chosen first: storing one may move it in the order.
    // Difference rows of the month grid belong to the calculation, which
    // deletes and rebuilds them; editing one is refused, so they are passed
    // over rather than stopping a run over a calculated grid half-way.
    const bool temVfm = t.temCampo("VFM");
    const Marcador volta = t.marcador();
    std::vector<Marcador> escolhidas;
    for (t.primeiro(); !t.fim(); t.proximo())
        if (qualifica() && !(temVfm && t.valor("VFM").comoTexto() == "D")) escolhidas.push_back(t.marcador());

    int alteradas = 0;
    for (const Marcador& m : escolhidas) {
        // A row deleted meanwhile by someone else is passed over.
        if (!t.vaiParaMarcador(m)) continue;
        try {
            t.edita();
            for (const auto& a : atribuicoes) t[a.nome] = a.valor;
            t.grava();
        } catch (...) {
            if (t.editando()) t.cancela();
            throw;
        }
        ++alteradas;
    }
    if (!t.vaiParaMarcador(volta)) t.primeiro();
    return alteradas;
}

}  // namespace korva
