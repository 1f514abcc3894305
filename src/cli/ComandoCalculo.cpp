// korva-cli calculo importar|exportar (the exchange document of one
// calculation), processo listar|excluir|novo-grupo|duplicar (the register) and
// gerar (the month rows B from the period rows A).
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/Geracao.h"
#include "parameters/OrdemParametros.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/DocumentoJson.h"
#include "util/Erros.h"

namespace korva::cli {
namespace {

// The register opened on calculation `c`; fails when there is none.
void Posiciona(RegistroProcessos& reg, const Chave& c) {
    reg.abre();
    if (!LocalizaCalculo(reg.processos(), Maiusculo(c.processo), c.grupo)) throw ErroKorva(NaoEncontrado(c));
}

void RegistraCalculo(CLI::App& app, Contexto& ctx) {
    auto* calculo = app.add_subcommand("calculo", "Documento JSON de um cálculo: importação e exportação");
    calculo->require_subcommand(1);

    auto arquivo = std::make_shared<std::string>();
    auto* imp = calculo->add_subcommand("importar", "Cadastra um cálculo a partir de um documento JSON (tudo ou nada)");
    imp->add_option("ARQ", *arquivo, "Documento JSON do cálculo")->required();
    imp->callback([&ctx, arquivo] {
        const nlohmann::json doc = LeArquivoJson(*arquivo);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        const CalculoImportado r = ImportaCalculo(sessao.privado(), referencia, AjustesDe(sessao.configuracoes()), doc);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Processo", r.processo}, {"CodRecte", r.codRecte}}.dump(2) << "\n";
            return;
        }
        std::cout << "Processo: " << r.processo << " Grupo: " << r.codRecte << "\n";
    });

