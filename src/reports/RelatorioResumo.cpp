#include "reports/RelatorioResumo.h"

#include "parameters/RelatorioVerbas.h"
#include "reports/BandasComuns.h"
#include "reports/Colunas.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/FormatoNumero.h"
#include "results/SimboloMoeda.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

namespace {

std::string Dois(double v) { return FormataNumero(v, 2); }

std::string RotuloTaxa(const char* inicio, double taxa) { return std::string(inicio) + Dois(taxa) + "%)"; }

}  // namespace

std::string NotaINSSRecte(double valor) { return "*Incluída parcela do INSS do Recte. (" + Dois(valor) + ")"; }

AcrescimoResumo CalculaAcrescimo(const Acrescimo& a, double principalComJuros, double fgts,
                                 const ParametrosResumo& p, const FatorDiario& fator) {
    AcrescimoResumo r;
    r.descricao = a.descricao;
    if (a.tipo == "P") {
        const double base = principalComJuros + fgts;
        r.valor = a.valor * base / 100;
        if (a.limMinimo > 0 && r.valor < a.limMinimo)
            r.valor = a.limMinimo;
        else if (a.limMaximo > 0 && r.valor > a.limMaximo)
            r.valor = a.limMaximo;
        r.formula = "(" + Dois(base) + " * " + Dois(a.valor) + "%)";
    } else {
        // Without a date there is nothing to correct from; reading the index
        // of 30/12/1899 would only give a misleading message.
        if (!a.dtBase)
            throw ErroKorva("Informe a data base do acréscimo \"" + Apara(a.descricao) + "\".");
        const double f = fator(p.indPrincipal, *a.dtBase, p.dtBase);
        r.valor = a.valor * f;
        r.formula = "(" + Dois(a.valor) + " * " + FormataNumeroVerba(f, 9, false) + ")";
    }
    r.texto = SimboloMoeda(p.dtBase) + Dois(r.valor);
    return r;
}

Resumo CalculaResumo(const std::vector<LinhaResumo>& linhas, const std::vector<Acrescimo>& acrescimos,
                     const ParametrosResumo& p, const FatorDiario& fator) {
    Resumo r;
    r.dtBase = p.dtBase;
    r.simbolo = SimboloMoeda(p.dtBase);
    r.adicionarINSSRecte = p.adicionarINSSRecte;
    for (const LinhaResumo& l : linhas) {
        BlocoReclamante b;
        b.linha = l;
        b.juros = l.valor - l.valorSemJuros;
        if (l.aliquotaUnica) {
            b.rotuloReclamante = RotuloReclamanteAliquotaUnica(l.inssReclamante);
            b.inssReclamante = l.totalBaseINSS * l.inssReclamante / 100;
        } else {
            b.rotuloReclamante = "Reclamante:";
            b.inssReclamante = l.valorINSSReclamante;
        }
        b.reclamado = ContribuicoesDoReclamado(l.totalBaseINSS, l.inssReclamado, l.inssRisco, l.inssTerceiros);
        b.rotuloReclamado = RotuloTaxa("Reclamado: (", l.inssReclamado);
        b.rotuloRisco = RotuloRiscosAmbientais(l.inssRisco);
        b.rotuloTerceiros = RotuloTerceiros(l.inssTerceiros);
        b.tituloIR = l.irSobreJuros ? "IMPOSTO DE RENDA: (juros inclusos)" : "IMPOSTO DE RENDA:";
        // The stored bases already hold the interest when it was due.
        b.colunasIR = ColunasIR(l.opcaoIR, l.totalBaseIR13, 0, l.totalBaseIRFerias, 0, l.totalBaseIRDemais, 0,
                                b.inssReclamante, l.qtdeDependentes * p.faixaIR.deducaoDependente,
                                l.qtdeMesesComBaseIR, p.faixaIR, p.adicionarINSSRecte, l.irSobreJuros, true);
        b.ir = TotalIR(b.colunasIR);

        r.principal += l.valorSemJuros;
        r.principalComJuros += l.valor;
        r.fgts += l.fgts;
        r.reclamante += b.inssReclamante;
        r.reclamado += b.reclamado.fpas;
        r.risco += b.reclamado.risco;
        r.terceiros += b.reclamado.terceiros;
        r.ir += b.ir;
        r.blocos.push_back(std::move(b));
    }
    r.totalCalculo = r.principalComJuros;
    for (const Acrescimo& a : acrescimos) {
        r.acrescimos.push_back(CalculaAcrescimo(a, r.principalComJuros, r.fgts, p, fator));
        r.totalCalculo += r.acrescimos.back().valor;
    }
    return r;
}

