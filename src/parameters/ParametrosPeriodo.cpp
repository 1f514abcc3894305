#include "parameters/ParametrosPeriodo.h"

#include "parameters/Geracao.h"
#include "parameters/LinhaParametros.h"
#include "parameters/VerbasCatalogo.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"

namespace korva {

namespace {

std::optional<LinhaLembrada>& Lembrada() {
    static std::optional<LinhaLembrada> linha;
    return linha;
}

// Copied by F4 as they are, even when empty.
bool CopiadoComoEsta(const std::string& campo) {
    return campo == "VFM" || campo == "Diferenca" || campo == "CodDataBasePadrao" || campo == "INSS";
}

}  // namespace

std::string ParametrosPeriodo::Titulo(const std::string& nomeTabela) {
    return "KORVA - Tabela de Parâmetros por Período (" + nomeTabela + ")";
}

bool ParametrosPeriodo::ItemFixo(int item) { return korva::ItemFixo(item); }

std::optional<std::vector<std::string>> ParametrosPeriodo::ObrigatoriosDe(int item, const std::string& vfm) {
    if (item == 1 || item == 3 || item == 997 || item == 998 || item == 999) return std::vector<std::string>{"Qtde"};
    if (item == 2) return std::vector<std::string>{"Valor"};
    if (item == 4) return std::vector<std::string>{};
    if (vfm == "V") return std::vector<std::string>{"Valor"};
    if (vfm == "F") return std::vector<std::string>{"Qtde", "Indice", "Divisor", "Base"};
    if (vfm == "M")
        return std::vector<std::string>{"Indice", "Divisor", "Base", "ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"};
    if (vfm == "C") return std::vector<std::string>{"ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"};
    return std::nullopt;
}

ParametrosPeriodo::ParametrosPeriodo(Banco& privado, std::string tabelaA, OpcoesCalculo opcoes,
                                     OrdemParametros ordem)
    : GradeParametros(privado, std::move(tabelaA), ordem), opcoes_(opcoes) {}

ParametrosPeriodo::~ParametrosPeriodo() = default;

void ParametrosPeriodo::fecha() {
    if (tabela_->editando()) OperacaoPendente(0);
    tabela_->fecha();
}

int ParametrosPeriodo::geraMensais(const std::string& tabelaB, const CalculoDtBase& dtBase,
                                   const std::function<void(int, int)>& progresso) {
    if (tabela_->editando())
        throw ErroKorva("Grave ou cancele a linha em edição antes de gerar os parâmetros mensais.");
    const int linhas = Geracao(banco_, nome_, tabelaB, dtBase).Gera(ordem_, progresso);
    tabela_->primeiro();
    return linhas;
}

bool ParametrosPeriodo::valorComBotao() { return InteiroOuZero(tabela_->valor("Item")) == 4; }

void ParametrosPeriodo::ligaRegras() {
    Tabela& t = *tabela_;
    LigaMesesEAnos(t, {"Mes1", "Mes2", "MMes1", "MMes2"}, {"Ano1", "Ano2", "MAno1", "MAno2"});
    LigaLetrasEDivisor(
        t, [](const std::string& s) { return s == "V" || s == "F" || s == "M" || s == "C"; }, [this] { ajustaPorItemEVfm(); });
    for (const char* c : {"Item", "Base", "ItemMedia"}) {
        const std::string campo = c;
        t.validaCampo(campo, [this, campo](Tabela&, const Valor& v) { validaItem(campo, v); });
    }
    t.aoAlterarCampo("Item", [this](Tabela& tab) {
        const Valor& v = tab.valor("Item");
        if (!v.nulo() && tab.editando() && !copiando_)
            if (auto verba = catalogo_->Busca(static_cast<int>(v.comoInteiro()))) CopiaPadroes(verba->padroes, tab);
        ajustaPorItemEVfm();
    });
    t.antesInserir = [this](Tabela&) { lembraLinha(); };
    t.aoNovoRegistro = [this](Tabela& tab) {
        // Codigo stays empty: the store numbers the row.
        tab["CodDataBasePadrao"] = opcoes_.dataBasePadrao;
        ajustaPorItemEVfm();
    };
    t.depoisRolar = [this](Tabela&) { ajustaPorItemEVfm(); };
    t.depoisCancelar = [this](Tabela&) { ajustaPorItemEVfm(); };
    t.antesGravar = [this](Tabela&) { antesGravar(); };
}

void ParametrosPeriodo::validaItem(const std::string& campo, const Valor& novo) {
    ValidaItens(*tabela_, campo, novo, *catalogo_, [](int) { return std::string(MsgItemIgualBase); });
}

void ParametrosPeriodo::ajustaPorItemEVfm() {
    if (ajustando_) return;
    Bandeira guarda(ajustando_);
    Tabela& t = *tabela_;
    if (t.vazia() && !t.editando()) {
        obrigatorios_.clear();
        return;
    }
    AplicaItemEVfm(t, obrigatorios_, ObrigatoriosDe(InteiroOuZero(t.valor("Item")), t.valor("VFM").comoTexto()));
}

void ParametrosPeriodo::antesGravar() {
    Tabela& t = *tabela_;
    // An empty end takes the start; both empty is refused at the end.
    for (auto [fim, inicio] : {std::pair{"Mes2", "Mes1"}, std::pair{"Ano2", "Ano1"}}) {
        if (!t.valor(fim).nulo()) continue;
        if (t.valor(inicio).nulo()) throw ErroCampo(MsgObrigatorio, fim);
        t[fim] = t.valor(inicio);
    }
    NormalizaAnos(t, {"Ano1", "Ano2", "MAno1", "MAno2"});
    auto mesAno = [&](const char* mes, const char* ano) { return InteiroOuZero(t.valor(ano)) * 100 + InteiroOuZero(t.valor(mes)); };
    if (mesAno("Mes2", "Ano2") < mesAno("Mes1", "Ano1")) throw ErroKorva(MsgPeriodoInvalido);
    bool janelaCompleta = true;
    for (const char* c : {"MMes1", "MAno1", "MMes2", "MAno2"}) janelaCompleta = janelaCompleta && !t.valor(c).nulo();
    if (janelaCompleta && mesAno("MMes2", "MAno2") < mesAno("MMes1", "MAno1")) throw ErroKorva(MsgPeriodoInvalido);

    // Fields the row's kind does not use are emptied.
    const int item = InteiroOuZero(t.valor("Item"));
    if (ItemFixo(item) && t.valor("VFM").comoTexto() != "F") t["VFM"] = "F";
    const std::string vfm = t.valor("VFM").comoTexto();
    std::vector<std::string> vazios;
    auto junta = [&](std::initializer_list<const char*> campos) {
        for (const char* c : campos) vazios.emplace_back(c);
    };
    const bool usaFator = item == 1 || item == 3 || item == 997 || item == 998 || item == 999;
    if (item == 2 || item == 4 || usaFator || (!ItemFixo(item) && vfm == "V")) {
        junta({"Indice", "Divisor", "Base"});
        junta({"ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"});
        if (item == 2 || item == 4 || !usaFator) junta({"Qtde"});
        if (item == 4 || usaFator) junta({"Valor"});
    } else if (vfm == "F") {
        junta({"Valor", "ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"});
    } else if (vfm == "M") {
        junta({"Valor", "Qtde"});
    } else if (vfm == "C") {
        junta({"Valor", "Qtde", "Indice", "Divisor", "Base"});
    }
    for (const auto& c : vazios)
        if (!t.valor(c).nulo()) t[c] = Valor();
    if (!TerminaEmZero(item) && !t.valor("Diferenca").nulo()) t["Diferenca"] = Valor();

    const Valor& codigo = t.valor("CodDataBasePadrao");
    if (!codigo.nulo() && !CodigoDtBaseConhecido(static_cast<int>(codigo.comoInteiro())))
        throw ErroCampo(MsgCodigoDtBaseInvalido(static_cast<int>(codigo.comoInteiro())), "CodDataBasePadrao");
    if (InteiroOuZero(codigo) == CodigoDtBaseDigitada) {
        if (t.valor("DtBase").nulo()) throw ErroCampo(MsgObrigatorio, "DtBase");
    } else if (!t.valor("DtBase").nulo()) {
        t["DtBase"] = Valor();
    }

    // The required fields of the row's kind.
    for (const auto& c : obrigatorios_)
        if (t.valor(c).nulo())
            throw ErroBanco(CodigoBanco::CampoObrigatorio, "Campo obrigatório não preenchido: " + c);
}

// ---- the remembered row ----

bool ParametrosPeriodo::TemLinhaLembrada() { return Lembrada().has_value(); }
void ParametrosPeriodo::EsqueceLinhaLembrada() { Lembrada().reset(); }

void ParametrosPeriodo::lembraLinha() {
    Tabela& t = *tabela_;
    if (t.vazia() || t.posicao() < 0 || t.valor("Item").nulo()) return;
    Lembrada() = LeLinha(t, {"Codigo"});
}

bool ParametrosPeriodo::copiaLinha() {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    Bandeira guarda(copiando_);
    CopiaLinhaLembrada(t, *Lembrada(), CopiadoComoEsta);
    return true;
}

bool ParametrosPeriodo::copiaCampo(const std::string& campo) {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    Bandeira guarda(copiando_);
    return CopiaCampoLembrado(t, *Lembrada(), campo);
}

}  // namespace korva
