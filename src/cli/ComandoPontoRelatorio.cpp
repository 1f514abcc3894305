// "ponto relatorio PROCESSO GRUPO --tipo diario|mensal --saida ARQ": the daily
// or the monthly time-card report written to a PDF or text file.
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "cli/SaidaRelatorio.h"
#include "results/ExecucaoCalculo.h"
#include "timecards/RelatoriosPonto.h"

namespace korva::cli {

namespace {

struct OpcoesPontoRelatorio {
    Chave chave;
    std::string tipo;
    std::string saida;
};

}  // namespace

void RegistraPontoRelatorio(CLI::App& ponto, Contexto& ctx) {
    auto o = std::make_shared<OpcoesPontoRelatorio>();
    auto* cmd = ponto.add_subcommand("relatorio", "Grava o relatório diário ou mensal dos cartões de ponto em PDF ou texto");
    OpcoesChave(cmd, o->chave);
    cmd->add_option("--tipo", o->tipo, "diario ou mensal")->required()->check(CLI::IsMember({"diario", "mensal"}));
    cmd->add_option("--saida", o->saida, "Arquivo .pdf ou .txt")->required();
    cmd->callback([&ctx, o] {
        SaidaRelatorio saida(o->saida);  // refuses a bad file name before anything runs
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p =
            ParametrosDoProcesso(sessao.privado(), Maiusculo(o->chave.processo), o->chave.grupo);
        const TipoRelatorioPonto tipo = o->tipo == "diario" ? TipoRelatorioPonto::Diario : TipoRelatorioPonto::Mensal;
        const int paginas = saida.grava(
            ProduzRelatorioPonto(tipo, sessao.privado(), sessao.configuracoes(), p, saida.medidor()),
            TituloRelatorioPonto(tipo));
        if (ctx.json) {
            std::cout << nlohmann::json{{"Arquivo", saida.arquivo().string()}, {"Paginas", paginas}}.dump(2) << "\n";
            return;
        }
        std::cout << paginas << " página(s) gravada(s) em " << saida.arquivo().string() << "\n";
    });
}

}  // namespace korva::cli
