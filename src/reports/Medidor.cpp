#include "reports/Medidor.h"

#include "util/Texto.h"

namespace korva {

double MedidorFixo::largura(std::string_view texto, const Fonte& fonte) const {
    return static_cast<double>(Comprimento(texto)) * mmPorCaractere_ * fonte.tamanho / 10.0;
}

double MedidorFixo::alturaLinha(const Fonte& fonte) const {
    return mmPorLinha_ * fonte.tamanho / 10.0;
}

namespace {

// Tolerance for widths that equal the line width up to rounding.
constexpr double Folga = 1e-6;

// Cuts a word wider than the line into pieces that fit (at least one
// character each, so a line narrower than one character still progresses).
void CortaPalavra(const std::u32string& palavra, double largura, const Fonte& fonte,
                  const Medidor& medidor, std::vector<std::string>& linhas, std::string& resto) {
    std::u32string atual;
    for (char32_t c : palavra) {
        std::u32string tentativa = atual + c;
        if (!atual.empty() && medidor.largura(ParaUtf8(tentativa), fonte) > largura + Folga) {
            linhas.push_back(ParaUtf8(atual));
            atual.assign(1, c);
        } else {
            atual = std::move(tentativa);
        }
    }
    resto = ParaUtf8(atual);
}

void QuebraParagrafo(std::string_view paragrafo, double largura, const Fonte& fonte,
                     const Medidor& medidor, std::vector<std::string>& linhas) {
    std::string linha;
    bool temLinha = false;
    size_t i = 0;
    while (i < paragrafo.size()) {
        while (i < paragrafo.size() && (paragrafo[i] == ' ' || paragrafo[i] == '\t')) ++i;
        if (i >= paragrafo.size()) break;
        size_t fim = i;
        while (fim < paragrafo.size() && paragrafo[fim] != ' ' && paragrafo[fim] != '\t') ++fim;
        const std::string palavra(paragrafo.substr(i, fim - i));
        i = fim;

        if (temLinha) {
            std::string tentativa = linha + " " + palavra;
            if (medidor.largura(tentativa, fonte) <= largura + Folga) {
                linha = std::move(tentativa);
                continue;
            }
            linhas.push_back(linha);
            temLinha = false;
        }
        if (medidor.largura(palavra, fonte) <= largura + Folga) {
            linha = palavra;
        } else {
            CortaPalavra(ParaU32(palavra), largura, fonte, medidor, linhas, linha);
        }
        temLinha = true;
    }
    linhas.push_back(temLinha ? linha : std::string());
}

}  // namespace

std::vector<std::string> QuebraLinhas(std::string_view texto, double largura, const Fonte& fonte,
                                      const Medidor& medidor) {
    std::vector<std::string> linhas;
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r')) texto.remove_suffix(1);
    if (texto.empty()) return linhas;
    size_t inicio = 0;
    while (inicio <= texto.size()) {
        size_t fim = texto.find('\n', inicio);
        if (fim == std::string_view::npos) fim = texto.size();
        std::string_view paragrafo = texto.substr(inicio, fim - inicio);
        if (!paragrafo.empty() && paragrafo.back() == '\r') paragrafo.remove_suffix(1);
        QuebraParagrafo(paragrafo, largura, fonte, medidor, linhas);
        inicio = fim + 1;
    }
    return linhas;
}

}  // namespace korva
