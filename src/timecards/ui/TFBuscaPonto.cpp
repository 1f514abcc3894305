#include "timecards/ui/TFBuscaPonto.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <iterator>

#include "app/Sessao.h"
#include "app/ui/Mensagens.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/SeguroDesemprego.h"
#include "parameters/VerbasCatalogo.h"
#include "parameters/ui/TFZerarOuCompensar.h"
#include "register/RegrasAcrescimos.h"
#include "timecards/ApuracaoPonto.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* CaixaDigitos(QWidget* pai, const QString& nome, int tamanho) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(tamanho);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(tamanho + 2, QChar('0'))) + 8);
    return e;
}

// Value of the quantity, index and divisor boxes: up to four decimals, comma as in Brazil.
QDoubleSpinBox* CaixaNumero(QWidget* pai, const QString& nome) {
    auto* e = new QDoubleSpinBox(pai);
    e->setObjectName(nome);
    e->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    e->setDecimals(4);
    e->setRange(-999999999.9999, 999999999.9999);
    e->setGroupSeparatorShown(true);
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-999.999.999,9999")) + 16);
    return e;
}

}  // namespace

IntegracaoPonto::Escolha TFBuscaPonto::CampoValor::escolha() const {
    if (rbBuscar->isChecked()) return IntegracaoPonto::Escolha::Figura(cbFigura->currentIndex());
    edValor->interpretText();
    return IntegracaoPonto::Escolha::Informado(edValor->value());
}

QWidget* TFBuscaPonto::CampoValor::caixa() const {
    return rbBuscar->isChecked() ? static_cast<QWidget*>(cbFigura) : static_cast<QWidget*>(edValor);
}

int TFBuscaPonto::Codigo::codigo() const {
    bool numero = false;
    const int c = edCodigo->text().trimmed().toInt(&numero);
    return numero ? c : 0;
}

TFBuscaPonto::Codigo TFBuscaPonto::criaCodigo(const char* nomeCaixa, const char* nomeLista) {
    Codigo c;
    c.edCodigo = CaixaDigitos(this, QString::fromLatin1(nomeCaixa), 3);
    c.cbNome = new QComboBox(this);
    c.cbNome->setObjectName(nomeLista);
    for (const ItemLista& item : itens_) c.cbNome->addItem(Q(item.nome), item.codigo);
    c.cbNome->setCurrentIndex(-1);
    c.cbNome->setMinimumWidth(c.cbNome->fontMetrics().horizontalAdvance(QString(44, QChar('x'))));
    c.cbNome->setMaxVisibleItems(16);
    // A typed code selects its name; a text that is no code of the list clears it.
    connect(c.edCodigo, &QLineEdit::textChanged, this, [this, c](const QString& texto) {
        c.cbNome->setCurrentIndex(SeguroDesemprego::PosicaoDoCodigo(itens_, texto.toStdString()));
    });
    connect(c.cbNome, &QComboBox::activated, this, [this, c](int i) {
        if (i < 0 || i >= static_cast<int>(itens_.size())) return;
        const QSignalBlocker bloqueio(c.edCodigo);
        c.edCodigo->setText(QString::number(itens_[static_cast<size_t>(i)].codigo));
    });
    return c;
}

TFBuscaPonto::CampoValor TFBuscaPonto::criaValor(const QString& titulo, const QString& sufixo) {
    CampoValor v;
    v.grupo = new QGroupBox(titulo, this);
    v.grupo->setObjectName(QStringLiteral("Gb") + sufixo);
    v.rbBuscar = new QRadioButton(QStringLiteral("Buscar valor:"), v.grupo);
    v.rbBuscar->setObjectName(QStringLiteral("RbBuscar") + sufixo);
    v.cbFigura = new QComboBox(v.grupo);
    v.cbFigura->setObjectName(QStringLiteral("Cb") + sufixo);
    for (const char* texto : TextosFigurasMes) v.cbFigura->addItem(QString::fromUtf8(texto));
    v.cbFigura->setCurrentIndex(0);
    v.cbFigura->setMaxVisibleItems(QtdeFigurasMes);
    v.rbInformado = new QRadioButton(QStringLiteral("Valor informado:"), v.grupo);
    v.rbInformado->setObjectName(QStringLiteral("RbInformado") + sufixo);
    v.edValor = CaixaNumero(v.grupo, QStringLiteral("Ed") + sufixo);

    auto* g = new QGridLayout(v.grupo);
    g->setHorizontalSpacing(8);
    g->addWidget(v.rbBuscar, 0, 0);
    g->addWidget(v.cbFigura, 0, 1);
    g->addWidget(v.rbInformado, 1, 0);
    auto* linha = new QHBoxLayout;
    linha->addWidget(v.edValor);
    linha->addStretch();
    g->addLayout(linha, 1, 1);
    g->setColumnStretch(1, 1);

    // Only the chosen one of the two is enabled; a typed value is the default.
    const auto ajusta = [v] {
        v.cbFigura->setEnabled(v.rbBuscar->isChecked());
        v.edValor->setEnabled(v.rbInformado->isChecked());
    };
    connect(v.rbBuscar, &QRadioButton::toggled, this, ajusta);
    v.rbInformado->setChecked(true);
    ajusta();
    return v;
}

