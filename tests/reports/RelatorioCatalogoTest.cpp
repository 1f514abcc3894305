// The catalogue report: nothing at all for an empty catalogue, the heading,
// the columns and the page count of a longer one.
#include "reports/RelatorioCatalogo.h"

#include <gtest/gtest.h>

#include "reports/ModeloTexto.h"
#include "reports/TextoPlano.h"
#include "results/BaseResultados.h"

using namespace korva;

namespace {

const GradeTexto kGrade{1.68, 3.36};

LinhaRelatorioVerbas Verba(std::string verba, std::string baseIR) {
    LinhaRelatorioVerbas l;
    l.verba = std::move(verba);
    l.indice = "1,5000";
    l.divisor = "220,00";
    l.base = "010";
    l.inss = "S";
    l.baseIR = std::move(baseIR);
    l.qtde = "1.234,5000";
    return l;
}

}  // namespace

TEST(RelatorioCatalogo, CatalogoVazioNaoImprimePagina) {
    MedidorFixo m;
    const Documento d = DiagramaCatalogo({}, "Tribunal", Data::de(2002, 1, 1), "Korva", m);
    EXPECT_TRUE(d.paginas.empty());
    EXPECT_EQ(d.orientacao, Orientacao::Retrato);
    EXPECT_EQ(TextoPlano(d, kGrade), "");
}

TEST(RelatorioCatalogo, VariasPaginasTemTitulosEContagemEmCadaUma) {
    std::vector<LinhaRelatorioVerbas> linhas;
    for (int i = 1; i <= 200; ++i) linhas.push_back(Verba(std::to_string(i) + "-Verba", "Demais"));
    MedidorFixo m;
    const Documento d = DiagramaCatalogo(linhas, "Tribunal", Data::de(2002, 1, 1), "Korva", m);
    ASSERT_GE(d.paginas.size(), 3u);
    const std::string n = std::to_string(d.paginas.size());
    const std::string texto = TextoPlano(d, kGrade);
    for (size_t p = 1; p <= d.paginas.size(); ++p)
        EXPECT_NE(texto.find("Pág.: " + std::to_string(p) + "/" + n), std::string::npos) << p;
    size_t titulos = 0;
    for (size_t p = texto.find("Base do I.R."); p != std::string::npos; p = texto.find("Base do I.R.", p + 1))
        ++titulos;
    EXPECT_EQ(titulos, d.paginas.size());
    EXPECT_NE(texto.find("200-Verba"), std::string::npos);
    EXPECT_EQ(teste::ForaDaLargura(d), 0);
}

TEST(RelatorioCatalogo, TextoDoRelatorioSaiIgualAoModelo) {
    MedidorFixo m;
    const Documento d = DiagramaCatalogo(
        {Verba("001-Salário mínimo", "Não incide"), Verba("015-Horas extras", "Demais parcelas")},
        "Tribunal Regional do Trabalho da 15ª Região", Data::de(1998, 1, 1), "Korva - Justiça do Trabalho", m);
    const std::string texto = TextoPlano(d, kGrade);
    EXPECT_EQ(teste::DobraBrancos(texto), R"modelo(----- Pág. 1 -----
                                   Tribunal Regional do Trabalho da 15ª Região
                                                Relação de Verbas
                                                                                                       01/01/1998
-----------------------------------------------------------------------------------------------------------------
Verba                                      Índice  Divisor Base INSS Base do I.R.                        Qtde.
-----------------------------------------------------------------------------------------------------------------
001-Salário mínimo                         1,5000   220,00 010   S   Não incide                     1.234,5000
015-Horas extras                           1,5000   220,00 010   S   Demais parcelas                1.234,5000
[...]
-----------------------------------------------------------------------------------------------------------------
Korva - Justiça do Trabalho                                                                             Pág.: 1/1
)modelo");
}

namespace {
struct CatalogoDoBanco : teste::BaseResultados {
    void SetUp() override {
        BaseResultados::SetUp();
        compartilhado.criaTabela("BasesIR.db", *EsquemaCompartilhado("BasesIR.db"));
    }
};
}  // namespace

TEST_F(CatalogoDoBanco, LidoDoCatalogoEmOrdemDeCodigoOuNadaQuandoVazio) {
    TabelasReferencia ref(compartilhado);
    MedidorFixo m;
    const Documento d = ProduzCatalogo(privado, ref, "Tribunal", Data::de(2002, 1, 1), "Korva", m);
    ASSERT_EQ(d.paginas.size(), 1u);
    const std::string texto = TextoPlano(d, kGrade);
    const size_t p10 = texto.find("010-Salário devido"), p15 = texto.find("015-Horas extras"),
                 p902 = texto.find("902-FGTS");
    ASSERT_NE(p10, std::string::npos);
    ASSERT_NE(p15, std::string::npos);
    ASSERT_NE(p902, std::string::npos);
    EXPECT_LT(p10, p15);
    EXPECT_LT(p15, p902);

    privado.esvaziaTabela("Rendimen.DB");
    EXPECT_TRUE(ProduzCatalogo(privado, ref, "Tribunal", Data::de(2002, 1, 1), "Korva", m).paginas.empty());
}
