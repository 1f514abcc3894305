#include "timecards/Jornadas.h"

#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "timecards/Horarios.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {

// Scheduled times and tolerances of a new row, slot by slot.
struct MarcaPadrao {
    double prev, tolAnt, tolDep;
};
constexpr double Cinco = Horario(0, 5);
constexpr MarcaPadrao MarcasPadrao[8] = {
    {Horario(8, 0), Cinco, Cinco}, {Horario(12, 0), Cinco, Cinco}, {Horario(14, 0), Cinco, Cinco},
    {Horario(18, 0), Cinco, Cinco}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
};

// A second schedule that starts on the same day as the row being stored.
bool OutraComMesmoInicio(Tabela& t) {
    const Valor& data1 = t.valor("Data1");
    if (data1.nulo()) return false;
    Tabela outra(t.banco(), t.nome());
    outra.abre(ModoAbertura::SomenteLeitura);
    outra.defineIndice("");
    if (!outra.localiza({"Data1"}, {data1})) return false;
    if (t.estado() == EstadoTabela::Insercao) return true;
    const int64_t propria = t.marcador().rowid;
    for (; !outra.fim() && outra.valor("Data1") == data1; outra.proximo())
        if (outra.marcador().rowid != propria) return true;
    return false;
}

}  // namespace

void DefineJornadaPadrao(Tabela& t) {
    t["JornDiaria"] = Horario(8, 0);
    t["JornSabado"] = Horario(4, 0);
    t["Intervalo"] = 0.0;
    t["HENot"] = Horario(22, 0);
    t["HSNot"] = Horario(5, 0);
    t["Turnos"] = 2;
    t["Apuracao"] = "D";
    t["HorasSemanais"] = 44.0;
    t["HabilitarTolerancia"] = false;
    for (size_t i = 0; i < MarcasJornada.size(); ++i) {
        const std::string marca = MarcasJornada[i];
        t["Prev" + marca] = MarcasPadrao[i].prev;
        t["TolAnt" + marca] = MarcasPadrao[i].tolAnt;
        t["TolDep" + marca] = MarcasPadrao[i].tolDep;
    }
}

void AplicaRegrasJornada(Tabela& t) {
    t.validaCampo("Turnos", [](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        int64_t turnos = 0;
        try {
            const double n = novo.comoNumero();
            if (n != static_cast<double>(static_cast<int64_t>(n))) throw ErroKorva(MsgTurnosInvalido);
            turnos = static_cast<int64_t>(n);
        } catch (const ErroConversao&) {
            throw ErroKorva(MsgTurnosInvalido);
        }
        if (turnos < 1 || turnos > 4) throw ErroKorva(MsgTurnosInvalido);
    });
    t.validaCampo("Apuracao", [](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        const std::string apuracao = Maiusculas(Apara(novo.comoTexto()));
        if (apuracao != "S" && apuracao != "D") throw ErroKorva(MsgApuracaoInvalida);
    });
    t.aoAlterarCampo("Apuracao", [](Tabela& tab) {
        const Valor& v = tab.valor("Apuracao");
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(Apara(v.comoTexto()));
        if (maiusculo != v.comoTexto()) tab["Apuracao"] = maiusculo;
    });
    t.aoNovoRegistro = [](Tabela& tab) { DefineJornadaPadrao(tab); };
    t.antesGravar = [](Tabela& tab) {
        const Valor& d1 = tab.valor("Data1");
        const Valor& d2 = tab.valor("Data2");
        if (!d1.nulo() && !d2.nulo() && d2.comoData() < d1.comoData()) throw ErroKorva(MsgPeriodoJornadaInvalido);
        if (OutraComMesmoInicio(tab)) throw ErroBanco(CodigoBanco::ChaveDuplicada, "Chave duplicada");
    };
}

std::string Jornadas::Titulo(const std::string& nomeTabela) {
    return "KORVA - Jornadas de Trabalho (" + nomeTabela + ")";
}

Jornadas::Jornadas(Banco& privado, std::string tabelaF)
    : banco_(privado), nome_(std::move(tabelaF)), tabela_(std::make_unique<Tabela>(privado, nome_)) {}

Jornadas::~Jornadas() = default;

void Jornadas::abre() {
    tabela_->abre();
    tabela_->defineIndice("");
    AplicaRegrasJornada(*tabela_);
    tabela_->primeiro();
}

void Jornadas::fecha() {
    if (tabela_->editando()) OperacaoPendente(0);
    tabela_->fecha();
}

JornadaSelecionada Jornadas::jornadaAtual() const {
    Tabela& t = *tabela_;
    if (!t.aberta() || t.posicao() < 0 || t.valor("Data1").nulo()) throw ErroKorva(MsgCadastreJornada);
    JornadaSelecionada j;
    j.data1 = t.valor("Data1").comoData();
    j.data2 = t.valor("Data2").nulo() ? j.data1 : t.valor("Data2").comoData();
    j.turnos = t.valor("Turnos").nulo() ? 0 : static_cast<int>(t.valor("Turnos").comoInteiro());
    return j;
}

}  // namespace korva
