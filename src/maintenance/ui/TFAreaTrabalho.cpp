#include "maintenance/ui/TFAreaTrabalho.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "maintenance/ui/PinturaAreaTrabalho.h"
#include "util/ArquivoIni.h"

namespace korva::ui {

namespace {

std::function<QColor(QColor)> gEscolhaCor;
std::function<QString()> gEscolhaImagem;

QColor Cor(long numero) {
    const CorRgb c = CorDoNumero(numero);
    return QColor(c.r, c.g, c.b);
}

QLabel* Amostra(const char* nome, QWidget* pai) {
    auto* l = new QLabel(pai);
    l->setObjectName(nome);
    l->setFixedSize(64, 24);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    return l;
}

}  // namespace

void TFAreaTrabalho::DefineEscolhaCorTeste(std::function<QColor(QColor)> escolha) { gEscolhaCor = std::move(escolha); }
void TFAreaTrabalho::DefineEscolhaImagemTeste(std::function<QString()> escolha) {
    gEscolhaImagem = std::move(escolha);
}

TFAreaTrabalho::TFAreaTrabalho(PinturaAreaTrabalho& pintura, std::string arquivoEstacao, QWidget* pai)
    : QDialog(pai), pintura_(pintura), arquivoEstacao_(std::move(arquivoEstacao)) {
    setObjectName("TFAreaTrabalho");
    setWindowTitle(QStringLiteral("KORVA - Configuração da Área de Trabalho"));

    auto* fundo = new QGroupBox(QStringLiteral(" Fundo "), this);
    fundo->setObjectName("RgFundo");
    rbLiso_ = new QRadioButton(QStringLiteral("&Liso"), fundo);
    rbLiso_->setObjectName("RbLiso");
    rbGradiente_ = new QRadioButton(QStringLiteral("&Gradiente"), fundo);
    rbGradiente_->setObjectName("RbGradiente");
    rbFundo_ = new QRadioButton(QStringLiteral("&Fundo"), fundo);
    rbFundo_->setObjectName("RbFundo");
    auto* lf = new QVBoxLayout(fundo);
    lf->addWidget(rbLiso_);
    lf->addWidget(rbGradiente_);
    lf->addWidget(rbFundo_);
    lf->addStretch();

    grCor_ = new QGroupBox(QStringLiteral(" Cor de Fundo "), this);
    grCor_->setObjectName("GrCorFundo");
    pnCorPrincipal_ = Amostra("PnCorPrincipal", grCor_);
    auto* btCor = new QPushButton(QStringLiteral("&Alterar Cor"), grCor_);
    btCor->setObjectName("BtAlterarCor");
    auto* lc = new QHBoxLayout(grCor_);
    lc->addWidget(pnCorPrincipal_);
    lc->addWidget(btCor);
    lc->addStretch();

    grPapel_ = new QGroupBox(QStringLiteral(" Papel de Parede "), this);
    grPapel_->setObjectName("GrPapelParede");
    auto* btImagem = new QPushButton(QStringLiteral("&Imagem"), grPapel_);
    btImagem->setObjectName("BtImagem");
    imgPreview_ = new QLabel(grPapel_);
    imgPreview_->setObjectName("ImgPreview");
    imgPreview_->setFixedSize(120, 90);
    imgPreview_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imgPreview_->setAlignment(Qt::AlignCenter);
    auto* lp = new QHBoxLayout(grPapel_);
    lp->addWidget(btImagem, 0, Qt::AlignTop);
    lp->addWidget(imgPreview_);
    lp->addStretch();

    grGradiente_ = new QGroupBox(QStringLiteral(" Gradiente "), this);
    grGradiente_->setObjectName("GrGradiente");
    cbEstilo_ = new QComboBox(grGradiente_);
    cbEstilo_->setObjectName("CbEstilo");
    cbEstilo_->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    cbForma_ = new QComboBox(grGradiente_);
    cbForma_->setObjectName("CbForma");
    cbForma_->addItems({QStringLiteral("Simples"), QStringLiteral("Duplo"), QStringLiteral("Fora para o centro"),
                        QStringLiteral("Centro para fora")});
    pnCorGradiente_ = Amostra("PnCorGradiente", grGradiente_);
    auto* btCorGradiente = new QPushButton(QStringLiteral("Al&terar Cor"), grGradiente_);
    btCorGradiente->setObjectName("BtAlterarCorGradiente");
    slDefinicao_ = new QSlider(Qt::Horizontal, grGradiente_);
    slDefinicao_->setObjectName("SlDefinicao");
    slDefinicao_->setRange(AjustesAreaTrabalho::MinimoFaixas, AjustesAreaTrabalho::MaximoFaixas);
    lbDefinicao_ = new QLabel(grGradiente_);
    lbDefinicao_->setObjectName("LbDefinicao");
    lbDefinicao_->setMinimumWidth(lbDefinicao_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 4);
    auto* lg = new QGridLayout(grGradiente_);
    auto rotulo = [this](const QString& texto, QWidget* alvo) {
        auto* l = new QLabel(texto, grGradiente_);
        l->setBuddy(alvo);
        return l;
    };
    lg->addWidget(rotulo(QStringLiteral("Estilo:"), cbEstilo_), 0, 0);
    lg->addWidget(cbEstilo_, 0, 1, 1, 2);
    lg->addWidget(rotulo(QStringLiteral("Forma:"), cbForma_), 1, 0);
    lg->addWidget(cbForma_, 1, 1, 1, 2);
    lg->addWidget(rotulo(QStringLiteral("Cor:"), btCorGradiente), 2, 0);
    lg->addWidget(pnCorGradiente_, 2, 1);
    lg->addWidget(btCorGradiente, 2, 2);
    lg->addWidget(rotulo(QStringLiteral("Definição:"), slDefinicao_), 3, 0);
    lg->addWidget(slDefinicao_, 3, 1, 1, 2);
    lg->addWidget(lbDefinicao_, 3, 3);

    btOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btOk_->setObjectName("BtOk");
    btOk_->setDefault(true);
    auto* btCancela = new QPushButton(QStringLiteral("&Cancela"), this);
    btCancela->setObjectName("BtCancela");

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(fundo);
    esquerda->addWidget(grCor_);
    esquerda->addWidget(grPapel_);
    auto* colunas = new QHBoxLayout;
    colunas->addLayout(esquerda);
    colunas->addWidget(grGradiente_, 1, Qt::AlignTop);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancela);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(colunas);
    raiz->addLayout(botoes);

