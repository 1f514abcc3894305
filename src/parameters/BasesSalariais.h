#pragma once
// The salary bases of a calculation (table I): components of a month's salary
// whose sum values item 4. Shown for all months, editable, or for one month
// (opened from the month grid), in which the month and year of every row,
// new ones included, are the window's and cannot be changed.
#include <string>

#include "parameters/BasesMensais.h"

namespace korva {

class BasesSalariais : public BasesMensais {
public:
    // "KORVA - Bases Salariais (" + table name + ")".
    static std::string Titulo(const std::string& nomeTabela);
    // Forgets the program-wide remembered row (tests).
    static void EsqueceLinhaLembrada();

    // `tabelaI` is relative to the private database's folder; month 0 shows
    // every month.
    BasesSalariais(Banco& privado, std::string tabelaI, int mes = 0, int ano = 0);

    bool umMes() const { return mes_ != 0; }
    // Mes and Ano are read-only in the one-month view.
    bool somenteLeitura(const std::string& campo) const { return umMes() && (campo == "Mes" || campo == "Ano"); }

    // Sum of the components of a month.
    double total(int mes, int ano);

protected:
    bool mesAnoFixos(int& mes, int& ano) const override;

private:
    int mes_, ano_;
};

}  // namespace korva
