#include "parameters/ui/TFSeguroDesemprego.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/Mensagens.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/SeguroDesemprego.h"
#include "parameters/ui/TFZerarOuCompensar.h"
#include "register/RegrasAcrescimos.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* CaixaDigitos(QWidget* pai, const char* nome, int tamanho) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(tamanho);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(tamanho + 2, QChar('0'))) + 8);
    return e;
}

}  // namespace

TFSeguroDesemprego::TFSeguroDesemprego(Sessao& sessao, ParametrosPeriodo& periodo, int dataBasePadrao, QWidget* pai)
    : QDialog(pai) {
    setObjectName("TFSeguroDesemprego");
    setModal(true);
    setWindowTitle(QString::fromUtf8(SeguroDesemprego::Titulo));
    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    seguro_ = std::make_unique<SeguroDesemprego>(periodo, *referencia_, dataBasePadrao);
    itens_ = SeguroDesemprego::ItensCatalogo(sessao.privado());

    // ---- item ----
    edItem_ = CaixaDigitos(this, "EdItem", 3);
    cbItem_ = new QComboBox(this);
    cbItem_->setObjectName("CbItem");
    for (const ItemLista& item : itens_) cbItem_->addItem(Q(item.nome), item.codigo);
    cbItem_->setCurrentIndex(-1);
    cbItem_->setMinimumWidth(cbItem_->fontMetrics().horizontalAdvance(QString(40, QChar('x'))));
    cbItem_->setMaxVisibleItems(16);
    connect(edItem_, &QLineEdit::textChanged, this, &TFSeguroDesemprego::itemDigitado);
    connect(cbItem_, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i >= static_cast<int>(itens_.size())) return;
        const QSignalBlocker bloqueio(edItem_);
        edItem_->setText(QString::number(itens_[static_cast<size_t>(i)].codigo));
    });

    // ---- month and year ----
    edMes_ = CaixaDigitos(this, "EdMes", 2);
    edAno_ = CaixaDigitos(this, "EdAno", 4);
    connect(edAno_, &QLineEdit::editingFinished, this, &TFSeguroDesemprego::normalizaAno);

    // ---- salary and instalments ----
    edSalario_ = new QDoubleSpinBox(this);
    edSalario_->setObjectName("EdSalario");
    edSalario_->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    edSalario_->setDecimals(2);
    edSalario_->setRange(0, 999999999.99);
    edSalario_->setGroupSeparatorShown(true);
    edSalario_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    edSalario_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edSalario_->setFixedWidth(edSalario_->fontMetrics().horizontalAdvance(QStringLiteral("000.000.000,00")) + 16);

    edParcelas_ = new QSpinBox(this);
    edParcelas_->setObjectName("EdParcelas");
    edParcelas_->setRange(1, SeguroDesemprego::MaxParcelas);
    edParcelas_->setValue(1);
    edParcelas_->setFixedWidth(edParcelas_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 40);

    // ---- form of payment ----
    auto* gbForma = new QGroupBox(QStringLiteral(" Forma de Pagamento: "), this);
    gbForma->setObjectName("GbFormaPagamento");
    rbMesmoMes_ = new QRadioButton(QStringLiteral("Todas as parcelas pagas no mesmo mês"), gbForma);
    rbMesmoMes_->setObjectName("RbMesmoMes");
    rbMesmoMes_->setChecked(true);
    rbParcelado_ = new QRadioButton(QStringLiteral("Pagamento parcelado"), gbForma);
    rbParcelado_->setObjectName("RbParcelado");
    auto* forma = new QVBoxLayout(gbForma);
    forma->addWidget(rbMesmoMes_);
    forma->addWidget(rbParcelado_);

    btConfirmar_ = new QPushButton(QStringLiteral("&Confirmar"), this);
    btConfirmar_->setObjectName("BtConfirmar");
    btConfirmar_->setDefault(true);
    btConfirmar_->setMinimumWidth(96);
    connect(btConfirmar_, &QPushButton::clicked, this, &TFSeguroDesemprego::confirma);

    // ---- layout ----
    auto legenda = [this](const QString& texto, QWidget* amigo) {
        auto* l = new QLabel(texto, this);
        l->setBuddy(amigo);
        return l;
    };
    auto* grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(8);
    grade->addWidget(legenda(QStringLiteral("Item:"), edItem_), 0, 0);
    auto* linhaItem = new QHBoxLayout;
    linhaItem->addWidget(edItem_);
    linhaItem->addWidget(cbItem_, 1);
    grade->addLayout(linhaItem, 0, 1);
    grade->addWidget(legenda(QStringLiteral("Mês/Ano:"), edMes_), 1, 0);
    auto* linhaMes = new QHBoxLayout;
    linhaMes->addWidget(edMes_);
    linhaMes->addWidget(new QLabel(QStringLiteral("/"), this));
    linhaMes->addWidget(edAno_);
    linhaMes->addStretch();
    grade->addLayout(linhaMes, 1, 1);
    grade->addWidget(legenda(QStringLiteral("Salário Médio:"), edSalario_), 2, 0);
    auto* linhaSalario = new QHBoxLayout;
    linhaSalario->addWidget(edSalario_);
    linhaSalario->addStretch();
    grade->addLayout(linhaSalario, 2, 1);
    grade->addWidget(legenda(QStringLiteral("Quantidade de Parcelas:"), edParcelas_), 3, 0);
    auto* linhaParcelas = new QHBoxLayout;
    linhaParcelas->addWidget(edParcelas_);
    linhaParcelas->addStretch();
    grade->addLayout(linhaParcelas, 3, 1);
    grade->addWidget(gbForma, 4, 0, 1, 2);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btConfirmar_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grade);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edItem_, cbItem_);
    setTabOrder(cbItem_, edMes_);
    setTabOrder(edMes_, edAno_);
    setTabOrder(edAno_, edSalario_);
    setTabOrder(edSalario_, edParcelas_);
    setTabOrder(edParcelas_, rbMesmoMes_);
    setTabOrder(rbMesmoMes_, btConfirmar_);
    edItem_->setFocus();
}

