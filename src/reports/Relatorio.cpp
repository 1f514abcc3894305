#include "reports/Relatorio.h"

#include <algorithm>
#include <cmath>

#include "util/Erros.h"

namespace korva {

ElementoBanda ElementoBanda::Rotulo(double x, double y, double largura, std::string texto, Fonte fonte,
                                    Alinhamento al) {
    ElementoBanda e;
    e.tipo = Tipo::Texto;
    e.x = x, e.y = y, e.largura = largura;
    e.texto = std::move(texto);
    e.fonte = fonte;
    e.alinhamento = al;
    return e;
}

ElementoBanda ElementoBanda::Campo(double x, double y, double largura, ValorTexto valor, Fonte fonte,
                                   Alinhamento al) {
    ElementoBanda e;
    e.tipo = Tipo::Campo;
    e.x = x, e.y = y, e.largura = largura;
    e.valor = std::move(valor);
    e.fonte = fonte;
    e.alinhamento = al;
    return e;
}

ElementoBanda ElementoBanda::Memo(double x, double y, double largura, double altura, ValorTexto valor,
                                  Fonte fonte) {
    ElementoBanda e;
    e.tipo = Tipo::Memo;
    e.x = x, e.y = y, e.largura = largura, e.altura = altura;
    e.valor = std::move(valor);
    e.fonte = fonte;
    return e;
}

ElementoBanda ElementoBanda::LinhaH(double x, double y, double largura) {
    ElementoBanda e;
    e.tipo = Tipo::LinhaH;
    e.x = x, e.y = y, e.largura = largura;
    return e;
}

ElementoBanda ElementoBanda::LinhaV(double x, double y, double altura) {
    ElementoBanda e;
    e.tipo = Tipo::LinhaV;
    e.x = x, e.y = y, e.altura = altura;
    return e;
}

ElementoBanda ElementoBanda::Caixa(double x, double y, double largura, double altura) {
    ElementoBanda e;
    e.tipo = Tipo::Caixa;
    e.x = x, e.y = y, e.largura = largura, e.altura = altura;
    return e;
}

std::string TextoPagina(const Contexto& ctx) {
    return "Pág.: " + std::to_string(ctx.pagina) + "/" + std::to_string(ctx.totalPaginas);
}

namespace {

// Tolerance for bands that fill the page exactly up to rounding.
constexpr double Folga = 1e-6;

double Saneia(double v) { return std::isfinite(v) && v > 0 ? v : 0.0; }

// One layout pass.
class Diagramador {
public:
    Diagramador(Relatorio& r, const Medidor& m, bool contando, int totalPaginas) : r_(r), m_(m) {
        doc_.orientacao = r.orientacao;
        doc_.largura = A4Largura(r.orientacao);
        doc_.altura = A4Altura(r.orientacao);
        doc_.margens = r.margens;
        ctx_.contando = contando;
        ctx_.totalPaginas = totalPaginas;
        ctx_.larguraUtil = doc_.larguraUtil();
    }

    Documento executa() {
        const Margens& mg = doc_.margens;
        for (const Banda& b : r_.rodapePagina) reservaRodape_ += Saneia(b.altura);
        limite_ = doc_.altura - mg.base - reservaRodape_;
        if (doc_.larguraUtil() <= 0 || limite_ <= mg.topo)
            throw ErroKorva("As margens e o rodapé do relatório não deixam espaço para o conteúdo da página.");

        if (r_.aoIniciar) r_.aoIniciar(ctx_);
        abrePagina();
        if (r_.fonte) percorreDetalhe();
        for (Banda& b : r_.resumo) coloca(b);
        fechaPagina();
        return std::move(doc_);
    }

private:
    // A band ready to be placed: its height with memo growth, and per element
    // whether it shows, its font and (for memos) its wrapped lines.
    struct Preparada {
        double altura = 0;
        std::vector<char> visivel;
        std::vector<Fonte> fontes;
        std::vector<std::vector<std::string>> linhas;
    };

