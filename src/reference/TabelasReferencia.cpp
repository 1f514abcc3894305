#include "reference/TabelasReferencia.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>

#include "reference/EsquemasReferencia.h"
#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {
namespace {

constexpr double kSemLinha = std::numeric_limits<double>::quiet_NaN();

std::string Stem(const std::string& tabela) {
    std::string n = tabela;
    std::replace(n.begin(), n.end(), '\\', '/');
    return std::filesystem::path(n).stem().string();
}

// The two-field code lists: Codigo and its name.
const DefTabela& ListaDeCodigos(const std::string& tabela) {
    const DefTabela* d = EsquemaCompartilhado(tabela);
    if (!d || d->campos.size() != 2 || !IguaisSemCaixa(d->campos[0].nome, "Codigo"))
        throw ErroKorva("A tabela " + tabela + " não é uma lista de códigos.");
    return *d;
}

double Numero(const LinhaConsulta& l, const char* campo) { return l[campo].comoNumero(); }

std::optional<double> Opcional(const LinhaConsulta& l, const char* campo) {
    const Valor& v = l[campo];
    if (v.nulo()) return std::nullopt;
    return v.comoNumero();
}

FaixaINSS LeFaixaINSS(const LinhaConsulta& l) {
    FaixaINSS f;
    f.ano = static_cast<int>(l["Ano"].comoInteiro());
    f.mes = static_cast<int>(l["Mes"].comoInteiro());
    f.limiteMinimo = Numero(l, "LimiteMinimo");
    f.limite1 = Numero(l, "Limite1");
    f.percentual1 = Numero(l, "Percentual1");
    f.limite2 = Numero(l, "Limite2");
    f.percentual2 = Numero(l, "Percentual2");
    f.limite3 = Numero(l, "Limite3");
    f.percentual3 = Numero(l, "Percentual3");
    f.limite4 = Numero(l, "Limite4");
    f.percentual4 = Numero(l, "Percentual4");
    f.limite5 = Numero(l, "Limite5");
    f.percentual5 = Numero(l, "Percentual5");
    f.progressiva = l["Progressiva"].comoLogico();
    return f;
}

FaixaIR LeFaixaIR(const LinhaConsulta& l) {
    FaixaIR f;
    f.ano = static_cast<int>(l["Ano"].comoInteiro());
    f.mes = static_cast<int>(l["Mes"].comoInteiro());
    f.limiteMinimo = Numero(l, "LimiteMinimo");
    f.limite1 = Numero(l, "Limite1");
    f.percentual1 = Numero(l, "Percentual1");
    f.deducao1 = Numero(l, "Deducao1");
    f.limite2 = Numero(l, "Limite2");
    f.percentual2 = Numero(l, "Percentual2");
    f.deducao2 = Numero(l, "Deducao2");
    f.limite3 = Numero(l, "Limite3");
    f.percentual3 = Numero(l, "Percentual3");
    f.deducao3 = Numero(l, "Deducao3");
    f.percentualMaximo = Numero(l, "PercentualMaximo");
    f.deducaoMaximo = Numero(l, "DeducaoMaximo");
    f.deducaoDependente = Numero(l, "DeducaoDependente");
    f.deducaoDaBase = Numero(l, "DeducaoDaBase");
    return f;
}

LinhaValores LeValores(const LinhaConsulta& l) {
    LinhaValores lv;
    lv.ano = static_cast<int>(l["Ano"].comoInteiro());
    lv.mes = static_cast<int>(l["Mes"].comoInteiro());
    lv.salMin = Numero(l, "SalMin");
    lv.salFam1 = Numero(l, "SalFam1");
    lv.salFam2 = Numero(l, "SalFam2");
    lv.limMinimo = Opcional(l, "LimMinimo");
    lv.limMaximo = Opcional(l, "LimMaximo");
    lv.valorMaximo = Opcional(l, "ValorMaximo");
    return lv;
}

// The fields of a Valores.DB row that a calculation needs, or its failure.
double SalMin(const LinhaValores* l, int ano, int mes) {
    if (!l) throw ErroKorva(TabelasReferencia::MsgSalarioMinimo(ano, mes));
    return l->salMin;
}
double SalFam1(const LinhaValores* l, int ano, int mes) {
    if (!l) throw ErroKorva(TabelasReferencia::MsgSalarioFamilia1(ano, mes));
    return l->salFam1;
}
double SalFam2(const LinhaValores* l, int ano, int mes) {
    if (!l) throw ErroKorva(TabelasReferencia::MsgSalarioFamilia2(ano, mes));
    return l->salFam2;
}
// Empty limits count as a missing row: a benefit worked out from them would
// be plainly wrong.
ValoresSeguroDesemprego Seguro(const LinhaValores* l, int ano, int mes) {
    if (!l || !l->limMinimo || !l->limMaximo || !l->valorMaximo)
        throw ErroKorva(TabelasReferencia::MsgSeguroDesemprego(ano, mes));
    return {*l->limMinimo, *l->limMaximo, *l->valorMaximo, l->salMin};
}

int Serial(int ano, int mes) { return ano * 12 + (mes - 1); }

// Rows of a month-keyed table between two months, read through the year index.
template <class F>
void LeMeses(Banco& banco, const std::string& tabela, const std::string& visao, int anoIni, int mesIni, int anoFim,
             int mesFim, F&& recebe) {
    int de = Serial(anoIni, mesIni), ate = Serial(anoFim, mesFim);
    if (de > ate) std::swap(de, ate);
    const auto linhas = banco.consulta("select * from " + visao + " where Ano between :AI and :AF order by Ano, Mes",
                                       {tabela}, {{"AI", de / 12}, {"AF", ate / 12}});
    for (const auto& l : linhas) {
        const int s = Serial(static_cast<int>(l["Ano"].comoInteiro()), static_cast<int>(l["Mes"].comoInteiro()));
        if (s >= de && s <= ate) recebe(l);
    }
}

}  // namespace

