#include "reports/BlocosCalculo.h"

#include "results/ContribuicaoINSS.h"
#include "results/FormatoNumero.h"
#include "results/ImpostoRenda.h"

namespace korva {

namespace {

std::string F(double v) { return FormataNumero(v, 2); }
std::string Percentual(double v) { return FormataNumero(v, 2) + "%"; }

}  // namespace

FechamentoImpresso FechamentoCalculo(const FechamentoMes& f) {
    FechamentoImpresso r;
    r.mes = f.rotulo;
    if (f.mostraTotais)
        r.totais = {{"Total Atualizado:", F(f.totalMes)},
                    {"Juros:", F(f.jurosMes)},
                    {"Total Atualizado com Juros:", F(f.totalComJurosMes)}};
    if (f.mostraFGTS) r.fgts = {{"FGTS a depositar:", F(f.fgtsMes)}};
    if (f.avaliaINSS)
        r.inss = {{"Base de Cálculo do INSS:", F(f.baseINSSMes)},
                  {kRotuloAliquota, Percentual(f.inss.aliquota)},
                  {kRotuloJaRecolhido, F(f.inss.jaRecolhido)},
                  {kRotuloARecolher, F(f.inss.aRecolher)}};
    return r;
}

std::vector<LinhaBloco> FechamentoINSS(const FechamentoMes& f, double baseINSSMes, const ParametrosExecucao& p) {
    std::vector<LinhaBloco> r;
    r.push_back({f.rotulo, "", "", true});
    r.push_back({"Base de Cálculo do INSS:", F(baseINSSMes)});
    if (p.aliquotaUnica) {
        r.push_back({kRotuloAliquota, Percentual(p.inssReclamante)});
        r.push_back({kRotuloARecolher, F(baseINSSMes * p.inssReclamante / 100)});
        return r;
    }
    // Without the month's bracket row the working has no ratio: every step
    // after the amount paid prints 0 and the new base is the month's own.
    const std::string l1 = F(f.limite1DtBase);
    const std::string l1m = F(f.limite1Mes);
    r.push_back({"Base de Cálculo sobre a qual já houve recolhimento:", F(f.baseJaRecolhida)});
    r.push_back({kRotuloJaRecolhido, F(f.inss.jaRecolhido)});
    r.push_back({"Atualizado:", F(f.baseAtualizada), "(" + F(f.baseJaRecolhida) + " * " + l1 + " / " + l1m + ")"});
    r.push_back(
        {"Atualizado:", F(f.recolhidoAtualizado), "(" + F(f.inss.jaRecolhido) + " * " + l1 + " / " + l1m + ")"});
    r.push_back({"Nova Base de Cálculo do INSS:", F(baseINSSMes + f.baseAtualizada)});
    r.push_back({kRotuloAliquota, Percentual(f.inss.aliquota)});
    r.push_back({"Valor da contribuição devida:", F(f.contribuicaoDevida)});
    r.push_back({F(f.contribuicaoDevida) + " - " + F(f.recolhidoAtualizado) + " = " + kRotuloARecolher,
                 F(f.inss.aRecolher)});
    return r;
}

std::string RotuloSeguroAcidente(double aliquota) {
    return "Seguro de Acidente de Trabalho: (" + Percentual(aliquota) + ")";
}

std::vector<LinhaBloco> LinhasFinais(TipoRelatorioCalculo tipo, const TotaisExecucao& t,
                                     const ParametrosExecucao& p) {
    const std::string& s = t.simboloMoeda;
    auto M = [&](double v) { return s + F(v); };
    std::vector<LinhaBloco> r;
    if (tipo != TipoRelatorioCalculo::INSS) {
        r.push_back({"Total:", M(t.total)});
        r.push_back(
            {tipo == TipoRelatorioCalculo::Detalhado ? "Total com Juros:" : "Total + Juros:", M(t.totalComJuros)});
        if (t.fgts > 0) r.push_back({"F.G.T.S. a depositar:", M(t.fgts)});
        if (t.jurosFGTS > 0) r.push_back({"Juros do F.G.T.S. a depositar:", M(t.jurosFGTS)});
        if (t.fgts > 0) r.push_back({"Total do F.G.T.S. a depositar:", M(t.fgtsADepositar())});
        if (t.seguroDesemprego > 0) r.push_back({"Seguro Desemprego a recolher:", M(t.seguroDesemprego)});
    }
    r.push_back({"* Base de Cálculo - I.N.S.S.:", M(t.baseINSS), "", true});
    r.push_back({"Contribuições ao INSS:", "", "", true});
    r.push_back({p.aliquotaUnica ? RotuloReclamanteAliquotaUnica(p.inssReclamante) : std::string(kRotuloReclamante),
                 M(t.inssEmpregado)});
    r.push_back({RotuloFPAS(p.inssReclamado), M(t.reclamado.fpas)});
    r.push_back({tipo == TipoRelatorioCalculo::INSS ? RotuloSeguroAcidente(p.inssRisco)
                                                     : RotuloRiscosAmbientais(p.inssRisco),
                 M(t.reclamado.risco)});
    r.push_back({RotuloTerceiros(p.inssTerceiros), M(t.reclamado.terceiros)});
    r.push_back({"TOTAL:", M(t.reclamado.total), "", true});
    r.push_back({"TOTAL DO I.N.S.S.:", M(t.totalINSS), "", true});
    return r;
}

TabelaIR TabelaImpostoRenda(TipoRelatorioCalculo tipo, const TotaisExecucao& t, const ParametrosExecucao& p) {
    TabelaIR r;
    if (tipo == TipoRelatorioCalculo::INSS || p.opcaoIR <= OpcaoIR::NaoCalcular || t.colunasIR.empty()) return r;
    r.titulo = p.irSobreJuros ? "IMPOSTO DE RENDA: (juros inclusos)" : "IMPOSTO DE RENDA: (juros não inclusos)";
    r.titulos = {"Parcela:",
                 std::string("Base de Cálculo\n") + (p.irSobreJuros ? "Principal+Juros" : "Valor"),
                 t.dependentesDiferentes ? kCabecalhoDependentesAnulado : kCabecalhoDependentes,
                 "Contribuição\nINSS",
                 tipo == TipoRelatorioCalculo::Detalhado ? "Alíquota\n(%)" : "Alíquota (%)",
                 "Imposto",
                 "Dedução",
                 "IRRF a\nDeduzir"};
    for (const ColunaIR& c : t.colunasIR) {
        std::string base = F(c.base);
        if (p.irSobreJuros) base += " + " + F(c.juros);
        r.linhas.push_back({c.rotulo, base, F(c.deducaoDependentes), F(c.inssReclamante), F(c.aliquota),
                            F(c.imposto), F(c.deducao), F(c.devido)});
    }
    if (t.dependentesDiferentes) r.notas = {kNotaDependentesAnulada, kNotaVerifiqueResumo};
    return r;
}

std::vector<std::string> NotasFinais(TipoRelatorioCalculo tipo, const TotaisExecucao& t,
                                     const ParametrosExecucao& p, Data dataCorte) {
    std::vector<std::string> r;
    if (tipo != TipoRelatorioCalculo::INSS && p.opcaoIR > OpcaoIR::NaoCalcular && p.dtBase >= dataCorte)
        r.push_back("Qtde. de Meses com Base para o IR: " + std::to_string(t.mesesIR));
    if (t.faixaINSSAusente) r.push_back(kNotaINSSAnulado);
    return r;
}

}  // namespace korva