    double alturaTexto(const ElementoBanda& e, const Fonte& f) const {
        return e.altura > 0 ? e.altura : m_.alturaLinha(f);
    }

    double larguraDe(const ElementoBanda& e) const {
        return e.largura > 0 ? e.largura : std::max(0.0, doc_.larguraUtil() - e.x);
    }

    // Runs the band's `antes` hook and measures its memos; false when suppressed.
    bool prepara(Banda& b, Preparada& p) {
        double altura = b.altura;
        if (b.antes && !b.antes(ctx_, altura)) return false;
        p.altura = Saneia(altura);
        const size_t n = b.elementos.size();
        p.visivel.assign(n, 1);
        p.fontes.resize(n);
        p.linhas.assign(n, {});
        double cresce = 0;
        for (size_t i = 0; i < n; ++i) {
            const ElementoBanda& e = b.elementos[i];
            if (e.visivel && !e.visivel(ctx_)) {
                p.visivel[i] = 0;
                continue;
            }
            p.fontes[i] = e.estilo ? e.estilo(ctx_) : e.fonte;
            if (e.tipo == ElementoBanda::Tipo::Memo) {
                const std::string texto = e.valor ? e.valor(ctx_) : e.texto;
                p.linhas[i] = QuebraLinhas(texto, larguraDe(e), p.fontes[i], m_);
                const double precisa = static_cast<double>(p.linhas[i].size()) * m_.alturaLinha(p.fontes[i]);
                cresce = std::max(cresce, precisa - alturaTexto(e, p.fontes[i]));
            }
        }
        p.altura += cresce;
        return true;
    }

    void desenha(const Banda& b, const Preparada& p) {
        if (ctx_.contando) return;
        std::vector<Elemento>& saida = doc_.paginas.back().elementos;
        const double x0 = doc_.margens.esquerda;
        for (size_t i = 0; i < b.elementos.size(); ++i) {
            if (!p.visivel[i]) continue;
            const ElementoBanda& e = b.elementos[i];
            Elemento el;
            el.x = x0 + e.x;
            el.y = y_ + e.y;
            el.fonte = p.fontes[i];
            el.alinhamento = e.alinhamento;
            el.recorta = e.recorta;
            el.espessura = e.espessura;
            switch (e.tipo) {
                case ElementoBanda::Tipo::Texto:
                case ElementoBanda::Tipo::Campo:
                    el.tipo = Elemento::Tipo::Texto;
                    el.largura = larguraDe(e);
                    el.altura = alturaTexto(e, el.fonte);
                    el.texto = e.tipo == ElementoBanda::Tipo::Texto ? e.texto : (e.valor ? e.valor(ctx_) : "");
                    saida.push_back(std::move(el));
                    break;
                case ElementoBanda::Tipo::Memo: {
                    const double lh = m_.alturaLinha(el.fonte);
                    el.tipo = Elemento::Tipo::Texto;
                    el.largura = larguraDe(e);
                    el.altura = lh;
                    for (size_t k = 0; k < p.linhas[i].size(); ++k) {
                        Elemento linha = el;
                        linha.y = y_ + e.y + static_cast<double>(k) * lh;
                        linha.texto = p.linhas[i][k];
                        saida.push_back(std::move(linha));
                    }
                    break;
                }
                case ElementoBanda::Tipo::LinhaH:
                    el.tipo = Elemento::Tipo::LinhaH;
                    el.largura = larguraDe(e);
                    saida.push_back(std::move(el));
                    break;
                case ElementoBanda::Tipo::LinhaV:
                case ElementoBanda::Tipo::Caixa:
                    // Height 0 reaches the bottom of the band, growth included.
                    el.tipo = e.tipo == ElementoBanda::Tipo::LinhaV ? Elemento::Tipo::LinhaV : Elemento::Tipo::Caixa;
                    el.largura = e.tipo == ElementoBanda::Tipo::Caixa ? larguraDe(e) : 0;
                    el.altura = e.altura > 0 ? e.altura : std::max(0.0, p.altura - e.y);
                    saida.push_back(std::move(el));
                    break;
            }
        }
    }

