#pragma once
// The printed lists of the reference-table windows: the monthly values
// ("Relação de Salário-Mínimo / Salário Família / Seguro-Desemprego", two
// newspaper columns per page) and the list of a daily series ("Tabela de
// Índices: " + name, four newspaper columns of date and computed index).
//
// Newspaper columns: the rows run down the first column of a page, then down
// the next, and so on; the following page starts again in its first column.
// Every page carries the court name and the title on top and, at the foot,
// the program's version text in italics and "Pág.: n/N".
#include <optional>
#include <string>
#include <vector>

#include "reports/Relatorio.h"
#include "util/Data.h"

namespace korva {

class Banco;

inline constexpr const char* kTituloRelacaoValores =
    "Relação de Salário-Mínimo / Salário Família / Seguro-Desemprego";
inline constexpr const char* kTituloTabelaIndices = "Tabela de Índices: ";

// A row of the values list, as stored (the limits may be empty).
struct LinhaRelacaoValores {
    int ano = 0, mes = 0;
    std::optional<double> salMin, salFam1, salFam2, limMinimo, limMaximo, valorMaximo;
};

// A row of the index list: the date and the computed index (empty when the
// series has no base to divide by).
struct LinhaRelacaoIndices {
    Data data;
    std::optional<double> indice;
};

// Rows of Valores.DB in key order.
std::vector<LinhaRelacaoValores> LinhasRelacaoValores(Banco& compartilhado);
// Rows of one series of Diario.DB in date order, each index divided by the
// series' last one.
std::vector<LinhaRelacaoIndices> LinhasRelacaoIndices(Banco& compartilhado, int codIndice);

// Number texts of the lists: "##0.00" (no thousands separator) and
// "#,##0.00"; empty for an empty value.
std::string TextoSemMilhar(std::optional<double> v, int casas);
std::string TextoComMilhar(std::optional<double> v, int casas);

// The lists laid out (landscape for the values, portrait for the indices).
// No rows give a document without pages.
Documento DiagramaRelacaoValores(const std::vector<LinhaRelacaoValores>& linhas, const std::string& tribunal,
                                 const std::string& versao, const Medidor& m);
Documento DiagramaRelacaoIndices(const std::vector<LinhaRelacaoIndices>& linhas, const std::string& nomeSerie,
                                 const std::string& tribunal, const std::string& versao, const Medidor& m);

}  // namespace korva
