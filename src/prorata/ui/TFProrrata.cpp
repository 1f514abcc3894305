#include "prorata/ui/TFProrrata.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CampoMaiusculas.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Mensagens.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ui/TFPegaData.h"
#include "prorata/ControlesProrrata.h"
#include "prorata/PrecatoriosXml.h"
#include "prorata/RegistrosProrrata.h"
#include "prorata/RelatorioProrrata.h"
#include "prorata/ui/CamposLigados.h"
#include "prorata/ui/ColunasProrrata.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "register/RegrasAcrescimos.h"
#include "register/ui/TFListaProcessos.h"
#include "reports/render/MedidorQt.h"
#include "reports/ui/TFPreview.h"
#include "spreadsheets/ui/ExportacaoPlanilha.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* FormatoValor = "#,##0.00";

// The grid of the records shows eight columns; the fields the page edits as
// text follow, hidden, so the fields are formatted as the grid formats them.
constexpr int ColunasVisiveis = 8;

std::vector<ColunaGrade> ColunasProrrata(const std::vector<ItemLista>& indices) {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Processo", QStringLiteral("Processo"), 25));
    c.push_back(Coluna("CodRecte", QStringLiteral("Grupo"), 5, QStringLiteral("000")));
    c.push_back(Coluna("DtAjuiz", QStringLiteral("Dt. Ajuiz.")));
    c.push_back(Coluna("DtBase", QStringLiteral("Dt. Base")));
    c.push_back(Coluna("Valor", QStringLiteral("Valor"), 14, QString::fromUtf8(FormatoValor)));
    c.push_back(Coluna("DtFinal", QStringLiteral("Dt. Final")));
    ColunaGrade indice = Coluna("Indice", QStringLiteral("Indice"), 20);
    for (const auto& i : indices) indice.codigos.emplace_back(i.codigo, Q(i.nome));
    c.push_back(std::move(indice));
    c.push_back(Coluna("Obs", QStringLiteral("Obs"), 30));
    for (const char* campo : {"Parte1", "Parte2"}) c.push_back(Coluna(campo, Q(campo)));
    for (const char* campo : {"ValorJuros", "ValorFGTS"})
        c.push_back(Coluna(campo, Q(campo), 0, QString::fromUtf8(FormatoValor)));
    for (auto& col : c) col.somenteLeitura = true;  // the grid only shows; the fields edit
    return c;
}

std::vector<ColunaGrade> ColunasParcelas() {
    return {Coluna("Data", QStringLiteral("Data")),
            Coluna("Valor", QStringLiteral("Valor"), 14, QString::fromUtf8(FormatoValor))};
}

std::vector<ColunaGrade> ColunasJuros() {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Data", QStringLiteral("Data")));
    c.push_back(Coluna("Juros", QStringLiteral("Juros"), 7, QStringLiteral("#,##0.00")));
    ColunaGrade forma = Coluna("Forma", QStringLiteral("Forma"), 5);
    forma.maiusculas = true;
    c.push_back(std::move(forma));
    return c;
}


QToolButton* BotaoData(const char* nome, QWidget* pai) {
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(QStringLiteral("..."));
    DefineDica(b, QStringLiteral("Selecionar a data"));
    return b;
}

QLabel* Rotulo(const QString& texto, QWidget* campo, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setBuddy(campo);
    return l;
}

QLineEdit* Edicao(const char* nome, int caracteres, QWidget* pai, bool direita = false) {
    auto* ed = new QLineEdit(pai);
    ed->setObjectName(nome);
    const int largura = ed->fontMetrics().horizontalAdvance(QString(caracteres, QChar('0'))) + 14;
    ed->setMinimumWidth(largura);
    if (direita) ed->setAlignment(Qt::AlignRight);
    return ed;
}

}  // namespace

