// Verification and repair of every table of a database: the log of the walk,
// tables in use, the repairer's events, and rebuilds of damaged files that
// keep every row SQLite can still read.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "maintenance/EstadoTabelas.h"
#include "maintenance/ReparaBD.h"
#include "maintenance/TKPdxRepair.h"
#include "storage/Banco.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

// Every row of a Partes table by row number ("" when the row cannot be read).
std::map<int64_t, std::string> Linhas(const fs::path& arquivo, int ate) {
    std::map<int64_t, std::string> r;
    sqlite3* db = nullptr;
    sqlite3_open_v2(arquivo.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Codigo, Nome, Documento FROM Tabela NOT INDEXED WHERE rowid = ?1", -1, &st,
                       nullptr);
    for (int i = 1; i <= ate; ++i) {
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, i);
        if (sqlite3_step(st) != SQLITE_ROW) continue;
        std::string t;
        for (int c = 0; c < 3; ++c) t += std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c))) + "|";
        r[i] = t;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return r;
}

// Overwrites the page holding the text with garbage; returns the page number.
size_t EstragaPaginaCom(const fs::path& arquivo, const std::string& texto) {
    std::string bytes = teste::LeArquivo(arquivo);
    const size_t pos = bytes.find(texto);
    EXPECT_NE(pos, std::string::npos);
    const size_t pagina = pos / 4096;
    for (size_t i = pagina * 4096; i < (pagina + 1) * 4096; ++i) bytes[i] = static_cast<char>((i * 7919) % 251);
    teste::GravaArquivo(arquivo, bytes);
    return pagina + 1;
}

struct Reparacao : ::testing::Test {
    teste::PastaTemporaria tmp;
    fs::path banco = tmp.caminho() / "Privado";
    std::vector<std::string> log;

    void SetUp() override { teste::CriaBancoPrivado(banco); }
    ResumoVerificacao verifica(bool repara = true, const std::string& alias = "CalcPriv") {
        log.clear();
        return VerificaBancoDeDados(alias, banco, repara, [this](const std::string& l) { log.push_back(l); });
    }
    std::vector<std::string> ok(const std::string& t) { return {"Checando tabela: " + t + " ...", "Tabela " + t + " está Ok.", ""}; }
};

TEST_F(Reparacao, SoundPrivateDatabaseLogsEveryTableOfEveryFolder) {
    const auto r = verifica();
    std::vector<std::string> esperado = {"Verificando Banco de Dados: CalcPriv"};
    auto soma = [&](const std::vector<std::string>& v) { esperado.insert(esperado.end(), v.begin(), v.end()); };
    soma(ok("DefAcrescimos.DB"));
    soma(ok("Processo.DB"));
    esperado.push_back("Verificando Banco de Dados: CalcPriv\\Sub00001 = " + (banco / "Sub00001").string());
    soma(ok("A0000001.db"));
    soma(ok("C0000001.db"));
    soma(ok("H0000001.db"));
    esperado.push_back("Verificando Banco de Dados: CalcPriv\\Sub00002 = " + (banco / "Sub00002").string());
    soma(ok("C0000002.db"));
    esperado.push_back("Verificação concluída!");
    EXPECT_EQ(log, esperado);
    EXPECT_EQ(r.verificadas, 6u);
    EXPECT_EQ(r.integras, 6u);
    EXPECT_TRUE(r.semProblemas());

    // The shared database visits no calculation folders.
    verifica(true, "CalcShare");
    EXPECT_EQ(log.size(), 1u + 6u + 1u);
    EXPECT_EQ(log.back(), "Verificação concluída!");
}

