// Lookups over the shared reference tables: exact keys, the failure messages
// of missing rows, the bulk loads of a run, holidays, rate searches, code
// lists and the user name lists.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

// A shared database with every table, empty.
class Compartilhado {
public:
    Compartilhado() : banco("CalcShare", pasta.caminho()) {
        for (const auto& nome : TabelasCompartilhadas()) banco.criaTabela(nome, *EsquemaCompartilhado(nome));
    }
    // Appends one row given as field = value pairs.
    void inclui(const std::string& tabela, const std::vector<std::pair<std::string, Valor>>& campos) {
        Tabela t(banco, tabela);
        t.abre();
        t.insere();
        for (const auto& [nome, valor] : campos) t[nome] = valor;
        t.grava();
    }
    int conta(const std::string& tabela) {
        Tabela t(banco, tabela);
        t.abre();
        return t.quantidade();
    }

    teste::PastaTemporaria pasta;
    Banco banco;
};

std::string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "(nenhum erro)";
}

void IncluiFaixaINSS(Compartilhado& c, int ano, int mes, double l4, bool progressiva) {
    c.inclui("FaixasINSS.DB", {{"Ano", ano}, {"Mes", mes}, {"LimiteMinimo", 100.0}, {"Limite1", 1000.0},
                               {"Percentual1", 8.0}, {"Limite2", 2000.0}, {"Percentual2", 9.0},
                               {"Limite3", 3000.0}, {"Percentual3", 11.0}, {"Limite4", l4},
                               {"Percentual4", l4 ? 14.0 : 0.0}, {"Limite5", 0.0}, {"Percentual5", 0.0},
                               {"Progressiva", progressiva}});
}

void IncluiFaixaIR(Compartilhado& c, int ano, int mes, double deducaoDependente) {
    c.inclui("FaixasIR.db", {{"Ano", ano}, {"Mes", mes}, {"LimiteMinimo", 1903.98}, {"Limite1", 2826.65},
                             {"Percentual1", 7.5}, {"Deducao1", 142.80}, {"Limite2", 3751.05},
                             {"Percentual2", 15.0}, {"Deducao2", 354.80}, {"Limite3", 4664.68},
                             {"Percentual3", 22.5}, {"Deducao3", 636.13}, {"PercentualMaximo", 27.5},
                             {"DeducaoMaximo", 869.36}, {"DeducaoDependente", deducaoDependente},
                             {"DeducaoDaBase", 0.0}});
}

}  // namespace

