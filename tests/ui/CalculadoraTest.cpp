// The pocket calculator's arithmetic and display, and the synthesised keys
// that F12 sends.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "app/ui/AplicacaoKorva.h"
#include "app/ui/EnviaTecla.h"
#include "app/MaquinaCalculadora.h"

using korva::MaquinaCalculadora;
using Op = MaquinaCalculadora::Operacao;

namespace {

// Feeds a sequence of keys: digits, ',', + - * / =, C, < (backspace), ~ (sign).
std::string Digita(MaquinaCalculadora& m, const char* teclas) {
    for (const char* c = teclas; *c; ++c) {
        switch (*c) {
            case ',': m.virgula(); break;
            case '+': m.operacao(Op::Soma); break;
            case '-': m.operacao(Op::Subtrai); break;
            case '*': m.operacao(Op::Multiplica); break;
            case '/': m.operacao(Op::Divide); break;
            case '=': m.igual(); break;
            case 'C': m.limpa(); break;
            case '<': m.apaga(); break;
            case '~': m.trocaSinal(); break;
            default: m.digito(*c - '0');
        }
    }
    return m.visor();
}

std::string Conta(const char* teclas) {
    MaquinaCalculadora m;
    return Digita(m, teclas);
}

}  // namespace

class CalculadoraTest : public QObject {
    Q_OBJECT

private slots:
    void formatoBrasileiro() {
        QCOMPARE(MaquinaCalculadora::Formata(0), std::string("0"));
        QCOMPARE(MaquinaCalculadora::Formata(-0.0), std::string("0"));
        QCOMPARE(MaquinaCalculadora::Formata(1234.5), std::string("1.234,5"));
        QCOMPARE(MaquinaCalculadora::Formata(-1234567.25), std::string("-1.234.567,25"));
        QCOMPARE(MaquinaCalculadora::Formata(999), std::string("999"));
        QCOMPARE(MaquinaCalculadora::Formata(1000), std::string("1.000"));
        QCOMPARE(MaquinaCalculadora::Formata(0.1 + 0.2), std::string("0,3"));
        QCOMPARE(MaquinaCalculadora::Formata(2.0 / 3.0), std::string("0,6666666667"));
    }

    void digitacao() {
        QCOMPARE(Conta(""), std::string("0"));
        QCOMPARE(Conta("0007"), std::string("7"));
        QCOMPARE(Conta("1234567"), std::string("1.234.567"));
        QCOMPARE(Conta("12,50"), std::string("12,50"));  // trailing zero kept while typing
        QCOMPARE(Conta(",5"), std::string("0,5"));
        QCOMPARE(Conta("1,2,3"), std::string("1,23"));   // one separator only
        QCOMPARE(Conta("123<"), std::string("12"));
        QCOMPARE(Conta("1<<"), std::string("0"));
        QCOMPARE(Conta("1234,56~"), std::string("-1.234,56"));
        QCOMPARE(Conta("1234~~"), std::string("1.234"));
        QCOMPARE(Conta("0~"), std::string("0"));
        QCOMPARE(Conta(std::string(20, '9').c_str()), std::string("999.999.999.999.999"));  // 15 digits at most
    }

    void operacoes() {
        QCOMPARE(Conta("2+3="), std::string("5"));
        QCOMPARE(Conta("2+3*4="), std::string("20"));  // left to right, as a pocket calculator
        QCOMPARE(Conta("10-15="), std::string("-5"));
        QCOMPARE(Conta("1234,5*2="), std::string("2.469"));
        QCOMPARE(Conta("7/2="), std::string("3,5"));
        QCOMPARE(Conta("2+*3="), std::string("6"));    // a second operator replaces the first
        QCOMPARE(Conta("2+3=="), std::string("8"));    // "=" again repeats the last operation
        QCOMPARE(Conta("5*="), std::string("25"));
        QCOMPARE(Conta("2+3=4"), std::string("4"));    // a digit after a result starts anew
        QCOMPARE(Conta("2+3=*2="), std::string("10"));  // or the result goes on
        QCOMPARE(Conta("9+1C"), std::string("0"));
        QCOMPARE(Conta("2+3=<"), std::string("5"));    // a result is not edited
        QCOMPARE(Conta("0,1+0,2="), std::string("0,3"));
    }

    void erros() {
        MaquinaCalculadora m;
        QCOMPARE(Digita(m, "5/0="), std::string("Não é possível dividir por zero"));
        QVERIFY(m.emErro());
        Digita(m, "+");                 // operators do nothing while in error
        QVERIFY(m.emErro());
        QCOMPARE(Digita(m, "4"), std::string("4"));  // a digit starts over
        QVERIFY(!m.emErro());
        QCOMPARE(Digita(m, "C999999999999999*999999999999999="), std::string("Número grande demais"));
        QCOMPARE(Digita(m, "C"), std::string("0"));
    }

    void teclaDecimalSegueOLocal() {
        korva::ui::TeclaTraduzida t;
        QVERIFY(korva::ui::TraduzTecla(110, t));
        QCOMPARE(t.tecla, int(Qt::Key_Comma));
        QCOMPARE(t.texto, QStringLiteral(","));
        QVERIFY(t.modificadores & Qt::KeypadModifier);

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(korva::ui::TraduzTecla(110, t));
        QCOMPARE(t.tecla, int(Qt::Key_Period));
        QCOMPARE(t.texto, QStringLiteral("."));
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

        QVERIFY(korva::ui::TraduzTecla('7', t));
        QCOMPARE(t.tecla, int(Qt::Key_7));
        QCOMPARE(t.texto, QStringLiteral("7"));
        QVERIFY(korva::ui::TraduzTecla(0x70 + 10, t));  // F11
        QCOMPARE(t.tecla, int(Qt::Key_F11));
        QVERIFY(!korva::ui::TraduzTecla(0xFF, t));
    }

    void teclasChegamAoCampo() {
        QLineEdit campo;
        QVERIFY(korva::ui::EnviaTecla('4', Qt::NoModifier, false, &campo));
        QVERIFY(korva::ui::EnviaTecla(110, Qt::NoModifier, false, &campo));
        QVERIFY(korva::ui::EnviaTecla('5', Qt::NoModifier, false, &campo));
        QVERIFY(korva::ui::EnviaTecla('A', Qt::ShiftModifier, false, &campo));
        QVERIFY(!korva::ui::EnviaTecla(0xFF, Qt::NoModifier, false, &campo));
        QTRY_COMPARE(campo.text(), QStringLiteral("4,5A"));
        QVERIFY(korva::ui::EnviaTecla(0x08, Qt::NoModifier, false, &campo));  // backspace
        QTRY_COMPARE(campo.text(), QStringLiteral("4,5"));
    }

    void datasCurtasNoFormatoBrasileiro() {
        QCOMPARE(QLocale().toString(QDate(2010, 7, 28), QLocale::ShortFormat), QStringLiteral("28/07/2010"));
    }
};

int main(int argc, char** argv) {
    korva::ui::AplicacaoKorva aplicacao(argc, argv);
    korva::ui::ConfiguraAplicacao(aplicacao);
    CalculadoraTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "CalculadoraTest.moc"
