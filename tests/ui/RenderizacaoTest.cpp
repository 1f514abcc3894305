// The Qt renderers of laid-out pages: text measured with the DejaVu fonts,
// pages drawn with their alignment, clipping and rules, PDF files with the
// right sheets and embedded fonts, and printing a page range.
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "reports/render/FontesRelatorio.h"
#include "reports/render/GravaPdf.h"
#include "reports/render/Imprime.h"
#include "reports/render/MedidorQt.h"
#include "reports/render/PintaPagina.h"
#include "util/Erros.h"

using namespace korva;

namespace {

Elemento Texto(double x, double y, double largura, std::string texto, Alinhamento al = Alinhamento::Esquerda,
               Fonte f = {}, bool recorta = false) {
    Elemento e;
    e.tipo = Elemento::Tipo::Texto;
    e.x = x, e.y = y, e.largura = largura, e.altura = 5;
    e.texto = std::move(texto);
    e.alinhamento = al;
    e.fonte = f;
    e.recorta = recorta;
    return e;
}

Elemento Traco(Elemento::Tipo tipo, double x, double y, double largura, double altura) {
    Elemento e;
    e.tipo = tipo;
    e.x = x, e.y = y, e.largura = largura, e.altura = altura;
    e.espessura = 0.5;
    return e;
}

Documento Folhas(int n, Orientacao o) {
    Documento d;
    d.orientacao = o;
    d.largura = A4Largura(o);
    d.altura = A4Altura(o);
    for (int i = 1; i <= n; ++i) {
        Pagina p;
        p.numero = i;
        p.elementos.push_back(Texto(10, 10, 100, "Página " + std::to_string(i) + " — ação, índice, cálculo"));
        d.paginas.push_back(std::move(p));
    }
    return d;
}

// Columns (in pixels) holding any dark pixel between rows y0 and y1.
std::pair<int, int> Tinta(const QImage& img, int y0, int y1, int x0 = 0, int x1 = -1) {
    if (x1 < 0) x1 = img.width() - 1;
    int menor = -1, maior = -1;
    for (int y = std::max(0, y0); y <= std::min(y1, img.height() - 1); ++y)
        for (int x = x0; x <= x1; ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                if (menor < 0 || x < menor) menor = x;
                if (x > maior) maior = x;
            }
    return {menor, maior};
}

QByteArray Le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int PaginasPdf(const QByteArray& pdf) {
    return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

}  // namespace

class RenderizacaoTest : public QObject {
    Q_OBJECT

private slots:
    void medidasComAsFontesDejaVu() {
        QCOMPARE(FamiliaRelatorio(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(QFontInfo(FonteQt({})).family(), QStringLiteral("DejaVu Sans"));
        MedidorQt m;
        const Fonte dez;
        Fonte vinte;
        vinte.tamanho = 20;
        Fonte negrito;
        negrito.negrito = true;
        QCOMPARE(m.largura("", dez), 0.0);
        const double w = m.largura("Total da execução", dez);
        QVERIFY(w > 20 && w < 40);  // ~17 characters of about 2 mm
        QVERIFY(std::abs(m.largura("Total da execução", vinte) - 2 * w) < 0.01 * w);
        QVERIFY(m.largura("Total da execução", negrito) > w);
        // No kerning: a text is as wide as its characters, accents included.
        QVERIFY(std::abs(m.largura("ção", dez) - (m.largura("ç", dez) + m.largura("ã", dez) + m.largura("o", dez))) <
                1e-6);
        // Tabs and line breaks take a blank's room; broken UTF-8 is measured, not fatal.
        QVERIFY(std::abs(m.largura("a\tb", dez) - m.largura("a b", dez)) < 1e-9);
        QVERIFY(m.largura("\xff\xc3", dez) > 0);
        QVERIFY(m.alturaLinha(dez) > 3.5 && m.alturaLinha(dez) < 4.5);
        QVERIFY(m.ascendente(dez) > 0 && m.ascendente(dez) < m.alturaLinha(dez));
        // Lines wrapped with real widths never exceed the width asked for.
        for (const std::string& l : QuebraLinhas("Atualização monetária e juros de mora sobre as verbas deferidas",
                                                 40, dez, m))
            QVERIFY(m.largura(l, dez) <= 40 + 1e-6);
    }

    void paginaDesenhadaComAlinhamentoRecorteETracos() {
        Documento d = Folhas(1, Orientacao::Retrato);
        Pagina& p = d.paginas[0];
        p.elementos.clear();
        p.elementos.push_back(Texto(20, 20, 100, "1.234,56", Alinhamento::Direita));
        p.elementos.push_back(Texto(20, 30, 100, "Centro", Alinhamento::Centro));
        p.elementos.push_back(Texto(20, 40, 10, "MMMMMMMMMMMMMMMM", Alinhamento::Esquerda, {}, true));
        p.elementos.push_back(Texto(20, 50, 10, "MMMMMMMMMMMMMMMM", Alinhamento::Direita));
        p.elementos.push_back(Texto(20, 60, 100, "\xff\xfe inválido"));
        p.elementos.push_back(Traco(Elemento::Tipo::LinhaH, 20, 70, 100, 0));
        p.elementos.push_back(Traco(Elemento::Tipo::Caixa, 20, 80, 50, 30));
        const double dpi = 254;  // 10 pixels per millimetre
        const QImage img = ImagemPagina(d, 0, dpi);
        QCOMPARE(img.width(), 2100);
        QCOMPARE(img.height(), 2970);

        const auto direita = Tinta(img, 200, 250);
        QVERIFY(direita.second <= 1200 && direita.second > 1180);  // ends at the box's right edge
        QVERIFY(direita.first > 1000);
        const auto centro = Tinta(img, 300, 350);
        QVERIFY(std::abs((centro.first + centro.second) / 2 - 700) < 10);
        const auto recortado = Tinta(img, 400, 450);
        QVERIFY(recortado.first >= 200 && recortado.second < 300);  // nothing outside its 10 mm box
        const auto transborda = Tinta(img, 500, 550);
        QVERIFY(transborda.first >= 200 && transborda.first < 205);  // too wide: starts at the box's left
        QVERIFY(transborda.second > 400);                            // and spills to the right
        // Left-aligned text ends where the measurer says it does.
        MedidorQt m;
        const auto esquerda = Tinta(img, 600, 650);
        QVERIFY(esquerda.first >= 200 && esquerda.first < 206);
        QVERIFY(std::abs(esquerda.second - (200 + m.largura("\xff\xfe inválido", {}) * 10)) < 8);
        const auto regua = Tinta(img, 700, 700);
        QVERIFY(regua.first <= 201 && regua.second >= 1199);
        const auto caixa = Tinta(img, 850, 950, 210, 690);
        QCOMPARE(caixa.first, -1);  // only the outline
        QVERIFY(Tinta(img, 850, 950, 195, 205).first >= 0);
        QVERIFY(Tinta(img, 800, 800).second >= 699);
        // Past the last page: a blank sheet, not a failure.
        QCOMPARE(Tinta(ImagemPagina(d, 5, 50), 0, 10000).first, -1);
    }

    void pdfComFolhasOrientacaoEFontesEmbutidas() {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("relatorio.pdf"));
        Documento d = Folhas(3, Orientacao::Paisagem);
        Fonte estilo;
        estilo.italico = true;
        estilo.sublinhado = true;
        d.paginas[0].elementos.push_back(Texto(10, 30, 200, "Itálico sublinhado", Alinhamento::Esquerda, estilo));
        GravaPdf(d, caminho.toStdString(), {300, "Relatório de Cálculo"});
        const QByteArray pdf = Le(caminho);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PaginasPdf(pdf), 3);
        QVERIFY(pdf.contains("DejaVuSans"));
        QVERIFY(pdf.contains("DejaVuSans-Oblique"));
        QVERIFY(pdf.contains("/FontFile2"));  // TrueType embedded
        const auto caixa = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(
            QString::fromLatin1(pdf));
        QVERIFY(caixa.hasMatch());
        QVERIFY(std::abs(caixa.captured(1).toDouble() - 841.89) < 1);  // A4 landscape, in points
        QVERIFY(std::abs(caixa.captured(2).toDouble() - 595.28) < 1);

        GravaPdf(Folhas(1, Orientacao::Retrato), caminho.toStdString(), {1200, ""});
        QCOMPARE(PaginasPdf(Le(caminho)), 1);
        QVERIFY_THROWS_EXCEPTION(ErroKorva, GravaPdf(d, caminho.toStdString(), {600, ""}));
        QVERIFY_THROWS_EXCEPTION(ErroES, GravaPdf(d, pasta.filePath("nao/existe/r.pdf").toStdString()));
    }

    void impressaoDoIntervaloEscolhido() {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("impresso.pdf"));
        const Documento d = Folhas(4, Orientacao::Retrato);
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(caminho);
        impressora.setPrintRange(QPrinter::PageRange);
        impressora.setFromTo(2, 3);
        QCOMPARE(Imprime(d, impressora), 2);
        QCOMPARE(PaginasPdf(Le(caminho)), 2);

        QPrinter todas(QPrinter::HighResolution);
        todas.setOutputFormat(QPrinter::PdfFormat);
        todas.setOutputFileName(caminho);
        QCOMPARE(Imprime(d, todas), 4);
        QCOMPARE(PaginasPdf(Le(caminho)), 4);

        QPrinter fora(QPrinter::HighResolution);
        fora.setOutputFormat(QPrinter::PdfFormat);
        fora.setOutputFileName(pasta.filePath(QStringLiteral("nada.pdf")));
        fora.setPrintRange(QPrinter::PageRange);
        fora.setFromTo(7, 9);
        QCOMPARE(Imprime(d, fora), 0);
    }
};

int main(int argc, char** argv) {
    QGuiApplication aplicacao(argc, argv);
    RenderizacaoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "RenderizacaoTest.moc"