TEST(TabelasReferencia, MonthlyValuesAreFoundByExactMonthAndAMissingMonthFailsWithItsOwnMessage) {
    Compartilhado c;
    c.inclui("Valores.DB", {{"Ano", 2000}, {"Mes", 1}, {"SalMin", 136.0}, {"SalFam1", 8.65}, {"SalFam2", 0.0}});
    c.inclui("Valores.DB", {{"Ano", 2000}, {"Mes", 4}, {"SalMin", 151.0}, {"SalFam1", 9.05}, {"SalFam2", 1.5},
                            {"LimMinimo", 280.0}, {"LimMaximo", 467.0}, {"ValorMaximo", 302.0}});
    TabelasReferencia ref(c.banco);

    EXPECT_DOUBLE_EQ(ref.SalarioMinimo(2000, 1), 136.0);
    EXPECT_DOUBLE_EQ(ref.SalarioFamilia1(2000, 4), 9.05);
    EXPECT_DOUBLE_EQ(ref.SalarioFamilia2(2000, 4), 1.5);
    // No neighbouring month stands in for February 2000.
    EXPECT_EQ(Mensagem([&] { ref.SalarioMinimo(2000, 2); }),
              "ERRO! - Não existe Salário Mínimo cadastrado para o mes 02/2000.");
    EXPECT_EQ(Mensagem([&] { ref.SalarioFamilia1(2000, 2); }),
              "ERRO! - Não existe Salário-Família 1 cadastrado para o mes 02/2000.");
    EXPECT_EQ(Mensagem([&] { ref.SalarioFamilia2(2000, 3); }),
              "ERRO! - Não existe Salário-Família 2 cadastrado para o mes 03/2000.");
    EXPECT_FALSE(ref.Valores(2000, 2).has_value());

    const auto seguro = ref.SeguroDesemprego(2000, 4);
    EXPECT_DOUBLE_EQ(seguro.limMinimo, 280.0);
    EXPECT_DOUBLE_EQ(seguro.limMaximo, 467.0);
    EXPECT_DOUBLE_EQ(seguro.valorMaximo, 302.0);
    EXPECT_DOUBLE_EQ(seguro.salMin, 151.0);
    EXPECT_EQ(Mensagem([&] { ref.SeguroDesemprego(2000, 2); }),
              "ERRO! Não há Valores do Seguro Desemprego para 02/2000!");
    // A month whose limits are empty has no benefit figures either.
    EXPECT_EQ(Mensagem([&] { ref.SeguroDesemprego(2000, 1); }),
              "ERRO! Não há Valores do Seguro Desemprego para 01/2000!");
    EXPECT_FALSE(ref.Valores(2000, 1)->limMinimo.has_value());

    // The span of a run, read once, fails alike.
    const auto periodo = ref.CarregaValores(2000, 4, 1999, 12);
    EXPECT_EQ(periodo.quantidade(), 2u);
    EXPECT_DOUBLE_EQ(periodo.salarioMinimo(2000, 4), 151.0);
    EXPECT_DOUBLE_EQ(periodo.salarioFamilia2(2000, 1), 0.0);
    EXPECT_DOUBLE_EQ(periodo.seguroDesemprego(2000, 4).valorMaximo, 302.0);
    EXPECT_EQ(Mensagem([&] { periodo.salarioMinimo(2000, 2); }),
              "ERRO! - Não existe Salário Mínimo cadastrado para o mes 02/2000.");
    EXPECT_EQ(Mensagem([&] { periodo.salarioFamilia1(2000, 3); }),
              "ERRO! - Não existe Salário-Família 1 cadastrado para o mes 03/2000.");
    EXPECT_EQ(Mensagem([&] { periodo.seguroDesemprego(2000, 1); }),
              "ERRO! Não há Valores do Seguro Desemprego para 01/2000!");
    EXPECT_EQ(ref.CarregaValores(2000, 2, 2000, 3).quantidade(), 0u);
}

TEST(TabelasReferencia, SeriesValuesAreLookedUpBySeriesAndMonth) {
    Compartilhado c;
    c.inclui("Salario.DB", {{"Salario", 1}, {"Ano", 2005}, {"Mes", 3}, {"SalMin", 700.0}});
    c.inclui("Salario.DB", {{"Salario", 2}, {"Ano", 2005}, {"Mes", 4}, {"SalMin", 900.0}});
    c.inclui("VTransp.DB", {{"ValeTransporte", 7}, {"Ano", 2005}, {"Mes", 3}, {"VTransp", 2.1}});
    TabelasReferencia ref(c.banco);

    EXPECT_DOUBLE_EQ(ref.SalarioNormativo(1, 2005, 3), 700.0);
    EXPECT_DOUBLE_EQ(ref.SalarioNormativo(2, 2005, 4), 900.0);
    // The month exists for another series only.
    EXPECT_EQ(Mensagem([&] { ref.SalarioNormativo(1, 2005, 4); }),
              "ERRO! - Não existe Salário cadastrado para o mes 04/2005.");
    EXPECT_DOUBLE_EQ(ref.ValeTransporte(7, 2005, 3), 2.1);
    EXPECT_EQ(Mensagem([&] { ref.ValeTransporte(8, 2005, 3); }),
              "ERRO! - Não existe Vale-Transporte cadastrado para o mes 03/2005.");
}

