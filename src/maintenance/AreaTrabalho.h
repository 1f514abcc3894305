#pragma once
// The desktop background of the main window, as the workstation settings
// file keeps it (section "Area de Trabalho"): a plain colour, a gradient in
// colour bands, or a picture repeated as tiles. The colours and rectangles of
// the gradient bands are worked out here; the window only fills them.
#include <string>
#include <utility>
#include <vector>

namespace korva {

class ArquivoIni;

inline constexpr const char* kSecaoAreaTrabalho = "Area de Trabalho";

enum class FundoAreaTrabalho { Liso = 0, Gradiente = 1, Imagem = 2 };

// A colour split into its channels (0..255). As a number it is
// red + 256 × green + 65536 × blue.
struct CorRgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const CorRgb&) const = default;
};
CorRgb CorDoNumero(long numero);
long NumeroDaCor(CorRgb cor);

struct AjustesAreaTrabalho {
    static constexpr int MinimoFaixas = 15;
    static constexpr int MaximoFaixas = 100;

    FundoAreaTrabalho opcao = FundoAreaTrabalho::Gradiente;  // "Opcao"
    long corPrincipal = 16711680;                            // "Cor Principal": blue
    long corGradiente = 0;                                   // "Cor Gradiente": black
    int estilo = 1;                                          // "Estilo" 1..8
    int faixas = 100;                                        // "Shades"
    std::string imagem = "c:\\Windows\\Bolhas.bmp";          // "Imagem"
};

// Reads the six keys; a key that is missing or does not hold a number takes
// its default. An option or a style out of range takes the default too.
AjustesAreaTrabalho LeAreaTrabalho(const ArquivoIni& ini);
// Writes the six keys (numbers in decimal, the picture path as text).
void GravaAreaTrabalho(ArquivoIni& ini, const AjustesAreaTrabalho& a);

// The number of bands actually painted: a value written into the file by hand
// outside 15..100 is brought into that range (0 bands cannot be painted).
int FaixasPintadas(int faixas);

// The dialog's two boxes: "Estilo:" (horizontal or vertical bands) and
// "Forma:" (0 "Simples", 1 "Duplo", 2 "Fora para o centro", 3 "Centro para fora").
int EstiloGradiente(bool vertical, int forma);
// The boxes of a style 1..8 (an unknown style reads as 1).
std::pair<bool, int> FormaDoEstilo(int estilo);

// The colour of band k of n: per channel, C2 − (n − k) × (C2 − C1) / n
// rounded to the nearest integer, so band 0 is C1 and band n − 1 is one step
// short of C2.
std::vector<CorRgb> CoresGradiente(CorRgb c1, CorRgb c2, int n);

struct FaixaGradiente {
    int x = 0, y = 0, largura = 0, altura = 0;
    int cor = 0;  // index into CoresGradiente
};
// The bands of a style over an area of `largura` × `altura`, in painting order.
std::vector<FaixaGradiente> FaixasGradiente(int estilo, int n, int largura, int altura);

}  // namespace korva
