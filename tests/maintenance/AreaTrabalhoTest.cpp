// The desktop background settings and the geometry and colours of the
// gradient bands.
#include <gtest/gtest.h>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "maintenance/AreaTrabalho.h"
#include "util/ArquivoIni.h"

using namespace korva;

namespace {

// Bands covering the area exactly once, along the axis of the style.
void ConfereCobertura(const std::vector<FaixaGradiente>& faixas, bool vertical, int comprimento) {
    std::vector<int> vezes(static_cast<size_t>(comprimento), 0);
    for (const auto& f : faixas) {
        const int a = vertical ? f.x : f.y;
        const int n = vertical ? f.largura : f.altura;
        for (int i = a; i < a + n; ++i) ++vezes.at(static_cast<size_t>(i));
    }
    for (int i = 0; i < comprimento; ++i) ASSERT_EQ(vezes[static_cast<size_t>(i)], 1) << "posição " << i;
}

int CorEm(const std::vector<FaixaGradiente>& faixas, bool vertical, int posicao) {
    for (const auto& f : faixas) {
        const int a = vertical ? f.x : f.y;
        const int n = vertical ? f.largura : f.altura;
        if (posicao >= a && posicao < a + n) return f.cor;
    }
    return -1;
}

}  // namespace

TEST(AreaTrabalho, WithoutSettingsTheDesktopIsABlueToBlackGradientOfAHundredHorizontalBands) {
    teste::PastaTemporaria p;
    const ArquivoIni ini(p.caminho() / "korva.INI");
    const AjustesAreaTrabalho a = LeAreaTrabalho(ini);
    EXPECT_EQ(a.opcao, FundoAreaTrabalho::Gradiente);
    EXPECT_EQ(CorDoNumero(a.corPrincipal), (CorRgb{0, 0, 255}));
    EXPECT_EQ(CorDoNumero(a.corGradiente), (CorRgb{0, 0, 0}));
    EXPECT_EQ(a.estilo, 1);
    EXPECT_EQ(a.faixas, 100);

    const auto cores = CoresGradiente(CorDoNumero(a.corPrincipal), CorDoNumero(a.corGradiente), 100);
    ASSERT_EQ(cores.size(), 100u);
    EXPECT_EQ(cores.front(), (CorRgb{0, 0, 255}));    // blue at the top
    EXPECT_EQ(cores.back(), (CorRgb{0, 0, 3}));       // one step (2.55) short of black, rounded
    const auto faixas = FaixasGradiente(1, 100, 640, 480);
    ConfereCobertura(faixas, false, 480);
    EXPECT_EQ(CorEm(faixas, false, 0), 0);
    EXPECT_EQ(CorEm(faixas, false, 479), 99);
    EXPECT_EQ(faixas[0].altura, 4);                   // 480 / 100
    EXPECT_EQ(faixas[99].y + faixas[99].altura, 480); // the last band reaches the bottom edge
}

TEST(AreaTrabalho, SettingsAreWrittenAndReadBackAndBadValuesTakeTheirDefaults) {
    teste::PastaTemporaria p;
    ArquivoIni ini(p.caminho() / "korva.INI");
    AjustesAreaTrabalho a;
    a.opcao = FundoAreaTrabalho::Imagem;
    a.corPrincipal = NumeroDaCor({10, 20, 30});
    a.corGradiente = NumeroDaCor({200, 100, 50});
    a.estilo = 7;
    a.faixas = 40;
    a.imagem = "/srv/imagens/fundo.bmp";
    GravaAreaTrabalho(ini, a);
    EXPECT_EQ(ini.le(kSecaoAreaTrabalho, "Cor Principal"), std::to_string(10 + 256 * 20 + 65536 * 30));
    const AjustesAreaTrabalho b = LeAreaTrabalho(ini);
    EXPECT_EQ(b.opcao, a.opcao);
    EXPECT_EQ(b.corPrincipal, a.corPrincipal);
    EXPECT_EQ(b.corGradiente, a.corGradiente);
    EXPECT_EQ(b.estilo, 7);
    EXPECT_EQ(b.faixas, 40);
    EXPECT_EQ(b.imagem, a.imagem);

    ini.escreve(kSecaoAreaTrabalho, "Opcao", "9");
    ini.escreve(kSecaoAreaTrabalho, "Estilo", "azul");
    ini.escreve(kSecaoAreaTrabalho, "Shades", "0");
    const AjustesAreaTrabalho c = LeAreaTrabalho(ini);
    EXPECT_EQ(c.opcao, FundoAreaTrabalho::Gradiente);
    EXPECT_EQ(c.estilo, 1);
    EXPECT_EQ(FaixasPintadas(c.faixas), 15);  // 0 bands cannot be painted
    EXPECT_EQ(FaixasPintadas(500), 100);
}

