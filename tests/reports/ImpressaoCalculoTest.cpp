// The print dialog's decisions: the option list, the block on uncalculated
// rows, the heading, the lawsuit summary table, and what each option stores.
#include <gtest/gtest.h>

#include "app/Configuracoes.h"
#include "reports/ImpressaoCalculo.h"
#include "results/BaseResultados.h"

using namespace korva;
using teste::D;
using teste::Insere;

namespace {

struct Gerador : GeradorRelatorios {
    Banco& privado;
    TabelasReferencia& ref;
    std::vector<std::string> chamadas;
    CabecalhoRelatorio ultimo;
    Gerador(Banco& b, TabelasReferencia& r) : privado(b), ref(r) {}
    void parametros(const ParametrosExecucao&, const CabecalhoRelatorio& c) override {
        chamadas.push_back("parametros");
        ultimo = c;
    }
    TotaisExecucao calculo(OpcaoImpressao o, const ParametrosExecucao& p, const CabecalhoRelatorio& c,
                           bool) override {
        chamadas.push_back("calculo " + std::to_string(static_cast<int>(o)));
        ultimo = c;
        CorrecaoJuros cj(privado, ref);
        return ExecutaCalculo(privado, ref, cj, p);
    }
    void resumo(const ParametrosExecucao& p, const CabecalhoRelatorio& c, bool) override {
        chamadas.push_back("resumo " + std::to_string(p.codRecte));
        ultimo = c;
    }
    void verbas(const ParametrosExecucao&, const CabecalhoRelatorio&) override { chamadas.push_back("verbas"); }
};

struct Impressao : teste::BaseResultados {
    teste::PastaTemporaria pastaTemp;
    Banco temp{"Temp", pastaTemp.caminho()};
    Configuracoes config;
    std::vector<std::string> avisos;
    int remessas = 0;

    void SetUp() override {
        BaseResultados::SetUp();
        config.municipio = "Campinas";
        config.setor = "Contadoria";
        processo["ObsCalculo"] = "Observação do cálculo";
        linha(15, 3, 2001, 100.0, D(1, 3, 2001));
        parte("Ana", 1, 0);
    }

    ContextoImpressao contexto(TabelasReferencia& ref) {
        ContextoImpressao c;
        c.privado = &privado;
        c.temp = &temp;
        c.referencia = &ref;
        c.configuracoes = &config;
        c.hoje = D(1, 1, 1998);
        c.lembrete = [] { return true; };
        c.gravaRemessa = [this](const ParametrosExecucao&) { return ++remessas, 3; };
        c.aviso = [this](const std::string& m) { avisos.push_back(m); };
        return c;
    }

    double total() {
        return privado.consulta("select Total from Processo", {"Processo.DB"}).front()[0].comoNumero();
    }
};

}  // namespace

TEST(ImpressaoOpcoes, TheRemittanceOptionOnlyWhenTheSettingAllowsIt) {
    EXPECT_EQ(OpcoesImpressao(false).size(), 6u);
    ASSERT_EQ(OpcoesImpressao(true).size(), 7u);
    EXPECT_EQ(OpcoesImpressao(true)[6], "Remessa ao &I.N.S.S.");
    EXPECT_EQ(EscolhaImpressao(6, false), 0);
    EXPECT_EQ(EscolhaImpressao(6, true), 6);
    EXPECT_EQ(EscolhaImpressao(4, false), 4);
    EXPECT_EQ(LinhaFecho("Campinas", D(1, 1, 1998)), "Campinas, 01 de janeiro de 1998.");
    EXPECT_EQ(LinhaFecho("Recife", D(31, 3, 2004)), "Recife, 31 de março de 2004.");
}

TEST_F(Impressao, StoringFollowsOnlyTheDetailedAndSummaryReports) {
    TabelasReferencia ref(compartilhado);
    Gerador g(privado, ref);
    auto ctx = contexto(ref);
    const ParametrosExecucao p = parametros();

    EXPECT_TRUE(ExecutaImpressao(OpcaoImpressao::INSS, p, ctx, g));
    EXPECT_EQ(total(), 0.0);  // the social-security report stores nothing
    EXPECT_EQ(g.ultimo.processo, "Processo: 1/2001  Grupo: 001");
    EXPECT_EQ(g.ultimo.fecho, "Campinas, 01 de janeiro de 1998.");
    EXPECT_EQ(g.ultimo.dtBase, "01/01/2002");
    EXPECT_EQ(g.ultimo.observacao, "Observação do cálculo");

    EXPECT_TRUE(ExecutaImpressao(OpcaoImpressao::Resumido, p, ctx, g));
    EXPECT_DOUBLE_EQ(total(), 150.0);
    EXPECT_EQ(remessas, 0);  // "Gerar Arquivo para o INSS" is "N"
    config.gerarArquivoINSS = "S";
    EXPECT_TRUE(ExecutaImpressao(OpcaoImpressao::Detalhado, p, ctx, g));
    EXPECT_EQ(remessas, 1);
    EXPECT_EQ(avisos.back(), "Arquivo de Remessa ao INSS gerado com sucesso.");

    // A failing report stores nothing.
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    b.primeiro();
    b.edita();
    b["Valor"] = 200.0;
    b["DtBase"] = D(2, 3, 2001);  // no daily index
    b.grava();
    EXPECT_THROW(ExecutaImpressao(OpcaoImpressao::Resumido, p, ctx, g), ErroKorva);
    EXPECT_DOUBLE_EQ(total(), 150.0);
}

