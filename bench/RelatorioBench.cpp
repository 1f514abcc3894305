// Rendering reports to PDF: a synthetic document of 400 landscape pages
// (45 lines of 40 text runs each), and the band engine laying out 18,000
// detail rows with the real font metrics and writing them to PDF. The
// figure to hold: laying out and writing the detailed report of a
// 16,800-row calculation in under 3 s.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "PastaBench.h"
#include "reports/Relatorio.h"
#include "reports/RelatorioCalculo.h"
#include "reports/render/GravaPdf.h"
#include "reports/render/MedidorQt.h"

namespace {

using namespace korva;

constexpr int kPaginas = 400, kLinhas = 45, kColunas = 40;

std::string Numero(int i) {
    char b[32];
    std::snprintf(b, sizeof b, "%d.%03d,%02d", i / 1000 % 1000, i % 1000, i % 100);
    return b;
}

Documento Sintetico() {
    Documento d;
    d.orientacao = Orientacao::Paisagem;
    d.largura = A4Largura(d.orientacao);
    d.altura = A4Altura(d.orientacao);
    const double largura = d.larguraUtil() / kColunas;
    Fonte f;
    f.tamanho = 6;
    for (int p = 1; p <= kPaginas; ++p) {
        Pagina pg;
        pg.numero = p;
        pg.elementos.reserve(kLinhas * kColunas + 1);
        for (int l = 0; l < kLinhas; ++l)
            for (int c = 0; c < kColunas; ++c) {
                Elemento e;
                e.x = d.margens.esquerda + c * largura;
                e.y = d.margens.topo + l * 4.0;
                e.largura = largura;
                e.altura = 4.0;
                e.fonte = f;
                e.alinhamento = c == 0 ? Alinhamento::Esquerda : Alinhamento::Direita;
                e.texto = c == 0 ? "Verba " + std::to_string(l) : Numero(p * 1000 + l * 40 + c);
                pg.elementos.push_back(std::move(e));
            }
        Elemento r;
        r.tipo = Elemento::Tipo::LinhaH;
        r.x = d.margens.esquerda, r.y = d.altura - d.margens.base, r.largura = d.larguraUtil();
        pg.elementos.push_back(r);
        d.paginas.push_back(std::move(pg));
    }
    return d;
}

struct Qt {
    int argc = 1;
    char nome[6] = "bench";
    char* argv[2] = {nome, nullptr};
    QGuiApplication app{argc, argv};
};

Qt& Aplicacao() {
    static Qt* qt = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new Qt;
    }();
    return *qt;
}

void BM_PdfSintetico400Paginas(benchmark::State& st) {
    Aplicacao();
    bench::Pasta pasta;
    const Documento d = Sintetico();
    const std::string arquivo = (pasta.p / "sintetico.pdf").string();
    for (auto _ : st) GravaPdf(d, arquivo);
    st.counters["paginas"] = static_cast<double>(d.paginas.size());
    st.counters["KB"] = static_cast<double>(std::filesystem::file_size(arquivo)) / 1024.0;
}
BENCHMARK(BM_PdfSintetico400Paginas)->Unit(benchmark::kMillisecond);

// 16,800 detail rows of 12 columns (a month row of the detailed report)
// under a page header, laid out with MedidorQt in two passes, then written.
void BM_DiagramaEPdf16800Linhas(benchmark::State& st) {
    Aplicacao();
    bench::Pasta pasta;
    const std::string arquivo = (pasta.p / "detalhado.pdf").string();
    MedidorQt medidor;
    constexpr std::size_t kRegistros = 16800;
    std::size_t atual = 0;
    FonteFuncoes fonte([] { return kRegistros; }, [&](std::size_t i) { atual = i; });
    int paginas = 0;
    for (auto _ : st) {
        Relatorio r;
        r.orientacao = Orientacao::Paisagem;
        r.fonte = &fonte;
        Fonte f;
        f.tamanho = 7;
        Banda cab;
        cab.altura = 12;
        cab.adiciona(ElementoBanda::Rotulo(0, 0, 277, "Cálculo Detalhado", Fonte{12, true}, Alinhamento::Centro));
        cab.adiciona(ElementoBanda::LinhaH(0, 10, 277));
        r.cabecalhoPagina.push_back(cab);
        Banda det;
        det.altura = 3.2;
        det.adiciona(ElementoBanda::Campo(0, 0, 60, [&](const Contexto&) { return "015-Horas extras 50% (" + std::to_string(atual % 12 + 1) + "/2009)"; }, f));
        for (int c = 0; c < 11; ++c)
            det.adiciona(ElementoBanda::Campo(60 + c * 19.7, 0, 19.7,
                                              [&, c](const Contexto&) { return Numero(static_cast<int>(atual) * 11 + c); },
                                              f, Alinhamento::Direita));
        r.detalhe = det;
        Banda rod;
        rod.altura = 5;
        rod.adiciona(ElementoBanda::Campo(0, 1, 277, TextoPagina, f, Alinhamento::Direita));
        r.rodapePagina.push_back(rod);
        const Documento d = Diagrama(r, medidor);
        GravaPdf(d, arquivo);
        paginas = static_cast<int>(d.paginas.size());
    }
    st.counters["paginas"] = paginas;
}
BENCHMARK(BM_DiagramaEPdf16800Linhas)->Unit(benchmark::kMillisecond);

