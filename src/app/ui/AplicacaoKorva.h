#pragma once
// The application object: every event goes through notify, so an error that
// escapes a window's event handler ends in the application-wide handler
// instead of ending the program.
#include <QApplication>

namespace korva::ui {

class AplicacaoKorva : public QApplication {
    Q_OBJECT
public:
    AplicacaoKorva(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};

// Settings every start needs, also used by the window tests: Brazilian
// locale (dd/mm/yyyy dates, decimal comma) and Qt's Portuguese texts for the
// standard buttons.
void ConfiguraAplicacao(QApplication& aplicacao);

}  // namespace korva::ui