TEST_F(Impressao, AnUncalculatedRowBlocksEveryOptionButTheParameters) {
    linha(12, 3, 2001, 1.0, D(1, 3, 2001));
    privado.executa(conjunto.NomeTabela('B'), "UPDATE Tabela SET Calculado=0 WHERE Item=12");
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('A', 1), 0);
    TabelasReferencia ref(compartilhado);
    Gerador g(privado, ref);
    auto ctx = contexto(ref);
    const ParametrosExecucao p = parametros();
    for (auto o : {OpcaoImpressao::Detalhado, OpcaoImpressao::Resumido, OpcaoImpressao::ResumoProcesso,
                   OpcaoImpressao::Verbas, OpcaoImpressao::INSS, OpcaoImpressao::Remessa})
        EXPECT_FALSE(ExecutaImpressao(o, p, ctx, g));
    EXPECT_TRUE(g.chamadas.empty());
    ASSERT_EQ(avisos.size(), 6u);
    EXPECT_EQ(avisos[0],
              "Há 1 item(s) que voce alterou e não recalculou este processo.\nRetorne para a tela de parâmetros Mês "
              "a Mês e\nefetue o cálculo antes de solicitar a impressão deste relatório.");
    // The parameters by period are not checked, but an empty table A is refused.
    try {
        ExecutaImpressao(OpcaoImpressao::Parametros, p, ctx, g);
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Não foram inseridos os parâmetros de cálculo!");
    }
}

TEST_F(Impressao, TheLawsuitSummaryHasOneRowPerClaimantOfEveryGroup) {
    TabelasReferencia ref(compartilhado);
    Gerador g(privado, ref);
    auto ctx = contexto(ref);
    ParametrosExecucao p = parametros();
    ExecutaImpressao(OpcaoImpressao::Resumido, p, ctx, g);  // group 1 stores its totals

    // Group 2, with two claimants, in calculation 2.
    conjunto.defineAtual(1, 2);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 2), 1);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('C', 2), 2);
    Insere(privado, conjunto.NomeTabela('C'), {{"Nome", "Bia"}, {"TipoParte", 1}, {"Dependentes", 2}, {"Documento", "1"}});
    Insere(privado, conjunto.NomeTabela('C'), {{"Nome", "Caio"}, {"TipoParte", 2}, {"Dependentes", 0}, {"Documento", "2"}});
    Insere(privado, conjunto.NomeTabela('C'), {{"Nome", "Empresa"}, {"TipoParte", 3}, {"Dependentes", 0}, {"Documento", "3"}});
    auto p2 = processo;
    p2["CodRecte"] = 2;
    p2["Total"] = 77.0;
    Insere(privado, "Processo.DB", p2);
    privado.executa("Processo.DB", "UPDATE Tabela SET Arquivo=2 WHERE CodRecte=2");

    EXPECT_EQ(MontaResumoProcesso(privado, temp, "1/2001"), 3);
    const auto linhas = temp.consulta("select CodRecte, Nome, ValorSemJuros, QtdeDependentes from Temp order by Codigo",
                                      {"Temp.db"});
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0][1].comoTexto(), "Ana");
    EXPECT_DOUBLE_EQ(linhas[0][2].comoNumero(), 150.0);
    EXPECT_EQ(linhas[1][1].comoTexto(), "Bia");
    EXPECT_DOUBLE_EQ(linhas[1][2].comoNumero(), 77.0);
    EXPECT_EQ(linhas[1][3].comoInteiro(), 2);
    EXPECT_EQ(linhas[2][1].comoTexto(), "Caio");
    EXPECT_DOUBLE_EQ(linhas[2][2].comoNumero(), 77.0);

    EXPECT_TRUE(ExecutaImpressao(OpcaoImpressao::ResumoProcesso, p, ctx, g));
    EXPECT_EQ(g.chamadas.back(), "resumo 1");  // the calculation it was asked from
    EXPECT_EQ(g.ultimo.processo, "Processo: 1/2001");
    ctx.lembrete = [] { return false; };
    EXPECT_FALSE(ExecutaImpressao(OpcaoImpressao::ResumoProcesso, p, ctx, g));

    // A group without claimants: the message names it, the table keeps the last summary.
    privado.executa(conjunto.NomeTabela('C'), "DELETE FROM Tabela WHERE TipoParte < 3");
    try {
        MontaResumoProcesso(privado, temp, "1/2001");
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Não há partes cadastradas no Processo: 1/2001  Grupo: 002");
    }
    EXPECT_EQ(temp.consulta("select Count(*) from Temp", {"Temp.db"}).front()[0].comoInteiro(), 3);
}
