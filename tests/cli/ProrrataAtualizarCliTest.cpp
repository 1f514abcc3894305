// korva-cli prorrata atualizar: the figures of a record stored through
// "prorrata importar", checked against the factors and interest that the
// "fator" and "juros" commands give for the same dates; the statement as
// text and PDF; refusals that write nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

// Regressivos, interest first, FGTS with interest, two payments, two additions.
const char* Documento = R"({"Prorrata": {"Processo": "0000100-20.2019.5.01.0001", "CodRecte": 2,
  "DtAjuiz": "10/01/2019", "DtBase": "01/02/2020", "Valor": 12345678.91, "DtFinal": "31/12/2021",
  "Parte1": "Ana Souza", "Parte2": "Empresa Ltda.", "ComJuros": true, "JurosConstantes": false,
  "ValorJuros": 1500, "Indice": 1, "FormaAbatimento": "J", "ValorFGTS": 800, "CalcularJurosFGTS": true,
  "UsarJurosPadrao": 0, "Obs": "Conforme sentença", "ObsFinal": "Valores sujeitos a revisão."},
 "Parcelas": [{"Data": "10/03/2021", "Valor": 500000}, {"Data": "15/06/2020", "Valor": 1000}],
 "AcrescProrrata": [{"Descricao": "Honorários", "Valor": 15, "Tipo": "P", "Totalizar": true},
   {"Descricao": "Custas", "Valor": 250, "Tipo": "V", "DtBase": "02/03/2020", "Totalizar": false}]})";

// Constantes, no FGTS, no payments, no additions.
const char* Simples = R"({"Prorrata": {"Processo": "0000200-20.2019.5.01.0001", "CodRecte": 1,
  "DtAjuiz": "10/01/2019", "DtBase": "01/02/2020", "Valor": 1000, "DtFinal": "01/02/2021",
  "ComJuros": true, "JurosConstantes": true, "ValorJuros": 0, "Indice": 2, "FormaAbatimento": "P",
  "ValorFGTS": 0, "CalcularJurosFGTS": false, "UsarJurosPadrao": 0}, "AcrescProrrata": []})";

double Round2(double x) { return std::trunc(x / 0.01 + 0.5) * 0.01; }

struct ProrrataAtualizar : ::testing::Test {
    korva::teste::PastaTemporaria pasta;
    int st = -1;

    std::string roda(const std::string& args) {
        return korva::teste::RodaCli("--dados '" + pasta.caminho().string() + "' " + args, &st);
    }
    json rodaJson(const std::string& args) {
        const std::string s = roda("--json " + args);
        EXPECT_EQ(st, 0) << s;
        return json::parse(s);
    }
    std::string arquivo(const char* nome) { return (pasta.caminho() / nome).string(); }
    int importa(const char* doc) {
        korva::teste::GravaArquivo(arquivo("doc.json"), doc);
        return rodaJson("prorrata importar '" + arquivo("doc.json") + "'")["Codigo"].get<int>();
    }
    double fator(int indice, const std::string& de, const std::string& ate) {
        return rodaJson("fator --indice " + std::to_string(indice) + " --de " + de + " --ate " + ate)["fator"];
    }
    double juros(int modo, const std::string& de, const std::string& ate) {
        return rodaJson("juros --modo " + std::to_string(modo) + " --de " + de + " --ate " + ate)["juros"];
    }
    void SetUp() override {
        roda("init");
        ASSERT_EQ(st, 0);
    }
};

