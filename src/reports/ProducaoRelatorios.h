#pragma once
// The reports of a calculation laid out for one output. `ProducaoRelatorios`
// is the `GeradorRelatorios` of every caller of ExecutaImpressao: it reads
// the tables each report needs, lays the report out with the measurer of the
// output and hands the laid-out document to a `DestinoRelatorio`, which writes
// it to a file (command line), shows it in the preview or prints it (print
// dialog).
//
// Also here, so that every caller makes the same choices: where the summary
// table of a lawsuit (Temp.db) lives, and how the remittance file of a
// calculation is written (the configured folder and keeping period).
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reports/ImpressaoCalculo.h"
#include "reports/Medidor.h"
#include "reports/Pagina.h"

namespace korva {

class Banco;
class Configuracoes;
class CorrecaoJuros;
class TabelasReferencia;
struct Ambiente;

// Where a laid-out report goes.
class DestinoRelatorio {
public:
    virtual ~DestinoRelatorio() = default;
    // The measurer the layout must use for this output.
    virtual const Medidor& medidor() const = 0;
    // The laid-out report of `opcao`; `titulo` names it (window caption,
    // document title). May fail; ExecutaImpressao then stores nothing.
    virtual void entrega(const Documento& documento, const std::string& titulo, OpcaoImpressao opcao) = 0;
};

class ProducaoRelatorios : public GeradorRelatorios {
public:
    // Every reference must outlive this object; `temp` is the database of Temp.db.
    ProducaoRelatorios(Banco& privado, Banco& temp, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                       const Configuracoes& configuracoes, DestinoRelatorio& destino);

    // Told what the layouts warn about (a missing INSS bracket row); when not
    // set the warnings are kept in `avisos`.
    std::function<void(const std::string&)> aviso;
    std::vector<std::string> avisos;
    // Pages of the last report handed over.
    int paginas = 0;

    void parametros(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) override;
    TotaisExecucao calculo(OpcaoImpressao tipo, const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                           bool adicionarINSSRecte) override;
    void resumo(const ParametrosExecucao& p, const CabecalhoRelatorio& cab, bool adicionarINSSRecte) override;
    void verbas(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) override;

private:
    void entrega(const Documento& d, const std::string& titulo, OpcaoImpressao opcao);
    void avisa(const std::string& m);

    Banco& privado_;
    Banco& temp_;
    TabelasReferencia& referencia_;
    CorrecaoJuros& correcao_;
    const Configuracoes& configuracoes_;
    DestinoRelatorio& destino_;
};

// Caption of the calculation reports' windows ("Relatório de Cálculo").
inline constexpr const char* kTituloRelatorioCalculo = "Relatório de Cálculo";

// The database of the lawsuit summary table Temp.db: the data folder of the
// installation (the program's own folder may not be writable).
std::unique_ptr<Banco> AbreBancoTemp(const Ambiente& ambiente);

// The remittance file of a calculation, in the folder of the setting
// "Diretorio" (section "INSS"); GravaRemessaCalculo writes it there, purging
// the files older than the keeping period, and returns the records written.
std::filesystem::path ArquivoRemessaCalculo(Banco& privado, const Configuracoes& c, const ParametrosExecucao& p);
int GravaRemessaCalculo(Banco& privado, const Configuracoes& c, const ParametrosExecucao& p);

// A context for ExecutaImpressao over these databases and settings: today's
// date and the remittance file written as above. The caller adds `lembrete`
// and `aviso`.
ContextoImpressao ContextoImpressaoDe(Banco& privado, Banco& temp, TabelasReferencia& referencia,
                                      const Configuracoes& c);

}  // namespace korva
