#include "util/Dinheiro.h"
#include "reports/RelatorioCalculo.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/Configuracoes.h"
#include "reports/Colunas.h"
#include "results/ContribuicaoINSS.h"
#include "results/FormatoNumero.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

// ---- collecting the run ----

void ColetaCalculo::reclamante(const std::string& nome, int) { d_.reclamantes.push_back(nome); }

void ColetaCalculo::linha(const LinhaCalculada& l) {
    d_.linhas.push_back(l);
    d_.fechamentoDaLinha.push_back(d_.fechamentos.size());
    // The month's INSS base as the run adds it (each amount to four places);
    // the close carries it only when the single rate is off.
    if (l.inss == "S") baseMes_ += Arredonda4(l.valorAtualizado);
}

void ColetaCalculo::fechamento(const FechamentoMes& f) {
    d_.fechamentos.push_back(f);
    d_.baseINSSMes.push_back(f.avaliaINSS ? f.baseINSSMes : baseMes_);
    baseMes_ = 0;
}

void ColetaCalculo::faixaINSSAusente(int ano, int mes) {
    if (!d_.faixaAusente) d_.faixaAusente = std::make_pair(ano, mes);
}

void ColetaCalculo::final(const TotaisExecucao& t) { d_.totais = t; }

double PontosRelatorio(TipoRelatorioCalculo tipo) { return tipo == TipoRelatorioCalculo::Detalhado ? 8.0 : 7.0; }

Orientacao OrientacaoRelatorio(TipoRelatorioCalculo tipo) {
    return tipo == TipoRelatorioCalculo::Detalhado ? Orientacao::Paisagem : Orientacao::Retrato;
}

std::string AvisoFaixaINSS(TipoRelatorioCalculo tipo, const DadosCalculo& dados) {
    if (!dados.faixaAusente) return {};
    if (tipo == TipoRelatorioCalculo::Resumido)
        return AvisoINSSIncompletoMes(dados.faixaAusente->first, dados.faixaAusente->second);
    return kAvisoINSSIncompleto;
}

// ---- layout ----

namespace {

constexpr double kMargem = 6.0;  // mm, each side: the income-tax table needs the width

std::string F2(double v) { return FormataNumero(v, 2); }
std::string Opcional(const std::optional<double>& v, int casas) { return v ? FormataNumero(*v, casas) : ""; }
std::string Tres(int n) { return Literais::ZerosEsquerdaInt(n, 3); }

bool FormulaDeQtde(int item) { return item == 1 || item == 997 || item == 998 || item == 999; }
bool ItemBasico(int item) { return item >= 2 && item <= 9; }

class Diagramador {
public:
    Diagramador(TipoRelatorioCalculo tipo, const DadosCalculo& d, const ParametrosExecucao& p,
                const CabecalhoRelatorio& cab, const Medidor& m)
        : tipo_(tipo), d_(d), p_(p), cab_(cab), m_(m) {
        fonte_.tamanho = PontosRelatorio(tipo);
        negrito_ = fonte_;
        negrito_.negrito = true;
        lh_ = m.alturaLinha(fonte_);
        // Whole characters of the body font, so right-aligned text ends on
        // the same pitch as left-aligned text starts.
        const double passo = m.largura("0", fonte_);
        largura_ = A4Largura(OrientacaoRelatorio(tipo)) - 2 * kMargem;
        if (passo > 0) largura_ = std::floor(largura_ / passo + 1e-9) * passo;
    }

    Relatorio monta(const std::string& versao, Data dataCorte);

    std::size_t atual = 0;  // record of the data source

private:
    bool calculo() const { return tipo_ != TipoRelatorioCalculo::INSS; }
    double C(double n) const { return n * m_.largura("0", fonte_); }
    double L(const std::string& s, const Fonte& f) const { return m_.largura(s, f); }
    const LinhaCalculada& linha() const { return d_.linhas[atual]; }

