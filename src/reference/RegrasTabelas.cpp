#include "reference/RegrasTabelas.h"

#include <cmath>

#include "app/Validacoes.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

// ---- field rules ----

void RegraAnoDigitado(Tabela& t, const std::string& campo) {
    t.validaCampo(campo, [](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        ValidaAno(AnoCompleto(static_cast<int>(novo.comoInteiro())));
    });
    t.aoAlterarCampo(campo, [campo](Tabela& tab) {
        const Valor& v = tab.valor(campo);
        if (v.nulo()) return;
        const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
        // The expanded year is at least 100, so setting it runs this once more at most.
        if (completo != v.comoInteiro()) tab[campo] = completo;
    });
}

void RegraNomeProprio(Tabela& t, const std::string& campo) {
    t.aoAlterarCampo(campo, [campo](Tabela& tab) {
        const Valor& v = tab.valor(campo);
        if (v.nulo()) return;
        const std::string nome = Literais::NomeProprio(v.comoTexto());
        // Proper-casing a proper-cased name changes nothing, which ends the round.
        if (nome != v.comoTexto()) tab[campo] = nome;
    });
}

// ---- the user's name lists ----

namespace {

std::string CampoNomeDe(const Tabela& t) {
    const DefTabela* d = EsquemaCompartilhado(t.nome());
    return d && d->posicao("Nome") >= 0 ? "Nome" : "Descricao";
}

}  // namespace

std::optional<ListaNomesUsuario::Serie> SerieAtual(const Tabela& nomes, const std::string& campoNome) {
    if (!nomes.aberta() || nomes.editando() || nomes.posicao() < 0) return std::nullopt;
    const Valor& codigo = nomes.valor("Codigo");
    const Valor& nome = nomes.valor(campoNome);
    if (codigo.nulo() || nome.nulo() || Apara(nome.comoTexto()).empty()) return std::nullopt;
    return ListaNomesUsuario::Serie{static_cast<int>(codigo.comoInteiro()), nome.comoTexto()};
}

void OrdenaPorNome(Tabela& nomes, const std::string& campoNome) { nomes.defineIndice("Ind" + campoNome); }

ListaNomesUsuario::ListaNomesUsuario(Tabela& nomes, TabelasReferencia& referencia)
    : nomes_(nomes), referencia_(referencia), campoNome_(CampoNomeDe(nomes)) {
    const std::string tabela = nomes_.nome();
    nomes_.aoNovoRegistro = [this, tabela](Tabela& t) { t["Codigo"] = referencia_.ProximoCodigo(tabela); };
    nomes_.antesGravar = [this, tabela](Tabela& t) {
        if (t.estado() == EstadoTabela::Insercao) t["Codigo"] = referencia_.ProximoCodigo(tabela);
    };
    // The values go first, in a transaction that the deletion of the name
    // joins; it is confirmed once the name is gone and rolled back (values
    // kept) when anything on the way fails.
    nomes_.antesExcluir = [this, tabela](Tabela& t) {
        const Valor& codigo = t.valor("Codigo");
        exclusao_.emplace(nomes_.banco());
        if (!codigo.nulo()) referencia_.ExcluiValoresDoNome(tabela, static_cast<int>(codigo.comoInteiro()));
    };
    nomes_.depoisExcluir = [this](Tabela&) {
        if (!exclusao_) return;
        exclusao_->confirma();
        exclusao_.reset();
    };
    // Told when the outermost operation ends, also when it failed.
    observador_ = nomes_.observa([this] { exclusao_.reset(); });
}

ListaNomesUsuario::~ListaNomesUsuario() {
    nomes_.esquece(observador_);
    exclusao_.reset();
}

void ListaNomesUsuario::abre() {
    OrdenaPorNome(nomes_, campoNome_);
    if (!nomes_.aberta()) nomes_.abre(ModoAbertura::Compartilhado);
    if (campoNome_ == "Descricao") RegraNomeProprio(nomes_, campoNome_);
}

std::optional<ListaNomesUsuario::Serie> ListaNomesUsuario::serieAtual() const { return SerieAtual(nomes_, campoNome_); }

