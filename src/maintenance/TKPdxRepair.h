#pragma once
// The table repairer: verifies the tables of one database folder and
// rebuilds the damaged ones, reporting each step through its events so a
// window (or the command line) writes its own log.
//
// Verification is SQLite's integrity check; a table held by another
// workstation (its lock refused) or busy cannot be verified. A rebuild
// copies every row that can still be read into a fresh file with the
// table's structure and indexes, keeping the damaged file as "backup.db"
// beside it (or in TempDir).
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "maintenance/ArquivosTabela.h"

namespace korva {

class ArquivoAliases;

class TKPdxRepair {
public:
    // Status passed to OnCheckTable.
    enum Status { StatusIntegra = 0, StatusDanificada = 1, StatusNaoVerificada = 2 };
    // Action of OnCheckTable (in/out).
    enum Acao { AcaoContinuar = 0, AcaoParar = 1, AcaoReparar = 2 };
    // Status passed to OnRepairTable.
    enum StatusReparacao { Reparada = 0, FalhaReparacao = 1 };
    // Verification status of a table that could not be verified.
    static constexpr int kNaoVerificavel = 5;

    std::function<void(const std::string& tabela)> BeforeTableCheck;
    std::function<void(const std::string& tabela, int status, int& acao)> OnCheckTable;
    std::function<void(const std::string& tabela)> BeforeTableRepair;
    std::function<void(const std::string& tabela, int status)> OnRepairTable;

    // The database by its alias: the folder is read from the alias file.
    void SetDatabaseName(const std::string& alias, const ArquivoAliases& aliases);
    // The database by its folder (a calculation folder needs no alias of its own).
    void SetDatabase(const std::string& alias, const std::filesystem::path& pasta);
    const std::string& DatabaseName() const { return alias_; }
    const std::filesystem::path& Pasta() const { return pasta_; }

    // Folder of the rebuild's work tables; empty: the table's own folder.
    std::filesystem::path TempDir;

    // The tables of the folder, in the order they are checked.
    std::vector<std::string> Tabelas() const;

    // Verifies one table: true when sound. The status is kept: 0 sound,
    // 1 damaged, kNaoVerificavel when it could not be verified.
    bool Verify(const std::string& tabela);
    int UltimoStatus() const { return status_; }
    // SQLite's words for the last problem found.
    const std::string& UltimoDetalhe() const { return detalhe_; }

    // Rebuilds one table; true when it was rebuilt.
    bool Rebuild(const std::string& tabela);
    const ResultadoReconstrucao& UltimaReconstrucao() const { return reconstrucao_; }

    // Checks every table of the folder, firing the events; a damaged table
    // is rebuilt when the action stays "repair"; "stop" ends the walk.
    void CheckAll();

private:
    std::filesystem::path caminho(const std::string& tabela) const { return pasta_ / tabela; }

    std::string alias_;
    std::filesystem::path pasta_;
    int status_ = 0;
    std::string detalhe_;
    ResultadoReconstrucao reconstrucao_;
};

}  // namespace korva
