#include "app/ui/TFPrincipal.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/Validacoes.h"
#include "app/ui/Dicas.h"
#include "app/ui/EnviaTecla.h"
#include "app/ui/Icones.h"
#include "app/ui/JanelasFilhas.h"
#include "parameters/ui/JanelasParametros.h"
#include "prorata/ui/JanelasProrrata.h"
#include "maintenance/ui/JanelasManutencao.h"
#include "maintenance/AreaTrabalho.h"
#include "maintenance/ui/PinturaAreaTrabalho.h"
#include "maintenance/ui/TFAreaTrabalho.h"
#include "util/ArquivoIni.h"
#include "register/ui/JanelasCadastro.h"
#include "reference/ui/JanelasTabelas.h"
#include "app/ui/Mensagens.h"
#include "app/ui/Recursos.h"
#include "app/ui/TFCalculadora.h"
#include "app/ui/TFConfig.h"
#include "app/ui/TFSobre.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/ui/TFConfigProxy.h"
#include "util/Data.h"

namespace korva::ui {
namespace {

TFPrincipal* gInstancia = nullptr;

bool DentroDe(const QWidget* w, const QWidget* janela) {
    return w && janela && (w == janela || janela->isAncestorOf(w));
}

}  // namespace

TFPrincipal* TFPrincipal::Instancia() { return gInstancia; }

TFPrincipal::TFPrincipal(Sessao& sessao, QWidget* pai)
    : QMainWindow(pai), sessao_(sessao), impressora_(std::make_unique<QPrinter>()) {
    IniciaRecursos();
    gInstancia = this;
    setObjectName("TFPrincipal");
    setWindowTitle(TituloPrincipal());
    setWindowIcon(Icone("korva"));

    area_ = new QMdiArea(this);
    area_->setObjectName("AreaTrabalho");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    janelas_ = new JanelasFilhas(area_);

    criaMenus();
    criaBarraFerramentas();
    criaBarraStatus();

    calculadora_ = new TFCalculadora(this);
    configuracao_ = new TFConfig(configuracoes(), this);
    sobre_ = new TFSobre(this);
    // The desktop background of this workstation.
    fundo_ = new PinturaAreaTrabalho(area_);
    fundo_->aplica(LeAreaTrabalho(ArquivoIni(configuracoes().arquivoEstacao())));
    registraDialogo(QStringLiteral("MnAreaTrabalho"), [this, d = new TFAreaTrabalho(*fundo_, configuracoes().arquivoEstacao().string(), this)] {
        d->exec();
    });
    registraDialogo(QStringLiteral("MnAtualizarWeb"), [d = new TFConfigProxy(sessao_, this)] { d->exec(); });
    RegistraJanelasCadastro(*this);
    RegistraJanelasParametros(*this);
    RegistraJanelasTabelas(*this);
    RegistraJanelasProrrata(*this);
    RegistraJanelasManutencao(*this);

    // The main window sees every key and hint before the control that gets them.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* novo) {
        if (novo && !DentroDe(novo, calculadora_)) ultimoFocoForaCalculadora_ = novo;
    });
}

TFPrincipal::~TFPrincipal() {
    qApp->removeEventFilter(this);
    gravaOrdenacoes();
    if (gInstancia == this) gInstancia = nullptr;
}

Configuracoes& TFPrincipal::configuracoes() { return sessao_.configuracoes(); }

QAction* TFPrincipal::entrada(const QString& nome) const { return findChild<QAction*>(nome); }

QToolButton* TFPrincipal::botao(const QString& nome) const { return findChild<QToolButton*>(nome); }

// ---------------------------------------------------------------- menus

QAction* TFPrincipal::criaEntrada(QMenu* menu, const char* nome, const QString& texto, const QString& dica) {
    auto* acao = new QAction(texto, this);
    acao->setObjectName(QString::fromLatin1(nome));
    if (!dica.isEmpty()) DefineDica(acao, dica);
    menu->addAction(acao);
    return acao;
}