std::string TextoMes(int ano, int mes) {
    return Literais::ZerosEsquerdaInt(mes, 2) + "/" + Literais::ZerosEsquerdaInt(ano, 4);
}

// ---- FaixaINSS ----

double FaixaINSS::limite(int banda) const {
    switch (banda) {
        case 1: return limite1;
        case 2: return limite2;
        case 3: return limite3;
        case 4: return limite4;
        case 5: return limite5;
    }
    return 0;
}

double FaixaINSS::percentual(int banda) const {
    switch (banda) {
        case 1: return percentual1;
        case 2: return percentual2;
        case 3: return percentual3;
        case 4: return percentual4;
        case 5: return percentual5;
    }
    return 0;
}

int FaixaINSS::bandas() const {
    for (int b = 5; b >= 1; --b)
        if (limite(b) != 0) return b;
    return 0;
}

double FaixaINSS::teto() const { return limite(bandas()); }

// ---- spans ----

double ValoresPeriodo::salarioMinimo(int ano, int mes) const { return SalMin(procura(ano, mes), ano, mes); }
double ValoresPeriodo::salarioFamilia1(int ano, int mes) const { return SalFam1(procura(ano, mes), ano, mes); }
double ValoresPeriodo::salarioFamilia2(int ano, int mes) const { return SalFam2(procura(ano, mes), ano, mes); }
ValoresSeguroDesemprego ValoresPeriodo::seguroDesemprego(int ano, int mes) const {
    return Seguro(procura(ano, mes), ano, mes);
}

const FaixaIR& FaixasIRPeriodo::faixa(int ano, int mes) const {
    if (const FaixaIR* f = procura(ano, mes)) return *f;
    throw ErroKorva(TabelasReferencia::MsgAliquotaIR(ano, mes));
}

