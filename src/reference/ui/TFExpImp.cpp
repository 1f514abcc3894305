#include "reference/ui/TFExpImp.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/TratamentoErros.h"
#include "reference/ExportaImporta.h"

namespace korva::ui {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TFExpImp::TFExpImp(Sessao& sessao, QWidget* pai)
    : QDialog(pai), estado_(std::make_unique<ExpImp>(sessao.compartilhado())) {
    setObjectName("TFExpImp");
    setWindowTitle(U(kTituloExpImp));
    setModal(true);

    rgAcao_ = new QGroupBox(U(kRotuloAcaoExpImp));
    rgAcao_->setObjectName("RgAcao");
    rbExportar_ = new QRadioButton(U(kAcaoExportar));
    rbExportar_->setObjectName("RbExportar");
    rbImportar_ = new QRadioButton(U(kAcaoImportar));
    rbImportar_->setObjectName("RbImportar");
    rbExportar_->setChecked(true);
    auto* acoes = new QHBoxLayout(rgAcao_);
    acoes->addWidget(rbExportar_);
    acoes->addWidget(rbImportar_);
    acoes->addStretch(1);

    // The field starts at the user's home folder: there is no "C:\" here.
    lbPasta_ = new QLabel(U(kRotuloPastaDestino));
    lbPasta_->setObjectName("LbPasta");
    edPasta_ = new QLineEdit(QString::fromStdString(estado_->pasta()));
    edPasta_->setObjectName("EdPasta");
    edPasta_->setMinimumWidth(320);
    lbPasta_->setBuddy(edPasta_);
    btProcurar_ = new QToolButton;
    btProcurar_->setObjectName("BtProcurar");
    btProcurar_->setText(QStringLiteral("..."));
    btProcurar_->setToolTip(QStringLiteral("Procurar o diretório"));

    rgTabela_ = new QGroupBox(U(kRotuloTabelaExpImp));
    rgTabela_->setObjectName("RgTabela");
    auto* grupos = new QGridLayout(rgTabela_);
    const auto& todos = GruposTabelas();
    const int linhas = static_cast<int>((todos.size() + 1) / 2);
    for (size_t i = 0; i < todos.size(); ++i) {
        auto* rb = new QRadioButton(QString::fromStdString(todos[i].titulo));
        rb->setObjectName(QStringLiteral("RbTabela%1").arg(i));
        grupos->addWidget(rb, static_cast<int>(i) % linhas, static_cast<int>(i) / linhas);
        rbGrupos_.push_back(rb);
    }
    rbGrupos_.front()->setChecked(true);

    btOK_ = new QPushButton(U(kBotaoOkExpImp));
    btOK_->setObjectName("BtOK");
    btOK_->setDefault(true);
    btCancela_ = new QPushButton(U(kBotaoCancelaExpImp));
    btCancela_->setObjectName("BtCancela");
    btCancela_->setAutoDefault(false);

    auto* linhaPasta = new QHBoxLayout;
    linhaPasta->addWidget(edPasta_, 1);
    linhaPasta->addWidget(btProcurar_);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btOK_);
    botoes->addWidget(btCancela_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgAcao_);
    layout->addWidget(lbPasta_);
    layout->addLayout(linhaPasta);
    layout->addWidget(rgTabela_);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(rbExportar_, rbImportar_);
    setTabOrder(rbImportar_, edPasta_);
    setTabOrder(edPasta_, btProcurar_);
    QWidget* anterior = btProcurar_;
    for (QRadioButton* rb : rbGrupos_) {
        setTabOrder(anterior, rb);
        anterior = rb;
    }
    setTabOrder(anterior, btOK_);
    setTabOrder(btOK_, btCancela_);

    connect(rbExportar_, &QRadioButton::toggled, this, [this] { aoMudarAcao(); });
    connect(btProcurar_, &QToolButton::clicked, this, [this] { procuraPasta(); });
    connect(btOK_, &QPushButton::clicked, this, [this] { Protegido(this, [this] { confirma(); }); });
    connect(btCancela_, &QPushButton::clicked, this, &TFExpImp::reject);
}

TFExpImp::~TFExpImp() = default;

void TFExpImp::aoMudarAcao() {
    estado_->defineAcao(rbExportar_->isChecked() ? AcaoExpImp::Exportar : AcaoExpImp::Importar);
    lbPasta_->setText(U(estado_->rotuloPasta()));
}

void TFExpImp::procuraPasta() {
    QString inicio = edPasta_->text().trimmed();
    if (!QFileInfo(inicio).isDir()) inicio = QString::fromStdString(ExpImp::PastaInicial());
    const QString escolhida = QFileDialog::getExistingDirectory(this, lbPasta_->text(), inicio);
    if (!escolhida.isEmpty()) edPasta_->setText(escolhida);
}

void TFExpImp::confirma() {
    estado_->defineAcao(rbExportar_->isChecked() ? AcaoExpImp::Exportar : AcaoExpImp::Importar);
    estado_->definePasta(edPasta_->text().toStdString());
    const auto& todos = GruposTabelas();
    for (size_t i = 0; i < rbGrupos_.size(); ++i)
        if (rbGrupos_[i]->isChecked()) estado_->defineGrupo(todos[i].grupo);
    CursorOcupado cursor;
    estado_->executa();
}

}  // namespace korva::ui
