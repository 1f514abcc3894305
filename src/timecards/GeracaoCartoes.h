#pragma once
// Generation of time cards for a span of days from standard punch times, the
// weekday and the holiday table, in one transaction: every input is checked
// before a card is touched, and a failure while writing leaves the cards as
// they were.
#include <array>
#include <functional>
#include <string>

#include "util/Data.h"

namespace korva {

class Banco;
class TabelasReferencia;

inline constexpr const char* MsgPeriodoGeracaoInvalido = "Período especificado inválido!";
inline constexpr const char* MsgDataInicialInvalida = "Data inicial inválida!";
inline constexpr const char* MsgDataFinalInvalida = "Data final inválida!";
// Followed by the label of the first time that does not read ("Entrada 1 do Sábado").
inline constexpr const char* MsgHorarioInvalido = "Valor inválido para o campo ";

// The choices of the generation window, with its defaults. Times as typed
// ("hh:nn"), Entrada 1, Saída 1, ..., Saída 4 in each group.
struct OpcoesGeracaoCartoes {
    Data de, ate;
    std::array<std::string, 8> semana{"00:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00"};
    std::array<std::string, 8> sabado = semana;
    std::array<std::string, 8> domingo = semana;
    bool observarFeriados = true;   // "Observar Tabela de &Feriados"
    bool sobrepor = true;           // "&Sobrepor dados já existentes"
    bool sabadoFolga = true;        // "Cadastrar &Sábados como dias de Folga"
    bool inserirSabados = false;    // "Inserir marcações de ponto para os dias de sábado"
    bool domingoFolga = true;       // "Cadastrar &Domingos como dias de Folga"
    bool inserirDomingos = false;   // "Inserir marcações de ponto para os dias de domingo"
};

// The label of time `i` (0..7) of a group: 0 weekday, 1 Saturday, 2 Sunday
// ("Saída 3 do Domingo").
std::string RotuloHorarioGeracao(int grupo, int i);

// "Período: dd/mm/yyyy a dd/mm/yyyy".
std::string TextoPeriodoGeracao(Data data1, Data data2);

struct ResultadoGeracaoCartoes {
    int inseridos = 0;
    int alterados = 0;
    int total() const { return inseridos + alterados; }
};

// Generates the cards of o.de..o.ate into `tabelaG` (relative to the private
// folder) for the schedule period data1..data2. Checks, in this order: o.ate
// before o.de, o.de before data1, o.ate after data2, then the 24 times; the
// first that fails raises its message and nothing is written. `ehFeriado`
// tells a day listed in the holiday table under any class.
ResultadoGeracaoCartoes GeraCartoes(Banco& privado, const std::string& tabelaG, Data data1, Data data2,
                                    const OpcoesGeracaoCartoes& o, const std::function<bool(Data)>& ehFeriado);
// The same, the holidays read from FeriadosPadrao.db of the shared database.
ResultadoGeracaoCartoes GeraCartoes(Banco& privado, const std::string& tabelaG, Data data1, Data data2,
                                    const OpcoesGeracaoCartoes& o, TabelasReferencia& referencia);

}  // namespace korva
