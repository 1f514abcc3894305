// The figures of the month grid kept per row: worked out once per row and
// state, the grand total moved row by row and equal to a full recomputation
// after any sequence of edits, insertions and deletions, nothing while the
// run goes on, failures of a row or of a table shown empty and told once.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BaseResultados.h"
#include "results/CorrecaoJuros.h"
#include "results/FigurasGrade.h"
#include "results/FigurasMensais.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

using teste::D;

struct Mensais : teste::BaseResultados {
    std::unique_ptr<TabelasReferencia> ref;
    std::unique_ptr<CorrecaoJuros> cj;
    std::unique_ptr<FigurasGrade> grade;
    std::vector<std::string> mostradas;

    void prepara() {
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        cj = std::make_unique<CorrecaoJuros>(privado, *ref);
        grade = std::make_unique<FigurasGrade>(*cj, ParametrosFigurasDe(parametros()),
                                               [this](const std::string& m) { mostradas.push_back(m); });
    }

    // The grand total a fresh cache works out from the table as stored.
    std::optional<double> totalNovo(Tabela& b) {
        FigurasMensais novo(*grade, b.definicao());
        novo.recalcula(b);
        return novo.total();
    }
};

TEST_F(Mensais, FiguresAreWorkedOutOncePerRowUntilTheRowChanges) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(10, 3, 2001, 40.0, D(1, 3, 2001));
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    b.defineIndice("IndItemAnoMes");
    FigurasMensais f(*grade, b.definicao());
    f.recalcula(b);
    EXPECT_EQ(f.linhas(), 2u);
    EXPECT_EQ(f.textoTotal(), "Total: 165,00");
    const uint64_t antes = f.calculos();
    // Repaints read what is kept.
    for (int i = 0; i < 50; ++i)
        for (int l = 0; l < 2; ++l) f.figura(b.valoresDaLinha(l));
    EXPECT_EQ(f.calculos(), antes);
    // The due item (row 0 in item order) shows 0 and no total; the result item its figures.
    const FiguraLinha* devido = f.figura(b.valoresDaLinha(0));
    ASSERT_NE(devido, nullptr);
    EXPECT_EQ(devido->indiceAtualizacao, 0.0);
    EXPECT_FALSE(devido->total.has_value());
    const FiguraLinha* extra = f.figura(b.valoresDaLinha(1));
    ASSERT_NE(extra, nullptr);
    EXPECT_DOUBLE_EQ(extra->indiceAtualizacao, 1.5);
    EXPECT_DOUBLE_EQ(*extra->total, 165.0);

    // A changed Valor is worked out again, once, and moves the total.
    b.vaiPara(1);
    b.edita();
    b["Valor"] = 200.0;
    b.grava();
    f.atualiza(b.linha());
    EXPECT_EQ(f.calculos(), antes + 1);
    EXPECT_EQ(f.textoTotal(), "Total: 330,00");
    f.figura(b.valoresDaLinha(1));
    EXPECT_EQ(f.calculos(), antes + 1);
}

TEST_F(Mensais, ARecomputationWorksOutOnlyRowsChangedOrAddedBehindIt) {
    for (int m = 3; m <= 12; ++m) linha(15, m, 2001, 10.0 * m, D(1, 3, 2001));
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    b.defineIndice("IndAnoMesItem");
    FigurasMensais f(*grade, b.definicao());
    f.recalcula(b);
    EXPECT_EQ(f.calculos(), 10u);
    f.recalcula(b);
    EXPECT_EQ(f.calculos(), 10u);  // nothing changed
    // Another writer (the run) changes one row, adds one and deletes one.
    {
        Tabela outra(privado, conjunto.NomeTabela('B'));
        outra.abre();
        outra.defineIndice("IndAnoMesItem");
        outra.primeiro();
        outra.edita();
        outra["Valor"] = 1000.0;
        outra.grava();
        outra.ultimo();
        outra.exclui();
    }
    linha(15, 12, 2001, 7.0, D(1, 3, 2001));
    b.atualiza();
    f.recalcula(b);
    EXPECT_EQ(f.calculos(), 12u);
    EXPECT_EQ(f.linhas(), 10u);
    EXPECT_EQ(f.total(), totalNovo(b));
}

