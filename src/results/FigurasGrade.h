#pragma once
// The three figures the month grid shows beside each result row — the
// correction factor to the base date, the interest in percent and the total
// with interest rounded to cents — and the grid's grand total.
//
// A row whose figures cannot be worked out (a missing daily index, an empty
// interest-variation table) shows empty figures; its message is handed to
// the window once, not on every repaint, until `esquece()` (after the user
// changed something the figures depend on). A table the figures read that is
// missing or cannot be read (the daily indices, the interest variation) is
// not a row's failure: its ErroBanco passes through figura and totalGeral.
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "util/Data.h"

namespace korva {

class Banco;
class CorrecaoJuros;
struct ParametrosExecucao;

// The five values of the lawsuit the grid's opener hands over, and the name
// of the calculation's H table.
struct ParametrosFiguras {
    int indPrincipal = 0, indFGTS = 0;
    Data dtAjuiz, dtBase;
    int calculoJuros = 0;
    std::string tabelaH;
};

ParametrosFiguras ParametrosFigurasDe(const ParametrosExecucao& p);

struct FiguraLinha {
    double indiceAtualizacao = 0;  // "Ind. Atualização"
    double juros = 0;              // "Juros (%)"
    std::optional<double> total;   // "Total": result items only
    bool falhou = false;
};

class FigurasGrade {
public:
    using MostraErro = std::function<void(const std::string&)>;

    // `correcao` must outlive this object.
    FigurasGrade(CorrecaoJuros& correcao, ParametrosFiguras p, MostraErro mostraErro = {});

    // Figures of a row. Rows other than result items show 0, 0 and no total.
    FiguraLinha figura(int item, double valor, Data dtBase);

    // The sum of Total over every row of table B; empty when a row failed
    // (the total would leave out an amount).
    std::optional<double> totalGeral(Banco& privado, const std::string& tabelaB);
    // "Total: 1.234,56"; a failed total reads "Total: erro".
    static std::string TextoTotalGeral(const std::optional<double>& total);

    // Hands a message to the window's handler, once until `esquece()` (a
    // failure that is no single row's, found by a caller).
    void avisa(const std::string& mensagem) { falha(mensagem); }

    // Forgets the messages already shown, keeping the values read.
    void esqueceMensagens() { mostrados_.clear(); }
    // Forgets the messages already shown and the values read (the variation
    // rows of H may have changed).
    void esquece();

private:
    void falha(const std::string& mensagem);

    CorrecaoJuros& correcao_;
    ParametrosFiguras p_;
    MostraErro mostraErro_;
    std::set<std::string> mostrados_;
};

}  // namespace korva
