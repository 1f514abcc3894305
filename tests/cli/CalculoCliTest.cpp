// korva-cli calculo / processo / gerar, end to end on a fresh data folder:
// import a calculation document, generate its month rows, export, import the
// export again and compare; a refused import leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

const char* Documento = R"({
  "Processo": {"Processo": "0001234-55.2008.5.01.0001", "CodRecte": 1, "DtAjuiz": "10/03/2008",
               "Calculista": "ana souza"},
  "Partes": [{"Nome": "joão da silva", "TipoParte": 1, "Dependentes": 2, "TipoDocumento": 9, "Sequencial": 5}],
  "Arquivo1": [{"Item": 1, "Mes1": 1, "Ano1": 2005, "Mes2": 12, "Ano2": 2006, "Qtde": 1.0, "VFM": "V", "INSS": "S"}],
  "Acrescimos": [{"Descricao": "Honorários", "Valor": 15.0, "Tipo": "P", "LimMinimo": 0.0, "LimMaximo": 0.0}]
})";

const std::string Numero = "0001234-55.2008.5.01.0001";

struct Cli {
    korva::teste::PastaTemporaria pasta;
    std::string roda(const std::string& args, int* st) {
        return korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }
    std::string arquivo(const std::string& nome) { return (pasta.caminho() / nome).string(); }
    json lista() {
        int st = -1;
        const std::string s = roda("processo listar --json", &st);
        EXPECT_EQ(st, 0) << s;
        return json::parse(s);
    }
};

}  // namespace

TEST(CalculoCli, ImportGenerateExportAndTheRoundTrip) {
    Cli c;
    int st = -1;
    c.roda("init", &st);
    ASSERT_EQ(st, 0);
    korva::teste::GravaArquivo(c.arquivo("doc.json"), Documento);
    std::string s = c.roda("calculo importar " + c.arquivo("doc.json"), &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("Processo: " + Numero + " Grupo: 1"), std::string::npos) << s;

    s = c.roda("gerar " + Numero + " 1", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("24 linha(s)"), std::string::npos) << s;

    s = c.roda("calculo exportar " + Numero + " 1 " + c.arquivo("e1.json"), &st);
    ASSERT_EQ(st, 0) << s;
    const std::string e1 = korva::teste::LeArquivo(c.arquivo("e1.json"));
    const json d = json::parse(e1);
    EXPECT_EQ(d["Arquivo2"].size(), 24u);
    EXPECT_EQ(d["Arquivo2"][0]["Mes"], 1);
    EXPECT_EQ(d["Arquivo2"][23]["Ano"], 2006);
    EXPECT_EQ(d["Partes"][0]["Nome"], "João da Silva");
    EXPECT_EQ(d["Processo"]["Calculista"], "Ana Souza");
    EXPECT_EQ(d["Acrescimos"].size(), 1u);

    // Delete, import the export, export again: the same document.
    s = c.roda("processo excluir " + Numero + " 1", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_TRUE(c.lista().empty());
    s = c.roda("calculo importar " + c.arquivo("e1.json"), &st);
    EXPECT_EQ(st, 0) << s;
    s = c.roda("calculo exportar " + Numero + " 1 " + c.arquivo("e2.json"), &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_EQ(korva::teste::LeArquivo(c.arquivo("e2.json")), e1);

    // A new group copies the tables; the list shows both.
    s = c.roda("processo novo-grupo " + Numero + " 1", &st);
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("Grupo: 2"), std::string::npos) << s;
    const json l = c.lista();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[1]["CodRecte"], 2);
    s = c.roda("calculo exportar " + Numero + " 2", &st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(json::parse(s)["Arquivo2"].size(), 24u);

    s = c.roda("gerar 999 1", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Cálculo não encontrado"), std::string::npos) << s;
}

TEST(CalculoCli, ARefusedImportLeavesNothingBehind) {
    Cli c;
    int st = -1;
    c.roda("init", &st);
    ASSERT_EQ(st, 0);
    json doc = json::parse(Documento);
    doc["Arquivo1"].push_back(doc["Arquivo1"][0]);
    doc["Arquivo1"][1]["Ano2"] = 2004;  // ends before it starts
    korva::teste::GravaArquivo(c.arquivo("ruim.json"), doc.dump());
    const std::string s = c.roda("calculo importar " + c.arquivo("ruim.json"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(s.find("Arquivo1, linha 2: Período especificado inválido!"), std::string::npos) << s;
    EXPECT_TRUE(c.lista().empty());
    const auto privado = c.pasta.caminho() / "Privado";
    for (const auto& e : std::filesystem::recursive_directory_iterator(privado))
        EXPECT_EQ(e.path().parent_path().filename().string().rfind("Sub", 0), std::string::npos) << e.path();

    korva::teste::GravaArquivo(c.arquivo("quebrado.json"), "{\"Processo\": ");
    EXPECT_NE(c.roda("calculo importar " + c.arquivo("quebrado.json"), &st).find("não é um documento JSON válido"),
              std::string::npos);
    EXPECT_EQ(st, 2);
}

TEST(CalculoCli, AMalformedDocumentIsToldInPortugueseWithLineAndColumn) {
    Cli c;
    int st = -1;
    c.roda("init", &st);
    ASSERT_EQ(st, 0);
    const struct {
        const char* texto;
        const char* mensagem;
    } casos[] = {
        {"{\"Processo\": {\"Processo\": \"1/2009\",\n  \"CodRecte\": 1,\n}}",
         "na linha 3, coluna 1, esperava o nome de um campo entre aspas, encontrou '}' (há uma vírgula sobrando antes "
         "de '}')."},
        {"{\"Processo\": {\"Processo\": \"1/2009\", \"AliquotaUnica\": verdadeiro}}",
         "na linha 1, coluna 54, valor inválido 'verdadeiro'"},
        {"{\"Processo\": {\"Calculista\": \"Jos\xE9\"}}", "na linha 1, coluna 33, texto com um byte que não é UTF-8"},
        {"{\"Processo\": {\"Processo\": \"1/2009\"", "na linha 1, coluna 35, o documento termina antes do fim; esperava ',' ou '}'"},
    };
    for (const auto& caso : casos) {
        korva::teste::GravaArquivo(c.arquivo("ruim.json"), caso.texto);
        const std::string s = c.roda("calculo importar " + c.arquivo("ruim.json"), &st);
        EXPECT_EQ(st, 2) << s;
        EXPECT_NE(s.find("O arquivo " + c.arquivo("ruim.json") + " não é um documento JSON válido: " + caso.mensagem),
                  std::string::npos)
            << s;
        EXPECT_EQ(s.find("json.exception"), std::string::npos) << s;
    }
    EXPECT_TRUE(c.lista().empty());
}
