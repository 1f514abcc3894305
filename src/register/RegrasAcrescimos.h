#pragma once
// Entry and store rules of an additions table: the Acrescimos table (E) of a
// calculation and the default additions DefAcrescimos.DB follow the same ones.
#include <string>

#include "util/Erros.h"

namespace korva {

class Tabela;

// A refused field that the grid should move to (the column named by `campo`).
class ErroCampo : public ErroKorva {
public:
    ErroCampo(const std::string& texto, std::string campo) : ErroKorva(texto), campo_(std::move(campo)) {}
    const std::string& campo() const { return campo_; }

private:
    std::string campo_;
};

// Attaches to an open additions dataset:
// - `Tipo` turned to capitals, only "V" or "P" ("Valor Inválido para o Campo!");
// - limits not negative ("Valor inválido para o campo!") and, when both are
//   above 0, the maximum not below the minimum;
// - before storing: a row that is not "P" gets both limits 0 and must have a
//   `DtBase` (ErroCampo on "DtBase"); a "P" row has its `DtBase` cleared and an
//   empty limit stored as 0 (no limit).
void AplicaRegrasAcrescimos(Tabela& acrescimos);

// The first column a new addition row puts the cursor in.
inline constexpr const char* PrimeiraColunaAcrescimos = "Descricao";

}  // namespace korva
