#pragma once
// The window shown while the program starts: borderless, on top of the
// others, centred on the screen.
#include <QWidget>

namespace korva::ui {

class TFSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFSplash(QWidget* pai = nullptr);

    // Shows the window and paints it at once, before the event loop runs.
    void mostra();
    // A line of progress under the organisation lines ("Criando as tabelas...").
    void informa(const QString& texto);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString situacao_;
};

}  // namespace korva::ui
