#include "app/ui/TFConfiguraBD.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

#include "app/Ambiente.h"
#include "app/ui/Mensagens.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Aliases.h"

namespace korva::ui {

TFConfiguraBD::TFConfiguraBD(ArquivoAliases& aliases, std::vector<Unidade> unidades, QWidget* pai)
    : QDialog(pai), aliases_(aliases), unidades_(std::move(unidades)) {
    setObjectName("TFConfiguraBD");
    setWindowTitle(TituloJanela(QStringLiteral("Configura B.D.")));
    setModal(true);

    auto* rotulo = new QLabel(QStringLiteral("Selecione a Unidade:"), this);
    cbUnidade_ = new QComboBox(this);
    cbUnidade_->setObjectName("CbUnidade");
    for (const Unidade& u : unidades_) cbUnidade_->addItem(QString::fromStdString(u.nome));
    cbUnidade_->setCurrentIndex(0);
    cbUnidade_->setMinimumWidth(280);
    rotulo->setBuddy(cbUnidade_);

    auto* muda = new QPushButton(QStringLiteral("&Mudar Diretório"), this);
    muda->setObjectName("BtMudarDiretorio");
    muda->setDefault(true);
    connect(muda, &QPushButton::clicked, this, [this] { Protegido(this, [this] { mudaDiretorio(); }); });

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(muda);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rotulo);
    layout->addWidget(cbUnidade_);
    layout->addSpacing(8);
    layout->addLayout(botoes);
}

void TFConfiguraBD::mudaDiretorio() {
    const int i = cbUnidade_->currentIndex();
    if (i < 0 || i >= static_cast<int>(unidades_.size())) return;
    Unidades::MudaDiretorio(aliases_, unidades_[static_cast<size_t>(i)].pasta);
    MostraInformacao(QString::fromUtf8(Unidades::MensagemModificado), this);
    accept();
}

void SelecionaUnidade(const Ambiente& ambiente, QWidget* pai) {
    const auto arquivo = ambiente.arquivoUnidades();
    std::error_code ec;
    if (!std::filesystem::exists(arquivo, ec)) return;
    auto unidades = Unidades::Le(arquivo);
    if (unidades.empty()) return;
    ArquivoAliases aliases(ambiente.arquivoAliases());
    TFConfiguraBD dialogo(aliases, std::move(unidades), pai);
    dialogo.exec();
}

}  // namespace korva::ui
