#include "parameters/ReferenciasCalculo.h"

#include <algorithm>

#include "storage/Banco.h"

namespace korva {
namespace {

int Serial(ChaveMes k) { return k.ano * 12 + (k.mes - 1); }

// Rows of one series of a user table (Salario.DB, VTransp.DB) inside the span.
template <class F>
void LeSerie(Banco& banco, const std::string& tabela, const std::string& campoSerie, const std::string& campoValor,
             int serie, ChaveMes de, ChaveMes ate, F&& recebe) {
    if (!banco.existe(tabela)) return;
    const std::string visao = tabela.substr(0, tabela.find('.'));
    const auto linhas = banco.consulta("select Ano, Mes, " + campoValor + " from " + visao + " where " + campoSerie +
                                           "=:S and Ano between :AI and :AF",
                                       {tabela}, {{"S", serie}, {"AI", de.ano}, {"AF", ate.ano}});
    for (const auto& l : linhas) {
        const ChaveMes k{static_cast<int>(l[0].comoInteiro()), static_cast<int>(l[1].comoInteiro())};
        if (Serial(k) >= Serial(de) && Serial(k) <= Serial(ate)) recebe(k, l[2].comoNumero());
    }
}


}  // namespace

ReferenciasCalculo ReferenciasCalculo::Carrega(Banco& compartilhado, Banco& privado, const std::string& tabelaI,
                                               int serieSalario, int serieValeTransporte, ChaveMes de, ChaveMes ate,
                                               Necessidades n) {
    if (ate < de) std::swap(de, ate);
    ReferenciasCalculo r;
    if (n.valores && compartilhado.existe("Valores.DB")) {
        TabelasReferencia referencia(compartilhado);
        r.valores_ = referencia.CarregaValores(de.ano, de.mes, ate.ano, ate.mes);
    }
    if (n.salario)
        LeSerie(compartilhado, "Salario.DB", "Salario", "SalMin", serieSalario, de, ate,
                [&](ChaveMes k, double v) { r.salario_[k] = v; });
    if (n.valeTransporte)
        LeSerie(compartilhado, "VTransp.DB", "ValeTransporte", "VTransp", serieValeTransporte, de, ate,
                [&](ChaveMes k, double v) { r.valeTransporte_[k] = v; });
    if (n.basesSalariais && !tabelaI.empty() && privado.existe(tabelaI)) {
        // Summed here in the order the rows are read, as the month grid's view of the bases does.
        for (const auto& l : privado.consulta("select Ano, Mes, Valor from " + Banco::NomeNaConsulta(tabelaI), {tabelaI}))
            if (!l[2].nulo())
                r.bases_[{static_cast<int>(l[0].comoInteiro()), static_cast<int>(l[1].comoInteiro())}] +=
                    l[2].comoNumero();
    }
    return r;
}

const LinhaValores* ReferenciasCalculo::valores(int ano, int mes) const { return valores_.procura(ano, mes); }

std::optional<double> ReferenciasCalculo::salarioNormativo(int ano, int mes) const {
    auto it = salario_.find({ano, mes});
    if (it == salario_.end()) return std::nullopt;
    return it->second;
}

std::optional<double> ReferenciasCalculo::valeTransporte(int ano, int mes) const {
    auto it = valeTransporte_.find({ano, mes});
    if (it == valeTransporte_.end()) return std::nullopt;
    return it->second;
}

double ReferenciasCalculo::basesSalariais(int ano, int mes) const {
    auto it = bases_.find({ano, mes});
    return it == bases_.end() ? 0.0 : it->second;
}

}  // namespace korva