bool SerieDiaria::tem(Data d) const {
    const int64_t i = static_cast<int64_t>(d - primeiro_);
    return d >= inicio_ && d <= fim_ && i >= 0 && i < static_cast<int64_t>(valores_.size()) &&
           !std::isnan(valores_[static_cast<size_t>(i)]);
}

double SerieDiaria::indice(Data d) const {
    if (!tem(d))
        throw ErroKorva(tabelaVazia_ ? kTabelaDiarioVazia : TabelasReferencia::MsgIndiceDiario(d, ultimoDaTabela_));
    return valores_[static_cast<size_t>(d - primeiro_)];
}

// ---- messages ----

std::string TabelasReferencia::MsgSalarioMinimo(int ano, int mes) {
    return "ERRO! - Não existe Salário Mínimo cadastrado para o mes " + TextoMes(ano, mes) + ".";
}
std::string TabelasReferencia::MsgSalarioFamilia1(int ano, int mes) {
    return "ERRO! - Não existe Salário-Família 1 cadastrado para o mes " + TextoMes(ano, mes) + ".";
}
std::string TabelasReferencia::MsgSalarioFamilia2(int ano, int mes) {
    return "ERRO! - Não existe Salário-Família 2 cadastrado para o mes " + TextoMes(ano, mes) + ".";
}
std::string TabelasReferencia::MsgSalarioNormativo(int ano, int mes) {
    return "ERRO! - Não existe Salário cadastrado para o mes " + TextoMes(ano, mes) + ".";
}
std::string TabelasReferencia::MsgValeTransporte(int ano, int mes) {
    return "ERRO! - Não existe Vale-Transporte cadastrado para o mes " + TextoMes(ano, mes) + ".";
}
std::string TabelasReferencia::MsgSeguroDesemprego(int ano, int mes) {
    return "ERRO! Não há Valores do Seguro Desemprego para " + TextoMes(ano, mes) + "!";
}
std::string TabelasReferencia::MsgAliquotaIR(int ano, int mes) {
    return "ERRO! Não há Alíquota do IR para " + TextoMes(ano, mes) + "!";
}
std::string TabelasReferencia::MsgIndiceDiario(Data d, std::optional<Data> ultimoDia) {
    std::string m = "ERRO - Não há índice de atualização diária para " + d.dma() + "!";
    if (ultimoDia && d > *ultimoDia)
        m += " O índice diário desta instalação vai até " + ultimoDia->dma() +
             "; atualize as tabelas (Sistema > Atualizar tabelas via WEB, ou korva-cli tabelas atualizar) ou informe "
             "uma data base até esse dia.";
    return m;
}

// ---- object ----

TabelasReferencia::TabelasReferencia(Banco& compartilhado) : banco_(compartilhado) {}
TabelasReferencia::~TabelasReferencia() = default;

std::string TabelasReferencia::usa(const std::string& tabela) {
    // The database hands back the connection it already has while this object
    // holds it, and a new one when the table was deleted and created again.
    conexoes_[Minusculas(tabela)] = banco_.conexao(tabela);
    return Stem(tabela);
}

void TabelasReferencia::Esquece() {
    feriadosLidos_ = false;
    feriados_.clear();
}

// ---- Valores.DB ----

std::optional<LinhaValores> TabelasReferencia::Valores(int ano, int mes) {
    const auto v = usa("Valores.DB");
    const auto r = banco_.consulta("select * from " + v + " where Ano=:A and Mes=:M", {"Valores.DB"},
                                   {{"A", ano}, {"M", mes}});
    if (r.empty()) return std::nullopt;
    return LeValores(r.front());
}

double TabelasReferencia::SalarioMinimo(int ano, int mes) {
    const auto l = Valores(ano, mes);
    return SalMin(l ? &*l : nullptr, ano, mes);
}

double TabelasReferencia::SalarioFamilia1(int ano, int mes) {
    const auto l = Valores(ano, mes);
    return SalFam1(l ? &*l : nullptr, ano, mes);
}

