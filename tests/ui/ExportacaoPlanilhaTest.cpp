// "Exportar &Planilha..." in the print dialog and in the month grid, over a
// real calculation: the proposed name, the workbook written and confirmed,
// giving up in the file dialog, a read-only file refused and left as it was,
// and an uncalculated grid refused with the print dialog's message.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "storage/Excecoes.h"  // before JanelasTeste.h, which needs ApresentacaoErros
#include "apoio/Arquivos.h"
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "parameters/ui/TFParam2.h"
#include "reports/ui/TFPrintCalculo.h"
#include "reports/ImpressaoCalculo.h"
#include "results/CorrecaoJuros.h"
#include "spreadsheets/ui/ExportacaoPlanilha.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

class ExportacaoPlanilhaTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst_;
    CalculoAberto calculo_;
    teste::RegistroMensagens registro_;
    QTemporaryDir pasta_;
    QString proposto_;

    Sessao& sessao() { return *inst_->sessao; }

    // The file dialog answers `arquivo`, remembering what it was offered.
    void responde(const QString& arquivo) {
        DefineArquivoPlanilhaTeste([this, arquivo](const QString& p) {
            proposto_ = p;
            return arquivo;
        });
    }
    QString caminho(const QString& nome) const { return pasta_.filePath(nome); }
    static std::string Le(const QString& c) { return teste::LeArquivo(c.toStdString()); }

    // Clicks the button of a window and returns the message boxes' texts.
    template <class Janela>
    QStringList clica(Janela& w) {
        teste::RespondeMensagens respostas;
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) return {QStringLiteral("janela não exposta")};
        auto* b = w.template findChild<QPushButton*>("BtExportarPlanilha");
        if (!b) return {QStringLiteral("sem botão")};
        if (b->text() != QStringLiteral("Exportar &Planilha...")) return {QStringLiteral("legenda ") + b->text()};
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::qWait(50);
        return respostas.textos;
    }

private slots:
    void initTestCase() {
        inst_ = std::make_unique<teste::InstalacaoTeste>();
        calculo_ = inst_->importa("diferencas-salariais-horas-extras.json");
        TabelasReferencia referencia(sessao().compartilhado());
        CorrecaoJuros correcao(sessao().privado(), referencia);
        CalculoDtBase dtBase(referencia, calculo_.mensal.dtBasePadrao);
        Geracao(sessao().privado(), calculo_.tabela('A'), calculo_.tabela('B'), dtBase).Gera();
        CalculoMensal(sessao().privado(), referencia, calculo_.tabela('B'), calculo_.tabela('I'), calculo_.mensal,
                      [&](int cod, Data de, Data ate) { return correcao.FatorIndiceDiario(cod, de, ate); })
            .Calcula();
        DefineApresentacao(&registro_);
    }
    void cleanupTestCase() {
        DefineApresentacao(nullptr);
        DefineArquivoPlanilhaTeste({});
        inst_.reset();
    }
    void init() {
        registro_.mensagens.clear();
        QTest::qWait(450);  // the handler drops a message within 0.432 s of the last one
    }

    void doDialogoDeImpressao() {
        const QString alvo = caminho("impressao.xlsx");
        responde(alvo);
        TFPrintCalculo w(sessao(), calculo_);
        const QStringList textos = clica(w);
        QCOMPARE(proposto_, QStringLiteral("Processo %1 Grupo 001.xlsx")
                                .arg(QString::fromStdString(calculo_.execucao.processo)));
        QVERIFY2(registro_.mensagens.isEmpty(), qPrintable(registro_.mensagens.join("\n")));
        QCOMPARE(textos.size(), 1);
        QVERIFY2(textos.front().startsWith(QStringLiteral("Planilha gravada em ")), qPrintable(textos.front()));
        QVERIFY(textos.front().contains(QStringLiteral("impressao.xlsx (322 linha(s) mês a mês)")));
        QCOMPARE(QString::fromStdString(Le(alvo).substr(0, 2)), QStringLiteral("PK"));
    }

    void desistirNaoGravaNada() {
        responde({});
        TFPrintCalculo w(sessao(), calculo_);
        QCOMPARE(clica(w), QStringList());
        QVERIFY(registro_.mensagens.isEmpty());
        QCOMPARE(QDir(pasta_.path()).entryList({QStringLiteral("*.xlsx*")}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void arquivoSomenteLeituraFicaComoEstava() {
        const QString alvo = caminho("protegido.xlsx");
        teste::GravaArquivo(alvo.toStdString(), "antigo");
        fs::permissions(alvo.toStdString(), fs::perms::owner_read);
        responde(caminho("protegido"));  // the extension is added
        TFPrintCalculo w(sessao(), calculo_);
        QCOMPARE(clica(w), QStringList());
        QCOMPARE(registro_.mensagens.size(), 1);
        QVERIFY2(registro_.mensagens.front().contains(QStringLiteral("somente leitura")),
                 qPrintable(registro_.mensagens.front()));
        QCOMPARE(Le(alvo), std::string("antigo"));
    }

    void daGradeMensal() {
        const QString alvo = caminho("grade.xlsx");
        responde(alvo);
        {
            TFParam2 w(sessao(), calculo_);
            const QStringList textos = clica(w);
            QCOMPARE(textos.size(), 1);
            QVERIFY(textos.front().contains(QStringLiteral("grade.xlsx")));
            QVERIFY(registro_.mensagens.isEmpty());
        }
        QCOMPARE(QString::fromStdString(Le(alvo).substr(0, 2)), QStringLiteral("PK"));

        // One uncalculated row: the print dialog's refusal, and no file.
        const std::string b = calculo_.tabela('B');
        sessao().privado().executa(
            b, "update Tabela set Calculado=0 where Codigo=(select min(Codigo) from Tabela)");
        QCOMPARE(ContaNaoCalculados(sessao().privado(), b), 1);
        responde(caminho("nao.xlsx"));
        {
            TFParam2 w(sessao(), calculo_);
            QCOMPARE(clica(w), QStringList());
        }
        QCOMPARE(registro_.mensagens.size(), 1);
        QVERIFY2(registro_.mensagens.front().contains(QStringLiteral("Há 1 item(s) que voce alterou")),
                 qPrintable(registro_.mensagens.front()));
        QVERIFY(!QFile::exists(caminho("nao.xlsx")));
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    ExportacaoPlanilhaTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "ExportacaoPlanilhaTest.moc"
