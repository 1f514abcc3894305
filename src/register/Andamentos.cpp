#include "register/Andamentos.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "app/Integracao.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace fs = std::filesystem;

namespace korva {
namespace {

void ApagaSeExiste(const fs::path& arquivo) {
    std::error_code erro;
    fs::remove(arquivo, erro);
}

std::string LeArquivo(const fs::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    if (!f) throw ErroES("Não foi possível abrir o arquivo '" + arquivo.string() + "': " + std::strerror(errno) + ".");
    std::ostringstream conteudo;
    conteudo << f.rdbuf();
    if (f.bad()) throw ErroES("Não foi possível ler o arquivo '" + arquivo.string() + "'.");
    return conteudo.str();
}

}  // namespace

Andamentos BuscaAndamentos(const fs::path& pastaPrograma, const std::string& processo, int64_t arquivo,
                           const std::function<void()>& processaEventos) {
    const std::string numero = std::to_string(arquivo);
    const fs::path programa = pastaPrograma / "Andamentos.exe";
    const fs::path resultado = pastaPrograma / ("A" + numero + ".AND");
    const fs::path lote = pastaPrograma / ("A" + numero + ".bat");
    ApagaSeExiste(resultado);  // an old result must not pass for this one
    const std::string linha = ArgumentoShell(programa.string()) + " " + ArgumentoShell(processo) + " " +
                              ArgumentoShell("A" + numero + ".AND");
    Andamentos r;
    r.titulo = "KORVA - Andamentos do Processo: " + processo;
    try {
        ExecutaIntegracao(programa.string(), linha, lote.string(), processaEventos);
        r.texto = TextoExterno(LeArquivo(resultado));
    } catch (...) {
        ApagaSeExiste(resultado);
        ApagaSeExiste(lote);
        throw;
    }
    ApagaSeExiste(resultado);
    ApagaSeExiste(lote);
    return r;
}

}  // namespace korva
