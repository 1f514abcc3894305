// The parameters-by-period report: the rows of table A in (year, month, item)
// order with their texts, the claimants, and the laid-out report.
#include "reports/RelatorioParametros.h"

#include <gtest/gtest.h>

#include "reports/ModeloTexto.h"
#include "reports/TextoPlano.h"
#include "results/BaseResultados.h"
#include "util/Erros.h"

using namespace korva;
using teste::D;
using teste::Insere;

namespace {

struct ParametrosPorPeriodo : teste::BaseResultados {
    void SetUp() override {
        BaseResultados::SetUp();
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('A', 1), 0);
    }
    void periodo(int item, int mes1, int ano1, int mes2, int ano2, std::map<std::string, Valor> outros = {}) {
        outros["Item"] = item;
        outros["Mes1"] = mes1;
        outros["Ano1"] = ano1;
        outros["Mes2"] = mes2;
        outros["Ano2"] = ano2;
        outros.emplace("VFM", "V");
        outros.emplace("INSS", "S");
        Insere(privado, conjunto.NomeTabela('A'), outros);
    }
    CabecalhoRelatorio cabecalho() {
        CabecalhoRelatorio c;
        c.tribunal = "Tribunal Regional do Trabalho da 15ª Região";
        c.setor = "Contadoria";
        c.processo = "Processo: 1/2001  Grupo: 001";
        c.dtGrav = "02/01/2002";
        c.dtAjuiz = "01/01/2001";
        c.dtBase = "01/01/2002";
        return c;
    }
};

}  // namespace

TEST(ParametrosPeriodoTexto, PeriodoComMesEAnoDeDoisDigitos) {
    EXPECT_EQ(TextoPeriodo(1, 1999, 12, 2001), "01/99 a 12/01");
    EXPECT_EQ(TextoPeriodo(7, 2000, 3, 2010), "07/00 a 03/10");
    // The year is padded to four digits before its last two are taken.
    EXPECT_EQ(TextoPeriodo(1, 5, 2, 10), "01/05 a 02/10");
}

TEST_F(ParametrosPorPeriodo, LinhasOrdenadasComTextosEVerbaAusente) {
    periodo(15, 3, 2001, 12, 2001, {{"Valor", 1234.5}, {"Qtde", 2.5}, {"Indice", 1.5}, {"Divisor", 220.0},
                                    {"Base", 10}, {"VFM", "F"}, {"ItemMedia", 12},
                                    {"MMes1", 1}, {"MAno1", 1999}, {"MMes2", 12}, {"MAno2", 2000}});
    periodo(12, 3, 2001, 4, 2001, {{"Valor", 10.0}});
    periodo(77, 1, 2001, 2, 2001);  // not in the catalogue
    parte("ANA", 1, 0);
    parte("EMPRESA", 3, 0);
    parte("BIA", 2, 1);
    const DadosParametros d = LeParametrosPeriodo(privado, parametros());
    EXPECT_EQ(d.reclamantes, (std::vector<std::string>{"ANA", "BIA"}));
    ASSERT_EQ(d.linhas.size(), 3u);
    EXPECT_EQ(d.linhas[0].verba, "77-*** ERRO! Rendimento não Encontrado! ***");
    EXPECT_EQ(d.linhas[1].verba, "12-Diferença salarial");
    const LinhaParametroPeriodo& l = d.linhas[2];
    EXPECT_EQ(l.verba, "15-Horas extras");
    EXPECT_EQ(l.periodo, "03/01 a 12/01");
    EXPECT_EQ(l.valor, "1.234,50");
    EXPECT_EQ(l.qtde, "2,5000");
    EXPECT_EQ(l.indice, "1,5000");
    EXPECT_EQ(l.divisor, "220,00");
    EXPECT_EQ(l.base, "10");
    EXPECT_EQ(l.vfm, "F");
    EXPECT_EQ(l.media, "12");
    EXPECT_EQ(l.periodoMedia, "01/99 a 12/00");
    // Empty fields print blank, the averaging period too.
    EXPECT_EQ(d.linhas[1].qtde, "");
    EXPECT_EQ(d.linhas[1].periodoMedia, "");
}

