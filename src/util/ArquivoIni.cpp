#include "util/ArquivoIni.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void FalhaLeitura(const fs::path& p) {
    throw ErroES("Não foi possível ler o arquivo de configurações \"" + p.string() + "\".");
}

[[noreturn]] void FalhaGravacao(const fs::path& p) {
    throw ErroES("Não foi possível gravar o arquivo de configurações \"" + p.string() + "\".");
}

std::string SemQuebras(std::string_view valor) {
    std::string r(valor);
    for (char& c : r)
        if (c == '\r' || c == '\n') c = ' ';
    return r;
}

}  // namespace

ArquivoIni::ArquivoIni(fs::path arquivo) : arquivo_(std::move(arquivo)) {}

ArquivoIni::Conteudo ArquivoIni::carrega() const {
    Conteudo c;
    std::error_code ec;
    const auto estado = fs::status(arquivo_, ec);
    if (estado.type() == fs::file_type::not_found) return c;
    if (ec) FalhaLeitura(arquivo_);
    if (fs::is_directory(estado)) FalhaLeitura(arquivo_);

    std::ifstream in(arquivo_, std::ios::binary);
    if (!in) FalhaLeitura(arquivo_);
    std::stringstream ss;
    ss << in.rdbuf();
    if (in.bad()) FalhaLeitura(arquivo_);
    std::string bytes = ss.str();

    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        c.bom = true;
        bytes.erase(0, 3);
    }
    const size_t primeiraQuebra = bytes.find('\n');
    if (primeiraQuebra != std::string::npos && primeiraQuebra > 0 && bytes[primeiraQuebra - 1] == '\r')
        c.fimDeLinha = "\r\n";

    auto partes = Divide(bytes, '\n');
    if (!partes.empty() && partes.back().empty()) partes.pop_back();  // the final line break
    c.linhas.reserve(partes.size());
    for (auto& bruta : partes) {
        if (!bruta.empty() && bruta.back() == '\r') bruta.pop_back();
        Linha l;
        l.texto = TextoExterno(bruta);
        const std::string t = Apara(l.texto);
        if (!t.empty() && t.front() == '[') {
            const size_t fecha = t.find(']');
            if (fecha != std::string::npos) {
                l.tipo = Linha::Tipo::Secao;
                l.nome = Apara(std::string_view(t).substr(1, fecha - 1));
            }
        } else if (!t.empty() && t.front() != ';') {
            const size_t igual = t.find('=');
            if (igual != std::string::npos) {
                std::string nome = Apara(std::string_view(t).substr(0, igual));
                if (!nome.empty()) {
                    l.tipo = Linha::Tipo::Chave;
                    l.nome = std::move(nome);
                    l.valor = Apara(std::string_view(t).substr(igual + 1));
                }
            }
        }
        c.linhas.push_back(std::move(l));
    }
    return c;
}

long ArquivoIni::achaSecao(const Conteudo& c, std::string_view secao) {
    const std::string procurada = Apara(secao);
    for (size_t i = 0; i < c.linhas.size(); ++i) {
        const Linha& l = c.linhas[i];
        if (l.tipo == Linha::Tipo::Secao && IguaisSemCaixa(l.nome, procurada)) return static_cast<long>(i);
    }
    return -1;
}

long ArquivoIni::achaChave(const Conteudo& c, long inicio, std::string_view chave) {
    const std::string procurada = Apara(chave);
    for (size_t i = static_cast<size_t>(inicio) + 1; i < c.linhas.size(); ++i) {
        const Linha& l = c.linhas[i];
        if (l.tipo == Linha::Tipo::Secao) break;
        if (l.tipo == Linha::Tipo::Chave && IguaisSemCaixa(l.nome, procurada)) return static_cast<long>(i);
    }
    return -1;
}

std::string ArquivoIni::le(std::string_view secao, std::string_view chave, std::string_view padrao) const {
    const Conteudo c = carrega();
    const long s = achaSecao(c, secao);
    if (s < 0) return std::string(padrao);
    const long k = achaChave(c, s, chave);
    if (k < 0) return std::string(padrao);
    return c.linhas[static_cast<size_t>(k)].valor;
}