TFProrrata::TFProrrata(Sessao& sessao, QWidget* pai) : QWidget(pai), sessao_(sessao) {
    setObjectName("TFProrrata");
    setWindowTitle(TituloJanela(QStringLiteral("Atualização Diária dos Cálculos")));
    medidor_ = std::make_unique<MedidorQt>();
    registros_ = std::make_unique<RegistrosProrrata>(sessao.privado(), AjustesDe(sessao.configuracoes()));
    registros_->abre();

    std::vector<ItemLista> indices;
    {
        TabelasReferencia referencia(sessao.compartilhado());
        indices = referencia.ListaNomes("NomeIndiceDiario.DB");
    }
    modelo_ = std::make_unique<ModeloTabela>(registros_->registros(), ColunasProrrata(indices));
    modeloParcelas_ = std::make_unique<ModeloTabela>(registros_->parcelas(), ColunasParcelas());
    campos_ = new CamposLigados([this] { return modelo_.get(); }, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(montaFerramentas());
    paginas_ = new QTabWidget(this);
    paginas_->setObjectName("PgPaginas");
    paginas_->addTab(montaPaginaProcesso(), QStringLiteral("Pr&ocesso"));
    paginas_->addTab(montaPaginaParametros(), QStringLiteral("&Parâmetros"));
    layout->addWidget(paginas_, 1);

    // The index series by name, in name order.
    if (auto* cb = findChild<QComboBox*>("CbIndice"))
        for (const auto& i : indices) cb->addItem(Q(i.nome), QVariant::fromValue<qlonglong>(i.codigo));

    connect(modelo_.get(), &ModeloTabela::linhaAtualMudou, this, [this] {
        campos_->esquece();
        atualiza();
    });
    connect(modelo_.get(), &ModeloTabela::estadoMudou, this, [this] {
        Tabela& t = registros_->registros();
        const bool editando = t.aberta() && t.editando();
        if (!editando) campos_->esquece();
        const bool voltouANavegar = estavaEditando_ && !editando;
        estavaEditando_ = editando;
        atualiza();
        if (voltouANavegar && isVisible() && paginas_->currentIndex() == PgProcesso) gradeProrrata_->setFocus();
    });
    connect(modelo_.get(), &QAbstractItemModel::dataChanged, this, [this] { atualiza(); });
    connect(modelo_.get(), &QAbstractItemModel::modelReset, this, [this] {
        campos_->esquece();
        atualiza();
    });
    for (ModeloTabela* m : {modeloParcelas_.get()})
        connect(m, &ModeloTabela::estadoMudou, this, [this] { atualizaHabilitacao(); });
    connect(campos_, &CamposLigados::campoAlterado, this, [this] { atualiza(); });
    connect(paginas_, &QTabWidget::currentChanged, this, [this](int p) { aoMudarPagina(p); });

    paginas_->setCurrentIndex(PgProcesso);
    atualiza();
    resize(900, 640);
    gradeProrrata_->setFocus();
}

TFProrrata::~TFProrrata() {
    // Nothing a child says while it goes reaches this window any more.
    for (QObject* filho : findChildren<QObject*>()) QObject::disconnect(filho, nullptr, this, nullptr);
    campos_->esquece();
    // The views and models go before the datasets they observe.
    delete gradeJuros_;
    delete navJuros_;
    delete gradeAcrescimos_;
    delete navAcrescimos_;
    gradeJuros_ = gradeAcrescimos_ = nullptr;
    navJuros_ = navAcrescimos_ = nullptr;
    modeloJuros_.reset();
    modeloAcrescimos_.reset();
    delete gradeProrrata_;
    delete navProrrata_;
    delete navParametros_;
    delete gradeParcelas_;
    delete navParcelas_;
    gradeProrrata_ = gradeParcelas_ = nullptr;
    navProrrata_ = navParametros_ = navParcelas_ = nullptr;
    modelo_.reset();
    modeloParcelas_.reset();
}

// ---- layout ----

QWidget* TFProrrata::montaFerramentas() {
    auto* painel = new QWidget(this);
    painel->setObjectName("PnFerramentas");
    auto* l = new QHBoxLayout(painel);
    l->setContentsMargins(0, 0, 0, 0);
    auto botao = [&](const char* nome, const QString& texto, const QString& dica) {
        auto* b = new QPushButton(texto, painel);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(texto) + 40);
        DefineDica(b, dica);
        l->addWidget(b);
        return b;
    };
    btAtualizacao_ = botao("BtAtualizacao", QStringLiteral("&Atualização"), QStringLiteral("Atualizar Valores"));
    // Without the court-payments program the import is not offered, and
    // "&Buscar Processo" takes its place.
    btPrecatorios_ = botao("BtPrecatorios", QStringLiteral("&Precatórios"),
                           QStringLiteral("Importar dados dos Precatórios"));
    btPrecatorios_->setVisible(sessao_.configuracoes().integraPrecatorios != "N");
    btBuscarProcesso_ =
        botao("BtBuscarProcesso", QStringLiteral("&Buscar Processo"), QStringLiteral("Duplicar Cálculo"));
    btPlanilha_ = botao("BtExportarPlanilha", QStringLiteral("Exportar P&lanilha..."),
                        QStringLiteral("Grava o extrato da atualização numa planilha (.xlsx)"));
    l->addStretch(1);
    connect(btPlanilha_, &QPushButton::clicked, this, [this] {
        if (!confirmaCampos() || !Protegido(this, [this] { registros_->ExigeProcesso(); })) return;
        Tabela& t = registros_->registros();
        ExportaPlanilhaDeProrrata(this, sessao_, registros_->codigoAtual(), t.valor("Processo").comoTexto(),
                                  static_cast<int>(t.valor("CodRecte").comoInteiro()));
    });
    connect(btAtualizacao_, &QPushButton::clicked, this, [this] {
        if (confirmaCampos()) atualizacao();
    });
    connect(btPrecatorios_, &QPushButton::clicked, this, [this] {
        if (confirmaCampos()) precatorios();
    });
    connect(btBuscarProcesso_, &QPushButton::clicked, this, [this] {
        atualizaBuscar();
        if (btBuscarProcesso_->isEnabled() && confirmaCampos()) buscarProcesso();
    });
    return painel;
}

