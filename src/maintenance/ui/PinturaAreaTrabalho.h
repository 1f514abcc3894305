#pragma once
// Paints the desktop area of the main window (the area behind the child
// windows) as the settings say: the plain main colour, the gradient bands, or
// the picture as tiles from the top-left corner. The background is drawn
// again whenever the area changes size.
#include <QImage>
#include <QObject>

#include "maintenance/AreaTrabalho.h"

class QMdiArea;

namespace korva::ui {

class PinturaAreaTrabalho : public QObject {
    Q_OBJECT
public:
    explicit PinturaAreaTrabalho(QMdiArea* area);

    // Takes the settings: the picture is loaded from `imagem`; when it cannot
    // be, the path is cleared and a picture background becomes plain. Returns
    // the settings as applied (with those corrections).
    AjustesAreaTrabalho aplica(AjustesAreaTrabalho ajustes);
    const AjustesAreaTrabalho& ajustes() const { return ajustes_; }

    // The background for an area of the given size (also for the dialog's tests).
    static QImage Desenha(const AjustesAreaTrabalho& a, const QImage& imagem, QSize tamanho);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void repinta();

    QMdiArea* area_;
    AjustesAreaTrabalho ajustes_;
    QImage imagem_;
};

}  // namespace korva::ui
