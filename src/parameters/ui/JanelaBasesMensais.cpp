#include "parameters/ui/JanelaBasesMensais.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/GradeTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/BasesMensais.h"
#include "storage/Tabela.h"

namespace korva::ui {

ColunaGrade ColunaBase(const char* campo, const QString& titulo, int largura, const char* formato) {
    ColunaGrade c;
    c.campo = campo;
    c.titulo = titulo;
    c.largura = largura;
    c.formato = QString::fromLatin1(formato);
    return c;
}

JanelaBasesMensais::JanelaBasesMensais(QWidget* pai) : DialogoTabelas(pai) { setModal(true); }

JanelaBasesMensais::~JanelaBasesMensais() { desmonta(); }

void JanelaBasesMensais::desmonta() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
    bases_ = nullptr;
}

void JanelaBasesMensais::monta(BasesMensais& bases, std::vector<ColunaGrade> colunas, QWidget* topo) {
    bases_ = &bases;
    modelo_ = new ModeloTabela(bases.tabela(), std::move(colunas), this);

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrBases");
    grade_->defineModelo(modelo_);
    grade_->horizontalHeader()->setStretchLastSection(true);
    grade_->defineTeclas([this](int tecla, int coluna) {
        if (tecla == Qt::Key_F3) return bases_->copiaCampo(modelo_->coluna(coluna).campo);
        if (tecla == Qt::Key_F4) return bases_->copiaLinha();
        return false;
    });

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavBases");
    navegador_->defineModelo(modelo_);
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });

    // A new row is typed from its value.
    connect(modelo_, &ModeloTabela::estadoMudou, this, [this] {
        if (bases_->tabela().estado() == EstadoTabela::Insercao && modelo_->linhaAtual() >= 0) {
            const int coluna = modelo_->colunaDoCampo(BasesMensais::CampoInicial);
            if (coluna >= 0) grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), coluna));
            grade_->setFocus();
        }
        estadoMudou();
    });

    auto* layout = new QVBoxLayout(this);
    if (topo) layout->addWidget(topo);
    layout->addWidget(grade_, 1);
    layout->addWidget(navegador_);

    int largura = grade_->verticalHeader()->sizeHint().width() + 2 * grade_->frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left() +
                  layout->contentsMargins().right() + 8;
    for (int i = 0; i < modelo_->columnCount(); ++i) largura += grade_->columnWidth(i);
    largura = std::max(largura, navegador_->sizeHint().width() + layout->contentsMargins().left() +
                                    layout->contentsMargins().right());
    if (topo) largura = std::max(largura, topo->sizeHint().width() + 24);
    resize(largura, 380);
    grade_->setFocus();
}

void JanelaBasesMensais::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (centrada_) return;
    centrada_ = true;
    if (QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect area = tela->availableGeometry();
        QRect r = frameGeometry();
        r.moveCenter(area.center());
        move(r.topLeft());
    }
    grade_->setFocus();
}

bool JanelaBasesMensais::fecha() {
    if (!bases_ || !bases_->tabela().aberta()) return true;
    grade_->confirmaEdicao();
    return Protegido(this, [this] { bases_->fecha(); });
}

}  // namespace korva::ui
