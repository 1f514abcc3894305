#include "app/ui/NavegadorTabela.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QStyle>
#include <QToolButton>

#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/Textos.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

struct Descricao {
    NavegadorTabela::Botao botao;
    const char* nome;
    const char* simbolo;
    const char* dica;
};

constexpr Descricao Botoes[] = {
    {NavegadorTabela::Primeiro, "BtPrimeiro", "|◀", "Primeiro registro"},
    {NavegadorTabela::Anterior, "BtAnterior", "◀", "Registro anterior"},
    {NavegadorTabela::Proximo, "BtProximo", "▶", "Próximo registro"},
    {NavegadorTabela::Ultimo, "BtUltimo", "▶|", "Último registro"},
    {NavegadorTabela::Inserir, "BtInserir", "+", "Inserir registro"},
    {NavegadorTabela::Excluir, "BtExcluir", "−", "Excluir registro"},
    {NavegadorTabela::Editar, "BtEditar", "▲", "Editar registro"},
    {NavegadorTabela::Gravar, "BtGravar", "✔", "Gravar alterações"},
    {NavegadorTabela::Cancelar, "BtCancelar", "✖", "Cancelar alterações"},
    {NavegadorTabela::Atualizar, "BtAtualizar", "↻", "Atualizar dados"},
};

}  // namespace

bool NavegadorTabela::PerguntaExclusao(QWidget* pai) {
    return QMessageBox::question(pai, TituloMensagem(), QStringLiteral("Excluir o registro?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

NavegadorTabela::NavegadorTabela(QWidget* pai) : QWidget(pai) {
    auto* linha = new QHBoxLayout(this);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(1);
    for (const auto& d : Botoes) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromUtf8(d.nome));
        b->setText(QString::fromUtf8(d.simbolo));
        b->setToolTip(QString::fromUtf8(d.dica));
        b->setAccessibleName(QString::fromUtf8(d.dica));
        b->setMinimumWidth(28);
        b->setFocusPolicy(Qt::NoFocus);  // the grid keeps the focus, as with a mouse navigator
        connect(b, &QToolButton::clicked, this, [this, botao = d.botao] { aciona(botao); });
        linha->addWidget(b);
        botoes_[d.botao] = b;
    }
    linha->addStretch();
    atualizaEstado();
}

void NavegadorTabela::defineModelo(ModeloTabela* modelo) {
    modelo_ = modelo;
    connect(modelo, &ModeloTabela::linhaAtualMudou, this, &NavegadorTabela::atualizaEstado);
    connect(modelo, &ModeloTabela::estadoMudou, this, &NavegadorTabela::atualizaEstado);
    connect(modelo, &QAbstractItemModel::modelReset, this, &NavegadorTabela::atualizaEstado);
    connect(modelo, &QAbstractItemModel::rowsInserted, this, &NavegadorTabela::atualizaEstado);
    connect(modelo, &QAbstractItemModel::rowsRemoved, this, &NavegadorTabela::atualizaEstado);
    atualizaEstado();
}

void NavegadorTabela::defineBotoes(int visiveis) {
    visiveis_ = visiveis;
    for (auto& [b, w] : botoes_) w->setVisible((visiveis & b) != 0);
}

QToolButton* NavegadorTabela::botao(Botao b) const {
    auto it = botoes_.find(b);
    return it == botoes_.end() ? nullptr : it->second;
}

void NavegadorTabela::aciona(Botao b) {
    if (!modelo_) return;
    auto* w = botao(b);
    if (w && !w->isEnabled()) return;
    // A cell still being typed in is written first (the buttons take no
    // focus, so its editor is still open); a refused value stops the action.
    if (b != Cancelar) {
        for (QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget()) {
            if (auto* grade = qobject_cast<GradeTabela*>(f)) {
                if (grade->modelo() == modelo_ && !grade->confirmaEdicao()) return;
                break;
            }
        }
    }
    switch (b) {
        case Primeiro: modelo_->primeiro(); break;
        case Anterior: modelo_->anterior(); break;
        case Proximo: modelo_->proximo(); break;
        case Ultimo: modelo_->ultimo(); break;
        case Inserir: modelo_->insere(); break;
        case Excluir:
            if (!confirma_ || confirma_()) modelo_->exclui();
            break;
        case Editar: modelo_->edita(); break;
        case Gravar: modelo_->grava(); break;
        case Cancelar: modelo_->cancela(); break;
        case Atualizar: modelo_->atualiza(); break;
        default: break;
    }
    atualizaEstado();
    emit acionado(b);
}

void NavegadorTabela::atualizaEstado() {
    const bool aberta = modelo_ && modelo_->tabela().aberta();
    const bool editando = aberta && modelo_->tabela().editando();
    const bool leitura = !aberta || modelo_->somenteLeitura() || modelo_->tabela().modo() == ModoAbertura::SomenteLeitura;
    const int linhas = aberta ? modelo_->rowCount() : 0;
    const int atual = aberta ? modelo_->linhaAtual() : -1;
    const bool noInicio = atual <= 0, noFim = atual < 0 || atual >= linhas - 1;
    auto poe = [&](Botao b, bool ligado) {
        if (auto* w = botao(b)) w->setEnabled(ligado);
    };
    poe(Primeiro, aberta && !noInicio);
    poe(Anterior, aberta && !noInicio);
    poe(Proximo, aberta && !noFim);
    poe(Ultimo, aberta && !noFim);
    poe(Inserir, aberta && !leitura);
    poe(Excluir, aberta && !leitura && linhas > 0);
    poe(Editar, aberta && !leitura && !editando && linhas > 0);
    poe(Gravar, editando);
    poe(Cancelar, editando);
    poe(Atualizar, aberta);
}

}  // namespace korva::ui
