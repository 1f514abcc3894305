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
}  // namespace korva
