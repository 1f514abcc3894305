#include "results/ImpostoRenda.h"

#include <utility>

namespace korva {

FaixaAplicada FaixaIRDe(double x, int n, const FaixaIR& f) {
    const double m = n < 1 ? 1.0 : static_cast<double>(n);
    if (m * f.limiteMinimo > x) return {0, 0};
    if (x < m * f.limite1) return {f.percentual1, m * f.deducao1};
    if (x < m * f.limite2) return {f.percentual2, m * f.deducao2};
    if (x < m * f.limite3) return {f.percentual3, m * f.deducao3};
    return {f.percentualMaximo, m * f.deducaoMaximo};
}

ColunaIR ImpostoDaColuna(std::string rotulo, double base, double juros, double inssReclamante,
                         double deducaoDependentes, int n, const FaixaIR& faixa, bool adicionarINSSRecte,
                         bool irSobreJuros, bool deduzBase) {
    ColunaIR c;
    c.rotulo = std::move(rotulo);
    c.base = base;
    c.juros = irSobreJuros ? juros : 0;
    c.inssReclamante = adicionarINSSRecte ? 0 : inssReclamante;
    c.deducaoDependentes = deducaoDependentes;
    c.tributavel = c.base + c.juros - c.inssReclamante - c.deducaoDependentes - (deduzBase ? faixa.deducaoDaBase : 0);
    const FaixaAplicada fa = FaixaIRDe(c.tributavel, n, faixa);
    c.aliquota = fa.aliquota;
    c.deducao = fa.deducao;
    c.imposto = c.tributavel * c.aliquota / 100;
    c.devido = c.imposto - c.deducao;
    return c;
}

std::vector<ColunaIR> ColunasIR(int opcaoIR, double base13, double juros13, double baseFerias, double jurosFerias,
                                double baseDemais, double jurosDemais, double inssReclamante,
                                double deducaoDependentes, int n, const FaixaIR& faixa, bool adicionarINSSRecte,
                                bool irSobreJuros, bool resumoProcesso) {
    const auto coluna = [&](const char* rotulo, double base, double juros, bool deduzBase) {
        return ImpostoDaColuna(rotulo, base, juros, inssReclamante, deducaoDependentes, n, faixa, adicionarINSSRecte,
                               irSobreJuros, deduzBase);
    };
    std::vector<ColunaIR> colunas;
    switch (opcaoIR) {
        case OpcaoIR::ParcelaUnica:
            colunas.push_back(
                coluna(kColunaUnica, base13 + baseFerias + baseDemais, juros13 + jurosFerias + jurosDemais, true));
            break;
        case OpcaoIR::TrezeEDemais:
            colunas.push_back(coluna(kColunaDemais, baseFerias + baseDemais, jurosFerias + jurosDemais, true));
            colunas.push_back(coluna(kColuna13, base13, juros13, true));
            break;
        case OpcaoIR::TrezeFeriasDemais:
            colunas.push_back(coluna(kColunaDemais, baseDemais, jurosDemais, true));
            colunas.push_back(coluna(kColuna13, base13, juros13, true));
            colunas.push_back(coluna(kColunaFerias, baseFerias, jurosFerias, !resumoProcesso));
            break;
        default:  // 1 "Não calcular", or an option the register does not know
            break;
    }
    return colunas;
}

double TotalIR(const std::vector<ColunaIR>& colunas) {
    double total = 0;
    for (const ColunaIR& c : colunas) total += c.devido;
    return total;
}

double DeducaoDependentes(const std::vector<int>& dependentesPorReclamante, const FaixaIR& faixa, bool* diferentes) {
    if (diferentes) *diferentes = false;
    if (dependentesPorReclamante.empty()) return 0;
    const auto conta = [](int d) { return d < 0 ? 0 : d; };
    const int primeiro = conta(dependentesPorReclamante.front());
    for (int d : dependentesPorReclamante) {
        if (conta(d) != primeiro) {
            if (diferentes) *diferentes = true;
            return 0;
        }
    }
    return primeiro * faixa.deducaoDependente;
}

int MesesIR(int mesesContados, Data dtBase, Data corte) { return dtBase < corte ? 1 : mesesContados; }

}  // namespace korva