TEST_F(ParametrosPorPeriodo, SemLinhasFalhaComAMensagem) {
    try {
        LeParametrosPeriodo(privado, parametros());
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Não foram inseridos os parâmetros de cálculo!");
    }
}

TEST_F(ParametrosPorPeriodo, TextoDoRelatorioSaiIgualAoModelo) {
    periodo(15, 3, 2001, 12, 2001, {{"Valor", 1234.5}, {"Qtde", 2.5}, {"Indice", 1.5}, {"Divisor", 220.0},
                                    {"Base", 10}, {"VFM", "F"}, {"ItemMedia", 12},
                                    {"MMes1", 1}, {"MAno1", 1999}, {"MMes2", 12}, {"MAno2", 2000}});
    periodo(12, 1, 1999, 12, 2001, {{"Valor", 10.0}});
    periodo(77, 1, 2001, 2, 2001);
    parte("ANA MARIA", 1, 0);
    parte("EMPRESA", 3, 0);
    parte("BIA", 2, 1);
    MedidorFixo m;
    const Documento d =
        DiagramaParametros(LeParametrosPeriodo(privado, parametros()), cabecalho(), "Korva - Justiça do Trabalho", m);
    const std::string texto = TextoPlano(d, {1.68, 3.36});
    EXPECT_EQ(teste::ForaDaLargura(d), 0);
    EXPECT_EQ(teste::DobraBrancos(texto), R"modelo(----- Pág. 1 -----
                                   Tribunal Regional do Trabalho da 15ª Região
                                                   Contadoria
                                         Parâmetros passados por Período
Processo: 1/2001  Grupo: 001
Data de Gravação: 02/01/2002          Data de Ajuizamento: 01/01/2001       Valores Atualizados até: 01/01/2002
-----------------------------------------------------------------------------------------------------------------
Reclamante(s):
   ANA MARIA
   BIA

VERBA                      PERÍODO              VALOR      QTDE.   ÍNDICE DIVISOR BASE VMFC MED. PERÍODO
-----------------------------------------------------------------------------------------------------------------
12-Diferença salarial      01/99 a 12/01        10,00                                   V
77-*** ERRO! Rendimento    01/01 a 02/01                                                V
não Encontrado! ***
15-Horas extras            03/01 a 12/01     1.234,50     2,5000   1,5000  220,00  10   F    12  01/99 a 12/00
[...]
-----------------------------------------------------------------------------------------------------------------
Korva - Justiça do Trabalho                                                                             Pág.: 1/1
)modelo");
}

TEST_F(ParametrosPorPeriodo, TitulosDasColunasNoAltoDasPaginasSeguintes) {
    for (int ano = 1990; ano < 2010; ++ano)
        for (int mes = 1; mes <= 12; ++mes) periodo(15, mes, ano, mes, ano, {{"Valor", 1.0}});
    parte("ANA", 1, 0);
    MedidorFixo m;
    const Documento d = DiagramaParametros(LeParametrosPeriodo(privado, parametros()), cabecalho(), "Korva", m);
    ASSERT_GE(d.paginas.size(), 3u);
    const std::string texto = TextoPlano(d, {1.68, 3.36});
    size_t titulos = 0, reclamantes = 0;
    for (size_t p = texto.find("VERBA"); p != std::string::npos; p = texto.find("VERBA", p + 1)) ++titulos;
    for (size_t p = texto.find("Reclamante(s):"); p != std::string::npos; p = texto.find("Reclamante(s):", p + 1))
        ++reclamantes;
    EXPECT_EQ(titulos, d.paginas.size());
    EXPECT_EQ(reclamantes, 1u);
    const std::string ultima = "Pág.: " + std::to_string(d.paginas.size()) + "/" + std::to_string(d.paginas.size());
    EXPECT_NE(texto.find(ultima), std::string::npos);
    EXPECT_NE(texto.find("Pág.: 1/" + std::to_string(d.paginas.size())), std::string::npos);
}
