// The calculation run: derived values of the rows, the month closes, the
// totals with their rounding, FGTS and unemployment insurance, INSS month by
// month and by single rate, IR by option, the failures and storing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "reference/TabelasReferencia.h"
#include "BaseResultados.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/FigurasGrade.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Dinheiro.h"

using namespace korva;

namespace {

using teste::D;
using teste::Insere;
using Execucao = teste::BaseResultados;

}  // namespace

TEST_F(Execucao, ResultItemIsCorrectedAndEarnsInterestOthersAreOnlyCorrected) {
    // Legal interest from 01/03/2001 to 01/01/2002: 29/30 + 9 whole months + 1/30 = 10 %.
    linha(15, 3, 2001, 100.0, D(1, 3, 2001), "S");
    linha(10, 3, 2001, 40.0, D(1, 3, 2001), "S");
    Coleta c;
    const TotaisExecucao t = executa(&c);
    ASSERT_EQ(c.linhas.size(), 2u);
    const LinhaCalculada& due = c.linhas[0];  // item 10 comes first in the month
    const LinhaCalculada& extra = c.linhas[1];
    EXPECT_EQ(extra.item, 15);
    EXPECT_DOUBLE_EQ(extra.indReaj, 1.5);
    EXPECT_DOUBLE_EQ(extra.valorAtualizado, 150.0);
    EXPECT_NEAR(*extra.juros, 10.0, 1e-12);
    EXPECT_NEAR(*extra.valorJuros, 15.0, 1e-12);
    EXPECT_DOUBLE_EQ(*extra.valorAtualizadoComJuros, 165.0);
    EXPECT_EQ(extra.descRend, "015-Horas extras(01/03/01)");
    EXPECT_EQ(extra.mesAno(), "03/2001");
    EXPECT_EQ(extra.mesAnoCurto(), "03/01");
    // The due item: corrected, no interest, into the INSS base only.
    EXPECT_EQ(due.descRend, "010-Salário devido");
    EXPECT_DOUBLE_EQ(due.valorAtualizado, 60.0);
    EXPECT_FALSE(due.juros.has_value());
    EXPECT_FALSE(due.valorAtualizadoComJuros.has_value());

    EXPECT_DOUBLE_EQ(t.total, 150.0);
    EXPECT_DOUBLE_EQ(t.totalComJuros, 165.0);
    EXPECT_DOUBLE_EQ(t.baseINSS, 210.0);
    ASSERT_EQ(c.meses.size(), 1u);
    EXPECT_EQ(c.meses[0].rotulo, "Mês: 03/2001");
    EXPECT_TRUE(c.meses[0].mostraTotais);
    EXPECT_DOUBLE_EQ(c.meses[0].totalComJurosMes, 165.0);
    // Defendant's contributions over the INSS base, employee by single rate.
    EXPECT_NEAR(t.reclamado.fpas, 42.0, 1e-9);
    EXPECT_NEAR(t.reclamado.risco, 4.2, 1e-9);
    EXPECT_NEAR(t.reclamado.terceiros, 12.18, 1e-9);
    EXPECT_NEAR(t.inssEmpregado, 16.8, 1e-9);
    EXPECT_NEAR(t.totalINSS, 42.0 + 4.2 + 12.18 + 16.8, 1e-9);
    EXPECT_EQ(t.valorINSSReclamanteGravado(), 0.0);
    EXPECT_EQ(t.simboloMoeda, "R$ ");
}

