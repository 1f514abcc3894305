#include "results/CorrecaoJuros.h"

#include <algorithm>
#include <filesystem>

#include "results/SimboloMoeda.h"
#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

constexpr const char* kJurosProrrata = "JurosProrrata.db";

// The name under which a statement sees a table: its file name without extension.
std::string NomeNaConsulta(const std::string& tabela) {
    std::string n = tabela;
    std::replace(n.begin(), n.end(), '\\', '/');
    return "\"" + std::filesystem::path(n).stem().string() + "\"";
}

// The same table however its name is spelt (case, folder separator).
std::string ChaveTabela(const std::string& tabela) {
    std::string n = Minusculas(Apara(tabela));
    std::replace(n.begin(), n.end(), '\\', '/');
    return n;
}

std::vector<VariacaoJuros> LeLinhas(const std::vector<LinhaConsulta>& linhas) {
    std::vector<VariacaoJuros> r;
    r.reserve(linhas.size());
    for (const auto& l : linhas) {
        if (l[0].nulo()) continue;  // a row without its date bounds no period
        r.push_back({l[0].comoData(), l[1].comoNumero(), Apara(l[2].comoTexto())});
    }
    return r;
}

}  // namespace

CorrecaoJuros::CorrecaoJuros(Banco& privado, TabelasReferencia& referencia)
    : privado_(privado), referencia_(referencia) {}

std::string CorrecaoJuros::SimboloMoeda(Data data) { return korva::SimboloMoeda(data); }

void CorrecaoJuros::esquece() {
    series_.clear();
    variacoes_.clear();
}

// ---- daily indices ----

const SerieDiaria& CorrecaoJuros::serie(int codIndice, Data a, Data b) {
    const Data menor = std::min(a, b), maior = std::max(a, b);
    auto it = series_.find(codIndice);
    if (it != series_.end() && it->second.inicio() <= menor && maior <= it->second.fim()) return it->second;

    Data inicio = menor, fim = maior;
    if (it != series_.end()) {
        // Wider than asked, by at least the span already held, so that a run
        // moving date by date reloads a few times only, not once per date.
        const Data atualIni = it->second.inicio(), atualFim = it->second.fim();
        const int margem = std::max(366, atualFim - atualIni);
        const Data piso = Data::de(1900, 1, 1), teto = Data::de(9999, 12, 31);
        if (menor < atualIni) inicio = std::min(menor, std::max(piso, atualIni - margem));
        else inicio = atualIni;
        if (maior > atualFim) fim = std::max(maior, std::min(teto, atualFim + margem));
        else fim = atualFim;
    }
    SerieDiaria nova = referencia_.CarregaSerieDiaria(codIndice, inicio, fim);
    return series_[codIndice] = std::move(nova);
}

double CorrecaoJuros::FatorIndiceDiario(int codIndice, Data a, Data b) {
    const SerieDiaria& s = serie(codIndice, a, b);
    const double ia = s.indice(a);
    const double ib = s.indice(b);
    // A zero index would turn every amount corrected from that date into an
    // infinite or meaningless value; the table is wrong and must be fixed.
    if (ia == 0) throw ErroKorva("ERRO - O índice de atualização diária de " + a.dma() + " é zero!");
    return ib / ia;
}

// ---- interest ----

std::vector<VariacaoJuros> CorrecaoJuros::leVariacoes(const std::string& tabela, int prorrata) {
    if (prorrata > 0) {
        if (!privado_.existe(kJurosProrrata)) return {};
        return LeLinhas(privado_.consulta("select Data, Juros, Forma from " + NomeNaConsulta(kJurosProrrata) +
                                              " where Prorrata=:P order by Data, Codigo",
                                          {kJurosProrrata}, {{"P", prorrata}}));
    }
    if (Apara(tabela).empty()) return {};
    // A table that cannot be opened fails with the table store's own error.
    return LeLinhas(privado_.consulta(
        "select Data, Juros, Forma from " + NomeNaConsulta(tabela) + " order by Data, Codigo", {tabela}));
}

const std::vector<VariacaoJuros>& CorrecaoJuros::Variacoes(const std::string& tabela, int prorrata) {
    const auto chave = prorrata > 0 ? std::make_pair(std::string(kJurosProrrata), prorrata)
                                    : std::make_pair(ChaveTabela(tabela), 0);
    if (auto it = variacoes_.find(chave); it != variacoes_.end()) return it->second;
    auto linhas = leVariacoes(tabela, prorrata);
    // No rows is not kept: the user is told to enter them, and the next call
    // must see them.
    if (linhas.empty()) {
        static const std::vector<VariacaoJuros> nenhuma;
        return nenhuma;
    }
    return variacoes_[chave] = std::move(linhas);
}

double CorrecaoJuros::CalculaJuros(const std::string& tabela, bool calcula, Data de, Data ate, int prorrata,
                                   int modo) {
    if (!calcula) return 0;
    if (modo != ModoJuros::Variacao) return korva::CalculaJuros(true, de, ate, modo, {});
    return korva::CalculaJuros(true, de, ate, modo, Variacoes(tabela, prorrata));
}

}  // namespace korva
