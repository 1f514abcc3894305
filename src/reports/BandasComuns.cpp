#include "reports/BandasComuns.h"

#include "util/Texto.h"

namespace korva {

Fonte FonteCorpo(bool negrito) {
    Fonte f;
    f.tamanho = kPontosCorpo;
    f.negrito = negrito;
    return f;
}

double LinhaCorpo(const Medidor& m) { return m.alturaLinha(FonteCorpo()); }

double Caracteres(double n, const Medidor& m) { return n * m.largura("0", FonteCorpo()); }

Banda BandaCabecalho(const CabecalhoRelatorio& cab, const std::string& titulo, bool datas, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda b;
    double y = 0;
    auto centro = [&](const std::string& texto, bool negrito) {
        b.adiciona(ElementoBanda::Rotulo(0, y, 0, texto, FonteCorpo(negrito), Alinhamento::Centro));
        y += lh;
    };
    centro(cab.tribunal, true);
    if (!Apara(cab.setor).empty()) centro(cab.setor, false);
    centro(titulo, true);
    b.adiciona(ElementoBanda::Rotulo(0, y, 0, cab.processo, FonteCorpo(true)));
    y += lh;
    if (datas) {
        const double terco = Caracteres(38, m);
        b.adiciona(ElementoBanda::Rotulo(0, y, terco, "Data de Gravação: " + cab.dtGrav, FonteCorpo()));
        b.adiciona(ElementoBanda::Rotulo(terco, y, terco, "Data de Ajuizamento: " + cab.dtAjuiz, FonteCorpo()));
        b.adiciona(
            ElementoBanda::Rotulo(2 * terco, y, 0, "Valores Atualizados até: " + cab.dtBase, FonteCorpo()));
        y += lh;
    }
    b.adiciona(ElementoBanda::LinhaH(0, y, 0));
    b.altura = y + lh;
    return b;
}

Banda BandaRodape(const std::string& versao, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda b;
    b.altura = 2 * lh;
    b.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    b.adiciona(ElementoBanda::Rotulo(0, lh, 0, versao, FonteCorpo()));
    b.adiciona(ElementoBanda::Campo(0, lh, 0, TextoPagina, FonteCorpo(), Alinhamento::Direita));
    return b;
}

std::vector<Banda> BandasFecho(const std::string& observacao, const std::string& fecho, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    std::vector<Banda> r;
    if (!Apara(observacao).empty()) {
        Banda memo;
        memo.altura = 2 * lh;  // a blank line, then the memo
        memo.adiciona(ElementoBanda::Memo(0, lh, 0, lh, [observacao](const Contexto&) { return observacao; },
                                          FonteCorpo()));
        r.push_back(std::move(memo));
    }
    Banda linha;
    linha.altura = 2 * lh;
    linha.adiciona(ElementoBanda::Rotulo(0, lh, 0, fecho, FonteCorpo(), Alinhamento::Direita));
    r.push_back(std::move(linha));
    return r;
}

void AdicionaLinhaValor(Banda& b, double y, double x, const std::string& rotulo, double fimValor,
                        double larguraValor, const std::string& valor, bool negrito) {
    b.adiciona(ElementoBanda::Rotulo(x, y, fimValor - larguraValor - x, rotulo, FonteCorpo(negrito)));
    b.adiciona(ElementoBanda::Rotulo(fimValor - larguraValor, y, larguraValor, valor, FonteCorpo(negrito),
                                     Alinhamento::Direita));
}

}  // namespace korva
