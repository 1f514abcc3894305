#pragma once
// Test helpers for whole-database operations: the exact content of every
// table file of a folder tree, and a small private database built directly.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <string>

#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "storage/Esquemas.h"

namespace korva::teste {

// Relative name (lower case, "/" separators) -> structure, rows with their
// row numbers, and counters of each "*.db" file under the root; hidden
// folders (a restore's staging) are left out. A file that cannot be read
// shows as "ilegível".
inline std::map<std::string, std::string> EstadoTabelas(const std::filesystem::path& raiz) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> r;
    for (auto it = fs::recursive_directory_iterator(raiz); it != fs::recursive_directory_iterator(); ++it) {
        const std::string nome = it->path().filename().string();
        if (it->is_directory() && !nome.empty() && nome[0] == '.') {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || nome.size() < 4) continue;
        std::string ext = nome.substr(nome.size() - 3);
        for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext != ".db") continue;
        std::string rel = fs::relative(it->path(), raiz).generic_string();
        for (auto& c : rel) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string texto;
        sqlite3* db = nullptr;
        sqlite3_open_v2(it->path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        RegistraColacao(db);
        for (const char* sql : {"SELECT type, name, sql FROM sqlite_master ORDER BY name",
                                "SELECT rowid, * FROM Tabela ORDER BY rowid",
                                "SELECT * FROM korva_autoinc ORDER BY campo"}) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
                texto += "ilegível;";
                continue;
            }
            int rc;
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(st); ++i) {
                    const auto* t = sqlite3_column_text(st, i);
                    texto += t ? reinterpret_cast<const char*>(t) : "<nulo>";
                    texto += '|';
                }
                texto += '\n';
            }
            if (rc != SQLITE_DONE) texto += "ilegível;";
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        r[rel] = texto;
    }
    return r;
}

// Runs statements on a table file, failing the test on error.
inline void ExecutaSql(const std::filesystem::path& arquivo, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(arquivo.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    RegistraColacao(db);
    char* erro = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &erro);
    EXPECT_EQ(rc, SQLITE_OK) << (erro ? erro : "") << "\n" << sql.substr(0, 200);
    sqlite3_free(erro);
    sqlite3_close(db);
}

// Parties rows 1..n in a Partes (kind 2) table.
inline void PoePartes(const std::filesystem::path& arquivo, int n, const std::string& prefixo = "Parte") {
    std::string sql = "BEGIN; DELETE FROM Tabela;";
    for (int i = 1; i <= n; ++i)
        sql += "INSERT INTO Tabela(Codigo, Nome, Dependentes, TipoParte, Sequencial, TipoDocumento, Documento) "
               "VALUES(" + std::to_string(i) + ", '" + prefixo + " " + std::to_string(i) +
               " da Silva Souza Pereira Lima', " + std::to_string(i % 4) + ", " + std::to_string(1 + i % 2) + ", " +
               std::to_string(i) + ", 1, '" + std::to_string(100000000 + i) + "');";
    sql += "UPDATE korva_autoinc SET ultimo = " + std::to_string(n) + " WHERE campo = 'Codigo'; COMMIT;";
    ExecutaSql(arquivo, sql);
}

// A private database: Processo.DB and DefAcrescimos.DB at the root, and the
// tables A, C and H of calculation 1 in Sub00001 and C of calculation 2 in
// Sub00002, each C with a few parties.
inline void CriaBancoPrivado(const std::filesystem::path& raiz) {
    namespace fs = std::filesystem;
    fs::create_directories(raiz / "Sub00001");
    fs::create_directories(raiz / "Sub00002");
    Banco b("CalcPriv", raiz);
    b.criaTabela("Processo.DB", EsquemaProcesso());
    b.criaTabela("DefAcrescimos.DB", EsquemaDefAcrescimos());
    b.criaTabela("Sub00001/A0000001.db", ReceitaConjunto(0));
    b.criaTabela("Sub00001/C0000001.db", ReceitaConjunto(2));
    b.criaTabela("Sub00001/H0000001.db", ReceitaConjunto(7));
    b.criaTabela("Sub00002/C0000002.db", ReceitaConjunto(2));
    PoePartes(raiz / "Sub00001/C0000001.db", 5);
    PoePartes(raiz / "Sub00002/C0000002.db", 3, "Outra");
    ExecutaSql(raiz / "DefAcrescimos.DB",
               "INSERT INTO Tabela(Codigo, Descricao, Valor, Tipo, LimMinimo, LimMaximo) "
               "VALUES(1, 'Honorários', 15, 'P', 0, 0)");
}

}  // namespace korva::teste
