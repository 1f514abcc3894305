#pragma once
// Lookups over the reference tables of the shared database: the monthly
// values, the daily correction indices, the INSS and IR brackets, the
// holidays, the social-security rates and the code lists, plus the few
// changes the name lists allow (new code, deletion of a series).
//
// Every lookup that a calculation makes is an exact match on the table's
// key; a missing row fails with the message the calculation shows, except
// for the INSS brackets (the caller zeroes that month's contribution) and
// the names (shown empty). No neighbouring row is ever used instead.
//
// Keyed reads go through an indexed statement on a connection this object
// keeps open; the holidays are read once per object; the bulk loaders read a
// whole span once so that a run never goes back to the table per row.
#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reference/Pesquisa.h"
#include "util/Data.h"

namespace korva {

class Banco;
class Conexao;

// A month key (Ano, Mes).
struct ChaveMes {
    int ano = 0;
    int mes = 0;
    auto operator<=>(const ChaveMes&) const = default;
};

// "MM/YYYY", both zero-padded.
std::string TextoMes(int ano, int mes);

// Told once to the user when a month of the INSS brackets is missing.
inline constexpr const char* kAvisoINSSIncompleto =
    "ATENÇÃO! Os valores da contribuição previdenciária do empregado serão anulados, pois a tabela do INSS não "
    "está completa até a data final.";
// Shown instead of the per-date message when Diario.DB holds no row at all.
inline constexpr const char* kTabelaDiarioVazia =
    "ERRO - A tabela de índices diários está vazia. Atualize as tabelas (Sistema > Atualizar tabelas via WEB) ou "
    "importe-as.";

// A row of Valores.DB. The unemployment-insurance limits may be empty.
struct LinhaValores {
    int ano = 0, mes = 0;
    double salMin = 0, salFam1 = 0, salFam2 = 0;
    std::optional<double> limMinimo, limMaximo, valorMaximo;
};

// The figures of the unemployment-insurance benefit of a month.
struct ValoresSeguroDesemprego {
    double limMinimo = 0, limMaximo = 0, valorMaximo = 0, salMin = 0;
};

// A row of FaixasINSS.DB.
struct FaixaINSS {
    int ano = 0, mes = 0;
    double limiteMinimo = 0;
    double limite1 = 0, percentual1 = 0;
    double limite2 = 0, percentual2 = 0;
    double limite3 = 0, percentual3 = 0;
    double limite4 = 0, percentual4 = 0;
    double limite5 = 0, percentual5 = 0;
    bool progressiva = false;  // rates applied band by band (from 03/2020)

