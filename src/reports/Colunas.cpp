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

Banda GradeColunas::BandaValores(double altura, const Fonte& fonte) const {
    Banda b;
    b.altura = altura;
    double pos = x;
    for (const Coluna& c : colunas) {
        ElementoBanda e = ElementoBanda::Campo(pos, 0, c.largura, c.valor, fonte, c.alinhamento);
        e.altura = altura;
        e.recorta = true;
        e.estilo = c.estilo;
        b.adiciona(std::move(e));
        pos += c.largura + espaco;
    }
    return b;
}

}  // namespace korva
