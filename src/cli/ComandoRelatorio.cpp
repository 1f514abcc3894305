// "relatorio PROCESSO GRUPO --tipo ... --saida ARQ" (a report of the print
// dialog written to a PDF or text file, run exactly as the dialog runs it:
// the calculation reports store their results and, when the settings ask for
// it, write the remittance file) and "relatorio-verbas --saida ARQ" (the
// catalogue report).
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "cli/SaidaRelatorio.h"
#include "reference/TabelasReferencia.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/RelatorioCalculo.h"
#include "reports/RelatorioCatalogo.h"
#include "reports/RelatorioParametros.h"
#include "reports/RelatorioResumo.h"
#include "reports/RelatorioVerbasCalculadas.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/RemessaINSS.h"
#include "storage/Banco.h"
#include "util/Erros.h"

namespace korva::cli {
namespace {

const std::map<std::string, OpcaoImpressao>& Tipos() {
    static const std::map<std::string, OpcaoImpressao> tipos = {
        {"parametros", OpcaoImpressao::Parametros}, {"detalhado", OpcaoImpressao::Detalhado},
        {"resumido", OpcaoImpressao::Resumido},     {"resumo", OpcaoImpressao::ResumoProcesso},
        {"verbas", OpcaoImpressao::Verbas},         {"inss", OpcaoImpressao::INSS},
    };
    return tipos;
}

// Lays the chosen report out and writes it to the output file.
class GeradorArquivo : public GeradorRelatorios {
public:
    GeradorArquivo(Sessao& sessao, Banco& temp, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                   SaidaRelatorio& saida)
        : sessao_(sessao), temp_(temp), referencia_(referencia), correcao_(correcao), saida_(saida) {}

    int paginas = 0;
    std::vector<std::string> avisos;  // told by the layouts (a missing INSS bracket row)

    void parametros(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) override {
        const DadosParametros dados = LeParametrosPeriodo(sessao_.privado(), p);
        grava(DiagramaParametros(dados, cab, versao(), saida_.medidor()), kTituloParametros);
    }

    TotaisExecucao calculo(OpcaoImpressao tipo, const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                           bool adicionarINSSRecte) override {
        const TipoRelatorioCalculo t = tipo == OpcaoImpressao::Detalhado  ? TipoRelatorioCalculo::Detalhado
                                       : tipo == OpcaoImpressao::Resumido ? TipoRelatorioCalculo::Resumido
                                                                          : TipoRelatorioCalculo::INSS;
        ParametrosExecucao execucao = p;
        execucao.adicionarINSSRecte = adicionarINSSRecte;
        TotaisExecucao totais;
        const Documento d = ProduzCalculo(t, sessao_.privado(), referencia_, correcao_, execucao, cab,
                                          sessao_.configuracoes(), saida_.medidor(), &totais,
                                          [this](const std::string& m) { avisos.push_back(m); });
        grava(d, "Relatório de Cálculo");
        return totais;
    }

    void resumo(const ParametrosExecucao& p, const CabecalhoRelatorio& cab, bool adicionarINSSRecte) override {
        grava(ProduzResumo(temp_, sessao_.privado(), referencia_, correcao_, p, adicionarINSSRecte, cab,
                           versao(), saida_.medidor()),
              kTituloResumo);
    }

    void verbas(const ParametrosExecucao& p, const CabecalhoRelatorio& cab) override {
        grava(ProduzVerbasCalculadas(sessao_.privado(), correcao_, p, cab, versao(), saida_.medidor()),
              kTituloVerbasCalculadas);
    }

private:
    std::string versao() const { return sessao_.configuracoes().versao; }
    void grava(const Documento& d, const std::string& titulo) { paginas = saida_.grava(d, titulo); }

