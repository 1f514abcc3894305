#include "parameters/ui/TFZerarOuCompensar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/TFPrincipal.h"
#include "app/ui/Textos.h"

namespace korva::ui {

TFZerarOuCompensar::TFZerarOuCompensar(QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("TFZerarOuCompensar");
    setWindowTitle(TituloMensagem());
    setModal(true);

    auto* icone = new QLabel(this);
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icone->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(lado, lado));
    icone->setAlignment(Qt::AlignTop);
    lbPergunta_ = new QLabel(QStringLiteral("O que fazer em caso de diferenças negativas?"), this);
    lbPergunta_->setObjectName("LbPergunta");

    btZerar_ = new QPushButton(QStringLiteral("&Zerar"), this);
    btZerar_->setObjectName("BtZerar");
    btZerar_->setDefault(true);
    btCompensar_ = new QPushButton(QStringLiteral("&Compensar"), this);
    btCompensar_->setObjectName("BtCompensar");
    for (QPushButton* b : {btZerar_, btCompensar_}) b->setMinimumWidth(96);
    connect(btZerar_, &QPushButton::clicked, this, [this] { escolhe("Z"); });
    connect(btCompensar_, &QPushButton::clicked, this, [this] { escolhe("C"); });

    auto* texto = new QHBoxLayout;
    texto->addWidget(icone);
    texto->addSpacing(8);
    texto->addWidget(lbPergunta_, 1, Qt::AlignVCenter);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btZerar_);
    botoes->addWidget(btCompensar_);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texto);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFZerarOuCompensar& TFZerarOuCompensar::Instancia() {
    static QPointer<TFZerarOuCompensar> instancia;
    if (!instancia) instancia = new TFZerarOuCompensar(TFPrincipal::Instancia());
    return *instancia;
}

std::string TFZerarOuCompensar::executa() {
    escolhido_ = false;
    btZerar_->setFocus();
    exec();
    return resultado_;
}

void TFZerarOuCompensar::escolhe(const char* resultado) {
    resultado_ = resultado;
    escolhido_ = true;
    accept();
}

void TFZerarOuCompensar::reject() {
    // Escape does not close it: one of the two answers must be given.
}

void TFZerarOuCompensar::closeEvent(QCloseEvent* e) {
    if (escolhido_)
        QDialog::closeEvent(e);
    else
        e->ignore();
}

}  // namespace korva::ui
