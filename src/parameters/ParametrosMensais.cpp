#include "parameters/ParametrosMensais.h"


#include "parameters/LinhaParametros.h"
#include "parameters/ParametrosPeriodo.h"
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

bool CopiadoComoEsta(const std::string& campo) { return campo == "VFM" || campo == "Diferenca" || campo == "INSS"; }

bool UsaQuantidade(int item) { return item == 1 || item == 3 || item == 997 || item == 998 || item == 999; }

}  // namespace

std::string ParametrosMensais::MsgItemIgualBase(int item) {
    return "O Item de Cálculo (" + std::to_string(item) + ") não pode ser igual ao Item Base!";
}

std::string ParametrosMensais::Titulo(const std::string& nomeTabela) {
    return "KORVA - Tabela de Parâmetros Mês a Mês (" + nomeTabela + ")";
}

std::optional<std::vector<std::string>> ParametrosMensais::ObrigatoriosDe(int item, const std::string& vfm) {
    if (!ParametrosPeriodo::ItemFixo(item) && vfm == "D") return std::vector<std::string>{"Valor"};
    return ParametrosPeriodo::ObrigatoriosDe(item, vfm);
}

ParametrosMensais::ParametrosMensais(Banco& privado, std::string tabelaB, const CalculoDtBase& dtBase,
                                     OrdemParametros ordem)
    : GradeParametros(privado, std::move(tabelaB), ordem), dtBase_(dtBase) {}

ParametrosMensais::~ParametrosMensais() = default;

bool ParametrosMensais::valorComBotao() {
    return !tabela_->editando() && !tabela_->vazia() && InteiroOuZero(tabela_->valor("Item")) == 4;
}

void ParametrosMensais::ligaRegras() {
    Tabela& t = *tabela_;
    LigaMesesEAnos(t, {"Mes", "MMes1", "MMes2"}, {"Ano", "MAno1", "MAno2"});
    LigaLetrasEDivisor(
        t, [this](const std::string& s) { return s == "V" || s == "F" || s == "M" || s == "C" || (s == "D" && calculando_); }, [this] { ajustaPorItemEVfm(); });
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
    t.antesEditar = [this](Tabela& tab) {
        if (!calculando_ && tab.valor("VFM").comoTexto() == "D") throw ErroKorva(MsgItemDiferenca);
    };
    t.depoisEditar = [](Tabela& tab) { tab["Calculado"] = false; };
    t.antesInserir = [this](Tabela&) { lembraLinha(); };
    t.aoNovoRegistro = [this](Tabela& tab) {
        // Codigo stays empty: the store numbers the row.
        tab["Calculado"] = false;
        tab["CodDataBasePadrao"] = dtBase_.opcoes().dataBasePadrao;
        ajustaPorItemEVfm();
    };
    t.depoisRolar = [this](Tabela&) { ajustaPorItemEVfm(); };
    t.depoisCancelar = [this](Tabela&) { ajustaPorItemEVfm(); };
    t.antesGravar = [this](Tabela&) { antesGravar(); };
}

void ParametrosMensais::validaItem(const std::string& campo, const Valor& novo) {
    ValidaItens(*tabela_, campo, novo, *catalogo_, MsgItemIgualBase);
}

void ParametrosMensais::ajustaPorItemEVfm() {
    if (ajustando_) return;
    Bandeira guarda(ajustando_);
    Tabela& t = *tabela_;
    if (t.vazia() && !t.editando()) {
        obrigatorios_.clear();
        return;
    }
    AplicaItemEVfm(t, obrigatorios_, ObrigatoriosDe(InteiroOuZero(t.valor("Item")), t.valor("VFM").comoTexto()));
}

