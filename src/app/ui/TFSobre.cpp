#include "app/ui/TFSobre.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/Icones.h"
#include "app/ui/Textos.h"

namespace korva::ui {

TFSobre::TFSobre(QWidget* pai) : QDialog(pai) {
    setObjectName("TFSobre");
    setWindowTitle(TituloJanela(QStringLiteral("Sobre o Sistema")));
    setModal(true);

    auto* marca = new QLabel(this);
    marca->setPixmap(Icone("korva").pixmap(64, 64));
    marca->setAlignment(Qt::AlignTop);

    auto* nome = new QLabel(TextoProduto(), this);
    QFont fonte = nome->font();
    fonte.setPointSizeF(fonte.pointSizeF() * 2.2);
    fonte.setBold(true);
    nome->setFont(fonte);

    auto* versao = new QLabel(TextoVersaoSplash(), this);
    auto* organizacao = new QLabel(LinhasOrganizacao().join('\n'), this);

    QFile arquivo(QStringLiteral(":/textos/sobre.html"));
    QString corpo;
    if (arquivo.open(QIODevice::ReadOnly)) corpo = QString::fromUtf8(arquivo.readAll());
    auto* texto = new QLabel(corpo, this);
    texto->setObjectName("LbSobre");
    texto->setTextFormat(Qt::RichText);
    texto->setWordWrap(true);
    texto->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* coluna = new QVBoxLayout;
    coluna->addWidget(nome);
    coluna->addWidget(versao);
    coluna->addSpacing(6);
    coluna->addWidget(organizacao);
    coluna->addSpacing(10);
    coluna->addWidget(texto);

    auto* topo = new QHBoxLayout;
    topo->addWidget(marca);
    topo->addSpacing(12);
    topo->addLayout(coluna, 1);

    auto* botoes = new QDialogButtonBox(this);
    auto* ok = botoes->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("BtOK");
    ok->setDefault(true);
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(botoes);
    setMinimumWidth(420);
}

}  // namespace korva::ui
