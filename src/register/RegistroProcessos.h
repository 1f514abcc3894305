#pragma once
// The lawsuit register: Processo.DB as a dataset with the rules of its window
// attached (insertion values, field checks, the calculation file set created
// after an insertion and deleted with the row), the additions (E) and interest
// variation (H) of the current calculation, the interest-mode switch, the list
// order and search, and the new-group and duplicate operations.
//
// A window binds to `processos()`, `acrescimos()` and `juros()` and drives the
// datasets directly; everything a change implies runs from their events.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reference/Pesquisa.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva {

class Banco;

// Masks of the lawsuit number and the folder-size setting the register reads.
struct AjustesRegistro {
    std::string mascara1, mascara2, mascara3;
    std::function<int()> qtdePorPasta = [] { return 100; };
};

class Configuracoes;
// The masks (copied now) and the folder-size setting (read at each insertion)
// of the running program's settings; `c` must outlive the register.
AjustesRegistro AjustesDe(const Configuracoes& c);

class RegistroProcessos {
public:
    // Progress of the creation of a new calculation's tables: `passo` 0..4 on a
    // bar from 0 to 4, `rotulo` the table being created ("" at 4, the end).
    using Progresso = std::function<void(int passo, const std::string& rotulo)>;
    using Hoje = std::function<Data()>;

    enum class Estado { Insercao, Edicao };
    enum class Ordem { Processo, DtGrav, DtAjuiz, Calculista };

    // The tables a new group or a duplicate copies, all ticked at first.
    struct Copias {
        bool periodo = true;     // "Parâmetros por Período" (A)
        bool mesAMes = true;     // "Parâmetros Mês a Mês" (B)
        bool basesINSS = true;   // "Bases de Cálculo I.N.S.S." (D)
        bool acrescimos = true;  // "Acréscimos" (E)
        bool juros = true;       // "Juros" (H)
    };

    RegistroProcessos(Banco& privado, AjustesRegistro ajustes, ConjuntoCalculo::Aviso aviso = {},
                      Hoje hoje = &Data::hoje);
    ~RegistroProcessos();
    RegistroProcessos(const RegistroProcessos&) = delete;
    RegistroProcessos& operator=(const RegistroProcessos&) = delete;

    // Opens Processo.DB ordered by "Processo".
    void abre();
    // Refused (pending operation) while any of the three tables has a row
    // being edited or inserted; otherwise closes them.
    void fecha();

    Tabela& processos() { return *processos_; }
    // The additions and interest variation of the current calculation, when open.
    Tabela* acrescimos() { return acrescimos_ && acrescimos_->aberta() ? acrescimos_.get() : nullptr; }
    Tabela* juros() { return juros_ && juros_->aberta() ? juros_.get() : nullptr; }

    void defineProgresso(Progresso p) { progresso_ = std::move(p); }
    // Called right before the objects returned by acrescimos() and juros()
    // are replaced or freed (another calculation's tables are opened, or the
    // register is freed): whatever holds on to them lets go here.
    void defineAntesTrocarGrades(std::function<void()> f) { antesTrocarGrades_ = std::move(f); }
    Estado estado() const { return estado_; }

    // Fails with "Cadastre um processo antes de selecionar esta opção!" when the
    // current row has no lawsuit number.
    void ExigeProcesso();

    // The file set of the current row (its Diretorio and Arquivo).
    ConjuntoCalculo& conjunto();
    // Table name of a letter for the current row ("Sub00001\A0000023.db").
    std::string NomeTabela(char letra);
    // Makes sure the table of a letter exists for the current row.
    void CriaTabela(char letra);
    // ExigeProcesso, then the tables a button of the window needs ("P&artes"
    // C; "&Período" A, B, I; "&Mês a Mês" B, I; "I&NSS" B, D; "&Relatórios" D
    // unless the single rate, E; "P&onto" F; "Salários" I) are made sure.
    void PreparaTabelas(const std::string& letras);

    // "Processo" + " Grupo: " + group code.
    std::string SProcesso() const;

    // ---- the "A&créscimos" page ----
    // Entering: with a current lawsuit, E is created if missing and opened, and
    // the interest grid follows the mode in force.
    void entraPaginaAcrescimos();
    // Leaving: refused while either grid has a row being edited or inserted
    // ("Antes de mudar de página, cancele ou confirme a operação"); otherwise
    // both grids are closed.
    void saiPaginaAcrescimos();
    bool naPaginaAcrescimos() const { return paginaAcrescimos_; }
    std::string legendaAcrescimos() const { return legendaAcrescimos_; }

    // ---- interest mode ----
    // Runs when the mode shown for the current row changes (the register calls
    // it itself on a change of the field and on moving to another row).
    void aplicaModoJuros();
    std::string legendaJuros() const { return legendaJuros_; }
    std::vector<std::string> explicacaoJuros() const;

    // ---- list order and search ----
    void defineOrdem(Ordem ordem);
    Ordem ordem() const { return ordem_; }
    // "Opções da Pesquisa" only for "Processo" and "Calculista".
    bool opcoesPesquisaHabilitadas() const { return ordem_ == Ordem::Processo || ordem_ == Ordem::Calculista; }
    void defineOpcaoPesquisa(OpcaoPesquisa o) { opcao_ = o; }
    OpcaoPesquisa opcaoPesquisa() const { return opcao_; }
    // Filters the list by the typed text; returns the text as written back
    // (trimmed, in capitals). An empty text removes the filter; a date order
    // needs a date ("Data Inválida!").
    std::string pesquisa(const std::string& texto);

    // ---- new group and duplicate ----
    // A new group of the current lawsuit: first free group code after the
    // current one, insertion values with the kept fields of the current row,
    // then the ticked tables copied. Leaves the new row current; returns its code.
    int NovoGrupo(const Copias& copias);
    // Copies the ticked tables of calculation (processo, codRecte) into the
    // current one. Processo.DB is not changed.
    void Duplicar(const std::string& processo, int codRecte, const Copias& copias);

private:
    void aoNovoRegistro(Tabela& t);
    void naGravacao(Tabela& t);
    void depoisGravar(Tabela& t);
    void sincroniza();
    bool temArquivo() const;
    void abreJuros();
    void fechaJuros();
    void abreAcrescimos();
    void copiaMarcadas(int diretorioOrigem, int arquivoOrigem, const Copias& copias);
    void acompanhaLinha();

    Banco& banco_;
    AjustesRegistro ajustes_;
    Hoje hoje_;
    ConjuntoCalculo conjunto_;
    std::unique_ptr<Tabela> processos_;
    std::unique_ptr<Tabela> acrescimos_;
    std::unique_ptr<Tabela> juros_;
    Progresso progresso_;
    std::function<void()> antesTrocarGrades_;
    Estado estado_ = Estado::Edicao;
    Ordem ordem_ = Ordem::Processo;
    OpcaoPesquisa opcao_ = OpcaoPesquisa::QualquerParte;

    bool aplicandoPadroes_ = false;
    bool formatando_ = false;
    bool emGravacao_ = false;
    bool paginaAcrescimos_ = false;
    int modoMostrado_ = -1;
    int64_t arquivoMostrado_ = -1;
    bool excluirJurosAoGravar_ = false;
    int diretorioExcluido_ = 0, arquivoExcluido_ = 0;
    std::string legendaJuros_ = " Juros: ";
    std::string legendaAcrescimos_ = " Acréscimos: ";
};

}  // namespace korva