TEST(TabelasReferencia, DailyIndexNeedsTheRowOfEveryCalendarDayWeekendsIncluded) {
    Compartilhado c;
    TabelasReferencia ref(c.banco);
    // An empty table says so, instead of naming a date.
    EXPECT_TRUE(ref.DiarioVazio());
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2005, 9, 3)); }), kTabelaDiarioVazia);
    const auto vazia = ref.CarregaSerieDiaria(1, Data::de(2005, 9, 1), Data::de(2005, 9, 30));
    EXPECT_EQ(Mensagem([&] { vazia.indice(Data::de(2005, 9, 3)); }), kTabelaDiarioVazia);

    // Friday 02/09/2005 to Tuesday 06/09/2005, without Monday 05/09 in series 1.
    c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2005, 9, 2)}, {"Indice", 1.10}});
    c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2005, 9, 3)}, {"Indice", 1.11}});
    c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2005, 9, 4)}, {"Indice", 1.12}});
    c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2005, 9, 6)}, {"Indice", 1.14}});
    c.inclui("Diario.DB", {{"CodIndice", 2}, {"Data", Data::de(2005, 9, 5)}, {"Indice", 9.0}});
    EXPECT_FALSE(ref.DiarioVazio());

    EXPECT_DOUBLE_EQ(ref.IndiceDiario(1, Data::de(2005, 9, 3)), 1.11);  // Saturday
    EXPECT_DOUBLE_EQ(ref.IndiceDiario(1, Data::de(2005, 9, 4)), 1.12);  // Sunday
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2005, 9, 5)); }),
              "ERRO - Não há índice de atualização diária para 05/09/2005!");

    // The bulk load holds the same rows; dates may come in either order.
    const auto s = ref.CarregaSerieDiaria(1, Data::de(2005, 9, 30), Data::de(2005, 9, 1));
    EXPECT_EQ(s.inicio(), Data::de(2005, 9, 1));
    EXPECT_EQ(s.quantidade(), 4u);
    EXPECT_DOUBLE_EQ(s.indice(Data::de(2005, 9, 2)), 1.10);
    EXPECT_DOUBLE_EQ(s.indice(Data::de(2005, 9, 4)), 1.12);
    EXPECT_DOUBLE_EQ(s.indice(Data::de(2005, 9, 6)), 1.14);
    // The gap is not filled by a neighbour nor by the other series' row.
    EXPECT_FALSE(s.tem(Data::de(2005, 9, 5)));
    EXPECT_EQ(Mensagem([&] { s.indice(Data::de(2005, 9, 5)); }),
              "ERRO - Não há índice de atualização diária para 05/09/2005!");
    EXPECT_EQ(Mensagem([&] { s.indice(Data::de(2005, 9, 1)); }),
              "ERRO - Não há índice de atualização diária para 01/09/2005!");
    // Rows outside the span asked for were not read.
    const auto curta = ref.CarregaSerieDiaria(1, Data::de(2005, 9, 3), Data::de(2005, 9, 4));
    EXPECT_EQ(curta.quantidade(), 2u);
    EXPECT_EQ(Mensagem([&] { curta.indice(Data::de(2005, 9, 6)); }),
              "ERRO - Não há índice de atualização diária para 06/09/2005!");
}

// A base date past the installed tables is the common case of a missing
// index: the message says until when the series goes and how to update it.
// Dates inside the series (a gap) or before it keep the short message.
TEST(TabelasReferencia, ADateAfterTheLastDayOfItsSeriesSaysUntilWhenTheTableGoes) {
    Compartilhado c;
    for (int dia = 1; dia <= 30; ++dia)
        if (dia != 15) c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2026, 9, dia)}, {"Indice", 1.0}});
    c.inclui("Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2026, 10, 1)}, {"Indice", 1.01}});
    c.inclui("Diario.DB", {{"CodIndice", 2}, {"Data", Data::de(2026, 11, 1)}, {"Indice", 1.0}});
    TabelasReferencia ref(c.banco);
    auto depois = [](const char* data, const char* ultimo) {
        return std::string("ERRO - Não há índice de atualização diária para ") + data +
               "! O índice diário desta instalação vai até " + ultimo +
               "; atualize as tabelas (Sistema > Atualizar tabelas via WEB, ou korva-cli tabelas atualizar) ou informe "
               "uma data base até esse dia.";
    };
    EXPECT_EQ(ref.UltimoDiaIndiceDiario(1), Data::de(2026, 10, 1));
    EXPECT_EQ(ref.UltimoDiaIndiceDiario(2), Data::de(2026, 11, 1));
    EXPECT_FALSE(ref.UltimoDiaIndiceDiario(3).has_value());

    // One lookup: the last day is the series' own, not the other series' later one.
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2026, 12, 9)); }), depois("09/12/2026", "01/10/2026"));
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2026, 10, 2)); }), depois("02/10/2026", "01/10/2026"));
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(2, Data::de(2026, 12, 9)); }), depois("09/12/2026", "01/11/2026"));
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2026, 9, 15)); }),
              "ERRO - Não há índice de atualização diária para 15/09/2026!");
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(1, Data::de(2026, 8, 31)); }),
              "ERRO - Não há índice de atualização diária para 31/08/2026!");
    EXPECT_EQ(Mensagem([&] { ref.IndiceDiario(3, Data::de(2026, 9, 1)); }),
              "ERRO - Não há índice de atualização diária para 01/09/2026!");

    // The loaded series says the same, whether its span holds rows or lies
    // wholly after the table's end.
    const auto serie = ref.CarregaSerieDiaria(1, Data::de(2026, 9, 1), Data::de(2026, 12, 31));
    EXPECT_EQ(Mensagem([&] { serie.indice(Data::de(2026, 12, 9)); }), depois("09/12/2026", "01/10/2026"));
    EXPECT_EQ(Mensagem([&] { serie.indice(Data::de(2026, 9, 15)); }),
              "ERRO - Não há índice de atualização diária para 15/09/2026!");
    const auto alem = ref.CarregaSerieDiaria(1, Data::de(2026, 12, 1), Data::de(2026, 12, 31));
    EXPECT_EQ(Mensagem([&] { alem.indice(Data::de(2026, 12, 9)); }), depois("09/12/2026", "01/10/2026"));
    const auto antes = ref.CarregaSerieDiaria(1, Data::de(2026, 8, 1), Data::de(2026, 8, 31));
    EXPECT_EQ(Mensagem([&] { antes.indice(Data::de(2026, 8, 31)); }),
              "ERRO - Não há índice de atualização diária para 31/08/2026!");
    const auto outra = ref.CarregaSerieDiaria(3, Data::de(2026, 9, 1), Data::de(2026, 12, 31));
    EXPECT_EQ(Mensagem([&] { outra.indice(Data::de(2026, 12, 9)); }),
              "ERRO - Não há índice de atualização diária para 09/12/2026!");
}

