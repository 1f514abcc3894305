#include "timecards/ui/TFJornada.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/TratamentoErros.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/Jornadas.h"
#include "timecards/ui/TFCartoes.h"
#include "timecards/ui/TFGeraCartao.h"
#include "timecards/ui/TFPrintReport.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "HE1" -> "H.E.1", "HS3" -> "H.S.3": how the captions name a punch slot.
QString NomeMarca(const std::string& marca) {
    return QStringLiteral("H.%1.%2").arg(QChar(marca[1])).arg(QChar(marca[2]));
}

// The fields of the panel, in the order of the table: scheduled time, early
// and late tolerance of each slot.
constexpr const char* PrefixosPainel[3] = {"Prev", "TolAnt", "TolDep"};

}  // namespace

TFJornada::TFJornada(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : DialogoTabelas(pai), sessao_(sessao), calculo_(calculo) {
    setObjectName("TFJornada");
    setModal(true);
    jornadas_ = std::make_unique<Jornadas>(sessao.privado(), calculo.tabela('F'));
    setWindowTitle(Q(Jornadas::Titulo(jornadas_->nomeTabela())));
    jornadas_->abre();
    Tabela& t = jornadas_->tabela();

    // The grid: the schedule's period and daily figures. The times of the
    // slots are columns of the same model, edited in the panel.
    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Data1", QStringLiteral("Dt. Inicio"), 10));
    colunas.push_back(Coluna("Data2", QStringLiteral("Dt. Fim"), 10));
    colunas.push_back(Coluna("JornDiaria", QStringLiteral("Jorn. Diaria"), 6));
    colunas.push_back(Coluna("JornSabado", QStringLiteral("Jorn. Sábado"), 6));
    colunas.push_back(Coluna("Intervalo", QStringLiteral("Intervalo"), 6));
    colunas.push_back(Coluna("HENot", QStringLiteral("H.E.Not."), 6));
    colunas.push_back(Coluna("HSNot", QStringLiteral("H.S.Not."), 6));
    ColunaGrade turnos = Coluna("Turnos", QStringLiteral("Turnos"), 5);
    turnos.lista = {"1", "2", "3", "4"};
    colunas.push_back(turnos);
    ColunaGrade apuracao = Coluna("Apuracao", QStringLiteral("Apuração"), 6);
    apuracao.lista = {"D", "S"};
    apuracao.maiusculas = true;
    colunas.push_back(apuracao);
    colunas.push_back(Coluna("HorasSemanais", QStringLiteral("Horas Semanais"), 8, "#,##0.00"));
    colunas.push_back(Coluna("HabilitarTolerancia", QStringLiteral("Habilitar Tolerância"), 12));
    const int primeiraDoPainel = static_cast<int>(colunas.size());
    for (const char* marca : MarcasJornada)
        for (const char* prefixo : PrefixosPainel) colunas.push_back(Coluna((std::string(prefixo) + marca).c_str(), {}, 6));
    modelo_ = new ModeloTabela(t, std::move(colunas), this);

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrJornadas");
    grade_->defineModelo(modelo_);
    for (int c = primeiraDoPainel; c < modelo_->columnCount(); ++c) grade_->setColumnHidden(c, true);
    grade_->horizontalHeader()->setStretchLastSection(true);

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavJornadas");
    navegador_->defineModelo(modelo_);
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    // Pressing a button takes the focus, so a time typed in the panel is
    // stored before the button's operation runs.
    for (QToolButton* b : navegador_->findChildren<QToolButton*>()) b->setFocusPolicy(Qt::StrongFocus);
    // A new schedule starts typing at its first day.
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao != NavegadorTabela::Inserir || !jornadas_->tabela().editando()) return;
        grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), 0));
        grade_->setFocus();
    });

    auto* caixa = new QGroupBox(QStringLiteral(" Horários Previstos e Tolerâncias "), this);
    caixa->setObjectName("GbHorarios");
    auto* gradePainel = new QGridLayout(caixa);
    criaPainel(gradePainel);

    btGerar_ = new QPushButton(QStringLiteral("&Gerar Cartões"), this);
    btGerar_->setObjectName("BtGerar");
    DefineDica(btGerar_, QStringLiteral("Gerar Cartões|Gera os cartões de ponto do período da jornada"));
    btDigitar_ = new QPushButton(QStringLiteral("&Digitar Cartões"), this);
    btDigitar_->setObjectName("BtDigitar");
    DefineDica(btDigitar_, QStringLiteral("Digitar Cartões|Marcações de ponto do período da jornada"));
    btRelatorios_ = new QPushButton(QStringLiteral("&Relatórios"), this);
    btRelatorios_->setObjectName("BtRelatorios");
    DefineDica(btRelatorios_, QStringLiteral("Relatórios|Relatórios dos cartões de ponto"));
    for (QPushButton* b : {btGerar_, btDigitar_, btRelatorios_}) b->setAutoDefault(false);
    connect(btGerar_, &QPushButton::clicked, this, [this] { gerarCartoes(); });
    connect(btDigitar_, &QPushButton::clicked, this, [this] { digitarCartoes(); });
    connect(btRelatorios_, &QPushButton::clicked, this, [this] { relatorios(); });

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(navegador_, 1);
    botoes->addSpacing(12);
    botoes->addWidget(btGerar_);
    botoes->addWidget(btDigitar_);
    botoes->addWidget(btRelatorios_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grade_, 1);
    layout->addWidget(caixa);
    layout->addLayout(botoes);

    connect(modelo_, &ModeloTabela::estadoMudou, this, [this] { atualizaBotoes(); });
    connect(modelo_, &ModeloTabela::linhaAtualMudou, this, [this] { atualizaPainel(); });
    connect(modelo_, &QAbstractItemModel::dataChanged, this, [this] { atualizaPainel(); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] { atualizaPainel(); });

    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() + 40;
    for (int i = 0; i < primeiraDoPainel; ++i) largura += grade_->columnWidth(i);
    resize(std::max(largura, layout->sizeHint().width()), 520);
    atualizaPainel();
    atualizaBotoes();
    setTabOrder(grade_, painel_.at("PrevHE1"));
    grade_->setFocus();
}

