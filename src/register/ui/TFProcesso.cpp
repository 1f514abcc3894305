#include "register/ui/TFProcesso.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Mensagens.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ui/TFPegaData.h"
#include "reference/TabelasReferencia.h"
#include "register/Andamentos.h"
#include "register/OpcoesProcesso.h"
#include "register/RegrasAcrescimos.h"
#include "register/RegrasJuros.h"
#include "register/ui/TFListaProcessos.h"
#include "register/ui/TFListaTaxas.h"
#include "register/ui/TFNovoGrupo.h"
#include "register/ui/TFOpcoesPesquisa.h"
#include "parameters/CalculoAberto.h"
#include "parameters/ui/TFBasesSalariais.h"
#include "parameters/ui/TFINSS.h"
#include "parameters/ui/TFParam1.h"
#include "parameters/ui/TFParam2.h"
#include "register/ui/TFPartes.h"
#include "reports/ui/TFPrintCalculo.h"
#include "storage/Tabela.h"
#include "timecards/ui/TFJornada.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Busy cursor for the lifetime of the object.
struct Ocupado {
    Ocupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ocupado() { QApplication::restoreOverrideCursor(); }
};

// The columns of Processo.DB: the five of the list, then the fields the
// pages show as text (hidden in the list).
constexpr int ColunasVisiveis = 5;

std::vector<ColunaGrade> ColunasProcesso(int posicaoGrupo) {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Processo", QStringLiteral("Processo"), 25));
    ColunaGrade grupo;
    grupo.titulo = QStringLiteral("Grupo");
    grupo.largura = 5;
    grupo.calcula = [posicaoGrupo](const std::vector<Valor>& linha) -> Valor {
        const Valor& v = linha.at(static_cast<size_t>(posicaoGrupo));
        if (v.nulo()) return {};
        return Valor(Literais::ZerosEsquerdaInt(static_cast<int>(v.comoInteiro()), 3));
    };
    c.push_back(std::move(grupo));
    c.push_back(Coluna("DtGrav", QStringLiteral("Dt. Grav.")));
    c.push_back(Coluna("DtAjuiz", QStringLiteral("Dt. Ajuiz.")));
    c.push_back(Coluna("Calculista", QStringLiteral("Calculista"), 30));
    for (const char* campo : {"CodRecte", "DtBase", "Diretorio", "Arquivo"}) c.push_back(Coluna(campo, Q(campo)));
    for (const char* campo : {"INSSReclamante", "INSSReclamado", "INSSTerceiros", "INSSRisco"})
        c.push_back(Coluna(campo, Q(campo), 0, QStringLiteral("#,##0.00")));
    for (auto& col : c) col.somenteLeitura = true;  // the list only shows; the pages edit
    return c;
}

std::vector<ColunaGrade> ColunasAcrescimos() {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Descricao", QStringLiteral("Descrição"), 30));
    c.push_back(Coluna("Valor", QStringLiteral("Valor/Percentual"), 12, QStringLiteral("#,##0.00")));
    ColunaGrade tipo = Coluna("Tipo", QStringLiteral("Tipo"), 4);
    tipo.maiusculas = true;
    c.push_back(std::move(tipo));
    c.push_back(Coluna("DtBase", QStringLiteral("Data Base")));
    c.push_back(Coluna("LimMinimo", QStringLiteral("Lim. Mín."), 9, QStringLiteral("#,##0.00")));
    c.push_back(Coluna("LimMaximo", QStringLiteral("Lim. Máx."), 9, QStringLiteral("#,##0.00")));
    return c;
}

std::vector<ColunaGrade> ColunasJuros() {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Data", QStringLiteral("Data")));
    c.push_back(Coluna("Juros", QStringLiteral("Juros (%)"), 7, QStringLiteral("#,##0.00")));
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

QToolButton* BotaoPesquisaTaxa(const char* nome, QWidget* pai) {
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(QStringLiteral("..."));
    DefineDica(b, QStringLiteral("Pesquisar a alíquota"));
    return b;
}

QLabel* Rotulo(const QString& texto, QWidget* campo, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setBuddy(campo);
    return l;
}

void PreencheCombo(QComboBox* cb, const std::vector<ItemLista>& itens) {
    for (const auto& item : itens) cb->addItem(Q(item.nome), QVariant::fromValue<qlonglong>(item.codigo));
}

// The register's choice of the companion table-creation failure box: title
// "Erro!" with an information icon, and the operation goes on.
void AvisoTabela(const std::string& titulo, const std::string& texto) {
    QWidget* pai = QApplication::activeModalWidget();
    if (!pai) pai = QApplication::activeWindow();
    QMessageBox caixa(QMessageBox::Information, Q(titulo), Q(texto), QMessageBox::Ok, pai);
    caixa.exec();
}

}  // namespace

TFProcesso::TFProcesso(Sessao& sessao, QWidget* pai) : QWidget(pai), sessao_(sessao) {
    setObjectName("TFProcesso");
    setWindowTitle(TituloJanela(QStringLiteral("Tabela de Processos")));
    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    registro_ = std::make_unique<RegistroProcessos>(sessao.privado(), AjustesDe(sessao.configuracoes()), &AvisoTabela);
    registro_->defineProgresso([this](int passo, const std::string& rotulo) { progresso(passo, rotulo); });
    registro_->defineAntesTrocarGrades([this] { soltaGrades(); });
    registro_->abre();

    Tabela& t = registro_->processos();
    modelo_ = std::make_unique<ModeloTabela>(t, ColunasProcesso(t.definicao().posicao("CodRecte")));

    auto* layout = new QVBoxLayout(this);
    lbSProcesso_ = new QLabel(this);
    lbSProcesso_->setObjectName("LbSProcesso");
    QFont negrito = lbSProcesso_->font();
    negrito.setBold(true);
    lbSProcesso_->setFont(negrito);
    layout->addWidget(lbSProcesso_);

    paginas_ = new QTabWidget(this);
    paginas_->setObjectName("PgPaginas");
    const QString titulos[] = {QStringLiteral("&Processo"), QStringLiteral("&INSS e IR"),
                               QStringLiteral("&Atualização"), QStringLiteral("A&créscimos"),
                               QStringLiteral("Observ.")};
    const char* nomes[] = {"TsProcesso", "TsINSSIR", "TsAtualizacao", "TsAcrescimos", "TsObservacoes"};
    QWidget* pagina[5];
    for (int i = 0; i < 5; ++i) {
        pagina[i] = new QWidget(paginas_);
        pagina[i]->setObjectName(nomes[i]);
        paginas_->addTab(pagina[i], titulos[i]);
    }
    montaPaginaProcesso(pagina[PgProcesso]);
    montaPaginaINSS(pagina[PgINSSIR]);
    montaPaginaAtualizacao(pagina[PgAtualizacao]);
    montaPaginaAcrescimos(pagina[PgAcrescimos]);
    montaPaginaObservacoes(pagina[PgObservacoes]);
    layout->addWidget(paginas_, 1);

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavProcessos");
    navegador_->defineModelo(modelo_.get());
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
        if (QToolButton* w = navegador_->botao(static_cast<NavegadorTabela::Botao>(b))) w->installEventFilter(this);
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        Tabela& tab = registro_->processos();
        if (botao == NavegadorTabela::Inserir && tab.estado() == EstadoTabela::Insercao) {
            paginas_->setCurrentIndex(PgProcesso);
            edProcesso_->setFocus();
        } else if (botao == NavegadorTabela::Editar && tab.editando() && paginas_->currentIndex() == PgProcesso) {
            edProcesso_->setFocus();
        }
    });
    layout->addWidget(navegador_);

    barraBotoes_ = new QWidget(this);
    barraBotoes_->setObjectName("PnBotoes");
    montaBarraBotoes(barraBotoes_);
    layout->addWidget(barraBotoes_);

    connect(modelo_.get(), &ModeloTabela::linhaAtualMudou, this, [this] {
        esqueceDigitado();
        atualiza();
    });
    connect(modelo_.get(), &ModeloTabela::estadoMudou, this, [this] {
        const bool editando = registro_->processos().aberta() && registro_->processos().editando();
        if (!editando) esqueceDigitado();
        const bool voltouANavegar = estavaEditando_ && !editando;
        estavaEditando_ = editando;
        atualiza();
        if (voltouANavegar && paginas_->currentIndex() == PgProcesso) grProcessos_->setFocus();
    });
    connect(modelo_.get(), &QAbstractItemModel::dataChanged, this, [this] { atualiza(); });
    connect(modelo_.get(), &QAbstractItemModel::modelReset, this, [this] {
        esqueceDigitado();
        atualiza();
    });
    connect(paginas_, &QTabWidget::currentChanged, this, [this](int p) { aoMudarPagina(p); });

    paginas_->setCurrentIndex(PgProcesso);
    atualiza();
    resize(860, 600);
    grProcessos_->setFocus();
}

