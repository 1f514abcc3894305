#pragma once
// The lawsuit summary ("Resumo de Cálculo"): one block per claimant of every
// calculation of the lawsuit, read from the summary table Temp.db, then the
// subtotal, the additions of the calculation it was asked from and the final
// block of totals of the execution.
//
// The figures are worked out first (CalculaResumo, tested on its own) and
// then laid out (DiagramaResumo); ProduzResumo reads the tables and does both.
#include <optional>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "reports/FatorDiario.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"
#include "results/ContribuicaoINSS.h"
#include "results/ImpostoRenda.h"
#include "util/Data.h"

namespace korva {

class Banco;
class CorrecaoJuros;

// One row of Temp.db (null fields read as 0 / false; OpcaoIR as 1).
struct LinhaResumo {
    int codRecte = 0;
    std::string nome;
    double valorSemJuros = 0;  // principal
    double valor = 0;          // principal with interest
    double fgts = 0;
    double totalBaseINSS = 0;
    double inssReclamante = 0, inssReclamado = 0, inssRisco = 0, inssTerceiros = 0;  // rates
    bool aliquotaUnica = false;
    double valorINSSReclamante = 0;
    double totalBaseIR13 = 0, totalBaseIRFerias = 0, totalBaseIRDemais = 0;
    int qtdeDependentes = 0;
    bool irSobreJuros = false;
    int opcaoIR = OpcaoIR::NaoCalcular;
    int qtdeMesesComBaseIR = 0;
};

// One row of the calculation's additions table (letter E).
struct Acrescimo {
    std::string descricao;
    double valor = 0;  // amount, or percentage when tipo is "P"
    std::string tipo;
    std::optional<Data> dtBase;
    double limMinimo = 0, limMaximo = 0;
};

struct ParametrosResumo {
    Data dtBase;                      // of the calculation the summary was asked from
    int indPrincipal = 0;             // idem
    bool adicionarINSSRecte = false;  // of the lawsuit's first calculation
    FaixaIR faixaIR;                  // the IR bracket row of the base date
};

// The block of one claimant.
struct BlocoReclamante {
    LinhaResumo linha;
    double juros = 0;  // valor - valorSemJuros
    std::string rotuloReclamante;  // "Reclamante: (8,00%)" or "Reclamante:"
    double inssReclamante = 0;     // the employee amount
    std::string rotuloReclamado, rotuloRisco, rotuloTerceiros;
    ContribuicoesReclamado reclamado;
    std::string tituloIR;  // "IMPOSTO DE RENDA: (juros inclusos)" or "IMPOSTO DE RENDA:"
    std::vector<ColunaIR> colunasIR;
    double ir = 0;         // the sum of the columns
};

struct AcrescimoResumo {
    std::string descricao;
    double valor = 0;     // the amount added to the total of the calculation
    std::string texto;    // currency prefix + amount
    std::string formula;  // "(1.200,00 * 10,00%)" or "(1.000,00 * 1,500000000)"
};

struct Resumo {
    Data dtBase;
    std::string simbolo;  // currency prefix of the base date
    bool adicionarINSSRecte = false;
    std::vector<BlocoReclamante> blocos;
    // Sums over the claimants.
    double principal = 0, principalComJuros = 0, fgts = 0;
    double reclamante = 0, reclamado = 0, risco = 0, terceiros = 0;
    double ir = 0;
    std::vector<AcrescimoResumo> acrescimos;
    double totalCalculo = 0;  // principal with interest + additions

    double totalReclamado() const { return reclamado + risco + terceiros; }
    double totalINSS() const { return reclamante + totalReclamado(); }
    // "Contribuições previdenciárias devidas pelo reclamado:"
    double contribuicoesDevidas() const { return totalReclamado() + (adicionarINSSRecte ? reclamante : 0); }
    // "TOTAL GERAL da execução:"; the income tax is shown but never subtracted.
    double totalGeral() const { return totalCalculo + fgts + contribuicoesDevidas(); }
};

// The addition's amount, amount text and formula. Percentage ("P"): Valor x
// (principal with interest + FGTS) / 100, raised to LimMinimo when that is
// positive and not reached, else cut to LimMaximo when that is positive and
// exceeded. By amount: Valor x the principal index's daily factor from the
// addition's DtBase to the base date; an addition by amount without a DtBase
// fails with a message naming it.
AcrescimoResumo CalculaAcrescimo(const Acrescimo& a, double principalComJuros, double fgts,
                                 const ParametrosResumo& p, const FatorDiario& fator);

Resumo CalculaResumo(const std::vector<LinhaResumo>& linhas, const std::vector<Acrescimo>& acrescimos,
                     const ParametrosResumo& p, const FatorDiario& fator);

// "*Incluída parcela do INSS do Recte. (123,45)"
std::string NotaINSSRecte(double valor);

inline constexpr const char* kTituloResumo = "Resumo de Cálculo";

// Portrait A4: heading (court, sector, title, "Processo: N"), the blocks, the
// subtotal, the additions, the final block, the note when the employee INSS
// is added, the observation memo and the closing line; footer with `versao`
// and "Pág.: n/N".
Documento DiagramaResumo(const Resumo& r, const CabecalhoRelatorio& cab, const std::string& versao,
                         const Medidor& m);

// Rows of Temp.db in insertion order; rows of the additions table in code
// order (none when the table does not exist).
std::vector<LinhaResumo> LeResumoProcesso(Banco& temp);
std::vector<Acrescimo> LeAcrescimos(Banco& privado, const std::string& tabelaE);

// Reads Temp.db, the additions of `pedido` (the calculation the summary was
// asked from), the IR bracket row of its base date, and lays the summary out.
Documento ProduzResumo(Banco& temp, Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                       const ParametrosExecucao& pedido, bool adicionarINSSRecte, const CabecalhoRelatorio& cab,
                       const std::string& versao, const Medidor& m);

}  // namespace korva