TEST_F(Reparacao, TableInUseStopsItsOwnFolderOnly) {
    TravaTabela emUso(banco / "Sub00001/C0000001.db", TravaTabela::Modo::Compartilhado);
    const auto r = verifica();
    const auto pos = std::find(log.begin(), log.end(),
                               "Impossivel verificar a tabela C0000001.db. Possivelmente está sendo utilizada.");
    ASSERT_NE(pos, log.end());
    // H0000001.db, after it in the same folder, is not checked; the next folder is.
    EXPECT_EQ(*(pos + 1), "Verificando Banco de Dados: CalcPriv\\Sub00002 = " + (banco / "Sub00002").string());
    EXPECT_EQ(std::count(log.begin(), log.end(), "Checando tabela: H0000001.db ..."), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Tabela C0000002.db está Ok."), 1);
    EXPECT_EQ(r.naoVerificadas, 1u);
    EXPECT_FALSE(r.semProblemas());
}

TEST_F(Reparacao, GarbagePageIsRebuiltKeepingEveryReadableRowAndTheIndexes) {
    const fs::path alvo = banco / "Sub00001/C0000001.db";
    teste::PoePartes(alvo, 3000);
    const auto original = Linhas(alvo, 3000);
    const auto esquemaAntes = teste::EstadoTabelas(banco)["sub00001/c0000001.db"].substr(0, 400);
    EstragaPaginaCom(alvo, "100001500");
    const auto legiveis = Linhas(alvo, 3000);
    ASSERT_LT(legiveis.size(), 3000u);
    ASSERT_GT(legiveis.size(), 2900u);

    const auto r = verifica(true);
    const std::vector<std::string> trecho = {"Checando tabela: C0000001.db ...",
                                             "Tabela C0000001.db está danificada. Executando a reparação ...",
                                             "Tabela reparada.", ""};
    EXPECT_NE(std::search(log.begin(), log.end(), trecho.begin(), trecho.end()), log.end());
    EXPECT_EQ(r.danificadas, 1u);
    EXPECT_EQ(r.reparadas, 1u);
    EXPECT_TRUE(r.semProblemas());

    // Every readable row kept, unchanged, with its row number; none made up.
    EXPECT_EQ(VerificaArquivoTabela(alvo).estado, Integridade::Estado::Integra);
    const auto depois = Linhas(alvo, 3000);
    EXPECT_EQ(depois.size(), legiveis.size());
    for (const auto& [id, t] : depois) EXPECT_EQ(t, original.at(id)) << id;
    // The structure and indexes as before, and the counter did not go back.
    EXPECT_EQ(teste::EstadoTabelas(banco)["sub00001/c0000001.db"].substr(0, 400), esquemaAntes);
    sqlite3* db = nullptr;
    sqlite3_open_v2(alvo.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ultimo FROM korva_autoinc WHERE campo = 'Codigo'", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 3000);
    sqlite3_finalize(st);
    sqlite3_close(db);
    // The damaged file is kept beside it, and is no table of the database.
    EXPECT_TRUE(fs::exists(banco / "Sub00001/backup.db"));
    const auto r2 = verifica(true);
    EXPECT_EQ(r2.verificadas, 6u);
    EXPECT_EQ(r2.integras, 6u);
}

TEST_F(Reparacao, WithoutRepairADamagedTableIsOnlyReported) {
    const fs::path alvo = banco / "Sub00001/C0000001.db";
    teste::PoePartes(alvo, 800);
    EstragaPaginaCom(alvo, "100000400");
    const std::string antes = teste::LeArquivo(alvo);
    const auto r = verifica(false);
    EXPECT_NE(std::find(log.begin(), log.end(), "Tabela C0000001.db está danificada."), log.end());
    // The walk goes on with the next table.
    EXPECT_NE(std::find(log.begin(), log.end(), "Tabela H0000001.db está Ok."), log.end());
    EXPECT_EQ(teste::LeArquivo(alvo), antes);
    EXPECT_EQ(r.danificadas, 1u);
    EXPECT_FALSE(r.semProblemas());
}

TEST_F(Reparacao, EventsSeeTheStatusAndDecideTheAction) {
    teste::PoePartes(banco / "Sub00001/C0000001.db", 800);
    EstragaPaginaCom(banco / "Sub00001/C0000001.db", "100000400");
    TKPdxRepair rep;
    rep.SetDatabase("CalcPriv", banco / "Sub00001");
    std::vector<std::string> eventos;
    rep.BeforeTableCheck = [&](const std::string& t) { eventos.push_back("antes " + t); };
    rep.OnCheckTable = [&](const std::string& t, int status, int& acao) {
        eventos.push_back(t + " " + std::to_string(status) + " " + std::to_string(acao));
        if (status == TKPdxRepair::StatusDanificada) acao = TKPdxRepair::AcaoParar;
    };
    rep.BeforeTableRepair = [&](const std::string& t) { eventos.push_back("repara " + t); };
    rep.CheckAll();
    // Sound: go on; damaged: repair proposed, changed here to stop.
    EXPECT_EQ(eventos, (std::vector<std::string>{"antes A0000001.db", "A0000001.db 0 0", "antes C0000001.db",
                                                 "C0000001.db 1 2"}));
    EXPECT_EQ(rep.UltimoStatus(), 1);
    EXPECT_FALSE(rep.UltimoDetalhe().empty());
}

TEST_F(Reparacao, FileThatIsNoTableIsRebuiltFromItsDeclaredStructureOrReportedAsFailed) {
    // A calculation table whose whole file is garbage: an empty table of its recipe.
    teste::GravaArquivo(banco / "Sub00002/H0000002.db", std::string(8192, 'x'));
    // A file of no known table: the rebuild fails.
    teste::GravaArquivo(banco / "Sub00002/Estranha.db", std::string(8192, 'x'));
    const auto r = verifica(true);
    EXPECT_EQ(r.danificadas, 2u);
    EXPECT_EQ(r.reparadas, 1u);
    EXPECT_EQ(r.falhas, 1u);
    const std::vector<std::string> falha = {
        "Tabela Estranha.db está danificada. Executando a reparação ...",
        "Falha na reparação. Certifique-se de que o sistema não está sendo usado por outra pessoa e tente "
        "novamente mais tarde.",
        ""};
    EXPECT_NE(std::search(log.begin(), log.end(), falha.begin(), falha.end()), log.end());
    Banco b("CalcPriv", banco);
    EXPECT_EQ(b.definicao("Sub00002/H0000002.db").campos.size(), ReceitaConjunto(7).campos.size());
}

}  // namespace
