#include "parameters/ui/TFPegaData.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "app/ui/TFPrincipal.h"
#include "app/ui/Textos.h"

namespace korva::ui {

namespace {
QLocale Brasil() { return QLocale(QLocale::Portuguese, QLocale::Brazil); }
}  // namespace

TFPegaData::TFPegaData(QWidget* pai) : QDialog(pai) {
    setObjectName("TFPegaData");
    setWindowTitle(TituloJanela(QStringLiteral("Selecione a Data")));
    setModal(true);

    lbTitulo_ = new QLabel(this);
    lbTitulo_->setObjectName("LbTitulo");
    lbTitulo_->setAlignment(Qt::AlignCenter);
    QFont fonte = lbTitulo_->font();
    fonte.setBold(true);
    fonte.setPointSizeF(fonte.pointSizeF() * 1.25);
    lbTitulo_->setFont(fonte);

    calendario_ = new QCalendarWidget(this);
    calendario_->setObjectName("Calendario");
    calendario_->setLocale(Brasil());
    calendario_->setFirstDayOfWeek(Qt::Sunday);
    calendario_->setNavigationBarVisible(false);
    calendario_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendario_->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendario_->setGridVisible(true);
    // Saturdays and Sundays in the same colour as the other days; holidays are not known here.
    QTextCharFormat dia;
    dia.setForeground(palette().color(QPalette::WindowText));
    calendario_->setWeekdayTextFormat(Qt::Saturday, dia);
    calendario_->setWeekdayTextFormat(Qt::Sunday, dia);

    auto botao = [this](const char* nome, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        return b;
    };
    btAnoAnterior_ = botao("BtAnoAnterior", QStringLiteral("Ano Anterior"));
    btMesAnterior_ = botao("BtMesAnterior", QStringLiteral("Mês Anterior"));
    btProximoMes_ = botao("BtProximoMes", QStringLiteral("Próximo Mês"));
    btProximoAno_ = botao("BtProximoAno", QStringLiteral("Próximo Ano"));
    btOk_ = botao("BtOk", QStringLiteral("OK"));
    btCancela_ = botao("BtCancela", QStringLiteral("Cancela"));
    btOk_->setDefault(true);

    connect(btAnoAnterior_, &QPushButton::clicked, this, [this] { mudaMes(-12); });
    connect(btMesAnterior_, &QPushButton::clicked, this, [this] { mudaMes(-1); });
    connect(btProximoMes_, &QPushButton::clicked, this, [this] { mudaMes(1); });
    connect(btProximoAno_, &QPushButton::clicked, this, [this] { mudaMes(12); });
    connect(calendario_, &QCalendarWidget::selectionChanged, this, &TFPegaData::atualizaTitulo);
    connect(calendario_, &QCalendarWidget::currentPageChanged, this, [this](int ano, int mes) {
        // Paging with the keyboard keeps the day, as the buttons do.
        const QDate d = calendario_->selectedDate();
        if (d.year() != ano || d.month() != mes) {
            const QDate nova(ano, mes, std::min(d.day(), QDate(ano, mes, 1).daysInMonth()));
            calendario_->setSelectedDate(nova);
        }
        atualizaTitulo();
    });
    auto ok = [this] {
        resultado_ = QStringLiteral("OK");
        accept();
    };
    connect(btOk_, &QPushButton::clicked, this, ok);
    connect(calendario_, &QCalendarWidget::activated, this, ok);
    connect(btCancela_, &QPushButton::clicked, this, &QDialog::reject);

    auto* navegacao = new QHBoxLayout;
    navegacao->addWidget(btAnoAnterior_);
    navegacao->addWidget(btMesAnterior_);
    navegacao->addStretch();
    navegacao->addWidget(btProximoMes_);
    navegacao->addWidget(btProximoAno_);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancela_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbTitulo_);
    layout->addWidget(calendario_, 1);
    layout->addLayout(navegacao);
    layout->addLayout(botoes);

    setTabOrder(calendario_, btOk_);
    setTabOrder(btOk_, btCancela_);
    setTabOrder(btCancela_, btAnoAnterior_);
    setTabOrder(btAnoAnterior_, btMesAnterior_);
    setTabOrder(btMesAnterior_, btProximoMes_);
    setTabOrder(btProximoMes_, btProximoAno_);

    defineData(QDate());
    resize(sizeHint().expandedTo(QSize(420, 320)));
}

TFPegaData& TFPegaData::Instancia() {
    static QPointer<TFPegaData> instancia;
    if (!instancia) instancia = new TFPegaData(TFPrincipal::Instancia());
    return *instancia;
}

QString TFPegaData::Titulo(const QDate& data) {
    QString mes = Brasil().standaloneMonthName(data.month(), QLocale::LongFormat);
    if (!mes.isEmpty()) mes[0] = mes[0].toUpper();
    return QStringLiteral("%1, %2").arg(mes).arg(data.year());
}

void TFPegaData::defineData(const QDate& data) {
    const QDate d = data.isValid() ? data : QDate::currentDate();
    calendario_->setSelectedDate(d);
    calendario_->setCurrentPage(d.year(), d.month());
    atualizaTitulo();
}

QDate TFPegaData::data() const { return calendario_->selectedDate(); }

QString TFPegaData::executa() {
    exec();
    return resultado_;
}

void TFPegaData::showEvent(QShowEvent* e) {
    resultado_ = QStringLiteral("CANCELA");
    QDialog::showEvent(e);
    calendario_->setFocus();
}

void TFPegaData::mudaMes(int meses) {
    const QDate d = calendario_->selectedDate().addMonths(meses);
    calendario_->setSelectedDate(d);
    calendario_->setCurrentPage(d.year(), d.month());
    atualizaTitulo();
}

void TFPegaData::atualizaTitulo() { lbTitulo_->setText(Titulo(calendario_->selectedDate())); }

}  // namespace korva::ui
