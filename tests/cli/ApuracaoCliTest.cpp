// The whole path through korva-cli alone: import a calculation with factor,
// average, commission and difference rows, generate its month grid,
// calculate, run the result and store it; the figures are worked out here by
// hand from the rows' rules, not read back from the program.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "util/Dinheiro.h"

using nlohmann::json;

namespace {

const std::string Numero = "0000777-10.2009.5.01.0001";

// Every row dated on the base date (factor 1, no interest) except item 15,
// dated at the end of January 2009.
json Documento() {
    auto periodo = [](int item, int m1, int m2, const char* vfm, const char* inss) {
        return json{{"Item", item}, {"Mes1", m1}, {"Ano1", 2009}, {"Mes2", m2}, {"Ano2", 2009}, {"VFM", vfm},
                    {"INSS", inss}, {"CodDataBasePadrao", 50}, {"DtBase", "31/12/2009"}};
    };
    json a = json::array();
    json salario = periodo(2, 1, 3, "V", "N");
    salario["Valor"] = 1000.0;
    a.push_back(salario);
    json devido = periodo(10, 1, 3, "F", "N");  // 1.2 x salary
    devido.update({{"Base", 2}, {"Qtde", 1.0}, {"Indice", 1.2}, {"Divisor", 1.0}, {"Diferenca", "Z"}});
    a.push_back(devido);
    json pago = periodo(11, 1, 3, "F", "N");  // the salary itself
    pago.update({{"Base", 2}, {"Qtde", 1.0}, {"Indice", 1.0}, {"Divisor", 1.0}});
    a.push_back(pago);
    json reflexo13 = periodo(13, 1, 3, "F", "S");  // 1/12 of the difference of the month
    reflexo13.update({{"Base", 12}, {"Qtde", 1.0}, {"Indice", 1.0}, {"Divisor", 12.0}});
    a.push_back(reflexo13);
    json ferias = periodo(14, 3, 3, "C", "S");  // average of the differences of the quarter
    ferias.update({{"ItemMedia", 12}, {"MMes1", 1}, {"MAno1", 2009}, {"MMes2", 3}, {"MAno2", 2009}});
    a.push_back(ferias);
    json horas = periodo(20, 1, 3, "M", "N");  // average Qtde of item 10 (1) x salary x 1.5 / 220
    horas.update({{"Base", 2}, {"Indice", 1.5}, {"Divisor", 220.0}, {"ItemMedia", 10}, {"MMes1", 1},
                  {"MAno1", 2009}, {"MMes2", 3}, {"MAno2", 2009}, {"Diferenca", "C"}});
    a.push_back(horas);
    json horasPagas = periodo(21, 1, 3, "V", "N");
    horasPagas["Valor"] = 1.0;
    a.push_back(horasPagas);
    json terco = periodo(15, 1, 1, "V", "S");
    terco.update({{"Valor", 300.0}, {"CodDataBasePadrao", 1}});
    terco.erase("DtBase");
    a.push_back(terco);

    return json{{"Processo",
                 {{"Processo", Numero}, {"CodRecte", 1}, {"DtAjuiz", "01/06/2009"}, {"DtBase", "31/12/2009"},
                  {"Calculista", "Ana Souza"}, {"IndPrincipal", 1}, {"IndFGTS", 2}, {"CalculoJuros", 0},
                  {"AliquotaUnica", true}, {"INSSReclamante", 8.0}, {"INSSReclamado", 20.0}, {"INSSRisco", 2.0},
                  {"INSSTerceiros", 5.8}, {"OpcaoIR", 4}, {"IRSobreJuros", false}}},
                {"Arquivo1", a}};
}

struct Cli {
    korva::teste::PastaTemporaria pasta;
    std::string roda(const std::string& args) {
        int st = -1;
        const std::string s = korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, &st);
        EXPECT_EQ(st, 0) << args << "\n" << s;
        return s;
    }
};

}  // namespace