double TabelasReferencia::SalarioFamilia2(int ano, int mes) {
    const auto l = Valores(ano, mes);
    return SalFam2(l ? &*l : nullptr, ano, mes);
}

ValoresSeguroDesemprego TabelasReferencia::SeguroDesemprego(int ano, int mes) {
    const auto l = Valores(ano, mes);
    return Seguro(l ? &*l : nullptr, ano, mes);
}

ValoresPeriodo TabelasReferencia::CarregaValores(int anoIni, int mesIni, int anoFim, int mesFim) {
    ValoresPeriodo p;
    LeMeses(banco_, "Valores.DB", usa("Valores.DB"), anoIni, mesIni, anoFim, mesFim,
            [&](const LinhaConsulta& l) { p.inclui(LeValores(l)); });
    return p;
}

// ---- user series ----

double TabelasReferencia::SalarioNormativo(int serie, int ano, int mes) {
    const auto v = usa("Salario.DB");
    const auto r = banco_.consulta("select SalMin from " + v + " where Salario=:S and Ano=:A and Mes=:M",
                                   {"Salario.DB"}, {{"S", serie}, {"A", ano}, {"M", mes}});
    if (r.empty()) throw ErroKorva(MsgSalarioNormativo(ano, mes));
    return r.front()[0].comoNumero();
}

double TabelasReferencia::ValeTransporte(int serie, int ano, int mes) {
    const auto v = usa("VTransp.DB");
    const auto r = banco_.consulta("select VTransp from " + v + " where ValeTransporte=:S and Ano=:A and Mes=:M",
                                   {"VTransp.DB"}, {{"S", serie}, {"A", ano}, {"M", mes}});
    if (r.empty()) throw ErroKorva(MsgValeTransporte(ano, mes));
    return r.front()[0].comoNumero();
}

// ---- daily indices ----

bool TabelasReferencia::DiarioVazio() {
    const auto v = usa("Diario.DB");
    return banco_.consulta("select 1 from " + v + " limit 1", {"Diario.DB"}).empty();
}

double TabelasReferencia::IndiceDiario(int codIndice, Data d) {
    const auto v = usa("Diario.DB");
    const auto r = banco_.consulta("select Indice from " + v + " where CodIndice=:C and Data=:D", {"Diario.DB"},
                                   {{"C", codIndice}, {"D", d}});
    if (r.empty())
        throw ErroKorva(DiarioVazio() ? std::string(kTabelaDiarioVazia)
                                      : MsgIndiceDiario(d, UltimoDiaIndiceDiario(codIndice)));
    return r.front()[0].comoNumero();
}

std::optional<Data> TabelasReferencia::UltimoDiaIndiceDiario(int codIndice) {
    const auto v = usa("Diario.DB");
    const auto r = banco_.consulta("select max(Data) from " + v + " where CodIndice=:C", {"Diario.DB"},
                                   {{"C", codIndice}});
    if (r.empty() || r.front()[0].nulo()) return std::nullopt;
    return r.front()[0].comoData();
}

SerieDiaria TabelasReferencia::CarregaSerieDiaria(int codIndice, Data de, Data ate) {
    if (ate < de) std::swap(de, ate);
    const auto v = usa("Diario.DB");
    const auto r = banco_.consulta("select Data, Indice from " + v +
                                       " where CodIndice=:C and Data between :I and :F order by Data",
                                   {"Diario.DB"}, {{"C", codIndice}, {"I", de}, {"F", ate}});
    SerieDiaria s;
    s.codIndice_ = codIndice;
    s.inicio_ = de;
    s.fim_ = ate;
    if (r.empty()) {
        s.primeiro_ = de;
        s.tabelaVazia_ = DiarioVazio();
        if (!s.tabelaVazia_) s.ultimoDaTabela_ = UltimoDiaIndiceDiario(codIndice);
        return s;
    }
    // The vector spans the rows found, not the span asked for.
    const Data primeiro = r.front()[0].comoData();
    const Data ultimo = r.back()[0].comoData();
    if (ultimo < ate) s.ultimoDaTabela_ = UltimoDiaIndiceDiario(codIndice);
    s.primeiro_ = primeiro;
    s.valores_.assign(static_cast<size_t>(ultimo - primeiro) + 1, kSemLinha);
    for (const auto& l : r) {
        s.valores_[static_cast<size_t>(l[0].comoData() - primeiro)] = l[1].comoNumero();
        ++s.quantidade_;
    }
    return s;
}

// ---- brackets ----

std::optional<FaixaINSS> TabelasReferencia::FaixaINSSDoMes(int ano, int mes) {
    const auto v = usa("FaixasINSS.DB");
    const auto r = banco_.consulta("select * from " + v + " where Ano=:A and Mes=:M", {"FaixasINSS.DB"},
                                   {{"A", ano}, {"M", mes}});
    if (r.empty()) return std::nullopt;
    return LeFaixaINSS(r.front());
}

FaixaIR TabelasReferencia::FaixaIRDoMes(int ano, int mes) {
    const auto v = usa("FaixasIR.db");
    const auto r = banco_.consulta("select * from " + v + " where Ano=:A and Mes=:M", {"FaixasIR.db"},
                                   {{"A", ano}, {"M", mes}});
    if (r.empty()) throw ErroKorva(MsgAliquotaIR(ano, mes));
    return LeFaixaIR(r.front());
}

FaixasINSSPeriodo TabelasReferencia::CarregaFaixasINSS(int anoIni, int mesIni, int anoFim, int mesFim) {
    FaixasINSSPeriodo p;
    LeMeses(banco_, "FaixasINSS.DB", usa("FaixasINSS.DB"), anoIni, mesIni, anoFim, mesFim,
            [&](const LinhaConsulta& l) { p.inclui(LeFaixaINSS(l)); });
    return p;
}

FaixasIRPeriodo TabelasReferencia::CarregaFaixasIR(int anoIni, int mesIni, int anoFim, int mesFim) {
    FaixasIRPeriodo p;
    LeMeses(banco_, "FaixasIR.db", usa("FaixasIR.db"), anoIni, mesIni, anoFim, mesFim,
            [&](const LinhaConsulta& l) { p.inclui(LeFaixaIR(l)); });
    return p;
}

// ---- holidays ----

void TabelasReferencia::carregaFeriados() {
    if (feriadosLidos_) return;
    const auto v = usa("FeriadosPadrao.db");
    std::set<std::pair<int32_t, int>> lidos;
    for (const auto& l : banco_.consulta("select Data, Tipo from " + v, {"FeriadosPadrao.db"})) {
        if (l[0].nulo()) continue;
        lidos.emplace(l[0].comoData().serial(), static_cast<int>(l[1].comoInteiro()));
    }
    feriados_ = std::move(lidos);
    feriadosLidos_ = true;
}

bool TabelasReferencia::EhFeriado(Data d, bool nacionais, bool estaduais, int municipal) {
    carregaFeriados();
    const int32_t s = d.serial();
    if (nacionais && feriados_.count({s, 1})) return true;
    if (estaduais && feriados_.count({s, 2})) return true;
    return feriados_.count({s, municipal}) > 0;
}

bool TabelasReferencia::EhDiaDeFeriado(Data d) {
    carregaFeriados();
    auto it = feriados_.lower_bound({d.serial(), INT_MIN});
    return it != feriados_.end() && it->first == d.serial();
}

// ---- social-security rates ----