TFProcesso::~TFProcesso() {
    // Nothing a child says while it goes reaches this window any more.
    for (QObject* filho : findChildren<QObject*>()) QObject::disconnect(filho, nullptr, this, nullptr);
    esqueceDigitado();
    // The views and models go before the datasets they observe.
    registro_->defineAntesTrocarGrades({});
    delete grAcrescimos_;
    delete nvAcrescimos_;
    delete grJuros_;
    delete nvJuros_;
    grAcrescimos_ = grJuros_ = nullptr;
    nvAcrescimos_ = nvJuros_ = nullptr;
    modeloAcrescimos_.reset();
    modeloJuros_.reset();
    delete grProcessos_;
    grProcessos_ = nullptr;
    delete navegador_;
    navegador_ = nullptr;
    modelo_.reset();
}

// ---- pages ----

void TFProcesso::montaPaginaProcesso(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);

    auto* barra = new QHBoxLayout;
    edPesquisa_ = new QLineEdit(pagina);
    edPesquisa_->setObjectName("EdPesquisa");
    connect(edPesquisa_, &QLineEdit::textEdited, edPesquisa_, [this](const QString& texto) {
        const int p = edPesquisa_->cursorPosition();
        edPesquisa_->setText(texto.toUpper());
        edPesquisa_->setCursorPosition(p);
    });
    connect(edPesquisa_, &QLineEdit::returnPressed, this, [this] { pesquisa(); });
    btPesquisa_ = new QPushButton(QStringLiteral("Pesquisar"), pagina);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setAutoDefault(false);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisar processos"));
    connect(btPesquisa_, &QPushButton::clicked, this, [this] { pesquisa(); });
    cbOrdem_ = new QComboBox(pagina);
    cbOrdem_->setObjectName("CbOrdem");
    cbOrdem_->addItems({QStringLiteral("Processo"), QStringLiteral("Dt. Grav."), QStringLiteral("Dt. Ajuiz."),
                        QStringLiteral("Calculista")});
    connect(cbOrdem_, &QComboBox::activated, this, [this](int i) { mudaOrdem(i); });
    btOpcoesPesquisa_ = new QPushButton(QStringLiteral("Opções da Pesquisa"), pagina);
    btOpcoesPesquisa_->setObjectName("BtOpcoesPesquisa");
    btOpcoesPesquisa_->setAutoDefault(false);
    connect(btOpcoesPesquisa_, &QPushButton::clicked, this, [this] { opcoesPesquisa(); });
    barra->addWidget(Rotulo(QStringLiteral("Pes&quisa:"), edPesquisa_, pagina));
    barra->addWidget(edPesquisa_, 1);
    barra->addWidget(btPesquisa_);
    barra->addSpacing(12);
    barra->addWidget(Rotulo(QStringLiteral("Ordenado por:"), cbOrdem_, pagina));
    barra->addWidget(cbOrdem_);
    barra->addWidget(btOpcoesPesquisa_);
    layout->addLayout(barra);

    auto* campos = new QGridLayout;
    auto novoEd = [&](const char* nome, int caracteres) {
        auto* ed = new QLineEdit(pagina);
        ed->setObjectName(nome);
        ed->setMinimumWidth(ed->fontMetrics().horizontalAdvance(QString(caracteres, QChar('0'))) + 12);
        return ed;
    };
    edProcesso_ = novoEd("EdProcesso", 25);
    auto* edCodRecte = novoEd("EdCodRecte", 4);
    auto* edDtGrav = novoEd("EdDtGrav", 10);
    auto* edDtAjuiz = novoEd("EdDtAjuiz", 10);
    auto* edDtBase = novoEd("EdDtBase", 10);
    auto* edCalculista = novoEd("EdCalculista", 30);
    auto* edDiretorio = novoEd("EdDiretorio", 5);
    auto* edArquivo = novoEd("EdArquivo", 7);
    for (QLineEdit* ed : {edCodRecte, edDiretorio, edArquivo}) ed->setAlignment(Qt::AlignRight);
    // Short fields keep their size; the number and the name take the rest.
    for (QLineEdit* ed : {edCodRecte, edDtGrav, edDtAjuiz, edDtBase, edDiretorio, edArquivo})
        ed->setMaximumWidth(ed->minimumWidth());
    for (QLineEdit* ed : {edDiretorio, edArquivo}) {
        ed->setReadOnly(true);
        ed->setFocusPolicy(Qt::ClickFocus);
    }
    btDtGrav_ = BotaoData("BtDtGrav", pagina);
    btDtAjuiz_ = BotaoData("BtDtAjuiz", pagina);
    btDtBase_ = BotaoData("BtDtBase", pagina);
    connect(btDtGrav_, &QToolButton::clicked, this, [this] { pegaData("DtGrav"); });
    connect(btDtAjuiz_, &QToolButton::clicked, this, [this] { pegaData("DtAjuiz"); });
    connect(btDtBase_, &QToolButton::clicked, this, [this] { pegaData("DtBase"); });

    auto comBotao = [&](QLineEdit* ed, QToolButton* b) {
        auto* h = new QHBoxLayout;
        h->setSpacing(2);
        h->addWidget(ed);
        h->addWidget(b);
        h->addStretch();
        return h;
    };
    campos->addWidget(Rotulo(QStringLiteral("Processo:"), edProcesso_, pagina), 0, 0);
    campos->addWidget(edProcesso_, 0, 1);
    campos->addWidget(Rotulo(QStringLiteral("Grupo:"), edCodRecte, pagina), 0, 2);
    campos->addWidget(edCodRecte, 0, 3, Qt::AlignLeft);
    campos->addWidget(Rotulo(QStringLiteral("Dt. Grav.:"), edDtGrav, pagina), 1, 0);
    campos->addLayout(comBotao(edDtGrav, btDtGrav_), 1, 1);
    campos->addWidget(Rotulo(QStringLiteral("Dt. Ajuiz.:"), edDtAjuiz, pagina), 1, 2);
    campos->addLayout(comBotao(edDtAjuiz, btDtAjuiz_), 1, 3);
    campos->addWidget(Rotulo(QStringLiteral("Calculista:"), edCalculista, pagina), 2, 0);
    campos->addWidget(edCalculista, 2, 1);
    campos->addWidget(Rotulo(QStringLiteral("Atualizar até:"), edDtBase, pagina), 2, 2);
    campos->addLayout(comBotao(edDtBase, btDtBase_), 2, 3);
    auto* numeros = new QHBoxLayout;
    numeros->addWidget(edDiretorio);
    numeros->addSpacing(8);
    numeros->addWidget(Rotulo(QStringLiteral("Arquivo:"), edArquivo, pagina));
    numeros->addWidget(edArquivo);
    numeros->addStretch();
    campos->addWidget(Rotulo(QStringLiteral("Diretório:"), edDiretorio, pagina), 3, 0);
    campos->addLayout(numeros, 3, 1);
    campos->setColumnStretch(4, 1);
    layout->addLayout(campos);

    ligaTexto(edProcesso_, "Processo", true);
    ligaTexto(edCodRecte, "CodRecte");
    ligaTexto(edDtGrav, "DtGrav");
    ligaTexto(edDtAjuiz, "DtAjuiz");
    ligaTexto(edCalculista, "Calculista");
    ligaTexto(edDtBase, "DtBase");
    ligaTexto(edDiretorio, "Diretorio");
    ligaTexto(edArquivo, "Arquivo");

    grProcessos_ = new GradeTabela(pagina);
    grProcessos_->setObjectName("GrProcessos");
    grProcessos_->defineModelo(modelo_.get());
    for (int i = ColunasVisiveis; i < modelo_->columnCount(); ++i) grProcessos_->setColumnHidden(i, true);
    grProcessos_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grProcessos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grProcessos_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grProcessos_, 1);

    setTabOrder(edProcesso_, edCodRecte);
    setTabOrder(edCodRecte, edDtGrav);
    setTabOrder(edDtGrav, edDtAjuiz);
    setTabOrder(edDtAjuiz, edCalculista);
    setTabOrder(edCalculista, edDtBase);
}

