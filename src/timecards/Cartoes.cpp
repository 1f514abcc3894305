#include "timecards/Cartoes.h"

#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

namespace {

std::string SituacaoDigitada(const Valor& v) { return v.nulo() ? "" : Maiusculas(Apara(v.comoTexto())); }

}  // namespace

void AplicaRegrasCartao(Tabela& t) {
    t.validaCampo("Situacao", [](Tabela&, const Valor& novo) {
        const std::string s = SituacaoDigitada(novo);
        if (!s.empty() && s != "F") throw ErroKorva(MsgSituacaoInvalida);
    });
    t.aoAlterarCampo("Situacao", [](Tabela& tab) {
        const Valor& v = tab.valor("Situacao");
        if (v.nulo()) return;
        const std::string s = SituacaoDigitada(v);
        if (s.empty())
            tab["Situacao"].limpa();
        else if (s != v.comoTexto())
            tab["Situacao"] = s;
    });
    t.aoNovoRegistro = [](Tabela& tab) {
        for (const char* m : MarcacoesCartao) tab[m] = 0.0;
    };
}

std::string DiaDoCartao(Data d) { return Literais::DiaSemana(d.diaDaSemana()); }

std::string Cartoes::Titulo(const std::string& nomeTabela) {
    return "KORVA - Marcações de Ponto (" + nomeTabela + ")";
}

Cartoes::Cartoes(Banco& privado, std::string tabelaG, Data data1, Data data2, int turnos)
    : banco_(privado),
      nome_(std::move(tabelaG)),
      data1_(data1),
      data2_(data2),
      turnos_(turnos),
      tabela_(std::make_unique<Tabela>(privado, nome_)) {}

Cartoes::~Cartoes() = default;

void Cartoes::abre() {
    Tabela& t = *tabela_;
    filtro_.reset();
    lembrado_.reset();
    t.abre();
    t.defineIndice("");
    AplicaRegrasCartao(t);
    t.validaCampo("Data", [this](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        const Data d = novo.comoData();
        if (d < data1_ || d > data2_) throw ErroKorva(MsgDataForaPeriodo);
    });
    // A date set before the rules (or kept from an edit) is checked again on store.
    t.antesGravar = [this](Tabela& tab) {
        const Valor& v = tab.valor("Data");
        if (!v.nulo() && (v.comoData() < data1_ || v.comoData() > data2_)) throw ErroKorva(MsgDataForaPeriodo);
    };
    t.antesInserir = [this](Tabela&) { lembra(); };
    auto novo = t.aoNovoRegistro;
    t.aoNovoRegistro = [this, novo](Tabela& tab) {
        novo(tab);
        proponha();
    };
    aplicaFiltro();
    t.primeiro();
}

void Cartoes::fecha() {
    if (tabela_->editando()) tabela_->cancela();
    tabela_->fecha();
}

bool Cartoes::colunaVisivel(const std::string& campo) const {
    for (int turno = 2; turno <= 4; ++turno) {
        const std::string n = std::to_string(turno);
        if (campo == "Ent" + n || campo == "Sai" + n) return turnos_ >= turno;
    }
    return true;
}

void Cartoes::lembra() {
    Tabela& t = *tabela_;
    if (t.vazia() || t.posicao() < 0 || t.valor("Data").nulo()) {
        lembrado_.reset();
        return;
    }
    CartaoLembrado c;
    c.data = t.valor("Data").comoData();
    for (size_t i = 0; i < MarcacoesCartao.size(); ++i) {
        const Valor& v = t.valor(MarcacoesCartao[i]);
        c.marcacoes[i] = v.nulo() ? 0.0 : v.comoNumero();
    }
    c.situacao = t.valor("Situacao").nulo() ? "" : t.valor("Situacao").comoTexto();
    lembrado_ = c;
}

void Cartoes::proponha() {
    if (!lembrado_) return;
    // The day after the remembered card, when it is still inside the period;
    // past its end the date is left for the user to type.
    const Data proxima = lembrado_->data + 1;
    if (proxima >= data1_ && proxima <= data2_) (*tabela_)["Data"] = proxima;
}

bool Cartoes::copiaCampo(const std::string& campo) {
    Tabela& t = *tabela_;
    if (!lembrado_ || !t.editando()) return false;
    if (campo == "Data") {
        t["Data"] = lembrado_->data + 1;
        return true;
    }
    if (campo == "Situacao") {
        t["Situacao"] = lembrado_->situacao;
        return true;
    }
    for (size_t i = 0; i < MarcacoesCartao.size(); ++i)
        if (campo == MarcacoesCartao[i]) {
            t[campo] = lembrado_->marcacoes[i];
            return true;
        }
    return false;
}

bool Cartoes::copiaLinha() {
    Tabela& t = *tabela_;
    if (!lembrado_ || !t.editando()) return false;
    for (size_t i = 0; i < MarcacoesCartao.size(); ++i) t[MarcacoesCartao[i]] = lembrado_->marcacoes[i];
    t["Situacao"] = lembrado_->situacao;
    return true;
}

bool Cartoes::moveData(int dias) {
    Tabela& t = *tabela_;
    if (!t.editando()) {
        if (t.vazia() || t.posicao() < 0) return false;
        t.edita();
    }
    const Valor& v = t.valor("Data");
    if (v.nulo()) return false;
    t["Data"] = v.comoData() + dias;
    return true;
}

void Cartoes::alternaFiltro(Data de, Data ate) {
    if (ate < de) throw ErroKorva(MsgPeriodoFiltroInvalido);
    if (filtro_)
        filtro_.reset();
    else
        filtro_ = std::make_pair(de, ate);
    aplicaFiltro();
    tabela_->primeiro();
}

void Cartoes::aplicaFiltro() {
    const Data d1 = filtro_ ? std::max(data1_, filtro_->first) : data1_;
    const Data d2 = filtro_ ? std::min(data2_, filtro_->second) : data2_;
    tabela_->defineFiltroFuncao([d1, d2](const Tabela& t) {
        const Valor& v = t.valor("Data");
        if (v.nulo()) return false;
        const Data d = v.comoData();
        return d >= d1 && d <= d2;
    });
}

}  // namespace korva
