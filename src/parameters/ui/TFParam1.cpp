#include "parameters/ui/TFParam1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/Mensagens.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/Geracao.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/VerbasCatalogo.h"
#include "parameters/ui/CaixaOrdem.h"
#include "parameters/ui/TFBasesSalariais.h"
#include "parameters/ui/TFListRend.h"
#include "parameters/ui/TFParam2.h"
#include "parameters/ui/TFPegaData.h"
#include "parameters/ui/TFProcurarESubstituir.h"
#include "parameters/ui/TFSeguroDesemprego.h"
#include "reference/TabelasReferencia.h"
#include "register/RegrasAcrescimos.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/ui/TFBuscaPonto.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The period grid's model: a word picked from a one-letter column's list
// ("Fator", "Não", "Compensar") is stored as its first letter, and a
// negative Valor is drawn bold as well as red.
class ModeloParam1 : public ModeloTabela {
public:
    ModeloParam1(Tabela& tabela, std::vector<ColunaGrade> colunas, QObject* pai)
        : ModeloTabela(tabela, std::move(colunas), pai), colunaValor_(colunaDoCampo("Valor")) {}

    QVariant data(const QModelIndex& indice, int papel) const override {
        if (papel == Qt::FontRole && indice.isValid() && indice.column() == colunaValor_) {
            const QVariant cor = ModeloTabela::data(indice, Qt::ForegroundRole);
            if (cor.isValid()) {
                QFont f;
                f.setBold(true);
                return f;
            }
        }
        return ModeloTabela::data(indice, papel);
    }

    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override {
        if (papel == Qt::EditRole && indice.isValid()) {
            const QStringList& lista = coluna(indice.column()).lista;
            const QString t = valor.toString().trimmed();
            for (const QString& palavra : lista)
                if (t.size() > 1 && palavra.compare(t, Qt::CaseInsensitive) == 0)
                    return ModeloTabela::setData(indice, palavra.left(1).toUpper(), papel);
        }
        return ModeloTabela::setData(indice, valor, papel);
    }

private:
    int colunaValor_;
};

}  // namespace

