#include "reports/render/MedidorQt.h"

#include <cmath>

#include "reports/render/FaceTexto.h"

namespace korva {

namespace {

// Metrics are taken at 1200 dpi: fine enough that rounding inside the font
// engine stays far below a hundredth of a millimetre.
constexpr double DpiReferencia = 1200.0;
constexpr double MmPorPixel = 25.4 / DpiReferencia;

}  // namespace

MedidorQt::MedidorQt() = default;
MedidorQt::~MedidorQt() = default;

FaceTexto& MedidorQt::face(const Fonte& fonte) const {
    const auto chave = std::make_tuple(std::lround(fonte.tamanho * 100.0), fonte.negrito, fonte.italico,
                                       fonte.sublinhado);
    auto it = faces_.find(chave);
    if (it == faces_.end())
        it = faces_.emplace(chave, std::make_unique<FaceTexto>(fonte, DpiReferencia / 72.0)).first;
    return *it->second;
}

double MedidorQt::largura(std::string_view texto, const Fonte& fonte) const {
    return texto.empty() ? 0.0 : face(fonte).largura(texto) * MmPorPixel;
}

double MedidorQt::alturaLinha(const Fonte& fonte) const { return face(fonte).alturaLinha() * MmPorPixel; }

double MedidorQt::ascendente(const Fonte& fonte) const { return face(fonte).ascendente() * MmPorPixel; }

}  // namespace korva
