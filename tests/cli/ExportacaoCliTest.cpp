// korva-cli tabelas exportar|importar GRUPO DIR.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Sessao.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

int Quantidade(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    return t.quantidade();
}

class ExportacaoCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Sessao::PrimeiraPartida(Ambiente::Padrao(p.caminho(), "korva")));
        fs::create_directories(troca);
    }
    std::string Dados() const { return "--dados '" + p.caminho().string() + "' "; }

    teste::PastaTemporaria p;
    fs::path troca = p.caminho() / "Troca de tabelas";
};

}  // namespace

TEST_F(ExportacaoCli, ExportsAndImportsAGroupNamedShortOrInFull) {
    Banco comp("CalcShare", p.caminho() / "Compartilhado");
    const int feriados = Quantidade(comp, "FeriadosPadrao.db");

    int st = -1;
    auto saida = teste::RodaCli(Dados() + "--json tabelas exportar feriados '" + troca.string() + "'", &st);
    ASSERT_EQ(st, 0) << saida;
    auto j = nlohmann::json::parse(saida);
    EXPECT_EQ(j["acao"], "exportar");
    EXPECT_EQ(j["titulo"], "Feriados");
    ASSERT_EQ(j["tabelas"].size(), 1u);
    EXPECT_EQ(j["tabelas"][0]["registros"].get<int>(), feriados);

    // A holiday entered by hand is gone after the import.
    {
        Tabela t(comp, "FeriadosPadrao.db");
        t.abre();
        t.insere();
        t["Data"] = Data::de(2031, 1, 20);
        t["Descricao"] = "São Sebastião";
        t["Tipo"] = 3;
        t.grava();
    }
    saida = teste::RodaCli(Dados() + "tabelas importar FERIADOS '" + troca.string() + "'", &st);
    ASSERT_EQ(st, 0) << saida;
    EXPECT_NE(saida.find("importado"), std::string::npos) << saida;
    EXPECT_EQ(Quantidade(comp, "FeriadosPadrao.db"), feriados);

    // The group's title is accepted too; both tables of the monthly indices travel.
    saida = teste::RodaCli(Dados() + "--json tabelas exportar 'Índices Mensais' '" + troca.string() + "'", &st);
    ASSERT_EQ(st, 0) << saida;
    j = nlohmann::json::parse(saida);
    ASSERT_EQ(j["tabelas"].size(), 2u);
    EXPECT_EQ(j["grupo"], "indices");
    EXPECT_TRUE(Banco("T", troca).existe("NomeIndice.db"));
    EXPECT_TRUE(Banco("T", troca).existe("Indices.db"));
}

TEST_F(ExportacaoCli, RefusesUnknownGroupsMissingFoldersAndMissingFilesWithClearMessages) {
    int st = -1;
    auto saida = teste::RodaCli(Dados() + "tabelas exportar salarios '" + troca.string() + "'", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(saida.find("Grupo de tabelas desconhecido: salarios"), std::string::npos) << saida;
    EXPECT_NE(saida.find("inss (I.N.S.S.)"), std::string::npos) << saida;

    saida = teste::RodaCli(Dados() + "tabelas importar inss '" + (p.caminho() / "nada").string() + "'", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(saida.find("Diretório inválido!"), std::string::npos) << saida;

    // An empty folder has none of the group's files; nothing is changed.
    Banco comp("CalcShare", p.caminho() / "Compartilhado");
    const int antes = Quantidade(comp, "FaixasINSS.DB");
    saida = teste::RodaCli(Dados() + "tabelas importar inss '" + troca.string() + "'", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(saida.find("Arquivo de dados não encontrado no diretorio de origem!"), std::string::npos) << saida;
    EXPECT_EQ(Quantidade(comp, "FaixasINSS.DB"), antes);

    saida = teste::RodaCli(Dados() + "tabelas exportar valores '" + (p.caminho() / "Compartilhado").string() + "'", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(saida.find("próprio banco de dados compartilhado"), std::string::npos) << saida;

    saida = teste::RodaCli(Dados() + "tabelas importar valores", &st);
    EXPECT_NE(st, 0);
}

TEST(ExportacaoCliAjuda, HelpListsEveryGroupWithItsShortName) {
    int st = -1;
    const auto ajuda = teste::RodaCli("tabelas exportar --help", &st);
    EXPECT_EQ(st, 0);
    for (const char* g : {"indices (Índices Mensais)", "diario (Índices Diários)", "ir (Imposto de Renda)",
                          "inss (I.N.S.S.)", "valores (Valores Mensais)", "feriados (Feriados)"})
        EXPECT_NE(ajuda.find(g), std::string::npos) << g << "\n" << ajuda;
}
