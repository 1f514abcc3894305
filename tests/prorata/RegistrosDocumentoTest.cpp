// The exchange document of a pro-rata record: export and import give the
// same rows back, the import goes through the record's rules all or nothing,
// and the additions of the document replace the default ones.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "BaseProrrata.h"
#include "prorata/DocumentoProrrata.h"
#include "util/Erros.h"

namespace korva::teste {
namespace {

using nlohmann::json;

json Documento() {
    return json::parse(R"({
      "Prorrata": {"Processo": "rt 0001234/2019", "CodRecte": 2, "DtAjuiz": "10/01/2019", "DtBase": "31/05/2021",
                   "Valor": 12345.67, "DtFinal": "30/04/2024", "Parte1": "Ana Souza", "Parte2": "Beta S.A.",
                   "ComJuros": true, "JurosConstantes": false, "ValorJuros": 321.5, "Indice": 3,
                   "FormaAbatimento": "p", "ValorFGTS": 800.0, "CalcularJurosFGTS": false,
                   "ObsFinal": "Conforme acordo", "UsarJurosPadrao": 2, "Obs": "Precatório 17/2021"},
      "Parcelas": [{"Data": "01/08/2022", "Valor": 300.0}, {"Data": "01/02/2022", "Valor": 100.0}],
      "JurosProrrata": [{"Data": "31/12/2022", "Juros": 1.0, "Forma": "c"}, {"Data": "28/02/2022", "Juros": 0.5, "Forma": "S"}],
      "AcrescProrrata": [{"Descricao": "Multa", "Valor": 10.0, "Tipo": "P", "DtBase": null, "Totalizar": true},
                         {"Descricao": "Custas", "Valor": 95.3, "Tipo": "V", "DtBase": "02/03/2021", "Totalizar": false}]
    })");
}

int Registros(Banco& banco) {
    Tabela t(banco, kTabelaProrrata);
    t.abre(ModoAbertura::SomenteLeitura);
    return t.quantidade();
}

int Linhas(Banco& banco, const char* tabela) {
    Tabela t(banco, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    return t.quantidade();
}

TEST_F(BaseProrrata, DocumentRoundTripGivesTheSameRows) {
    const int codigo = ImportaProrrata(banco, ajustes, Documento(), Hoje);
    ASSERT_GT(codigo, 0);
    const json exportado = ExportaProrrata(banco, codigo);
    EXPECT_EQ(exportado["Prorrata"]["Processo"], "RT 0001234/2019");
    EXPECT_EQ(exportado["Prorrata"]["FormaAbatimento"], "P");
    EXPECT_FALSE(exportado["Prorrata"].contains("Codigo"));
    // The lists come out in the order of the record's grids.
    ASSERT_EQ(exportado["Parcelas"].size(), 2u);
    EXPECT_EQ(exportado["Parcelas"][0]["Data"], "01/02/2022");
    EXPECT_EQ(exportado["JurosProrrata"][0]["Data"], "28/02/2022");
    EXPECT_EQ(exportado["JurosProrrata"][1]["Forma"], "C");
    // The document's additions replace the defaults.
    ASSERT_EQ(exportado["AcrescProrrata"].size(), 2u);
    EXPECT_EQ(exportado["AcrescProrrata"][0]["Descricao"], "Multa");
    EXPECT_EQ(exportado["AcrescProrrata"][1]["DtBase"], "02/03/2021");

    const int outro = ImportaProrrata(banco, ajustes, exportado, Hoje);
    EXPECT_NE(outro, codigo);
    EXPECT_EQ(ExportaProrrata(banco, outro), exportado);
    EXPECT_EQ(Linhas(banco, kTabelaAcrescProrrata), 4);
}

TEST_F(BaseProrrata, DocumentWithoutAdditionsGetsTheDefaultsAndFieldsLeftOutTheNewRecordValues) {
    json doc = {{"Prorrata",
                 {{"Processo", "AAA"}, {"CodRecte", 1}, {"DtAjuiz", "10/01/2019"}, {"DtBase", "31/05/2021"},
                  {"Valor", 10.0}}}};
    const int codigo = ImportaProrrata(banco, ajustes, doc, Hoje);
    const json e = ExportaProrrata(banco, codigo);
    EXPECT_EQ(e["Prorrata"]["DtFinal"], Hoje.dma());
    EXPECT_EQ(e["Prorrata"]["Indice"], 4);
    EXPECT_EQ(e["Prorrata"]["ValorFGTS"], 0.0);
    ASSERT_EQ(e["AcrescProrrata"].size(), 2u);
    EXPECT_EQ(e["AcrescProrrata"][0]["Descricao"], "Honorários");
    EXPECT_TRUE(e["Parcelas"].empty());

    // An empty list of additions is present: no defaults.
    doc["AcrescProrrata"] = json::array();
    const int semAcrescimos = ImportaProrrata(banco, ajustes, doc, Hoje);
    EXPECT_TRUE(ExportaProrrata(banco, semAcrescimos)["AcrescProrrata"].empty());
}

TEST_F(BaseProrrata, RefusedValueInALaterRowStoresNothingAndNamesTheRow) {
    auto esperaRecusa = [&](const json& doc, const std::string& inicio) {
        try {
            ImportaProrrata(banco, ajustes, doc, Hoje);
            ADD_FAILURE() << "accepted; expected " << inicio;
        } catch (const ErroKorva& e) {
            EXPECT_EQ(std::string(e.what()).rfind(inicio, 0), 0u) << e.what();
        }
        EXPECT_EQ(Registros(banco), 0);
        EXPECT_EQ(Linhas(banco, kTabelaParcelas), 0);
        EXPECT_EQ(Linhas(banco, kTabelaJurosProrrata), 0);
        EXPECT_EQ(Linhas(banco, kTabelaAcrescProrrata), 0);
    };
    json doc = Documento();
    doc["Parcelas"][1]["Data"] = "31/02/2022";
    esperaRecusa(doc, "Parcelas[2].Data: ");

    doc = Documento();
    doc["JurosProrrata"][1]["Forma"] = "X";
    esperaRecusa(doc, "JurosProrrata[2].Forma: Valor Inválido para o Campo!");

    doc = Documento();
    doc["AcrescProrrata"][1]["DtBase"] = nullptr;
    esperaRecusa(doc, "AcrescProrrata[2].DtBase: Campo obrigatório não preenchido ou preenchido incorretamente.");

    doc = Documento();
    doc["AcrescProrrata"][0]["Cor"] = "azul";
    esperaRecusa(doc, "AcrescProrrata[1]: campo desconhecido: Cor.");

    doc = Documento();
    doc["Prorrata"]["FormaAbatimento"] = "X";
    esperaRecusa(doc, "Prorrata.FormaAbatimento: Valor Inválido para o Campo!");

    doc = Documento();
    doc["Prorrata"].erase("DtBase");
    esperaRecusa(doc, "Prorrata: ");

    doc = Documento();
    doc["Prorrata"]["CodRecte"] = "um";
    esperaRecusa(doc, "Prorrata.CodRecte: ");

    doc = Documento();
    doc["Recibos"] = json::array();
    esperaRecusa(doc, "Lista desconhecida no documento: Recibos.");

    ajustes.mascara1 = "9999999-99.9999.9.99.9999";
    esperaRecusa(Documento(), "Prorrata.Processo: Formato do número do processo inválido!");
}

TEST_F(BaseProrrata, ExportOfAnUnknownRecordFails) {
    EXPECT_THROW(ExportaProrrata(banco, 42), ErroKorva);
}

}  // namespace
}  // namespace korva::teste
