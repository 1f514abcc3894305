#include "prorata/ui/CamposLigados.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>

#include "app/ui/ModeloTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

CamposLigados::CamposLigados(std::function<ModeloTabela*()> modelo, QWidget* dono)
    : QObject(dono), modelo_(std::move(modelo)), dono_(dono) {}

bool CamposLigados::temLinha() const {
    ModeloTabela* m = modelo_();
    if (!m || !m->tabela().aberta()) return false;
    Tabela& t = m->tabela();
    return t.editando() || (!t.vazia() && t.posicao() >= 0);
}

CamposLigados::Ligacao& CamposLigados::liga(const std::string& campo, QWidget* w) {
    Ligacao& l = ligacoes_.emplace_back();
    l.campo = campo;
    l.widget = w;
    return l;
}

void CamposLigados::comecaEdicao(Ligacao& l) {
    if (mostrando_) return;
    l.sujo = true;
    ModeloTabela* m = modelo_();
    if (m && m->tabela().aberta() && m->tabela().editando()) return;
    if (!m || !m->edita()) {
        // No row to change: what was typed goes.
        l.sujo = false;
        l.mostra();
    }
}

void CamposLigados::texto(QLineEdit* ed, const std::string& campo, bool maiusculas) {
    Ligacao& l = liga(campo, ed);
    l.mostra = [this, ed, campo, &l] {
        if (l.sujo) return;
        ModeloTabela* m = modelo_();
        QString texto;
        if (m && temLinha()) texto = m->texto(m->colunaDoCampo(campo), m->tabela().valor(campo));
        if (m && m->tabela().aberta())
            if (const DefCampo* f = m->tabela().definicao().campo(campo); f && f->tipo == TipoCampo::String && f->tamanho > 0)
                ed->setMaxLength(f->tamanho);
        if (ed->text() != texto) {
            const QSignalBlocker bloqueio(ed);
            ed->setText(texto);
            ed->setCursorPosition(0);
        }
    };
    l.grava = [this, ed, campo, &l] {
        if (!l.sujo) return true;
        ModeloTabela* m = modelo_();
        if (!m) return true;
        const int coluna = m->colunaDoCampo(campo);
        Valor v;
        if (!Protegido(dono_, [&] { v = m->deTexto(coluna, ed->text().trimmed()); })) return false;
        if (!m->defineCampo(campo, v)) return false;
        l.sujo = false;
        l.mostra();
        emit campoAlterado(Q(campo));
        return true;
    };
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
        if (!l.sujo || confirmando_) return;
        confirma();
    });
}

void CamposLigados::memo(QPlainTextEdit* ed, const std::string& campo, int limite) {
    Ligacao& l = liga(campo, ed);
    ed->setTabChangesFocus(true);
    l.mostra = [this, ed, campo, &l] {
        if (l.sujo) return;
        ModeloTabela* m = modelo_();
        const QString texto = m && temLinha() ? Q(m->tabela().valor(campo).comoTexto()) : QString();
        if (ed->toPlainText() != texto) {
            const QSignalBlocker bloqueio(ed);
            ed->setPlainText(texto);
        }
    };
    l.grava = [this, ed, campo, &l] {
        if (!l.sujo) return true;
        ModeloTabela* m = modelo_();
        if (!m) return true;
        const QString texto = ed->toPlainText();
        if (!m->defineCampo(campo, texto.isEmpty() ? Valor() : Valor(texto.toStdString()))) return false;
        l.sujo = false;
        emit campoAlterado(Q(campo));
        return true;
    };
    connect(ed, &QPlainTextEdit::textChanged, this, [this, ed, limite, &l] {
        if (limite > 0 && ed->toPlainText().size() > limite) {
            // The field holds so many characters: the rest is not taken.
            const QSignalBlocker bloqueio(ed);
            QTextCursor c = ed->textCursor();
            ed->setPlainText(ed->toPlainText().left(limite));
            c.setPosition(limite);
            ed->setTextCursor(c);
        }
        comecaEdicao(l);
    });
    ed->installEventFilter(this);
}

void CamposLigados::lista(QComboBox* cb, const std::string& campo) {
    Ligacao& l = liga(campo, cb);
    l.mostra = [this, cb, campo] {
        ModeloTabela* m = modelo_();
        int indice = -1;
        if (m && temLinha()) {
            const Valor& v = m->tabela().valor(campo);
            if (!v.nulo()) indice = cb->findData(QVariant::fromValue<qlonglong>(v.comoInteiro()));
        }
        if (cb->currentIndex() != indice) {
            const QSignalBlocker bloqueio(cb);
            cb->setCurrentIndex(indice);
        }
    };
    l.grava = [] { return true; };
    connect(cb, &QComboBox::activated, this, [this, cb, campo, &l](int indice) {
        ModeloTabela* m = modelo_();
        if (mostrando_ || !m || indice < 0) return;
        if (!m->defineCampo(campo, Valor(static_cast<int64_t>(cb->itemData(indice).toLongLong())))) l.mostra();
        else emit campoAlterado(Q(campo));
    });
}

