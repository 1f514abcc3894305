#include "parameters/ui/TFRRendimen.h"

#include <QApplication>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Textos.h"
#include "parameters/RelatorioVerbas.h"
#include "reference/TabelasReferencia.h"
#include "reports/RelatorioCatalogo.h"
#include "reports/render/MedidorQt.h"
#include "reports/ui/TFPreview.h"
#include "util/Data.h"

namespace korva::ui {

QString TFRRendimen::Titulo() { return TituloJanela(QString::fromUtf8(kTituloRelatorioVerbas)); }

Documento TFRRendimen::Prepara(Sessao& sessao) {
    TabelasReferencia referencia(sessao.compartilhado());
    const Configuracoes& cfg = sessao.configuracoes();
    MedidorQt medidor;
    return ProduzCatalogo(sessao.privado(), referencia, cfg.tribunal, Data::hoje(), cfg.versao, medidor);
}

int TFRRendimen::Visualiza(Sessao& sessao, QWidget* pai) {
    Documento documento;
    {
        const CursorOcupado cursor;
        documento = Prepara(sessao);
    }
    const int paginas = static_cast<int>(documento.paginas.size());
    if (paginas == 0) return 0;  // nothing to print: no blank sheet
    TFPreview preview(std::move(documento), Titulo(), pai);
    preview.setObjectName("TFRRendimen");
    preview.exec();
    return paginas;
}

}  // namespace korva::ui