// The detailed calculation report of 16,800 month rows (35 years of 40 items
// a month), from the collected run to the PDF file.
DadosCalculo Calculo16800() {
    DadosCalculo d;
    d.reclamantes = {"João da Silva"};
    for (int m = 0; m < 420; ++m) {
        FechamentoMes f;
        f.ano = 1975 + m / 12;
        f.mes = m % 12 + 1;
        f.rotulo = "Mês: " + std::string(f.mes < 10 ? "0" : "") + std::to_string(f.mes) + "/" + std::to_string(f.ano);
        f.mostraTotais = true;
        for (int i = 0; i < 40; ++i) {
            LinhaCalculada l;
            l.codigo = m * 40 + i + 1;
            l.item = 12 + i * 10;
            l.mes = f.mes;
            l.ano = f.ano;
            l.valor = 100.0 + i;
            l.vfm = "V";
            l.inss = i % 2 ? "S" : "N";
            l.dtBase = Data::de(f.ano, f.mes, 1);
            l.descRend = std::to_string(l.item) + "-Diferenças salariais(01/" + std::to_string(f.mes) + "/" +
                         std::to_string(f.ano % 100) + ")";
            l.itemResultado = true;
            l.indReaj = 1.2345678;
            l.valorAtualizado = l.valor * l.indReaj;
            l.juros = 12.5;
            l.valorJuros = l.valorAtualizado * 0.125;
            l.valorAtualizadoComJuros = l.valorAtualizado + *l.valorJuros;
            f.totalMes += l.valorAtualizado;
            f.jurosMes += *l.valorJuros;
            f.totalComJurosMes += *l.valorAtualizadoComJuros;
            d.linhas.push_back(std::move(l));
            d.fechamentoDaLinha.push_back(d.fechamentos.size());
        }
        d.fechamentos.push_back(f);
        d.baseINSSMes.push_back(f.totalMes / 2);
        d.totais.total += f.totalMes;
        d.totais.totalComJuros += f.totalComJurosMes;
    }
    d.totais.simboloMoeda = "R$ ";
    d.totais.aliquotaUnica = true;
    return d;
}

void BM_CalculoDetalhado16800LinhasPdf(benchmark::State& st) {
    Aplicacao();
    bench::Pasta pasta;
    const std::string arquivo = (pasta.p / "calculo.pdf").string();
    const DadosCalculo dados = Calculo16800();
    ParametrosExecucao p;
    p.processo = "0000777-10.2009.5.01.0001";
    p.codRecte = 1;
    p.dtBase = Data::de(2009, 12, 31);
    p.aliquotaUnica = true;
    CabecalhoRelatorio cab{"Tribunal Regional do Trabalho da 1ª Região", "Seção de Cálculos",
                           "Processo: 0000777-10.2009.5.01.0001  Grupo: 001", "01/12/2009", "01/06/2009",
                           "31/12/2009", "Rio de Janeiro, 01 de dezembro de 2009.", ""};
    int paginas = 0;
    for (auto _ : st) {
        MedidorQt medidor;
        const Documento d = DiagramaCalculo(TipoRelatorioCalculo::Detalhado, dados, p, cab, "KORVA",
                                            Data::de(2010, 7, 28), medidor);
        GravaPdf(d, arquivo);
        paginas = static_cast<int>(d.paginas.size());
    }
    st.counters["paginas"] = paginas;
    st.counters["linhas"] = static_cast<double>(dados.linhas.size());
}
BENCHMARK(BM_CalculoDetalhado16800LinhasPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
