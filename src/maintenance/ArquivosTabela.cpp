#include "maintenance/ArquivosTabela.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <set>
#include <thread>

#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace fs = std::filesystem;

namespace {

constexpr int kEsperaMs = 5000;

bool TerminaEmDb(const std::string& nome) {
    return nome.size() > 3 && IguaisSemCaixa(nome.substr(nome.size() - 3), ".db");
}

// A plain SQLite handle on a table file, closed on destruction.
class Arquivo {
public:
    explicit Arquivo(const fs::path& p, bool cria = false) {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (cria ? SQLITE_OPEN_CREATE : 0);
        rc_ = sqlite3_open_v2(p.c_str(), &db_, flags, nullptr);
        if (db_) {
            sqlite3_extended_result_codes(db_, 1);
            sqlite3_busy_timeout(db_, kEsperaMs);
            RegistraColacao(db_);
        }
    }
    ~Arquivo() { sqlite3_close_v2(db_); }
    Arquivo(const Arquivo&) = delete;
    Arquivo& operator=(const Arquivo&) = delete;
    sqlite3* db() const { return db_; }
    int rc() const { return rc_; }
    std::string erro() const { return db_ ? sqlite3_errmsg(db_) : "sem memória"; }
    // Runs statements that return nothing of interest; the result code.
    int executa(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
    void exige(const std::string& sql, const fs::path& p) {
        if (executa(sql) != SQLITE_OK) throw ErroDoSqlite(sqlite3_extended_errcode(db_), erro(), p.string());
    }

private:
    sqlite3* db_ = nullptr;
    int rc_ = SQLITE_OK;
};

// A prepared statement, finalized on destruction.
class Passos {
public:
    Passos(sqlite3* db, const std::string& sql) { rc_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr); }
    ~Passos() { sqlite3_finalize(st_); }
    Passos(const Passos&) = delete;
    bool ok() const { return rc_ == SQLITE_OK && st_; }
    int rc() const { return rc_; }
    sqlite3_stmt* st() const { return st_; }
    int passo() { return sqlite3_step(st_); }
    void reinicia() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }

private:
    sqlite3_stmt* st_ = nullptr;
    int rc_ = SQLITE_OK;
};

bool Ocupado(int rc) {
    const int base = rc & 0xFF;
    return base == SQLITE_BUSY || base == SQLITE_LOCKED;
}