// ---- layout ----

namespace {

// Geometry in characters of the body font.
constexpr double kFimValor = 84;     // right edge of the amount column
constexpr double kLarguraValor = 22;
constexpr double kRecuo = 3;         // indent of the contribution lines

struct Diagramacao {
    const Resumo& r;
    const Medidor& m;
    double lh, c;
    size_t atual = 0;

    Diagramacao(const Resumo& resumo, const Medidor& medidor)
        : r(resumo), m(medidor), lh(LinhaCorpo(medidor)), c(Caracteres(1, medidor)) {}

    std::string moeda(double v) const { return r.simbolo + Dois(v); }
    const BlocoReclamante& bloco() const { return r.blocos[atual]; }

    void linhaValor(Banda& b, double& y, double recuo, const std::string& rotulo, const std::string& valor,
                    bool negrito = false) const {
        AdicionaLinhaValor(b, y, recuo * c, rotulo, kFimValor * c, kLarguraValor * c, valor, negrito);
        y += lh;
    }
    // A line whose amount is read from the current block.
    void linhaBloco(Banda& b, double& y, double recuo, ValorTexto rotulo, ValorTexto valor) const {
        b.adiciona(ElementoBanda::Campo(recuo * c, y, (kFimValor - kLarguraValor - recuo) * c, std::move(rotulo),
                                        FonteCorpo()));
        b.adiciona(ElementoBanda::Campo((kFimValor - kLarguraValor) * c, y, kLarguraValor * c, std::move(valor),
                                        FonteCorpo(), Alinhamento::Direita));
        y += lh;
    }
    ValorTexto fixo(std::string s) const {
        return [s](const Contexto&) { return s; };
    }
    template <class F>
    ValorTexto quantia(F f) const {
        return [this, f](const Contexto&) { return moeda(f(bloco())); };
    }

    Banda blocoReclamante() const {
        Banda b;
        double y = 0;
        b.adiciona(ElementoBanda::Campo(0, y, 20 * c, [this](const Contexto&) {
            return "Grupo: " + Literais::ZerosEsquerdaInt(bloco().linha.codRecte, 3);
        }, FonteCorpo(true)));
        b.adiciona(ElementoBanda::Campo(20 * c, y, 0, [this](const Contexto&) { return "Nome: " + bloco().linha.nome; },
                                        FonteCorpo(true)));
        y += lh;
        linhaBloco(b, y, 0, fixo("Principal Atualizado:"), quantia([](auto& k) { return k.linha.valorSemJuros; }));
        linhaBloco(b, y, 0, fixo("Juros:"), quantia([](auto& k) { return k.juros; }));
        linhaBloco(b, y, 0, fixo("Principal Atualizado + Juros:"), quantia([](auto& k) { return k.linha.valor; }));
        linhaBloco(b, y, 0, fixo("FGTS a depositar:"), quantia([](auto& k) { return k.linha.fgts; }));
        linhaBloco(b, y, 0, fixo("* Base de Cálculo - I.N.S.S.:"),
                   quantia([](auto& k) { return k.linha.totalBaseINSS; }));
        b.adiciona(ElementoBanda::Rotulo(0, y, 0, "Contribuições ao INSS:", FonteCorpo(true)));
        y += lh;
        linhaBloco(b, y, kRecuo, [this](const Contexto&) { return bloco().rotuloReclamante; },
                   quantia([](auto& k) { return k.inssReclamante; }));
        linhaBloco(b, y, kRecuo, [this](const Contexto&) { return bloco().rotuloReclamado; },
                   quantia([](auto& k) { return k.reclamado.fpas; }));
        linhaBloco(b, y, kRecuo, [this](const Contexto&) { return bloco().rotuloRisco; },
                   quantia([](auto& k) { return k.reclamado.risco; }));
        linhaBloco(b, y, kRecuo, [this](const Contexto&) { return bloco().rotuloTerceiros; },
                   quantia([](auto& k) { return k.reclamado.terceiros; }));
        b.altura = y;
        return b;
    }