void TFProcesso::montaPaginaINSS(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    auto* gbINSS = new QGroupBox(QStringLiteral(" INSS: "), pagina);
    gbINSS->setObjectName("GbINSS");
    auto* inss = new QVBoxLayout(gbINSS);
    auto* lado = new QHBoxLayout;

    auto* gbReclamante = new QGroupBox(QStringLiteral(" Reclamante: "), gbINSS);
    auto* reclamante = new QVBoxLayout(gbReclamante);
    auto* rgForma = new QGroupBox(QStringLiteral(" Forma de Cálculo: "), gbReclamante);
    rgForma->setObjectName("RgAliquotaUnica");
    auto* forma = new QVBoxLayout(rgForma);
    auto* grupoForma = new QButtonGroup(rgForma);
    auto* rbMesAMes = new QRadioButton(QStringLiteral("Mes a Mes"), rgForma);
    rbMesAMes->setObjectName("RbMesAMes");
    auto* rbUnica = new QRadioButton(QStringLiteral("Alíquota Única"), rgForma);
    rbUnica->setObjectName("RbAliquotaUnica");
    grupoForma->addButton(rbMesAMes, 0);
    grupoForma->addButton(rbUnica, 1);
    forma->addWidget(rbMesAMes);
    forma->addWidget(rbUnica);
    reclamante->addWidget(rgForma);
    edINSSReclamante_ = new QLineEdit(gbReclamante);
    edINSSReclamante_->setObjectName("EdINSSReclamante");
    edINSSReclamante_->setAlignment(Qt::AlignRight);
    edINSSReclamante_->setMaximumWidth(90);
    auto* contribuicao = new QHBoxLayout;
    lbINSSReclamante_ = Rotulo(QStringLiteral("Contribuição:"), edINSSReclamante_, gbReclamante);
    lbPercReclamante_ = new QLabel(QStringLiteral("%"), gbReclamante);
    contribuicao->addWidget(lbINSSReclamante_);
    contribuicao->addWidget(edINSSReclamante_);
    contribuicao->addWidget(lbPercReclamante_);
    contribuicao->addStretch();
    reclamante->addLayout(contribuicao);
    reclamante->addStretch();
    lado->addWidget(gbReclamante);

    auto* gbReclamado = new QGroupBox(QStringLiteral(" Reclamado: "), gbINSS);
    auto* reclamado = new QGridLayout(gbReclamado);
    struct Taxa {
        const char* campo;
        const char* edicao;
        const char* botao;
        QString rotulo, titulo;
        const char* tabela;
    };
    const Taxa taxas[] = {
        {"INSSReclamado", "EdINSSReclamado", "BtPesqEmpregador", QStringLiteral("Contribuição:"),
         QStringLiteral("KORVA - Pesquisa de Recolhimento do Empregador"), "PrevEmpregador.DB"},
        {"INSSTerceiros", "EdINSSTerceiros", "BtPesqTerceiros", QStringLiteral("Terceiros:"),
         QStringLiteral("KORVA - Pesquisa de Recolhimento de Terceiros"), "PrevTerceiro.DB"},
        {"INSSRisco", "EdINSSRisco", "BtPesqRisco", QStringLiteral("Riscos Amb. do Trabalho:"),
         QStringLiteral("KORVA - Pesquisa de Riscos Ambientais do Trabalho"), "PrevSAT.DB"},
    };
    int linha = 0;
    for (const Taxa& tx : taxas) {
        auto* ed = new QLineEdit(gbReclamado);
        ed->setObjectName(tx.edicao);
        ed->setAlignment(Qt::AlignRight);
        ed->setMaximumWidth(90);
        auto* b = BotaoPesquisaTaxa(tx.botao, gbReclamado);
        const std::string campo = tx.campo, tabela = tx.tabela;
        const QString titulo = tx.titulo;
        connect(b, &QToolButton::clicked, this, [this, campo, titulo, tabela] { pegaTaxa(campo, titulo, tabela); });
        reclamado->addWidget(Rotulo(tx.rotulo, ed, gbReclamado), linha, 0);
        reclamado->addWidget(ed, linha, 1);
        reclamado->addWidget(new QLabel(QStringLiteral("%"), gbReclamado), linha, 2);
        reclamado->addWidget(b, linha, 3);
        ligaTexto(ed, tx.campo);
        ++linha;
    }
    reclamado->setColumnStretch(4, 1);
    reclamado->setRowStretch(linha, 1);
    lado->addWidget(gbReclamado, 1);
    inss->addLayout(lado);

    auto* cbAdicionar = new QCheckBox(QStringLiteral("Somar contribuição previdenciária do Recte. ao Total Geral"), gbINSS);
    cbAdicionar->setObjectName("CbAdicionarINSSRecte");
    inss->addWidget(cbAdicionar);
    layout->addWidget(gbINSS);

    auto* gbIR = new QGroupBox(QStringLiteral(" IR: "), pagina);
    gbIR->setObjectName("GbIR");
    auto* ir = new QVBoxLayout(gbIR);
    auto* rgIR = new QGroupBox(QStringLiteral(" Cálculo do IR: "), gbIR);
    rgIR->setObjectName("RgOpcaoIR");
    auto* opcoes = new QGridLayout(rgIR);
    auto* grupoIR = new QButtonGroup(rgIR);
    const QString textosIR[] = {QStringLiteral("Não calcular"), QStringLiteral("Parcela Única"),
                                QStringLiteral("13º e Demais Parcelas"), QStringLiteral("13º, Férias e Demais Parcelas")};
    for (int i = 0; i < 4; ++i) {
        auto* rb = new QRadioButton(textosIR[i], rgIR);
        rb->setObjectName(QStringLiteral("RbOpcaoIR%1").arg(i + 1));
        grupoIR->addButton(rb, i + 1);
        opcoes->addWidget(rb, i % 2, i / 2);
    }
    ir->addWidget(rgIR);
    cbIRSobreJuros_ = new QCheckBox(QStringLiteral("Calcular o IR sobre os Juros"), gbIR);
    cbIRSobreJuros_->setObjectName("CbIRSobreJuros");
    ir->addWidget(cbIRSobreJuros_);
    layout->addWidget(gbIR);
    layout->addStretch();

    ligaGrupo(grupoForma, "AliquotaUnica");
    ligaTexto(edINSSReclamante_, "INSSReclamante");
    ligaCaixa(cbAdicionar, "AdicionarINSSRecte");
    ligaGrupo(grupoIR, "OpcaoIR");
    ligaCaixa(cbIRSobreJuros_, "IRSobreJuros");
}

