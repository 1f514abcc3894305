#include "register/ui/TFListaProcessos.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
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
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::ui {

namespace {

QCheckBox* Caixa(const char* nome, const QString& texto, bool& estado, QWidget* pai) {
    auto* c = new QCheckBox(texto, pai);
    c->setObjectName(nome);
    QObject::connect(c, &QCheckBox::toggled, pai, [&estado](bool marcada) { estado = marcada; });
    return c;
}

}  // namespace

TFListaProcessos::TFListaProcessos(Sessao& sessao, QWidget* pai)
    : QDialog(pai), sessao_(sessao), lista_(sessao.privado()) {
    setObjectName("TFListaProcessos");
    setWindowTitle(TituloJanela(QStringLiteral("Lista de Processos")));
    setModal(true);

    auto* lbPesquisa = new QLabel(QStringLiteral("Pesquisa:"), this);
    edPesquisa_ = new QLineEdit(this);
    edPesquisa_->setObjectName("EdPesquisa");
    edPesquisa_->setMaxLength(25);
    lbPesquisa->setBuddy(edPesquisa_);
    ForcaMaiusculas(edPesquisa_);
    btPesquisa_ = new QPushButton(QStringLiteral("Pesquisar"), this);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setEnabled(false);

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrProcessos");
    grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade_->setSelectionMode(QAbstractItemView::SingleSelection);
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    pnDuplicar_ = new QGroupBox(QStringLiteral(" Duplicar os seguintes dados: "), this);
    pnDuplicar_->setObjectName("PnDuplicar");
    RegistroProcessos::Copias& copias = lista_.copias();
    cbParam1_ = Caixa("CbParam1", QStringLiteral("Parâmetros por Período"), copias.periodo, pnDuplicar_);
    cbParam2_ = Caixa("CbParam2", QStringLiteral("Parâmetros Mês a Mês"), copias.mesAMes, pnDuplicar_);
    cbBasesINSS_ = Caixa("CbBasesINSS", QStringLiteral("Bases de Cálculo I.N.S.S."), copias.basesINSS, pnDuplicar_);
    cbAcrescimos_ = Caixa("CbAcrescimos", QStringLiteral("Acréscimos"), copias.acrescimos, pnDuplicar_);
    cbJuros_ = Caixa("CbJuros", QStringLiteral("Juros"), copias.juros, pnDuplicar_);
    auto* duplicar = new QHBoxLayout(pnDuplicar_);
    for (QCheckBox* c : {cbParam1_, cbParam2_, cbBasesINSS_, cbAcrescimos_, cbJuros_}) duplicar->addWidget(c);
    duplicar->addStretch();

    pnImportar_ = new QGroupBox(QStringLiteral(" Importar os seguintes dados: "), this);
    pnImportar_->setObjectName("PnImportar");
    ListaProcessos::Importacao& importacao = lista_.importacao();
    cbINSSEmpresa_ = Caixa("CbINSSEmpresa", QStringLiteral("Contribuição Previdenciária da empresa"),
                           importacao.contribuicaoEmpresa, pnImportar_);
    cbIR_ = Caixa("CbIR", QStringLiteral("Imposto de Renda"), importacao.impostoRenda, pnImportar_);
    auto* importar = new QHBoxLayout(pnImportar_);
    importar->addWidget(cbINSSEmpresa_);
    importar->addWidget(cbIR_);
    importar->addStretch();

    btOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btOk_->setObjectName("BtOk");
    btCancela_ = new QPushButton(QStringLiteral("&Cancela"), this);
    btCancela_->setObjectName("BtCancela");
    // Enter belongs to the search field, not to a default button.
    for (QPushButton* b : {btPesquisa_, btOk_, btCancela_}) b->setAutoDefault(false);

    connect(edPesquisa_, &QLineEdit::textChanged, this, &TFListaProcessos::atualizaBotoes);
    connect(edPesquisa_, &QLineEdit::returnPressed, this, [this] {
        if (btPesquisa_->isEnabled()) pesquisa();
    });
    connect(btPesquisa_, &QPushButton::clicked, this, &TFListaProcessos::pesquisa);
    connect(btOk_, &QPushButton::clicked, this, &TFListaProcessos::confirma);
    connect(btCancela_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grade_, &QAbstractItemView::doubleClicked, this, [this] {
        if (btOk_->isEnabled()) confirma();
    });

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbPesquisa);
    topo->addWidget(edPesquisa_);
    topo->addWidget(btPesquisa_);
    topo->addStretch();
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancela_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade_, 1);
    layout->addWidget(pnDuplicar_);
    layout->addWidget(pnImportar_);
    layout->addLayout(botoes);
    edPesquisa_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(27, QChar('0'))));
    resize(860, 480);
}