    GradeColunas gradeIR(size_t* linhaIR) const {
        GradeColunas g;
        g.espaco = c;
        auto col = [&](const char* titulo, double largura, Alinhamento al, auto valor) {
            Coluna k;
            k.titulo = titulo;
            k.largura = largura * c;
            k.alinhamento = al;
            k.valor = [this, linhaIR, valor](const Contexto&) { return valor(bloco().colunasIR[*linhaIR]); };
            g.colunas.push_back(std::move(k));
        };
        const auto dir = Alinhamento::Direita;
        col("Parcela:", 15, Alinhamento::Esquerda, [](const ColunaIR& k) { return k.rotulo; });
        col("Base de Cálculo\nValor", 15, dir, [](const ColunaIR& k) { return Dois(k.base); });
        col("Dependentes", 11, dir, [](const ColunaIR& k) { return Dois(k.deducaoDependentes); });
        col("Contribuição\nINSS", 16, dir, [this](const ColunaIR& k) {
            return r.adicionarINSSRecte ? std::string("0,00") : moeda(k.inssReclamante);
        });
        col("Alíquota\n(%)", 8, dir, [](const ColunaIR& k) { return Dois(k.aliquota); });
        col("Imposto", 13, dir, [](const ColunaIR& k) { return Dois(k.imposto); });
        col("Dedução", 11, dir, [](const ColunaIR& k) { return Dois(k.deducao); });
        col("IRRF a\nDeduzir", 13, dir, [](const ColunaIR& k) { return Dois(k.devido); });
        return g;
    }

    Banda totaisIR() const {
        Banda b;
        double y = 0;
        b.adiciona(ElementoBanda::Campo(0, y, 0, [this](const Contexto&) {
            return "Total do IRRF a deduzir do Recte.: " + Dois(bloco().ir);
        }, FonteCorpo(true)));
        y += lh;
        b.adiciona(ElementoBanda::Campo(0, y, 0, [this](const Contexto&) {
            return "Qtde. de Meses com Base para o IR: " + std::to_string(bloco().linha.qtdeMesesComBaseIR);
        }, FonteCorpo()));
        y += lh;
        b.adiciona(ElementoBanda::LinhaH(0, y, 0));
        b.altura = y + lh;
        return b;
    }

    Banda subtotal() const {
        Banda b;
        double y = 0;
        b.adiciona(ElementoBanda::Rotulo(0, y, 0, "SUBTOTAL", FonteCorpo(true)));
        y += lh;
        linhaValor(b, y, 0, "Principal Atualizado:", moeda(r.principal));
        linhaValor(b, y, 0, "Juros:", moeda(r.principalComJuros - r.principal));
        linhaValor(b, y, 0, "PRINCIPAL ATUALIZADO + JUROS:", moeda(r.principalComJuros), true);
        b.altura = y;
        return b;
    }

    Banda acrescimo(const AcrescimoResumo& a) const {
        Banda b;
        b.altura = lh;
        b.adiciona(ElementoBanda::Rotulo(0, 0, 40 * c, a.descricao, FonteCorpo()));
        b.adiciona(ElementoBanda::Rotulo((kFimValor - kLarguraValor) * c, 0, kLarguraValor * c, a.texto, FonteCorpo(),
                                         Alinhamento::Direita));
        b.adiciona(ElementoBanda::Rotulo((kFimValor + 2) * c, 0, 0, a.formula, FonteCorpo()));
        return b;
    }

