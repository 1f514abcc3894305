#include "timecards/ui/TFCartoes.h"

#include <QDate>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Tabela.h"
#include "timecards/Cartoes.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

Data DeQDate(const QDate& d) { return Data::de(d.year(), d.month(), d.day()); }

QDateEdit* SeletorData(const char* nome, QWidget* pai) {
    auto* ed = new QDateEdit(QDate::currentDate(), pai);
    ed->setObjectName(nome);
    ed->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    ed->setCalendarPopup(true);
    return ed;
}

constexpr const char* Rotulos[8] = {"Entrada 1", "Saída 1", "Entrada 2", "Saída 2",
                                    "Entrada 3", "Saída 3", "Entrada 4", "Saída 4"};

}  // namespace

TFCartoes::TFCartoes(Sessao& sessao, const std::string& tabelaG, Data data1, Data data2, int turnos, QWidget* pai)
    : DialogoTabelas(pai) {
    setObjectName("TFCartoes");
    setModal(true);
    cartoes_ = std::make_unique<Cartoes>(sessao.privado(), tabelaG, data1, data2, turnos);
    setWindowTitle(Q(Cartoes::Titulo(cartoes_->nomeTabela())));
    cartoes_->abre();
    Tabela& t = cartoes_->tabela();

    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Data", QStringLiteral("Data"), 10));
    ColunaGrade dia;
    dia.titulo = QStringLiteral("Dia");
    dia.largura = 5;
    dia.somenteLeitura = true;
    const size_t posData = static_cast<size_t>(t.definicao().posicao("Data"));
    dia.calcula = [posData](const std::vector<Valor>& linha) -> Valor {
        const Valor& d = linha.at(posData);
        if (d.nulo()) return {};
        return Valor(DiaDoCartao(d.comoData()));
    };
    colunas.push_back(dia);
    for (size_t i = 0; i < MarcacoesCartao.size(); ++i)
        colunas.push_back(Coluna(MarcacoesCartao[i], QString::fromUtf8(Rotulos[i]), 7));
    ColunaGrade situacao = Coluna("Situacao", QStringLiteral("Situação"), 7);
    situacao.maiusculas = true;
    colunas.push_back(situacao);
    modelo_ = new ModeloTabela(t, std::move(colunas), this);

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrCartoes");
    grade_->defineModelo(modelo_);
    for (const char* m : MarcacoesCartao)
        grade_->setColumnHidden(modelo_->colunaDoCampo(m), !cartoes_->colunaVisivel(m));
    grade_->defineTeclas([this](int k, int coluna) { return tecla(k, coluna); });

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavCartoes");
    navegador_->defineModelo(modelo_);  // deleting a card asks nothing
    // A new card starts typing at "Entrada 1" when its date was proposed, at its date otherwise.
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao != NavegadorTabela::Inserir || !cartoes_->tabela().editando()) return;
        const int coluna = modelo_->colunaDoCampo(cartoes_->lembrado() ? Cartoes::CampoInicial : "Data");
        grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), coluna));
        grade_->setFocus();
    });

    // ---- the filter and the key legend ----
    auto* lbDe = new QLabel(QStringLiteral("De:"), this);
    edDe_ = SeletorData("EdDataIni", this);
    lbDe->setBuddy(edDe_);
    auto* lbAte = new QLabel(QStringLiteral("até"), this);
    edAte_ = SeletorData("EdDataFim", this);
    lbAte->setBuddy(edAte_);
    btFiltro_ = new QPushButton(QString::fromUtf8(cartoes_->legendaFiltro()), this);
    btFiltro_->setObjectName("BtFiltro");
    btFiltro_->setAutoDefault(false);
    DefineDica(btFiltro_, QStringLiteral("Filtro|Mostra só os cartões entre as duas datas"));
    connect(btFiltro_, &QPushButton::clicked, this, [this] { alternaFiltro(); });

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbDe);
    topo->addWidget(edDe_);
    topo->addWidget(lbAte);
    topo->addWidget(edAte_);
    topo->addWidget(btFiltro_);
    topo->addStretch(1);
    // The key legend, one key a line, beside the grid.
    auto* legendas = new QVBoxLayout;
    for (const char* legenda : {"F4: Repete horários", "F7: Data - 1", "F8: Data + 1"}) {
        auto* lb = new QLabel(QString::fromUtf8(legenda), this);
        QFont f = lb->font();
        f.setBold(true);
        lb->setFont(f);
        legendas->addWidget(lb);
    }
    legendas->addStretch(1);
    auto* meio = new QHBoxLayout;
    meio->addWidget(grade_, 1);
    meio->addLayout(legendas);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addLayout(meio, 1);
    layout->addWidget(navegador_);

    // The grid as wide as its shown columns; the legend beside it.
    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() +
                  grade_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    for (int i = 0; i < modelo_->columnCount(); ++i)
        if (!grade_->isColumnHidden(i)) largura += grade_->columnWidth(i);
    grade_->setMinimumWidth(largura);
    resize(std::max(layout->sizeHint().width(), topo->sizeHint().width() + 24), 480);
    setTabOrder(edDe_, edAte_);
    setTabOrder(edAte_, btFiltro_);
    setTabOrder(btFiltro_, grade_);
    grade_->setFocus();
}

TFCartoes::~TFCartoes() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
}

bool TFCartoes::tecla(int k, int coluna) {
    bool feito = false;
    Protegido(this, [&] {
        switch (k) {
            case Qt::Key_F3: {
                const std::string& campo = modelo_->coluna(coluna).campo;
                feito = !campo.empty() && cartoes_->copiaCampo(campo);
                break;
            }
            case Qt::Key_F4:
                feito = cartoes_->copiaLinha();
                break;
            case Qt::Key_F7:
                feito = cartoes_->dataAnterior();
                break;
            case Qt::Key_F8:
                feito = cartoes_->dataPosterior();
                break;
            default:
                break;
        }
    });
    return feito;
}

void TFCartoes::alternaFiltro() {
    if (!grade_->confirmaEdicao()) return;
    Protegido(this, [this] { cartoes_->alternaFiltro(DeQDate(edDe_->date()), DeQDate(edAte_->date())); });
    btFiltro_->setText(QString::fromUtf8(cartoes_->legendaFiltro()));
}

bool TFCartoes::fecha() {
    // A card still being edited is discarded with the table.
    return Protegido(this, [this] { cartoes_->fecha(); });
}

}  // namespace korva::ui