TFJornada::~TFJornada() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
}

void TFJornada::criaPainel(QGridLayout* g) {
    const QString cabecalhos[3] = {QStringLiteral("Previsto"), QStringLiteral("Tol. Antecip."),
                                   QStringLiteral("Tol. Atraso")};
    // Two slots side by side per shift: entry on the left, exit on the right.
    for (int lado = 0; lado < 2; ++lado)
        for (int k = 0; k < 3; ++k) {
            auto* cab = new QLabel(cabecalhos[k], g->parentWidget());
            cab->setAlignment(Qt::AlignCenter);
            g->addWidget(cab, 0, 1 + lado * 5 + k);
        }
    QWidget* anterior = nullptr;
    for (size_t i = 0; i < MarcasJornada.size(); ++i) {
        const std::string marca = MarcasJornada[i];
        const int turno = static_cast<int>(i / 2);
        const int lado = static_cast<int>(i % 2);
        auto* rotulo = new QLabel(NomeMarca(marca) + QStringLiteral(":"), g->parentWidget());
        g->addWidget(rotulo, 1 + turno, lado * 5);
        for (int k = 0; k < 3; ++k) {
            const std::string campo = std::string(PrefixosPainel[k]) + marca;
            auto* ed = new QLineEdit(g->parentWidget());
            ed->setObjectName(Q("Ed" + campo));
            ed->setInputMask(QStringLiteral("99:99"));
            ed->setAlignment(Qt::AlignCenter);
            ed->setFixedWidth(ed->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 16);
            const QString nome = NomeMarca(marca);
            ed->setToolTip(k == 0   ? nome + QStringLiteral(" Previsto")
                           : k == 1 ? QStringLiteral("Tol. Antecip. ") + nome
                                    : QStringLiteral("Tol. Atraso ") + nome);
            if (k == 0) rotulo->setBuddy(ed);
            g->addWidget(ed, 1 + turno, lado * 5 + 1 + k);
            connect(ed, &QLineEdit::editingFinished, this, [this, campo] { gravaCampoPainel(campo); });
            painel_[campo] = ed;
            if (anterior) setTabOrder(anterior, ed);
            anterior = ed;
        }
    }
    g->setColumnMinimumWidth(4, 24);
    g->setColumnStretch(10, 1);
}

