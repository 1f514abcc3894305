// Backup and restore of whole databases: what travels, what is refused, and
// that a restore which cannot finish leaves the database exactly as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "maintenance/CopiaSeguranca.h"
#include "maintenance/EstadoTabelas.h"
#include "storage/Banco.h"
#include "util/Erros.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

struct Copia : ::testing::Test {
    teste::PastaTemporaria tmp;
    fs::path banco = tmp.caminho() / "Privado";
    fs::path pasta = tmp.caminho() / "Backup";

    void SetUp() override { teste::CriaBancoPrivado(banco); }

    ResultadoCopia backup(const std::string& alias = "CalcPriv", const OpcoesCopia& op = {}) {
        return ExecutaCopiaSeguranca(OperacaoCopia::Backup, alias, banco, pasta, op);
    }
    ResultadoCopia restaura(const OpcoesCopia& op = {}, const std::string& alias = "CalcPriv") {
        return ExecutaCopiaSeguranca(OperacaoCopia::Restauracao, alias, banco, pasta, op);
    }
    std::string erroDe(const std::function<void()>& f) {
        try {
            f();
        } catch (const ErroKorva& e) {
            return e.what();
        }
        return "";
    }
    // Changes made to the database after the backup.
    void alteraBanco() {
        teste::ExecutaSql(banco / "Sub00001/C0000001.db", "DELETE FROM Tabela WHERE Codigo > 2");
        teste::ExecutaSql(banco / "DefAcrescimos.DB", "UPDATE Tabela SET Valor = 99");
        fs::remove(banco / "Sub00002/C0000002.db");
    }
};

TEST_F(Copia, PrivateBackupCarriesRootTablesAndEveryCalculationFolderButSkipsUnderscoreTables) {
    Banco("CalcPriv", banco).criaTabela("_Rascunho.db", ReceitaConjunto(3));
    std::vector<PassoCopia> passos;
    OpcoesCopia op;
    op.progresso = [&](const PassoCopia& p) { passos.push_back(p); };
    const auto r = backup("CalcPriv", op);

    EXPECT_EQ(r.mensagem, "Backup realizado com sucesso.");
    EXPECT_EQ(r.tabelas, 6u);
    EXPECT_EQ(r.pastas, (std::vector<std::string>{"Sub00001", "Sub00002"}));
    EXPECT_EQ(r.ignoradas, std::vector<std::string>{"_Rascunho.db"});
    auto esperado = teste::EstadoTabelas(banco);
    esperado.erase("_rascunho.db");
    // Same structure (indexes included), rows, row numbers and counters.
    EXPECT_EQ(teste::EstadoTabelas(pasta), esperado);
    EXPECT_TRUE(fs::exists(pasta / kArquivoMarcaCopia));
    // No temporary file is left beside the copies.
    for (const auto& e : fs::recursive_directory_iterator(pasta))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();

    ASSERT_EQ(passos.size(), 6u);
    EXPECT_EQ(passos.front().de, (banco / "DefAcrescimos.DB").string());
    EXPECT_EQ(passos.front().para, (pasta / "DefAcrescimos.DB").string());
    EXPECT_EQ(passos.back().de, (banco / "Sub00002/C0000002.db").string());
    EXPECT_EQ(passos.back().numero, 6u);
    EXPECT_EQ(passos.back().total, 6u);
    EXPECT_EQ(LinhaDe("x"), "De: x");
    EXPECT_EQ(LinhaPara("y"), "Para: y");
}

TEST_F(Copia, SharedBackupWalksNoCalculationFolders) {
    const auto r = backup("CalcShare");
    EXPECT_EQ(r.tabelas, 2u);
    EXPECT_TRUE(r.pastas.empty());
    EXPECT_FALSE(fs::exists(pasta / "Sub00001"));
    // A backup of the shared database is no backup of the private one.
    EXPECT_NE(erroDe([&] { restaura(); }).find("não contém uma cópia de segurança completa do banco de dados CalcPriv"),
              std::string::npos);
}

TEST_F(Copia, SameFolderIsRefusedBothWays) {
    for (auto op : {OperacaoCopia::Backup, OperacaoCopia::Restauracao}) {
        EXPECT_EQ(erroDe([&] { ExecutaCopiaSeguranca(op, "CalcPriv", banco, banco); }),
                  "Diretorios de Destino e Origem devem ser diferentes!");
        EXPECT_EQ(erroDe([&] { ExecutaCopiaSeguranca(op, "CalcPriv", banco, banco / "Sub00001" / ".."); }),
                  "Diretorios de Destino e Origem devem ser diferentes!");
    }
}

TEST_F(Copia, RestorePutsBackTheBackedUpTablesAndKeepsOthers) {
    backup();
    const auto antes = teste::EstadoTabelas(banco);
    alteraBanco();
    Banco("CalcPriv", banco).criaTabela("Sub00001/D0000001.db", ReceitaConjunto(3));
    std::vector<std::string> substituidas;
    OpcoesCopia op;
    op.aoSubstituir = [&](const std::string& t, size_t, size_t) { substituidas.push_back(t); };
    const auto r = restaura(op);
    EXPECT_EQ(r.mensagem, "Restauração realizada com sucesso.");
    EXPECT_EQ(substituidas.size(), 6u);
    auto depois = teste::EstadoTabelas(banco);
    EXPECT_EQ(depois.count("sub00001/d0000001.db"), 1u);  // not in the backup: left alone
    depois.erase("sub00001/d0000001.db");
    EXPECT_EQ(depois, antes);
    EXPECT_FALSE(fs::exists(banco / kPastaRestauracao));
}

