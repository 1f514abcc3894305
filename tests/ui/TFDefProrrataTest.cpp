// The defaults dialog of the pro-rata records over a fresh installation: the
// delivered row shown, the edit button that puts the focus on "Calcular
// Juros", the two radio groups that follow it, a change stored; the default
// additions with the rules of a new row and the refused "V" row without a
// date; closing refused with a pending edit; an empty table given a row to
// fill in; a table with two rows refused with the damage message.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "prorata/DefaultsProrrata.h"
#include "prorata/RegistrosProrrata.h"
#include "prorata/ui/TFDefProrrata.h"
#include "storage/Tabela.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TFDefProrrataTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    std::unique_ptr<TFDefProrrata> dialogo;
    teste::RegistroMensagens registro;

    template <class T>
    T* controle(const char* nome) const {
        T* w = dialogo->findChild<T*>(nome);
        if (!w) qFatal("control not found: %s", nome);
        return w;
    }
    QToolButton* navegador(const char* nav, NavegadorTabela::Botao b) const {
        return controle<NavegadorTabela>(nav)->botao(b);
    }
    Tabela& padrao() { return dialogo->defaults().padrao(); }
    QString mensagens() const { return registro.mensagens.join('|'); }
    int linhas(const char* tabela) {
        Tabela t(inst->sessao->privado(), tabela);
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
    void marca(const char* nome) {
        auto* r = controle<QRadioButton>(nome);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
    }
    void clicaCaixa(const char* nome) {
        auto* c = controle<QCheckBox>(nome);
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
    }
    void abre() {
        dialogo = std::make_unique<TFDefProrrata>(*inst->sessao);
        QVERIFY(dialogo->abre());
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
    }
    void digitaCelula(GradeTabela* grade, const std::string& campo, const QString& texto) {
        ModeloTabela* m = grade->modelo();
        grade->setFocus();
        grade->setCurrentIndex(m->index(m->linhaAtual(), m->colunaDoCampo(campo)));
        QTest::keyClick(grade, texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY2(editor && editor != grade, campo.c_str());
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(texto);
        } else {
            auto* linha = qobject_cast<QLineEdit*>(editor);
            QVERIFY(linha);
            for (const QChar c : texto.mid(1)) QTest::keyClick(linha, c.toLatin1());
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        if (dialogo) {
            for (Tabela* t : {&dialogo->defaults().padrao(), &dialogo->defaults().acrescimos()})
                if (t->aberta() && t->editando()) t->cancela();
            dialogo->reject();
        }
        dialogo.reset();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void mostraALinhaEOEditarVaiParaCalcularJuros() {
        abre();
        QCOMPARE(dialogo->windowTitle(), Q("KORVA - Valores Padrão para a atualização prorrata"));
        QVERIFY(dialogo->isModal());
        // The delivered row: interest, constant, legal, IPCA-E, interest first, FGTS interest.
        QVERIFY(controle<QCheckBox>("CkComJuros")->isChecked());
        QVERIFY(controle<QRadioButton>("RbConstantes")->isChecked());
        QVERIFY(controle<QRadioButton>("RbJuros0")->isChecked());
        QVERIFY(controle<QRadioButton>("RbAbatimentoJuros")->isChecked());
        QCOMPARE(controle<QComboBox>("CbIndice")->currentText(), Q("IPCA-E"));
        QVERIFY(controle<QCheckBox>("CkJurosFGTS")->isChecked());
        // Only two interest modes here: the variations belong to each record.
        QCOMPARE(controle<QGroupBox>("RgJuros")->findChildren<QRadioButton*>().size(), 2);
        // The navigator: edit, store, cancel and refresh only.
        auto* nav = controle<NavegadorTabela>("NavPadrao");
        for (auto b : {NavegadorTabela::Primeiro, NavegadorTabela::Inserir, NavegadorTabela::Excluir})
            QVERIFY(nav->botao(b)->isHidden());
        for (auto b : {NavegadorTabela::Editar, NavegadorTabela::Gravar, NavegadorTabela::Cancelar,
                       NavegadorTabela::Atualizar})
            QVERIFY(!nav->botao(b)->isHidden());

        QTest::mouseClick(navegador("NavPadrao", NavegadorTabela::Editar), Qt::LeftButton);
        QCOMPARE(padrao().estado(), EstadoTabela::Edicao);
        QTRY_VERIFY(controle<QCheckBox>("CkComJuros")->hasFocus());
        // The two radio groups follow "Calcular Juros".
        clicaCaixa("CkComJuros");
        QVERIFY(!controle<QGroupBox>("RgCalculoJuros")->isEnabled());
        QVERIFY(!controle<QGroupBox>("RgJuros")->isEnabled());
        QTest::mouseClick(navegador("NavPadrao", NavegadorTabela::Cancelar), Qt::LeftButton);
        QVERIFY(controle<QCheckBox>("CkComJuros")->isChecked());
        QVERIFY(controle<QGroupBox>("RgJuros")->isEnabled());

        // A change typed and stored.
        marca("RbRegressivos");
        marca("RbAbatimentoProporcional");
        controle<QLineEdit>("EdObs")->setFocus();
        QTest::keyClicks(controle<QLineEdit>("EdObs"), "Atualizado pelo IPCA-E");
        QTest::mouseClick(navegador("NavPadrao", NavegadorTabela::Gravar), Qt::LeftButton);
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(padrao().estado(), EstadoTabela::Navegacao);
        Tabela t(inst->sessao->privado(), kTabelaDefProrrata);
        t.abre(ModoAbertura::SomenteLeitura);
        t.primeiro();
        QVERIFY(!t.valor("JurosConstantes").comoLogico());
        QCOMPARE(t.valor("FormaAbatimento").comoTexto(), std::string("P"));
        QCOMPARE(t.valor("Obs").comoTexto(), std::string("Atualizado pelo IPCA-E"));
    }

    void acrescimosPadraoComAsRegrasDeUmaLinhaNova() {
        abre();
        auto* grade = controle<GradeTabela>("GradeAcrescimos");
        ModeloTabela* m = dialogo->modeloAcrescimos();
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Inserir), Qt::LeftButton);
        QCOMPARE(m->tabela().estado(), EstadoTabela::Insercao);
        QCOMPARE(grade->currentIndex().column(), m->colunaDoCampo("Descricao"));
        QCOMPARE(m->tabela().valor("Valor").comoNumero(), 0.0);
        QVERIFY(m->tabela().valor("Totalizar").comoLogico());
        digitaCelula(grade, "Descricao", Q("Custas"));
        digitaCelula(grade, "Valor", Q("150"));
        digitaCelula(grade, "Tipo", Q("v"));
        QCOMPARE(m->tabela().valor("Tipo").comoTexto(), std::string("V"));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(mensagens(), Q("Campo obrigatório não preenchido ou preenchido incorretamente."));
        QCOMPARE(grade->currentIndex().column(), m->colunaDoCampo("DtBase"));
        QCOMPARE(m->tabela().estado(), EstadoTabela::Insercao);
        QCOMPARE(linhas(kTabelaDefAcrescProrrata), 0);

        // Closing is refused while the row is pending.
        QTest::qWait(450);
        registro.mensagens.clear();
        dialogo->reject();
        QVERIFY(dialogo->isVisible());
        QCOMPARE(mensagens(), Q("Antes de fechar o formulário, cancele ou confirme a operação"));

        digitaCelula(grade, "DtBase", Q("01/01/2024"));
        QTest::mouseClick(navegador("NavAcrescimos", NavegadorTabela::Gravar), Qt::LeftButton);
        QCOMPARE(m->tabela().estado(), EstadoTabela::Navegacao);
        QCOMPARE(linhas(kTabelaDefAcrescProrrata), 1);
        dialogo->reject();
        QVERIFY(!dialogo->isVisible());
    }

    void tabelaVaziaRecebeUmaLinhaParaPreencher() {
        {
            Tabela t(inst->sessao->privado(), kTabelaDefProrrata);
            t.abre();
            while (!t.vazia()) {
                t.primeiro();
                t.exclui();
            }
        }
        abre();
        QCOMPARE(padrao().estado(), EstadoTabela::Insercao);
        QVERIFY(controle<QCheckBox>("CkComJuros")->isEnabled());
    }

    void tabelaComDuasLinhasEDanificada() {
        {
            Tabela t(inst->sessao->privado(), kTabelaDefProrrata);
            t.abre();
            t.primeiro();
            const std::vector<Valor> linha = t.linha();
            t.insere();
            for (const char* campo : {"ComJuros", "JurosConstantes", "ValorJuros", "Indice", "FormaAbatimento",
                                      "UsarJurosPadrao", "ValorFGTS", "CalcularJurosFGTS"})
                t[campo] = linha.at(static_cast<size_t>(t.definicao().posicao(campo)));
            t.grava();
        }
        QCOMPARE(linhas(kTabelaDefProrrata), 2);
        dialogo = std::make_unique<TFDefProrrata>(*inst->sessao);
        teste::RespondeMensagens respostas;
        QCOMPARE(dialogo->exec(), int(QDialog::Rejected));
        QCOMPARE(respostas.textos, QStringList{Q(DefaultsProrrata::MensagemDanificada)});
        QVERIFY(!dialogo->isVisible());
        QCOMPARE(linhas(kTabelaDefProrrata), 2);
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFDefProrrataTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFDefProrrataTest.moc"
