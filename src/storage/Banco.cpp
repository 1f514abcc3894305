#include "storage/Banco.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>
#include <cstring>
#include <algorithm>
#include <functional>

#include "storage/Gravacao.h"
#include "util/Texto.h"

namespace korva {
namespace {

// How long a table held by another workstation is waited for.
constexpr int kEsperaTravaMs = 5000;

std::string Minuscula(const std::string& s) {
    std::string r = s;
    for (auto& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// The entry of a folder whose name matches without regard to case.
std::filesystem::path Resolve(const std::filesystem::path& pasta, const std::string& nome) {
    std::error_code ec;
    auto exato = pasta / nome;
    if (std::filesystem::exists(exato, ec)) return exato;
    for (std::filesystem::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        if (IguaisSemCaixa(n, nome)) return it->path();
    }
    return exato;
}

std::string StemTabela(const std::string& nome) {
    std::string n = nome;
    for (auto& c : n)
        if (c == '\\') c = '/';
    return std::filesystem::path(n).stem().string();
}

std::string SqlIndice(const DefIndice& ind) {
    std::string sql = std::string("CREATE ") + (ind.unico ? "UNIQUE " : "") + "INDEX " +
                      Aspas(ind.primario ? "Primario" : ind.nome) + " ON Tabela(";
    for (size_t i = 0; i < ind.campos.size(); ++i) {
        if (i) sql += ", ";
        sql += Aspas(ind.campos[i]);
        if (ind.semCaixa) sql += std::string(" COLLATE ") + kColacaoSemCaixa;
        if (ind.descendente) sql += " DESC";
    }
    return sql + ")";
}

}  // namespace

const Valor& LinhaConsulta::operator[](const std::string& coluna) const {
    for (size_t i = 0; i < colunas.size(); ++i)
        if (IguaisSemCaixa(colunas[i], coluna)) return valores[i];
    throw ErroKorva("Coluna inexistente no resultado: " + coluna);
}

Banco::Banco(std::string alias, std::filesystem::path pasta) : alias_(std::move(alias)), pasta_(std::move(pasta)) {
    std::error_code ec;
    if (!std::filesystem::is_directory(pasta_, ec))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado,
                        "A pasta do banco de dados " + alias_ + " não existe: " + pasta_.string());
}

Banco::~Banco() {
    try {
        if (!naTransacao_.empty()) encerra(false);
        descartaCriadas();
    } catch (...) {
    }
}

std::filesystem::path Banco::caminho(const std::string& nomeTabela) const {
    std::filesystem::path p = pasta_;
    for (const auto& parte : Divide(nomeTabela, '\\')) {
        for (const auto& sub : Divide(parte, '/')) {
            if (sub.empty() || sub == ".") continue;
            if (sub == "..")
                throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Nome de tabela inválido: " + nomeTabela);
            p = Resolve(p, sub);
        }
    }
    return p;
}

bool Banco::existe(const std::string& nomeTabela) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(caminho(nomeTabela), ec);
}

std::string Banco::chave(const std::filesystem::path& p) const { return Minuscula(p.lexically_normal().string()); }

std::shared_ptr<Conexao> Banco::conexao(const std::string& nomeTabela, bool somenteLeitura) {
    const auto p = caminho(nomeTabela);
    const auto k = chave(p);
    if (auto it = conexoes_.find(k); it != conexoes_.end()) {
        if (it->second->mesmoArquivo() || it->second->emTransacao()) return it->second;
        conexoes_.erase(it);
    }
    // Shared by every handle, so always opened for writing where the file
    // allows it; read-only handles are kept from writing by the dataset.
    (void)somenteLeitura;
    auto c = std::make_shared<Conexao>(p, false);
    conexoes_[k] = c;
    usoRecente_.erase(std::remove(usoRecente_.begin(), usoRecente_.end(), k), usoRecente_.end());
    usoRecente_.push_back(k);
    // Close the connections used longest ago; handles still using one keep it alive.
    constexpr size_t kMaximoConexoes = 64;
    while (usoRecente_.size() > kMaximoConexoes) {
        auto velha = conexoes_.find(usoRecente_.front());
        if (velha != conexoes_.end() && !velha->second->emTransacao()) conexoes_.erase(velha);
        usoRecente_.erase(usoRecente_.begin());
    }
    return c;
}

void Banco::criaTabela(const std::string& nomeTabela, const DefTabela& def) {
    const auto destino = caminho(nomeTabela);
    std::error_code ec;
    if (!std::filesystem::is_directory(destino.parent_path(), ec))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Pasta não encontrada: " + destino.parent_path().string());
    if (std::filesystem::exists(destino, ec))
        throw ErroBanco(CodigoBanco::TabelaEmUso, "A tabela já existe: " + destino.string());

    // Built under a temporary name and renamed, so a half-built table never exists.
    auto temporario = destino.parent_path() / ("." + destino.filename().string() + ".criando");
    std::filesystem::remove(temporario, ec);
    try {
        auto c = Conexao::Cria(temporario);
        std::string sql = "CREATE TABLE Tabela(";
        for (size_t i = 0; i < def.campos.size(); ++i) {
            const auto& f = def.campos[i];
            if (i) sql += ", ";
            sql += Aspas(f.nome) + " " + TipoSql(f);
            if (f.obrigatorio) sql += " NOT NULL";
        }
        sql += ");\n";
        for (const auto& ind : def.indices) sql += SqlIndice(ind) + ";\n";
        sql += "CREATE TABLE korva_autoinc(campo TEXT PRIMARY KEY, ultimo INTEGER NOT NULL);\n";
        for (const auto& f : def.campos)
            if (f.tipo == TipoCampo::Autoinc)
                sql += "INSERT INTO korva_autoinc VALUES('" + f.nome + "', 0);\n";
        c->executa("BEGIN;\n" + sql + "COMMIT;");
    } catch (...) {
        std::filesystem::remove(temporario, ec);
        throw;
    }
    std::filesystem::rename(temporario, destino, ec);
    if (ec) {
        std::filesystem::remove(temporario, ec);
        throw ErroBanco(CodigoBanco::ErroDeES, "Não foi possível criar a tabela " + destino.string());
    }
    if (profundidade_ > 0) criadas_.push_back(destino);
}

void Banco::excluiTabela(const std::string& nomeTabela) {
    const auto p = caminho(nomeTabela);
    std::error_code ec;
    if (!std::filesystem::exists(p, ec))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Tabela não encontrada: " + p.string());
    if (auto it = conexoes_.find(chave(p)); it != conexoes_.end() && it->second->emTransacao())
        throw ErroBanco(CodigoBanco::TabelaEmUso,
                        "A tabela participa de uma transação em andamento: " + p.filename().string());
    {
        TravaTabela trava(p, TravaTabela::Modo::Exclusivo);
        conexoes_.erase(chave(p));
        if (!std::filesystem::remove(p, ec) || ec)
            throw ErroBanco(CodigoBanco::SemPermissao, "Não foi possível excluir a tabela " + p.string());
        auto jornal = p;
        jornal += "-journal";
        std::filesystem::remove(jornal, ec);
    }
    std::filesystem::remove(TravaTabela::ArquivoTrava(p), ec);
}

void Banco::esvaziaTabela(const std::string& nomeTabela) {
    const auto p = caminho(nomeTabela);
    TravaTabela trava(p, TravaTabela::Modo::Exclusivo);
    executa(nomeTabela, "DELETE FROM Tabela");
}

DefTabela Banco::definicao(const std::string& nomeTabela) { return conexao(nomeTabela)->definicao(); }

void Banco::criaTabelaComo(const std::string& nomeTabela, Banco& origemBanco, const std::string& origem) {
    criaTabela(nomeTabela, origemBanco.definicao(origem));
}

void Banco::adicionaIndice(const std::string& nomeTabela, const DefIndice& ind) {
    const auto p = caminho(nomeTabela);
    TravaTabela trava(p, TravaTabela::Modo::Exclusivo);
    executa(nomeTabela, SqlIndice(ind));
    conexoes_.erase(chave(p));  // the cached definition no longer holds
}

size_t Banco::copiaLinhas(Banco& origemBanco, const std::string& origem, const std::string& destino,
                          bool mantemAutoinc) {
    auto co = origemBanco.conexao(origem);
    auto cd = conexao(destino);
    const DefTabela defo = co->definicao();
    const DefTabela defd = cd->definicao();
    std::vector<int> mapa(defd.campos.size(), -1);
    for (size_t i = 0; i < defd.campos.size(); ++i) {
        mapa[i] = defo.posicao(defd.campos[i].nome);
        if (!mantemAutoinc && defd.campos[i].tipo == TipoCampo::Autoinc) mapa[i] = -1;
    }
    size_t n = 0;
    NaTransacao(*this, cd, [&] {
        LeLinhas(*co, defo, [&](int64_t, std::vector<Valor>&& v) {
            std::vector<Valor> novos(defd.campos.size());
            for (size_t i = 0; i < mapa.size(); ++i)
                if (mapa[i] >= 0) novos[i] = v[mapa[i]];
            InsereLinha(*cd, defd, novos);
            ++n;
        });
    });
    return n;
}

namespace {

std::vector<LinhaConsulta> Coleta(Comando& cmd) {
    std::vector<LinhaConsulta> linhas;
    std::vector<std::string> nomes;
    std::vector<TipoCampo> tipos;
    bool primeira = true;
    while (cmd.passo()) {
        if (primeira) {
            for (int i = 0; i < cmd.colunas(); ++i) {
                nomes.push_back(cmd.nomeColuna(i));
                const char* dt = sqlite3_column_decltype(cmd.bruto(), i);
                tipos.push_back(dt ? CampoDoTipoSql("", dt, false).tipo : TipoCampo::Memo);
            }
            primeira = false;
        }
        LinhaConsulta l;
        l.colunas = nomes;
        for (int i = 0; i < cmd.colunas(); ++i) {
            const TipoCampo t = tipos[i];
            l.valores.push_back(t == TipoCampo::Date || t == TipoCampo::Boolean ? cmd.coluna(i, t) : cmd.coluna(i));
        }
        linhas.push_back(std::move(l));
    }
    return linhas;
}

void LigaParametros(Comando& cmd, const Parametros& parametros) {
    for (const auto& [nome, valor] : parametros) cmd.liga(nome, valor);
}

}  // namespace

std::string Banco::NomeNaConsulta(const std::string& nomeTabela) { return StemTabela(nomeTabela); }

std::vector<LinhaConsulta> Banco::consulta(const std::string& sql, const std::vector<std::string>& tabelas,
                                           const Parametros& parametros) {
    if (tabelas.size() == 1) {
        // On the table's own connection, so a running transaction sees its changes.
        auto c = conexao(tabelas[0]);
        c->criaVisao(StemTabela(tabelas[0]));
        auto cmd = c->preparaGuardado(sql);
        LigaParametros(cmd, parametros);
        return Coleta(cmd);
    }
    auto c = Conexao::Cria(":memory:");
    for (size_t i = 0; i < tabelas.size(); ++i) {
        const auto p = caminho(tabelas[i]);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(p, ec))
            throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Tabela não encontrada: " + p.string());
        const std::string esquema = "t" + std::to_string(i);
        auto at = c->prepara("ATTACH DATABASE ?1 AS " + esquema);
        at.liga(1, Valor(p.string()), TipoCampo::String);
        at.executa();
        c->executa("CREATE TEMP VIEW " + Aspas(StemTabela(tabelas[i])) + " AS SELECT * FROM " + esquema + ".Tabela");
    }
    auto cmd = c->prepara(sql);
    LigaParametros(cmd, parametros);
    return Coleta(cmd);
}

