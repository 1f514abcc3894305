#include "parameters/ui/TFRendimen.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Icones.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/Catalogo.h"
#include "parameters/VerbasCatalogo.h"
#include "parameters/ui/ModeloVerbas.h"
#include "parameters/ui/TFRRendimen.h"
#include "reference/TabelasReferencia.h"
#include "register/ui/TFOpcoesPesquisa.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

}  // namespace

TFRendimen::TFRendimen(Sessao& sessao, QWidget* pai) : QWidget(pai), sessao_(sessao) {
    setObjectName("TFRendimen");
    setWindowTitle(TituloJanela(QStringLiteral("Tabela de Verbas")));
    setWindowIcon(Icone(QStringLiteral("rendimentos")));

    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    catalogo_ = std::make_unique<Catalogo>(sessao.privado(), *referencia_);
    catalogo_->abre();

    criaPainelPesquisa();
    criaGrades();

    auto* topo = new QHBoxLayout;
    topo->addWidget(painel_, 1);
    topo->addWidget(btImprimir_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(gdRendimentos_, 3);
    layout->addWidget(nvRendimentos_);
    layout->addSpacing(4);
    layout->addWidget(lbReflexos_);
    layout->addWidget(gdReflexos_, 2);
    layout->addWidget(nvReflexos_);

    setTabOrder(cbOrdem_, edPesquisa_);
    setTabOrder(edPesquisa_, btPesquisa_);
    setTabOrder(btPesquisa_, btOpcoes_);
    setTabOrder(btOpcoes_, btImprimir_);
    setTabOrder(btImprimir_, gdRendimentos_);
    setTabOrder(gdRendimentos_, gdReflexos_);

    // Wide enough for every column of the catalogue, the description whole,
    // within a 1024-pixel desktop.
    int largura = gdRendimentos_->verticalHeader()->width() + 2 * gdRendimentos_->frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left() +
                  layout->contentsMargins().right() + 4;
    for (int i = 0; i < mdRendimentos_->columnCount(); ++i) largura += gdRendimentos_->columnWidth(i);
    tamanho_ = QSize(std::clamp(largura, 640, 1000), 560);
    resize(tamanho_);
    atualizaPainel();
    gdRendimentos_->setFocus();
}

TFRendimen::~TFRendimen() {
    // The views and the models go before the datasets they observe.
    delete gdRendimentos_;
    delete gdReflexos_;
    delete nvRendimentos_;
    delete nvReflexos_;
    delete mdRendimentos_;
    delete mdReflexos_;
}

void TFRendimen::criaPainelPesquisa() {
    painel_ = new QWidget(this);
    painel_->setObjectName("PnPesquisa");

    auto* lbOrdem = new QLabel(QStringLiteral("Ordenado por:"), painel_);
    lbOrdem->setObjectName("LbOrdem");
    cbOrdem_ = new QComboBox(painel_);
    cbOrdem_->setObjectName("CbOrdem");
    cbOrdem_->addItems({QStringLiteral("Código"), QStringLiteral("Rendimento")});
    lbOrdem->setBuddy(cbOrdem_);
    connect(cbOrdem_, &QComboBox::activated, this, &TFRendimen::mudaOrdem);

    auto* lbPesquisa = new QLabel(QStringLiteral("Pesquisa:"), painel_);
    lbPesquisa->setObjectName("LbPesquisa");
    edPesquisa_ = new QLineEdit(painel_);
    edPesquisa_->setObjectName("EdPesquisa");
    edPesquisa_->setMaxLength(40);
    edPesquisa_->setMinimumWidth(edPesquisa_->fontMetrics().horizontalAdvance(QString(24, QChar('M'))));
    lbPesquisa->setBuddy(edPesquisa_);
    connect(edPesquisa_, &QLineEdit::textEdited, edPesquisa_, [this](const QString& t) {
        const int p = edPesquisa_->cursorPosition();
        edPesquisa_->setText(t.toUpper());
        edPesquisa_->setCursorPosition(p);
    });
    connect(edPesquisa_, &QLineEdit::returnPressed, this, &TFRendimen::pesquisa);

    btPesquisa_ = new QToolButton(painel_);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setText(QStringLiteral("Pesquisar"));
    btPesquisa_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisar|Pesquisa a verba pelo texto informado"));
    connect(btPesquisa_, &QToolButton::clicked, this, &TFRendimen::pesquisa);

    btOpcoes_ = new QToolButton(painel_);
    btOpcoes_->setObjectName("BtOpcoes");
    btOpcoes_->setText(QStringLiteral("Opções..."));
    btOpcoes_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btOpcoes_, QStringLiteral("Opções da Pesquisa"));
    connect(btOpcoes_, &QToolButton::clicked, this, &TFRendimen::opcoesPesquisa);

    auto* linha = new QHBoxLayout(painel_);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(lbOrdem);
    linha->addWidget(cbOrdem_);
    linha->addSpacing(12);
    linha->addWidget(lbPesquisa);
    linha->addWidget(edPesquisa_, 1);
    linha->addWidget(btPesquisa_);
    linha->addWidget(btOpcoes_);

    btImprimir_ = new QPushButton(Icone(QStringLiteral("impressora")), QStringLiteral("&Imprimir"), this);
    btImprimir_->setObjectName("BtImprimir");
    DefineDica(btImprimir_, QStringLiteral("Imprimir|Relação de Rendimentos"));
    connect(btImprimir_, &QPushButton::clicked, this, &TFRendimen::imprime);
}

