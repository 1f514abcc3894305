#pragma once
// A modal window over datasets that may refuse to close: Escape, the close
// button and the title bar all go through `fecha()`, which stores or refuses
// what is pending (showing why) and closes the window's tables. The window
// stays open when it returns false.
#include <QCloseEvent>
#include <QDialog>

namespace korva::ui {

class DialogoTabelas : public QDialog {
public:
    using QDialog::QDialog;

protected:
    virtual bool fecha() = 0;

    void reject() override {
        if (fecha()) QDialog::reject();
    }
    void closeEvent(QCloseEvent* e) override {
        if (!fecha()) {
            e->ignore();
            return;
        }
        QDialog::closeEvent(e);
    }
};

}  // namespace korva::ui
