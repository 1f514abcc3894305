#include "parameters/ParametrosPeriodo.h"

#include <cmath>

#include "app/Validacoes.h"
#include "parameters/Geracao.h"
#include "parameters/VerbasCatalogo.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {

const char* const kMeses[] = {"Mes1", "Mes2", "MMes1", "MMes2"};
const char* const kAnos[] = {"Ano1", "Ano2", "MAno1", "MAno2"};
const char* const kCamposMedia[] = {"ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"};

// Fields of the remembered row, by name (all but Codigo).
using LinhaLembrada = std::map<std::string, Valor>;
std::optional<LinhaLembrada>& Lembrada() {
    static std::optional<LinhaLembrada> linha;
    return linha;
}

// Copied by F4 as they are, even when empty.
bool CopiadoComoEsta(const std::string& campo) {
    return campo == "VFM" || campo == "Diferenca" || campo == "CodDataBasePadrao" || campo == "INSS";
}

bool ZeroOuVazio(const Valor& v) {
    if (v.nulo()) return true;
    if (v.ehTexto()) return v.comoTexto().empty();
    if (v.ehLogico()) return !v.comoLogico();
    return v.comoNumero() == 0;
}

int Inteiro(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }

bool TerminaEmZero(int item) { return item % 10 == 0; }

// Runs a block with a flag raised, lowering it however the block ends.
struct Bandeira {
    bool& b;
    bool antes;
    explicit Bandeira(bool& f) : b(f), antes(f) { b = true; }
    ~Bandeira() { b = antes; }
};

}  // namespace

std::string ParametrosPeriodo::Titulo(const std::string& nomeTabela) {
    return "KORVA - Tabela de Parâmetros por Período (" + nomeTabela + ")";
}

bool ParametrosPeriodo::ItemFixo(int item) {
    return (item >= 1 && item <= 4) || item == 997 || item == 998 || item == 999;
}

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
    : banco_(privado),
      nome_(std::move(tabelaA)),
      opcoes_(opcoes),
      ordem_(ordem),
      tabela_(std::make_unique<Tabela>(privado, nome_)),
      catalogo_(std::make_unique<VerbasCatalogo>(privado)) {}

ParametrosPeriodo::~ParametrosPeriodo() = default;

void ParametrosPeriodo::abre() {
    tabela_->abre();
    tabela_->defineIndice(IndiceOrdemParametros(ordem_));
    ligaRegras();
    tabela_->primeiro();
    ajustaPorItemEVfm();
}

void ParametrosPeriodo::fecha() {
    if (tabela_->editando()) OperacaoPendente(0);
    tabela_->fecha();
}

void ParametrosPeriodo::defineOrdem(OrdemParametros ordem) {
    ordem_ = ordem;
    if (tabela_->aberta()) tabela_->defineIndice(IndiceOrdemParametros(ordem_));
}

int ParametrosPeriodo::geraMensais(const std::string& tabelaB, const CalculoDtBase& dtBase) {
    if (tabela_->editando())
        throw ErroKorva("Grave ou cancele a linha em edição antes de gerar os parâmetros mensais.");
    const int linhas = Geracao(banco_, nome_, tabelaB, dtBase).Gera(ordem_);
    tabela_->primeiro();
    return linhas;
}

bool ParametrosPeriodo::obrigatorio(const std::string& campo) const {
    for (const auto& c : obrigatorios_)
        if (c == campo) return true;
    return false;
}

bool ParametrosPeriodo::valorComBotao() { return Inteiro(tabela_->valor("Item")) == 4; }

void ParametrosPeriodo::ligaRegras() {
    Tabela& t = *tabela_;
    for (const char* m : kMeses)
        t.validaCampo(m, [](Tabela&, const Valor& v) {
            if (!v.nulo()) ValidaMes(static_cast<int>(v.comoInteiro()));
        });
    for (const char* a : kAnos) {
        const std::string campo = a;
        t.validaCampo(campo, [](Tabela&, const Valor& v) {
            if (!v.nulo()) ValidaAno(AnoCompleto(static_cast<int>(v.comoInteiro())));
        });
        // A two-digit year is stored with its century.
        t.aoAlterarCampo(campo, [campo](Tabela& tab) {
            const Valor& v = tab.valor(campo);
            if (v.nulo()) return;
            const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
            if (completo != v.comoInteiro()) tab[campo] = completo;
        });
    }
    for (const char* c : {"VFM", "Diferenca", "INSS"}) {
        const std::string campo = c;
        t.validaCampo(campo, [campo](Tabela&, const Valor& v) {
            if (v.nulo()) return;
            const std::string s = Maiusculas(v.comoTexto());
            if (campo == "VFM" && s != "V" && s != "F" && s != "M" && s != "C") throw ErroKorva(MsgValorInvalido);
            if (campo == "Diferenca" && !s.empty() && s != "Z" && s != "C") throw ErroKorva(MsgValorInvalido);
        });
        t.aoAlterarCampo(campo, [this, campo](Tabela& tab) {
            const Valor& v = tab.valor(campo);
            if (!v.nulo()) {
                const std::string s = Maiusculas(v.comoTexto());
                if (s != v.comoTexto()) {
                    tab[campo] = s;
                    return;  // the change of the capitals runs this again
                }
            }
            if (campo == "VFM") ajustaPorItemEVfm();
        });
    }
    t.validaCampo("Divisor", [](Tabela&, const Valor& v) {
        if (!v.nulo() && std::fabs(v.comoNumero()) <= 0.5) throw ErroKorva(MsgDivisorZero);
    });
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
    if (novo.nulo()) return;
    const Tabela& t = *tabela_;
    auto de = [&](const char* c) { return campo == c ? novo : t.valor(c); };
    const Valor item = de("Item"), base = de("Base"), media = de("ItemMedia");
    if (!item.nulo() && !base.nulo() && item.comoInteiro() == base.comoInteiro()) throw ErroKorva(MsgItemIgualBase);
    if (!item.nulo() && !media.nulo() && item.comoInteiro() == media.comoInteiro())
        throw ErroKorva(MsgItemIgualMedia);
    if (!catalogo_->Existe(static_cast<int>(novo.comoInteiro()))) throw ErroKorva(MsgItemInvalido);
}

