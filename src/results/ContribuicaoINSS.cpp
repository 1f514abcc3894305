#include "results/ContribuicaoINSS.h"

#include "results/FormatoNumero.h"

namespace korva {

namespace {

ResultadoINSS ContribuicaoFaixaUnica(double x, const FaixaINSS& f) {
    double aliquota;
    if (x <= f.limite1) {
        aliquota = f.percentual1;
        if (x > 0 && x < f.limiteMinimo) x = f.limiteMinimo;
    } else if (x <= f.limite2) {
        aliquota = f.percentual2;
    } else if (x <= f.limite3) {
        aliquota = f.percentual3;
    } else if (f.limite4 <= 0) {
        aliquota = f.percentual3;
        x = f.limite3;
    } else if (x <= f.limite4) {
        aliquota = f.percentual4;
    } else if (f.limite5 <= 0) {
        aliquota = f.percentual4;
        x = f.limite4;
    } else {
        aliquota = f.percentual5;
        if (x > f.limite5) x = f.limite5;
    }
    return {x * aliquota / 100, aliquota};
}

ResultadoINSS ContribuicaoProgressiva(double x, const FaixaINSS& f) {
    if (x == 0) return {0, 0};
    if (x < 0) return {x * f.percentual1 / 100, f.percentual1};

    // Bands in use: up to the first limit that does not rise.
    int bandas = 0;
    for (int b = 1; b <= 5 && f.limite(b) > f.limite(b - 1); ++b) bandas = b;
    const double teto = f.limite(bandas);

    if (x < f.limiteMinimo) x = f.limiteMinimo;
    if (x > teto) x = teto;
    if (x <= 0) return {0, 0};

    double contribuicao = 0;
    for (int b = 1; b <= bandas; ++b) {
        const double de = f.limite(b - 1);  // 0 for band 1
        if (x <= de) break;
        const double ate = x < f.limite(b) ? x : f.limite(b);
        contribuicao += (ate - de) * f.percentual(b) / 100;
    }
    return {contribuicao, contribuicao / x * 100};
}

std::string Rotulo(const char* nome, double aliquota) {
    return std::string(nome) + ": (" + FormataNumero(aliquota) + "%)";
}

}  // namespace

ResultadoINSS ContribuicaoINSS(double x, const FaixaINSS& faixa) {
    return faixa.progressiva ? ContribuicaoProgressiva(x, faixa) : ContribuicaoFaixaUnica(x, faixa);
}

ResultadoINSSMes INSSDoMes(double B, double J, const FaixaINSS* faixaMes, const FaixaINSS* faixaDtBase) {
    static const FaixaINSS kVazia{};
    const FaixaINSS& mes = faixaMes ? *faixaMes : kVazia;
    const FaixaINSS& dtBase = faixaDtBase ? *faixaDtBase : kVazia;

    ResultadoINSSMes r;
    r.jaRecolhido = ContribuicaoINSS(J, mes).contribuicao;
    if (mes.limite1 <= 0) {
        r.semFaixaMes = true;
        return r;
    }
    const double razao = dtBase.limite1 / mes.limite1;
    const ResultadoINSS devido = ContribuicaoINSS(B + razao * J, dtBase);
    r.aliquota = devido.aliquota;
    r.aRecolher = devido.contribuicao - razao * r.jaRecolhido;
    return r;
}

double ContribuicaoAliquotaUnica(double baseINSS, double aliqReclamante) { return baseINSS * aliqReclamante / 100; }

ContribuicoesReclamado ContribuicoesDoReclamado(double baseINSS, double aliqReclamado, double aliqRisco,
                                                double aliqTerceiros) {
    ContribuicoesReclamado c;
    c.fpas = baseINSS * aliqReclamado / 100;
    c.risco = baseINSS * aliqRisco / 100;
    c.terceiros = baseINSS * aliqTerceiros / 100;
    c.total = c.fpas + c.risco + c.terceiros;
    return c;
}

std::string RotuloFPAS(double aliquota) { return Rotulo("F.P.A.S.", aliquota); }
std::string RotuloRiscosAmbientais(double aliquota) { return Rotulo("Riscos Ambientais do Trabalho", aliquota); }
std::string RotuloTerceiros(double aliquota) { return Rotulo("Recolhimento de Terceiros", aliquota); }
std::string RotuloReclamanteAliquotaUnica(double aliquota) { return Rotulo("Reclamante", aliquota); }

std::string AvisoINSSIncompletoMes(int ano, int mes) {
    std::string aviso = kAvisoINSSIncompleto;
    aviso.pop_back();  // the full stop
    return aviso + " (" + TextoMes(ano, mes) + ").";
}

}  // namespace korva