void CamposLigados::caixa(QCheckBox* cb, const std::string& campo) {
    Ligacao& l = liga(campo, cb);
    l.mostra = [this, cb, campo] {
        ModeloTabela* m = modelo_();
        const bool marcada = m && temLinha() && !m->tabela().valor(campo).nulo() && m->tabela().valor(campo).comoLogico();
        if (cb->isChecked() != marcada) {
            const QSignalBlocker bloqueio(cb);
            cb->setChecked(marcada);
        }
    };
    l.grava = [] { return true; };
    connect(cb, &QCheckBox::clicked, this, [this, campo, &l](bool marcada) {
        ModeloTabela* m = modelo_();
        if (mostrando_ || !m) return;
        if (!m->defineCampo(campo, Valor(marcada))) l.mostra();
        else emit campoAlterado(Q(campo));
    });
}

void CamposLigados::opcoes(QButtonGroup* grupo, const std::string& campo) {
    Ligacao& l = liga(campo, grupo->buttons().value(0));
    l.mostra = [this, grupo, campo] {
        ModeloTabela* m = modelo_();
        int id = -1;
        if (m && temLinha() && !m->tabela().valor(campo).nulo()) {
            const Valor& v = m->tabela().valor(campo);
            id = v.ehLogico() ? (v.comoLogico() ? 1 : 0) : static_cast<int>(v.comoInteiro());
        }
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
    connect(grupo, &QButtonGroup::idClicked, this, [this, campo, &l](int id) {
        ModeloTabela* m = modelo_();
        if (mostrando_ || !m) return;
        const DefCampo* f = m->tabela().aberta() ? m->tabela().definicao().campo(campo) : nullptr;
        const Valor v = f && f->tipo == TipoCampo::Boolean ? Valor(id != 0) : Valor(static_cast<int64_t>(id));
        if (!m->defineCampo(campo, v)) l.mostra();
        else emit campoAlterado(Q(campo));
    });
}

void CamposLigados::opcoesTexto(QButtonGroup* grupo, const std::string& campo, std::vector<std::string> valores) {
    Ligacao& l = liga(campo, grupo->buttons().value(0));
    l.mostra = [this, grupo, campo, valores] {
        ModeloTabela* m = modelo_();
        int id = -1;
        if (m && temLinha()) {
            const std::string v = m->tabela().valor(campo).comoTexto();
            for (size_t i = 0; i < valores.size(); ++i)
                if (valores[i] == v) id = static_cast<int>(i);
        }
        if (grupo->checkedId() == id) return;
        grupo->setExclusive(false);
        for (QAbstractButton* b : grupo->buttons()) {
            const QSignalBlocker bloqueio(b);
            b->setChecked(grupo->id(b) == id);
        }
        grupo->setExclusive(true);
    };
    l.grava = [] { return true; };
    connect(grupo, &QButtonGroup::idClicked, this, [this, campo, valores, &l](int id) {
        ModeloTabela* m = modelo_();
        if (mostrando_ || !m || id < 0 || id >= static_cast<int>(valores.size())) return;
        if (!m->defineCampo(campo, Valor(valores[static_cast<size_t>(id)]))) l.mostra();
        else emit campoAlterado(Q(campo));
    });
}

void CamposLigados::mostra() {
    if (mostrando_) return;
    mostrando_ = true;
    for (auto& l : ligacoes_) l.mostra();
    mostrando_ = false;
}

bool CamposLigados::confirma() {
    if (confirmando_) return true;
    confirmando_ = true;
    bool ok = true;
    for (auto& l : ligacoes_) {
        if (!l.sujo) continue;
        if (!l.grava()) {
            ok = false;
            // The user corrects the value that was refused.
            QWidget* w = l.widget;
            QTimer::singleShot(0, w, [w] { w->setFocus(); });
            break;
        }
    }
    confirmando_ = false;
    return ok;
}

void CamposLigados::esquece() {
    for (auto& l : ligacoes_) l.sujo = false;
}

void CamposLigados::habilita(bool ligado) {
    for (auto& l : ligacoes_) {
        if (auto* b = qobject_cast<QAbstractButton*>(l.widget); b && b->group()) {
            for (QAbstractButton* irmao : b->group()->buttons()) irmao->setEnabled(ligado);
        } else {
            l.widget->setEnabled(ligado);
        }
    }
}

QWidget* CamposLigados::controle(const std::string& campo) const {
    for (const auto& l : ligacoes_)
        if (l.campo == campo) return l.widget;
    return nullptr;
}

bool CamposLigados::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut && qobject_cast<QPlainTextEdit*>(objeto) && !confirmando_) confirma();
    return QObject::eventFilter(objeto, evento);
}

}  // namespace korva::ui
