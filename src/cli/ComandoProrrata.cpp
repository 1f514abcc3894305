// "prorrata importar, exportar, listar, excluir and de-calculo".
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "prorata/DocumentoProrrata.h"
#include "prorata/RegistrosProrrata.h"
#include "reference/TabelasReferencia.h"
#include "register/ListaProcessos.h"
#include "register/RegistroProcessos.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/DocumentoJson.h"
#include "util/Erros.h"

namespace korva::cli {
namespace {

std::string NaoEncontrado(int codigo) {
    return "Registro de atualização prorrata não encontrado: código " + std::to_string(codigo) + ".";
}

void MostraCodigo(const Contexto& ctx, int codigo) {
    if (ctx.json) {
        std::cout << nlohmann::json{{"Codigo", codigo}}.dump(2) << "\n";
        return;
    }
    std::cout << "Registro prorrata gravado.\nCodigo: " << codigo << "\n";
}

void RegistraImportar(CLI::App& prorrata, Contexto& ctx) {
    auto arquivo = std::make_shared<std::string>();
    auto* cmd = prorrata.add_subcommand("importar",
                                        "Cadastra um registro prorrata a partir de um documento JSON (tudo ou nada)");
    cmd->add_option("ARQ", *arquivo, "Documento JSON do registro")->required();
    cmd->callback([&ctx, arquivo] {
        const nlohmann::json doc = LeArquivoJson(*arquivo);
        Sessao sessao(ctx.ambiente());
        MostraCodigo(ctx, ImportaProrrata(sessao.privado(), AjustesDe(sessao.configuracoes()), doc));
    });
}

void RegistraExportar(CLI::App& prorrata, Contexto& ctx) {
    auto codigo = std::make_shared<int>(0);
    auto destino = std::make_shared<std::string>();
    auto* cmd = prorrata.add_subcommand("exportar", "Escreve o documento JSON de um registro prorrata");
    cmd->add_option("CODIGO", *codigo, "Código do registro")->required();
    cmd->add_option("ARQ", *destino, "Arquivo de destino (sem ele, a saída padrão)");
    cmd->callback([&ctx, codigo, destino] {
        Sessao sessao(ctx.ambiente());
        const std::string texto = ExportaProrrata(sessao.privado(), *codigo).dump(2);
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

void RegistraListar(CLI::App& prorrata, Contexto& ctx) {
    auto* cmd = prorrata.add_subcommand("listar", "Lista os registros de atualização prorrata");
    cmd->callback([&ctx] {
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        Tabela t(sessao.privado(), kTabelaProrrata);
        t.abre(ModoAbertura::SomenteLeitura);
        t.defineIndice("IndProcesso");
        nlohmann::json lista = nlohmann::json::array();
        auto texto = [&](const char* c) { return t.valor(c).nulo() ? std::string() : t.valor(c).comoTexto(); };
        auto data = [&](const char* c) { return t.valor(c).nulo() ? std::string() : t.valor(c).comoData().dma(); };
        for (t.primeiro(); !t.fim(); t.proximo()) {
            const int indice = t.valor("Indice").nulo() ? 0 : static_cast<int>(t.valor("Indice").comoInteiro());
            std::string nomeIndice;
            try {
                nomeIndice = referencia.NomeIndiceDiario(indice);
            } catch (const std::exception&) {
                // The list still shows the record without the series' name.
            }
            const double valor = t.valor("Valor").nulo() ? 0.0 : t.valor("Valor").comoNumero();
            if (ctx.json) {
                lista.push_back({{"Codigo", t.valor("Codigo").comoInteiro()},
                                 {"Processo", texto("Processo")},
                                 {"CodRecte", t.valor("CodRecte").comoInteiro()},
                                 {"DtAjuiz", data("DtAjuiz")},
                                 {"DtBase", data("DtBase")},
                                 {"Valor", valor},
                                 {"DtFinal", data("DtFinal")},
                                 {"Indice", indice},
                                 {"NomeIndice", nomeIndice}});
            } else {
                std::cout << t.valor("Codigo").comoInteiro() << "\t" << texto("Processo") << "\t"
                          << t.valor("CodRecte").comoInteiro() << "\t" << data("DtBase") << "\t"
                          << FormataNumero(valor, 2) << "\t" << data("DtFinal") << "\t" << nomeIndice << "\n";
            }
        }
        if (ctx.json) std::cout << lista.dump(2) << "\n";
    });
}

void RegistraExcluir(CLI::App& prorrata, Contexto& ctx) {
    auto codigo = std::make_shared<int>(0);
    auto* cmd = prorrata.add_subcommand("excluir",
                                        "Exclui um registro prorrata com as suas parcelas, juros e acréscimos");
    cmd->add_option("CODIGO", *codigo, "Código do registro")->required();
    cmd->callback([&ctx, codigo] {
        Sessao sessao(ctx.ambiente());
        RegistrosProrrata reg(sessao.privado(), AjustesDe(sessao.configuracoes()));
        reg.abre();
        Tabela& t = reg.registros();
        if (!t.localiza({"Codigo"}, {Valor(*codigo)})) throw ErroKorva(NaoEncontrado(*codigo));
        reg.excluiRegistro();
        reg.fecha();
        std::cout << "Registro prorrata excluído: código " << *codigo << "\n";
    });
}

struct OpcoesDeCalculo {
    Chave chave;
    bool inss = false, ir = false;
};

void RegistraDeCalculo(CLI::App& prorrata, Contexto& ctx) {
    auto o = std::make_shared<OpcoesDeCalculo>();
    auto* cmd = prorrata.add_subcommand("de-calculo",
                                        "Cria um registro prorrata a partir de um cálculo (\"Buscar Processo\")");
    OpcoesChave(cmd, o->chave);
    cmd->add_flag("--inss", o->inss, "Importa a contribuição previdenciária da empresa como acréscimo");
    cmd->add_flag("--ir", o->ir, "Importa o imposto de renda como acréscimo");
    cmd->callback([&ctx, o] {
        Sessao sessao(ctx.ambiente());
        Banco& privado = sessao.privado();
        // The lawsuit list in pro-rata mode hands the chosen calculation over.
        ListaProcessos lista(privado);
        lista.mostra("0", 0);
        if (!lista.tabela().localiza({"Processo", "CodRecte"},
                                     {Valor(Maiusculo(o->chave.processo)), Valor(o->chave.grupo)}))
            throw ErroKorva(NaoEncontrado(o->chave));
        lista.importacao().contribuicaoEmpresa = o->inss;
        lista.importacao().impostoRenda = o->ir;
        const auto escolha = lista.escolhe();
        lista.oculta();
        if (!escolha) throw ErroKorva(NaoEncontrado(o->chave));
        RegistrosProrrata reg(privado, AjustesDe(sessao.configuracoes()));
        reg.abre();
        const int codigo = reg.importaCalculo(*escolha);
        reg.fecha();
        MostraCodigo(ctx, codigo);
    });
}

}  // namespace

void RegistraProrrataRegistros(CLI::App& prorrata, Contexto& ctx) {
    RegistraImportar(prorrata, ctx);
    RegistraExportar(prorrata, ctx);
    RegistraListar(prorrata, ctx);
    RegistraExcluir(prorrata, ctx);
    RegistraDeCalculo(prorrata, ctx);
}

}  // namespace korva::cli
