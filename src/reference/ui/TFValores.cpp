#include "reference/ui/TFValores.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Icones.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/RegrasTabelas.h"
#include "reference/RelatorioTabelas.h"
#include "reports/render/MedidorQt.h"
#include "reports/ui/TFPreview.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

std::function<void()>& Bip() {
    static std::function<void()> bip;
    return bip;
}

DefinicaoJanela Definicao() {
    const QString valor = QStringLiteral("#,##0.00");
    DefinicaoJanela d;
    d.classe = "TFValores";
    d.titulo = QStringLiteral("Tabela de Salário Mínimo/Família / Seguro-Desemprego");
    d.tabela = "Valores.DB";
    d.colunas = {Coluna("Mes", QStringLiteral("Mês"), 3, QStringLiteral("00")),
                 Coluna("Ano", QStringLiteral("Ano"), 4, QStringLiteral("0000")),
                 Coluna("SalMin", QStringLiteral("Sal. Mín."), 10, valor),
                 Coluna("SalFam1", QStringLiteral("Sal. Fam. 1"), 9, valor),
                 Coluna("SalFam2", QStringLiteral("Sal. Fam. 2"), 9, valor),
                 Coluna("LimMinimo", QStringLiteral("Limite Minimo"), 10, valor),
                 Coluna("LimMaximo", QStringLiteral("Limite Máximo"), 10, valor),
                 Coluna("ValorMaximo", QStringLiteral("Valor Máximo"), 10, valor)};
    d.editavel = false;
    d.icone = QStringLiteral("salfam");
    return d;
}

constexpr int kPrimeiraSeguro = 5;  // "Limite Minimo"
constexpr int kUltimaSeguro = 7;    // "Valor Máximo"

}  // namespace

void TFValores::DefineBip(std::function<void()> bip) { Bip() = std::move(bip); }