QWidget* TFProrrata::montaPaginaProcesso() {
    auto* pagina = new QWidget;
    pagina->setObjectName("TsProcesso");
    auto* layout = new QVBoxLayout(pagina);

    // Navigator and search bar.
    navProrrata_ = new NavegadorTabela(pagina);
    navProrrata_->setObjectName("NavProrrata");
    navProrrata_->defineModelo(modelo_.get());
    protegeNavegador(navProrrata_);
    // Deleting a record takes its instalments, additions and variations with it.
    if (QToolButton* excluir = navProrrata_->botao(NavegadorTabela::Excluir)) {
        QObject::disconnect(excluir, &QToolButton::clicked, navProrrata_, nullptr);
        connect(excluir, &QToolButton::clicked, this, [this] {
            if (!registros_->registros().aberta() || modelo_->rowCount() == 0) return;
            if (!NavegadorTabela::PerguntaExclusao(this)) return;
            campos_->esquece();
            Protegido(this, [this] { registros_->excluiRegistro(); });
            navProrrata_->atualizaEstado();
            atualiza();
        });
    }
    connect(navProrrata_, &NavegadorTabela::acionado, this, [this](int botao) {
        Tabela& t = registros_->registros();
        if ((botao == NavegadorTabela::Inserir || botao == NavegadorTabela::Editar) && t.editando())
            edProcesso_->setFocus();
    });

    lbPesquisa_ = new QLabel(QStringLiteral("Pesquisa:"), pagina);
    lbPesquisa_->setObjectName("LbPesquisa");
    edPesquisa_ = new QLineEdit(pagina);
    edPesquisa_->setObjectName("EdPesquisa");
    edPesquisa_->setMaxLength(25);
    lbPesquisa_->setBuddy(edPesquisa_);
    ForcaMaiusculas(edPesquisa_);
    btPesquisa_ = new QPushButton(QStringLiteral("Pesquisar"), pagina);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setAutoDefault(false);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisar o processo"));
    connect(edPesquisa_, &QLineEdit::textChanged, this, [this] { atualizaHabilitacao(); });
    connect(edPesquisa_, &QLineEdit::returnPressed, this, [this] {
        if (btPesquisa_->isEnabled()) btPesquisa_->click();
    });
    connect(btPesquisa_, &QPushButton::clicked, this, [this] { pesquisa(); });
    auto* barra = new QHBoxLayout;
    barra->addWidget(navProrrata_);
    barra->addSpacing(16);
    barra->addWidget(lbPesquisa_);
    barra->addWidget(edPesquisa_, 1);
    barra->addWidget(btPesquisa_);
    layout->addLayout(barra);

    // The records.
    gradeProrrata_ = new GradeTabela(pagina);
    gradeProrrata_->setObjectName("GradeProrrata");
    gradeProrrata_->defineModelo(modelo_.get());
    for (int i = ColunasVisiveis; i < modelo_->columnCount(); ++i) gradeProrrata_->setColumnHidden(i, true);
    gradeProrrata_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gradeProrrata_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gradeProrrata_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gradeProrrata_->horizontalHeader()->setStretchLastSection(true);
    gradeProrrata_->installEventFilter(this);
    gradeProrrata_->viewport()->installEventFilter(this);
    connect(gradeProrrata_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { atualizaBuscar(); });
    connect(modelo_.get(), &QAbstractItemModel::modelReset, this, [this] {
        // A new model reset keeps the same selection model: follow it again.
        atualizaBuscar();
    });
    layout->addWidget(gradeProrrata_, 1);

    // The fields of the current record.
    auto* gbRegistro = new QWidget(pagina);
    gbRegistro->setObjectName("PnRegistro");
    auto* campos = new QGridLayout(gbRegistro);
    campos->setContentsMargins(0, 4, 0, 4);
    edProcesso_ = Edicao("EdProcesso", 25, gbRegistro);
    auto* edCodRecte = Edicao("EdCodRecte", 4, gbRegistro, true);
    auto* edDtAjuiz = Edicao("EdDtAjuiz", 10, gbRegistro);
    auto* edDtBase = Edicao("EdDtBase", 10, gbRegistro);
    auto* edValor = Edicao("EdValor", 14, gbRegistro, true);
    auto* edDtFinal = Edicao("EdDtFinal", 10, gbRegistro);
    auto* edParte1 = Edicao("EdParte1", 30, gbRegistro);
    auto* edParte2 = Edicao("EdParte2", 30, gbRegistro);
    auto* cbIndice = new QComboBox(gbRegistro);
    cbIndice->setObjectName("CbIndice");
    cbIndice->setMinimumContentsLength(24);
    cbIndice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* edObs = Edicao("EdObs", 30, gbRegistro);
    auto* edValorFGTS = Edicao("EdValorFGTS", 14, gbRegistro, true);
    auto* ckJurosFGTS = new QCheckBox(QStringLiteral("Juros de 1% do FGTS"), gbRegistro);
    ckJurosFGTS->setObjectName("CkJurosFGTS");
    for (QLineEdit* ed : {edCodRecte, edDtAjuiz, edDtBase, edDtFinal, edValor, edValorFGTS})
        ed->setMaximumWidth(ed->minimumWidth());
    btDtAjuiz_ = BotaoData("BtDtAjuiz", gbRegistro);
    btDtBase_ = BotaoData("BtDtBase", gbRegistro);
    btDtFinal_ = BotaoData("BtDtFinal", gbRegistro);
    connect(btDtAjuiz_, &QToolButton::clicked, this, [this] { pegaData("DtAjuiz"); });
    connect(btDtBase_, &QToolButton::clicked, this, [this] { pegaData("DtBase"); });
    connect(btDtFinal_, &QToolButton::clicked, this, [this] { pegaData("DtFinal"); });

    dtImpressao_ = new QDateEdit(QDate::currentDate(), gbRegistro);
    dtImpressao_->setObjectName("DtImpressao");
    dtImpressao_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtImpressao_->setCalendarPopup(true);

    auto comBotao = [&](QLineEdit* ed, QToolButton* b) {
        auto* h = new QHBoxLayout;
        h->setSpacing(2);
        h->addWidget(ed);
        h->addWidget(b);
        h->addStretch();
        return h;
    };
    auto linha = [&](std::initializer_list<QWidget*> ws) {
        auto* h = new QHBoxLayout;
        for (QWidget* w : ws) h->addWidget(w);
        h->addStretch();
        return h;
    };
    // Three columns of label and field.
    campos->addWidget(Rotulo(QStringLiteral("Processo:"), edProcesso_, gbRegistro), 0, 0);
    campos->addWidget(edProcesso_, 0, 1);
    campos->addWidget(Rotulo(QStringLiteral("Grupo:"), edCodRecte, gbRegistro), 0, 2);
    campos->addLayout(linha({edCodRecte}), 0, 3);
    campos->addWidget(Rotulo(QStringLiteral("Dt. Impressão:"), dtImpressao_, gbRegistro), 0, 4);
    campos->addLayout(linha({dtImpressao_}), 0, 5);

    campos->addWidget(Rotulo(QStringLiteral("Dt. Ajuiz.:"), edDtAjuiz, gbRegistro), 1, 0);
    campos->addLayout(comBotao(edDtAjuiz, btDtAjuiz_), 1, 1);
    campos->addWidget(Rotulo(QStringLiteral("Dt. Base:"), edDtBase, gbRegistro), 1, 2);
    campos->addLayout(comBotao(edDtBase, btDtBase_), 1, 3);
    campos->addWidget(Rotulo(QStringLiteral("Dt. Final:"), edDtFinal, gbRegistro), 1, 4);
    campos->addLayout(comBotao(edDtFinal, btDtFinal_), 1, 5);

    campos->addWidget(Rotulo(QStringLiteral("Vl. Principal:"), edValor, gbRegistro), 2, 0);
    campos->addLayout(linha({edValor}), 2, 1);
    campos->addWidget(Rotulo(QStringLiteral("Vl. FGTS:"), edValorFGTS, gbRegistro), 2, 2);
    campos->addLayout(linha({edValorFGTS}), 2, 3);
    campos->addWidget(ckJurosFGTS, 2, 4, 1, 2);

    campos->addWidget(Rotulo(QStringLiteral("Partes:"), edParte1, gbRegistro), 3, 0);
    campos->addWidget(edParte1, 3, 1);
    campos->addWidget(edParte2, 3, 2, 1, 4);
    campos->addWidget(Rotulo(QStringLiteral("Índice:"), cbIndice, gbRegistro), 4, 0);
    campos->addWidget(cbIndice, 4, 1);
    campos->addWidget(Rotulo(QStringLiteral("Obs.:"), edObs, gbRegistro), 4, 2);
    campos->addWidget(edObs, 4, 3, 1, 3);
    campos->setColumnStretch(1, 2);
    campos->setColumnStretch(5, 1);
    campos->setRowStretch(5, 1);  // the fields stay together at the top

    // The instalments.
    auto* gbParcelas = new QGroupBox(QStringLiteral("Pagamento de Parcelas:"), pagina);
    gbParcelas->setObjectName("GbParcelas");
    auto* lp = new QVBoxLayout(gbParcelas);
    gradeParcelas_ = new GradeTabela(gbParcelas);
    gradeParcelas_->setObjectName("GradeParcelas");
    navParcelas_ = new NavegadorTabela(gbParcelas);
    navParcelas_->setObjectName("NavParcelas");
    gradeParcelas_->defineModelo(modeloParcelas_.get());
    navParcelas_->defineModelo(modeloParcelas_.get());
    gradeParcelas_->horizontalHeader()->setStretchLastSection(true);
    ligaGradeFilha(gradeParcelas_, navParcelas_, "Data");
    lp->addWidget(gradeParcelas_, 1);
    lp->addWidget(navParcelas_);
    gbParcelas->setMinimumWidth(260);

    auto* baixo = new QHBoxLayout;
    baixo->addWidget(gbRegistro, 3);
    baixo->addWidget(gbParcelas, 1);
    layout->addLayout(baixo);

    campos_->texto(edProcesso_, "Processo", true);
    campos_->texto(edCodRecte, "CodRecte");
    campos_->texto(edDtAjuiz, "DtAjuiz");
    campos_->texto(edDtBase, "DtBase");
    campos_->texto(edValor, "Valor");
    campos_->texto(edDtFinal, "DtFinal");
    campos_->texto(edParte1, "Parte1");
    campos_->texto(edParte2, "Parte2");
    campos_->lista(cbIndice, "Indice");
    campos_->texto(edObs, "Obs");
    campos_->texto(edValorFGTS, "ValorFGTS");
    campos_->caixa(ckJurosFGTS, "CalcularJurosFGTS");

    setTabOrder(edProcesso_, edCodRecte);
    setTabOrder(edCodRecte, edDtAjuiz);
    setTabOrder(edDtAjuiz, edDtBase);
    setTabOrder(edDtBase, edValor);
    setTabOrder(edValor, edDtFinal);
    setTabOrder(edDtFinal, edParte1);
    setTabOrder(edParte1, edParte2);
    setTabOrder(edParte2, cbIndice);
    setTabOrder(cbIndice, edObs);
    setTabOrder(edObs, edValorFGTS);
    setTabOrder(edValorFGTS, ckJurosFGTS);
    setTabOrder(ckJurosFGTS, dtImpressao_);
    setTabOrder(dtImpressao_, gradeParcelas_);
    return pagina;
}

