#include "reference/ui/TFDiario.h"

#include <QAbstractItemModel>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Icones.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/ExportaIndicesDbf.h"
#include "reference/RegrasTabelas.h"
#include "reference/RelatorioTabelas.h"
#include "reports/render/MedidorQt.h"
#include "reports/ui/TFPreview.h"
#include "storage/Tabela.h"
#include "reference/EsquemasReferencia.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

DefinicaoJanela Definicao(const std::string& nome, const std::shared_ptr<std::optional<double>>& base) {
    DefinicaoJanela d;
    d.classe = "TFDiario";
    d.titulo = QStringLiteral("Tabela de Índices: ") + Q(nome);
    d.tabela = "Diario.DB";
    ColunaGrade indice;
    indice.titulo = QStringLiteral("Índice");
    indice.largura = 16;
    indice.formato = QStringLiteral("#,##0.000000000");
    indice.somenteLeitura = true;
    const size_t pos = static_cast<size_t>(EsquemaDiario().posicao("Indice"));
    indice.calcula = [base, pos](const std::vector<Valor>& linha) -> Valor {
        const auto v = IndiceCalculado(linha.at(pos), *base);
        return v ? Valor(*v) : Valor();
    };
    d.colunas = {Coluna("Data", QStringLiteral("Data"), 10), indice};
    d.editavel = false;
    d.icone = QStringLiteral("indices");
    return d;
}

}  // namespace

TFDiario::TFDiario(Sessao& sessao, int codIndice, const std::string& nome, QWidget* pai)
    : TFDiario(sessao, codIndice, nome, std::make_shared<std::optional<double>>(), pai) {}

// The computed column divides by the base this window keeps.
TFDiario::TFDiario(Sessao& sessao, int codIndice, const std::string& nome,
                   std::shared_ptr<std::optional<double>> base, QWidget* pai)
    : TFTabelaReferencia(sessao, Definicao(nome, base), pai, false),
      codIndice_(codIndice),
      nome_(nome),
      base_(std::move(base)) {
    tabela().defineIndice("");
    tabela().defineFiltro("CodIndice=" + std::to_string(codIndice));
    *base_ = BaseDaSerie(tabela());
    // Refreshed rows may bring a new last day.
    connect(&modelo(), &QAbstractItemModel::modelReset, this, [this] {
        if (tabela().aberta()) *base_ = BaseDaSerie(tabela());
    });
    abre();

    auto* lbData = new QLabel(QStringLiteral("Data:"), this);
    dtPesquisa_ = new QDateEdit(QDate::currentDate(), this);
    dtPesquisa_->setObjectName("DtPesquisa");
    dtPesquisa_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtPesquisa_->setCalendarPopup(true);
    lbData->setBuddy(dtPesquisa_);
    btPesquisa_ = new QToolButton(this);
    btPesquisa_->setObjectName("BtPesquisa");
    btPesquisa_->setText(QStringLiteral("Pesquisar"));
    btPesquisa_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DefineDica(btPesquisa_, QStringLiteral("Pesquisa|Efetua Pesquisa"));
    connect(btPesquisa_, &QToolButton::clicked, this, &TFDiario::pesquisa);

    btImprimir_ = new QPushButton(Icone(QStringLiteral("impressora")), QStringLiteral("&Imprimir"), this);
    btImprimir_->setObjectName("BtImprimir");
    DefineDica(btImprimir_, QStringLiteral("Imprimir|Relação de Índices"));
    connect(btImprimir_, &QPushButton::clicked, this, &TFDiario::imprime);
    btExportar_ = new QPushButton(QStringLiteral("&Exportar"), this);
    btExportar_->setObjectName("BtExportar");
    DefineDica(btExportar_, QStringLiteral("Exportar|Exportar índices para arquivo DBF"));
    connect(btExportar_, &QPushButton::clicked, this, &TFDiario::exporta);
    for (QPushButton* b : {btImprimir_, btExportar_}) b->setAutoDefault(false);

    barraSuperior()->addWidget(lbData);
    barraSuperior()->addWidget(dtPesquisa_);
    barraSuperior()->addWidget(btPesquisa_);
    barraSuperior()->addStretch(1);
    barraInferior()->addWidget(btImprimir_);
    barraInferior()->addWidget(btExportar_);
    resize(sizeHint());
}

void TFDiario::pesquisa() {
    const QDate d = dtPesquisa_->date();
    Protegido(this, [&] { LocalizaIndice(tabela(), codIndice_, Data::de(d.year(), d.month(), d.day())); });
    grade().setFocus();
}

void TFDiario::imprime() {
    Protegido(this, [this] {
        Documento documento;
        {
            const CursorOcupado cursor;
            const Configuracoes& cfg = sessao().configuracoes();
            MedidorQt medidor;
            documento = DiagramaRelacaoIndices(LinhasRelacaoIndices(sessao().compartilhado(), codIndice_), nome_,
                                               cfg.tribunal, cfg.versao, medidor);
        }
        if (documento.paginas.empty()) return;  // nothing to print: no blank sheet
        TFPreview preview(std::move(documento),
                          TituloJanela(QString::fromUtf8(kTituloTabelaIndices) + Q(nome_)), this);
        preview.exec();
    });
}

void TFDiario::exporta() {
    Protegido(this, [this] {
        const CursorOcupado cursor;
        ExportaIndicesDbf(sessao().compartilhado(), codIndice_);
    });
}

TFNomeIndiceDia::TFNomeIndiceDia(Sessao& sessao, QWidget* pai)
    : TFListaSeries(sessao, [] {
          DefinicaoJanela d;
          d.classe = "TFNomeIndiceDia";
          d.titulo = QStringLiteral("Tabela de Índices Diários");
          d.tabela = "NomeIndiceDiario.DB";
          d.indice = "IndNome";
          d.colunas = {Coluna("Nome", QStringLiteral("Nome"), 24)};
          d.editavel = false;
          d.icone = QStringLiteral("indices");
          return d;
      }(), false, pai) {}

void TFNomeIndiceDia::mostraValores(const ListaNomesUsuario::Serie& serie) {
    MostraModal(new TFDiario(sessao(), serie.codigo, serie.nome), this);
}

}  // namespace korva::ui
