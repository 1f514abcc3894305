#pragma once
// What the print dialog of a calculation decides, without its window: the
// option list, the check for uncalculated month rows, the heading every report
// shares, the summary table of the whole lawsuit, and the run of each option —
// storing the results only after a calculation report was produced and
// writing the remittance file after it when the settings ask for it.
//
// The reports themselves are produced through `GeradorRelatorios`, which the
// caller binds to the layouts and to preview, printer or file.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "results/ExecucaoCalculo.h"
#include "util/Data.h"

namespace korva {

class Banco;
class Configuracoes;
class TabelasReferencia;
class CorrecaoJuros;

// Options of "Imprimir:", in this order.
enum class OpcaoImpressao {
    Parametros = 0,     // "&Parâmetros de Cálculo"
    Detalhado = 1,      // "&Cálculo Detalhado"
    Resumido = 2,       // "Cálculo Re&sumido"
    ResumoProcesso = 3, // "&Resumo de Cálculo"
    Verbas = 4,         // "Ver&bas Calculadas"
    INSS = 5,           // "Cálculo do I.&N.S.S."
    Remessa = 6,        // "Remessa ao &I.N.S.S."
};

// The captions offered: the seventh only when "Gerar Arquivo para o INSS" is "S".
std::vector<std::string> OpcoesImpressao(bool gerarArquivoINSS);
// The choice kept from the previous showing; 6 falls back to 0 when the
// seventh option is not offered.
int EscolhaImpressao(int anterior, bool gerarArquivoINSS);

// Rows of table B whose Calculado is false.
int ContaNaoCalculados(Banco& privado, const std::string& tabelaB);
// "Há N item(s) que voce alterou e não recalculou este processo." and its two lines.
std::string MsgNaoCalculados(int quantidade);

// "M, 01 de janeiro de 1998."
std::string LinhaFecho(const std::string& municipio, Data hoje);

// The heading every report of a calculation prints.
struct CabecalhoRelatorio {
    std::string tribunal;
    std::string setor;
    std::string processo;  // "Processo: N  Grupo: 001", or "Processo: N" in the lawsuit summary
    std::string dtGrav, dtAjuiz, dtBase;  // dd/mm/yyyy ("Valores Atualizados até:" is the base date)
    std::string fecho;
    std::string observacao;  // ObsCalculo, or ObsResumo in the lawsuit summary
};

CabecalhoRelatorio CabecalhoDoCalculo(const Configuracoes& c, const ParametrosExecucao& p,
                                      const std::string& observacao, Data hoje, bool resumoProcesso = false);

// The summary table of a lawsuit (Temp.db): emptied, then one row per
// claimant of each calculation of the lawsuit in group order, with the
// values the last stored run left in Processo.DB. Built in one transaction:
// on a failure the table keeps what it held before. Fails with "Não há partes
// cadastradas no Processo: N  Grupo: 001" for a calculation without claimant,
// and "Atenção! Não há partes cadastradas para este processo." when no row
// was written. `temp` is the database holding Temp.db (created when missing).
int MontaResumoProcesso(Banco& privado, Banco& temp, const std::string& processo);

// Produces one report of a calculation (to preview, printer or file).
class GeradorRelatorios {
public:
    virtual ~GeradorRelatorios() = default;
    // Option 0: the period rows (A) and the parties (C).
    virtual void parametros(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) = 0;
    // Options 1, 2 and 5: the run fed into the layout; returns its totals.
    virtual TotaisExecucao calculo(OpcaoImpressao tipo, const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                                   bool adicionarINSSRecte) = 0;
    // Option 3: the lawsuit summary over Temp.db, with the base date, principal index and additions (E) of
    // the calculation it was asked from, and AdicionarINSSRecte of the lawsuit's first calculation.
    virtual void resumo(const ParametrosExecucao& p, const CabecalhoRelatorio& cab, bool adicionarINSSRecte) = 0;
    // Option 4: the calculated items (always previewed).
    virtual void verbas(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) = 0;
};

// What an option needs besides the calculation.
struct ContextoImpressao {
    Banco* privado = nullptr;
    Banco* temp = nullptr;  // database of Temp.db
    TabelasReferencia* referencia = nullptr;
    const Configuracoes* configuracoes = nullptr;
    Data hoje;
    // The reminder of the lawsuit summary ("Lembra Resumo" = "S"): true to go on.
    std::function<bool()> lembrete;
    // Writes the remittance file of the calculation; returns the records written.
    std::function<int(const ParametrosExecucao&)> gravaRemessa;
    // Tells the user (uncalculated rows, the remittance written).
    std::function<void(const std::string&)> aviso;
};

// Runs an option for the calculation. Returns false when it ended silently
// (uncalculated rows told to the user, the reminder declined); failures are
// thrown with their messages, and then nothing is stored.
bool ExecutaImpressao(OpcaoImpressao opcao, const ParametrosExecucao& p, ContextoImpressao& ctx,
                      GeradorRelatorios& gerador);

inline constexpr const char* kMsgRemessaGerada = "Arquivo de Remessa ao INSS gerado com sucesso.";
inline constexpr const char* kMsgSemPartesProcesso = "Atenção! Não há partes cadastradas para este processo.";

}  // namespace korva
