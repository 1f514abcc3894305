// The backup dialog opened through its menu entry over a private database
// with two calculation folders: the state at showing, the label and the file
// list following the operation and the folder, a backup into an empty folder
// behind the progress panel (a "_" table left out), the refusal of the
// database folder as the other folder, a restore that brings back what was
// changed (and that the running program then reads), and a restore from a
// folder that holds no backup.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "maintenance/ArquivosTabela.h"
#include "maintenance/ui/TFCopiaSeguranca.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

// Every row of a table file, in row order, as text.
std::string Conteudo(const fs::path& arquivo) {
    sqlite3* db = nullptr;
    std::string texto;
    if (sqlite3_open_v2(arquivo.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "ilegível";
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rowid, * FROM Tabela ORDER BY rowid", -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto* t = sqlite3_column_text(st, i);
                texto += t ? reinterpret_cast<const char*>(t) : "<nulo>";
                texto += '|';
            }
            texto += '\n';
        }
    } else {
        texto = "ilegível";
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return texto;
}

// The tables of a database tree: relative name -> rows. Only the root and
// the "Sub*" folders, as the backup walks them.
std::map<std::string, std::string> Tabelas(const fs::path& raiz) {
    std::map<std::string, std::string> r;
    for (const auto& t : TabelasDaPasta(raiz)) r[t] = Conteudo(raiz / t);
    for (const auto& e : fs::directory_iterator(raiz)) {
        const std::string nome = e.path().filename().string();
        if (!e.is_directory() || nome.rfind("Sub", 0) != 0) continue;
        for (const auto& t : TabelasDaPasta(e.path())) r[nome + "/" + t] = Conteudo(e.path() / t);
    }
    return r;
}

QStringList Itens(QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}

QStringList Nomes(const std::vector<std::string>& v) {
    QStringList r;
    for (const auto& s : v) r << QString::fromStdString(s);
    return r;
}

// What the progress panel showed at each pass of the event loop during the copy.
struct Passo {
    QString de, para;
    int valor = 0, maximo = 0;
    bool centrado = false;
    bool controlesDesligados = false;
    bool cursorOcupado = false;
};

}  // namespace

class TFCopiaSegurancaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<TFPrincipal> principal;
    teste::RegistroMensagens registro;
    fs::path privado, compartilhado, copia;
    std::map<std::string, std::string> original;

    template <class T>
    static T* controle(QWidget* d, const char* nome) {
        T* c = d->findChild<T*>(nome);
        if (!c) qFatal("controle %s ausente", nome);
        return c;
    }

    // Opens the dialog through its menu entry and runs `passos` in it; the
    // dialog is closed afterwards whatever happened. False when it was not shown.
    bool abre(const std::function<void(TFCopiaSeguranca*)>& passos) {
        bool mostrado = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = principal->findChild<TFCopiaSeguranca*>();
            struct Fecha {
                TFCopiaSeguranca* d;
                ~Fecha() {
                    if (d && d->isVisible()) d->done(QDialog::Rejected);
                }
            } fecha{d};
            if (!d || !d->isVisible() || !QTest::qWaitForWindowExposed(d)) return;
            mostrado = true;
            passos(d);
        });
        principal->entrada("MnCopiaSeguranca")->trigger();
        return mostrado;
    }

    // A click on a radio button's circle (its middle may lie past its text).
    static void marca(QRadioButton* rb) {
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(8, rb->height() / 2));
        QVERIFY(rb->isChecked());
    }

    // Chooses a folder by typing it in the folder line, as a user does.
    static void digitaPasta(TFCopiaSeguranca* d, const fs::path& pasta) {
        auto* ed = controle<QLineEdit>(d, "EdPasta");
        ed->setFocus();
        ed->selectAll();
        QTest::keyClicks(ed, QString::fromStdString(pasta.string()));
        QTest::keyClick(ed, Qt::Key_Return);
    }

    // Runs "&Executar", watching the panel; returns what it showed.
    QList<Passo> executa(TFCopiaSeguranca* d, bool tentaFechar = false) {
        QList<Passo> passos;
        bool fechou = false;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, this, [&] {
            auto* painel = d->findChild<QFrame*>("PnProgresso");
            if (!painel->isVisible()) return;
            Passo p;
            p.de = controle<QLabel>(d, "LbDe")->toolTip();
            p.para = controle<QLabel>(d, "LbPara")->toolTip();
            p.valor = controle<QProgressBar>(d, "PbProgresso")->value();
            p.maximo = controle<QProgressBar>(d, "PbProgresso")->maximum();
            p.centrado = (painel->geometry().center() - d->rect().center()).manhattanLength() <= 2;
            p.controlesDesligados = !controle<QPushButton>(d, "BtExecutar")->isEnabled();
            const QCursor* c = QApplication::overrideCursor();
            p.cursorOcupado = c && c->shape() == Qt::WaitCursor;
            if (passos.isEmpty() || passos.back().de != p.de || passos.back().valor != p.valor) passos.append(p);
            if (passos.size() == 3 && !qEnvironmentVariable("KORVA_TELAS").isEmpty())
                d->grab().save(qEnvironmentVariable("KORVA_TELAS") + "/copia-seguranca-progresso.png");
            if (tentaFechar && !fechou) {
                fechou = true;
                d->reject();  // Esc or the close box during the copy
                if (!d->isVisible()) qWarning("o diálogo fechou durante a cópia");
            }
        });
        relogio.start(0);
        QTest::mouseClick(controle<QPushButton>(d, "BtExecutar"), Qt::LeftButton);
        relogio.stop();
        return passos;
    }

