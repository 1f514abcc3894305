#include "parameters/ui/TFListRend.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Icones.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ListaRendimentos.h"
#include "parameters/ui/ModeloVerbas.h"
#include "register/ui/TFOpcoesPesquisa.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

std::function<int()>& EscolhaTeste() {
    static std::function<int()> escolha;
    return escolha;
}

ColunaGrade ColunaFixa(const char* campo, const QString& titulo, int largura) {
    ColunaGrade c;
    c.campo = campo;
    c.titulo = titulo;
    c.largura = largura;
    c.somenteLeitura = true;
    return c;
}

}  // namespace

TFListRend::TFListRend(Banco& privado, QWidget* pai) : QDialog(pai), lista_(std::make_unique<ListaRendimentos>(privado)) {
    setObjectName("TFListRend");
    setModal(true);
    setWindowTitle(QString::fromUtf8(ListaRendimentos::Titulo));
    setWindowIcon(Icone(QStringLiteral("rendimentos")));

    auto* lbPesquisa = new QLabel(QStringLiteral("Pesquisa:"), this);
    lbPesquisa->setObjectName("LbPesquisa");
    edPesquisa_ = new QLineEdit(this);
    edPesquisa_->setObjectName("EdPesquisa");
    edPesquisa_->setMaxLength(40);
    lbPesquisa->setBuddy(edPesquisa_);
    connect(edPesquisa_, &QLineEdit::textEdited, edPesquisa_, [this](const QString& t) {
        const int p = edPesquisa_->cursorPosition();
        edPesquisa_->setText(t.toUpper());
        edPesquisa_->setCursorPosition(p);
    });
    connect(edPesquisa_, &QLineEdit::returnPressed, this, &TFListRend::pesquisa);

    auto* btPesquisa = new QToolButton(this);
    btPesquisa->setObjectName("BtPesquisa");
    btPesquisa->setText(QStringLiteral("Pesquisar"));
    btPesquisa->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btPesquisa, QStringLiteral("Pesquisar|Pesquisa a verba pela descrição"));
    connect(btPesquisa, &QToolButton::clicked, this, &TFListRend::pesquisa);

    // The grid takes its columns from the open table; showing opens it again.
    lista_->mostra();
    std::vector<ColunaGrade> colunas{ColunaFixa("Codigo", QStringLiteral("Cód."), 4),
                                     ColunaFixa("DescRend", QStringLiteral("Rendimento"), 36),
                                     ColunaFixa("INSS", QStringLiteral("INSS"), 4)};
    auto* modelo = new ModeloVerbas(lista_->tabela(), std::move(colunas), {"Codigo"}, {}, this);
    modelo->defineSomenteLeitura(true);
    modelo_ = modelo;

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrRendimentos");
    grade_->defineModelo(modelo_);
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade_->horizontalHeader()->setStretchLastSection(true);
    connect(grade_, &QAbstractItemView::doubleClicked, this, [this] {
        if (btOk_->isEnabled()) confirma();
    });

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavRendimentos");
    navegador_->defineModelo(modelo_);
    navegador_->defineBotoes(NavegadorTabela::SoLeitura);
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao == NavegadorTabela::Atualizar) atualizaOk();
    });

    btOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btOk_->setObjectName("BtOk");
    connect(btOk_, &QPushButton::clicked, this, &TFListRend::confirma);
    auto* btCancela = new QPushButton(QStringLiteral("&Cancela"), this);
    btCancela->setObjectName("BtCancela");
    connect(btCancela, &QPushButton::clicked, this, &QDialog::reject);
    // Enter belongs to the search box (and the grid), not to a default button.
    for (QPushButton* b : {btOk_, btCancela}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* linhaPesquisa = new QHBoxLayout;
    linhaPesquisa->addWidget(lbPesquisa);
    linhaPesquisa->addWidget(edPesquisa_, 1);
    linhaPesquisa->addWidget(btPesquisa);

    auto* rodape = new QHBoxLayout;
    rodape->addWidget(navegador_);
    rodape->addStretch(1);
    rodape->addWidget(btOk_);
    rodape->addWidget(btCancela);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linhaPesquisa);
    layout->addWidget(grade_, 1);
    layout->addLayout(rodape);

    setTabOrder(edPesquisa_, btPesquisa);
    setTabOrder(btPesquisa, grade_);
    setTabOrder(grade_, btOk_);
    setTabOrder(btOk_, btCancela);

    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() + 40;
    for (int i = 0; i < modelo_->columnCount(); ++i) largura += grade_->columnWidth(i);
    resize(largura, 420);
}

TFListRend::~TFListRend() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
}

int TFListRend::Escolhe(Banco& privado, QWidget* pai) {
    if (EscolhaTeste()) return EscolhaTeste()();
    TFListRend lista(privado, pai);
    return lista.exec() == QDialog::Accepted ? lista.codigo() : 0;
}

void TFListRend::DefineEscolhaTeste(std::function<int()> escolha) { EscolhaTeste() = std::move(escolha); }

int TFListRend::codigo() const { return lista_->resultado(); }

std::optional<PadroesVerba> TFListRend::padroes() { return lista_->padroesEscolhidos(); }

void TFListRend::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    Protegido(this, [this] { lista_->mostra(); });
    edPesquisa_->clear();
    atualizaOk();
    edPesquisa_->setFocus();
}

void TFListRend::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (e->spontaneous()) return;
    lista_->esconde();
    atualizaOk();
}

void TFListRend::pesquisa() {
    Protegido(this, [this] {
        lista_->defineOpcaoPesquisa(TFOpcoesPesquisa::Instancia().emVigor());
        lista_->pesquisa(edPesquisa_->text().toStdString());
    });
    atualizaOk();
}

void TFListRend::confirma() {
    if (!lista_->escolhe()) {
        atualizaOk();
        return;
    }
    accept();
}

void TFListRend::atualizaOk() { btOk_->setEnabled(lista_->okHabilitado()); }

}  // namespace korva::ui