void TFRendimen::criaGrades() {
    Tabela& rend = catalogo_->rendimentos();
    Tabela& refl = catalogo_->reflexos();

    // ---- the catalogue ----
    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Codigo", QStringLiteral("Código"), 4));
    colunas.push_back(Coluna("DescRend", QStringLiteral("Verba"), 38));
    colunas.push_back(Coluna("Qtde", QStringLiteral("Qtde"), 9, "#,##0.0000"));
    colunas.push_back(Coluna("Indice", QStringLiteral("Índice"), 7, "##0.0000"));
    colunas.push_back(Coluna("Divisor", QStringLiteral("Divisor"), 6, "##0.00"));
    colunas.push_back(Coluna("Base", QStringLiteral("Base"), 3));
    ColunaGrade inss = Coluna("INSS", QStringLiteral("INSS"), 3);
    inss.maiusculas = true;
    colunas.push_back(inss);
    colunas.push_back(Coluna("IR", QStringLiteral("I.R."), 3));
    // "Base do I.R.": the description of the item's category, read once per code.
    ColunaGrade baseIR;
    baseIR.titulo = QStringLiteral("Base do I.R.");
    baseIR.largura = 13;
    baseIR.somenteLeitura = true;
    auto nomesIR = std::make_shared<std::map<int64_t, std::string>>();
    const size_t posIR = static_cast<size_t>(rend.definicao().posicao("IR"));
    baseIR.calcula = [this, nomesIR, posIR](const std::vector<Valor>& linha) -> Valor {
        const Valor& ir = linha.at(posIR);
        if (ir.nulo()) return {};
        auto it = nomesIR->find(ir.comoInteiro());
        if (it == nomesIR->end())
            it = nomesIR->emplace(ir.comoInteiro(), referencia_->BasesIR(static_cast<int>(ir.comoInteiro()))).first;
        return Valor(it->second);
    };
    colunas.push_back(baseIR);

    mdRendimentos_ = new ModeloVerbas(rend, std::move(colunas), {"Codigo", "Base"},
                                      [this](const std::string& campo) { return catalogo_->somenteLeitura(campo); },
                                      this);
    gdRendimentos_ = new GradeTabela(this);
    gdRendimentos_->setObjectName("GrRendimentos");
    gdRendimentos_->defineModelo(mdRendimentos_);
    // The description takes the width the window gives.
    gdRendimentos_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    nvRendimentos_ = new NavegadorTabela(this);
    nvRendimentos_->setObjectName("NavRendimentos");
    nvRendimentos_->defineModelo(mdRendimentos_);
    // A system item's deletion is refused by the catalogue itself: no question first.
    nvRendimentos_->defineConfirmacaoExclusao(
        [this] { return catalogo_->somenteLeitura("Codigo") || NavegadorTabela::PerguntaExclusao(this); });

    // ---- the repercussion list of the current item ----
    std::vector<ColunaGrade> reflexos;
    reflexos.push_back(Coluna("Reflexo", QStringLiteral("Item"), 5));
    ColunaGrade descricao;
    descricao.titulo = QStringLiteral("Verba");
    descricao.largura = 34;
    descricao.somenteLeitura = true;
    const size_t posReflexo = static_cast<size_t>(refl.definicao().posicao("Reflexo"));
    descricao.calcula = [this, posReflexo](const std::vector<Valor>& linha) -> Valor {
        const Valor& r = linha.at(posReflexo);
        if (r.nulo()) return {};
        return Valor(VerbasCatalogo(sessao_.privado()).Descricao(static_cast<int>(r.comoInteiro())));
    };
    reflexos.push_back(descricao);
    reflexos.push_back(Coluna("Qtde", QStringLiteral("Qtde"), 9, "#,##0.0000"));
    reflexos.push_back(Coluna("Indice", QStringLiteral("Índice"), 7, "##0.0000"));
    reflexos.push_back(Coluna("Divisor", QStringLiteral("Divisor"), 6, "##0.00"));

    mdReflexos_ = new ModeloVerbas(refl, std::move(reflexos), {"Reflexo"},
                                   [this](const std::string& campo) { return catalogo_->reflexoSomenteLeitura(campo); },
                                   this);
    lbReflexos_ = new QLabel(QStringLiteral("Reflexos"), this);
    lbReflexos_->setObjectName("LbReflexos");
    QFont negrito = lbReflexos_->font();
    negrito.setBold(true);
    lbReflexos_->setFont(negrito);

    gdReflexos_ = new GradeTabela(this);
    gdReflexos_->setObjectName("GrReflexos");
    gdReflexos_->defineModelo(mdReflexos_);
    // The description takes the width the window gives.
    gdReflexos_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lbReflexos_->setBuddy(gdReflexos_);

    nvReflexos_ = new NavegadorTabela(this);
    nvReflexos_->setObjectName("NavReflexos");
    nvReflexos_->defineModelo(mdReflexos_);
    nvReflexos_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });

    // A new row starts typing at its first column (the code; the item of a repercussion).
    connect(mdRendimentos_, &ModeloTabela::estadoMudou, this, [this] {
        if (catalogo_->rendimentos().estado() == EstadoTabela::Insercao)
            vaiParaColunaInicial(gdRendimentos_, mdRendimentos_, Catalogo::CampoInicialVerba);
        atualizaPainel();
    });
    connect(mdReflexos_, &ModeloTabela::estadoMudou, this, [this] {
        if (catalogo_->reflexos().estado() == EstadoTabela::Insercao)
            vaiParaColunaInicial(gdReflexos_, mdReflexos_, Catalogo::CampoInicialReflexo);
        atualizaPainel();
    });
    // The descriptions of the repercussions follow the catalogue's edits.
    connect(mdRendimentos_, &QAbstractItemModel::modelReset, gdReflexos_->viewport(),
            qOverload<>(&QWidget::update));
}