TEST_F(ProrrataAtualizar, FiguresAgainstThePrimitives) {
    const int codigo = importa(Documento);
    const json j = rodaJson("prorrata atualizar " + std::to_string(codigo));
    for (const char* k : {"s", "f0", "P", "W", "i0", "E0", "TotalAbertura", "parcelas", "FGTS", "acrescimos", "Total"})
        EXPECT_TRUE(j.contains(k)) << k;
    EXPECT_EQ(j.size(), 11u);

    // Opening block at the first payment; "Regressivos" from the base date.
    EXPECT_EQ(j["s"], "15/06/2020");
    const double f0 = fator(1, "01/02/2020", "15/06/2020");
    const double i0 = juros(0, "01/02/2020", "15/06/2020");
    EXPECT_DOUBLE_EQ(j["f0"].get<double>(), f0);
    EXPECT_DOUBLE_EQ(j["i0"].get<double>(), i0);
    const double P0 = 12345678.91 * f0, W = 1500 * f0, E0 = P0 * i0 / 100;
    EXPECT_NEAR(j["P"].get<double>(), P0, 1e-6);
    EXPECT_NEAR(j["W"].get<double>(), W, 1e-9);
    EXPECT_NEAR(j["E0"].get<double>(), E0, 1e-6);
    EXPECT_NEAR(j["TotalAbertura"].get<double>(), P0 + W + E0, 1e-6);

    // Two payments, each smaller than the interest: deducted from it alone.
    const json& ps = j["parcelas"];
    ASSERT_EQ(ps.size(), 2u);
    EXPECT_EQ(ps[0]["Data"], "15/06/2020");
    EXPECT_EQ(ps[1]["Data"], "10/03/2021");
    double P = P0, J = E0 + W;
    const char* datas[] = {"15/06/2020", "10/03/2021", "31/12/2021"};
    const double pagos[] = {1000, 500000};
    for (int k = 0; k < 2; ++k) {
        const json& p = ps[k];
        ASSERT_LT(pagos[k], J);
        const double saldoJ = J - pagos[k];
        const double g = fator(1, datas[k], datas[k + 1]);
        const double i = juros(0, datas[k], datas[k + 1]);
        EXPECT_DOUBLE_EQ(p["Valor"].get<double>(), pagos[k]);
        EXPECT_NEAR(p["SaldoPrincipal"].get<double>(), P, 1e-6);
        EXPECT_NEAR(p["SaldoJuros"].get<double>(), saldoJ, 1e-6);
        EXPECT_DOUBLE_EQ(p["Fator"].get<double>(), g);
        EXPECT_DOUBLE_EQ(p["Juros"].get<double>(), i);
        EXPECT_NEAR(p["PrincipalAtualizado"].get<double>(), P * g, 1e-6);
        EXPECT_NEAR(p["JurosAtualizados"].get<double>(), saldoJ * g, 1e-6);
        EXPECT_NEAR(p["ValorJuros"].get<double>(), P * g * i / 100, 1e-6);
        EXPECT_NEAR(p["Total"].get<double>(), P * g + saldoJ * g + P * g * i / 100, 1e-6);
        J = saldoJ * g + P * g * i / 100;
        P = P * g;
    }

    // FGTS: corrected, rounded, then 1 % a month from the filing date.
    const double F = fator(1, "01/02/2020", "31/12/2021");
    const double jf = juros(3, "10/01/2019", "31/12/2021");
    const double FG = Round2(800 * F) * (1 + jf / 100);
    EXPECT_DOUBLE_EQ(j["FGTS"]["Fator"].get<double>(), F);
    EXPECT_DOUBLE_EQ(j["FGTS"]["Juros"].get<double>(), jf);
    EXPECT_NEAR(j["FGTS"]["Valor"].get<double>(), FG, 1e-9);

    // Additions: 15 % of the record brought to the final date plus the FGTS,
    // and an amount left out of the total.
    const double ip = juros(0, "01/02/2020", "31/12/2021");
    const double B = 12345678.91 * F * (1 + ip / 100) + F * 1500;
    const json& a = j["acrescimos"];
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0]["Descricao"], "Honorários");
    EXPECT_NEAR(a[0]["Valor"].get<double>(), Round2(15 * (B + FG) / 100), 1e-9);
    EXPECT_EQ(a[0]["Formula"].get<std::string>().substr(0, 2), "((");
    EXPECT_TRUE(a[0]["Totalizar"].get<bool>());
    const double custas = 250 * fator(1, "02/03/2020", "31/12/2021");
    EXPECT_NEAR(a[1]["Valor"].get<double>(), custas, 1e-9);
    EXPECT_FALSE(a[1]["Totalizar"].get<bool>());
    EXPECT_NEAR(j["Total"].get<double>(), Round2(P + J + a[0]["Valor"].get<double>() + FG), 1e-9);

    // The summary prints the same total, whole to the cent.
    const std::string resumo = roda("prorrata atualizar " + std::to_string(codigo));
    ASSERT_EQ(st, 0) << resumo;
    EXPECT_NE(resumo.find("Parcelas pagas: 2"), std::string::npos) << resumo;
    EXPECT_NE(resumo.find("Valores Atualizados até: 31/12/2021"), std::string::npos) << resumo;
}

