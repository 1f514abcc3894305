#pragma once
// The monthly calculation worked out in memory over the rows of table B: the
// resets, the difference and base rows it adds, and the sweeps that value
// every row (factor, average, commission and difference rows, and the items
// valued from reference data). Nothing here touches a table: the rows come
// in as read and go out with their new values; CalculoMensal reads and
// writes them.
//
// The rows are kept in the grid's "Periodo" order (Ano, Mes, Item, then
// Codigo), with an index from (Ano, Mes, Item) to its run of rows and, per
// item, its rows in month order for the averaging windows.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "parameters/VerbasCatalogo.h"
#include "util/Data.h"

namespace korva {

class ReferenciasCalculo;

// One month row of B as the calculation sees it.
struct LinhaCalculo {
    int64_t rowid = 0;   // identity in the file; 0 for a row added by the run
    int64_t codigo = 0;  // Codigo: breaks ties of the order
    int item = 0, mes = 0, ano = 0;
    std::optional<double> valor, qtde, indice, divisor;
    std::optional<int> base, itemMedia, mMes1, mAno1, mMes2, mAno2;
    std::string vfm, diferenca, inss;
    int codDataBasePadrao = 0;
    std::optional<Data> dtBase;
    bool calculado = false;
};

// What a run reads besides the rows.
struct EntradasCalculo {
    const ReferenciasCalculo* referencias = nullptr;
    // The catalogue's defaults of an item; nullopt when the catalogue lacks it.
    std::function<std::optional<PadroesVerba>(int item)> catalogo;
    // CalculaDtBase bound to the lawsuit's holiday options.
    std::function<Data(int mes, int ano, std::optional<Data> digitada, int codigo)> dtBase;
    // FatorIndiceDiario(index, from, to).
    std::function<double(int codIndice, Data de, Data ate)> fator;
    int dataBasePadrao = 0;   // Processo.DataBasePadrao, for the rows the run adds
    bool atualizarBaseMedia = false;
    bool anularReflexoNegativo = false;
    int indPrincipal = 0;
    Data dtBaseCalculo;       // Processo.DtBase
};

class GradeCalculo {
public:
    static constexpr const char* MsgMaisDe20 = "ERRO! Detectado Item com mais de 20 Itens Base.";
    // "ERRO! Não Existe Item Base 055 cadastrado para o Mes 03/2004."
    static std::string MsgSemItemBase(int item, int ano, int mes);
    // Stops that the grid's validations would have prevented, and inputs that
    // can never be valued.
    static std::string MsgDivisor(int item, int ano, int mes);
    static std::string MsgPeriodoMedia(int item, int ano, int mes);
    static std::string MsgCircular(int item, int ano, int mes);
    static std::string MsgSemValor(int item, int ano, int mes);

    // Calendar months from mes1/ano1 to mes2/ano2, both included; 0 when the
    // second precedes the first.
    static int QtdeMeses(int mes1, int ano1, int mes2, int ano2);

    GradeCalculo(std::vector<LinhaCalculo> linhas, EntradasCalculo entradas);

    // Steps before the sweeps: the difference rows are dropped, every row is
    // uncalculated but "V" rows and item 2, a difference row is added for each
    // family and month with a due and a paid row (when the catalogue holds the
    // difference code), then the base rows of items 1 and 3. Added rows get
    // rowid 0 and a Codigo above every row read, in the order they are made.
    void Prepara();
    // The sweeps, until one leaves nothing pending; returns how many ran.
    // A stop throws with the rows valued so far kept as they are.
    int Calcula();

    // The rows in "Periodo" order (after Prepara).
    const std::vector<LinhaCalculo>& linhas() const { return linhas_; }
    int varreduras() const { return varreduras_; }

private:
    struct Faixa {
        int inicio = 0, quantidade = 0;
    };
    struct PorItem {
        std::vector<int> chaves;  // Ano * 100 + Mes, ascending
        std::vector<int> linhas;  // positions in linhas_
    };

    void indexa();
    LinhaCalculo novaLinha(int item, int mes, int ano, std::optional<Data> dtBaseCausa);
    Faixa LinhasDoItem(int item, int mes, int ano) const;
    bool BasePendente(int item, int mes, int ano, std::vector<int>& visitando);
    double ValorDaBase(int item, int mes, int ano, std::vector<int>& visitando);
    void valoraLinha(int i);
    void passoDiferencas();
    void GravaValor(LinhaCalculo& l, double valor);
    void marcaPendente(const LinhaCalculo& l);
    double divisor(const LinhaCalculo& l) const;
    int janela(const LinhaCalculo& l) const;  // QtdeMeses of the row's window; stops when 0
    // Positions of the rows of item `item` with Ano*100+Mes in [de, ate].
    template <class F>
    void naJanela(int item, int de, int ate, F&& f) const;
    double MediaAtualizada(const LinhaCalculo& l);
    Data DtBaseDe(const LinhaCalculo& l);

    std::vector<LinhaCalculo> linhas_;
    EntradasCalculo e_;
    std::unordered_map<int64_t, Faixa> porChave_;
    std::unordered_map<int, PorItem> porItem_;
    std::unordered_map<int64_t, Data> dtBases_;
    bool pendente_ = false;
    int primeiroPendente_ = -1;  // row that first set the pending mark in this sweep
    int valoradas_ = 0;          // rows that became calculated in this sweep
    int varreduras_ = 0;
    std::vector<int> visitando_;
};

}  // namespace korva