TEST_F(Execucao, InterestStartsAtTheFilingDateAndTotalsAreRoundedToFourDecimals) {
    processo["DtAjuiz"] = D(1, 3, 2001);
    // Dated before filing: interest runs from the filing date (10 %), as the row dated on it.
    linha(15, 1, 2001, 100.0, D(1, 1, 2001));
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    Coleta c;
    const TotaisExecucao t = executa(&c);
    EXPECT_NEAR(*c.linhas[0].juros, *c.linhas[1].juros, 1e-12);
    EXPECT_NEAR(*c.linhas[0].juros, 10.0, 1e-12);
    EXPECT_EQ(c.meses.size(), 2u);

    // The total keeps four decimals per amount; the amount with interest is
    // rounded to cents. From 31/03/2001: 1/30 + 9 months + 1/30 of interest.
    linha(12, 3, 2001, 0.123456, D(31, 3, 2001));
    const TotaisExecucao u = executa();
    EXPECT_NEAR(u.total - t.total, 0.1852, 1e-9);  // 0.185184
    EXPECT_NEAR(u.totalComJuros - t.totalComJuros, 0.20, 1e-9);  // 0.185184 x 1.0906667
}

TEST_F(Execucao, FgtsAndUnemploymentInsuranceStayOutOfTheTotals) {
    linha(902, 3, 2001, 100.0, D(1, 3, 2001));
    linha(892, 3, 2001, 100.0, D(1, 3, 2001));
    Coleta c;
    TotaisExecucao t = executa(&c);
    EXPECT_DOUBLE_EQ(c.linhas[1].indReaj, 2.0);  // FGTS index 2
    EXPECT_DOUBLE_EQ(t.total, 0.0);
    EXPECT_DOUBLE_EQ(t.fgts, 200.0);
    EXPECT_DOUBLE_EQ(t.jurosFGTS, 0.0);  // without "FGTS with interest"
    EXPECT_NEAR(t.seguroDesemprego, 150.0 * 1.1, 1e-9);
    EXPECT_TRUE(c.meses[0].mostraFGTS);
    EXPECT_FALSE(c.meses[0].mostraTotais);

    // The social-security run: the principal index for FGTS too, no interest.
    {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        Coleta inss;
        ExecutaCalculo(privado, ref, cj, parametros(), &inss, ModoExecucao::INSS);
        EXPECT_DOUBLE_EQ(inss.linhas[1].indReaj, 1.5);
        EXPECT_FALSE(inss.linhas[1].juros.has_value());
        EXPECT_FALSE(inss.linhas[0].valorAtualizadoComJuros.has_value());
    }

    Tabela p(privado, "Processo.DB");
    p.abre();
    p.primeiro();
    p.edita();
    p["IncidirJurosFGTS"] = true;
    p.grava();
    t = executa();
    EXPECT_NEAR(t.jurosFGTS, 20.0, 1e-9);
    EXPECT_NEAR(t.fgtsADepositar(), 220.0, 1e-9);
}

TEST_F(Execucao, MonthByMonthInssCreditsWhatWasPaidAndWarnsOnceOnMissingBrackets) {
    processo["AliquotaUnica"] = false;
    faixaINSS(2001, 3, 1000.0, 10.0);
    faixaINSS(2002, 1, 2000.0, 10.0);  // base date: r = 2
    Insere(privado, conjunto.NomeTabela('D'), {{"Ano", 2001}, {"Mes", 3}, {"Valor", 300.0}});
    linha(15, 3, 2001, 100.0, D(1, 3, 2001), "S");  // month INSS base 150
    linha(15, 4, 2001, 100.0, D(1, 3, 2001), "S");  // April: no bracket row
    Coleta c;
    const TotaisExecucao t = executa(&c);
    ASSERT_EQ(c.meses.size(), 2u);
    const FechamentoMes& marco = c.meses[0];
    EXPECT_DOUBLE_EQ(marco.baseINSSMes, 150.0);
    EXPECT_DOUBLE_EQ(marco.inss.jaRecolhido, 30.0);               // 300 x 10 %
    EXPECT_NEAR(marco.inss.aRecolher, (150.0 + 600.0) * 0.10 - 60.0, 1e-9);  // 75 - 2 x 30
    // The working the social-security report prints.
    EXPECT_DOUBLE_EQ(marco.razao, 2.0);
    EXPECT_DOUBLE_EQ(marco.baseAtualizada, 600.0);
    EXPECT_DOUBLE_EQ(marco.recolhidoAtualizado, 60.0);
    EXPECT_DOUBLE_EQ(marco.novaBase, 750.0);
    EXPECT_NEAR(marco.contribuicaoDevida, 75.0, 1e-9);
    EXPECT_TRUE(c.meses[1].inss.semFaixaMes);
    EXPECT_EQ(c.meses[1].razao, 0.0);
    EXPECT_NEAR(t.inssReclamanteMensal, 15.0, 1e-9);
    EXPECT_NEAR(t.valorINSSReclamanteGravado(), 15.0, 1e-9);
    EXPECT_TRUE(t.faixaINSSAusente);
    ASSERT_EQ(c.avisos.size(), 1u);
    EXPECT_EQ(c.avisos[0], std::make_pair(2001, 4));
}

