#include "register/ui/TFOpcoesPesquisa.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ui/TFPrincipal.h"

namespace korva::ui {

namespace {
constexpr OpcaoPesquisa kOpcoes[3] = {OpcaoPesquisa::Inicio, OpcaoPesquisa::QualquerParte, OpcaoPesquisa::Final};
constexpr const char* kNomes[3] = {"RbInicio", "RbQualquerParte", "RbFinal"};
}  // namespace

TFOpcoesPesquisa::TFOpcoesPesquisa(QWidget* pai) : QDialog(pai) {
    setObjectName("TFOpcoesPesquisa");
    setWindowTitle(QStringLiteral("Configuração"));
    setModal(true);

    rgPesquisa_ = new QGroupBox(QStringLiteral(" Pesquisa: "), this);
    rgPesquisa_->setObjectName("RgPesquisa");
    grupo_ = new QButtonGroup(this);
    auto* opcoes = new QVBoxLayout(rgPesquisa_);
    for (int i = 0; i < 3; ++i) {
        opcoes_[i] = new QRadioButton(QString::fromStdString(ConfiguracaoPesquisa::Rotulo(kOpcoes[i])), rgPesquisa_);
        opcoes_[i]->setObjectName(kNomes[i]);
        grupo_->addButton(opcoes_[i], i);
        opcoes->addWidget(opcoes_[i]);
    }
    connect(grupo_, &QButtonGroup::idClicked, this, [this](int i) { configuracao_.escolhe(kOpcoes[i]); });

    btOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btOk_->setObjectName("BtOk");
    btOk_->setDefault(true);
    btCancela_ = new QPushButton(QStringLiteral("&Cancela"), this);
    btCancela_->setObjectName("BtCancela");
    connect(btOk_, &QPushButton::clicked, this, &TFOpcoesPesquisa::confirma);
    connect(btCancela_, &QPushButton::clicked, this, &TFOpcoesPesquisa::reject);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancela_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgPesquisa_);
    layout->addLayout(botoes);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    mostraEscolha();
}

TFOpcoesPesquisa& TFOpcoesPesquisa::Instancia() {
    static QPointer<TFOpcoesPesquisa> instancia;
    if (!instancia) instancia = new TFOpcoesPesquisa(TFPrincipal::Instancia());
    return *instancia;
}

int TFOpcoesPesquisa::executa() { return exec(); }

void TFOpcoesPesquisa::showEvent(QShowEvent* e) {
    mostraEscolha();
    opcoes_[grupo_->checkedId() < 0 ? 1 : grupo_->checkedId()]->setFocus();
    QDialog::showEvent(e);
}

void TFOpcoesPesquisa::mostraEscolha() {
    for (int i = 0; i < 3; ++i)
        if (kOpcoes[i] == configuracao_.escolhida()) opcoes_[i]->setChecked(true);
}

void TFOpcoesPesquisa::confirma() {
    configuracao_.confirma();
    accept();
}

void TFOpcoesPesquisa::reject() {
    // "&Cancela", Escape and the title bar all leave the option in force.
    configuracao_.cancela();
    mostraEscolha();
    QDialog::reject();
}

}  // namespace korva::ui
