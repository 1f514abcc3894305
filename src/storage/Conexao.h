#pragma once
// A connection to one table file (an SQLite database holding one table) and
// its prepared statements. Shared by every handle of that file in a database.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/Esquema.h"
#include "storage/Valor.h"
#include "util/Erros.h"

namespace korva {

// Name of the one table inside every table file.
inline constexpr const char* kTabelaInterna = "Tabela";
// Counters of autoincrement fields, kept in the same file.
inline constexpr const char* kTabelaAutoinc = "korva_autoinc";

class Comando;

class Conexao {
public:
    // Opens an existing file (read-write unless somenteLeitura). Fails with an
    // engine error: not found, not a table file, no permission.
    Conexao(const std::filesystem::path& arquivo, bool somenteLeitura = false);
    // Opens (creating) a file for building a new table.
    static std::unique_ptr<Conexao> Cria(const std::filesystem::path& arquivo);
    ~Conexao();
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    // The handle statements of this file run on: its own, or the handle of
    // the multi-file transaction it has joined.
    sqlite3* bruto() const { return hub_ ? hub_ : db_; }
    // False when the file at the path is no longer the one this connection
    // opened (deleted, or replaced by a restore or rebuild).
    bool mesmoArquivo() const;
    const std::filesystem::path& arquivo() const { return arquivo_; }
    bool somenteLeitura() const { return somenteLeitura_; }

    // Statements name the table "Tabela" (and the counters "korva_autoinc");
    // on a joined transaction they are qualified with the file's schema there.
    void executa(const std::string& sql);
    Comando prepara(const std::string& sql);
    // A statement kept prepared for the life of the connection (the frequent
    // inserts and updates of a dataset); handed back reset.
    Comando preparaGuardado(const std::string& sql);
    // Makes the table visible to statements under another name ("Processo").
    void criaVisao(const std::string& nome);
    int64_t ultimoRowid() const;
    int alteradas() const;

    // The table's definition, read from the file once.
    const DefTabela& definicao();

    // Transaction state, driven by the database's transactions.
    bool emTransacao() const { return emTransacao_; }
    void inicia();
    void confirma();
    void desfaz();
    // Increases whenever a transaction of this file is rolled back, so open
    // handles know their rows may be stale.
    uint64_t geracao() const { return geracao_; }

    // Joining a transaction that runs on another file's handle, where this
    // file is attached as `esquema`; and leaving it after commit or rollback.
    void entraEm(Conexao& hub, const std::string& esquema);
    void saiDe(bool desfeita);
    bool anexada() const { return hub_ != nullptr; }
    const std::string& esquema() const { return esquema_; }

    // Raises the engine error for an SQLite result code.
    [[noreturn]] void falha(int rc, const std::string& contexto) const;

private:
    Conexao() = default;
    void configura();

    sqlite3* db_ = nullptr;
    std::filesystem::path arquivo_;
    bool somenteLeitura_ = false;
    bool emTransacao_ = false;
    uint64_t geracao_ = 0;
    uint64_t inode_ = 0, dispositivo_ = 0;
    std::unique_ptr<DefTabela> definicao_;
    std::map<std::string, sqlite3_stmt*> guardados_;
    std::vector<std::string> visoes_;
    // While attached to another file's transaction.
    sqlite3* hub_ = nullptr;
    std::string esquema_ = "main";
    std::map<std::string, sqlite3_stmt*> guardadosHub_;
    std::vector<std::string> visoesHub_;
};

class Comando {
public:
    Comando(Conexao& c, sqlite3_stmt* s, bool guardado = false) : conexao_(&c), stmt_(s), guardado_(guardado) {}
    Comando(Comando&& o) noexcept : conexao_(o.conexao_), stmt_(o.stmt_), guardado_(o.guardado_) { o.stmt_ = nullptr; }
    ~Comando();
    Comando(const Comando&) = delete;

    void liga(int posicao, const Valor& v, TipoCampo tipo);  // 1-based
    void liga(int posicao, const Valor& v);                   // by the value's own type
    void liga(const std::string& nome, const Valor& v);       // ":Nome"
    bool passo();  // true while a row is available
    void executa() { while (passo()) {} }
    void reinicia();
    int colunas() const;
    std::string nomeColuna(int i) const;
    Valor coluna(int i, TipoCampo tipo) const;  // 0-based
    Valor coluna(int i) const;                  // by the stored type
    sqlite3_stmt* bruto() const { return stmt_; }

private:
    Conexao* conexao_;
    sqlite3_stmt* stmt_;
    bool guardado_ = false;  // owned by the connection's cache
};

// SQL text of a field's declared type ("VARCHAR(25)", "DATE", ...).
std::string TipoSql(const DefCampo& campo);
// Field type back from a declared type.
DefCampo CampoDoTipoSql(const std::string& nome, const std::string& tipoSql, bool obrigatorio);
std::string Aspas(const std::string& identificador);  // "Name"
// The statement with every unqualified reference to the file's own tables
// ("Tabela", "korva_autoinc") qualified by a schema name: "t1".Tabela.
std::string QualificaTabelas(const std::string& sql, const std::string& esquema);

// Engine error for an SQLite condition (extended result code).
ErroBanco ErroDoSqlite(int rcEstendido, const std::string& mensagem, const std::string& contexto);

// The case-insensitive collation used by indexes and orders.
inline constexpr const char* kColacaoSemCaixa = "SEMCAIXA";
void RegistraColacao(sqlite3* db);

}  // namespace korva
