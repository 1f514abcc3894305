// korva-cli ponto horas / ponto integrar on a fresh installation: schedules
// and cards written straight into the calculation's tables F and G.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"

using nlohmann::json;

namespace korva {
namespace {

const std::string Numero = "0000777-11.2004.5.01.0001";

double Hora(int h, int m = 0) { return (h * 60 + m) / 1440.0; }

struct PontoCli : ::testing::Test {
    teste::PastaTemporaria pasta;
    std::unique_ptr<Banco> privado;
    std::string tabelaA, tabelaF, tabelaG;

    std::string roda(const std::string& args, int* st) {
        return teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }

    void SetUp() override {
        int st = -1;
        roda("init", &st);
        ASSERT_EQ(st, 0);
    }

    void cria(int dataBasePadrao) {
        int st = -1;
        const std::string doc = R"({"Processo": {"Processo": ")" + Numero +
                                R"(", "CodRecte": 1, "DtAjuiz": "10/03/2005", "Calculista": "ana souza", "DataBasePadrao": )" +
                                std::to_string(dataBasePadrao) + "}}";
        teste::GravaArquivo(pasta.caminho() / "doc.json", doc);
        const std::string s = roda("calculo importar " + (pasta.caminho() / "doc.json").string(), &st);
        ASSERT_EQ(st, 0) << s;
        ArquivoAliases aliases(pasta.caminho() / "Aliases.cfg");
        privado = std::make_unique<Banco>("CalcPriv", aliases.caminho("CalcPriv"));
        Tabela p(*privado, "Processo.DB");
        p.abre();
        ASSERT_TRUE(p.localiza({"Processo"}, {Valor(Numero)}));
        const int dir = static_cast<int>(p.valor("Diretorio").comoInteiro());
        const int arq = static_cast<int>(p.valor("Arquivo").comoInteiro());
        p.fecha();
        ConjuntoCalculo conjunto(*privado, [] { return 100; });
        conjunto.defineAtual(dir, arq);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('F', arq), 5);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', arq), 6);
        tabelaA = conjunto.NomeTabela('A');
        tabelaF = conjunto.NomeTabela('F');
        tabelaG = conjunto.NomeTabela('G');
    }

    void jornada(Data d1, Data d2, const std::string& apuracao = "D") {
        Tabela t(*privado, tabelaF);
        t.abre();
        t.insere();
        t["Data1"] = d1;
        t["Data2"] = d2;
        t["JornDiaria"] = Hora(8);
        t["JornSabado"] = Hora(4);
        t["Intervalo"] = 0.0;
        t["HENot"] = Hora(22);
        t["HSNot"] = Hora(5);
        t["Turnos"] = 2;
        t["Apuracao"] = apuracao;
        t["HorasSemanais"] = 44.0;
        t["HabilitarTolerancia"] = false;
        for (const char* marca : {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"})
            for (const char* prefixo : {"Prev", "TolAnt", "TolDep"}) t[std::string(prefixo) + marca] = 0.0;
        t.grava();
    }

    void cartao(Data d, double e1, double s1, double e2 = 0, double s2 = 0, bool folga = false) {
        Tabela t(*privado, tabelaG);
        t.abre();
        t.insere();
        t["Data"] = d;
        t["Ent1"] = e1;
        t["Sai1"] = s1;
        t["Ent2"] = e2;
        t["Sai2"] = s2;
        if (folga) t["Situacao"] = "F";
        t.grava();
    }

    int linhasA() {
        Tabela a(*privado, tabelaA);
        a.abre();
        return a.quantidade();
    }

    // A calculation with cards of March and April 2004 under one daily schedule.
    void cartoes(int dataBasePadrao = 1) {
        cria(dataBasePadrao);
        jornada(Data::de(2004, 3, 1), Data::de(2004, 4, 30));
        cartao(Data::de(2004, 3, 10), Hora(8), Hora(12), Hora(14), Hora(19));  // 9 h
        cartao(Data::de(2004, 3, 14), Hora(22), Hora(5), 0, 0, true);           // Sunday off, night
        cartao(Data::de(2004, 4, 5), Hora(8), Hora(12), Hora(14), Hora(18));
        cartao(Data::de(2004, 5, 3), Hora(8), Hora(12));                         // outside the schedule
    }
};

TEST_F(PontoCli, HorasGivesEveryCardReadAndTheFiguresOfEachMonth) {
    cartoes();
    int st = -1;
    const std::string s = roda("ponto horas " + Numero + " 1 --json", &st);
    ASSERT_EQ(st, 0) << s;
    const json d = json::parse(s);
    ASSERT_EQ(d["cartoes"].size(), 3u);
    const json& c0 = d["cartoes"][0];
    EXPECT_EQ(c0["Data"], "10/03/2004");
    EXPECT_EQ(c0["Jornada"], "01/03/2004");
    EXPECT_NEAR(c0["HorasTrab"].get<double>(), 9, 1e-9);
    EXPECT_NEAR(c0["HorasNot"].get<double>(), 0, 1e-9);
    EXPECT_NEAR(c0["HorasExt"].get<double>(), 1, 1e-9);
    EXPECT_NEAR(c0["Folgas"].get<double>(), 0, 1e-9);
    const json& c1 = d["cartoes"][1];
    EXPECT_NEAR(c1["HorasTrab"].get<double>(), 7.9996, 1e-9);
    EXPECT_NEAR(c1["HorasNot"].get<double>(), 7.9996, 1e-9);
    EXPECT_NEAR(c1["Folgas"].get<double>(), 7.9996, 1e-9);
    EXPECT_NEAR(c1["HorasExt"].get<double>(), 7.9996, 1e-9);

    ASSERT_EQ(d["meses"].size(), 2u);
    const json& marco = d["meses"][0];
    EXPECT_EQ(marco["Ano"], 2004);
    EXPECT_EQ(marco["Mes"], 3);
    ASSERT_EQ(marco["figuras"].size(), 12u);
    EXPECT_NEAR(marco["figuras"][0].get<double>(), 9 + 7.9996, 1e-9);
    EXPECT_NEAR(marco["figuras"][1].get<double>(), 1 + 7.9996, 1e-9);
    EXPECT_NEAR(marco["figuras"][10].get<double>(), 7.9996, 1e-9);
    EXPECT_EQ(marco["figuras"][7], 31);
    EXPECT_EQ(d["meses"][1]["Mes"], 4);
    EXPECT_EQ(d["meses"][1]["figuras"][11], 26);

    // The text form lists the same cards.
    const std::string t = roda("ponto horas " + Numero + " 1", &st);
    EXPECT_EQ(st, 0) << t;
    EXPECT_NE(t.find("14/03/2004  01/03/2004     7.9996"), std::string::npos) << t;
    EXPECT_NE(t.find("qtde. de dias do mês - segunda a sábado: 26\n"), std::string::npos) << t;
    EXPECT_NE(t.find("horas extras: 8.9996\n"), std::string::npos) << t;
}

TEST_F(PontoCli, HorasOfACalculationWithoutCards) {
    cria(1);
    int st = -1;
    std::string s = roda("ponto horas " + Numero + " 1 --json", &st);
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), json::parse(R"({"cartoes": [], "meses": []})"));
    s = roda("ponto horas " + Numero + " 2", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Cálculo não encontrado"), std::string::npos) << s;
}

