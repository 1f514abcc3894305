#include "reports/ui/TFPreview.h"

#include "reports/ui/EscolhaImpressora.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/Mensagens.h"
#include "app/ui/TextoEncurtado.h"
#include "app/ui/TratamentoErros.h"
#include "reports/render/GravaPdf.h"
#include "reports/render/Imprime.h"
#include "reports/render/PintaPagina.h"
#include "util/Erros.h"

namespace korva::ui {

namespace {

constexpr double ZoomMinimo = 0.1;
constexpr double ZoomMaximo = 8.0;
constexpr double PassoZoom = 1.25;
constexpr int Respiro = 24;  // pixels left around the sheet when fitting it

QToolButton* Botao(const QString& texto, const QString& dica, QWidget* pai) {
    auto* b = new QToolButton(pai);
    b->setText(texto);
    b->setToolTip(dica);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

std::function<QString(const QString&)>& ArquivoPdfTeste() {
    static std::function<QString(const QString&)> escolha;
    return escolha;
}

// The folder of the last PDF written, proposed again next time.
QString& PastaPdf() {
    static QString pasta;
    return pasta;
}

}  // namespace

void TFPreview::DefineArquivoPdfTeste(std::function<QString(const QString&)> escolha) {
    ArquivoPdfTeste() = std::move(escolha);
}

TFPreview::TFPreview(Documento documento, const QString& titulo, QWidget* pai)
    : QDialog(pai), documento_(std::move(documento)) {
    setObjectName(QStringLiteral("TFPreview"));
    setWindowTitle(titulo);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    // Where no window manager maximises it, the preview still takes most of the screen.
    if (const QScreen* tela = QGuiApplication::primaryScreen()) resize(tela->availableGeometry().size() * 9 / 10);
    setWindowState(windowState() | Qt::WindowMaximized);
    pagina_ = documento_.paginas.empty() ? 0 : 1;

    auto* barra = new QHBoxLayout;
    btPrimeira_ = Botao(QStringLiteral("|<"), QStringLiteral("Primeira página"), this);
    btAnterior_ = Botao(QStringLiteral("<"), QStringLiteral("Página anterior"), this);
    caixaPagina_ = new QSpinBox(this);
    caixaPagina_->setObjectName(QStringLiteral("caixaPagina"));
    caixaPagina_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    caixaPagina_->setAlignment(Qt::AlignCenter);
    caixaPagina_->setKeyboardTracking(false);
    caixaPagina_->setToolTip(QStringLiteral("Página atual / total de páginas"));
    // Room for "999/999" beside the frame.
    caixaPagina_->setMinimumWidth(caixaPagina_->fontMetrics().horizontalAdvance(QStringLiteral("9999/9999")));
    btProxima_ = Botao(QStringLiteral(">"), QStringLiteral("Próxima página"), this);
    btUltima_ = Botao(QStringLiteral(">|"), QStringLiteral("Última página"), this);
    btReduzir_ = Botao(QStringLiteral("-"), QStringLiteral("Reduzir"), this);
    rotuloZoom_ = new QLabel(this);
    rotuloZoom_->setObjectName(QStringLiteral("rotuloZoom"));
    rotuloZoom_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000%")));
    rotuloZoom_->setAlignment(Qt::AlignCenter);
    btAmpliar_ = Botao(QStringLiteral("+"), QStringLiteral("Ampliar"), this);
    auto* btLargura = Botao(QStringLiteral("&Largura"), QStringLiteral("Ajusta à largura da página"), this);
    auto* btPagina = Botao(QStringLiteral("Página &inteira"), QStringLiteral("Mostra a página inteira"), this);
    auto* btImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    btImprimir->setObjectName(QStringLiteral("BtImprimir"));
    btImprimir->setToolTip(QStringLiteral("Envia relatório para impressora"));
    btImprimir->setAutoDefault(false);
    auto* btSalvarPdf = new QPushButton(QStringLiteral("Salvar PDF..."), this);
    btSalvarPdf->setObjectName(QStringLiteral("BtSalvarPdf"));
    btSalvarPdf->setToolTip(QStringLiteral("Grava o relatório em um arquivo PDF"));
    btSalvarPdf->setAutoDefault(false);
    auto* btFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar->setObjectName(QStringLiteral("BtFechar"));
    btFechar->setAutoDefault(false);
    situacao_ = new QLabel(this);
    situacao_->setObjectName(QStringLiteral("LbSituacao"));
    situacao_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long path never widens the bar
    btPrimeira_->setObjectName(QStringLiteral("BtPrimeira"));
    btAnterior_->setObjectName(QStringLiteral("BtAnterior"));
    btProxima_->setObjectName(QStringLiteral("BtProxima"));
    btUltima_->setObjectName(QStringLiteral("BtUltima"));
    btReduzir_->setObjectName(QStringLiteral("BtReduzir"));
    btAmpliar_->setObjectName(QStringLiteral("BtAmpliar"));
    btLargura->setObjectName(QStringLiteral("BtLargura"));
    btPagina->setObjectName(QStringLiteral("BtPagina"));

    for (QWidget* w : {static_cast<QWidget*>(btPrimeira_), static_cast<QWidget*>(btAnterior_),
                       static_cast<QWidget*>(caixaPagina_), static_cast<QWidget*>(btProxima_),
                       static_cast<QWidget*>(btUltima_)})
        barra->addWidget(w);
    barra->addSpacing(16);
    for (QWidget* w : {static_cast<QWidget*>(btReduzir_), static_cast<QWidget*>(rotuloZoom_),
                       static_cast<QWidget*>(btAmpliar_), static_cast<QWidget*>(btLargura),
                       static_cast<QWidget*>(btPagina)})
        barra->addWidget(w);
    barra->addSpacing(16);
    barra->addWidget(situacao_, 1);
    barra->addWidget(btImprimir);
    barra->addWidget(btSalvarPdf);
    barra->addWidget(btFechar);

    folha_ = new QLabel;
    folha_->setAlignment(Qt::AlignCenter);
    folha_->setObjectName(QStringLiteral("folha"));
    rolagem_ = new QScrollArea(this);
    rolagem_->setWidget(folha_);
    rolagem_->setWidgetResizable(true);
    rolagem_->setAlignment(Qt::AlignCenter);
    rolagem_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(barra);
    layout->addWidget(rolagem_, 1);

    connect(btPrimeira_, &QToolButton::clicked, this, &TFPreview::primeira);
    connect(btAnterior_, &QToolButton::clicked, this, &TFPreview::anterior);
    connect(btProxima_, &QToolButton::clicked, this, &TFPreview::proxima);
    connect(btUltima_, &QToolButton::clicked, this, &TFPreview::ultima);
    connect(caixaPagina_, &QSpinBox::valueChanged, this, &TFPreview::vaiParaPagina);
    connect(btAmpliar_, &QToolButton::clicked, this, &TFPreview::ampliar);
    connect(btReduzir_, &QToolButton::clicked, this, &TFPreview::reduzir);
    connect(btLargura, &QToolButton::clicked, this, &TFPreview::ajustaLargura);
    connect(btPagina, &QToolButton::clicked, this, &TFPreview::ajustaPagina);
    connect(btImprimir, &QPushButton::clicked, this, &TFPreview::imprime);
    connect(btSalvarPdf, &QPushButton::clicked, this, [this] { salvaPdf(); });
    connect(btFechar, &QPushButton::clicked, this, &QDialog::accept);

    auto atalho = [this](const QKeySequence& k, void (TFPreview::*f)()) {
        connect(new QShortcut(k, this), &QShortcut::activated, this, f);
    };
    atalho(QKeySequence(Qt::Key_PageDown), &TFPreview::proxima);
    atalho(QKeySequence(Qt::Key_PageUp), &TFPreview::anterior);
    atalho(QKeySequence(Qt::CTRL | Qt::Key_Home), &TFPreview::primeira);
    atalho(QKeySequence(Qt::CTRL | Qt::Key_End), &TFPreview::ultima);
    atalho(QKeySequence::ZoomIn, &TFPreview::ampliar);
    atalho(QKeySequence::ZoomOut, &TFPreview::reduzir);

    if (documento_.paginas.empty()) {
        btImprimir->setEnabled(false);
        btSalvarPdf->setEnabled(false);
    }
    atualizaControles();
}

double TFPreview::dpiTela() const { return std::max(1, logicalDpiX()); }

void TFPreview::primeira() { vaiParaPagina(1); }
void TFPreview::anterior() { vaiParaPagina(pagina_ - 1); }
void TFPreview::proxima() { vaiParaPagina(pagina_ + 1); }
void TFPreview::ultima() { vaiParaPagina(totalPaginas()); }

void TFPreview::vaiParaPagina(int pagina) {
    if (totalPaginas() == 0) return;
    pagina = std::clamp(pagina, 1, totalPaginas());
    if (pagina == pagina_) return;
    pagina_ = pagina;
    desenha();
    rolagem_->verticalScrollBar()->setValue(0);
    atualizaControles();
}

void TFPreview::ampliar() {
    ajuste_ = Ajuste::Livre;
    defineZoom(zoom_ * PassoZoom);
}

void TFPreview::reduzir() {
    ajuste_ = Ajuste::Livre;
    defineZoom(zoom_ / PassoZoom);
}

void TFPreview::ajustaLargura() {
    ajuste_ = Ajuste::Largura;
    aplicaAjuste();
}

void TFPreview::ajustaPagina() {
    ajuste_ = Ajuste::Pagina;
    aplicaAjuste();
}

void TFPreview::aplicaAjuste() {
    if (ajuste_ == Ajuste::Livre) return;
    const double pxPorMm = dpiTela() / 25.4;
    const QSize area = rolagem_->viewport()->size();
    // Room left when the vertical scroll bar shows, so fitting the width does
    // not bring in a horizontal one.
    const int barra = rolagem_->verticalScrollBar()->sizeHint().width();
    const double largura = std::max(50, area.width() - Respiro - barra);
    const double altura = std::max(50, area.height() - Respiro);
    double z = largura / (documento_.largura * pxPorMm);
    if (ajuste_ == Ajuste::Pagina) z = std::min(z, altura / (documento_.altura * pxPorMm));
    defineZoom(z);
}

void TFPreview::defineZoom(double zoom) {
    zoom = std::clamp(zoom, ZoomMinimo, ZoomMaximo);
    if (std::abs(zoom - zoom_) < 1e-9 && !folha_->pixmap().isNull()) return;
    zoom_ = zoom;
    desenha();
    atualizaControles();
}

void TFPreview::desenha() {
    if (totalPaginas() == 0) {
        folha_->setText(QStringLiteral("Relatório sem páginas."));
        return;
    }
    const QImage imagem = ImagemPagina(documento_, static_cast<size_t>(pagina_ - 1), dpiTela() * zoom_);
    folha_->setPixmap(QPixmap::fromImage(imagem));
}

void TFPreview::atualizaControles() {
    const int n = totalPaginas();
    {
        const QSignalBlocker bloqueio(caixaPagina_);
        caixaPagina_->setRange(n == 0 ? 0 : 1, n);
        caixaPagina_->setSuffix(QStringLiteral("/%1").arg(n));
        caixaPagina_->setValue(pagina_);
        caixaPagina_->setEnabled(n > 1);
    }
    btPrimeira_->setEnabled(pagina_ > 1);
    btAnterior_->setEnabled(pagina_ > 1);
    btProxima_->setEnabled(pagina_ < n);
    btUltima_->setEnabled(pagina_ < n);
    btAmpliar_->setEnabled(zoom_ < ZoomMaximo - 1e-9);
    btReduzir_->setEnabled(zoom_ > ZoomMinimo + 1e-9);
    rotuloZoom_->setText(QStringLiteral("%1%").arg(std::lround(zoom_ * 100.0)));
}

void TFPreview::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    aplicaAjuste();
    encurtaSituacao();
}

void TFPreview::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The viewport has its final size only once the maximised window is laid out.
    QTimer::singleShot(0, this, [this] { aplicaAjuste(); });
    aplicaAjuste();
}