// ---- the values of one series ----

void ProximoMes(int& ano, int& mes) {
    ++mes;
    if (mes > 12) {
        mes = 1;
        ++ano;
    }
}

ValoresDaSerie::ValoresDaSerie(Tabela& valores, const TabelaSerie& tipo, int serie)
    : t_(valores), tipo_(tipo), serie_(serie) {
    t_.antesInserir = [this](Tabela& t) {
        anterior_.reset();
        if (!t.editando() && t.posicao() >= 0) anterior_ = t.linha();
    };
    t_.aoNovoRegistro = [this](Tabela& t) { t[tipo_.campoSerie] = serie_; };
    t_.depoisGravar = [this](Tabela&) { anterior_.reset(); };
    t_.depoisCancelar = [this](Tabela&) { anterior_.reset(); };
}

void ValoresDaSerie::abre() {
    t_.defineIndice("");
    if (!t_.aberta()) t_.abre(ModoAbertura::Compartilhado);
    t_.defineFiltro(std::string(tipo_.campoSerie) + "=" + std::to_string(serie_));
    RegraAnoDigitado(t_, "Ano");
}

bool ValoresDaSerie::copiaProximoMes() {
    if (t_.estado() != EstadoTabela::Insercao || !anterior_) return false;
    const DefTabela& d = t_.definicao();
    const Valor& ano = anterior_->at(static_cast<size_t>(d.posicao("Ano")));
    const Valor& mes = anterior_->at(static_cast<size_t>(d.posicao("Mes")));
    const Valor& valor = anterior_->at(static_cast<size_t>(d.posicao(tipo_.campoValor)));
    if (ano.nulo() || mes.nulo()) return false;
    int a = static_cast<int>(ano.comoInteiro()), m = static_cast<int>(mes.comoInteiro());
    ProximoMes(a, m);
    t_[tipo_.campoSerie] = serie_;
    t_["Mes"] = m;
    t_["Ano"] = a;
    t_[tipo_.campoValor] = valor;
    return true;
}

// ---- holidays ----

void RegrasFeriados(Tabela& feriados) { RegraNomeProprio(feriados, "Descricao"); }

bool LocalizaFeriado(Tabela& feriados, Data d) { return feriados.localizaChave({Valor(d)}); }

// ---- the monthly values window ----

ReacaoTecla TeclaPesquisa(const std::string& atual, char32_t tecla, int maximo) {
    if (tecla == U'\b') return ReacaoTecla::Aceita;
    if (static_cast<int>(atual.size()) >= maximo) return ReacaoTecla::Recusa;
    if (tecla < U'0' || tecla > U'9') return ReacaoTecla::Ignora;
    return ReacaoTecla::Aceita;
}

bool PesquisaMesHabilitada(const std::string& ano, const std::string& mes) {
    return !Apara(ano).empty() && !Apara(mes).empty();
}

bool LocalizaMes(Tabela& t, const std::string& ano, const std::string& mes) {
    const std::optional<int> a = Inteiro(Apara(ano)), m = Inteiro(Apara(mes));
    if (!a || !m) return false;
    return t.localizaChave({Valor(AnoCompleto(*a)), Valor(*m)});
}

// ---- the daily index window ----

std::optional<double> BaseDaSerie(Tabela& diario) {
    const int n = diario.quantidade();
    if (n <= 0) return std::nullopt;
    const Valor& v = diario.valoresDaLinha(n - 1).at(static_cast<size_t>(diario.definicao().posicao("Indice")));
    if (v.nulo() || v.comoNumero() == 0 || !std::isfinite(v.comoNumero())) return std::nullopt;
    return v.comoNumero();
}

std::optional<double> IndiceCalculado(const Valor& indice, std::optional<double> base) {
    if (!base || indice.nulo()) return std::nullopt;
    return indice.comoNumero() / *base;
}

bool LocalizaIndice(Tabela& diario, int codIndice, Data d) { return diario.localizaChave({Valor(codIndice), Valor(d)}); }

}  // namespace korva
