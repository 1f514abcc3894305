#include "app/Integracao.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "util/Erros.h"

extern char** environ;

namespace fs = std::filesystem;

namespace korva {

namespace {

class AcoesDeArquivo {
public:
    AcoesDeArquivo() { ok_ = posix_spawn_file_actions_init(&acoes_) == 0; }
    ~AcoesDeArquivo() {
        if (ok_) posix_spawn_file_actions_destroy(&acoes_);
    }
    AcoesDeArquivo(const AcoesDeArquivo&) = delete;
    AcoesDeArquivo& operator=(const AcoesDeArquivo&) = delete;
    bool ok() const { return ok_; }
    posix_spawn_file_actions_t* get() { return &acoes_; }

private:
    posix_spawn_file_actions_t acoes_{};
    bool ok_ = false;
};

}  // namespace

std::string ArgumentoShell(std::string_view texto) {
    std::string r = "'";
    for (char c : texto) {
        if (c == '\'')
            r += "'\\''";
        else
            r += c;
    }
    r += '\'';
    return r;
}

int ExecutaIntegracao(const std::string& programa, const std::string& linhaDeComando,
                      const std::string& arquivoLote, const std::function<void()>& processaEventos) {
    std::error_code ec;
    const fs::file_status st = fs::status(programa, ec);
    if (programa.empty() || ec || !fs::exists(st) || fs::is_directory(st))
        throw ErroKorva("Não encontrado o programa '" + programa + "' no diretório do Ulmeris.");

    // One line: a line break inside the command line would start a second command.
    std::string linha = linhaDeComando;
    for (char& c : linha)
        if (c == '\r' || c == '\n') c = ' ';
    const fs::path lote = fs::absolute(fs::path(arquivoLote), ec);
    if (ec || arquivoLote.empty())
        throw ErroES("Não foi possível gravar o arquivo de lote '" + arquivoLote + "'.");
    {
        std::ofstream out(lote, std::ios::binary | std::ios::trunc);
        // The shell reads the script: a line feed ends the line (a carriage
        // return would become part of the last argument).
        if (out) out << linha << '\n';
        if (!out || !out.flush())
            throw ErroES("Não foi possível gravar o arquivo de lote '" + arquivoLote + "'.");
    }

    const std::string erroExecucao = "Erro na execução do programa de Busca";
    AcoesDeArquivo acoes;
    if (!acoes.ok()) throw ErroKorva(erroExecucao);
    const std::string pasta = lote.parent_path().string();
    if (posix_spawn_file_actions_addopen(acoes.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_addopen(acoes.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0) != 0 ||
        posix_spawn_file_actions_addchdir_np(acoes.get(), pasta.c_str()) != 0)
        throw ErroKorva(erroExecucao);

    std::string shell = "/bin/sh";
    std::string caminhoLote = lote.string();
    char* argv[] = {shell.data(), caminhoLote.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, shell.c_str(), acoes.get(), nullptr, argv, environ) != 0) throw ErroKorva(erroExecucao);

    int estado = 0;
    for (;;) {
        const pid_t r = waitpid(pid, &estado, WNOHANG);
        if (r == pid) break;
        if (r < 0) {
            if (errno == EINTR) continue;
            throw ErroKorva(erroExecucao);
        }
        if (processaEventos) processaEventos();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(estado)) return WEXITSTATUS(estado);
    if (WIFSIGNALED(estado)) return 128 + WTERMSIG(estado);
    return -1;
}

}  // namespace korva