TEST(TabelasReferencia, BracketsOfAMonthAndOfASpan) {
    Compartilhado c;
    IncluiFaixaINSS(c, 2003, 11, 0.0, false);
    IncluiFaixaINSS(c, 2004, 1, 0.0, false);
    IncluiFaixaINSS(c, 2020, 3, 6101.06, true);
    IncluiFaixaIR(c, 2003, 12, 106.0);
    IncluiFaixaIR(c, 2004, 2, 117.0);
    IncluiFaixaIR(c, 2005, 1, 126.0);
    TabelasReferencia ref(c.banco);

    // A missing INSS month is no error: the caller zeroes that contribution.
    EXPECT_FALSE(ref.FaixaINSSDoMes(2003, 12).has_value());
    const auto tres = ref.FaixaINSSDoMes(2003, 11);
    ASSERT_TRUE(tres.has_value());
    // Limite4 = 0: three bands, the base capped at Limite3 with Percentual3.
    EXPECT_EQ(tres->bandas(), 3);
    EXPECT_DOUBLE_EQ(tres->teto(), 3000.0);
    EXPECT_DOUBLE_EQ(tres->percentual(tres->bandas()), 11.0);
    EXPECT_FALSE(tres->progressiva);
    const auto quatro = ref.FaixaINSSDoMes(2020, 3);
    EXPECT_TRUE(quatro->progressiva);
    EXPECT_EQ(quatro->bandas(), 4);
    EXPECT_DOUBLE_EQ(quatro->teto(), 6101.06);
    EXPECT_DOUBLE_EQ(quatro->limiteMinimo, 100.0);

    EXPECT_DOUBLE_EQ(ref.FaixaIRDoMes(2004, 2).deducaoDependente, 117.0);
    EXPECT_DOUBLE_EQ(ref.FaixaIRDoMes(2004, 2).deducao3, 636.13);
    EXPECT_EQ(Mensagem([&] { ref.FaixaIRDoMes(2004, 1); }), "ERRO! Não há Alíquota do IR para 01/2004!");

    // Spans across a year boundary take exactly their months.
    const auto inss = ref.CarregaFaixasINSS(2003, 11, 2004, 2);
    EXPECT_EQ(inss.quantidade(), 2u);
    EXPECT_NE(inss.procura(2003, 11), nullptr);
    EXPECT_EQ(inss.procura(2003, 12), nullptr);
    EXPECT_NE(inss.procura(2004, 1), nullptr);
    EXPECT_EQ(inss.procura(2020, 3), nullptr);
    const auto ir = ref.CarregaFaixasIR(2004, 2, 2003, 12);  // either order
    EXPECT_EQ(ir.quantidade(), 2u);
    EXPECT_DOUBLE_EQ(ir.faixa(2003, 12).deducaoDependente, 106.0);
    EXPECT_DOUBLE_EQ(ir.faixa(2004, 2).percentualMaximo, 27.5);
    EXPECT_EQ(Mensagem([&] { ir.faixa(2004, 1); }), "ERRO! Não há Alíquota do IR para 01/2004!");
    EXPECT_EQ(Mensagem([&] { ir.faixa(2005, 1); }), "ERRO! Não há Alíquota do IR para 01/2005!");
}

