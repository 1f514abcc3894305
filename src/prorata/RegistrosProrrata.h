#pragma once
// The pro-rata records: Prorrata.db as a dataset with the rules of its window
// attached (the defaults of a new record, the lawsuit-number check, the
// default additions copied when an inserted record is first stored), the
// current record's instalments (Parcelas.DB), and, while the parameters page
// is shown, its interest variations (JurosProrrata.db) and additions
// (AcrescProrrata.DB) with their own rules.
//
// A window binds to the four datasets and drives them directly; everything a
// change implies runs from their events. Changes over several tables (a new
// record with its additions, a deletion with its child rows, the legal
// interest rows, a record taken from a calculation) run in one transaction.
#include <functional>
#include <memory>
#include <string>

#include "register/ListaProcessos.h"
#include "register/RegistroProcessos.h"
#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva {

class Banco;

inline constexpr const char* kTabelaProrrata = "Prorrata.db";
inline constexpr const char* kTabelaParcelas = "Parcelas.DB";
inline constexpr const char* kTabelaJurosProrrata = "JurosProrrata.db";
inline constexpr const char* kTabelaAcrescProrrata = "AcrescProrrata.DB";
inline constexpr const char* kTabelaDefProrrata = "DefProrrata.db";
inline constexpr const char* kTabelaDefAcrescProrrata = "DefAcrescProrrata.DB";

inline constexpr const char* kMsgCadastreProcesso = "Cadastre um processo antes de selecionar esta opção!";
inline constexpr const char* kMsgProcessoNaoEncontrado = "Processo não Encontrado!";

class RegistrosProrrata {
public:
    using Hoje = std::function<Data()>;

    RegistrosProrrata(Banco& privado, AjustesRegistro ajustes, Hoje hoje = &Data::hoje);
    ~RegistrosProrrata();
    RegistrosProrrata(const RegistrosProrrata&) = delete;
    RegistrosProrrata& operator=(const RegistrosProrrata&) = delete;

    // Opens Prorrata.db in IndProcesso order and Parcelas.DB showing the
    // current record's instalments in Data order (following the record).
    void abre();
    // Refused with "Antes de fechar o formulário, cancele ou confirme a
    // operação" while the record or an instalment is edited or inserted;
    // otherwise closes every table.
    void fecha();

    Tabela& registros() { return *registros_; }
    Tabela& parcelas() { return *parcelas_; }

    // The parameters page: opens / closes the variations and the additions,
    // each showing only the current record's rows.
    void abreParametros();
    void fechaParametros();
    // Null while closed.
    Tabela* juros();
    Tabela* acrescimos();

    // Whether the record shown was inserted (not yet stored) or edited.
    bool inserindo() const;
    // Any of the four tables edited or inserted.
    bool algumEditando() const;
    // The record or an instalment edited or inserted.
    bool registroOuParcelaEditando() const;
    // The record, a variation or an addition edited or inserted.
    bool parametrosEditando() const;

    // The current record's Codigo (0 when there is none or it is not stored yet).
    int codigoAtual() const;
    // Fails with kMsgCadastreProcesso when the current record has no Processo.
    void ExigeProcesso() const;

    // "Pesquisa:": the first group of the lawsuit number becomes current;
    // fails with kMsgProcessoNaoEncontrado (position kept) when there is none.
    void pesquisa(const std::string& texto);

    // Deletes the current record with its instalments, additions and
    // variations, all in one transaction.
    void excluiRegistro();

    // "Juros Legais": cancels a pending variation edit, deletes every
    // variation of the record and stores the three legal rows, in one
    // transaction. The parameters page must be open.
    void jurosLegais();

    // "&Buscar Processo": a new record from the chosen calculation with its
    // parties and, as ticked, the employer-contribution and income-tax
    // additions. Returns the new Codigo; the record is current afterwards.
    int importaCalculo(const ListaProcessos::Escolha& escolha);

    // Whether storing an inserted record copies DefAcrescProrrata.DB (true
    // unless the caller brings its own additions, as the exchange document may).
    void defineCopiaAcrescimosPadrao(bool copia) { copiaPadrao_ = copia; }

    // Called whenever the record shown changes (another row, a new record, a
    // store or cancel that moves the cursor), after the child tables followed
    // it. The rules occupy the datasets' own events (depoisRolar,
    // depoisInserir, aoNovoRegistro, antesInserir, antesGravar, naGravacao):
    // a window watches the datasets through Tabela::observa and this hook,
    // and must not replace those events.
    void defineAoMudarRegistro(std::function<void()> f);

private:
    void acompanha(bool forcado = false);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::unique_ptr<Tabela> registros_, parcelas_;
    bool copiaPadrao_ = true;
};

// The values of a new record (DtFinal today; Valor, ValorJuros, ValorFGTS 0;
// the options of the single row of DefProrrata.db) written into the row
// being inserted. Reads DefProrrata.db and closes it again. Without a
// defaults row the options are those of a court-payments record without
// them: interest, constant, legal mode, index series 1, "J", no FGTS interest.
void PreencheNovoProrrata(Banco& privado, Tabela& registro, Data hoje);

// Copies every row of DefAcrescProrrata.DB, in Codigo order, into
// AcrescProrrata.DB for the record `codigo`. Returns the rows copied.
int CopiaAcrescimosPadrao(Banco& privado, int codigo);

// Attaches the rules of an additions dataset (AcrescProrrata.DB or
// DefAcrescProrrata.DB): Tipo in capitals and only "V" or "P" ("Valor
// Inválido para o Campo!"); a new row takes Valor 0 and Totalizar true
// (and Prorrata = `codigo` when given); before storing, a row that is not
// "P" without DtBase fails with ErroCampo on "DtBase" ("Campo obrigatório
// não preenchido ou preenchido incorretamente."), a "P" row has its DtBase
// cleared.
void AplicaRegrasAcrescProrrata(Tabela& acrescimos, std::function<int()> codigo = {});

// The options of a record (Prorrata.db) or of the defaults row
// (DefProrrata.db): FormaAbatimento in capitals and only "J" or "P",
// UsarJurosPadrao from 0 to `modoMaximo`; both refused with "Valor Inválido
// para o Campo!".
void AplicaRegrasOpcoesProrrata(Tabela& t, int modoMaximo);

// Attaches the rules of the variations dataset: a new row takes Prorrata =
// `codigo()`; Forma in capitals and only "S" or "C".
void AplicaRegrasJurosProrrata(Tabela& juros, std::function<int()> codigo);

}  // namespace korva
