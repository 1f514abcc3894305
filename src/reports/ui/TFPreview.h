#pragma once
// Preview of a laid-out report: one page at a time, opened maximised and
// zoomed to the page width. Navigation (first, previous, next, last, and a
// page box showing "n/N" where a page number can be typed), zoom (in, out, to
// the page width, to the whole page) and "&Imprimir", which asks for the
// printer in the platform's print dialog and prints the chosen pages.
// While zoomed to the width or to the whole page the zoom follows the window's
// size; zooming in or out fixes it. "Salvar PDF..." writes the report to a PDF
// file chosen in a file dialog (the report's title is proposed), under a
// temporary name renamed when complete; the bar then shows where it went.
//
// Reaching the preview from a test or a scripted run. The preview is modal:
// the windows that open it (the print dialog, the catalogue) run it inside a
// button's handler, so a test finds it from a timer while it is open:
//
//     TFPreview::DefineArquivoPdfTeste([&](const QString&) { return caminho; });
//     QTimer::singleShot(50, [] {
//         auto* p = qobject_cast<TFPreview*>(QApplication::activeModalWidget());  // objectName "TFPreview"
//         QTest::mouseClick(p->findChild<QPushButton*>("BtSalvarPdf"), Qt::LeftButton);
//         QTest::mouseClick(p->findChild<QPushButton*>("BtFechar"), Qt::LeftButton);
//     });
//     QTest::mouseClick(dialogo.findChild<QPushButton*>("BtVisualizar"), Qt::LeftButton);
//     TFPreview::DefineArquivoPdfTeste({});
//
// The hook stands in for the file dialog (an empty name gives up). Buttons:
// BtPrimeira, BtAnterior, BtProxima, BtUltima, BtReduzir, BtAmpliar,
// BtLargura, BtPagina, BtImprimir, BtSalvarPdf, BtFechar; the page box is
// "caixaPagina", the sheet "folha", the status text "LbSituacao".
#include <QDialog>
#include <QString>
#include <functional>

#include "reports/Pagina.h"

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace korva::ui {

class TFPreview : public QDialog {
    Q_OBJECT
public:
    enum class Ajuste { Livre, Largura, Pagina };

    TFPreview(Documento documento, const QString& titulo, QWidget* pai = nullptr);

    int totalPaginas() const { return static_cast<int>(documento_.paginas.size()); }
    int paginaAtual() const { return pagina_; }  // 1-based; 0 when there are no pages
    double zoom() const { return zoom_; }        // 1.0 = actual size on the screen
    Ajuste ajuste() const { return ajuste_; }
    const Documento& documento() const { return documento_; }

    // Chooses the printer before printing; the default shows the platform's
    // print dialog. Returns false when the user gives up.
    void defineEscolhaImpressora(std::function<bool(QPrinter&)> escolha) { escolha_ = std::move(escolha); }

    // Supplies the PDF file name instead of the file dialog (tests, scripted
    // runs); receives the proposed name. An empty function restores the dialog.
    static void DefineArquivoPdfTeste(std::function<QString(const QString& proposto)> escolha);
    // The file name proposed by "Salvar PDF...": the title, without the
    // characters a file name cannot hold, with ".pdf".
    QString nomeProposto() const;
    // The last PDF file written, empty before any.
    QString ultimoPdf() const { return ultimoPdf_; }

public slots:
    void primeira();
    void anterior();
    void proxima();
    void ultima();
    void vaiParaPagina(int pagina);
    void ampliar();
    void reduzir();
    void ajustaLargura();
    void ajustaPagina();
    void imprime();
    // Asks for the file and writes it; returns false when nothing was written
    // (given up, or failed with the message shown).
    bool salvaPdf();

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void encurtaSituacao();
    void aplicaAjuste();
    void defineZoom(double zoom);
    void desenha();
    void atualizaControles();
    double dpiTela() const;

    Documento documento_;
    int pagina_ = 0;
    double zoom_ = 1.0;
    Ajuste ajuste_ = Ajuste::Largura;
    std::function<bool(QPrinter&)> escolha_;
    QString ultimoPdf_;

    QScrollArea* rolagem_ = nullptr;
    QLabel* folha_ = nullptr;
    QSpinBox* caixaPagina_ = nullptr;
    QLabel* rotuloZoom_ = nullptr;
    QLabel* situacao_ = nullptr;
    QToolButton *btPrimeira_ = nullptr, *btAnterior_ = nullptr, *btProxima_ = nullptr, *btUltima_ = nullptr;
    QToolButton *btAmpliar_ = nullptr, *btReduzir_ = nullptr;
};

}  // namespace korva::ui
