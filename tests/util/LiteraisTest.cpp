#include "util/Literais.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "storage/Aliases.h"
#include "util/Erros.h"

namespace fs = std::filesystem;
using korva::Literais;

TEST(Literais, ProximoMesViraOAno) {
    uint16_t mes = 12, ano = 2009;
    Literais::ProximoMes(mes, ano);
    EXPECT_EQ(mes, 1);
    EXPECT_EQ(ano, 2010);
    mes = 11;
    ano = 2009;
    Literais::ProximoMes(mes, ano);
    EXPECT_EQ(mes, 12);
    EXPECT_EQ(ano, 2009);
}

TEST(Literais, ZerosEPreenchimentoContamCaracteres) {
    EXPECT_EQ(Literais::ZerosEsquerda("  23 ", 7), "0000023");
    EXPECT_EQ(Literais::ZerosEsquerda("12345", 5), "12345");
    EXPECT_EQ(Literais::ZerosEsquerda("1234", 3), "1234");
    EXPECT_EQ(Literais::ZerosEsquerda(" 7 ", 0), "7");
    EXPECT_EQ(Literais::ZerosEsquerdaInt(23, 7), "0000023");
    EXPECT_EQ(Literais::ZerosEsquerdaInt(2, 3), "002");
    EXPECT_EQ(Literais::ZerosEsquerdaInt(-5, 3), "-05");
    EXPECT_EQ(Literais::PreencheEsquerda("7", 3, U'*'), "**7");
    EXPECT_EQ(Literais::PreencheDireita("  ab  ", 0, U'*'), "ab");
    EXPECT_EQ(Literais::PreencheDireita("ab", 5, U'.'), "ab...");
    // An accented letter is one character, not two bytes.
    EXPECT_EQ(Literais::PreencheDireita("São", 5, U' '), "São  ");
    EXPECT_EQ(Literais::PreencheEsquerda("ção", 4, U'ã'), "ãção");
    EXPECT_EQ(Literais::PreencheEsquerda("abcdef", 3, U'*'), "abcdef");
}

TEST(Literais, DiaSemanaECondicional) {
    EXPECT_EQ(Literais::DiaSemana(1), "Dom.");
    EXPECT_EQ(Literais::DiaSemana(4), "Qua.");
    EXPECT_EQ(Literais::DiaSemana(7), "Sáb.");
    EXPECT_EQ(Literais::DiaSemana(0), "");
    EXPECT_EQ(Literais::DiaSemana(8), "");
    EXPECT_EQ(Literais::Condicional(true, 1, 2), 1);
    EXPECT_EQ(Literais::Condicional(false, std::string("S"), std::string("N")), "N");
}

TEST(Literais, IncluiBarra) {
    EXPECT_EQ(Literais::IncluiBarra("C:\\dados"), "C:\\dados\\");
    EXPECT_EQ(Literais::IncluiBarra("C:\\dados\\"), "C:\\dados\\");
    EXPECT_EQ(Literais::IncluiBarra("/dados/"), "/dados/\\");
    EXPECT_EQ(Literais::IncluiBarra(""), "");
    EXPECT_EQ(Literais::IncluiSeparador("/dados"), "/dados/");
    EXPECT_EQ(Literais::IncluiSeparador("/dados/"), "/dados/");
    EXPECT_EQ(Literais::IncluiSeparador(""), "");
}

TEST(Literais, DataValida) {
    EXPECT_TRUE(Literais::DataValida("31/12/2009"));
    EXPECT_TRUE(Literais::DataValida("29/02/2008"));
    EXPECT_FALSE(Literais::DataValida("29/02/2009"));
    EXPECT_FALSE(Literais::DataValida("32/01/2009"));
    EXPECT_FALSE(Literais::DataValida("2009-12-31"));
    EXPECT_FALSE(Literais::DataValida(""));
}

TEST(Literais, EhParticula) {
    for (const char* p : {"de  ", "da  ", "do  ", "das  ", "dos  ", "e  ", "a  ", "o  ", "  "})
        EXPECT_TRUE(Literais::EhParticula(std::string_view(p))) << p;
    for (const char* p : {"des  ", "di  ", "du  ", "dom  ", "em  ", "De  "})
        EXPECT_FALSE(Literais::EhParticula(std::string_view(p))) << p;
}

