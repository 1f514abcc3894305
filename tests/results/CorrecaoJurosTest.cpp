// The correction and interest service over real tables: the daily-index
// factor and its messages, the series kept between calls and widened on
// demand, the variation rows of a calculation's H table and of
// JurosProrrata.db, and esquece().
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "apoio/MensagemMostrada.h"
#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

using namespace korva;

namespace {

Data D(int dia, int mes, int ano) { return Data::de(ano, mes, dia); }

// The message of a date after the last day of its series.
std::string AposUltimoDia(const std::string& data, const std::string& ultimo) {
    return "ERRO - Não há índice de atualização diária para " + data +
           "! O índice diário desta instalação vai até " + ultimo +
           "; atualize as tabelas (Sistema > Atualizar tabelas via WEB, ou korva-cli tabelas atualizar) ou informe uma "
           "data base até esse dia.";
}

std::string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "(nenhum erro)";
}

const std::string kH = "Sub00001/H0000023.db";

class CorrecaoJurosBase : public ::testing::Test {
protected:
    void SetUp() override {
        compartilhado.criaTabela("Diario.DB", *EsquemaCompartilhado("Diario.DB"));
        std::filesystem::create_directories(pastaPrivada.caminho() / "Sub00001");
        privado.criaTabela(kH, ReceitaConjunto(7));
    }

    // Index `cod` every day from `de` to `ate`: 100 plus a tenth per day from 01/01/2000.
    static double IndiceDe(Data d) { return 100 + 0.1 * (d - D(1, 1, 2000)); }
    void indices(int cod, Data de, Data ate) {
        Transacao t(compartilhado);
        for (Data d = de; d <= ate; d += 1)
            compartilhado.executa("Diario.DB", "insert into Tabela(CodIndice, Data, Indice) values(:C, :D, :I)",
                                  {{"C", cod}, {"D", d}, {"I", IndiceDe(d)}});
        t.confirma();
    }
    void juros(const std::string& tabela, Data data, double taxa, const std::string& forma, int prorrata = 0) {
        Tabela t(privado, tabela);
        t.abre();
        t.insere();
        if (prorrata) t["Prorrata"] = prorrata;
        t["Data"] = data;
        t["Juros"] = taxa;
        t["Forma"] = forma;
        t.grava();
    }

    teste::PastaTemporaria pastaPrivada, pastaCompartilhada;
    Banco privado{"CalcPriv", pastaPrivada.caminho()};
    Banco compartilhado{"CalcShare", pastaCompartilhada.caminho()};
    TabelasReferencia referencia{compartilhado};
    CorrecaoJuros correcao{privado, referencia};
};

}  // namespace

TEST_F(CorrecaoJurosBase, DailyFactorAndItsMessages) {
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(1, D(1, 1, 2000), D(2, 1, 2000)); }),
              kTabelaDiarioVazia);

    indices(1, D(1, 1, 2000), D(31, 12, 2000));
    correcao.esquece();
    EXPECT_EQ(correcao.FatorIndiceDiario(1, D(15, 3, 2000), D(15, 3, 2000)), 1.0);
    EXPECT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(10, 1, 2000), D(20, 12, 2000)),
                     IndiceDe(D(20, 12, 2000)) / IndiceDe(D(10, 1, 2000)));
    // Dates in either order: B over A.
    EXPECT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(20, 12, 2000), D(10, 1, 2000)),
                     IndiceDe(D(10, 1, 2000)) / IndiceDe(D(20, 12, 2000)));
    // A is looked up first; B's message when only B is missing.
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(1, D(5, 1, 2001), D(1, 1, 1999)); }),
              AposUltimoDia("05/01/2001", "31/12/2000"));
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(1, D(5, 1, 2000), D(1, 1, 1999)); }),
              "ERRO - Não há índice de atualização diária para 01/01/1999!");
    // Another code has its own series.
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(2, D(5, 1, 2000), D(6, 1, 2000)); }),
              "ERRO - Não há índice de atualização diária para 05/01/2000!");
    // A zero index would give an infinite factor: refused, naming its date.
    compartilhado.executa("Diario.DB", "insert into Tabela(CodIndice, Data, Indice) values(3, :D, 0)",
                          {{"D", D(1, 6, 2000)}});
    EXPECT_EQ(teste::MensagemMostrada([&] { correcao.FatorIndiceDiario(3, D(1, 6, 2000), D(1, 6, 2000)); }),
              "ERRO - O índice de atualização diária de 01/06/2000 é zero!");
}

TEST_F(CorrecaoJurosBase, SeriesIsKeptAndWidenedOnDemand) {
    indices(1, D(1, 1, 2000), D(31, 12, 2002));
    EXPECT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(10, 1, 2000), D(20, 1, 2000)),
                     IndiceDe(D(20, 1, 2000)) / IndiceDe(D(10, 1, 2000)));
    // Dates after and before the span read first still find their rows.
    EXPECT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(10, 1, 2000), D(31, 12, 2002)),
                     IndiceDe(D(31, 12, 2002)) / IndiceDe(D(10, 1, 2000)));
    EXPECT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(1, 1, 2000), D(5, 1, 2000)),
                     IndiceDe(D(5, 1, 2000)) / IndiceDe(D(1, 1, 2000)));
    // Day by day forward, as the pro-rata statement asks.
    for (Data d = D(1, 6, 2001); d <= D(31, 12, 2001); d += 1)
        ASSERT_DOUBLE_EQ(correcao.FatorIndiceDiario(1, D(1, 1, 2000), d), IndiceDe(d) / IndiceDe(D(1, 1, 2000)));
    // A missing date inside the loaded span keeps its own message; past the
    // series' last day it also names that day.
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(1, D(1, 1, 2000), D(1, 1, 2003)); }),
              AposUltimoDia("01/01/2003", "31/12/2002"));

    // Rows read stay read until esquece().
    compartilhado.executa("Diario.DB", "delete from Tabela where Data=:D", {{"D", D(15, 6, 2001)}});
    EXPECT_NO_THROW(correcao.FatorIndiceDiario(1, D(15, 6, 2001), D(1, 1, 2002)));
    correcao.esquece();
    EXPECT_EQ(Mensagem([&] { correcao.FatorIndiceDiario(1, D(15, 6, 2001), D(1, 1, 2002)); }),
              "ERRO - Não há índice de atualização diária para 15/06/2001!");
}