    // Band 1 to 5; 0 for any other number.
    double limite(int banda) const;
    double percentual(int banda) const;
    // Number of bands in use: up to the last non-zero limit (0 when none).
    int bandas() const;
    // Ceiling of the contribution base: the last non-zero limit.
    double teto() const;
};

// A row of FaixasIR.db.
struct FaixaIR {
    int ano = 0, mes = 0;
    double limiteMinimo = 0;
    double limite1 = 0, percentual1 = 0, deducao1 = 0;
    double limite2 = 0, percentual2 = 0, deducao2 = 0;
    double limite3 = 0, percentual3 = 0, deducao3 = 0;
    double percentualMaximo = 0, deducaoMaximo = 0;
    double deducaoDependente = 0, deducaoDaBase = 0;
};

// Rows of a monthly table over a span of months, read at once.
template <class Linha>
class LinhasPorMes {
public:
    // Null when the month has no row.
    const Linha* procura(int ano, int mes) const {
        auto it = linhas_.find(ChaveMes{ano, mes});
        return it == linhas_.end() ? nullptr : &it->second;
    }
    size_t quantidade() const { return linhas_.size(); }
    void inclui(Linha l) {
        const ChaveMes k{l.ano, l.mes};
        linhas_.insert_or_assign(k, std::move(l));
    }

private:
    std::map<ChaveMes, Linha> linhas_;
};

// The monthly values of a span, failing as the keyed lookups do.
class ValoresPeriodo : public LinhasPorMes<LinhaValores> {
public:
    double salarioMinimo(int ano, int mes) const;
    double salarioFamilia1(int ano, int mes) const;
    double salarioFamilia2(int ano, int mes) const;
    ValoresSeguroDesemprego seguroDesemprego(int ano, int mes) const;
};

// The INSS brackets of a span: a missing month is not an error.
using FaixasINSSPeriodo = LinhasPorMes<FaixaINSS>;

// The IR brackets of a span.
class FaixasIRPeriodo : public LinhasPorMes<FaixaIR> {
public:
    // Fails with "ERRO! Não há Alíquota do IR para MM/YYYY!" when missing.
    const FaixaIR& faixa(int ano, int mes) const;
};

// One daily index series between two dates, read at once. Asked for a date
// without a row (or outside the span it was loaded for) it fails with the
// per-date message, or with the empty-table message when Diario.DB is empty.
class SerieDiaria {
public:
    SerieDiaria() = default;
    int codIndice() const { return codIndice_; }
    Data inicio() const { return inicio_; }  // span asked for
    Data fim() const { return fim_; }
    size_t quantidade() const { return quantidade_; }
    bool tem(Data d) const;
    double indice(Data d) const;

private:
    friend class TabelasReferencia;
    int codIndice_ = 0;
    Data inicio_, fim_;
    Data primeiro_;                // date of valores_[0]
    std::vector<double> valores_;  // one per day from primeiro_; NaN = no row
    size_t quantidade_ = 0;
    bool tabelaVazia_ = false;
    // The table's last day of the series, read only when the span asked for
    // reaches past the rows found (else no date of the span lies after it).
    std::optional<Data> ultimoDaTabela_;
};

// A row of PrevEmpregador.DB, PrevTerceiro.DB or PrevSAT.DB.
struct TaxaPrevidencia {
    int codigo = 0;
    std::string natureza;
    double taxa = 0;
};

// A code and its name, for the pickers.
struct ItemLista {
    int codigo = 0;
    std::string nome;
};

class TabelasReferencia {
public:
    // Failure messages of the monthly lookups.
    static std::string MsgSalarioMinimo(int ano, int mes);
    static std::string MsgSalarioFamilia1(int ano, int mes);
    static std::string MsgSalarioFamilia2(int ano, int mes);
    static std::string MsgSalarioNormativo(int ano, int mes);
    static std::string MsgValeTransporte(int ano, int mes);
    static std::string MsgSeguroDesemprego(int ano, int mes);
    static std::string MsgAliquotaIR(int ano, int mes);
    // "ERRO - Não há índice de atualização diária para dd/mm/yyyy!". A date
    // after `ultimoDia`, the last day the table holds for the index, is the
    // usual case of a base date past the installed tables: the message goes
    // on with that day and how to bring the tables up to date.
    static std::string MsgIndiceDiario(Data d, std::optional<Data> ultimoDia = std::nullopt);

    // `compartilhado` is the shared database; it must outlive this object.
    explicit TabelasReferencia(Banco& compartilhado);
    ~TabelasReferencia();
    TabelasReferencia(const TabelasReferencia&) = delete;
    TabelasReferencia& operator=(const TabelasReferencia&) = delete;

    Banco& banco() { return banco_; }

    // ---- Valores.DB ----
    std::optional<LinhaValores> Valores(int ano, int mes);
    double SalarioMinimo(int ano, int mes);
    double SalarioFamilia1(int ano, int mes);
    double SalarioFamilia2(int ano, int mes);
    // Fails also when the row's limits are empty: a benefit worked out from
    // empty limits would be plainly wrong.
    ValoresSeguroDesemprego SeguroDesemprego(int ano, int mes);
    // Every month from (anoIni, mesIni) to (anoFim, mesFim), both included
    // (the two months may come in either order).
    ValoresPeriodo CarregaValores(int anoIni, int mesIni, int anoFim, int mesFim);

    // ---- user series ----
    // Salario.DB by (series, Ano, Mes).
    double SalarioNormativo(int serie, int ano, int mes);
    // VTransp.DB by (series, Ano, Mes).
    double ValeTransporte(int serie, int ano, int mes);