TEST(Literais, NomeProprio) {
    EXPECT_EQ(Literais::NomeProprio("MARIA DA SILVA"), "Maria da Silva");
    EXPECT_EQ(Literais::NomeProprio("joão dos santos e souza"), "João dos Santos e Souza");
    EXPECT_EQ(Literais::NomeProprio("ana-maria de o. lima"), "Ana-Maria de O. Lima");
    EXPECT_EQ(Literais::NomeProprio("silva . filho"), "Silva. Filho");
    EXPECT_EQ(Literais::NomeProprio(""), "");
    EXPECT_EQ(Literais::NomeProprio("   "), "");
    EXPECT_EQ(Literais::NomeProprio("de souza"), "de Souza");
    // Accented capitals follow the Latin-1 case rules.
    EXPECT_EQ(Literais::NomeProprio("JOÃO"), "João");
    EXPECT_EQ(Literais::NomeProprio("ÂNGELA CONCEIÇÃO"), "Ângela Conceição");
    EXPECT_EQ(Literais::NomeProprio("élio"), "Élio");
    EXPECT_EQ(Literais::NomeProprio("  maria  josé "), "Maria  José");
    EXPECT_EQ(Literais::NomeProprio("maria/josé"), "Maria/José");
    EXPECT_EQ(Literais::NomeProprio("ind. com. ltda"), "Ind. Com. Ltda");
    // A separator at the very end must not reach past the text.
    EXPECT_EQ(Literais::NomeProprio("silva-"), "Silva-");
    EXPECT_EQ(Literais::NomeProprio(".silva"), ".Silva");
}

TEST(Literais, CaminhoAlias) {
    korva::teste::PastaTemporaria pasta;
    const fs::path arquivo = pasta.caminho() / "aliases.cfg";
    {
        std::ofstream out(arquivo);
        out << "[CalcPriv]\nPATH=/dados/priv\n[Outro]\nTYPE=PARADOX\n";
    }
    korva::ArquivoAliases aliases(arquivo);
    Literais literais(&aliases);
    EXPECT_EQ(literais.CaminhoAlias("CalcPriv"), "/dados/priv");
    EXPECT_EQ(literais.CaminhoAlias("Outro"), "\\");
    EXPECT_THROW(literais.CaminhoAlias("NaoExiste"), korva::ErroBanco);
    EXPECT_THROW(Literais().CaminhoAlias("CalcPriv"), korva::ErroKorva);
}

TEST(Literais, ListaSubDiretoriosSoPastasSimples) {
    korva::teste::PastaTemporaria pasta;
    const fs::path raiz = pasta.caminho();
    fs::create_directory(raiz / "Sub00001");
    fs::create_directory(raiz / "sub00005");           // letter case ignored by the pattern
    fs::create_directory(raiz / "Sub00002");
    fs::permissions(raiz / "Sub00002", fs::perms::owner_write, fs::perm_options::remove);  // read-only
    fs::create_directory(raiz / ".Sub00003");          // hidden
    std::ofstream(raiz / "Sub00004") << "arquivo";     // plain file
    fs::create_directory_symlink(raiz / "Sub00001", raiz / "SubLigacao");
    fs::create_directory(raiz / "Outra");

    auto nomes = Literais::ListaSubDiretorios(raiz.string() + "\\", "Sub*");
    std::sort(nomes.begin(), nomes.end());
    EXPECT_EQ(nomes, (std::vector<std::string>{"Sub00001", "sub00005"}));

    nomes = Literais::ListaSubDiretorios(raiz.string(), "Sub0000?");
    std::sort(nomes.begin(), nomes.end());
    EXPECT_EQ(nomes, (std::vector<std::string>{"Sub00001", "sub00005"}));

    EXPECT_TRUE(Literais::ListaSubDiretorios((raiz / "naoexiste").string(), "*").empty());
}

TEST(Literais, ApagaArquivo) {
    korva::teste::PastaTemporaria pasta;
    const fs::path arquivo = pasta.caminho() / "P23.bat";
    std::ofstream(arquivo) << "x";
    fs::permissions(arquivo, fs::perms::owner_read);  // read-only
    EXPECT_TRUE(Literais::ApagaArquivo(arquivo.string()));
    EXPECT_FALSE(fs::exists(arquivo));

    EXPECT_THROW(Literais::ApagaArquivo(arquivo.string()), korva::ErroES);
    try {
        Literais::ApagaArquivo(arquivo.string());
    } catch (const korva::ErroES& e) {
        EXPECT_NE(std::string(e.what()).find("P23.bat"), std::string::npos);
    }
    fs::create_directory(pasta.caminho() / "pasta");
    EXPECT_THROW(Literais::ApagaArquivo((pasta.caminho() / "pasta").string()), korva::ErroES);
    EXPECT_TRUE(fs::exists(pasta.caminho() / "pasta"));
}
