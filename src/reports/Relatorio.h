#pragma once
// The band report engine. A report is a set of bands (page header, column
// header, group header and footer, detail and sub-detail over a data source,
// summary, page footer); laying it out gives a Documento of positioned text,
// rules and boxes. Layout runs twice: the first pass counts the pages, the
// second produces them with the page count known, so "Pág.: n/N" is right on
// every page. Each pass walks the data once and never goes back over placed
// content, so the time grows linearly with the number of rows.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/Medidor.h"
#include "reports/Pagina.h"

namespace korva {

// What callbacks can see of the layout in progress.
struct Contexto {
    int pagina = 0;           // page being filled, from 1
    int totalPaginas = 0;     // page count; 0 during the counting pass
    bool contando = false;    // true in the counting pass
    double larguraUtil = 0;   // printable width of the sheet (mm)
};

using ValorTexto = std::function<std::string(const Contexto&)>;

// A data source walked by index. Positioning by index lets the engine look one
// record ahead to close a group while the group's last record is still the
// current one (so footers read the data of the group they close), and lets each
// pass start over.
class FonteDados {
public:
    virtual ~FonteDados() = default;
    virtual std::size_t quantidade() const = 0;
    // Makes record `indice` (0 <= indice < quantidade()) the current one. It
    // may be called more than once for the same record (look-ahead), so it
    // must only position, never accumulate.
    virtual void vaPara(std::size_t indice) = 0;
};

// A source made of two callbacks: how many records, and how to make one
// current. Also serves sub-details, whose count depends on the master record.
class FonteFuncoes : public FonteDados {
public:
    FonteFuncoes(std::function<std::size_t()> quantidade, std::function<void(std::size_t)> vaPara)
        : quantidade_(std::move(quantidade)), vaPara_(std::move(vaPara)) {}
    std::size_t quantidade() const override { return quantidade_(); }
    void vaPara(std::size_t indice) override { vaPara_(indice); }

private:
    std::function<std::size_t()> quantidade_;
    std::function<void(std::size_t)> vaPara_;
};

// Something placed in a band, at (x, y) from the band's top-left corner
// inside the margins.
//  - Texto: fixed `texto`.
//  - Campo: text from `valor`, read when the band is placed.
//  - Memo: text from `valor`, wrapped to `largura`, one line per
//    line-height; when it needs more than `altura` the band grows by the
//    difference.
//  - LinhaH, LinhaV, Caixa: rules and boxes.
// `estilo` may change the font per record (italic or underlined rows), and
// `visivel` may hide the element for the record.
struct ElementoBanda {
    enum class Tipo { Texto, Campo, Memo, LinhaH, LinhaV, Caixa };
    Tipo tipo = Tipo::Texto;
    double x = 0, y = 0, largura = 0, altura = 0;  // altura 0: one line of the font
    std::string texto;
    ValorTexto valor;
    Fonte fonte;
    Alinhamento alinhamento = Alinhamento::Esquerda;
    bool recorta = false;
    double espessura = 0.2;
    std::function<Fonte(const Contexto&)> estilo;
    std::function<bool(const Contexto&)> visivel;

    static ElementoBanda Rotulo(double x, double y, double largura, std::string texto, Fonte fonte = {},
                                Alinhamento al = Alinhamento::Esquerda);
    static ElementoBanda Campo(double x, double y, double largura, ValorTexto valor, Fonte fonte = {},
                               Alinhamento al = Alinhamento::Esquerda);
    static ElementoBanda Memo(double x, double y, double largura, double altura, ValorTexto valor,
                              Fonte fonte = {});
    static ElementoBanda LinhaH(double x, double y, double largura);
    static ElementoBanda LinhaV(double x, double y, double altura);
    static ElementoBanda Caixa(double x, double y, double largura, double altura);
};

// Which pages a page header or column header band appears on.
enum class QuaisPaginas { Todas, SoPrimeira, ExcetoPrimeira };

struct Banda {
    double altura = 0;
    std::vector<ElementoBanda> elementos;
    // Before the band is placed: returning false suppresses it (and its
    // `depois`); the height may be changed. Memo growth is added afterwards.
    // It runs before the page break the band may cause, so for a body band
    // `Contexto::pagina` is the page the previous band went on.
    std::function<bool(const Contexto&, double& altura)> antes;
    // After the band is placed.
    std::function<void(const Contexto&)> depois;
    bool novaPaginaAntes = false;           // start a new page unless the page holds no body yet
    QuaisPaginas paginas = QuaisPaginas::Todas;  // page and column headers only

    Banda& adiciona(ElementoBanda e) {
        elementos.push_back(std::move(e));
        return *this;
    }
};

// A grouping level over the detail: the header comes before the first record
// of each key, the footer after its last record (the key changes or the data
// ends). Both are placed while a record of the group is current.
struct Grupo {
    ValorTexto chave;
    std::optional<Banda> cabecalho;
    std::optional<Banda> rodape;
};

// Records of a nested source printed after each master record.
struct SubDetalhe {
    FonteDados* fonte = nullptr;  // its count is read after the master record is made current
    std::optional<Banda> cabecalho;
    Banda detalhe;
    std::optional<Banda> rodape;
};

struct Relatorio {
    Orientacao orientacao = Orientacao::Retrato;
    Margens margens;

    std::vector<Banda> cabecalhoPagina;   // top of the page, in order
    std::vector<Banda> cabecalhoColunas;  // right after the page header
    FonteDados* fonte = nullptr;          // no source: no detail
    std::vector<Grupo> grupos;            // outermost first
    std::optional<Banda> detalhe;
    std::vector<SubDetalhe> subDetalhes;
    std::vector<Banda> resumo;            // after the last record
    // Bottom of every page. Their declared heights are kept free at the foot
    // of each page; a hook may shrink a footer band but not grow it.
    std::vector<Banda> rodapePagina;

    // Called at the start of each pass, so state kept by hooks (totals,
    // previous month) starts afresh.
    std::function<void(const Contexto&)> aoIniciar;
};

// Lays the report out on A4 sheets. Field callbacks are read only in the
// producing pass; hooks, visibility, styles and memos run in both passes (they
// decide sizes). Throws ErroKorva when the report does not fit the sheet.
Documento Diagrama(Relatorio& relatorio, const Medidor& medidor);

// The usual footer text: "Pág.: " + page + "/" + page count.
std::string TextoPagina(const Contexto& ctx);

}  // namespace korva
