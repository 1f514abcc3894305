#pragma once
// Preview of a laid-out report: one page at a time, opened maximised and
// zoomed to the page width. Navigation (first, previous, next, last, and a
// page box showing "n/N" where a page number can be typed), zoom (in, out, to
// the page width, to the whole page) and "&Imprimir", which asks for the
// printer in the platform's print dialog and prints the chosen pages.
// While zoomed to the width or to the whole page the zoom follows the window's
// size; zooming in or out fixes it.
#include <QDialog>
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

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
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

    QScrollArea* rolagem_ = nullptr;
    QLabel* folha_ = nullptr;
    QSpinBox* caixaPagina_ = nullptr;
    QLabel* rotuloZoom_ = nullptr;
    QToolButton *btPrimeira_ = nullptr, *btAnterior_ = nullptr, *btProxima_ = nullptr, *btUltima_ = nullptr;
    QToolButton *btAmpliar_ = nullptr, *btReduzir_ = nullptr;
};

}  // namespace korva::ui
