// The exchange document of one calculation: import through the register and
// the tables' rules, export, the round trip, and the all-or-nothing import.
#include <gtest/gtest.h>

#include <filesystem>

#include "BaseRegistro.h"
#include "register/OpcoesProcesso.h"
#include "register/TrocaCalculo.h"
#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Esquemas.h"

using namespace korva;
using nlohmann::json;

namespace {

const Data Hoje = Data::de(2026, 12, 9);

struct Troca : teste::BaseRegistro {
    AjustesRegistro ajustes{"", "", "", [] { return 100; }};
    teste::PastaTemporaria pastaComp;
    Banco compartilhado{"CalcComp", pastaComp.caminho()};
    TabelasReferencia referencia{compartilhado};

    void SetUp() override {
        BaseRegistro::SetUp();
        compartilhado.criaTabela("FeriadosPadrao.db", *EsquemaCompartilhado("FeriadosPadrao.db"));
        banco.criaTabela("Rendimen.DB", EsquemaRendimen());
        gravaPadroes("Ana Souza", JurosLegais);
        gravaAcrescimosPadrao();
        Tabela r(banco, "Rendimen.DB");
        r.abre();
        r.insere();
        r["Codigo"] = 101;
        r["DescRend"] = "Horas Extras";
        r["INSS"] = "S";
        r["IR"] = 1;
        r["Tipo"] = "S";
        r.grava();
    }

    CalculoImportado importa(const json& doc) { return ImportaCalculo(banco, referencia, ajustes, doc, [] { return Hoje; }); }

    static json Documento() {
        return json::parse(R"({
          "Processo": {"Processo": "123/2008", "CodRecte": 1, "DtAjuiz": "10/03/2008", "Calculista": "joão souza"},
          "Partes": [{"Nome": "maria da silva", "TipoParte": 1, "Dependentes": 1, "TipoDocumento": 9, "Sequencial": 7},
                     {"Nome": "Empresa Ltda", "TipoParte": 2, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 8}],
          "Arquivo1": [{"Item": 101, "Mes1": 1, "Ano1": 2005, "Mes2": 3, "Ano2": 2005, "Valor": 250.5, "VFM": "V",
                        "INSS": "S"},
                       {"Item": 101, "Mes1": 4, "Ano1": 2005, "Valor": 300.0, "VFM": "V", "INSS": "N"}],
          "Arquivo2": [{"Item": 101, "Mes": 1, "Ano": 2005, "Valor": 250.5, "VFM": "V", "CodDataBasePadrao": 1,
                        "DtBase": "31/01/2005", "Calculado": true, "INSS": "S"},
                       {"Item": 101, "Mes": 2, "Ano": 2005, "Valor": 80.0, "VFM": "V", "CodDataBasePadrao": 50,
                        "DtBase": "10/03/2005", "INSS": "N", "Qtde": 3.0}],
          "BasesINSS": [{"Mes": 1, "Ano": 2005, "Valor": 900.0}, {"Mes": 2, "Ano": 2005, "Valor": 950.0}],
          "BasesSalariais": [{"Mes": 1, "Ano": 2005, "Descricao": "Salário", "Valor": 1200.0}],
          "Acrescimos": [{"Descricao": "Perícia", "Valor": 500.0, "Tipo": "V", "DtBase": "01/06/2009",
                          "LimMinimo": 0.0, "LimMaximo": 0.0}],
          "Juros": [{"Data": "01/01/2005", "Juros": 1.0, "Forma": "s"}]
        })");
    }

    // Table files of the calculation folder 1.
    int arquivosDoConjunto() {
        int n = 0;
        const auto pastaSub = pasta.caminho() / "Sub00001";
        if (!std::filesystem::exists(pastaSub)) return 0;
        for (const auto& e : std::filesystem::directory_iterator(pastaSub)) n += e.is_regular_file();
        return n;
    }

    void falha(const json& doc, const std::string& trecho) {
        try {
            importa(doc);
            ADD_FAILURE() << "import accepted: " << trecho;
        } catch (const ErroKorva& e) {
            EXPECT_NE(std::string(e.what()).find(trecho), std::string::npos) << e.what();
        }
    }
};

}  // namespace

