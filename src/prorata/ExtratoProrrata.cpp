#include "prorata/ExtratoProrrata.h"

#include <algorithm>

#include "prorata/RegistrosProrrata.h"
#include "results/CorrecaoJuros.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {

std::string Texto(const LinhaConsulta& l, const char* campo) {
    const Valor& v = l[campo];
    return v.nulo() ? std::string() : v.comoTexto();
}

double Numero(const LinhaConsulta& l, const char* campo) {
    const Valor& v = l[campo];
    return v.nulo() ? 0.0 : v.comoNumero();
}

int Inteiro(const LinhaConsulta& l, const char* campo, int padrao = 0) {
    const Valor& v = l[campo];
    return v.nulo() ? padrao : static_cast<int>(v.comoInteiro());
}

bool Logico(const LinhaConsulta& l, const char* campo) {
    const Valor& v = l[campo];
    return !v.nulo() && v.comoLogico();
}

// A required date of the record; a row stored without it (by an older
// program or by hand) is named instead of being read as 30/12/1899.
Data DataExigida(const LinhaConsulta& l, const char* campo, const char* rotulo, int codigo) {
    const Valor& v = l[campo];
    if (v.nulo())
        throw ErroKorva(std::string("O registro prorrata ") + std::to_string(codigo) + " não tem " + rotulo + ".");
    return v.comoData();
}

}  // namespace

std::string NumeroExtrato(double x, int significativos, int casas) {
    return FormataNumero(x, casas, significativos);
}

std::string ValorExtrato(double x) { return NumeroExtrato(x, 15, 2); }

DadosProrrata LeDadosProrrata(Banco& privado, int codigo) {
    const Parametros p{{"PProrrata", Valor(codigo)}};
    const auto r = privado.consulta(
        "select Codigo, Processo, CodRecte, DtAjuiz, DtBase, Valor, DtFinal, Parte1, Parte2, Obs, ObsFinal, "
        "ComJuros, JurosConstantes, UsarJurosPadrao, ValorJuros, Indice, FormaAbatimento, ValorFGTS, "
        "CalcularJurosFGTS from Prorrata where Codigo = :PProrrata",
        {kTabelaProrrata}, p);
    if (r.empty())
        throw ErroKorva("Registro de atualização prorrata não encontrado: código " + std::to_string(codigo) + ".");
    const LinhaConsulta& l = r.front();

    DadosProrrata d;
    d.codigo = codigo;
    d.processo = Texto(l, "Processo");
    d.codRecte = Inteiro(l, "CodRecte");
    d.dtAjuiz = DataExigida(l, "DtAjuiz", "data de ajuizamento", codigo);
    d.dtBase = DataExigida(l, "DtBase", "data base", codigo);
    d.dtFinal = DataExigida(l, "DtFinal", "data final", codigo);
    d.valor = Numero(l, "Valor");
    d.parte1 = Texto(l, "Parte1");
    d.parte2 = Texto(l, "Parte2");
    d.obs = Texto(l, "Obs");
    d.obsFinal = Texto(l, "ObsFinal");
    d.comJuros = Logico(l, "ComJuros");
    d.jurosConstantes = Logico(l, "JurosConstantes");
    d.usarJurosPadrao = Inteiro(l, "UsarJurosPadrao");
    d.valorJuros = Numero(l, "ValorJuros");
    d.indice = Inteiro(l, "Indice", 1);
    d.formaAbatimento = Texto(l, "FormaAbatimento");
    d.valorFGTS = Numero(l, "ValorFGTS");
    d.calcularJurosFGTS = Logico(l, "CalcularJurosFGTS");

    for (const LinhaConsulta& c : privado.consulta(
             "select Data, Valor from Parcelas where Prorrata = :PProrrata order by Data", {kTabelaParcelas}, p)) {
        // An instalment without its date has nowhere to go in the list of dates.
        if (c["Data"].nulo()) continue;
        d.parcelas.push_back({c["Data"].comoData(), Numero(c, "Valor")});
    }
    for (const LinhaConsulta& c : privado.consulta(
             "select Descricao, Valor, Tipo, Codigo, DtBase, Totalizar from AcrescProrrata "
             "where Prorrata = :PProrrata order by Codigo",
             {kTabelaAcrescProrrata}, p)) {
        AcrescimoProrrata a;
        a.codigo = Inteiro(c, "Codigo");
        a.descricao = Texto(c, "Descricao");
        a.valor = Numero(c, "Valor");
        a.tipo = Texto(c, "Tipo");
        if (!c["DtBase"].nulo()) a.dtBase = c["DtBase"].comoData();
        a.totalizar = Logico(c, "Totalizar");
        d.acrescimos.push_back(std::move(a));
    }
    return d;
}