void TFRendimen::vaiParaColunaInicial(GradeTabela* grade, ModeloTabela* modelo, const char* campo) {
    const int coluna = modelo->colunaDoCampo(campo);
    if (coluna < 0 || modelo->linhaAtual() < 0) return;
    grade->setCurrentIndex(modelo->index(modelo->linhaAtual(), coluna));
    grade->setFocus();
}

void TFRendimen::atualizaPainel() {
    painel_->setEnabled(catalogo_->painelPesquisaHabilitado());
    btOpcoes_->setEnabled(catalogo_->opcoesPesquisaHabilitadas());
}

void TFRendimen::pesquisa() {
    Protegido(this, [this] {
        catalogo_->defineOpcaoPesquisa(TFOpcoesPesquisa::Instancia().emVigor());
        catalogo_->pesquisa(edPesquisa_->text().toStdString());
    });
    atualizaPainel();
}

void TFRendimen::mudaOrdem(int indice) {
    const OrdemCatalogo ordem = indice == 1 ? OrdemCatalogo::Rendimento : OrdemCatalogo::Codigo;
    Protegido(this, [&] {
        catalogo_->defineOpcaoPesquisa(TFOpcoesPesquisa::Instancia().emVigor());
        catalogo_->defineOrdem(ordem);
        // A text that is no code is dropped on going to "Código".
        if (ordem == OrdemCatalogo::Codigo && !Catalogo::TextoPesquisaValido(ordem, edPesquisa_->text().toStdString()))
            edPesquisa_->clear();
    });
    cbOrdem_->setCurrentIndex(catalogo_->ordem() == OrdemCatalogo::Rendimento ? 1 : 0);
    atualizaPainel();
}

void TFRendimen::opcoesPesquisa() {
    TFOpcoesPesquisa& opcoes = TFOpcoesPesquisa::Instancia();
    if (opcoes.executa() == QDialog::Accepted) catalogo_->defineOpcaoPesquisa(opcoes.emVigor());
}

void TFRendimen::imprime() {
    if (!gdRendimentos_->confirmaEdicao() || !gdReflexos_->confirmaEdicao()) return;
    Protegido(this, [this] { TFRRendimen::Visualiza(sessao_, this); });
}

void TFRendimen::closeEvent(QCloseEvent* e) {
    // What is still in a cell editor goes into its field first.
    gdRendimentos_->confirmaEdicao();
    gdReflexos_->confirmaEdicao();
    if (!Protegido(this, [this] { catalogo_->fecha(); })) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

}  // namespace korva::ui
