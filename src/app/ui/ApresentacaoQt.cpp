#include "app/ui/ApresentacaoQt.h"

#include <QApplication>
#include <QMessageBox>

#include "app/ui/Mensagens.h"

namespace korva::ui {

void ApresentacaoQt::beep() { QApplication::beep(); }

void ApresentacaoQt::mostraInformacao(const std::string& texto) {
    MostraInformacao(QString::fromStdString(texto));
}

void ApresentacaoQt::mostraErro(const std::string& texto) { MostraErro(QString::fromStdString(texto)); }

void ApresentacaoQt::mostraCodigo(const std::string& texto) { MostraTexto(QString::fromStdString(texto)); }

}  // namespace korva::ui
