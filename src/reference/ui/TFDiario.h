#pragma once
// The daily correction series: "KORVA - Tabela de Índices Diários" lists the
// series (NomeIndiceDiario.DB by Nome, read-only) and its "..." button opens
// "KORVA - Tabela de Índices: " + name modally over the rows of that series
// in Diario.DB, each shown as its index divided by the series' last one. The
// series window searches a date, prints the list of the series and exports
// the series (stored indices) to Indices.dbf.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "reference/ui/TFSeries.h"

class QDateEdit;
class QPushButton;
class QToolButton;

namespace korva::ui {

class TFDiario : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFDiario(Sessao& sessao, int codIndice, const std::string& nome, QWidget* pai = nullptr);

    int codIndice() const { return codIndice_; }
    // The base B: the stored index of the series' last row (none when empty).
    std::optional<double> base() const { return *base_; }
    QDateEdit* campoData() const { return dtPesquisa_; }

public slots:
    void pesquisa();
    void imprime();
    void exporta();

private:
    TFDiario(Sessao& sessao, int codIndice, const std::string& nome, std::shared_ptr<std::optional<double>> base,
             QWidget* pai);

    int codIndice_;
    std::string nome_;
    std::shared_ptr<std::optional<double>> base_;
    QDateEdit* dtPesquisa_ = nullptr;
    QToolButton* btPesquisa_ = nullptr;
    QPushButton* btImprimir_ = nullptr;
    QPushButton* btExportar_ = nullptr;
};

// "KORVA - Tabela de Índices Diários".
class TFNomeIndiceDia : public TFListaSeries {
    Q_OBJECT
public:
    explicit TFNomeIndiceDia(Sessao& sessao, QWidget* pai = nullptr);

protected:
    void mostraValores(const ListaNomesUsuario::Serie& serie) override;
};

}  // namespace korva::ui