std::vector<TaxaPrevidencia> TabelasReferencia::BuscaPrevidencia(const std::string& tabela, std::string_view texto,
                                                                 OpcaoPesquisa opcao) {
    const std::string stem = Stem(tabela);
    if (!IguaisSemCaixa(stem, "PrevEmpregador") && !IguaisSemCaixa(stem, "PrevTerceiro") &&
        !IguaisSemCaixa(stem, "PrevSAT"))
        throw ErroKorva("A tabela " + tabela + " não é uma tabela de recolhimento previdenciário.");
    const auto v = usa(tabela);
    std::vector<TaxaPrevidencia> r;
    for (const auto& l : banco_.consulta("select Codigo, Natureza, Taxa from " + v + " order by Natureza collate " +
                                             std::string(kColacaoSemCaixa) + ", Codigo",
                                         {tabela})) {
        std::string natureza = l[1].comoTexto();
        if (!PassaPesquisa(natureza, texto, opcao)) continue;
        r.push_back({static_cast<int>(l[0].comoInteiro()), std::move(natureza), l[2].comoNumero()});
    }
    return r;
}

// ---- code lists ----

std::string TabelasReferencia::NomeDoCodigo(const std::string& tabela, int codigo) {
    const DefTabela& d = ListaDeCodigos(tabela);
    const auto v = usa(tabela);
    const auto r = banco_.consulta("select \"" + d.campos[1].nome + "\" from " + v + " where Codigo=:C", {tabela},
                                   {{"C", codigo}});
    return r.empty() ? std::string() : r.front()[0].comoTexto();
}

std::vector<ItemLista> TabelasReferencia::ListaNomes(const std::string& tabela) {
    const DefTabela& d = ListaDeCodigos(tabela);
    const auto v = usa(tabela);
    const std::string nome = "\"" + d.campos[1].nome + "\"";
    std::vector<ItemLista> r;
    for (const auto& l : banco_.consulta("select Codigo, " + nome + " from " + v + " order by " + nome +
                                             " collate " + std::string(kColacaoSemCaixa) + ", Codigo",
                                         {tabela}))
        r.push_back({static_cast<int>(l[0].comoInteiro()), l[1].comoTexto()});
    return r;
}

std::vector<ItemLista> TabelasReferencia::ClassesFeriadoLocais() {
    std::vector<ItemLista> r = ListaNomes("TipoFeriado.DB");
    std::erase_if(r, [](const ItemLista& i) { return i.codigo <= 2; });
    return r;
}

// ---- user name lists ----

int TabelasReferencia::ProximoCodigo(const std::string& tabela) {
    const DefTabela* d = EsquemaCompartilhado(tabela);
    if (!d || d->posicao("Codigo") < 0) throw ErroKorva("A tabela " + tabela + " não tem o campo Codigo.");
    const auto v = usa(tabela);
    const auto r = banco_.consulta("Select max(Codigo) Maximo from " + v, {tabela});
    if (r.empty() || r.front()["Maximo"].nulo()) return 1;
    return static_cast<int>(r.front()["Maximo"].comoInteiro()) + 1;
}

void TabelasReferencia::ExcluiValoresDoNome(const std::string& tabela, int codigo) {
    const std::string stem = Stem(tabela);
    // The values of a series are keyed by its code; the statement names its
    // table "Tabela".
    if (IguaisSemCaixa(stem, "NomeSalario")) {
        usa("Salario.DB");
        banco_.executa("Salario.DB", "Delete from Tabela where Salario=:PCod", {{"PCod", codigo}});
    } else if (IguaisSemCaixa(stem, "NomeVTransp")) {
        usa("VTransp.DB");
        banco_.executa("VTransp.DB", "Delete from Tabela where ValeTransporte=:PCod", {{"PCod", codigo}});
    } else if (!IguaisSemCaixa(stem, "TipoFeriado")) {
        throw ErroKorva("A tabela " + tabela + " não é uma lista de nomes do usuário.");
    }
}

void TabelasReferencia::ExcluiNome(const std::string& tabela, int codigo) {
    Transacao t(banco_);
    ExcluiValoresDoNome(tabela, codigo);
    usa(tabela);
    banco_.executa(tabela, "Delete from Tabela where Codigo=:PCod", {{"PCod", codigo}});
    t.confirma();
}

}  // namespace korva
