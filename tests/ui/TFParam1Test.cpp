// The period grid over a calculation imported from a sample document, driven
// as a user does: rows typed through the grid (years with their century, a
// one-month period, the catalogue's defaults), the refusals that keep the row
// in edit, the copy keys, the item picked through the column button, the
// order kept in the settings, the commands disabled while a row is edited,
// and the generation of the month grid with its question, its failure and
// the month grid opened afterwards.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/Configuracoes.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/Geracao.h"
#include "parameters/ParametrosPeriodo.h"
#include <QCalendarWidget>

#include "parameters/ui/TFBasesSalariais.h"
#include "parameters/ui/TFListRend.h"
#include "parameters/ui/TFPegaData.h"
#include "parameters/ui/TFParam1.h"
#include "parameters/ui/TFParam2.h"
#include "storage/Tabela.h"
#include "timecards/ui/TFBuscaPonto.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TFParam1Test : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    CalculoAberto calculo;
    std::unique_ptr<TFParam1> janela;
    teste::RegistroMensagens registro;

    Tabela& tabela() { return janela->periodo().tabela(); }
    ModeloTabela& modelo() { return *janela->modelo(); }
    GradeTabela& grade() { return *janela->grade(); }
    QToolButton* navegador(const char* nome) { return janela->navegador()->findChild<QToolButton*>(nome); }
    template <class W>
    W* controle(const char* nome) {
        return janela->findChild<W*>(nome);
    }
    QString celula(const std::string& campo) {
        return modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)).data().toString();
    }
    int colunaAtual() { return grade().currentIndex().column(); }
    QString mensagens() { return registro.mensagens.join('|'); }
    // The handler shows a repeated message only once within a short time.
    void limpaMensagens() {
        QTest::qWait(450);
        registro.mensagens.clear();
    }

    void abre() {
        janela = std::make_unique<TFParam1>(*inst->sessao, calculo);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void fechaJanela() {
        if (janela && tabela().aberta() && tabela().editando()) tabela().cancela();
        janela.reset();
    }
    // The period rows of the sample are removed.
    void esvaziaA() {
        Tabela a(inst->sessao->privado(), calculo.tabela('A'));
        a.abre(ModoAbertura::Exclusivo);
        a.esvazia();
    }
    int linhasB() {
        TabelasReferencia referencia(inst->sessao->compartilhado());
        CalculoDtBase dtBase(referencia, calculo.mensal.dtBasePadrao);
        return Geracao(inst->sessao->privado(), calculo.tabela('A'), calculo.tabela('B'), dtBase).LinhasMensais();
    }

    // Types into the cell of `campo` on the current row as a user does and presses Enter.
    void digita(const std::string& campo, const QString& texto) {
        grade().setFocus();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo(campo)));
        QTest::keyClick(&grade(), texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY2(editor && editor != &grade(), campo.c_str());
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(texto);
        } else {
            auto* linha = qobject_cast<QLineEdit*>(editor);
            QVERIFY(linha);
            for (const QChar c : texto.mid(1)) QTest::keyClick(linha, c.toLatin1());
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void insere() {
        QTest::mouseClick(navegador("BtInserir"), Qt::LeftButton);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
    }
    void grava() { QTest::mouseClick(navegador("BtGravar"), Qt::LeftButton); }

    // Closes the month grid as soon as it comes up; counts how often it did.
    int mesesAbertos = 0;
    QTimer vigia;
    void vigiaMesAMes() {
        mesesAbertos = 0;
        vigia.disconnect();
        connect(&vigia, &QTimer::timeout, this, [this] {
            if (auto* mensal = qobject_cast<TFParam2*>(QApplication::activeModalWidget())) {
                ++mesesAbertos;
                mensal->done(QDialog::Rejected);
            }
        });
        vigia.start(20);
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = inst->importa("diferencas-salariais-horas-extras.json");
        ParametrosPeriodo::EsqueceLinhaLembrada();
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        vigia.stop();
        TFListRend::DefineEscolhaTeste(nullptr);
        fechaJanela();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void linhasDigitadasNaGrade() {
        esvaziaA();
        abre();
        QCOMPARE(janela->windowTitle(),
                 Q("KORVA - Tabela de Parâmetros por Período (") + QString::fromStdString(calculo.tabela('A')) + ")");
        QCOMPARE(modelo().headerData(modelo().colunaDoCampo("VFM"), Qt::Horizontal).toString(), Q("VFMC"));
        QCOMPARE(modelo().headerData(modelo().colunaDoCampo("MAno2"), Qt::Horizontal).toString(), Q("Ano2"));
        QCOMPARE(modelo().headerData(modelo().colunaDoCampo("DtBase"), Qt::Horizontal).toString(), Q("Dt. Base"));
        QCOMPARE(modelo().headerData(modelo().colunaDoCampo("Diferenca"), Qt::Horizontal).toString(), Q("Dif."));
        QVERIFY(controle<QCheckBox>("CkMostrarMesAMes")->isChecked());
        QCOMPARE(controle<QPushButton>("BtGerar")->toolTip(), Q("Gera parâmetros mensais"));

        // A factor row of item 100: the catalogue's defaults come in with the
        // item; the end of the period left empty makes it a one-month period.
        insere();
        QCOMPARE(colunaAtual(), modelo().colunaDoCampo("Item"));
        QCOMPARE(tabela().valor("CodDataBasePadrao").comoInteiro(), int64_t{calculo.mensal.dtBasePadrao.dataBasePadrao});
        digita("Item", "100");
        QCOMPARE(celula("Divisor"), Q("12,0000"));
        QCOMPARE(celula("Base"), Q("2"));
        QCOMPARE(celula("INSS"), Q("N"));
        QCOMPARE(celula("Diferenca"), Q("Z"));  // an item ending in 0
        // The item's description beside it.
        QCOMPARE(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Item") + 1).data().toString(),
                 Q("13º salário devido"));
        digita("Mes1", "3");
        digita("Ano1", "1");
        QCOMPARE(celula("Ano1"), Q("2001"));
        digita("VFM", "Fator");
        QCOMPARE(tabela().valor("VFM").comoTexto(), std::string("F"));
        digita("Qtde", "1,5");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);
        QCOMPARE(tabela().valor("Mes2").comoInteiro(), int64_t{3});
        QCOMPARE(tabela().valor("Ano2").comoInteiro(), int64_t{2001});
        QCOMPARE(tabela().valor("Qtde").comoNumero(), 1.5);

        // A salary row across 1998, years typed with two and four digits.
        insere();
        digita("Item", "2");
        digita("Mes1", "1");
        digita("Ano1", "98");
        digita("Mes2", "12");
        digita("Ano2", "1998");
        digita("Valor", "-1500,00");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().valor("Ano1").comoInteiro(), int64_t{1998});
        QCOMPARE(tabela().valor("Ano2").comoInteiro(), int64_t{1998});
        QCOMPARE(tabela().valor("VFM").comoTexto(), std::string("F"));
        // A negative value is drawn bold red.
        const QModelIndex valor = modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Valor"));
        QCOMPARE(valor.data().toString(), Q("-1.500,00"));
        QVERIFY(valor.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(modelo().rowCount(), 2);

        // The item picked through the column button (F9) of a new row.
        TFListRend::DefineEscolhaTeste([] { return 110; });
        insere();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Item")));
        QTest::keyClick(&grade(), Qt::Key_F9);
        QCOMPARE(tabela().valor("Item").comoInteiro(), int64_t{110});
        QCOMPARE(tabela().valor("Base").comoInteiro(), int64_t{2});
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        teste::GuardaTela(janela.get(), QStringLiteral("TFParam1-digitadas"));
    }

    void recusasMantemALinhaEmEdicao() {
        esvaziaA();
        abre();
        // A period that ends before it starts.
        insere();
        digita("Item", "2");
        digita("Mes1", "5");
        digita("Ano1", "2004");
        digita("Mes2", "4");
        digita("Ano2", "2004");
        digita("Valor", "10");
        grava();
        QCOMPARE(mensagens(), Q("Período especificado inválido!"));
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        QCOMPARE(celula("Mes2"), Q("4"));
        limpaMensagens();
        digita("Mes2", "6");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);

        // Item 1 turns a value row into a factor row, which needs Qtde and loses its Valor.
        insere();
        digita("Item", "150");
        digita("Mes1", "1");
        digita("Ano1", "2005");
        digita("VFM", "V");
        digita("Valor", "300");
        QVERIFY(janela->periodo().obrigatorio("Valor"));
        digita("Item", "1");
        QCOMPARE(tabela().valor("VFM").comoTexto(), std::string("F"));
        QVERIFY(janela->periodo().obrigatorio("Qtde"));
        grava();
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);  // Qtde missing
        QVERIFY(!registro.mensagens.isEmpty());
        limpaMensagens();
        digita("Qtde", "1");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QVERIFY(tabela().valor("Valor").nulo());

        // A divisor of 0.4 is refused and the cell keeps its value; 0.6 goes in.
        insere();
        digita("Item", "130");
        QCOMPARE(celula("Divisor"), Q("30,0000"));
        digita("Divisor", "0,4");
        QCOMPARE(mensagens(), Q("ERRO! Divisor não pode ser zero."));
        QCOMPARE(tabela().valor("Divisor").comoNumero(), 30.0);
        QCOMPARE(tabela().estado(), EstadoTabela::Insercao);
        limpaMensagens();
        digita("Divisor", "0,6");
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().valor("Divisor").comoNumero(), 0.6);
        // A base-date code of a typed date without the date: the cursor goes to it.
        digita("Mes1", "2");
        digita("Ano1", "2005");
        digita("VFM", "F");
        digita("Qtde", "2");
        tabela()["CodDataBasePadrao"] = 50;
        grava();
        QCOMPARE(mensagens(), Q("Campo obrigatório não preenchido ou preenchido incorretamente."));
        QTest::qWait(50);
        QCOMPARE(colunaAtual(), modelo().colunaDoCampo("DtBase"));
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
    }

    void teclasDeCopia() {
        abre();
        // F4 copies the row the insertion began on; F3 only the field under the cursor.
        tabela().primeiro();
        const std::vector<Valor> lembrada = tabela().linha();
        insere();
        QTest::keyClick(&grade(), Qt::Key_F4);
        for (const char* campo : {"Item", "Mes1", "Ano1", "Mes2", "Ano2", "VFM", "INSS", "CodDataBasePadrao"})
            QCOMPARE(tabela().valor(campo).comoTexto(), lembrada[static_cast<size_t>(tabela().definicao().posicao(campo))].comoTexto());
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);

        tabela().primeiro();
        insere();
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Ano1")));
        QTest::keyClick(&grade(), Qt::Key_F3);
        QCOMPARE(tabela().valor("Ano1").comoInteiro(),
                 lembrada[static_cast<size_t>(tabela().definicao().posicao("Ano1"))].comoInteiro());
        QVERIFY(tabela().valor("Item").nulo());
        QVERIFY(tabela().valor("Mes1").nulo());
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
    }

    void botoesDasColunas() {
        esvaziaA();
        Banco& privado = inst->sessao->privado();
        if (privado.existe(calculo.tabela('I'))) privado.excluiTabela(calculo.tabela('I'));
        abre();
        insere();
        digita("Item", "4");
        digita("Mes1", "1");
        digita("Ano1", "2022");
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        auto* botao = janela->findChild<QToolButton*>("BtCelula");
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Mes1")));
        QVERIFY(botao->isHidden());
        // The Valor of a salary-bases row opens the bases, creating table I first.
        grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("Valor")));
        QVERIFY(!botao->isHidden());
        teste::GuardaTela(janela.get(), QStringLiteral("TFParam1-botao"));
        int bases = 0;
        QTimer fecha;
        connect(&fecha, &QTimer::timeout, this, [&] {
            if (auto* j = qobject_cast<TFBasesSalariais*>(QApplication::activeModalWidget())) {
                ++bases;
                j->done(QDialog::Rejected);
            }
        });
        fecha.start(20);
        QTest::mouseClick(botao, Qt::LeftButton);
        QCOMPARE(bases, 1);
        QVERIFY(privado.existe(calculo.tabela('I')));
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));

        // The date picker of Dt. Base: "OK" puts the date into the row, Cancela leaves it.
        auto escolhe = [&](const QDate& data, const char* nomeBotao) {
            QTimer::singleShot(50, this, [data, nomeBotao] {
                auto* picker = qobject_cast<TFPegaData*>(QApplication::activeModalWidget());
                if (!picker) return;
                picker->findChild<QCalendarWidget*>("Calendario")->setSelectedDate(data);
                picker->findChild<QPushButton*>(nomeBotao)->click();
            });
            grade().setCurrentIndex(modelo().index(modelo().linhaAtual(), modelo().colunaDoCampo("DtBase")));
            QTest::keyClick(&grade(), Qt::Key_F9);
        };
        escolhe(QDate(2023, 3, 15), "BtCancela");
        QCOMPARE(tabela().estado(), EstadoTabela::Navegacao);
        QVERIFY(tabela().valor("DtBase").nulo());
        escolhe(QDate(2023, 3, 15), "BtOk");
        QCOMPARE(tabela().estado(), EstadoTabela::Edicao);
        QCOMPARE(celula("DtBase"), Q("15/03/2023"));
        tabela()["CodDataBasePadrao"] = CodigoDtBaseDigitada;
        grava();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(tabela().valor("DtBase").comoData(), Data::de(2023, 3, 15));
    }

    void ordemGuardadaNaConfiguracao() {
        inst->sessao->configuracoes().ordenacaoParametros1 = 0;
        abre();
        auto* ordem = controle<QComboBox>("CbOrdem");
        QCOMPARE(ordem->currentText(), Q("Periodo"));
        QCOMPARE(ordem->count(), 3);
        ordem->setFocus();
        QTest::keyClick(ordem, Qt::Key_Down);
        QCOMPARE(ordem->currentText(), Q("Item"));
        QCOMPARE(inst->sessao->configuracoes().ordenacaoParametros1, 1);
        QCOMPARE(janela->periodo().ordem(), OrdemParametros::Item);
        // The rows follow the item order.
        int anterior = -1;
        for (int i = 0; i < modelo().rowCount(); ++i) {
            const int item = modelo().index(i, modelo().colunaDoCampo("Item")).data().toInt();
            QVERIFY(item >= anterior);
            anterior = item;
        }
        fechaJanela();
        abre();
        QCOMPARE(controle<QComboBox>("CbOrdem")->currentText(), Q("Item"));
        QCOMPARE(janela->periodo().ordem(), OrdemParametros::Item);
        teste::GuardaTela(janela.get(), QStringLiteral("TFParam1"));
        grade().scrollTo(modelo().index(0, modelo().columnCount() - 1));
        teste::GuardaTela(janela.get(), QStringLiteral("TFParam1-direita"));
    }

    void comandosDesabilitadosDuranteEdicao() {
        abre();
        const char* nomes[] = {"CbOrdem", "BtGerar", "BtPonto", "BtSeguro", "CkMostrarMesAMes", "BtMesAMes", "BtSubstituir"};
        for (const char* n : nomes) QVERIFY2(controle<QWidget>(n)->isEnabled(), n);
        insere();
        for (const char* n : nomes) QVERIFY2(!controle<QWidget>(n)->isEnabled(), n);
        // Closing with the row open is refused.
        janela->close();
        QVERIFY(janela->isVisible());
        QCOMPARE(mensagens(), Q("Antes de fechar o formulário, cancele ou confirme a operação"));
        QTest::mouseClick(navegador("BtCancelar"), Qt::LeftButton);
        for (const char* n : nomes) QVERIFY2(controle<QWidget>(n)->isEnabled(), n);
        // "P&onto" opens the time-card integration over this window.
        int integracoes = 0;
        QTimer fechaPonto;
        connect(&fechaPonto, &QTimer::timeout, this, [&] {
            auto* ponto = qobject_cast<TFBuscaPonto*>(QApplication::activeModalWidget());
            if (!ponto) return;
            ++integracoes;
            QCOMPARE(ponto->windowTitle(), Q("KORVA - Integração dos Cartões de Ponto"));
            QCOMPARE(ponto->parentWidget(), static_cast<QWidget*>(janela.get()));
            ponto->reject();
        });
        fechaPonto.start(20);
        limpaMensagens();
        QTest::mouseClick(controle<QPushButton>("BtPonto"), Qt::LeftButton);
        fechaPonto.stop();
        QCOMPARE(integracoes, 1);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        janela->close();
        QVERIFY(!janela->isVisible());
    }

    void geracaoComPergunta() {
        abre();
        controle<QCheckBox>("CkMostrarMesAMes")->setChecked(false);
        // The month table of the sample starts empty: no question.
        const int antes = linhasB();
        teste::RespondeMensagens respostas;
        tabela().ultimo();
        QTest::mouseClick(controle<QPushButton>("BtGerar"), Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        const int geradas = linhasB();
        QVERIFY(geradas > tabela().quantidade());
        QCOMPARE(tabela().posicao(), 0);  // back on the first row
        if (antes == 0) QVERIFY(respostas.textos.isEmpty());

        // A hand row in the month grid, then the question answered No: nothing changes.
        {
            Tabela b(inst->sessao->privado(), calculo.tabela('B'));
            b.abre();
            b.primeiro();
            b.exclui();
        }
        respostas.textos.clear();
        respostas.responde(QMessageBox::No);
        QTest::mouseClick(controle<QPushButton>("BtGerar"), Qt::LeftButton);
        QCOMPARE(respostas.textos, QStringList{QString::fromUtf8(MsgConfirmaGeracao)});
        QCOMPARE(linhasB(), geradas - 1);
        // Yes: the grid is rebuilt whole.
        respostas.textos.clear();
        respostas.responde(QMessageBox::Yes);
        QTest::mouseClick(controle<QPushButton>("BtGerar"), Qt::LeftButton);
        QCOMPARE(respostas.textos.size(), 1);
        QCOMPARE(linhasB(), geradas);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
    }

    void geracaoAbreMesAMesERecusaPeriodoInvalido() {
        abre();
        vigiaMesAMes();
        teste::RespondeMensagens respostas;
        respostas.responde(QMessageBox::Yes);
        QTest::mouseClick(controle<QPushButton>("BtGerar"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(mesesAbertos, 1, 3000);
        QVERIFY(linhasB() > 0);
        // "&Mês a Mês" opens it as well.
        QTest::mouseClick(controle<QPushButton>("BtMesAMes"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(mesesAbertos, 2, 3000);
        fechaJanela();

        // A period row that ends before it starts (stored around the window's
        // rules) stops the generation with its message; the month grid stays.
        const int antes = linhasB();
        {
            Tabela a(inst->sessao->privado(), calculo.tabela('A'));
            a.abre();
            a.insere();
            a["Item"] = 2;
            a["Mes1"] = 6;
            a["Ano1"] = 2023;
            a["Mes2"] = 1;
            a["Ano2"] = 2023;
            a["Valor"] = 10.0;
            a["VFM"] = "F";
            a["CodDataBasePadrao"] = 1;
            a["INSS"] = "N";
            a.grava();
        }
        abre();
        respostas.responde(QMessageBox::Yes);
        QTest::mouseClick(controle<QPushButton>("BtGerar"), Qt::LeftButton);
        QCOMPARE(mensagens(), Q("Informado Algum Periodo Invalido.\nImpossivel Gravar..."));
        QCOMPARE(linhasB(), antes);
        QTest::qWait(100);
        QCOMPARE(mesesAbertos, 2);  // not opened after a failure
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFParam1Test teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFParam1Test.moc"