TEST_F(Mensais, GrandTotalAfterManyEditsEqualsAFullRecomputation) {
    // Amounts with odd cents, so a floating sum would drift.
    for (int m = 3; m <= 12; ++m) {
        linha(15, m, 2001, 100.37 + m, D(1, 3, 2001));
        linha(10, m, 2001, 40.11 * m, D(1, 3, 2001));
        linha(12, m, 2001, 0.07 * m, D(31, 3, 2001));
    }
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    FigurasMensais f(*grade, b.definicao());
    f.recalcula(b);
    ASSERT_EQ(f.total(), totalNovo(b));

    std::mt19937 sorte(7);
    std::uniform_int_distribution<int> acao(0, 9);
    for (int passo = 0; passo < 200; ++passo) {
        const int a = acao(sorte);
        const int n = b.quantidade();
        if (a == 0 && n > 1) {
            b.vaiPara(static_cast<int>(sorte() % static_cast<unsigned>(n)));
            const int64_t codigo = b.valor("Codigo").comoInteiro();
            b.exclui();
            f.remove(codigo);
        } else if (a == 1) {
            b.insere();
            b["Item"] = (sorte() % 2) ? 15 : 11;
            b["Mes"] = 5, b["Ano"] = 2001, b["VFM"] = "V", b["CodDataBasePadrao"] = 50;
            b["DtBase"] = D(1, 3, 2001), b["Calculado"] = true, b["INSS"] = "N";
            b["Valor"] = static_cast<double>(sorte() % 100000) / 100.0;
            b.grava();
            f.atualiza(b.linha());
        } else if (n > 0) {
            b.vaiPara(static_cast<int>(sorte() % static_cast<unsigned>(n)));
            b.edita();
            if (a == 2) b["Item"] = 15;
            else if (a == 3) b["DtBase"] = D(31, 3, 2001);
            else b["Valor"] = static_cast<double>(sorte() % 1000000) / 100.0 - 1000.0;
            b.grava();
            f.atualiza(b.linha());
        }
        ASSERT_EQ(f.total(), totalNovo(b)) << "step " << passo;
    }
    EXPECT_EQ(f.linhas(), static_cast<size_t>(b.quantidade()));
    // The grid's own sum over the stored rows agrees as well.
    ASSERT_TRUE(f.total().has_value());
    EXPECT_NEAR(*f.total(), *grade->totalGeral(privado, conjunto.NomeTabela('B')), 1e-6);
}

TEST_F(Mensais, NothingIsWorkedOutWhileTheRunGoesOn) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    FigurasMensais f(*grade, b.definicao());
    f.suspende(true);
    f.recalcula(b);
    EXPECT_EQ(f.figura(b.valoresDaLinha(0)), nullptr);
    EXPECT_EQ(f.calculos(), 0u);
    EXPECT_FALSE(f.total().has_value());
    f.suspende(false);
    f.recalcula(b);
    EXPECT_EQ(f.textoTotal(), "Total: 165,00");
}

TEST_F(Mensais, ARowWithoutIndexIsEmptyAndToldOnceAndItsRepairRestoresTheTotal) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(15, 4, 2001, 100.0, D(2, 3, 2001));  // no index for 02/03/2001
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    b.defineIndice("IndAnoMesItem");
    FigurasMensais f(*grade, b.definicao());
    f.recalcula(b);
    EXPECT_EQ(f.falhas(), 1);
    EXPECT_EQ(f.textoTotal(), "Total: erro");
    for (int i = 0; i < 5; ++i) {
        const FiguraLinha* x = f.figura(b.valoresDaLinha(1));
        ASSERT_NE(x, nullptr);
        EXPECT_TRUE(x->falhou);
    }
    ASSERT_EQ(mostradas.size(), 1u);
    EXPECT_EQ(mostradas[0], "ERRO - Não há índice de atualização diária para 02/03/2001!");
    // The row now dated on an index: the failure leaves the total.
    b.vaiPara(1);
    b.edita();
    b["DtBase"] = D(31, 3, 2001);
    b.grava();
    f.atualiza(b.linha());
    EXPECT_EQ(f.falhas(), 0);
    // 165,00 and the row dated on 31/03 (a day's less interest): 163,60.
    EXPECT_EQ(f.textoTotal(), "Total: 328,60");
    EXPECT_EQ(f.total(), totalNovo(b));
    // Deleting a failed row also gives the total back.
    linha(15, 5, 2001, 1.0, D(2, 3, 2001));
    b.atualiza();
    f.recalcula(b);
    EXPECT_EQ(f.falhas(), 1);
    b.vaiPara(2);
    const int64_t codigo = b.valor("Codigo").comoInteiro();
    b.exclui();
    f.remove(codigo);
    EXPECT_EQ(f.textoTotal(), "Total: 328,60");
}

TEST_F(Mensais, AMissingIndexTableEmptiesEveryFigureAndIsToldOnce) {
    linha(15, 3, 2001, 100.0, D(1, 3, 2001));
    linha(10, 3, 2001, 40.0, D(1, 3, 2001));
    std::filesystem::remove(pastaComp.caminho() / "Diario.DB");
    prepara();
    Tabela b(privado, conjunto.NomeTabela('B'));
    b.abre();
    FigurasMensais f(*grade, b.definicao());
    EXPECT_NO_THROW(f.recalcula(b));
    EXPECT_EQ(f.textoTotal(), "Total: erro");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.figura(b.valoresDaLinha(0)), nullptr);
    ASSERT_EQ(mostradas.size(), 1u);
    EXPECT_NE(mostradas[0].find("Tabela não encontrada"), std::string::npos) << mostradas[0];
}

}  // namespace
