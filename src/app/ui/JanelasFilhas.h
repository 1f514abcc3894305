#pragma once
// Child windows of the main window, one instance each. Opening one shows the
// busy cursor, disables its menu entry and tool button, creates the window
// inside the multi-document area and shows it; when the window is destroyed
// (closed) the entry and the button are enabled again.
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

class QAbstractButton;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace korva::ui {

class JanelasFilhas : public QObject {
    Q_OBJECT
public:
    explicit JanelasFilhas(QMdiArea* area);

    // Opens the window made by `cria` for the entry `entrada` (with its tool
    // button `botao`, which may be null). When the entry's window is already
    // open it is brought to the front instead. The window is deleted when
    // closed. Errors raised by `cria` go to the caller with entry and button
    // enabled again and the cursor restored.
    QMdiSubWindow* abre(QAction* entrada, QAbstractButton* botao, const std::function<QWidget*()>& cria);

    // The open window of the entry, or null.
    QMdiSubWindow* janela(QAction* entrada) const;

private:
    QMdiArea* area_;
    std::map<QAction*, QPointer<QMdiSubWindow>> abertas_;
};

}  // namespace korva::ui