    for (QRadioButton* rb : {rbLiso_, rbGradiente_, rbFundo_})
        connect(rb, &QRadioButton::toggled, this, [this](bool ligado) {
            if (ligado) habilita();
        });
    connect(slDefinicao_, &QSlider::valueChanged, this,
            [this](int v) { lbDefinicao_->setText(QString::number(v)); });
    connect(btCor, &QPushButton::clicked, this, [this] {
        const QColor atual = Cor(corPrincipal_);
        const QColor c = gEscolhaCor ? gEscolhaCor(atual) : QColorDialog::getColor(atual, this);
        if (!c.isValid()) return;
        corPrincipal_ = NumeroDaCor({c.red(), c.green(), c.blue()});
        mostraCor(pnCorPrincipal_, corPrincipal_);
    });
    connect(btCorGradiente, &QPushButton::clicked, this, [this] {
        const QColor atual = Cor(corGradiente_);
        const QColor c = gEscolhaCor ? gEscolhaCor(atual) : QColorDialog::getColor(atual, this);
        if (!c.isValid()) return;
        corGradiente_ = NumeroDaCor({c.red(), c.green(), c.blue()});
        mostraCor(pnCorGradiente_, corGradiente_);
    });
    connect(btImagem, &QPushButton::clicked, this, &TFAreaTrabalho::escolheImagem);
    connect(btOk_, &QPushButton::clicked, this, &TFAreaTrabalho::accept);
    connect(btCancela, &QPushButton::clicked, this, &TFAreaTrabalho::reject);
}

