#include "reference/ui/TFTabelaReferencia.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "app/Sessao.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Icones.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

namespace korva::ui {

TFTabelaReferencia::TFTabelaReferencia(Sessao& sessao, DefinicaoJanela definicao, QWidget* pai, bool abreJa)
    : QWidget(pai), sessao_(sessao), def_(std::move(definicao)) {
    setObjectName(def_.classe);
    setWindowTitle(TituloJanela(def_.titulo));
    if (!def_.icone.isEmpty()) setWindowIcon(Icone(def_.icone));
    tabela_ = std::make_unique<Tabela>(sessao.compartilhado(), def_.tabela);
    tabela_->defineIndice(def_.indice);
    tabela_->abre(def_.editavel ? ModoAbertura::Compartilhado : ModoAbertura::SomenteLeitura);

    modelo_ = new ModeloTabela(*tabela_, def_.colunas, this);
    modelo_->defineSomenteLeitura(!def_.editavel);

    grade_ = new GradeTabela(this);
    grade_->setObjectName(QStringLiteral("Grade"));
    grade_->defineModelo(modelo_);
    if (!def_.editavel) grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName(QStringLiteral("Navegador"));
    navegador_->defineModelo(modelo_);
    navegador_->defineBotoes(def_.editavel ? NavegadorTabela::Todos : NavegadorTabela::SoLeitura);
    if (def_.editavel) navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });

    topo_ = new QHBoxLayout;
    base_ = new QHBoxLayout;
    base_->addWidget(navegador_);
    base_->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo_);
    layout->addWidget(grade_, 1);
    layout->addLayout(base_);

    connect(modelo_, &ModeloTabela::estadoMudou, this, [this] {
        const bool edita = tabela_->editando();
        // A new row starts typing at its first field; back to browsing, the grid has the focus.
        if (tabela_->estado() == EstadoTabela::Insercao && !def_.campoInicial.empty()) {
            const int coluna = modelo_->colunaDoCampo(def_.campoInicial);
            if (coluna >= 0 && modelo_->linhaAtual() >= 0) grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), coluna));
            grade_->setFocus();
        } else if (editava_ && !edita) {
            grade_->setFocus();
        }
        editava_ = edita;
        estadoMudou();
    });
    if (abreJa) abre();
}

TFTabelaReferencia::~TFTabelaReferencia() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
    if (tabela_ && tabela_->aberta()) tabela_->fecha();
}

void TFTabelaReferencia::abre() {
    tabela_->primeiro();
    modelo_->atualiza();
    navegador_->atualizaEstado();
}

QSize TFTabelaReferencia::sizeHint() const {
    // Every column whole, with the scroll bar, within a 1024-pixel desktop.
    const QMargins margens = layout() ? layout()->contentsMargins() : QMargins();
    int largura = std::max(grade_->verticalHeader()->sizeHint().width(), 24) + 2 * grade_->frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margens.left() + margens.right() + 8;
    for (int i = 0; i < modelo_->columnCount(); ++i) largura += grade_->columnWidth(i);
    const QSize dica = QWidget::sizeHint();
    return {std::clamp(std::max(largura, dica.width()), 320, 1000), std::max(dica.height(), 440)};
}

bool TFTabelaReferencia::fecha() {
    // What is still in a cell editor goes into its field first.
    if (grade_) grade_->confirmaEdicao();
    return Protegido(this, [this] {
        if (tabela_->aberta() && tabela_->editando()) OperacaoPendente(0);
        if (tabela_->aberta()) tabela_->fecha();
    });
}

void TFTabelaReferencia::closeEvent(QCloseEvent* e) {
    if (!fecha()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

void TFTabelaReferencia::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (mostrada_) return;
    mostrada_ = true;
    // The window keeps at least the size it first showed with.
    setMinimumSize(size());
    grade_->setFocus();
}

DialogoTabelaReferencia::DialogoTabelaReferencia(TFTabelaReferencia* janela, QWidget* pai)
    : DialogoTabelas(pai), janela_(janela) {
    setObjectName(janela->objectName());
    setWindowTitle(janela->windowTitle());
    setModal(true);
    janela->setParent(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(janela);
    resize(janela->sizeHint());
}

}  // namespace korva::ui
