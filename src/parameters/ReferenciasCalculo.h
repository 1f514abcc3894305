#pragma once
// The monthly reference values a calculation run reads, loaded once for the
// span of months of the grid: minimum wage and family allowances (Valores.DB),
// the lawsuit's normative-salary and transport-voucher series (Salario.DB,
// VTransp.DB) and the sums of the salary bases (table I). A run then looks
// them up in memory; a missing month gives nothing, and the run raises the
// message of the lookup it was making.
#include <map>
#include <optional>
#include <string>

#include "reference/TabelasReferencia.h"

namespace korva {

class Banco;

class ReferenciasCalculo {
public:
    // Which tables a run needs; the others are not read.
    struct Necessidades {
        bool valores = false;         // items 1, 997, 998
        bool salario = false;         // item 3
        bool valeTransporte = false;  // item 999
        bool basesSalariais = false;  // item 4
    };

    // Reads every month from `de` to `ate` (both included). A reference
    // table missing from the shared database, or a missing table I, reads as
    // empty: the months are then missing and the run stops with its message.
    static ReferenciasCalculo Carrega(Banco& compartilhado, Banco& privado, const std::string& tabelaI,
                                      int serieSalario, int serieValeTransporte, ChaveMes de, ChaveMes ate,
                                      Necessidades necessidades);

    const LinhaValores* valores(int ano, int mes) const;
    std::optional<double> salarioNormativo(int ano, int mes) const;
    std::optional<double> valeTransporte(int ano, int mes) const;
    // Sum of the month's salary bases; 0 when it has none.
    double basesSalariais(int ano, int mes) const;

    // Filled by Carrega; open for tests.
    void incluiValores(LinhaValores l) { valores_.inclui(std::move(l)); }
    void incluiSalario(int ano, int mes, double v) { salario_[{ano, mes}] = v; }
    void incluiValeTransporte(int ano, int mes, double v) { valeTransporte_[{ano, mes}] = v; }
    void incluiBaseSalarial(int ano, int mes, double v) { bases_[{ano, mes}] += v; }

private:
    ValoresPeriodo valores_;
    std::map<ChaveMes, double> salario_, valeTransporte_, bases_;
};

}  // namespace korva