QAction* TFPrincipal::criaEntradaJanela(QMenu* menu, const char* nome, const QString& texto, const QString& dica) {
    QAction* acao = criaEntrada(menu, nome, texto, dica);
    connect(acao, &QAction::triggered, this, [this, acao] { abreEntrada(acao); });
    return acao;
}

void TFPrincipal::criaMenus() {
    QMenuBar* barra = menuBar();

    QMenu* processo = barra->addMenu(QStringLiteral("&Processo"));
    processo->setObjectName("MnProcesso");
    criaEntradaJanela(processo, "MnCalculo", QStringLiteral("&Cálculo"),
                      QStringLiteral("Cálculo|Cadastro de processos e cálculos"));
    criaEntradaJanela(processo, "MnProrrata", QStringLiteral("&Prorrata"),
                      QStringLiteral("Prorrata|Atualização prorrata dia a dia"));

    QMenu* tabelas = barra->addMenu(QStringLiteral("&Tabelas"));
    tabelas->setObjectName("MnTabelas");
    criaEntradaJanela(tabelas, "MnSalarioMinimo", QStringLiteral("Salário Mínimo/&Família / Seguro-Desemprego"),
                      QStringLiteral("Salário Mínimo|Salário mínimo, salário-família e seguro-desemprego"));
    criaEntradaJanela(tabelas, "MnSalariosNormativos", QStringLiteral("&Salários Normativos"),
                      QStringLiteral("Salários Normativos|Tabela de salários normativos"));
    criaEntradaJanela(tabelas, "MnValesTransporte", QStringLiteral("&Vales Transporte"),
                      QStringLiteral("Vales Transporte|Tabela de vales transporte"));
    criaEntradaJanela(tabelas, "MnIndicesDiarios", QStringLiteral("Índices &Diários"),
                      QStringLiteral("Índices Diários|Índices diários de correção monetária"));
    criaEntradaJanela(tabelas, "MnIndicesMensais", QStringLiteral("Índices &Mensais"),
                      QStringLiteral("Índices Mensais|Índices mensais de correção"))
        ->setVisible(false);
    criaEntradaJanela(tabelas, "MnVerbas", QStringLiteral("Ver&bas"),
                      QStringLiteral("Verbas|Tabela de verbas (rendimentos)"));
    criaEntradaJanela(tabelas, "MnURV", QStringLiteral("&URV"), QStringLiteral("URV|Tabela da URV"));
    criaEntradaJanela(tabelas, "MnUFIR", QStringLiteral("UFI&R"), QStringLiteral("UFIR|Tabela da UFIR"));
    tabelas->addSeparator();
    QMenu* previdencia = tabelas->addMenu(QStringLiteral("&Previdência Social"));
    previdencia->setObjectName("MnPrevidencia");
    criaEntradaJanela(previdencia, "MnRecolhimentoEmpregador", QStringLiteral("Recolhimento do &Empregador"),
                      QStringLiteral("Empregador|Alíquotas de recolhimento do empregador"));
    criaEntradaJanela(previdencia, "MnRecolhimentoTerceiros", QStringLiteral("Recolhimento de &Terceiros"),
                      QStringLiteral("Terceiros|Alíquotas de recolhimento de terceiros"));
    criaEntradaJanela(previdencia, "MnRiscosAmbientais", QStringLiteral("Riscos &Ambientais do Trabalho"),
                      QStringLiteral("Riscos Ambientais|Alíquotas de riscos ambientais do trabalho"));
    criaEntradaJanela(previdencia, "MnFaixasINSS", QStringLiteral("Faixas de desconto do &INSS"),
                      QStringLiteral("Faixas do INSS|Faixas de desconto do INSS"));
    criaEntradaJanela(tabelas, "MnAliquotasIR", QStringLiteral("&Aliquotas do Imposto de Renda"),
                      QStringLiteral("Imposto de Renda|Faixas e alíquotas do imposto de renda"));
    QMenu* feriados = tabelas->addMenu(QStringLiteral("F&eriados"));
    feriados->setObjectName("MnFeriados");
    criaEntradaJanela(feriados, "MnFeriadosPadrao", QStringLiteral("Feriados Padrão"),
                      QStringLiteral("Feriados|Tabela de feriados"));
    criaEntradaJanela(feriados, "MnClassificacaoFeriados", QStringLiteral("&Classificação dos Feriados"),
                      QStringLiteral("Classificação|Classificação dos feriados"));
    criaEntradaJanela(tabelas, "MnExportarImportar", QStringLiteral("&Exportar/Importar Tabelas..."),
                      QStringLiteral("Exportar/Importar|Exporta e importa as tabelas"))
        ->setVisible(false);

    menuJanela_ = barra->addMenu(QStringLiteral("&Janela"));
    menuJanela_->setObjectName("MnJanela");
    QAction* acao = criaEntrada(menuJanela_, "MnCascata", QStringLiteral("&Cascata"),
                                QStringLiteral("Cascata|Organiza as janelas em cascata"));
    connect(acao, &QAction::triggered, this, &TFPrincipal::cascata);
    acao = criaEntrada(menuJanela_, "MnOrganizarIcones", QStringLiteral("&Organizar Ícones"),
                       QStringLiteral("Organizar Ícones|Organiza os ícones das janelas minimizadas"));
    connect(acao, &QAction::triggered, this, &TFPrincipal::organizaIcones);
    acao = criaEntrada(menuJanela_, "MnMinimizarTodos", QStringLiteral("&Minimizar Todos"),
                       QStringLiteral("Minimizar Todos|Minimiza todas as janelas"));
    connect(acao, &QAction::triggered, this, &TFPrincipal::minimizaTodos);
    entradasJanelaFixas_ = menuJanela_->actions();
    connect(menuJanela_, &QMenu::aboutToShow, this, &TFPrincipal::atualizaMenuJanela);

    QMenu* sistema = barra->addMenu(QStringLiteral("&Sistema"));
    sistema->setObjectName("MnSistema");
    acao = criaEntrada(sistema, "MnDebug", QStringLiteral("&Debug"),
                       QStringLiteral("Debug|Marcado: os erros são mostrados com o texto original"));
    acao->setCheckable(true);
    acao->setChecked(Depuracao());
    connect(acao, &QAction::toggled, this, [](bool marcado) { DefineDepuracao(marcado); });
    sistema->addSeparator();
    criaEntradaJanela(sistema, "MnAtualizarWeb", QStringLiteral("Atualizar tabelas via &WEB"),
                      QStringLiteral("Atualizar|Atualiza as tabelas pela Internet"));
    criaEntradaJanela(sistema, "MnVerificacaoBD", QStringLiteral("&Verificação do Banco de Dados"),
                      QStringLiteral("Verificação|Verifica e repara as tabelas do banco de dados"));
    criaEntradaJanela(sistema, "MnCopiaSeguranca", QStringLiteral("&Cópia de Seg&urança"),
                      QStringLiteral("Cópia de Segurança|Cópia de segurança e restauração dos dados"));
    sistema->addSeparator();
    criaEntradaJanela(sistema, "MnPadraoProcesso", QStringLiteral("Valores Padrão - &Processo"),
                      QStringLiteral("Padrão Processo|Valores padrão dos novos cálculos"));
    criaEntradaJanela(sistema, "MnPadraoProrrata", QStringLiteral("Valores Padrão - P&rorrata"),
                      QStringLiteral("Padrão Prorrata|Valores padrão das novas atualizações prorrata"));
    sistema->addSeparator();
    acao = criaEntrada(sistema, "MnConfiguracoes", QStringLiteral("&Configurações..."),
                       QStringLiteral("Configurações|Configurações do sistema"));
    connect(acao, &QAction::triggered, this, [this] { Protegido(this, [this] { mostraConfiguracao(); }); });
    criaEntradaJanela(sistema, "MnAreaTrabalho", QStringLiteral("&Area de Trabalho..."),
                      QStringLiteral("Área de Trabalho|Fundo da área de trabalho"));
    criaEntradaJanela(sistema, "MnAlterarSkins", QStringLiteral("Alterar Skins"),
                      QStringLiteral("Skins|Altera a aparência das janelas"))
        ->setVisible(false);
    sistema->addSeparator();
    acao = criaEntrada(sistema, "MnConfigurarImpressora", QStringLiteral("Configurar &Impressora ..."),
                       QStringLiteral("Impressora|Escolhe e configura a impressora"));
    connect(acao, &QAction::triggered, this, [this] { Protegido(this, [this] { configuraImpressora(); }); });
    acao = criaEntrada(sistema, "MnSobre", QStringLiteral("&Sobre..."),
                       QStringLiteral("Sobre|Informações sobre o sistema"));
    connect(acao, &QAction::triggered, this, &TFPrincipal::mostraSobre);
    sistema->addSeparator();
    acao = criaEntrada(sistema, "MnSair", QStringLiteral("Sai&r"), QStringLiteral("Sair|Encerra o sistema"));
    connect(acao, &QAction::triggered, this, &QWidget::close);
}

