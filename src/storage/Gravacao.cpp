#include "storage/Gravacao.h"

#include <functional>

namespace korva {
namespace {

int64_t ProximoAutoinc(Conexao& c, const std::string& campo, const Valor& dado) {
    if (!dado.nulo()) {
        auto u = c.preparaGuardado("UPDATE korva_autoinc SET ultimo=max(ultimo, ?1) WHERE campo=?2");
        u.liga(1, dado, TipoCampo::Integer);
        u.liga(2, Valor(campo), TipoCampo::String);
        u.executa();
        return dado.comoInteiro();
    }
    auto u = c.preparaGuardado("UPDATE korva_autoinc SET ultimo=ultimo+1 WHERE campo=?1 RETURNING ultimo");
    u.liga(1, Valor(campo), TipoCampo::String);
    if (u.passo()) {
        const int64_t r = u.coluna(0).comoInteiro();
        u.executa();
        return r;
    }
    // A table without a counter row (built elsewhere): start after the largest value.
    auto m = c.prepara("SELECT coalesce(max(" + Aspas(campo) + "),0)+1 FROM Tabela");
    m.passo();
    const int64_t r = m.coluna(0).comoInteiro();
    auto i = c.prepara("INSERT OR REPLACE INTO korva_autoinc(campo, ultimo) VALUES(?1, ?2)");
    i.liga(1, Valor(campo), TipoCampo::String);
    i.liga(2, Valor(r), TipoCampo::Integer);
    i.executa();
    return r;
}

}  // namespace

int64_t InsereLinha(Conexao& c, const DefTabela& def, std::vector<Valor>& valores) {
    std::string sql = "INSERT INTO Tabela(";
    std::string marcas;
    for (size_t i = 0; i < def.campos.size(); ++i) {
        if (i) { sql += ','; marcas += ','; }
        sql += Aspas(def.campos[i].nome);
        marcas += '?';
    }
    sql += ") VALUES(" + marcas + ")";
    for (size_t i = 0; i < def.campos.size(); ++i)
        if (def.campos[i].tipo == TipoCampo::Autoinc)
            valores[i] = Valor(ProximoAutoinc(c, def.campos[i].nome, valores[i]));
    auto cmd = c.preparaGuardado(sql);
    for (size_t i = 0; i < def.campos.size(); ++i) cmd.liga(static_cast<int>(i + 1), valores[i], def.campos[i].tipo);
    cmd.executa();
    return c.ultimoRowid();
}

void AtualizaLinha(Conexao& c, const DefTabela& def, int64_t rowid, const std::vector<Valor>& antigos,
                   const std::vector<Valor>& novos) {
    std::string sql = "UPDATE Tabela SET ";
    std::string onde = " WHERE rowid=?";
    int n = 0;
    for (size_t i = 0; i < def.campos.size(); ++i) {
        if (n++) sql += ',';
        sql += Aspas(def.campos[i].nome) + "=?";
    }
    for (size_t i = 0; i < def.campos.size(); ++i) onde += " AND " + Aspas(def.campos[i].nome) + " IS ?";
    auto cmd = c.preparaGuardado(sql + onde);
    int p = 1;
    for (size_t i = 0; i < def.campos.size(); ++i) cmd.liga(p++, novos[i], def.campos[i].tipo);
    cmd.liga(p++, Valor(rowid), TipoCampo::Integer);
    for (size_t i = 0; i < def.campos.size(); ++i) cmd.liga(p++, antigos[i], def.campos[i].tipo);
    cmd.executa();
    if (c.alteradas() == 0)
        throw ErroBanco(CodigoBanco::RegistroAlterado,
                        "O registro foi alterado ou excluído por outro usuário: " + c.arquivo().filename().string());
}

void ExcluiLinha(Conexao& c, int64_t rowid) {
    auto cmd = c.preparaGuardado("DELETE FROM Tabela WHERE rowid=?1");
    cmd.liga(1, Valor(rowid), TipoCampo::Integer);
    cmd.executa();
    if (c.alteradas() == 0)
        throw ErroBanco(CodigoBanco::RegistroAlterado,
                        "O registro foi excluído por outro usuário: " + c.arquivo().filename().string());
}

void LeLinhas(Conexao& c, const DefTabela& def, const std::function<void(int64_t, std::vector<Valor>&&)>& recebe) {
    std::string sql = "SELECT rowid";
    for (const auto& f : def.campos) sql += "," + Aspas(f.nome);
    sql += " FROM Tabela";
    auto cmd = c.prepara(sql);
    while (cmd.passo()) {
        std::vector<Valor> v;
        v.reserve(def.campos.size());
        for (size_t i = 0; i < def.campos.size(); ++i) v.push_back(cmd.coluna(static_cast<int>(i + 1), def.campos[i].tipo));
        recebe(cmd.coluna(0).comoInteiro(), std::move(v));
    }
}

}  // namespace korva
