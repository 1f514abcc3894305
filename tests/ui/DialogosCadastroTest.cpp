// The picking dialogs of the register, driven as a user does over a fresh
// installation: the lawsuit list in its two modes (the current calculation
// hidden, the search by number, the check boxes handed back and kept, the
// double click), the rate list filtered by the search option in force, and
// the search options with their cancel.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TratamentoErros.h"
#include "register/ListaTaxas.h"
#include "register/ui/TFListaProcessos.h"
#include "register/ui/TFListaTaxas.h"
#include "register/ui/TFOpcoesPesquisa.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

class Registro : public ApresentacaoErros {
public:
    void beep() override {}
    void mostraInformacao(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraErro(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraCodigo(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    QStringList mensagens;
};

// Runs `acao` once the next modal dialog is up (and gives up after a while,
// so a broken dialog cannot hang the run).
void Quando(std::function<void(QWidget*)> acao) {
    QTimer::singleShot(0, [acao] {
        QWidget* dialogo = nullptr;
        for (int i = 0; i < 200 && !(dialogo = QApplication::activeModalWidget()); ++i) QTest::qWait(10);
        if (!dialogo) return;
        QTimer::singleShot(15000, dialogo, [dialogo] {
            if (auto* d = qobject_cast<QDialog*>(dialogo); d && d->isVisible()) d->done(-1);
        });
        acao(dialogo);
    });
}

template <class T>
T* Filho(QWidget* w, const char* nome) {
    return w->findChild<T*>(QString::fromLatin1(nome));
}

void Clica(QWidget* w, const char* nome) {
    auto* b = Filho<QAbstractButton>(w, nome);
    if (!b) {
        QTest::qFail(qPrintable(QStringLiteral("sem o botão %1").arg(nome)), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

void Grava(QWidget* w, const char* nome) {
    std::filesystem::create_directories("/tmp/telas");
    w->grab().save(QStringLiteral("/tmp/telas/%1.png").arg(nome));
}

// The texts of the rows of a grid column.
QStringList Coluna(GradeTabela* g, int coluna) {
    QStringList r;
    for (int i = 0; i < g->model()->rowCount(); ++i) r << g->model()->index(i, coluna).data().toString();
    return r;
}

}  // namespace

class DialogosCadastroTest : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
    std::unique_ptr<Sessao> sessao_;
    std::unique_ptr<TFPrincipal> principal_;
    Registro registro_;

    void processo(const std::string& numero, int grupo, int diretorio, double total) {
        Tabela t(sessao_->privado(), "Processo.DB");
        t.abre();
        t.insere();
        t["Processo"] = numero;
        t["CodRecte"] = grupo;
        t["DtGrav"] = Data::de(2009, 1, 1);
        t["DtAjuiz"] = Data::de(2008, 3, 10);
        t["DtBase"] = Data::de(2009, 2, 1);
        for (const char* f : {"TotalGeral", "FGTS", "TotalBaseINSS", "ValorINSSReclamante", "TotalBaseIR13",
                              "TotalBaseIRFerias", "TotalBaseIRDemais", "ValorTotalIR"})
            t[f] = 0.0;
        t["Total"] = total;
        t["INSSReclamado"] = 20.0;
        for (const char* f : {"IndPrincipal", "IndFGTS", "DataBasePadrao", "AtualizaFeriadosMunic", "Salario",
                              "ValeTransporte", "CalculoJuros", "OpcaoIR"})
            t[f] = 1;
        for (const char* f : {"IncidirJurosFGTS", "AtualizarBaseMedia", "AtualizaFeriadosNacionais",
                              "AtualizaFeriadosEstaduais", "IRSobreJuros", "AnularReflexoNegativo"})
            t[f] = false;
        t["AdicionarINSSRecte"] = false;
        t["Calculista"] = "Ana";
        t["Diretorio"] = diretorio;
        t["Arquivo"] = diretorio * 10 + grupo;
        t.grava();
    }

    void taxa(int codigo, const std::string& natureza, double valor) {
        Tabela t(sessao_->compartilhado(), "PrevEmpregador.DB");
        t.abre();
        t.insere();
        t["Codigo"] = codigo;
        t["Natureza"] = natureza;
        t["Taxa"] = valor;
        t.grava();
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTemporaria>();
        ambiente_.pastaPrograma = pasta_->caminho() / "programa";
        ambiente_.pastaConfig = pasta_->caminho();
        ambiente_.pastaDados = pasta_->caminho();
        std::filesystem::create_directories(ambiente_.pastaPrograma);
        QVERIFY(Sessao::PrimeiraPartida(ambiente_));
        sessao_ = std::make_unique<Sessao>(ambiente_);
        principal_ = std::make_unique<TFPrincipal>(*sessao_);
        principal_->resize(1024, 700);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
        DefineApresentacao(&registro_);

        processo("123", 2, 1, 300.0);
        processo("123", 1, 1, 100.0);
        processo("123", 3, 2, 500.0);
        processo("456", 2, 3, 0.0);
        processo("456", 1, 3, 0.0);
        processo("0", 0, 4, 0.0);
        taxa(101, "COMERCIO VAREJISTA", 20.0);
        taxa(102, "INDUSTRIA E COMERCIO", 21.5);
    }

    void cleanupTestCase() {
        DefineApresentacao(nullptr);
        principal_.reset();
        sessao_.reset();
        pasta_.reset();
    }

    void init() { registro_.mensagens.clear(); }

    // One instance each, children of the main window.
    void instanciasUnicasDaJanelaPrincipal() {
        QCOMPARE(&TFListaProcessos::Instancia(), &TFListaProcessos::Instancia());
        QCOMPARE(TFListaProcessos::Instancia().parentWidget(), principal_.get());
        QCOMPARE(&TFListaTaxas::Instancia(), &TFListaTaxas::Instancia());
        QCOMPARE(&TFOpcoesPesquisa::Instancia(), &TFOpcoesPesquisa::Instancia());
        QCOMPARE(TFOpcoesPesquisa::Instancia().parentWidget(), principal_.get());
    }

    void opcoesDaPesquisaCanceladasFicamComoEstavam() {
        TFOpcoesPesquisa& opcoes = TFOpcoesPesquisa::Instancia();
        QCOMPARE(opcoes.emVigor(), OpcaoPesquisa::QualquerParte);
        QString titulo, rotulos;
        bool meioMarcado = false;
        Quando([&](QWidget* d) {
            titulo = d->windowTitle();
            rotulos = Filho<QGroupBox>(d, "RgPesquisa")->title();
            for (const char* n : {"RbInicio", "RbQualquerParte", "RbFinal"}) rotulos += "|" + Filho<QRadioButton>(d, n)->text();
            meioMarcado = Filho<QRadioButton>(d, "RbQualquerParte")->isChecked();
            Grava(d, "TFOpcoesPesquisa");
            Clica(d, "RbFinal");
            Clica(d, "BtCancela");
        });
        QCOMPARE(opcoes.executa(), int(QDialog::Rejected));
        QCOMPARE(titulo, QStringLiteral("Configuração"));
        QCOMPARE(rotulos, QStringLiteral(" Pesquisa: |No &início do campo|Em &qualquer parte do campo|No &final do campo"));
        QVERIFY(meioMarcado);
        QCOMPARE(opcoes.emVigor(), OpcaoPesquisa::QualquerParte);

        // Shown again: the radio group shows the option in force, not the cancelled one.
        bool finalMarcado = true;
        Quando([&](QWidget* d) {
            finalMarcado = Filho<QRadioButton>(d, "RbFinal")->isChecked();
            Clica(d, "RbInicio");
            Clica(d, "BtOk");
        });
        QCOMPARE(opcoes.executa(), int(QDialog::Accepted));
        QVERIFY(!finalMarcado);
        QCOMPARE(opcoes.emVigor(), OpcaoPesquisa::Inicio);
        // Escape is a cancel too.
        Quando([&](QWidget* d) {
            Clica(d, "RbFinal");
            QTest::keyClick(d, Qt::Key_Escape);
        });
        opcoes.executa();
        QCOMPARE(opcoes.emVigor(), OpcaoPesquisa::Inicio);

        opcoes.configuracao().escolhe(OpcaoPesquisa::QualquerParte);
        opcoes.configuracao().confirma();
    }

    void listaDeTaxasFiltraPelaOpcaoEmVigor() {
        TFListaTaxas& lista = TFListaTaxas::Instancia();
        QString titulo;
        QStringList todas, comer, inicio, vazia;
        bool okVazia = true, okCheia = false;
        QString digitado;
        Quando([&](QWidget* d) {
            titulo = d->windowTitle();
            auto* grade = Filho<GradeTabela>(d, "GrTaxas");
            auto* campo = Filho<QLineEdit>(d, "EdPesquisa");
            todas = Coluna(grade, 0);
            okCheia = Filho<QPushButton>(d, "BtOk")->isEnabled();
            // The field the window gives the keyboard to when it is active.
            QCOMPARE(d->focusWidget(), campo);
            Grava(d, "TFListaTaxas");
            // Typed in small letters, shown in capitals; Enter searches.
            QTest::keyClicks(campo, "comer");
            digitado = campo->text();
            QTest::keyClick(campo, Qt::Key_Return);
            comer = Coluna(grade, 0);
            // The options dialog from the list: start of the field.
            Quando([](QWidget* o) {
                Clica(o, "RbInicio");
                Clica(o, "BtOk");
            });
            Clica(d, "BtOpcoes");
            Clica(d, "BtPesquisa");
            inicio = Coluna(grade, 0);
            campo->clear();
            QTest::keyClicks(campo, "XYZ");
            Clica(d, "BtPesquisa");
            vazia = Coluna(grade, 0);
            okVazia = Filho<QPushButton>(d, "BtOk")->isEnabled();
            // An empty text removes the filter; a double click on a row chooses it.
            campo->clear();
            QTest::keyClick(campo, Qt::Key_Return);
            const int linha = static_cast<int>(Coluna(grade, 0).indexOf("INDUSTRIA E COMERCIO"));
            const QRect r = grade->visualRect(grade->model()->index(linha, 0));
            QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, r.center());
        });
        const QString empregador = QStringLiteral("KORVA - Pesquisa de Recolhimento do Empregador");
        QCOMPARE(lista.executa(empregador, "PrevEmpregador.DB"), int(QDialog::Accepted));
        QCOMPARE(titulo, empregador);
        QVERIFY(todas.contains("COMERCIO VAREJISTA"));
        QVERIFY(todas.contains("Empresas em geral"));
        QVERIFY(okCheia);
        QCOMPARE(digitado, QStringLiteral("COMER"));
        QCOMPARE(comer, (QStringList{"COMERCIO VAREJISTA", "INDUSTRIA E COMERCIO"}));
        QCOMPARE(inicio, QStringList{"COMERCIO VAREJISTA"});
        QVERIFY(vazia.isEmpty());
        QVERIFY(!okVazia);
        QVERIFY(lista.taxa());
        QCOMPARE(*lista.taxa(), 21.5);
        QCOMPARE(TFOpcoesPesquisa::Instancia().emVigor(), OpcaoPesquisa::Inicio);
        TFOpcoesPesquisa::Instancia().configuracao().escolhe(OpcaoPesquisa::QualquerParte);
        TFOpcoesPesquisa::Instancia().configuracao().confirma();

        // Another table, the search cleared; "&Cancela" gives no rate.
        QString campoAoAbrir = "x";
        QStringList sat;
        Quando([&](QWidget* d) {
            campoAoAbrir = Filho<QLineEdit>(d, "EdPesquisa")->text();
            sat = Coluna(Filho<GradeTabela>(d, "GrTaxas"), 0);
            Clica(d, "BtCancela");
        });
        QCOMPARE(lista.executa(QStringLiteral("KORVA - Pesquisa de Riscos Ambientais do Trabalho"), "PrevSAT.DB"),
                 int(QDialog::Rejected));
        QCOMPARE(campoAoAbrir, QString());
        QVERIFY(!sat.isEmpty());
        QVERIFY(!sat.contains("COMERCIO VAREJISTA"));
        QVERIFY(!lista.taxa());
        QVERIFY(!lista.lista().tabela().aberta());  // closed on hiding
    }

    void listaDeProcessosEmModoDeCalculo() {
        TFListaProcessos& lista = TFListaProcessos::Instancia();
        QString titulo;
        QStringList linhas, grupos;
        bool duplicarVisivel = false, importarVisivel = true, pesquisaAntes = true, pesquisaDepois = false;
        QString grupoAchado;
        QStringList mensagens;
        Quando([&](QWidget* d) {
            titulo = d->windowTitle();
            auto* grade = Filho<GradeTabela>(d, "GrProcessos");
            linhas = Coluna(grade, 0);
            grupos = Coluna(grade, 1);
            duplicarVisivel = Filho<QGroupBox>(d, "PnDuplicar")->isVisible();
            importarVisivel = Filho<QGroupBox>(d, "PnImportar")->isVisible();
            Grava(d, "TFListaProcessos");
            auto* campo = Filho<QLineEdit>(d, "EdPesquisa");
            pesquisaAntes = Filho<QPushButton>(d, "BtPesquisa")->isEnabled();
            QTest::keyClicks(campo, "999");
            pesquisaDepois = Filho<QPushButton>(d, "BtPesquisa")->isEnabled();
            QTest::keyClick(campo, Qt::Key_Return);
            mensagens = registro_.mensagens;
            campo->clear();
            QTest::keyClicks(campo, "456");
            Clica(d, "BtPesquisa");
            auto* modelo = static_cast<ModeloTabela*>(grade->model());
            grupoAchado = modelo->index(modelo->linhaAtual(), 1).data().toString();
            Clica(d, "CbJuros");
            Clica(d, "BtOk");
        });
        QCOMPARE(lista.executa("123", 2), int(QDialog::Accepted));
        QCOMPARE(titulo, QStringLiteral("KORVA - Lista de Processos"));
        QCOMPARE(linhas, (QStringList{"0", "123", "123", "456", "456"}));
        QCOMPARE(grupos, (QStringList{"000", "001", "003", "001", "002"}));
        QVERIFY(duplicarVisivel);
        QVERIFY(!importarVisivel);
        QVERIFY(!pesquisaAntes);
        QVERIFY(pesquisaDepois);
        QCOMPARE(mensagens, QStringList{"Processo não Encontrado!"});
        QCOMPARE(grupoAchado, QStringLiteral("001"));
        QVERIFY(lista.escolha());
        const auto& e = *lista.escolha();
        QCOMPARE(e.processo, std::string("456"));
        QCOMPARE(e.codRecte, 1);
        QCOMPARE(e.pasta, std::string("Sub00003\\"));
        QCOMPARE(e.arquivo, std::string("0000031.db"));
        QVERIFY(!e.copias.juros);
        QVERIFY(e.copias.periodo && e.copias.mesAMes && e.copias.basesINSS && e.copias.acrescimos);
        QVERIFY(!lista.lista().tabela().aberta());

        // Next showing: Juros stays unticked; cancelling hands nothing back.
        bool jurosMarcado = true, parametrosMarcado = false;
        Quando([&](QWidget* d) {
            jurosMarcado = Filho<QCheckBox>(d, "CbJuros")->isChecked();
            parametrosMarcado = Filho<QCheckBox>(d, "CbParam1")->isChecked();
            Clica(d, "BtCancela");
        });
        QCOMPARE(lista.executa("456", 1), int(QDialog::Rejected));
        QVERIFY(!jurosMarcado);
        QVERIFY(parametrosMarcado);
        QVERIFY(!lista.escolha());
    }

    void listaDeProcessosEmModoProrrata() {
        TFListaProcessos& lista = TFListaProcessos::Instancia();
        QStringList linhas, caixas;
        bool duplicarVisivel = true, importarVisivel = false;
        Quando([&](QWidget* d) {
            auto* grade = Filho<GradeTabela>(d, "GrProcessos");
            linhas = Coluna(grade, 0);
            duplicarVisivel = Filho<QGroupBox>(d, "PnDuplicar")->isVisible();
            importarVisivel = Filho<QGroupBox>(d, "PnImportar")->isVisible();
            for (const char* n : {"CbINSSEmpresa", "CbIR"}) {
                auto* c = Filho<QCheckBox>(d, n);
                caixas << c->text() + (c->isChecked() ? "+" : "-");
            }
            Grava(d, "TFListaProcessosProrrata");
            Clica(d, "CbIR");
            // The third row: 123 group 3.
            const QRect r = grade->visualRect(grade->model()->index(2, 0));
            QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, r.center());
        });
        QCOMPARE(lista.executa("0", 0), int(QDialog::Accepted));
        QCOMPARE(linhas, (QStringList{"123", "123", "123", "456", "456"}));
        QVERIFY(!duplicarVisivel);
        QVERIFY(importarVisivel);
        QCOMPARE(caixas, (QStringList{"Contribuição Previdenciária da empresa+", "Imposto de Renda+"}));
        QVERIFY(lista.escolha());
        QCOMPARE(lista.escolha()->processo, std::string("123"));
        QCOMPARE(lista.escolha()->codRecte, 3);
        QCOMPARE(lista.escolha()->total, 500.0);
        QVERIFY(lista.escolha()->importacao.contribuicaoEmpresa);
        QVERIFY(!lista.escolha()->importacao.impostoRenda);
    }

    // With nothing to choose, "&OK" is off and a double click does nothing.
    void listaDeProcessosVaziaNaoEscolhe() {
        // Only lawsuit 0 left: in pro-rata mode it is hidden and nothing is listed.
        sessao_->privado().executa("Processo.DB", "delete from Tabela where Processo <> '0'");
        TFListaProcessos lista(*sessao_);
        bool ok = true;
        int aberta = -1;
        Quando([&](QWidget* d) {
            ok = Filho<QPushButton>(d, "BtOk")->isEnabled();
            auto* grade = Filho<GradeTabela>(d, "GrProcessos");
            QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
            QTest::qWait(20);
            aberta = d->isVisible() ? 1 : 0;
            Clica(d, "BtCancela");
        });
        QCOMPARE(lista.executa("0", 0), int(QDialog::Rejected));
        QVERIFY(!ok);
        QCOMPARE(aberta, 1);
        QVERIFY(!lista.escolha());
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    DialogosCadastroTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "DialogosCadastroTest.moc"
