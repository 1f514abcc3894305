// korva-cli backup criar|restaurar and verificar: the real program over a
// database made by init, exit codes, messages, the repair log, and a backup
// killed at random moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "maintenance/EstadoTabelas.h"
#include "storage/Banco.h"

namespace fs = std::filesystem;
namespace teste = korva::teste;

namespace {

struct Manutencao : ::testing::Test {
    teste::PastaTemporaria pasta;
    fs::path privado, compartilhado, copia;
    int st = -1;

    std::string roda(const std::string& args) {
        return teste::RodaCli("--dados '" + pasta.caminho().string() + "' " + args, &st);
    }
    void SetUp() override {
        roda("init --json");
        ASSERT_EQ(st, 0);
        privado = pasta.caminho() / "Privado";
        compartilhado = pasta.caminho() / "Compartilhado";
        copia = pasta.caminho() / "Copia";
        ASSERT_TRUE(fs::is_directory(privado));
    }
    // Calculation folders with a parties table each.
    void criaCalculos(int pastas, int linhas) {
        korva::Banco b("CalcPriv", privado);
        for (int i = 1; i <= pastas; ++i) {
            char sub[16], nome[32];
            std::snprintf(sub, sizeof sub, "Sub%05d", i);
            std::snprintf(nome, sizeof nome, "%s/C%07d.db", sub, i);
            fs::create_directories(privado / sub);
            b.criaTabela(nome, korva::ReceitaConjunto(2));
            teste::PoePartes(privado / nome, linhas);
        }
    }
};

TEST_F(Manutencao, BackupAndRestoreOfThePrivateDatabase) {
    criaCalculos(2, 10);
    std::string s = roda("backup criar CalcPriv '" + copia.string() + "'");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("2 pasta(s) de cálculos"), std::string::npos) << s;
    EXPECT_NE(s.find("Backup realizado com sucesso."), std::string::npos) << s;
    const auto antes = teste::EstadoTabelas(privado);

    teste::ExecutaSql(privado / "Sub00002/C0000002.db", "DELETE FROM Tabela");
    s = roda("backup restaurar calcpriv '" + copia.string() + "' --detalhes");
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("De: " + (copia / "Sub00002/C0000002.db").string() + "\nPara: " +
                     (privado / "Sub00002/C0000002.db").string()),
              std::string::npos)
        << s;
    EXPECT_NE(s.find("Restauração realizada com sucesso."), std::string::npos);
    EXPECT_EQ(teste::EstadoTabelas(privado), antes);

    s = roda("backup criar CalcShare '" + (pasta.caminho() / "CopiaShare").string() + "' --json");
    ASSERT_EQ(st, 0) << s;
    const auto j = nlohmann::json::parse(s);
    EXPECT_TRUE(j["pastasCalculo"].empty());
    EXPECT_GT(j["tabelas"].get<int>(), 10);
}

TEST_F(Manutencao, RefusalsExitWithAnErrorAndChangeNothing) {
    std::string s = roda("backup criar CalcPriv '" + privado.string() + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Diretorios de Destino e Origem devem ser diferentes!"), std::string::npos) << s;
    s = roda("backup restaurar CalcShare '" + (privado / ".." / "Compartilhado").string() + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Diretorios de Destino e Origem devem ser diferentes!"), std::string::npos) << s;
    // A backup of the other database.
    roda("backup criar CalcShare '" + copia.string() + "'");
    ASSERT_EQ(st, 0);
    const auto antes = teste::EstadoTabelas(privado);
    s = roda("backup restaurar CalcPriv '" + copia.string() + "'");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não contém uma cópia de segurança completa do banco de dados CalcPriv"), std::string::npos) << s;
    EXPECT_EQ(teste::EstadoTabelas(privado), antes);
    s = roda("backup criar Outro '" + copia.string() + "'");
    EXPECT_NE(st, 0);
}

TEST_F(Manutencao, VerifyPrintsTheLogAndRepairsOnRequest) {
    criaCalculos(1, 1500);
    std::string s = roda("verificar CalcPriv");
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(s.rfind("Verificando Banco de Dados: CalcPriv\n", 0), 0u) << s;
    EXPECT_NE(s.find("Checando tabela: Processo.DB ...\nTabela Processo.DB está Ok.\n\n"), std::string::npos);
    EXPECT_NE(s.find("Verificando Banco de Dados: CalcPriv\\Sub00001 = " + (privado / "Sub00001").string()),
              std::string::npos);
    EXPECT_NE(s.find("Verificação concluída!"), std::string::npos);

    const fs::path alvo = privado / "Sub00001/C0000001.db";
    std::string bytes = teste::LeArquivo(alvo);
    const size_t pagina = bytes.find("100000700") / 4096;
    for (size_t i = pagina * 4096; i < (pagina + 1) * 4096; ++i) bytes[i] = '\x5a';
    teste::GravaArquivo(alvo, bytes);

    s = roda("verificar CalcPriv");
    EXPECT_EQ(st, 1) << s;
    EXPECT_NE(s.find("Tabela C0000001.db está danificada.\n"), std::string::npos) << s;
    s = roda("verificar CalcPriv --reparar");
    EXPECT_EQ(st, 0) << s;
    EXPECT_NE(s.find("Tabela C0000001.db está danificada. Executando a reparação ...\nTabela reparada.\n"),
              std::string::npos)
        << s;
    s = roda("verificar CalcPriv --json");
    ASSERT_EQ(st, 0) << s;
    EXPECT_TRUE(nlohmann::json::parse(s)["semProblemas"].get<bool>());
}

TEST_F(Manutencao, BackupKilledAtAnyMomentLeavesTheDatabaseUntouched) {
    criaCalculos(30, 300);
    const auto antes = teste::EstadoTabelas(privado);
    // A whole run, for the length of a backup.
    const auto t0 = std::chrono::steady_clock::now();
    roda("backup criar CalcPriv '" + (pasta.caminho() / "Inteira").string() + "'");
    ASSERT_EQ(st, 0);
    const auto duracao = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);

    std::mt19937 sorte(20240611);
    int interrompidos = 0;
    for (int k = 0; k < 12; ++k) {
        fs::remove_all(copia);
        const std::string dados = pasta.caminho().string(), destino = copia.string();
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            execl(KORVA_CLI, KORVA_CLI, "--dados", dados.c_str(), "backup", "criar", "CalcPriv", destino.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(sorte() % (duracao.count() + 1)));
        kill(pid, SIGKILL);
        int estado = 0;
        waitpid(pid, &estado, 0);
        if (WIFSIGNALED(estado)) ++interrompidos;
        EXPECT_EQ(teste::EstadoTabelas(privado), antes) << "interrupção " << k;
        // A backup cut short is never taken for a whole one.
        if (WIFSIGNALED(estado) && fs::exists(copia)) {
            const std::string s = roda("backup restaurar CalcPriv '" + destino + "'");
            if (!fs::exists(copia / "CopiaSeguranca.lst")) {
                EXPECT_NE(st, 0) << s;
            }
            EXPECT_EQ(teste::EstadoTabelas(privado), antes);
        }
    }
    EXPECT_GT(interrompidos, 3);
}

}  // namespace
