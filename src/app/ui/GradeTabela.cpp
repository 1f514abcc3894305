#include "app/ui/GradeTabela.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "app/ui/ModeloTabela.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

// Cell editors: a line with the field's size (capitals where the column
// asks), or a combo box of the pick list; Enter stores and moves on, the
// function keys reach the grid.
class Delegado : public QStyledItemDelegate {
public:
    explicit Delegado(GradeTabela* grade) : QStyledItemDelegate(grade), grade_(grade) {}

    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        const ColunaGrade& c = grade_->modelo()->coluna(indice.column());
        if (!c.lista.isEmpty() || !c.codigos.empty()) {
            auto* combo = new QComboBox(pai);
            combo->setEditable(true);
            combo->addItems(c.lista);
            for (const auto& item : c.codigos) combo->addItem(item.second);
            QObject::connect(combo, &QComboBox::textActivated, combo, [g = grade_] {
                ModeloTabela* m = g->modelo();
                if (m && m->tabela().aberta() && !m->tabela().editando()) m->edita();
            });
            return combo;
        }
        auto* linha = new QLineEdit(pai);
        // The first key typed puts the row in edit, as the navigator shows.
        QObject::connect(linha, &QLineEdit::textEdited, linha, [g = grade_] {
            ModeloTabela* m = g->modelo();
            if (m && m->tabela().aberta() && !m->tabela().editando()) m->edita();
        });
        if (!c.campo.empty()) {
            const DefCampo* f = grade_->modelo()->tabela().definicao().campo(c.campo);
            if (f && f->tipo == TipoCampo::String && f->tamanho > 0) linha->setMaxLength(f->tamanho);
        }
        if (c.maiusculas)
            QObject::connect(linha, &QLineEdit::textEdited, linha, [linha](const QString& t) {
                const int p = linha->cursorPosition();
                linha->setText(t.toUpper());
                linha->setCursorPosition(p);
            });
        (void)opcao;
        return linha;
    }

    void setEditorData(QWidget* editor, const QModelIndex& indice) const override {
        const QString t = indice.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) combo->setCurrentText(t);
        // A refresh of the row (it entered edit) leaves what is being typed alone.
        else if (auto* linha = qobject_cast<QLineEdit*>(editor)) {
            if (!linha->isModified()) linha->setText(t);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override {
        QString t;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) t = combo->currentText();
        else if (auto* linha = qobject_cast<QLineEdit*>(editor)) t = linha->text();
        if (t == indice.data(Qt::EditRole).toString()) return;  // unchanged: no edit begins
        recusado_ = !modelo->setData(indice, t, Qt::EditRole);
    }

    bool recusado() const { return recusado_; }
    void limpaRecusa() { recusado_ = false; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(evento);
            auto* editor = qobject_cast<QWidget*>(objeto);
            const int k = e->key();
            if (editor && (k == Qt::Key_Return || k == Qt::Key_Enter)) {
                grade_->confirmaEdicao();
                grade_->proximaColuna();
                return true;
            }
            if (editor && (k == Qt::Key_F3 || k == Qt::Key_F4 || k == Qt::Key_F7 || k == Qt::Key_F8 || k == Qt::Key_F9)) {
                if (grade_->confirmaEdicao()) grade_->trataTecla(k);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(objeto, evento);
    }

private:
    GradeTabela* grade_;
    mutable bool recusado_ = false;
};

}  // namespace

GradeTabela::GradeTabela(QWidget* pai) : QTableView(pai) {
    setItemDelegate(new Delegado(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(true);
    QPalette p = palette();
    p.setColor(QPalette::AlternateBase, QColor(223, 238, 255));
    setPalette(p);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("►")) + 12);
    horizontalHeader()->setHighlightSections(false);
}