void TFPreview::imprime() {
    if (totalPaginas() == 0) return;
    QPrinter impressora(QPrinter::HighResolution);
    const bool escolhida = EscolheImpressora(impressora, windowTitle(), totalPaginas(), this, pagina_, escolha_);
    if (!escolhida) return;
    try {
        Imprime(documento_, impressora);
    } catch (const std::exception& e) {
        MostraErro(QString::fromUtf8(e.what()), this);
    }
}

}  // namespace korva::ui

namespace korva::ui {

QString TFPreview::nomeProposto() const {
    QString nome = windowTitle().trimmed();
    static const QString proibidos = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : nome)
        if (proibidos.contains(c) || c.unicode() < 32) c = QLatin1Char('-');
    if (nome.isEmpty()) nome = QStringLiteral("Relatório");
    return nome + QStringLiteral(".pdf");
}

bool TFPreview::salvaPdf() {
    if (totalPaginas() == 0) return false;
    const QString pasta = PastaPdf().isEmpty() ? QDir::homePath() : PastaPdf();
    const QString proposto = QDir(pasta).filePath(nomeProposto());
    QString nome;
    if (ArquivoPdfTeste()) {
        nome = ArquivoPdfTeste()(proposto);
    } else {
        nome = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar PDF"), proposto,
                                            QStringLiteral("Documentos PDF (*.pdf)"));
    }
    if (nome.isEmpty()) return false;
    if (!nome.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) nome += QStringLiteral(".pdf");

    namespace fs = std::filesystem;
    const fs::path destino = fs::path(nome.toStdString());
    fs::path temporario = destino;
    temporario += ".tmp";
    std::error_code erro;
    bool gravado = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            OpcoesPdf opcoes;
            opcoes.titulo = windowTitle().toStdString();
            GravaPdf(documento_, temporario.string(), opcoes);
            fs::rename(temporario, destino, erro);
            gravado = !erro;
        } catch (const std::exception&) {
            gravado = false;
        }
        QApplication::restoreOverrideCursor();
    }
    if (!gravado) {
        fs::remove(temporario, erro);
        TrataErro(this, ErroES(QStringLiteral("Não foi possível gravar o arquivo %1.")
                                   .arg(QDir::toNativeSeparators(nome))
                                   .toStdString()));
        return false;
    }
    ultimoPdf_ = nome;
    PastaPdf() = QFileInfo(nome).absolutePath();
    situacao_->setToolTip(QStringLiteral("PDF gravado em %1").arg(QDir::toNativeSeparators(nome)));
    encurtaSituacao();
    return true;
}

void TFPreview::encurtaSituacao() {
    // The saved path fits the bar; the whole text stays its tip.
    MostraEncurtado(situacao_, situacao_->toolTip(), situacao_->contentsRect().width());
}

}  // namespace korva::ui
