#include "app/ui/Mensagens.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/ui/Textos.h"

namespace korva::ui {
namespace {

void Mostra(QMessageBox::Icon icone, const QString& texto, QWidget* pai) {
    if (!pai) pai = QApplication::activeModalWidget();
    if (!pai) pai = QApplication::activeWindow();
    QMessageBox caixa(icone, TituloMensagem(), texto, QMessageBox::Ok, pai);
    caixa.setObjectName("CaixaMensagem");
    caixa.setDefaultButton(QMessageBox::Ok);
    // The message may come while the busy cursor is on (an error in a long
    // operation): the box gets the normal arrow.
    const bool ocupado = QApplication::overrideCursor() != nullptr;
    if (ocupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
    caixa.exec();
    if (ocupado) QApplication::restoreOverrideCursor();
}

}  // namespace

void MostraInformacao(const QString& texto, QWidget* pai) { Mostra(QMessageBox::Information, texto, pai); }
void MostraErro(const QString& texto, QWidget* pai) { Mostra(QMessageBox::Critical, texto, pai); }
void MostraAviso(const QString& texto, QWidget* pai) { Mostra(QMessageBox::Warning, texto, pai); }
void MostraTexto(const QString& texto, QWidget* pai) { Mostra(QMessageBox::NoIcon, texto, pai); }

}  // namespace korva::ui
