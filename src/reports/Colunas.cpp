#include "reports/Colunas.h"

#include <algorithm>

#include "util/Texto.h"

namespace korva {

double GradeColunas::inicio(size_t i) const {
    double pos = x;
    for (size_t k = 0; k < i && k < colunas.size(); ++k) pos += colunas[k].largura + espaco;
    return pos;
}

Banda GradeColunas::BandaTitulos(const Fonte& fonte, const Medidor& medidor) const {
    Banda b;
    const double lh = medidor.alturaLinha(fonte);
    size_t maisLinhas = 0;
    double pos = x;
    for (const Coluna& c : colunas) {
        const std::vector<std::string> linhas = c.titulo.empty() ? std::vector<std::string>{} : Divide(c.titulo, '\n');
        for (size_t l = 0; l < linhas.size(); ++l) {
            ElementoBanda e = ElementoBanda::Rotulo(pos, static_cast<double>(l) * lh, c.largura, linhas[l], fonte,
                                                    c.alinhamento);
            e.altura = lh;
            e.recorta = true;
            b.adiciona(std::move(e));
        }
        maisLinhas = std::max(maisLinhas, linhas.size());
        pos += c.largura + espaco;
    }
    b.altura = static_cast<double>(std::max<size_t>(maisLinhas, 1)) * lh;
    return b;
}

double GradeColunas::AlargaAosTitulos(const Fonte& fonte, const Medidor& medidor) {
    double acrescimo = 0;
    for (Coluna& c : colunas) {
        if (c.largura <= 0 || c.titulo.empty()) continue;
        double precisa = 0;
        for (const std::string& linha : Divide(c.titulo, '\n')) precisa = std::max(precisa, medidor.largura(linha, fonte));
        if (precisa > c.largura) {
            acrescimo += precisa - c.largura;
            c.largura = precisa;
        }
    }
    return acrescimo;
}

namespace {

// The font in which `texto` fits `largura`: `base` itself, or smaller in
// quarter-point steps down to `minima` of its size.
Fonte FonteQueCabe(const std::string& texto, double largura, Fonte base, double minima, const Medidor& m) {
    const double menor = base.tamanho * minima;
    while (base.tamanho - 0.25 >= menor - 1e-9 && m.largura(texto, base) > largura) base.tamanho -= 0.25;
    return base;
}

}  // namespace

Banda GradeColunas::BandaValores(double altura, const Fonte& fonte, const Medidor* medidor) const {
    Banda b;
    b.altura = altura;
    double pos = x;
    for (const Coluna& c : colunas) {
        ElementoBanda e = ElementoBanda::Campo(pos, 0, c.largura, c.valor, fonte, c.alinhamento);
        e.altura = altura;
        e.recorta = true;
        e.estilo = c.estilo;
        if (medidor && c.reducaoMinima > 0 && c.reducaoMinima < 1 && c.valor) {
            e.estilo = [estilo = c.estilo, valor = c.valor, fonte, largura = c.largura, minima = c.reducaoMinima,
                        medidor](const Contexto& ctx) {
                return FonteQueCabe(valor(ctx), largura, estilo ? estilo(ctx) : fonte, minima, *medidor);
            };
        }
        b.adiciona(std::move(e));
        pos += c.largura + espaco;
    }
    return b;
}

}  // namespace korva