TFSeguroDesemprego::~TFSeguroDesemprego() = default;

void TFSeguroDesemprego::itemDigitado(const QString& texto) {
    cbItem_->setCurrentIndex(SeguroDesemprego::PosicaoDoCodigo(itens_, texto.toStdString()));
}

void TFSeguroDesemprego::normalizaAno() {
    edAno_->setText(QString::number(SeguroDesemprego::NormalizaAno(edAno_->text().toStdString())));
}

void TFSeguroDesemprego::confirma() {
    // A value still being typed in the salary box counts.
    edSalario_->interpretText();
    normalizaAno();

    SeguroDesemprego::Pedido pedido;
    bool numero = false;
    pedido.item = edItem_->text().trimmed().toInt(&numero);
    if (!numero) pedido.item = 0;
    pedido.mes = edMes_->text().toStdString();
    pedido.ano = edAno_->text().toStdString();
    pedido.salario = edSalario_->value();
    pedido.parcelas = edParcelas_->value();
    pedido.parcelado = rbParcelado_->isChecked();

    SeguroDesemprego::Interacao interacao;
    interacao.diferencaNegativa = [] { return TFZerarOuCompensar::Instancia().executa(); };
    interacao.sobrepor = [this](const std::string& linha1, const std::string& linha2) {
        const auto r = QMessageBox::question(this, TituloMensagem(), Q(linha1) + QLatin1Char('\n') + Q(linha2),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                             QMessageBox::Yes);
        return r == QMessageBox::Yes  ? SeguroDesemprego::Resposta::Sim
               : r == QMessageBox::No ? SeguroDesemprego::Resposta::Nao
                                      : SeguroDesemprego::Resposta::Cancela;
    };
    interacao.pedeData = [this](const std::string& titulo, const std::string& prompt,
                                const std::string& proposta) -> std::optional<std::string> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, Q(titulo), Q(prompt), QLineEdit::Normal, Q(proposta), &ok);
        if (!ok) return std::nullopt;
        return t.toStdString();
    };
    interacao.avisa = [this](const std::string& texto) { MostraErro(Q(texto), this); };

    bool concluido = false;
    Protegido(this, [&] {
        try {
            concluido = seguro_->Confirma(pedido, interacao);
        } catch (const ErroCampo& e) {
            QWidget* w = e.campo() == "Item"      ? static_cast<QWidget*>(edItem_)
                         : e.campo() == "Mes"     ? static_cast<QWidget*>(edMes_)
                         : e.campo() == "Salario" ? static_cast<QWidget*>(edSalario_)
                                                  : static_cast<QWidget*>(edParcelas_);
            w->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
            if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
            throw;
        }
    });
    if (concluido) accept();
}

}  // namespace korva::ui