    Banda final() const {
        Banda b;
        double y = 0;
        b.adiciona(ElementoBanda::LinhaH(0, y, 0));
        y += lh;
        linhaValor(b, y, 0, "Valores Atualizados até:", r.dtBase.dma(), true);
        linhaValor(b, y, 0, "TOTAL DO CÁLCULO:", moeda(r.totalCalculo), true);
        linhaValor(b, y, 0, "Total do FGTS a depositar:", moeda(r.fgts));
        b.adiciona(ElementoBanda::Rotulo(0, y, 0, "Total de Contribuições ao INSS:", FonteCorpo(true)));
        y += lh;
        linhaValor(b, y, kRecuo, "Reclamante:", moeda(r.reclamante));
        linhaValor(b, y, kRecuo, "Reclamado:", moeda(r.reclamado));
        linhaValor(b, y, kRecuo, "Seguro de Acidente de Trabalho:", moeda(r.risco));
        linhaValor(b, y, kRecuo, "Recolhimento de Terceiros:", moeda(r.terceiros));
        linhaValor(b, y, kRecuo, "TOTAL DO RECLAMADO:", moeda(r.totalReclamado()), true);
        linhaValor(b, y, 0, "TOTAL DO INSS:", moeda(r.totalINSS()), true);
        linhaValor(b, y, 0, "TOTAL DO IR:", moeda(r.ir), true);
        y += lh;
        linhaValor(b, y, 0, "Contribuições previdenciárias devidas pelo reclamado:", moeda(r.contribuicoesDevidas()));
        linhaValor(b, y, 0, "TOTAL GERAL da execução:", moeda(r.totalGeral()), true);
        if (r.adicionarINSSRecte) {
            b.adiciona(ElementoBanda::Rotulo(0, y, 0, NotaINSSRecte(r.reclamante), FonteCorpo()));
            y += lh;
        }
        b.altura = y;
        return b;
    }
};

}  // namespace

Documento DiagramaResumo(const Resumo& r, const CabecalhoRelatorio& cab, const std::string& versao,
                         const Medidor& m) {
    Diagramacao d(r, m);
    size_t linhaIR = 0;
    FonteFuncoes blocos([&] { return r.blocos.size(); }, [&](size_t i) { d.atual = i; });
    FonteFuncoes colunasIR([&] { return r.blocos[d.atual].colunasIR.size(); }, [&](size_t i) { linhaIR = i; });

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    rel.cabecalhoPagina.push_back(BandaCabecalho(cab, kTituloResumo, false, m));
    rel.rodapePagina.push_back(BandaRodape(versao, m));
    rel.fonte = &blocos;
    rel.detalhe = d.blocoReclamante();

    const GradeColunas grade = d.gradeIR(&linhaIR);
    SubDetalhe ir;
    ir.fonte = &colunasIR;
    Banda titulo;
    titulo.adiciona(ElementoBanda::Campo(0, 0, 0, [&](const Contexto&) { return d.bloco().tituloIR; },
                                         FonteCorpo(true)));
    Banda titulos = grade.BandaTitulos(FonteCorpo(), m);
    for (auto& e : titulos.elementos) {
        e.y += d.lh;
        titulo.adiciona(std::move(e));
    }
    titulo.altura = d.lh + titulos.altura;
    ir.cabecalho = std::move(titulo);
    ir.detalhe = grade.BandaValores(d.lh, FonteCorpo());
    rel.subDetalhes.push_back(std::move(ir));

    // One group per block: its footer closes the block after the IR lines.
    Grupo g;
    g.chave = [&](const Contexto&) { return std::to_string(d.atual); };
    g.rodape = d.totaisIR();
    rel.grupos.push_back(std::move(g));

    rel.resumo.push_back(d.subtotal());
    for (const AcrescimoResumo& a : r.acrescimos) rel.resumo.push_back(d.acrescimo(a));
    rel.resumo.push_back(d.final());
    for (Banda& b : BandasFecho(cab.observacao, cab.fecho, m)) rel.resumo.push_back(std::move(b));
    return Diagrama(rel, m);
}

// ---- reading ----

