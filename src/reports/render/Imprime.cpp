#include "reports/render/Imprime.h"

#include <algorithm>

#include <QPainter>

#include "reports/render/PaginaQt.h"
#include "reports/render/PintaPagina.h"
#include "util/Erros.h"

namespace korva {

int Imprime(const Documento& documento, QPrinter& impressora) {
    const int total = static_cast<int>(documento.paginas.size());
    int de = 1, ate = total;
    if (impressora.printRange() == QPrinter::PageRange && impressora.fromPage() > 0) {
        de = std::max(1, impressora.fromPage());
        ate = std::min(total, impressora.toPage() > 0 ? impressora.toPage() : total);
    }
    if (de > ate) return 0;

    impressora.setFullPage(true);
    impressora.setPageLayout(LayoutDoDocumento(documento));
    QPainter painter;
    if (!painter.begin(&impressora)) throw ErroES("Não foi possível iniciar a impressão.");
    painter.setRenderHint(QPainter::Antialiasing);
    PintorPaginas pintor(painter);
    for (int i = de; i <= ate; ++i) {
        if (i > de && !impressora.newPage()) {
            painter.end();
            throw ErroES("A impressão foi interrompida.");
        }
        pintor.pinta(documento.paginas[static_cast<size_t>(i - 1)]);
    }
    painter.end();
    return ate - de + 1;
}

}  // namespace korva
