// Column titles and values built from one column list.
#include "reports/Colunas.h"

#include <gtest/gtest.h>

#include "reports/TextoPlano.h"

namespace korva {
namespace {

constexpr double C = 2.1;
constexpr double L = 4.2;

TEST(Colunas, TitulosEValoresAlinhadosRecortadosEComEstiloPorLinha) {
    const std::vector<std::pair<std::string, std::string>> linhas = {{"Salário", "1.000,00"},
                                                                     {"Horas extras com adicional", "250,50"}};
    size_t atual = 0;
    FonteFuncoes fonte([&] { return linhas.size(); }, [&](size_t i) { atual = i; });
    GradeColunas g;
    g.espaco = C;
    g.colunas.push_back({"Verba", 10 * C, Alinhamento::Esquerda,
                         [&](const Contexto&) { return linhas[atual].first; },
                         [&](const Contexto&) {
                             Fonte f;
                             f.italico = atual == 0;
                             return f;
                         }});
    g.colunas.push_back({"Total Atualizado\n(sem juros)", 16 * C, Alinhamento::Direita,
                         [&](const Contexto&) { return linhas[atual].second; }, {}});
    EXPECT_NEAR(g.inicio(1), 11 * C, 1e-9);

    MedidorFixo m;
    Relatorio r;
    r.margens = {10, 210 - 10 - 40 * C, 10, 297 - 10 - 8 * L};
    r.cabecalhoColunas.push_back(g.BandaTitulos({}, m));
    EXPECT_NEAR(r.cabecalhoColunas[0].altura, 2 * L, 1e-9);  // the two-line title sets the height
    r.fonte = &fonte;
    r.detalhe = g.BandaValores(L, {});
    const Documento d = Diagrama(r, m);
    EXPECT_EQ(TextoPlano(d),
              "----- Pág. 1 -----\n"
              "Verba      Total Atualizado\n"
              "                (sem juros)\n"
              "Salário            1.000,00\n"
              "Horas extr           250,50\n");
    // The per-record style reaches the laid-out text: italic on the first row only.
    const auto& el = d.paginas[0].elementos;
    ASSERT_EQ(el.size(), 7u);
    EXPECT_TRUE(el[3].fonte.italico);
    EXPECT_FALSE(el[5].fonte.italico);
    EXPECT_TRUE(el[5].recorta);
}

}  // namespace
// Bold titles are wider than the values' pitch: a measurer where bold is
// half again as wide shows the widening, and a font that shrinks per value.
struct MedidorNegrito : Medidor {
    double largura(std::string_view t, const Fonte& f) const override {
        return static_cast<double>(t.size()) * C * f.tamanho / 10.0 * (f.negrito ? 1.5 : 1.0);
    }
    double alturaLinha(const Fonte& f) const override { return L * f.tamanho / 10.0; }
};

TEST(Colunas, TitulosAlargamSuasColunasEValoresLongosEncolhemAteOLimite) {
    MedidorNegrito m;
    Fonte negrito;
    negrito.negrito = true;
    GradeColunas g;
    g.colunas.push_back({"Mes/Ano", 7 * C, Alinhamento::Esquerda, {}, {}});
    g.colunas.push_back({"Qtde.\nÍndice", 12 * C, Alinhamento::Direita, {}, {}});  // wide enough already
    g.colunas.push_back({"", 0, Alinhamento::Esquerda, {}, {}});                 // the open column
    const double acrescimo = g.AlargaAosTitulos(negrito, m);
    EXPECT_NEAR(g.colunas[0].largura, 7 * C * 1.5, 1e-9);
    EXPECT_NEAR(g.colunas[1].largura, 12 * C, 1e-9);
    EXPECT_EQ(g.colunas[2].largura, 0);
    EXPECT_NEAR(acrescimo, 3.5 * C, 1e-9);

    // A value two characters too long for its column of ten is drawn at 8 pt;
    // one that would need less than three quarters of the size stays at the limit.
    std::string valor;
    GradeColunas v;
    v.colunas.push_back({"Verba", 10 * C, Alinhamento::Esquerda, [&](const Contexto&) { return valor; }, {}});
    v.colunas[0].reducaoMinima = 0.75;
    const Banda b = v.BandaValores(L, Fonte{}, &m);
    ASSERT_TRUE(b.elementos[0].estilo);
    Contexto ctx;
    valor = "0123456789";
    EXPECT_DOUBLE_EQ(b.elementos[0].estilo(ctx).tamanho, 10.0);
    valor = "012345678901";
    EXPECT_DOUBLE_EQ(b.elementos[0].estilo(ctx).tamanho, 8.25);
    valor = std::string(30, 'x');
    EXPECT_DOUBLE_EQ(b.elementos[0].estilo(ctx).tamanho, 7.5);
    // Without the measurer the value is only cut.
    EXPECT_FALSE(v.BandaValores(L, Fonte{}).elementos[0].estilo);
}

}  // namespace korva