TEST_F(CorrecaoJurosBase, VariationRowsOfTheCalculationTable) {
    // Nothing is read when the interest is not calculated, not even a missing table.
    EXPECT_EQ(correcao.CalculaJuros("Sub00009/H0000001.db", false, D(1, 1, 2000), D(1, 1, 2001), 0, 2), 0.0);
    EXPECT_THROW(correcao.CalculaJuros("Sub00009/H0000001.db", true, D(1, 1, 2000), D(1, 1, 2001), 0, 2), ErroBanco);
    // The other modes read no table.
    EXPECT_DOUBLE_EQ(correcao.CalculaJuros("", true, D(15, 3, 2000), D(31, 12, 2002), 0, 0), 33.5);
    EXPECT_NEAR(correcao.CalculaJuros("", true, D(31, 1, 2003), D(10, 3, 2003), 0, 3), 1.0 / 30 + 1 + 10.0 / 30, 1e-12);

    EXPECT_EQ(Mensagem([&] { correcao.CalculaJuros(kH, true, D(1, 1, 2000), D(1, 1, 2001), 0, 2); }),
              "Informe a variação dos juros.");
    // Stored out of order; read in date order. No esquece() needed after the message.
    juros(kH, D(31, 12, 2000), 0.5, "S");
    juros(kH, D(30, 6, 2000), 1.0, "C");
    const double esperado = JurosDoPeriodo(D(10, 2, 2000), D(30, 6, 2000), 1.0, 'C') +
                            JurosDoPeriodo(D(1, 7, 2000), D(31, 12, 2000), 0.5, 'S');
    EXPECT_NEAR(correcao.CalculaJuros(kH, true, D(10, 2, 2000), D(31, 12, 2001), 0, 2), esperado, 1e-12);
    // The same table however its name is written.
    EXPECT_NEAR(correcao.CalculaJuros("sub00001\\h0000023.DB", true, D(10, 2, 2000), D(31, 12, 2001), 0, 2), esperado,
                1e-12);

    // A row added later is seen after esquece().
    juros(kH, D(31, 12, 2001), 2.0, "S");
    EXPECT_NEAR(correcao.CalculaJuros(kH, true, D(10, 2, 2000), D(31, 12, 2001), 0, 2), esperado, 1e-12);
    correcao.esquece();
    EXPECT_NEAR(correcao.CalculaJuros(kH, true, D(10, 2, 2000), D(31, 12, 2001), 0, 2), esperado + JurosDoPeriodo(D(1, 1, 2001), D(31, 12, 2001), 2.0, 'S'), 1e-12);
    EXPECT_EQ(correcao.Variacoes(kH, 0).size(), 3u);
}

TEST_F(CorrecaoJurosBase, VariationRowsOfAProRataRecord) {
    // Before the table exists there are no rows; the table name is not used.
    EXPECT_EQ(Mensagem([&] { correcao.CalculaJuros(kH, true, D(1, 1, 2000), D(1, 1, 2001), 5, 2); }),
              "Informe a variação dos juros.");
    EXPECT_EQ(Mensagem([&] { correcao.CalculaJuros("", true, D(1, 1, 2000), D(1, 1, 2001), 0, 2); }),
              "Informe a variação dos juros.");

    privado.criaTabela("JurosProrrata.db", EsquemaJurosProrrata());
    juros("JurosProrrata.db", D(31, 12, 2010), 3.0, "S", 6);
    juros("JurosProrrata.db", D(31, 12, 2010), 1.0, "S", 5);
    juros("JurosProrrata.db", D(30, 6, 2000), 2.0, "S", 5);
    juros(kH, D(31, 12, 2010), 9.0, "S");
    const double cinco = JurosDoPeriodo(D(1, 1, 2000), D(30, 6, 2000), 2.0, 'S') +
                         JurosDoPeriodo(D(1, 7, 2000), D(31, 12, 2000), 1.0, 'S');
    EXPECT_NEAR(correcao.CalculaJuros(kH, true, D(1, 1, 2000), D(31, 12, 2000), 5, 2), cinco, 1e-12);
    EXPECT_NEAR(correcao.CalculaJuros("", true, D(1, 1, 2000), D(31, 12, 2000), 6, 2),
                JurosDoPeriodo(D(1, 1, 2000), D(31, 12, 2000), 3.0, 'S'), 1e-12);
    EXPECT_EQ(Mensagem([&] { correcao.CalculaJuros("", true, D(1, 1, 2000), D(1, 1, 2001), 7, 2); }),
              "Informe a variação dos juros.");
}