void TFProcesso::montaPaginaAtualizacao(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    auto novoCombo = [&](const char* nome, QWidget* pai, const std::vector<ItemLista>& itens) {
        auto* cb = new QComboBox(pai);
        cb->setObjectName(nome);
        cb->setMinimumWidth(260);
        PreencheCombo(cb, itens);
        return cb;
    };
    auto* tabelas = new QFormLayout;
    auto* cbSalario = novoCombo("CbSalario", pagina, referencia_->ListaNomes("NomeSalario.DB"));
    auto* cbVale = novoCombo("CbValeTransporte", pagina, referencia_->ListaNomes("NomeVTransp.DB"));
    tabelas->addRow(QStringLiteral("Tabela de Salários:"), cbSalario);
    tabelas->addRow(QStringLiteral("Tabela de Vales Transporte:"), cbVale);
    layout->addLayout(tabelas);

    auto* gb = new QGroupBox(QStringLiteral(" Atualização: "), pagina);
    gb->setObjectName("GbAtualizacao");
    auto* at = new QVBoxLayout(gb);
    auto* dataBase = new QFormLayout;
    auto* cbDataBase = novoCombo("CbDataBasePadrao", gb, referencia_->ListaNomes("DataBasePadrao.db"));
    dataBase->addRow(QStringLiteral("Data Base de Cada Verba (Padrão*):"), cbDataBase);
    at->addLayout(dataBase);

    auto* gbIndices = new QGroupBox(QStringLiteral(" Índices: "), gb);
    auto* indices = new QFormLayout(gbIndices);
    const auto nomesIndices = referencia_->ListaNomes("NomeIndiceDiario.DB");
    auto* cbPrincipal = novoCombo("CbIndPrincipal", gbIndices, nomesIndices);
    auto* cbFGTS = novoCombo("CbIndFGTS", gbIndices, nomesIndices);
    indices->addRow(QStringLiteral("Principal:"), cbPrincipal);
    indices->addRow(QStringLiteral("F.G.T.S.:"), cbFGTS);
    at->addWidget(gbIndices);

    auto* gbFeriados = new QGroupBox(QStringLiteral(" Feriados: "), gb);
    auto* feriados = new QHBoxLayout(gbFeriados);
    cbFeriadosNacionais_ = new QCheckBox(QStringLiteral("Nacionais"), gbFeriados);
    cbFeriadosNacionais_->setObjectName("CbFeriadosNacionais");
    cbFeriadosEstaduais_ = new QCheckBox(QStringLiteral("Estaduais"), gbFeriados);
    cbFeriadosEstaduais_->setObjectName("CbFeriadosEstaduais");
    cbFeriadosMunic_ = novoCombo("CbFeriadosMunic", gbFeriados, referencia_->ClassesFeriadoLocais());
    lbFeriadosMunic_ = Rotulo(QStringLiteral("Municipais:"), cbFeriadosMunic_, gbFeriados);
    feriados->addWidget(cbFeriadosNacionais_);
    feriados->addWidget(cbFeriadosEstaduais_);
    feriados->addSpacing(12);
    feriados->addWidget(lbFeriadosMunic_);
    feriados->addWidget(cbFeriadosMunic_);
    feriados->addStretch();
    at->addWidget(gbFeriados);

    auto* cbBaseMedia = new QCheckBox(QStringLiteral("Atualizar bases para calcular médias de valores"), gb);
    cbBaseMedia->setObjectName("CbAtualizarBaseMedia");
    auto* cbAnular = new QCheckBox(QStringLiteral("Anular Reflexos Negativos"), gb);
    cbAnular->setObjectName("CbAnularReflexoNegativo");
    at->addWidget(cbBaseMedia);
    at->addWidget(cbAnular);
    layout->addWidget(gb);
    layout->addStretch();

    ligaCombo(cbSalario, "Salario");
    ligaCombo(cbVale, "ValeTransporte");
    ligaCombo(cbDataBase, "DataBasePadrao");
    ligaCombo(cbPrincipal, "IndPrincipal");
    ligaCombo(cbFGTS, "IndFGTS");
    ligaCaixa(cbFeriadosNacionais_, "AtualizaFeriadosNacionais");
    ligaCaixa(cbFeriadosEstaduais_, "AtualizaFeriadosEstaduais");
    ligaCombo(cbFeriadosMunic_, "AtualizaFeriadosMunic");
    ligaCaixa(cbBaseMedia, "AtualizarBaseMedia");
    ligaCaixa(cbAnular, "AnularReflexoNegativo");
}