TFParam1::TFParam1(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : DialogoTabelas(pai), sessao_(sessao), calculo_(calculo) {
    setObjectName("TFParam1");
    setModal(true);
    setWindowTitle(Q(ParametrosPeriodo::Titulo(calculo_.tabela('A'))));

    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    dtBase_ = std::make_unique<CalculoDtBase>(*referencia_, calculo_.mensal.dtBasePadrao);
    periodo_ = std::make_unique<ParametrosPeriodo>(
        sessao.privado(), calculo_.tabela('A'), calculo_.mensal.dtBasePadrao,
        OrdemParametrosDaPosicao(sessao.configuracoes().ordenacaoParametros1));
    periodo_->abre();
    // A row refused for a field that must be filled shows that field.
    Tabela& t = periodo_->tabela();
    auto regra = t.antesGravar;
    t.antesGravar = [this, regra](Tabela& tab) {
        try {
            if (regra) regra(tab);
        } catch (const ErroCampo& e) {
            const std::string campo = e.campo();
            QTimer::singleShot(0, this, [this, campo] { vaiParaCampo(campo); });
            throw;
        }
    };

    criaPainel();
    criaGrade();

    auto* layout = new QVBoxLayout(this);
    auto* painel = new QHBoxLayout;
    auto* lbOrdem = new QLabel(QStringLiteral("Ordenado por:"), this);
    lbOrdem->setObjectName("LbOrdem");
    lbOrdem->setBuddy(cbOrdem_);
    painel->addWidget(lbOrdem);
    painel->addWidget(cbOrdem_);
    painel->addSpacing(12);
    painel->addWidget(btGerar_);
    painel->addWidget(ckMostrarMesAMes_);
    painel->addWidget(btMesAMes_);
    painel->addSpacing(12);
    painel->addWidget(btPonto_);
    painel->addWidget(btSeguro_);
    painel->addWidget(btSubstituir_);
    painel->addStretch(1);
    layout->addLayout(painel);
    layout->addWidget(grade_, 1);
    layout->addWidget(navegador_);

    setTabOrder(cbOrdem_, btGerar_);
    setTabOrder(btGerar_, ckMostrarMesAMes_);
    setTabOrder(ckMostrarMesAMes_, btMesAMes_);
    setTabOrder(btMesAMes_, btPonto_);
    setTabOrder(btPonto_, btSeguro_);
    setTabOrder(btSeguro_, btSubstituir_);
    setTabOrder(btSubstituir_, grade_);

    // Every column whole up to the width of a 1024-pixel desktop; the grid scrolls past that.
    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left() +
                  layout->contentsMargins().right() + 4;
    for (int i = 0; i < modelo_->columnCount(); ++i)
        if (!grade_->isColumnHidden(i)) largura += grade_->columnWidth(i);
    resize(std::clamp(largura, std::max(painel->sizeHint().width() + 24, 640), 1000), 520);

    atualizaComandos();
    grade_->setFocus();
}

TFParam1::~TFParam1() {
    // The views and the model go before the dataset they observe.
    delete btCelula_;
    delete grade_;
    delete navegador_;
    delete modelo_;
    btCelula_ = nullptr;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
}

void TFParam1::criaPainel() {
    cbOrdem_ = CaixaOrdemParametros(this, periodo_->ordem());
    connect(cbOrdem_, &QComboBox::activated, this, &TFParam1::mudaOrdem);

    auto botao = [this](const char* nome, const QString& texto, const QString& dica, void (TFParam1::*acao)()) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        DefineDica(b, dica);
        connect(b, &QPushButton::clicked, this, acao);
        return b;
    };
    btGerar_ = botao("BtGerar", QStringLiteral("&Gerar Param. Mensais"), QStringLiteral("Gera parâmetros mensais"),
                     &TFParam1::gera);
    ckMostrarMesAMes_ = new QCheckBox(QStringLiteral("Mostrar Mês &a Mês"), this);
    ckMostrarMesAMes_->setObjectName("CkMostrarMesAMes");
    ckMostrarMesAMes_->setChecked(true);
    DefineDica(ckMostrarMesAMes_, QStringLiteral("Abre os parâmetros mês a mês depois de gerá-los"));
    btMesAMes_ = botao("BtMesAMes", QStringLiteral("&Mês a Mês"), QStringLiteral("Relação de Parâmetros Mês a Mês"),
                       &TFParam1::mesAMes);
    btPonto_ = botao("BtPonto", QStringLiteral("P&onto"), QStringLiteral("Ponto|Horas dos cartões de ponto"),
                     &TFParam1::ponto);
    btSeguro_ = botao("BtSeguro", QStringLiteral("&Seg. Desemp."),
                      QStringLiteral("Seguro Desemprego|Insere valores do Seguro Desemprego"),
                      &TFParam1::seguroDesemprego);
    btSubstituir_ = botao("BtSubstituir", QStringLiteral("Su&bstituir"),
                          QStringLiteral("Substituir|Procura e substitui valores nos parâmetros por período"),
                          &TFParam1::substitui);
}

