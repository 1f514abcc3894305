#pragma once
// A database: a folder of table files reached through an alias. Keeps one
// connection per open table file, the transaction that spans them, the
// structure operations (create, delete, empty, copy) and statements over
// several tables.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/Conexao.h"
#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

class TravaTabela;

// One row of a statement's result, by column name (case-insensitive).
struct LinhaConsulta {
    std::vector<std::string> colunas;
    std::vector<Valor> valores;
    const Valor& operator[](const std::string& coluna) const;
    const Valor& operator[](size_t i) const { return valores.at(i); }
};

using Parametros = std::vector<std::pair<std::string, Valor>>;

class Banco {
public:
    Banco(std::string alias, std::filesystem::path pasta);
    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    const std::string& alias() const { return alias_; }
    const std::filesystem::path& pasta() const { return pasta_; }

    // Absolute path of a table named relative to the folder ("Sub00001\A0000023.db"):
    // "\" separates folders, and names are matched without regard to case.
    std::filesystem::path caminho(const std::string& nomeTabela) const;
    bool existe(const std::string& nomeTabela) const;

    // The connection of a table file, shared by every handle in this database.
    std::shared_ptr<Conexao> conexao(const std::string& nomeTabela, bool somenteLeitura = false);

    // Structure. A table created while a transaction runs goes if it is rolled back.
    void criaTabela(const std::string& nomeTabela, const DefTabela& definicao);
    // Deletes the table file with its companions; fails while the table is in
    // use, or while it takes part in the running transaction.
    void excluiTabela(const std::string& nomeTabela);
    // Empties a table; it must not be open elsewhere (exclusive use).
    void esvaziaTabela(const std::string& nomeTabela);
    DefTabela definicao(const std::string& nomeTabela);
    // Creates an empty table with the structure of another (possibly in another database).
    void criaTabelaComo(const std::string& nomeTabela, Banco& origemBanco, const std::string& origem);
    // Adds an index to an existing table; it must not be in use elsewhere.
    void adicionaIndice(const std::string& nomeTabela, const DefIndice& indice);
    // Appends every row of the source (possibly in another database) to the
    // destination, field by field by name; fields absent on either side are
    // skipped. Autoincrement fields of the destination are numbered anew unless
    // mantemAutoinc. Runs in one transaction. Returns the number of rows.
    size_t copiaLinhas(Banco& origemBanco, const std::string& origem, const std::string& destino,
                       bool mantemAutoinc = false);

    // Statements. consulta/executa over the named tables: each table is visible
    // in the statement under its file name without extension ("Processo").
    // The name a table goes by in a statement of consulta: its file name
    // without folder and extension ("Sub00001/B0000023.db" -> "B0000023").
    static std::string NomeNaConsulta(const std::string& nomeTabela);
    std::vector<LinhaConsulta> consulta(const std::string& sql, const std::vector<std::string>& tabelas,
                                        const Parametros& parametros = {});
    // A statement on one table, which it names as "Tabela" (delete / update
    // with a condition). Joins the running transaction. Returns rows changed.
    int executa(const std::string& nomeTabela, const std::string& sql, const Parametros& parametros = {});

    // Transactions: every change made through this database while one is open
    // joins it, on every table file it touches. The files of one transaction
    // are attached to the handle of the first file that joined, so the commit
    // is one SQLite commit over all of them: after a crash every file holds
    // the old rows or every file the new ones. SQLite attaches at most
    // kMaximoTabelasTransacao - 1 files to a handle; a change over more
    // tables fails before anything is written.
    static constexpr size_t kMaximoTabelasTransacao = 11;
    void iniciaTransacao();
    void confirmaTransacao();
    void desfazTransacao();
    bool emTransacao() const { return profundidade_ > 0; }
    // Called before a change on a connection: joins it to the open transaction.
    void participa(const std::shared_ptr<Conexao>& c);
    // True when the file takes part in the running transaction.
    bool naTransacao(const std::string& nomeTabela) const;

private:
    std::string chave(const std::filesystem::path& p) const;

    std::string alias_;
    std::filesystem::path pasta_;
    // Connections stay open between uses (a keyed read then costs no file
    // opening); the oldest are closed past a limit.
    std::map<std::string, std::shared_ptr<Conexao>> conexoes_;
    std::vector<std::string> usoRecente_;
    // Ends the running transaction on every file: committed or rolled back.
    void encerra(bool confirma);
    void descartaCriadas();

    int profundidade_ = 0;
    // An inner block failed: everything was rolled back, and the outer
    // blocks can only end in failure.
    bool desfeita_ = false;
    std::vector<std::shared_ptr<Conexao>> naTransacao_;
    // Table files created while the transaction ran: a rollback removes them.
    std::vector<std::filesystem::path> criadas_;
};

// Runs a block of changes in one transaction: undone unless confirmed.
class Transacao {
public:
    explicit Transacao(Banco& b) : banco_(b) { banco_.iniciaTransacao(); }
    ~Transacao() {
        if (!feita_) banco_.desfazTransacao();
    }
    void confirma() {
        feita_ = true;
        banco_.confirmaTransacao();
    }
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;

private:
    Banco& banco_;
    bool feita_ = false;
};

// Use of a table by this handle, seen by every process sharing the folder:
// shared use by any number, exclusive use by one alone. Held through a lock
// on a companion ".lck" file; a folder where it cannot be created (read-only
// media) is used without it.
class TravaTabela {
public:
    enum class Modo { Compartilhado, Exclusivo };
    // Fails with an engine error (table in use) when the lock is refused.
    TravaTabela(const std::filesystem::path& arquivoTabela, Modo modo);
    ~TravaTabela();
    TravaTabela(const TravaTabela&) = delete;
    TravaTabela& operator=(const TravaTabela&) = delete;
    static std::filesystem::path ArquivoTrava(const std::filesystem::path& arquivoTabela);

private:
    int fd_ = -1;
    std::string chave_;
    bool exclusivo_ = false;
};

}  // namespace korva