void TFProcesso::montaPaginaAcrescimos(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    gbAcrescimos_ = new QGroupBox(QStringLiteral(" Acréscimos: "), pagina);
    gbAcrescimos_->setObjectName("GbAcrescimos");
    auto* ac = new QVBoxLayout(gbAcrescimos_);
    lyAcrescimos_ = ac;
    montaGrade(false);
    layout->addWidget(gbAcrescimos_, 1);

    gbJuros_ = new QGroupBox(QStringLiteral(" Juros: "), pagina);
    gbJuros_->setObjectName("GbJuros");
    auto* ju = new QVBoxLayout(gbJuros_);
    auto* lado = new QHBoxLayout;
    auto* rgJuros = new QGroupBox(QStringLiteral(" Cálculo dos Juros: "), gbJuros_);
    rgJuros->setObjectName("RgCalculoJuros");
    auto* modos = new QVBoxLayout(rgJuros);
    auto* grupo = new QButtonGroup(rgJuros);
    const QString textos[] = {QStringLiteral("Juros Legais"), QStringLiteral("Limitar Juros"),
                              QStringLiteral("Informar variação")};
    for (int i = 0; i < 3; ++i) {
        auto* rb = new QRadioButton(textos[i], rgJuros);
        rb->setObjectName(QStringLiteral("RbCalculoJuros%1").arg(i));
        grupo->addButton(rb, i);
        modos->addWidget(rb);
    }
    modos->addStretch();
    lado->addWidget(rgJuros);
    lbExplicacaoJuros_ = new QLabel(gbJuros_);
    lbExplicacaoJuros_->setObjectName("LbExplicacaoJuros");
    lbExplicacaoJuros_->setWordWrap(true);
    lbExplicacaoJuros_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbExplicacaoJuros_->setMinimumWidth(230);
    lado->addWidget(lbExplicacaoJuros_, 1);
    auto* tabelaJuros = new QVBoxLayout;
    lyJuros_ = tabelaJuros;
    montaGrade(true);
    lado->addLayout(tabelaJuros, 1);
    ju->addLayout(lado, 1);
    auto* cbIncidir = new QCheckBox(QStringLiteral("Incidir Juros sobre o F.G.T.S. a depositar"), gbJuros_);
    cbIncidir->setObjectName("CbIncidirJurosFGTS");
    ju->addWidget(cbIncidir);
    layout->addWidget(gbJuros_, 1);

    ligaGrupo(grupo, "CalculoJuros");
    ligaCaixa(cbIncidir, "IncidirJurosFGTS");
}

// The additions or interest grid with its navigator, made anew for each
// table the register opens (a grid keeps the model it was given).
void TFProcesso::montaGrade(bool juros) {
    GradeTabela*& grade = juros ? grJuros_ : grAcrescimos_;
    NavegadorTabela*& nav = juros ? nvJuros_ : nvAcrescimos_;
    QVBoxLayout* onde = juros ? lyJuros_ : lyAcrescimos_;
    QWidget* pai = juros ? gbJuros_ : gbAcrescimos_;
    const bool tinhaFoco = grade && grade->hasFocus();
    delete grade;
    delete nav;
    grade = new GradeTabela(pai);
    grade->setObjectName(juros ? "GrJuros" : "GrAcrescimos");
    grade->setEnabled(false);
    nav = new NavegadorTabela(pai);
    nav->setObjectName(juros ? "NavJuros" : "NavAcrescimos");
    nav->defineBotoes(NavegadorTabela::Todos & ~NavegadorTabela::Atualizar);
    nav->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
        if (QToolButton* w = nav->botao(static_cast<NavegadorTabela::Botao>(b))) w->installEventFilter(this);
    // A new addition or interest row starts at its first column.
    connect(nav, &NavegadorTabela::acionado, this, [this, juros](int botao) {
        ModeloTabela* m = juros ? modeloJuros_.get() : modeloAcrescimos_.get();
        GradeTabela* g = juros ? grJuros_ : grAcrescimos_;
        if (botao != NavegadorTabela::Inserir || !m || !m->tabela().editando()) return;
        g->setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(juros ? PrimeiraColunaJuros : PrimeiraColunaAcrescimos)));
        g->setFocus();
    });
    onde->insertWidget(0, grade, 1);
    onde->insertWidget(1, nav);
    if (tinhaFoco) paginas_->currentWidget()->setFocus();
}

void TFProcesso::montaPaginaObservacoes(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    const struct {
        QString titulo;
        const char* nome;
        const char* campo;
    } notas[] = {{QStringLiteral(" Observação - Relatório de Cálculo: "), "EdObsCalculo", "ObsCalculo"},
                 {QStringLiteral(" Observação - Resumo de Cálculo: "), "EdObsResumo", "ObsResumo"}};
    for (const auto& n : notas) {
        auto* gb = new QGroupBox(n.titulo, pagina);
        auto* l = new QVBoxLayout(gb);
        auto* ed = new QPlainTextEdit(gb);
        ed->setObjectName(n.nome);
        ed->setTabChangesFocus(true);
        l->addWidget(ed);
        layout->addWidget(gb, 1);
        ligaMemo(ed, n.campo);
    }
}

void TFProcesso::montaBarraBotoes(QWidget* barra) {
    auto* layout = new QHBoxLayout(barra);
    layout->setContentsMargins(0, 0, 0, 0);
    auto botao = [&](const char* nome, const QString& texto, const QString& dica, std::function<void()> acao) {
        auto* b = new QPushButton(texto, barra);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        DefineDica(b, dica);
        connect(b, &QPushButton::clicked, this, [this, acao = std::move(acao)] {
            if (confirmaCampos()) acao();
        });
        layout->addWidget(b);
        return b;
    };
    botao("BtPartes", QStringLiteral("P&artes"), QStringLiteral("Relação de Partes do Processo"),
          [this] { abrePartes(); });
    botao("BtPeriodo", QStringLiteral("&Período"), QStringLiteral("Relação de Parâmetros por Período"), [this] {
        abreCalculo("ABI", [this](const CalculoAberto& c) {
            TFParam1 janela(sessao_, c, this);
            janela.exec();
        });
    });
    botao("BtMesAMes", QStringLiteral("&Mês a Mês"), QStringLiteral("Relação de Parâmetros Mês a Mês"), [this] {
        abreCalculo("BI", [this](const CalculoAberto& c) {
            TFParam2 janela(sessao_, c, this);
            janela.exec();
        });
    });
    botao("BtINSS", QStringLiteral("I&NSS"), QStringLiteral("Bases de cálculo do INSS"), [this] {
        abreCalculo("BD", [this](const CalculoAberto& c) {
            TFINSS janela(sessao_, c.tabela('D'), c.tabela('B'), this);
            janela.exec();
        });
    });
    botao("BtRelatorios", QStringLiteral("&Relatórios"), QStringLiteral("Imprimir Relatórios de Cálculo"), [this] {
        const bool unica = registro_->processos().valor("AliquotaUnica").comoLogico();
        abreCalculo(unica ? "E" : "DE", [this](const CalculoAberto& c) {
            TFPrintCalculo janela(sessao_, c, this);
            janela.exec();
        });
    });
    botao("BtPonto", QStringLiteral("P&onto"), QStringLiteral("Apuração dos Cartões de Ponto"), [this] {
        abreCalculo("F", [this](const CalculoAberto& c) {
            TFJornada j(sessao_, c, this);
            j.exec();
        });
    });
    botao("BtSalarios", QStringLiteral("Salários"), QStringLiteral("Cadastro de Bases Salariais"), [this] {
        abreCalculo("I", [this](const CalculoAberto& c) {
            TFBasesSalariais janela(sessao_, c.tabela('I'), 0, 0, this);
            janela.exec();
        });
    });
    btAndamentos_ = botao("BtAndamentos", QStringLiteral("Andamen&tos"), QStringLiteral("Andamentos do Processo"),
                          [this] { andamentos(); });
    btAndamentos_->setVisible(AndamentosVisiveis(sessao_.configuracoes().integraAndamentos));
    layout->addStretch();
    botao("BtNovoGrupo", QStringLiteral("&Novo Grupo"), QStringLiteral("Gerar novo cálculo para o mesmo processo"),
          [this] { novoGrupo(); });
    botao("BtDuplicar", QStringLiteral("&Duplicar"), QStringLiteral("Duplicar Cálculo"), [this] { duplicar(); });
}

