#pragma once
// The table model of every grid: a QAbstractTableModel over a core dataset
// (korva::Tabela). Rows are the dataset's rows in its current order and
// filter, plus the row being inserted; the dataset's cursor is the grid's
// current row; edits go through the dataset's field validators and events,
// and storing through its rules. Errors raised by the core go to the error
// handler, and the row stays in edit with what the user typed.
#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {
class Tabela;
}

namespace korva::ui {

// One column of a grid: a field of the dataset, or a computed figure.
struct ColunaGrade {
    std::string campo;             // field name; empty for a computed column
    QString titulo;                // heading ("" = the field name)
    int largura = 0;               // in characters; 0 = by the field
    QString formato;               // numbers: "#,##0.00", "0", "#,##0.000000000", "000" (integers with leading zeros); dates: "dd/mm/yyyy"
    bool somenteLeitura = false;
    bool maiusculas = false;       // code fields typed in capitals
    QStringList lista;             // pick list of the cell editor
    // Coded pick list: the field holds the code, the grid shows and picks its
    // text (a code missing from the list shows as the number).
    std::vector<std::pair<int64_t, QString>> codigos;
    // Computed columns: the text of a row (its stored values, or the edit buffer).
    std::function<Valor(const std::vector<Valor>& linha)> calcula;
};

// A column of a field: its heading, width in characters and format.
ColunaGrade Coluna(const char* campo, const QString& titulo, int largura = 0, const QString& formato = {});

class ModeloTabela : public QAbstractTableModel {
    Q_OBJECT
public:
    // The dataset must outlive the model (or be closed before it goes).
    ModeloTabela(Tabela& tabela, std::vector<ColunaGrade> colunas, QObject* pai = nullptr);
    ~ModeloTabela() override;

    Tabela& tabela() { return tabela_; }
    const std::vector<ColunaGrade>& colunas() const { return colunas_; }
    const ColunaGrade& coluna(int i) const { return colunas_.at(static_cast<size_t>(i)); }
    int colunaDoCampo(const std::string& campo) const;  // -1 when absent

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel = Qt::EditRole) override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // The grid row of the dataset's cursor (the row being inserted while it
    // is inserted); -1 when there is none.
    int linhaAtual() const { return atual_; }
    // Moves the dataset to a grid row, storing a pending edit first as the
    // dataset does. False (error shown) when the store fails: the cursor stays.
    bool vaiPara(int linha);
    bool somenteLeitura() const { return somenteLeitura_; }
    void defineSomenteLeitura(bool s) { somenteLeitura_ = s; }

    // Operations of the navigator; each shows a failure through the error
    // handler and returns false.
    bool primeiro();
    bool anterior();
    bool proximo();
    bool ultimo();
    bool insere();
    bool edita();
    bool grava();
    bool cancela();
    bool exclui();
    bool atualiza();

    // What a painter needs of a cell, read in one go (the roles of data()
    // one by one cost a row lookup and a computed column's figure each).
    struct Celula {
        QString texto;          // Qt::DisplayRole
        bool direita = false;   // numbers are right-aligned
        bool negativo = false;  // a negative number (drawn red)
        bool logico = false;    // a check box column: painted by the style
    };
    Celula celula(int linha, int coluna) const;
    // Text shown for a value in a column, and the value typed back.
    QString texto(int coluna, const Valor& v) const;
    Valor deTexto(int coluna, const QString& texto) const;

    // Sets the field of the current row (puts it in edit first). False when
    // the core refuses it: the message is shown and the field keeps its value.
    bool defineCampo(const std::string& campo, const Valor& v);

signals:
    // The dataset's cursor moved to another grid row (or the row count changed).
    void linhaAtualMudou(int linha);
    // The dataset's state changed (browse / edit / insert).
    void estadoMudou();

private:
    void sincroniza();
    bool executa(const std::function<void()>& acao);
    const std::vector<Valor>* valoresDe(int linha) const;

    Tabela& tabela_;
    std::vector<ColunaGrade> colunas_;
    std::vector<int> posicaoCampo_;  // field position of each column, -1 computed
    // How each column shows its values, worked out once from its field and format.
    struct Forma {
        TipoCampo tipo = TipoCampo::String;  // of the field; computed columns go by the value
        bool logico = false;                 // a boolean field (a check box)
        bool numero = false;                 // a number field without a coded list
        int casas = -1;                      // decimal places of the format; -1 as stored
        bool milhar = false;                 // thousands separators
        int zeros = 0;                       // "000": digits with leading zeros
    };
    std::vector<Forma> formas_;
    int observador_ = 0;
    bool somenteLeitura_ = false;
    // Snapshot of the dataset as the views know it.
    int contagem_ = 0;
    int linhaNova_ = -1;
    int atual_ = -1;
    int estado_ = 0;
    uint64_t versao_ = 0;
    bool sincronizando_ = false;
};

}  // namespace korva::ui