TEST_F(Troca, ImportGoesThroughInsertionAndTheRulesOfEveryTable) {
    const auto r = importa(Documento());
    EXPECT_EQ(r.processo, "123/2008");
    EXPECT_EQ(r.codRecte, 1);
    const json d = ExportaCalculo(banco, "123/2008", 1);
    // Absent fields take the insertion values; present ones go through the rules.
    EXPECT_EQ(d["Processo"]["DtGrav"], "09/12/2026");
    EXPECT_EQ(d["Processo"]["INSSReclamado"], 20.0);
    EXPECT_EQ(d["Processo"]["Calculista"], "João Souza");
    EXPECT_EQ(d["Processo"]["Total"], 0.0);
    EXPECT_FALSE(d["Processo"].contains("Arquivo"));
    EXPECT_FALSE(d["Processo"].contains("Diretorio"));
    EXPECT_EQ(d["Partes"][0]["Nome"], "Maria da Silva");
    EXPECT_EQ(d["Partes"][0]["Documento"], "7");  // sequential document filled in on store
    EXPECT_FALSE(d["Partes"][0].contains("Codigo"));
    // An empty end of the period takes its start.
    EXPECT_EQ(d["Arquivo1"][1]["Mes2"], 4);
    EXPECT_EQ(d["Arquivo1"][1]["Ano2"], 2005);
    EXPECT_EQ(d["Arquivo1"][0]["Valor"], 250.5);
    // Month rows: the stored Calculado is kept, DtBase follows the standard
    // code (a typed date under code 50), fields the row's kind does not use
    // are emptied, and a new row without Calculado starts uncalculated.
    ASSERT_EQ(d["Arquivo2"].size(), 2u);
    EXPECT_EQ(d["Arquivo2"][0]["Calculado"], true);
    EXPECT_EQ(d["Arquivo2"][0]["DtBase"], "31/01/2005");
    EXPECT_EQ(d["Arquivo2"][1]["Calculado"], false);
    EXPECT_EQ(d["Arquivo2"][1]["DtBase"], "10/03/2005");
    EXPECT_TRUE(d["Arquivo2"][1]["Qtde"].is_null());
    EXPECT_EQ(d["BasesINSS"].size(), 2u);
    EXPECT_EQ(d["BasesSalariais"][0]["Descricao"], "Salário");
    // The document's additions replace the default ones.
    ASSERT_EQ(d["Acrescimos"].size(), 1u);
    EXPECT_EQ(d["Acrescimos"][0]["Descricao"], "Perícia");
    EXPECT_EQ(d["Acrescimos"][0]["DtBase"], "01/06/2009");
    ASSERT_EQ(d["Juros"].size(), 1u);
    EXPECT_EQ(d["Juros"][0]["Forma"], "S");

    // A document without additions keeps the defaults of a new calculation.
    json semAcrescimos = Documento();
    semAcrescimos.erase("Acrescimos");
    semAcrescimos["Processo"]["CodRecte"] = 3;
    importa(semAcrescimos);
    EXPECT_EQ(ExportaCalculo(banco, "123/2008", 3)["Acrescimos"].size(), 2u);
}

TEST_F(Troca, ExportImportExportGivesTheSameDocument) {
    importa(Documento());
    const json primeiro = ExportaCalculo(banco, "123/2008", 1);
    json copia = primeiro;
    copia["Processo"]["CodRecte"] = 2;
    importa(copia);
    json segundo = ExportaCalculo(banco, "123/2008", 2);
    EXPECT_EQ(segundo["Processo"]["CodRecte"], 2);
    segundo["Processo"]["CodRecte"] = 1;
    EXPECT_EQ(segundo.dump(), primeiro.dump());
    EXPECT_THROW(ExportaCalculo(banco, "999/2008", 1), ErroKorva);
}

