#include "parameters/ui/TFBasesSalariais.h"

#include "app/Sessao.h"
#include "parameters/BasesSalariais.h"

namespace korva::ui {

TFBasesSalariais::TFBasesSalariais(Sessao& sessao, const std::string& tabelaI, int mes, int ano, QWidget* pai)
    : JanelaBasesMensais(pai) {
    setObjectName("TFBasesSalariais");
    bases_ = std::make_unique<BasesSalariais>(sessao.privado(), tabelaI, mes, ano);
    setWindowTitle(QString::fromStdString(BasesSalariais::Titulo(tabelaI)));
    bases_->abre();

    std::vector<ColunaGrade> colunas{
        ColunaBase("Mes", QStringLiteral("Mês"), 4, "#0"),
        ColunaBase("Ano", QStringLiteral("Ano"), 5, "0000"),
        ColunaBase("Descricao", QStringLiteral("Descrição"), 30),
        ColunaBase("Valor", QStringLiteral("Valor"), 15, "###,###,##0.00"),
    };
    for (auto& c : colunas) c.somenteLeitura = bases_->somenteLeitura(c.campo);
    monta(*bases_, std::move(colunas), nullptr);
}

TFBasesSalariais::~TFBasesSalariais() { desmonta(); }

}  // namespace korva::ui