TEST_F(ProrrataAtualizar, WithoutPaymentsOrFgts) {
    const int codigo = importa(Simples);
    const json j = rodaJson("prorrata atualizar " + std::to_string(codigo));
    EXPECT_EQ(j["s"], "01/02/2021");  // the final date
    EXPECT_TRUE(j["FGTS"].is_null());
    EXPECT_TRUE(j["parcelas"].empty());
    EXPECT_TRUE(j["acrescimos"].empty());
    const double f0 = fator(2, "01/02/2020", "01/02/2021");
    const double i0 = juros(0, "10/01/2019", "01/02/2021");  // "Constantes": from the filing date
    EXPECT_DOUBLE_EQ(j["W"].get<double>(), 0);
    EXPECT_NEAR(j["Total"].get<double>(), Round2(1000 * f0 * (1 + i0 / 100)), 1e-9);
}

TEST_F(ProrrataAtualizar, StatementAsTextAndPdf) {
    const int codigo = importa(Documento);
    const std::string c = std::to_string(codigo);
    std::string s = roda("prorrata atualizar " + c + " --data-impressao 05/03/2024 --saida '" + arquivo("e.txt") + "'");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("1 página(s) gravada(s)"), std::string::npos) << s;
    const std::string t = korva::teste::LeArquivo(arquivo("e.txt"));
    for (const char* linha : {"Processo: 0000100-20.2019.5.01.0001  Grupo: 002", "Juros apurados até",
                              "R$ 12.345.678,91", "Pgto. em            15/06/2020", "FGTS Atualizado:",
                              "TOTAL:", ", 05 de março de 2024.", "Valores sujeitos a revisão.", "Pág.: 1/1"})
        EXPECT_NE(t.find(linha), std::string::npos) << linha << "\n" << t;

    s = roda("--json prorrata atualizar " + c + " --saida '" + arquivo("e.pdf") + "'");
    ASSERT_EQ(st, 0) << s;
    EXPECT_TRUE(json::parse(s).contains("Total"));
    EXPECT_EQ(korva::teste::LeArquivo(arquivo("e.pdf")).substr(0, 5), "%PDF-");
    const std::string pdf = korva::teste::RodaComando("pdftotext -layout '" + arquivo("e.pdf") + "' - 2>&1", &st);
    ASSERT_EQ(st, 0) << pdf;
    for (const char* linha : {"Data ajuizamento:", "12.345.678,91", "Honorários", "TOTAL:", "Pág.: 1/1"})
        EXPECT_NE(pdf.find(linha), std::string::npos) << linha << "\n" << pdf;
}

TEST_F(ProrrataAtualizar, RefusalsWriteNothing) {
    const int codigo = importa(Documento);
    const std::string c = std::to_string(codigo);
    std::string s = roda("prorrata atualizar " + std::to_string(codigo + 10) + " --saida '" + arquivo("x.txt") + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não encontrado"), std::string::npos) << s;
    s = roda("prorrata atualizar " + c + " --saida '" + arquivo("x.doc") + "'");
    EXPECT_NE(st, 0) << s;
    s = roda("prorrata atualizar " + c + " --data-impressao 31/02/2024 --saida '" + arquivo("x.txt") + "'");
    EXPECT_NE(st, 0) << s;
    EXPECT_NE(s.find("31/02/2024"), std::string::npos) << s;

    // A final date past the delivered series: the index's message, no file.
    std::string doc = Simples;
    doc.replace(doc.find("01/02/2021"), 10, "01/02/2040");
    const int longe = importa(doc.c_str());
    s = roda("prorrata atualizar " + std::to_string(longe) + " --saida '" + arquivo("x.txt") + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Não há índice de atualização diária"), std::string::npos) << s;
    EXPECT_FALSE(std::filesystem::exists(arquivo("x.txt")));
    EXPECT_FALSE(std::filesystem::exists(arquivo("x.doc")));
}

}  // namespace