void TFParam1::criaGrade() {
    Tabela& t = periodo_->tabela();
    auto descricaoDe = [this, &t](const char* campo) {
        const size_t pos = static_cast<size_t>(t.definicao().posicao(campo));
        return [this, pos](const std::vector<Valor>& linha) -> Valor {
            const Valor& v = linha.at(pos);
            if (v.nulo()) return {};
            return Valor(descricao(static_cast<int>(v.comoInteiro())).toStdString());
        };
    };
    auto descricaoColuna = [&](const QString& titulo, const char* campo) {
        ColunaGrade c;
        c.titulo = titulo;
        c.largura = 30;
        c.somenteLeitura = true;
        c.calcula = descricaoDe(campo);
        return c;
    };
    auto letra = [](const char* campo, const QString& titulo, int largura, QStringList lista) {
        ColunaGrade c = Coluna(campo, titulo, largura);
        c.maiusculas = true;
        c.lista = std::move(lista);
        return c;
    };

    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Item", QStringLiteral("Item"), 4, "##0"));
    colunas.push_back(descricaoColuna(QStringLiteral("Descrição da Verba"), "Item"));
    colunas.push_back(Coluna("Mes1", QStringLiteral("Mes1"), 3, "#0"));
    colunas.push_back(Coluna("Ano1", QStringLiteral("Ano1"), 4, "0000"));
    colunas.push_back(Coluna("Mes2", QStringLiteral("Mes2"), 3, "#0"));
    colunas.push_back(Coluna("Ano2", QStringLiteral("Ano2"), 4, "0000"));
    colunas.push_back(letra("VFM", QStringLiteral("VFMC"), 5,
                            {QStringLiteral("Valor"), QStringLiteral("Fator"), QStringLiteral("Média"),
                             QStringLiteral("Comissões")}));
    colunas.push_back(Coluna("Valor", QStringLiteral("Valor"), 13, "###,###,##0.00"));
    colunas.push_back(Coluna("Qtde", QStringLiteral("Qtde"), 9, "#,##0.0000"));
    colunas.push_back(Coluna("Indice", QStringLiteral("Índice"), 8, "##0.0000"));
    colunas.push_back(Coluna("Divisor", QStringLiteral("Divisor"), 9, "#,##0.0000"));
    colunas.push_back(Coluna("Base", QStringLiteral("Base"), 4, "##0"));
    colunas.push_back(descricaoColuna(QStringLiteral("Descrição da Base"), "Base"));
    colunas.push_back(Coluna("ItemMedia", QStringLiteral("Média"), 4, "##0"));
    colunas.push_back(descricaoColuna(QStringLiteral("Descrição da Verba - Média"), "ItemMedia"));
    colunas.push_back(Coluna("MMes1", QStringLiteral("Mes1"), 3, "#0"));
    colunas.push_back(Coluna("MAno1", QStringLiteral("Ano1"), 4, "0000"));
    colunas.push_back(Coluna("MMes2", QStringLiteral("Mes2"), 3, "#0"));
    colunas.push_back(Coluna("MAno2", QStringLiteral("Ano2"), 4, "0000"));
    ColunaGrade dataBase = Coluna("CodDataBasePadrao", QStringLiteral("Data Base Padrão"), 26);
    std::vector<ItemLista> codigos = referencia_->ListaNomes("DataBasePadrao.db");
    std::sort(codigos.begin(), codigos.end(), [](const ItemLista& a, const ItemLista& b) { return a.codigo < b.codigo; });
    for (const auto& c : codigos) dataBase.codigos.emplace_back(c.codigo, Q(c.nome));
    colunas.push_back(dataBase);
    colunas.push_back(Coluna("DtBase", QStringLiteral("Dt. Base"), 10, "dd/mm/yyyy"));
    colunas.push_back(letra("INSS", QStringLiteral("INSS"), 4, {QStringLiteral("Sim"), QStringLiteral("Não")}));
    colunas.push_back(letra("Diferenca", QStringLiteral("Dif."), 5, {QStringLiteral("Zerar"), QStringLiteral("Compensar")}));

    modelo_ = new ModeloParam1(t, std::move(colunas), this);
    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrParam1");
    grade_->defineModelo(modelo_);

    // The descriptions only while the setting asks for them.
    const bool descricoes = sessao_.configuracoes().exibirDescricaoVerbas == "S";
    for (int i = 0; i < modelo_->columnCount(); ++i)
        if (modelo_->coluna(i).campo.empty()) grade_->setColumnHidden(i, !descricoes);

    // F4 copies the remembered row into the new one, F3 the field under the cursor.
    grade_->defineTeclas([this](int tecla, int coluna) {
        if (tecla != Qt::Key_F3 && tecla != Qt::Key_F4) return false;
        if (!periodo_->tabela().editando()) return false;
        bool feito = false;
        Protegido(this, [&] {
            if (tecla == Qt::Key_F4) feito = periodo_->copiaLinha();
            else if (coluna >= 0 && !modelo_->coluna(coluna).campo.empty())
                feito = periodo_->copiaCampo(modelo_->coluna(coluna).campo);
        });
        grade_->viewport()->update();
        return true;
    });
    for (const char* campo : {"Item", "Base", "ItemMedia"}) {
        const std::string c = campo;
        grade_->defineBotaoColuna(modelo_->colunaDoCampo(c), [this, c] { escolheItem(c); });
    }
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("Valor"), [this] {
        bool botao = false;
        Protegido(this, [&] { botao = periodo_->valorComBotao(); });
        if (botao) basesSalariais();
    });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("DtBase"), [this] { escolheData(); });

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavParam1");
    navegador_->defineModelo(modelo_);
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });

    btCelula_ = new QToolButton(grade_->viewport());
    btCelula_->setObjectName("BtCelula");
    btCelula_->setText(QStringLiteral("..."));
    btCelula_->setFocusPolicy(Qt::NoFocus);
    btCelula_->setToolTip(QStringLiteral("Escolher (F9)"));
    btCelula_->setCursor(Qt::ArrowCursor);
    btCelula_->hide();
    connect(btCelula_, &QToolButton::clicked, this, [this] { acionaBotaoCelula(); });

    connect(modelo_, &ModeloTabela::estadoMudou, this, [this] {
        // A new row starts at its item.
        if (periodo_->tabela().aberta() && periodo_->tabela().estado() == EstadoTabela::Insercao &&
            modelo_->linhaAtual() >= 0) {
            grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), modelo_->colunaDoCampo("Item")));
            grade_->setFocus();
        }
        atualizaComandos();
    });
    connect(modelo_, &ModeloTabela::linhaAtualMudou, this, [this] { posicionaBotaoCelula(); });
    connect(modelo_, &QAbstractItemModel::dataChanged, this, [this] { posicionaBotaoCelula(); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] { posicionaBotaoCelula(); });
    connect(grade_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { posicionaBotaoCelula(); });
    connect(grade_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { posicionaBotaoCelula(); });
    connect(grade_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { posicionaBotaoCelula(); });
    connect(grade_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { posicionaBotaoCelula(); });
}