// The row numbers that can be reached in a damaged table: a walk in row
// order that steps over unreadable pages by probing further and further
// keys, a walk back from the end, and every index's list of rows.
std::set<int64_t> NumerosDeLinhas(sqlite3* db, const std::vector<std::string>& indices) {
    std::set<int64_t> ids;
    // Reads rowids until the statement ends (true) or fails (false).
    auto colhe = [&](Passos& q, int64_t* ultimo) {
        for (;;) {
            const int rc = q.passo();
            if (rc == SQLITE_ROW) {
                const int64_t v = sqlite3_column_int64(q.st(), 0);
                ids.insert(v);
                if (ultimo) *ultimo = v;
                continue;
            }
            return rc == SQLITE_DONE;
        }
    };

    Passos adiante(db, "SELECT rowid FROM Tabela NOT INDEXED WHERE rowid >= ?1 ORDER BY rowid");
    Passos sonda(db, "SELECT rowid FROM Tabela NOT INDEXED WHERE rowid >= ?1 ORDER BY rowid LIMIT 1");
    Passos atras(db, "SELECT rowid FROM Tabela NOT INDEXED WHERE rowid < ?1 AND rowid > ?2 ORDER BY rowid DESC");
    if (adiante.ok() && sonda.ok() && atras.ok()) {
        int64_t desde = INT64_MIN;
        for (int voltas = 0; voltas < 100000; ++voltas) {
            int64_t ultimo = desde == INT64_MIN ? INT64_MIN : desde - 1;
            adiante.reinicia();
            sqlite3_bind_int64(adiante.st(), 1, desde);
            if (colhe(adiante, &ultimo)) break;
            // Unreadable after `ultimo`: find the next key that can be reached.
            bool achou = false, fim = false;
            int64_t proximo = 0;
            for (int k = 0; k < 64 && !achou && !fim; ++k) {
                const uint64_t passo = uint64_t{1} << k;
                if (ultimo > INT64_MAX - static_cast<int64_t>(std::min<uint64_t>(passo, INT64_MAX))) break;
                sonda.reinicia();
                sqlite3_bind_int64(sonda.st(), 1, ultimo + static_cast<int64_t>(passo));
                const int rc = sonda.passo();
                if (rc == SQLITE_ROW) {
                    proximo = sqlite3_column_int64(sonda.st(), 0);
                    achou = true;
                } else if (rc == SQLITE_DONE) {
                    fim = true;
                }
            }
            if (!achou) break;
            // The rows just before the key found, back to the unreadable page.
            atras.reinicia();
            sqlite3_bind_int64(atras.st(), 1, proximo);
            sqlite3_bind_int64(atras.st(), 2, ultimo);
            colhe(atras, nullptr);
            desde = proximo;
        }
        Passos doFim(db, "SELECT rowid FROM Tabela NOT INDEXED ORDER BY rowid DESC");
        if (doFim.ok()) colhe(doFim, nullptr);
    }
    for (const auto& ind : indices) {
        Passos q(db, "SELECT rowid FROM Tabela INDEXED BY " + Aspas(ind));
        if (q.ok()) colhe(q, nullptr);
    }
    return ids;
}

struct Esquema {
    std::vector<std::string> ddl;  // tables first, then indexes
    std::string ddlTabela;
    std::vector<std::string> indices;
};

bool LeEsquema(sqlite3* db, Esquema& e) {
    Passos q(db,
             "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%' "
             "ORDER BY type = 'index'");
    if (!q.ok()) return false;
    int rc;
    while ((rc = q.passo()) == SQLITE_ROW) {
        const std::string tipo = reinterpret_cast<const char*>(sqlite3_column_text(q.st(), 0));
        const std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(q.st(), 1));
        const std::string tabela = reinterpret_cast<const char*>(sqlite3_column_text(q.st(), 2));
        const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(q.st(), 3));
        if (tipo != "table" && tipo != "index") continue;
        e.ddl.push_back(sql);
        if (tipo == "table" && nome == kTabelaInterna) e.ddlTabela = sql;
        if (tipo == "index" && tabela == kTabelaInterna) e.indices.push_back(nome);
    }
    return rc == SQLITE_DONE && !e.ddlTabela.empty();
}

void RemoveComJornal(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
    auto j = p;
    j += "-journal";
    fs::remove(j, ec);
}

