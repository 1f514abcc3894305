#pragma once
// The integration of the time cards into the period rows: for a pay item, a
// base item and a range of months, one period row per month that has cards,
// its quantity, index and divisor each a typed value or one of the twelve
// monthly figures. The rows go through the period rows' own entry and store
// rules, all in one transaction: when one fails (or a date prompt is
// cancelled) table A stays as it was. The questions of the window are
// callbacks it answers.
#include <functional>
#include <optional>
#include <string>

#include "timecards/ApuracaoPonto.h"

namespace korva {

class ParametrosPeriodo;

class IntegracaoPonto {
public:
    static constexpr const char* Titulo = "KORVA - Integração dos Cartões de Ponto";
    static constexpr const char* MsgMesInvalido = "Mês Inválido!";
    static constexpr const char* MsgPeriodoInvalido = "Período de busca dos dados inválido!";
    static constexpr const char* MsgItemInvalido = "Item de Cálculo Inválido!";
    static constexpr const char* MsgDataInvalida = "Data Inválida!";
    static constexpr const char* MsgDivisorZero = "ERRO! Divisor não pode ser zero.";
    static constexpr const char* PerguntaDiferenca = "O que fazer em caso de diferenças negativas?";

    // " Qtde.: ", " Índice: ", " Divisor: ": "Buscar valor:" one of the monthly
    // figures, or "Valor informado:" a number.
    struct Escolha {
        bool buscar = false;
        int figura = -1;  // index 0..11; any other gives 0
        double valor = 0;
        static Escolha Figura(int indice) { return {true, indice, 0}; }
        static Escolha Informado(double v) { return {false, -1, v}; }
        double de(const FigurasMes& f) const { return buscar ? f.figura(figura) : valor; }
    };

    struct Pedido {
        int item = 0;
        int base = 0;
        // The four boxes of "Período:" as typed.
        std::string mes1, ano1, mes2, ano2;
        Escolha qtde, indice, divisor;
    };

    struct Interacao {
        // The negative-difference dialog: "Z" or "C".
        std::function<std::string()> diferencaNegativa;
        // Input box (title, prompt, proposed text); nullopt when cancelled.
        std::function<std::optional<std::string>(const std::string& titulo, const std::string& prompt,
                                                 const std::string& proposta)>
            pedeData;
        // Shows an error message and waits for OK.
        std::function<void(const std::string& texto)> avisa;
    };

    // The month box: a number from 1 to 12, anything else counts as 13.
    static int LeMes(const std::string& texto);
    // The year box on leaving it: empty, zero or not a number gives 2000, two digits are completed.
    static int NormalizaAno(const std::string& texto);
    // "Data Base de Atualização da Verba (MM/YYYY)".
    static std::string PromptDataBase(int mes, int ano);

    // `periodo` is the open period dataset of the calculation; `tabelaF` and
    // `tabelaG` its schedules and cards; `dataBasePadrao` the lawsuit's
    // standard base-date code (50 asks the date of each month).
    IntegracaoPonto(ParametrosPeriodo& periodo, std::string tabelaF, std::string tabelaG, int dataBasePadrao);

    // "&Confirmar". Input failures raise ErroCampo naming the box ("Mes1",
    // "Mes2", "Item", "Base"); a row refused by the period rules raises its
    // error with nothing written. Returns the number of rows written, or
    // nullopt when a date prompt was cancelled (nothing written).
    std::optional<int> Confirma(const Pedido& pedido, const Interacao& interacao);

private:
    ParametrosPeriodo& periodo_;
    std::string tabelaF_, tabelaG_;
    int dataBasePadrao_;
    std::string ultimaData_;  // last date typed in this window
};

}  // namespace korva
