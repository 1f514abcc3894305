#include "maintenance/ui/TFCopiaSeguranca.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include <filesystem>

#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/Mensagens.h"
#include "app/ui/TextoEncurtado.h"
#include "app/ui/TratamentoErros.h"
#include "maintenance/ArquivosTabela.h"
#include "maintenance/CopiaSeguranca.h"
#include "storage/Aliases.h"

namespace korva::ui {
namespace {

namespace M = MensagensCopia;

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::filesystem::path Caminho(const QString& s) { return std::filesystem::path(s.toStdString()); }

// The aliases the dialog offers, sorted.
const char* const kAliases[] = {"CalcPriv", "CalcShare"};

}  // namespace

TFCopiaSeguranca::TFCopiaSeguranca(Sessao& sessao, QWidget* pai) : QDialog(pai), sessao_(sessao) {
    setObjectName("TFCopiaSeguranca");
    setWindowTitle(U(M::kTitulo));
    setModal(true);

    controles_ = new QWidget(this);
    controles_->setObjectName("PnControles");

    // The database and its folder, which the user sees but does not change.
    auto* lbBanco = new QLabel(U(M::kRotuloBanco));
    lbBanco->setObjectName("LbBanco");
    cbBanco_ = new QComboBox;
    cbBanco_->setObjectName("CbBanco");
    for (const char* a : kAliases) cbBanco_->addItem(QString::fromLatin1(a));
    lbBanco->setBuddy(cbBanco_);
    edPastaBanco_ = new QLineEdit;
    edPastaBanco_->setObjectName("EdPastaBanco");
    edPastaBanco_->setReadOnly(true);
    edPastaBanco_->setFocusPolicy(Qt::ClickFocus);

    rgOperacao_ = new QGroupBox(U(M::kRotuloOperacao));
    rgOperacao_->setObjectName("RgOperacao");
    rbBackup_ = new QRadioButton(U(M::kOperacaoBackup));
    rbBackup_->setObjectName("RbBackup");
    rbRestauracao_ = new QRadioButton(U(M::kOperacaoRestauracao));
    rbRestauracao_->setObjectName("RbRestauracao");
    rbBackup_->setChecked(true);
    auto* operacoes = new QVBoxLayout(rgOperacao_);
    operacoes->addWidget(rbBackup_);
    operacoes->addWidget(rbRestauracao_);

    // The other folder. There are no drive letters here, so a drive box would
    // have nothing to choose: the tree starts at the root of the file system
    // and the line above it shows (and takes) the folder chosen.
    lbPasta_ = new QLabel(U(M::kRotuloDestino));
    lbPasta_->setObjectName("LbPasta");
    edPasta_ = new QLineEdit;
    edPasta_->setObjectName("EdPasta");
    lbPasta_->setBuddy(edPasta_);
    tvPastas_ = new QTreeView;
    tvPastas_->setObjectName("TvPastas");
    tvPastas_->setHeaderHidden(true);
    tvPastas_->setSelectionMode(QAbstractItemView::SingleSelection);
    tvPastas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvPastas_->setMinimumSize(280, 220);

    // The tables of the source folder.
    lsArquivos_ = new QListWidget;
    lsArquivos_->setObjectName("LsArquivos");
    lsArquivos_->setSelectionMode(QAbstractItemView::NoSelection);
    lsArquivos_->setMinimumWidth(170);

    btExecutar_ = new QPushButton(U(M::kBotaoExecutar));
    btExecutar_->setObjectName("BtExecutar");
    btExecutar_->setAutoDefault(false);  // Enter in the folder line only chooses the folder
    DefineDica(btExecutar_, U(M::kDicaExecutar));

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbBanco);
    topo->addWidget(cbBanco_);
    topo->addWidget(edPastaBanco_, 1);

    auto* linhaPasta = new QHBoxLayout;
    linhaPasta->addWidget(lbPasta_);
    linhaPasta->addWidget(edPasta_, 1);

