// korva-cli init fills a fresh installation with the delivered rows, from the
// data built into the program.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

// Runs the command from `pasta`, away from the source tree.
std::string RodaCli(const std::filesystem::path& pasta, const std::string& args, int* status) {
    return teste::RodaComando("cd '" + pasta.string() + "' && " + std::string(KORVA_CLI) + " " + args + " 2>&1", status);
}

int Linhas(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre();
    return t.quantidade();
}

bool Tem(Banco& b, const std::string& tabela, const std::vector<Valor>& chave) {
    Tabela t(b, tabela);
    t.abre();
    return t.localizaChave(chave);
}

}  // namespace

TEST(InitDados, AFreshFolderReceivesTheDeliveredRowsInBothDatabases) {
    teste::PastaTemporaria p;
    int st = -1;
    const auto saida = RodaCli(p.caminho(), "--dados " + p.caminho().string() + " init", &st);
    ASSERT_EQ(st, 0) << saida;

    ArquivoAliases aliases(p.caminho() / "Aliases.cfg");
    Banco privado("CalcPriv", aliases.caminho("CalcPriv"));
    Banco comum("CalcShare", aliases.caminho("CalcShare"));

    EXPECT_EQ(Linhas(comum, "Valores.DB"), 390);
    EXPECT_EQ(Linhas(comum, "FaixasINSS.DB"), 325);
    EXPECT_EQ(Linhas(comum, "FaixasIR.db"), 372);
    EXPECT_EQ(Linhas(comum, "FeriadosPadrao.db"), 425);
    EXPECT_EQ(Linhas(comum, "NomeIndiceDiario.DB"), 2);
    EXPECT_EQ(Linhas(comum, "Diario.DB"), 9771 + 9802);
    EXPECT_TRUE(Tem(comum, "Valores.DB", {Valor(2026), Valor(12)}));
    EXPECT_FALSE(Tem(comum, "FaixasINSS.DB", {Valor(2004), Valor(2)}));
    EXPECT_TRUE(Tem(comum, "FeriadosPadrao.db", {Valor(Data::de(2026, 12, 25)), Valor(1)}));
    EXPECT_TRUE(Tem(comum, "Diario.DB", {Valor(1), Valor(Data::de(2026, 10, 1))}));
    EXPECT_FALSE(Tem(comum, "Diario.DB", {Valor(1), Valor(Data::de(2026, 10, 2))}));
    EXPECT_EQ(Linhas(comum, "Salario.DB"), 0);

    for (int item : {1, 2, 3, 4, 892, 893, 902, 903, 997, 998, 999})
        EXPECT_TRUE(Tem(privado, "Rendimen.DB", {Valor(item)})) << item;
    EXPECT_GT(Linhas(privado, "Reflexos.DB"), 0);
    EXPECT_EQ(Linhas(privado, "DefProcesso.DB"), 1);

    // A second init finds the databases and loads nothing twice.
    RodaCli(p.caminho(), "--dados " + p.caminho().string() + " init", &st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(Linhas(comum, "Valores.DB"), 390);
    EXPECT_EQ(Linhas(privado, "DefProcesso.DB"), 1);
}
