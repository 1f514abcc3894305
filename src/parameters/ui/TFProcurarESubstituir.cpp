#include "parameters/ui/TFProcurarESubstituir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TFProcurarESubstituir::TFProcurarESubstituir(Sessao& sessao, ListaCamposProcura lista, Tabela& tabela, QWidget* pai)
    : QDialog(pai), tabela_(tabela) {
    setObjectName("TFProcurarESubstituir");
    setModal(true);
    setWindowTitle(QString::fromUtf8(ProcuraSubstitui::Titulo));
    procura_ = std::make_unique<ProcuraSubstitui>(lista, ProcuraSubstitui::CodigosDataBase(sessao.compartilhado()));

    auto* grade = new QGridLayout;
    grade->setHorizontalSpacing(6);
    grade->setVerticalSpacing(6);
    int linha = 0;
    // Columns: caption "Campo:", field list, caption of the value, value, "E".
    auto poe = [&](const Caixa& c, const QString& legendaValor, QCheckBox* e) {
        auto* lbCampo = new QLabel(QStringLiteral("Campo:"), this);
        lbCampo->setBuddy(c.campo);
        auto* lbValor = new QLabel(legendaValor, this);
        lbValor->setBuddy(c.valor);
        grade->addWidget(lbCampo, linha, 0);
        grade->addWidget(c.campo, linha, 1);
        grade->addWidget(lbValor, linha, 2);
        grade->addWidget(c.valor, linha, 3);
        grade->addWidget(c.codigo, linha, 3);
        if (e) grade->addWidget(e, linha, 4);
        ++linha;
    };

    const Caixa atribuicao = criaCaixa(CaixaProcura::Atribuicao, "CbCampo1", "EdValor1", "CbCodigo1");
    const Caixa atribuicao2 = criaCaixa(CaixaProcura::Atribuicao2, "CbCampo2", "EdValor2", "CbCodigo2");
    const Caixa condicao1 = criaCaixa(CaixaProcura::Condicao1, "CbCondicao1", "EdCondicao1", "CbCodCondicao1");
    const Caixa condicao2 = criaCaixa(CaixaProcura::Condicao2, "CbCondicao2", "EdCondicao2", "CbCodCondicao2");
    const Caixa condicao3 = criaCaixa(CaixaProcura::Condicao3, "CbCondicao3", "EdCondicao3", "CbCodCondicao3");

    ckE1_ = new QCheckBox(QStringLiteral("E"), this);
    ckE1_->setObjectName("CkE1");
    ckTodos_ = new QCheckBox(QStringLiteral("Todos os registros"), this);
    ckTodos_->setObjectName("CkTodos");
    ckCondicao2_ = new QCheckBox(QStringLiteral("E"), this);
    ckCondicao2_->setObjectName("CkCondicao2");
    ckCondicao3_ = new QCheckBox(QStringLiteral("E"), this);
    ckCondicao3_->setObjectName("CkCondicao3");

    poe(atribuicao, QStringLiteral("Preencher com:"), nullptr);
    grade->addWidget(ckE1_, linha++, 1);
    poe(atribuicao2, QStringLiteral("Preencher com:"), nullptr);

    auto* traco = new QFrame(this);
    traco->setFrameShape(QFrame::HLine);
    traco->setFrameShadow(QFrame::Sunken);
    grade->addWidget(traco, linha++, 0, 1, 5);
    auto* lbCondicao = new QLabel(QStringLiteral("Condição:"), this);
    lbCondicao->setObjectName("LbCondicao");
    QFont negrito = lbCondicao->font();
    negrito.setBold(true);
    lbCondicao->setFont(negrito);
    grade->addWidget(lbCondicao, linha, 0);
    grade->addWidget(ckTodos_, linha++, 1, 1, 3);
    poe(condicao1, QStringLiteral("Igual a:"), ckCondicao2_);
    poe(condicao2, QStringLiteral("Igual a:"), ckCondicao3_);
    poe(condicao3, QStringLiteral("Igual a:"), nullptr);
    grade->setColumnStretch(3, 1);

    connect(ckE1_, &QCheckBox::toggled, this, [this](bool s) {
        procura_->defineLigacao(LigacaoProcura::Atribuicao2, s);
        atualiza();
    });
    connect(ckTodos_, &QCheckBox::toggled, this, [this](bool s) {
        procura_->defineTodos(s);
        atualiza();
    });
    connect(ckCondicao2_, &QCheckBox::toggled, this, [this](bool s) {
        procura_->defineLigacao(LigacaoProcura::Condicao2, s);
        atualiza();
    });
    connect(ckCondicao3_, &QCheckBox::toggled, this, [this](bool s) {
        procura_->defineLigacao(LigacaoProcura::Condicao3, s);
        atualiza();
    });

    btSubstituir_ = new QPushButton(QStringLiteral("&Substituir"), this);
    btSubstituir_->setObjectName("BtSubstituir");
    btSubstituir_->setDefault(true);
    btCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btCancelar_->setObjectName("BtCancelar");
    for (QPushButton* b : {btSubstituir_, btCancelar_}) b->setMinimumWidth(96);
    connect(btSubstituir_, &QPushButton::clicked, this, &TFProcurarESubstituir::substitui);
    connect(btCancelar_, &QPushButton::clicked, this, &QDialog::reject);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btSubstituir_);
    botoes->addWidget(btCancelar_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grade);
    layout->addSpacing(8);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order: from top to bottom, each line from left to right.
    QWidget* anterior = nullptr;
    auto segue = [&](QWidget* w) {
        if (anterior) setTabOrder(anterior, w);
        anterior = w;
    };
    for (int i = 0; i < QuantidadeCaixasProcura; ++i) {
        const Caixa& c = caixas_[static_cast<size_t>(i)];
        if (i == static_cast<int>(CaixaProcura::Condicao1)) segue(ckTodos_);
        segue(c.campo);
        segue(c.valor);
        segue(c.codigo);
        if (i == static_cast<int>(CaixaProcura::Atribuicao)) segue(ckE1_);
        if (i == static_cast<int>(CaixaProcura::Condicao1)) segue(ckCondicao2_);
        if (i == static_cast<int>(CaixaProcura::Condicao2)) segue(ckCondicao3_);
    }
    segue(btSubstituir_);
    segue(btCancelar_);

    atualiza();
    caixas_[0].campo->setFocus();
}