TEST_F(Execucao, IncomeTaxByOptionMonthsAndDependants) {
    processo["OpcaoIR"] = 4;
    processo["AdicionarINSSRecte"] = true;
    linha(22, 3, 2001, 1000.0, D(1, 3, 2001));  // 13th: 1500
    linha(32, 3, 2001, 1000.0, D(1, 3, 2001));  // vacation: 1500
    linha(15, 3, 2001, 2000.0, D(1, 3, 2001));  // other: 3000
    parte("Ana", 1, 1);
    parte("Empresa", 3, 0);  // not a claimant
    TotaisExecucao t = executa();
    EXPECT_EQ(t.mesesContados, 2);  // a month with 13th and other income counts twice
    EXPECT_EQ(t.mesesIR, 1);        // base date before 28/07/2010
    ASSERT_EQ(t.colunasIR.size(), 3u);
    EXPECT_EQ(t.colunasIR[0].rotulo, "Demais Parcelas");
    EXPECT_DOUBLE_EQ(t.deducaoDependentes, 50.0);
    // (3000 - 50) x 10 % - 100
    EXPECT_NEAR(t.colunasIR[0].devido, 195.0, 1e-9);
    EXPECT_NEAR(t.valorTotalIR, 195.0 + (1450 * 0.1 - 100) * 2, 1e-9);
    EXPECT_NEAR(t.totalBaseIR13(), 1500.0, 1e-9);  // no interest without IR on interest

    parte("Bia", 2, 2);  // a second claimant with another count
    t = executa();
    EXPECT_TRUE(t.dependentesDiferentes);
    EXPECT_DOUBLE_EQ(t.deducaoDependentes, 0.0);
}

TEST_F(Execucao, FailuresStopTheRunAndStoringTouchesOnlyTheTotals) {
    try {
        executa();
        ADD_FAILURE() << "an empty grid was accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Não foram inseridos os parâmetros de cálculo!");
    }
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(15, 4, 2001, 100.0, D(15, 4, 2001));  // no daily index for that date
    try {
        executa();
        ADD_FAILURE() << "a missing index was accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "ERRO - Não há índice de atualização diária para 15/04/2001!");
    }
    indice(1, D(15, 4, 2001), 2.5);
    ParametrosExecucao par = parametros();
    par.dtBase = D(1, 3, 2001);  // no IR row for 03/2001
    TabelasReferencia ref(compartilhado);
    CorrecaoJuros cj(privado, ref);
    try {
        ExecutaCalculo(privado, ref, cj, par);
        ADD_FAILURE() << "a missing IR row was accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "ERRO! Não há Alíquota do IR para 03/2001!");
    }

    par.dtBase = D(1, 1, 2002);
    const TotaisExecucao t = ExecutaCalculo(privado, ref, cj, par);
    GravaResultados(privado, par, t);
    Tabela p(privado, "Processo.DB");
    p.abre();
    p.primeiro();
    EXPECT_NEAR(p.valor("Total").comoNumero(), 150.0 + 100 * 3.0 / 2.5, 1e-4);
    EXPECT_NEAR(p.valor("TotalGeral").comoNumero(), t.totalComJuros, 1e-9);
    EXPECT_EQ(p.valor("QtdeMesesComBaseIR").comoInteiro(), 1);
    EXPECT_EQ(p.valor("DtBase").comoData(), D(1, 1, 2002));  // untouched
    EXPECT_EQ(p.valor("Calculista").comoTexto(), "Ana");
}

