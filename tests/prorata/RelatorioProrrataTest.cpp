// The laid-out pro-rata statement: the heading and footer of every page, the
// lines printed only under their conditions, bold and italic runs, amounts
// whole to the cent, the place and date with the month written out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prorata/ExtratoProrrata.h"
#include "prorata/RelatorioProrrata.h"
#include "reports/Medidor.h"
#include "reports/TextoPlano.h"

namespace korva::teste {
namespace {

Data D(int dia, int mes, int ano) { return Data::de(ano, mes, dia); }

DadosProrrata Registro() {
    DadosProrrata d;
    d.codigo = 3;
    d.processo = "0000100-20.2019.5.01.0001";
    d.codRecte = 4;
    d.dtAjuiz = D(1, 1, 2020);
    d.dtBase = D(1, 2, 2020);
    d.dtFinal = D(1, 7, 2020);
    d.valor = 1000;
    return d;
}

CabecalhoProrrata Cabecalho() {
    CabecalhoProrrata c;
    c.tribunal = "Tribunal Regional do Trabalho da 1ª Região";
    c.setor = "Seção de Cálculos";
    c.municipio = "Rio de Janeiro";
    c.versao = "Versão de teste";
    c.impressao = D(5, 3, 2024);
    return c;
}

struct Extrato {
    DadosProrrata dados = Registro();
    Documento doc;
    void monta(double fator = 1.1, double juros = 10) {
        const ExtratoProrrata e = CalculaExtrato(
            dados, [fator](int, Data, Data) { return fator; }, [juros](bool, Data, Data, int, int) { return juros; });
        doc = DiagramaProrrata(dados, e, Cabecalho(), MedidorFixo());
    }
    // The runs of a page whose text is exactly `texto`.
    std::vector<const Elemento*> achados(const std::string& texto, int pagina = 0) const {
        std::vector<const Elemento*> r;
        for (const Pagina& p : doc.paginas) {
            if (pagina && p.numero != pagina) continue;
            for (const Elemento& el : p.elementos)
                if (el.tipo == Elemento::Tipo::Texto && el.texto == texto) r.push_back(&el);
        }
        return r;
    }
    bool tem(const std::string& texto) const { return !achados(texto).empty(); }
    std::string texto() const { return TextoPlano(doc, GradeDoDocumento(doc)); }
};

TEST(RelatorioProrrata, OpeningBlockAndClosingLines) {
    Extrato x;
    x.dados.parte1 = "Ana Souza";
    x.dados.parte2 = "Empresa Ltda.";
    x.dados.obs = "Conforme sentença";
    x.dados.obsFinal = "Valores sujeitos a revisão pelo juízo.";
    x.monta();
    ASSERT_EQ(x.doc.paginas.size(), 1u);
    EXPECT_EQ(x.doc.orientacao, Orientacao::Retrato);
    EXPECT_DOUBLE_EQ(x.doc.largura, 210);

    // Heading: court and sector centred and bold, the lawsuit line bold.
    for (const char* t : {"Tribunal Regional do Trabalho da 1ª Região", "Seção de Cálculos"}) {
        ASSERT_EQ(x.achados(t).size(), 1u) << t;
        EXPECT_TRUE(x.achados(t)[0]->fonte.negrito);
        EXPECT_EQ(x.achados(t)[0]->alinhamento, Alinhamento::Centro);
    }
    const auto processo = x.achados("Processo: 0000100-20.2019.5.01.0001  Grupo: 004");
    ASSERT_EQ(processo.size(), 1u);
    EXPECT_TRUE(processo[0]->fonte.negrito);

    for (const char* t : {"Data ajuizamento:", "Valor apurado em ", "Partes:", "Ana Souza", "Empresa Ltda.",
                          "Obs.:", "Conforme sentença", "a. Valor em", "b. Valor Atualizado (a)",
                          "c. Juros Acumulados", "d. Juros (sobre b)", "e. Total Atualizado + Juros (b + c + d)",
                          "(Índice:1,100000000)", "(10,0000%)", "Valores Atualizados até:",
                          "Valores sujeitos a revisão pelo juízo."})
        EXPECT_TRUE(x.tem(t)) << t;
    // "Constantes": no accrued interest line.
    EXPECT_FALSE(x.tem("Juros apurados até"));
    EXPECT_EQ(x.achados("(Índice:1,100000000)").size(), 2u);  // b and c

    // Amounts right-aligned in one column with the currency of their date.
    const auto p = x.achados("R$ 1.100,00");
    ASSERT_EQ(p.size(), 1u);
    const auto total = x.achados("R$ 1.210,00");
    ASSERT_EQ(total.size(), 2u);  // the block's total and TOTAL:
    for (const Elemento* e : {p[0], total[0], total[1]}) {
        EXPECT_EQ(e->alinhamento, Alinhamento::Direita);
        EXPECT_DOUBLE_EQ(e->x + e->largura, p[0]->x + p[0]->largura);
    }
    EXPECT_TRUE(x.achados("TOTAL:")[0]->fonte.negrito);
    EXPECT_TRUE(total[1]->fonte.negrito);
    EXPECT_EQ(x.achados("01/07/2020").size(), 1u);  // "Valores Atualizados até:"
    EXPECT_TRUE(x.tem("Rio de Janeiro, 05 de março de 2024."));

    // Footer: version in italics on the left, page count on the right.
    const auto versao = x.achados("Versão de teste");
    ASSERT_EQ(versao.size(), 1u);
    EXPECT_TRUE(versao[0]->fonte.italico);
    const auto pag = x.achados("Pág.: 1/1");
    ASSERT_EQ(pag.size(), 1u);
    EXPECT_EQ(pag[0]->alinhamento, Alinhamento::Direita);

    // No FGTS amount: no FGTS line.
    EXPECT_FALSE(x.tem("FGTS Atualizado:"));
}

TEST(RelatorioProrrata, ConditionalLinesOfTheOpeningBlock) {
    Extrato x;
    x.dados.jurosConstantes = false;
    x.dados.valorJuros = 200;
    x.dados.parte2 = "Sem primeira parte";
    x.monta(1.1, 5);
    EXPECT_TRUE(x.tem("Juros apurados até"));
    EXPECT_EQ(x.achados("R$ 200,00").size(), 1u);  // "Juros apurados até"
    EXPECT_TRUE(x.tem("(R$ 200,00)"));              // beside "c. Juros Acumulados"
    EXPECT_TRUE(x.tem("R$ 220,00"));                // W
    EXPECT_TRUE(x.tem("R$ 1.375,00"));
    // No first party: no parties line at all; no note: no "Obs.:".
    EXPECT_FALSE(x.tem("Partes:"));
    EXPECT_FALSE(x.tem("Sem primeira parte"));
    EXPECT_FALSE(x.tem("Obs.:"));
}

TEST(RelatorioProrrata, InstalmentBlocksAdditionsAndFgts) {
    Extrato x;
    x.dados.parcelas = {{D(1, 3, 2020), 60}, {D(1, 4, 2020), 12345678.91}};
    x.dados.valor = 20000000;
    x.dados.valorFGTS = 100;
    x.dados.acrescimos = {{1, "Honorários", 10, "P", std::nullopt, true},
                          {2, "Custas processuais", 50, "V", D(1, 3, 2020), false}};
    x.monta(1, 0);
    EXPECT_EQ(x.achados("Pgto. em").size(), 2u);
    for (const char* t : {"a. Saldo Principal", "b. Saldo de Juros", "c. Principal Atualizado (a)",
                          "d. Juros Atualizados (b)", "e. Juros (sobre c)", "f. Total Atualizado + Juros (c + d + e)"})
        EXPECT_EQ(x.achados(t).size(), 2u) << t;
    EXPECT_TRUE(x.tem("01/03/2020"));
    EXPECT_TRUE(x.tem("01/04/2020"));
    // Amounts from ten million up keep their cents.
    EXPECT_TRUE(x.tem("R$ 12.345.678,91"));
    EXPECT_TRUE(x.tem("R$ 20.000.000,00"));
    EXPECT_TRUE(x.tem("R$ 19.999.940,00"));  // after the first payment
    EXPECT_TRUE(x.tem("R$ 7.654.261,09"));   // after the second

    // Additions: the one left out of the total in bold, with its formula.
    const auto honorarios = x.achados("Honorários");
    ASSERT_EQ(honorarios.size(), 1u);
    EXPECT_FALSE(honorarios[0]->fonte.negrito);
    const auto custas = x.achados("Custas processuais");
    ASSERT_EQ(custas.size(), 1u);
    EXPECT_TRUE(custas[0]->fonte.negrito);
    const auto valorCustas = x.achados("R$ 50,00");
    ASSERT_EQ(valorCustas.size(), 1u);
    EXPECT_TRUE(valorCustas[0]->fonte.negrito);
    EXPECT_TRUE(x.tem("(50,00 * 1,000000000)"));
    EXPECT_TRUE(x.tem("R$ 2.000.010,00"));  // 10 % of 20,000,000 + 100
    const std::string t = x.texto();
    // The formula wraps in its column.
    EXPECT_NE(t.find("((20.000.000,00 + 0,0000%)"), std::string::npos) << t;
    EXPECT_NE(t.find("100,00) * 10,00%"), std::string::npos) << t;

    EXPECT_TRUE(x.tem("FGTS Atualizado:"));
    EXPECT_TRUE(x.tem("R$ 100,00"));
    EXPECT_NE(t.find("(100,00 * 1,000000000)"), std::string::npos);
    // 7,654,261.09 + 2,000,010.00 + 100.00; the bold addition left out.
    EXPECT_EQ(x.achados("R$ 9.654.371,09").size(), 1u);
}

TEST(RelatorioProrrata, HeadingAndFooterOnEveryPage) {
    Extrato x;
    for (int i = 0; i < 40; ++i) x.dados.parcelas.push_back({D(1, 2, 2020) + 30 * (i + 1), 10});
    x.dados.dtFinal = D(1, 2, 2020) + 30 * 41;
    x.dados.obs = "Registro longo";
    x.monta(1, 0);
    const int n = static_cast<int>(x.doc.paginas.size());
    ASSERT_GT(n, 2);
    for (int p = 1; p <= n; ++p) {
        EXPECT_EQ(x.achados("Pág.: " + std::to_string(p) + "/" + std::to_string(n), p).size(), 1u) << p;
        EXPECT_EQ(x.achados("Processo: 0000100-20.2019.5.01.0001  Grupo: 004", p).size(), 1u) << p;
        EXPECT_EQ(x.achados("Tribunal Regional do Trabalho da 1ª Região", p).size(), 1u) << p;
        EXPECT_EQ(x.achados("Versão de teste", p).size(), 1u) << p;
    }
    // The opening block only on the first page; the closing lines on the last.
    EXPECT_EQ(x.achados("Data ajuizamento:").size(), 1u);
    EXPECT_EQ(x.achados("Data ajuizamento:", 1).size(), 1u);
    EXPECT_EQ(x.achados("Obs.:", 1).size(), 1u);
    EXPECT_EQ(x.achados("Pgto. em").size(), 40u);
    EXPECT_EQ(x.achados("TOTAL:", n).size(), 1u);
    // No block is split across two pages: each page holds whole blocks.
    for (int p = 2; p <= n; ++p)
        EXPECT_EQ(x.achados("Pgto. em", p).size(), x.achados("f. Total Atualizado + Juros (c + d + e)", p).size());
}

}  // namespace
}  // namespace korva::teste
