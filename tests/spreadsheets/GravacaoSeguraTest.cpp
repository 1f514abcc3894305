// Files written whole or not at all: a failed write leaves the old file and
// no temporary behind, a replaced file keeps its permissions, and the
// destinations that cannot be replaced are refused before any writing.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "spreadsheets/GravacaoSegura.h"
#include "util/Erros.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

int Arquivos(const fs::path& pasta) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(pasta)) ++n;
    return n;
}

std::string Mensagem(const fs::path& destino) {
    try {
        GravaSubstituindo(destino, [](const fs::path& t) { teste::GravaArquivo(t, "novo"); });
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return {};
}

}  // namespace

TEST(GravacaoSegura, ReplacesOnlyWhenTheWriteCompletes) {
    teste::PastaTemporaria pasta;
    const fs::path alvo = pasta.caminho() / "p.xlsx";
    teste::GravaArquivo(alvo, "antigo");
    fs::permissions(alvo, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::path usado;
    EXPECT_THROW(GravaSubstituindo(alvo,
                                   [&](const fs::path& t) {
                                       usado = t;
                                       teste::GravaArquivo(t, "pela metade");
                                       throw ErroKorva("falhou no meio");
                                   }),
                 ErroKorva);
    EXPECT_EQ(usado.parent_path(), alvo.parent_path());  // same folder: the rename never copies
    EXPECT_EQ(teste::LeArquivo(alvo), "antigo");
    EXPECT_EQ(Arquivos(pasta.caminho()), 1);

    GravaSubstituindo(alvo, [](const fs::path& t) { teste::GravaArquivo(t, "novo"); });
    EXPECT_EQ(teste::LeArquivo(alvo), "novo");
    EXPECT_EQ(Arquivos(pasta.caminho()), 1);
    EXPECT_EQ(fs::status(alvo).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A new file is readable as any file the user makes, not private to the writer.
    const fs::path novo = pasta.caminho() / "n.xlsx";
    GravaSubstituindo(novo, [](const fs::path& t) { teste::GravaArquivo(t, "x"); });
    EXPECT_NE(fs::status(novo).permissions() & fs::perms::group_read, fs::perms::none);
}

TEST(GravacaoSegura, RefusesWhatCannotBeReplaced) {
    teste::PastaTemporaria pasta;
    const fs::path alvo = pasta.caminho() / "relatorio.xlsx";
    teste::GravaArquivo(alvo, "antigo");

    fs::permissions(alvo, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Mensagem(alvo), MsgArquivoSomenteLeitura(alvo));
    fs::permissions(alvo, fs::perms::owner_write, fs::perm_options::add);

    for (const std::string trava : {".~lock.relatorio.xlsx#", "~$relatorio.xlsx", "~$latorio.xlsx"}) {
        teste::GravaArquivo(pasta.caminho() / trava, "x");
        EXPECT_EQ(Mensagem(alvo), MsgArquivoEmUso(alvo)) << trava;
        fs::remove(pasta.caminho() / trava);
    }
    EXPECT_EQ(teste::LeArquivo(alvo), "antigo");

    fs::create_directory(pasta.caminho() / "pasta.xlsx");
    EXPECT_NE(Mensagem(pasta.caminho() / "pasta.xlsx").find("é uma pasta"), std::string::npos);
    EXPECT_NE(Mensagem(pasta.caminho() / "falta" / "a.xlsx").find("não existe"), std::string::npos);
    EXPECT_EQ(Arquivos(pasta.caminho()), 2);

    EXPECT_EQ(Mensagem(alvo), "");
    EXPECT_EQ(teste::LeArquivo(alvo), "novo");
}