// ---- binding of the fields ----

TFProcesso::Ligacao& TFProcesso::liga(std::string campo, QWidget* widget) {
    Ligacao& l = ligacoes_.emplace_back();
    l.campo = std::move(campo);
    l.widget = widget;
    return l;
}

void TFProcesso::comecaEdicao(Ligacao& l) {
    l.sujo = true;
    Tabela& t = registro_->processos();
    if (t.editando()) return;
    if (!modelo_->edita()) {
        // No row to change (an empty list): what was typed goes.
        l.sujo = false;
        l.mostra();
    }
}

void TFProcesso::esqueceDigitado() {
    for (auto& l : ligacoes_) l.sujo = false;
}

void TFProcesso::ligaTexto(QLineEdit* ed, const std::string& campo, bool maiusculas) {
    const int coluna = modelo_->colunaDoCampo(campo);
    const DefCampo* f = registro_->processos().definicao().campo(campo);
    if (f && f->tipo == TipoCampo::String && f->tamanho > 0) ed->setMaxLength(f->tamanho);
    const bool grupo = campo == "CodRecte";
    Ligacao& l = liga(campo, ed);
    l.mostra = [this, ed, campo, coluna, grupo, &l] {
        if (l.sujo) return;
        const Tabela& t = registro_->processos();
        QString texto;
        if (t.aberta()) {
            const Valor& v = t.valor(campo);
            texto = grupo && !v.nulo() ? Q(Literais::ZerosEsquerdaInt(static_cast<int>(v.comoInteiro()), 3))
                                       : modelo_->texto(coluna, v);
        }
        if (ed->text() != texto) {
            const QSignalBlocker bloqueio(ed);
            ed->setText(texto);
            ed->setCursorPosition(0);
        }
    };
    l.grava = [this, ed, campo, coluna, &l] {
        if (!l.sujo) return true;
        Valor v;
        if (!Protegido(this, [&] { v = modelo_->deTexto(coluna, ed->text()); })) return false;
        if (!modelo_->defineCampo(campo, v)) return false;
        l.sujo = false;
        l.mostra();
        return true;
    };
    if (ed->isReadOnly()) return;
    connect(ed, &QLineEdit::textEdited, this, [this, ed, maiusculas, &l](const QString& texto) {
        if (maiusculas && texto != texto.toUpper()) {
            const int p = ed->cursorPosition();
            const QSignalBlocker bloqueio(ed);
            ed->setText(texto.toUpper());
            ed->setCursorPosition(p);
        }
        comecaEdicao(l);
    });
    connect(ed, &QLineEdit::editingFinished, this, [this, &l] {
        if (!l.sujo || gravandoCampos_) return;
        confirmaCampos();
    });
}

void TFProcesso::ligaMemo(QPlainTextEdit* ed, const std::string& campo) {
    Ligacao& l = liga(campo, ed);
    l.mostra = [this, ed, campo, &l] {
        if (l.sujo) return;
        const Tabela& t = registro_->processos();
        const QString texto = t.aberta() ? Q(t.valor(campo).comoTexto()) : QString();
        if (ed->toPlainText() != texto) {
            const QSignalBlocker bloqueio(ed);
            ed->setPlainText(texto);
        }
    };
    l.grava = [this, ed, campo, &l] {
        if (!l.sujo) return true;
        const QString texto = ed->toPlainText();
        if (!modelo_->defineCampo(campo, texto.isEmpty() ? Valor() : Valor(texto.toStdString()))) return false;
        l.sujo = false;
        return true;
    };
    connect(ed, &QPlainTextEdit::textChanged, this, [this, &l] { comecaEdicao(l); });
    ed->installEventFilter(this);
}

void TFProcesso::ligaCombo(QComboBox* cb, const std::string& campo) {
    Ligacao& l = liga(campo, cb);
    l.mostra = [this, cb, campo] {
        const Tabela& t = registro_->processos();
        int indice = -1;
        if (t.aberta()) {
            const Valor& v = t.valor(campo);
            if (!v.nulo()) indice = cb->findData(QVariant::fromValue<qlonglong>(v.comoInteiro()));
        }
        if (cb->currentIndex() != indice) {
            const QSignalBlocker bloqueio(cb);
            cb->setCurrentIndex(indice);
        }
    };
    l.grava = [] { return true; };
    connect(cb, &QComboBox::activated, this, [this, cb, campo, &l](int indice) {
        if (indice < 0) return;
        if (!modelo_->defineCampo(campo, Valor(static_cast<int64_t>(cb->itemData(indice).toLongLong())))) l.mostra();
        atualiza();
    });
}

void TFProcesso::ligaCaixa(QCheckBox* cb, const std::string& campo) {
    Ligacao& l = liga(campo, cb);
    l.mostra = [this, cb, campo] {
        const Tabela& t = registro_->processos();
        const bool marcada = t.aberta() && !t.valor(campo).nulo() && t.valor(campo).comoLogico();
        if (cb->isChecked() != marcada) {
            const QSignalBlocker bloqueio(cb);
            cb->setChecked(marcada);
        }
    };
    l.grava = [] { return true; };
    connect(cb, &QCheckBox::clicked, this, [this, campo, &l](bool marcada) {
        if (!modelo_->defineCampo(campo, Valor(marcada))) l.mostra();
        atualiza();
    });
}