TFProcurarESubstituir::~TFProcurarESubstituir() = default;

TFProcurarESubstituir::Caixa TFProcurarESubstituir::criaCaixa(CaixaProcura c, const char* nomeCampo,
                                                              const char* nomeValor, const char* nomeCodigo) {
    Caixa caixa;
    caixa.campo = new QComboBox(this);
    caixa.campo->setObjectName(nomeCampo);
    for (const CampoProcura& campo : procura_->campos()) caixa.campo->addItem(Q(campo.legenda));
    caixa.campo->setCurrentIndex(procura_->campo(c));

    caixa.valor = new QLineEdit(this);
    caixa.valor->setObjectName(nomeValor);
    caixa.valor->setMinimumWidth(caixa.valor->fontMetrics().horizontalAdvance(QString(14, QChar('0'))));

    caixa.codigo = new QComboBox(this);
    caixa.codigo->setObjectName(nomeCodigo);
    for (const ItemLista& item : procura_->codigos()) caixa.codigo->addItem(Q(item.nome));
    caixa.codigo->setCurrentIndex(procura_->codigos().empty() ? -1 : procura_->codigo(c));
    caixa.codigo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    caixa.codigo->hide();

    connect(caixa.campo, &QComboBox::currentIndexChanged, this, [this, c](int i) {
        procura_->escolheCampo(c, i);
        atualiza();
    });
    connect(caixa.valor, &QLineEdit::textChanged, this,
            [this, c](const QString& t) { procura_->defineTexto(c, t.toStdString()); });
    connect(caixa.codigo, &QComboBox::currentIndexChanged, this, [this, c](int i) { procura_->escolheCodigo(c, i); });

    caixas_[static_cast<size_t>(c)] = caixa;
    return caixa;
}

void TFProcurarESubstituir::atualiza() {
    for (int i = 0; i < QuantidadeCaixasProcura; ++i) {
        const auto c = static_cast<CaixaProcura>(i);
        const Caixa& caixa = caixas_[static_cast<size_t>(i)];
        const bool habilitada = procura_->habilitada(c);
        const bool codigos = procura_->mostraCodigos(c);
        caixa.campo->setEnabled(habilitada);
        caixa.valor->setEnabled(habilitada);
        caixa.codigo->setEnabled(habilitada);
        caixa.valor->setVisible(!codigos);
        caixa.codigo->setVisible(codigos);
    }
    // The "E" boxes follow the core: unticking one may untick the next.
    const std::pair<QCheckBox*, LigacaoProcura> ligacoes[] = {{ckE1_, LigacaoProcura::Atribuicao2},
                                                              {ckCondicao2_, LigacaoProcura::Condicao2},
                                                              {ckCondicao3_, LigacaoProcura::Condicao3}};
    for (const auto& [ck, l] : ligacoes) {
        const QSignalBlocker bloqueio(ck);
        ck->setChecked(procura_->ligacao(l));
        ck->setEnabled(procura_->ligacaoHabilitada(l));
    }
}

QWidget* TFProcurarESubstituir::controleDe(CaixaProcura c) const {
    const Caixa& caixa = caixas_[static_cast<size_t>(c)];
    return procura_->mostraCodigos(c) ? static_cast<QWidget*>(caixa.codigo) : caixa.valor;
}

void TFProcurarESubstituir::substitui() {
    bool feito = false;
    Protegido(this, [this, &feito] {
        try {
            alteradas_ = procura_->substitui(tabela_);
            feito = true;
        } catch (const ErroCaixaProcura& e) {
            QWidget* w = controleDe(e.caixa());
            w->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
            throw;
        }
    });
    if (feito) accept();
}

}  // namespace korva::ui
