#pragma once
// The calculation run: one pass over the month grid of a calculation that
// corrects every row to the base date, adds interest to the result items,
// closes each month (IR bases, FGTS, the employee INSS of the month) and ends
// with the totals, the defendant's contributions and the income tax.
//
// The run reads everything it needs once (the grid, the catalogue, the
// claimants, the INSS bracket rows of the grid's span, the INSS bases already
// contributed) and hands each phase's values to a consumer in the order the
// reports print them. It writes nothing: the totals are stored by
// GravaResultados, which the caller runs only after the whole run (and the
// report it fed) succeeded.
#include <optional>
#include <string>
#include <vector>

#include "results/ContribuicaoINSS.h"
#include "results/ImpostoRenda.h"
#include "util/Data.h"

namespace korva {

class Banco;
class CorrecaoJuros;
class Tabela;
class TabelasReferencia;

// What the run reads from the calculation's row of Processo.DB.
struct ParametrosExecucao {
    std::string processo;
    int codRecte = 0;
    int diretorio = 0, arquivo = 0;
    Data dtAjuiz, dtGrav, dtBase;
    int indPrincipal = 0, indFGTS = 0;
    int calculoJuros = 0;
    double inssReclamante = 0, inssReclamado = 0, inssTerceiros = 0, inssRisco = 0;
    bool aliquotaUnica = false;
    bool incidirJurosFGTS = false;
    int opcaoIR = OpcaoIR::NaoCalcular;
    bool irSobreJuros = false;
    bool adicionarINSSRecte = false;
    // Printed in the heading of the calculation reports and of the lawsuit summary.
    std::string obsCalculo, obsResumo;
};

// From the row the dataset is on.
ParametrosExecucao ParametrosDoProcesso(const Tabela& processo);
// From the register: fails when the calculation does not exist.
ParametrosExecucao ParametrosDoProcesso(Banco& privado, const std::string& processo, int codRecte);

// A result item: code above 9 whose last digit is 2 to 9.
bool ItemComJuros(int item);

// A month row with its derived values. Nothing stored changes.
struct LinhaCalculada {
    int codigo = 0;
    int item = 0, mes = 0, ano = 0;
    double valor = 0;
    std::optional<double> qtde, indice, divisor;
    std::optional<int> base, itemMedia, mMes1, mAno1, mMes2, mAno2;
    std::string vfm, diferenca, inss;
    int codDataBasePadrao = 0;
    Data dtBase;

    std::string descRend;        // "015-Horas extras(31/01/05)"
    std::optional<int> ir;       // the catalogue's IR category; empty when the item is missing
    bool itemResultado = false;  // receives interest and enters the money totals
    double indReaj = 0;
    double valorAtualizado = 0;
    // Result items only.
    std::optional<double> juros, valorJuros, valorAtualizadoComJuros;

    std::string mesAnoCurto() const;  // mm/yy (summary report)
    std::string mesAno() const;       // mm/yyyy (detailed report)
};

// The close of one month.
struct FechamentoMes {
    int mes = 0, ano = 0;
    std::string rotulo;  // "Mês: mm/yyyy"
    double totalMes = 0, jurosMes = 0, totalComJurosMes = 0;
    bool mostraTotais = false;  // only when the month total is not 0
    bool mostraFGTS = false;    // the month's FGTS was above 0
    double fgtsMes = 0, jurosFGTSMes = 0;
    // Month-by-month employee INSS (single-rate INSS off).
    bool avaliaINSS = false;
    double baseINSSMes = 0;
    double baseJaRecolhida = 0;  // BasesINSS of the month (J)
    ResultadoINSSMes inss;
    // The working of INSSDoMes, as the social-security report shows it (0
    // when the month's bracket row is missing).
    double limite1Mes = 0, limite1DtBase = 0;  // L1m and L1 of the base date
    double razao = 0;                          // r = L1 of the base date / L1m
    double baseAtualizada = 0;                 // r x J
    double recolhidoAtualizado = 0;            // r x paid
    double novaBase = 0;                       // B + r x J
    double contribuicaoDevida = 0;             // the contribution on the new base
};

// The totals of a run; the names of the Processo.DB fields they are stored in
// are given where they are stored.
struct TotaisExecucao {
    std::string simboloMoeda;      // of the base date
    double total = 0;              // Total
    double totalComJuros = 0;      // TotalGeral
    double fgts = 0, jurosFGTS = 0;  // FGTS = their sum
    double seguroDesemprego = 0;
    double baseINSS = 0;           // TotalBaseINSS
    double inssReclamanteMensal = 0;  // ValorINSSReclamante (month by month)
    double base13 = 0, juros13 = 0, baseFerias = 0, jurosFerias = 0, baseDemais = 0, jurosDemais = 0;
    int mesesContados = 0;         // before the cut-over rule
    int mesesIR = 0;               // QtdeMesesComBaseIR
    double valorTotalIR = 0;       // ValorTotalIR

    // Contributions.
    ContribuicoesReclamado reclamado;
    double inssEmpregado = 0;      // single rate or month-by-month total
    double totalINSS = 0;          // defendant's total + employee part
    bool aliquotaUnica = false;

    // Income tax.
    std::vector<ColunaIR> colunasIR;
    double deducaoDependentes = 0;
    bool dependentesDiferentes = false;
    int reclamantes = 0;

    bool faixaINSSAusente = false;  // print the note of the annulled employee INSS

    double fgtsADepositar() const { return fgts + jurosFGTS; }
    double totalBaseIR13() const { return base13 + juros13; }
    double totalBaseIRFerias() const { return baseFerias + jurosFerias; }
    double totalBaseIRDemais() const { return baseDemais + jurosDemais; }
    double valorINSSReclamanteGravado() const { return aliquotaUnica ? 0 : inssReclamanteMensal; }
};

inline constexpr const char* kMsgSemParametros = "Não foram inseridos os parâmetros de cálculo!";
inline constexpr const char* kNotaINSSAnulado =
    "Os valores da contribuição previdenciária do empregado foram anulados, pois a tabela do INSS não está "
    "completa até a data final.";

// Receives the values of each phase, in order. Every hook is optional.
class ConsumidorExecucao {
public:
    virtual ~ConsumidorExecucao() = default;
    virtual void inicio(const ParametrosExecucao&) {}
    virtual void reclamante(const std::string& /*nome*/, int /*dependentes*/) {}
    virtual void linha(const LinhaCalculada&) {}
    virtual void fechamento(const FechamentoMes&) {}
    // The first missing INSS bracket row of the run (the month's, or the base
    // date's): the report shows its warning once.
    virtual void faixaINSSAusente(int /*ano*/, int /*mes*/) {}
    virtual void final(const TotaisExecucao&) {}
};

// The social-security report's run corrects every row by the principal index
// (FGTS items too) and computes no interest.
enum class ModoExecucao { Calculo, INSS };

// Runs the calculation; `consumidor` may be null. Fails with the messages of
// an empty grid, a missing IR bracket row of the base date, a missing daily
// index or an empty interest-variation table.
TotaisExecucao ExecutaCalculo(Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                              const ParametrosExecucao& p, ConsumidorExecucao* consumidor = nullptr,
                              ModoExecucao modo = ModoExecucao::Calculo);

// Stores the totals in the calculation's row of Processo.DB (the other fields
// are untouched).
void GravaResultados(Banco& privado, const ParametrosExecucao& p, const TotaisExecucao& t);

}  // namespace korva