QLineEdit* TFJornada::campoPainel(const std::string& campo) const {
    auto it = painel_.find(campo);
    return it == painel_.end() ? nullptr : it->second;
}

void TFJornada::atualizaPainel() {
    if (atualizando_ || !modelo_) return;
    atualizando_ = true;
    Tabela& t = jornadas_->tabela();
    const bool temLinha = t.aberta() && (t.editando() || (!t.vazia() && t.posicao() >= 0));
    for (auto& [campo, ed] : painel_) {
        ed->setEnabled(temLinha);
        if (ed->hasFocus() && ed->isModified()) continue;  // what the user is typing stays
        const QString texto = temLinha ? modelo_->texto(modelo_->colunaDoCampo(campo), t.valor(campo)) : QString();
        ed->setText(texto);
        ed->setModified(false);
    }
    atualizando_ = false;
}

void TFJornada::atualizaBotoes() {
    const bool livre = jornadas_->botoesHabilitados();
    for (QPushButton* b : {btGerar_, btDigitar_, btRelatorios_}) b->setEnabled(livre);
    atualizaPainel();
}

void TFJornada::gravaCampoPainel(const std::string& campo) {
    QLineEdit* ed = painel_.at(campo);
    if (atualizando_ || !ed->isModified()) return;
    ed->setModified(false);
    Tabela& t = jornadas_->tabela();
    const int coluna = modelo_->colunaDoCampo(campo);
    bool ok = false;
    Protegido(this, [&] {
        // The empty mask is no time: the field keeps its value.
        const QString texto = ed->text() == QStringLiteral(":") ? QString() : ed->text();
        const Valor v = modelo_->deTexto(coluna, texto);
        ok = modelo_->defineCampo(campo, v.nulo() ? Valor(0.0) : v);
    });
    if (!ok) ed->setText(modelo_->texto(coluna, t.valor(campo)));
    atualizaPainel();
}

std::string TFJornada::preparaCartoes() {
    ConjuntoCalculo conjunto(sessao_.privado(), [this] { return sessao_.configuracoes().qtdeCalculosPorSubDiretorio; });
    conjunto.defineAtual(calculo_.execucao.diretorio, calculo_.execucao.arquivo);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', calculo_.execucao.arquivo), TipoDaLetra('G'));
    return calculo_.tabela('G');
}

void TFJornada::gerarCartoes() {
    Protegido(this, [this] {
        const JornadaSelecionada j = jornadas_->jornadaAtual();
        TFGeraCartao geracao(sessao_, preparaCartoes(), j.data1, j.data2, this);
        geracao.exec();
    });
}

void TFJornada::digitarCartoes() {
    Protegido(this, [this] {
        const JornadaSelecionada j = jornadas_->jornadaAtual();
        TFCartoes cartoes(sessao_, preparaCartoes(), j.data1, j.data2, j.turnos, this);
        cartoes.exec();
    });
}

void TFJornada::relatorios() {
    Protegido(this, [this] {
        jornadas_->jornadaAtual();
        TFPrintReport relatorio(sessao_, calculo_, this);
        relatorio.exec();
    });
}

bool TFJornada::fecha() {
    if (grade_) grade_->confirmaEdicao();
    return Protegido(this, [this] { jornadas_->fecha(); });
}

}  // namespace korva::ui
