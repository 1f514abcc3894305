#include "reference/RelatorioTabelas.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "reports/BandasComuns.h"
#include "reports/Colunas.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {
namespace {

std::optional<double> Opcional(const Valor& v) {
    if (v.nulo()) return std::nullopt;
    return v.comoNumero();
}

// One column of a newspaper block: its title and the text of entry i.
struct ColunaJornal {
    std::string titulo;
    double caracteres = 0;
    Alinhamento alinhamento = Alinhamento::Direita;
    std::function<std::string(size_t)> valor;
};

// A heading over some columns of each block ("Seg. Desemprego").
struct TituloSobreColunas {
    size_t primeira = 0, ultima = 0;
    std::string texto;
};

Fonte FonteRodape() {
    Fonte f = FonteCorpo();
    f.italico = true;
    return f;
}

// Lays `n` entries out in `blocos` newspaper columns of `colunas` per page.
Documento DiagramaJornal(size_t n, int blocos, const std::vector<ColunaJornal>& colunas,
                         const std::optional<TituloSobreColunas>& sobre, Orientacao orientacao,
                         const std::string& tribunal, const std::string& titulo, const std::string& versao,
                         const Medidor& m) {
    Documento vazio;
    vazio.orientacao = orientacao;
    vazio.largura = A4Largura(orientacao);
    vazio.altura = A4Altura(orientacao);
    if (n == 0) return vazio;

    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    Relatorio rel;
    rel.orientacao = orientacao;
    const double util = A4Largura(orientacao) - rel.margens.esquerda - rel.margens.direita;
    const double alturaUtil = A4Altura(orientacao) - rel.margens.topo - rel.margens.base;

    // The entry shown by block `b` on the current printed line.
    size_t pagina = 0, linha = 0, porPagina = 1;
    auto entrada = [&](size_t b) -> std::optional<size_t> {
        const size_t i = pagina * porPagina * static_cast<size_t>(blocos) + b * porPagina + linha;
        if (i >= n) return std::nullopt;
        return i;
    };

    // The columns of every block, widened to their titles.
    std::vector<GradeColunas> grades(static_cast<size_t>(blocos));
    GradeColunas modelo;
    modelo.espaco = c;
    for (const ColunaJornal& k : colunas) {
        Coluna col;
        col.titulo = k.titulo;
        col.largura = k.caracteres * c;
        col.alinhamento = k.alinhamento;
        modelo.colunas.push_back(std::move(col));
    }
    modelo.AlargaAosTitulos(FonteCorpo(true), m);
    double larguraBloco = 0;
    for (const Coluna& col : modelo.colunas) larguraBloco += col.largura;
    larguraBloco += modelo.espaco * static_cast<double>(modelo.colunas.size() - 1);
    const double vao = blocos > 1 ? (util - larguraBloco * blocos) / (blocos - 1) : 0;
    if (vao < 2 * c) throw ErroKorva("A relação não cabe na largura da folha.");
    for (size_t b = 0; b < grades.size(); ++b) {
        grades[b] = modelo;
        grades[b].x = static_cast<double>(b) * (larguraBloco + vao);
        for (size_t k = 0; k < colunas.size(); ++k) {
            grades[b].colunas[k].valor = [&entrada, &colunas, b, k](const Contexto&) {
                const auto i = entrada(b);
                return i ? colunas[k].valor(*i) : std::string();
            };
        }
    }

    // Page header: court and title, a rule.
    Banda cab;
    cab.adiciona(ElementoBanda::Rotulo(0, 0, 0, tribunal, FonteCorpo(true), Alinhamento::Centro));
    cab.adiciona(ElementoBanda::Rotulo(0, lh, 0, titulo, FonteCorpo(true), Alinhamento::Centro));
    cab.adiciona(ElementoBanda::LinhaH(0, 2.5 * lh, 0));
    cab.altura = 3 * lh;
    rel.cabecalhoPagina.push_back(std::move(cab));

    // Column titles of every block, the heading over some of them, a rule.
    Banda titulos;
    const double topoTitulos = sobre ? lh : 0;
    for (const GradeColunas& g : grades) {
        if (sobre) {
            const double x0 = g.inicio(sobre->primeira);
            const double x1 = g.inicio(sobre->ultima) + g.colunas[sobre->ultima].largura;
            ElementoBanda e =
                ElementoBanda::Rotulo(x0, 0, x1 - x0, sobre->texto, FonteCorpo(true), Alinhamento::Centro);
            titulos.adiciona(std::move(e));
            titulos.adiciona(ElementoBanda::LinhaH(x0, lh - 0.3, x1 - x0));
        }
        Banda t = g.BandaTitulos(FonteCorpo(true), m);
        for (ElementoBanda& e : t.elementos) {
            e.y += topoTitulos;
            titulos.adiciona(std::move(e));
        }
        titulos.altura = std::max(titulos.altura, topoTitulos + t.altura);
    }
    titulos.adiciona(ElementoBanda::LinhaH(0, titulos.altura + 0.3 * lh, 0));
    titulos.altura += 0.6 * lh;
    const double alturaTitulos = titulos.altura;
    rel.cabecalhoColunas.push_back(std::move(titulos));

    // Page footer: a rule, the version text in italics, the page.
    Banda rodape;
    rodape.altura = 2 * lh;
    rodape.adiciona(ElementoBanda::LinhaH(0, 0.5 * lh, 0));
    rodape.adiciona(ElementoBanda::Rotulo(0, lh, 0, versao, FonteRodape()));
    rodape.adiciona(ElementoBanda::Campo(0, lh, 0, TextoPagina, FonteCorpo(), Alinhamento::Direita));
    const double alturaRodape = rodape.altura;
    rel.rodapePagina.push_back(std::move(rodape));

    // Lines per page, with room to spare so the engine never breaks a page
    // before this count does.
    const double livre = alturaUtil - 3 * lh - alturaTitulos - alturaRodape;
    porPagina = static_cast<size_t>(std::floor((livre - 0.5) / lh));
    if (porPagina == 0) throw ErroKorva("A relação não cabe na altura da folha.");
    const size_t porFolha = porPagina * static_cast<size_t>(blocos);
    const size_t paginas = (n + porFolha - 1) / porFolha;
    // The printed lines: on each page as many as its first column holds.
    std::vector<std::pair<size_t, size_t>> linhas;
    for (size_t p = 0; p < paginas; ++p) {
        const size_t resto = n - p * porFolha;
        for (size_t l = 0; l < std::min(porPagina, resto); ++l) linhas.emplace_back(p, l);
    }
    FonteFuncoes fonte([&] { return linhas.size(); },
                       [&](size_t i) {
                           pagina = linhas[i].first;
                           linha = linhas[i].second;
                       });
    rel.fonte = &fonte;
    // Each page of the list starts a sheet of its own.
    Grupo porFolhaGrupo;
    porFolhaGrupo.chave = [&](const Contexto&) { return std::to_string(pagina); };
    Banda quebra;
    quebra.altura = 0;
    quebra.novaPaginaAntes = true;
    porFolhaGrupo.cabecalho = std::move(quebra);
    rel.grupos.push_back(std::move(porFolhaGrupo));

    Banda detalhe;
    detalhe.altura = lh;
    for (const GradeColunas& g : grades) {
        Banda b = g.BandaValores(lh, FonteCorpo());
        for (ElementoBanda& e : b.elementos) detalhe.adiciona(std::move(e));
    }
    rel.detalhe = std::move(detalhe);
    return Diagrama(rel, m);
}

}  // namespace

