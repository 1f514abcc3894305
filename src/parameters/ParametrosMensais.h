#pragma once
// The month rows of a calculation (table B) as a dataset with the rules of the
// month grid attached: field entry checks with their messages, the catalogue's
// defaults when an item is chosen, the required fields by item and VFM, the
// guards on editing (difference rows are the calculation's alone, any edit
// makes the row uncalculated), the emptying and the recomputed DtBase before a
// row is stored, the three orders, the remembered row of the copy keys and
// the count of uncalculated rows that closing asks about.
//
// A window binds its grid to `tabela()`; the calculation raises
// `defineCalculando(true)` while it values the rows.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "parameters/CalculaDtBase.h"
#include "parameters/GradeParametros.h"
#include "parameters/OrdemParametros.h"
#include "storage/Tabela.h"

namespace korva {

class Banco;
class VerbasCatalogo;

class ParametrosMensais : public GradeParametros {
public:
    static constexpr const char* MsgValorInvalido = "Valor Inválido para o Campo!";
    static constexpr const char* MsgDivisorZero = "ERRO! Divisor não pode ser zero.";
    static constexpr const char* MsgItemIgualMedia = "O Item de Cálculo não pode ser igual ao Item Base da Média!";
    static constexpr const char* MsgItemInvalido = "Item de Cálculo inválido!";
    static constexpr const char* MsgObrigatorio = "Campo obrigatório não preenchido ou preenchido incorretamente.";
    static constexpr const char* MsgPeriodoInvalido = "Período especificado inválido!";
    static constexpr const char* MsgItemDiferenca = "ERRO! Voce não pode alterar um Item Diferença!";
    // "O Item de Cálculo (N) não pode ser igual ao Item Base!"
    static std::string MsgItemIgualBase(int item);
    static constexpr const char* CampoInicial = "Item";

    // "KORVA - Tabela de Parâmetros Mês a Mês (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);

    // `tabelaB` is relative to the private database's folder; `dtBase` carries
    // the lawsuit's options (default base-date code, holidays) and must outlive
    // this object.
    ParametrosMensais(Banco& privado, std::string tabelaB, const CalculoDtBase& dtBase,
                      OrdemParametros ordem = OrdemParametros::Periodo);
    ~ParametrosMensais() override;

    // While the calculation runs, VFM "D" is accepted, difference rows may be
    // edited and item 4 keeps its Valor.
    bool calculando() const { return calculando_; }
    void defineCalculando(bool sim) { calculando_ = sim; }

    // Required fields for an item and VFM; nullopt for a VFM outside "VFMCD"
    // on an ordinary item (the previous set stays).
    static std::optional<std::vector<std::string>> ObrigatoriosDe(int item, const std::string& vfm);
    // Rows of item 4 in browse state open the salary bases of their month from the Valor column.
    bool valorComBotao();

    // ---- closing ----
    // Rows whose Calculado is false, over the whole table.
    int contaNaoCalculados();
    // The three lines of the closing question for `quantidade` rows.
    static std::string PerguntaFechamento(int quantidade);
    // Puts the cursor on the first uncalculated row in the current order;
    // false (cursor unchanged) when there is none.
    bool vaiParaPrimeiroNaoCalculado();
    // Refused with the pending-operation message while a row is in edit or
    // insert state. With uncalculated rows, `confirma` is asked the closing
    // question: No leaves the table open on the first uncalculated row and
    // returns false; Yes (or no such rows) closes the table and returns true.
    bool fecha(const std::function<bool(const std::string& pergunta)>& confirma);

    // ---- the remembered row (program-wide, replaced by each insertion that
    // begins on a row whose Item is filled; all fields but Codigo,
    // CodDataBasePadrao, DtBase and Calculado) ----
    static bool TemLinhaLembrada();
    static void EsqueceLinhaLembrada();
    // F4: numbers only when not zero, VFM, Diferenca and INSS as they are.
    // False (nothing done) without a remembered row or outside edit/insert.
    bool copiaLinha();
    // F3: the remembered value of `campo` when not zero or empty, and always
    // the remembered INSS.
    bool copiaCampo(const std::string& campo);

private:
    void ligaRegras() override;
    void validaItem(const std::string& campo, const Valor& novo);
    void ajustaPorItemEVfm() override;
    void antesGravar();
    void lembraLinha();

    const CalculoDtBase& dtBase_;
    bool calculando_ = false;
    bool copiando_ = false;
    bool ajustando_ = false;
};

}  // namespace korva
