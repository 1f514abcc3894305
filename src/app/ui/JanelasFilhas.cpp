#include "app/ui/JanelasFilhas.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/ui/CursorOcupado.h"

namespace korva::ui {
namespace {

void Habilita(QAction* entrada, QAbstractButton* botao, bool sim) {
    if (entrada) entrada->setEnabled(sim);
    if (botao) botao->setEnabled(sim);
}

}  // namespace

JanelasFilhas::JanelasFilhas(QMdiArea* area) : QObject(area), area_(area) {}

QMdiSubWindow* JanelasFilhas::janela(QAction* entrada) const {
    auto it = abertas_.find(entrada);
    return it == abertas_.end() ? nullptr : it->second.data();
}

QMdiSubWindow* JanelasFilhas::abre(QAction* entrada, QAbstractButton* botao,
                                   const std::function<QWidget*()>& cria) {
    if (QMdiSubWindow* aberta = janela(entrada)) {
        if (aberta->isMinimized()) aberta->showNormal();
        area_->setActiveSubWindow(aberta);
        return aberta;
    }
    CursorOcupado cursor;
    Habilita(entrada, botao, false);
    QWidget* conteudo = nullptr;
    try {
        conteudo = cria();
    } catch (...) {
        Habilita(entrada, botao, true);
        throw;
    }
    if (!conteudo) {
        Habilita(entrada, botao, true);
        return nullptr;
    }
    conteudo->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = area_->addSubWindow(conteudo);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(conteudo->windowIcon());
    QPointer<QAction> pEntrada(entrada);
    QPointer<QAbstractButton> pBotao(botao);
    connect(sub, &QObject::destroyed, this, [this, entrada, pEntrada, pBotao] {
        abertas_.erase(entrada);
        Habilita(pEntrada.data(), pBotao.data(), true);
    });
    abertas_[entrada] = sub;
    sub->show();
    conteudo->setFocus();
    return sub;
}

}  // namespace korva::ui