    auto* listas = new QHBoxLayout;
    listas->addWidget(tvPastas_, 3);
    listas->addWidget(lsArquivos_, 2);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btExecutar_);

    auto* conteudo = new QVBoxLayout(controles_);
    conteudo->setContentsMargins(0, 0, 0, 0);
    conteudo->addLayout(topo);
    conteudo->addWidget(rgOperacao_);
    conteudo->addLayout(linhaPasta);
    conteudo->addLayout(listas, 1);
    conteudo->addLayout(botoes);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controles_);

    // The progress panel, over the controls and centred on the dialog.
    pnProgresso_ = new QFrame(this);
    pnProgresso_->setObjectName("PnProgresso");
    pnProgresso_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnProgresso_->setLineWidth(2);
    pnProgresso_->setAutoFillBackground(true);
    lbCopiando_ = new QLabel(U(M::kCopiando), pnProgresso_);
    lbCopiando_->setObjectName("LbCopiando");
    QFont negrito = lbCopiando_->font();
    negrito.setBold(true);
    lbCopiando_->setFont(negrito);
    pbProgresso_ = new QProgressBar(pnProgresso_);
    pbProgresso_->setObjectName("PbProgresso");
    lbDe_ = new QLabel(U(M::kDe), pnProgresso_);
    lbDe_->setObjectName("LbDe");
    lbPara_ = new QLabel(U(M::kPara), pnProgresso_);
    lbPara_->setObjectName("LbPara");
    auto* painel = new QVBoxLayout(pnProgresso_);
    painel->setContentsMargins(14, 12, 14, 12);
    painel->addWidget(lbCopiando_);
    painel->addWidget(pbProgresso_);
    painel->addWidget(lbDe_);
    painel->addWidget(lbPara_);
    pnProgresso_->hide();

    setTabOrder(cbBanco_, rbBackup_);
    setTabOrder(rbBackup_, rbRestauracao_);
    setTabOrder(rbRestauracao_, edPasta_);
    setTabOrder(edPasta_, tvPastas_);
    setTabOrder(tvPastas_, lsArquivos_);
    setTabOrder(lsArquivos_, btExecutar_);

    connect(cbBanco_, &QComboBox::currentIndexChanged, this, [this] { Protegido(this, [this] { aoMudarBanco(); }); });
    connect(rbBackup_, &QRadioButton::toggled, this, [this] { aoMudarOperacao(); });
    connect(edPasta_, &QLineEdit::editingFinished, this, [this] { aoDigitarPasta(); });
    connect(btExecutar_, &QPushButton::clicked, this, [this] { Protegido(this, [this] { executa(); }); });

    resize(660, 500);
}

TFCopiaSeguranca::~TFCopiaSeguranca() = default;

void TFCopiaSeguranca::criaModeloPastas() {
    if (modeloPastas_) return;
    // Built on the first showing: it watches the folders it has read.
    modeloPastas_ = new QFileSystemModel(this);
    modeloPastas_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    modeloPastas_->setReadOnly(true);
    modeloPastas_->setRootPath(QDir::rootPath());
    tvPastas_->setModel(modeloPastas_);
    for (int c = 1; c < modeloPastas_->columnCount(); ++c) tvPastas_->hideColumn(c);
    connect(tvPastas_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { aoEscolherNaArvore(); });
    escolhePasta(QDir::homePath());
}

void TFCopiaSeguranca::prepara() {
    criaModeloPastas();
    cbBanco_->setCurrentIndex(0);
    rbBackup_->setChecked(true);
    Protegido(this, [this] { aoMudarBanco(); });
    aoMudarOperacao();
    cbBanco_->setFocus();
}

int TFCopiaSeguranca::exec() {
    prepara();
    return QDialog::exec();
}

void TFCopiaSeguranca::reject() {
    if (executando_) return;
    QDialog::reject();
}

void TFCopiaSeguranca::closeEvent(QCloseEvent* evento) {
    if (executando_) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void TFCopiaSeguranca::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    if (pnProgresso_->isVisible()) centraPainel();
}

bool TFCopiaSeguranca::backup() const { return rbBackup_->isChecked(); }

QString TFCopiaSeguranca::pastaBanco() const { return edPastaBanco_->text(); }

QString TFCopiaSeguranca::pastaEscolhida() const {
    const QString texto = edPasta_->text().trimmed();
    if (texto.isEmpty()) return {};
    return QDir::cleanPath(QFileInfo(texto).absoluteFilePath());
}

void TFCopiaSeguranca::escolhePasta(const QString& pasta) {
    edPasta_->setText(pasta);
    if (modeloPastas_ && QFileInfo(pasta).isDir()) {
        const QModelIndex i = modeloPastas_->index(QDir::cleanPath(QFileInfo(pasta).absoluteFilePath()));
        if (i.isValid() && i != tvPastas_->currentIndex()) {
            QSignalBlocker bloqueio(tvPastas_->selectionModel());
            tvPastas_->setCurrentIndex(i);
        }
        if (i.isValid()) tvPastas_->scrollTo(i);
    } else if (modeloPastas_) {
        QSignalBlocker bloqueio(tvPastas_->selectionModel());
        tvPastas_->selectionModel()->clear();
    }
    atualizaArquivos();
}