    // ---- daily indices ----
    double IndiceDiario(int codIndice, Data d);
    // Every row of the series between the two dates (in either order).
    SerieDiaria CarregaSerieDiaria(int codIndice, Data de, Data ate);
    bool DiarioVazio();
    // The last day of the series in Diario.DB; none when it has no row.
    std::optional<Data> UltimoDiaIndiceDiario(int codIndice);

    // ---- brackets ----
    std::optional<FaixaINSS> FaixaINSSDoMes(int ano, int mes);
    FaixaIR FaixaIRDoMes(int ano, int mes);
    // Every month of the span, as CarregaValores.
    FaixasINSSPeriodo CarregaFaixasINSS(int anoIni, int mesIni, int anoFim, int mesFim);
    FaixasIRPeriodo CarregaFaixasIR(int anoIni, int mesIni, int anoFim, int mesFim);

    // ---- holidays (FeriadosPadrao.db, read once per object) ----
    // The lawsuit's rule: (D, 1) when `nacionais`, then (D, 2) when
    // `estaduais`, then always (D, `municipal`).
    bool EhFeriado(Data d, bool nacionais, bool estaduais, int municipal);
    // A holiday of any class on that date.
    bool EhDiaDeFeriado(Data d);

    // ---- social-security rates ----
    // The rows of PrevEmpregador.DB, PrevTerceiro.DB or PrevSAT.DB whose
    // Natureza holds the text as the option says, ordered by Natureza.
    std::vector<TaxaPrevidencia> BuscaPrevidencia(const std::string& tabela, std::string_view texto,
                                                  OpcaoPesquisa opcao);

    // ---- code lists ----
    // The name of a code in a code list ("" when the code is missing).
    std::string NomeDoCodigo(const std::string& tabela, int codigo);
    std::string NomeIndiceDiario(int codigo) { return NomeDoCodigo("NomeIndiceDiario.DB", codigo); }
    std::string NomeSalario(int codigo) { return NomeDoCodigo("NomeSalario.DB", codigo); }
    std::string NomeVTransp(int codigo) { return NomeDoCodigo("NomeVTransp.DB", codigo); }
    std::string TipoFeriado(int codigo) { return NomeDoCodigo("TipoFeriado.DB", codigo); }
    std::string DataBasePadrao(int codigo) { return NomeDoCodigo("DataBasePadrao.db", codigo); }
    std::string BasesIR(int codigo) { return NomeDoCodigo("BasesIR.db", codigo); }
    std::string Documento(int codigo) { return NomeDoCodigo("Documento.db", codigo); }
    std::string TipoParte(int codigo) { return NomeDoCodigo("TipoParte.db", codigo); }
    // Every code of a code list, ordered by name.
    std::vector<ItemLista> ListaNomes(const std::string& tabela);
    // The local holiday classes (codes above 2), ordered by description.
    std::vector<ItemLista> ClassesFeriadoLocais();

    // ---- user name lists (NomeSalario.DB, NomeVTransp.DB, TipoFeriado.DB) ----
    // Greatest code + 1, or 1 when the list is empty.
    int ProximoCodigo(const std::string& tabela);
    // Deletes the values of a normative-salary or transport-voucher series
    // (nothing for the holiday classes). Joins the running transaction.
    void ExcluiValoresDoNome(const std::string& tabela, int codigo);
    // Deletes a name with its values, in one transaction.
    void ExcluiNome(const std::string& tabela, int codigo);

    // Forgets the rows read once (holidays), so the next lookup reads again.
    void Esquece();

private:
    // Keeps the table's connection open across lookups and returns the name
    // under which statements see the table.
    std::string usa(const std::string& tabela);
    void carregaFeriados();

    Banco& banco_;
    std::map<std::string, std::shared_ptr<Conexao>> conexoes_;
    bool feriadosLidos_ = false;
    std::set<std::pair<int32_t, int>> feriados_;  // (date serial, class)
};

}  // namespace korva