QWidget* TFProrrata::montaPaginaParametros() {
    auto* pagina = new QWidget;
    pagina->setObjectName("TsParametros");
    auto* layout = new QVBoxLayout(pagina);

    // " Juros: "
    auto* gbJuros = new QGroupBox(QStringLiteral(" Juros: "), pagina);
    gbJuros->setObjectName("GbJuros");
    auto* lj = new QHBoxLayout(gbJuros);
    auto* esquerda = new QVBoxLayout;
    ckComJuros_ = new QCheckBox(QStringLiteral("Calcular Juros"), gbJuros);
    ckComJuros_->setObjectName("CkComJuros");
    esquerda->addWidget(ckComJuros_);

    rgCalculoJuros_ = new QGroupBox(QStringLiteral(" Cálculo dos Juros: "), gbJuros);
    rgCalculoJuros_->setObjectName("RgCalculoJuros");
    auto* grupoCalculo = new QButtonGroup(rgCalculoJuros_);
    {
        auto* l = new QHBoxLayout(rgCalculoJuros_);
        auto* constantes = new QRadioButton(QStringLiteral("Constantes"), rgCalculoJuros_);
        constantes->setObjectName("RbConstantes");
        auto* regressivos = new QRadioButton(QStringLiteral("Regressivos"), rgCalculoJuros_);
        regressivos->setObjectName("RbRegressivos");
        grupoCalculo->addButton(constantes, 1);
        grupoCalculo->addButton(regressivos, 0);
        l->addWidget(constantes);
        l->addWidget(regressivos);
        l->addStretch();
    }
    esquerda->addWidget(rgCalculoJuros_);

    edValorJuros_ = Edicao("EdValorJuros", 14, gbJuros, true);
    edValorJuros_->setMaximumWidth(edValorJuros_->minimumWidth());
    lbValorJuros_ = Rotulo(QStringLiteral("Juros:"), edValorJuros_, gbJuros);
    lbValorJuros_->setObjectName("LbValorJuros");
    {
        auto* h = new QHBoxLayout;
        h->addWidget(lbValorJuros_);
        h->addWidget(edValorJuros_);
        h->addStretch();
        esquerda->addLayout(h);
    }

    rgJuros_ = new QGroupBox(QStringLiteral(" Juros: "), gbJuros);
    rgJuros_->setObjectName("RgJuros");
    auto* grupoModo = new QButtonGroup(rgJuros_);
    {
        auto* l = new QVBoxLayout(rgJuros_);
        const QString textos[] = {QStringLiteral("Juros Legais"), QStringLiteral("Limitar Juros"),
                                  QStringLiteral("Informar variação")};
        for (int i = 0; i < 3; ++i) {
            auto* rb = new QRadioButton(textos[i], rgJuros_);
            rb->setObjectName(QStringLiteral("RbJuros%1").arg(i));
            grupoModo->addButton(rb, i);
            l->addWidget(rb);
        }
    }
    esquerda->addWidget(rgJuros_);
    esquerda->addStretch();
    lj->addLayout(esquerda);

    gbVariacao_ = new QGroupBox(QStringLiteral(" Juros: "), gbJuros);
    gbVariacao_->setObjectName("GbVariacao");
    {
        auto* l = new QVBoxLayout(gbVariacao_);
        btJurosLegais_ = new QPushButton(QStringLiteral("Juros Legais"), gbVariacao_);
        btJurosLegais_->setObjectName("BtJurosLegais");
        btJurosLegais_->setAutoDefault(false);
        DefineDica(btJurosLegais_, QStringLiteral("Juros Legais|Substitui a variação pelos juros legais"));
        connect(btJurosLegais_, &QPushButton::clicked, this, [this] { jurosLegais(); });
        auto* h = new QHBoxLayout;
        h->addStretch();
        h->addWidget(btJurosLegais_);
        l->addLayout(h);
        // The grid and its navigator are made when the page opens the table.
    }
    lj->addWidget(gbVariacao_, 1);
    layout->addWidget(gbJuros, 1);

    // " Forma de Abatimento das Parcelas: "
    auto* rgForma = new QGroupBox(QStringLiteral(" Forma de Abatimento das Parcelas: "), pagina);
    rgForma->setObjectName("RgFormaAbatimento");
    auto* grupoForma = new QButtonGroup(rgForma);
    {
        auto* l = new QHBoxLayout(rgForma);
        auto* juros = new QRadioButton(QStringLiteral("Abatendo primeiramente o valor dos &Juros"), rgForma);
        juros->setObjectName("RbAbatimentoJuros");
        auto* proporcional = new QRadioButton(QStringLiteral("&Proporcinal entre os juros e o principal"), rgForma);
        proporcional->setObjectName("RbAbatimentoProporcional");
        grupoForma->addButton(juros, 0);
        grupoForma->addButton(proporcional, 1);
        l->addWidget(juros);
        l->addSpacing(16);
        l->addWidget(proporcional);
        l->addStretch();
    }
    navParametros_ = new NavegadorTabela(pagina);
    navParametros_->setObjectName("NavParametros");
    navParametros_->defineModelo(modelo_.get());
    navParametros_->defineBotoes(NavegadorTabela::Editar | NavegadorTabela::Gravar | NavegadorTabela::Cancelar);
    protegeNavegador(navParametros_);
    connect(navParametros_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao == NavegadorTabela::Editar && registros_->registros().editando()) ckComJuros_->setFocus();
    });
    {
        auto* h = new QHBoxLayout;
        h->addWidget(rgForma, 1);
        h->addWidget(navParametros_, 0, Qt::AlignBottom);
        layout->addLayout(h);
    }

    // " Acréscimos: " and " Observação Complementar: "
    auto* gbAcrescimos = new QGroupBox(QStringLiteral(" Acréscimos: "), pagina);
    gbAcrescimos->setObjectName("GbAcrescimos");
    new QVBoxLayout(gbAcrescimos);
    auto* gbObs = new QGroupBox(QStringLiteral(" Observação Complementar: "), pagina);
    gbObs->setObjectName("GbObsFinal");
    memoObsFinal_ = new QPlainTextEdit(gbObs);
    memoObsFinal_->setObjectName("MemoObsFinal");
    {
        auto* l = new QVBoxLayout(gbObs);
        l->addWidget(memoObsFinal_);
    }
    auto* h = new QHBoxLayout;
    h->addWidget(gbAcrescimos, 3);
    h->addWidget(gbObs, 2);
    layout->addLayout(h, 1);

    campos_->caixa(ckComJuros_, "ComJuros");
    campos_->opcoes(grupoCalculo, "JurosConstantes");
    campos_->texto(edValorJuros_, "ValorJuros");
    campos_->opcoes(grupoModo, "UsarJurosPadrao");
    campos_->opcoesTexto(grupoForma, "FormaAbatimento", {"J", "P"});
    campos_->memo(memoObsFinal_, "ObsFinal", 240);
    // The interest controls follow each click at once.
    connect(ckComJuros_, &QCheckBox::clicked, this, [this] { atualizaJuros(); });
    connect(grupoCalculo, &QButtonGroup::idClicked, this, [this] { atualizaJuros(); });
    connect(grupoModo, &QButtonGroup::idClicked, this, [this] { atualizaJuros(); });
    return pagina;
}

