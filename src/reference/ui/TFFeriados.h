#pragma once
// The holidays: "KORVA - Tabela de Feriados" (FeriadosPadrao.db by Data,
// editable, with the search of a date) and "KORVA - Classificação dos
// Feriados" (TipoFeriado.DB by Descricao, editable). Descriptions are
// proper-cased as they are typed.
#include <memory>

#include "reference/RegrasTabelas.h"
#include "reference/ui/TFTabelaReferencia.h"

class QDateEdit;
class QToolButton;

namespace korva {
class TabelasReferencia;
}

namespace korva::ui {

class TFFeriadosPadrao : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFFeriadosPadrao(Sessao& sessao, QWidget* pai = nullptr);
    QDateEdit* campoData() const { return dtPesquisa_; }

public slots:
    void pesquisa();

protected:
    void estadoMudou() override;

private:
    QWidget* painel_ = nullptr;
    QDateEdit* dtPesquisa_ = nullptr;
    QToolButton* btPesquisa_ = nullptr;
};

class TFClasseFeriado : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFClasseFeriado(Sessao& sessao, QWidget* pai = nullptr);
    ~TFClasseFeriado() override;

private:
    std::unique_ptr<TabelasReferencia> referencia_;
    std::unique_ptr<ListaNomesUsuario> regras_;
};

}  // namespace korva::ui