void TFProcesso::ligaGrupo(QButtonGroup* grupo, const std::string& campo) {
    const DefCampo* f = registro_->processos().definicao().campo(campo);
    const bool logico = f && f->tipo == TipoCampo::Boolean;
    Ligacao& l = liga(campo, grupo->buttons().value(0));
    l.mostra = [this, grupo, campo, logico] {
        const Tabela& t = registro_->processos();
        int id = -1;
        if (t.aberta() && !t.valor(campo).nulo())
            id = logico ? (t.valor(campo).comoLogico() ? 1 : 0) : static_cast<int>(t.valor(campo).comoInteiro());
        if (grupo->checkedId() == id) return;
        // An exclusive group cannot show "none" unless it lets go for a moment.
        grupo->setExclusive(false);
        for (QAbstractButton* b : grupo->buttons()) {
            const QSignalBlocker bloqueio(b);
            b->setChecked(grupo->id(b) == id);
        }
        grupo->setExclusive(true);
    };
    l.grava = [] { return true; };
    connect(grupo, &QButtonGroup::idClicked, this, [this, campo, logico, &l](int id) {
        const Valor v = logico ? Valor(id != 0) : Valor(id);
        if (!modelo_->defineCampo(campo, v)) l.mostra();
        atualiza();
    });
}

bool TFProcesso::confirmaCampos() {
    if (gravandoCampos_) return true;
    gravandoCampos_ = true;
    bool ok = true;
    for (auto& l : ligacoes_) {
        if (!l.sujo) continue;
        if (!l.grava()) {
            ok = false;
            // The user corrects the field that was refused.
            QWidget* w = l.widget;
            QTimer::singleShot(0, w, [w] { w->setFocus(); });
            break;
        }
    }
    gravandoCampos_ = false;
    return ok;
}

// ---- showing the current row ----

void TFProcesso::atualiza() {
    if (atualizando_) return;
    atualizando_ = true;
    for (auto& l : ligacoes_) l.mostra();
    lbSProcesso_->setText(Q(registro_->SProcesso()));
    atualizaGrades();
    atualizaHabilitacao();
    atualizando_ = false;
}

void TFProcesso::atualizaHabilitacao() {
    Tabela& t = registro_->processos();
    const bool aberta = t.aberta();
    const bool editando = aberta && t.editando();
    for (QWidget* w : std::initializer_list<QWidget*>{edPesquisa_, btPesquisa_, cbOrdem_, grProcessos_, barraBotoes_})
        w->setEnabled(!editando);
    btOpcoesPesquisa_->setEnabled(!editando && registro_->opcoesPesquisaHabilitadas());
    for (QWidget* w : std::initializer_list<QWidget*>{btDtGrav_, btDtAjuiz_, btDtBase_}) w->setEnabled(editando);

    const bool reclamante = aberta && ContribuicaoReclamanteHabilitada(t);
    for (QWidget* w : std::initializer_list<QWidget*>{edINSSReclamante_, lbINSSReclamante_, lbPercReclamante_})
        w->setEnabled(reclamante);
    cbIRSobreJuros_->setEnabled(aberta && IRSobreJurosHabilitado(t));
    const bool feriados = aberta && FeriadosHabilitados(t);
    for (QWidget* w : std::initializer_list<QWidget*>{cbFeriadosNacionais_, cbFeriadosEstaduais_, cbFeriadosMunic_,
                                                      lbFeriadosMunic_})
        w->setEnabled(feriados);
}

void TFProcesso::soltaGrades() {
    // The grids let go of the register's tables before those go.
    if (modeloAcrescimos_) {
        montaGrade(false);
        modeloAcrescimos_.reset();
    }
    if (modeloJuros_) {
        montaGrade(true);
        modeloJuros_.reset();
    }
}

void TFProcesso::atualizaGrades() {
    Tabela* acrescimos = registro_->acrescimos();
    if (modeloAcrescimos_ && &modeloAcrescimos_->tabela() != acrescimos) {
        montaGrade(false);
        modeloAcrescimos_.reset();
    }
    if (acrescimos && !modeloAcrescimos_) {
        modeloAcrescimos_ = std::make_unique<ModeloTabela>(*acrescimos, ColunasAcrescimos());
        grAcrescimos_->defineModelo(modeloAcrescimos_.get());
        grAcrescimos_->horizontalHeader()->setStretchLastSection(true);
        grAcrescimos_->setEnabled(true);
        nvAcrescimos_->defineModelo(modeloAcrescimos_.get());
    }
    Tabela* juros = registro_->juros();
    if (modeloJuros_ && &modeloJuros_->tabela() != juros) {
        montaGrade(true);
        modeloJuros_.reset();
    }
    if (juros && !modeloJuros_) {
        modeloJuros_ = std::make_unique<ModeloTabela>(*juros, ColunasJuros());
        grJuros_->defineModelo(modeloJuros_.get());
        grJuros_->horizontalHeader()->setStretchLastSection(true);
        grJuros_->setEnabled(true);
        nvJuros_->defineModelo(modeloJuros_.get());
    }
    grJuros_->setVisible(modeloJuros_ != nullptr);
    nvJuros_->setVisible(modeloJuros_ != nullptr);

    gbAcrescimos_->setTitle(Q(registro_->legendaAcrescimos()));
    gbJuros_->setTitle(Q(registro_->legendaJuros()));
    QStringList linhas;
    for (const auto& s : registro_->explicacaoJuros()) linhas << Q(s);
    lbExplicacaoJuros_->setText(linhas.join('\n'));
}

void TFProcesso::aoMudarPagina(int pagina) {
    const int anterior = paginaAtual_;
    if (pagina == anterior) return;
    if (anterior == PgAcrescimos) {
        grAcrescimos_->confirmaEdicao();
        grJuros_->confirmaEdicao();
        if (!Protegido(this, [this] { registro_->saiPaginaAcrescimos(); })) {
            const QSignalBlocker bloqueio(paginas_);
            paginas_->setCurrentIndex(anterior);
            return;
        }
    }
    paginaAtual_ = pagina;
    if (pagina == PgAcrescimos) {
        if (!confirmaCampos()) {
            paginaAtual_ = anterior;
            const QSignalBlocker bloqueio(paginas_);
            paginas_->setCurrentIndex(anterior);
            return;
        }
        Protegido(this, [this] { registro_->entraPaginaAcrescimos(); });
    }
    atualiza();
}

// ---- search and order ----

void TFProcesso::pesquisa() {
    if (!btPesquisa_->isEnabled()) return;
    Protegido(this, [this] {
        Ocupado ocupado;
        registro_->defineOpcaoPesquisa(TFOpcoesPesquisa::Instancia().emVigor());
        const std::string texto = registro_->pesquisa(edPesquisa_->text().toStdString());
        edPesquisa_->setText(Q(texto));
    });
    atualiza();
}

void TFProcesso::mudaOrdem(int indice) {
    using Ordem = RegistroProcessos::Ordem;
    const Ordem ordens[] = {Ordem::Processo, Ordem::DtGrav, Ordem::DtAjuiz, Ordem::Calculista};
    if (indice < 0 || indice > 3) return;
    Protegido(this, [&] {
        Ocupado ocupado;
        registro_->defineOrdem(ordens[indice]);
    });
    atualiza();
}

void TFProcesso::opcoesPesquisa() { TFOpcoesPesquisa::Instancia().executa(); }

// ---- pickers ----

