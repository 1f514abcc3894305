#pragma once
// "Verificar/Reparar": the walk over every table of a database and, for the
// private database, of each calculation folder, with the running log the
// repair dialog shows. The dialog and the command line both take their
// lines from here.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace korva {

class TKPdxRepair;

namespace MensagensReparacao {
inline constexpr const char* kTitulo = "KORVA - Reparação de Banco de Dados";
inline constexpr const char* kRotuloBanco = "Banco de Dados:";
inline constexpr const char* kBotao = "Verificar/Reparar";
inline constexpr const char* kVerificandoBanco = "Verificando Banco de Dados: ";
inline constexpr const char* kConcluida = "Verificação concluída!";
inline constexpr const char* kReparada = "Tabela reparada.";
inline constexpr const char* kFalhaReparacao =
    "Falha na reparação. Certifique-se de que o sistema não está sendo usado por outra pessoa e tente novamente "
    "mais tarde.";
}  // namespace MensagensReparacao

// The log lines of each moment.
std::string LinhaChecando(const std::string& tabela);      // "Checando tabela: X ..."
std::string LinhaDanificada(const std::string& tabela);    // damaged, being repaired
std::string LinhaSomenteDanificada(const std::string& tabela);  // damaged, left as it is
std::string LinhaNaoVerificada(const std::string& tabela); // could not be verified
std::string LinhaOk(const std::string& tabela);            // "Tabela X está Ok."

// What a walk found.
struct ResumoVerificacao {
    size_t verificadas = 0;
    size_t integras = 0;
    size_t danificadas = 0;
    size_t reparadas = 0;
    size_t falhas = 0;            // rebuilds that failed
    size_t naoVerificadas = 0;    // tables that could not be verified (each stops its folder)
    // Every table is sound now (or was repaired).
    bool semProblemas() const { return danificadas == reparadas && falhas == 0 && naoVerificadas == 0; }
};

using LinhaLog = std::function<void(const std::string&)>;

// Sets the repairer's events to write the dialog's log through `linha` and
// count into `resumo`. With `repara` false a damaged table is only reported
// and the walk goes on.
void LigaLogReparacao(TKPdxRepair& reparador, LinhaLog linha, bool repara, ResumoVerificacao& resumo);

// The whole "Verificar/Reparar" of a database: its tables and, for the
// private database, each calculation folder ("Sub*", in name order), each
// walk stopping at a table that cannot be verified.
ResumoVerificacao VerificaBancoDeDados(const std::string& alias, const std::filesystem::path& pasta, bool repara,
                                       const LinhaLog& linha);

}  // namespace korva
