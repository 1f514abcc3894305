#include "storage/Conexao.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

#include "util/Texto.h"

namespace korva {
namespace {

constexpr int kEsperaOcupadoMs = 5000;

int Colacao(void*, int n1, const void* p1, int n2, const void* p2) {
    return ComparaSemCaixa(std::string_view(static_cast<const char*>(p1), n1),
                           std::string_view(static_cast<const char*>(p2), n2));
}

}  // namespace

void RegistraColacao(sqlite3* db) {
    sqlite3_create_collation(db, kColacaoSemCaixa, SQLITE_UTF8, nullptr, Colacao);
}

std::string Aspas(const std::string& id) {
    std::string r = "\"";
    for (char c : id) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

namespace {

bool CaractereDeNome(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }

bool NomeDeTabelaPropria(std::string_view nome) {
    return IguaisSemCaixa(nome, kTabelaInterna) || IguaisSemCaixa(nome, kTabelaAutoinc);
}

}  // namespace

std::string QualificaTabelas(const std::string& sql, const std::string& esquema) {
    const std::string prefixo = Aspas(esquema) + ".";
    std::string r;
    r.reserve(sql.size() + 4 * prefixo.size());
    char anterior = 0;  // last character copied that is not blank
    size_t i = 0;
    const size_t n = sql.size();
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' ) {  // string literal, '' inside
            size_t j = i + 1;
            while (j < n) {
                if (sql[j] == '\'') {
                    if (j + 1 < n && sql[j + 1] == '\'') { j += 2; continue; }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, n);
            r.append(sql, i, j - i);
            anterior = '\'';
            i = j;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {  // comment to the end of the line
            size_t j = sql.find('\n', i);
            if (j == std::string::npos) j = n;
            r.append(sql, i, j - i);
            i = j;
        } else if (c == '"' || c == '[' || c == '`') {  // quoted name
            const char fecho = c == '[' ? ']' : c;
            size_t j = i + 1;
            while (j < n) {
                if (sql[j] == fecho) {
                    if (fecho != ']' && j + 1 < n && sql[j + 1] == fecho) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            const std::string_view dentro(sql.data() + i + 1, std::min(j, n) - i - 1);
            j = std::min(j + 1, n);
            if (anterior != '.' && NomeDeTabelaPropria(dentro)) r += prefixo;
            r.append(sql, i, j - i);
            anterior = fecho;
            i = j;
        } else if (CaractereDeNome(c) && !std::isdigit(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < n && CaractereDeNome(sql[j])) ++j;
            const std::string_view palavra(sql.data() + i, j - i);
            if (anterior != '.' && anterior != ':' && anterior != '@' && anterior != '$' &&
                NomeDeTabelaPropria(palavra))
                r += prefixo;
            r.append(palavra);
            anterior = 'a';
            i = j;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < n && CaractereDeNome(sql[j])) ++j;
            r.append(sql, i, j - i);
            anterior = '0';
            i = j;
        } else {
            r += c;
            if (!std::isspace(static_cast<unsigned char>(c))) anterior = c;
            ++i;
        }
    }
    return r;
}

std::string TipoSql(const DefCampo& c) {
    switch (c.tipo) {
        case TipoCampo::Smallint: return "SMALLINT";
        case TipoCampo::Integer: return "INTEGER";
        case TipoCampo::Autoinc: return "AUTOINC";
        case TipoCampo::Float: return "FLOAT";
        case TipoCampo::String: return "VARCHAR(" + std::to_string(c.tamanho) + ")";
        case TipoCampo::Date: return "DATE";
        case TipoCampo::Time: return "TIME";
        case TipoCampo::Boolean: return "BOOLEAN";
        case TipoCampo::Memo: return "MEMO";
    }
    return "TEXT";
}

DefCampo CampoDoTipoSql(const std::string& nome, const std::string& tipoSql, bool obrigatorio) {
    const std::string t = Maiusculas(tipoSql);
    DefCampo c{nome, TipoCampo::Memo, 0, obrigatorio};
    if (t == "SMALLINT") c.tipo = TipoCampo::Smallint;
    else if (t == "INTEGER") c.tipo = TipoCampo::Integer;
    else if (t == "AUTOINC") c.tipo = TipoCampo::Autoinc;
    else if (t == "FLOAT") c.tipo = TipoCampo::Float;
    else if (t.rfind("VARCHAR(", 0) == 0) {
        c.tipo = TipoCampo::String;
        c.tamanho = std::atoi(t.c_str() + 8);
    } else if (t == "DATE") c.tipo = TipoCampo::Date;
    else if (t == "TIME") c.tipo = TipoCampo::Time;
    else if (t == "BOOLEAN") c.tipo = TipoCampo::Boolean;
    return c;
}

ErroBanco ErroDoSqlite(int rc, const std::string& mensagem, const std::string& contexto) {
    int codigo = CodigoBanco::Geral;
    std::string texto;
    switch (rc & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            codigo = CodigoBanco::RegistroBloqueado;
            texto = "Tabela bloqueada por outro usuário";
            break;
        case SQLITE_CONSTRAINT:
            if (rc == SQLITE_CONSTRAINT_NOTNULL) {
                codigo = CodigoBanco::CampoObrigatorio;
                texto = "Campo obrigatório não preenchido";
            } else if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) {
                codigo = CodigoBanco::ChaveDuplicada;
                texto = "Chave duplicada";
            } else {
                codigo = CodigoBanco::AcimaDoMaximo;
                texto = "Valor fora da faixa";
            }
            break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            codigo = CodigoBanco::TabelaCorrompida;
            texto = "Tabela corrompida ou não é uma tabela";
            break;
        case SQLITE_CANTOPEN:
            codigo = CodigoBanco::ArquivoNaoEncontrado;
            texto = "Não foi possível abrir a tabela";
            break;
        case SQLITE_PERM:
        case SQLITE_READONLY:
        case SQLITE_AUTH:
            codigo = CodigoBanco::SemPermissao;
            texto = "Sem permissão de gravação";
            break;
        case SQLITE_IOERR:
        case SQLITE_FULL:
            codigo = CodigoBanco::ErroDeES;
            texto = "Erro de leitura ou gravação no disco";
            break;
        default:
            texto = "Erro do banco de dados";
    }
    std::string completo = texto;
    if (!contexto.empty()) completo += ": " + contexto;
    if (!mensagem.empty()) completo += " (" + mensagem + ")";
    return ErroBanco(codigo, completo);
}

Conexao::Conexao(const std::filesystem::path& arquivo, bool somenteLeitura)
    : arquivo_(arquivo), somenteLeitura_(somenteLeitura) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado, "Tabela não encontrada: " + arquivo.string());
    const int flags = (somenteLeitura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(arquivo.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : "";
        sqlite3_close(db_);
        db_ = nullptr;
        throw ErroDoSqlite(rc, msg, arquivo.string());
    }
    configura();
    // A file that is not a table file shows up on the first read.
    auto c = prepara("SELECT count(*) FROM sqlite_master WHERE name='Tabela'");
    if (!c.passo() || c.coluna(0).comoInteiro() != 1)
        throw ErroBanco(CodigoBanco::TabelaCorrompida, "O arquivo não contém uma tabela: " + arquivo.string());
}

std::unique_ptr<Conexao> Conexao::Cria(const std::filesystem::path& arquivo) {
    std::unique_ptr<Conexao> c(new Conexao());
    c->arquivo_ = arquivo;
    const int rc = sqlite3_open_v2(arquivo.c_str(), &c->db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = c->db_ ? sqlite3_errmsg(c->db_) : "";
        throw ErroDoSqlite(rc, msg, arquivo.string());
    }
    c->configura();
    return c;
}

bool Conexao::mesmoArquivo() const {
    struct stat st {};
    if (::stat(arquivo_.c_str(), &st) != 0) return false;
    return static_cast<uint64_t>(st.st_ino) == inode_ && static_cast<uint64_t>(st.st_dev) == dispositivo_;
}

void Conexao::configura() {
    struct stat st {};
    if (::stat(arquivo_.c_str(), &st) == 0) {
        inode_ = st.st_ino;
        dispositivo_ = st.st_dev;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kEsperaOcupadoMs);
    RegistraColacao(db_);
}

Conexao::~Conexao() {
    for (auto& [sql, stmt] : guardadosHub_) sqlite3_finalize(stmt);
    for (auto& [sql, stmt] : guardados_) sqlite3_finalize(stmt);
    if (db_) {
        if (emTransacao_ && !hub_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
}

void Conexao::falha(int rc, const std::string& contexto) const {
    sqlite3* h = bruto();
    throw ErroDoSqlite(sqlite3_extended_errcode(h) ? sqlite3_extended_errcode(h) : rc, sqlite3_errmsg(h),
                       contexto.empty() ? arquivo_.filename().string() : contexto);
}

void Conexao::executa(const std::string& sql) {
    sqlite3* h = bruto();
    const std::string texto = hub_ ? QualificaTabelas(sql, esquema_) : sql;
    char* erro = nullptr;
    const int rc = sqlite3_exec(h, texto.c_str(), nullptr, nullptr, &erro);
    if (rc != SQLITE_OK) {
        std::string msg = erro ? erro : "";
        sqlite3_free(erro);
        throw ErroDoSqlite(sqlite3_extended_errcode(h), msg, arquivo_.filename().string());
    }
}

Comando Conexao::prepara(const std::string& sql) {
    if (hub_) {
        const std::string texto = QualificaTabelas(sql, esquema_);
        sqlite3_stmt* s = nullptr;
        const int rc = sqlite3_prepare_v2(hub_, texto.c_str(), static_cast<int>(texto.size()), &s, nullptr);
        if (rc != SQLITE_OK) falha(rc, arquivo_.filename().string());
        return Comando(*this, s);
    }
    sqlite3_stmt* s = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &s, nullptr);
    if (rc != SQLITE_OK) falha(rc, arquivo_.filename().string());
    return Comando(*this, s);
}

Comando Conexao::preparaGuardado(const std::string& sql) {
    auto& cache = hub_ ? guardadosHub_ : guardados_;
    auto it = cache.find(sql);
    if (it == cache.end()) {
        const std::string texto = hub_ ? QualificaTabelas(sql, esquema_) : sql;
        sqlite3_stmt* s = nullptr;
        const int rc = sqlite3_prepare_v3(bruto(), texto.c_str(), static_cast<int>(texto.size()),
                                          SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        if (rc != SQLITE_OK) falha(rc, arquivo_.filename().string());
        it = cache.emplace(sql, s).first;
    }
    return Comando(*this, it->second, true);
}

void Conexao::criaVisao(const std::string& nome) {
    auto& visoes = hub_ ? visoesHub_ : visoes_;
    for (const auto& v : visoes)
        if (v == nome) return;
    // On a joined transaction the view lives on its handle until this file
    // leaves it, and "Tabela" is qualified with the file's schema there.
    executa("DROP VIEW IF EXISTS temp." + Aspas(nome) + "; CREATE TEMP VIEW " + Aspas(nome) +
            " AS SELECT * FROM Tabela");
    visoes.push_back(nome);
}

int64_t Conexao::ultimoRowid() const { return sqlite3_last_insert_rowid(bruto()); }
int Conexao::alteradas() const { return sqlite3_changes(bruto()); }

void Conexao::inicia() {
    if (emTransacao_) return;
    executa("BEGIN IMMEDIATE");
    emTransacao_ = true;
}

void Conexao::confirma() {
    if (!emTransacao_ || hub_) return;
    executa("COMMIT");
    emTransacao_ = false;
}

void Conexao::desfaz() {
    if (!emTransacao_ || hub_) return;
    emTransacao_ = false;
    ++geracao_;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Conexao::entraEm(Conexao& hub, const std::string& esquema) {
    hub_ = hub.db_;
    esquema_ = esquema;
    emTransacao_ = true;
}

void Conexao::saiDe(bool desfeita) {
    if (!hub_) return;
    for (auto& [sql, stmt] : guardadosHub_) sqlite3_finalize(stmt);
    guardadosHub_.clear();
    for (const auto& v : visoesHub_) {
        const std::string sql = "DROP VIEW IF EXISTS temp." + Aspas(v);
        sqlite3_exec(hub_, sql.c_str(), nullptr, nullptr, nullptr);
    }
    visoesHub_.clear();
    hub_ = nullptr;
    esquema_ = "main";
    emTransacao_ = false;
    if (desfeita) ++geracao_;
}

const DefTabela& Conexao::definicao() {
    if (definicao_) return *definicao_;
    // Read on this file's own handle: the structure does not change inside a
    // transaction, and the file may be attached to another handle meanwhile.
    sqlite3* const hub = hub_;
    hub_ = nullptr;
    struct Restaura {
        Conexao& c;
        sqlite3* h;
        ~Restaura() { c.hub_ = h; }
    } restaura{*this, hub};
    auto def = std::make_unique<DefTabela>();
    {
        auto c = prepara("PRAGMA table_info(\"Tabela\")");
        while (c.passo())
            def->campos.push_back(CampoDoTipoSql(c.coluna(1).comoTexto(), c.coluna(2).comoTexto(),
                                                 c.coluna(3).comoInteiro() != 0));
    }
    {
        auto lista = prepara("PRAGMA index_list(\"Tabela\")");
        std::vector<std::pair<std::string, bool>> nomes;
        while (lista.passo()) {
            const std::string origem = lista.coluna(3).comoTexto();
            if (origem != "c") continue;  // only indexes we created
            nomes.emplace_back(lista.coluna(1).comoTexto(), lista.coluna(2).comoInteiro() != 0);
        }
        for (const auto& [nome, unico] : nomes) {
            DefIndice ind;
            ind.primario = IguaisSemCaixa(nome, "Primario");
            ind.nome = ind.primario ? "" : nome;
            ind.unico = unico;
            auto info = prepara("PRAGMA index_xinfo(" + Aspas(nome) + ")");
            while (info.passo()) {
                if (info.coluna(5).comoInteiro() == 0) continue;  // key columns only
                ind.campos.push_back(info.coluna(2).comoTexto());
                if (info.coluna(3).comoInteiro()) ind.descendente = true;
                if (IguaisSemCaixa(info.coluna(4).comoTexto(), kColacaoSemCaixa)) ind.semCaixa = true;
            }
            def->indices.push_back(std::move(ind));
        }
        // Primary index first, as declared.
        std::stable_partition(def->indices.begin(), def->indices.end(),
                              [](const DefIndice& i) { return i.primario; });
    }
    definicao_ = std::move(def);
    return *definicao_;
}

Comando::~Comando() {
    if (!stmt_) return;
    if (guardado_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    } else {
        sqlite3_finalize(stmt_);
    }
}

void Comando::liga(int pos, const Valor& v, TipoCampo tipo) {
    int rc = SQLITE_OK;
    if (v.nulo()) {
        rc = sqlite3_bind_null(stmt_, pos);
    } else {
        switch (tipo) {
            case TipoCampo::Smallint:
            case TipoCampo::Integer:
            case TipoCampo::Autoinc:
            case TipoCampo::Boolean:
                rc = sqlite3_bind_int64(stmt_, pos, tipo == TipoCampo::Boolean ? (v.comoLogico() ? 1 : 0) : v.comoInteiro());
                break;
            case TipoCampo::Float:
            case TipoCampo::Time:
                rc = sqlite3_bind_double(stmt_, pos, v.comoNumero());
                break;
            case TipoCampo::Date: {
                const std::string s = v.comoData().iso();
                rc = sqlite3_bind_text(stmt_, pos, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
                break;
            }
            case TipoCampo::String:
            case TipoCampo::Memo: {
                const std::string s = v.comoTexto();
                rc = sqlite3_bind_text(stmt_, pos, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
                break;
            }
        }
    }
    if (rc != SQLITE_OK) conexao_->falha(rc, "");
}

void Comando::liga(int pos, const Valor& v) {
    if (v.nulo()) liga(pos, v, TipoCampo::String);
    else if (v.ehInteiro()) liga(pos, v, TipoCampo::Integer);
    else if (v.ehNumero()) liga(pos, v, TipoCampo::Float);
    else if (v.ehData()) liga(pos, v, TipoCampo::Date);
    else if (v.ehLogico()) liga(pos, v, TipoCampo::Boolean);
    else liga(pos, v, TipoCampo::String);
}

void Comando::liga(const std::string& nome, const Valor& v) {
    std::string n = nome;
    if (n.empty() || (n[0] != ':' && n[0] != '@' && n[0] != '$')) n = ":" + n;
    const int pos = sqlite3_bind_parameter_index(stmt_, n.c_str());
    if (pos == 0) throw ErroKorva("Parâmetro desconhecido na instrução: " + nome);
    liga(pos, v);
}

bool Comando::passo() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    conexao_->falha(rc, "");
}

void Comando::reinicia() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Comando::colunas() const { return sqlite3_column_count(stmt_); }
std::string Comando::nomeColuna(int i) const {
    const char* n = sqlite3_column_name(stmt_, i);
    return n ? n : "";
}

Valor Comando::coluna(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_NULL: return {};
        case SQLITE_INTEGER: return Valor(static_cast<int64_t>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT: return Valor(sqlite3_column_double(stmt_, i));
        default: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
            return Valor(std::string(p ? p : "", sqlite3_column_bytes(stmt_, i)));
        }
    }
}

Valor Comando::coluna(int i, TipoCampo tipo) const {
    if (sqlite3_column_type(stmt_, i) == SQLITE_NULL) return {};
    switch (tipo) {
        case TipoCampo::Smallint:
        case TipoCampo::Integer:
        case TipoCampo::Autoinc:
            return Valor(static_cast<int64_t>(sqlite3_column_int64(stmt_, i)));
        case TipoCampo::Float:
        case TipoCampo::Time:
            return Valor(sqlite3_column_double(stmt_, i));
        case TipoCampo::Boolean:
            return Valor(sqlite3_column_int64(stmt_, i) != 0);
        case TipoCampo::Date: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
            auto d = Data::lerISO(p ? p : "");
            return d ? Valor(*d) : Valor();
        }
        case TipoCampo::String:
        case TipoCampo::Memo:
            break;
    }
    return coluna(i);
}

}  // namespace korva