    Sessao& sessao_;
    Banco& temp_;
    TabelasReferencia& referencia_;
    CorrecaoJuros& correcao_;
    SaidaRelatorio& saida_;
};

void Informa(const Contexto& ctx, const SaidaRelatorio& saida, int paginas, const std::vector<std::string>& avisos) {
    if (ctx.json) {
        std::cout << nlohmann::json{{"Arquivo", saida.arquivo().string()}, {"Paginas", paginas}, {"Avisos", avisos}}
                         .dump(2)
                  << "\n";
        return;
    }
    std::cout << paginas << " página(s) gravada(s) em " << saida.arquivo().string() << "\n";
    for (const auto& a : avisos) std::cout << a << "\n";
}

struct OpcoesRelatorio {
    Chave chave;
    std::string tipo;
    std::string saida;
};

void RegistraRelatorioCalculo(CLI::App& app, Contexto& ctx) {
    auto o = std::make_shared<OpcoesRelatorio>();
    auto* cmd = app.add_subcommand("relatorio", "Grava um relatório do cálculo em PDF ou texto, como a impressão");
    OpcoesChave(cmd, o->chave);
    std::vector<std::string> nomes;
    for (const auto& [nome, _] : Tipos()) nomes.push_back(nome);
    cmd->add_option("--tipo", o->tipo, "parametros, detalhado, resumido, resumo, verbas ou inss")
        ->required()
        ->check(CLI::IsMember(nomes));
    cmd->add_option("--saida", o->saida, "Arquivo .pdf ou .txt")->required();
    cmd->callback([&ctx, o] {
        SaidaRelatorio saida(o->saida);  // refuses a bad file name before anything runs
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p = ParametrosDoProcesso(sessao.privado(), Maiusculo(o->chave.processo),
                                                          o->chave.grupo);
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        // The lawsuit summary table lives in the data folder: the program's
        // own folder may not be writable.
        Banco temp("Temp", ctx.ambiente().pastaDados);
        GeradorArquivo gerador(sessao, temp, referencia, correcao, saida);

        std::vector<std::string>& avisos = gerador.avisos;
        const Configuracoes& cfg = sessao.configuracoes();
        ContextoImpressao ci;
        ci.privado = &sessao.privado();
        ci.temp = &temp;
        ci.referencia = &referencia;
        ci.configuracoes = &cfg;
        ci.hoje = Data::hoje();
        ci.lembrete = [] { return true; };  // asked for by name: nothing to remind
        ci.gravaRemessa = [&](const ParametrosExecucao& e) {
            return GravaRemessa(sessao.privado(), e.processo, e.codRecte, e.diretorio, e.arquivo,
                                PastaRemessa(cfg.diretorioINSS, sessao.privado().pasta()),
                                cfg.periodoManutencaoArquivos);
        };
        ci.aviso = [&](const std::string& m) { avisos.push_back(m); };

        if (!ExecutaImpressao(Tipos().at(o->tipo), p, ci, gerador)) {
            std::string texto;
            for (const auto& a : avisos) texto += (texto.empty() ? "" : "\n") + a;
            throw ErroKorva(texto.empty() ? std::string("Relatório não gerado.") : texto);
        }
        Informa(ctx, saida, gerador.paginas, avisos);
    });
}

void RegistraRelatorioVerbas(CLI::App& app, Contexto& ctx) {
    auto arquivo = std::make_shared<std::string>();
    auto* cmd = app.add_subcommand("relatorio-verbas", "Grava a Relação de Verbas (catálogo) em PDF ou texto");
    cmd->add_option("--saida", *arquivo, "Arquivo .pdf ou .txt")->required();
    cmd->callback([&ctx, arquivo] {
        SaidaRelatorio saida(*arquivo);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        const Configuracoes& cfg = sessao.configuracoes();
        const int paginas = saida.grava(
            ProduzCatalogo(sessao.privado(), referencia, cfg.tribunal, Data::hoje(), cfg.versao, saida.medidor()),
            kTituloRelatorioVerbas);
        Informa(ctx, saida, paginas, {});
    });
}

}  // namespace

void RegistraRelatorios(CLI::App& app, Contexto& ctx) {
    RegistraRelatorioCalculo(app, ctx);
    RegistraRelatorioVerbas(app, ctx);
}

}  // namespace korva::cli