void TFProrrata::protegeNavegador(NavegadorTabela* nav) {
    for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
        if (QToolButton* w = nav->botao(static_cast<NavegadorTabela::Botao>(b))) w->installEventFilter(this);
}

void TFProrrata::ligaGradeFilha(GradeTabela* grade, NavegadorTabela* nav, const char* primeiraColuna) {
    nav->defineBotoes(NavegadorTabela::Todos & ~NavegadorTabela::Atualizar);
    nav->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    protegeNavegador(nav);
    const std::string coluna = primeiraColuna;
    connect(nav, &NavegadorTabela::acionado, this, [grade, coluna](int botao) {
        ModeloTabela* m = grade->modelo();
        if (botao != NavegadorTabela::Inserir || !m || !m->tabela().editando()) return;
        grade->setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(coluna)));
        grade->setFocus();
    });
    connect(grade->modelo(), &ModeloTabela::estadoMudou, this, [this] { atualizaHabilitacao(); });
}

// ---- the parameters page's tables ----

void TFProrrata::abreParametros() {
    if (!Protegido(this, [this] { registros_->abreParametros(); })) return;
    Tabela* juros = registros_->juros();
    Tabela* acrescimos = registros_->acrescimos();
    if (juros) {
        modeloJuros_ = std::make_unique<ModeloTabela>(*juros, ColunasJuros());
        gradeJuros_ = new GradeTabela(gbVariacao_);
        gradeJuros_->setObjectName("GradeJuros");
        gradeJuros_->defineModelo(modeloJuros_.get());
        gradeJuros_->horizontalHeader()->setStretchLastSection(true);
        navJuros_ = new NavegadorTabela(gbVariacao_);
        navJuros_->setObjectName("NavJuros");
        navJuros_->defineModelo(modeloJuros_.get());
        ligaGradeFilha(gradeJuros_, navJuros_, "Data");
        auto* l = static_cast<QVBoxLayout*>(gbVariacao_->layout());
        l->insertWidget(0, gradeJuros_, 1);
        l->insertWidget(1, navJuros_);
    }
    if (acrescimos) {
        modeloAcrescimos_ = std::make_unique<ModeloTabela>(*acrescimos, ColunasAcrescimosProrrata());
        auto* gb = findChild<QGroupBox*>("GbAcrescimos");
        gradeAcrescimos_ = new GradeTabela(gb);
        gradeAcrescimos_->setObjectName("GradeAcrescimos");
        gradeAcrescimos_->defineModelo(modeloAcrescimos_.get());
        gradeAcrescimos_->horizontalHeader()->setStretchLastSection(true);
        navAcrescimos_ = new NavegadorTabela(gb);
        navAcrescimos_->setObjectName("NavAcrescimos");
        navAcrescimos_->defineModelo(modeloAcrescimos_.get());
        ligaGradeFilha(gradeAcrescimos_, navAcrescimos_, PrimeiraColunaAcrescimos);
        gb->layout()->addWidget(gradeAcrescimos_);
        gb->layout()->addWidget(navAcrescimos_);
    }
    setTabOrder(memoObsFinal_, gradeAcrescimos_ ? static_cast<QWidget*>(gradeAcrescimos_) : ckComJuros_);
    atualiza();
}

