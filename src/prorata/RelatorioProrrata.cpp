#include "prorata/RelatorioProrrata.h"

#include <functional>
#include <vector>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "reference/TabelasReferencia.h"
#include "reports/BandasComuns.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/Relatorio.h"
#include "results/CorrecaoJuros.h"
#include "results/SimboloMoeda.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

namespace {

// Columns of the statement, in characters of the body font from the left
// margin: labels, the parenthesised rates and amounts that follow a short
// label (right-aligned up to the dates' end), dates, "=", the amounts
// right-aligned in one column, and the indices and formulas at the right.
struct Colunas {
    double c = 0;
    double recuo() const { return 2 * c; }
    double inicioMeio() const { return 20 * c; }
    double fimMeio() const { return 40 * c; }
    double data() const { return 20 * c; }
    double igual() const { return 32 * c; }
    double valor() const { return 42 * c; }
    double larguraValor() const { return 24 * c; }
    double direita() const { return 68 * c; }
};

std::string Moeda(Data d, double x) { return SimboloMoeda(d) + ValorExtrato(x); }
std::string Indice(double f) { return "(Índice:" + NumeroExtrato(f, 15, 9) + ")"; }
std::string Taxa(double p) { return "(" + NumeroExtrato(p, 12, 4) + "%)"; }

// Builds a band line by line.
class Linhas {
public:
    Linhas(const Colunas& k, double lh) : k_(k), lh_(lh) {}

    Linhas& rotulo(const std::string& texto, bool recuado = false, bool negrito = false) {
        const double x = recuado ? k_.recuo() : 0;
        b_.adiciona(ElementoBanda::Rotulo(x, y_, 0, texto, FonteCorpo(negrito)));
        return *this;
    }
    Linhas& meio(const std::string& texto) {
        b_.adiciona(ElementoBanda::Rotulo(k_.inicioMeio(), y_, k_.fimMeio() - k_.inicioMeio(), texto, FonteCorpo(),
                                          Alinhamento::Direita));
        return *this;
    }
    Linhas& data(Data d) {
        b_.adiciona(ElementoBanda::Rotulo(k_.data(), y_, k_.igual() - k_.data(), d.dma(), FonteCorpo()));
        return *this;
    }
    Linhas& igual() {
        b_.adiciona(ElementoBanda::Rotulo(k_.igual(), y_, k_.valor() - k_.igual(), "=", FonteCorpo()));
        return *this;
    }
    Linhas& valor(const std::string& texto, bool negrito = false) {
        b_.adiciona(ElementoBanda::Rotulo(k_.valor(), y_, k_.larguraValor(), texto, FonteCorpo(negrito),
                                          Alinhamento::Direita));
        return *this;
    }
    Linhas& emX(double x, const std::string& texto) {
        b_.adiciona(ElementoBanda::Rotulo(x, y_, 0, texto, FonteCorpo()));
        return *this;
    }
    Linhas& direita(const std::string& texto) {
        b_.adiciona(ElementoBanda::Rotulo(k_.direita(), y_, 0, texto, FonteCorpo()));
        return *this;
    }
    // A text from `x` to the right margin, wrapped; the band grows with it
    // (only below it: nothing may follow a memo in its band).
    Linhas& memo(double x, const std::string& texto, bool negrito = false) {
        b_.adiciona(ElementoBanda::Memo(x, y_, 0, lh_, [texto](const Contexto&) { return texto; },
                                        FonteCorpo(negrito)));
        return *this;
    }
    // A rule over the amounts' column, on a line of its own.
    Linhas& regua() {
        b_.adiciona(ElementoBanda::LinhaH(k_.valor(), y_ + lh_ / 4, k_.larguraValor()));
        return proxima();
    }
    Linhas& proxima(double n = 1) {
        y_ += n * lh_;
        return *this;
    }
    Banda fecha() {
        b_.altura = y_;
        return std::move(b_);
    }

private:
    const Colunas& k_;
    double lh_;
    double y_ = 0;
    Banda b_;
};

Banda BandaCabecalhoProrrata(const DadosProrrata& d, const CabecalhoProrrata& cab, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda b;
    double y = 0;
    b.adiciona(ElementoBanda::Rotulo(0, y, 0, cab.tribunal, FonteCorpo(true), Alinhamento::Centro));
    y += lh;
    if (!Apara(cab.setor).empty()) {
        b.adiciona(ElementoBanda::Rotulo(0, y, 0, cab.setor, FonteCorpo(true), Alinhamento::Centro));
        y += lh;
    }
    y += lh;
    b.adiciona(ElementoBanda::Rotulo(
        0, y, 0, "Processo: " + d.processo + "  Grupo: " + Literais::ZerosEsquerdaInt(d.codRecte, 3),
        FonteCorpo(true)));
    y += lh;
    b.adiciona(ElementoBanda::LinhaH(0, y + lh / 2, 0));
    b.altura = y + 2 * lh;
    return b;
}

// The first page's block. A memo grows its band downwards without moving
// what lies below it, so the note has a band of its own.
std::vector<Banda> BandasAbertura(const DadosProrrata& d, const ExtratoProrrata& e, const Colunas& k,
                                  const Medidor& m) {
    const double lh = LinhaCorpo(m);
    const bool regressivos = !d.jurosConstantes;
    const double texto = k.data();
    std::vector<Banda> r;
    Linhas l(k, lh);
    l.rotulo("Data ajuizamento:").data(d.dtAjuiz).proxima();
    l.rotulo("Valor apurado em ").data(d.dtBase).igual().valor(Moeda(d.dtBase, d.valor)).proxima();
    if (regressivos)
        l.rotulo("Juros apurados até").data(d.dtBase).igual().valor(Moeda(d.dtBase, d.valorJuros)).proxima();
    if (!d.parte1.empty()) {
        l.rotulo("Partes:");
        l.emX(texto, d.parte1).proxima();
        l.emX(texto, d.parte2).proxima();
    }
    r.push_back(l.fecha());
    if (!d.obs.empty()) {
        Linhas o(k, lh);
        o.rotulo("Obs.:").memo(texto, d.obs).proxima();
        r.push_back(o.fecha());
    }
    Linhas a(k, lh);
    a.proxima();
    a.rotulo("a. Valor em", true).data(d.dtBase).valor(Moeda(d.dtBase, d.valor)).proxima();
    a.rotulo("b. Valor Atualizado (a)", true).valor(Moeda(e.s, e.P)).direita(Indice(e.f0)).proxima();
    a.rotulo("c. Juros Acumulados", true);
    if (regressivos) a.meio("(" + Moeda(d.dtBase, d.valorJuros) + ")");
    a.valor(Moeda(e.s, e.W)).direita(Indice(e.f0)).proxima();
    a.rotulo("d. Juros (sobre b)", true).meio(Taxa(e.i0)).valor(Moeda(e.s, e.E0)).proxima();
    a.regua();
    a.rotulo("e. Total Atualizado + Juros (b + c + d)", true).valor(Moeda(e.s, e.totalAbertura)).proxima();
    a.proxima();
    r.push_back(a.fecha());
    for (Banda& b : r) b.paginas = QuaisPaginas::SoPrimeira;
    return r;
}

}  // namespace

