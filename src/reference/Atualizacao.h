#pragma once
// The update of the official tables from the table server: the four files are
// fetched into a folder, checked whole, and merged into Diario.DB, Valores.DB,
// FaixasINSS.DB and FaixasIR.db in one transaction, so a failure leaves every
// table as it was. Also the opposite way: the files written from the tables,
// for a court that hosts its own table server.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reference/AtualizacaoClienteHttp.h"

namespace korva {

class Banco;

// Texts of the update.
inline constexpr const char* TituloConexaoInternet = "KORVA - Conexão à Internet";
inline constexpr const char* TituloProgressoDownload = "Efetuando download dos arquivos...";
inline constexpr const char* MensagemTabelasAtualizadas = "Tabelas Atualizadas!";
inline constexpr int PassosDownload = 4;

// The server path of a file: "/download/" + file name.
std::string CaminhoDownload(const std::string& arquivo);

// What happened to one table.
struct ResumoTabela {
    std::string tabela;   // "Valores.DB"
    std::string arquivo;  // "Valores.dat"
    size_t registros = 0;
    size_t incluidos = 0;  // rows added (applying)
    size_t alterados = 0;  // rows replaced (applying)
};

// True for the months whose employee contribution is computed band by band:
// from 03/2020 on. The download format has no such field.
bool MesProgressivo(int ano, int mes);

// Reads and checks the four files of `pasta`, then merges them, in the order
// Diario, Valores, FaixasINSS, FaixasIR: each record replaces the row of its
// key or adds one; rows the files do not mention stay. Everything runs in one
// transaction of `compartilhado`. A missing file or a record that is not of
// the format fails before anything is stored; a record that cannot be stored
// undoes every table. FaixasINSS rows get `Progressiva` by MesProgressivo.
// The files write an empty value as 0: in Valores.DB a 0 in the optional
// unemployment-insurance values or in the first family allowance is stored
// empty again, and in the second family allowance when the first is empty.
std::vector<ResumoTabela> AplicaArquivosDat(Banco& compartilhado, const std::filesystem::path& pasta);

// Writes the four files into `pasta` (created when missing) from the tables,
// in key order. Empty optional values are written as 0.
std::vector<ResumoTabela> GeraArquivosDat(Banco& compartilhado, const std::filesystem::path& pasta);

struct ParametrosAtualizacao {
    EnderecoHttp servidor;
    std::optional<ProxyHttp> proxy;
    TemposHttp tempos;
    std::filesystem::path pasta;  // where the files are kept (they are not deleted)
};

// Called before each file with the step (0 to 3) and its caption, and once
// after the last with 4 and an empty caption.
using ProgressoDownload = std::function<void(int passo, const std::string& rotulo)>;

// Fetches the four files into `pasta`, in the order Valores, FaixasINSS,
// FaixasIR, Diario, through one connection. A failure ends with ErroHttp and
// keeps the files fetched before it; no table is touched.
void BaixaArquivosDat(const ParametrosAtualizacao& parametros, const ProgressoDownload& progresso = {});

// The whole update: BaixaArquivosDat, then AplicaArquivosDat.
std::vector<ResumoTabela> AtualizaTabelas(Banco& compartilhado, const ParametrosAtualizacao& parametros,
                                          const ProgressoDownload& progresso = {});

}  // namespace korva