TEST_F(Execucao, MonthGridFiguresShowOnlyOnResultItemsAndAFailureOnce) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(10, 3, 2001, 40.0, D(1, 3, 2001));
    TabelasReferencia ref(compartilhado);
    CorrecaoJuros cj(privado, ref);
    std::vector<std::string> mostradas;
    FigurasGrade figuras(cj, ParametrosFigurasDe(parametros()), [&](const std::string& m) { mostradas.push_back(m); });

    const FiguraLinha extra = figuras.figura(15, 100.0, D(1, 3, 2001));
    EXPECT_DOUBLE_EQ(extra.indiceAtualizacao, 1.5);
    EXPECT_NEAR(extra.juros, 10.0, 1e-12);
    EXPECT_DOUBLE_EQ(*extra.total, 165.0);
    const FiguraLinha devido = figuras.figura(10, 40.0, D(1, 3, 2001));  // a due item: 0, 0, no total
    EXPECT_EQ(devido.indiceAtualizacao, 0.0);
    EXPECT_FALSE(devido.total.has_value());
    EXPECT_EQ(FigurasGrade::TextoTotalGeral(figuras.totalGeral(privado, conjunto.NomeTabela('B'))), "Total: 165,00");

    // A date without an index: empty figures, the message once for every repaint.
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(figuras.figura(15, 100.0, D(2, 3, 2001)).falhou);
    ASSERT_EQ(mostradas.size(), 1u);
    EXPECT_EQ(mostradas[0], "ERRO - Não há índice de atualização diária para 02/03/2001!");
    linha(12, 3, 2001, 1.0, D(2, 3, 2001));
    EXPECT_FALSE(figuras.totalGeral(privado, conjunto.NomeTabela('B')).has_value());
    EXPECT_EQ(FigurasGrade::TextoTotalGeral(std::nullopt), "Total: erro");
    EXPECT_EQ(mostradas.size(), 1u);
    figuras.esquece();  // after the user changed something, a failure is told again
    figuras.figura(15, 100.0, D(2, 3, 2001));
    EXPECT_EQ(mostradas.size(), 2u);
}

TEST_F(Execucao, MonthGridFiguresPassAMissingOrDamagedIndexTableOnInsteadOfTellingARow) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    const auto diario = pastaComp.caminho() / "Diario.DB";
    for (const bool danificado : {false, true}) {
        std::filesystem::remove(diario);
        if (danificado) std::ofstream(diario, std::ios::binary) << std::string(4096, '\x5a');
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        std::vector<std::string> mostradas;
        FigurasGrade figuras(cj, ParametrosFigurasDe(parametros()),
                             [&](const std::string& m) { mostradas.push_back(m); });
        try {
            figuras.figura(15, 100.0, D(1, 3, 2001));
            ADD_FAILURE() << "no error for Diario.DB, damaged: " << danificado;
        } catch (const ErroBanco& e) {
            const std::string texto = e.what();
            EXPECT_NE(texto.find(danificado ? "Tabela corrompida" : "Tabela não encontrada"), std::string::npos)
                << texto;
        }
        EXPECT_THROW(figuras.totalGeral(privado, conjunto.NomeTabela('B')), ErroBanco);
        // A row item that reads no index still shows its zeros.
        EXPECT_FALSE(figuras.figura(10, 40.0, D(1, 3, 2001)).falhou);
        EXPECT_TRUE(mostradas.empty()) << mostradas.front();
    }
}
