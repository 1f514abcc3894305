#pragma once
// "KORVA - Tabela de Salário Mínimo/Família / Seguro-Desemprego": Valores.DB
// by (Ano, Mes), read-only, with the search of a month ("Pesquisa:" year /
// month) and the printed values list ("&Imprimir").
#include <functional>

#include "reference/ui/TFTabelaReferencia.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace korva::ui {

class TFValores : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFValores(Sessao& sessao, QWidget* pai = nullptr);

    QLineEdit* campoAno() const { return edAno_; }
    QLineEdit* campoMes() const { return edMes_; }
    QToolButton* botaoPesquisa() const { return btPesquisa_; }

    // The sound of a refused key (tests count it); empty restores the system beep.
    static void DefineBip(std::function<void()> bip);

public slots:
    void pesquisa();
    void imprime();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* e) override;
    void estadoMudou() override;

private:
    void posicionaTituloSeguro();

    QWidget* painel_ = nullptr;
    QLineEdit* edAno_ = nullptr;
    QLineEdit* edMes_ = nullptr;
    QToolButton* btPesquisa_ = nullptr;
    QPushButton* btImprimir_ = nullptr;
    QWidget* faixaTitulo_ = nullptr;
    QLabel* lbSeguro_ = nullptr;
};

}  // namespace korva::ui