TFListaProcessos::~TFListaProcessos() {
    // The model goes before the dataset it observes.
    grade_->setModel(nullptr);
    modelo_.reset();
}

TFListaProcessos& TFListaProcessos::Instancia() {
    static QPointer<TFListaProcessos> instancia;
    if (!instancia) {
        TFPrincipal* principal = TFPrincipal::Instancia();
        if (!principal) throw ErroKorva("A janela principal ainda não foi criada.");
        instancia = new TFListaProcessos(principal->sessao(), principal);
    }
    return *instancia;
}

void TFListaProcessos::montaModelo() {
    std::vector<ColunaGrade> colunas;
    for (const auto& [campo, titulo] : ListaProcessos::Colunas()) {
        ColunaGrade c;
        c.campo = campo;
        c.titulo = QString::fromStdString(titulo);
        c.somenteLeitura = true;
        if (campo == "CodRecte") {
            c.formato = QStringLiteral("000");
            c.largura = 5;
        } else if (campo.rfind("INSS", 0) == 0) {
            c.formato = QStringLiteral("#,##0.00");
            c.largura = 8;
        } else if (campo != "Processo" && campo != "DtGrav" && campo != "AdicionarINSSRecte") {
            c.formato = QStringLiteral("#,##0.00");
            c.largura = 12;
        }
        colunas.push_back(std::move(c));
    }
    modelo_ = std::make_unique<ModeloTabela>(lista_.tabela(), std::move(colunas));
    modelo_->defineSomenteLeitura(true);
    grade_->defineModelo(modelo_.get());
    connect(modelo_.get(), &QAbstractItemModel::modelReset, this, &TFListaProcessos::atualizaBotoes);
}

int TFListaProcessos::executa(const std::string& processo, int codRecte) {
    escolha_.reset();
    // The grid's model is made once, over the dataset opened the first time.
    if (!Protegido(this, [&] {
            lista_.mostra(processo, codRecte);
            if (!modelo_) montaModelo();
        }))
        return QDialog::Rejected;
    // The search field is the window's focus when it comes up.
    edPesquisa_->setFocus();
    return exec();
}

void TFListaProcessos::aplicaModo() {
    const bool calculo = lista_.modo() == ListaProcessos::Modo::Calculo;
    pnDuplicar_->setVisible(calculo);
    pnImportar_->setVisible(!calculo);
    const RegistroProcessos::Copias& c = lista_.copias();
    cbParam1_->setChecked(c.periodo);
    cbParam2_->setChecked(c.mesAMes);
    cbBasesINSS_->setChecked(c.basesINSS);
    cbAcrescimos_->setChecked(c.acrescimos);
    cbJuros_->setChecked(c.juros);
    cbINSSEmpresa_->setChecked(lista_.importacao().contribuicaoEmpresa);
    cbIR_->setChecked(lista_.importacao().impostoRenda);
}

void TFListaProcessos::showEvent(QShowEvent* e) {
    if (!lista_.tabela().aberta())
        Protegido(this, [&] {
            lista_.mostra("0", 0);
            if (!modelo_) montaModelo();
        });
    edPesquisa_->clear();
    aplicaModo();
    layout()->activate();
    atualizaBotoes();
    QDialog::showEvent(e);
    edPesquisa_->setFocus();
}

void TFListaProcessos::hideEvent(QHideEvent* e) {
    lista_.oculta();
    QDialog::hideEvent(e);
}

void TFListaProcessos::atualizaBotoes() {
    btOk_->setEnabled(lista_.okHabilitado());
    btPesquisa_->setEnabled(ListaProcessos::PesquisaHabilitada(edPesquisa_->text().toStdString()));
}

void TFListaProcessos::pesquisa() {
    if (Protegido(this, [&] { lista_.pesquisa(edPesquisa_->text().toStdString()); })) grade_->setFocus();
}

void TFListaProcessos::confirma() {
    Protegido(this, [&] {
        escolha_ = lista_.escolhe();
        if (escolha_) accept();
    });
}

}  // namespace korva::ui