void TFCopiaSeguranca::aoMudarBanco() {
    edPastaBanco_->clear();
    const std::string alias = cbBanco_->currentText().toStdString();
    edPastaBanco_->setText(QDir::cleanPath(Q(sessao_.aliases().caminho(alias))));
    edPastaBanco_->setCursorPosition(0);
    atualizaArquivos();
}

void TFCopiaSeguranca::aoMudarOperacao() {
    lbPasta_->setText(U(backup() ? M::kRotuloDestino : M::kRotuloOrigem));
    atualizaArquivos();
}

void TFCopiaSeguranca::aoEscolherNaArvore() {
    const QModelIndex i = tvPastas_->currentIndex();
    if (!i.isValid()) return;
    edPasta_->setText(modeloPastas_->filePath(i));
    atualizaArquivos();
}

void TFCopiaSeguranca::aoDigitarPasta() {
    if (executando_) return;
    escolhePasta(edPasta_->text().trimmed());
}

void TFCopiaSeguranca::atualizaArquivos() {
    lsArquivos_->clear();
    const QString origem = backup() ? pastaBanco() : pastaEscolhida();
    if (origem.isEmpty() || !QFileInfo(origem).isDir()) return;
    try {
        for (const std::string& nome : TabelasDaPasta(Caminho(origem))) lsArquivos_->addItem(Q(nome));
    } catch (const std::exception&) {
        // An unreadable folder lists nothing; "&Executar" reports it.
    }
}

void TFCopiaSeguranca::executa() {
    if (executando_) return;
    const OperacaoCopia operacao = backup() ? OperacaoCopia::Backup : OperacaoCopia::Restauracao;
    const std::string alias = cbBanco_->currentText().toStdString();
    const std::filesystem::path banco = Caminho(pastaBanco());
    const std::filesystem::path escolhida = Caminho(pastaEscolhida());

    ResultadoCopia resultado;
    {
        executando_ = true;
        controles_->setEnabled(false);
        // Whatever the end, the panel goes and the dialog is usable again
        // before a message is shown.
        struct Fim {
            TFCopiaSeguranca* d;
            ~Fim() {
                d->pnProgresso_->hide();
                d->controles_->setEnabled(true);
                d->executando_ = false;
                Protegido(d, [this] { d->aoMudarBanco(); });
                d->btExecutar_->setFocus();
            }
        } fim{this};
        CursorOcupado cursor;
        OpcoesCopia opcoes;
        opcoes.progresso = [this](const PassoCopia& p) { mostraPasso(p); };
        opcoes.aoSubstituir = [this](const std::string&, size_t numero, size_t total) {
            mostraSubstituicao(numero, total);
        };
        resultado = ExecutaCopiaSeguranca(operacao, alias, banco, escolhida, opcoes);
    }
    MostraInformacao(Q(resultado.mensagem), this);
}

void TFCopiaSeguranca::mostraPainel() {
    lbDe_->setText(U(M::kDe));
    lbPara_->setText(U(M::kPara));
    pbProgresso_->setRange(0, 1);
    pbProgresso_->setValue(0);
    centraPainel();
    pnProgresso_->show();
    pnProgresso_->raise();
}

void TFCopiaSeguranca::centraPainel() {
    const int largura = std::min(width() - 40, 560);
    const int altura = pnProgresso_->sizeHint().height();
    pnProgresso_->setGeometry((width() - largura) / 2, (height() - altura) / 2, largura, altura);
}

void TFCopiaSeguranca::escreveLinha(QLabel* rotulo, const QString& texto) {
    // A long path is shortened in the middle to fit; the whole one is its tip.
    MostraEncurtado(rotulo, texto, std::max(pnProgresso_->contentsRect().width() - 28, 100));
}

void TFCopiaSeguranca::mostraPasso(const PassoCopia& passo) {
    if (!pnProgresso_->isVisible()) mostraPainel();
    escreveLinha(lbDe_, Q(LinhaDe(passo.de)));
    escreveLinha(lbPara_, Q(LinhaPara(passo.para)));
    pbProgresso_->setRange(0, static_cast<int>(passo.total));
    pbProgresso_->setValue(static_cast<int>(passo.numero) - 1);
    QCoreApplication::processEvents();
}

void TFCopiaSeguranca::mostraSubstituicao(size_t numero, size_t total) {
    if (!pnProgresso_->isVisible()) mostraPainel();
    pbProgresso_->setRange(0, static_cast<int>(total));
    pbProgresso_->setValue(static_cast<int>(numero) - 1);
    QCoreApplication::processEvents();
}

}  // namespace korva::ui