CabecalhoProrrata CabecalhoDeProrrata(const Configuracoes& c, Data impressao) {
    CabecalhoProrrata r;
    r.tribunal = c.tribunal;
    r.setor = c.setor;
    r.municipio = c.municipio;
    r.versao = c.versao;
    r.impressao = impressao;
    return r;
}

Documento DiagramaProrrata(const DadosProrrata& d, const ExtratoProrrata& e, const CabecalhoProrrata& cab,
                           const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Colunas k;
    k.c = Caracteres(1, m);

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    rel.cabecalhoPagina.push_back(BandaCabecalhoProrrata(d, cab, m));
    for (Banda& b : BandasAbertura(d, e, k, m)) rel.cabecalhoColunas.push_back(std::move(b));

    // One block per instalment, its figures read from the current one.
    size_t atual = 0;
    FonteFuncoes fonte([&] { return e.parcelas.size(); }, [&](size_t i) { atual = i; });
    const auto p = [&]() -> const ParcelaExtrato& { return e.parcelas[atual]; };
    const auto campo = [&](double x, double y, double largura, std::function<std::string(const ParcelaExtrato&)> f,
                           Alinhamento al = Alinhamento::Esquerda) {
        return ElementoBanda::Campo(x, y, largura, [p, f](const Contexto&) { return f(p()); }, FonteCorpo(), al);
    };
    Banda parcela;
    {
        double y = 0;
        const auto linhaValor = [&](const char* rotulo, bool recuado,
                                    std::function<std::string(const ParcelaExtrato&)> valor) {
            parcela.adiciona(ElementoBanda::Rotulo(recuado ? k.recuo() : 0, y, 0, rotulo, FonteCorpo()));
            parcela.adiciona(campo(k.valor(), y, k.larguraValor(), std::move(valor), Alinhamento::Direita));
        };
        const auto indice = [&] {
            parcela.adiciona(campo(k.direita(), y, 0, [](const ParcelaExtrato& x) { return Indice(x.fator); }));
        };
        linhaValor("Pgto. em", false, [](const ParcelaExtrato& x) { return Moeda(x.data, x.valor); });
        parcela.adiciona(campo(k.data(), y, k.igual() - k.data(), [](const ParcelaExtrato& x) { return x.data.dma(); }));
        y += lh;
        linhaValor("a. Saldo Principal", true, [](const ParcelaExtrato& x) { return Moeda(x.data, x.saldoPrincipal); });
        y += lh;
        linhaValor("b. Saldo de Juros", true, [](const ParcelaExtrato& x) { return Moeda(x.data, x.saldoJuros); });
        y += lh;
        linhaValor("c. Principal Atualizado (a)", true,
                   [](const ParcelaExtrato& x) { return Moeda(x.proxima, x.principalAtualizado); });
        indice();
        y += lh;
        linhaValor("d. Juros Atualizados (b)", true,
                   [](const ParcelaExtrato& x) { return Moeda(x.proxima, x.jurosAtualizados); });
        indice();
        y += lh;
        linhaValor("e. Juros (sobre c)", true, [](const ParcelaExtrato& x) { return Moeda(x.proxima, x.valorJuros); });
        parcela.adiciona(campo(k.inicioMeio(), y, k.fimMeio() - k.inicioMeio(),
                               [](const ParcelaExtrato& x) { return Taxa(x.juros); }, Alinhamento::Direita));
        y += lh;
        parcela.adiciona(ElementoBanda::LinhaH(k.valor(), y + lh / 4, k.larguraValor()));
        y += lh;
        linhaValor("f. Total Atualizado + Juros (c + d + e)", true,
                   [](const ParcelaExtrato& x) { return Moeda(x.proxima, x.total); });
        y += 2 * lh;
        parcela.altura = y;
    }
    rel.fonte = &fonte;
    rel.detalhe = std::move(parcela);

    // The additions, one line each; those left out of the total in bold.
    for (const AcrescimoExtrato& a : e.acrescimos) {
        const bool negrito = !a.totalizar;
        Linhas l(k, lh);
        l.rotulo(a.descricao, false, negrito).valor(Moeda(d.dtFinal, a.valor), negrito);
        l.memo(k.direita(), a.formula, negrito).proxima();
        rel.resumo.push_back(l.fecha());
    }

    if (e.fgts) {
        Linhas f(k, lh);
        f.proxima();
        f.rotulo("FGTS Atualizado:").valor(Moeda(d.dtFinal, e.fgts->valor)).memo(k.direita(), e.fgts->formula);
        rel.resumo.push_back(f.proxima().fecha());
    }
    Linhas fecho(k, lh);
    if (!e.fgts) fecho.proxima();
    fecho.regua();
    fecho.rotulo("TOTAL:", false, true).valor(Moeda(d.dtFinal, e.total), true).proxima(2);
    fecho.rotulo("Valores Atualizados até:").emX(k.data() + 6 * k.c, d.dtFinal.dma()).proxima(2);
    fecho.rotulo(LinhaFecho(cab.municipio, cab.impressao)).proxima();
    rel.resumo.push_back(fecho.fecha());

    if (!Apara(d.obsFinal).empty()) {
        Linhas nota(k, lh);
        nota.proxima().memo(0, d.obsFinal).proxima();
        rel.resumo.push_back(nota.fecha());
    }

    // A rule, the version text in italics and "Pág.: n/N".
    Banda rodape;
    rodape.altura = 2 * lh;
    rodape.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    Fonte italico = FonteCorpo();
    italico.italico = true;
    rodape.adiciona(ElementoBanda::Rotulo(0, lh, 0, cab.versao, italico));
    rodape.adiciona(ElementoBanda::Campo(0, lh, 0, TextoPagina, FonteCorpo(), Alinhamento::Direita));
    rel.rodapePagina.push_back(std::move(rodape));

    return Diagrama(rel, m);
}

Documento ProduzExtratoProrrata(Sessao& sessao, int codigo, Data impressao, const Medidor& m) {
    const DadosProrrata dados = LeDadosProrrata(sessao.privado(), codigo);
    TabelasReferencia referencia(sessao.compartilhado());
    CorrecaoJuros cj(sessao.privado(), referencia);
    const ExtratoProrrata e = CalculaExtrato(dados, cj);
    return DiagramaProrrata(dados, e, CabecalhoDeProrrata(sessao.configuracoes(), impressao), m);
}

}  // namespace korva
