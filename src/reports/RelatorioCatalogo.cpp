#include "reports/RelatorioCatalogo.h"

#include "reports/BandasComuns.h"
#include "reports/Colunas.h"

namespace korva {

Documento DiagramaCatalogo(const std::vector<LinhaRelatorioVerbas>& linhas, const std::string& tribunal, Data hoje,
                           const std::string& versao, const Medidor& m) {
    if (linhas.empty()) {
        Documento vazio;
        vazio.orientacao = Orientacao::Retrato;
        vazio.largura = A4Largura(vazio.orientacao);
        vazio.altura = A4Altura(vazio.orientacao);
        return vazio;
    }
    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    size_t atual = 0;
    FonteFuncoes fonte([&] { return linhas.size(); }, [&](size_t i) { atual = i; });

    GradeColunas g;
    g.espaco = c;
    auto col = [&](const char* titulo, double largura, Alinhamento al, std::string LinhaRelatorioVerbas::*campo) {
        ColunaDeCampo(g, titulo, largura, c, al, linhas, atual, campo);
    };
    const auto esq = Alinhamento::Esquerda, dir = Alinhamento::Direita, cen = Alinhamento::Centro;
    col("Verba", 40, esq, &LinhaRelatorioVerbas::verba);
    col("Índice", 8, dir, &LinhaRelatorioVerbas::indice);
    col("Divisor", 8, dir, &LinhaRelatorioVerbas::divisor);
    col("Base", 4, cen, &LinhaRelatorioVerbas::base);
    col("INSS", 4, cen, &LinhaRelatorioVerbas::inss);
    col("Base do I.R.", 28, esq, &LinhaRelatorioVerbas::baseIR);
    col("Qtde.", 12, dir, &LinhaRelatorioVerbas::qtde);
    // Titles wider than their values widen their columns; the income-tax
    // base, the column with most room to spare, gives it.
    g.colunas[5].largura -= g.AlargaAosTitulos(FonteCorpo(true), m);

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    Banda cab;
    cab.adiciona(ElementoBanda::Rotulo(0, 0, 0, tribunal, FonteCorpo(true), Alinhamento::Centro));
    cab.adiciona(ElementoBanda::Rotulo(0, lh, 0, kTituloRelatorioVerbas, FonteCorpo(true), Alinhamento::Centro));
    cab.adiciona(ElementoBanda::Rotulo(0, 2 * lh, 0, hoje.dma(), FonteCorpo(), Alinhamento::Direita));
    cab.adiciona(ElementoBanda::LinhaH(0, 3 * lh, 0));
    cab.altura = 4 * lh;
    rel.cabecalhoPagina.push_back(std::move(cab));
    Banda titulos = g.BandaTitulos(FonteCorpo(true), m);
    titulos.adiciona(ElementoBanda::LinhaH(0, titulos.altura, 0));
    titulos.altura += lh;
    rel.cabecalhoColunas.push_back(std::move(titulos));
    rel.rodapePagina.push_back(BandaRodape(versao, m));
    rel.fonte = &fonte;
    rel.detalhe = g.BandaValores(lh, FonteCorpo());
    return Diagrama(rel, m);
}

Documento ProduzCatalogo(Banco& privado, TabelasReferencia& referencia, const std::string& tribunal, Data hoje,
                         const std::string& versao, const Medidor& m) {
    return DiagramaCatalogo(LinhasRelatorioVerbas(privado, referencia), tribunal, hoje, versao, m);
}

}  // namespace korva
