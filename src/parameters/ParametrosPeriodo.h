#pragma once
// The period rows of a calculation (table A) as a dataset with the rules of
// the period grid attached: field entry checks with their messages, the
// catalogue's defaults when an item is chosen, the required fields by item and
// VFM, the checks and emptying before a row is stored, the three orders and
// the remembered row of the copy keys (F4 copies it whole, F3 one field).
//
// A window binds its grid to `tabela()` and drives the dataset directly; the
// command line and the tests do the same.
#include <functional>
#include <map>
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

class ParametrosPeriodo : public GradeParametros {
public:
    static constexpr const char* MsgValorInvalido = "Valor Inválido para o Campo!";
    static constexpr const char* MsgDivisorZero = "ERRO! Divisor não pode ser zero.";
    static constexpr const char* MsgItemIgualBase = "O Item de Cálculo não pode ser igual ao Item Base!";
    static constexpr const char* MsgItemIgualMedia = "O Item de Cálculo não pode ser igual ao Item Base da Média!";
    static constexpr const char* MsgItemInvalido = "Item de Cálculo inválido!";
    static constexpr const char* MsgObrigatorio = "Campo obrigatório não preenchido ou preenchido incorretamente.";
    static constexpr const char* MsgPeriodoInvalido = "Período especificado inválido!";
    // Column that takes the cursor when a row is inserted.
    static constexpr const char* CampoInicial = "Item";

    // "KORVA - Tabela de Parâmetros por Período (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);

    // `tabelaA` is relative to the private database's folder; `opcoes` are the
    // lawsuit's (default base-date code for new rows).
    ParametrosPeriodo(Banco& privado, std::string tabelaA, OpcoesCalculo opcoes,
                      OrdemParametros ordem = OrdemParametros::Periodo);
    ~ParametrosPeriodo() override;

    // Refused with the pending-operation message while a row is in edit or
    // insert state; otherwise closes the table.
    void fecha();

    // "&Gerar Param. Mensais": rebuilds the month table `tabelaB` from these
    // rows in the grid's order (see Geracao) and returns the grid to its first
    // row. Refused while a row is in edit or insert state. `progresso` is
    // told as the month rows are written.
    int geraMensais(const std::string& tabelaB, const CalculoDtBase& dtBase,
                    const std::function<void(int feitas, int total)>& progresso = {});

    // Rows of item 4 offer the salary-bases button in the Valor column.
    bool valorComBotao();

    // Required fields for an item and VFM; nullopt for a VFM outside "VFMC"
    // on an ordinary item (the previous set stays).
    static std::optional<std::vector<std::string>> ObrigatoriosDe(int item, const std::string& vfm);
    // The fixed items, always stored with VFM "F": 1, 2, 3, 4, 997, 998, 999.
    static bool ItemFixo(int item);

    // ---- the remembered row (program-wide, replaced by each insertion that
    // begins on a row whose Item is filled) ----
    static bool TemLinhaLembrada();
    static void EsqueceLinhaLembrada();
    // F4: every remembered field into the row being edited or inserted;
    // numbers and dates only when not zero, VFM, Diferenca, CodDataBasePadrao
    // and INSS as they are. Returns false (nothing done) without a remembered
    // row or outside edit/insert state.
    bool copiaLinha();
    // F3: only the remembered value of that field, when not zero or empty.
    bool copiaCampo(const std::string& campo);

private:
    void ligaRegras() override;
    void validaItem(const std::string& campo, const Valor& novo);
    void ajustaPorItemEVfm() override;
    void antesGravar();
    void lembraLinha();

    OpcoesCalculo opcoes_;
    bool copiando_ = false;
    bool ajustando_ = false;
};

}  // namespace korva
