#pragma once
// "KORVA - Integração dos Cartões de Ponto": for a pay item, a base item and
// a range of months, one period row per month of time cards, its quantity,
// index and divisor each a typed value or one of the twelve monthly figures
// of the cards. The checks and the rows are the core's
// (korva::IntegracaoPonto); the window reads the boxes, answers the core's
// questions with the real dialogs and puts the cursor on the box a refused
// check names.
//
//     TFBuscaPonto janela(sessao, calculo, periodo, this);
//     janela.exec();
#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "parameters/CalculoAberto.h"
#include "reference/TabelasReferencia.h"
#include "timecards/IntegracaoPonto.h"

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korva {
class ParametrosPeriodo;
class Sessao;
}  // namespace korva

namespace korva::ui {

class TFBuscaPonto : public QDialog {
    Q_OBJECT
public:
    // `periodo` is the period window's open rule set: the rows go through it.
    TFBuscaPonto(Sessao& sessao, const CalculoAberto& calculo, ParametrosPeriodo& periodo, QWidget* pai = nullptr);
    ~TFBuscaPonto() override;

    // "&Confirmar": writes the rows; closes the window when they were written.
    void confirma();

private:
    // " Qtde.: ", " Índice: ", " Divisor: ": a monthly figure or a typed number.
    struct CampoValor {
        QGroupBox* grupo = nullptr;
        QRadioButton* rbBuscar = nullptr;
        QComboBox* cbFigura = nullptr;
        QRadioButton* rbInformado = nullptr;
        QDoubleSpinBox* edValor = nullptr;
        IntegracaoPonto::Escolha escolha() const;
        QWidget* caixa() const;  // the enabled one of the two
    };
    CampoValor criaValor(const QString& titulo, const QString& sufixo);

    // Code box and name list of "Item:" and "Base:".
    struct Codigo {
        QLineEdit* edCodigo = nullptr;
        QComboBox* cbNome = nullptr;
        int codigo() const;
    };
    Codigo criaCodigo(const char* nomeCaixa, const char* nomeLista);

    void itemDigitado();
    void normalizaAno(QLineEdit* ano);
    QWidget* caixaDoCampo(const std::string& campo) const;

    Sessao& sessao_;
    std::unique_ptr<IntegracaoPonto> integracao_;
    std::vector<ItemLista> itens_;

    Codigo item_, base_;
    QLineEdit* edMes1_ = nullptr;
    QLineEdit* edAno1_ = nullptr;
    QLineEdit* edMes2_ = nullptr;
    QLineEdit* edAno2_ = nullptr;
    CampoValor qtde_, indice_, divisor_;
    QPushButton* btConfirmar_ = nullptr;
};

}  // namespace korva::ui
