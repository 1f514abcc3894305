#include "prorata/ui/TFDefProrrata.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Mensagens.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "prorata/ControlesProrrata.h"
#include "prorata/DefaultsProrrata.h"
#include "prorata/ui/CamposLigados.h"
#include "prorata/ui/ColunasProrrata.h"
#include "reference/TabelasReferencia.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TFDefProrrata::TFDefProrrata(Sessao& sessao, QWidget* pai) : QDialog(pai), sessao_(sessao) {
    setObjectName("TFDefProrrata");
    setWindowTitle(TituloJanela(QStringLiteral("Valores Padrão para a atualização prorrata")));
    setModal(true);
    defaults_ = std::make_unique<DefaultsProrrata>(sessao.privado());
    campos_ = new CamposLigados([this] { return modeloPadrao_; }, this);

    // " Juros: " — the two ways of counting and the two interest modes a new
    // record may start with.
    auto* gbJuros = new QGroupBox(QStringLiteral(" Juros: "), this);
    gbJuros->setObjectName("GbJuros");
    ckComJuros_ = new QCheckBox(QStringLiteral("Calcular Juros"), gbJuros);
    ckComJuros_->setObjectName("CkComJuros");
    rgCalculoJuros_ = new QGroupBox(QStringLiteral(" Cálculo dos Juros: "), gbJuros);
    rgCalculoJuros_->setObjectName("RgCalculoJuros");
    auto* grupoCalculo = new QButtonGroup(rgCalculoJuros_);
    {
        auto* l = new QVBoxLayout(rgCalculoJuros_);
        auto* constantes = new QRadioButton(QStringLiteral("Constantes"), rgCalculoJuros_);
        constantes->setObjectName("RbConstantes");
        auto* regressivos = new QRadioButton(QStringLiteral("Regressivos"), rgCalculoJuros_);
        regressivos->setObjectName("RbRegressivos");
        grupoCalculo->addButton(constantes, 1);
        grupoCalculo->addButton(regressivos, 0);
        l->addWidget(constantes);
        l->addWidget(regressivos);
    }
    rgJuros_ = new QGroupBox(QStringLiteral(" Juros: "), gbJuros);
    rgJuros_->setObjectName("RgJuros");
    auto* grupoModo = new QButtonGroup(rgJuros_);
    {
        auto* l = new QVBoxLayout(rgJuros_);
        const QString textos[] = {QStringLiteral("Juros Legais"), QStringLiteral("Limitar Juros")};
        for (int i = 0; i < 2; ++i) {
            auto* rb = new QRadioButton(textos[i], rgJuros_);
            rb->setObjectName(QStringLiteral("RbJuros%1").arg(i));
            grupoModo->addButton(rb, i);
            l->addWidget(rb);
        }
    }
    {
        auto* l = new QVBoxLayout(gbJuros);
        l->addWidget(ckComJuros_);
        auto* h = new QHBoxLayout;
        h->addWidget(rgCalculoJuros_);
        h->addWidget(rgJuros_);
        l->addLayout(h);
    }

    auto* rgForma = new QGroupBox(QStringLiteral(" Forma de Abatimento das Parcelas: "), this);
    rgForma->setObjectName("RgFormaAbatimento");
    auto* grupoForma = new QButtonGroup(rgForma);
    {
        auto* l = new QVBoxLayout(rgForma);
        auto* juros = new QRadioButton(QStringLiteral("Abatendo primeiramente o valor dos &Juros"), rgForma);
        juros->setObjectName("RbAbatimentoJuros");
        auto* proporcional = new QRadioButton(QStringLiteral("&Proporcinal entre os juros e o principal"), rgForma);
        proporcional->setObjectName("RbAbatimentoProporcional");
        grupoForma->addButton(juros, 0);
        grupoForma->addButton(proporcional, 1);
        l->addWidget(juros);
        l->addWidget(proporcional);
    }

    auto* edObs = new QLineEdit(this);
    edObs->setObjectName("EdObs");
    auto* cbIndice = new QComboBox(this);
    cbIndice->setObjectName("CbIndice");
    cbIndice->setMinimumContentsLength(24);
    cbIndice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Protegido(this, [&] {
        TabelasReferencia referencia(sessao_.compartilhado());
        for (const auto& i : referencia.ListaNomes("NomeIndiceDiario.DB"))
            cbIndice->addItem(Q(i.nome), QVariant::fromValue<qlonglong>(i.codigo));
    });
    auto* ckJurosFGTS = new QCheckBox(QStringLiteral("Juros de 1% do FGTS"), this);
    ckJurosFGTS->setObjectName("CkJurosFGTS");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Obs.:"), edObs);
    form->addRow(QStringLiteral("Índice:"), cbIndice);
    form->addRow(QString(), ckJurosFGTS);

    auto* gbAcrescimos = new QGroupBox(QStringLiteral(" Acréscimos: "), this);
    gbAcrescimos->setObjectName("GbAcrescimos");
    gradeAcrescimos_ = new GradeTabela(gbAcrescimos);
    gradeAcrescimos_->setObjectName("GradeAcrescimos");
    navAcrescimos_ = new NavegadorTabela(gbAcrescimos);
    navAcrescimos_->setObjectName("NavAcrescimos");
    navAcrescimos_->defineBotoes(NavegadorTabela::Todos & ~NavegadorTabela::Atualizar);
    navAcrescimos_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
        navAcrescimos_->botao(static_cast<NavegadorTabela::Botao>(b))->installEventFilter(this);
    connect(navAcrescimos_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao != NavegadorTabela::Inserir || !modeloAcrescimos_ || !defaults_->acrescimos().editando()) return;
        const int coluna = modeloAcrescimos_->colunaDoCampo(PrimeiraColunaAcrescimos);
        gradeAcrescimos_->setCurrentIndex(modeloAcrescimos_->index(modeloAcrescimos_->linhaAtual(), coluna));
        gradeAcrescimos_->setFocus();
    });
    {
        auto* l = new QVBoxLayout(gbAcrescimos);
        l->addWidget(gradeAcrescimos_, 1);
        l->addWidget(navAcrescimos_);
    }

    auto* gbObs = new QGroupBox(QStringLiteral(" Observação Complementar: "), this);
    gbObs->setObjectName("GbObsFinal");
    auto* memo = new QPlainTextEdit(gbObs);
    memo->setObjectName("MemoObsFinal");
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 5 + 12);
    (new QVBoxLayout(gbObs))->addWidget(memo);

    navPadrao_ = new NavegadorTabela(this);
    navPadrao_->setObjectName("NavPadrao");
    navPadrao_->defineBotoes(NavegadorTabela::Editar | NavegadorTabela::Gravar | NavegadorTabela::Cancelar |
                             NavegadorTabela::Atualizar);
    for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
        navPadrao_->botao(static_cast<NavegadorTabela::Botao>(b))->installEventFilter(this);
    connect(navPadrao_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao == NavegadorTabela::Editar && defaults_->padrao().aberta() && defaults_->padrao().editando())
            ckComJuros_->setFocus();
        atualiza();
    });
    btFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar_->setObjectName("BtFechar");
    btFechar_->setAutoDefault(false);
    connect(btFechar_, &QPushButton::clicked, this, &TFDefProrrata::reject);

    auto* topo = new QHBoxLayout;
    topo->addWidget(gbJuros, 3);
    auto* direita = new QVBoxLayout;
    direita->addWidget(rgForma);
    direita->addLayout(form);
    direita->addStretch();
    topo->addLayout(direita, 2);
    auto* barra = new QHBoxLayout;
    barra->addWidget(new QLabel(QStringLiteral("Valores padrão:"), this));
    barra->addWidget(navPadrao_);
    barra->addStretch(1);
    barra->addWidget(btFechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(gbAcrescimos, 1);
    layout->addWidget(gbObs);
    layout->addLayout(barra);

    campos_->caixa(ckComJuros_, "ComJuros");
    campos_->opcoes(grupoCalculo, "JurosConstantes");
    campos_->opcoes(grupoModo, "UsarJurosPadrao");
    campos_->opcoesTexto(grupoForma, "FormaAbatimento", {"J", "P"});
    campos_->texto(edObs, "Obs");
    campos_->lista(cbIndice, "Indice");
    campos_->caixa(ckJurosFGTS, "CalcularJurosFGTS");
    campos_->memo(memo, "ObsFinal", 240);
    connect(campos_, &CamposLigados::campoAlterado, this, [this] { atualiza(); });

    setTabOrder(ckComJuros_, grupoCalculo->button(1));
    resize(760, 560);
    atualiza();
}

