// The calculated-items report: which items, their totals corrected without
// interest, the FGTS index for 902 and 903, and the laid-out report.
#include "reports/RelatorioVerbasCalculadas.h"

#include <gtest/gtest.h>

#include "reports/ModeloTexto.h"
#include "reports/TextoPlano.h"
#include "results/BaseResultados.h"
#include "util/Erros.h"

using namespace korva;
using teste::D;

namespace {

struct VerbasCalculadas : teste::BaseResultados {
    std::vector<VerbaCalculada> calcula() {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        return CalculaVerbasCalculadas(privado, parametros(),
                                       [&](int cod, Data de, Data ate) { return cj.FatorIndiceDiario(cod, de, ate); });
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

TEST_F(VerbasCalculadas, SoItensDeResultadoComIndiceDoFGTSPara902E903) {
    // Index 1 grows by half from 01/03/2001 to the base date, index 2 doubles.
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(15, 4, 2001, 100.00004, D(1, 3, 2001));  // rounded to 100.0000 before the factor
    linha(902, 3, 2001, 10.0, D(1, 3, 2001));
    linha(903, 3, 2001, 5.0, D(1, 3, 2001));
    linha(25, 3, 2001, 1.0, D(1, 1, 2002));        // not in the catalogue
    for (int basico = 1; basico <= 9; ++basico) linha(basico, 3, 2001, 50.0, D(1, 3, 2001));
    linha(10, 3, 2001, 70.0, D(1, 3, 2001));  // due
    linha(11, 3, 2001, 30.0, D(1, 3, 2001));  // paid
    const auto v = calcula();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].verba, "015-Horas extras");
    EXPECT_DOUBLE_EQ(v[0].total, 300);
    EXPECT_EQ(v[1].verba, "025-ERRO! Rendimento não Encontrado! ***");
    EXPECT_DOUBLE_EQ(v[1].total, 1);
    EXPECT_EQ(v[2].item, 902);
    EXPECT_DOUBLE_EQ(v[2].total, 20);
    EXPECT_EQ(v[3].item, 903);
    EXPECT_DOUBLE_EQ(v[3].total, 10);
}

TEST_F(VerbasCalculadas, SemItensDeResultadoORelatorioSaiVazio) {
    linha(2, 3, 2001, 50.0, D(1, 3, 2001));
    linha(10, 3, 2001, 70.0, D(1, 3, 2001));
    linha(21, 3, 2001, 30.0, D(1, 3, 2001));
    const auto v = calcula();
    EXPECT_TRUE(v.empty());
    MedidorFixo m;
    const Documento d = DiagramaVerbasCalculadas(v, cabecalho(), "Korva", m);
    ASSERT_EQ(d.paginas.size(), 1u);
    const std::string texto = TextoPlano(d, {1.68, 3.36});
    EXPECT_NE(texto.find("Relação das Verbas Calculadas"), std::string::npos);
    EXPECT_EQ(texto.find("-"), texto.find("----- Pág. 1 -----"));  // first dash is the page mark
    EXPECT_EQ(texto.find(",00"), std::string::npos);
}

TEST_F(VerbasCalculadas, IndiceDiarioAusenteInterrompeComAMensagem) {
    linha(15, 3, 2001, 100.0, D(15, 2, 2001));
    try {
        calcula();
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "ERRO - Não há índice de atualização diária para 15/02/2001!");
    }
}

TEST_F(VerbasCalculadas, TextoDoRelatorioSaiIgualAoModelo) {
    linha(15, 3, 2001, 1234.56, D(1, 3, 2001));
    linha(15, 4, 2001, 100.0, D(1, 1, 2002));
    linha(902, 3, 2001, 10.0, D(1, 3, 2001));
    linha(10, 3, 2001, 70.0, D(1, 3, 2001));
    MedidorFixo m;
    TabelasReferencia ref(compartilhado);
    CorrecaoJuros cj(privado, ref);
    const Documento d = ProduzVerbasCalculadas(privado, cj, parametros(), cabecalho(), "Korva - Justiça do Trabalho", m);
    const std::string texto = TextoPlano(d, {1.68, 3.36});
    EXPECT_EQ(teste::DobraBrancos(texto), R"modelo(----- Pág. 1 -----
                                   Tribunal Regional do Trabalho da 15ª Região
                                                   Contadoria
                                          Relação das Verbas Calculadas
Processo: 1/2001  Grupo: 001
Data de Gravação: 02/01/2002          Data de Ajuizamento: 01/01/2001       Valores Atualizados até: 01/01/2002
-----------------------------------------------------------------------------------------------------------------
          Verba                                                             Total Atualizado
                                                                                 (sem juros)
          ----------------------------------------------------------------------------------
          015-Horas extras                                                          1.951,84
          902-FGTS                                                                     20,00
[...]
-----------------------------------------------------------------------------------------------------------------
Korva - Justiça do Trabalho                                                                             Pág.: 1/1
)modelo");
}
