// korva-cli juros (the interest between two dates in one of the interest
// modes, mode 2 with a calculation's variation rows) and fator (the daily-index
// correction factor between two dates). Numbers are printed in full precision,
// in the shortest form that reads back to the same value.
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Data.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva::cli {
namespace {

std::string Numero(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

void Imprime(const char* nome, double v, bool json) {
    if (json)
        std::cout << nlohmann::json{{nome, v}}.dump(2) << "\n";
    else
        std::cout << Numero(v) << "\n";
}

struct OpcoesJuros {
    int modo = 0;
    std::string de, ate;
    std::optional<std::string> processo;
    std::optional<int> grupo;
    int prorrata = 0;
};

// The H table of a calculation, relative to the private database.
std::string TabelaJurosDoCalculo(Banco& privado, const std::string& processo, int grupo) {
    const std::string numero = Maiusculas(Apara(processo));
    const auto r = privado.consulta("select Diretorio, Arquivo from Processo where Processo=:P and CodRecte=:G",
                                    {"Processo.DB"}, {{"P", numero}, {"G", grupo}});
    if (r.empty())
        throw ErroKorva("Cálculo não encontrado: processo " + numero + ", grupo " + std::to_string(grupo) + ".");
    ConjuntoCalculo conjunto(privado, [] { return 100; });
    conjunto.defineAtual(static_cast<int>(r.front()[0].comoInteiro()), static_cast<int>(r.front()[1].comoInteiro()));
    return conjunto.NomeTabela('H');
}

void RegistraJuros(CLI::App& app, Contexto& ctx) {
    auto o = std::make_shared<OpcoesJuros>();
    auto* cmd = app.add_subcommand("juros", "Juros, em percentual, entre duas datas");
    cmd->add_option("--modo", o->modo,
                    "0 juros legais, 1 limitar juros, 2 variação informada, 3 1% ao mês simples")
        ->required()
        ->check(CLI::Range(0, 3));
    cmd->add_option("--de", o->de, "Data inicial (DD/MM/AAAA)")->required();
    cmd->add_option("--ate", o->ate, "Data final (DD/MM/AAAA)")->required();
    auto* processo = cmd->add_option("--processo", o->processo, "Processo cujo cálculo tem a variação dos juros");
    auto* grupo = cmd->add_option("--grupo", o->grupo, "Grupo (código do reclamante) do cálculo");
    processo->needs(grupo);
    grupo->needs(processo);
    cmd->add_option("--prorrata", o->prorrata, "Código da atualização pro rata cuja variação dos juros é usada")
        ->check(CLI::NonNegativeNumber)
        ->excludes(processo);
    cmd->callback([&ctx, o] {
        const Data de = Data::deDMA(o->de), ate = Data::deDMA(o->ate);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        std::string tabela;
        if (o->processo && o->modo == ModoJuros::Variacao && o->prorrata == 0) {
            tabela = TabelaJurosDoCalculo(sessao.privado(), *o->processo, *o->grupo);
            // A calculation whose H table was never created has no variation rows.
            if (!sessao.privado().existe(tabela)) throw ErroDados(kMsgInformeVariacaoJuros);
        }
        Imprime("juros", correcao.CalculaJuros(tabela, true, de, ate, o->prorrata, o->modo), ctx.json);
    });
}

void RegistraFator(CLI::App& app, Contexto& ctx) {
    struct Opcoes {
        int indice = 0;
        std::string de, ate;
    };
    auto o = std::make_shared<Opcoes>();
    auto* cmd = app.add_subcommand("fator", "Fator de correção pelo índice diário entre duas datas");
    cmd->add_option("--indice", o->indice, "Código do índice diário")->required();
    cmd->add_option("--de", o->de, "Data do valor (DD/MM/AAAA)")->required();
    cmd->add_option("--ate", o->ate, "Data para a qual o valor é corrigido (DD/MM/AAAA)")->required();
    cmd->callback([&ctx, o] {
        const Data de = Data::deDMA(o->de), ate = Data::deDMA(o->ate);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        Imprime("fator", correcao.FatorIndiceDiario(o->indice, de, ate), ctx.json);
    });
}

}  // namespace

void RegistraPrimitivas(CLI::App& app, Contexto& ctx) {
    RegistraJuros(app, ctx);
    RegistraFator(app, ctx);
}

}  // namespace korva::cli
