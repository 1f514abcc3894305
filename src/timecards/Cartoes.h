#pragma once
// Time cards of a calculation (table G, `Cartao`): the rules of the table,
// and the entry window's core, which shows the cards of one schedule's
// period, proposes the next card from the remembered one and gives the keys
// F3, F4, F7 and F8 as operations.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva {

class Banco;

inline constexpr const char* MsgDataForaPeriodo = "Data fora do período especificado!";
inline constexpr const char* MsgSituacaoInvalida = "Valor inválido para o campo!";
inline constexpr const char* MsgPeriodoFiltroInvalido = "Período Inválido!";
inline constexpr const char* LegendaAplicarFiltro = "Aplicar &Filtro";
inline constexpr const char* LegendaLimparFiltro = "Limpar &Filtro";

// The eight punches of a card, in the order of the table's fields.
inline constexpr std::array<const char*, 8> MarcacoesCartao = {"Ent1", "Sai1", "Ent2", "Sai2",
                                                               "Ent3", "Sai3", "Ent4", "Sai4"};

// Attaches the rules of the card table to an open dataset: `Situacao` in
// capitals, only "F" or blank (MsgSituacaoInvalida; a blank is stored empty);
// a new card gets 00:00 in all eight punches. These rules hold wherever cards
// are stored; the period check belongs to the entry window.
void AplicaRegrasCartao(Tabela& cartao);

// The day's abbreviation of the computed column "Dia" ("Dom." ... "Sáb.").
std::string DiaDoCartao(Data d);

// The card remembered when an insertion starts.
struct CartaoLembrado {
    Data data;
    std::array<double, 8> marcacoes{};
    std::string situacao;
};

class Cartoes {
public:
    // "KORVA - Marcações de Ponto (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);
    // Column that takes the cursor when a card is proposed from the remembered one.
    static constexpr const char* CampoInicial = "Ent1";

    // The period is the schedule's Data1..Data2; `turnos` decides which
    // punch columns are shown.
    Cartoes(Banco& privado, std::string tabelaG, Data data1, Data data2, int turnos);
    ~Cartoes();
    Cartoes(const Cartoes&) = delete;
    Cartoes& operator=(const Cartoes&) = delete;

    // Opens the table in date order, limited to the period, with the rules
    // attached; the filter is off.
    void abre();
    // Closes the table; a card still being edited is discarded.
    void fecha();
    Tabela& tabela() { return *tabela_; }
    const std::string& nomeTabela() const { return nome_; }
    Data data1() const { return data1_; }
    Data data2() const { return data2_; }

    // Columns of shifts 2, 3 and 4 are shown only when the schedule has that
    // many shifts; every other column always.
    bool colunaVisivel(const std::string& campo) const;

    // The card remembered by the last insertion, when there was one.
    const std::optional<CartaoLembrado>& lembrado() const { return lembrado_; }

    // F3: copies the remembered value into `campo` of the card being edited
    // (for `Data`, the remembered date plus one day). F4: the eight punches
    // and `Situacao`, not the date. Both do nothing (false) without a card
    // remembered or outside edit/insert state.
    bool copiaCampo(const std::string& campo);
    bool copiaLinha();
    // F7 / F8: the card's date one day back or forward; while browsing the
    // current card is put in edit state first. False on an empty grid.
    bool dataAnterior() { return moveData(-1); }
    bool dataPosterior() { return moveData(+1); }

    // "Aplicar &Filtro" / "Limpar &Filtro": limits the grid to de..ate (both
    // included) or removes the limit. Either way it first fails with
    // MsgPeriodoFiltroInvalido when `ate` is before `de`.
    void alternaFiltro(Data de, Data ate);
    bool filtroAtivo() const { return filtro_.has_value(); }
    const char* legendaFiltro() const { return filtroAtivo() ? LegendaLimparFiltro : LegendaAplicarFiltro; }

private:
    bool moveData(int dias);
    void aplicaFiltro();
    void lembra();
    void proponha();

    Banco& banco_;
    std::string nome_;
    Data data1_, data2_;
    int turnos_;
    std::unique_ptr<Tabela> tabela_;
    std::optional<CartaoLembrado> lembrado_;
    std::optional<std::pair<Data, Data>> filtro_;
};

}  // namespace korva
