// Transactions over several table files: one commit for all of them, the
// statements routed to the attached files, nested failures and the files
// created or left behind by an interrupted change.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Excecoes.h"
#include "storage/OrfaosCalculo.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

DefTabela Simples() {
    DefTabela d;
    d.campos = {CampoAutoinc("Codigo", true), CampoSmallint("Mes", true), CampoFloat("Valor")};
    d.indices = {IndicePrimario({"Codigo"}), IndiceSecundario("IndMes", {"Mes"}, true)};
    return d;
}

void Inclui(Tabela& t, int mes, double valor) {
    t.insere();
    t["Mes"] = mes;
    t["Valor"] = valor;
    t.grava();
}

int64_t Conta(Banco& b, const std::string& tabela) {
    return b.consulta("select count(*) from " + Banco::NomeNaConsulta(tabela), {tabela})[0][0].comoInteiro();
}

std::string Nome(int i) { return "T" + std::to_string(i) + ".DB"; }

}  // namespace

TEST(QualificaTabelas, QualifiesOnlyTheFilesOwnTablesOutsideLiteralsAndQualifiedNames) {
    EXPECT_EQ(QualificaTabelas("INSERT INTO Tabela(a) VALUES(?)", "t1"), "INSERT INTO \"t1\".Tabela(a) VALUES(?)");
    EXPECT_EQ(QualificaTabelas("update korva_autoinc set ultimo=1", "t2"), "update \"t2\".korva_autoinc set ultimo=1");
    EXPECT_EQ(QualificaTabelas("PRAGMA table_info(\"Tabela\")", "t1"), "PRAGMA table_info(\"t1\".\"Tabela\")");
    EXPECT_EQ(QualificaTabelas("select 'Tabela' from main.Tabela where x=:Tabela", "t1"),
              "select 'Tabela' from main.Tabela where x=:Tabela");
    EXPECT_EQ(QualificaTabelas("select Tabelas, MinhaTabela, Tabela.Mes from Tabela", "t3"),
              "select Tabelas, MinhaTabela, \"t3\".Tabela.Mes from \"t3\".Tabela");
    EXPECT_EQ(QualificaTabelas("select 'it''s Tabela' -- Tabela\nfrom tabela", "t1"),
              "select 'it''s Tabela' -- Tabela\nfrom \"t1\".tabela");
}

TEST(TransacaoVariasTabelas, CommitsOrRollsBackEveryFileTogether) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    for (int i = 0; i < 3; ++i) b.criaTabela(Nome(i), Simples());
    std::vector<std::unique_ptr<Tabela>> t;
    for (int i = 0; i < 3; ++i) {
        t.push_back(std::make_unique<Tabela>(b, Nome(i)));
        t.back()->abre();
    }
    {
        Transacao tr(b);
        for (int i = 0; i < 3; ++i) Inclui(*t[i], 1, i);
        // Inside the transaction every file sees its own new rows.
        EXPECT_EQ(Conta(b, Nome(2)), 1);
        EXPECT_EQ(b.executa(Nome(1), "update Tabela set Valor=Valor+10"), 1);
        // Rolled back on leaving the block unconfirmed.
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Conta(b, Nome(i)), 0) << Nome(i);
        EXPECT_EQ(t[i]->quantidade(), 0) << Nome(i);  // the datasets reread the files
    }
    {
        Transacao tr(b);
        for (int i = 0; i < 3; ++i) Inclui(*t[i], 2, i);
        tr.confirma();
    }
    // After the commit each file is written on its own handle again.
    for (int i = 0; i < 3; ++i) Inclui(*t[i], 3, 10 + i);
    Banco outro("T", p.caminho());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Conta(outro, Nome(i)), 2) << Nome(i);
    // The autoincrement counters of the attached files moved with the rows.
    EXPECT_EQ(t[2]->valor("Codigo").comoInteiro(), 2);
}

TEST(TransacaoVariasTabelas, AProcessKilledBeforeTheCommitLeavesNoFileChanged) {
    teste::PastaTemporaria p;
    {
        Banco b("T", p.caminho());
        for (int i = 0; i < 3; ++i) b.criaTabela(Nome(i), Simples());
    }
    const pid_t filho = fork();
    if (filho == 0) {
        Banco b("T", p.caminho());
        Transacao tr(b);
        for (int i = 0; i < 3; ++i) {
            Tabela t(b, Nome(i));
            t.abre();
            for (int m = 1; m <= 12; ++m) Inclui(t, m, m);
        }
        _exit(0);  // dies holding the transaction: hot journals on every file
    }
    int status = 0;
    waitpid(filho, &status, 0);
    Banco b("T", p.caminho());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Conta(b, Nome(i)), 0) << Nome(i);
    Tabela t(b, Nome(1));
    t.abre();
    Inclui(t, 1, 1);
    EXPECT_EQ(Conta(b, Nome(1)), 1);
}

