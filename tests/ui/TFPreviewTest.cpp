// The report preview: opened maximised and zoomed to the page width, page
// navigation with the "n/N" page box, zooming, printing from the preview and
// a report without pages.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "storage/Excecoes.h"  // before JanelasTeste.h, which needs ApresentacaoErros
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TratamentoErros.h"
#include "reports/ui/TFPreview.h"

using korva::Documento;
using korva::ui::TFPreview;

namespace {

Documento TresPaginas() {
    Documento d;
    for (int i = 1; i <= 3; ++i) {
        korva::Pagina p;
        p.numero = i;
        korva::Elemento e;
        e.x = 10, e.y = 10, e.largura = 190, e.altura = 5;
        e.texto = "Página " + std::to_string(i) + " de 3";
        p.elementos.push_back(e);
        d.paginas.push_back(std::move(p));
    }
    return d;
}

QString CaixaPagina(TFPreview& w) { return w.findChild<QSpinBox*>(QStringLiteral("caixaPagina"))->text(); }
QSize Folha(TFPreview& w) { return w.findChild<QLabel*>(QStringLiteral("folha"))->pixmap().size(); }
QSize Area(TFPreview& w) { return w.findChild<QScrollArea*>()->viewport()->size(); }

}  // namespace

class TFPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void abreMaximizadaNaLarguraDaPagina() {
        TFPreview w(TresPaginas(), QStringLiteral("Relatório de Cálculo"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.windowTitle(), QStringLiteral("Relatório de Cálculo"));
        QCOMPARE(w.ajuste(), TFPreview::Ajuste::Largura);
        QCOMPARE(w.totalPaginas(), 3);
        QCOMPARE(w.paginaAtual(), 1);
        QCOMPARE(CaixaPagina(w), QStringLiteral("1/3"));
        // The sheet fills the width without a horizontal scroll bar.
        QTRY_VERIFY(Folha(w).width() > 0.8 * Area(w).width());
        QVERIFY(Folha(w).width() <= Area(w).width());
        // A4 proportions.
        QVERIFY(std::abs(Folha(w).height() - Folha(w).width() * 297.0 / 210.0) < 3);
        // Following the window's size while fitted.
        const double antes = w.zoom();
        w.showNormal();
        w.resize(500, 400);
        QTRY_VERIFY(w.zoom() < antes);
        QVERIFY(Folha(w).width() <= Area(w).width());
    }