void TFProrrata::fechaParametros() {
    // The grids let go of the tables before those close.
    delete gradeJuros_;
    delete navJuros_;
    delete gradeAcrescimos_;
    delete navAcrescimos_;
    gradeJuros_ = gradeAcrescimos_ = nullptr;
    navJuros_ = navAcrescimos_ = nullptr;
    modeloJuros_.reset();
    modeloAcrescimos_.reset();
    Protegido(this, [this] { registros_->fechaParametros(); });
}

void TFProrrata::aoMudarPagina(int pagina) {
    const int anterior = paginaAtual_;
    if (pagina == anterior) return;
    auto volta = [&] {
        const QSignalBlocker bloqueio(paginas_);
        paginas_->setCurrentIndex(anterior);
    };
    for (GradeTabela* g : {gradeParcelas_, gradeJuros_, gradeAcrescimos_})
        if (g) g->confirmaEdicao();
    if (!confirmaCampos()) {
        volta();
        return;
    }
    std::optional<std::string> recusa = anterior == PgProcesso
                                            ? RecusaSairProcesso(selecionados(), registros_->registroOuParcelaEditando())
                                            : RecusaSairParametros(registros_->parametrosEditando());
    if (recusa) {
        volta();
        MostraTexto(Q(*recusa), this);
        return;
    }
    paginaAtual_ = pagina;
    if (anterior == PgParametros) fechaParametros();
    if (pagina == PgParametros) abreParametros();
    atualiza();
}

