#include "register/ui/TFListaTaxas.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/CampoMaiusculas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "register/ListaTaxas.h"
#include "register/ui/TFOpcoesPesquisa.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::ui {

TFListaTaxas::TFListaTaxas(Sessao& sessao, TFOpcoesPesquisa& opcoes, QWidget* pai)
    : QDialog(pai), sessao_(sessao), opcoes_(opcoes),
      lista_(std::make_unique<ListaTaxas>(sessao.compartilhado(), opcoes.configuracao())) {
    setObjectName("TFListaTaxas");
    setModal(true);

    auto* lbPesquisa = new QLabel(QStringLiteral("Pesquisa:"), this);
    edPesquisa_ = new QLineEdit(this);
    edPesquisa_->setObjectName("EdPesquisa");
    edPesquisa_->setMaxLength(100);
    lbPesquisa->setBuddy(edPesquisa_);
    ForcaMaiusculas(edPesquisa_);
    btPesquisa_ = new QPushButton(QStringLiteral("Pesquisar"), this);
    btPesquisa_->setObjectName("BtPesquisa");
    btOpcoes_ = new QPushButton(QStringLiteral("Opções da Pesquisa"), this);
    btOpcoes_->setObjectName("BtOpcoes");

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrTaxas");
    grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade_->setSelectionMode(QAbstractItemView::SingleSelection);
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    btOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btOk_->setObjectName("BtOk");
    btCancela_ = new QPushButton(QStringLiteral("&Cancela"), this);
    btCancela_->setObjectName("BtCancela");
    // Enter belongs to the search field, not to a default button.
    for (QPushButton* b : {btPesquisa_, btOpcoes_, btOk_, btCancela_}) b->setAutoDefault(false);

    connect(edPesquisa_, &QLineEdit::returnPressed, this, &TFListaTaxas::pesquisa);
    connect(btPesquisa_, &QPushButton::clicked, this, &TFListaTaxas::pesquisa);
    connect(btOpcoes_, &QPushButton::clicked, this, [this] { opcoes_.executa(); });
    connect(btOk_, &QPushButton::clicked, this, &TFListaTaxas::confirma);
    connect(btCancela_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grade_, &QAbstractItemView::doubleClicked, this, [this] {
        if (btOk_->isEnabled()) confirma();
    });

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbPesquisa);
    topo->addWidget(edPesquisa_, 1);
    topo->addWidget(btPesquisa_);
    topo->addWidget(btOpcoes_);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancela_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade_, 1);
    layout->addLayout(botoes);
    resize(720, 420);

    setTabOrder(edPesquisa_, btPesquisa_);
    setTabOrder(btPesquisa_, btOpcoes_);
    setTabOrder(btOpcoes_, grade_);
    setTabOrder(grade_, btOk_);
    setTabOrder(btOk_, btCancela_);
}

TFListaTaxas::~TFListaTaxas() {
    // The model goes before the dataset it observes.
    grade_->setModel(nullptr);
    modelo_.reset();
}

TFListaTaxas& TFListaTaxas::Instancia() {
    static QPointer<TFListaTaxas> instancia;
    if (!instancia) {
        TFPrincipal* principal = TFPrincipal::Instancia();
        if (!principal) throw ErroKorva("A janela principal ainda não foi criada.");
        instancia = new TFListaTaxas(principal->sessao(), TFOpcoesPesquisa::Instancia(), principal);
    }
    return *instancia;
}

int TFListaTaxas::executa(const QString& titulo, const std::string& tabela) {
    taxa_.reset();
    bool aberta = false;
    Protegido(this, [&] {
        // The dataset is made anew for each table: the grid lets go of it first.
        grade_->setModel(nullptr);
        modelo_.reset();
        lista_->mostra(titulo.toStdString(), tabela);
        std::vector<ColunaGrade> colunas(2);
        colunas[0].campo = "Natureza";
        colunas[0].largura = 60;
        colunas[0].somenteLeitura = true;
        colunas[1].campo = "Taxa";
        colunas[1].formato = QStringLiteral("#,##0.00");
        colunas[1].largura = 8;
        colunas[1].somenteLeitura = true;
        modelo_ = std::make_unique<ModeloTabela>(lista_->tabela(), std::move(colunas));
        modelo_->defineSomenteLeitura(true);
        grade_->defineModelo(modelo_.get());
        // The activity takes the width the rate leaves.
        grade_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        connect(modelo_.get(), &QAbstractItemModel::modelReset, this, &TFListaTaxas::atualizaBotoes);
        aberta = true;
    });
    if (!aberta) return QDialog::Rejected;
    setWindowTitle(titulo);
    // The search field is the window's focus when it comes up.
    edPesquisa_->setFocus();
    return exec();
}

void TFListaTaxas::showEvent(QShowEvent* e) {
    edPesquisa_->clear();
    atualizaBotoes();
    QDialog::showEvent(e);
    edPesquisa_->setFocus();
}

void TFListaTaxas::hideEvent(QHideEvent* e) {
    lista_->oculta();
    QDialog::hideEvent(e);
}

void TFListaTaxas::atualizaBotoes() { btOk_->setEnabled(lista_->okHabilitado()); }

void TFListaTaxas::pesquisa() {
    Protegido(this, [&] {
        edPesquisa_->setText(QString::fromStdString(lista_->pesquisa(edPesquisa_->text().toStdString())));
    });
    atualizaBotoes();
}

void TFListaTaxas::confirma() {
    Protegido(this, [&] {
        taxa_ = lista_->escolhe();
        if (taxa_) accept();
    });
}

}  // namespace korva::ui
