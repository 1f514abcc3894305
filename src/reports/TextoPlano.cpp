#include "reports/TextoPlano.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "util/Texto.h"

namespace korva {

namespace {

class Grade {
public:
    Grade(int linhas, int colunas)
        : linhas_(linhas), colunas_(colunas), celulas_(static_cast<size_t>(linhas) * colunas, U' ') {}

    void poe(int linha, int coluna, char32_t c) {
        if (linha < 0 || linha >= linhas_ || coluna < 0 || coluna >= colunas_) return;
        celulas_[static_cast<size_t>(linha) * colunas_ + coluna] = c;
    }

    // A rule crossing another becomes a '+'.
    void poeTraco(int linha, int coluna, char32_t c) {
        if (linha < 0 || linha >= linhas_ || coluna < 0 || coluna >= colunas_) return;
        char32_t& cel = celulas_[static_cast<size_t>(linha) * colunas_ + coluna];
        cel = (cel == U' ' || cel == c) ? c : U'+';
    }

    std::string texto() const {
        std::vector<std::string> saida;
        for (int l = 0; l < linhas_; ++l) {
            std::u32string linha(celulas_.begin() + static_cast<long>(l) * colunas_,
                                 celulas_.begin() + static_cast<long>(l + 1) * colunas_);
            while (!linha.empty() && linha.back() == U' ') linha.pop_back();
            saida.push_back(ParaUtf8(linha));
        }
        while (!saida.empty() && saida.back().empty()) saida.pop_back();
        std::string r;
        for (const std::string& s : saida) r += s + "\n";
        return r;
    }

private:
    int linhas_, colunas_;
    std::vector<char32_t> celulas_;
};

int Celula(double mm, double passo) { return static_cast<int>(std::lround(mm / passo)); }

}  // namespace

std::string TextoPlano(const Documento& doc, const GradeTexto& grade) {
    const double x0 = doc.margens.esquerda, y0 = doc.margens.topo;
    const int colunas = std::max(0, static_cast<int>(std::floor(doc.larguraUtil() / grade.mmPorColuna + 1e-6)));
    const int linhas = std::max(0, static_cast<int>(std::floor(doc.alturaUtil() / grade.mmPorLinha + 1e-6)));
    std::string saida;
    for (const Pagina& pagina : doc.paginas) {
        saida += "----- Pág. " + std::to_string(pagina.numero) + " -----\n";
        Grade g(linhas, colunas);
        // Rules first, so text stays readable where both meet.
        for (const Elemento& e : pagina.elementos) {
            const int c = Celula(e.x - x0, grade.mmPorColuna);
            const int l = Celula(e.y - y0, grade.mmPorLinha);
            const int w = Celula(e.largura, grade.mmPorColuna);
            const int h = Celula(e.altura, grade.mmPorLinha);
            switch (e.tipo) {
                case Elemento::Tipo::LinhaH:
                    for (int k = 0; k < std::max(w, 1); ++k) g.poeTraco(l, c + k, U'-');
                    break;
                case Elemento::Tipo::LinhaV:
                    for (int k = 0; k < std::max(h, 1); ++k) g.poeTraco(l + k, c, U'|');
                    break;
                case Elemento::Tipo::Caixa: {
                    const int dir = c + std::max(w, 1) - 1, baixo = l + std::max(h, 1) - 1;
                    for (int k = c; k <= dir; ++k) g.poeTraco(l, k, U'-'), g.poeTraco(baixo, k, U'-');
                    for (int k = l; k <= baixo; ++k) g.poeTraco(k, c, U'|'), g.poeTraco(k, dir, U'|');
                    g.poe(l, c, U'+'), g.poe(l, dir, U'+'), g.poe(baixo, c, U'+'), g.poe(baixo, dir, U'+');
                    break;
                }
                case Elemento::Tipo::Texto:
                    break;
            }
        }
        for (const Elemento& e : pagina.elementos) {
            if (e.tipo != Elemento::Tipo::Texto) continue;
            const std::u32string texto = ParaU32(e.texto);
            const int c = Celula(e.x - x0, grade.mmPorColuna);
            const int l = Celula(e.y - y0, grade.mmPorLinha);
            const int w = Celula(e.largura, grade.mmPorColuna);
            const int n = static_cast<int>(texto.size());
            int inicio = c;
            if (e.alinhamento == Alinhamento::Direita) inicio = c + w - n;
            else if (e.alinhamento == Alinhamento::Centro) inicio = c + (w - n) / 2;
            // A run wider than its box keeps its start inside the box.
            if (n > w) inicio = c;
            for (int k = 0; k < n; ++k) {
                const int col = inicio + k;
                if (e.recorta && (col < c || col >= c + w)) continue;
                const char32_t ch = texto[static_cast<size_t>(k)];
                g.poe(l, col, (ch == U'\t' || ch == U'\n' || ch == U'\r') ? U' ' : ch);
            }
        }
        saida += g.texto();
    }
    return saida;
}

GradeTexto GradeDoDocumento(const Documento& documento) {
    std::map<double, size_t> porTamanho;
    for (const Pagina& p : documento.paginas)
        for (const Elemento& e : p.elementos)
            if (e.tipo == Elemento::Tipo::Texto && !e.texto.empty()) ++porTamanho[e.fonte.tamanho];
    double tamanho = 10.0;
    size_t mais = 0;
    for (const auto& [t, n] : porTamanho)
        if (n > mais) mais = n, tamanho = t;
    const GradeTexto padrao;
    return GradeTexto{padrao.mmPorColuna * tamanho / 10.0, padrao.mmPorLinha * tamanho / 10.0};
}

}  // namespace korva