TEST_F(Troca, AFailedImportLeavesNothingBehind) {
    json doc = Documento();
    doc["Arquivo1"][1]["Item"] = 555;  // not in the catalogue
    falha(doc, "Arquivo1, linha 2: Item: Item de Cálculo inválido!");
    // The last table refused: everything before it goes too.
    doc = Documento();
    doc["Juros"].push_back({{"Data", "01/02/2005"}, {"Juros", 1.0}, {"Forma", "X"}});
    falha(doc, "Juros, linha 2: Forma: Valor Inválido para o Campo!");
    doc = Documento();
    doc["BasesINSS"][1]["Mes"] = 1;  // the month is already there
    falha(doc, "BasesINSS, linha 2:");
    doc = Documento();
    doc["Partes"][0]["Dependentes"] = "dois";
    falha(doc, "Partes, linha 1: Valor inválido para o campo Dependentes");
    doc = Documento();
    doc["Arquivo2"][0]["DtBase"] = "31/02/2005";
    falha(doc, "Arquivo2, linha 1: Valor inválido para o campo DtBase");
    doc = Documento();
    doc["Arquivo2"][0]["CodDataBasePadrao"] = 7;  // no date rule
    falha(doc, "Arquivo2, linha 1: CodDataBasePadrao: Código de Data Base Padrão inválido (7)!");
    doc = Documento();
    doc["Arquivo2"][1]["Item"] = 555;
    falha(doc, "Arquivo2, linha 2: Item: Item de Cálculo inválido!");
    doc = Documento();
    doc["Arquivo1"][0]["Cor"] = "azul";
    falha(doc, "Arquivo1, linha 1: Campo desconhecido: Cor.");
    EXPECT_EQ(linhas("Processo.DB"), 0);
    EXPECT_EQ(arquivosDoConjunto(), 0);

    // Refused before anything is stored.
    doc = Documento();
    doc["Processo"].erase("Processo");
    EXPECT_THROW(importa(doc), ErroKorva);
    falha(json::array(), "deve ser um objeto");
    doc = Documento();
    doc["Extras"] = json::array();
    falha(doc, "Tabela desconhecida no documento: Extras.");
    EXPECT_EQ(linhas("Processo.DB"), 0);

    // An existing calculation is neither replaced nor deleted.
    importa(Documento());
    const int arquivos = arquivosDoConjunto();
    falha(Documento(), "Já existe o cálculo do processo 123/2008, grupo 1.");
    EXPECT_EQ(linhas("Processo.DB"), 1);
    EXPECT_EQ(arquivosDoConjunto(), arquivos);
    EXPECT_EQ(ExportaCalculo(banco, "123/2008", 1)["Arquivo1"].size(), 2u);
}

TEST_F(Troca, ValuesNoCalculationCanMeanAreRefusedNamingTableRowAndField) {
    json doc = Documento();
    doc["Arquivo1"][1]["Valor"] = 1e308;
    falha(doc, "Arquivo1, linha 2: Dado fora da faixa de valores possíveis: tabela Sub00001\\A0000001.db, campo Valor");
    doc = Documento();
    doc["Arquivo2"][0]["Valor"] = -1.5e12;
    falha(doc, "Arquivo2, linha 1: Dado fora da faixa de valores possíveis");
    doc = Documento();
    doc["BasesINSS"][0]["Valor"] = -900.0;
    falha(doc, "BasesINSS, linha 1: Valor: Valor inválido para o campo!");
    doc = Documento();
    doc["Partes"][0]["Dependentes"] = 18446744073709551615ull;  // 2^64 - 1
    falha(doc, "Partes, linha 1:");
    doc = Documento();
    doc["Processo"]["INSSTerceiros"] = -32769;
    falha(doc, "campo INSSTerceiros = -32769 (de -1000 a 1000)");
    doc = Documento();
    doc["Juros"][0]["Data"] = "01/01/0001";
    falha(doc, "Juros, linha 1: Dado fora da faixa de valores possíveis");
    doc = Documento();
    doc["Processo"]["DtAjuiz"] = "31/12/9999";
    falha(doc, "campo DtAjuiz = 31/12/9999 (de 01/01/1900 a 31/12/2100)");
    for (const std::string& numero : {std::string("12\0/34", 6), std::string("../../etc"), std::string("1; rm -rf ~"),
                                     std::string("$(reboot)"), std::string("/tmp/x")}) {
        doc = Documento();
        doc["Processo"]["Processo"] = numero;
        falha(doc, "Formato do número do processo inválido!");
    }
    EXPECT_EQ(linhas("Processo.DB"), 0);
    EXPECT_EQ(arquivosDoConjunto(), 0);
    // The limits themselves are values a calculation can hold.
    doc = Documento();
    doc["Arquivo1"][1]["Valor"] = 1e12;
    doc["Processo"]["INSSRisco"] = 1000.0;
    doc["Processo"]["DtAjuiz"] = "31/12/2100";
    doc["Processo"]["Processo"] = "0001234-55.2008.5/01 A";
    EXPECT_NO_THROW(importa(doc));
}

