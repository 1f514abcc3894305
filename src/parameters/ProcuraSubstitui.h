#pragma once
// Find and replace over the period rows (table A) or the month rows (table B):
// the field lists of the dialog, the enabling of its boxes, the check of the
// value boxes and the run that writes one or two values into every row that
// meets up to three equality conditions (or into every row). Each changed row
// is edited and stored through the dataset, so the window's own entry and
// store rules apply to it exactly as if the user had typed the value.
//
// A window binds its controls to this state and calls `substitui`.
#include <array>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "storage/Valor.h"
#include "util/Erros.h"

namespace korva {

class Banco;
class Tabela;

// How a value box is read: 0 integer, 1 decimal, 2 standard base-date code.
enum class TipoCampoProcura { Inteiro = 0, Decimal = 1, Codigo = 2 };

// An entry of the field lists: caption, field name and kind.
struct CampoProcura {
    std::string legenda;
    std::string nome;
    TipoCampoProcura tipo;
};

// Which window the dialog serves: the period rows or the month grid.
enum class ListaCamposProcura { Periodo, Mensal };

// The five value boxes, in the order in which they are checked.
enum class CaixaProcura { Atribuicao = 0, Atribuicao2, Condicao1, Condicao2, Condicao3 };
inline constexpr int QuantidadeCaixasProcura = 5;

// The "E" check boxes: the one of the second assignment, the one after
// condition 1 and the one after condition 2.
enum class LigacaoProcura { Atribuicao2 = 0, Condicao2, Condicao3 };

// A value box that failed its check; the window focuses `caixa()`.
class ErroCaixaProcura : public ErroKorva {
public:
    ErroCaixaProcura(const std::string& texto, CaixaProcura caixa) : ErroKorva(texto), caixa_(caixa) {}
    CaixaProcura caixa() const { return caixa_; }

private:
    CaixaProcura caixa_;
};

class ProcuraSubstitui {
public:
    static constexpr const char* Titulo = "KORVA - Procurar e Substituir";
    static constexpr const char* MsgPreencha = "Preencha o campo.";
    static constexpr const char* MsgValorInvalido = "Valor inválido para o campo.";
    // A decimal typed as this value is refused.
    static constexpr double DecimalRecusado = -65000.0;
    // Codes below this one are offered in the code lists.
    static constexpr int LimiteCodigos = 50;

    // The field list of a window; the code entry is always the last.
    static const std::vector<CampoProcura>& Campos(ListaCamposProcura lista);
    // The standard base-date choices: the rows of DataBasePadrao.db (in the
    // shared database) whose Codigo is below 50, in the table's order.
    static std::vector<ItemLista> CodigosDataBase(Banco& compartilhado);
    // A typed value as the kind reads it: an integer (optional sign and
    // digits), or a decimal with "," or "." as the separator, finite and not
    // -65000. Leading and trailing blanks are ignored. Empty on a text that is
    // not valid for the kind (a code entry has no text and gives empty).
    static Valor LeTexto(TipoCampoProcura tipo, const std::string& texto);
    // Whether a row's value equals the value looked for, compared as numbers
    // of the field's kind; an empty field equals nothing.
    static bool Igual(const Valor& daLinha, const Valor& procurado);

    // The dialog as shown: every field list on its first entry ("Item"),
    // every code list on its first description, all boxes empty, nothing ticked.
    ProcuraSubstitui(ListaCamposProcura lista, std::vector<ItemLista> codigos);

    const std::vector<CampoProcura>& campos() const { return *campos_; }
    const std::vector<ItemLista>& codigos() const { return codigos_; }

    // ---- the controls ----
    // The field chosen in a box's field list (index into `campos()`); an
    // index outside the list is ignored.
    void escolheCampo(CaixaProcura caixa, int indice);
    int campo(CaixaProcura caixa) const { return estado(caixa).campo; }
    const CampoProcura& campoEscolhido(CaixaProcura caixa) const { return campos()[estado(caixa).campo]; }
    void defineTexto(CaixaProcura caixa, std::string texto) { estado(caixa).texto = std::move(texto); }
    const std::string& texto(CaixaProcura caixa) const { return estado(caixa).texto; }
    // The description chosen in a box's code list (index into `codigos()`);
    // an index outside the list is ignored.
    void escolheCodigo(CaixaProcura caixa, int indice);
    int codigo(CaixaProcura caixa) const { return estado(caixa).codigo; }

    // "Todos os registros": while ticked, every condition is disabled.
    void defineTodos(bool sim) { todos_ = sim; }
    bool todos() const { return todos_; }
    // An "E" box. Ticking one that is disabled does nothing; unticking the
    // one after condition 1 also unticks the one after condition 2.
    void defineLigacao(LigacaoProcura ligacao, bool sim);
    bool ligacao(LigacaoProcura ligacao) const { return ligacoes_[static_cast<int>(ligacao)]; }
    bool ligacaoHabilitada(LigacaoProcura ligacao) const;

    // Whether a box (its field list and its value) is enabled.
    bool habilitada(CaixaProcura caixa) const;
    // Whether the box's value is the code list (the code entry is chosen)
    // rather than the text box.
    bool mostraCodigos(CaixaProcura caixa) const { return campoEscolhido(caixa).tipo == TipoCampoProcura::Codigo; }

    // ---- "&Substituir" ----
    // Checks the enabled text boxes in the order assignment, second
    // assignment, condition 1, 2, 3, and an enabled code list that has no
    // description chosen; fails with ErroCaixaProcura on the first bad box.
    void verifica() const;
    // Checks the boxes, then writes the assignment(s) into every row of the
    // dataset that qualifies, in the dataset's current order, passing over
    // the difference rows (VFM "D") of the month grid. The rows are
    // chosen before any of them changes, so a change of a field of the order
    // neither skips nor repeats a row. Each row is edited and stored through
    // the dataset; a rule that refuses a value or a store stops the run with
    // its message, that row's edit is cancelled and the cursor left on it,
    // while the rows already stored stay changed. Otherwise the cursor returns
    // to the row it was on. Refused while a row is in edit or insert state.
    // Returns the number of rows changed.
    int substitui(Tabela& t) const;

private:
    struct EstadoCaixa {
        int campo = 0;
        std::string texto;
        int codigo = 0;
    };
    // A field name and the value of a box, as the run uses it.
    struct Par {
        std::string nome;
        Valor valor;
    };

    EstadoCaixa& estado(CaixaProcura c) { return caixas_[static_cast<int>(c)]; }
    const EstadoCaixa& estado(CaixaProcura c) const { return caixas_[static_cast<int>(c)]; }
    Par par(CaixaProcura caixa) const;

    const std::vector<CampoProcura>* campos_;
    std::vector<ItemLista> codigos_;
    std::array<EstadoCaixa, QuantidadeCaixasProcura> caixas_{};
    std::array<bool, 3> ligacoes_{};
    bool todos_ = false;
};

}  // namespace korva
