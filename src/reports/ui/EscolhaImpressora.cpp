#include "reports/ui/EscolhaImpressora.h"

#include <QPrintDialog>
#include <QPrinter>

namespace korva::ui {
namespace {

EscolhaImpressora& EscolhaTeste() {
    static EscolhaImpressora escolha;
    return escolha;
}

}  // namespace

void DefineEscolhaImpressoraTeste(EscolhaImpressora escolha) { EscolhaTeste() = std::move(escolha); }

bool EscolheImpressora(QPrinter& impressora, const QString& titulo, int paginas, QWidget* pai, int paginaAtual,
                       const EscolhaImpressora& escolha) {
    impressora.setDocName(titulo);
    impressora.setFromTo(1, paginas);
    if (escolha) return escolha(impressora);
    if (EscolhaTeste()) return EscolhaTeste()(impressora);
    QPrintDialog dialogo(&impressora, pai);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    dialogo.setMinMax(1, paginas);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    if (paginaAtual > 0) dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialogo.exec() != QDialog::Accepted) return false;
    if (paginaAtual > 0 && impressora.printRange() == QPrinter::CurrentPage) {
        impressora.setPrintRange(QPrinter::PageRange);
        impressora.setFromTo(paginaAtual, paginaAtual);
    }
    return true;
}

}  // namespace korva::ui
