#pragma once
// Pieces shared by the period rows (table A) and the month rows (table B):
// the month and year entry checks, year normalisation, the small value tests
// and the remembered row of the copy keys F3/F4.
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/Valor.h"

namespace korva {

class Tabela;
class VerbasCatalogo;

// A field as a whole number; empty counts as 0.
int InteiroOuZero(const Valor& v);
// Empty, blank text, false or the number 0.
bool ZeroOuVazio(const Valor& v);
// Items whose code ends in 0 carry a difference mode ("Z" or "C").
inline bool TerminaEmZero(int item) { return item % 10 == 0; }

// The fixed items 1, 2, 3, 4, 997, 998, 999, always factor rows ("F").
inline bool ItemFixo(int item) { return (item >= 1 && item <= 4) || item == 997 || item == 998 || item == 999; }

// Raises a flag for the life of a block, restoring it however the block ends.
struct Bandeira {
    bool& b;
    bool antes;
    explicit Bandeira(bool& f) : b(f), antes(f) { b = true; }
    ~Bandeira() { b = antes; }
    Bandeira(const Bandeira&) = delete;
    Bandeira& operator=(const Bandeira&) = delete;
};

// Month fields accept 0..12 ("Mes inválido!"); year fields 0..9999 after the
// century is added to a two-digit year ("Ano inválido!"), and are stored with
// their century.
void LigaMesesEAnos(Tabela& t, std::initializer_list<const char*> meses, std::initializer_list<const char*> anos);
// The years that hold a value, with their century.
void NormalizaAnos(Tabela& t, std::initializer_list<const char*> anos);

// `VFM`, `Diferenca` and `INSS` are stored in capitals; `VFM` must satisfy
// `vfmValido` and `Diferenca` be "Z", "C" or empty ("Valor Inválido para o
// Campo!"); `aoMudarVfm` runs after each change of VFM. A divisor of
// magnitude 0.5 or less is refused ("ERRO! Divisor não pode ser zero.").
void LigaLetrasEDivisor(Tabela& t, std::function<bool(const std::string&)> vfmValido,
                        std::function<void()> aoMudarVfm);

// After the row's Item or VFM changes: the required fields become `novos`
// (kept when nullopt); in edit or insert state a fixed item turns "F"; an
// item ending in 0 requires Diferenca and, in edit state, gets "Z", any other
// item has it emptied.
void AplicaItemEVfm(Tabela& t, std::vector<std::string>& obrigatorios,
                    const std::optional<std::vector<std::string>>& novos);

// Entry of `novo` into `campo` (Item, Base or ItemMedia): the item may be
// neither its base (`msgIgualBase` of the item code) nor its averaged item,
// and the code must exist in the catalogue.
void ValidaItens(const Tabela& t, const std::string& campo, const Valor& novo, VerbasCatalogo& catalogo,
                 const std::function<std::string(int item)>& msgIgualBase);

// A row kept by the copy keys, field by field.
using LinhaLembrada = std::map<std::string, Valor>;
// Every field of the current row except the excluded ones.
LinhaLembrada LeLinha(const Tabela& t, std::initializer_list<const char*> excluidos);
// F4: every remembered field into the row; those for which `comoEsta` holds
// are copied as they are, the others only when not zero or empty.
void CopiaLinhaLembrada(Tabela& t, const LinhaLembrada& linha,
                        const std::function<bool(const std::string&)>& comoEsta);
// F3: one remembered field, only when not zero or empty. False when nothing was copied.
bool CopiaCampoLembrado(Tabela& t, const LinhaLembrada& linha, const std::string& campo);

}  // namespace korva
