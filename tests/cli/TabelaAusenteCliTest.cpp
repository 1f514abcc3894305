// Commands that read a whole calculation or its figures fail, with the table
// store's message and a non-zero exit, when a table they read is missing or
// cannot be read; they never answer with an empty list as if all were well.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const std::string Numero = "0000321-10.2009.5.01.0001";

// One result item (15), dated at the end of each month.
const char* Documento = R"({
  "Processo": {"Processo": "0000321-10.2009.5.01.0001", "CodRecte": 1, "Calculista": "Ana Souza",
               "DtAjuiz": "01/06/2009",
               "DtBase": "31/12/2009", "IndPrincipal": 1, "IndFGTS": 2, "CalculoJuros": 0},
  "Partes": [{"Nome": "Ana", "TipoParte": 1, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 1}],
  "Arquivo1": [{"Item": 15, "Mes1": 1, "Ano1": 2009, "Mes2": 2, "Ano2": 2009, "Valor": 300.0, "VFM": "V",
                "INSS": "S", "CodDataBasePadrao": 1}]
})";

struct Cli {
    korva::teste::PastaTemporaria pasta;
    int st = -1;
    std::string roda(const std::string& args) {
        return korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, &st);
    }
    fs::path tabela(char letra) { return pasta.caminho() / "Privado" / "Sub00001" / (std::string(1, letra) + "0000001.db"); }
    void prepara() {
        roda("init");
        ASSERT_EQ(st, 0);
        korva::teste::GravaArquivo(pasta.caminho() / "doc.json", Documento);
        const std::string s = roda("calculo importar " + (pasta.caminho() / "doc.json").string());
        ASSERT_EQ(st, 0) << s;
        ASSERT_TRUE(fs::is_regular_file(tabela('B')));
    }
};

bool Contem(const std::string& s, const std::string& parte) { return s.find(parte) != std::string::npos; }

}  // namespace

TEST(TabelaAusenteCli, ExportFailsForAMissingOrUnreadableTableAndKeepsOptionalOnesNeverCreated) {
    Cli c;
    c.prepara();
    // D and I were never created: exported as empty lists.
    std::string s = c.roda("calculo exportar " + Numero + " 1");
    ASSERT_EQ(c.st, 0) << s;
    EXPECT_TRUE(json::parse(s)["BasesINSS"].empty());
    EXPECT_TRUE(json::parse(s)["BasesSalariais"].empty());

    for (const char letra : {'A', 'B', 'C'}) {
        SCOPED_TRACE(letra);
        const fs::path p = c.tabela(letra);
        const std::string bytes = korva::teste::LeArquivo(p);
        fs::remove(p);
        const fs::path destino = c.pasta.caminho() / "saida.json";
        s = c.roda("calculo exportar " + Numero + " 1 " + destino.string());
        EXPECT_EQ(c.st, 2) << s;
        EXPECT_TRUE(Contem(s, "Tabela não encontrada: ")) << s;
        EXPECT_TRUE(Contem(s, p.filename().string())) << s;
        EXPECT_FALSE(fs::exists(destino));
        // A folder in the table's place.
        fs::create_directories(p);
        s = c.roda("calculo exportar " + Numero + " 1");
        EXPECT_EQ(c.st, 2) << s;
        EXPECT_TRUE(Contem(s, "Tabela não encontrada: ")) << s;
        EXPECT_FALSE(Contem(s, "\"Arquivo2\"")) << s;
        fs::remove(p);
        korva::teste::GravaArquivo(p, bytes);
    }

    // An optional table that exists but is damaged.
    korva::teste::GravaArquivo(c.tabela('D'), std::string(2048, '\x33'));
    s = c.roda("calculo exportar " + Numero + " 1");
    EXPECT_EQ(c.st, 2) << s;
    EXPECT_TRUE(Contem(s, "D0000001.db")) << s;
    fs::remove(c.tabela('D'));
    s = c.roda("calculo exportar " + Numero + " 1");
    EXPECT_EQ(c.st, 0) << s;
}

TEST(TabelaAusenteCli, MonthRowsFailForAMissingOrDamagedDailyIndexTable) {
    Cli c;
    c.prepara();
    std::string s = c.roda("gerar " + Numero + " 1");
    ASSERT_EQ(c.st, 0) << s;
    s = c.roda("--json mesames " + Numero + " 1");
    ASSERT_EQ(c.st, 0) << s;
    const json bom = json::parse(s);
    ASSERT_EQ(bom["Linhas"].size(), 2u);
    EXPECT_TRUE(bom["Erros"].empty()) << s;
    EXPECT_FALSE(bom["Total"].is_null());

    const fs::path diario = c.pasta.caminho() / "Compartilhado" / "Diario.DB";
    const std::string bytes = korva::teste::LeArquivo(diario);
    ASSERT_FALSE(bytes.empty());
    fs::remove(diario);
    for (const char* json : {"--json ", ""}) {
        s = c.roda(std::string(json) + "mesames " + Numero + " 1");
        EXPECT_EQ(c.st, 2) << s;
        EXPECT_TRUE(Contem(s, "Tabela não encontrada: ")) << s;
        EXPECT_TRUE(Contem(s, "Diario.DB")) << s;
        EXPECT_FALSE(Contem(s, "\"Erros\"")) << s;
    }
    korva::teste::GravaArquivo(diario, std::string(8192, '\x5a'));
    s = c.roda("--json mesames " + Numero + " 1");
    EXPECT_EQ(c.st, 2) << s;
    EXPECT_TRUE(Contem(s, "Tabela corrompida")) << s;

    // Put back, the figures come again; a genuine row message stays in "Erros".
    korva::teste::GravaArquivo(diario, bytes);
    s = c.roda("--json mesames " + Numero + " 1");
    ASSERT_EQ(c.st, 0) << s;
    EXPECT_EQ(json::parse(s)["Total"], bom["Total"]);
}
