// korva-cli prorrata planilha: the statement's workbook read back by an
// independent reader (openpyxl) against prorrata atualizar --json — every
// block's figures, the additions with their formulas, the FGTS and the total
// as a formula whose cached value is the statement's total.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

fs::path Fonte(const std::string& relativo) { return fs::path(KORVA_SOURCE_DIR) / relativo; }
std::string Python() { return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }
std::string Aspas(const fs::path& p) { return "'" + p.string() + "'"; }

class ProrrataPlanilha : public ::testing::Test {
protected:
    korva::teste::PastaTemporaria pasta;

    std::string roda(const std::string& args, int* st = nullptr) {
        int s = -1;
        const std::string r = korva::teste::RodaCli("--dados " + Aspas(pasta.caminho()) + " " + args, &s);
        if (st) *st = s;
        else EXPECT_EQ(s, 0) << args << "\n" << r;
        return r;
    }
    fs::path arquivo(const std::string& nome) const { return pasta.caminho() / nome; }
};

}  // namespace

TEST_F(ProrrataPlanilha, TheWorkbookHoldsTheStatementsFiguresAndItsTotalAsAFormula) {
    roda("init");
    roda("prorrata importar " + Aspas(Fonte("exemplos/prorrata/acordo-parcelado.json")));
    const json e = json::parse(roda("--json prorrata atualizar 1"));
    const fs::path xlsx = arquivo("extrato.xlsx");
    roda("prorrata planilha 1 --saida " + Aspas(xlsx));
    ASSERT_TRUE(fs::exists(xlsx));
    int st = -1;
    const std::string lido = korva::teste::RodaComando(
        Python() + " " + Aspas(Fonte("tests/spreadsheets/le_planilha_prorrata.py")) + " " + Aspas(xlsx) + " 2>&1",
        &st);
    ASSERT_EQ(st, 0) << lido;
    const json p = json::parse(lido);
    EXPECT_TRUE(p["datas_sao_datas"].get<bool>());

    // Amount cells by caption, in the order written.
    std::vector<json> linhas(p["linhas"].begin(), p["linhas"].end());
    auto proxima = [&linhas, i = size_t(0)](const std::string& rotulo) mutable -> json {
        for (; i < linhas.size(); ++i)
            if (linhas[i]["rotulo"] == rotulo) return linhas[i++];
        ADD_FAILURE() << "linha ausente: " << rotulo;
        return json{{"valor", 0.0}};
    };
    EXPECT_DOUBLE_EQ(proxima("b. Valor Atualizado (a)")["valor"].get<double>(), e["P"].get<double>());
    EXPECT_DOUBLE_EQ(proxima("c. Juros Acumulados")["valor"].get<double>(), e["W"].get<double>());
    EXPECT_DOUBLE_EQ(proxima("d. Juros (sobre b)")["valor"].get<double>(), e["E0"].get<double>());
    ASSERT_EQ(e["parcelas"].size(), 3u);
    for (const auto& parcela : e["parcelas"]) {
        EXPECT_DOUBLE_EQ(proxima("Pgto. em")["valor"].get<double>(), parcela["Valor"].get<double>());
        EXPECT_DOUBLE_EQ(proxima("a. Saldo Principal")["valor"].get<double>(), parcela["SaldoPrincipal"].get<double>());
        EXPECT_DOUBLE_EQ(proxima("b. Saldo de Juros")["valor"].get<double>(), parcela["SaldoJuros"].get<double>());
        EXPECT_DOUBLE_EQ(proxima("c. Principal Atualizado (a)")["valor"].get<double>(),
                         parcela["PrincipalAtualizado"].get<double>());
        EXPECT_DOUBLE_EQ(proxima("d. Juros Atualizados (b)")["valor"].get<double>(),
                         parcela["JurosAtualizados"].get<double>());
        EXPECT_DOUBLE_EQ(proxima("e. Juros (sobre c)")["valor"].get<double>(), parcela["ValorJuros"].get<double>());
    }
    for (const auto& a : e["acrescimos"]) {
        const json l = proxima(a["Descricao"].get<std::string>());
        EXPECT_DOUBLE_EQ(l["valor"].get<double>(), a["Valor"].get<double>());
        EXPECT_EQ(l["formula"], a["Formula"]);
        EXPECT_EQ(l["somar"], a["Totalizar"].get<bool>() ? "S" : "N");
    }
    EXPECT_DOUBLE_EQ(proxima("FGTS Atualizado:")["valor"].get<double>(), e["FGTS"]["Valor"].get<double>());

    // Block totals and the grand total are formulas; their cached values are
    // the statement's, and the grand total leaves out the addition not summed.
    const json& f = p["formulas"];
    ASSERT_EQ(f.size(), 1u + 3u + 1u);
    EXPECT_DOUBLE_EQ(f[0]["valor"].get<double>(), e["TotalAbertura"].get<double>());
    for (size_t i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(f[1 + i]["valor"].get<double>(), e["parcelas"][i]["Total"].get<double>());
    EXPECT_EQ(f[4]["rotulo"], "TOTAL:");
    EXPECT_DOUBLE_EQ(f[4]["valor"].get<double>(), e["Total"].get<double>());
    const std::string total = f[4]["formula"].get<std::string>();
    EXPECT_EQ(total.rfind("=ROUND(", 0), 0u);
    EXPECT_EQ(std::count(total.begin(), total.end(), '+'), 3) << total;  // last block + two additions summed + FGTS

    // A name that is not .xlsx and a missing record write nothing.
    roda("prorrata planilha 1 --saida " + Aspas(arquivo("extrato.xls")), &st);
    EXPECT_NE(st, 0);
    EXPECT_FALSE(fs::exists(arquivo("extrato.xls")));
    roda("prorrata planilha 99 --saida " + Aspas(arquivo("nada.xlsx")), &st);
    EXPECT_NE(st, 0);
    EXPECT_FALSE(fs::exists(arquivo("nada.xlsx")));
}