TEST(TransacaoVariasTabelas, AFailedInnerBlockFailsTheOuterOneAndNothingIsStored) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela(Nome(0), Simples());
    b.criaTabela(Nome(1), Simples());
    Tabela a(b, Nome(0)), c(b, Nome(1));
    a.abre();
    c.abre();
    bool externaFalhou = false;
    try {
        Transacao externa(b);
        Inclui(a, 1, 1);
        try {
            Transacao interna(b);
            Inclui(c, 1, 1);
            Inclui(c, 1, 2);  // duplicate key
            interna.confirma();
        } catch (const ErroBanco&) {
            c.cancela();
        }
        // The outer block goes on as if nothing happened: it must not store.
        EXPECT_THROW(Inclui(a, 2, 2), ErroKorva);
        a.cancela();
        externa.confirma();
    } catch (const ErroKorva&) {
        externaFalhou = true;
    }
    EXPECT_TRUE(externaFalhou);
    EXPECT_FALSE(b.emTransacao());
    EXPECT_EQ(Conta(b, Nome(0)), 0);
    EXPECT_EQ(Conta(b, Nome(1)), 0);
    // The next transaction is a fresh one.
    Transacao tr(b);
    Inclui(a, 5, 5);
    tr.confirma();
    EXPECT_EQ(Conta(b, Nome(0)), 1);
}

TEST(TransacaoVariasTabelas, MoreFilesThanOneCommitCanHoldFailWithNothingWritten) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    const int n = static_cast<int>(Banco::kMaximoTabelasTransacao) + 1;
    for (int i = 0; i < n; ++i) b.criaTabela(Nome(i), Simples());
    try {
        Transacao tr(b);
        for (int i = 0; i < n; ++i) b.executa(Nome(i), "insert into Tabela(Codigo, Mes) values(1, 1)");
        tr.confirma();
        FAIL() << "a change over too many files was accepted";
    } catch (const ErroBanco& e) {
        EXPECT_NE(std::string(e.what()).find("não pode alterar mais de 11 tabelas"), std::string::npos) << e.what();
    }
    for (int i = 0; i < n; ++i) EXPECT_EQ(Conta(b, Nome(i)), 0) << Nome(i);
}

TEST(TransacaoVariasTabelas, TablesCreatedInARolledBackTransactionAreRemoved) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela(Nome(0), Simples());
    {
        Transacao tr(b);
        b.criaTabela(Nome(1), Simples());
        b.executa(Nome(1), "insert into Tabela(Codigo, Mes) values(1, 1)");
        b.executa(Nome(0), "insert into Tabela(Codigo, Mes) values(1, 1)");
        // A file of the running transaction cannot be deleted under it.
        EXPECT_THROW(b.excluiTabela(Nome(1)), ErroBanco);
    }
    EXPECT_FALSE(b.existe(Nome(1)));
    EXPECT_EQ(Conta(b, Nome(0)), 0);
    {
        Transacao tr(b);
        b.criaTabela(Nome(2), Simples());
        tr.confirma();
    }
    EXPECT_TRUE(b.existe(Nome(2)));
}

TEST(TransacaoVariasTabelas, AFailingStepAfterTheRowIsWrittenStoresNothingAndKeepsTheInput) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela(Nome(0), Simples());
    b.criaTabela(Nome(1), Simples());
    Tabela t(b, Nome(0));
    t.abre();
    bool falhar = true;
    t.naGravacao = [&](Tabela& tab) {
        // The numbered row is visible to the step, which writes elsewhere.
        EXPECT_EQ(tab.valor("Codigo").comoInteiro(), 1);
        b.executa(Nome(1), "insert into Tabela(Codigo, Mes) values(:C, 1)", {{"C", tab.valor("Codigo")}});
        if (falhar) throw ErroKorva("falhou");
    };
    t.insere();
    t["Mes"] = 7;
    t["Valor"] = 3.5;
    EXPECT_THROW(t.grava(), ErroKorva);
    EXPECT_TRUE(t.editando());
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 7);
    EXPECT_TRUE(t.valor("Codigo").nulo());
    EXPECT_EQ(Conta(b, Nome(0)), 0);
    EXPECT_EQ(Conta(b, Nome(1)), 0);
    falhar = false;
    t.grava();
    EXPECT_EQ(Conta(b, Nome(0)), 1);
    EXPECT_EQ(Conta(b, Nome(1)), 1);
}

