// The dialog "Exporta/Importa Tabelas", reached through its menu entry
// (hidden in the menu, still working when triggered): captions and the
// folder label following the action, the export of one group into an empty
// folder and its import back over rows typed by hand, and the refusals of a
// folder that does not exist and of a folder without the group's files, all
// with the dialog left open.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "reference/ui/TFExpImp.h"
#include "storage/Banco.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

// Every row of a table of a database, in key order, as text.
std::vector<std::string> Linhas(Banco& banco, const std::string& tabela) {
    std::vector<std::string> r;
    for (const auto& l : banco.consulta("select * from Tabela order by 1, 2", {tabela})) {
        std::string t;
        for (const auto& v : l.valores) t += v.comoTexto() + "|";
        r.push_back(t);
    }
    return r;
}

}  // namespace

class TFExpImpTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<TFPrincipal> principal;
    teste::RegistroMensagens registro;
    fs::path troca;

    template <class T>
    static T* controle(QWidget* d, const char* nome) {
        T* c = d->findChild<T*>(nome);
        if (!c) qFatal("controle %s ausente", nome);
        return c;
    }

    bool abre(const std::function<void(TFExpImp*)>& passos) {
        bool mostrado = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = principal->findChild<TFExpImp*>();
            struct Fecha {
                TFExpImp* d;
                ~Fecha() {
                    if (d && d->isVisible()) d->done(QDialog::Rejected);
                }
            } fecha{d};
            if (!d || !d->isVisible() || !QTest::qWaitForWindowExposed(d)) return;
            mostrado = true;
            passos(d);
        });
        principal->entrada("MnExportarImportar")->trigger();
        return mostrado;
    }

    static void marca(QRadioButton* rb) {
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(8, rb->height() / 2));
        QVERIFY(rb->isChecked());
    }
    static QRadioButton* grupo(QWidget* d, const QString& titulo) {
        for (auto* rb : controle<QGroupBox>(d, "RgTabela")->findChildren<QRadioButton*>())
            if (rb->text() == titulo) return rb;
        qFatal("grupo ausente");
        return nullptr;
    }
    static void digitaPasta(QWidget* d, const fs::path& pasta) {
        auto* ed = controle<QLineEdit>(d, "EdPasta");
        ed->setFocus();
        ed->selectAll();
        QTest::keyClicks(ed, QString::fromStdString(pasta.string()));
    }
    static void ok(QWidget* d) {
        QTest::mouseClick(controle<QPushButton>(d, "BtOK"), Qt::LeftButton);
        QVERIFY(d->isVisible());  // the dialog stays open whatever the end
        QVERIFY(!QApplication::overrideCursor());
    }

