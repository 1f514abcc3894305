#pragma once
// The series of normative salaries and of transport vouchers: the name list
// windows ("KORVA - Tabela de Salários", "KORVA - Tabela de Vale
// Transporte"), editable, whose "..." button opens the values of the current
// series in a modal window ("KORVA - Tabela de Salário: " + name, "KORVA -
// Tabela de Vale Transporte: " + name). The list window of the daily series
// (TFNomeIndiceDia) shares the "..." button.
#include <memory>
#include <optional>
#include <string>

#include "reference/RegrasTabelas.h"
#include "reference/ui/TFTabelaReferencia.h"

class QToolButton;

namespace korva {
class TabelasReferencia;
}

namespace korva::ui {

// A name list with the "..." button (also F9 on the name): it opens the
// values of the current stored name, and does nothing while the name is
// being edited or inserted, or when it is empty.
class TFListaSeries : public TFTabelaReferencia {
    Q_OBJECT
public:
    // `listaUsuario`: the user's list, with its new codes and the deletion
    // of a series with its values.
    TFListaSeries(Sessao& sessao, DefinicaoJanela definicao, bool listaUsuario, QWidget* pai = nullptr);
    ~TFListaSeries() override;

    QToolButton* botaoValores() const { return btValores_; }
    TabelasReferencia& referencia() { return *referencia_; }

public slots:
    // "...": the values window of the current series, modally.
    void abreValores();

protected:
    virtual void mostraValores(const ListaNomesUsuario::Serie& serie) = 0;
    void estadoMudou() override;

private:
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<ListaNomesUsuario> regras_;
    QToolButton* btValores_ = nullptr;
};

// The values of one series: editable, filtered to the series, a new row
// takes the series code and starts at "Mes", the year typed with two digits
// is expanded, and F4 while inserting copies the row that was current into
// the next month.
class TFValoresSerie : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFValoresSerie(Sessao& sessao, DefinicaoJanela definicao, const TabelaSerie& tipo, int serie,
                   QWidget* pai = nullptr);
    ValoresDaSerie& valores() { return *valores_; }

private:
    std::unique_ptr<ValoresDaSerie> valores_;
};

// "KORVA - Tabela de Salário: " + name: Salario.DB of one series.
class TFSalario : public TFValoresSerie {
    Q_OBJECT
public:
    TFSalario(Sessao& sessao, int serie, const std::string& nome, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Vale Transporte: " + name: VTransp.DB of one series.
class TFVTransp : public TFValoresSerie {
    Q_OBJECT
public:
    TFVTransp(Sessao& sessao, int serie, const std::string& nome, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Salários": NomeSalario.DB by Nome.
class TFNomeSalario : public TFListaSeries {
    Q_OBJECT
public:
    explicit TFNomeSalario(Sessao& sessao, QWidget* pai = nullptr);

protected:
    void mostraValores(const ListaNomesUsuario::Serie& serie) override;
};

// "KORVA - Tabela de Vale Transporte": NomeVTransp.DB by Nome.
class TFNomeVTransp : public TFListaSeries {
    Q_OBJECT
public:
    explicit TFNomeVTransp(Sessao& sessao, QWidget* pai = nullptr);

protected:
    void mostraValores(const ListaNomesUsuario::Serie& serie) override;
};

// Runs a values window in its modal dialog (tests reach it as the active
// modal widget, objectName the window's class).
void MostraModal(TFTabelaReferencia* janela, QWidget* pai);

}  // namespace korva::ui
