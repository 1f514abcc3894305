#include "reference/SerieDiaria.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "util/Erros.h"

namespace korva {
namespace {

std::string MesAno(int mes, int ano) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%04d", mes, ano);
    return b;
}

}  // namespace

std::vector<ValorDiario> MontaSerieDiaria(const std::vector<TaxaMensal>& taxas) {
    std::vector<ValorDiario> serie;
    if (taxas.empty()) return serie;
    double inicio = 1.0;  // value on the first day of the current month
    for (size_t k = 0; k < taxas.size(); ++k) {
        const auto& t = taxas[k];
        if (t.mes < 1 || t.mes > 12 || t.ano < 1 || t.ano > 9999)
            throw ErroDados("Mês inválido na série mensal: " + std::to_string(t.mes) + "/" + std::to_string(t.ano) + ".");
        if (k > 0) {
            const auto& a = taxas[k - 1];
            const int esperadoMes = a.mes == 12 ? 1 : a.mes + 1;
            const int esperadoAno = a.mes == 12 ? a.ano + 1 : a.ano;
            if (t.mes != esperadoMes || t.ano != esperadoAno)
                throw ErroDados("A série mensal salta de " + MesAno(a.mes, a.ano) + " para " + MesAno(t.mes, t.ano) +
                                ": falta a taxa de " + MesAno(esperadoMes, esperadoAno) + ".");
        }
        const double fator = 1.0 + t.percentual / 100.0;
        if (!(fator > 0.0) || !std::isfinite(fator))
            throw ErroDados("Taxa inválida em " + MesAno(t.mes, t.ano) + " na série mensal.");
        const int dias = Data::diasNoMes(t.ano, t.mes);
        const Data primeiro = Data::de(t.ano, t.mes, 1);
        for (int d = 1; d <= dias; ++d)
            serie.push_back({primeiro + (d - 1), inicio * std::pow(fator, static_cast<double>(d - 1) / dias)});
        inicio *= fator;
    }
    const auto& ult = taxas.back();
    serie.push_back({Data::de(ult.ano, ult.mes, 1).fimDoMes() + 1, inicio});
    return serie;
}

}  // namespace korva
