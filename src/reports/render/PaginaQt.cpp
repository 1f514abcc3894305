#include "reports/render/PaginaQt.h"

#include <algorithm>
#include <cmath>

#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

namespace korva {

QPageLayout LayoutDoDocumento(const Documento& documento) {
    const double menor = std::min(documento.largura, documento.altura);
    const double maior = std::max(documento.largura, documento.altura);
    const QPageSize tamanho = (std::abs(menor - 210.0) < 0.5 && std::abs(maior - 297.0) < 0.5)
                                  ? QPageSize(QPageSize::A4)
                                  : QPageSize(QSizeF(menor, maior), QPageSize::Millimeter);
    const auto orientacao = documento.largura > documento.altura ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(tamanho, orientacao, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

}  // namespace korva
