// The check of a calculation's file set before a reader goes over it: the
// tables every calculation has must be there, any table that is there must be
// readable, and an optional table never created is no failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BaseRegistro.h"
#include "apoio/Arquivos.h"
#include "register/ConferenciaConjunto.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Erros.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

struct Conferencia : teste::BaseRegistro {
    ConjuntoCalculo conjunto{banco, [] { return 100; }};

    void SetUp() override {
        BaseRegistro::SetUp();
        conjunto.defineAtual(1, 23);
        conjunto.CriaSubDiretorio(1);
        // What storing a new calculation creates (A, B, C, E) and an H.
        for (const auto& [letra, tipo] : {std::pair{'A', 0}, {'B', 1}, {'C', 2}, {'E', 4}, {'H', 7}})
            conjunto.CriaTabela(ConjuntoCalculo::NomeCurto(letra, 23), tipo);
    }
    fs::path arquivo(char letra) { return banco.caminho(conjunto.NomeTabela(letra)); }
    std::string falha(const std::string& letras = "CABDIEH") {
        try {
            ConfereTabelasConjunto(banco, 1, 23, letras);
        } catch (const ErroBanco& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace

TEST_F(Conferencia, ACompleteSetAndOptionalTablesNeverCreatedPass) {
    // D and I were never created: nothing to read, no failure.
    EXPECT_EQ(falha(), "");
    fs::remove(arquivo('E'));
    fs::remove(arquivo('H'));
    EXPECT_EQ(falha(), "");
}

TEST_F(Conferencia, ATableEveryCalculationHasMustBeThere) {
    for (char letra : {'A', 'B', 'C'}) {
        SCOPED_TRACE(letra);
        const auto p = arquivo(letra);
        const std::string bytes = teste::LeArquivo(p);
        fs::remove(p);
        const std::string m = falha();
        EXPECT_EQ(m.rfind("Tabela não encontrada: ", 0), 0u) << m;
        EXPECT_NE(m.find(p.filename().string()), std::string::npos) << m;
        // Only the letters asked for are looked at.
        EXPECT_EQ(falha(std::string(1, letra == 'A' ? 'B' : 'A')), "");
        teste::GravaArquivo(p, bytes);
    }
    EXPECT_EQ(falha(), "");
}

TEST_F(Conferencia, SomethingElseInATablesPlaceFails) {
    // A folder where table B should be, and where the optional D would be.
    fs::remove(arquivo('B'));
    fs::create_directories(arquivo('B'));
    EXPECT_NE(falha("B").find("Tabela não encontrada"), std::string::npos);
    fs::remove(arquivo('B'));
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 23), 1);

    fs::create_directories(arquivo('D'));
    EXPECT_NE(falha().find(arquivo('D').filename().string()), std::string::npos);
    fs::remove(arquivo('D'));

    // A damaged optional table and a link to nothing.
    teste::GravaArquivo(arquivo('I'), "<html><body>404</body></html>");
    EXPECT_NE(falha().find("Tabela corrompida"), std::string::npos) << falha();
    fs::remove(arquivo('I'));
    fs::create_symlink(banco.pasta() / "nenhum.db", arquivo('I'));
    EXPECT_NE(falha().find("Tabela não encontrada"), std::string::npos) << falha();
    fs::remove(arquivo('I'));
    EXPECT_EQ(falha(), "");
}