void TFProcesso::pegaData(const std::string& campo) {
    if (!confirmaCampos()) return;
    Tabela& t = registro_->processos();
    const Valor& v = t.valor(campo);
    QDate inicial;
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

void TFProcesso::pegaTaxa(const std::string& campo, const QString& titulo, const std::string& tabela) {
    if (!confirmaCampos()) return;
    auto& lista = TFListaTaxas::Instancia();
    if (lista.executa(titulo, tabela) != QDialog::Accepted || !lista.taxa()) return;
    Tabela& t = registro_->processos();
    if (!t.aberta() || Apara(t.valor("Processo").comoTexto()).empty()) return;
    modelo_->defineCampo(campo, Valor(*lista.taxa()));
    atualiza();
}

// ---- the button bar ----

void TFProcesso::abreJanela(const std::string& letras, const std::function<void()>& abre) {
    // The window of the calculation is modal: the current row stays put until it closes.
    if (!Protegido(this, [&] { registro_->PreparaTabelas(letras); })) return;
    abre();
}

void TFProcesso::abreCalculo(const std::string& letras, const std::function<void(const CalculoAberto&)>& abre) {
    abreJanela(letras, [&] {
        Protegido(this, [&] {
            const CalculoAberto calculo = CalculoAbertoDe(registro_->processos());
            abre(calculo);
            // The print dialog stores the totals in this row behind the
            // register's back: read it again, so what it shows is current and
            // a later change of the row is not taken for another user's.
            registro_->processos().atualiza();
        });
    });
}

void TFProcesso::abrePartes() {
    if (!Protegido(this, [&] { registro_->PreparaTabelas("C"); })) return;
    Protegido(this, [&] {
        Tabela& t = registro_->processos();
        ConjuntoCalculo& conjunto = registro_->conjunto();
        TFPartes partes(sessao_, conjunto.NomeDiretorio(), t.valor("Processo").comoTexto(), conjunto.arquivo(), this);
        partes.exec();
    });
}

void TFProcesso::andamentos() {
    Protegido(this, [&] {
        registro_->ExigeProcesso();
        Tabela& t = registro_->processos();
        Andamentos resultado;
        {
            Ocupado ocupado;
            resultado = BuscaAndamentos(sessao_.ambiente().pastaPrograma, t.valor("Processo").comoTexto(),
                                        t.valor("Arquivo").comoInteiro(), [] {
                                            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
                                        });
        }
        QDialog janela(this);
        janela.setObjectName("TFAndamentos");
        janela.setWindowTitle(Q(resultado.titulo));
        auto* l = new QVBoxLayout(&janela);
        auto* texto = new QPlainTextEdit(&janela);
        texto->setObjectName("MmAndamentos");
        texto->setReadOnly(true);
        texto->setPlainText(Q(resultado.texto));
        l->addWidget(texto);
        auto* botoes = new QDialogButtonBox(QDialogButtonBox::Close, &janela);
        connect(botoes, &QDialogButtonBox::rejected, &janela, &QDialog::reject);
        l->addWidget(botoes);
        janela.resize(640, 420);
        janela.exec();
    });
}

void TFProcesso::novoGrupo() {
    if (!Protegido(this, [this] { registro_->ExigeProcesso(); })) return;
    TFNovoGrupo dialogo(this);
    if (dialogo.exec() != QDialog::Accepted) return;
    Protegido(this, [&] { registro_->NovoGrupo(TFNovoGrupo::Copias()); });
    atualiza();
}

void TFProcesso::duplicar() {
    if (!Protegido(this, [this] { registro_->ExigeProcesso(); })) return;
    Tabela& t = registro_->processos();
    auto& lista = TFListaProcessos::Instancia();
    if (lista.executa(t.valor("Processo").comoTexto(), static_cast<int>(t.valor("CodRecte").comoInteiro())) !=
            QDialog::Accepted ||
        !lista.escolha())
        return;
    const ListaProcessos::Escolha escolha = *lista.escolha();
    Protegido(this, [&] {
        Ocupado ocupado;
        registro_->Duplicar(escolha.processo, escolha.codRecte, escolha.copias);
    });
    atualiza();
}

// ---- progress of the creation of a new calculation's tables ----

void TFProcesso::progresso(int passo, const std::string& rotulo) {
    if (!progresso_) {
        progresso_ = new QProgressDialog(this);
        progresso_->setObjectName("TFProgresso");
        progresso_->setWindowTitle(TituloMensagem());
        progresso_->setCancelButton(nullptr);
        progresso_->setRange(0, 4);
        progresso_->setMinimumDuration(0);
        progresso_->setWindowModality(Qt::ApplicationModal);
        progresso_->setAutoClose(false);
        progresso_->setAutoReset(false);
        progresso_->setMinimumWidth(340);
    }
    progresso_->setLabelText(QStringLiteral("Criando arquivos de cálculo...\n") + Q(rotulo));
    progresso_->setValue(passo);
    if (passo == 0) progresso_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (passo >= 4) progresso_->hide();
}

// ---- events ----

bool TFProcesso::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        auto* botao = qobject_cast<QToolButton*>(objeto);
        if (botao && botao->isEnabled() && botao->parent() == navegador_) {
            if (botao == navegador_->botao(NavegadorTabela::Cancelar)) {
                esqueceDigitado();  // what was typed goes with the edit
            } else if (!confirmaCampos()) {
                // The navigator keeps no focus: what was typed is written before its button runs.
                return true;
            }
        } else if (botao && botao->isEnabled() && (botao->parent() == nvAcrescimos_ || botao->parent() == nvJuros_)) {
            GradeTabela* grade = botao->parent() == nvAcrescimos_ ? grAcrescimos_ : grJuros_;
            if (!grade->confirmaEdicao()) return true;
            if (botao->parent() == nvAcrescimos_ && botao == nvAcrescimos_->botao(NavegadorTabela::Gravar) &&
                modeloAcrescimos_) {
                // A refused addition moves the grid to the field in question.
                Tabela& t = modeloAcrescimos_->tabela();
                try {
                    if (t.editando()) t.grava();
                } catch (const ErroCampo& e) {
                    TrataErro(this, e);
                    const int coluna = modeloAcrescimos_->colunaDoCampo(e.campo());
                    if (coluna >= 0)
                        grAcrescimos_->setCurrentIndex(modeloAcrescimos_->index(modeloAcrescimos_->linhaAtual(), coluna));
                    grAcrescimos_->setFocus();
                    return true;
                } catch (const std::exception& e) {
                    TrataErro(this, e);
                    return true;
                }
                nvAcrescimos_->atualizaEstado();
                return true;
            }
        }
    } else if (evento->type() == QEvent::FocusOut && qobject_cast<QPlainTextEdit*>(objeto)) {
        if (!gravandoCampos_) confirmaCampos();
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFProcesso::closeEvent(QCloseEvent* e) {
    for (GradeTabela* g : {grAcrescimos_, grJuros_}) g->confirmaEdicao();
    if (!confirmaCampos() || !Protegido(this, [this] { registro_->fecha(); })) {
        e->ignore();
        return;
    }
    e->accept();
}

}  // namespace korva::ui