int Banco::executa(const std::string& nomeTabela, const std::string& sql, const Parametros& parametros) {
    auto c = conexao(nomeTabela);
    int n = 0;
    NaTransacao(*this, c, [&] {
        auto cmd = c->prepara(sql);
        LigaParametros(cmd, parametros);
        cmd.executa();
        n = c->alteradas();
    });
    return n;
}

void Banco::iniciaTransacao() { ++profundidade_; }

bool Banco::naTransacao(const std::string& nomeTabela) const {
    const auto k = chave(caminho(nomeTabela));
    for (const auto& c : naTransacao_)
        if (chave(c->arquivo()) == k) return true;
    return false;
}

void Banco::participa(const std::shared_ptr<Conexao>& c) {
    if (profundidade_ == 0 || c->emTransacao()) return;
    if (desfeita_) throw ErroKorva("A transação foi desfeita por um erro anterior; a operação não foi concluída.");
    if (naTransacao_.empty()) {
        c->inicia();
        naTransacao_.push_back(c);
        return;
    }
    if (naTransacao_.size() >= kMaximoTabelasTransacao)
        throw ErroBanco(CodigoBanco::Geral, "Uma operação não pode alterar mais de " +
                                                std::to_string(kMaximoTabelasTransacao) +
                                                " tabelas de uma só vez: " + c->arquivo().filename().string());
    Conexao& hub = *naTransacao_.front();
    // Schema names are not reused within one transaction.
    const std::string esquema = "t" + std::to_string(naTransacao_.size());
    {
        auto at = hub.prepara("ATTACH DATABASE ?1 AS " + esquema);
        at.liga(1, Valor(c->arquivo().string()), TipoCampo::String);
        at.executa();
    }
    try {
        // The write lock now, as BEGIN IMMEDIATE takes it on the first file:
        // another workstation's change of this file is waited for here, not
        // at the commit.
        hub.executa("UPDATE " + Aspas(esquema) + ".Tabela SET rowid=rowid WHERE 0");
    } catch (...) {
        const std::string sql = "DETACH DATABASE " + esquema;
        sqlite3_exec(hub.bruto(), sql.c_str(), nullptr, nullptr, nullptr);
        throw;
    }
    c->entraEm(hub, esquema);
    naTransacao_.push_back(c);
}