void FsyncArquivo(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool EhTabelaDeTrabalho(const std::string& nome) {
    for (const char* t : {"check.db", "backup.db", "Rebuild.db", "keyviol.db", "problem.db"})
        if (IguaisSemCaixa(nome, t)) return true;
    return false;
}

std::vector<std::string> TabelasDaPasta(const fs::path& pasta) {
    std::vector<std::string> nomes;
    std::error_code ec;
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.empty() || nome[0] == '.' || !TerminaEmDb(nome) || EhTabelaDeTrabalho(nome)) continue;
        std::error_code ecTipo;
        if (!it->is_regular_file(ecTipo)) continue;
        nomes.push_back(nome);
    }
    if (ec) throw ErroES("Não foi possível ler a pasta " + pasta.string() + ": " + ec.message());
    std::sort(nomes.begin(), nomes.end(), [](const std::string& a, const std::string& b) {
        const int c = ComparaSemCaixa(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return nomes;
}

void CopiaArquivoTabela(const fs::path& origem, const fs::path& destino) {
    Conexao fonte(origem);  // fails on a file that holds no table
    std::unique_ptr<Conexao> alvo = Conexao::Cria(destino);
    try {
        // A new file that is renamed into place when whole: no journal needed.
        alvo->executa("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
        // One read transaction over the whole copy: a consistent snapshot.
        fonte.executa("BEGIN; SELECT count(*) FROM sqlite_master;");
        sqlite3_backup* b = sqlite3_backup_init(alvo->bruto(), "main", fonte.bruto(), "main");
        if (!b)
            throw ErroDoSqlite(sqlite3_extended_errcode(alvo->bruto()), sqlite3_errmsg(alvo->bruto()),
                               destino.string());
        const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEsperaMs);
        int rc;
        while (Ocupado(rc = sqlite3_backup_step(b, -1)) && std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sqlite3_backup_finish(b);
        if (rc != SQLITE_DONE) throw ErroDoSqlite(rc, sqlite3_errstr(rc), origem.string());
        fonte.executa("COMMIT");
    } catch (...) {
        alvo.reset();
        RemoveComJornal(destino);
        throw;
    }
}

Integridade VerificaArquivoTabela(const fs::path& arquivo) {
    Integridade r;
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) {
        r.estado = Integridade::Estado::Inacessivel;
        r.detalhe = "arquivo não encontrado";
        return r;
    }
    Arquivo a(arquivo);
    auto falha = [&](int rc) {
        const int base = rc & 0xFF;
        const bool inacessivel = Ocupado(rc) || base == SQLITE_CANTOPEN || base == SQLITE_PERM ||
                                 base == SQLITE_NOMEM || base == SQLITE_AUTH;
        r.estado = inacessivel ? Integridade::Estado::Inacessivel : Integridade::Estado::Danificada;
        r.detalhe = a.db() ? sqlite3_errmsg(a.db()) : sqlite3_errstr(rc);
        return r;
    };
    if (a.rc() != SQLITE_OK) return falha(a.rc());
    {
        Passos q(a.db(), "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'Tabela'");
        if (!q.ok()) return falha(q.rc());
        const int rc = q.passo();
        if (rc != SQLITE_ROW) return falha(rc);
        if (sqlite3_column_int(q.st(), 0) != 1) {
            r.estado = Integridade::Estado::Danificada;
            r.detalhe = "o arquivo não contém a tabela";
            return r;
        }
    }
    Passos q(a.db(), "PRAGMA integrity_check(1)");
    if (!q.ok()) return falha(q.rc());
    const int rc = q.passo();
    if (rc != SQLITE_ROW) return falha(rc);
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(q.st(), 0));
    const std::string texto = t ? t : "";
    if (texto != "ok") {
        r.estado = Integridade::Estado::Danificada;
        r.detalhe = texto;
    }
    return r;
}

ResultadoReconstrucao ReconstroiArquivoTabela(const fs::path& arquivo, const DefTabela* conhecida,
                                              const fs::path& pastaTrabalho) {
    ResultadoReconstrucao r;
    const fs::path pasta = arquivo.parent_path();
    const fs::path trabalho = pastaTrabalho.empty() ? pasta : pastaTrabalho;
    const fs::path novo = pasta / ("." + arquivo.filename().string() + ".reparando");
    RemoveComJornal(novo);
    try {
        Arquivo velho(arquivo);
        if (velho.rc() != SQLITE_OK) {
            r.mensagem = "Não foi possível abrir a tabela: " + velho.erro();
            return r;
        }
        Esquema esq;
        const bool esquemaLido = LeEsquema(velho.db(), esq);
        if (esquemaLido) {
            Arquivo n(novo, true);
            if (n.rc() != SQLITE_OK) throw ErroDoSqlite(n.rc(), n.erro(), novo.string());
            std::string sql = "BEGIN;\n";
            for (const auto& d : esq.ddl) sql += d + ";\n";
            n.exige(sql + "COMMIT;", novo);
        } else if (conhecida) {
            Banco b("", pasta);
            b.criaTabela(novo.filename().string(), *conhecida);
            for (const auto& ind : conhecida->indices) esq.indices.push_back(ind.primario ? "Primario" : ind.nome);
        } else {
            r.mensagem = "A estrutura da tabela não pode ser lida.";
            return r;
        }

        Arquivo n(novo);
        if (n.rc() != SQLITE_OK) throw ErroDoSqlite(n.rc(), n.erro(), novo.string());
        n.exige("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", novo);
        std::vector<std::string> colunas, autoinc;
        {
            Passos info(n.db(), "PRAGMA table_info(\"Tabela\")");
            while (info.passo() == SQLITE_ROW) {
                const std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(info.st(), 1));
                const auto* tipo = reinterpret_cast<const char*>(sqlite3_column_text(info.st(), 2));
                colunas.push_back(nome);
                if (tipo && IguaisSemCaixa(tipo, "AUTOINC")) autoinc.push_back(nome);
            }
        }
        std::string lista, marcas;
        for (size_t i = 0; i < colunas.size(); ++i) {
            lista += (i ? ", " : "") + Aspas(colunas[i]);
            marcas += ", ?" + std::to_string(i + 2);
        }
        const auto ids = NumerosDeLinhas(velho.db(), esq.indices);

        Passos le(velho.db(), "SELECT " + lista + " FROM Tabela NOT INDEXED WHERE rowid = ?1");
        Passos grava(n.db(), "INSERT INTO Tabela(rowid, " + lista + ") VALUES(?1" + marcas + ")");
        if (!grava.ok()) throw ErroDoSqlite(grava.rc(), n.erro(), novo.string());
        n.exige("BEGIN", novo);
        if (le.ok()) {
            for (const int64_t id : ids) {
                le.reinicia();
                sqlite3_bind_int64(le.st(), 1, id);
                const int rc = le.passo();
                if (rc == SQLITE_DONE) continue;
                if (rc != SQLITE_ROW) {
                    ++r.perdidas;
                    continue;
                }
                grava.reinicia();
                sqlite3_bind_int64(grava.st(), 1, id);
                for (int i = 0; i < static_cast<int>(colunas.size()); ++i)
                    sqlite3_bind_value(grava.st(), i + 2, sqlite3_column_value(le.st(), i));
                const int rg = grava.passo();
                if (rg == SQLITE_DONE) {
                    ++r.linhas;
                } else if ((rg & 0xFF) == SQLITE_CONSTRAINT) {
                    ++r.violacoes;  // written to the key-violation table below
                } else {
                    throw ErroDoSqlite(sqlite3_extended_errcode(n.db()), n.erro(), novo.string());
                }
            }
        } else {
            r.perdidas = ids.size();
        }
        // Counters: never below what the old file had nor below the rows kept.
        {
            Passos contadores(velho.db(), "SELECT campo, ultimo FROM korva_autoinc");
            Passos poe(n.db(), "INSERT OR REPLACE INTO korva_autoinc(campo, ultimo) VALUES(?1, ?2)");
            if (contadores.ok() && poe.ok())
                while (contadores.passo() == SQLITE_ROW) {
                    poe.reinicia();
                    sqlite3_bind_value(poe.st(), 1, sqlite3_column_value(contadores.st(), 0));
                    sqlite3_bind_value(poe.st(), 2, sqlite3_column_value(contadores.st(), 1));
                    poe.passo();
                }
            for (const auto& c : autoinc) {
                n.exige("INSERT OR IGNORE INTO korva_autoinc(campo, ultimo) VALUES('" + c + "', 0)", novo);
                n.exige("UPDATE korva_autoinc SET ultimo = max(ultimo, (SELECT coalesce(max(" + Aspas(c) +
                            "), 0) FROM Tabela)) WHERE campo = '" + c + "'",
                        novo);
            }
        }
        n.exige("COMMIT", novo);
        if (r.violacoes > 0) {
            // The rejected rows: read again into a table without indexes.
            const fs::path kv = trabalho / kArquivoViolacoesChave;
            RemoveComJornal(kv);
            Arquivo k(kv, true);
            k.exige(esq.ddlTabela.empty() ? "CREATE TABLE Tabela(x)" : esq.ddlTabela, kv);
            k.exige("CREATE TABLE korva_autoinc(campo TEXT PRIMARY KEY, ultimo INTEGER NOT NULL)", kv);
            k.exige("ATTACH DATABASE " + std::string("'") + novo.string() + "' AS novo", kv);
            Passos poe(k.db(), "INSERT INTO Tabela(rowid, " + lista + ") VALUES(?1" + marcas + ")");
            Passos existe(k.db(), "SELECT 1 FROM novo.Tabela WHERE rowid = ?1");
            k.exige("BEGIN", kv);
            for (const int64_t id : ids) {
                existe.reinicia();
                sqlite3_bind_int64(existe.st(), 1, id);
                if (existe.passo() == SQLITE_ROW) continue;
                le.reinicia();
                sqlite3_bind_int64(le.st(), 1, id);
                if (le.passo() != SQLITE_ROW) continue;
                poe.reinicia();
                sqlite3_bind_int64(poe.st(), 1, id);
                for (int i = 0; i < static_cast<int>(colunas.size()); ++i)
                    sqlite3_bind_value(poe.st(), i + 2, sqlite3_column_value(le.st(), i));
                poe.passo();
            }
            k.exige("COMMIT; DETACH DATABASE novo", kv);
        }
    } catch (const std::exception& e) {
        RemoveComJornal(novo);
        r.mensagem = e.what();
        return r;
    }
    FsyncArquivo(novo);
    // The damaged file is kept as the rebuild's copy; the new one takes its place.
    std::error_code ec;
    const fs::path copia = trabalho / kArquivoCopiaReparacao;
    RemoveComJornal(copia);
    try {
        RenomeiaComJornal(arquivo, copia);
    } catch (const std::exception&) {
        fs::copy_file(arquivo, copia, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            RemoveComJornal(novo);
            r.mensagem = "Não foi possível guardar a cópia da tabela danificada: " + ec.message();
            return r;
        }
    }
    fs::rename(novo, arquivo, ec);
    if (ec) {
        // Put the damaged file back rather than leave the table missing.
        std::error_code ec2;
        if (!fs::exists(arquivo, ec2)) fs::copy_file(copia, arquivo, ec2);
        RemoveComJornal(novo);
        r.mensagem = "Não foi possível gravar a tabela reconstruída: " + ec.message();
        return r;
    }
    r.sucesso = true;
    return r;
}

void AssentaArquivoTabela(const fs::path& arquivo) {
    Arquivo a(arquivo);
    if (a.rc() != SQLITE_OK) return;
    const int rc = a.executa("BEGIN IMMEDIATE");
    if (Ocupado(rc) || (rc & 0xFF) == SQLITE_BUSY)
        throw ErroBanco(CodigoBanco::TabelaEmUso, "Tabela em uso por outro usuário: " + arquivo.filename().string());
    a.executa("ROLLBACK");
}

void SincronizaDisco(const fs::path& caminho) {
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::syncfs(fd);
    ::close(fd);
}

void RenomeiaComJornal(const fs::path& de, const fs::path& para) {
    std::error_code ec;
    auto jornalDe = de, jornalPara = para;
    jornalDe += "-journal";
    jornalPara += "-journal";
    // A journal left beside the destination would be played back over the new file.
    fs::remove(jornalPara, ec);
    fs::rename(de, para, ec);
    if (ec) throw ErroES("Não foi possível mover " + de.string() + " para " + para.string() + ": " + ec.message());
    if (fs::exists(jornalDe, ec)) fs::rename(jornalDe, jornalPara, ec);
}

}  // namespace korva
