#include "storage/OrfaosCalculo.h"

#include <cctype>
#include <chrono>
#include <set>
#include <string>

#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

bool Digitos(const std::string& s, size_t inicio, size_t n) {
    if (s.size() < inicio + n) return false;
    for (size_t i = inicio; i < inicio + n; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

// "A0000023.db" and its companions ("-journal", ".lck"): the file number, or -1.
int NumeroDoArquivo(std::string nome) {
    for (const char* sufixo : {"-journal", ".lck"}) {
        const std::string s = sufixo;
        if (nome.size() > s.size() && IguaisSemCaixa(nome.substr(nome.size() - s.size()), s))
            nome.resize(nome.size() - s.size());
    }
    if (nome.size() != 11 || !IguaisSemCaixa(nome.substr(8), ".db")) return -1;
    const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(nome[0])));
    if (letra < 'A' || letra > 'I' || !Digitos(nome, 1, 7)) return -1;
    return std::stoi(nome.substr(1, 7));
}

// ".A0000023.db.criando" (and its journal): the table being built under a temporary name.
int NumeroEmCriacao(std::string nome) {
    const std::string jornal = "-journal";
    if (nome.size() > jornal.size() && nome.compare(nome.size() - jornal.size(), jornal.size(), jornal) == 0)
        nome.resize(nome.size() - jornal.size());
    const std::string sufixo = ".criando";
    if (nome.size() < 2 || nome[0] != '.' || nome.size() <= sufixo.size() ||
        nome.compare(nome.size() - sufixo.size(), sufixo.size(), sufixo) != 0)
        return -1;
    return NumeroDoArquivo(nome.substr(1, nome.size() - 1 - sufixo.size()));
}

bool PastaDeCalculos(const fs::path& p) {
    const std::string n = p.filename().string();
    return n.size() == 8 && IguaisSemCaixa(n.substr(0, 3), "Sub") && Digitos(n, 3, 5);
}

struct Candidato {
    fs::path arquivo;
    int numero;
    bool emCriacao;
};

std::vector<Candidato> Candidatos(const fs::path& raiz) {
    std::vector<Candidato> r;
    std::error_code ec;
    for (fs::directory_iterator pasta(raiz, ec), fim; !ec && pasta != fim; pasta.increment(ec)) {
        if (!pasta->is_directory(ec) || !PastaDeCalculos(pasta->path())) continue;
        std::error_code ec2;
        for (fs::directory_iterator it(pasta->path(), ec2), fim2; !ec2 && it != fim2; it.increment(ec2)) {
            const std::string nome = it->path().filename().string();
            if (int n = NumeroDoArquivo(nome); n >= 0) r.push_back({it->path(), n, false});
            else if (int m = NumeroEmCriacao(nome); m >= 0) r.push_back({it->path(), m, true});
        }
    }
    return r;
}

std::set<int64_t> NumerosEmUso(Banco& privado) {
    std::set<int64_t> r;
    for (const auto& l : privado.consulta("SELECT Arquivo FROM Processo WHERE Arquivo IS NOT NULL", {"Processo.DB"}))
        r.insert(l[0].comoInteiro());
    return r;
}

}  // namespace

std::vector<fs::path> RemoveOrfaos(Banco& privado) {
    std::vector<fs::path> removidos;
    if (!privado.existe("Processo.DB")) return removidos;
    auto candidatos = Candidatos(privado.pasta());
    if (candidatos.empty()) return removidos;
    try {
        // A first look without the lock: most starts find nothing to remove.
        {
            const auto emUso = NumerosEmUso(privado);
            bool algum = false;
            for (const auto& c : candidatos) algum = algum || !emUso.count(c.numero) || c.emCriacao;
            if (!algum) return removidos;
        }
        Transacao tr(privado);
        privado.participa(privado.conexao("Processo.DB"));
        const auto emUso = NumerosEmUso(privado);
        const auto agora = fs::file_time_type::clock::now();
        for (const auto& c : candidatos) {
            std::error_code ec;
            if (c.emCriacao && emUso.count(c.numero)) {
                // A table of a stored calculation being built now by another
                // workstation: only one abandoned for long goes.
                const auto quando = fs::last_write_time(c.arquivo, ec);
                if (ec || agora - quando < std::chrono::minutes(30)) continue;
            } else if (emUso.count(c.numero)) {
                continue;
            }
            if (fs::remove(c.arquivo, ec) && !ec) removidos.push_back(c.arquivo);
        }
    } catch (const ErroKorva&) {
        // Busy or read-only: left for the next start.
    }
    return removidos;
}

}  // namespace korva
