#include "app/Unidades.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "storage/Aliases.h"
#include "util/Erros.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

TEST(Unidades, LinhasDoArquivoDeUnidades) {
    const std::string longa(120, 'p');
    const auto u = Unidades::Interpreta(
        "1ª Vara;/srv/vara1\r\n"
        "\r\n"
        "   \n"
        "Vara de S\xE3o Jos\xE9;/srv/sj;extra\n"  // Windows-1252 line, first ";" splits
        "sem separador\n"
        "Sem pasta;  \n"
        "Longa;" + longa + "\n"
        "Última;/srv/ultima");
    ASSERT_EQ(u.size(), 4u);
    EXPECT_EQ(u[0].nome, "1ª Vara");
    EXPECT_EQ(u[0].pasta, "/srv/vara1");
    EXPECT_EQ(u[1].nome, "Vara de São José");
    EXPECT_EQ(u[1].pasta, "/srv/sj;extra");
    EXPECT_EQ(u[2].pasta, std::string(100, 'p'));
    EXPECT_EQ(u[3].nome, "Última");
    EXPECT_EQ(u[3].pasta, "/srv/ultima");

    teste::PastaTemporaria pasta;
    EXPECT_TRUE(Unidades::Le(pasta.caminho() / "Alias.txt").empty());
    teste::GravaArquivo(pasta.caminho() / "Alias.txt", "A;/a\nB;/b\n");
    EXPECT_EQ(Unidades::Le(pasta.caminho() / "Alias.txt").size(), 2u);
}

TEST(Unidades, MudaDiretorioDoAliasPrivado) {
    teste::PastaTemporaria pasta;
    const fs::path arq = pasta.caminho() / "Aliases.cfg";
    teste::GravaArquivo(arq, "[CalcPriv]\nPATH=/srv/antigo\n\n[CalcShare]\nPATH=/srv/compartilhado\n");
    {
        ArquivoAliases aliases(arq);
        Unidades::MudaDiretorio(aliases, "/srv/vara 2");
        EXPECT_EQ(aliases.caminho("CalcPriv"), "/srv/vara 2");
    }
    ArquivoAliases relido(arq);
    EXPECT_EQ(relido.parametros("CalcPriv"), std::vector<std::string>{"PATH=/srv/vara 2"});
    EXPECT_EQ(relido.caminho("CalcShare"), "/srv/compartilhado");

    const fs::path semPrivado = pasta.caminho() / "SoShare.cfg";
    teste::GravaArquivo(semPrivado, "[CalcShare]\nPATH=/srv/compartilhado\n");
    ArquivoAliases aliases(semPrivado);
    try {
        Unidades::MudaDiretorio(aliases, "/srv/vara1");
        ADD_FAILURE() << "no error";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Alias do KORVA não existe");
    }
    EXPECT_FALSE(aliases.existe("CalcPriv"));
    EXPECT_EQ(teste::LeArquivo(semPrivado), "[CalcShare]\nPATH=/srv/compartilhado\n");
}

}  // namespace
}  // namespace korva
