// The plain-text rendering of laid-out pages.
#include "reports/TextoPlano.h"

#include <gtest/gtest.h>

#include "reports/Relatorio.h"

namespace korva {
namespace {

constexpr double L = 4.2;
constexpr double C = 2.1;

// Margins that leave a 40-column by 8-row printable area on a portrait sheet.
Margens MargensPequenas() { return {10, 210 - 10 - 40 * C, 10, 297 - 10 - 8 * L}; }

TEST(TextoPlano, RelatorioPequenoSaiIgualAoModelo) {
    struct Linha {
        std::string mes, valor;
    };
    const std::vector<Linha> linhas = {{"01/20", "1.234,56"}, {"02/20", "1.234,56"}, {"03/20", "1.234,56"},
                                       {"04/20", "1.234,56"}, {"05/20", "1.234,56"}, {"06/20", "1.234,56"}};
    size_t atual = 0;
    FonteFuncoes fonte([&] { return linhas.size(); }, [&](size_t i) { atual = i; });

    Relatorio r;
    r.margens = MargensPequenas();
    Fonte negrito;
    negrito.negrito = true;
    Banda cab;
    cab.altura = 2 * L;
    cab.adiciona(ElementoBanda::Rotulo(0, 0, 0, "RELATÓRIO", negrito, Alinhamento::Centro));
    cab.adiciona(ElementoBanda::LinhaH(0, L, 0));
    r.cabecalhoPagina.push_back(cab);
    r.fonte = &fonte;
    Banda det;
    det.altura = L;
    det.adiciona(ElementoBanda::Campo(0, 0, 10 * C, [&](const Contexto&) { return linhas[atual].mes; }));
    Fonte italico;
    italico.italico = true;
    det.adiciona(ElementoBanda::Campo(30 * C, 0, 10 * C, [&](const Contexto&) { return linhas[atual].valor; },
                                      italico, Alinhamento::Direita));
    r.detalhe = det;
    Banda total;
    total.altura = 3 * L;
    total.adiciona(ElementoBanda::Caixa(0, 0, 0, 0));
    total.adiciona(ElementoBanda::Rotulo(C, L, 0, "Total: 7.407,36"));
    r.resumo.push_back(total);
    Banda rod;
    rod.altura = L;
    rod.adiciona(ElementoBanda::Campo(0, 0, 0, TextoPagina, {}, Alinhamento::Direita));
    r.rodapePagina.push_back(rod);

    MedidorFixo m;
    const Documento d = Diagrama(r, m);
    EXPECT_EQ(TextoPlano(d),
              "----- Pág. 1 -----\n"
              "               RELATÓRIO\n"
              "----------------------------------------\n"
              "01/20                           1.234,56\n"
              "02/20                           1.234,56\n"
              "03/20                           1.234,56\n"
              "04/20                           1.234,56\n"
              "05/20                           1.234,56\n"
              "                               Pág.: 1/2\n"
              "----- Pág. 2 -----\n"
              "               RELATÓRIO\n"
              "----------------------------------------\n"
              "06/20                           1.234,56\n"
              "+--------------------------------------+\n"
              "|Total: 7.407,36                       |\n"
              "+--------------------------------------+\n"
              "\n"
              "                               Pág.: 2/2\n");
}

TEST(TextoPlano, AlinhamentoRecorteERegrasNaGrade) {
    Documento d;
    d.margens = MargensPequenas();
    Pagina p;
    p.numero = 1;
    auto texto = [](double x, double y, double w, std::string t, Alinhamento al, bool recorta = false) {
        Elemento e;
        e.x = 10 + x, e.y = 10 + y, e.largura = w, e.altura = L;
        e.texto = std::move(t);
        e.alinhamento = al;
        e.recorta = recorta;
        return e;
    };
    p.elementos.push_back(texto(0, 0, 10 * C, "abc", Alinhamento::Centro));        // (10 - 3) / 2 = 3
    p.elementos.push_back(texto(10 * C, 0, 10 * C, "ção", Alinhamento::Direita));  // ends at column 20
    p.elementos.push_back(texto(0, L, 4 * C, "ABCDEFGH", Alinhamento::Direita, true));  // clipped to its box
    p.elementos.push_back(texto(10 * C, L, 4 * C, "ABCDEFGH", Alinhamento::Direita));   // spills to the right
    p.elementos.push_back(texto(36 * C, 2 * L, 10 * C, "fora da folha", Alinhamento::Esquerda));  // cut at the edge
    p.elementos.push_back(texto(0, 20 * L, 10 * C, "abaixo", Alinhamento::Esquerda));  // below the area: dropped
    Elemento h;
    h.tipo = Elemento::Tipo::LinhaH;
    h.x = 10, h.y = 10 + 3 * L, h.largura = 6 * C;
    p.elementos.push_back(h);
    Elemento v;
    v.tipo = Elemento::Tipo::LinhaV;
    v.x = 10 + 2 * C, v.y = 10 + 3 * L, v.altura = 2 * L;
    p.elementos.push_back(v);
    d.paginas.push_back(p);
    d.paginas.push_back(Pagina{2, {}});

    EXPECT_EQ(TextoPlano(d),
              "----- Pág. 1 -----\n"
              "   abc           ção\n"
              "ABCD      ABCDEFGH\n"
              "                                    fora\n"
              "--+---\n"
              "  |\n"
              "----- Pág. 2 -----\n");
    // Another grid pitch halves the columns.
    EXPECT_EQ(TextoPlano(d, GradeTexto{4.2, 4.2}).substr(0, 33), "----- Pág. 1 -----\n abc   ção\n");
}

TEST(TextoPlanoGrade, TheGridFollowsTheBodyFontOfTheDocument) {
    Documento d;
    d.paginas.push_back(Pagina{1, {}});
    auto texto = [&](double tamanho) {
        Elemento e;
        e.texto = "x";
        e.fonte.tamanho = tamanho;
        d.paginas[0].elementos.push_back(e);
    };
    EXPECT_DOUBLE_EQ(GradeDoDocumento(d).mmPorColuna, 2.1);  // no text: the 10 pt grid
    texto(12);
    texto(8);
    texto(8);
    const GradeTexto g = GradeDoDocumento(d);
    EXPECT_DOUBLE_EQ(g.mmPorColuna, 2.1 * 0.8);
    EXPECT_DOUBLE_EQ(g.mmPorLinha, 4.2 * 0.8);
}

}  // namespace
}  // namespace korva
