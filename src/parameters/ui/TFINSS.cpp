#include "parameters/ui/TFINSS.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <optional>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/BasesINSS.h"

namespace korva::ui {
namespace {
QString Q(const char* s) { return QString::fromUtf8(s); }
}  // namespace

TFINSS::TFINSS(Sessao& sessao, const std::string& tabelaD, const std::string& tabelaB, QWidget* pai)
    : JanelaBasesMensais(pai) {
    setObjectName("TFINSS");
    bases_ = std::make_unique<BasesINSS>(sessao.privado(), tabelaD, tabelaB);
    setWindowTitle(QString::fromStdString(BasesINSS::Titulo(tabelaD)));
    bases_->abre();

    auto* topo = new QWidget(this);
    topo->setObjectName("PnTopo");
    btBuscar_ = new QPushButton(QStringLiteral("Buscar dados dos parâmetros"), topo);
    btBuscar_->setObjectName("BtBuscar");
    DefineDica(btBuscar_, QStringLiteral("Buscar dados dos parâmetros|Soma por mês os valores de um item do Mês a Mês"));
    connect(btBuscar_, &QPushButton::clicked, this, &TFINSS::buscaDados);
    auto* linha = new QHBoxLayout(topo);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(btBuscar_);
    linha->addStretch();

    monta(*bases_,
          {
              ColunaBase("Mes", QStringLiteral("Mês"), 4, "#0"),
              ColunaBase("Ano", QStringLiteral("Ano"), 5, "0000"),
              ColunaBase("Valor", QStringLiteral("Valor"), 15, "###,###,##0.00"),
          },
          topo);
    estadoMudou();
}

TFINSS::~TFINSS() { desmonta(); }

void TFINSS::estadoMudou() { btBuscar_->setEnabled(bases_->comandosHabilitados()); }

void TFINSS::buscaDados() {
    if (!bases_->comandosHabilitados()) return;
    bool ok = false;
    const QString texto = QInputDialog::getText(this, Q(BasesINSS::TituloPergunta), Q(BasesINSS::PerguntaItem),
                                                QLineEdit::Normal, Q(BasesINSS::RespostaPadrao), &ok);
    const int codigo =
        BasesINSS::CodigoDaResposta(ok ? std::optional<std::string>(texto.toStdString()) : std::nullopt);
    Protegido(this, [&] {
        bases_->buscaDadosParametros(codigo, [this](const std::string& pergunta) {
            return QMessageBox::question(this, Q(BasesINSS::TituloPergunta), QString::fromStdString(pergunta),
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
        });
    });
    grade().setFocus();
}

}  // namespace korva::ui
