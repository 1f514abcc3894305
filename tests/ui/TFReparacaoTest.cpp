// The repair dialog opened through its menu entry over a private database
// with two calculation folders: the log of a sound database, line by line
// behind the busy cursor; the log of a walk that finds a calculation table
// with a page of garbage and rebuilds it (which the running program then
// reads); and the shared database, which has no calculation folders.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "apoio/Arquivos.h"
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "maintenance/ArquivosTabela.h"
#include "maintenance/ui/TFReparacao.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "util/Literais.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

QStringList LinhasOk(const std::string& tabela) {
    const QString t = QString::fromStdString(tabela);
    return {"Checando tabela: " + t + " ...", "Tabela " + t + QStringLiteral(" está Ok."), QString()};
}

// The log of a sound database: every table of the root, then of each calculation folder.
QStringList LogIntegro(const std::string& alias, const fs::path& pasta, bool privado) {
    QStringList r{QStringLiteral("Verificando Banco de Dados: ") + QString::fromStdString(alias)};
    for (const auto& t : TabelasDaPasta(pasta)) r << LinhasOk(t);
    if (privado) {
        auto subs = Literais::ListaSubDiretorios(pasta.string(), "Sub*");
        std::sort(subs.begin(), subs.end());
        for (const auto& s : subs) {
            r << QString::fromStdString("Verificando Banco de Dados: " + alias + "\\" + s + " = " + (pasta / s).string());
            for (const auto& t : TabelasDaPasta(pasta / s)) r << LinhasOk(t);
        }
    }
    r << QStringLiteral("Verificação concluída!");
    return r;
}

// Overwrites one page (4096 bytes) of a table file with garbage.
void EstragaPagina(const fs::path& arquivo, size_t pagina) {
    std::string bytes = teste::LeArquivo(arquivo);
    for (size_t i = pagina * 4096; i < (pagina + 1) * 4096 && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7919) % 251);
    teste::GravaArquivo(arquivo, bytes);
}

}  // namespace

class TFReparacaoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<TFPrincipal> principal;
    teste::RegistroMensagens registro;
    fs::path privado, compartilhado;

    template <class T>
    static T* controle(QWidget* d, const char* nome) {
        T* c = d->findChild<T*>(nome);
        if (!c) qFatal("controle %s ausente", nome);
        return c;
    }

    bool abre(const std::function<void(TFReparacao*)>& passos) {
        bool mostrado = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = principal->findChild<TFReparacao*>();
            struct Fecha {
                TFReparacao* d;
                ~Fecha() {
                    if (d && d->isVisible()) d->done(QDialog::Rejected);
                }
            } fecha{d};
            if (!d || !d->isVisible() || !QTest::qWaitForWindowExposed(d)) return;
            mostrado = true;
            passos(d);
        });
        principal->entrada("MnVerificacaoBD")->trigger();
        return mostrado;
    }

    // Clicks "Verificar/Reparar", watching the log grow; returns the log lines.
    QStringList verifica(TFReparacao* d, int* vistasOcupado = nullptr, bool* fechou = nullptr) {
        int ocupado = 0, vezes = 0;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, this, [&] {
            if (!d->verificando()) return;
            ++vezes;
            const QCursor* c = QApplication::overrideCursor();
            if (c && c->shape() == Qt::WaitCursor && !controle<QPushButton>(d, "BtVerificar")->isEnabled()) ++ocupado;
            if (vezes == 1) {
                d->reject();  // Esc during the walk is ignored
                if (fechou) *fechou = !d->isVisible();
            }
        });
        relogio.start(0);
        QTest::mouseClick(controle<QPushButton>(d, "BtVerificar"), Qt::LeftButton);
        relogio.stop();
        if (vistasOcupado) *vistasOcupado = vezes > 0 && ocupado == vezes ? vezes : -1;
        return controle<QPlainTextEdit>(d, "MmLog")->toPlainText().split(QLatin1Char('\n'));
    }

