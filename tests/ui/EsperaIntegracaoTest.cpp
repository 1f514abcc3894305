// Waiting for a companion program: its exit code comes back, the busy cursor
// goes away, and a missing program is reported with its path.
#include <QApplication>
#include <QTest>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/EsperaIntegracao.h"
#include "util/Erros.h"

class EsperaIntegracaoTest : public QObject {
    Q_OBJECT

private slots:
    void esperaOProgramaTerminar() {
        korva::teste::PastaTemporaria pasta;
        const auto programa = pasta.caminho() / "Partes.exe";
        std::ofstream(programa) << "";
        const auto lote = pasta.caminho() / "Partes.bat";
        const auto marca = pasta.caminho() / "feito.txt";
        const int codigo = korva::ui::ExecutaIntegracaoComEspera(
            programa.string(), "sleep 0.2; echo ok > '" + marca.string() + "'; exit 3", lote.string());
        QCOMPARE(codigo, 3);
        QVERIFY(std::filesystem::exists(marca));  // it was waited for, not only started
        QVERIFY(!QApplication::overrideCursor());
    }

    void programaAusente() {
        korva::teste::PastaTemporaria pasta;
        const auto programa = pasta.caminho() / "Andamentos.exe";
        QString mensagem;
        try {
            korva::ui::ExecutaIntegracaoComEspera(programa.string(), "exit 0", (pasta.caminho() / "a.bat").string());
        } catch (const korva::ErroKorva& e) {
            mensagem = QString::fromUtf8(e.what());
        }
        QCOMPARE(mensagem, QStringLiteral("Não encontrado o programa '%1' no diretório do Ulmeris.")
                               .arg(QString::fromStdString(programa.string())));
        QVERIFY(!QApplication::overrideCursor());
    }
};

int main(int argc, char** argv) {
    korva::ui::AplicacaoKorva aplicacao(argc, argv);
    korva::ui::ConfiguraAplicacao(aplicacao);
    EsperaIntegracaoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "EsperaIntegracaoTest.moc"
