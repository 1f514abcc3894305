#pragma once
// The three calculation reports — summary ("Cálculo Resumido", portrait),
// detailed ("Cálculo Detalhado", landscape) and social-security ("Cálculo do
// I.N.S.S.", portrait) — laid out on the band engine.
//
// The calculation run is executed once and its values collected in
// DadosCalculo; the layout (which makes two passes) reads only the collected
// values, so the run never repeats.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reports/BlocosCalculo.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"
#include "results/ExecucaoCalculo.h"

namespace korva {

class Banco;
class Configuracoes;
class CorrecaoJuros;
class TabelasReferencia;

struct DadosCalculo {
    std::vector<std::string> reclamantes;  // names, in the order of the parties table
    std::vector<LinhaCalculada> linhas;
    std::vector<FechamentoMes> fechamentos;
    std::vector<std::size_t> fechamentoDaLinha;  // index into `fechamentos` of each row's month
    std::vector<double> baseINSSMes;             // per close: the month's INSS base
    std::optional<std::pair<int, int>> faixaAusente;  // first missing INSS bracket row (year, month)
    TotaisExecucao totais;
};

// Collects a run into DadosCalculo.
class ColetaCalculo : public ConsumidorExecucao {
public:
    explicit ColetaCalculo(DadosCalculo& dados) : d_(dados) {}
    void reclamante(const std::string& nome, int dependentes) override;
    void linha(const LinhaCalculada& l) override;
    void fechamento(const FechamentoMes& f) override;
    void faixaINSSAusente(int ano, int mes) override;
    void final(const TotaisExecucao& t) override;

private:
    DadosCalculo& d_;
    double baseMes_ = 0;
};

// Font size of each report (points): the summary's ten columns need a
// smaller font to fit the portrait sheet.
double PontosRelatorio(TipoRelatorioCalculo tipo);
Orientacao OrientacaoRelatorio(TipoRelatorioCalculo tipo);

Documento DiagramaCalculo(TipoRelatorioCalculo tipo, const DadosCalculo& dados, const ParametrosExecucao& p,
                          const CabecalhoRelatorio& cab, const std::string& versao, Data dataCorte,
                          const Medidor& medidor);

// The warning shown once when an INSS bracket row is missing: with the month
// in the summary report, without it in the other two. Empty when none was missing.
std::string AvisoFaixaINSS(TipoRelatorioCalculo tipo, const DadosCalculo& dados);

// Runs the calculation (the social-security mode for the INSS report) and
// lays the report out. `totais` receives the run's totals when not null;
// `aviso` is told the missing-bracket warning, when there is one.
Documento ProduzCalculo(TipoRelatorioCalculo tipo, Banco& privado, TabelasReferencia& referencia,
                        CorrecaoJuros& correcao, const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                        const Configuracoes& config, const Medidor& medidor, TotaisExecucao* totais,
                        const std::function<void(const std::string&)>& aviso = {});

}  // namespace korva
