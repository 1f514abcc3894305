// The lawsuit progress through its companion program: the arguments it gets,
// the text read back, the files left behind, and a missing program or result.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "register/Andamentos.h"
#include "util/Erros.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

struct AndamentosTeste : ::testing::Test {
    teste::PastaTemporaria programa;

    void escreve(const fs::path& arquivo, const std::string& conteudo) {
        std::ofstream f(arquivo, std::ios::binary);
        f << conteudo;
    }
    std::string le(const fs::path& arquivo) {
        std::ifstream f(arquivo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    void companheiro(const std::string& corpo) {
        escreve(programa.caminho() / "Andamentos.exe", "#!/bin/sh\n" + corpo);
        ::chmod((programa.caminho() / "Andamentos.exe").c_str(), 0755);
    }
};

}  // namespace

TEST_F(AndamentosTeste, TheProgramGetsTheNumberAndTheResultFileAndItsTextComesBack) {
    // Records its arguments in the result file it was told to write, plus an
    // accented line in Windows-1252 as such programs write it.
    companheiro("printf '%s|%s\\n' \"$1\" \"$2\" > \"$2\"\nprintf 'Conclus\\343o\\n' >> \"$2\"\n");
    escreve(programa.caminho() / "A23.AND", "resultado antigo");
    int eventos = 0;
    const Andamentos a = BuscaAndamentos(programa.caminho(), "0001234-56.2009 5/01", 23, [&] { ++eventos; });
    EXPECT_EQ(a.titulo, "KORVA - Andamentos do Processo: 0001234-56.2009 5/01");
    EXPECT_EQ(a.texto, "0001234-56.2009 5/01|A23.AND\nConclusão\n");
    EXPECT_FALSE(fs::exists(programa.caminho() / "A23.AND"));
    EXPECT_FALSE(fs::exists(programa.caminho() / "A23.bat"));
}

TEST_F(AndamentosTeste, AMissingProgramOrResultFailsAndLeavesNoScript) {
    try {
        BuscaAndamentos(programa.caminho(), "1/2009", 7, [] {});
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_NE(std::string(e.what()).find("Não encontrado o programa"), std::string::npos) << e.what();
    }
    companheiro("exit 0\n");  // writes nothing
    EXPECT_THROW(BuscaAndamentos(programa.caminho(), "1/2009", 7, [] {}), ErroES);
    EXPECT_FALSE(fs::exists(programa.caminho() / "A7.bat"));
    EXPECT_TRUE(AndamentosVisiveis("S"));
    EXPECT_FALSE(AndamentosVisiveis("N"));
}