void GradeTabela::defineModelo(ModeloTabela* modelo) {
    modelo_ = modelo;
    setModel(modelo);
    connect(modelo, &ModeloTabela::linhaAtualMudou, this, [this] { seguaCursor(); });
    connect(modelo, &QAbstractItemModel::modelReset, this, [this] { seguaCursor(); });
    connect(modelo, &QAbstractItemModel::rowsInserted, this, [this] { seguaCursor(); });
    connect(modelo, &QAbstractItemModel::rowsRemoved, this, [this] { seguaCursor(); });
    const QFontMetrics fm = fontMetrics();
    for (int i = 0; i < modelo->columnCount(); ++i) {
        const ColunaGrade& c = modelo->coluna(i);
        int caracteres = c.largura;
        if (caracteres <= 0 && !c.campo.empty()) {
            const DefCampo* f = modelo->tabela().definicao().campo(c.campo);
            caracteres = f && f->tipo == TipoCampo::String ? std::min(f->tamanho, 40)
                         : f && f->tipo == TipoCampo::Date ? 10
                                                           : 12;
        }
        const QString titulo = modelo->headerData(i, Qt::Horizontal).toString();
        setColumnWidth(i, std::max(fm.horizontalAdvance(QString(std::max(caracteres, 2), QChar('0'))),
                                   fm.horizontalAdvance(titulo)) + 16);
    }
    seguaCursor();
}

void GradeTabela::seguaCursor() {
    if (!modelo_) return;
    const int linha = modelo_->linhaAtual();
    if (linha < 0) return;
    const int coluna = std::max(currentIndex().column(), 0);
    const QModelIndex alvo = modelo_->index(linha, coluna);
    // Already there (the user's click moved the cursor): setting it again
    // would apply the click's selection a second time, and a Ctrl+click
    // would take its row out of a selection of several rows.
    if (currentIndex() != alvo) {
        movendo_ = true;
        setCurrentIndex(alvo);
        movendo_ = false;
    }
    scrollTo(currentIndex());
}

void GradeTabela::currentChanged(const QModelIndex& atual, const QModelIndex& anterior) {
    QTableView::currentChanged(atual, anterior);
    if (movendo_ || !modelo_ || !atual.isValid() || atual.row() == modelo_->linhaAtual()) return;
    if (!modelo_->vaiPara(atual.row())) {
        // Refused (the pending row could not be stored): back to it.
        seguaCursor();
    }
}

bool GradeTabela::confirmaEdicao() {
    auto* d = static_cast<Delegado*>(itemDelegate());
    d->limpaRecusa();
    if (QWidget* editor = indexWidget(currentIndex()); editor || state() == QAbstractItemView::EditingState) {
        if (!editor) editor = focusWidget();
        if (editor && editor != this) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    return !d->recusado();
}

void GradeTabela::proximaColuna() {
    if (!modelo_ || !currentIndex().isValid()) return;
    const int n = modelo_->columnCount();
    int c = currentIndex().column();
    for (int i = 0; i < n; ++i) {
        c = (c + 1) % n;
        if (!isColumnHidden(c)) break;
    }
    movendo_ = true;
    setCurrentIndex(modelo_->index(currentIndex().row(), c));
    movendo_ = false;
}

bool GradeTabela::trataTecla(int tecla) {
    if (!modelo_) return false;
    const int coluna = currentIndex().column();
    if (tecla == Qt::Key_F9) {
        auto it = botoes_.find(coluna);
        if (it == botoes_.end()) return false;
        it->second();
        return true;
    }
    return teclas_ && teclas_(tecla, coluna);
}

void GradeTabela::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if (modelo_ && (k == Qt::Key_Return || k == Qt::Key_Enter) && modelo_->tabela().aberta() &&
        modelo_->tabela().editando()) {
        proximaColuna();
        return;
    }
    if (k == Qt::Key_F3 || k == Qt::Key_F4 || k == Qt::Key_F7 || k == Qt::Key_F8 || k == Qt::Key_F9) {
        if (trataTecla(k)) return;
    }
    if (modelo_ && k == Qt::Key_Escape && modelo_->tabela().aberta() && modelo_->tabela().editando()) {
        modelo_->cancela();
        return;
    }
    QTableView::keyPressEvent(e);
}

}  // namespace korva::ui
