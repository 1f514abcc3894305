#pragma once
// The pay-item catalogue being maintained: Rendimen.DB and its repercussion
// list Reflexos.DB as two datasets with the catalogue's rules attached (the
// new item's values, the entry checks with their messages, the protected
// system items, the deletion rules), the repercussion list following the
// current item, and the search of the catalogue in its two orders.
//
// A window binds its two grids to `rendimentos()` and `reflexos()` and
// drives the datasets directly; the command line and the tests do the same.
#include <memory>
#include <string>

#include "reference/Pesquisa.h"
#include "storage/Tabela.h"

namespace korva {

class Banco;
class TabelasReferencia;

enum class OrdemCatalogo {
    Codigo,      // "Código"
    Rendimento,  // "Rendimento": by DescRend
};

class Catalogo {
public:
    static constexpr const char* MsgPesquisaInvalida = "Valor Inválido para Pesquisa";
    static constexpr const char* MsgValorInvalido = "Valor inválido para o campo!";
    static constexpr const char* MsgBaseInvalida = "Base Inválida para este Rendimento!";
    static constexpr const char* MsgReflexoInvalido = "Reflexo Inválido para esta Verba!";
    static constexpr const char* MsgExcluiSistema = "Você não pode excluir itens de cálculo do Sistema!";
    static constexpr const char* MsgAlteraSistema =
        "Você não pode alterar o código ou a descrição de itens de cálculo do Sistema!";
    static constexpr const char* MsgCodigoInvalido = "Código de verba inválido! Informe um número de 1 a 999.";
    static constexpr const char* MsgBaseIRInexistente = "Base do I.R. não cadastrada!";
    static constexpr const char* MsgSemVerba = "Grave a verba antes de incluir os seus reflexos!";
    static constexpr const char* MsgCampoSomenteLeitura = "Este campo não pode ser alterado!";

    // Values a new item starts with.
    static constexpr int IRNovo = 3;
    static constexpr const char* INSSNovo = "N";
    static constexpr const char* TipoUsuario = "U";
    static constexpr const char* TipoSistema = "S";
    // Column that takes the cursor when a row is inserted.
    static constexpr const char* CampoInicialVerba = "Codigo";
    static constexpr const char* CampoInicialReflexo = "Reflexo";

    // `referencia` reads BasesIR.db of the shared database.
    Catalogo(Banco& privado, TabelasReferencia& referencia);
    ~Catalogo();
    Catalogo(const Catalogo&) = delete;
    Catalogo& operator=(const Catalogo&) = delete;

    // Opens both tables, in "Código" order, without a search.
    void abre();
    // Refused with the pending-operation message while either table has a
    // row in edit or insert state; otherwise closes both.
    void fecha();
    bool aberto() const;

    Tabela& rendimentos() { return *rendimentos_; }
    Tabela& reflexos() { return *reflexos_; }

    // ---- order and search ----
    OrdemCatalogo ordem() const { return ordem_; }
    // Changing the order keeps the search when the text suits the new order;
    // a text that is not an integer is dropped on going to "Código".
    void defineOrdem(OrdemCatalogo ordem);
    // The search options apply only to the "Rendimento" order.
    bool opcoesPesquisaHabilitadas() const { return ordem_ == OrdemCatalogo::Rendimento; }
    // Whether a typed search text suits an order: in "Código" order only an
    // integer (or nothing); any text in "Rendimento" order.
    static bool TextoPesquisaValido(OrdemCatalogo ordem, const std::string& texto);
    OpcaoPesquisa opcaoPesquisa() const { return opcao_; }
    void defineOpcaoPesquisa(OpcaoPesquisa opcao) { opcao_ = opcao; }
    // The search button (or Enter). The text is trimmed; empty removes the
    // search. In "Código" order a text that is not an integer fails with
    // "Valor Inválido para Pesquisa" and the search in force stays.
    void pesquisa(const std::string& texto);
    const std::string& textoPesquisa() const { return texto_; }
    bool filtrado() const { return filtrado_; }
    // The search panel is disabled while both tables are in edit or insert state.
    bool painelPesquisaHabilitado() const;

    // ---- what the grids show ----
    // Codigo and DescRend of a system item, and Base of a repercussion row,
    // cannot be typed into.
    bool somenteLeitura(const std::string& campo) const;
    bool reflexoSomenteLeitura(const std::string& campo) const;
    // "Base do I.R." of the current item ("" when missing).
    std::string descricaoBaseIR();
    // Description of the current repercussion row's item ("" when missing).
    std::string descricaoReflexo();
    // Makes the repercussion list show the current item's rows (done by
    // itself whenever the current item changes).
    void acompanhaVerba();

private:
    void regrasRendimentos(Tabela& t);
    void regrasReflexos(Tabela& t);
    void aplicaPesquisa(const std::string& texto);
    bool itemDoSistema() const;
    int codigoAtual() const;

    Banco& banco_;
    TabelasReferencia& referencia_;
    std::unique_ptr<Tabela> rendimentos_;
    std::unique_ptr<Tabela> reflexos_;

    OrdemCatalogo ordem_ = OrdemCatalogo::Codigo;
    OpcaoPesquisa opcao_ = OpcaoPesquisa::QualquerParte;
    std::string texto_;
    bool filtrado_ = false;

    bool interno_ = false;       // a value set by the rules themselves
    int codigoOriginal_ = 0;     // code of the item when its edit began
    int reflexoOriginal_ = 0;    // item of the repercussion row when its edit began
    int baseReflexos_ = -1;      // item whose repercussion list is shown (-1: none yet)
};

}  // namespace korva