    std::vector<Banda> cabecalhoPagina() const;
    // A text wrapped to the printable width, in a band of its own so that its
    // growth pushes down what follows.
    Banda linhaQuebrada(const std::string& texto, const Fonte& fonte, Alinhamento al) const;
    Banda reclamantesETitulos(const GradeColunas& g) const;
    GradeColunas colunas();
    Banda detalhe(const GradeColunas& g);
    std::vector<Grupo> gruposMes();
    std::vector<Banda> blocoFinal(Data dataCorte) const;
    Banda rodape(const std::string& versao) const;
    Banda linhaValor(const LinhaBloco& l) const;
    // Cells laid left to right from `x0` (label, then the value right-aligned
    // in a column of its own width), wrapping to a new line when the width is
    // used up. Each cell's value is read from `valor(k)`.
    Banda celulas(double x0, const std::vector<std::string>& rotulos, const std::vector<double>& largurasValor,
                  std::function<std::string(std::size_t)> valor, std::function<bool()> visivel) const;

    TipoRelatorioCalculo tipo_;
    const DadosCalculo& d_;
    const ParametrosExecucao& p_;
    const CabecalhoRelatorio& cab_;
    const Medidor& m_;
    Fonte fonte_, negrito_;
    double lh_ = 0, largura_ = 0;
    std::vector<std::vector<LinhaBloco>> fechamentosINSS_;
    std::vector<FechamentoImpresso> fechamentosCalculo_;
};

Banda Diagramador::linhaQuebrada(const std::string& texto, const Fonte& fonte, Alinhamento al) const {
    Banda b;
    b.altura = lh_;
    // Text that fits is placed as it is: wrapping would fold its runs of blanks.
    const bool cabe = texto.find('\n') == std::string::npos && L(texto, fonte) <= largura_;
    ElementoBanda e =
        cabe ? ElementoBanda::Rotulo(0, 0, largura_, texto, fonte, al)
             : ElementoBanda::Memo(0, 0, largura_, lh_, [texto](const Contexto&) { return texto; }, fonte);
    e.alinhamento = al;
    b.adiciona(std::move(e));
    return b;
}

std::vector<Banda> Diagramador::cabecalhoPagina() const {
    std::vector<Banda> r;
    r.push_back(linhaQuebrada(cab_.tribunal, negrito_, Alinhamento::Centro));
    if (!Apara(cab_.setor).empty()) r.push_back(linhaQuebrada(cab_.setor, fonte_, Alinhamento::Centro));
    r.push_back(linhaQuebrada(cab_.processo, negrito_, Alinhamento::Esquerda));
    Banda b;
    double y = 0;
    const double terco = largura_ / 3;
    b.adiciona(ElementoBanda::Rotulo(0, y, terco, "Data de Gravação: " + cab_.dtGrav, fonte_));
    b.adiciona(ElementoBanda::Rotulo(terco, y, terco, "Data de Ajuizamento: " + cab_.dtAjuiz, fonte_));
    b.adiciona(ElementoBanda::Rotulo(2 * terco, y, terco, "Valores Atualizados até: " + cab_.dtBase, fonte_,
                                     Alinhamento::Direita));
    y += lh_;
    if (calculo()) {
        // The legend, its middle words in the style they describe.
        Fonte italico = fonte_, sublinhado = fonte_;
        italico.italico = true;
        sublinhado.sublinhado = true;
        const std::vector<std::pair<std::string, Fonte>> partes = {
            {"*As verbas grafadas em ", fonte_}, {"itálico", italico},
            {" são base de cálculo do INSS", fonte_}, {"    ", fonte_},
            {"*As verbas ", fonte_}, {"sublinhadas", sublinhado},
            {" são base de cálculo do IR", fonte_}};
        double x = 0;
        for (const auto& [texto, f] : partes) {
            const double w = L(texto, f);
            if (x + w > largura_ + 1e-6 && x > 0) {  // the sheet is too narrow for one line
                x = 0;
                y += lh_;
            }
            if (Apara(texto).empty()) {
                x += w;
                continue;
            }
            b.adiciona(ElementoBanda::Rotulo(x, y, w, texto, f));
            x += w;
        }
        y += lh_;
    }
    b.adiciona(ElementoBanda::LinhaH(0, y, largura_));
    b.altura = y + lh_;
    r.push_back(std::move(b));
    return r;
}

GradeColunas Diagramador::colunas() {
    GradeColunas g;
    g.espaco = C(1);
    auto mesAno = [this](const Contexto&) {
        const LinhaCalculada& l = linha();
        if (tipo_ != TipoRelatorioCalculo::Detalhado) return l.mesAnoCurto();
        if (atual > 0 && d_.linhas[atual - 1].mes == l.mes && d_.linhas[atual - 1].ano == l.ano) return std::string();
        return l.mesAno();
    };
    auto verba = [this](const Contexto&) { return linha().descRend; };
    auto estilo = [this](const Contexto&) {
        const LinhaCalculada& l = linha();
        Fonte f = fonte_;
        f.italico = l.inss == "S";
        f.sublinhado = p_.opcaoIR >= 2 && p_.opcaoIR <= 4 && l.ir && *l.ir < 4;
        return f;
    };
    auto valor = [this](const Contexto&) { return F2(linha().valor); };
    auto indReaj = [this](const Contexto&) { return FormataNumero(linha().indReaj, 9); };
    auto juros = [this](const Contexto&) { return Opcional(linha().juros, 2); };
    auto atualizado = [this](const Contexto&) {
        return calculo() ? Opcional(linha().valorAtualizadoComJuros, 2) : F2(linha().valorAtualizado);
    };
    const auto D = Alinhamento::Direita;
    const double mesLargura = C(7);

    switch (tipo_) {
        case TipoRelatorioCalculo::Resumido:
            g.colunas = {
                {"Mes/Ano", mesLargura, Alinhamento::Esquerda, mesAno, {}},
                {"Verba", 0, Alinhamento::Esquerda, verba, estilo},
                {"Valor", C(14), D, valor, {}},
                {"Qtde.", C(10), D, [this](const Contexto&) { return Opcional(linha().qtde, 4); }, {}},
                {"Índice", C(8), D, [this](const Contexto&) { return Opcional(linha().indice, 4); }, {}},
                {"Divisor", C(8), D, [this](const Contexto&) { return Opcional(linha().divisor, 2); }, {}},
                {"Base", C(4), D,
                 [this](const Contexto&) { return linha().base ? Tres(*linha().base) : std::string(); }, {}},
                {"Ind.Corr.Mon.", C(13), D, indReaj, {}},
                {"Juros(%)", C(8), D, juros, {}},
                {"Val.Atual.+Juros", C(16), D, atualizado, {}},
            };
            break;
        case TipoRelatorioCalculo::Detalhado:
            g.colunas = {
                {"Mes/Ano", mesLargura, Alinhamento::Esquerda, mesAno, {}},
                {"Verba", C(40), Alinhamento::Esquerda, verba, estilo},
                {"Fórmula de Cálculo", 0, Alinhamento::Esquerda, [](const Contexto&) { return std::string(); }, {}},
                {"Valor", C(14), D, valor, {}},
                {"Ind.Corr.Mon.", C(13), D, indReaj, {}},
                {"Juros(%)", C(8), D, juros, {}},
                {"Val.Atual.+Juros", C(16), D, atualizado, {}},
            };
            break;
        case TipoRelatorioCalculo::INSS:
            g.colunas = {
                {"Mes/Ano", mesLargura, Alinhamento::Esquerda, mesAno, {}},
                {"Verba", 0, Alinhamento::Esquerda, verba, estilo},
                {"Valor", C(14), D, valor, {}},
                {"Ind.Corr.Mon.", C(13), D, indReaj, {}},
                {"Val.Atual.", C(14), D, atualizado, {}},
            };
            break;
    }
    // Every title fits its column, and a long description is drawn smaller
    // rather than cut; the open column takes what the others leave.
    g.AlargaAosTitulos(negrito_, m_);
    for (Coluna& c : g.colunas)
        if (c.titulo == "Verba" && tipo_ != TipoRelatorioCalculo::Resumido) c.reducaoMinima = 0.75;
    double ocupado = g.espaco * static_cast<double>(g.colunas.size() - 1);
    for (const Coluna& c : g.colunas) ocupado += c.largura;
    for (Coluna& c : g.colunas)
        if (c.largura == 0) c.largura = C(std::max(10.0, std::floor((largura_ - ocupado) / C(1) + 1e-9)));
    return g;
}

Banda Diagramador::reclamantesETitulos(const GradeColunas& g) const {
    Banda b;
    double y = 0;
    b.adiciona(ElementoBanda::Rotulo(0, y, largura_, "Reclamante(s):", negrito_));
    y += lh_;
    for (const std::string& nome : d_.reclamantes) {
        ElementoBanda e = ElementoBanda::Rotulo(C(2), y, largura_ - C(2), nome, fonte_);
        e.recorta = true;
        e.altura = lh_;
        b.adiciona(std::move(e));
        y += lh_;
    }
    y += lh_;
    Banda titulos = g.BandaTitulos(negrito_, m_);
    for (ElementoBanda e : titulos.elementos) {
        e.y += y;
        b.adiciona(std::move(e));
    }
    y += titulos.altura;
    b.adiciona(ElementoBanda::LinhaH(0, y, largura_));
    b.altura = y + lh_;
    return b;
}

Banda Diagramador::detalhe(const GradeColunas& g) {
    Banda b = g.BandaValores(lh_, fonte_, &m_);
    if (tipo_ == TipoRelatorioCalculo::Resumido) {
        // The portrait sheet leaves the description little room: a long one
        // wraps inside its column and makes the line taller.
        b.elementos[1].tipo = ElementoBanda::Tipo::Memo;
        b.elementos[1].estilo = g.colunas[1].estilo;
    }
    if (tipo_ == TipoRelatorioCalculo::INSS) {
        b.antes = [this](const Contexto&, double&) { return linha().inss == "S"; };
        return b;
    }
    if (tipo_ != TipoRelatorioCalculo::Detalhado) return b;

    // The formula area: one line, or the fraction of a "F" row (its quotient
    // above a rule, the divisor below) over three.
    const double x = g.inicio(2), w = g.colunas[2].largura;
    auto fracao = [this] {
        const LinhaCalculada& l = linha();
        return !FormulaDeQtde(l.item) && !ItemBasico(l.item) && Apara(l.vfm) == "F";
    };
    ElementoBanda formula = ElementoBanda::Campo(
        x, 0, w,
        [this](const Contexto&) -> std::string {
            const LinhaCalculada& l = linha();
            if (FormulaDeQtde(l.item)) return "Qtde.: " + Opcional(l.qtde, 4);
            if (ItemBasico(l.item)) return {};
            const std::string vfm = Apara(l.vfm);
            if (vfm == "F")
                return Opcional(l.qtde, 4) + " X " + Opcional(l.indice, 4) +
                       " X Valor do Item: " + (l.base ? Tres(*l.base) : std::string());
            if (vfm == "D" && l.item >= 2)
                return "Valor do Item: " + Tres(l.item - 2) + " - Valor do Item: " + Tres(l.item - 1);
            return {};
        },
        fonte_);
    formula.recorta = true;
    formula.altura = lh_;
    b.adiciona(std::move(formula));
    const double quociente = L(std::string(44, '0'), fonte_);
    ElementoBanda regua = ElementoBanda::LinhaH(x, lh_ * 1.1, std::min(w, quociente));
    regua.visivel = [fracao](const Contexto&) { return fracao(); };
    b.adiciona(std::move(regua));
    ElementoBanda divisor = ElementoBanda::Campo(
        x, lh_ * 1.6, std::min(w, quociente), [this](const Contexto&) { return Opcional(linha().divisor, 2); },
        fonte_, Alinhamento::Centro);
    divisor.visivel = [fracao](const Contexto&) { return fracao(); };
    divisor.recorta = true;
    divisor.altura = lh_;
    b.adiciona(std::move(divisor));
    b.antes = [this, fracao](const Contexto&, double& altura) {
        altura = fracao() ? 3 * lh_ : lh_;
        return true;
    };
    return b;
}

Banda Diagramador::celulas(double x0, const std::vector<std::string>& rotulos, const std::vector<double>& largurasValor,
                           std::function<std::string(std::size_t)> valor, std::function<bool()> visivel) const {
    Banda b;
    double x = x0, y = 0;
    for (std::size_t k = 0; k < rotulos.size(); ++k) {
        const double wr = L(rotulos[k], fonte_) + C(1);
        const double larguraValor = largurasValor.at(k);
        const double w = wr + larguraValor;
        if (x > x0 && x + w > largura_) {
            x = x0;
            y += lh_;
        }
        ElementoBanda r = ElementoBanda::Rotulo(x, y, wr, rotulos[k], fonte_);
        ElementoBanda v =
            ElementoBanda::Campo(x + wr, y, larguraValor, [valor, k](const Contexto&) { return valor(k); }, fonte_,
                                 Alinhamento::Direita);
        if (visivel) {
            r.visivel = [visivel](const Contexto&) { return visivel(); };
            v.visivel = r.visivel;
        }
        b.adiciona(std::move(r));
        b.adiciona(std::move(v));
        x += w + C(2);
    }
    b.altura = y + lh_;
    return b;
}

std::vector<Grupo> Diagramador::gruposMes() {
    auto chave = [this](const Contexto&) {
        const LinhaCalculada& l = linha();
        return std::to_string(l.ano * 100 + l.mes);
    };
    std::vector<Grupo> grupos;
    if (!calculo()) {
        // Every step of the month's working, one per line, the working to the right.
        for (std::size_t i = 0; i < d_.fechamentos.size(); ++i)
            fechamentosINSS_.push_back(FechamentoINSS(d_.fechamentos[i], d_.baseINSSMes[i], p_));
        const std::size_t n = fechamentosINSS_.empty() ? 0 : fechamentosINSS_.front().size();
        const double xr = C(6), wr = C(52), wv = C(14), xo = xr + wr + C(1) + wv + C(1);
        Banda b;
        for (std::size_t k = 0; k < n; ++k) {
            const double y = static_cast<double>(k) * lh_;
            auto linhaK = [this, k]() -> const LinhaBloco& {
                return fechamentosINSS_[d_.fechamentoDaLinha[atual]][k];
            };
            b.adiciona(ElementoBanda::Campo(k == 0 ? 0 : xr, y, k == 0 ? largura_ : wr,
                                            [linhaK](const Contexto&) { return linhaK().rotulo; },
                                            k == 0 ? negrito_ : fonte_));
            b.adiciona(ElementoBanda::Campo(xr + wr + C(1), y, wv, [linhaK](const Contexto&) { return linhaK().valor; },
                                            fonte_, Alinhamento::Direita));
            b.adiciona(ElementoBanda::Campo(xo, y, largura_ - xo, [linhaK](const Contexto&) { return linhaK().obs; },
                                            fonte_));
        }
        b.altura = static_cast<double>(n + 1) * lh_;  // a blank line closes the month
        grupos.push_back({chave, std::nullopt, std::move(b)});
        return grupos;
    }

    for (const FechamentoMes& f : d_.fechamentos) fechamentosCalculo_.push_back(FechamentoCalculo(f));
    auto impresso = [this]() -> const FechamentoImpresso& { return fechamentosCalculo_[d_.fechamentoDaLinha[atual]]; };

    // One band, so a month's close never splits over two pages: the month
    // with its totals, the FGTS line when there is FGTS (the INSS line moves
    // up when there is none), the INSS line when the single rate is off, and
    // a blank line.
    auto temFGTS = [impresso] { return !impresso().fgts.empty(); };
    Banda b;
    auto junta = [&b](Banda parte, double y, std::function<bool()> visivel) {
        for (ElementoBanda e : parte.elementos) {
            e.y += y;
            if (visivel) {
                auto antes = e.visivel;
                e.visivel = [antes, visivel](const Contexto& c) { return visivel() && (!antes || antes(c)); };
            }
            b.adiciona(std::move(e));
        }
    };
    b.adiciona(ElementoBanda::Campo(0, 0, C(13), [impresso](const Contexto&) { return impresso().mes; }, negrito_));
    junta(celulas(C(14), {"Total Atualizado:", "Juros:", "Total Atualizado com Juros:"}, {C(14), C(14), C(14)},
                  [impresso](std::size_t k) {
                      const auto& v = impresso().totais;
                      return k < v.size() ? v[k].valor : std::string();
                  },
                  [impresso] { return !impresso().totais.empty(); }),
          0, {});
    junta(celulas(C(14), {"FGTS a depositar:"}, {C(14)},
                  [impresso](std::size_t) {
                      const auto& v = impresso().fgts;
                      return v.empty() ? std::string() : v.front().valor;
                  },
                  {}),
          lh_, temFGTS);
    if (!p_.aliquotaUnica) {
        const Banda inss =
            celulas(0, {"Base de Cálculo do INSS:", kRotuloAliquota, kRotuloJaRecolhido, kRotuloARecolher},
                    {C(14), C(7), C(14), C(14)},
                    [impresso](std::size_t k) {
                        const auto& v = impresso().inss;
                        return k < v.size() ? v[k].valor : std::string();
                    },
                    {});
        junta(inss, lh_, [temFGTS] { return !temFGTS(); });
        junta(inss, 2 * lh_, temFGTS);
    }
    const double linhasINSS = p_.aliquotaUnica ? 0 : 1;
    b.antes = [this, temFGTS, linhasINSS](const Contexto&, double& altura) {
        altura = (2 + (temFGTS() ? 1 : 0) + linhasINSS) * lh_;
        return true;
    };
    b.altura = (2 + linhasINSS) * lh_;
    grupos.push_back({chave, std::nullopt, std::move(b)});
    return grupos;
}

Banda Diagramador::linhaValor(const LinhaBloco& l) const {
    Banda b;
    b.altura = lh_;
    const Fonte& f = l.negrito ? negrito_ : fonte_;
    const double wr = C(44), wv = C(19);
    b.adiciona(ElementoBanda::Rotulo(0, 0, wr, l.rotulo, f));
    if (!l.valor.empty()) b.adiciona(ElementoBanda::Rotulo(wr, 0, wv, l.valor, f, Alinhamento::Direita));
    return b;
}

std::vector<Banda> Diagramador::blocoFinal(Data dataCorte) const {
    std::vector<Banda> r;
    Banda espaco;
    espaco.altura = lh_;
    r.push_back(espaco);
    for (const LinhaBloco& l : LinhasFinais(tipo_, d_.totais, p_)) r.push_back(linhaValor(l));

    const TabelaIR ir = TabelaImpostoRenda(tipo_, d_.totais, p_);
    if (!ir.linhas.empty()) {
        r.push_back(espaco);
        r.push_back(linhaQuebrada(ir.titulo, negrito_, Alinhamento::Esquerda));
        GradeColunas g;
        g.espaco = C(1);
        const double larguras[] = {15, p_.irSobreJuros ? 31.0 : 15.0, 13, 14,
                                   tipo_ == TipoRelatorioCalculo::Detalhado ? 8.0 : 12.0, 14, 14, 14};
        for (std::size_t k = 0; k < ir.titulos.size(); ++k)
            g.colunas.push_back({ir.titulos[k], C(larguras[k]), k == 0 ? Alinhamento::Esquerda : Alinhamento::Direita,
                                 {}, {}});
        r.push_back(g.BandaTitulos(negrito_, m_));
        for (const auto& cells : ir.linhas) {
            GradeColunas linha = g;
            for (std::size_t k = 0; k < cells.size(); ++k)
                linha.colunas[k].valor = [texto = cells[k]](const Contexto&) { return texto; };
            r.push_back(linha.BandaValores(lh_, fonte_));
        }
        for (const std::string& nota : ir.notas) r.push_back(linhaQuebrada(nota, fonte_, Alinhamento::Esquerda));
    }
    const std::vector<std::string> notas = NotasFinais(tipo_, d_.totais, p_, dataCorte);
    if (!notas.empty()) r.push_back(espaco);
    for (const std::string& nota : notas) r.push_back(linhaQuebrada(nota, fonte_, Alinhamento::Esquerda));

    if (calculo() && !Apara(cab_.observacao).empty()) {
        r.push_back(espaco);
        r.push_back(linhaQuebrada(cab_.observacao, fonte_, Alinhamento::Esquerda));
    }
    r.push_back(espaco);
    r.push_back(linhaQuebrada(cab_.fecho, fonte_, Alinhamento::Direita));
    return r;
}

Banda Diagramador::rodape(const std::string& versao) const {
    // The text stands half a line above the foot of the sheet.
    Banda b;
    b.altura = 2.5 * lh_;
    b.adiciona(ElementoBanda::LinhaH(0, 0, largura_));
    b.adiciona(ElementoBanda::Rotulo(0, lh_, largura_ - C(16), versao, fonte_));
    b.adiciona(ElementoBanda::Campo(largura_ - C(16), lh_, C(16), TextoPagina, fonte_, Alinhamento::Direita));
    return b;
}

Relatorio Diagramador::monta(const std::string& versao, Data dataCorte) {
    Relatorio r;
    r.orientacao = OrientacaoRelatorio(tipo_);
    r.margens = Margens{kMargem, kMargem, kMargem, kMargem};
    r.cabecalhoPagina = cabecalhoPagina();

    GradeColunas g = colunas();
    // Later pages: no interest column title, and the last title shortened.
    GradeColunas seguintes = g;
    for (Coluna& c : seguintes.colunas) {
        if (c.titulo == "Juros(%)") c.titulo.clear();
        if (c.titulo == "Val.Atual.+Juros") c.titulo = "Val.Atual.";
    }
    Banda titulos = seguintes.BandaTitulos(negrito_, m_);
    titulos.adiciona(ElementoBanda::LinhaH(0, titulos.altura, largura_));
    titulos.altura += lh_;
    titulos.paginas = QuaisPaginas::ExcetoPrimeira;
    r.cabecalhoColunas.push_back(std::move(titulos));

    // A group over the whole report puts the claimants and the first page's
    // titles right above the first month.
    r.grupos.push_back({[](const Contexto&) { return std::string(); }, reclamantesETitulos(g), std::nullopt});
    for (Grupo& gr : gruposMes()) r.grupos.push_back(std::move(gr));
    r.detalhe = detalhe(g);
    r.resumo = blocoFinal(dataCorte);
    r.rodapePagina.push_back(rodape(versao));
    return r;
}

}  // namespace