TEST(AreaTrabalho, TheTwoBoxesOfTheDialogMapToTheEightStylesAndBack) {
    const int esperado[2][4] = {{1, 5, 3, 4}, {2, 8, 6, 7}};
    for (int v = 0; v < 2; ++v)
        for (int forma = 0; forma < 4; ++forma) {
            const int estilo = EstiloGradiente(v == 1, forma);
            EXPECT_EQ(estilo, esperado[v][forma]);
            EXPECT_EQ(FormaDoEstilo(estilo), std::make_pair(v == 1, forma));
        }
}

TEST(AreaTrabalho, SplitStylesRunEachHalfTheirOwnWayAndCoverTheAreaOnce) {
    const int n = 20;
    const auto cores = CoresGradiente({255, 0, 0}, {0, 0, 255}, n);
    // Style 3 (outside to the middle): the main colour at both edges, the
    // colour one step short of the second next to the middle line.
    const auto fora = FaixasGradiente(3, n, 300, 401);
    ASSERT_EQ(fora.size(), 40u);
    ConfereCobertura(fora, false, 401);
    EXPECT_EQ(CorEm(fora, false, 0), 0);
    EXPECT_EQ(CorEm(fora, false, 400), 0);
    EXPECT_EQ(CorEm(fora, false, 199), n - 1);
    EXPECT_EQ(CorEm(fora, false, 200), n - 1);
    EXPECT_EQ(cores[n - 1], (CorRgb{13, 0, 242}));  // 255 - 19 × 12.75 = 12.75; 255 - 12.75
    // Style 4 (middle outwards): the main colour at the middle.
    const auto centro = FaixasGradiente(4, n, 300, 400);
    EXPECT_EQ(CorEm(centro, false, 199), 0);
    EXPECT_EQ(CorEm(centro, false, 200), 0);
    EXPECT_EQ(CorEm(centro, false, 0), n - 1);
    EXPECT_EQ(CorEm(centro, false, 399), n - 1);
    // Style 5 (double): each half from the main colour at its top.
    const auto duplo = FaixasGradiente(5, n, 300, 400);
    EXPECT_EQ(CorEm(duplo, false, 0), 0);
    EXPECT_EQ(CorEm(duplo, false, 200), 0);
    EXPECT_EQ(CorEm(duplo, false, 199), n - 1);
    // Styles 2, 6, 7, 8 are the same along the width.
    for (int estilo : {2, 6, 7, 8}) ConfereCobertura(FaixasGradiente(estilo, n, 333, 100), true, 333);
    const auto vertical = FaixasGradiente(6, n, 400, 100);
    EXPECT_EQ(CorEm(vertical, true, 0), 0);
    EXPECT_EQ(CorEm(vertical, true, 399), 0);
    EXPECT_EQ(vertical[0].altura, 100);
}

TEST(AreaTrabalho, AnAreaSmallerThanTheBandCountIsStillCovered) {
    ConfereCobertura(FaixasGradiente(1, 100, 50, 30), false, 30);
    ConfereCobertura(FaixasGradiente(3, 100, 50, 31), false, 31);
    EXPECT_TRUE(FaixasGradiente(1, 100, 0, 30).empty());
}
