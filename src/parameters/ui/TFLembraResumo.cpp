#include "parameters/ui/TFLembraResumo.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "util/Erros.h"

namespace korva::ui {

TFLembraResumo::TFLembraResumo(Configuracoes& configuracoes, QWidget* pai)
    : QDialog(pai), configuracoes_(configuracoes) {
    setObjectName("TFLembraResumo");
    setWindowTitle(TituloJanela(QStringLiteral("Imprimir Resumo")));
    setModal(true);

    auto* icone = new QLabel(this);
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icone->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(lado, lado));
    icone->setAlignment(Qt::AlignTop);
    lbTexto_ = new QLabel(QStringLiteral("Atenção! Todos os cálculos devem ter sido\n"
                                         "atualizados antes de imprimir o resumo. \n"
                                         "Deseja continuar?"),
                          this);
    lbTexto_->setObjectName("LbTexto");
    cbLembrete_ = new QCheckBox(QStringLiteral("Exibir este lembrete sempre que for imprimir o resumo?"), this);
    cbLembrete_->setObjectName("CbLembrete");

    btSim_ = new QPushButton(QStringLiteral("&Sim"), this);
    btSim_->setObjectName("BtSim");
    btSim_->setDefault(true);
    btNao_ = new QPushButton(QStringLiteral("&Não"), this);
    btNao_->setObjectName("BtNao");
    connect(btSim_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btNao_, &QPushButton::clicked, this, &QDialog::reject);

    auto* texto = new QHBoxLayout;
    texto->addWidget(icone);
    texto->addSpacing(8);
    texto->addWidget(lbTexto_, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btSim_);
    botoes->addWidget(btNao_);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texto);
    layout->addSpacing(6);
    layout->addWidget(cbLembrete_);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFLembraResumo& TFLembraResumo::Instancia() {
    static QPointer<TFLembraResumo> instancia;
    if (!instancia) {
        TFPrincipal* principal = TFPrincipal::Instancia();
        if (!principal) throw ErroKorva("A janela principal ainda não foi criada.");
        instancia = new TFLembraResumo(principal->configuracoes(), principal);
    }
    return *instancia;
}

int TFLembraResumo::executa() { return exec(); }

bool TFLembraResumo::continua() {
    if (configuracoes_.lembraResumo != "S") return true;
    return executa() == QDialog::Accepted;
}

void TFLembraResumo::showEvent(QShowEvent* e) {
    cbLembrete_->setChecked(true);
    QDialog::showEvent(e);
    btSim_->setFocus();
}

void TFLembraResumo::done(int resultado) {
    Protegido(this, [&] { configuracoes_.defineLembraResumo(cbLembrete_->isChecked()); });
    QDialog::done(resultado);
}

}  // namespace korva::ui
