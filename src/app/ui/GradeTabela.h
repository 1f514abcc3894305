#pragma once
// The grid of every window that shows a dataset: a QTableView over a
// ModeloTabela with the program's conventions. The current cell follows the
// dataset's cursor; Enter moves to the next column; F3, F4, F7, F8 go to the
// window's handler (the copy rules of each window live in the core); F9
// runs the button of the column; every second row is tinted light blue and
// negative amounts are red; code columns are typed in capitals; pick lists
// open as combo boxes.
#include <QTableView>

#include <functional>
#include <map>

namespace korva::ui {

class ModeloTabela;

class GradeTabela : public QTableView {
    Q_OBJECT
public:
    explicit GradeTabela(QWidget* pai = nullptr);

    void defineModelo(ModeloTabela* modelo);
    ModeloTabela* modelo() const { return modelo_; }

    // F3 / F4 / F7 / F8 (Qt::Key_F3...) on a column: true when handled.
    using Tecla = std::function<bool(int tecla, int coluna)>;
    void defineTeclas(Tecla t) { teclas_ = std::move(t); }
    // The button of a column (F9 runs it).
    void defineBotaoColuna(int coluna, std::function<void()> acao) { botoes_[coluna] = std::move(acao); }

    // Moves the current cell to the next column of the row (wrapping).
    void proximaColuna();
    // Ends the open cell editor, storing what was typed into the field.
    // False when the core refused the value.
    bool confirmaEdicao();
    // Runs a key as if pressed (also used by the cell editor).
    bool trataTecla(int tecla);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& atual, const QModelIndex& anterior) override;

private:
    void seguaCursor();

    ModeloTabela* modelo_ = nullptr;
    Tecla teclas_;
    std::map<int, std::function<void()>> botoes_;
    bool movendo_ = false;
};

}  // namespace korva::ui