TEST(TabelasReferencia, HolidayRuleByClassesAndTheAnyClassTest) {
    Compartilhado c;
    const Data independencia = Data::de(2005, 9, 7);
    c.inclui("FeriadosPadrao.db", {{"Data", independencia}, {"Descricao", "Independência"}, {"Tipo", 1}});
    c.inclui("FeriadosPadrao.db", {{"Data", independencia}, {"Descricao", "Padroeira"}, {"Tipo", 3}});
    c.inclui("FeriadosPadrao.db", {{"Data", Data::de(2005, 7, 9)}, {"Descricao", "Revolução"}, {"Tipo", 2}});
    c.inclui("FeriadosPadrao.db", {{"Data", Data::de(2005, 1, 25)}, {"Descricao", "Aniversário"}, {"Tipo", 4}});
    TabelasReferencia ref(c.banco);

    EXPECT_TRUE(ref.EhFeriado(independencia, true, false, 0));
    // National holidays off, local class 3 still sees the date.
    EXPECT_TRUE(ref.EhFeriado(independencia, false, false, 3));
    EXPECT_FALSE(ref.EhFeriado(independencia, false, true, 4));
    // Both flags off and class 0: no holiday at all.
    EXPECT_FALSE(ref.EhFeriado(independencia, false, false, 0));
    EXPECT_FALSE(ref.EhFeriado(Data::de(2005, 7, 9), false, false, 0));
    EXPECT_TRUE(ref.EhFeriado(Data::de(2005, 7, 9), false, true, 0));
    EXPECT_FALSE(ref.EhFeriado(Data::de(2005, 7, 9), true, false, 3));
    // The local class counts whatever the flags say.
    EXPECT_TRUE(ref.EhFeriado(Data::de(2005, 1, 25), true, true, 4));
    EXPECT_FALSE(ref.EhFeriado(Data::de(2005, 1, 25), true, true, 3));
    // Another year's same day is another row.
    EXPECT_FALSE(ref.EhFeriado(Data::de(2006, 9, 7), true, true, 3));

    EXPECT_TRUE(ref.EhDiaDeFeriado(independencia));
    EXPECT_TRUE(ref.EhDiaDeFeriado(Data::de(2005, 1, 25)));
    EXPECT_FALSE(ref.EhDiaDeFeriado(Data::de(2005, 9, 8)));
    EXPECT_FALSE(ref.EhDiaDeFeriado(Data::de(2005, 9, 6)));

    // Read once: a holiday stored later shows after Esquece.
    c.inclui("FeriadosPadrao.db", {{"Data", Data::de(2005, 9, 8)}, {"Descricao", "Novo"}, {"Tipo", 1}});
    EXPECT_FALSE(ref.EhDiaDeFeriado(Data::de(2005, 9, 8)));
    ref.Esquece();
    EXPECT_TRUE(ref.EhDiaDeFeriado(Data::de(2005, 9, 8)));
    EXPECT_TRUE(ref.EhFeriado(Data::de(2005, 9, 8), true, false, 0));
}

