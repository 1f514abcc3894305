// korva-cli verbas exportar|importar between two installations: the file and
// the standard output carry the same document, an import on another
// installation reproduces it, and a refused import says where and changes
// nothing.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

struct Cli {
    korva::teste::PastaTemporaria pasta;
    Cli() {
        int st = -1;
        const std::string s = roda("init", &st);
        EXPECT_EQ(st, 0) << s;
    }
    std::string roda(const std::string& args, int* st) {
        return korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }
    std::string arquivo(const std::string& nome) const { return (pasta.caminho() / nome).string(); }
    json exporta() {
        int st = -1;
        const std::string s = roda("verbas exportar", &st);
        EXPECT_EQ(st, 0) << s;
        return json::parse(s);
    }
};

}  // namespace

TEST(VerbasCli, ExportToFileAndStdoutAndImportOnAnotherInstallation) {
    Cli a;
    json doc = a.exporta();
    ASSERT_TRUE(doc["Rendimen"].is_array());
    ASSERT_FALSE(doc["Rendimen"].empty());
    ASSERT_TRUE(doc["Reflexos"].is_array());
    int st = -1;
    EXPECT_EQ(a.roda("verbas exportar " + a.arquivo("v.json"), &st), "");
    EXPECT_EQ(st, 0);
    EXPECT_EQ(json::parse(korva::teste::LeArquivo(a.arquivo("v.json"))), doc);

    // A user item with a repercussion, and a system item's default changed.
    doc["Rendimen"].push_back(
        {{"Codigo", 700}, {"DescRend", "adicional de função"}, {"INSS", "S"}, {"IR", 3}, {"Base", 2}, {"Qtde", 0.1}});
    doc["Reflexos"].push_back({{"Base", 700}, {"Reflexo", 13}, {"Qtde", 1}, {"Indice", 1}, {"Divisor", 12}});
    doc["Rendimen"][0]["Qtde"] = 2.0;
    korva::teste::GravaArquivo(a.arquivo("novo.json"), doc.dump());
    std::string s = a.roda("verbas importar " + a.arquivo("novo.json") + " --json", &st);
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s)["Usuario"], 1);
    EXPECT_EQ(json::parse(s)["Reflexos"], doc["Reflexos"].size());
    const json deA = a.exporta();
    EXPECT_NE(deA.dump().find("Adicional de Função"), std::string::npos);
    a.roda("verbas exportar " + a.arquivo("de-a.json"), &st);

    Cli b;
    s = b.roda("verbas importar " + a.arquivo("de-a.json"), &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("1 verba(s) do usuário"), std::string::npos) << s;
    EXPECT_EQ(b.exporta(), deA);
}

TEST(VerbasCli, ARefusedImportTellsArrayRowAndFieldAndChangesNothing) {
    Cli c;
    const json antes = c.exporta();
    json doc = antes;
    doc["Rendimen"].push_back({{"Codigo", 700}, {"DescRend", "Prêmio"}, {"INSS", "X"}, {"IR", 3}});
    korva::teste::GravaArquivo(c.arquivo("ruim.json"), doc.dump());
    int st = -1;
    std::string s = c.roda("verbas importar " + c.arquivo("ruim.json"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Rendimen, linha " + std::to_string(doc["Rendimen"].size()) +
                     ": INSS: Valor inválido para o campo!"),
              std::string::npos)
        << s;
    EXPECT_EQ(c.exporta(), antes);

    korva::teste::GravaArquivo(c.arquivo("quebrado.json"), "{\"Rendimen\": [");
    s = c.roda("verbas importar " + c.arquivo("quebrado.json"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("não é um documento JSON válido"), std::string::npos) << s;
    s = c.roda("verbas importar " + c.arquivo("nao-existe.json"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Não foi possível abrir o arquivo"), std::string::npos) << s;
    EXPECT_EQ(c.exporta(), antes);
}
