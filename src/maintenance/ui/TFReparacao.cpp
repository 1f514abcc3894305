#include "maintenance/ui/TFReparacao.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <filesystem>

#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/TratamentoErros.h"
#include "maintenance/ReparaBD.h"
#include "storage/Aliases.h"

namespace korva::ui {
namespace {

namespace M = MensagensReparacao;

QString U(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TFReparacao::TFReparacao(Sessao& sessao, QWidget* pai) : QDialog(pai), sessao_(sessao) {
    setObjectName("TFReparacao");
    setWindowTitle(U(M::kTitulo));
    setModal(true);

    auto* lbBanco = new QLabel(U(M::kRotuloBanco));
    lbBanco->setObjectName("LbBanco");
    cbBanco_ = new QComboBox;
    cbBanco_->setObjectName("CbBanco");
    cbBanco_->addItems({QStringLiteral("CalcPriv"), QStringLiteral("CalcShare")});
    cbBanco_->setCurrentIndex(0);  // the private database first
    lbBanco->setBuddy(cbBanco_);

    btVerificar_ = new QPushButton(U(M::kBotao));
    btVerificar_->setObjectName("BtVerificar");
    btVerificar_->setDefault(true);

    mmLog_ = new QPlainTextEdit;
    mmLog_->setObjectName("MmLog");
    mmLog_->setReadOnly(true);
    mmLog_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmLog_->setMinimumSize(560, 320);

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbBanco);
    topo->addWidget(cbBanco_);
    topo->addStretch(1);
    topo->addWidget(btVerificar_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(mmLog_, 1);

    setTabOrder(cbBanco_, btVerificar_);
    setTabOrder(btVerificar_, mmLog_);

    connect(btVerificar_, &QPushButton::clicked, this, [this] { Protegido(this, [this] { verifica(); }); });
    resize(640, 440);
}

QString TFReparacao::log() const { return mmLog_->toPlainText(); }

void TFReparacao::verifica() {
    if (verificando_) return;
    const std::string alias = cbBanco_->currentText().toStdString();
    const std::filesystem::path pasta(sessao_.aliases().caminho(alias));

    verificando_ = true;
    cbBanco_->setEnabled(false);
    btVerificar_->setEnabled(false);
    struct Fim {
        TFReparacao* d;
        ~Fim() {
            d->verificando_ = false;
            d->cbBanco_->setEnabled(true);
            d->btVerificar_->setEnabled(true);
            d->btVerificar_->setFocus();
        }
    } fim{this};
    CursorOcupado cursor;
    mmLog_->clear();
    VerificaBancoDeDados(alias, pasta, true, [this](const std::string& linha) {
        mmLog_->appendPlainText(QString::fromStdString(linha));
        mmLog_->verticalScrollBar()->setValue(mmLog_->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    });
}

void TFReparacao::reject() {
    if (verificando_) return;
    QDialog::reject();
}

void TFReparacao::closeEvent(QCloseEvent* evento) {
    if (verificando_) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

}  // namespace korva::ui