QString TFParam1::descricao(int codigo) const {
    auto it = descricoes_.find(codigo);
    if (it == descricoes_.end())
        it = descricoes_.emplace(codigo, Q(VerbasCatalogo(sessao_.privado()).Descricao(codigo))).first;
    return it->second;
}

void TFParam1::atualizaComandos() {
    const bool livre = periodo_->tabela().aberta() && periodo_->comandosHabilitados();
    for (QWidget* w : std::initializer_list<QWidget*>{cbOrdem_, btGerar_, btPonto_, btSeguro_, ckMostrarMesAMes_,
                                                      btMesAMes_, btSubstituir_})
        w->setEnabled(livre);
    posicionaBotaoCelula();
}

bool TFParam1::temBotao(int coluna) const {
    if (coluna < 0 || !periodo_->tabela().aberta() || modelo_->linhaAtual() < 0) return false;
    const std::string& campo = modelo_->coluna(coluna).campo;
    if (campo == "Item" || campo == "Base" || campo == "ItemMedia") return periodo_->tabela().editando();
    if (campo == "Valor") {
        try {
            return periodo_->valorComBotao();
        } catch (const std::exception&) {
            return false;
        }
    }
    return campo == "DtBase";
}

void TFParam1::posicionaBotaoCelula() {
    if (!btCelula_ || !grade_) return;
    const QModelIndex atual = grade_->currentIndex();
    if (!atual.isValid() || atual.row() != modelo_->linhaAtual() || !temBotao(atual.column())) {
        btCelula_->hide();
        return;
    }
    const QRect r = grade_->visualRect(atual);
    if (!r.isValid() || !grade_->viewport()->rect().intersects(r)) {
        btCelula_->hide();
        return;
    }
    const int lado = r.height();
    btCelula_->setGeometry(r.right() - lado + 1, r.top(), lado, lado);
    btCelula_->show();
    btCelula_->raise();
}

void TFParam1::acionaBotaoCelula() {
    grade_->setFocus();
    grade_->trataTecla(Qt::Key_F9);
}

bool TFParam1::confirmaCelula() { return !grade_ || grade_->confirmaEdicao(); }

void TFParam1::vaiParaCampo(const std::string& campo) {
    if (!grade_ || modelo_->linhaAtual() < 0) return;
    const int coluna = modelo_->colunaDoCampo(campo);
    if (coluna < 0) return;
    grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), coluna));
    grade_->setFocus();
}

// ---- column buttons ----

void TFParam1::escolheItem(const std::string& campo) {
    if (!periodo_->tabela().editando() || !confirmaCelula()) return;
    const int codigo = TFListRend::Escolhe(sessao_.privado(), this);
    if (codigo == 0) return;
    modelo_->defineCampo(campo, Valor(codigo));
    grade_->viewport()->update();
}

void TFParam1::basesSalariais() {
    if (!confirmaCelula()) return;
    Protegido(this, [this] {
        ConjuntoCalculo conjunto(sessao_.privado(),
                                 [this] { return sessao_.configuracoes().qtdeCalculosPorSubDiretorio; });
        conjunto.defineAtual(calculo_.execucao.diretorio, calculo_.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo_.execucao.arquivo), TipoDaLetra('I'));
        TFBasesSalariais janela(sessao_, calculo_.tabela('I'), 0, 0, this);
        janela.exec();
    });
}