TEST_F(Copia, RestoreFromBackupWithTruncatedTableLeavesDatabaseExactlyAsBefore) {
    teste::PoePartes(banco / "Sub00001/C0000001.db", 400);  // several pages
    backup();
    alteraBanco();
    const auto antes = teste::EstadoTabelas(banco);
    const fs::path alvo = pasta / "Sub00001/C0000001.db";
    fs::resize_file(alvo, fs::file_size(alvo) / 2);
    const std::string erro = erroDe([&] { restaura(); });
    EXPECT_NE(erro.find("C0000001.db da cópia de segurança"), std::string::npos) << erro;
    EXPECT_NE(erro.find("Nada foi restaurado."), std::string::npos) << erro;
    EXPECT_EQ(teste::EstadoTabelas(banco), antes);
    EXPECT_FALSE(fs::exists(banco / kPastaRestauracao));
}

TEST_F(Copia, RestoreRefusesFoldersThatHoldNoCompleteBackup) {
    fs::create_directories(pasta);
    EXPECT_NE(erroDe([&] { restaura(); }).find("não contém uma cópia de segurança completa"), std::string::npos);
    // Tables without the mark (a backup that stopped half-way) are refused too.
    backup();
    const std::string marca = teste::LeArquivo(pasta / kArquivoMarcaCopia);
    fs::remove(pasta / kArquivoMarcaCopia);
    EXPECT_NE(erroDe([&] { restaura(); }).find("não contém uma cópia de segurança completa"), std::string::npos);
    // A table the backup wrote is missing.
    teste::GravaArquivo(pasta / kArquivoMarcaCopia, marca);
    fs::remove(pasta / "Sub00002/C0000002.db");
    const auto antes = teste::EstadoTabelas(banco);
    EXPECT_NE(erroDe([&] { restaura(); }).find("está incompleta: falta a tabela Sub00002/C0000002.db"),
              std::string::npos);
    EXPECT_EQ(teste::EstadoTabelas(banco), antes);
    // A missing folder.
    fs::remove_all(pasta);
    EXPECT_NE(erroDe([&] { restaura(); }).find("A pasta de origem não existe"), std::string::npos);
}

TEST_F(Copia, FailedSwapPutsEveryFormerTableBack) {
    backup();
    alteraBanco();
    fs::remove_all(pasta / "Sub00003");
    fs::create_directories(pasta / "Sub00003");  // a folder the database lacks
    Banco("b", pasta).criaTabela("Sub00003/C0000003.db", ReceitaConjunto(2));
    const auto antes = teste::EstadoTabelas(banco);
    OpcoesCopia op;
    op.aoSubstituir = [](const std::string&, size_t n, size_t) {
        if (n == 5) throw ErroES("Disco cheio");
    };
    EXPECT_EQ(erroDe([&] { restaura(op); }), "Disco cheio");
    EXPECT_EQ(teste::EstadoTabelas(banco), antes);
    EXPECT_FALSE(fs::exists(banco / "Sub00003"));
    EXPECT_FALSE(fs::exists(banco / kPastaRestauracao));
}

TEST_F(Copia, RestoreKilledDuringTheSwapIsUndoneBeforeTheNextUse) {
    backup();
    alteraBanco();
    const auto antes = teste::EstadoTabelas(banco);
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        OpcoesCopia op;
        op.aoSubstituir = [](const std::string&, size_t n, size_t) {
            if (n == 4) _exit(7);  // the program stops half-way through the swap
        };
        try {
            restaura(op);
        } catch (...) {
        }
        _exit(0);
    }
    int st = 0;
    waitpid(filho, &st, 0);
    ASSERT_TRUE(WIFEXITED(st));
    ASSERT_EQ(WEXITSTATUS(st), 7);
    EXPECT_NE(teste::EstadoTabelas(banco), antes);  // a mix of old and new tables
    EXPECT_TRUE(RetomaRestauracaoInterrompida(banco));
    EXPECT_EQ(teste::EstadoTabelas(banco), antes);
    EXPECT_FALSE(fs::exists(banco / kPastaRestauracao));
    EXPECT_FALSE(RetomaRestauracaoInterrompida(banco));
    // And the restore then goes through.
    restaura();
    EXPECT_EQ(teste::EstadoTabelas(banco), teste::EstadoTabelas(pasta));
}

TEST_F(Copia, RestoreRefusedWhileATableIsInUseChangesNothing) {
    backup();
    alteraBanco();
    const auto antes = teste::EstadoTabelas(banco);
    {
        TravaTabela emUso(banco / "Sub00001/C0000001.db", TravaTabela::Modo::Compartilhado);
        const std::string erro = erroDe([&] { restaura(); });
        EXPECT_NE(erro.find("em uso"), std::string::npos) << erro;
    }
    EXPECT_EQ(teste::EstadoTabelas(banco), antes);
    // The backup only shares the tables: it goes on while one is open.
    TravaTabela emUso(banco / "Sub00001/C0000001.db", TravaTabela::Modo::Compartilhado);
    fs::remove_all(pasta);
    EXPECT_EQ(backup().tabelas, 5u);
}

TEST_F(Copia, DamagedTableStopsTheBackup) {
    const fs::path alvo = banco / "Sub00001/C0000001.db";
    teste::PoePartes(alvo, 400);
    std::string bytes = teste::LeArquivo(alvo);
    for (size_t i = 4096 * 2; i < 4096 * 3; ++i) bytes[i] = static_cast<char>(0xA5);
    teste::GravaArquivo(alvo, bytes);
    const std::string erro = erroDe([&] { backup(); });
    EXPECT_NE(erro.find("C0000001.db está danificada"), std::string::npos) << erro;
    EXPECT_FALSE(fs::exists(pasta / kArquivoMarcaCopia));
}

}  // namespace