TFDefProrrata::~TFDefProrrata() {
    for (QObject* filho : findChildren<QObject*>()) QObject::disconnect(filho, nullptr, this, nullptr);
    // The views and models go before the datasets they observe.
    delete gradeAcrescimos_;
    delete navAcrescimos_;
    delete navPadrao_;
    gradeAcrescimos_ = nullptr;
    navAcrescimos_ = navPadrao_ = nullptr;
    delete modeloAcrescimos_;
    delete modeloPadrao_;
    modeloAcrescimos_ = modeloPadrao_ = nullptr;
}

// The models need the tables' definitions: they are made when the tables
// are first opened.
void TFDefProrrata::criaModelos() {
    if (modeloPadrao_) return;
    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Obs", QStringLiteral("Obs")));
    modeloPadrao_ = new ModeloTabela(defaults_->padrao(), std::move(colunas));
    modeloAcrescimos_ = new ModeloTabela(defaults_->acrescimos(), ColunasAcrescimosProrrata());
    navPadrao_->defineModelo(modeloPadrao_);
    gradeAcrescimos_->defineModelo(modeloAcrescimos_);
    gradeAcrescimos_->horizontalHeader()->setStretchLastSection(true);
    navAcrescimos_->defineModelo(modeloAcrescimos_);
    auto segue = [this] {
        if (!defaults_->padrao().aberta() || !defaults_->padrao().editando()) campos_->esquece();
        atualiza();
    };
    connect(modeloPadrao_, &ModeloTabela::linhaAtualMudou, this, segue);
    connect(modeloPadrao_, &ModeloTabela::estadoMudou, this, segue);
    connect(modeloPadrao_, &QAbstractItemModel::dataChanged, this, [this] { atualiza(); });
    connect(modeloPadrao_, &QAbstractItemModel::modelReset, this, [this] { atualiza(); });
}