    // Places a band at the cursor with no page-break check (headers).
    void colocaAqui(Banda& b) {
        if (!prepara(b, prep_)) return;
        desenha(b, prep_);
        y_ += prep_.altura;
        if (b.depois) b.depois(ctx_);
    }

    bool apareceNestaPagina(const Banda& b) const {
        switch (b.paginas) {
            case QuaisPaginas::SoPrimeira: return ctx_.pagina == 1;
            case QuaisPaginas::ExcetoPrimeira: return ctx_.pagina > 1;
            case QuaisPaginas::Todas: break;
        }
        return true;
    }

    void abrePagina() {
        ++ctx_.pagina;
        Pagina p;
        p.numero = ctx_.pagina;
        doc_.paginas.push_back(std::move(p));
        y_ = doc_.margens.topo;
        temCorpo_ = false;
        for (Banda& b : r_.cabecalhoPagina)
            if (apareceNestaPagina(b)) colocaAqui(b);
        for (Banda& b : r_.cabecalhoColunas)
            if (apareceNestaPagina(b)) colocaAqui(b);
    }

    void fechaPagina() {
        std::vector<Preparada> rodapes(r_.rodapePagina.size());
        std::vector<char> mostra(r_.rodapePagina.size(), 0);
        double total = 0;
        for (size_t i = 0; i < r_.rodapePagina.size(); ++i) {
            Banda& b = r_.rodapePagina[i];
            if (!prepara(b, rodapes[i])) continue;
            rodapes[i].altura = std::min(rodapes[i].altura, Saneia(b.altura));
            mostra[i] = 1;
            total += rodapes[i].altura;
        }
        y_ = doc_.altura - doc_.margens.base - total;
        for (size_t i = 0; i < r_.rodapePagina.size(); ++i) {
            if (!mostra[i]) continue;
            Banda& b = r_.rodapePagina[i];
            desenha(b, rodapes[i]);
            y_ += rodapes[i].altura;
            if (b.depois) b.depois(ctx_);
        }
    }

    void novaPagina() {
        fechaPagina();
        abrePagina();
    }

    // Places a body band, breaking the page first when asked to or when it
    // does not fit. A band taller than an empty page has its memo lines
    // continued on the next pages; without memos it is placed anyway (cut at
    // the foot) so the layout always ends.
    void coloca(Banda& b) {
        Preparada p;
        if (!prepara(b, p)) return;
        if (temCorpo_ && (b.novaPaginaAntes || y_ + p.altura > limite_ + Folga)) novaPagina();
        temCorpo_ = true;
        if (y_ + p.altura > limite_ + Folga && temMemo(p)) {
            desenhaFluindo(b, p);
        } else {
            desenha(b, p);
            y_ += p.altura;
        }
        if (b.depois) b.depois(ctx_);
    }

    static bool temMemo(const Preparada& p) {
        for (const auto& l : p.linhas)
            if (!l.empty()) return true;
        return false;
    }

    // The other elements stay on the first page, cut at its foot; the memo
    // lines run on over as many pages as they need, one memo after the other.
    void desenhaFluindo(const Banda& b, Preparada& p) {
        std::vector<std::vector<std::string>> linhas;
        linhas.swap(p.linhas);
        p.linhas.assign(linhas.size(), {});
        p.altura = std::max(0.0, limite_ - y_);
        desenha(b, p);
        double yy = -1;
        for (size_t i = 0; i < linhas.size(); ++i) {
            if (linhas[i].empty()) continue;
            const ElementoBanda& e = b.elementos[i];
            const double lh = m_.alturaLinha(p.fontes[i]);
            if (yy < 0) yy = y_ + e.y;
            for (const std::string& texto : linhas[i]) {
                if (yy + lh > limite_ + Folga && yy > y_) {
                    novaPagina();
                    temCorpo_ = true;
                    yy = y_;
                }
                if (!ctx_.contando) {
                    Elemento el;
                    el.x = doc_.margens.esquerda + e.x;
                    el.y = yy;
                    el.largura = larguraDe(e);
                    el.altura = lh;
                    el.texto = texto;
                    el.fonte = p.fontes[i];
                    el.alinhamento = e.alinhamento;
                    el.recorta = e.recorta;
                    doc_.paginas.back().elementos.push_back(std::move(el));
                }
                yy += lh;
            }
        }
        y_ = yy;
    }

