#include "reference/CargaTabelaCsv.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

Valor Inteiro(const DefCampo& campo, const std::string& t) {
    int64_t v = 0;
    const auto [fim, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || fim != t.data() + t.size())
        throw ErroConversao("'" + t + "' não é um número inteiro (campo " + campo.nome + ").");
    const int64_t limite = campo.tipo == TipoCampo::Smallint ? std::numeric_limits<int16_t>::max()
                                                             : std::numeric_limits<int32_t>::max();
    if (v > limite || v < -limite - 1)
        throw ErroConversao("O valor " + t + " está fora da faixa do campo " + campo.nome + ".");
    return Valor(v);
}

Valor Numero(const DefCampo& campo, const std::string& t) {
    double v = 0;
    const auto [fim, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || fim != t.data() + t.size() || !std::isfinite(v))
        throw ErroConversao("'" + t + "' não é um número (campo " + campo.nome + ").");
    return Valor(v);
}

Valor Logico(const DefCampo& campo, const std::string& t) {
    const std::string m = Maiusculas(t);
    if (m == "1" || m == "TRUE" || m == "S") return Valor(true);
    if (m == "0" || m == "FALSE" || m == "N") return Valor(false);
    throw ErroConversao("'" + t + "' não é um valor lógico (campo " + campo.nome + "): use 0 ou 1.");
}

}  // namespace

Valor ConverteTextoCsv(const DefCampo& campo, std::string_view texto) {
    const std::string t = Apara(texto);
    if (t.empty()) return Valor();
    switch (campo.tipo) {
        case TipoCampo::Smallint:
        case TipoCampo::Integer:
        case TipoCampo::Autoinc:
            return Inteiro(campo, t);
        case TipoCampo::Float:
        case TipoCampo::Time:
            return Numero(campo, t);
        case TipoCampo::Boolean:
            return Logico(campo, t);
        case TipoCampo::Date: {
            const auto d = Data::lerDMA(t);
            if (!d) throw ErroConversao("'" + t + "' não é uma data dd/mm/aaaa (campo " + campo.nome + ").");
            return Valor(*d);
        }
        case TipoCampo::String:
        case TipoCampo::Memo:
            return Valor(t);
    }
    return Valor(t);
}

size_t CarregaTabelaCsv(Banco& banco, const CargaCsv& carga, const ArquivoCsv& csv) {
    Tabela tabela(banco, carga.tabela);
    tabela.abre();
    const DefTabela& def = tabela.definicao();

    struct Ligacao {
        int coluna;
        int campo;
    };
    std::vector<Ligacao> ligacoes;
    auto campoDe = [&](const std::string& nome) {
        const int p = def.posicao(nome);
        if (p < 0) throw ErroDados(csv.nome + ": " + carga.tabela + " não tem o campo " + nome + ".");
        return p;
    };
    if (carga.colunas.empty()) {
        for (size_t c = 0; c < csv.colunas.size(); ++c)
            ligacoes.push_back({static_cast<int>(c), campoDe(csv.colunas[c])});
    } else {
        for (const auto& [coluna, campo] : carga.colunas) ligacoes.push_back({csv.exigeColuna(coluna), campoDe(campo)});
    }
    std::vector<std::pair<int, Valor>> fixos;
    for (const auto& [campo, valor] : carga.fixos) fixos.emplace_back(campoDe(campo), valor);

    size_t gravadas = 0;
    for (const auto& linha : csv.linhas) {
        try {
            tabela.insere();
            for (const auto& l : ligacoes) {
                const DefCampo& f = def.campos[l.campo];
                tabela.campo(f.nome).define(ConverteTextoCsv(f, linha.campos[l.coluna]));
            }
            for (const auto& [campo, valor] : fixos) tabela.campo(def.campos[campo].nome).define(valor);
            tabela.grava();
        } catch (const std::exception& e) {
            tabela.cancela();
            throw ErroDados(csv.nome + ", linha " + std::to_string(linha.numero) + " (" + carga.tabela +
                            "): " + e.what());
        }
        ++gravadas;
    }
    return gravadas;
}

}  // namespace korva