TFValores::TFValores(Sessao& sessao, QWidget* pai) : TFTabelaReferencia(sessao, Definicao(), pai) {
    painel_ = new QWidget(this);
    painel_->setObjectName("PnPesquisa");
    auto* lbPesquisa = new QLabel(QStringLiteral("Pesquisa:"), painel_);
    edAno_ = new QLineEdit(painel_);
    edAno_->setObjectName("EdAno");
    edMes_ = new QLineEdit(painel_);
    edMes_->setObjectName("EdMes");
    for (QLineEdit* ed : {edAno_, edMes_}) {
        ed->installEventFilter(this);
        ed->setAlignment(Qt::AlignRight);
        connect(ed, &QLineEdit::textChanged, this, [this] {
            btPesquisa_->setEnabled(PesquisaMesHabilitada(edAno_->text().toStdString(), edMes_->text().toStdString()));
        });
    }
    edAno_->setFixedWidth(edAno_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    edMes_->setFixedWidth(edMes_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    lbPesquisa->setBuddy(edAno_);
    auto* barra = new QLabel(QStringLiteral("/"), painel_);

    btPesquisa_ = new QToolButton(painel_);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setText(QStringLiteral("Pesquisar"));
    btPesquisa_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisa|Efetua Pesquisa"));
    btPesquisa_->setEnabled(false);
    connect(btPesquisa_, &QToolButton::clicked, this, &TFValores::pesquisa);

    auto* linha = new QHBoxLayout(painel_);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(lbPesquisa);
    linha->addWidget(edAno_);
    linha->addWidget(barra);
    linha->addWidget(edMes_);
    linha->addWidget(btPesquisa_);
    barraSuperior()->addWidget(painel_);
    barraSuperior()->addStretch(1);

    btImprimir_ = new QPushButton(Icone(QStringLiteral("impressora")), QStringLiteral("&Imprimir"), this);
    btImprimir_->setObjectName("BtImprimir");
    DefineDica(btImprimir_, QStringLiteral("Imprimir|Relação de Valores"));
    connect(btImprimir_, &QPushButton::clicked, this, &TFValores::imprime);
    barraSuperior()->addWidget(btImprimir_);

    // "Seguro-Desemprego" over its three columns, following the header.
    faixaTitulo_ = new QWidget(this);
    lbSeguro_ = new QLabel(QStringLiteral("Seguro-Desemprego"), faixaTitulo_);
    lbSeguro_->setObjectName("LbSeguroDesemprego");
    lbSeguro_->setAlignment(Qt::AlignCenter);
    lbSeguro_->setFrameShape(QFrame::StyledPanel);
    faixaTitulo_->setFixedHeight(lbSeguro_->sizeHint().height());
    if (auto* v = qobject_cast<QVBoxLayout*>(layout())) v->insertWidget(1, faixaTitulo_);
    QHeaderView* cabecalho = grade().horizontalHeader();
    connect(cabecalho, &QHeaderView::sectionResized, this, [this] { posicionaTituloSeguro(); });
    connect(cabecalho, &QHeaderView::geometriesChanged, this, [this] { posicionaTituloSeguro(); });
    connect(grade().horizontalScrollBar(), &QAbstractSlider::valueChanged, this, [this] { posicionaTituloSeguro(); });

    resize(sizeHint());
}

void TFValores::posicionaTituloSeguro() {
    if (!faixaTitulo_) return;
    QHeaderView* h = grade().horizontalHeader();
    const int x0 = h->sectionViewportPosition(kPrimeiraSeguro);
    const int x1 = h->sectionViewportPosition(kUltimaSeguro) + h->sectionSize(kUltimaSeguro);
    // From the header's viewport to the strip above the grid.
    const QPoint origem = h->viewport()->mapTo(this, QPoint(0, 0)) - faixaTitulo_->mapTo(this, QPoint(0, 0));
    lbSeguro_->setGeometry(origem.x() + x0, 0, std::max(0, x1 - x0), faixaTitulo_->height());
}

void TFValores::resizeEvent(QResizeEvent* e) {
    TFTabelaReferencia::resizeEvent(e);
    posicionaTituloSeguro();
}

bool TFValores::eventFilter(QObject* objeto, QEvent* evento) {
    auto* ed = qobject_cast<QLineEdit*>(objeto);
    if (!ed || evento->type() != QEvent::KeyPress) return TFTabelaReferencia::eventFilter(objeto, evento);
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
        if (btPesquisa_->isEnabled()) btPesquisa_->click();
        return true;
    }
    // Keys that type nothing (arrows, Tab, Delete) keep their usual work.
    const QString texto = tecla->text();
    if (tecla->key() != Qt::Key_Backspace && (texto.isEmpty() || !texto.at(0).isPrint())) return false;
    const char32_t c = tecla->key() == Qt::Key_Backspace ? U'\b' : texto.toUcs4().value(0);
    const int maximo = ed == edAno_ ? kMaximoAnoPesquisa : kMaximoMesPesquisa;
    switch (TeclaPesquisa(ed->text().toStdString(), c, maximo)) {
        case ReacaoTecla::Aceita:
            return false;
        case ReacaoTecla::Ignora:
            return true;
        case ReacaoTecla::Recusa:
            if (Bip()) Bip()();
            else QApplication::beep();
            return true;
    }
    return false;
}

void TFValores::pesquisa() {
    if (!btPesquisa_->isEnabled()) return;
    Protegido(this, [this] { LocalizaMes(tabela(), edAno_->text().toStdString(), edMes_->text().toStdString()); });
    // Enabled again when a field changes.
    btPesquisa_->setEnabled(false);
    grade().setFocus();
}

void TFValores::imprime() {
    if (!grade().confirmaEdicao()) return;
    Protegido(this, [this] {
        Documento documento;
        {
            const CursorOcupado cursor;
            const Configuracoes& cfg = sessao().configuracoes();
            MedidorQt medidor;
            documento = DiagramaRelacaoValores(LinhasRelacaoValores(sessao().compartilhado()), cfg.tribunal,
                                               cfg.versao, medidor);
        }
        if (documento.paginas.empty()) return;  // nothing to print: no blank sheet
        TFPreview preview(std::move(documento), TituloJanela(QString::fromUtf8(kTituloRelacaoValores)), this);
        preview.setObjectName("TFPreview");
        preview.exec();
    });
}

void TFValores::estadoMudou() { painel_->setEnabled(!tabela().editando()); }

}  // namespace korva::ui
