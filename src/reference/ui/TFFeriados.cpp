#include "reference/ui/TFFeriados.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

DefinicaoJanela DefinicaoFeriados(Sessao& sessao) {
    DefinicaoJanela d;
    d.classe = "TFFeriadosPadrao";
    d.titulo = QStringLiteral("Tabela de Feriados");
    d.tabela = "FeriadosPadrao.db";
    ColunaGrade tipo = Coluna("Tipo", QStringLiteral("Tipo"), 20);
    TabelasReferencia referencia(sessao.compartilhado());
    for (const ItemLista& i : referencia.ListaNomes("TipoFeriado.DB"))
        tipo.codigos.emplace_back(i.codigo, QString::fromStdString(i.nome));
    d.colunas = {Coluna("Data", QStringLiteral("Data"), 10), Coluna("Descricao", QStringLiteral("Descrição"), 20),
                 tipo};
    d.editavel = true;
    d.campoInicial = "Data";
    return d;
}

DefinicaoJanela DefinicaoClasses() {
    DefinicaoJanela d;
    d.classe = "TFClasseFeriado";
    d.titulo = QStringLiteral("Classificação dos Feriados");
    d.tabela = "TipoFeriado.DB";
    d.indice = "IndDescricao";
    d.colunas = {Coluna("Descricao", QStringLiteral("Descrição"), 24)};
    d.editavel = true;
    d.campoInicial = "Descricao";
    return d;
}

}  // namespace

TFFeriadosPadrao::TFFeriadosPadrao(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao, DefinicaoFeriados(sessao), pai, false) {
    RegrasFeriados(tabela());
    abre();

    painel_ = new QWidget(this);
    painel_->setObjectName("PnPesquisa");
    auto* lbData = new QLabel(QStringLiteral("Data:"), painel_);
    dtPesquisa_ = new QDateEdit(QDate::currentDate(), painel_);
    dtPesquisa_->setObjectName("DtPesquisa");
    dtPesquisa_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtPesquisa_->setCalendarPopup(true);
    lbData->setBuddy(dtPesquisa_);
    btPesquisa_ = new QToolButton(painel_);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setText(QStringLiteral("Pesquisar"));
    btPesquisa_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisa|Efetua Pesquisa"));
    connect(btPesquisa_, &QToolButton::clicked, this, &TFFeriadosPadrao::pesquisa);
    auto* linha = new QHBoxLayout(painel_);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(lbData);
    linha->addWidget(dtPesquisa_);
    linha->addWidget(btPesquisa_);
    barraSuperior()->addWidget(painel_);
    barraSuperior()->addStretch(1);
    resize(sizeHint());
}

void TFFeriadosPadrao::pesquisa() {
    const QDate d = dtPesquisa_->date();
    Protegido(this, [&] { LocalizaFeriado(tabela(), Data::de(d.year(), d.month(), d.day())); });
    grade().setFocus();
}

void TFFeriadosPadrao::estadoMudou() {
    if (painel_) painel_->setEnabled(!tabela().editando());
}

TFClasseFeriado::TFClasseFeriado(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao, DefinicaoClasses(), pai, false) {
    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    regras_ = std::make_unique<ListaNomesUsuario>(tabela(), *referencia_);
    regras_->abre();
    abre();
    resize(sizeHint());
}

TFClasseFeriado::~TFClasseFeriado() { regras_.reset(); }

}  // namespace korva::ui