void ParametrosPeriodo::ajustaPorItemEVfm() {
    if (ajustando_) return;
    Bandeira guarda(ajustando_);
    Tabela& t = *tabela_;
    if (t.vazia() && !t.editando()) {
        obrigatorios_.clear();
        return;
    }
    const int item = Inteiro(t.valor("Item"));
    const std::string vfm = t.valor("VFM").comoTexto();
    if (auto o = ObrigatoriosDe(item, vfm)) obrigatorios_ = *o;
    const bool temItem = !t.valor("Item").nulo();
    if (t.editando() && temItem && ItemFixo(item) && vfm != "F") t["VFM"] = "F";
    if (temItem && TerminaEmZero(item)) {
        if (!obrigatorio("Diferenca")) obrigatorios_.push_back("Diferenca");
        if (t.editando() && t.valor("Diferenca").comoTexto() != "Z") t["Diferenca"] = "Z";
    } else if (t.editando() && !t.valor("Diferenca").nulo()) {
        t["Diferenca"] = Valor();
    }
}

void ParametrosPeriodo::antesGravar() {
    Tabela& t = *tabela_;
    // An empty end takes the start; both empty is refused at the end.
    for (auto [fim, inicio] : {std::pair{"Mes2", "Mes1"}, std::pair{"Ano2", "Ano1"}}) {
        if (!t.valor(fim).nulo()) continue;
        if (t.valor(inicio).nulo()) throw ErroCampo(MsgObrigatorio, fim);
        t[fim] = t.valor(inicio);
    }
    for (const char* a : kAnos) {
        const Valor& v = t.valor(a);
        if (!v.nulo()) {
            const int completo = AnoCompleto(static_cast<int>(v.comoInteiro()));
            if (completo != v.comoInteiro()) t[a] = completo;
        }
    }
    auto mesAno = [&](const char* mes, const char* ano) { return Inteiro(t.valor(ano)) * 100 + Inteiro(t.valor(mes)); };
    if (mesAno("Mes2", "Ano2") < mesAno("Mes1", "Ano1")) throw ErroKorva(MsgPeriodoInvalido);
    bool janelaCompleta = true;
    for (const char* c : {"MMes1", "MAno1", "MMes2", "MAno2"}) janelaCompleta = janelaCompleta && !t.valor(c).nulo();
    if (janelaCompleta && mesAno("MMes2", "MAno2") < mesAno("MMes1", "MAno1")) throw ErroKorva(MsgPeriodoInvalido);

    // Fields the row's kind does not use are emptied.
    const int item = Inteiro(t.valor("Item"));
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
    if (Inteiro(codigo) == CodigoDtBaseDigitada) {
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
    LinhaLembrada linha;
    for (const auto& f : t.definicao().campos)
        if (f.nome != "Codigo") linha[f.nome] = t.valor(f.nome);
    Lembrada() = std::move(linha);
}

bool ParametrosPeriodo::copiaLinha() {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    Bandeira guarda(copiando_);
    for (const auto& f : t.definicao().campos) {
        auto it = Lembrada()->find(f.nome);
        if (it == Lembrada()->end()) continue;
        if (CopiadoComoEsta(f.nome) || !ZeroOuVazio(it->second)) t[f.nome] = it->second;
    }
    return true;
}

bool ParametrosPeriodo::copiaCampo(const std::string& campo) {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    auto it = Lembrada()->find(campo);
    if (it == Lembrada()->end() || ZeroOuVazio(it->second)) return false;
    Bandeira guarda(copiando_);
    t[campo] = it->second;
    return true;
}

}  // namespace korva
