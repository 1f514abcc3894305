// The parties dialog over a fresh installation: parties typed through the
// grid (name formatting, the kind of party picked by its name, the document
// number of type 9), refused values that keep the row with the message, the
// refusal to close with a pending row, and the import through a companion
// program that answers as the real one does.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "register/Partes.h"
#include "register/ui/TFPartes.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

class Registro : public ApresentacaoErros {
public:
    void beep() override {}
    void mostraInformacao(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraErro(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraCodigo(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    QStringList mensagens;
};

const std::string Processo = "0001234-56.2009.5.01.0001";

void Escreve(const fs::path& p, const std::string& conteudo) { std::ofstream(p, std::ios::binary) << conteudo; }

// With KORVA_TELAS naming a folder, the window is saved there as a picture
// (for looking at it under a real display).
void GuardaTela(QWidget* janela, const QString& nome) {
    const QString pasta = qEnvironmentVariable("KORVA_TELAS");
    if (pasta.isEmpty()) return;
    QTest::qWait(100);
    janela->grab().save(pasta + "/" + nome + ".png");
}

}  // namespace

class TFPartesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::PastaTemporaria> pasta;
    Ambiente ambiente;
    std::unique_ptr<Sessao> sessao;
    std::unique_ptr<TFPartes> janela;
    Registro registro;

    Tabela& tabela() { return janela->partes().tabela(); }
    ModeloTabela& modelo() { return janela->modelo(); }
    GradeTabela& grade() { return janela->grade(); }
    QToolButton* botao(const char* nome) {
        return janela->findChild<NavegadorTabela*>("NavPartes")->findChild<QToolButton*>(nome);
    }
    QString celula(int linha, const std::string& campo) {
        return modelo().index(linha, modelo().colunaDoCampo(campo)).data().toString();
    }

    void abre() {
        janela = std::make_unique<TFPartes>(*sessao, "Sub00001\\", Processo, 23);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }

    // Types into the current cell as a user does and presses Enter.
    void digita(const std::string& campo, const QString& texto) {
        grade().setFocus();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)));
        QTest::keyClick(&grade(), texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != &grade());
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(texto);
        } else {
            auto* linha = qobject_cast<QLineEdit*>(editor);
            QVERIFY(linha);
            for (const QChar c : texto.mid(1)) {
                if (c.unicode() < 128) QTest::keyClick(linha, c.toLatin1());
                else QTest::sendKeyEvent(QTest::Click, linha, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // The companion program: writes `resultado` as the file named by its last argument.
    void companheiro(const std::string& resultado) {
        Escreve(ambiente.pastaPrograma / "conteudo.txt", resultado);
        Escreve(ambiente.pastaPrograma / "Partes.exe",
                "#!/bin/sh\n"
                "printf '%s\\n' \"$1\" > argumentos.txt\n"
                "cat conteudo.txt > \"$2\"\n");
        ::chmod((ambiente.pastaPrograma / "Partes.exe").c_str(), 0755);
    }

private slots:
    void init() {
        pasta = std::make_unique<teste::PastaTemporaria>();
        ambiente = Ambiente::Padrao(pasta->caminho(), "korva");
        ambiente.pastaPrograma = pasta->caminho() / "programa";
        fs::create_directories(ambiente.pastaPrograma);
        Sessao::PrimeiraPartida(ambiente);
        sessao = std::make_unique<Sessao>(ambiente);
        ConjuntoCalculo conjunto(sessao->privado(), [] { return 100; });
        conjunto.CriaSubDiretorio(1);
        conjunto.defineAtual(1, 23);
        conjunto.CriaTabela("C0000023", 2);
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (janela && tabela().aberta() && tabela().editando()) tabela().cancela();
        janela.reset();
        DefineApresentacao(nullptr);
        sessao.reset();
        pasta.reset();
    }

    void partesDigitadasNaGrade() {
        abre();
        QCOMPARE(janela->windowTitle(), QStringLiteral("KORVA - Tabela de Partes (Sub00001\\C0000023.db)"));
        QCOMPARE(modelo().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nome da Parte"));
        QCOMPARE(modelo().headerData(1, Qt::Horizontal).toString(), QStringLiteral("Tipo Parte"));
        QCOMPARE(modelo().headerData(4, Qt::Horizontal).toString(), QStringLiteral("Tipo Documento"));
        // Without the integration setting there is no import button.
        QVERIFY(janela->findChild<QPushButton*>("BtPartes")->isHidden());

        QTest::mouseClick(botao("BtInserir"), Qt::LeftButton);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        const int linha = modelo().linhaAtual();
        // A new party: no dependants, sequential 0, the sequential document type, the cursor on the name.
        QCOMPARE(celula(linha, "Dependentes"), QStringLiteral("0"));
        QCOMPARE(celula(linha, "Sequencial"), QStringLiteral("0"));
        QCOMPARE(celula(linha, "TipoDocumento"), QStringLiteral("Nº sequencial"));
        QCOMPARE(grade().currentIndex().column(), 0);

        digita("Nome", QStringLiteral("MARIA DA SILVA"));
        QCOMPARE(celula(linha, "Nome"), QStringLiteral("Maria da Silva"));
        QCOMPARE(grade().currentIndex().column(), 1);  // Enter moved on
        // The kind of party is picked by its name from the delivered list.
        QTest::keyClick(&grade(), Qt::Key_F2);
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(combo);
        QCOMPARE(combo->count(), 5);
        QVERIFY(combo->findText(QStringLiteral("Reclamada")) >= 0);
        QVERIFY(combo->findText(QStringLiteral("Substituído")) >= 0);
        combo->setCurrentText(QStringLiteral("Reclamante"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(tabela().valor("TipoParte").comoInteiro(), int64_t{1});
        QCOMPARE(celula(linha, "TipoParte"), QStringLiteral("Reclamante"));
        digita("Dependentes", QStringLiteral("2"));
        digita("Sequencial", QStringLiteral("4711"));
        QTest::mouseClick(botao("BtGravar"), Qt::LeftButton);
        QVERIFY(registro.mensagens.isEmpty());
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);
        QCOMPARE(tabela().valor("Documento").comoTexto(), std::string("4711"));
        QCOMPARE(celula(modelo().linhaAtual(), "Documento"), QStringLiteral("4711"));

        // A defendant with its own document: the number typed is kept; the
        // list is ordered by kind of party, so it comes after the claimant.
        QTest::mouseClick(botao("BtInserir"), Qt::LeftButton);
        digita("Nome", QStringLiteral("empresa exemplo ltda"));
        digita("TipoParte", QStringLiteral("Reclamada"));
        digita("TipoDocumento", QStringLiteral("CNPJ"));
        digita("Documento", QStringLiteral("12.345.678/0001-90"));
        QTest::mouseClick(botao("BtGravar"), Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(celula(0, "Nome"), QStringLiteral("Maria da Silva"));
        QCOMPARE(celula(1, "Nome"), QStringLiteral("Empresa Exemplo Ltda"));
        QCOMPARE(celula(1, "TipoDocumento"), QStringLiteral("CNPJ"));
        QCOMPARE(celula(1, "Documento"), QStringLiteral("12.345.678/0001-90"));
        GuardaTela(janela.get(), QStringLiteral("TFPartes"));

        // A name that is not in the pick list is refused and the row stays open.
        QTest::mouseClick(botao("BtInserir"), Qt::LeftButton);
        digita("Nome", QStringLiteral("Outra Parte"));
        digita("TipoParte", QStringLiteral("Testemunha"));
        QCOMPARE(registro.mensagens.size(), 1);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        QTest::mouseClick(botao("BtCancelar"), Qt::LeftButton);
        QCOMPARE(modelo().rowCount(), 2);
    }

    void valoresRecusadosMantemALinhaEFecharERecusado() {
        abre();
        QTest::mouseClick(botao("BtInserir"), Qt::LeftButton);
        digita("Nome", QStringLiteral("joão pereira"));
        digita("Sequencial", QStringLiteral("100000000"));
        QCOMPARE(registro.mensagens, QStringList{QStringLiteral("Valor do campo sequencial fora da faixa válida")});
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        QCOMPARE(celula(modelo().linhaAtual(), "Nome"), QStringLiteral("João Pereira"));
        QCOMPARE(celula(modelo().linhaAtual(), "Sequencial"), QStringLiteral("0"));
        QTest::qWait(450);
        digita("Dependentes", QStringLiteral("-1"));
        QCOMPARE(registro.mensagens.size(), 2);
        QCOMPARE(registro.mensagens[1], QStringLiteral("Quantidade de dependentes inválida!"));
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        digita("Sequencial", QStringLiteral("99999999"));
        QCOMPARE(registro.mensagens.size(), 2);

        // Closing with the row pending is refused; the row and the table stay.
        QTest::qWait(450);
        QVERIFY(!janela->close());
        QVERIFY(janela->isVisible());
        QCOMPARE(registro.mensagens.size(), 3);
        QCOMPARE(registro.mensagens[2], QStringLiteral("Antes de fechar o formulário, cancele ou confirme a operação"));
        QTest::qWait(450);
        QTest::keyClick(&grade(), Qt::Key_Escape);  // the grid takes it: the insertion is cancelled
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);
        QVERIFY(janela->isVisible());
        QTest::mouseClick(botao("BtInserir"), Qt::LeftButton);
        digita("Nome", QStringLiteral("ana"));
        digita("TipoParte", QStringLiteral("Reclamante"));
        digita("Sequencial", QStringLiteral("99999999"));
        QTest::mouseClick(botao("BtGravar"), Qt::LeftButton);
        QCOMPARE(tabela().valor("Documento").comoTexto(), std::string("99999999"));
        QVERIFY(janela->close());
        QVERIFY(!tabela().aberta());
        QCOMPARE(registro.mensagens.size(), 3);
    }

    void partesImportadasDoProgramaCompanheiro() {
        sessao->configuracoes().integraPartes = "S";
        abre();
        auto* importa = janela->findChild<QPushButton*>("BtPartes");
        QVERIFY(!importa->isHidden());
        QCOMPARE(importa->text(), QStringLiteral("&Partes"));
        // A stale result of an earlier run is never imported.
        Escreve(ambiente.pastaPrograma / "P23.PAR", "Velha Parte;0;1;9;9;\n");
        companheiro("JOSE DA SILVA;1;1;11;9;\r\nempresa ré s/a;0;3;0;1;12.345.678/0001-90\r\n\r\n");
        QTest::mouseClick(importa, Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(registro.mensagens.join('|')));
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(celula(0, "Nome"), QStringLiteral("Jose da Silva"));
        QCOMPARE(celula(0, "TipoParte"), QStringLiteral("Reclamante"));
        QCOMPARE(celula(0, "Documento"), QStringLiteral("11"));
        QCOMPARE(celula(1, "Nome"), QStringLiteral("Empresa Ré S/A"));
        QCOMPARE(celula(1, "TipoParte"), QStringLiteral("Reclamada"));
        QCOMPARE(celula(1, "TipoDocumento"), QStringLiteral("CNPJ"));
        GuardaTela(janela.get(), QStringLiteral("TFPartesImportacao"));
        std::ifstream argumentos(ambiente.pastaPrograma / "argumentos.txt");
        std::string primeiro;
        std::getline(argumentos, primeiro);
        QCOMPARE(primeiro, Processo);
        QVERIFY(!fs::exists(ambiente.pastaPrograma / "P23.PAR"));
        QVERIFY(!fs::exists(ambiente.pastaPrograma / "P23.bat"));

        // Nothing found: the message, and the parties already there stay.
        companheiro(Processo + " - processo não localizado\r\n");
        QTest::mouseClick(importa, Qt::LeftButton);
        QCOMPARE(registro.mensagens,
                 QStringList{QStringLiteral("A aplicação de controle não encontrou dados sobre o processo especificado!")});
        QCOMPARE(modelo().rowCount(), 2);

        // A line the table refuses: nothing of that file is kept, the line is named.
        QTest::qWait(450);
        companheiro("Ana;0;1;1;9;\nBia;-1;1;2;9;\n");
        QTest::mouseClick(importa, Qt::LeftButton);
        QCOMPARE(registro.mensagens.size(), 2);
        QVERIFY(registro.mensagens[1].contains(QStringLiteral("linha 2")));
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFPartesTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFPartesTest.moc"
