#pragma once
// Rules of the windows that browse and edit the reference tables: the user's
// name lists (normative salaries, transport vouchers, holiday classes) with
// their new codes and the deletion of a series with its values, the values
// of one series (its code on every new row, the year typed with two digits,
// the F4 copy into the next month), the holidays, the search keys of the
// monthly values window and the computed index of the daily series.
//
// Each rule hooks into the dataset's events, so it holds whatever drives the
// dataset (a grid, a test, a script).
#include <optional>
#include <string>
#include <vector>

#include "storage/Banco.h"
#include "storage/Valor.h"
#include "util/Data.h"

namespace korva {

class Tabela;
class TabelasReferencia;

// ---- field rules (on an open dataset; they last until it is destroyed) ----

// A year typed into `campo`: below 100 it is expanded by AnoCompleto (98 gives
// 1998, 05 gives 2005, 2005 stays), an empty entry clears it, and the year is
// then checked by ValidaAno ("Ano inválido!").
void RegraAnoDigitado(Tabela& t, const std::string& campo = "Ano");

// The text of `campo` is proper-cased (Literais::NomeProprio) as it is typed.
void RegraNomeProprio(Tabela& t, const std::string& campo);

// ---- the user's name lists ----

// Rules of NomeSalario.DB, NomeVTransp.DB and TipoFeriado.DB (whose
// descriptions are proper-cased as typed): a new name takes
// the greatest code + 1 (1 in an empty list), worked out again when the row
// is stored in case another workstation took the code meanwhile; deleting a
// name deletes its values ("Delete from Salario where Salario=:PCod", or from
// VTransp) in the same transaction as the name, so a refused deletion keeps
// both. The list is ordered by its name.
class ListaNomesUsuario {
public:
    // `nomes` is a dataset of one of the three tables; both must outlive this.
    ListaNomesUsuario(Tabela& nomes, TabelasReferencia& referencia);
    ~ListaNomesUsuario();
    ListaNomesUsuario(const ListaNomesUsuario&) = delete;
    ListaNomesUsuario& operator=(const ListaNomesUsuario&) = delete;

    // The field holding the name ("Nome", "Descricao" for the classes).
    const std::string& campoNome() const { return campoNome_; }
    // Code and name of the current row; nothing when the list is empty or
    // the row is being edited or inserted, or its name is empty (the "..."
    // button then does nothing).
    struct Serie {
        int codigo = 0;
        std::string nome;
    };
    std::optional<Serie> serieAtual() const;
    // Opens the dataset (shared) unless it is open, in name order, with its
    // field rules.
    void abre();

private:
    Tabela& nomes_;
    TabelasReferencia& referencia_;
    std::string campoNome_;
    std::optional<Transacao> exclusao_;
    int observador_ = 0;
};

// Code and name of the current row of any name list (also the read-only
// NomeIndiceDiario.DB), as ListaNomesUsuario::serieAtual.
std::optional<ListaNomesUsuario::Serie> SerieAtual(const Tabela& nomes, const std::string& campoNome);
// Orders a name list by its name (the secondary index on it).
void OrdenaPorNome(Tabela& nomes, const std::string& campoNome);

// ---- the values of one series ----

// What ties a values table to its name list.
struct TabelaSerie {
    const char* tabela;      // "Salario.DB"
    const char* campoSerie;  // "Salario"
    const char* campoValor;  // "SalMin"
};
inline constexpr TabelaSerie kSerieSalario{"Salario.DB", "Salario", "SalMin"};
inline constexpr TabelaSerie kSerieValeTransporte{"VTransp.DB", "ValeTransporte", "VTransp"};

// Salario.DB or VTransp.DB filtered to one series, by (series, Ano, Mes). A
// new row takes the series code; the year rule above holds on `Ano`.
class ValoresDaSerie {
public:
    ValoresDaSerie(Tabela& valores, const TabelaSerie& tipo, int serie);
    // Opens the dataset (shared) unless it is open, in key order and filtered
    // to the series, with the year rule.
    void abre();
    int serie() const { return serie_; }
    // F4 while a row is being inserted: copies the row that was current when
    // the insertion began (series and value) into the next month (12/2003
    // gives 01/2004). False, changing nothing, when not inserting or when
    // there was no current row.
    bool copiaProximoMes();

private:
    Tabela& t_;
    TabelaSerie tipo_;
    int serie_;
    std::optional<std::vector<Valor>> anterior_;  // current row when the insertion began
};

// The month after (ano, mes): month 13 is month 1 of the next year.
void ProximoMes(int& ano, int& mes);

// ---- holidays ----

// FeriadosPadrao.db (by Data), open: Descricao proper-cased as typed.
void RegrasFeriados(Tabela& feriados);
// Looks the date up exactly on Data; stays put and returns false when no
// holiday has it.
bool LocalizaFeriado(Tabela& feriados, Data d);

// ---- the monthly values window ----

// What a key typed into a search field does.
enum class ReacaoTecla {
    Aceita,  // digits and backspace
    Ignora,  // any other key, without a sound
    Recusa,  // the field already holds `maximo` characters: refused with a beep
};
// `tecla` is the typed character (U+0008 for backspace). A full field refuses
// every key but backspace.
ReacaoTecla TeclaPesquisa(const std::string& atual, char32_t tecla, int maximo);
inline constexpr int kMaximoAnoPesquisa = 4;
inline constexpr int kMaximoMesPesquisa = 2;
// The search button is enabled only while both fields hold something.
bool PesquisaMesHabilitada(const std::string& ano, const std::string& mes);
// Looks (year, month) up exactly in a dataset keyed by (Ano, Mes); the year
// as typed is expanded by AnoCompleto. Stays put (false) when the month is
// missing or a field is not a number.
bool LocalizaMes(Tabela& t, const std::string& ano, const std::string& mes);

// ---- the daily index window ----

// The base B of a daily series: the stored Indice of its last row (latest
// date) in the dataset's order. Nothing when the dataset is empty or the last
// index is zero or empty (no factor can be worked out from it).
std::optional<double> BaseDaSerie(Tabela& diario);
// The computed index shown for a stored one: indice / B.
std::optional<double> IndiceCalculado(const Valor& indice, std::optional<double> base);
// Looks (series, date) up exactly in Diario.DB ordered by (CodIndice, Data).
bool LocalizaIndice(Tabela& diario, int codIndice, Data d);

}  // namespace korva