TEST(ApuracaoCli, ImportGenerateCalculateAndResultMatchTheHandFigures) {
    Cli c;
    c.roda("init");
    const auto doc = (c.pasta.caminho() / "doc.json").string();
    korva::teste::GravaArquivo(doc, Documento().dump());
    c.roda("calculo importar " + doc);
    EXPECT_NE(c.roda("gerar " + Numero + " 1").find("20 linha(s)"), std::string::npos);
    const json calc = json::parse(c.roda("--json calcular " + Numero + " 1"));
    // Three difference rows of item 12 and three of item 22 were added.
    EXPECT_EQ(calc["linhas"], 26);

    // Month rows: every one calculated, with the values of their rules.
    const json mm = json::parse(c.roda("--json mesames " + Numero + " 1"));
    std::map<std::pair<int, int>, double> valor;
    for (const auto& l : mm["Linhas"]) {
        EXPECT_TRUE(l["Calculado"].get<bool>()) << l.dump();
        valor[{l["Item"].get<int>(), l["Mes"].get<int>()}] += l["Valor"].get<double>();
    }
    const double horas = 1000.0 * 1.5 / 220;  // average Qtde of item 10 is 1
    for (int m = 1; m <= 3; ++m) {
        EXPECT_NEAR((valor[{10, m}]), 1200.0, 1e-9);
        EXPECT_NEAR((valor[{12, m}]), 200.0, 1e-9);
        EXPECT_NEAR((valor[{13, m}]), 200.0 / 12, 1e-9);
        EXPECT_NEAR((valor[{20, m}]), horas, 1e-9);
        EXPECT_NEAR((valor[{22, m}]), horas - 1.0, 1e-9);
    }
    EXPECT_NEAR((valor[{14, 3}]), 200.0, 1e-9);

    // Corrected rows: item 15, dated at the end of January, and the
    // difference rows the calculation added, dated by the lawsuit's default
    // code (first working day of the next month: 01/02 and 01/03/2009 are
    // Sundays). Each gets the factor of index 1 to the base date and legal
    // interest from the filing date: 29/30 (June) + 5 months + 1 (December).
    auto fator = [&](const std::string& de) {
        return std::stod(c.roda("fator --indice 1 --de " + de + " --ate 31/12/2009"));
    };
    const double f = fator("31/01/2009");
    const double fm[3] = {fator("02/02/2009"), fator("02/03/2009"), fator("01/04/2009")};
    const char* datas[3] = {"02/02/2009", "02/03/2009", "01/04/2009"};
    for (const auto& l : mm["Linhas"]) {
        if (l["Item"] == 12 || l["Item"] == 22) {
            EXPECT_EQ(l["DtBase"], datas[l["Mes"].get<int>() - 1]) << l.dump();
        }
    }
    const double juros = 29.0 / 30 + 5 + 1;
    auto comJurosDe = [&](double v) { return korva::ArredondaCentavos(v + v * juros / 100); };
    const double terco = 300.0 * f;

    const json r = json::parse(c.roda("--json resultado " + Numero + " 1 --gravar"));
    using korva::Arredonda4;
    using korva::ArredondaCentavos;
    double total = Arredonda4(200.0) + Arredonda4(terco);
    double comJuros = 200.0 + comJurosDe(terco);
    double demais = 0;
    for (int m = 0; m < 3; ++m) {
        total += Arredonda4(200.0 * fm[m]) + Arredonda4(200.0 / 12) + Arredonda4((horas - 1.0) * fm[m]);
        comJuros += comJurosDe(200.0 * fm[m]) + ArredondaCentavos(200.0 / 12) + comJurosDe((horas - 1.0) * fm[m]);
        demais += 200.0 * fm[m] + (horas - 1.0) * fm[m];
    }
    EXPECT_NEAR(r["Total"].get<double>(), total, 1e-9);
    EXPECT_NEAR(r["TotalGeral"].get<double>(), comJuros, 1e-9);
    EXPECT_NEAR(r["TotalBaseINSS"].get<double>(), total, 1e-9);  // every result row is subject to INSS
    EXPECT_NEAR(r["INSSReclamante"].get<double>(), total * 0.08, 1e-9);
    EXPECT_NEAR(r["Reclamado"]["Total"].get<double>(), total * (20 + 2 + 5.8) / 100, 1e-9);
    EXPECT_NEAR(r["TotalBaseIR13"].get<double>(), 200.0 / 12 * 3, 1e-9);
    EXPECT_NEAR(r["TotalBaseIRFerias"].get<double>(), 200.0 + terco, 1e-9);
    EXPECT_NEAR(r["TotalBaseIRDemais"].get<double>(), demais, 1e-9);
    EXPECT_EQ(r["QtdeMesesComBaseIR"], 1);  // base date before 28/07/2010
    EXPECT_EQ(r["ColunasIR"].size(), 3u);
    EXPECT_EQ(r["Meses"].size(), 3u);

    // Stored: the export of the calculation carries the totals.
    const auto saida = (c.pasta.caminho() / "e.json").string();
    c.roda("calculo exportar " + Numero + " 1 " + saida);
    const json e = json::parse(korva::teste::LeArquivo(saida));
    EXPECT_NEAR(e["Processo"]["Total"].get<double>(), total, 1e-9);
    EXPECT_NEAR(e["Processo"]["TotalGeral"].get<double>(), comJuros, 1e-9);
    EXPECT_EQ(e["Processo"]["QtdeMesesComBaseIR"], 1);
}