std::vector<LinhaResumo> LeResumoProcesso(Banco& temp) {
    std::vector<LinhaResumo> r;
    if (!temp.existe(NomeArquivoTemp)) return r;
    const auto rs = temp.consulta("select * from " + Banco::NomeNaConsulta(NomeArquivoTemp) + " order by Codigo",
                                  {NomeArquivoTemp});
    for (const auto& l : rs) {
        const auto num = [&](const char* c) { return l[c].nulo() ? 0.0 : l[c].comoNumero(); };
        const auto inteiro = [&](const char* c, int padrao) {
            return l[c].nulo() ? padrao : static_cast<int>(l[c].comoInteiro());
        };
        const auto logico = [&](const char* c) { return !l[c].nulo() && l[c].comoLogico(); };
        LinhaResumo x;
        x.codRecte = inteiro("CodRecte", 0);
        x.nome = l["Nome"].nulo() ? std::string() : l["Nome"].comoTexto();
        x.valorSemJuros = num("ValorSemJuros");
        x.valor = num("Valor");
        x.fgts = num("FGTS");
        x.totalBaseINSS = num("TotalBaseINSS");
        x.inssReclamante = num("INSSReclamante");
        x.inssReclamado = num("INSSReclamado");
        x.inssRisco = num("INSSRisco");
        x.inssTerceiros = num("INSSTerceiros");
        x.aliquotaUnica = logico("AliquotaUnica");
        x.valorINSSReclamante = num("ValorINSSReclamante");
        x.totalBaseIR13 = num("TotalBaseIR13");
        x.totalBaseIRFerias = num("TotalBaseIRFerias");
        x.totalBaseIRDemais = num("TotalBaseIRDemais");
        x.qtdeDependentes = inteiro("QtdeDependentes", 0);
        x.irSobreJuros = logico("IRSobreJuros");
        x.opcaoIR = inteiro("OpcaoIR", OpcaoIR::NaoCalcular);
        x.qtdeMesesComBaseIR = inteiro("QtdeMesesComBaseIR", 0);
        r.push_back(std::move(x));
    }
    return r;
}

std::vector<Acrescimo> LeAcrescimos(Banco& privado, const std::string& tabelaE) {
    std::vector<Acrescimo> r;
    if (!privado.existe(tabelaE)) return r;
    const auto rs = privado.consulta("select Descricao, Valor, Tipo, DtBase, LimMinimo, LimMaximo from " +
                                         Banco::NomeNaConsulta(tabelaE) + " order by Codigo",
                                     {tabelaE});
    for (const auto& l : rs) {
        const auto num = [&](const char* c) { return l[c].nulo() ? 0.0 : l[c].comoNumero(); };
        Acrescimo a;
        a.descricao = l["Descricao"].nulo() ? std::string() : l["Descricao"].comoTexto();
        a.valor = num("Valor");
        a.tipo = l["Tipo"].nulo() ? std::string() : Apara(l["Tipo"].comoTexto());
        if (!l["DtBase"].nulo()) a.dtBase = l["DtBase"].comoData();
        a.limMinimo = num("LimMinimo");
        a.limMaximo = num("LimMaximo");
        r.push_back(std::move(a));
    }
    return r;
}

Documento ProduzResumo(Banco& temp, Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                       const ParametrosExecucao& pedido, bool adicionarINSSRecte, const CabecalhoRelatorio& cab,
                       const std::string& versao, const Medidor& m) {
    ParametrosResumo p;
    p.dtBase = pedido.dtBase;
    p.indPrincipal = pedido.indPrincipal;
    p.adicionarINSSRecte = adicionarINSSRecte;
    p.faixaIR = referencia.FaixaIRDoMes(pedido.dtBase.ano(), pedido.dtBase.mes());
    const auto linhas = LeResumoProcesso(temp);
    if (linhas.empty()) throw ErroKorva(kMsgSemPartesProcesso);
    const auto acrescimos =
        LeAcrescimos(privado, ConjuntoCalculo::NomeTabelaDe(pedido.diretorio, pedido.arquivo, 'E'));
    const Resumo r = CalculaResumo(linhas, acrescimos, p, [&](int cod, Data de, Data ate) {
        return correcao.FatorIndiceDiario(cod, de, ate);
    });
    return DiagramaResumo(r, cab, versao, m);
}

}  // namespace korva
