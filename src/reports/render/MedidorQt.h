#pragma once
// Text measured with the real metrics of the report fonts (DejaVu Sans), at a
// fine reference resolution so that widths in millimetres hold for the PDF,
// the printer and the preview alike: the renderers draw with the same glyph
// advances (see FaceTexto). Needs a QGuiApplication (the command line creates
// one on the "offscreen" platform). Not for use from several threads.
#include <map>
#include <memory>
#include <tuple>

#include "reports/Medidor.h"

namespace korva {

class FaceTexto;

class MedidorQt : public Medidor {
public:
    MedidorQt();
    ~MedidorQt() override;

    double largura(std::string_view texto, const Fonte& fonte) const override;
    double alturaLinha(const Fonte& fonte) const override;
    // Height from the top of a line to its baseline, in millimetres.
    double ascendente(const Fonte& fonte) const;

private:
    FaceTexto& face(const Fonte& fonte) const;

    mutable std::map<std::tuple<long, bool, bool, bool>, std::unique_ptr<FaceTexto>> faces_;
};

}  // namespace korva
