#include "reports/render/GravaPdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "reports/render/PaginaQt.h"
#include "reports/render/PintaPagina.h"
#include "util/Erros.h"

namespace korva {

void GravaPdf(const Documento& documento, const std::string& caminho, const OpcoesPdf& opcoes) {
    if (opcoes.dpi != 300 && opcoes.dpi != 1200)
        throw ErroKorva("Resolução do PDF inválida: " + std::to_string(opcoes.dpi) + " dpi (use 300 ou 1200).");
    QPdfWriter pdf(QString::fromStdString(caminho));
    pdf.setResolution(opcoes.dpi);
    pdf.setCreator(QStringLiteral("KORVA"));
    if (!opcoes.titulo.empty()) pdf.setTitle(QString::fromStdString(opcoes.titulo));
    pdf.setPageLayout(LayoutDoDocumento(documento));

    QPainter painter;
    if (!painter.begin(&pdf)) throw ErroES("Não foi possível gravar o arquivo " + caminho + ".");
    painter.setRenderHint(QPainter::Antialiasing);
    PintorPaginas pintor(painter);
    bool primeira = true;
    for (const Pagina& pagina : documento.paginas) {
        if (!primeira && !pdf.newPage()) {
            painter.end();
            throw ErroES("Não foi possível gravar o arquivo " + caminho + ".");
        }
        primeira = false;
        pintor.pinta(pagina);
    }
    if (!painter.end()) throw ErroES("Não foi possível gravar o arquivo " + caminho + ".");
}

}  // namespace korva
