#pragma once
// Measuring text for layout. The engine only asks how wide a text is and how
// tall one line of a font is; the desktop side answers with real font metrics,
// tests and the plain-text output with a fixed pitch.
#include <string>
#include <string_view>
#include <vector>

#include "reports/Pagina.h"

namespace korva {

class Medidor {
public:
    virtual ~Medidor() = default;
    // Width of `texto` (UTF-8) in millimetres.
    virtual double largura(std::string_view texto, const Fonte& fonte) const = 0;
    // Height of one line of `fonte` in millimetres (the advance between lines).
    virtual double alturaLinha(const Fonte& fonte) const = 0;
};

// Fixed pitch: every character (code point) is `mmPorCaractere` wide and every
// line `mmPorLinha` tall at 10 pt, both scaled in proportion to the font size.
// The defaults match the grid of the plain-text renderer, so a 10 pt report
// maps one character to one column and one line to one row.
class MedidorFixo : public Medidor {
public:
    explicit MedidorFixo(double mmPorCaractere = 2.1, double mmPorLinha = 4.2)
        : mmPorCaractere_(mmPorCaractere), mmPorLinha_(mmPorLinha) {}
    double largura(std::string_view texto, const Fonte& fonte) const override;
    double alturaLinha(const Fonte& fonte) const override;

private:
    double mmPorCaractere_, mmPorLinha_;
};

// Breaks `texto` into lines no wider than `largura`: at line breaks of the text,
// then between words; a word wider than the whole line is cut between
// characters. Blanks at a break are dropped. An empty text gives no lines.
std::vector<std::string> QuebraLinhas(std::string_view texto, double largura, const Fonte& fonte,
                                      const Medidor& medidor);

}  // namespace korva
