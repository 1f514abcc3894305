// The print dialog over a real calculation (a sample document imported, its
// month grid generated and calculated through the core), driven as a user
// does: the option list and the choice kept between showings, the refusal
// while a month row is uncalculated, the calculated items always previewed,
// the totals stored after the summary report and not after the INSS one,
// giving up at the printer, the reminder of the lawsuit summary, the
// remittance file, and a report saved as PDF from the preview.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "storage/Excecoes.h"  // before JanelasTeste.h, which needs ApresentacaoErros
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "parameters/ui/TFLembraResumo.h"
#include "reports/ProducaoRelatorios.h"
#include "reports/ui/TFPreview.h"
#include "reports/ui/TFPrintCalculo.h"
#include "results/CorrecaoJuros.h"
#include "results/FormatoNumero.h"
#include "results/RemessaINSS.h"
#include "storage/Banco.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Answers the modal windows a button of the print dialog opens: each preview
// is handed to `naVisualizacao` and closed, the summary reminder gets the
// queued answer ("&Sim" when none). Anything else left open for 5 s is
// closed and counted as unexpected, so no test hangs.
class Atendente : public QObject {
public:
    std::function<void(TFPreview&)> naVisualizacao;
    std::deque<bool> respostasLembrete;
    int visualizacoes = 0, lembretes = 0, inesperadas = 0;
    QStringList titulos;

    Atendente() {
        connect(&relogio_, &QTimer::timeout, this, [this] { atende(); });
        relogio_.start(20);
    }

private:
    void atende() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->property("atendida").toBool()) return;
        if (auto* p = qobject_cast<TFPreview*>(w)) {
            w->setProperty("atendida", true);
            ++visualizacoes;
            titulos.append(p->windowTitle());
            if (naVisualizacao) naVisualizacao(*p);
            p->reject();
        } else if (auto* l = qobject_cast<TFLembraResumo*>(w)) {
            w->setProperty("atendida", true);
            ++lembretes;
            bool sim = true;
            if (!respostasLembrete.empty()) {
                sim = respostasLembrete.front();
                respostasLembrete.pop_front();
            }
            QTest::mouseClick(l->findChild<QPushButton*>(sim ? "BtSim" : "BtNao"), Qt::LeftButton);
        } else if (qobject_cast<QDialog*>(w)) {
            if (w != ultima_) {
                ultima_ = w;
                desde_.start();
            } else if (desde_.elapsed() > 5000) {
                ++inesperadas;
                static_cast<QDialog*>(w)->reject();
            }
        }
    }
    QTimer relogio_;
    QWidget* ultima_ = nullptr;
    QElapsedTimer desde_;
};

// The handler drops a message that follows the last one shown within 0.432 s.
void EsperaRepeticao() { QTest::qWait(450); }

