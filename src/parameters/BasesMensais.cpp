#include "parameters/BasesMensais.h"

#include <cstdint>

#include "app/Validacoes.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {

namespace {

int Inteiro(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }

void Avanca(int& mes, int& ano) {
    auto m = static_cast<uint16_t>(mes), a = static_cast<uint16_t>(ano);
    Literais::ProximoMes(m, a);
    mes = m;
    ano = a;
}

}  // namespace

BasesMensais::BasesMensais(Banco& privado, std::string nomeTabela, LinhaBaseLembrada& lembrada, bool comDescricao)
    : banco_(privado),
      nome_(std::move(nomeTabela)),
      tabela_(std::make_unique<Tabela>(privado, nome_)),
      lembrada_(lembrada),
      comDescricao_(comDescricao) {}

BasesMensais::~BasesMensais() = default;

bool BasesMensais::mesAnoFixos(int&, int&) const { return false; }

void BasesMensais::abre() {
    lembrada_.usavel = false;
    tabela_->abre();
    tabela_->defineIndice("IndAnoMes");
    int mes = 0, ano = 0;
    if (mesAnoFixos(mes, ano)) tabela_->defineFiltro("Mes=" + std::to_string(mes) + " and Ano=" + std::to_string(ano));
    ligaRegras();
    tabela_->primeiro();
}

void BasesMensais::fecha() {
    if (tabela_->editando()) OperacaoPendente(0);
    tabela_->fecha();
}

void BasesMensais::ligaRegras() {
    Tabela& t = *tabela_;
    t.validaCampo("Mes", [this](Tabela&, const Valor& v) {
        if (v.nulo()) return;
        const int mes = static_cast<int>(v.comoInteiro());
        ValidaMes(mes);
        int fm = 0, fa = 0;
        if (mesAnoFixos(fm, fa) && mes != fm) throw ErroKorva(MsgMesAnoFixos);
    });
    t.validaCampo("Ano", [this](Tabela&, const Valor& v) {
        if (v.nulo()) return;
        const int ano = AnoCompleto(static_cast<int>(v.comoInteiro()));
        ValidaAno(ano);
        int fm = 0, fa = 0;
        if (mesAnoFixos(fm, fa) && ano != fa) throw ErroKorva(MsgMesAnoFixos);
    });
    // A salary or contribution base is never below zero.
    t.validaCampo("Valor", [](Tabela&, const Valor& v) {
        if (!v.nulo() && (v.ehNumero() || v.ehInteiro()) && v.comoNumero() < 0)
            throw ErroKorva("Valor inválido para o campo!");
    });
    // A two-digit year is stored with its century.
    t.aoAlterarCampo("Ano", [this](Tabela&) { completaAno(); });
    if (comDescricao_)
        t.aoAlterarCampo("Descricao", [](Tabela& tab) {
            const Valor& v = tab.valor("Descricao");
            if (v.nulo()) return;
            const std::string nome = Literais::NomeProprio(v.comoTexto());
            if (nome != v.comoTexto()) tab["Descricao"] = nome;
        });
    t.antesInserir = [this](Tabela&) { lembraLinha(); };
    t.aoNovoRegistro = [this](Tabela&) { proponhaLinha(); };
    t.antesGravar = [this](Tabela&) { completaAno(); };
}

void BasesMensais::completaAno() {
    Tabela& t = *tabela_;
    const Valor& v = t.valor("Ano");
    if (v.nulo()) return;
    const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
    if (completo != v.comoInteiro()) t["Ano"] = completo;
}

void BasesMensais::lembraLinha() {
    Tabela& t = *tabela_;
    lembrada_.usavel = false;
    if (t.vazia() || t.posicao() < 0 || t.valor("Mes").nulo()) return;
    lembrada_.mes = Inteiro(t.valor("Mes"));
    lembrada_.ano = Inteiro(t.valor("Ano"));
    lembrada_.valor = t.valor("Valor").nulo() ? 0.0 : t.valor("Valor").comoNumero();
    if (comDescricao_) lembrada_.descricao = t.valor("Descricao").nulo() ? "" : t.valor("Descricao").comoTexto();
    lembrada_.existe = true;
    lembrada_.usavel = true;
}

void BasesMensais::proponhaLinha() {
    Tabela& t = *tabela_;
    int mes = 0, ano = 0;
    const bool fixos = mesAnoFixos(mes, ano);
    // Before any row was remembered in the program's life the row stays empty
    // (but for a fixed month and year).
    if (lembrada_.existe) {
        if (!fixos) {
            Avanca(lembrada_.mes, lembrada_.ano);
            mes = lembrada_.mes;
            ano = lembrada_.ano;
        }
        t["Valor"] = lembrada_.valor;
        if (comDescricao_ && !lembrada_.descricao.empty()) t["Descricao"] = lembrada_.descricao;
    }
    if (fixos || lembrada_.existe) {
        t["Mes"] = mes;
        t["Ano"] = ano;
    }
}

bool BasesMensais::copiaCampo(const std::string& campo) {
    Tabela& t = *tabela_;
    if (!lembrada_.usavel || !t.editando()) return false;
    int fm = 0, fa = 0;
    const bool fixos = mesAnoFixos(fm, fa);
    if (campo == "Mes") {
        if (fixos) return false;
        lembrada_.mes = lembrada_.mes >= 12 ? 1 : lembrada_.mes + 1;
        t["Mes"] = lembrada_.mes;
    } else if (campo == "Ano") {
        if (fixos) return false;
        t["Ano"] = lembrada_.ano;
    } else if (campo == "Valor") {
        t["Valor"] = lembrada_.valor;
    } else if (campo == "Descricao" && comDescricao_) {
        t["Descricao"] = lembrada_.descricao;
    } else {
        return false;
    }
    return true;
}

bool BasesMensais::copiaLinha() {
    Tabela& t = *tabela_;
    if (!lembrada_.usavel || !t.editando()) return false;
    int fm = 0, fa = 0;
    if (!mesAnoFixos(fm, fa)) {
        Avanca(lembrada_.mes, lembrada_.ano);
        t["Mes"] = lembrada_.mes;
        t["Ano"] = lembrada_.ano;
    }
    t["Valor"] = lembrada_.valor;
    if (comDescricao_) t["Descricao"] = lembrada_.descricao;
    return true;
}

}  // namespace korva
