#pragma once
// Export of the official reference tables to an exchange folder and their
// import back from one. The exchange files are table files of the same kind
// as the shared database's, with the same names, fields and indexes, placed
// directly in the folder. Also the state of the "Exporta/Importa Tabelas"
// dialog, which a window only binds to.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class Banco;

// ---- captions and messages ----

inline constexpr const char* kTituloExpImp = "Exporta/Importa Tabelas";
inline constexpr const char* kMenuExpImp = "&Exportar/Importar Tabelas...";
inline constexpr const char* kRotuloAcaoExpImp = " Ação: ";
inline constexpr const char* kRotuloTabelaExpImp = " Tabela: ";
inline constexpr const char* kAcaoExportar = "Exportar";
inline constexpr const char* kAcaoImportar = "Importar";
inline constexpr const char* kRotuloPastaDestino = "Informe o Drive/Diretório de destino:";
inline constexpr const char* kRotuloPastaOrigem = "Informe o Drive/Diretório de origem:";
inline constexpr const char* kBotaoOkExpImp = "&OK";
inline constexpr const char* kBotaoCancelaExpImp = "&Cancela";

inline constexpr const char* kMsgDiretorioInvalido = "Diretório inválido!";
inline constexpr const char* kMsgArquivoNaoEncontrado = "Arquivo de dados não encontrado no diretorio de origem!";
// The exchange folder may not be the shared database's own folder: exporting
// there would replace the live tables, importing from there would read the
// tables being replaced.
inline constexpr const char* kMsgPastaDoBancoCompartilhado =
    "O diretório informado é o do próprio banco de dados compartilhado!";

// ---- table groups ----

enum class GrupoTabelas { IndicesMensais, IndicesDiarios, ImpostoRenda, INSS, ValoresMensais, Feriados };

struct DescricaoGrupo {
    GrupoTabelas grupo;
    std::string titulo;                 // entry of the " Tabela: " radio group
    std::string nomeCurto;              // command-line name, lower case
    std::vector<std::string> tabelas;   // file names, in the order they are copied
};

// The six groups, in the order of the radio group (the first is preselected).
const std::vector<DescricaoGrupo>& GruposTabelas();
const DescricaoGrupo& DescricaoDoGrupo(GrupoTabelas grupo);
// A group by its short name or its title, without regard to case or accents
// ("indices", "Índices Mensais", "indices mensais"). Empty for any other text.
std::optional<GrupoTabelas> GrupoPorNome(std::string_view nome);

// ---- export and import ----

struct TabelaCopiada {
    std::string tabela;  // file name in the exchange folder
    size_t linhas = 0;
};

// Writes every table of the group, in order, to the folder: a table file with
// the shared table's fields and indexes holding all its rows, replacing a
// table of that name already there. Each file is written under a temporary
// name and put in place only when every table of the group has been written,
// so a failure leaves the folder's former files as they were.
// Fails with kMsgDiretorioInvalido when the folder does not exist.
std::vector<TabelaCopiada> ExportaGrupo(Banco& compartilhado, GrupoTabelas grupo,
                                        const std::filesystem::path& pasta);

// Replaces every table of the group with the rows of the folder's table of
// the same name. Before anything changes it checks that the folder exists
// (kMsgDiretorioInvalido), that every file of the group is there
// (kMsgArquivoNaoEncontrado), that each holds every field of the shared table
// with a matching type, and that every row fits the shared table's fields.
// The emptying and refilling of all tables of the group run in one
// transaction: any failure (a key violation, among others) leaves every table
// of the group as it was.
std::vector<TabelaCopiada> ImportaGrupo(Banco& compartilhado, GrupoTabelas grupo,
                                        const std::filesystem::path& pasta);

// ---- the dialog ----

enum class AcaoExpImp { Exportar, Importar };

// State of the "Exporta/Importa Tabelas" dialog: the action, the folder text
// and the chosen group. "&OK" calls executa(); its errors are shown by the
// program's error handler and the dialog stays open. Nothing is shown when
// it ends well.
class ExpImp {
public:
    explicit ExpImp(Banco& compartilhado);

    AcaoExpImp acao() const { return acao_; }
    void defineAcao(AcaoExpImp acao) { acao_ = acao; }
    // Label of the folder field, which follows the action.
    const char* rotuloPasta() const;

    const std::string& pasta() const { return pasta_; }
    void definePasta(std::string pasta) { pasta_ = std::move(pasta); }

    GrupoTabelas grupo() const { return grupo_; }
    void defineGrupo(GrupoTabelas grupo) { grupo_ = grupo; }

    // Exports or imports the chosen group with the folder as typed.
    std::vector<TabelaCopiada> executa();

    // The folder the field shows at first: the user's home folder.
    static std::string PastaInicial();
    // The folder a typed text names: trimmed, "\" read as a folder separator.
    static std::filesystem::path PastaDoTexto(std::string_view texto);

private:
    Banco& compartilhado_;
    AcaoExpImp acao_ = AcaoExpImp::Exportar;
    std::string pasta_;
    GrupoTabelas grupo_ = GrupoTabelas::IndicesMensais;
};

}  // namespace korva
