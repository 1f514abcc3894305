#include "timecards/ui/TFGeraCartao.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "timecards/GeracaoCartoes.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QDate ParaQDate(Data d) { return QDate(d.ano(), d.mes(), d.dia()); }
Data DeQDate(const QDate& d) { return Data::de(d.year(), d.month(), d.day()); }

QDateEdit* SeletorData(const char* nome, Data d, QWidget* pai) {
    auto* ed = new QDateEdit(ParaQDate(d), pai);
    ed->setObjectName(nome);
    ed->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    ed->setCalendarPopup(true);
    return ed;
}

constexpr const char* Rotulos[8] = {"Entrada1", "Saida1", "Entrada2", "Saida2",
                                    "Entrada3", "Saida3", "Entrada4", "Saida4"};
constexpr const char* Grupos[3] = {" Horários Padrão: ", " Horários Padrão dos Sábados: ",
                                   " Horários Padrão dos Domingos: "};
constexpr const char* SufixosNome[3] = {"", "Sab", "Dom"};

}  // namespace

TFGeraCartao::TFGeraCartao(Sessao& sessao, std::string tabelaG, Data data1, Data data2, QWidget* pai)
    : QDialog(pai), sessao_(sessao), tabela_(std::move(tabelaG)), data1_(data1), data2_(data2) {
    setObjectName("TFGeraCartao");
    setModal(true);
    setWindowTitle(QStringLiteral("KORVA - Gerar Cartões de Ponto"));

    auto* lbPeriodo = new QLabel(Q(TextoPeriodoGeracao(data1, data2)), this);
    lbPeriodo->setObjectName("LbPeriodo");
    QFont negrito = lbPeriodo->font();
    negrito.setBold(true);
    lbPeriodo->setFont(negrito);
    auto* lbDe = new QLabel(QStringLiteral("De:"), this);
    edDe_ = SeletorData("EdDataIni", data1, this);
    lbDe->setBuddy(edDe_);
    auto* lbAte = new QLabel(QStringLiteral("até"), this);
    edAte_ = SeletorData("EdDataFim", data2, this);
    lbAte->setBuddy(edAte_);
    auto* datas = new QHBoxLayout;
    datas->addWidget(lbPeriodo);
    datas->addSpacing(16);
    datas->addWidget(lbDe);
    datas->addWidget(edDe_);
    datas->addWidget(lbAte);
    datas->addWidget(edAte_);
    datas->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(datas);
    for (int g = 0; g < 3; ++g) {
        auto* caixa = new QGroupBox(QString::fromUtf8(Grupos[g]), this);
        caixa->setObjectName(QStringLiteral("GbHorarios%1").arg(QString::fromUtf8(SufixosNome[g])));
        auto* gl = new QGridLayout(caixa);
        for (int i = 0; i < 8; ++i) {
            auto* ed = new QLineEdit(QStringLiteral("00:00"), caixa);
            ed->setObjectName(QStringLiteral("Ed%1%2").arg(QString::fromUtf8(Rotulos[i]), QString::fromUtf8(SufixosNome[g])));
            ed->setInputMask(QStringLiteral("99:99"));
            ed->setText(QStringLiteral("00:00"));
            ed->setAlignment(Qt::AlignCenter);
            ed->setFixedWidth(ed->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 16);
            ed->setToolTip(Q(RotuloHorarioGeracao(g, i)));
            auto* lb = new QLabel(QString::fromUtf8(Rotulos[i]), caixa);
            lb->setBuddy(ed);
            lb->setAlignment(Qt::AlignCenter);
            gl->addWidget(lb, 0, i);
            gl->addWidget(ed, 1, i, Qt::AlignCenter);
            horarios_[g][i] = ed;
        }
        layout->addWidget(caixa);
    }

    auto caixaMarcada = [this](const char* nome, const QString& texto, bool marcada) {
        auto* cb = new QCheckBox(texto, this);
        cb->setObjectName(nome);
        cb->setChecked(marcada);
        return cb;
    };
    cbFeriados_ = caixaMarcada("CbFeriados", QStringLiteral("Observar Tabela de &Feriados"), true);
    cbSobrepor_ = caixaMarcada("CbSobrepor", QStringLiteral("&Sobrepor dados já existentes"), true);
    cbSabadoFolga_ = caixaMarcada("CbSabadoFolga", QStringLiteral("Cadastrar &Sábados como dias de Folga"), true);
    cbInserirSabados_ = caixaMarcada("CbInserirSabados",
                                     QStringLiteral("Inserir marcações de ponto para os dias de sábado"), false);
    cbDomingoFolga_ = caixaMarcada("CbDomingoFolga", QStringLiteral("Cadastrar &Domingos como dias de Folga"), true);
    cbInserirDomingos_ = caixaMarcada("CbInserirDomingos",
                                      QStringLiteral("Inserir marcações de ponto para os dias de domingo"), false);
    auto* opcoes = new QGridLayout;
    opcoes->addWidget(cbFeriados_, 0, 0);
    opcoes->addWidget(cbSobrepor_, 0, 1);
    opcoes->addWidget(cbSabadoFolga_, 1, 0);
    opcoes->addWidget(cbInserirSabados_, 1, 1);
    opcoes->addWidget(cbDomingoFolga_, 2, 0);
    opcoes->addWidget(cbInserirDomingos_, 2, 1);
    layout->addLayout(opcoes);

    auto* botoes = new QDialogButtonBox(this);
    auto* ok = botoes->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("BtOk");
    ok->setDefault(true);
    auto* cancela = botoes->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    cancela->setObjectName("BtCancela");
    connect(ok, &QPushButton::clicked, this, [this] { gera(); });
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(botoes);

    // Tab order: the dates, the times group by group, the boxes, the buttons.
    QWidget* anterior = edAte_;
    setTabOrder(edDe_, edAte_);
    for (const auto& grupo : horarios_)
        for (QLineEdit* ed : grupo) {
            setTabOrder(anterior, ed);
            anterior = ed;
        }
    for (QWidget* w : std::initializer_list<QWidget*>{cbFeriados_, cbSobrepor_, cbSabadoFolga_, cbInserirSabados_,
                                                      cbDomingoFolga_, cbInserirDomingos_, ok, cancela}) {
        setTabOrder(anterior, w);
        anterior = w;
    }
    edDe_->setFocus();
}

TFGeraCartao::~TFGeraCartao() = default;

OpcoesGeracaoCartoes TFGeraCartao::opcoes() const {
    OpcoesGeracaoCartoes o;
    o.de = DeQDate(edDe_->date());
    o.ate = DeQDate(edAte_->date());
    std::array<std::string, 8>* grupos[3] = {&o.semana, &o.sabado, &o.domingo};
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < 8; ++i) (*grupos[g])[static_cast<size_t>(i)] = horarios_[g][i]->text().toStdString();
    o.observarFeriados = cbFeriados_->isChecked();
    o.sobrepor = cbSobrepor_->isChecked();
    o.sabadoFolga = cbSabadoFolga_->isChecked();
    o.inserirSabados = cbInserirSabados_->isChecked();
    o.domingoFolga = cbDomingoFolga_->isChecked();
    o.inserirDomingos = cbInserirDomingos_->isChecked();
    return o;
}

void TFGeraCartao::gera() {
    const bool ok = Protegido(this, [this] {
        const OpcoesGeracaoCartoes o = opcoes();
        const CursorOcupado cursor;
        TabelasReferencia referencia(sessao_.compartilhado());
        gerados_ = GeraCartoes(sessao_.privado(), tabela_, data1_, data2_, o, referencia).total();
    });
    if (ok) accept();
}

}  // namespace korva::ui