QString TextoPdf(const QString& caminho) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), caminho, QStringLiteral("-")});
    if (!p.waitForFinished(20000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TFPrintCalculoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst_;
    CalculoAberto calculo_;
    teste::RegistroMensagens registro_;

    Sessao& sessao() { return *inst_->sessao; }
    Banco& privado() { return sessao().privado(); }

    void calcula() {
        TabelasReferencia referencia(sessao().compartilhado());
        CorrecaoJuros correcao(privado(), referencia);
        CalculoDtBase dtBase(referencia, calculo_.mensal.dtBasePadrao);
        Geracao(privado(), calculo_.tabela('A'), calculo_.tabela('B'), dtBase).Gera();
        CalculoMensal(privado(), referencia, calculo_.tabela('B'), calculo_.tabela('I'), calculo_.mensal,
                      [&](int cod, Data de, Data ate) { return correcao.FatorIndiceDiario(cod, de, ate); })
            .Calcula();
    }

    // Total and TotalGeral of the calculation's row of Processo.DB (-1 when empty).
    std::pair<double, double> totais() {
        const auto r = privado().consulta("select Total, TotalGeral from Processo where Processo=:P",
                                          {"Processo.DB"}, {{"P", calculo_.execucao.processo}});
        auto v = [](const Valor& x) { return x.nulo() ? -1.0 : x.comoNumero(); };
        return {v(r.front()[0]), v(r.front()[1])};
    }

    // Opens the dialog, checks `opcao` and presses `botao`.
    void aciona(int opcao, const char* botao, Atendente& atendente) {
        TFPrintCalculo w(sessao(), calculo_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* rb = w.findChild<QRadioButton*>(QStringLiteral("RbOpcao%1").arg(opcao));
        QVERIFY(rb);
        rb->setChecked(true);
        QTest::mouseClick(w.findChild<QPushButton*>(botao), Qt::LeftButton);
        QCOMPARE(atendente.inesperadas, 0);
    }

private slots:
    void initTestCase() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        calculo_ = inst_->importa("diferencas-salariais-horas-extras.json");
        calcula();
        DefineApresentacao(&registro_);
        sessao().configuracoes().lembraResumo = "N";
        sessao().configuracoes().gerarArquivoINSS = "N";
    }

    void cleanupTestCase() {
        DefineApresentacao(nullptr);
        TFPreview::DefineArquivoPdfTeste({});
        TFPrintCalculo::DefineEscolhaImpressoraTeste({});
        inst_.reset();
    }

    void init() { registro_.mensagens.clear(); }

    void opcoesEEscolhaMantida() {
        sessao().configuracoes().gerarArquivoINSS = "S";
        {
            TFPrintCalculo w(sessao(), calculo_);
            QCOMPARE(w.windowTitle(), Q("KORVA - Cálculo"));
            QCOMPARE(w.quantidadeOpcoes(), 7);
            QCOMPARE(w.findChild<QRadioButton*>("RbOpcao6")->text(), Q("Remessa ao &I.N.S.S."));
            QCOMPARE(w.findChild<QPushButton*>("BtVisualizar")->toolTip(), Q("Visualizar"));
            QCOMPARE(w.findChild<QPushButton*>("BtImprimir")->toolTip(), Q("Imprimir"));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::mouseClick(w.findChild<QRadioButton*>("RbOpcao3"), Qt::LeftButton, {}, QPoint(6, 8));
            QVERIFY(w.findChild<QRadioButton*>("RbOpcao3")->isChecked());
            teste::GuardaTela(&w, "TFPrintCalculo");
        }
        {
            TFPrintCalculo w(sessao(), calculo_);
            QCOMPARE(w.escolha(), 3);  // kept from the previous showing
            w.defineEscolha(6);
        }
        // Without the seventh option a previous choice of it falls back to the first.
        sessao().configuracoes().gerarArquivoINSS = "N";
        TFPrintCalculo w(sessao(), calculo_);
        QCOMPARE(w.quantidadeOpcoes(), 6);
        QVERIFY(!w.findChild<QRadioButton*>("RbOpcao6"));
        QCOMPARE(w.escolha(), 0);
        QVERIFY(w.findChild<QRadioButton*>("RbOpcao0")->isChecked());
    }

    void linhaNaoCalculadaBloqueiaTudoMenosParametros() {
        sessao().configuracoes().gerarArquivoINSS = "S";
        privado().executa(calculo_.tabela('B'),
                          "UPDATE Tabela SET Calculado=0 WHERE Codigo=(SELECT min(Codigo) FROM Tabela)");
        const auto antes = totais();
        const QString esperado = Q(MsgNaoCalculados(1));
        for (int opcao = 1; opcao <= 6; ++opcao) {
            EsperaRepeticao();
            registro_.mensagens.clear();
            Atendente a;
            aciona(opcao, "BtVisualizar", a);
            QCOMPARE(a.visualizacoes, 0);
            QCOMPARE(a.lembretes, 0);
            QCOMPARE(registro_.mensagens, QStringList{esperado});
        }
        QVERIFY(esperado.startsWith(Q("Há 1 item(s) que voce alterou e não recalculou este processo.")));
        QCOMPARE(totais(), antes);
        QVERIFY(!fs::exists(ArquivoRemessaCalculo(privado(), sessao().configuracoes(), calculo_.execucao)));
        // The parameters still print.
        {
            Atendente a;
            aciona(0, "BtVisualizar", a);
            QCOMPARE(a.visualizacoes, 1);
            QCOMPARE(a.titulos, QStringList{Q("Parâmetros passados por Período")});
        }
        sessao().configuracoes().gerarArquivoINSS = "N";
        calcula();
    }

    void imprimirVerbasCalculadasMostraVisualizacao() {
        int impressoras = 0;
        TFPrintCalculo::DefineEscolhaImpressoraTeste([&](QPrinter&) { return ++impressoras, false; });
        Atendente a;
        int paginas = 0;
        a.naVisualizacao = [&](TFPreview& p) { paginas = p.totalPaginas(); };
        aciona(4, "BtImprimir", a);
        QCOMPARE(a.visualizacoes, 1);
        QCOMPARE(impressoras, 0);
        QCOMPARE(paginas, 1);
        QCOMPARE(a.titulos, QStringList{Q("Relatório de Cálculo")});
        QVERIFY(registro_.mensagens.isEmpty());
        TFPrintCalculo::DefineEscolhaImpressoraTeste({});
    }

    void totaisGravadosDepoisDoResumidoENaoDoINSS() {
        privado().executa("Processo.DB", "UPDATE Tabela SET Total=7.25, TotalGeral=8.5");
        TotaisExecucao esperado;
        {
            TabelasReferencia referencia(sessao().compartilhado());
            CorrecaoJuros correcao(privado(), referencia);
            esperado = ExecutaCalculo(privado(), referencia, correcao, calculo_.execucao);
        }
        QVERIFY(esperado.totalComJuros > 0);
        {
            Atendente a;
            aciona(5, "BtVisualizar", a);  // the INSS report stores nothing
            QCOMPARE(a.visualizacoes, 1);
            QCOMPARE(totais(), std::make_pair(7.25, 8.5));
        }
        {
            Atendente a;
            aciona(2, "BtVisualizar", a);
            QCOMPARE(a.visualizacoes, 1);
            QCOMPARE(a.titulos, QStringList{Q("Relatório de Cálculo")});
        }
        QCOMPARE(totais().first, esperado.total);
        QCOMPARE(totais().second, esperado.totalComJuros);
        // Changed behind its back, the stored total stays after the INSS report.
        privado().executa("Processo.DB", "UPDATE Tabela SET Total=1.5");
        {
            Atendente a;
            aciona(5, "BtVisualizar", a);
        }
        QCOMPARE(totais().first, 1.5);
        QVERIFY(registro_.mensagens.isEmpty());
    }

    void desistirDaImpressoraNaoGravaNada() {
        privado().executa("Processo.DB", "UPDATE Tabela SET Total=2.5");
        int impressoras = 0;
        TFPrintCalculo::DefineEscolhaImpressoraTeste([&](QPrinter&) { return ++impressoras, false; });
        Atendente a;
        aciona(2, "BtImprimir", a);
        QCOMPARE(impressoras, 1);
        QCOMPARE(a.visualizacoes, 0);
        QCOMPARE(totais().first, 2.5);
        QVERIFY(registro_.mensagens.isEmpty());

        // The printer chosen: the pages are printed (to a PDF file here) and the totals stored.
        QTemporaryDir pasta;
        const QString saida = pasta.filePath("impresso.pdf");
        TFPrintCalculo::DefineEscolhaImpressoraTeste([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(saida);
            return true;
        });
        aciona(2, "BtImprimir", a);
        QVERIFY(QFile::exists(saida));
        QVERIFY(totais().first != 2.5);
        TFPrintCalculo::DefineEscolhaImpressoraTeste({});
    }

    void lembreteRespondidoNaoAbandonaOResumo() {
        sessao().configuracoes().lembraResumo = "S";
        auto linhasTemp = [&] {
            const auto temp = AbreBancoTemp(sessao().ambiente());
            if (!temp->existe("Temp.db")) return -1;
            return static_cast<int>(temp->consulta("select count(*) from Tabela", {"Temp.db"}).front()[0].comoInteiro());
        };
        const int antes = linhasTemp();
        {
            Atendente a;
            a.respostasLembrete = {false};
            aciona(3, "BtVisualizar", a);
            QCOMPARE(a.lembretes, 1);
            QCOMPARE(a.visualizacoes, 0);
            QCOMPARE(linhasTemp(), antes);
        }
        // "&Sim": the summary table is built (one claimant) and the summary shown.
        {
            Atendente a;
            a.respostasLembrete = {true};
            aciona(3, "BtVisualizar", a);
            QCOMPARE(a.lembretes, 1);
            QCOMPARE(a.visualizacoes, 1);
            QCOMPARE(a.titulos, QStringList{Q("Resumo de Cálculo")});
            QCOMPARE(linhasTemp(), 1);
        }
        QVERIFY(registro_.mensagens.isEmpty());
        sessao().configuracoes().lembraResumo = "N";
    }

    void remessaGravadaNaPastaConfigurada() {
        QTemporaryDir pasta;
        sessao().configuracoes().gerarArquivoINSS = "S";
        sessao().configuracoes().diretorioINSS = pasta.path().toStdString();
        const fs::path arquivo =
            fs::path(pasta.path().toStdString()) / NomeArquivoRemessa(calculo_.execucao.processo, 1);
        EsperaRepeticao();
        {
            Atendente a;
            aciona(6, "BtVisualizar", a);
            QCOMPARE(a.visualizacoes, 0);
        }
        QVERIFY(fs::exists(arquivo));
        std::ifstream f(arquivo);
        std::string linha;
        int registros = 0;
        while (std::getline(f, linha)) {
            ++registros;
            QVERIFY(linha.rfind("VASKO051", 0) == 0);
        }
        QVERIFY(registros > 0);
        QCOMPARE(registro_.mensagens.size(), 1);
        QVERIFY(registro_.mensagens[0].startsWith(Q("Arquivo de Remessa ao INSS gerado com sucesso.")));
        QVERIFY(registro_.mensagens[0].contains(Q(arquivo.string())));

        // The summary report writes it as well while the setting asks for it.
        fs::remove(arquivo);
        EsperaRepeticao();
        registro_.mensagens.clear();
        {
            Atendente a;
            aciona(2, "BtVisualizar", a);
            QCOMPARE(a.visualizacoes, 1);
        }
        QVERIFY(fs::exists(arquivo));
        QCOMPARE(registro_.mensagens.size(), 1);

        // Without a defendant the remittance tells so, with its own text, and writes nothing.
        fs::remove(arquivo);
        privado().executa(calculo_.tabela('C'), "DELETE FROM Tabela WHERE TipoParte >= 3");
        EsperaRepeticao();
        registro_.mensagens.clear();
        {
            Atendente a;
            aciona(6, "BtVisualizar", a);
        }
        QCOMPARE(registro_.mensagens.size(), 1);
        QVERIFY2(registro_.mensagens[0].startsWith(Q("Não há reclamados cadastrados no Processo: ")),
                 qPrintable(registro_.mensagens[0]));
        QVERIFY(!fs::exists(arquivo));
        sessao().configuracoes().gerarArquivoINSS = "N";
        sessao().configuracoes().diretorioINSS.clear();
    }

    void detalhadoSalvoEmPdfComOTotal() {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath("detalhado.pdf");
        QString proposto;
        TFPreview::DefineArquivoPdfTeste([&](const QString& p) {
            proposto = p;
            return caminho;
        });
        Atendente a;
        bool salvo = false;
        a.naVisualizacao = [&](TFPreview& p) {
            teste::GuardaTela(&p, "TFPreview-detalhado");
            QTest::mouseClick(p.findChild<QPushButton*>("BtSalvarPdf"), Qt::LeftButton);
            salvo = p.ultimoPdf() == caminho;
        };
        aciona(1, "BtVisualizar", a);
        TFPreview::DefineArquivoPdfTeste({});
        QCOMPARE(a.visualizacoes, 1);
        QVERIFY(salvo);
        QVERIFY(proposto.endsWith(Q("Relatório de Cálculo.pdf")));
        QVERIFY(QFile::exists(caminho));
        QVERIFY(!QFile::exists(caminho + ".tmp"));
        const QString texto = TextoPdf(caminho);
        const auto [total, totalGeral] = totais();
        QVERIFY(totalGeral > 0);
        QVERIFY2(texto.contains(Q("Total com Juros:")), qPrintable(texto.left(400)));
        QVERIFY2(texto.contains(Q(FormataNumero(totalGeral, 2))), qPrintable(Q(FormataNumero(totalGeral, 2))));
        QVERIFY(texto.contains(Q(FormataNumero(total, 2))));
        QVERIFY(texto.contains(Q("Mes/Ano")));
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFPrintCalculoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFPrintCalculoTest.moc"
