#include "timecards/ui/TFPrintReport.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reports/render/Imprime.h"
#include "reports/render/MedidorQt.h"
#include "app/ui/CursorOcupado.h"
#include "reports/ui/EscolhaImpressora.h"
#include "reports/ui/TFPreview.h"
#include "util/Erros.h"

namespace korva::ui {

void TFPrintReport::DefineEscolhaImpressoraTeste(std::function<bool(QPrinter&)> escolha) {
    ui::DefineEscolhaImpressoraTeste(std::move(escolha));
}

TFPrintReport::TFPrintReport(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : QDialog(pai), sessao_(sessao), calculo_(calculo), medidor_(std::make_unique<MedidorQt>()) {
    setObjectName("TFPrintReport");
    setModal(true);
    setWindowTitle(TituloMensagem());

    auto* grupo = new QGroupBox(QStringLiteral(" Imprimir: "), this);
    grupo->setObjectName("RgImprimir");
    auto* opcoes = new QVBoxLayout(grupo);
    rbDiario_ = new QRadioButton(QStringLiteral("&Diário"), grupo);
    rbDiario_->setObjectName("RbDiario");
    rbMensal_ = new QRadioButton(QStringLiteral("&Mensal"), grupo);
    rbMensal_->setObjectName("RbMensal");
    opcoes->addWidget(rbDiario_);
    opcoes->addWidget(rbMensal_);
    opcoes->addStretch(1);
    rbDiario_->setChecked(true);

    btVisualizar_ = new QPushButton(QStringLiteral("&Visualizar"), this);
    btVisualizar_->setObjectName("BtVisualizar");
    DefineDica(btVisualizar_, QStringLiteral("Visualizar|Visualiza relatório na tela"));
    btVisualizar_->setDefault(true);
    btImprimir_ = new QPushButton(QStringLiteral("&Imprimir"), this);
    btImprimir_->setObjectName("BtImprimir");
    DefineDica(btImprimir_, QStringLiteral("Imprimir|Envia relatório para impressora"));
    btImprimir_->setAutoDefault(false);
    connect(btVisualizar_, &QPushButton::clicked, this, &TFPrintReport::visualiza);
    connect(btImprimir_, &QPushButton::clicked, this, &TFPrintReport::imprime);

    auto* botoes = new QVBoxLayout;
    botoes->addWidget(btVisualizar_);
    botoes->addWidget(btImprimir_);
    botoes->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grupo, 1);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    grupo->setMinimumWidth(140);
}

TFPrintReport::~TFPrintReport() = default;

TipoRelatorioPonto TFPrintReport::escolha() const {
    return rbMensal_->isChecked() ? TipoRelatorioPonto::Mensal : TipoRelatorioPonto::Diario;
}

void TFPrintReport::showEvent(QShowEvent* evento) {
    // Every showing starts from the daily report.
    rbDiario_->setChecked(true);
    rbDiario_->setFocus();
    QDialog::showEvent(evento);
}

void TFPrintReport::visualiza() { produz(false); }
void TFPrintReport::imprime() { produz(true); }

void TFPrintReport::produz(bool imprimir) {
    const TipoRelatorioPonto tipo = escolha();
    const QString titulo = QString::fromUtf8(TituloRelatorioPonto(tipo));
    Protegido(this, [&] {
        Documento d;
        {
            const CursorOcupado cursor;
            d = ProduzRelatorioPonto(tipo, sessao_.privado(), sessao_.configuracoes(), calculo_.execucao, *medidor_);
        }
        if (!imprimir) {
            TFPreview preview(std::move(d), titulo, this);
            preview.exec();
            return;
        }
        if (d.paginas.empty()) throw ErroKorva("O relatório não tem páginas; nada foi impresso.");
        const int n = static_cast<int>(d.paginas.size());
        QPrinter impressora(QPrinter::HighResolution);
        const bool escolhida = EscolheImpressora(impressora, titulo, n, this);
        if (!escolhida) return;
        const CursorOcupado cursor;
        Imprime(d, impressora);
    });
}

}  // namespace korva::ui