private slots:
    void initTestCase() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        inst->sessao->configuracoes().qtdeCalculosPorSubDiretorio = 1;  // one folder per calculation
        inst->importa("fgts-dois-reclamantes.json");
        inst->importa("diferencas-salariais-horas-extras.json");
        privado = inst->sessao->aliases().caminho("CalcPriv");
        compartilhado = inst->sessao->aliases().caminho("CalcShare");
        QVERIFY(fs::is_directory(privado / "Sub00001"));
        QVERIFY(fs::is_directory(privado / "Sub00002"));
        // A scratch table, which a backup leaves out.
        fs::copy_file(privado / "DefAcrescimos.DB", privado / "_Rascunho.db");
        copia = inst->pasta->caminho() / "copias" / "Backup 1";
        fs::create_directories(copia);
        original = Tabelas(privado);

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

    void estadoAoMostrarRotuloEListaSeguemAOperacao() {
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("KORVA - Cópia de Segurança/Backup"));
            QVERIFY(d->isModal());
            QCOMPARE(controle<QLabel>(d, "LbBanco")->text(), QStringLiteral("Banco de Dados:"));
            auto* cb = controle<QComboBox>(d, "CbBanco");
            QCOMPARE(cb->count(), 2);
            QCOMPARE(cb->itemText(0), QStringLiteral("CalcPriv"));
            QCOMPARE(cb->itemText(1), QStringLiteral("CalcShare"));
            QCOMPARE(cb->currentText(), QStringLiteral("CalcPriv"));
            // The database folder is shown and cannot be typed over.
            auto* pastaBanco = controle<QLineEdit>(d, "EdPastaBanco");
            QCOMPARE(fs::path(pastaBanco->text().toStdString()), privado);
            QVERIFY(pastaBanco->isReadOnly());
            QCOMPARE(controle<QGroupBox>(d, "RgOperacao")->title(), QStringLiteral(" Operação: "));
            QCOMPARE(controle<QRadioButton>(d, "RbBackup")->text(), QStringLiteral("Realizar Cópia de Segurança"));
            QCOMPARE(controle<QRadioButton>(d, "RbRestauracao")->text(),
                     QStringLiteral("Restaurar Cópia de Segurança"));
            QVERIFY(controle<QRadioButton>(d, "RbBackup")->isChecked());
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Destino:"));
            auto* bt = controle<QPushButton>(d, "BtExecutar");
            QCOMPARE(bt->text(), QStringLiteral("&Executar"));
            QCOMPARE(bt->toolTip(), QStringLiteral("Inicia a execução do back-Up do Banco de Dados, do Diretório de "
                                                   "origem para o diretório de destino. "));
            QVERIFY(!controle<QFrame>(d, "PnProgresso")->isVisible());
            // The other folder starts at the user's home.
            QCOMPARE(d->pastaEscolhida(), QDir::homePath());

            // Backup: the tables of the database folder, the scratch table among them.
            auto* lista = controle<QListWidget>(d, "LsArquivos");
            QCOMPARE(Itens(lista), Nomes(TabelasDaPasta(privado)));
            QVERIFY(Itens(lista).contains(QStringLiteral("_Rascunho.db")));

            // Restore: the label and the list follow the chosen folder (still empty).
            digitaPasta(d, copia);
            marca(controle<QRadioButton>(d, "RbRestauracao"));
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Origem:"));
            QCOMPARE(Itens(lista), QStringList{});
            // Choosing the shared database folder in the tree lists its tables.
            auto* arvore = controle<QTreeView>(d, "TvPastas");
            auto* modelo = qobject_cast<QFileSystemModel*>(arvore->model());
            QVERIFY(modelo);
            arvore->setCurrentIndex(modelo->index(QString::fromStdString(compartilhado.string())));
            QCOMPARE(fs::path(d->pastaEscolhida().toStdString()), compartilhado);
            QCOMPARE(fs::path(controle<QLineEdit>(d, "EdPasta")->text().toStdString()), compartilhado);
            QCOMPARE(Itens(lista), Nomes(TabelasDaPasta(compartilhado)));

            // The shared database chosen: its folder and its tables.
            marca(controle<QRadioButton>(d, "RbBackup"));
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Destino:"));
            cb->setCurrentIndex(1);
            QCOMPARE(fs::path(pastaBanco->text().toStdString()), compartilhado);
            QCOMPARE(Itens(lista), Nomes(TabelasDaPasta(compartilhado)));
        }));
        // The next showing starts again with the first database and a backup.
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            QCOMPARE(controle<QComboBox>(d, "CbBanco")->currentText(), QStringLiteral("CalcPriv"));
            QVERIFY(controle<QRadioButton>(d, "RbBackup")->isChecked());
            QCOMPARE(fs::path(controle<QLineEdit>(d, "EdPastaBanco")->text().toStdString()), privado);
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Destino:"));
        }));
        QCOMPARE(registro.mensagens, QStringList{});
    }

    void backupDoPrivadoNumaPastaVazia() {
        teste::RespondeMensagens respostas;
        QList<Passo> passos;
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            digitaPasta(d, copia);
            QCOMPARE(fs::path(d->pastaEscolhida().toStdString()), copia);
            teste::GuardaTela(d, "copia-seguranca");
            passos = executa(d, true);
            QVERIFY(d->isVisible());  // it could not be closed during the copy, and stays open after it
            QVERIFY(!controle<QFrame>(d, "PnProgresso")->isVisible());
            QVERIFY(controle<QPushButton>(d, "BtExecutar")->isEnabled());
        }));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(respostas.textos, QStringList{QStringLiteral("Backup realizado com sucesso.")});
        QCOMPARE(registro.mensagens, QStringList{});

        // Every table but the scratch one, the calculation folders with theirs.
        auto esperado = original;
        esperado.erase("_Rascunho.db");
        QCOMPARE(Tabelas(copia), esperado);
        QVERIFY(!fs::exists(copia / "_Rascunho.db"));
        QVERIFY(fs::is_directory(copia / "Sub00001"));
        QVERIFY(fs::is_directory(copia / "Sub00002"));

        // The panel named each table, from the database folder to the chosen one,
        // with the count, centred, the controls off and the busy cursor.
        QCOMPARE(passos.size(), static_cast<qsizetype>(esperado.size()));
        std::string primeira;
        for (const auto& t : TabelasDaPasta(privado))
            if (primeira.empty() && t[0] != '_') primeira = t;
        QCOMPARE(passos.front().de, QStringLiteral("De: %1").arg(QString::fromStdString((privado / primeira).string())));
        QCOMPARE(passos.front().para, QStringLiteral("Para: %1").arg(QString::fromStdString((copia / primeira).string())));
        QVERIFY2(passos.back().de.contains(QStringLiteral("Sub00002")), qPrintable(passos.back().de));
        for (qsizetype i = 0; i < passos.size(); ++i) {
            QCOMPARE(passos[i].valor, static_cast<int>(i));
            QCOMPARE(passos[i].maximo, static_cast<int>(esperado.size()));
            QVERIFY(passos[i].centrado);
            QVERIFY(passos[i].controlesDesligados);
            QVERIFY(passos[i].cursorOcupado);
        }
    }

    void pastaDoBancoComoOutraPastaERecusada() {
        const auto antes = Tabelas(privado);
        teste::RespondeMensagens respostas;
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            digitaPasta(d, privado);
            const QList<Passo> passos = executa(d);
            QVERIFY(passos.isEmpty());  // refused before any table
        }));
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Diretorios de Destino e Origem devem ser diferentes!")});
        QTest::qWait(500);
        registro.mensagens.clear();
        // The same folder written another way, for a restore.
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            marca(controle<QRadioButton>(d, "RbRestauracao"));
            digitaPasta(d, privado / "Sub00001" / "..");
            executa(d);
        }));
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Diretorios de Destino e Origem devem ser diferentes!")});
        QCOMPARE(respostas.textos, QStringList{});
        QCOMPARE(Tabelas(privado), antes);
    }

    void restauracaoTrazDeVoltaOQueMudou() {
        // After the backup: the lawsuits emptied and a calculation table lost.
        Banco& banco = inst->sessao->privado();
        const auto linhasProcesso = [&] {
            return banco.consulta("select count(*) from Tabela", {"Processo.DB"}).front()[0].comoInteiro();
        };
        const auto processos = linhasProcesso();
        QVERIFY(processos >= 2);
        banco.executa("Processo.DB", "DELETE FROM Tabela");
        const std::string perdida = "Sub00002/" + TabelasDaPasta(privado / "Sub00002").front();
        fs::remove(privado / perdida);
        QCOMPARE(linhasProcesso(), 0);

        teste::RespondeMensagens respostas;
        QList<Passo> passos;
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            marca(controle<QRadioButton>(d, "RbRestauracao"));
            digitaPasta(d, copia);
            // The list follows the source: the tables of the backup.
            QCOMPARE(Itens(controle<QListWidget>(d, "LsArquivos")), Nomes(TabelasDaPasta(copia)));
            passos = executa(d);
        }));
        QCOMPARE(registro.mensagens, QStringList{});
        QCOMPARE(respostas.textos, QStringList{QStringLiteral("Restauração realizada com sucesso.")});
        QVERIFY(!passos.isEmpty());
        QCOMPARE(passos.front().de,
                 QStringLiteral("De: %1").arg(QString::fromStdString((copia / TabelasDaPasta(copia).front()).string())));

        // Every table as it was at the backup; the scratch table, never copied, stays.
        QCOMPARE(Tabelas(privado), original);
        // The running program reads the restored tables, not the former ones.
        QCOMPARE(linhasProcesso(), processos);
        QVERIFY(!fs::exists(privado / ".restauracao"));
    }

    void restauracaoDePastaSemCopiaERecusada() {
        const fs::path vazia = inst->pasta->caminho() / "copias" / "vazia";
        fs::create_directories(vazia);
        // A table file alone does not make a backup.
        fs::copy_file(copia / "Processo.DB", vazia / "Processo.DB");
        const auto antes = Tabelas(privado);
        teste::RespondeMensagens respostas;
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            marca(controle<QRadioButton>(d, "RbRestauracao"));
            digitaPasta(d, vazia);
            QCOMPARE(Itens(controle<QListWidget>(d, "LsArquivos")), QStringList{QStringLiteral("Processo.DB")});
            executa(d);
            QVERIFY(d->isVisible());
            QVERIFY(!controle<QFrame>(d, "PnProgresso")->isVisible());
        }));
        QCOMPARE(respostas.textos, QStringList{});  // no success message
        QCOMPARE(registro.mensagens.size(), 1);
        QVERIFY2(registro.mensagens.front().contains(QStringLiteral("não contém uma cópia de segurança completa")),
                 qPrintable(registro.mensagens.front()));
        QCOMPARE(Tabelas(privado), antes);
    }

    void backupDoCompartilhadoSoAsTabelasDaRaiz() {
        const fs::path destino = inst->pasta->caminho() / "copias" / "compartilhado";
        teste::RespondeMensagens respostas;
        QVERIFY(abre([&](TFCopiaSeguranca* d) {
            controle<QComboBox>(d, "CbBanco")->setCurrentIndex(1);
            digitaPasta(d, destino);  // not there yet: the backup creates it
            executa(d);
        }));
        QCOMPARE(registro.mensagens, QStringList{});
        QCOMPARE(respostas.textos, QStringList{QStringLiteral("Backup realizado com sucesso.")});
        QCOMPARE(Nomes(TabelasDaPasta(destino)), Nomes(TabelasDaPasta(compartilhado)));
        for (const auto& t : TabelasDaPasta(compartilhado))
            QVERIFY2(Conteudo(destino / t) == Conteudo(compartilhado / t), t.c_str());
        for (const auto& e : fs::directory_iterator(destino)) QVERIFY(!e.is_directory());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFCopiaSegurancaTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFCopiaSegurancaTest.moc"