void ParametrosMensais::antesGravar() {
    Tabela& t = *tabela_;
    // Fields the row's kind does not use are emptied; Valor survives on
    // factor, average and commission rows, where it holds the calculated value.
    const int item = InteiroOuZero(t.valor("Item"));
    const std::string vfm = t.valor("VFM").comoTexto();
    std::vector<const char*> vazios;
    auto junta = [&](std::initializer_list<const char*> campos) { vazios.insert(vazios.end(), campos); };
    const auto media = {"ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2"};
    if (item == 2 || item == 4) {
        junta({"Qtde", "Indice", "Divisor", "Base"});
        junta(media);
        if (item == 4 && !calculando_) junta({"Valor"});
    } else if (UsaQuantidade(item)) {
        junta({"Indice", "Divisor", "Base"});
        junta(media);
    } else if (vfm == "V") {
        junta({"Qtde", "Indice", "Divisor", "Base"});
        junta(media);
    } else if (vfm == "F") {
        junta(media);
    } else if (vfm == "C") {
        junta({"Qtde", "Indice", "Divisor", "Base"});
    }
    for (const char* c : vazios)
        if (!t.valor(c).nulo()) t[c] = Valor();

    NormalizaAnos(t, {"Ano", "MAno1", "MAno2"});
    // A reversed averaging window would average over no month at all.
    bool janelaCompleta = true;
    for (const char* c : {"MMes1", "MAno1", "MMes2", "MAno2"}) janelaCompleta = janelaCompleta && !t.valor(c).nulo();
    auto mesAno = [&](const char* mes, const char* ano) { return InteiroOuZero(t.valor(ano)) * 100 + InteiroOuZero(t.valor(mes)); };
    if (janelaCompleta && mesAno("MMes2", "MAno2") < mesAno("MMes1", "MAno1")) throw ErroKorva(MsgPeriodoInvalido);

    if (!TerminaEmZero(item) && !t.valor("Diferenca").nulo()) t["Diferenca"] = Valor();

    // DtBase follows the month and the standard code.
    for (const char* c : {"Mes", "Ano", "CodDataBasePadrao"})
        if (t.valor(c).nulo()) throw ErroCampo(MsgObrigatorio, c);
    const int codigo = InteiroOuZero(t.valor("CodDataBasePadrao"));
    if (!CodigoDtBaseConhecido(codigo)) throw ErroCampo(MsgCodigoDtBaseInvalido(codigo), "CodDataBasePadrao");
    std::optional<Data> digitada;
    if (!t.valor("DtBase").nulo()) digitada = t.valor("DtBase").comoData();
    if (codigo == CodigoDtBaseDigitada && !digitada) throw ErroCampo(MsgObrigatorio, "DtBase");
    t["DtBase"] = dtBase_.CalculaDtBase(InteiroOuZero(t.valor("Mes")), InteiroOuZero(t.valor("Ano")), digitada, codigo);

    for (const auto& c : obrigatorios_)
        if (t.valor(c).nulo())
            throw ErroBanco(CodigoBanco::CampoObrigatorio, "Campo obrigatório não preenchido: " + c);
}

// ---- closing ----

int ParametrosMensais::contaNaoCalculados() {
    Tabela& t = *tabela_;
    if (t.vazia()) return 0;
    const Marcador volta = t.marcador();
    int n = 0;
    for (t.primeiro(); !t.fim(); t.proximo())
        if (t.valor("Calculado").nulo() || !t.valor("Calculado").comoLogico()) ++n;
    t.vaiParaMarcador(volta);
    return n;
}

std::string ParametrosMensais::PerguntaFechamento(int quantidade) {
    return "Há " + std::to_string(quantidade) +
           " item(s) que voce alterou e não recalculou este processo.\n"
           "Antes de imprimir qualquer relatório será necessário retornar a esta tela e recalcular este processo.\n"
           "Deseja realmente fechar esta tela?";
}

bool ParametrosMensais::vaiParaPrimeiroNaoCalculado() {
    Tabela& t = *tabela_;
    if (t.vazia()) return false;
    const Marcador volta = t.marcador();
    for (t.primeiro(); !t.fim(); t.proximo())
        if (t.valor("Calculado").nulo() || !t.valor("Calculado").comoLogico()) return true;
    t.vaiParaMarcador(volta);
    return false;
}

bool ParametrosMensais::fecha(const std::function<bool(const std::string&)>& confirma) {
    if (tabela_->editando()) OperacaoPendente(0);
    if (const int n = contaNaoCalculados(); n > 0 && confirma && !confirma(PerguntaFechamento(n))) {
        vaiParaPrimeiroNaoCalculado();
        return false;
    }
    tabela_->fecha();
    return true;
}

// ---- the remembered row ----

bool ParametrosMensais::TemLinhaLembrada() { return Lembrada().has_value(); }
void ParametrosMensais::EsqueceLinhaLembrada() { Lembrada().reset(); }

void ParametrosMensais::lembraLinha() {
    Tabela& t = *tabela_;
    if (t.vazia() || t.posicao() < 0 || t.valor("Item").nulo()) return;
    Lembrada() = LeLinha(t, {"Codigo", "CodDataBasePadrao", "DtBase", "Calculado"});
}

bool ParametrosMensais::copiaLinha() {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    Bandeira guarda(copiando_);
    LinhaLembrada linha = *Lembrada();
    // A difference row is the calculation's alone: its kind is not copied by hand.
    if (!calculando_ && linha["VFM"].comoTexto() == "D") linha.erase("VFM");
    CopiaLinhaLembrada(t, linha, CopiadoComoEsta);
    return true;
}

bool ParametrosMensais::copiaCampo(const std::string& campo) {
    Tabela& t = *tabela_;
    if (!Lembrada() || !t.editando()) return false;
    Bandeira guarda(copiando_);
    const LinhaLembrada& linha = *Lembrada();
    bool copiou = false;
    if (!(campo == "VFM" && !calculando_ && linha.count("VFM") && linha.at("VFM").comoTexto() == "D"))
        copiou = CopiaCampoLembrado(t, linha, campo);
    if (campo != "INSS") copiou = CopiaCampoLembrado(t, linha, "INSS") || copiou;
    return copiou;
}

}  // namespace korva
