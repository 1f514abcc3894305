#pragma once
// The navigator under a grid: first, prior, next, last, insert, delete,
// edit, post, cancel and refresh, each hideable, enabled by the dataset's
// state (walking while browsing, post and cancel while editing). Deleting
// asks the window's confirmation question first, when it has one.
#include <QWidget>

#include <functional>
#include <map>

class QToolButton;

namespace korva::ui {

class ModeloTabela;

class NavegadorTabela : public QWidget {
    Q_OBJECT
public:
    enum Botao {
        Primeiro = 1 << 0,
        Anterior = 1 << 1,
        Proximo = 1 << 2,
        Ultimo = 1 << 3,
        Inserir = 1 << 4,
        Excluir = 1 << 5,
        Editar = 1 << 6,
        Gravar = 1 << 7,
        Cancelar = 1 << 8,
        Atualizar = 1 << 9,
        Todos = (1 << 10) - 1,
        SoLeitura = Primeiro | Anterior | Proximo | Ultimo | Atualizar,
    };

    explicit NavegadorTabela(QWidget* pai = nullptr);

    void defineModelo(ModeloTabela* modelo);
    // The buttons shown (a combination of Botao).
    void defineBotoes(int visiveis);
    // Asked before a deletion; false cancels it. Empty: no question.
    void defineConfirmacaoExclusao(std::function<bool()> pergunta) { confirma_ = std::move(pergunta); }
    // The question of every grid: "Excluir o registro?" (Yes/No, No by default).
    static bool PerguntaExclusao(QWidget* pai);
    QToolButton* botao(Botao b) const;
    // Presses a button as the user would (runs its operation).
    void aciona(Botao b);
    // Enables the buttons from the dataset's state.
    void atualizaEstado();

signals:
    // After a button's operation ran (succeeded or not).
    void acionado(int botao);

private:
    ModeloTabela* modelo_ = nullptr;
    std::map<int, QToolButton*> botoes_;
    int visiveis_ = Todos;
    std::function<bool()> confirma_;
};

}  // namespace korva::ui