TEST_F(PontoCli, IntegrarWritesOneRowPerMonth) {
    cartoes();
    int st = -1;
    const std::string base = "ponto integrar " + Numero + " 1 --item 100 --base 2 --de 03/2004 --ate 04/2004 ";
    // An item ending in 0 needs the answer to the negative-difference question.
    std::string s = roda(base + "--qtde figura=1 --indice valor=1,5 --divisor valor=220", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("O que fazer em caso de diferenças negativas?"), std::string::npos) << s;
    EXPECT_EQ(linhasA(), 0);
    s = roda(base + "--qtde figura=12 --indice valor=1 --divisor valor=220 --diferenca Z", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("--qtde"), std::string::npos) << s;
    s = roda(base + "--qtde figura=1 --indice valor=1 --divisor figura=6 --diferenca Z", &st);
    EXPECT_EQ(st, 2);  // no day off in April: divisor 0
    EXPECT_NE(s.find("ERRO! Divisor não pode ser zero. (--divisor)"), std::string::npos) << s;
    EXPECT_EQ(linhasA(), 0);

    s = roda(base + "--qtde figura=1 --indice valor=1,5 --divisor valor=220 --diferenca c --json", &st);
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s)["linhas"], 2);
    Tabela a(*privado, tabelaA);
    a.abre();
    ASSERT_EQ(a.quantidade(), 2);
    a.primeiro();
    EXPECT_EQ(a.valor("Item").comoInteiro(), 100);
    EXPECT_EQ(a.valor("Mes1").comoInteiro(), 3);
    EXPECT_EQ(a.valor("VFM").comoTexto(), "F");
    EXPECT_NEAR(a.valor("Qtde").comoNumero(), 1 + 7.9996, 1e-9);
    EXPECT_NEAR(a.valor("Indice").comoNumero(), 1.5, 1e-12);
    EXPECT_EQ(a.valor("Diferenca").comoTexto(), "C");

    s = roda("ponto integrar " + Numero + " 1 --item 100 --base 2 --de 13/2004 --ate 04/2004 "
             "--qtde figura=1 --indice valor=1 --divisor valor=1 --diferenca Z", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Mês Inválido! (--de)"), std::string::npos) << s;
}

TEST_F(PontoCli, IntegrarReadsTheBaseDatesOfCode50FromTheInput) {
    cartoes(50);
    teste::GravaArquivo(pasta.caminho() / "datas.txt", "99/99/2004\n10/04/2004\n");
    int st = -1;
    const std::string base = "ponto integrar " + Numero + " 1 --item 100 --base 2 --de 03/2004 --ate 04/2004 "
                             "--qtde figura=1 --indice valor=1 --divisor valor=220 --diferenca Z";
    // Input ends before April's date: cancelled, nothing written.
    std::string s = roda(base + " < " + (pasta.caminho() / "datas.txt").string(), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Data Base de Atualização da Verba (03/2004)"), std::string::npos) << s;
    EXPECT_NE(s.find("Data Inválida!"), std::string::npos) << s;
    EXPECT_NE(s.find("Data Base de Atualização da Verba (04/2004)"), std::string::npos) << s;
    EXPECT_EQ(linhasA(), 0);

    teste::GravaArquivo(pasta.caminho() / "datas.txt", "10/04/2004\n10/05/2004\n");
    s = roda(base + " < " + (pasta.caminho() / "datas.txt").string(), &st);
    ASSERT_EQ(st, 0) << s;
    Tabela a(*privado, tabelaA);
    a.abre();
    ASSERT_EQ(a.quantidade(), 2);
    a.ultimo();
    EXPECT_EQ(a.valor("DtBase").comoData(), Data::de(2004, 5, 10));
    EXPECT_EQ(a.valor("CodDataBasePadrao").comoInteiro(), 50);
}

}  // namespace
}  // namespace korva