void TFPrincipal::atualizaMenuJanela() {
    // The fixed entries, then one checkable entry per open child window.
    for (QAction* a : menuJanela_->actions())
        if (!entradasJanelaFixas_.contains(a)) {
            menuJanela_->removeAction(a);
            a->deleteLater();
        }
    const auto filhas = area_->subWindowList(QMdiArea::CreationOrder);
    if (filhas.isEmpty()) return;
    auto* separador = menuJanela_->addSeparator();
    separador->setParent(menuJanela_);
    int n = 0;
    for (QMdiSubWindow* sub : filhas) {
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()), menuJanela_);
        a->setCheckable(true);
        a->setChecked(sub == area_->activeSubWindow());
        QPointer<QMdiSubWindow> alvo(sub);
        connect(a, &QAction::triggered, this, [this, alvo] {
            if (!alvo) return;
            if (alvo->isMinimized()) alvo->showNormal();
            area_->setActiveSubWindow(alvo);
        });
        menuJanela_->addAction(a);
    }
}

// ---------------------------------------------------------------- tool bar

QToolButton* TFPrincipal::criaBotao(const char* nome, const char* icone, const QString& dica, QAction* entrada) {
    auto* botao = new QToolButton(this);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setIcon(Icone(QString::fromLatin1(icone)));
    botao->setIconSize(QSize(28, 28));
    botao->setAutoRaise(true);
    botao->setFocusPolicy(Qt::NoFocus);
    DefineDica(botao, dica);
    if (entrada) {
        botaoDaEntrada_.insert(entrada, botao);
        connect(botao, &QToolButton::clicked, entrada, &QAction::trigger);
    }
    return botao;
}