// ---- showing the current record ----

bool TFProrrata::confirmaCampos() { return campos_->confirma(); }

void TFProrrata::atualiza() {
    if (atualizando_) return;
    atualizando_ = true;
    campos_->mostra();
    atualizaHabilitacao();
    atualizando_ = false;
}

int TFProrrata::selecionados() const {
    if (!gradeProrrata_ || !gradeProrrata_->selectionModel()) return 0;
    return static_cast<int>(gradeProrrata_->selectionModel()->selectedRows().size());
}

void TFProrrata::atualizaHabilitacao() {
    Tabela& t = registros_->registros();
    const bool aberta = t.aberta();
    const bool editando = registros_->algumEditando();
    const bool temLinha = aberta && (t.editando() || (!t.vazia() && t.posicao() >= 0));
    for (QWidget* w : std::initializer_list<QWidget*>{gradeProrrata_, lbPesquisa_, edPesquisa_, btAtualizacao_,
                                                      btPrecatorios_, btPlanilha_})
        w->setEnabled(!editando);
    btPesquisa_->setEnabled(!editando && !edPesquisa_->text().trimmed().isEmpty());
    for (QWidget* w : std::initializer_list<QWidget*>{btDtAjuiz_, btDtBase_, btDtFinal_}) w->setEnabled(editando);
    campos_->habilita(temLinha);
    atualizaBuscar();
    atualizaJuros();
}

void TFProrrata::atualizaBuscar() {
    if (!btBuscarProcesso_) return;
    btBuscarProcesso_->setEnabled(!registros_->algumEditando() && BuscarHabilitado(selecionados()));
}

void TFProrrata::atualizaJuros() {
    Tabela& t = registros_->registros();
    const bool temLinha = t.aberta() && (t.editando() || (!t.vazia() && t.posicao() >= 0));
    HabilitacaoJuros h;
    if (temLinha) {
        const Valor& modo = t.valor("UsarJurosPadrao");
        h = RegraJuros(t.valor("ComJuros").comoLogico(), t.valor("JurosConstantes").comoLogico(),
                       modo.nulo() ? -1 : static_cast<int>(modo.comoInteiro()));
    }
    rgCalculoJuros_->setEnabled(h.grupos);
    rgJuros_->setEnabled(h.grupos);
    lbValorJuros_->setEnabled(h.valorJuros);
    edValorJuros_->setEnabled(h.valorJuros);
    gbVariacao_->setEnabled(h.variacoes);
    btJurosLegais_->setEnabled(h.variacoes);
    // A variation being typed does not survive its group being switched off.
    if (!h.variacoes && modeloJuros_) {
        Tabela& j = modeloJuros_->tabela();
        if (j.aberta() && j.editando()) {
            // The cell being typed goes too, without being written.
            if (gradeJuros_) gradeJuros_->reset();
            modeloJuros_->cancela();
            if (gradeJuros_ && modeloJuros_->linhaAtual() >= 0)
                gradeJuros_->setCurrentIndex(modeloJuros_->index(modeloJuros_->linhaAtual(), 0));
        }
    }
}

// ---- search, dates ----

void TFProrrata::pesquisa() {
    if (!btPesquisa_->isEnabled()) return;
    const std::string texto = edPesquisa_->text().toStdString();
    try {
        const CursorOcupado cursor;
        registros_->pesquisa(texto);
    } catch (const ErroKorva& e) {
        if (std::string(e.what()) == kMsgProcessoNaoEncontrado) MostraTexto(Q(e.what()), this);
        else TrataErro(this, e);
    } catch (const std::exception& e) {
        TrataErro(this, e);
    }
    atualiza();
}

void TFProrrata::pegaData(const char* campo) {
    if (!confirmaCampos()) return;
    Tabela& t = registros_->registros();
    if (!t.aberta()) return;
    QDate inicial;
    const Valor& v = t.valor(campo);
    if (!v.nulo()) {
        const Data d = v.comoData();
        inicial = QDate(d.ano(), d.mes(), d.dia());
    }
    auto& picker = TFPegaData::Instancia();
    picker.defineData(inicial);
    if (picker.executa() != QStringLiteral("OK")) return;
    const QDate escolhida = picker.data();
    modelo_->defineCampo(campo, Valor(Data::de(escolhida.year(), escolhida.month(), escolhida.day())));
    atualiza();
}

// ---- the tool panel ----