void Banco::encerra(bool confirma) {
    auto lista = std::move(naTransacao_);
    naTransacao_.clear();
    if (lista.empty()) return;
    Conexao& hub = *lista.front();
    bool confirmada = false;
    std::exception_ptr falha;
    if (confirma) {
        try {
            if (sqlite3_get_autocommit(hub.bruto()))
                throw ErroBanco(CodigoBanco::Geral, "A transação foi interrompida pelo banco de dados: " +
                                                        hub.arquivo().filename().string());
            hub.confirma();
            confirmada = true;
        } catch (...) {
            falha = std::current_exception();
        }
    }
    if (!confirmada) hub.desfaz();
    for (size_t i = 1; i < lista.size(); ++i) {
        const std::string esquema = lista[i]->esquema();
        lista[i]->saiDe(!confirmada);
        const std::string sql = "DETACH DATABASE " + esquema;
        sqlite3_exec(hub.bruto(), sql.c_str(), nullptr, nullptr, nullptr);
    }
    if (falha) std::rethrow_exception(falha);
}

void Banco::descartaCriadas() {
    auto criadas = std::move(criadas_);
    criadas_.clear();
    for (const auto& p : criadas) {
        conexoes_.erase(chave(p));
        std::error_code ec;
        std::filesystem::remove(p, ec);
        auto jornal = p;
        jornal += "-journal";
        std::filesystem::remove(jornal, ec);
        std::filesystem::remove(TravaTabela::ArquivoTrava(p), ec);
    }
}

