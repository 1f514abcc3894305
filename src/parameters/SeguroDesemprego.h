#pragma once
// The unemployment-insurance benefit and the period rows it adds: from an
// average salary, a month and a number of instalments, the benefit is worked
// out with the month's limits of Valores.DB (amounts rounded to four decimals
// at every step) and appended to table A as value rows of an item, through the
// period rows' own entry and store rules. The questions of the window are
// callbacks it answers.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"

namespace korva {

class Banco;
class ParametrosPeriodo;

class SeguroDesemprego {
public:
    static constexpr const char* Titulo = "KORVA - Seguro Desemprego";
    static constexpr const char* MsgItemInvalido = "Item de Cálculo Inválido!";
    static constexpr const char* MsgMesInvalido = "Mês Inválido!";
    static constexpr const char* MsgSalarioInvalido = "Valor do Salário Inválido!";
    static constexpr const char* MsgDataInvalida = "Data Inválida!";
    static constexpr const char* PerguntaSobrepor = "Deseja sobrepor os parâmetros existentes?";
    static constexpr int MaxParcelas = 5;

    enum class Resposta { Sim, Nao, Cancela };

    // What the window answers.
    struct Interacao {
        // The negative-difference dialog: "Z" or "C".
        std::function<std::string()> diferencaNegativa;
        // Yes/No/Cancel with the two lines of the overwrite question.
        std::function<Resposta(const std::string& linha1, const std::string& linha2)> sobrepor;
        // Input box (title, prompt, proposed text); nullopt when cancelled.
        std::function<std::optional<std::string>(const std::string& titulo, const std::string& prompt,
                                                 const std::string& proposta)>
            pedeData;
        // Shows an error message and waits for OK.
        std::function<void(const std::string& texto)> avisa;
    };

    struct Pedido {
        int item = 0;
        std::string mes;   // as typed in the month box
        std::string ano;   // as typed in the year box
        double salario = 0;
        int parcelas = 1;
        bool parcelado = false;  // "Pagamento parcelado"; otherwise all in the same month
    };

    // The benefit for salary `salario` with a month's figures.
    static double Beneficio(const ValoresSeguroDesemprego& v, double salario);
    // The year box on leaving it: empty, zero or not a number gives 0, then
    // the two-digit year is completed (0 becomes 2000).
    static int NormalizaAno(const std::string& texto);
    // The month box: a number from 1 to 12, anything else counts as 13.
    static int LeMes(const std::string& texto);
    // First line of the overwrite question.
    static std::string LinhaSobrepor(int item, int mes, int ano);
    // An item as the item box shows it: description + "(" + three-digit code + ")".
    static std::string TextoItem(int codigo, const std::string& descricao);
    // The drop-down of the item box: every item of the catalogue (in the
    // private database) by description, each as TextoItem shows it.
    static std::vector<ItemLista> ItensCatalogo(Banco& privado);
    // Position of a code in that list; -1 when the text is not a code of it.
    static int PosicaoDoCodigo(const std::vector<ItemLista>& itens, const std::string& texto);

    // `periodo` is the open period dataset of the calculation; `dataBasePadrao`
    // the lawsuit's default base-date code (50 asks the date of each row).
    SeguroDesemprego(ParametrosPeriodo& periodo, TabelasReferencia& referencia, int dataBasePadrao);

    // BeneficioSeguro: fails with the missing-values message of the month.
    double BeneficioSeguro(int mes, int ano, double salario);

    // "&Confirmar". Input failures raise ErroCampo naming the box ("Item",
    // "Mes", "Salario"). Returns true when every row was added (the window
    // closes), false when the overwrite question or the date prompt was
    // cancelled (rows already added stay). A missing month of Valores.DB fails
    // after the earlier instalments' rows were added.
    bool Confirma(const Pedido& pedido, const Interacao& interacao);

private:
    bool adicionaLinha(int item, int mes, int ano, double valor, const std::string& diferenca,
                       const Interacao& interacao);

    ParametrosPeriodo& periodo_;
    TabelasReferencia& referencia_;
    int dataBasePadrao_;
    std::string ultimaData_;  // last date entered in this window
};

}  // namespace korva
