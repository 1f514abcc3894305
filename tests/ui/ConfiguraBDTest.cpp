// The unit selection before the private database connects: the list of the
// unit file, the alias change and its messages.
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFConfiguraBD.h"
#include "storage/Aliases.h"

using namespace korva;
using namespace korva::ui;

namespace {

// Answers the dialog (choosing unit `indice`) and every message box after it.
class Operador : public QObject {
public:
    explicit Operador(int indice) : indice_(indice) {
        connect(&relogio_, &QTimer::timeout, this, [this] { age(); });
        relogio_.start(20);
    }
    QStringList mensagens;
    QString titulo;
    QStringList unidades;
    bool viuDialogo = false;

private:
    void age() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* caixa = qobject_cast<QMessageBox*>(modal)) {
            mensagens << caixa->text();
            caixa->done(QMessageBox::Ok);
        } else if (auto* d = qobject_cast<TFConfiguraBD*>(modal)) {
            if (viuDialogo) {  // still open after the message: close it
                d->reject();
                return;
            }
            viuDialogo = true;
            titulo = d->windowTitle();
            auto* combo = d->findChild<QComboBox*>("CbUnidade");
            for (int i = 0; i < combo->count(); ++i) unidades << combo->itemText(i);
            if (combo->currentIndex() != 0) unidades << "primeira não pré-selecionada";
            combo->setCurrentIndex(indice_);
            auto* botao = d->findChild<QPushButton*>("BtMudarDiretorio");
            QCOMPARE(botao->text(), QStringLiteral("&Mudar Diretório"));
            // clicked from the event loop: the messages it opens are answered by this timer
            QTimer::singleShot(0, botao, &QPushButton::click);
        }
    }
    int indice_;
    QTimer relogio_;
};

void Escreve(const std::filesystem::path& p, const std::string& conteudo) {
    std::ofstream(p, std::ios::binary) << conteudo;
}

}  // namespace

class ConfiguraBDTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTemporaria>();
        ambiente_.pastaPrograma = pasta_->caminho();
        ambiente_.pastaConfig = pasta_->caminho();
        ambiente_.pastaDados = pasta_->caminho();
    }

    void semArquivoNadaAparece() {
        Operador operador(0);
        SelecionaUnidade(ambiente_);
        QVERIFY(!operador.viuDialogo);
        QVERIFY(operador.mensagens.isEmpty());
    }

    void unidadeEscolhidaMudaOAlias() {
        ArquivoAliases aliases(ambiente_.arquivoAliases());
        aliases.defineParametros("CalcPriv", {"PATH=/antiga"});
        aliases.defineParametros("CalcShare", {"PATH=/compartilhada"});
        aliases.salva();
        Escreve(ambiente_.arquivoUnidades(),
                "Vara de Canoas;/dados/canoas\r\nlinha sem separador\r\nContadoria Central;/dados/central;extra\r\n");

        Operador operador(1);
        SelecionaUnidade(ambiente_);
        QVERIFY(operador.viuDialogo);
        QCOMPARE(operador.titulo, QStringLiteral("KORVA - Configura B.D."));
        QCOMPARE(operador.unidades, (QStringList{"Vara de Canoas", "Contadoria Central"}));
        QCOMPARE(operador.mensagens, QStringList{QStringLiteral("Configuração modificada com sucesso!")});
        ArquivoAliases relido(ambiente_.arquivoAliases());
        QCOMPARE(relido.parametros("CalcPriv"), std::vector<std::string>{"PATH=/dados/central;extra"});
        QCOMPARE(relido.caminho("CalcShare"), std::string("/compartilhada"));
    }

    void semAliasNadaMuda() {
        ArquivoAliases aliases(ambiente_.arquivoAliases());
        aliases.defineParametros("CalcShare", {"PATH=/compartilhada"});
        aliases.salva();
        Escreve(ambiente_.arquivoUnidades(), "Vara;/dados/vara\n");

        Operador operador(0);
        SelecionaUnidade(ambiente_);
        QVERIFY(operador.viuDialogo);
        QCOMPARE(operador.mensagens, QStringList{QStringLiteral("Alias do KORVA não existe")});
        ArquivoAliases relido(ambiente_.arquivoAliases());
        QVERIFY(!relido.existe("CalcPriv"));
    }

    void cleanup() { pasta_.reset(); }

private:
    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    ConfiguraBDTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "ConfiguraBDTest.moc"