    auto chave = std::make_shared<Chave>();
    auto destino = std::make_shared<std::string>();
    auto* exp = calculo->add_subcommand("exportar", "Escreve o documento JSON de um cálculo");
    OpcoesChave(exp, *chave);
    exp->add_option("ARQ", *destino, "Arquivo de destino (sem ele, a saída padrão)");
    exp->callback([&ctx, chave, destino] {
        Sessao sessao(ctx.ambiente());
        const std::string texto = ExportaCalculo(sessao.privado(), Maiusculo(chave->processo), chave->grupo).dump(2);
        if (destino->empty()) {
            std::cout << texto << "\n";
            return;
        }
        std::ofstream out(*destino, std::ios::binary | std::ios::trunc);
        out << texto << "\n";
        out.close();
        if (!out) throw ErroES("Não foi possível gravar o arquivo " + *destino + ".");
    });
}

void RegistraProcesso(CLI::App& app, Contexto& ctx) {
    auto* processo = app.add_subcommand("processo", "Cadastro de processos");
    processo->require_subcommand(1);

    auto* listar = processo->add_subcommand("listar", "Lista os cálculos cadastrados");
    listar->add_flag("--json", ctx.json, "Saída em JSON");
    listar->callback([&ctx] {
        Sessao sessao(ctx.ambiente());
        Tabela t(sessao.privado(), "Processo.DB");
        t.abre(ModoAbertura::SomenteLeitura);
        t.defineIndice("");
        nlohmann::json lista = nlohmann::json::array();
        for (t.primeiro(); !t.fim(); t.proximo()) {
            auto texto = [&](const char* c) { return t.valor(c).nulo() ? std::string() : t.valor(c).comoTexto(); };
            if (ctx.json) {
                lista.push_back({{"Processo", texto("Processo")},
                                 {"CodRecte", t.valor("CodRecte").comoInteiro()},
                                 {"Calculista", texto("Calculista")},
                                 {"DtAjuiz", texto("DtAjuiz")},
                                 {"DtGrav", texto("DtGrav")}});
            } else {
                std::cout << texto("Processo") << "\t" << t.valor("CodRecte").comoInteiro() << "\t"
                          << texto("Calculista") << "\t" << texto("DtAjuiz") << "\n";
            }
        }
        if (ctx.json) std::cout << lista.dump(2) << "\n";
    });

    auto chave = std::make_shared<Chave>();
    auto* excluir = processo->add_subcommand("excluir", "Exclui um cálculo e as suas tabelas");
    OpcoesChave(excluir, *chave);
    excluir->callback([&ctx, chave] {
        Sessao sessao(ctx.ambiente());
        RegistroProcessos reg(sessao.privado(), AjustesDe(sessao.configuracoes()));
        Posiciona(reg, *chave);
        reg.processos().exclui();
        reg.fecha();
        std::cout << "Cálculo excluído: processo " << Maiusculo(chave->processo) << ", grupo " << chave->grupo << "\n";
    });

    auto copias = std::make_shared<RegistroProcessos::Copias>();
    auto semTabela = [copias](CLI::App* cmd) {
        cmd->add_flag_callback("--sem-periodo", [copias] { copias->periodo = false; }, "Não copia os parâmetros por período (A)");
        cmd->add_flag_callback("--sem-mes-a-mes", [copias] { copias->mesAMes = false; }, "Não copia os parâmetros mês a mês (B)");
        cmd->add_flag_callback("--sem-inss", [copias] { copias->basesINSS = false; }, "Não copia as bases do I.N.S.S. (D)");
        cmd->add_flag_callback("--sem-acrescimos", [copias] { copias->acrescimos = false; }, "Não copia os acréscimos (E)");
        cmd->add_flag_callback("--sem-juros", [copias] { copias->juros = false; }, "Não copia os juros (H)");
    };
    auto chaveGrupo = std::make_shared<Chave>();
    auto* novo = processo->add_subcommand("novo-grupo", "Cria um novo grupo do processo, copiando as tabelas marcadas");
    OpcoesChave(novo, *chaveGrupo);
    semTabela(novo);
    novo->callback([&ctx, chaveGrupo, copias] {
        Sessao sessao(ctx.ambiente());
        RegistroProcessos reg(sessao.privado(), AjustesDe(sessao.configuracoes()));
        Posiciona(reg, *chaveGrupo);
        const int grupo = reg.NovoGrupo(*copias);
        if (reg.processos().editando()) reg.processos().grava();
        reg.fecha();
        std::cout << "Processo: " << Maiusculo(chaveGrupo->processo) << " Grupo: " << grupo << "\n";
    });

    auto para = std::make_shared<Chave>();
    auto de = std::make_shared<Chave>();
    auto* duplicar = processo->add_subcommand("duplicar", "Copia as tabelas marcadas de um cálculo para outro");
    duplicar->add_option("PROCESSO", para->processo, "Processo do cálculo de destino")->required();
    duplicar->add_option("GRUPO", para->grupo, "Grupo do cálculo de destino")->required();
    duplicar->add_option("ORIGEM", de->processo, "Processo do cálculo de origem")->required();
    duplicar->add_option("GRUPO_ORIGEM", de->grupo, "Grupo do cálculo de origem")->required();
    semTabela(duplicar);
    duplicar->callback([&ctx, para, de, copias] {
        Sessao sessao(ctx.ambiente());
        RegistroProcessos reg(sessao.privado(), AjustesDe(sessao.configuracoes()));
        {
            Tabela t(sessao.privado(), "Processo.DB");
            t.abre(ModoAbertura::SomenteLeitura);
            if (!LocalizaCalculo(t, Maiusculo(de->processo), de->grupo)) throw ErroKorva(NaoEncontrado(*de));
        }
        Posiciona(reg, *para);
        reg.Duplicar(Maiusculo(de->processo), de->grupo, *copias);
        reg.fecha();
        std::cout << "Tabelas copiadas para o processo " << Maiusculo(para->processo) << ", grupo " << para->grupo
                  << "\n";
    });
}

// The names --ordem takes, and their orders.
OrdemParametros OrdemDoNome(const std::string& nome) {
    if (nome == "item") return OrdemParametros::Item;
    if (nome == "codigo") return OrdemParametros::SemOrdem;
    return OrdemParametros::Periodo;
}

void RegistraGerar(CLI::App& app, Contexto& ctx) {
    auto chave = std::make_shared<Chave>();
    auto ordem = std::make_shared<std::string>();
    auto* gerar = app.add_subcommand("gerar", "Gera os parâmetros mês a mês (B) a partir dos parâmetros por período (A)");
    OpcoesChave(gerar, *chave);
    gerar->add_option("--ordem", *ordem,
                      "Ordem em que os parâmetros por período são lidos: periodo, item ou codigo (sem ordem). "
                      "Sem a opção, a da grade de parâmetros por período (configuração \"Ordenacao Parametros1\")")
        ->transform(CLI::IsMember({"periodo", "item", "codigo"}, CLI::ignore_case));
    gerar->callback([&ctx, chave, ordem] {
        Sessao sessao(ctx.ambiente());
        // The month rows come out in the order the period grid shows its rows.
        const OrdemParametros leitura = ordem->empty()
                                            ? OrdemParametrosDaPosicao(sessao.configuracoes().ordenacaoParametros1)
                                            : OrdemDoNome(*ordem);
        Tabela p(sessao.privado(), "Processo.DB");
        p.abre(ModoAbertura::SomenteLeitura);
        if (!LocalizaCalculo(p, Maiusculo(chave->processo), chave->grupo)) throw ErroKorva(NaoEncontrado(*chave));
        OpcoesCalculo opcoes;
        auto inteiro = [&](const char* c) { return p.valor(c).nulo() ? 0 : static_cast<int>(p.valor(c).comoInteiro()); };
        auto logico = [&](const char* c) { return !p.valor(c).nulo() && p.valor(c).comoLogico(); };
        opcoes.dataBasePadrao = inteiro("DataBasePadrao");
        opcoes.feriadosNacionais = logico("AtualizaFeriadosNacionais");
        opcoes.feriadosEstaduais = logico("AtualizaFeriadosEstaduais");
        opcoes.feriadosMunic = inteiro("AtualizaFeriadosMunic");
        ConjuntoCalculo conjunto(sessao.privado(), [] { return 100; });
        conjunto.defineAtual(inteiro("Diretorio"), inteiro("Arquivo"));
        TabelasReferencia referencia(sessao.compartilhado());
        CalculoDtBase dtBase(referencia, opcoes);
        Geracao geracao(sessao.privado(), conjunto.NomeTabela('A'), conjunto.NomeTabela('B'), dtBase);
        const int linhas = geracao.Gera(leitura);
        if (ctx.json) {
            std::cout << nlohmann::json{{"linhas", linhas}, {"ordem", NomeOrdemParametros(leitura)}}.dump(2) << "\n";
            return;
        }
        std::cout << linhas << " linha(s) de parâmetros mês a mês gerada(s).\n"
                  << "Ordem dos parâmetros por período: " << NomeOrdemParametros(leitura) << "\n";
    });
}

}  // namespace

void RegistraCalculos(CLI::App& app, Contexto& ctx) {
    RegistraCalculo(app, ctx);
    RegistraProcesso(app, ctx);
    RegistraGerar(app, ctx);
}

}  // namespace korva::cli