private slots:
    void initTestCase() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        inst->sessao->configuracoes().qtdeCalculosPorSubDiretorio = 1;
        inst->importa("fgts-dois-reclamantes.json");
        inst->importa("diferencas-salariais-horas-extras.json");
        privado = inst->sessao->aliases().caminho("CalcPriv");
        compartilhado = inst->sessao->aliases().caminho("CalcShare");
        QVERIFY(fs::is_directory(privado / "Sub00002"));
        DefineApresentacao(&registro);
        principal = std::make_unique<TFPrincipal>(*inst->sessao);
        principal->resize(1024, 720);
        principal->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal.get()));
    }

    void cleanupTestCase() {
        principal.reset();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void init() {
        QTest::qWait(500);  // past the repetition window of the error handler
        registro.mensagens.clear();
    }

    void bancoIntegroLogaCadaTabelaDeCadaPasta() {
        QStringList log;
        int ocupado = 0;
        bool fechou = true;
        QVERIFY(abre([&](TFReparacao* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("KORVA - Reparação de Banco de Dados"));
            QVERIFY(d->isModal());
            QCOMPARE(controle<QLabel>(d, "LbBanco")->text(), QStringLiteral("Banco de Dados:"));
            auto* cb = controle<QComboBox>(d, "CbBanco");
            QCOMPARE(cb->count(), 2);
            QCOMPARE(cb->currentText(), QStringLiteral("CalcPriv"));
            QCOMPARE(cb->itemText(1), QStringLiteral("CalcShare"));
            QCOMPARE(controle<QPushButton>(d, "BtVerificar")->text(), QStringLiteral("Verificar/Reparar"));
            QVERIFY(controle<QPlainTextEdit>(d, "MmLog")->isReadOnly());
            log = verifica(d, &ocupado, &fechou);
            QVERIFY(d->isVisible());
            QVERIFY(controle<QPushButton>(d, "BtVerificar")->isEnabled());
        }));
        QCOMPARE(log, LogIntegro("CalcPriv", privado, true));
        QCOMPARE(registro.mensagens, QStringList{});
        // The log was written while the walk went on, behind the busy cursor;
        // the dialog could not be closed meanwhile.
        QVERIFY2(ocupado > 3, qPrintable(QString::number(ocupado)));
        QVERIFY(!fechou);
        QVERIFY(!QApplication::overrideCursor());
    }

    void paginaEstragadaEReconstruidaENoLog() {
        // The largest calculation table of the first folder, a page past its header.
        std::string alvo;
        uintmax_t maior = 0;
        for (const auto& t : TabelasDaPasta(privado / "Sub00001"))
            if (const auto n = fs::file_size(privado / "Sub00001" / t); n > maior) {
                maior = n;
                alvo = t;
            }
        QVERIFY2(maior >= 3 * 4096, alvo.c_str());
        const fs::path arquivo = privado / "Sub00001" / alvo;
        const std::string nome = "Sub00001/" + alvo;
        auto linhas = [&nome](Banco& b) {
            return b.consulta("select count(*) from Tabela", {nome}).front()[0].comoInteiro();
        };
        QVERIFY(linhas(inst->sessao->privado()) > 0);  // the program has the table's file open
        EstragaPagina(arquivo, maior / 4096 - 1);
        QCOMPARE(VerificaArquivoTabela(arquivo).estado, Integridade::Estado::Danificada);

        QStringList log;
        QVERIFY(abre([&](TFReparacao* d) {
            log = verifica(d);
            auto* mm = controle<QPlainTextEdit>(d, "MmLog");
            mm->moveCursor(QTextCursor::Start);
            mm->find(QStringLiteral("está danificada"));
            teste::GuardaTela(d, "reparacao-log");
        }));
        const QString t = QString::fromStdString(alvo);
        const QStringList trecho{"Checando tabela: " + t + " ...",
                                 "Tabela " + t + QStringLiteral(" está danificada. Executando a reparação ..."),
                                 QStringLiteral("Tabela reparada."), QString()};
        QVERIFY2(std::search(log.begin(), log.end(), trecho.begin(), trecho.end()) != log.end(),
                 qPrintable(log.join('\n')));
        QCOMPARE(log.back(), QStringLiteral("Verificação concluída!"));
        // Only that table was damaged; every other one is Ok.
        QCOMPARE(log.count(QStringLiteral("Tabela reparada.")), 1);
        QCOMPARE(log.filter(QStringLiteral(" está Ok.")).size(), LogIntegro("CalcPriv", privado, true).filter(QStringLiteral(" está Ok.")).size() - 1);
        QCOMPARE(registro.mensagens, QStringList{});

        // The table is sound again, and the running program reads it.
        QCOMPARE(VerificaArquivoTabela(arquivo).estado, Integridade::Estado::Integra);
        Banco outro("CalcPriv", privado);
        QCOMPARE(linhas(inst->sessao->privado()), linhas(outro));

        // A second walk finds everything sound (the damaged copy kept aside is no table).
        QVERIFY(abre([&](TFReparacao* d) { log = verifica(d); }));
        QCOMPARE(log, LogIntegro("CalcPriv", privado, true));
    }

    void compartilhadoSemPastasDeCalculo() {
        QStringList log;
        QVERIFY(abre([&](TFReparacao* d) {
            controle<QComboBox>(d, "CbBanco")->setCurrentIndex(1);
            log = verifica(d);
        }));
        QCOMPARE(log, LogIntegro("CalcShare", compartilhado, false));
        QVERIFY(log.filter(QStringLiteral("Sub0")).isEmpty());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFReparacaoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFReparacaoTest.moc"
