// korva-cli prorrata importar, exportar, listar, excluir and de-calculo: the
// pro-rata records of a fresh installation through the real command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

const char* Registro = R"({
  "Prorrata": {"Processo": "0001234-56.2019.5.02.0001", "CodRecte": 1, "DtAjuiz": "10/01/2019",
               "DtBase": "31/05/2021", "Valor": 1500.5, "DtFinal": "30/04/2024", "Parte1": "Ana Souza"},
  "Parcelas": [{"Data": "01/02/2022", "Valor": 100}],
  "JurosProrrata": [{"Data": "31/12/2020", "Juros": 1, "Forma": "s"}],
  "AcrescProrrata": [{"Descricao": "Custas", "Valor": 95.3, "Tipo": "V", "DtBase": "02/03/2021", "Totalizar": true}]
})";

const char* Calculo = R"({
  "Processo": {"Processo": "0100872-32.2019.5.02.0045", "CodRecte": 3, "DtAjuiz": "04/08/2019",
               "DtBase": "30/09/2023", "Calculista": "Marina Teixeira", "INSSReclamado": 20.0, "INSSRisco": 3.0,
               "INSSTerceiros": 5.8, "TotalBaseINSS": 1000.0, "AdicionarINSSRecte": true,
               "ValorINSSReclamante": 110.0, "ValorTotalIR": 321.45, "Total": 45678.9},
  "Partes": [{"Nome": "Maria Santos", "TipoParte": 1, "Dependentes": 0, "Sequencial": 1},
             {"Nome": "Limpeza Ltda.", "TipoParte": 3, "Dependentes": 0, "Sequencial": 2}]
})";

struct ProrrataCli : ::testing::Test {
    korva::teste::PastaTemporaria pasta;
    int st = -1;

    std::string roda(const std::string& args) {
        return korva::teste::RodaCli("--dados '" + pasta.caminho().string() + "' " + args, &st);
    }
    std::string arquivo(const char* nome) { return (pasta.caminho() / nome).string(); }
    void SetUp() override {
        roda("init");
        ASSERT_EQ(st, 0);
        korva::teste::GravaArquivo(arquivo("reg.json"), Registro);
    }
    static std::string UltimaLinha(std::string s) {
        while (!s.empty() && s.back() == '\n') s.pop_back();
        const auto p = s.rfind('\n');
        return p == std::string::npos ? s : s.substr(p + 1);
    }
};

TEST_F(ProrrataCli, ImportExportListAndDelete) {
    std::string s = roda("prorrata importar '" + arquivo("reg.json") + "'");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(UltimaLinha(s), "Codigo: 1");
    s = roda("prorrata importar '" + arquivo("reg.json") + "' --json");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), json({{"Codigo", 2}}));

    // To a file, and to stdout: the same document, imported rows as stored.
    s = roda("prorrata exportar 1 '" + arquivo("saida.json") + "'");
    ASSERT_EQ(st, 0) << s;
    const json doc = json::parse(korva::teste::LeArquivo(arquivo("saida.json")));
    EXPECT_EQ(doc["JurosProrrata"][0]["Forma"], "S");
    EXPECT_EQ(doc["AcrescProrrata"].size(), 1u);
    EXPECT_EQ(doc["Parcelas"][0]["Valor"], 100.0);
    s = roda("--json prorrata exportar 1");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), doc);

    s = roda("prorrata listar");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("1\t0001234-56.2019.5.02.0001\t1\t31/05/2021\t1.500,50\t30/04/2024\t"), std::string::npos) << s;
    s = roda("prorrata listar --json");
    ASSERT_EQ(st, 0) << s;
    const json lista = json::parse(s);
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(lista[1]["Codigo"], 2);
    EXPECT_EQ(lista[1]["Processo"], "0001234-56.2019.5.02.0001");
    EXPECT_EQ(lista[1]["Valor"], 1500.5);
    EXPECT_EQ(lista[1]["DtFinal"], "30/04/2024");

    s = roda("prorrata excluir 1");
    ASSERT_EQ(st, 0) << s;
    s = roda("--json prorrata listar");
    ASSERT_EQ(json::parse(s).size(), 1u);
    // The deleted record's rows went with it; the other's stayed.
    s = roda("--json prorrata exportar 2");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s)["Parcelas"].size(), 1u);

    s = roda("prorrata excluir 1");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Registro de atualização prorrata não encontrado: código 1."), std::string::npos) << s;
    s = roda("prorrata exportar 9");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não encontrado"), std::string::npos) << s;
}

TEST_F(ProrrataCli, RefusedDocumentStoresNothing) {
    json doc = json::parse(Registro);
    doc["JurosProrrata"].push_back({{"Data", "31/12/2021"}, {"Juros", 1}, {"Forma", "X"}});
    korva::teste::GravaArquivo(arquivo("ruim.json"), doc.dump());
    const std::string s = roda("prorrata importar '" + arquivo("ruim.json") + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("JurosProrrata[2].Forma: Valor Inválido para o Campo!"), std::string::npos) << s;
    EXPECT_EQ(json::parse(roda("--json prorrata listar")).size(), 0u);
}

TEST_F(ProrrataCli, RecordFromACalculation) {
    korva::teste::GravaArquivo(arquivo("calc.json"), Calculo);
    std::string s = roda("calculo importar '" + arquivo("calc.json") + "'");
    ASSERT_EQ(st, 0) << s;
    s = roda("prorrata de-calculo 0100872-32.2019.5.02.0045 3 --inss --ir");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(UltimaLinha(s), "Codigo: 1");
    s = roda("--json prorrata exportar 1");
    ASSERT_EQ(st, 0) << s;
    const json doc = json::parse(s);
    EXPECT_EQ(doc["Prorrata"]["CodRecte"], 3);
    EXPECT_EQ(doc["Prorrata"]["Valor"], 45678.9);
    EXPECT_EQ(doc["Prorrata"]["DtBase"], "30/09/2023");
    EXPECT_EQ(doc["Prorrata"]["Parte1"], "Maria Santos");
    EXPECT_EQ(doc["Prorrata"]["Parte2"], "Limpeza Ltda.");
    const json& a = doc["AcrescProrrata"];
    ASSERT_GE(a.size(), 2u);
    EXPECT_EQ(a[a.size() - 2]["Descricao"], "INSS - Parcela do Autor incluida");
    EXPECT_NEAR(a[a.size() - 2]["Valor"].get<double>(), 398.0, 1e-9);
    EXPECT_EQ(a.back()["Descricao"], "Imposto de Renda");

    // Options before the subcommand; no additions asked for.
    s = roda("--json prorrata de-calculo 0100872-32.2019.5.02.0045 3");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), json({{"Codigo", 2}}));
    s = roda("--json prorrata exportar 2");
    for (const auto& linha : json::parse(s)["AcrescProrrata"]) EXPECT_NE(linha["Descricao"], "Imposto de Renda");

    s = roda("prorrata de-calculo 0100872-32.2019.5.02.0045 9");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Cálculo não encontrado"), std::string::npos) << s;
}

}  // namespace