void Banco::confirmaTransacao() {
    if (profundidade_ == 0) throw ErroKorva("A transação já foi desfeita");
    if (--profundidade_ > 0) {
        if (desfeita_) throw ErroKorva("A transação foi desfeita por um erro anterior; a operação não foi concluída.");
        return;
    }
    if (desfeita_) {
        desfeita_ = false;
        throw ErroKorva("A transação foi desfeita por um erro anterior; a operação não foi concluída.");
    }
    try {
        encerra(true);
    } catch (...) {
        descartaCriadas();
        throw;
    }
    criadas_.clear();
}

void Banco::desfazTransacao() {
    if (profundidade_ == 0) return;
    // An inner block rolls back everything at once; the outer ones then fail.
    encerra(false);
    descartaCriadas();
    if (--profundidade_ > 0) desfeita_ = true;
    else desfeita_ = false;
}

namespace {

// The table locks this process holds, so a conflict with itself is known.
class TravasDoProcesso {
public:
    static bool Conflita(const std::filesystem::path& lck, bool exclusivo) {
        std::lock_guard<std::mutex> g(mutex());
        auto it = mapa().find(lck.string());
        if (it == mapa().end()) return false;
        return exclusivo ? (it->second.first + it->second.second) > 0 : it->second.second > 0;
    }
    static void Toma(const std::string& chave, bool exclusivo) {
        std::lock_guard<std::mutex> g(mutex());
        auto& c = mapa()[chave];
        (exclusivo ? c.second : c.first)++;
    }
    static void Solta(const std::string& chave, bool exclusivo) {
        std::lock_guard<std::mutex> g(mutex());
        auto it = mapa().find(chave);
        if (it == mapa().end()) return;
        (exclusivo ? it->second.second : it->second.first)--;
        if (it->second.first <= 0 && it->second.second <= 0) mapa().erase(it);
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    // shared, exclusive
    static std::map<std::string, std::pair<int, int>>& mapa() {
        static std::map<std::string, std::pair<int, int>> m;
        return m;
    }
};

}  // namespace

std::filesystem::path TravaTabela::ArquivoTrava(const std::filesystem::path& arquivoTabela) {
    auto p = arquivoTabela;
    p += ".lck";
    return p;
}

TravaTabela::TravaTabela(const std::filesystem::path& arquivoTabela, Modo modo) {
    const auto lck = ArquivoTrava(arquivoTabela);
    fd_ = ::open(lck.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0 && modo == Modo::Compartilhado) fd_ = ::open(lck.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (modo == Modo::Exclusivo && errno != EROFS && errno != EACCES)
            throw ErroBanco(CodigoBanco::ErroDeES, "Não foi possível reservar a tabela " + arquivoTabela.string());
        return;  // read-only media: nobody else can change it either
    }
    struct flock fl {};
    fl.l_type = modo == Modo::Exclusivo ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    // Another workstation's short use (a calculation while this one
    // generates) is waited for; a long one is a real conflict, and so is
    // one held by this program itself, which waiting cannot end.
    const bool exclusivo = modo == Modo::Exclusivo;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEsperaTravaMs);
    bool obtida = ::fcntl(fd_, F_OFD_SETLK, &fl) != -1;
    while (!obtida && (errno == EAGAIN || errno == EACCES || errno == EINTR) &&
           !TravasDoProcesso::Conflita(lck, exclusivo) && std::chrono::steady_clock::now() < limite) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        obtida = ::fcntl(fd_, F_OFD_SETLK, &fl) != -1;
    }
    if (!obtida) {
        ::close(fd_);
        fd_ = -1;
        throw ErroBanco(CodigoBanco::TabelaEmUso,
                        "Tabela em uso por outro usuário: " + arquivoTabela.filename().string());
    }
    chave_ = lck.string();
    exclusivo_ = exclusivo;
    TravasDoProcesso::Toma(chave_, exclusivo_);
}

TravaTabela::~TravaTabela() {
    if (fd_ < 0) return;
    ::close(fd_);
    TravasDoProcesso::Solta(chave_, exclusivo_);
}

}  // namespace korva