void TFPrincipal::criaBarraFerramentas() {
    QToolBar* barra = addToolBar(QStringLiteral("Ferramentas"));
    barra->setObjectName("BarraFerramentas");
    barra->setMovable(false);
    barra->setFloatable(false);
    barra->setIconSize(QSize(28, 28));
    barra->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    barra->addWidget(criaBotao("BtProcesso", "processo", QStringLiteral("Cálculo|Cadastro de processos e cálculos"),
                               entrada("MnCalculo")));
    barra->addWidget(criaBotao("BtProrrata", "prorrata", QStringLiteral("Prorrata|Atualização prorrata dia a dia"),
                               entrada("MnProrrata")));
    barra->addSeparator();
    barra->addWidget(criaBotao("BtSalFam1", "salfam",
                               QStringLiteral("Salário Mínimo|Salário mínimo, salário-família e seguro-desemprego"),
                               entrada("MnSalarioMinimo")));
    barra->addWidget(criaBotao("BtIndices", "indices",
                               QStringLiteral("Índices Diários|Índices diários de correção monetária"),
                               entrada("MnIndicesDiarios")));
    barra->addWidget(criaBotao("BtRendimentos", "rendimentos", QStringLiteral("Verbas|Tabela de verbas (rendimentos)"),
                               entrada("MnVerbas")));
    barra->addSeparator();
    barra->addWidget(criaBotao("BtCascata", "cascata", QStringLiteral("Cascata|Organiza as janelas em cascata"),
                               entrada("MnCascata")));
    barra->addWidget(criaBotao("BtOrgIcones", "orgicones",
                               QStringLiteral("Organizar Ícones|Organiza os ícones das janelas minimizadas"),
                               entrada("MnOrganizarIcones")));
    barra->addWidget(criaBotao("BtMinimiza", "minimiza", QStringLiteral("Minimizar Todos|Minimiza todas as janelas"),
                               entrada("MnMinimizarTodos")));
    barra->addSeparator();
    barra->addWidget(criaBotao("BtSair", "sair", QStringLiteral("Sair|Encerra o sistema"), entrada("MnSair")));
    barra->addWidget(criaBotao("BtImpressora", "impressora",
                               QStringLiteral("Impressora|Escolhe e configura a impressora"),
                               entrada("MnConfigurarImpressora")));
    QToolButton* calculadora = criaBotao(
        "BtCalculadora", "calculadora",
        QStringLiteral("Calculadora (F11)|Abre a calculadora (F11); F12 digita o número do visor no campo atual"),
        nullptr);
    connect(calculadora, &QToolButton::clicked, this, &TFPrincipal::abreCalculadora);
    barra->addWidget(calculadora);
}