bool ArquivoIni::existe(std::string_view secao, std::string_view chave) const {
    const Conteudo c = carrega();
    const long s = achaSecao(c, secao);
    return s >= 0 && achaChave(c, s, chave) >= 0;
}

bool ArquivoIni::existeSecao(std::string_view secao) const { return achaSecao(carrega(), secao) >= 0; }

std::vector<std::string> ArquivoIni::chaves(std::string_view secao) const {
    std::vector<std::string> r;
    const Conteudo c = carrega();
    const long s = achaSecao(c, secao);
    if (s < 0) return r;
    for (size_t i = static_cast<size_t>(s) + 1; i < c.linhas.size(); ++i) {
        const Linha& l = c.linhas[i];
        if (l.tipo == Linha::Tipo::Secao) break;
        if (l.tipo == Linha::Tipo::Chave) r.push_back(l.nome);
    }
    return r;
}

void ArquivoIni::escreve(std::string_view secao, std::string_view chave, std::string_view valor) {
    const std::string nomeSecao = Apara(secao);
    const std::string nomeChave = Apara(chave);
    if (nomeSecao.empty() || nomeSecao.find_first_of("]\r\n") != std::string::npos)
        throw ErroKorva("Nome de seção inválido no arquivo de configurações: \"" + std::string(secao) + "\".");
    if (nomeChave.empty() || nomeChave.find_first_of("=\r\n") != std::string::npos || nomeChave.front() == '[' ||
        nomeChave.front() == ';')
        throw ErroKorva("Nome de chave inválido no arquivo de configurações: \"" + std::string(chave) + "\".");
    const std::string novoValor = Apara(SemQuebras(valor));

    Conteudo c = carrega();
    Linha nova;
    nova.tipo = Linha::Tipo::Chave;
    nova.nome = nomeChave;
    nova.valor = novoValor;
    nova.texto = nomeChave + "=" + novoValor;

    const long s = achaSecao(c, nomeSecao);
    if (s < 0) {
        if (!c.linhas.empty() && !Apara(c.linhas.back().texto).empty()) c.linhas.push_back(Linha{});
        Linha cabecalho;
        cabecalho.tipo = Linha::Tipo::Secao;
        cabecalho.nome = nomeSecao;
        cabecalho.texto = "[" + nomeSecao + "]";
        c.linhas.push_back(std::move(cabecalho));
        c.linhas.push_back(std::move(nova));
    } else if (const long k = achaChave(c, s, nomeChave); k >= 0) {
        Linha& atual = c.linhas[static_cast<size_t>(k)];
        if (atual.valor == novoValor) return;  // nothing changes on disk
        atual.valor = novoValor;  // the key keeps its spelling in the file
        atual.texto = atual.nome + "=" + novoValor;
    } else {
        // After the last key of the section, ahead of the blank lines and
        // comments that separate it from the next one.
        size_t pos = static_cast<size_t>(s) + 1;
        for (size_t i = pos; i < c.linhas.size() && c.linhas[i].tipo != Linha::Tipo::Secao; ++i)
            if (c.linhas[i].tipo == Linha::Tipo::Chave) pos = i + 1;
        c.linhas.insert(c.linhas.begin() + static_cast<long>(pos), std::move(nova));
    }
    grava(c);
}

void ArquivoIni::grava(const Conteudo& c) const {
    std::string saida;
    if (c.bom) saida = "\xEF\xBB\xBF";
    for (const Linha& l : c.linhas) saida += l.texto + c.fimDeLinha;

    std::error_code ec;
    if (arquivo_.has_parent_path()) {
        fs::create_directories(arquivo_.parent_path(), ec);
        if (ec) FalhaGravacao(arquivo_);
    }

    // A temporary name of its own, so workstations writing the same file at
    // once never share one.
    std::random_device rd;
    fs::path tmp = arquivo_;
    tmp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(rd());

    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) FalhaGravacao(arquivo_);
    bool ok = std::fwrite(saida.data(), 1, saida.size(), f) == saida.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        fs::rename(tmp, arquivo_, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(tmp, ec);
        FalhaGravacao(arquivo_);
    }
}

}  // namespace korva
