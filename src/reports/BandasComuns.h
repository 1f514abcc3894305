#pragma once
// Bands shared by the lawsuit summary, the parameters-by-period, the
// calculated-items and the catalogue reports: the body font, the heading of a
// calculation (court, sector, title, lawsuit line and the three dates), the
// page footer (the program's title line and "Pág.: n/N") and the closing
// block (observation memo and closing line).
//
// Every one of these reports is laid out in 8 pt so that the wide tables
// (income tax, parameter rows) fit a portrait A4 sheet.
#include <string>
#include <vector>

#include "reports/Colunas.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"

namespace korva {

inline constexpr double kPontosCorpo = 8.0;

Fonte FonteCorpo(bool negrito = false);
// Height of one line of the body font.
double LinhaCorpo(const Medidor& m);
// Width of `n` characters of the body font's average pitch ("0").
double Caracteres(double n, const Medidor& m);

// Court and sector, the title, the lawsuit line and, when `datas`,
// "Data de Gravação:", "Data de Ajuizamento:" and "Valores Atualizados até:"
// with their dates; a rule closes it.
Banda BandaCabecalho(const CabecalhoRelatorio& cab, const std::string& titulo, bool datas, const Medidor& m);

// A rule, then the program's title line on the left and "Pág.: n/N" on the right.
Banda BandaRodape(const std::string& versao, const Medidor& m);

// The observation memo (left out when blank) and the closing line.
std::vector<Banda> BandasFecho(const std::string& observacao, const std::string& fecho, const Medidor& m);

// A label with its amount right-aligned in a column: `rotulo` from `x`, the
// value ending at `fimValor` (both in mm from the left margin).
void AdicionaLinhaValor(Banda& b, double y, double x, const std::string& rotulo, double fimValor,
                        double larguraValor, const std::string& valor, bool negrito = false);

// A column of `g` that shows one text field of the current line
// (`linhas[atual]`), `caracteres` wide in units of `c` millimetres.
template <class Linha>
void ColunaDeCampo(GradeColunas& g, const char* titulo, double caracteres, double c, Alinhamento al,
                   const std::vector<Linha>& linhas, const size_t& atual, std::string Linha::*campo) {
    Coluna k;
    k.titulo = titulo;
    k.largura = caracteres * c;
    k.alinhamento = al;
    k.valor = [&linhas, &atual, campo](const Contexto&) { return linhas[atual].*campo; };
    g.colunas.push_back(std::move(k));
}

}  // namespace korva
