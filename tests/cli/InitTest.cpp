// korva-cli init and the first start it shares with the desktop program.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Sessao.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

}  // namespace

TEST(Init, CreatesBothDatabasesWithEveryFixedTableOnceAndReportsWhere) {
    teste::PastaTemporaria p;
    int st = -1;
    const auto saida = teste::RodaCli("--dados " + p.caminho().string() + " --json init", &st);
    ASSERT_EQ(st, 0) << saida;
    const auto j = nlohmann::json::parse(saida);
    EXPECT_TRUE(j["criado"].get<bool>());
    EXPECT_EQ(j["CalcPriv"].get<std::string>(), (p.caminho() / "Privado").string());

    ArquivoAliases aliases(p.caminho() / "Aliases.cfg");
    EXPECT_EQ(aliases.caminho("CalcShare"), (p.caminho() / "Compartilhado").string());
    Banco privado("CalcPriv", aliases.caminho("CalcPriv"));
    for (const auto& nome : TabelasFixasPrivadas()) {
        Tabela t(privado, nome);
        EXPECT_NO_THROW(t.abre()) << nome;
    }
    // Both settings files were written with their defaults.
    EXPECT_TRUE(std::filesystem::exists(p.caminho() / "Privado" / "korva.INI"));
    EXPECT_TRUE(std::filesystem::exists(p.caminho() / "korva.INI"));

    // A second run finds the databases and changes nothing.
    const auto segunda = teste::RodaCli("--dados " + p.caminho().string() + " init", &st);
    EXPECT_EQ(st, 0);
    EXPECT_NE(segunda.find("já existiam"), std::string::npos) << segunda;
}

TEST(Init, AMissingDatabaseFolderStopsWithAClearMessage) {
    teste::PastaTemporaria p;
    Ambiente amb = Ambiente::Padrao(p.caminho(), "korva");
    ASSERT_TRUE(Sessao::PrimeiraPartida(amb));
    std::filesystem::remove_all(p.caminho() / "Compartilhado");
    EXPECT_THROW(Sessao s(amb), ErroBanco);
    int st = 0;
    const auto saida = teste::RodaCli("--dados " + p.caminho().string() + " init", &st);
    EXPECT_EQ(st, 2);
    EXPECT_NE(saida.find("Compartilhado"), std::string::npos) << saida;
}

TEST(Init, HelpListsTheCommandsInPortuguese) {
    int st = -1;
    const auto ajuda = teste::RodaCli("--help", &st);
    EXPECT_EQ(st, 0);
    EXPECT_NE(ajuda.find("init"), std::string::npos);
    EXPECT_NE(ajuda.find("--dados"), std::string::npos);
}