    void chaves(std::vector<std::string>& destino) {
        destino.resize(r_.grupos.size());
        for (size_t g = 0; g < r_.grupos.size(); ++g)
            destino[g] = r_.grupos[g].chave ? r_.grupos[g].chave(ctx_) : std::string();
    }

    void posiciona(FonteDados& f, size_t i) {
        if (i != atual_) {
            f.vaPara(i);
            atual_ = i;
        }
    }

    void percorreDetalhe() {
        FonteDados& f = *r_.fonte;
        const size_t n = f.quantidade();
        if (n == 0) return;
        const size_t niveis = r_.grupos.size();
        std::vector<std::string> atuais, proximas;
        atual_ = static_cast<size_t>(-1);
        posiciona(f, 0);
        chaves(atuais);
        size_t abreDesde = 0;  // first group level whose header is due
        for (size_t i = 0; i < n; ++i) {
            posiciona(f, i);
            for (size_t g = abreDesde; g < niveis; ++g)
                if (r_.grupos[g].cabecalho) coloca(*r_.grupos[g].cabecalho);
            if (r_.detalhe) coloca(*r_.detalhe);
            for (SubDetalhe& s : r_.subDetalhes) percorreSubDetalhe(s);

            // Look one record ahead to know which groups end here.
            size_t fechaDesde = 0;
            if (i + 1 < n) {
                posiciona(f, i + 1);
                chaves(proximas);
                fechaDesde = niveis;
                for (size_t g = 0; g < niveis; ++g)
                    if (proximas[g] != atuais[g]) {
                        fechaDesde = g;
                        break;
                    }
                if (fechaDesde < niveis) posiciona(f, i);
            }
            for (size_t g = niveis; g-- > fechaDesde;)
                if (r_.grupos[g].rodape) coloca(*r_.grupos[g].rodape);
            atuais.swap(proximas);
            abreDesde = fechaDesde;
        }
    }

    void percorreSubDetalhe(SubDetalhe& s) {
        if (!s.fonte) return;
        const size_t m = s.fonte->quantidade();
        if (m == 0) return;
        if (s.cabecalho) coloca(*s.cabecalho);
        for (size_t j = 0; j < m; ++j) {
            s.fonte->vaPara(j);
            coloca(s.detalhe);
        }
        if (s.rodape) coloca(*s.rodape);
    }

    Relatorio& r_;
    const Medidor& m_;
    Contexto ctx_;
    Documento doc_;
    double y_ = 0;
    double limite_ = 0;
    double reservaRodape_ = 0;
    bool temCorpo_ = false;
    size_t atual_ = 0;
    Preparada prep_;
};

}  // namespace

Documento Diagrama(Relatorio& relatorio, const Medidor& medidor) {
    // Counting pass, then producing passes until the page count they were given
    // is the one they produce (hooks that depend on the count may shift it).
    int total = static_cast<int>(Diagramador(relatorio, medidor, true, 0).executa().paginas.size());
    for (int tentativa = 0;; ++tentativa) {
        Documento doc = Diagramador(relatorio, medidor, false, total).executa();
        const int obtido = static_cast<int>(doc.paginas.size());
        if (obtido == total || tentativa == 2) return doc;
        total = obtido;
    }
}

}  // namespace korva
