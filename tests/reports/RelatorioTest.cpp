// The band engine: order of bands, hooks, groups, sub-details, memo growth,
// page breaks and the page count seen by every page.
#include "reports/Relatorio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "util/Erros.h"

namespace korva {
namespace {

// 4.2 mm lines (MedidorFixo at 10 pt). With 12 mm margins a portrait page has
// 273 mm = 65 lines of printable height.
constexpr double L = 4.2;

// An in-memory table of rows walked by index.
struct Linhas {
    std::vector<std::string> dados;
    size_t atual = 0;
    FonteFuncoes fonte{[this] { return dados.size(); }, [this](size_t i) { atual = i; }};
    const std::string& valor() const { return dados.at(atual); }
};

Relatorio RelatorioBase(Orientacao o = Orientacao::Retrato) {
    Relatorio r;
    r.orientacao = o;
    r.margens = {12, 12, 12, 12};
    return r;
}

Banda BandaTexto(double altura, std::string texto) {
    Banda b;
    b.altura = altura;
    b.adiciona(ElementoBanda::Rotulo(0, 0, 0, std::move(texto)));
    return b;
}

Banda BandaCampo(double x, ValorTexto valor) {
    Banda b;
    b.altura = L;
    b.adiciona(ElementoBanda::Campo(x, 0, 0, std::move(valor)));
    return b;
}

Banda RodapePaginas() {
    Banda b;
    b.altura = L;
    b.adiciona(ElementoBanda::Campo(0, 0, 0, TextoPagina, {}, Alinhamento::Direita));
    return b;
}

// Texts of a page, in placing order.
std::vector<std::string> Textos(const Pagina& p) {
    std::vector<std::string> t;
    for (const Elemento& e : p.elementos)
        if (e.tipo == Elemento::Tipo::Texto) t.push_back(e.texto);
    return t;
}

const Elemento* Acha(const Pagina& p, const std::string& texto) {
    for (const Elemento& e : p.elementos)
        if (e.tipo == Elemento::Tipo::Texto && e.texto == texto) return &e;
    return nullptr;
}

int Contem(const Documento& d, const std::string& texto) {
    int n = 0;
    for (const Pagina& p : d.paginas)
        for (const std::string& t : Textos(p)) n += t == texto;
    return n;
}

// A report of `linhas` one-line details under a two-line page header and a
// one-line page footer: 62 details fill a portrait page exactly.
struct RelatorioDeLinhas {
    Linhas dados;
    Relatorio r = RelatorioBase();
    explicit RelatorioDeLinhas(int linhas, Orientacao o = Orientacao::Retrato) {
        r = RelatorioBase(o);
        for (int i = 1; i <= linhas; ++i) dados.dados.push_back("linha " + std::to_string(i));
        r.cabecalhoPagina.push_back(BandaTexto(2 * L, "TÍTULO"));
        r.rodapePagina.push_back(RodapePaginas());
        r.fonte = &dados.fonte;
        r.detalhe = Banda{};
        r.detalhe->altura = L;
        r.detalhe->adiciona(ElementoBanda::Campo(0, 0, 50, [this](const Contexto&) { return dados.valor(); }));
    }
};

void ConfereRodapes(const Documento& d) {
    const int n = static_cast<int>(d.paginas.size());
    for (int i = 0; i < n; ++i) {
        const std::string esperado = "Pág.: " + std::to_string(i + 1) + "/" + std::to_string(n);
        EXPECT_EQ(d.paginas[i].numero, i + 1);
        const Elemento* e = Acha(d.paginas[i], esperado);
        ASSERT_NE(e, nullptr) << esperado;
        EXPECT_NEAR(e->y, d.altura - d.margens.base - L, 1e-9);  // footer sits at the foot
    }
}

TEST(Relatorio, BandasSaemNaOrdemEGanchosSuprimemOuMudamAltura) {
    Linhas dados;
    dados.dados = {"A", "B", "C"};
    std::vector<std::string> ordem;
    auto marca = [&](std::string nome) {
        return [&ordem, nome](const Contexto& c) {
            if (!c.contando) ordem.push_back(nome);
        };
    };
    Relatorio r = RelatorioBase();
    r.cabecalhoPagina.push_back(BandaTexto(L, "cab"));
    r.cabecalhoPagina.back().depois = marca("cabecalho");
    r.cabecalhoColunas.push_back(BandaTexto(L, "col"));
    r.cabecalhoColunas.back().depois = marca("colunas");
    r.fonte = &dados.fonte;
    r.detalhe = BandaTexto(L, "det");
    r.detalhe->depois = [&](const Contexto& c) {
        if (!c.contando) ordem.push_back("detalhe " + dados.valor());
    };
    // "B" is suppressed (its `depois` does not run); "C" is three lines tall.
    r.detalhe->antes = [&](const Contexto&, double& altura) {
        if (dados.valor() == "C") altura = 3 * L;
        return dados.valor() != "B";
    };
    r.resumo.push_back(BandaTexto(L, "fim"));
    r.resumo.back().depois = marca("resumo");
    r.rodapePagina.push_back(RodapePaginas());
    r.rodapePagina.back().depois = marca("rodape");
    int inicios = 0;
    r.aoIniciar = [&](const Contexto&) { ++inicios; };

    MedidorFixo m;
    const Documento d = Diagrama(r, m);
    ASSERT_EQ(d.paginas.size(), 1u);
    EXPECT_EQ(inicios, 2);  // counting pass and producing pass
    EXPECT_EQ(ordem, (std::vector<std::string>{"cabecalho", "colunas", "detalhe A", "detalhe C", "resumo",
                                               "rodape"}));
    EXPECT_EQ(Textos(d.paginas[0]), (std::vector<std::string>{"cab", "col", "det", "det", "fim", "Pág.: 1/1"}));
    // Positions: each band below the previous; the taller "C" pushes the summary down.
    const auto& el = d.paginas[0].elementos;
    EXPECT_NEAR(el[0].y, 12, 1e-9);
    EXPECT_NEAR(el[1].y, 12 + L, 1e-9);
    EXPECT_NEAR(el[2].y, 12 + 2 * L, 1e-9);
    EXPECT_NEAR(el[3].y, 12 + 3 * L, 1e-9);
    EXPECT_NEAR(el[4].y, 12 + 6 * L, 1e-9);
    EXPECT_NEAR(el[0].x, 12, 1e-9);
    EXPECT_NEAR(el[0].largura, 210 - 24, 1e-9);  // width 0 runs to the right margin
}

TEST(Relatorio, GruposFechamComOUltimoRegistroCorrenteENoFim) {
    // Rows "yyyy-mm-n": groups by year and by month.
    Linhas dados;
    dados.dados = {"2020-11-1", "2020-11-2", "2020-12-1", "2021-01-1", "2021-01-2", "2021-01-3"};
    Relatorio r = RelatorioBase();
    r.fonte = &dados.fonte;
    auto valor = [&](const Contexto&) { return dados.valor(); };
    Grupo ano;
    ano.chave = [&](const Contexto&) { return dados.valor().substr(0, 4); };
    ano.cabecalho = BandaCampo(0, [&](const Contexto&) {
                                  return "Ano " + dados.valor().substr(0, 4);
                              });
    ano.rodape = BandaCampo(0, [&](const Contexto&) { return "fim ano " + dados.valor(); });
    Grupo mes;
    mes.chave = [&](const Contexto&) { return dados.valor().substr(0, 7); };
    mes.rodape = BandaCampo(0, [&](const Contexto&) { return "Mês: " + dados.valor(); });
    r.grupos = {ano, mes};
    r.detalhe = BandaCampo(0, valor);

    MedidorFixo m;
    const Documento d = Diagrama(r, m);
    ASSERT_EQ(d.paginas.size(), 1u);
    // Footers read the last row of the group they close; inner footers come first.
    EXPECT_EQ(Textos(d.paginas[0]),
              (std::vector<std::string>{"Ano 2020", "2020-11-1", "2020-11-2", "Mês: 2020-11-2", "2020-12-1",
                                        "Mês: 2020-12-1", "fim ano 2020-12-1", "Ano 2021", "2021-01-1",
                                        "2021-01-2", "2021-01-3", "Mês: 2021-01-3", "fim ano 2021-01-3"}));

    // No rows: no group bands, no detail, but the summary still prints.
    dados.dados.clear();
    r.resumo.push_back(BandaTexto(L, "Total: 0,00"));
    const Documento vazio = Diagrama(r, m);
    ASSERT_EQ(vazio.paginas.size(), 1u);
    EXPECT_EQ(Textos(vazio.paginas[0]), (std::vector<std::string>{"Total: 0,00"}));
}

TEST(Relatorio, SubDetalheSaiDepoisDeCadaMestreSoQuandoTemRegistros) {
    Linhas mestre;
    mestre.dados = {"Ana", "Bia", "Caio"};
    const std::vector<std::vector<std::string>> filhos = {{"a1", "a2"}, {}, {"c1"}};
    size_t filho = 0;
    FonteFuncoes fonteFilhos([&] { return filhos[mestre.atual].size(); }, [&](size_t i) { filho = i; });

    Relatorio r = RelatorioBase();
    r.fonte = &mestre.fonte;
    r.detalhe = BandaCampo(0, [&](const Contexto&) { return mestre.valor(); });
    SubDetalhe s;
    s.fonte = &fonteFilhos;
    s.cabecalho = BandaTexto(L, "[");
    s.detalhe = BandaCampo(10, [&](const Contexto&) { return filhos[mestre.atual][filho]; });
    s.rodape = BandaTexto(L, "]");
    r.subDetalhes.push_back(s);

    MedidorFixo m;
    const Documento d = Diagrama(r, m);
    EXPECT_EQ(Textos(d.paginas[0]),
              (std::vector<std::string>{"Ana", "[", "a1", "a2", "]", "Bia", "Caio", "[", "c1", "]"}));
    EXPECT_NEAR(Acha(d.paginas[0], "a1")->x, 22, 1e-9);
}

TEST(Relatorio, MemoQuebraLinhasEFazABandaCrescer) {
    std::string obs = "Cálculo revisto conforme a decisão de embargos";
    Relatorio r = RelatorioBase();
    Banda memo;
    memo.altura = 2 * L;
    memo.adiciona(ElementoBanda::Rotulo(0, 0, 20, "Obs.:"));
    memo.adiciona(ElementoBanda::Memo(20, L, 21 * 2.1, L, [&](const Contexto&) { return obs; }));
    memo.adiciona(ElementoBanda::Caixa(0, 0, 0, 0));  // around the whole band, growth included
    r.resumo.push_back(memo);
    r.resumo.push_back(BandaTexto(L, "depois"));

    MedidorFixo m;
    Documento d = Diagrama(r, m);
    const Pagina& p = d.paginas[0];
    EXPECT_EQ(Textos(p), (std::vector<std::string>{"Obs.:", "Cálculo revisto", "conforme a decisão de", "embargos",
                                                   "depois"}));
    // Three lines where one was planned: the band grows by two lines.
    EXPECT_NEAR(Acha(p, "embargos")->y, 12 + 3 * L, 1e-9);
    EXPECT_NEAR(Acha(p, "depois")->y, 12 + 4 * L, 1e-9);
    const Elemento* caixa = nullptr;
    for (const Elemento& e : p.elementos)
        if (e.tipo == Elemento::Tipo::Caixa) caixa = &e;
    ASSERT_NE(caixa, nullptr);
    EXPECT_NEAR(caixa->altura, 4 * L, 1e-9);

    // A short memo does not shrink the band, an empty one prints nothing.
    obs = "";
    d = Diagrama(r, m);
    EXPECT_EQ(Textos(d.paginas[0]), (std::vector<std::string>{"Obs.:", "depois"}));
    EXPECT_NEAR(Acha(d.paginas[0], "depois")->y, 12 + 2 * L, 1e-9);

    // A memo longer than a page runs on over the next pages, no line lost:
    // 150 lines after the label line, 64 body lines per page (one footer line).
    obs.clear();
    for (int i = 1; i <= 150; ++i) obs += "n" + std::to_string(i) + "\n";
    r.rodapePagina.push_back(RodapePaginas());
    d = Diagrama(r, m);
    ASSERT_EQ(d.paginas.size(), 3u);
    for (int i = 1; i <= 150; ++i) EXPECT_EQ(Contem(d, "n" + std::to_string(i)), 1) << i;
    EXPECT_NEAR(Acha(d.paginas[0], "n63")->y, 12 + 63 * L, 1e-9);
    EXPECT_NEAR(Acha(d.paginas[1], "n64")->y, 12, 1e-9);
    EXPECT_NEAR(Acha(d.paginas[2], "n128")->y, 12, 1e-9);
    // The band after the memo follows its last line.
    EXPECT_NEAR(Acha(d.paginas[2], "depois")->y, 12 + 23 * L, 1e-9);
    ConfereRodapes(d);
}

TEST(Relatorio, PaginaCheiaExataDaUmaPaginaEUmaLinhaAMaisDuas) {
    MedidorFixo m;
    {
        RelatorioDeLinhas rel(62);
        const Documento d = Diagrama(rel.r, m);
        EXPECT_EQ(d.paginas.size(), 1u);
        EXPECT_EQ(Contem(d, "linha 62"), 1);
        ConfereRodapes(d);
    }
    {
        RelatorioDeLinhas rel(63);
        const Documento d = Diagrama(rel.r, m);
        ASSERT_EQ(d.paginas.size(), 2u);
        // The extra row opens page 2 under the repeated page header.
        EXPECT_EQ(Textos(d.paginas[1]), (std::vector<std::string>{"TÍTULO", "linha 63", "Pág.: 2/2"}));
        EXPECT_NEAR(Acha(d.paginas[1], "linha 63")->y, 12 + 2 * L, 1e-9);
        ConfereRodapes(d);
    }
    {
        // A summary that exactly fills the rest of the page stays on it.
        RelatorioDeLinhas rel(60);
        rel.r.resumo.push_back(BandaTexto(2 * L, "Total:"));
        EXPECT_EQ(Diagrama(rel.r, m).paginas.size(), 1u);
        rel.r.resumo.back().altura = 2 * L + 0.1;
        EXPECT_EQ(Diagrama(rel.r, m).paginas.size(), 2u);
    }
    {
        // No data at all still gives one page with its header and footer.
        RelatorioDeLinhas rel(0);
        const Documento d = Diagrama(rel.r, m);
        ASSERT_EQ(d.paginas.size(), 1u);
        EXPECT_EQ(Textos(d.paginas[0]), (std::vector<std::string>{"TÍTULO", "Pág.: 1/1"}));
    }
}

TEST(Relatorio, TrezentosMesesComFechamentoDeMesTemContagemCertaEmTodaPagina) {
    // 300 months of two rows each plus a month close: 900 one-line bands,
    // 62 per page -> 15 pages.
    Linhas dados;
    for (int mes = 0; mes < 300; ++mes)
        for (int item = 1; item <= 2; ++item) dados.dados.push_back(std::to_string(mes) + "/" + std::to_string(item));
    RelatorioDeLinhas rel(0);
    rel.r.fonte = &dados.fonte;
    rel.r.detalhe->elementos[0].valor = [&](const Contexto&) { return dados.valor(); };
    Grupo mes;
    mes.chave = [&](const Contexto&) { return dados.valor().substr(0, dados.valor().find('/')); };
    mes.rodape = BandaCampo(0, [&](const Contexto&) {
                               return "Mês " + dados.valor().substr(0, dados.valor().find('/'));
                           });
    rel.r.grupos.push_back(mes);
    MedidorFixo m;
    const Documento d = Diagrama(rel.r, m);
    ASSERT_EQ(d.paginas.size(), 15u);
    ConfereRodapes(d);
    EXPECT_EQ(Contem(d, "Mês 299"), 1);
    EXPECT_EQ(Contem(d, "TÍTULO"), 15);
    // Nothing placed in the room kept for the footer.
    for (const Pagina& p : d.paginas)
        for (const Elemento& e : p.elementos)
            if (e.texto.rfind("Pág.", 0) != 0) {
                EXPECT_LE(e.y + e.altura, 297 - 12 - L + 1e-6);
            }

    // The plain 300-row report: ceil(300 / 62) = 5 pages.
    RelatorioDeLinhas simples(300);
    const Documento d2 = Diagrama(simples.r, m);
    EXPECT_EQ(d2.paginas.size(), 5u);
    ConfereRodapes(d2);
}

TEST(Relatorio, DezesseisMilEOitocentasLinhasEmTempoLinear) {
    // Eight fields per row, as in a detailed calculation report.
    RelatorioDeLinhas rel(16800);
    for (int c = 1; c < 8; ++c)
        rel.r.detalhe->adiciona(ElementoBanda::Campo(50 + 15 * c, 0, 14, [&rel, c](const Contexto&) {
            return rel.dados.valor() + "/" + std::to_string(c);
        }, {}, Alinhamento::Direita));
    MedidorFixo m;
    const auto inicio = std::chrono::steady_clock::now();
    const Documento d = Diagrama(rel.r, m);
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    EXPECT_EQ(d.paginas.size(), 271u);  // ceil(16800 / 62)
    EXPECT_EQ(Contem(d, "Pág.: 271/271"), 1);
    EXPECT_LT(segundos, 3.0);
}

TEST(Relatorio, CabecalhosPorPaginaENovaPaginaAntes) {
    RelatorioDeLinhas rel(70);
    // Titles on the first page only, column titles on the later ones.
    rel.r.cabecalhoPagina.push_back(BandaTexto(L, "Reclamante(s):"));
    rel.r.cabecalhoPagina.back().paginas = QuaisPaginas::SoPrimeira;
    rel.r.cabecalhoColunas.push_back(BandaTexto(L, "Val.Atual."));
    rel.r.cabecalhoColunas.back().paginas = QuaisPaginas::ExcetoPrimeira;
    rel.r.resumo.push_back(BandaTexto(L, "Resumo"));
    rel.r.resumo.back().novaPaginaAntes = true;
    MedidorFixo m;
    const Documento d = Diagrama(rel.r, m);
    ASSERT_EQ(d.paginas.size(), 3u);
    EXPECT_EQ(Textos(d.paginas[0]).at(1), "Reclamante(s):");
    EXPECT_EQ(Acha(d.paginas[0], "Val.Atual."), nullptr);
    EXPECT_EQ(Textos(d.paginas[1]).at(1), "Val.Atual.");
    EXPECT_EQ(Acha(d.paginas[1], "Reclamante(s):"), nullptr);
    // 61 rows on page 1 (one line went to the title), the other 9 on page 2.
    EXPECT_NE(Acha(d.paginas[0], "linha 61"), nullptr);
    EXPECT_NE(Acha(d.paginas[1], "linha 62"), nullptr);
    EXPECT_EQ(Textos(d.paginas[2]), (std::vector<std::string>{"TÍTULO", "Val.Atual.", "Resumo", "Pág.: 3/3"}));
    ConfereRodapes(d);

    // "New page before" on a page that holds no body yet does not leave a blank page.
    RelatorioDeLinhas so(0);
    so.r.resumo.push_back(BandaTexto(L, "Resumo"));
    so.r.resumo.back().novaPaginaAntes = true;
    EXPECT_EQ(Diagrama(so.r, m).paginas.size(), 1u);
}

TEST(Relatorio, PaisagemERetratoTemTamanhosProprios) {
    MedidorFixo m;
    RelatorioDeLinhas retrato(62);
    const Documento r = Diagrama(retrato.r, m);
    EXPECT_DOUBLE_EQ(r.largura, 210);
    EXPECT_DOUBLE_EQ(r.altura, 297);
    EXPECT_EQ(r.paginas.size(), 1u);

    // Landscape: 186 mm printable = 44 lines, 41 for details.
    RelatorioDeLinhas paisagem(62, Orientacao::Paisagem);
    const Documento p = Diagrama(paisagem.r, m);
    EXPECT_EQ(p.orientacao, Orientacao::Paisagem);
    EXPECT_DOUBLE_EQ(p.largura, 297);
    EXPECT_DOUBLE_EQ(p.altura, 210);
    EXPECT_NEAR(p.larguraUtil(), 273, 1e-9);
    ASSERT_EQ(p.paginas.size(), 2u);
    EXPECT_NE(Acha(p.paginas[0], "linha 41"), nullptr);
    EXPECT_NE(Acha(p.paginas[1], "linha 42"), nullptr);
    ConfereRodapes(p);
}

TEST(Relatorio, EntradasRuinsDaoMensagemOuSaoContidas) {
    MedidorFixo m;
    // Margins and footer leave no room: a clear message, no endless pages.
    RelatorioDeLinhas rel(5);
    rel.r.margens = {10, 10, 150, 150};
    try {
        Diagrama(rel.r, m);
        FAIL() << "sem erro";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "As margens e o rodapé do relatório não deixam espaço para o conteúdo da página.");
    }
    // A band taller than the page is placed on a page of its own and the
    // layout ends; negative or invalid heights from hooks count as zero.
    RelatorioDeLinhas alto(3);
    alto.r.detalhe->antes = [&](const Contexto&, double& altura) {
        if (alto.dados.atual == 1) altura = 1000;
        if (alto.dados.atual == 2) altura = -5;
        return true;
    };
    const Documento d = Diagrama(alto.r, m);
    ASSERT_EQ(d.paginas.size(), 3u);
    EXPECT_NE(Acha(d.paginas[1], "linha 2"), nullptr);
    EXPECT_NE(Acha(d.paginas[2], "linha 3"), nullptr);
    ConfereRodapes(d);
    // A footer hook may shrink its band but not grow it past the room kept.
    RelatorioDeLinhas rodape(1);
    rodape.r.rodapePagina[0].antes = [](const Contexto&, double& altura) {
        altura = 50;
        return true;
    };
    const Documento dr = Diagrama(rodape.r, m);
    EXPECT_NEAR(Acha(dr.paginas[0], "Pág.: 1/1")->y, 297 - 12 - L, 1e-9);
}

}  // namespace
}  // namespace korva