void TFDefProrrata::atualiza() {
    if (atualizando_) return;
    atualizando_ = true;
    campos_->mostra();
    Tabela& t = defaults_->padrao();
    const bool temLinha = modeloPadrao_ && t.aberta() && (t.editando() || (!t.vazia() && t.posicao() >= 0));
    campos_->habilita(temLinha);
    // The two radio groups follow "Calcular Juros".
    const bool grupos = temLinha && RegraJuros(t.valor("ComJuros").comoLogico(), true, 0).grupos;
    rgCalculoJuros_->setEnabled(grupos);
    rgJuros_->setEnabled(grupos);
    atualizando_ = false;
}

// ---- opening and closing ----

bool TFDefProrrata::abre() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    bool aberto = false;
    try {
        defaults_->abre();
        criaModelos();
        aberto = true;
    } catch (const std::exception& e) {
        // A damaged table is told in a plain message; anything else goes to the handler.
        if (std::string(e.what()) == DefaultsProrrata::MensagemDanificada) MostraTexto(Q(e.what()), this);
        else TrataErro(this, e);
    }
    campos_->esquece();
    atualiza();
    return aberto;
}

int TFDefProrrata::exec() {
    if (!abre()) return QDialog::Rejected;
    return QDialog::exec();
}

void TFDefProrrata::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
}

bool TFDefProrrata::fecha() {
    gradeAcrescimos_->confirmaEdicao();
    campos_->confirma();
    return Protegido(this, [this] { defaults_->fecha(); });
}

void TFDefProrrata::reject() {
    if (fecha()) QDialog::reject();
}

void TFDefProrrata::closeEvent(QCloseEvent* e) {
    if (!fecha()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

bool TFDefProrrata::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        auto* botao = qobject_cast<QToolButton*>(objeto);
        if (botao && botao->isEnabled() && botao->parent() == navPadrao_) {
            if (botao == navPadrao_->botao(NavegadorTabela::Cancelar)) campos_->esquece();
            else if (!campos_->confirma()) return true;
        } else if (botao && botao->isEnabled() && botao->parent() == navAcrescimos_ && modeloAcrescimos_) {
            if (botao == navAcrescimos_->botao(NavegadorTabela::Cancelar)) return QDialog::eventFilter(objeto, evento);
            if (!gradeAcrescimos_->confirmaEdicao()) return true;
            if (botao == navAcrescimos_->botao(NavegadorTabela::Gravar)) {
                if (!GravaAcrescimoDaGrade(this, *modeloAcrescimos_, *gradeAcrescimos_)) return true;
                navAcrescimos_->atualizaEstado();
                return true;
            }
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

}  // namespace korva::ui
