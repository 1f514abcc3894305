// korva-cli ponto relatorio: the daily and monthly time-card reports of a
// calculation imported with its schedule and cards, written as text and PDF.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

const char* Documento = R"({
  "Processo": {"Processo": "0000200-10.2003.5.01.0001", "CodRecte": 2, "DtAjuiz": "10/03/2005",
               "Calculista": "ana souza"},
  "Jornada": [{"Data1": "01/01/2003", "Data2": "28/02/2003", "Apuracao": "S", "HorasSemanais": 20,
               "Turnos": 1, "Intervalo": "00:00"}],
  "Cartao": [
    {"Data": "29/01/2003", "Ent1": "08:00", "Sai1": "16:00", "Situacao": ""},
    {"Data": "30/01/2003", "Ent1": "08:00", "Sai1": "16:00", "Situacao": ""},
    {"Data": "31/01/2003", "Ent1": "08:00", "Sai1": "16:00", "Situacao": "F"},
    {"Data": "01/02/2003", "Ent1": "08:00", "Sai1": "20:00", "Situacao": ""},
    {"Data": "15/03/2003", "Ent1": "08:00", "Sai1": "12:00", "Situacao": ""}]
})";

const std::string Calculo = "0000200-10.2003.5.01.0001 2";

std::string Le(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

struct PontoRelatorio : ::testing::Test {
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
    std::string arquivo(const char* nome) { return (pasta.caminho() / nome).string(); }
};

TEST_F(PontoRelatorio, DailyReportAsTextOneMonthAPage) {
    const std::string s = roda("ponto relatorio " + Calculo + " --tipo diario --saida '" + arquivo("d.txt") + "'");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("2 página(s) gravada(s)"), std::string::npos) << s;
    const std::string t = Le(arquivo("d.txt"));
    EXPECT_NE(t.find("Cartões de Ponto - Relatório Diário"), std::string::npos);
    EXPECT_NE(t.find("Processo: 0000200-10.2003.5.01.0001     Grupo: 002"), std::string::npos);
    EXPECT_NE(t.find("31/01/2003 (Sex.) - F"), std::string::npos);
    EXPECT_NE(t.find("08:00 16:00"), std::string::npos);
    EXPECT_NE(t.find("Pág.: 2/2"), std::string::npos);
    // The card after the schedule's period is not read.
    EXPECT_EQ(t.find("15/03/2003"), std::string::npos);
    // January: 24 hours against the limit of 20 at the month's footer;
    // February: the Saturday's 12 hours alone.
    const auto fev = t.find("----- Pág. 2 -----");
    ASSERT_NE(fev, std::string::npos);
    const std::string jan = t.substr(0, fev);
    EXPECT_NE(jan.find("Totais ==>         24,00          4,00"), std::string::npos) << jan;
    EXPECT_NE(t.find("Totais ==>         12,00          0,00", fev), std::string::npos) << t.substr(fev);
}

TEST_F(PontoRelatorio, MonthlyReportAsPdfAndJson) {
    const std::string s =
        roda("--json ponto relatorio " + Calculo + " --tipo mensal --saida '" + arquivo("m.pdf") + "'");
    ASSERT_EQ(st, 0) << s;
    const json j = json::parse(s);
    EXPECT_EQ(j["Paginas"], 1);
    EXPECT_EQ(Le(arquivo("m.pdf")).substr(0, 5), "%PDF-");

    roda("ponto relatorio " + Calculo + " --tipo mensal --saida '" + arquivo("m.txt") + "'");
    ASSERT_EQ(st, 0);
    const std::string t = Le(arquivo("m.txt"));
    EXPECT_NE(t.find("01/2003"), std::string::npos);
    EXPECT_NE(t.find("02/2003"), std::string::npos);
    EXPECT_NE(t.find("Totais ==>"), std::string::npos);
}

TEST_F(PontoRelatorio, RefusedRequestsWriteNothing) {
    std::string s = roda("ponto relatorio " + Calculo + " --tipo semanal --saida '" + arquivo("x.txt") + "'");
    EXPECT_NE(st, 0);
    s = roda("ponto relatorio " + Calculo + " --tipo diario --saida '" + arquivo("x.doc") + "'");
    EXPECT_NE(st, 0) << s;
    s = roda("ponto relatorio 999/2003 1 --tipo diario --saida '" + arquivo("x.txt") + "'");
    EXPECT_NE(st, 0) << s;
    EXPECT_FALSE(std::filesystem::exists(arquivo("x.txt")));
    EXPECT_FALSE(std::filesystem::exists(arquivo("x.doc")));
}

}  // namespace
