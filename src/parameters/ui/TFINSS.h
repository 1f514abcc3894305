#pragma once
// The social-security bases of a calculation (its table D), filled by hand or from the month rows of one item.
#include <QDialog>
#include <string>

namespace korva {
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFINSS : public QDialog {
    Q_OBJECT
public:
    TFINSS(Sessao& sessao, const std::string& tabelaD, const std::string& tabelaB, QWidget* pai = nullptr);
    ~TFINSS() override;
};

}  // namespace korva::ui