TFBuscaPonto::TFBuscaPonto(Sessao& sessao, const CalculoAberto& calculo, ParametrosPeriodo& periodo, QWidget* pai)
    : QDialog(pai), sessao_(sessao) {
    setObjectName("TFBuscaPonto");
    setModal(true);
    setWindowTitle(QString::fromUtf8(IntegracaoPonto::Titulo));
    integracao_ = std::make_unique<IntegracaoPonto>(periodo, calculo.tabela('F'), calculo.tabela('G'),
                                                    calculo.mensal.dtBasePadrao.dataBasePadrao);
    itens_ = SeguroDesemprego::ItensCatalogo(sessao.privado());

    item_ = criaCodigo("EdItem", "CbItem");
    base_ = criaCodigo("EdBase", "CbBase");
    // Leaving the item box or picking its name brings the item's catalogue values.
    connect(item_.edCodigo, &QLineEdit::editingFinished, this, &TFBuscaPonto::itemDigitado);
    connect(item_.cbNome, &QComboBox::activated, this, &TFBuscaPonto::itemDigitado);

    edMes1_ = CaixaDigitos(this, QStringLiteral("EdMes1"), 2);
    edAno1_ = CaixaDigitos(this, QStringLiteral("EdAno1"), 4);
    edMes2_ = CaixaDigitos(this, QStringLiteral("EdMes2"), 2);
    edAno2_ = CaixaDigitos(this, QStringLiteral("EdAno2"), 4);
    connect(edAno1_, &QLineEdit::editingFinished, this, [this] { normalizaAno(edAno1_); });
    connect(edAno2_, &QLineEdit::editingFinished, this, [this] { normalizaAno(edAno2_); });

    qtde_ = criaValor(QStringLiteral(" Qtde.: "), QStringLiteral("Qtde"));
    indice_ = criaValor(QStringLiteral(" Índice: "), QStringLiteral("Indice"));
    divisor_ = criaValor(QStringLiteral(" Divisor: "), QStringLiteral("Divisor"));

    btConfirmar_ = new QPushButton(QStringLiteral("&Confirmar"), this);
    btConfirmar_->setObjectName("BtConfirmar");
    btConfirmar_->setDefault(true);
    btConfirmar_->setMinimumWidth(96);
    connect(btConfirmar_, &QPushButton::clicked, this, &TFBuscaPonto::confirma);

    // ---- layout ----
    auto legenda = [this](const QString& texto, QWidget* amigo) {
        auto* l = new QLabel(texto, this);
        l->setBuddy(amigo);
        return l;
    };
    auto* grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(8);
    const auto linhaCodigo = [&](int linha, const QString& rotulo, const Codigo& c) {
        grade->addWidget(legenda(rotulo, c.edCodigo), linha, 0);
        auto* l = new QHBoxLayout;
        l->addWidget(c.edCodigo);
        l->addWidget(c.cbNome, 1);
        grade->addLayout(l, linha, 1);
    };
    linhaCodigo(0, QStringLiteral("Item:"), item_);
    linhaCodigo(1, QStringLiteral("Base:"), base_);
    grade->addWidget(legenda(QStringLiteral("Período:"), edMes1_), 2, 0);
    auto* periodoLinha = new QHBoxLayout;
    periodoLinha->addWidget(edMes1_);
    periodoLinha->addWidget(new QLabel(QStringLiteral("/"), this));
    periodoLinha->addWidget(edAno1_);
    periodoLinha->addSpacing(6);
    periodoLinha->addWidget(new QLabel(QStringLiteral("a"), this));
    periodoLinha->addSpacing(6);
    periodoLinha->addWidget(edMes2_);
    periodoLinha->addWidget(new QLabel(QStringLiteral("/"), this));
    periodoLinha->addWidget(edAno2_);
    periodoLinha->addStretch();
    grade->addLayout(periodoLinha, 2, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btConfirmar_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grade);
    layout->addSpacing(4);
    layout->addWidget(qtde_.grupo);
    layout->addWidget(indice_.grupo);
    layout->addWidget(divisor_.grupo);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* ordem[] = {item_.edCodigo,      item_.cbNome,         base_.edCodigo,         base_.cbNome,
                        edMes1_,             edAno1_,              edMes2_,                edAno2_,
                        qtde_.rbBuscar,      qtde_.cbFigura,       qtde_.rbInformado,      qtde_.edValor,
                        indice_.rbBuscar,    indice_.cbFigura,     indice_.rbInformado,    indice_.edValor,
                        divisor_.rbBuscar,   divisor_.cbFigura,    divisor_.rbInformado,   divisor_.edValor,
                        btConfirmar_};
    for (size_t i = 1; i < std::size(ordem); ++i) setTabOrder(ordem[i - 1], ordem[i]);
    item_.edCodigo->setFocus();
}