void TFProrrata::atualizacao() {
    if (!Protegido(this, [this] { registros_->ExigeProcesso(); })) return;
    const QDate d = dtImpressao_->date();
    const Data impressao = Data::de(d.year(), d.month(), d.day());
    std::vector<int> linhas;
    for (const QModelIndex& i : gradeProrrata_->selectionModel()->selectedRows()) linhas.push_back(i.row());
    std::sort(linhas.begin(), linhas.end());
    const int atual = modelo_->linhaAtual();

    auto produz = [&]() {
        const int codigo = registros_->codigoAtual();
        Documento documento;
        {
            const CursorOcupado cursor;
            documento = ProduzExtratoProrrata(sessao_, codigo, impressao, *medidor_);
        }
        // Each statement is looked at and closed before the next is computed.
        TFPreview preview(std::move(documento), QString::fromUtf8(kTituloExtratoProrrata), this);
        preview.exec();
    };
    if (linhas.empty()) {
        Protegido(this, produz);
        return;
    }
    for (int linha : linhas) {
        if (!modelo_->vaiPara(linha)) break;
        if (!Protegido(this, produz)) break;
    }
    // The record that was current comes back, with the rows that were chosen.
    modelo_->vaiPara(atual);
    QItemSelection selecao;
    for (int linha : linhas)
        selecao.select(modelo_->index(linha, 0), modelo_->index(linha, modelo_->columnCount() - 1));
    gradeProrrata_->selectionModel()->select(selecao, QItemSelectionModel::ClearAndSelect);
    atualizaBuscar();
}

void TFProrrata::precatorios() {
    std::vector<int> codigos;
    const bool ok = Protegido(this, [&] {
        const CursorOcupado cursor;
        codigos = ImportaPrecatorios(sessao_.privado(), AjustesDe(sessao_.configuracoes()),
                                     std::filesystem::current_path() / kArquivoPrecatorios);
    });
    Protegido(this, [&] {
        Tabela& t = registros_->registros();
        t.atualiza();
        if (!codigos.empty()) t.localiza({"Codigo"}, {Valor(codigos.back())});
    });
    atualiza();
    if (ok) MostraInformacao(QString::fromUtf8(kMsgImportacaoConcluida), this);
}

void TFProrrata::buscarProcesso() {
    auto& lista = TFListaProcessos::Instancia();
    if (lista.executa("0", 0) != QDialog::Accepted || !lista.escolha()) return;
    const ListaProcessos::Escolha escolha = *lista.escolha();
    Protegido(this, [&] {
        const CursorOcupado cursor;
        registros_->importaCalculo(escolha);
    });
    atualiza();
}

void TFProrrata::jurosLegais() {
    if (gradeJuros_) gradeJuros_->confirmaEdicao();
    Protegido(this, [this] { registros_->jurosLegais(); });
    atualiza();
}

// ---- events ----

bool TFProrrata::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::MouseButtonPress) {
        auto* botao = qobject_cast<QToolButton*>(objeto);
        QObject* nav = botao ? botao->parent() : nullptr;
        if (botao && botao->isEnabled() && (nav == navProrrata_ || nav == navParametros_)) {
            if (botao == static_cast<NavegadorTabela*>(nav)->botao(NavegadorTabela::Cancelar)) {
                campos_->esquece();  // what was typed goes with the edit
            } else if (!confirmaCampos()) {
                // The navigator keeps no focus: what was typed is written before its button runs.
                return true;
            }
        } else if (botao && botao->isEnabled() && nav && (nav == navAcrescimos_ || nav == navJuros_ || nav == navParcelas_)) {
            GradeTabela* grade = nav == navAcrescimos_ ? gradeAcrescimos_ : nav == navJuros_ ? gradeJuros_ : gradeParcelas_;
            // What was typed in the record's fields and in the cell goes in first
            // (a new child row stores the record it belongs to).
            if (botao != static_cast<NavegadorTabela*>(nav)->botao(NavegadorTabela::Cancelar) &&
                (!confirmaCampos() || !grade->confirmaEdicao()))
                return true;
            if (nav == navAcrescimos_ && botao == navAcrescimos_->botao(NavegadorTabela::Gravar) && modeloAcrescimos_) {
                if (!GravaAcrescimoDaGrade(this, *modeloAcrescimos_, *gradeAcrescimos_)) return true;
                navAcrescimos_->atualizaEstado();
                atualizaHabilitacao();
                return true;
            }
        }
    } else if (gradeProrrata_ && (objeto == gradeProrrata_ || objeto == gradeProrrata_->viewport())) {
        // "&Buscar Processo" follows the selection on every click and key.
        if (tipo == QEvent::MouseButtonRelease || tipo == QEvent::KeyPress || tipo == QEvent::KeyRelease)
            QTimer::singleShot(0, this, [this] { atualizaBuscar(); });
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFProrrata::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The mapping of the court-payments document, on disk for the other program.
    Protegido(this, [] { GaranteTransformacoes(std::filesystem::current_path()); });
    if (!ativada_) {
        ativada_ = true;
        QTimer::singleShot(0, this, [this] { setMinimumSize(size()); });
    }
}

void TFProrrata::closeEvent(QCloseEvent* e) {
    for (GradeTabela* g : {gradeParcelas_, gradeJuros_, gradeAcrescimos_})
        if (g) g->confirmaEdicao();
    if (!confirmaCampos()) {
        e->ignore();
        return;
    }
    if (registros_->registroOuParcelaEditando()) {
        // Refused with the pending-operation message.
        Protegido(this, [this] { registros_->fecha(); });
        e->ignore();
        return;
    }
    const bool nosParametros = paginaAtual_ == PgParametros;
    if (nosParametros) fechaParametros();
    if (!Protegido(this, [this] { registros_->fecha(); })) {
        if (nosParametros) abreParametros();
        e->ignore();
        return;
    }
    e->accept();
}

}  // namespace korva::ui
