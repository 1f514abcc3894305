// The card generation window for the period 01/03/2004 to 31/05/2004: its
// defaults, the checks of the dates and of the 24 times in their order (a
// refused generation writes nothing and leaves the window open), the
// weekday, Saturday and holiday rules, and existing cards kept when
// "&Sobrepor dados já existentes" is unchecked.
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "storage/Excecoes.h"  // the error presenter the shared test support derives from
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TratamentoErros.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/ui/TFGeraCartao.h"

using namespace korva;
using namespace korva::ui;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }
double Minutos(const Valor& v) { return v.comoNumero() * 1440; }

}  // namespace

class TFGeraCartaoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<teste::InstalacaoTeste> inst;
    CalculoAberto calculo;
    std::unique_ptr<TFGeraCartao> janela;
    teste::RegistroMensagens registro;

    template <class W>
    W* controle(const char* nome) {
        W* w = janela->findChild<W*>(nome);
        if (!w) qWarning("controle %s ausente", nome);
        return w;
    }
    QString mensagens() { return registro.mensagens.join('|'); }
    void limpaMensagens() {
        QTest::qWait(450);
        registro.mensagens.clear();
    }
    void abre() {
        janela = std::make_unique<TFGeraCartao>(*inst->sessao, calculo.tabela('G'), Data::de(2004, 3, 1),
                                                Data::de(2004, 5, 31));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void periodo(QDate de, QDate ate) {
        controle<QDateEdit>("EdDataIni")->setDate(de);
        controle<QDateEdit>("EdDataFim")->setDate(ate);
    }
    // Types a time into an edit of the window as a user does.
    void horario(int grupo, int i, const char* texto) {
        QLineEdit* ed = janela->horario(grupo, i);
        ed->setFocus();
        ed->selectAll();
        QTest::keyClicks(ed, QString::fromLatin1(texto).remove(':'));
    }
    void ok() { QTest::mouseClick(controle<QPushButton>("BtOk"), Qt::LeftButton); }
    std::unique_ptr<Tabela> cartoes() {
        auto g = std::make_unique<Tabela>(inst->sessao->privado(), calculo.tabela('G'));
        g->abre(ModoAbertura::SomenteLeitura);
        g->defineIndice("");
        return g;
    }

private slots:
    void init() {
        inst = std::make_unique<teste::InstalacaoTeste>();
        calculo = inst->importa("diferencas-salariais-horas-extras.json");
        ConjuntoCalculo conjunto(inst->sessao->privado(), [] { return 100; });
        conjunto.defineAtual(calculo.execucao.diretorio, calculo.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', calculo.execucao.arquivo), TipoDaLetra('G'));
        registro.mensagens.clear();
        DefineApresentacao(&registro);
    }
    void cleanup() {
        janela.reset();
        DefineApresentacao(nullptr);
        inst.reset();
    }

    void padroesDaJanela() {
        abre();
        QCOMPARE(janela->windowTitle(), Q("KORVA - Gerar Cartões de Ponto"));
        QCOMPARE(controle<QLabel>("LbPeriodo")->text(), Q("Período: 01/03/2004 a 31/05/2004"));
        QCOMPARE(controle<QDateEdit>("EdDataIni")->date(), QDate(2004, 3, 1));
        QCOMPARE(controle<QDateEdit>("EdDataFim")->date(), QDate(2004, 5, 31));
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i < 8; ++i) QCOMPARE(janela->horario(g, i)->text(), Q("00:00"));
        const struct {
            const char* nome;
            const char* texto;
            bool marcada;
        } caixas[] = {{"CbFeriados", "Observar Tabela de &Feriados", true},
                      {"CbSobrepor", "&Sobrepor dados já existentes", true},
                      {"CbSabadoFolga", "Cadastrar &Sábados como dias de Folga", true},
                      {"CbInserirSabados", "Inserir marcações de ponto para os dias de sábado", false},
                      {"CbDomingoFolga", "Cadastrar &Domingos como dias de Folga", true},
                      {"CbInserirDomingos", "Inserir marcações de ponto para os dias de domingo", false}};
        for (const auto& c : caixas) {
            QCheckBox* cb = controle<QCheckBox>(c.nome);
            QVERIFY2(cb, c.nome);
            QCOMPARE(cb->text(), Q(c.texto));
            QCOMPARE(cb->isChecked(), c.marcada);
        }
        teste::GuardaTela(janela.get(), "TFGeraCartao");
    }

    void recusasNaOrdemSemGravar() {
        abre();
        const struct {
            QDate de, ate;
            const char* mensagem;
        } datas[] = {{QDate(2004, 3, 10), QDate(2004, 3, 9), "Período especificado inválido!"},
                     {QDate(2004, 2, 29), QDate(2004, 3, 9), "Data inicial inválida!"},
                     {QDate(2004, 3, 1), QDate(2004, 6, 1), "Data final inválida!"}};
        horario(1, 0, "25:00");
        for (const auto& d : datas) {
            periodo(d.de, d.ate);
            ok();
            QCOMPARE(mensagens(), Q(d.mensagem));
            limpaMensagens();
        }
        // The times: weekday before Saturday, and the empty mask is no time.
        periodo(QDate(2004, 3, 1), QDate(2004, 5, 31));
        janela->horario(0, 7)->clear();
        ok();
        QCOMPARE(mensagens(), Q("Valor inválido para o campo Saída 4"));
        limpaMensagens();
        horario(0, 0, "08:00");
        horario(0, 1, "12:00");
        horario(0, 7, "00:00");
        ok();
        QCOMPARE(mensagens(), Q("Valor inválido para o campo Entrada 1 do Sábado"));
        limpaMensagens();
        horario(1, 0, "08:00");
        horario(2, 5, "12:60");
        ok();
        QCOMPARE(mensagens(), Q("Valor inválido para o campo Saída 3 do Domingo"));
        QVERIFY(janela->isVisible());
        QCOMPARE(janela->result(), 0);
        QCOMPARE(cartoes()->quantidade(), 0);
    }

    void sabadosDomingosEFeriados() {
        abre();
        // 01/05/2004 is a Saturday: with the defaults only Monday's card is made.
        periodo(QDate(2004, 5, 1), QDate(2004, 5, 3));
        horario(0, 0, "08:00");
        horario(0, 1, "12:00");
        horario(1, 0, "09:00");
        horario(1, 1, "13:00");
        ok();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(janela->result(), int(QDialog::Accepted));
        QCOMPARE(janela->cartoesGerados(), 1);
        {
            auto g = cartoes();
            QCOMPARE(g->quantidade(), 1);
            QCOMPARE(g->valor("Data").comoData(), Data::de(2004, 5, 3));
            QCOMPARE(Minutos(g->valor("Ent1")), 480.0);
            QVERIFY(g->valor("Situacao").nulo() || g->valor("Situacao").comoTexto().empty());
        }

        // Saturdays inserted: the Saturday group's times and a day off
        // (01/05 is also a holiday); 21/04/2004 (Wednesday) is a holiday.
        janela.reset();
        abre();
        periodo(QDate(2004, 4, 20), QDate(2004, 5, 1));
        horario(0, 0, "08:00");
        horario(1, 0, "09:00");
        controle<QCheckBox>("CbInserirSabados")->setChecked(true);
        ok();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        {
            auto g = cartoes();
            QVERIFY(g->localizaChave({Valor(Data::de(2004, 4, 24))}));
            QCOMPARE(Minutos(g->valor("Ent1")), 540.0);
            QCOMPARE(g->valor("Situacao").comoTexto(), std::string("F"));
            QVERIFY(g->localizaChave({Valor(Data::de(2004, 4, 21))}));
            QCOMPARE(g->valor("Situacao").comoTexto(), std::string("F"));
            QVERIFY(g->localizaChave({Valor(Data::de(2004, 4, 22))}));
            QVERIFY(g->valor("Situacao").nulo() || g->valor("Situacao").comoTexto().empty());
            QVERIFY(!g->localizaChave({Valor(Data::de(2004, 4, 25))}));  // Sunday
        }

        // Not overwriting: existing cards keep their punches and marks, new days come in.
        janela.reset();
        abre();
        periodo(QDate(2004, 4, 19), QDate(2004, 4, 22));
        horario(0, 0, "10:00");
        controle<QCheckBox>("CbSobrepor")->setChecked(false);
        controle<QCheckBox>("CbFeriados")->setChecked(false);
        ok();
        QVERIFY2(registro.mensagens.isEmpty(), qPrintable(mensagens()));
        QCOMPARE(janela->cartoesGerados(), 1);
        auto g = cartoes();
        QVERIFY(g->localizaChave({Valor(Data::de(2004, 4, 19))}));
        QCOMPARE(Minutos(g->valor("Ent1")), 600.0);
        QVERIFY(g->localizaChave({Valor(Data::de(2004, 4, 21))}));
        QCOMPARE(Minutos(g->valor("Ent1")), 480.0);
        QCOMPARE(g->valor("Situacao").comoTexto(), std::string("F"));
    }
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    TFGeraCartaoTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TFGeraCartaoTest.moc"