TEST(OrfaosCalculo, FilesOfNumbersNoCalculationHoldsAreRemovedAtStart) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    DefTabela proc;
    proc.campos = {CampoString("Processo", 25, true), CampoInteger("Diretorio"), CampoInteger("Arquivo")};
    b.criaTabela("Processo.DB", proc);
    b.executa("Processo.DB", "insert into Tabela values('1', 1, 7)");
    std::filesystem::create_directory(p.caminho() / "Sub00001");
    std::filesystem::create_directory(p.caminho() / "Outra");
    for (const char* n : {"Sub00001/A0000007.db", "Sub00001/B0000007.db", "Sub00001/A0000008.db",
                          "Sub00001/H0000008.db", "Outra/A0000009.db"})
        b.criaTabela(n, Simples());
    for (const char* n : {"Sub00001/A0000008.db-journal", "Sub00001/.C0000008.db.criando",
                          "Sub00001/.C0000008.db.criando-journal", "Sub00001/notas.txt"})
        std::ofstream(p.caminho() / n) << "x";
    const auto removidos = RemoveOrfaos(b);
    EXPECT_EQ(removidos.size(), 5u);
    EXPECT_TRUE(b.existe("Sub00001/A0000007.db"));
    EXPECT_TRUE(b.existe("Sub00001/B0000007.db"));
    EXPECT_FALSE(b.existe("Sub00001/A0000008.db"));
    EXPECT_FALSE(b.existe("Sub00001/H0000008.db"));
    EXPECT_FALSE(std::filesystem::exists(p.caminho() / "Sub00001/A0000008.db-journal"));
    EXPECT_FALSE(std::filesystem::exists(p.caminho() / "Sub00001/.C0000008.db.criando"));
    // Only the calculation folders' own files are touched.
    EXPECT_TRUE(std::filesystem::exists(p.caminho() / "Sub00001/notas.txt"));
    EXPECT_TRUE(b.existe("Outra/A0000009.db"));
    EXPECT_TRUE(RemoveOrfaos(b).empty());
}

TEST(TravaTabela, AShortUseByAnotherProcessIsWaitedForOneByThisProcessIsNot) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela(Nome(0), Simples());
    int pronto[2];
    ASSERT_EQ(pipe(pronto), 0);
    const pid_t filho = fork();
    if (filho == 0) {
        TravaTabela t(b.caminho(Nome(0)), TravaTabela::Modo::Exclusivo);
        char c = 1;
        (void)!write(pronto[1], &c, 1);
        usleep(600 * 1000);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(pronto[0], &c, 1), 1);
    EXPECT_NO_THROW(TravaTabela(b.caminho(Nome(0)), TravaTabela::Modo::Exclusivo));
    int status = 0;
    waitpid(filho, &status, 0);
    TravaTabela propria(b.caminho(Nome(0)), TravaTabela::Modo::Compartilhado);
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_THROW(TravaTabela(b.caminho(Nome(0)), TravaTabela::Modo::Exclusivo), ErroBanco);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(1));
}

TEST(TransacaoVariasTabelas, EveryFileIsReservedAsItJoinsNotOnlyAtItsFirstWrite) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela(Nome(0), Simples());
    b.criaTabela(Nome(1), Simples());
    const auto outroEscreve = [&](int i) {
        const pid_t filho = fork();
        if (filho == 0) {
            sqlite3* db = nullptr;
            sqlite3_open((p.caminho() / Nome(i)).c_str(), &db);
            const int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            _exit(rc == SQLITE_BUSY ? 1 : 0);
        }
        int status = 0;
        waitpid(filho, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    {
        Transacao tr(b);
        b.participa(b.conexao(Nome(0)));
        b.participa(b.conexao(Nome(1)));
        EXPECT_FALSE(outroEscreve(0));
        EXPECT_FALSE(outroEscreve(1));
    }
    EXPECT_TRUE(outroEscreve(1));
}
