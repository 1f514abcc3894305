// korva-cli consulta: a month of the reference tables as text or JSON, and
// the exit code of a missing month.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "reference/EsquemasReferencia.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

// Runs korva-cli; stderr goes along with stdout unless `soSaida`.
std::string Executa(const std::string& args, int* status, bool soSaida = false) {
    return teste::RodaComando(std::string(KORVA_CLI) + " " + args + (soSaida ? " 2>/dev/null" : " 2>&1"), status);
}

// A data folder whose aliases lead to two databases, the shared one holding
// only the three tables consulted, with known rows.
class Dados {
public:
    Dados() {
        const Ambiente amb = Ambiente::Padrao(pasta.caminho(), "korva");
        std::filesystem::create_directories(amb.pastaPrivadaInicial());
        std::filesystem::create_directories(amb.pastaCompartilhadaInicial());
        ArquivoAliases aliases(amb.arquivoAliases());
        aliases.defineParametros("CalcPriv", {"PATH=" + amb.pastaPrivadaInicial().string()});
        aliases.defineParametros("CalcShare", {"PATH=" + amb.pastaCompartilhadaInicial().string()});
        aliases.salva();
        Banco b("CalcShare", amb.pastaCompartilhadaInicial());
        for (const char* t : {"Valores.DB", "FaixasINSS.DB", "FaixasIR.db"}) b.criaTabela(t, *EsquemaCompartilhado(t));
        Inclui(b, "Valores.DB", {{"Ano", 2000}, {"Mes", 4}, {"SalMin", 151.0}, {"SalFam1", 9.05}, {"SalFam2", 1234.5}});
        Inclui(b, "FaixasINSS.DB",
               {{"Ano", 2020}, {"Mes", 3}, {"LimiteMinimo", 1045.0}, {"Limite1", 1045.0}, {"Percentual1", 7.5},
                {"Limite2", 2089.6}, {"Percentual2", 9.0}, {"Limite3", 3134.4}, {"Percentual3", 12.0},
                {"Limite4", 6101.06}, {"Percentual4", 14.0}, {"Limite5", 0.0}, {"Percentual5", 0.0},
                {"Progressiva", true}});
        Inclui(b, "FaixasIR.db",
               {{"Ano", 2020}, {"Mes", 3}, {"LimiteMinimo", 1903.98}, {"Limite1", 2826.65}, {"Percentual1", 7.5},
                {"Deducao1", 142.8}, {"Limite2", 3751.05}, {"Percentual2", 15.0}, {"Deducao2", 354.8},
                {"Limite3", 4664.68}, {"Percentual3", 22.5}, {"Deducao3", 636.13}, {"PercentualMaximo", 27.5},
                {"DeducaoMaximo", 869.36}, {"DeducaoDependente", 189.59}, {"DeducaoDaBase", 0.0}});
    }
    std::string args(const std::string& resto) const { return "--dados " + pasta.caminho().string() + " " + resto; }

    teste::PastaTemporaria pasta;

private:
    static void Inclui(Banco& b, const std::string& tabela, const std::vector<std::pair<std::string, Valor>>& campos) {
        Tabela t(b, tabela);
        t.abre();
        t.insere();
        for (const auto& [nome, valor] : campos) t[nome] = valor;
        t.grava();
    }
};

}  // namespace

TEST(Consulta, MinimumWageAsTextAndAsTheTableRow) {
    Dados d;
    int st = -1;
    const auto texto = Executa(d.args("consulta salario-minimo 04/2000"), &st);
    EXPECT_EQ(st, 0) << texto;
    EXPECT_NE(texto.find("Salário Mínimo: 151,00"), std::string::npos) << texto;
    EXPECT_NE(texto.find("Salário-Família 2: 1.234,50"), std::string::npos) << texto;

    const auto json = Executa(d.args("--json consulta salario-minimo 4/2000"), &st, true);
    ASSERT_EQ(st, 0) << json;
    const auto j = nlohmann::json::parse(json);
    EXPECT_EQ(j["Ano"].get<int>(), 2000);
    EXPECT_EQ(j["Mes"].get<int>(), 4);
    EXPECT_DOUBLE_EQ(j["SalMin"].get<double>(), 151.0);
    EXPECT_DOUBLE_EQ(j["SalFam1"].get<double>(), 9.05);
    EXPECT_TRUE(j["LimMinimo"].is_null());

    const auto falta = Executa(d.args("consulta salario-minimo 02/2000"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(falta.find("ERRO! - Não existe Salário Mínimo cadastrado para o mes 02/2000."), std::string::npos)
        << falta;
    const auto invalido = Executa(d.args("consulta salario-minimo 13/2000"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(invalido.find("MM/AAAA"), std::string::npos) << invalido;
}

TEST(Consulta, InssAndIrBracketsOfAMonth) {
    Dados d;
    int st = -1;
    const auto inss = nlohmann::json::parse(Executa(d.args("--json consulta inss 03/2020"), &st, true));
    ASSERT_EQ(st, 0);
    EXPECT_DOUBLE_EQ(inss["Limite4"].get<double>(), 6101.06);
    EXPECT_DOUBLE_EQ(inss["Percentual2"].get<double>(), 9.0);
    EXPECT_TRUE(inss["Progressiva"].get<bool>());
    const auto texto = Executa(d.args("consulta inss 03/2020"), &st);
    EXPECT_EQ(st, 0);
    EXPECT_NE(texto.find("Faixa 4: até 6.101,06 - 14,00%"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("Faixa 5"), std::string::npos) << texto;
    Executa(d.args("consulta inss 04/2020"), &st);
    EXPECT_EQ(st, 2);

    const auto ir = nlohmann::json::parse(Executa(d.args("--json consulta ir 03/2020"), &st, true));
    ASSERT_EQ(st, 0);
    EXPECT_DOUBLE_EQ(ir["DeducaoDependente"].get<double>(), 189.59);
    EXPECT_DOUBLE_EQ(ir["PercentualMaximo"].get<double>(), 27.5);
    const auto falta = Executa(d.args("consulta ir 02/2020"), &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(falta.find("ERRO! Não há Alíquota do IR para 02/2020!"), std::string::npos) << falta;
}
