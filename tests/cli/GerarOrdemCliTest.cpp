// korva-cli gerar reads the period rows in the period grid's order, the
// workstation setting "Ordenacao Parametros1", or in the order --ordem names:
// with overlapping period rows of one item, the month rows come out in the
// order of the rows they come from.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "util/ArquivoIni.h"

using nlohmann::json;

namespace {

// Entry order: item 2 from 03/2004 to 05/2004, item 2 again from 01/2004 to
// 03/2004 (both in 03/2004), item 1 in 02/2004.
const char* Documento = R"({
  "Processo": {"Processo": "0000777-11.2005.5.01.0001", "CodRecte": 1, "DtAjuiz": "10/03/2005", "Calculista": "Ana"},
  "Arquivo1": [
    {"Item": 2, "Mes1": 3, "Ano1": 2004, "Mes2": 5, "Ano2": 2004, "VFM": "F", "Valor": 1000.0, "INSS": "S"},
    {"Item": 2, "Mes1": 1, "Ano1": 2004, "Mes2": 3, "Ano2": 2004, "VFM": "F", "Valor": 900.0, "INSS": "S"},
    {"Item": 1, "Mes1": 2, "Ano1": 2004, "Mes2": 2, "Ano2": 2004, "VFM": "V", "Qtde": 1.0, "INSS": "S"}
  ]
})";
const std::string Calculo = "0000777-11.2005.5.01.0001 1";

using Mes = std::tuple<int, int, double>;  // Item, Mes, Valor (tells the two rows of 03/2004 apart)
using Meses = std::vector<Mes>;

const Meses PorCodigo = {{2, 3, 1000}, {2, 4, 1000}, {2, 5, 1000}, {2, 1, 900}, {2, 2, 900}, {2, 3, 900}, {1, 2, 0}};
const Meses PorPeriodo = {{2, 1, 900}, {2, 2, 900}, {2, 3, 900}, {1, 2, 0}, {2, 3, 1000}, {2, 4, 1000}, {2, 5, 1000}};
const Meses PorItem = {{1, 2, 0}, {2, 1, 900}, {2, 2, 900}, {2, 3, 900}, {2, 3, 1000}, {2, 4, 1000}, {2, 5, 1000}};

struct Cli {
    korva::teste::PastaTemporaria pasta;
    Cli() {
        int st = -1;
        std::string s = roda("init", &st);
        EXPECT_EQ(st, 0) << s;
        korva::teste::GravaArquivo(pasta.caminho() / "doc.json", Documento);
        s = roda("calculo importar " + (pasta.caminho() / "doc.json").string(), &st);
        EXPECT_EQ(st, 0) << s;
    }
    std::string roda(const std::string& args, int* st) {
        return korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, st);
    }
    void ordenacao(const std::string& valor) {
        korva::ArquivoIni ini(pasta.caminho() / "korva.INI");
        ini.escreve("Configuracoes", "Ordenacao Parametros1", valor);
    }
    // Generates with these options; returns the order the JSON output names.
    std::string gera(const std::string& opcoes) {
        int st = -1;
        const std::string s = roda("gerar " + Calculo + " --json " + opcoes, &st);
        EXPECT_EQ(st, 0) << s;
        const json j = json::parse(s, nullptr, false);
        if (j.is_discarded()) return "saída sem JSON: " + s;
        EXPECT_EQ(j.value("linhas", 0), 7) << s;
        return j.value("ordem", "");
    }
    // The month rows in the order they were stored.
    Meses meses() {
        int st = -1;
        const std::string s = roda("calculo exportar " + Calculo, &st);
        EXPECT_EQ(st, 0) << s;
        const json doc = json::parse(s);
        Meses r;
        for (const auto& l : doc["Arquivo2"])
            r.emplace_back(l["Item"].get<int>(), l["Mes"].get<int>(), l["Valor"].is_null() ? 0.0 : l["Valor"].get<double>());
        return r;
    }
};

}  // namespace

TEST(GerarOrdemCli, TheMonthRowsFollowTheSettingOfThePeriodGrid) {
    Cli c;
    // A new installation's setting is "0", the grid's first order.
    EXPECT_EQ(c.gera(""), "Periodo");
    EXPECT_EQ(c.meses(), PorPeriodo);

    const struct {
        const char* valor;
        const char* ordem;
        const Meses& meses;
    } casos[] = {
        {"1", "Item", PorItem},
        {"2", "(sem ordem)", PorCodigo},
        {"0", "Periodo", PorPeriodo},
        {"7", "Periodo", PorPeriodo},  // no such position: the default
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.valor);
        c.ordenacao(k.valor);
        EXPECT_EQ(c.gera(""), k.ordem);
        EXPECT_EQ(c.meses(), k.meses);
    }
}

TEST(GerarOrdemCli, OrdemOverridesTheSettingAndUnknownNamesAreRefused) {
    Cli c;
    c.ordenacao("1");
    EXPECT_EQ(c.gera("--ordem codigo"), "(sem ordem)");
    EXPECT_EQ(c.meses(), PorCodigo);
    EXPECT_EQ(c.gera("--ordem PERIODO"), "Periodo");
    EXPECT_EQ(c.meses(), PorPeriodo);
    EXPECT_EQ(c.gera("--ordem=item"), "Item");
    EXPECT_EQ(c.meses(), PorItem);
    // The override is not stored: the setting still gives its order.
    c.ordenacao("2");
    c.gera("--ordem item");
    EXPECT_EQ(c.gera(""), "(sem ordem)");

    int st = -1;
    const std::string s = c.roda("gerar " + Calculo + " --ordem data", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("--ordem"), std::string::npos) << s;
    EXPECT_EQ(c.meses(), PorCodigo);  // nothing generated
}
