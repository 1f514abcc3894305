// The global options of korva-cli (--dados, --json) before the command, after
// it and between the levels of a nested command give the same run.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

struct Pasta {
    korva::teste::PastaTemporaria pasta;
    std::string dir() const { return pasta.caminho().string(); }
};

std::string Roda(const std::string& args, int* st) { return korva::teste::RodaCli(args, st); }

}  // namespace

TEST(OpcoesGlobaisCli, DataFolderAndJsonAfterTheCommand) {
    Pasta p;
    int st = -1;
    std::string s = Roda("init --dados " + p.dir() + " --json", &st);
    ASSERT_EQ(st, 0) << s;
    const json j = json::parse(s);
    EXPECT_TRUE(j["criado"].get<bool>());
    EXPECT_EQ(j["CalcPriv"].get<std::string>(), (p.pasta.caminho() / "Privado").string());

    // The folder given after the command is the one used: a second run finds it.
    s = Roda("init --json --dados=" + p.dir(), &st);
    ASSERT_EQ(st, 0) << s;
    EXPECT_FALSE(json::parse(s)["criado"].get<bool>());
}

TEST(OpcoesGlobaisCli, EveryPositionOfANestedCommandGivesTheSameOutput) {
    Pasta p;
    int st = -1;
    ASSERT_EQ((Roda("--dados " + p.dir() + " init", &st), st), 0);
    const std::string antes = Roda("--dados " + p.dir() + " --json consulta salario-minimo 04/2000", &st);
    ASSERT_EQ(st, 0) << antes;
    ASSERT_TRUE(json::accept(antes)) << antes;
    for (const std::string& args : {"consulta salario-minimo 04/2000 --json --dados " + p.dir(),
                                   "consulta --json salario-minimo --dados " + p.dir() + " 04/2000",
                                   "--json consulta salario-minimo 04/2000 --dados " + p.dir(),
                                   "--json consulta salario-minimo 04/2000 --json --dados " + p.dir()}) {
        EXPECT_EQ(Roda(args, &st), antes) << args;
        EXPECT_EQ(st, 0) << args;
    }
    // Without --json anywhere the text form comes out.
    const std::string texto = Roda("consulta salario-minimo 04/2000 --dados " + p.dir(), &st);
    EXPECT_EQ(st, 0) << texto;
    EXPECT_NE(texto, antes);
    EXPECT_FALSE(json::accept(texto)) << texto;
}

TEST(OpcoesGlobaisCli, UnknownOptionsAndExtraArgumentsAreStillRefused) {
    Pasta p;
    int st = -1;
    ASSERT_EQ((Roda("--dados " + p.dir() + " init", &st), st), 0);
    std::string s = Roda("--dados " + p.dir() + " consulta salario-minimo 04/2000 --nada", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("--nada"), std::string::npos) << s;
    // A second command after the first is not run as a command.
    s = Roda("--dados " + p.dir() + " init init", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("init"), std::string::npos) << s;
    // An option of one command is not taken by another.
    s = Roda("--dados " + p.dir() + " init --saida x.pdf", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("--saida"), std::string::npos) << s;
}