void TFPrincipal::criaBarraStatus() {
    QStatusBar* barra = statusBar();
    barra->setObjectName("BarraStatus");
    barra->setSizeGripEnabled(false);

    painelData_ = new QLabel(QString::fromStdString(Data::hoje().dma()), barra);
    painelData_->setObjectName("PainelData");
    painelData_->setAlignment(Qt::AlignCenter);
    painelData_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const int largura = painelData_->fontMetrics().horizontalAdvance(painelData_->text()) + 14;
    painelData_->setFixedWidth(std::max(65, largura));

    painelDica_ = new QLabel(barra);
    painelDica_->setObjectName("PainelDica");
    painelDica_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    painelDica_->setIndent(4);

    barra->addWidget(painelData_);
    barra->addWidget(painelDica_, 1);
}

// ---------------------------------------------------------------- opening windows

void TFPrincipal::registraJanelaFilha(const QString& nome, std::function<QWidget*()> cria) {
    if (QAction* a = entrada(nome)) aberturas_[a] = Abertura{std::move(cria), {}};
}

void TFPrincipal::registraDialogo(const QString& nome, std::function<void()> mostra) {
    if (QAction* a = entrada(nome)) aberturas_[a] = Abertura{{}, std::move(mostra)};
}

void TFPrincipal::abreEntrada(QAction* acao) {
    Protegido(this, [&] {
        auto it = aberturas_.find(acao);
        if (it == aberturas_.end()) {
            MostraInformacao(MensagemIndisponivel(), this);
            return;
        }
        if (it->criaFilha) janelas_->abre(acao, botaoDaEntrada_.value(acao), it->criaFilha);
        else if (it->mostraDialogo) it->mostraDialogo();
    });
}

// ---------------------------------------------------------------- window menu

void TFPrincipal::cascata() { area_->cascadeSubWindows(); }

void TFPrincipal::organizaIcones() {
    // The minimised windows in a row along the bottom edge, left to right,
    // starting a new row above when one is full.
    const QSize visivel = area_->viewport()->size();
    int x = 0;
    int base = visivel.height();
    int alturaLinha = 0;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        const QSize tamanho = sub->size();
        if (x > 0 && x + tamanho.width() > visivel.width()) {
            x = 0;
            base -= alturaLinha;
            alturaLinha = 0;
        }
        sub->move(x, base - tamanho.height());
        x += tamanho.width();
        alturaLinha = std::max(alturaLinha, tamanho.height());
    }
}