private slots:
    void initTestCase() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        troca = inst->pasta->caminho() / "troca";
        fs::create_directories(troca);
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

    void legendasERotuloQueSegueAAcao() {
        QVERIFY(!principal->entrada("MnExportarImportar")->isVisible());
        QVERIFY(abre([&](TFExpImp* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Exporta/Importa Tabelas"));
            QVERIFY(d->isModal());
            QCOMPARE(controle<QGroupBox>(d, "RgAcao")->title(), QStringLiteral(" Ação: "));
            QCOMPARE(controle<QRadioButton>(d, "RbExportar")->text(), QStringLiteral("Exportar"));
            QCOMPARE(controle<QRadioButton>(d, "RbImportar")->text(), QStringLiteral("Importar"));
            QVERIFY(controle<QRadioButton>(d, "RbExportar")->isChecked());
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Informe o Drive/Diretório de destino:"));
            // The folder starts at the user's home folder.
            QCOMPARE(QDir::cleanPath(controle<QLineEdit>(d, "EdPasta")->text()), QDir::cleanPath(QDir::homePath()));
            QVERIFY(controle<QToolButton>(d, "BtProcurar")->isEnabled());
            QCOMPARE(controle<QGroupBox>(d, "RgTabela")->title(), QStringLiteral(" Tabela: "));
            QStringList grupos;
            QString marcado;
            for (int i = 0; i < 6; ++i) {
                auto* rb = controle<QRadioButton>(d, qPrintable(QStringLiteral("RbTabela%1").arg(i)));
                grupos << rb->text();
                if (rb->isChecked()) marcado = rb->text();
            }
            QCOMPARE(grupos, (QStringList{QStringLiteral("Índices Mensais"), QStringLiteral("Índices Diários"),
                                          QStringLiteral("Imposto de Renda"), QStringLiteral("I.N.S.S."),
                                          QStringLiteral("Valores Mensais"), QStringLiteral("Feriados")}));
            QCOMPARE(marcado, QStringLiteral("Índices Mensais"));
            QCOMPARE(controle<QPushButton>(d, "BtOK")->text(), QStringLiteral("&OK"));
            QVERIFY(controle<QPushButton>(d, "BtOK")->isDefault());
            QCOMPARE(controle<QPushButton>(d, "BtCancela")->text(), QStringLiteral("&Cancela"));

            marca(controle<QRadioButton>(d, "RbImportar"));
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Informe o Drive/Diretório de origem:"));
            marca(controle<QRadioButton>(d, "RbExportar"));
            QCOMPARE(controle<QLabel>(d, "LbPasta")->text(), QStringLiteral("Informe o Drive/Diretório de destino:"));
            teste::GuardaTela(d, "exporta-importa");

            QTest::mouseClick(controle<QPushButton>(d, "BtCancela"), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE(registro.mensagens, QStringList{});
    }

    void exportaEImportaUmGrupo() {
        Banco& comum = inst->sessao->compartilhado();
        const auto oficiais = Linhas(comum, "FeriadosPadrao.db");
        QVERIFY(!oficiais.empty());
        teste::RespondeMensagens respostas;

        QVERIFY(abre([&](TFExpImp* d) {
            digitaPasta(d, troca);
            marca(grupo(d, QStringLiteral("Feriados")));
            ok(d);
        }));
        QCOMPARE(registro.mensagens, QStringList{});
        QCOMPARE(respostas.textos, QStringList{});  // nothing is shown when it ends well
        QVERIFY(fs::is_regular_file(troca / "FeriadosPadrao.db"));
        Banco pasta("Troca", troca);
        QCOMPARE(Linhas(pasta, "FeriadosPadrao.db"), oficiais);

        // A holiday typed by hand, replaced by the import like every other.
        comum.executa("FeriadosPadrao.db",
                      "INSERT INTO Tabela (Data, Descricao, Tipo) VALUES ('2099-12-24', 'Digitado', 1)");
        QCOMPARE(Linhas(comum, "FeriadosPadrao.db").size(), oficiais.size() + 1);

        // The dialog keeps the folder and the group between showings.
        QVERIFY(abre([&](TFExpImp* d) {
            QCOMPARE(fs::path(controle<QLineEdit>(d, "EdPasta")->text().toStdString()), troca);
            QVERIFY(grupo(d, QStringLiteral("Feriados"))->isChecked());
            marca(controle<QRadioButton>(d, "RbImportar"));
            ok(d);
        }));
        QCOMPARE(registro.mensagens, QStringList{});
        QCOMPARE(respostas.textos, QStringList{});
        QCOMPARE(Linhas(comum, "FeriadosPadrao.db"), oficiais);
    }

    void pastaInexistenteEArquivoAusente() {
        Banco& comum = inst->sessao->compartilhado();
        const auto diario = Linhas(comum, "Diario.db");
        QVERIFY(abre([&](TFExpImp* d) {
            digitaPasta(d, troca / "nao existe");
            ok(d);
            QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Diretório inválido!")});
            QVERIFY(!fs::exists(troca / "nao existe"));

            // The exchange folder holds only the holidays: the daily indices cannot come from it.
            QTest::qWait(500);
            registro.mensagens.clear();
            digitaPasta(d, troca);
            marca(controle<QRadioButton>(d, "RbImportar"));
            marca(grupo(d, QStringLiteral("Índices Diários")));
            ok(d);
            QCOMPARE(registro.mensagens,
                     QStringList{QStringLiteral("Arquivo de dados não encontrado no diretorio de origem!")});
        }));
        QCOMPARE(Linhas(comum, "Diario.db"), diario);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFExpImpTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFExpImpTest.moc"
