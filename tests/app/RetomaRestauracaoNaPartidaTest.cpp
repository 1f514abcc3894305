// A restore of the private database killed half-way through its swap leaves
// a mix of former and restored tables; the next start of the program puts
// the former ones back before it completes or cleans anything.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "maintenance/ArquivosTabela.h"
#include "maintenance/CopiaSeguranca.h"
#include "storage/Banco.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Arquivos(const fs::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& t : TabelasDaPasta(pasta)) r[t] = teste::LeArquivo(pasta / t);
    return r;
}

}  // namespace

TEST(RetomaRestauracaoNaPartida, StartPutsBackTheTablesOfARestoreKilledDuringTheSwap) {
    teste::PastaTemporaria tmp;
    const Ambiente ambiente = Ambiente::Padrao(tmp.caminho(), "korva");
    ASSERT_TRUE(Sessao::PrimeiraPartida(ambiente));
    const fs::path privado = ambiente.pastaPrivadaInicial();
    const fs::path copia = tmp.caminho() / "Copia";
    ExecutaCopiaSeguranca(OperacaoCopia::Backup, "CalcPriv", privado, copia);
    // After the backup the catalogue is emptied: the restore would bring it back.
    Banco("CalcPriv", privado).executa("Rendimen.DB", "DELETE FROM Tabela WHERE 1 = 1");
    const auto antes = Arquivos(privado);

    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        OpcoesCopia op;
        op.aoSubstituir = [](const std::string&, size_t n, size_t) {
            if (n == 3) _exit(7);
        };
        try {
            ExecutaCopiaSeguranca(OperacaoCopia::Restauracao, "CalcPriv", privado, copia, op);
        } catch (...) {
        }
        _exit(0);
    }
    int st = 0;
    waitpid(filho, &st, 0);
    ASSERT_TRUE(WIFEXITED(st));
    ASSERT_EQ(WEXITSTATUS(st), 7);
    ASSERT_TRUE(fs::exists(privado / kPastaRestauracao));
    EXPECT_NE(Arquivos(privado), antes);

    Sessao sessao(ambiente);
    EXPECT_FALSE(fs::exists(privado / kPastaRestauracao));
    EXPECT_EQ(Arquivos(privado), antes);
    EXPECT_EQ(sessao.privado().consulta("select count(*) from Tabela", {"Rendimen.DB"}).front()[0].comoInteiro(), 0);
}
