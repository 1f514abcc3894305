// korva-cli juros and fator on a fresh data folder: the interest of each mode,
// mode 2 with a calculation's variation rows, the daily-index factor, the
// numbers printed so that they read back exactly, and the failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "results/JurosPeriodos.h"
#include "storage/Banco.h"
#include "storage/Valor.h"

using namespace korva;

namespace {

const char* Documento = R"({
  "Processo": {"Processo": "0000777-10.2001.5.02.0003", "CodRecte": 1, "DtAjuiz": "10/02/2000",
               "Calculista": "ana souza"},
  "Juros": [{"Data": "31/12/2000", "Juros": 0.5, "Forma": "S"},
            {"Data": "30/06/2000", "Juros": 1.0, "Forma": "C"}]
})";

const std::string Numero = "0000777-10.2001.5.02.0003";

Data D(int dia, int mes, int ano) { return Data::de(ano, mes, dia); }

struct Cli {
    teste::PastaTemporaria pasta;
    Cli() {
        int st = -1;
        const auto s = roda("init", &st);
        EXPECT_EQ(st, 0) << s;
    }
    std::string roda(const std::string& args, int* st) {
        return teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }
    // Index 77 every day of 2005: 1000 plus a hundredth per day.
    void indices() {
        const Ambiente amb = Ambiente::Padrao(pasta.caminho(), "korva");
        Banco b("CalcShare", amb.pastaCompartilhadaInicial());
        Transacao t(b);
        for (Data d = D(1, 1, 2005); d <= D(31, 12, 2005); d += 1)
            b.executa("Diario.DB", "insert into Tabela(CodIndice, Data, Indice) values(77, :D, :I)",
                      {{"D", d}, {"I", IndiceDe(d)}});
        t.confirma();
    }
    static double IndiceDe(Data d) { return 1000 + 0.01 * (d - D(1, 1, 2005)); }
};

}  // namespace

TEST(PrimitivasCli, InterestOfEachModeAndOfACalculationTable) {
    Cli c;
    int st = -1;
    std::string s = c.roda("juros --modo 0 --de 15/03/2000 --ate 31/12/2002", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_EQ(s, "33.5\n");
    s = c.roda("juros --modo 1 --de 15/03/2000 --ate 31/12/2002", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_DOUBLE_EQ(std::stod(s), CalculaJuros(true, D(15, 3, 2000), D(31, 12, 2002), 1, {}));
    s = c.roda("juros --modo 3 --de 31/01/2003 --ate 10/03/2003", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_DOUBLE_EQ(std::stod(s), JurosDoPeriodo(D(31, 1, 2003), D(10, 3, 2003), 1.0, 'S'));
    s = c.roda("--json juros --modo 0 --de 01/01/1990 --ate 31/12/1990", &st);
    ASSERT_EQ(st, 0) << s;
    EXPECT_DOUBLE_EQ(nlohmann::json::parse(s)["juros"].get<double>(),
                     CalculaJuros(true, D(1, 1, 1990), D(31, 12, 1990), 0, {}));

    // Mode 2 without a calculation has no rows.
    s = c.roda("juros --modo 2 --de 01/01/2000 --ate 31/12/2000", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Informe a variação dos juros."), std::string::npos) << s;

    teste::GravaArquivo(c.pasta.caminho() / "doc.json", Documento);
    s = c.roda("calculo importar " + (c.pasta.caminho() / "doc.json").string(), &st);
    ASSERT_EQ(st, 0) << s;
    s = c.roda("juros --modo 2 --de 10/02/2000 --ate 31/12/2001 --processo " + Numero + " --grupo 1", &st);
    EXPECT_EQ(st, 0) << s;
    const std::vector<VariacaoJuros> linhas = {{D(30, 6, 2000), 1.0, "C"}, {D(31, 12, 2000), 0.5, "S"}};
    EXPECT_DOUBLE_EQ(std::stod(s), CalculaJuros(true, D(10, 2, 2000), D(31, 12, 2001), 2, linhas));

    s = c.roda("juros --modo 2 --de 10/02/2000 --ate 31/12/2001 --processo " + Numero + " --grupo 2", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Cálculo não encontrado"), std::string::npos) << s;
    s = c.roda("juros --modo 0 --de 31/02/2000 --ate 31/12/2001", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não é uma data válida"), std::string::npos) << s;
    s = c.roda("juros --modo 5 --de 01/01/2000 --ate 31/12/2001", &st);
    EXPECT_NE(st, 0) << s;
}

TEST(PrimitivasCli, DailyIndexFactor) {
    Cli c;
    c.indices();
    int st = -1;
    std::string s = c.roda("fator --indice 77 --de 10/01/2005 --ate 20/12/2005", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_EQ(std::stod(s), Cli::IndiceDe(D(20, 12, 2005)) / Cli::IndiceDe(D(10, 1, 2005)));
    s = c.roda("fator --indice 77 --de 15/05/2005 --ate 15/05/2005", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_EQ(s, "1\n");
    s = c.roda("fator --indice 77 --de 01/01/2006 --ate 01/01/2004", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("ERRO - Não há índice de atualização diária para 01/01/2006!"), std::string::npos) << s;
    s = c.roda("fator --indice 77 --de 01/01/2005 --ate 01/01/2004", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("ERRO - Não há índice de atualização diária para 01/01/2004!"), std::string::npos) << s;
}