    void navegacaoPelasPaginas() {
        TFPreview w(TresPaginas(), QStringLiteral("Relatório"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.anterior();  // already on the first page
        QCOMPARE(w.paginaAtual(), 1);
        w.proxima();
        QCOMPARE(w.paginaAtual(), 2);
        QCOMPARE(CaixaPagina(w), QStringLiteral("2/3"));
        w.ultima();
        QCOMPARE(w.paginaAtual(), 3);
        w.proxima();
        QCOMPARE(w.paginaAtual(), 3);
        QCOMPARE(CaixaPagina(w), QStringLiteral("3/3"));
        w.primeira();
        QCOMPARE(w.paginaAtual(), 1);
        w.vaiParaPagina(99);
        QCOMPARE(w.paginaAtual(), 3);

        // A page number typed in the page box.
        auto* caixa = w.findChild<QSpinBox*>(QStringLiteral("caixaPagina"));
        caixa->setFocus();
        caixa->selectAll();
        QTest::keyClicks(caixa, QStringLiteral("2"));
        QTest::keyClick(caixa, Qt::Key_Return);
        QCOMPARE(w.paginaAtual(), 2);
        // Page keys.
        QTest::keyClick(&w, Qt::Key_PageDown);
        QCOMPARE(w.paginaAtual(), 3);
        QTest::keyClick(&w, Qt::Key_PageUp);
        QCOMPARE(w.paginaAtual(), 2);
    }

    void zoom() {
        TFPreview w(TresPaginas(), QStringLiteral("Relatório"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(20);
        const double largura = w.zoom();
        const int px = Folha(w).width();
        w.ampliar();
        QCOMPARE(w.ajuste(), TFPreview::Ajuste::Livre);
        QVERIFY(std::abs(w.zoom() - largura * 1.25) < 1e-9);
        QVERIFY(Folha(w).width() > px * 1.2);
        const QString rotulo = w.findChild<QLabel*>(QStringLiteral("rotuloZoom"))->text();
        QCOMPARE(rotulo, QStringLiteral("%1%").arg(std::lround(w.zoom() * 100)));
        w.reduzir();
        w.reduzir();
        QVERIFY(std::abs(w.zoom() - largura / 1.25) < 1e-9);
        for (int i = 0; i < 40; ++i) w.reduzir();
        QVERIFY(w.zoom() >= 0.1 - 1e-9);  // bounded
        QVERIFY(Folha(w).width() > 0);
        w.ajustaPagina();
        QCOMPARE(w.ajuste(), TFPreview::Ajuste::Pagina);
        QVERIFY(Folha(w).height() <= Area(w).height());
        QVERIFY(Folha(w).width() <= Area(w).width());
        w.ajustaLargura();
        QVERIFY(std::abs(w.zoom() - largura) < 1e-9);
    }

    void imprimeDaVisualizacao() {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("preview.pdf"));
        TFPreview w(TresPaginas(), QStringLiteral("Relatório"));
        int chamadas = 0;
        w.defineEscolhaImpressora([&](QPrinter& p) {
            ++chamadas;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(caminho);
            return true;
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* imprimir = w.findChild<QPushButton*>(QStringLiteral("BtImprimir"));
        QCOMPARE(imprimir->text(), QStringLiteral("&Imprimir"));
        QTest::mouseClick(imprimir, Qt::LeftButton);
        QCOMPARE(chamadas, 1);
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(f.readAll());
        QCOMPARE(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 3);

        // Giving up in the dialog prints nothing.
        f.close();
        QFile::remove(caminho);
        w.defineEscolhaImpressora([](QPrinter&) { return false; });
        QTest::mouseClick(imprimir, Qt::LeftButton);
        QVERIFY(!QFile::exists(caminho));
    }

    void salvarPdf() {
        QTemporaryDir pasta;
        korva::teste::RegistroMensagens registro;
        korva::ui::DefineApresentacao(&registro);
        TFPreview w(TresPaginas(), QStringLiteral("Relatório de Cálculo: 12/2025"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The title proposed, without what a file name cannot hold; ".pdf" added when missing.
        QCOMPARE(w.nomeProposto(), QStringLiteral("Relatório de Cálculo- 12-2025.pdf"));
        QString proposto;
        const QString caminho = pasta.filePath(QStringLiteral("relatorio"));
        TFPreview::DefineArquivoPdfTeste([&](const QString& p) {
            proposto = p;
            return caminho;
        });
        auto* salvar = w.findChild<QPushButton*>(QStringLiteral("BtSalvarPdf"));
        QCOMPARE(salvar->text(), QStringLiteral("Salvar PDF..."));
        QTest::mouseClick(salvar, Qt::LeftButton);
        QVERIFY(proposto.endsWith(w.nomeProposto()));
        QCOMPARE(w.ultimoPdf(), caminho + QStringLiteral(".pdf"));
        QFile f(w.ultimoPdf());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 3);
        QVERIFY(!QFile::exists(w.ultimoPdf() + QStringLiteral(".tmp")));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("LbSituacao"))->text().contains(QStringLiteral("relatorio.pdf")));
        QVERIFY(registro.mensagens.isEmpty());

        // A folder that does not exist: the message, and neither file nor leftover.
        QTest::qWait(450);  // the handler drops a message within 0.432 s of the last
        const QString ruim = pasta.filePath(QStringLiteral("nao/existe/x.pdf"));
        TFPreview::DefineArquivoPdfTeste([&](const QString&) { return ruim; });
        QVERIFY(!w.salvaPdf());
        QCOMPARE(registro.mensagens.size(), 1);
        QVERIFY(registro.mensagens[0].startsWith(QStringLiteral("Não foi possível gravar o arquivo ")));
        QVERIFY(!QFile::exists(ruim) && !QFile::exists(ruim + QStringLiteral(".tmp")));
        QCOMPARE(w.ultimoPdf(), caminho + QStringLiteral(".pdf"));

        // Giving up writes nothing and says nothing.
        TFPreview::DefineArquivoPdfTeste([](const QString&) { return QString(); });
        QVERIFY(!w.salvaPdf());
        QCOMPARE(registro.mensagens.size(), 1);
        TFPreview::DefineArquivoPdfTeste({});
        korva::ui::DefineApresentacao(nullptr);

        // Reached while modal, as the windows that open it run it.
        TFPreview modal(TresPaginas(), QStringLiteral("Relatório"));
        QString nome;
        QTimer::singleShot(50, [&] {
            if (auto* p = qobject_cast<TFPreview*>(QApplication::activeModalWidget())) {
                nome = p->objectName();
                QTest::mouseClick(p->findChild<QPushButton*>(QStringLiteral("BtFechar")), Qt::LeftButton);
            }
        });
        QTimer::singleShot(3000, &modal, &QDialog::reject);  // bounded
        modal.exec();
        QCOMPARE(nome, QStringLiteral("TFPreview"));
    }

    void relatorioSemPaginas() {
        TFPreview w(Documento{}, QStringLiteral("Relação de Verbas"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.paginaAtual(), 0);
        QCOMPARE(CaixaPagina(w), QStringLiteral("0/0"));
        w.proxima();
        w.ultima();
        w.ampliar();
        QCOMPARE(w.paginaAtual(), 0);
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("BtImprimir"))->isEnabled());
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("BtSalvarPdf"))->isEnabled());
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("folha"))->text(), QStringLiteral("Relatório sem páginas."));
    }
};

int main(int argc, char** argv) {
    korva::ui::AplicacaoKorva aplicacao(argc, argv);
    korva::ui::ConfiguraAplicacao(aplicacao);
    TFPreviewTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFPreviewTest.moc"