std::string TextoSemMilhar(std::optional<double> v, int casas) {
    if (!v) return {};
    std::string t = FormataNumero(*v, casas);
    t.erase(std::remove(t.begin(), t.end(), '.'), t.end());
    return t;
}

std::string TextoComMilhar(std::optional<double> v, int casas) {
    if (!v) return {};
    return FormataNumero(*v, casas);
}

std::vector<LinhaRelacaoValores> LinhasRelacaoValores(Banco& compartilhado) {
    std::vector<LinhaRelacaoValores> r;
    for (const LinhaConsulta& l : compartilhado.consulta(
             "select Ano, Mes, SalMin, SalFam1, SalFam2, LimMinimo, LimMaximo, ValorMaximo from Valores order by Ano, Mes",
             {"Valores.DB"})) {
        LinhaRelacaoValores v;
        v.ano = static_cast<int>(l["Ano"].comoInteiro());
        v.mes = static_cast<int>(l["Mes"].comoInteiro());
        v.salMin = Opcional(l["SalMin"]);
        v.salFam1 = Opcional(l["SalFam1"]);
        v.salFam2 = Opcional(l["SalFam2"]);
        v.limMinimo = Opcional(l["LimMinimo"]);
        v.limMaximo = Opcional(l["LimMaximo"]);
        v.valorMaximo = Opcional(l["ValorMaximo"]);
        r.push_back(v);
    }
    return r;
}

