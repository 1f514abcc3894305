#pragma once
// The rules shared by the two tables of amounts by month of a calculation
// (salary bases, table I, and social-security bases, table D): month and year
// entry checks with the two-digit year completed, the remembered row of the
// last insertion with the month it proposes next, the copy keys F3/F4, and the
// refusal to close while a row is being edited.
//
// A window binds its grid to `tabela()` and drives the dataset directly; the
// tests do the same.
#include <memory>
#include <string>

#include "storage/Tabela.h"

namespace korva {

class Banco;

// Program-wide remembered row of one of the windows.
struct LinhaBaseLembrada {
    int mes = 0;
    int ano = 0;
    double valor = 0;
    std::string descricao;
    bool existe = false;  // a row was remembered at some time in the program's life
    bool usavel = false;  // remembered when the current insertion began (F3/F4)
};

class BasesMensais {
public:
    // Column that takes the cursor when a row is inserted.
    static constexpr const char* CampoInicial = "Valor";
    static constexpr const char* MsgMesAnoFixos = "O mês e o ano não podem ser alterados nesta janela.";

    virtual ~BasesMensais();
    BasesMensais(const BasesMensais&) = delete;
    BasesMensais& operator=(const BasesMensais&) = delete;

    // Opens the table in (Ano, Mes) order with the rules attached (only the
    // fixed month's rows in a one-month view) and goes to its first row.
    // Marks the remembered row as not usable for F3/F4.
    void abre();
    // Refused with the pending-operation message while a row is in edit or
    // insert state; otherwise closes the table.
    void fecha();
    Tabela& tabela() { return *tabela_; }
    const std::string& nomeTabela() const { return nome_; }

    // Commands of the window other than the navigator are enabled only while
    // no row is in edit or insert state.
    bool comandosHabilitados() const { return !tabela_->editando(); }

    // F3 on a field / F4 on the row; false (nothing done) without a row
    // remembered at the start of the insertion or outside edit/insert state.
    bool copiaCampo(const std::string& campo);
    bool copiaLinha();

protected:
    BasesMensais(Banco& privado, std::string nomeTabela, LinhaBaseLembrada& lembrada, bool comDescricao);

    // Month and year a new row gets whatever was remembered (one-month view).
    virtual bool mesAnoFixos(int& mes, int& ano) const;

    Banco& banco_;
    std::string nome_;
    std::unique_ptr<Tabela> tabela_;

private:
    void ligaRegras();
    void lembraLinha();
    void proponhaLinha();
    void completaAno();

    LinhaBaseLembrada& lembrada_;
    bool comDescricao_;
};

}  // namespace korva
