// korva-cli remessa: the remittance file of an imported calculation, written
// to the default folder inside the private database, and the message of a
// calculation without defendants.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

const char* Documento = R"({
  "Processo": {"Processo": "0000555-12.2010.5.01.0002", "CodRecte": 3, "DtAjuiz": "10/03/2010",
               "Calculista": "ana souza"},
  "Partes": [PARTES],
  "Arquivo2": [
    {"Item": 15, "Mes": 2, "Ano": 2009, "Valor": 30000000.0, "VFM": "V", "CodDataBasePadrao": 1,
     "DtBase": "28/02/2009", "Calculado": true, "INSS": "S"},
    {"Item": 10, "Mes": 1, "Ano": 2009, "Valor": 100.0, "VFM": "V", "CodDataBasePadrao": 1,
     "DtBase": "31/01/2009", "Calculado": true, "INSS": "S"},
    {"Item": 12, "Mes": 1, "Ano": 2009, "Valor": 0.125, "VFM": "V", "CodDataBasePadrao": 1,
     "DtBase": "31/01/2009", "Calculado": true, "INSS": "N"}]
})";

const char* Reclamante = R"({"Nome": "joão da silva", "TipoParte": 1, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 5})";
const char* Reclamado = R"({"Nome": "empresa", "TipoParte": 3, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 7})";

std::string Doc(const std::string& partes) {
    std::string d = Documento;
    return d.replace(d.find("PARTES"), 6, partes);
}

struct Cli {
    korva::teste::PastaTemporaria pasta;
    std::string roda(const std::string& args, int* st) {
        return korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }
};

}  // namespace

TEST(RemessaCli, WritesTheFileOfTheCalculationAndReportsMissingParties) {
    const std::string numero = "0000555-12.2010.5.01.0002";
    Cli c;
    int st = -1;
    c.roda("init", &st);
    ASSERT_EQ(st, 0);
    const auto doc = (c.pasta.caminho() / "doc.json").string();
    korva::teste::GravaArquivo(doc, Doc(std::string(Reclamante) + "," + Reclamado));
    std::string s = c.roda("calculo importar " + doc, &st);
    ASSERT_EQ(st, 0) << s;

    s = c.roda("--json remessa " + numero + " 3", &st);
    ASSERT_EQ(st, 0) << s;
    const json r = json::parse(s);
    EXPECT_EQ(r["Registros"], 2);
    const std::filesystem::path arquivo = r["Arquivo"].get<std::string>();
    EXPECT_EQ(arquivo.filename(), "00005551220105010002003.txt");
    EXPECT_EQ(arquivo.parent_path().filename(), "Remessa");
    const std::string bytes = korva::teste::LeArquivo(arquivo);
    // The 20 digits of this lawsuit number overflow their 17 places: each
    // record is 111 characters and the fields after the number move right.
    ASSERT_EQ(bytes.size(), 2u * 113);
    EXPECT_EQ(bytes.substr(28, 20), "00005551220105010002");
    EXPECT_EQ(bytes.substr(48, 12), "200901200901");
    EXPECT_EQ(bytes.substr(60, 20), std::string(14, ' ') + "120012");
    EXPECT_EQ(bytes.substr(113 + 60, 20), "      30000000001015");
    EXPECT_EQ(bytes.substr(113 + 80, 31), "9             59             70");
    EXPECT_EQ(bytes.substr(113 + 111, 2), "\r\n");

    s = c.roda("remessa " + numero + " 3", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("Arquivo de Remessa ao INSS gerado com sucesso."), std::string::npos) << s;

    // Another group of the lawsuit, with a claimant only.
    std::string outro = Doc(Reclamante);
    outro.replace(outro.find("\"CodRecte\": 3"), 13, "\"CodRecte\": 4");
    korva::teste::GravaArquivo(doc, outro);
    s = c.roda("calculo importar " + doc, &st);
    ASSERT_EQ(st, 0) << s;
    const int grupo = 4;
    s = c.roda("remessa " + numero + " " + std::to_string(grupo), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Não há reclamados cadastrados no Processo: " + numero + "  Grupo: 00" + std::to_string(grupo)),
              std::string::npos)
        << s;
}