std::vector<LinhaRelacaoIndices> LinhasRelacaoIndices(Banco& compartilhado, int codIndice) {
    const auto linhas = compartilhado.consulta("select Data, Indice from Diario where CodIndice=:C order by Data",
                                               {"Diario.DB"}, {{"C", codIndice}});
    std::optional<double> base;
    if (!linhas.empty()) {
        const Valor& ultimo = linhas.back()["Indice"];
        if (!ultimo.nulo() && ultimo.comoNumero() != 0 && std::isfinite(ultimo.comoNumero())) base = ultimo.comoNumero();
    }
    std::vector<LinhaRelacaoIndices> r;
    r.reserve(linhas.size());
    for (const LinhaConsulta& l : linhas) {
        LinhaRelacaoIndices i;
        i.data = l["Data"].comoData();
        if (base && !l["Indice"].nulo()) i.indice = l["Indice"].comoNumero() / *base;
        r.push_back(i);
    }
    return r;
}

Documento DiagramaRelacaoValores(const std::vector<LinhaRelacaoValores>& linhas, const std::string& tribunal,
                                 const std::string& versao, const Medidor& m) {
    const auto& L = linhas;
    std::vector<ColunaJornal> colunas = {
        {"Mês/Ano", 7, Alinhamento::Centro,
         [&L](size_t i) {
             return Literais::ZerosEsquerdaInt(L[i].mes, 2) + "/" + Literais::ZerosEsquerdaInt(L[i].ano, 4);
         }},
        {"Sal.Mín.", 8, Alinhamento::Direita, [&L](size_t i) { return TextoSemMilhar(L[i].salMin, 2); }},
        {"Sal.Fam.1", 7, Alinhamento::Direita, [&L](size_t i) { return TextoSemMilhar(L[i].salFam1, 2); }},
        {"Sal.Fam.2", 7, Alinhamento::Direita, [&L](size_t i) { return TextoSemMilhar(L[i].salFam2, 2); }},
        {"Lim.Min.", 9, Alinhamento::Direita, [&L](size_t i) { return TextoComMilhar(L[i].limMinimo, 2); }},
        {"Lim.Máx.", 9, Alinhamento::Direita, [&L](size_t i) { return TextoComMilhar(L[i].limMaximo, 2); }},
        {"Vl.Máx.", 9, Alinhamento::Direita, [&L](size_t i) { return TextoComMilhar(L[i].valorMaximo, 2); }},
    };
    return DiagramaJornal(linhas.size(), 2, colunas, TituloSobreColunas{4, 6, "Seg. Desemprego"},
                          Orientacao::Paisagem, tribunal, kTituloRelacaoValores, versao, m);
}

Documento DiagramaRelacaoIndices(const std::vector<LinhaRelacaoIndices>& linhas, const std::string& nomeSerie,
                                 const std::string& tribunal, const std::string& versao, const Medidor& m) {
    const auto& L = linhas;
    std::vector<ColunaJornal> colunas = {
        {"Data", 10, Alinhamento::Centro, [&L](size_t i) { return L[i].data.dma(); }},
        {"Índice", 13, Alinhamento::Direita, [&L](size_t i) { return TextoComMilhar(L[i].indice, 9); }},
    };
    return DiagramaJornal(linhas.size(), 4, colunas, std::nullopt, Orientacao::Retrato, tribunal,
                          std::string(kTituloTabelaIndices) + nomeSerie, versao, m);
}

}  // namespace korva
