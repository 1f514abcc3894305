#include "reference/ui/TFSeries.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

DefinicaoJanela ListaNomes(const char* classe, const QString& titulo, const char* tabela, bool editavel) {
    DefinicaoJanela d;
    d.classe = classe;
    d.titulo = titulo;
    d.tabela = tabela;
    d.indice = "IndNome";
    d.colunas = {Coluna("Nome", QStringLiteral("Nome"), 24)};
    d.editavel = editavel;
    d.campoInicial = "Nome";
    return d;
}

DefinicaoJanela ValoresSerie(const char* classe, const QString& titulo, const char* tabela, const char* campoValor,
                             const QString& tituloValor) {
    DefinicaoJanela d;
    d.classe = classe;
    d.titulo = titulo;
    d.tabela = tabela;
    d.colunas = {Coluna("Mes", QStringLiteral("Mês"), 3, QStringLiteral("00")),
                 Coluna("Ano", QStringLiteral("Ano"), 4),
                 Coluna(campoValor, tituloValor, 12, QStringLiteral("#,##0.00"))};
    d.editavel = true;
    d.campoInicial = "Mes";
    return d;
}

}  // namespace

void MostraModal(TFTabelaReferencia* janela, QWidget* pai) {
    DialogoTabelaReferencia dialogo(janela, pai);
    dialogo.exec();
}

// ---- name lists ----

TFListaSeries::TFListaSeries(Sessao& sessao, DefinicaoJanela definicao, bool listaUsuario, QWidget* pai)
    : TFTabelaReferencia(sessao, std::move(definicao), pai, false) {
    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    if (listaUsuario) {
        regras_ = std::make_unique<ListaNomesUsuario>(tabela(), *referencia_);
        regras_->abre();
    }
    btValores_ = new QToolButton(this);
    btValores_->setObjectName("BtValores");
    btValores_->setText(QStringLiteral("..."));
    DefineDica(btValores_, QStringLiteral("Valores|Valores da série selecionada"));
    connect(btValores_, &QToolButton::clicked, this, &TFListaSeries::abreValores);
    barraInferior()->addWidget(btValores_);
    grade().defineBotaoColuna(modelo().colunaDoCampo("Nome"), [this] { abreValores(); });
    abre();
    estadoMudou();
    resize(sizeHint());
}

TFListaSeries::~TFListaSeries() {
    // The rules observe the dataset; they go before it.
    regras_.reset();
}

void TFListaSeries::abreValores() {
    const auto serie = SerieAtual(tabela(), "Nome");
    if (!serie) return;
    Protegido(this, [&] { mostraValores(*serie); });
    grade().setFocus();
}

void TFListaSeries::estadoMudou() {
    if (btValores_) btValores_->setEnabled(!tabela().editando());
}

// ---- values of a series ----

TFValoresSerie::TFValoresSerie(Sessao& sessao, DefinicaoJanela definicao, const TabelaSerie& tipo, int serie,
                               QWidget* pai)
    : TFTabelaReferencia(sessao, std::move(definicao), pai, false) {
    valores_ = std::make_unique<ValoresDaSerie>(tabela(), tipo, serie);
    valores_->abre();
    abre();
    grade().defineTeclas([this](int tecla, int) {
        if (tecla != Qt::Key_F4) return false;
        Protegido(this, [this] { valores_->copiaProximoMes(); });
        return true;
    });
    resize(sizeHint());
}

TFSalario::TFSalario(Sessao& sessao, int serie, const std::string& nome, QWidget* pai)
    : TFValoresSerie(sessao,
                     ValoresSerie("TFSalario", QStringLiteral("Tabela de Salário: ") + Q(nome), "Salario.DB", "SalMin",
                                  QStringLiteral("Salário")),
                     kSerieSalario, serie, pai) {}

TFVTransp::TFVTransp(Sessao& sessao, int serie, const std::string& nome, QWidget* pai)
    : TFValoresSerie(sessao,
                     ValoresSerie("TFVTransp", QStringLiteral("Tabela de Vale Transporte: ") + Q(nome), "VTransp.DB",
                                  "VTransp", QStringLiteral("Vale Transporte")),
                     kSerieValeTransporte, serie, pai) {}

TFNomeSalario::TFNomeSalario(Sessao& sessao, QWidget* pai)
    : TFListaSeries(sessao, ListaNomes("TFNomeSalario", QStringLiteral("Tabela de Salários"), "NomeSalario.DB", true),
                    true, pai) {}

void TFNomeSalario::mostraValores(const ListaNomesUsuario::Serie& serie) {
    MostraModal(new TFSalario(sessao(), serie.codigo, serie.nome), this);
}

TFNomeVTransp::TFNomeVTransp(Sessao& sessao, QWidget* pai)
    : TFListaSeries(sessao,
                    ListaNomes("TFNomeVTransp", QStringLiteral("Tabela de Vale Transporte"), "NomeVTransp.DB", true),
                    true, pai) {}

void TFNomeVTransp::mostraValores(const ListaNomesUsuario::Serie& serie) {
    MostraModal(new TFVTransp(sessao(), serie.codigo, serie.nome), this);
}

}  // namespace korva::ui
