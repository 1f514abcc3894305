#pragma once
// Backup and restore of a whole database: every table of the database
// folder (and, for the private database, of each calculation folder "Sub*")
// copied to or from a folder the user chooses.
//
// A backup writes each table under a temporary name and renames it when
// whole, and marks the folder as a complete backup of that database only
// after the last table is on disk: a backup that stops half-way is never
// taken for a complete one.
//
// A restore first copies every table of the backup into a staging folder
// inside the database folder and checks each copy (it opens, holds its
// table, passes the integrity check). Only then, holding every table of the
// database that it replaces exclusively, it swaps the files in one by one,
// keeping the former ones; if a swap fails, the former files are put back.
// A restore interrupted during the swap (the program killed) is undone by
// RetomaRestauracaoInterrompida, which every backup, restore and
// verification of the database runs first.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korva {

// Texts of the backup dialog.
namespace MensagensCopia {
inline constexpr const char* kTitulo = "KORVA - Cópia de Segurança/Backup";
inline constexpr const char* kRotuloBanco = "Banco de Dados:";
inline constexpr const char* kRotuloOperacao = " Operação: ";
inline constexpr const char* kOperacaoBackup = "Realizar Cópia de Segurança";
inline constexpr const char* kOperacaoRestauracao = "Restaurar Cópia de Segurança";
inline constexpr const char* kRotuloDestino = "Destino:";
inline constexpr const char* kRotuloOrigem = "Origem:";
inline constexpr const char* kBotaoExecutar = "&Executar";
inline constexpr const char* kDicaExecutar =
    "Inicia a execução do back-Up do Banco de Dados, do Diretório de origem para o diretório de destino. ";
inline constexpr const char* kPastasIguais = "Diretorios de Destino e Origem devem ser diferentes!";
inline constexpr const char* kCopiando = "Copiando Banco de Dados ...";
inline constexpr const char* kDe = "De:";
inline constexpr const char* kPara = "Para: ";
inline constexpr const char* kErroCriarPasta = "Erro ao criar o diretório de destino - ";
inline constexpr const char* kBackupRealizado = "Backup realizado com sucesso.";
inline constexpr const char* kRestauracaoRealizada = "Restauração realizada com sucesso.";
}  // namespace MensagensCopia

// The two lines of the progress panel for one table.
std::string LinhaDe(const std::string& caminho);
std::string LinhaPara(const std::string& caminho);

enum class OperacaoCopia { Backup, Restauracao };

// The table being copied: the "De:" and "Para: " paths and its place in the
// whole set (1-based), for a progress bar.
struct PassoCopia {
    std::string de;
    std::string para;
    size_t numero = 0;
    size_t total = 0;
};

struct OpcoesCopia {
    // Before each table is copied.
    std::function<void(const PassoCopia&)> progresso;
    // Restore only: before each table of the database is replaced by its
    // checked copy (name relative to the database folder).
    std::function<void(const std::string& tabela, size_t numero, size_t total)> aoSubstituir;
};

struct ResultadoCopia {
    size_t tabelas = 0;                 // tables copied
    std::vector<std::string> pastas;    // calculation folders walked
    std::vector<std::string> ignoradas; // tables skipped ("_" names), relative names
    std::string mensagem;               // the success message of the operation
};

// The private database walks its calculation folders; the shared one does not.
bool EhBancoPrivado(const std::string& alias);

// The file in the backup folder that marks it a complete backup of a database.
inline constexpr const char* kArquivoMarcaCopia = "CopiaSeguranca.lst";
// The staging folder of a restore, inside the database folder.
inline constexpr const char* kPastaRestauracao = ".restauracao";

// Runs the operation between the database folder (of `alias`) and the chosen
// folder. Fails with the message of the first problem; see the header comment
// for what is left behind.
ResultadoCopia ExecutaCopiaSeguranca(OperacaoCopia operacao, const std::string& alias,
                                     const std::filesystem::path& pastaBanco,
                                     const std::filesystem::path& pastaEscolhida, const OpcoesCopia& opcoes = {});

// Undoes a restore of this database folder that was interrupted while it
// swapped tables, and removes what a restore left in its staging folder.
// Returns true when tables were put back. Does nothing while another
// restore of the folder is running.
bool RetomaRestauracaoInterrompida(const std::filesystem::path& pastaBanco);

}  // namespace korva
