#pragma once
// For window tests: closes every message box that comes up, remembering its text.
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace korva::teste {

class FechaMensagens : public QObject {
public:
    FechaMensagens() {
        connect(&relogio_, &QTimer::timeout, this, [this] {
            if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                textos.append(caixa->text());
                caixa->done(QMessageBox::Ok);
            }
        });
        relogio_.start(20);
    }
    QStringList textos;

private:
    QTimer relogio_;
};

}  // namespace korva::teste