// Schedules and time cards travel with their times as "hh:nn" and go through
// the table rules, not through the entry window's period check.
TEST_F(Troca, SchedulesAndCardsGoThroughTheirTableRules) {
    json doc = Documento();
    doc["Jornada"] = json::parse(R"([
        {"Data1": "01/03/2004", "Data2": "31/03/2004", "Turnos": 1, "Apuracao": "s", "PrevHE1": "07:30",
         "HabilitarTolerancia": true},
        {"Data1": "01/04/2004", "Data2": "30/04/2004"}])");
    doc["Cartao"] = json::parse(R"([
        {"Data": "09/03/2004", "Ent1": "08:00", "Sai1": "12:00", "Ent2": "13:00", "Sai2": "17:30", "Situacao": ""},
        {"Data": "14/03/2004", "Ent1": "22:00", "Sai1": "06:00", "Situacao": "f"},
        {"Data": "15/06/2004", "Ent1": "08:00", "Sai1": "12:00", "Ent2": null, "Sai2": null}])");
    importa(doc);
    const json d = ExportaCalculo(banco, "123/2008", 1);
    ASSERT_EQ(d["Jornada"].size(), 2u);
    const json& j = d["Jornada"][0];
    EXPECT_EQ(j["Data1"], "01/03/2004");
    EXPECT_EQ(j["Turnos"], 1);
    EXPECT_EQ(j["Apuracao"], "S");
    EXPECT_EQ(j["PrevHE1"], "07:30");
    EXPECT_EQ(j["HabilitarTolerancia"], true);
    // Fields the document leaves out take the defaults of a new schedule.
    const json& padrao = d["Jornada"][1];
    EXPECT_EQ(padrao["JornDiaria"], "08:00");
    EXPECT_EQ(padrao["HENot"], "22:00");
    EXPECT_EQ(padrao["TolAntHS2"], "00:05");
    EXPECT_EQ(padrao["PrevHE4"], "00:00");
    EXPECT_EQ(padrao["HorasSemanais"], 44.0);
    EXPECT_EQ(padrao["Apuracao"], "D");
    EXPECT_EQ(padrao["HabilitarTolerancia"], false);
    ASSERT_EQ(d["Cartao"].size(), 3u);
    EXPECT_EQ(d["Cartao"][0]["Sai2"], "17:30");
    EXPECT_EQ(d["Cartao"][0]["Situacao"], "");
    EXPECT_EQ(d["Cartao"][1]["Sai1"], "06:00");
    EXPECT_EQ(d["Cartao"][1]["Situacao"], "F");
    EXPECT_EQ(d["Cartao"][1]["Ent2"], "00:00");  // a new card starts at 00:00
    // A card outside every schedule is kept; an empty punch stays empty.
    EXPECT_EQ(d["Cartao"][2]["Data"], "15/06/2004");
    EXPECT_TRUE(d["Cartao"][2]["Ent2"].is_null());

    // The export imports again into the same document.
    banco.executa("Processo.DB", "delete from Tabela");
    importa(d);
    const json again = ExportaCalculo(banco, "123/2008", 1);
    EXPECT_EQ(again["Jornada"], d["Jornada"]);
    EXPECT_EQ(again["Cartao"], d["Cartao"]);
}

TEST_F(Troca, ARefusedScheduleOrCardLeavesNothingBehind) {
    const json jornada = json::parse(R"([{"Data1": "10/03/2004", "Data2": "31/03/2004"}])");
    const json cartao = json::parse(R"([{"Data": "10/03/2004", "Ent1": "08:00", "Sai1": "12:00"}])");
    auto comPonto = [&] {
        json doc = Documento();
        doc["Jornada"] = jornada;
        doc["Cartao"] = cartao;
        return doc;
    };
    json doc = comPonto();
    doc["Jornada"][0]["Data2"] = "09/03/2004";
    falha(doc, "Jornada, linha 1: Período ínválido para a Jornada!");
    doc = comPonto();
    doc["Jornada"][0]["Turnos"] = 5;
    falha(doc, "Jornada, linha 1: Turnos: Preencha o campo Turnos com 1, 2, 3 ou 4.");
    doc = comPonto();
    doc["Jornada"].push_back({{"Data1", "10/03/2004"}, {"Data2", "20/03/2004"}});
    falha(doc, "Jornada, linha 2:");
    doc = comPonto();
    doc["Cartao"].push_back({{"Data", "11/03/2004"}, {"Ent1", "08:00"}, {"Sai1", "12:00"}, {"Situacao", "X"}});
    falha(doc, "Cartao, linha 2: Situacao: Valor inválido para o campo!");
    doc = comPonto();
    doc["Cartao"][0]["Ent1"] = "25:00";
    falha(doc, "Cartao, linha 1: Valor inválido para o campo Ent1: \"25:00\" (esperado um horário hh:nn).");
    doc = comPonto();
    doc["Cartao"][0]["Sai1"] = 0.5;  // times travel as text
    falha(doc, "Cartao, linha 1: Valor inválido para o campo Sai1");
    doc = comPonto();
    doc["Cartao"].push_back(cartao[0]);  // the same day twice
    falha(doc, "Cartao, linha 2:");
    doc = comPonto();
    doc["Cartao"] = json::object();
    falha(doc, "Cartao: deve ser uma lista de linhas.");
    EXPECT_EQ(linhas("Processo.DB"), 0);
    EXPECT_EQ(arquivosDoConjunto(), 0);
}