void TFParam1::escolheData() {
    if (!confirmaCelula()) return;
    const Valor& v = periodo_->tabela().valor("DtBase");
    QDate inicial;
    if (!v.nulo()) {
        const Data d = v.comoData();
        inicial = QDate(d.ano(), d.mes(), d.dia());
    }
    auto& picker = TFPegaData::Instancia();
    picker.defineData(inicial);
    if (picker.executa() != QStringLiteral("OK")) return;
    const QDate escolhida = picker.data();
    modelo_->defineCampo("DtBase", Valor(Data::de(escolhida.year(), escolhida.month(), escolhida.day())));
    grade_->viewport()->update();
}

// ---- the top panel ----

void TFParam1::mudaOrdem(int posicao) {
    if (!confirmaCelula()) return;
    Protegido(this, [&] {
        periodo_->defineOrdem(OrdemParametrosDaPosicao(posicao));
        sessao_.configuracoes().ordenacaoParametros1 = PosicaoOrdemParametros(periodo_->ordem());
    });
    cbOrdem_->setCurrentIndex(PosicaoOrdemParametros(periodo_->ordem()));
}

void TFParam1::gera() {
    if (!confirmaCelula()) return;
    const std::string tabelaB = calculo_.tabela('B');
    int existentes = 0;
    if (!Protegido(this, [&] { existentes = Geracao(sessao_.privado(), calculo_.tabela('A'), tabelaB, *dtBase_).LinhasMensais(); }))
        return;
    // Generating again throws away every change made in the month grid.
    if (existentes > 0 &&
        QMessageBox::question(this, TituloMensagem(), QString::fromUtf8(MsgConfirmaGeracao),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;

    // The failure is shown once the normal cursor is back.
    std::exception_ptr falha;
    {
        CursorOcupado ocupado;
        QProgressDialog progresso(QStringLiteral("Gerando parâmetros mês a mês..."), QString(), 0, 1, this);
        progresso.setObjectName("PgGeracao");
        progresso.setWindowTitle(TituloJanela(QStringLiteral("Gerar Param. Mensais")));
        progresso.setWindowModality(Qt::WindowModal);
        progresso.setCancelButton(nullptr);
        progresso.setMinimumDuration(400);
        progresso.setAutoClose(false);
        progresso.setAutoReset(false);
        try {
            periodo_->geraMensais(tabelaB, *dtBase_, [&](int feitas, int total) {
                if (feitas == 0) {
                    progresso.setMaximum(std::max(total, 1));
                    progresso.setValue(0);
                } else if (feitas == total || feitas % 50 == 0) {
                    progresso.setValue(feitas);
                }
            });
        } catch (...) {
            falha = std::current_exception();
        }
        progresso.close();
    }
    const bool gerou = !falha;
    if (falha) Protegido(this, [&] { std::rethrow_exception(falha); });
    grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), std::max(grade_->currentIndex().column(), 0)));
    if (gerou && ckMostrarMesAMes_->isChecked()) mesAMes();
}

void TFParam1::mesAMes() {
    if (!confirmaCelula()) return;
    Protegido(this, [this] {
        TFParam2 janela(sessao_, calculo_, this);
        janela.exec();
    });
}

void TFParam1::ponto() {
    if (!confirmaCelula()) return;
    Protegido(this, [this] {
        TFBuscaPonto janela(sessao_, calculo_, *periodo_, this);
        janela.exec();
    });
    modelo_->atualiza();
    atualizaComandos();
}

void TFParam1::seguroDesemprego() {
    if (!confirmaCelula()) return;
    Protegido(this, [this] {
        TFSeguroDesemprego janela(sessao_, *periodo_, calculo_.mensal.dtBasePadrao.dataBasePadrao, this);
        janela.exec();
    });
    modelo_->atualiza();
    atualizaComandos();
}

void TFParam1::substitui() {
    if (!confirmaCelula()) return;
    Protegido(this, [this] {
        TFProcurarESubstituir janela(sessao_, ListaCamposProcura::Periodo, periodo_->tabela(), this);
        janela.exec();
    });
    modelo_->atualiza();
    atualizaComandos();
}

// ---- closing ----

bool TFParam1::fecha() {
    if (fechada_) return true;
    confirmaCelula();
    if (!Protegido(this, [this] { periodo_->fecha(); })) return false;
    fechada_ = true;
    return true;
}

}  // namespace korva::ui
