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
#include "reports/ProducaoRelatorios.h"
#include "reports/RelatorioCatalogo.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
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

// The output file as the destination of the laid-out reports.
class DestinoArquivo : public DestinoRelatorio {
public:
    explicit DestinoArquivo(SaidaRelatorio& saida) : saida_(saida) {}
    const Medidor& medidor() const override { return saida_.medidor(); }
    void entrega(const Documento& d, const std::string& titulo, OpcaoImpressao) override { saida_.grava(d, titulo); }

private:
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
        const std::unique_ptr<Banco> temp = AbreBancoTemp(ctx.ambiente());
        const Configuracoes& cfg = sessao.configuracoes();
        DestinoArquivo destino(saida);
        ProducaoRelatorios gerador(sessao.privado(), *temp, referencia, correcao, cfg, destino);

        std::vector<std::string>& avisos = gerador.avisos;
        ContextoImpressao ci = ContextoImpressaoDe(sessao.privado(), *temp, referencia, cfg);
        ci.lembrete = [] { return true; };  // asked for by name: nothing to remind
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
