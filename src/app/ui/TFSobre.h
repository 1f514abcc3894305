#pragma once
// The About box: product name, version, management committee and contact.
#include <QDialog>

namespace korva::ui {

class TFSobre : public QDialog {
    Q_OBJECT
public:
    explicit TFSobre(QWidget* pai = nullptr);
};

}  // namespace korva::ui
