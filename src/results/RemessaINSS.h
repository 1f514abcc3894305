#pragma once
// The social-security remittance file of one calculation: fixed-width text
// records of 108 characters, one per claimant, defendant and month row of a
// result item, written to the remittance folder; files older than the keeping
// period are purged from that folder after each write.
#include <filesystem>
#include <string>
#include <string_view>

namespace korva {

class Banco;

// Shown by the caller when GravaRemessa wrote at least one record.
inline constexpr const char* kRemessaGerada = "Arquivo de Remessa ao INSS gerado com sucesso.";

// One month row of the grid as the record uses it.
struct LinhaRemessa {
    int item = 0;
    int mes = 0;
    int ano = 0;
    double valor = 0;
    std::string inss;  // "S": the row is subject to social security
};

// One party: the kind of document and its number.
struct ParteRemessa {
    int tipoDocumento = 0;
    std::string documento;
};

// Every character of the lawsuit number that is a digit, in order.
std::string DigitosProcesso(const std::string& processo);

// Digits of the lawsuit number, the group as three digits, ".txt":
// 01234/2005, group 2 gives "012342005002.txt".
std::string NomeArquivoRemessa(const std::string& processo, int grupo);

// True when `nome` has the shape of a name NomeArquivoRemessa gives: only
// decimal digits (at least the three of the group) before ".txt", the
// extension in any case. "012342005002.txt" is one, "notas.txt" is not.
bool EhNomeArquivoRemessa(std::string_view nome);

// The amount in cents as the record writes it: the value times 100 rounded to
// a whole number, ties to even, digits only (a minus sign is dropped). The
// rounding works on the decimal value the amount stands for: the double is
// first read back as its 15 significant digits (every decimal of up to 15
// digits survives the trip through a double unchanged), so 0.285 rounds as
// 28.5 (to 28) and 1234.56 as 123456, not as their binary neighbours. The
// digits are produced as text, so no amount is limited to 32 or 64 bits.
// A value that is not a number fails with ErroDados.
std::string CentavosRemessa(double valor);

// One record, without the line end (UTF-8; 108 characters when every field
// has its nominal width, longer values are written whole).
std::string RegistroRemessa(const std::string& processo, const LinhaRemessa& linha, const ParteRemessa& reclamante,
                            const ParteRemessa& reclamado);

// The remittance folder of the setting "Diretorio" (held with a trailing
// separator). Its default is the folder "Remessa" inside the private database
// folder, created here when missing; an empty setting and the "C:\" of the
// Windows installations mean that folder too. "\" in the setting separates
// folders; a relative folder is taken from the private database folder.
std::filesystem::path PastaRemessa(const std::string& diretorioConfigurado,
                                   const std::filesystem::path& pastaPrivada);

// Writes the remittance file of calculation (processo, grupo) stored as file
// set (diretorio, arquivo) into `pasta`, replacing a file of the same name,
// then purges the folder. Claimants are the parties with TipoParte < 3,
// defendants the others, each ordered by (TipoParte, Nome); the month rows
// come in (Ano, Mes, Item) order. Returns the number of records written; with
// no row of a result item the file is left empty.
//
// Fails with ErroDados, before any file is touched, when the calculation has
// no claimant or no defendant, and with ErroES when the file cannot be
// written. The file is written under a temporary name and renamed when
// complete, so a failure never leaves a half-written file behind.
int GravaRemessa(Banco& privado, const std::string& processo, int grupo, int diretorio, int arquivo,
                 const std::filesystem::path& pasta, int diasManutencao,
                 std::filesystem::file_time_type agora = std::filesystem::file_time_type::clock::now());

// Deletes the remittance files of `pasta` (regular files whose name passes
// EhNomeArquivoRemessa) whose last change is more than `dias` days
// (fractional) before `agora`; any other file of the folder, "*.txt" or not,
// is left alone. Returns how many were deleted. A missing
// folder has nothing to purge; a file that cannot be deleted fails with ErroES.
int PurgaRemessas(const std::filesystem::path& pasta, int dias,
                  std::filesystem::file_time_type agora = std::filesystem::file_time_type::clock::now());

}  // namespace korva