TFBuscaPonto::~TFBuscaPonto() = default;

void TFBuscaPonto::itemDigitado() {
    const int codigo = item_.codigo();
    if (codigo == 0) return;
    for (QDoubleSpinBox* e : {qtde_.edValor, indice_.edValor, divisor_.edValor}) e->interpretText();
    if (qtde_.edValor->value() != 0 || indice_.edValor->value() != 0 || divisor_.edValor->value() != 0 ||
        base_.codigo() != 0)
        return;
    Protegido(this, [&] {
        const auto verba = VerbasCatalogo(sessao_.privado()).Busca(codigo);
        if (!verba) return;
        const PadroesVerba& p = verba->padroes;
        qtde_.edValor->setValue(p.qtde.value_or(0));
        indice_.edValor->setValue(p.indice.value_or(0));
        divisor_.edValor->setValue(p.divisor.value_or(0));
        if (p.base && *p.base != 0) base_.edCodigo->setText(QString::number(*p.base));
    });
}

void TFBuscaPonto::normalizaAno(QLineEdit* ano) {
    ano->setText(QString::number(IntegracaoPonto::NormalizaAno(ano->text().toStdString())));
}

QWidget* TFBuscaPonto::caixaDoCampo(const std::string& campo) const {
    if (campo == "Mes1") return edMes1_;
    if (campo == "Mes2") return edMes2_;
    if (campo == "Item") return item_.edCodigo;
    if (campo == "Base") return base_.edCodigo;
    if (campo == "Qtde") return qtde_.caixa();
    if (campo == "Indice") return indice_.caixa();
    if (campo == "Divisor") return divisor_.caixa();
    return nullptr;
}

void TFBuscaPonto::confirma() {
    IntegracaoPonto::Pedido pedido;
    pedido.item = item_.codigo();
    pedido.base = base_.codigo();
    pedido.mes1 = edMes1_->text().toStdString();
    pedido.mes2 = edMes2_->text().toStdString();
    // The years as on leaving their boxes.
    normalizaAno(edAno1_);
    normalizaAno(edAno2_);
    pedido.ano1 = edAno1_->text().toStdString();
    pedido.ano2 = edAno2_->text().toStdString();
    pedido.qtde = qtde_.escolha();
    pedido.indice = indice_.escolha();
    pedido.divisor = divisor_.escolha();

    IntegracaoPonto::Interacao interacao;
    interacao.diferencaNegativa = [] { return TFZerarOuCompensar::Instancia().executa(); };
    interacao.pedeData = [this](const std::string& titulo, const std::string& prompt,
                                const std::string& proposta) -> std::optional<std::string> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, Q(titulo), Q(prompt), QLineEdit::Normal, Q(proposta), &ok);
        if (!ok) return std::nullopt;
        return t.toStdString();
    };
    interacao.avisa = [this](const std::string& texto) { MostraErro(Q(texto), this); };

    std::optional<int> linhas;
    const bool ok = Protegido(this, [&] {
        try {
            linhas = integracao_->Confirma(pedido, interacao);
        } catch (const ErroCampo& e) {
            if (QWidget* w = caixaDoCampo(e.campo())) {
                w->setFocus();
                if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
                if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
            }
            throw;
        }
    });
    // A cancelled date prompt stops silently, with nothing written.
    if (!ok || !linhas) return;
    if (*linhas == 0) {
        MostraInformacao(QStringLiteral("Não há cartões de ponto no período informado: nenhuma linha foi incluída."),
                         this);
        edMes1_->setFocus();
        edMes1_->selectAll();
        return;
    }
    accept();
}

}  // namespace korva::ui