Documento DiagramaCalculo(TipoRelatorioCalculo tipo, const DadosCalculo& dados, const ParametrosExecucao& p,
                          const CabecalhoRelatorio& cab, const std::string& versao, Data dataCorte,
                          const Medidor& medidor) {
    if (dados.linhas.empty()) throw ErroKorva(kMsgSemParametros);
    auto d = std::make_unique<Diagramador>(tipo, dados, p, cab, medidor);
    Relatorio r = d->monta(versao, dataCorte);
    Diagramador* dp = d.get();
    FonteFuncoes fonte([&dados] { return dados.linhas.size(); }, [dp](std::size_t i) { dp->atual = i; });
    r.fonte = &fonte;
    return Diagrama(r, medidor);
}

Documento ProduzCalculo(TipoRelatorioCalculo tipo, Banco& privado, TabelasReferencia& referencia,
                        CorrecaoJuros& correcao, const ParametrosExecucao& p, const CabecalhoRelatorio& cab,
                        const Configuracoes& config, const Medidor& medidor, TotaisExecucao* totais,
                        const std::function<void(const std::string&)>& aviso) {
    DadosCalculo dados;
    ColetaCalculo coleta(dados);
    const TotaisExecucao t =
        ExecutaCalculo(privado, referencia, correcao, p, &coleta,
                       tipo == TipoRelatorioCalculo::INSS ? ModoExecucao::INSS : ModoExecucao::Calculo);
    if (aviso) {
        const std::string texto = AvisoFaixaINSS(tipo, dados);
        if (!texto.empty()) aviso(texto);
    }
    Documento doc = DiagramaCalculo(tipo, dados, p, cab, config.versao, config.dataCorte, medidor);
    if (totais) *totais = t;
    return doc;
}

}  // namespace korva