void TFPrincipal::minimizaTodos() {
    const auto filhas = area_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = filhas.crbegin(); it != filhas.crend(); ++it) (*it)->showMinimized();
}

// ---------------------------------------------------------------- system menu

void TFPrincipal::mostraConfiguracao() { configuracao_->exec(); }

void TFPrincipal::mostraSobre() { sobre_->exec(); }

void TFPrincipal::configuraImpressora() {
    QPrintDialog dialogo(impressora_.get(), this);
    dialogo.setWindowTitle(QStringLiteral("Configurar Impressora"));
    dialogo.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // It only chooses and sets up the printer: its confirming button says OK.
    QTimer::singleShot(0, &dialogo, [&dialogo] {
        for (auto* caixa : dialogo.findChildren<QDialogButtonBox*>())
            if (QPushButton* ok = caixa->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    });
    dialogo.exec();
}

void TFPrincipal::lembraSetor() {
    if (configuracoes().setorVazio())
        MostraInformacao(QStringLiteral("Selecione a opção Sistema/Configurações e informe o nome do seu Setor."), this);
}

// ---------------------------------------------------------------- calculator keys

void TFPrincipal::abreCalculadora() {
    if (!calculadora_->isVisible()) {
        calculadora_->adjustSize();
        const QRect r = geometry();
        calculadora_->move(r.right() - calculadora_->width() - 40, r.top() + 120);
    }
    calculadora_->mostra();
}

void TFPrincipal::digitaVisor() {
    // Like looking for the calculator's window: a closed calculator types nothing.
    if (!calculadora_ || !calculadora_->isVisible()) return;
    QWidget* alvo = QApplication::focusWidget();
    if (!alvo || DentroDe(alvo, calculadora_)) {
        // Typed from the calculator itself: the field that had the focus before.
        alvo = ultimoFocoForaCalculadora_.data();
        if (!alvo) return;
        alvo->activateWindow();
        alvo->setFocus();
    }
    const QString decimal = QLocale().decimalPoint();
    const char32_t separador = decimal.isEmpty() ? U',' : static_cast<char32_t>(decimal.toUcs4().value(0, U','));
    for (int tecla : TeclasDoVisor(calculadora_->visor().toStdString(), separador))
        EnviaTecla(tecla, Qt::NoModifier, false, alvo);
}

bool TFPrincipal::teclaCalculadora(QObject* objeto, QKeyEvent* tecla) {
    if (tecla->key() != Qt::Key_F11 && tecla->key() != Qt::Key_F12) return false;
    if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
    // A key press travels from the focused control up to its window; it is
    // taken once, where it starts.
    auto* widget = qobject_cast<QWidget*>(objeto);
    if (!widget) return false;
    QWidget* foco = QApplication::focusWidget();
    if (foco ? widget != foco : !widget->isWindow()) return false;
    if (tecla->key() == Qt::Key_F11) {
        if (QToolButton* b = botao("BtCalculadora")) b->click();
    } else {
        digitaVisor();
    }
    return true;
}

bool TFPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
        case QEvent::KeyPress:
            // The keys are not consumed: F11/F12 still reach the control.
            Protegido(this, [&] { teclaCalculadora(objeto, static_cast<QKeyEvent*>(evento)); });
            return false;
        case QEvent::StatusTip:
            if (painelDica_) painelDica_->setText(static_cast<QStatusTipEvent*>(evento)->tip());
            return true;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- closing

void TFPrincipal::gravaOrdenacoes() {
    if (ordenacoesGravadas_) return;
    ordenacoesGravadas_ = true;
    Protegido(this, [this] { configuracoes().gravaOrdenacoes(); });
}

void TFPrincipal::closeEvent(QCloseEvent* evento) {
    // Every child window closes first; one that refuses (a pending edit)
    // keeps the program running.
    area_->closeAllSubWindows();
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->isVisible()) {
            evento->ignore();
            return;
        }
    calculadora_->close();
    gravaOrdenacoes();
    evento->accept();
}

}  // namespace korva::ui