TEST(TabelasReferencia, RateSearchAtTheStartAnywhereOrAtTheEndInCapitals) {
    Compartilhado c;
    c.inclui("PrevEmpregador.DB", {{"Codigo", 1}, {"Natureza", "INDUSTRIA E COMERCIO"}, {"Taxa", 20.0}});
    c.inclui("PrevEmpregador.DB", {{"Codigo", 2}, {"Natureza", "COMERCIO VAREJISTA"}, {"Taxa", 22.5}});
    c.inclui("PrevEmpregador.DB", {{"Codigo", 3}, {"Natureza", "Comércio e comércio"}, {"Taxa", 21.0}});
    c.inclui("PrevEmpregador.DB", {{"Codigo", 4}, {"Natureza", "captação de água"}, {"Taxa", 3.0}});
    c.inclui("PrevSAT.DB", {{"Codigo", 1}, {"Natureza", "COMERCIO"}, {"Taxa", 1.0}});
    TabelasReferencia ref(c.banco);
    auto codigos = [&](const std::string& tabela, const std::string& texto, OpcaoPesquisa o) {
        std::vector<int> r;
        for (const auto& l : ref.BuscaPrevidencia(tabela, texto, o)) r.push_back(l.codigo);
        return r;
    };

    EXPECT_EQ(codigos("PrevEmpregador.DB", "COMER", OpcaoPesquisa::Inicio), (std::vector<int>{2}));
    EXPECT_EQ(codigos("PrevEmpregador.DB", "COMER", OpcaoPesquisa::QualquerParte), (std::vector<int>{2, 1}));
    // Accented capitals follow the Latin-1 rules; ordered by Natureza.
    EXPECT_EQ(codigos("PrevEmpregador.DB", "comércio", OpcaoPesquisa::Inicio), (std::vector<int>{3}));
    EXPECT_EQ(codigos("PrevEmpregador.DB", "ÁGUA", OpcaoPesquisa::Final), (std::vector<int>{4}));
    // A value that ends with the text counts even when the text occurs earlier too.
    EXPECT_EQ(codigos("PrevEmpregador.DB", "COMÉRCIO", OpcaoPesquisa::Final), (std::vector<int>{3}));
    EXPECT_EQ(codigos("PrevEmpregador.DB", "comercio", OpcaoPesquisa::Final), (std::vector<int>{1}));
    // A blank text lists everything.
    EXPECT_EQ(codigos("PrevEmpregador.DB", "  ", OpcaoPesquisa::Final), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(codigos("PrevSAT.DB", "COMERCIO", OpcaoPesquisa::Final), (std::vector<int>{1}));
    const auto linha = ref.BuscaPrevidencia("PrevEmpregador.DB", "VAREJ", OpcaoPesquisa::QualquerParte);
    ASSERT_EQ(linha.size(), 1u);
    EXPECT_DOUBLE_EQ(linha[0].taxa, 22.5);
    EXPECT_EQ(linha[0].natureza, "COMERCIO VAREJISTA");
    EXPECT_THROW(ref.BuscaPrevidencia("Valores.DB", "X", OpcaoPesquisa::Inicio), ErroKorva);

    EXPECT_TRUE(PassaPesquisa("INDUSTRIA E COMERCIO", " comercio ", OpcaoPesquisa::Final));
    EXPECT_FALSE(PassaPesquisa("COMERCIO VAREJISTA", "COMERCIO", OpcaoPesquisa::Final));
}

TEST(TabelasReferencia, CodeListNamesAndPickers) {
    Compartilhado c;
    c.inclui("NomeIndiceDiario.DB", {{"Codigo", 1}, {"Nome", "TR"}});
    c.inclui("TipoFeriado.DB", {{"Codigo", 1}, {"Descricao", "Nacional"}});
    c.inclui("TipoFeriado.DB", {{"Codigo", 2}, {"Descricao", "Estadual"}});
    c.inclui("TipoFeriado.DB", {{"Codigo", 3}, {"Descricao", "São Paulo"}});
    c.inclui("TipoFeriado.DB", {{"Codigo", 4}, {"Descricao", "Campinas"}});
    c.inclui("TipoFeriado.DB", {{"Codigo", 5}, {"Descricao", "Águas de Lindóia"}});
    c.inclui("Documento.db", {{"Codigo", 1}, {"Documento", "CPF"}});
    c.inclui("TipoParte.db", {{"Codigo", 2}, {"TipoParte", "Reclamado"}});
    c.inclui("DataBasePadrao.db", {{"Codigo", 50}, {"Descricao", "Informada"}});
    TabelasReferencia ref(c.banco);

    EXPECT_EQ(ref.NomeIndiceDiario(1), "TR");
    EXPECT_EQ(ref.NomeIndiceDiario(2), "");
    EXPECT_EQ(ref.TipoFeriado(3), "São Paulo");
    EXPECT_EQ(ref.Documento(1), "CPF");
    EXPECT_EQ(ref.TipoParte(2), "Reclamado");
    EXPECT_EQ(ref.DataBasePadrao(50), "Informada");
    EXPECT_EQ(ref.BasesIR(1), "");
    EXPECT_EQ(ref.NomeSalario(1), "");
    EXPECT_THROW(ref.NomeDoCodigo("Valores.DB", 1), ErroKorva);

    // Local classes only, by description, accented letters beside the plain ones.
    const auto locais = ref.ClassesFeriadoLocais();
    ASSERT_EQ(locais.size(), 3u);
    EXPECT_EQ(locais[0].nome, "Águas de Lindóia");
    EXPECT_EQ(locais[1].codigo, 4);
    EXPECT_EQ(locais[2].codigo, 3);
    EXPECT_EQ(ref.ListaNomes("TipoFeriado.DB").size(), 5u);
}

TEST(TabelasReferencia, UserNameListsNumberNewNamesAndDeleteASeriesWithItsValues) {
    Compartilhado c;
    TabelasReferencia ref(c.banco);
    EXPECT_EQ(ref.ProximoCodigo("NomeSalario.DB"), 1);
    EXPECT_EQ(ref.ProximoCodigo("TipoFeriado.DB"), 1);
    c.inclui("NomeSalario.DB", {{"Codigo", 1}, {"Nome", "Bancários"}});
    c.inclui("NomeSalario.DB", {{"Codigo", 5}, {"Nome", "Comerciários"}});
    EXPECT_EQ(ref.ProximoCodigo("NomeSalario.DB"), 6);
    for (int mes = 1; mes <= 3; ++mes) {
        c.inclui("Salario.DB", {{"Salario", 1}, {"Ano", 2005}, {"Mes", mes}, {"SalMin", 800.0}});
        c.inclui("Salario.DB", {{"Salario", 5}, {"Ano", 2005}, {"Mes", mes}, {"SalMin", 700.0}});
    }
    c.inclui("NomeVTransp.DB", {{"Codigo", 2}, {"Nome", "Linha 2"}});
    c.inclui("VTransp.DB", {{"ValeTransporte", 2}, {"Ano", 2005}, {"Mes", 1}, {"VTransp", 2.0}});
    c.inclui("VTransp.DB", {{"ValeTransporte", 3}, {"Ano", 2005}, {"Mes", 1}, {"VTransp", 2.5}});

    // Undone with the enclosing transaction: nothing is lost.
    {
        Transacao t(c.banco);
        ref.ExcluiNome("NomeSalario.DB", 1);
    }
    EXPECT_EQ(c.conta("Salario.DB"), 6);
    EXPECT_EQ(ref.NomeSalario(1), "Bancários");

    ref.ExcluiNome("NomeSalario.DB", 1);
    EXPECT_EQ(c.conta("Salario.DB"), 3);
    EXPECT_EQ(ref.NomeSalario(1), "");
    EXPECT_EQ(ref.NomeSalario(5), "Comerciários");
    EXPECT_DOUBLE_EQ(ref.SalarioNormativo(5, 2005, 2), 700.0);
    EXPECT_EQ(ref.ProximoCodigo("NomeSalario.DB"), 6);

    ref.ExcluiNome("NomeVTransp.DB", 2);
    EXPECT_EQ(c.conta("VTransp.DB"), 1);
    EXPECT_EQ(c.conta("NomeVTransp.DB"), 0);
    EXPECT_DOUBLE_EQ(ref.ValeTransporte(3, 2005, 1), 2.5);
    EXPECT_THROW(ref.ExcluiNome("Valores.DB", 1), ErroKorva);
}

TEST(TabelasReferencia, ATableReplacedOnDiskIsReadAfreshAndAMissingOneFailsWithTheStoreError) {
    Compartilhado c;
    c.inclui("Valores.DB", {{"Ano", 2010}, {"Mes", 1}, {"SalMin", 510.0}, {"SalFam1", 1.0}, {"SalFam2", 1.0}});
    TabelasReferencia ref(c.banco);
    EXPECT_DOUBLE_EQ(ref.SalarioMinimo(2010, 1), 510.0);
    // Replaced whole while this object keeps its connection.
    c.banco.excluiTabela("Valores.DB");
    EXPECT_THROW(ref.SalarioMinimo(2010, 1), ErroBanco);
    c.banco.criaTabela("Valores.DB", EsquemaValores());
    c.inclui("Valores.DB", {{"Ano", 2010}, {"Mes", 1}, {"SalMin", 999.0}, {"SalFam1", 1.0}, {"SalFam2", 1.0}});
    EXPECT_DOUBLE_EQ(ref.SalarioMinimo(2010, 1), 999.0);
}
