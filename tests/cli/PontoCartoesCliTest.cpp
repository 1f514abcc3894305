// korva-cli ponto gerar, end to end: a calculation with a schedule imported
// from its document, cards generated for part of the schedule's period, the
// result read back through calculo exportar.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

const char* Documento = R"({
  "Processo": {"Processo": "0000100-10.2004.5.01.0001", "CodRecte": 1, "DtAjuiz": "10/03/2005",
               "Calculista": "ana souza"},
  "Jornada": [{"Data1": "01/04/2004", "Data2": "31/05/2004"}]
})";

const std::string Calculo = "0000100-10.2004.5.01.0001 1";

struct Ponto : ::testing::Test {
    korva::teste::PastaTemporaria pasta;
    int st = -1;

    std::string roda(const std::string& args) {
        return korva::teste::RodaCli("--dados '" + pasta.caminho().string() + "' " + args, &st);
    }
    void SetUp() override {
        roda("init");
        ASSERT_EQ(st, 0);
        const auto doc = (pasta.caminho() / "doc.json").string();
        korva::teste::GravaArquivo(doc, Documento);
        const std::string s = roda("calculo importar '" + doc + "'");
        ASSERT_EQ(st, 0) << s;
    }
    std::string gera(const std::string& opcoes) { return roda("ponto gerar " + Calculo + " --jornada 01/04/2004 " + opcoes); }
    // "dd/mm/yyyy Ent1-Sai1 Ent2-Sai2 Situacao" of every card.
    std::vector<std::string> cartoes() {
        const std::string s = roda("calculo exportar " + Calculo);
        EXPECT_EQ(st, 0) << s;
        std::vector<std::string> r;
        const json doc = json::parse(s);
        for (const json& c : doc.at("Cartao"))
            r.push_back(c["Data"].get<std::string>() + " " + c["Ent1"].get<std::string>() + "-" +
                        c["Sai1"].get<std::string>() + " " + c["Ent2"].get<std::string>() + "-" +
                        c["Sai2"].get<std::string>() + " " + c["Situacao"].get<std::string>());
        return r;
    }
};

using Linhas = std::vector<std::string>;

}  // namespace

TEST_F(Ponto, GeneratesWeekdaysWithTheStandardTimesAndHolidaysAsDaysOff) {
    // 01/05/2004, a holiday, is a Saturday; 21/04/2004 (Tiradentes) a Wednesday.
    std::string s = gera("--de 20/04/2004 --ate 22/04/2004 --semana 08:00,12:00,13:00,17:00 --json");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s)["inseridos"], 3);
    EXPECT_EQ(cartoes(), (Linhas{"20/04/2004 08:00-12:00 13:00-17:00 ", "21/04/2004 08:00-12:00 13:00-17:00 F",
                                 "22/04/2004 08:00-12:00 13:00-17:00 "}));
    // Each flag turns a box of the window around.
    s = gera("--de 20/04/2004 --ate 22/04/2004 --semana 09:00,18:00 --sem-feriados --nao-sobrepor");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("0 cartão(ões) gravado(s)"), std::string::npos) << s;
    s = gera("--de 21/04/2004 --ate 21/04/2004 --semana 09:00,18:00 --sem-feriados");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(cartoes()[1], "21/04/2004 09:00-18:00 00:00-00:00 ");
}

TEST_F(Ponto, WeekendsFollowTheirFlags) {
    // 01/05/2004 Saturday, 02/05/2004 Sunday, 03/05/2004 Monday.
    std::string s = gera("--de 01/05/2004 --ate 03/05/2004");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(cartoes(), (Linhas{"03/05/2004 00:00-00:00 00:00-00:00 "}));
    s = gera("--de 01/05/2004 --ate 03/05/2004 --inserir-sabados --inserir-domingos --sabado 08:00,12:00 "
             "--domingo 10:00,11:00 --sabado-util --sem-feriados");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(cartoes(), (Linhas{"01/05/2004 08:00-12:00 00:00-00:00 ", "02/05/2004 10:00-11:00 00:00-00:00 F",
                                 "03/05/2004 00:00-00:00 00:00-00:00 "}));
    s = gera("--de 02/05/2004 --ate 02/05/2004 --inserir-domingos --domingo-util");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(cartoes()[1], "02/05/2004 00:00-00:00 00:00-00:00 ");
}

TEST_F(Ponto, RefusalsWriteNothing) {
    std::string s = gera("--de 01/04/2004 --ate 31/05/2004 --semana 08:00,12:00 --sabado 25:00,12:00");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Valor inválido para o campo Entrada 1 do Sábado"), std::string::npos) << s;
    EXPECT_TRUE(cartoes().empty());
    s = gera("--de 31/03/2004 --ate 30/04/2004");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Data inicial inválida!"), std::string::npos) << s;
    s = gera("--de 01/04/2004 --ate 01/06/2004");
    EXPECT_NE(s.find("Data final inválida!"), std::string::npos) << s;
    s = gera("--de 02/04/2004 --ate 01/04/2004");
    EXPECT_NE(s.find("Período especificado inválido!"), std::string::npos) << s;
    s = gera("--de 01/04/2004 --ate 30/04/2004 --semana 1,2,3,4,5,6,7,8,9");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("--semana: informe no máximo oito horários"), std::string::npos) << s;
    s = roda("ponto gerar " + Calculo + " --jornada 02/04/2004 --de 02/04/2004 --ate 03/04/2004");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Jornada não encontrada: 02/04/2004."), std::string::npos) << s;
    s = roda("ponto gerar 999 1 --jornada 01/04/2004 --de 01/04/2004 --ate 03/04/2004");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Cálculo não encontrado"), std::string::npos) << s;
    EXPECT_TRUE(cartoes().empty());
}
