#include "register/ui/TFNovoGrupo.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/Textos.h"

namespace korva::ui {

RegistroProcessos::Copias& TFNovoGrupo::Copias() {
    static RegistroProcessos::Copias copias;
    return copias;
}

TFNovoGrupo::TFNovoGrupo(QWidget* pai) : QDialog(pai) {
    setObjectName("TFNovoGrupo");
    setWindowTitle(TituloJanela(QStringLiteral("Novo Grupo")));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* painel = new QGroupBox(QStringLiteral(" Duplicar os seguintes dados: "), this);
    painel->setObjectName("PnDuplicar");
    auto* caixas = new QVBoxLayout(painel);
    auto caixa = [&](const char* nome, const QString& texto, bool marcada) {
        auto* c = new QCheckBox(texto, painel);
        c->setObjectName(nome);
        c->setChecked(marcada);
        caixas->addWidget(c);
        return c;
    };
    const RegistroProcessos::Copias& em = Copias();
    cbPeriodo_ = caixa("CbParam1", QStringLiteral("Parâmetros por Período"), em.periodo);
    cbMesAMes_ = caixa("CbParam2", QStringLiteral("Parâmetros Mês a Mês"), em.mesAMes);
    cbBasesINSS_ = caixa("CbBasesINSS", QStringLiteral("Bases de Cálculo I.N.S.S."), em.basesINSS);
    cbAcrescimos_ = caixa("CbAcrescimos", QStringLiteral("Acréscimos"), em.acrescimos);
    cbJuros_ = caixa("CbJuros", QStringLiteral("Juros"), em.juros);
    layout->addWidget(painel);

    auto* botoes = new QDialogButtonBox(this);
    QPushButton* ok = botoes->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("BtOk");
    ok->setDefault(true);
    QPushButton* cancela = botoes->addButton(QStringLiteral("&Cancela"), QDialogButtonBox::RejectRole);
    cancela->setObjectName("BtCancela");
    connect(ok, &QPushButton::clicked, this, [this] { confirma(); });
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(botoes);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void TFNovoGrupo::confirma() {
    RegistroProcessos::Copias& c = Copias();
    c.periodo = cbPeriodo_->isChecked();
    c.mesAMes = cbMesAMes_->isChecked();
    c.basesINSS = cbBasesINSS_->isChecked();
    c.acrescimos = cbAcrescimos_->isChecked();
    c.juros = cbJuros_->isChecked();
    accept();
}

}  // namespace korva::ui
