#pragma once
// Laid-out pages: what a report becomes after layout, ready for any renderer
// (plain text here, PDF, printer and preview on the desktop side). All
// positions and sizes are in millimetres from the top-left corner of the sheet.
#include <string>
#include <vector>

namespace korva {

enum class Orientacao { Retrato, Paisagem };
enum class Alinhamento { Esquerda, Centro, Direita };

// Font of a text run. The family is the renderer's choice; only the size (in
// points) and the style travel with the page.
struct Fonte {
    double tamanho = 10.0;
    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;

    bool operator==(const Fonte&) const = default;
};

// One thing drawn on a page.
//  - Texto: `texto` aligned inside the box (x, y, largura, altura); with
//    `recorta` nothing is drawn outside the box.
//  - LinhaH: a horizontal rule from (x, y) `largura` long.
//  - LinhaV: a vertical rule from (x, y) `altura` long.
//  - Caixa: the outline of the rectangle (x, y, largura, altura).
struct Elemento {
    enum class Tipo { Texto, LinhaH, LinhaV, Caixa };
    Tipo tipo = Tipo::Texto;
    double x = 0, y = 0, largura = 0, altura = 0;
    std::string texto;
    Fonte fonte;
    Alinhamento alinhamento = Alinhamento::Esquerda;
    bool recorta = false;
    double espessura = 0.2;  // rules and boxes
};

struct Pagina {
    int numero = 0;  // 1-based
    std::vector<Elemento> elementos;
};

struct Margens {
    double esquerda = 10, direita = 10, topo = 10, base = 10;
};

// Sheet size of A4 in the given orientation, in millimetres.
constexpr double A4Largura(Orientacao o) { return o == Orientacao::Retrato ? 210.0 : 297.0; }
constexpr double A4Altura(Orientacao o) { return o == Orientacao::Retrato ? 297.0 : 210.0; }

struct Documento {
    Orientacao orientacao = Orientacao::Retrato;
    double largura = 210, altura = 297;  // sheet
    Margens margens;
    std::vector<Pagina> paginas;

    double larguraUtil() const { return largura - margens.esquerda - margens.direita; }
    double alturaUtil() const { return altura - margens.topo - margens.base; }
};

}  // namespace korva
