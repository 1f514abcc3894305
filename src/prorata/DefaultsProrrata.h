#pragma once
// The defaults for new pro-rata records: the single row of DefProrrata.db and
// the default additions DefAcrescProrrata.DB, as datasets with the rules of
// their dialog attached.
#include "storage/Tabela.h"

namespace korva {

class Banco;

class DefaultsProrrata {
public:
    static constexpr const char* MensagemDanificada =
        "Tabela de Parâmetros de processos danificada. Contate a Manutenção!";

    explicit DefaultsProrrata(Banco& privado);
    ~DefaultsProrrata();
    DefaultsProrrata(const DefaultsProrrata&) = delete;
    DefaultsProrrata& operator=(const DefaultsProrrata&) = delete;

    // Opens both tables. An empty DefProrrata.db gets a new, unsaved row; one
    // holding more than one row fails with MensagemDanificada and leaves both
    // tables closed and unchanged.
    void abre();
    // Refused with "Antes de fechar o formulário, cancele ou confirme a
    // operação" while either table has a row edited or inserted; otherwise
    // closes both.
    void fecha();

    Tabela& padrao() { return padrao_; }
    Tabela& acrescimos() { return acrescimos_; }

private:
    Tabela padrao_;
    Tabela acrescimos_;
};

}  // namespace korva
