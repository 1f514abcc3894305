#include "app/ui/TFCalculadora.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/ui/Icones.h"
#include "app/ui/Textos.h"

namespace korva::ui {
namespace {

const QString Mais = QStringLiteral("+");
const QString Menos = QStringLiteral("−");
const QString Vezes = QStringLiteral("×");
const QString Dividido = QStringLiteral("÷");
const QString Igual = QStringLiteral("=");
const QString Limpa = QStringLiteral("C");
const QString Apaga = QStringLiteral("←");
const QString Sinal = QStringLiteral("±");
const QString Virgula = QStringLiteral(",");

}  // namespace

TFCalculadora::TFCalculadora(QWidget* pai) : QWidget(pai, Qt::Tool) {
    setObjectName("TFCalculadora");
    setWindowTitle(TituloJanela(QStringLiteral("Calculadora")));
    setWindowIcon(Icone("calculadora"));

    visor_ = new QLineEdit(this);
    visor_->setObjectName("EdVisor");
    visor_->setReadOnly(true);
    visor_->setAlignment(Qt::AlignRight);
    visor_->setFocusPolicy(Qt::NoFocus);
    QFont fonte = visor_->font();
    fonte.setPointSizeF(fonte.pointSizeF() * 1.5);
    visor_->setFont(fonte);
    visor_->setMinimumWidth(220);

    auto* grade = new QGridLayout(this);
    grade->setSpacing(4);
    grade->addWidget(visor_, 0, 0, 1, 4);
    const QString teclas[5][4] = {
        {Limpa, Apaga, Sinal, Dividido},
        {"7", "8", "9", Vezes},
        {"4", "5", "6", Menos},
        {"1", "2", "3", Mais},
        {"0", Virgula, Igual, QString()},
    };
    for (int l = 0; l < 5; ++l)
        for (int c = 0; c < 4; ++c) {
            const QString& rotulo = teclas[l][c];
            if (rotulo.isEmpty()) continue;
            auto* botao = new QPushButton(rotulo, this);
            botao->setFocusPolicy(Qt::NoFocus);
            botao->setMinimumSize(48, 36);
            botao->setAutoDefault(false);
            connect(botao, &QPushButton::clicked, this, [this, rotulo] { tecla(rotulo); });
            // "=" takes the last two places of the bottom row
            grade->addWidget(botao, l + 1, c, 1, rotulo == Igual ? 2 : 1);
        }
    atualiza();
}

QString TFCalculadora::visor() const { return visor_->text(); }

void TFCalculadora::mostra() {
    show();
    raise();
    activateWindow();
}

void TFCalculadora::tecla(const QString& rotulo) {
    using Op = MaquinaCalculadora::Operacao;
    if (rotulo.size() == 1 && rotulo[0].isDigit()) maquina_.digito(rotulo[0].digitValue());
    else if (rotulo == Virgula) maquina_.virgula();
    else if (rotulo == Mais) maquina_.operacao(Op::Soma);
    else if (rotulo == Menos) maquina_.operacao(Op::Subtrai);
    else if (rotulo == Vezes) maquina_.operacao(Op::Multiplica);
    else if (rotulo == Dividido) maquina_.operacao(Op::Divide);
    else if (rotulo == Igual) maquina_.igual();
    else if (rotulo == Limpa) maquina_.limpa();
    else if (rotulo == Apaga) maquina_.apaga();
    else if (rotulo == Sinal) maquina_.trocaSinal();
    atualiza();
}

void TFCalculadora::atualiza() { visor_->setText(QString::fromStdString(maquina_.visor())); }

void TFCalculadora::keyPressEvent(QKeyEvent* evento) {
    const QString texto = evento->text();
    switch (evento->key()) {
        case Qt::Key_Plus: tecla(Mais); return;
        case Qt::Key_Minus: tecla(Menos); return;
        case Qt::Key_Asterisk: tecla(Vezes); return;
        case Qt::Key_Slash: tecla(Dividido); return;
        case Qt::Key_Equal:
        case Qt::Key_Return:
        case Qt::Key_Enter: tecla(Igual); return;
        case Qt::Key_Comma:
        case Qt::Key_Period: tecla(Virgula); return;
        case Qt::Key_Backspace: tecla(Apaga); return;
        case Qt::Key_Delete:
        case Qt::Key_Escape: tecla(Limpa); return;
        default: break;
    }
    if (evento->key() >= Qt::Key_0 && evento->key() <= Qt::Key_9) {
        tecla(QString(QChar(u'0' + (evento->key() - Qt::Key_0))));
        return;
    }
    if (texto == QStringLiteral("c") || texto == QStringLiteral("C")) {
        tecla(Limpa);
        return;
    }
    QWidget::keyPressEvent(evento);
}

}  // namespace korva::ui
