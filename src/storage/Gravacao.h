#pragma once
// Writing rows into a table file: numbering of autoincrement fields and the
// insert, update and delete statements shared by datasets and bulk copies.
#include <cstdint>
#include <functional>
#include <vector>

#include "storage/Conexao.h"
#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

class Banco;

// Runs fn inside the database's open transaction, or in a transaction of its
// own on that file when none is open.
template <class F>
void NaTransacao(Banco& banco, const std::shared_ptr<Conexao>& c, F&& fn);

// Inserts a row (values in field order). Autoincrement fields left empty get
// the next number; a given number moves the counter past it. Returns the rowid.
int64_t InsereLinha(Conexao& c, const DefTabela& def, std::vector<Valor>& valores);
// Updates the row if it still holds `antigos`; fails with "record changed by
// another user" otherwise.
void AtualizaLinha(Conexao& c, const DefTabela& def, int64_t rowid, const std::vector<Valor>& antigos,
                   const std::vector<Valor>& novos);
void ExcluiLinha(Conexao& c, int64_t rowid);
// Reads every row of the table (rowid, then the fields in order).
void LeLinhas(Conexao& c, const DefTabela& def,
              const std::function<void(int64_t, std::vector<Valor>&&)>& recebe);

}  // namespace korva

#include "storage/Banco.h"

namespace korva {

template <class F>
void NaTransacao(Banco& banco, const std::shared_ptr<Conexao>& c, F&& fn) {
    if (banco.emTransacao() || c->emTransacao()) {
        banco.participa(c);
        fn();
        return;
    }
    c->inicia();
    try {
        fn();
        c->confirma();
    } catch (...) {
        c->desfaz();
        throw;
    }
}

}  // namespace korva