int TFAreaTrabalho::exec() {
    carrega(pintura_.ajustes());
    return QDialog::exec();
}

void TFAreaTrabalho::carrega(const AjustesAreaTrabalho& a) {
    corPrincipal_ = a.corPrincipal;
    corGradiente_ = a.corGradiente;
    mostraCor(pnCorPrincipal_, corPrincipal_);
    mostraCor(pnCorGradiente_, corGradiente_);
    const auto [vertical, forma] = FormaDoEstilo(a.estilo);
    cbEstilo_->setCurrentIndex(vertical ? 1 : 0);
    cbForma_->setCurrentIndex(forma);
    slDefinicao_->setValue(FaixasPintadas(a.faixas));
    lbDefinicao_->setText(QString::number(slDefinicao_->value()));
    defineImagem(QString::fromStdString(a.imagem));
    QRadioButton* marcado = a.opcao == FundoAreaTrabalho::Liso        ? rbLiso_
                            : a.opcao == FundoAreaTrabalho::Gradiente ? rbGradiente_
                                                                      : rbFundo_;
    marcado->setChecked(true);
    habilita();
}

AjustesAreaTrabalho TFAreaTrabalho::escolha() const {
    AjustesAreaTrabalho a;
    a.opcao = rbLiso_->isChecked()       ? FundoAreaTrabalho::Liso
              : rbGradiente_->isChecked() ? FundoAreaTrabalho::Gradiente
                                          : FundoAreaTrabalho::Imagem;
    a.corPrincipal = corPrincipal_;
    a.corGradiente = corGradiente_;
    a.estilo = EstiloGradiente(cbEstilo_->currentIndex() == 1, cbForma_->currentIndex());
    a.faixas = slDefinicao_->value();
    a.imagem = imagem_.toStdString();
    return a;
}

void TFAreaTrabalho::habilita() {
    const bool liso = rbLiso_->isChecked();
    const bool gradiente = rbGradiente_->isChecked();
    const bool imagem = rbFundo_->isChecked();
    grCor_->setEnabled(liso || gradiente);
    grGradiente_->setEnabled(gradiente);
    grPapel_->setEnabled(imagem);
    btOk_->setEnabled(!imagem || !imagem_.isEmpty());
}

void TFAreaTrabalho::escolheImagem() {
    QString inicio = QStringLiteral("C:\\Windows");
    if (!QDir(inicio).exists()) inicio = QDir::homePath();
    const QString arquivo = gEscolhaImagem ? gEscolhaImagem()
                                           : QFileDialog::getOpenFileName(this, QStringLiteral("Imagem"), inicio,
                                                                          QStringLiteral("Bitmaps (*.bmp)"));
    if (arquivo.isEmpty()) return;
    defineImagem(arquivo);
    habilita();
}

void TFAreaTrabalho::defineImagem(const QString& caminho) {
    imagemCarregada_ = QImage();
    if (!caminho.isEmpty()) imagemCarregada_.load(caminho);
    if (imagemCarregada_.isNull()) {
        imagem_.clear();
        imgPreview_->clear();
        return;
    }
    imagem_ = caminho;
    imgPreview_->setPixmap(QPixmap::fromImage(
        imagemCarregada_.scaled(imgPreview_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TFAreaTrabalho::mostraCor(QLabel* amostra, long cor) {
    QPalette p = amostra->palette();
    p.setColor(QPalette::Window, Cor(cor));
    amostra->setPalette(p);
}

void TFAreaTrabalho::accept() {
    Protegido(this, [&] {
        const AjustesAreaTrabalho a = pintura_.aplica(escolha());
        ArquivoIni ini(arquivoEstacao_);
        GravaAreaTrabalho(ini, a);
        QDialog::accept();
    });
}

}  // namespace korva::ui
