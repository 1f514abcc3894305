#pragma once
// The lawsuit list ("KORVA - Lista de Processos"): picks a calculation of
// Processo.DB, either as the source of a duplicate (calculation mode, with the
// five tables to copy) or as the calculation whose totals the pro-rata window
// imports (pro-rata mode, with its two choices). The calculation given when the
// list is shown is hidden from it.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "register/RegistroProcessos.h"
#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva {

class Banco;

class ListaProcessos {
public:
    enum class Modo { Calculo, Prorrata };

    // The choices of the pro-rata mode, ticked at first.
    struct Importacao {
        bool contribuicaoEmpresa = true;  // "Contribuição Previdenciária da empresa"
        bool impostoRenda = true;         // "Imposto de Renda"
    };

    // What "&OK" hands back.
    struct Escolha {
        std::string pasta;    // "Sub" + five-digit Diretorio + "\"
        std::string arquivo;  // seven-digit Arquivo + ".db"
        std::string processo;
        int codRecte = 0;
        Data dtAjuiz, dtBase;
        double total = 0, inssReclamado = 0, inssTerceiros = 0, inssRisco = 0, totalBaseINSS = 0,
               valorINSSReclamante = 0, valorTotalIR = 0;
        bool adicionarINSSRecte = false;
        RegistroProcessos::Copias copias;
        Importacao importacao;
        // A table of the chosen calculation: folder + letter + file name part.
        std::string NomeTabela(char letra) const { return pasta + letra + arquivo; }
    };

    // The columns shown: field and caption.
    static const std::vector<std::pair<std::string, std::string>>& Colunas();

    explicit ListaProcessos(Banco& privado);
    ~ListaProcessos();
    ListaProcessos(const ListaProcessos&) = delete;
    ListaProcessos& operator=(const ListaProcessos&) = delete;

    // Showing: the mode follows the inputs (lawsuit "0" and group 0 is the
    // pro-rata mode), the search text is cleared and Processo.DB opened
    // ordered by Processo;CodRecte without the row of the inputs.
    void mostra(const std::string& processo, int codRecte);
    // Hiding: the table is closed.
    void oculta();

    Modo modo() const { return modo_; }
    Tabela& tabela() { return *tabela_; }
    bool okHabilitado();

    // Check boxes, kept from one showing to the next.
    RegistroProcessos::Copias& copias() { return copias_; }
    Importacao& importacao() { return importacao_; }

    // "Pesquisa:" is typed in capitals; its button only with some text.
    static std::string TextoPesquisa(const std::string& digitado);
    static bool PesquisaHabilitada(const std::string& texto) { return !texto.empty(); }
    // Moves to the first group of the lawsuit; fails with "Processo não
    // Encontrado!" (staying on the current row) when there is none.
    void pesquisa(const std::string& texto);

    // "&OK" (or a double click while it is enabled): the current row.
    std::optional<Escolha> escolhe();

private:
    Banco& banco_;
    std::unique_ptr<Tabela> tabela_;
    Modo modo_ = Modo::Calculo;
    std::string ocultoProcesso_;
    int ocultoCodRecte_ = 0;
    RegistroProcessos::Copias copias_;
    Importacao importacao_;
};

}  // namespace korva
