#include "storage/Aliases.h"

#include <fstream>
#include <sstream>

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

ArquivoAliases::ArquivoAliases(std::filesystem::path arquivo) : arquivo_(std::move(arquivo)) { recarrega(); }

void ArquivoAliases::recarrega() {
    secoes_.clear();
    std::ifstream in(arquivo_, std::ios::binary);
    if (!in) return;
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string conteudo = TextoExterno(ss.str());
    for (auto linha : Divide(conteudo, '\n')) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        std::string t = Apara(linha);
        if (t.empty() || t[0] == ';') continue;
        if (t.front() == '[' && t.back() == ']') {
            secoes_.push_back({Apara(t.substr(1, t.size() - 2)), {}});
        } else if (!secoes_.empty()) {
            secoes_.back().linhas.push_back(t);
        }
    }
}

bool ArquivoAliases::existe(const std::string& alias) const {
    for (const auto& s : secoes_)
        if (IguaisSemCaixa(s.nome, alias)) return true;
    return false;
}

std::vector<std::string> ArquivoAliases::parametros(const std::string& alias) const {
    for (const auto& s : secoes_)
        if (IguaisSemCaixa(s.nome, alias)) return s.linhas;
    throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Alias não encontrado: " + alias);
}

void ArquivoAliases::defineParametros(const std::string& alias, std::vector<std::string> linhas) {
    for (auto& s : secoes_)
        if (IguaisSemCaixa(s.nome, alias)) { s.linhas = std::move(linhas); return; }
    secoes_.push_back({alias, std::move(linhas)});
}

void ArquivoAliases::salva() const {
    std::error_code ec;
    if (arquivo_.has_parent_path()) std::filesystem::create_directories(arquivo_.parent_path(), ec);
    auto tmp = arquivo_;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw ErroES("Não foi possível gravar o arquivo de aliases: " + arquivo_.string());
        for (const auto& s : secoes_) {
            out << '[' << s.nome << "]\n";
            for (const auto& l : s.linhas) out << l << '\n';
            out << '\n';
        }
        if (!out.flush()) throw ErroES("Não foi possível gravar o arquivo de aliases: " + arquivo_.string());
    }
    std::filesystem::rename(tmp, arquivo_, ec);
    if (ec) throw ErroES("Não foi possível gravar o arquivo de aliases: " + arquivo_.string());
}

std::string ArquivoAliases::caminho(const std::string& alias) const {
    const auto linhas = parametros(alias);
    if (linhas.empty())
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "O alias " + alias + " não tem parâmetros");
    const std::string& primeira = linhas.front();
    if (primeira.find("PATH") != std::string::npos) return primeira.substr(std::min<size_t>(5, primeira.size()));
    return "\\";
}

}  // namespace korva
