#pragma once
// Whole table files, below the datasets: the tables of one folder, a copy of
// a file through SQLite's online backup (structure, rows, indexes and the
// autoincrement counters travel together, read in one consistent snapshot),
// the integrity check and the rebuild of a damaged file from the rows that
// can still be read.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace korva {

struct DefTabela;

// Table files of a folder ("*.db", without regard to case), by name. Leaves
// out hidden names (the temporaries of this program start with ".") and the
// work tables of a rebuild.
std::vector<std::string> TabelasDaPasta(const std::filesystem::path& pasta);

// The work tables a rebuild writes beside the table it repairs ("backup.db"
// ...): never taken for tables of the database.
bool EhTabelaDeTrabalho(const std::string& nomeArquivo);
inline constexpr const char* kArquivoCopiaReparacao = "backup.db";
inline constexpr const char* kArquivoViolacoesChave = "keyviol.db";

// Copies the table file `origem` into a new file `destino` (which must not
// exist). The source is read inside one read transaction, so a change that
// another workstation commits meanwhile is either wholly in the copy or not
// at all. The copy is not synced to disk (see SincronizaDisco). Fails with an
// engine error; the destination is then removed.
void CopiaArquivoTabela(const std::filesystem::path& origem, const std::filesystem::path& destino);

// Result of checking one table file.
struct Integridade {
    enum class Estado { Integra, Danificada, Inacessivel };
    Estado estado = Estado::Integra;
    std::string detalhe;  // first problem reported, in SQLite's words
};
// Opens the file, checks that it holds its table and runs SQLite's
// integrity check. A busy or unreadable file is Inacessivel.
Integridade VerificaArquivoTabela(const std::filesystem::path& arquivo);

// What a rebuild kept.
struct ResultadoReconstrucao {
    bool sucesso = false;
    size_t linhas = 0;              // rows moved into the new file
    size_t perdidas = 0;            // rows found but unreadable
    size_t violacoes = 0;           // rows rejected by a unique index (kept in keyviol.db)
    std::string mensagem;           // why it failed
};
// Rebuilds a damaged table file: a fresh file with the table's structure and
// indexes (read from the damaged file, or `conhecida` when its structure
// cannot be read) receives every row that can still be read, with its row
// number; the autoincrement counters never go back. The damaged file is
// kept as "backup.db" in `pastaTrabalho` (the table's folder when empty).
ResultadoReconstrucao ReconstroiArquivoTabela(const std::filesystem::path& arquivo, const DefTabela* conhecida,
                                              const std::filesystem::path& pastaTrabalho = {});

// Waits for a change another connection is committing to the file to end and
// plays back a journal left by a crash, so the file can be moved on its own.
// Fails with an engine error (table in use) while the file stays busy; a
// damaged file is left as it is.
void AssentaArquivoTabela(const std::filesystem::path& arquivo);

// Flushes to disk every file written on the file system of the path.
void SincronizaDisco(const std::filesystem::path& caminho);

// Renames a table file together with its journal, when it has one.
void RenomeiaComJornal(const std::filesystem::path& de, const std::filesystem::path& para);

}  // namespace korva