ExtratoProrrata CalculaExtrato(const DadosProrrata& d, const FatorDiario& fator, const JurosEntreDatas& juros) {
    const auto I = [&](Data a, Data b) { return fator(d.indice, a, b); };
    const auto Jr = [&](Data a, Data b) { return juros(d.comJuros, a, b, d.codigo, d.usarJurosPadrao); };
    const bool regressivos = !d.jurosConstantes;

    ExtratoProrrata e;

    // FGTS first: the percentage additions are taken on it.
    double FG = 0;
    if (d.valorFGTS > 0) {
        FgtsExtrato f;
        f.fator = I(d.dtBase, d.dtFinal);
        f.valor = ArredondaCentavos(d.valorFGTS * f.fator);
        f.formula = "(" + ValorExtrato(d.valorFGTS) + " * " + NumeroExtrato(f.fator, 15, 9) + ") ";
        if (d.calcularJurosFGTS) {
            f.juros = juros(true, d.dtAjuiz, d.dtFinal, 0, kModoJurosFGTS);
            f.valor = (f.juros / 100 + 1) * f.valor;
            f.formula += " + " + NumeroExtrato(f.juros, 15, 4) + "%";
        }
        FG = f.valor;
        e.fgts = std::move(f);
    }

    // The list of dates: the instalments in date order, then the final date.
    std::vector<ParcelaProrrata> parcelas = d.parcelas;
    std::stable_sort(parcelas.begin(), parcelas.end(),
                     [](const ParcelaProrrata& a, const ParcelaProrrata& b) { return a.data < b.data; });

    // Opening block, at the first date.
    e.s = parcelas.empty() ? d.dtFinal : parcelas.front().data;
    e.f0 = I(d.dtBase, e.s);
    if (regressivos) {
        e.W = d.valorJuros * e.f0;
        e.i0 = Jr(d.dtBase, e.s);
    } else {
        e.W = 0;
        e.i0 = Jr(d.dtAjuiz, e.s);
    }
    e.P = d.valor * e.f0;
    e.E0 = e.P * e.i0 / 100;
    e.totalAbertura = e.P + e.W + e.E0;
    double P = e.P;
    double J = e.E0 + e.W;

    // Each instalment deducted, and the balance carried to the next date.
    e.parcelas.reserve(parcelas.size());
    for (size_t k = 0; k < parcelas.size(); ++k) {
        ParcelaExtrato p;
        p.data = parcelas[k].data;
        p.proxima = k + 1 < parcelas.size() ? parcelas[k + 1].data : d.dtFinal;
        p.valor = parcelas[k].valor;
        const double v = p.valor;
        if (d.formaAbatimento == "P" && J + P == 0) {
            // Nothing to share out: the payment leaves the principal below zero,
            // as deducting the interest first would.
            p.saldoJuros = 0;
            p.saldoPrincipal = -v;
        } else if (d.formaAbatimento == "P") {
            p.saldoJuros = J - v * J / (J + P);
            p.saldoPrincipal = P - v * P / (P + J);
        } else if (v >= J) {
            p.saldoJuros = 0;
            p.saldoPrincipal = P + J - v;
        } else {
            p.saldoJuros = J - v;
            p.saldoPrincipal = P;
        }
        p.fator = I(p.data, p.proxima);
        p.principalAtualizado = p.saldoPrincipal * p.fator;
        p.jurosAtualizados = p.saldoJuros * p.fator;
        p.juros = Jr(p.data, p.proxima);
        p.valorJuros = p.principalAtualizado * p.juros / 100;
        p.total = p.principalAtualizado + p.jurosAtualizados + p.valorJuros;
        P = p.principalAtualizado;
        J = p.jurosAtualizados + p.valorJuros;
        e.parcelas.push_back(p);
    }

    // Additions, brought to the final date.
    double A = 0;
    if (!d.acrescimos.empty()) {
        const double F = I(d.dtBase, d.dtFinal);
        const double ip = d.jurosConstantes ? Jr(d.dtAjuiz, d.dtFinal) : Jr(d.dtBase, d.dtFinal);
        double B = d.valor * F + d.valor * F * ip / 100;
        if (regressivos) B += F * d.valorJuros;
        for (const AcrescimoProrrata& a : d.acrescimos) {
            AcrescimoExtrato x;
            x.descricao = a.descricao;
            x.tipo = a.tipo;
            x.totalizar = a.totalizar;
            if (a.tipo == "P") {
                x.valor = ArredondaCentavos(a.valor * (B + FG) / 100);
                const bool abre = regressivos || FG > 0;
                std::string f = abre ? "(" : "";
                f += "(" + ValorExtrato(d.valor * F) + " + " + NumeroExtrato(ip, 15, 4) + "%) ";
                if (regressivos) f += " + " + ValorExtrato(F * d.valorJuros);
                if (FG > 0) f += " + " + ValorExtrato(FG);
                if (abre) f += ") ";
                f += "* " + ValorExtrato(a.valor) + "%";
                x.formula = std::move(f);
            } else {
                // Without its date an amount has nothing to be corrected from.
                if (!a.dtBase)
                    throw ErroKorva("Informe a data base do acréscimo \"" + Apara(a.descricao) + "\".");
                const double r = I(*a.dtBase, d.dtFinal);
                x.valor = a.valor * r;
                x.formula = "(" + ValorExtrato(a.valor) + " * " + NumeroExtrato(r, 15, 9) + ")";
            }
            if (x.totalizar) A += x.valor;
            e.acrescimos.push_back(std::move(x));
        }
    }

    e.total = ArredondaCentavos(P + J + A + FG);
    return e;
}

ExtratoProrrata CalculaExtrato(const DadosProrrata& d, CorrecaoJuros& correcao) {
    return CalculaExtrato(
        d, [&](int indice, Data a, Data b) { return correcao.FatorIndiceDiario(indice, a, b); },
        [&](bool calcula, Data de, Data ate, int prorrata, int modo) {
            return correcao.CalculaJuros("", calcula, de, ate, prorrata, modo);
        });
}

}  // namespace korva
