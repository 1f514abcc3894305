#pragma once
// The defaults for new calculations: the single row of DefProcesso.DB and the
// default additions DefAcrescimos.DB, as datasets with the rules of their
// dialog attached.
#include <memory>
#include <string>
#include <vector>

#include "storage/Tabela.h"

namespace korva {

class Banco;

class DefaultsProcesso {
public:
    static constexpr const char* MensagemDanificada =
        "Tabela de Parâmetros de processos danificada. Contate a Manutenção!";

    explicit DefaultsProcesso(Banco& privado);
    ~DefaultsProcesso();
    DefaultsProcesso(const DefaultsProcesso&) = delete;
    DefaultsProcesso& operator=(const DefaultsProcesso&) = delete;

    // Opens both tables. An empty DefProcesso.DB gets a new, unsaved row; one
    // holding more than one row fails with MensagemDanificada and leaves both
    // tables closed and unchanged.
    void abre();
    // Refused (pending operation) while either table has a row being edited or
    // inserted; otherwise closes both.
    void fecha();

    Tabela& processo() { return processo_; }
    Tabela& acrescimos() { return acrescimos_; }

    // The interest explanation for the mode of the row.
    std::vector<std::string> explicacaoJuros() const;

private:
    Tabela processo_;
    Tabela acrescimos_;
    bool formatando_ = false;
};

}  // namespace korva
