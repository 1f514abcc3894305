// korva-cli tabelas atualizar: the update of the official tables from the
// table server; korva-cli tabelas gerar-dat: the server's files written from
// the shared database.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "reference/Atualizacao.h"
#include "reference/AtualizacaoConfiguracao.h"
#include "storage/Banco.h"

namespace korva::cli {
namespace {

struct OpcoesAtualizar {
    std::string servidor;
    std::string proxy;
    std::string usuario;
    std::string senha;
    bool semProxy = false;
};

nlohmann::json ResumosJson(const std::vector<ResumoTabela>& resumos) {
    auto lista = nlohmann::json::array();
    for (const auto& r : resumos)
        lista.push_back({{"tabela", r.tabela},
                         {"arquivo", r.arquivo},
                         {"registros", r.registros},
                         {"incluidos", r.incluidos},
                         {"alterados", r.alterados}});
    return lista;
}

// The proxy of this run: none with --sem-proxy, the one given with --proxy,
// else the one of the private settings file (with the password given here).
std::optional<ProxyHttp> ProxyDaExecucao(const OpcoesAtualizar& o, const Configuracoes& cfg) {
    if (o.semProxy) return std::nullopt;
    if (!o.proxy.empty()) {
        ProxyHttp p;
        p.endereco = EnderecoHttp::De(o.proxy, "do servidor proxy");
        p.autentica = !o.usuario.empty();
        p.usuario = o.usuario;
        p.senha = o.senha;
        return p;
    }
    return ConfiguracaoProxy::De(cfg, o.senha).proxy();
}

}  // namespace

void RegistraAtualizacao(CLI::App& tabelas, Contexto& ctx) {
    auto opcoes = std::make_shared<OpcoesAtualizar>();
    auto* atualizar = tabelas.add_subcommand(
        "atualizar", "Atualiza as tabelas oficiais (índices diários, valores, INSS e IR) pelo servidor de tabelas");
    atualizar->add_option("--servidor", opcoes->servidor,
                          std::string("Servidor de tabelas HOST[:PORTA]; sem esta opção, a chave Servidor da seção "
                                      "Internet das configurações, ou ") +
                              ServidorTabelasPadrao);
    auto* proxy = atualizar->add_option("--proxy", opcoes->proxy,
                                        "Servidor proxy HOST:PORTA; sem esta opção, o proxy das configurações");
    auto* usuario = atualizar->add_option("--proxy-usuario", opcoes->usuario, "Usuário do servidor proxy");
    auto* senha = atualizar->add_option("--proxy-senha", opcoes->senha, "Senha do servidor proxy (nunca é gravada)")
                      ->envname("KORVA_PROXY_SENHA");
    usuario->needs(proxy);
    atualizar->add_flag("--sem-proxy", opcoes->semProxy, "Conecta diretamente, sem o proxy das configurações")
        ->excludes(proxy)
        ->excludes(usuario)
        ->excludes(senha);
    atualizar->callback([&ctx, opcoes] {
        const Ambiente amb = ctx.ambiente();
        Sessao sessao(amb);
        const Configuracoes& cfg = sessao.configuracoes();
        ParametrosAtualizacao p;
        p.servidor = EnderecoHttp::De(opcoes->servidor.empty() ? ServidorTabelas(cfg.arquivoPrivado())
                                                               : opcoes->servidor,
                                      "do servidor de tabelas");
        p.proxy = ProxyDaExecucao(*opcoes, cfg);
        p.pasta = amb.pastaDados;
        ProgressoDownload progresso;
        if (!ctx.json) {
            std::cout << TituloProgressoDownload << "\n";
            progresso = [](int passo, const std::string& rotulo) {
                if (passo < PassosDownload) std::cout << "  [" << passo + 1 << "/" << PassosDownload << "] " << rotulo << "\n";
                std::cout.flush();
            };
        }
        const auto resumos = AtualizaTabelas(sessao.compartilhado(), p, progresso);
        if (ctx.json) {
            nlohmann::json j = {{"servidor", p.servidor.texto()},
                                {"pasta", p.pasta.string()},
                                {"tabelas", ResumosJson(resumos)}};
            std::cout << j.dump(2) << "\n";
            return;
        }
        std::cout << MensagemTabelasAtualizadas << "\n";
        for (const auto& r : resumos)
            std::cout << r.tabela << ": " << r.registros << " registro(s) - " << r.incluidos << " incluído(s), "
                      << r.alterados << " alterado(s)\n";
    });

    auto pasta = std::make_shared<std::string>();
    auto* gerar = tabelas.add_subcommand(
        "gerar-dat", "Grava os arquivos do servidor de tabelas (Valores.dat, FaixasINSS.dat, FaixasIR.dat, Diario.dat) "
                     "a partir do banco compartilhado; sirva-os em /download/");
    gerar->add_option("DIR", *pasta, "Pasta onde gravar os arquivos")->required();
    gerar->callback([&ctx, pasta] {
        Sessao sessao(ctx.ambiente());
        const auto resumos = GeraArquivosDat(sessao.compartilhado(), *pasta);
        if (ctx.json) {
            nlohmann::json j = {{"pasta", *pasta}, {"arquivos", ResumosJson(resumos)}};
            std::cout << j.dump(2) << "\n";
            return;
        }
        for (const auto& r : resumos)
            std::cout << r.arquivo << ": " << r.registros << " registro(s) de " << r.tabela << "\n";
        std::cout << "Arquivos gravados em " << *pasta << "\n";
    });
}

}  // namespace korva::cli
