#include "parameters/ui/TFParam2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QProxyStyle>
#include <QDate>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QHash>
#include <QPainter>
#include <QPushButton>
#include <QStaticText>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <exception>
#include <map>
#include <optional>
#include <utility>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ui/CaixaOrdem.h"
#include "parameters/ui/TFBasesSalariais.h"
#include "parameters/ui/TFListRend.h"
#include "parameters/ui/TFPegaData.h"
#include "parameters/ui/TFProcurarESubstituir.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/FigurasGrade.h"
#include "results/FigurasMensais.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "spreadsheets/ui/ExportacaoPlanilha.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The grid's model: a negative Valor is drawn bold (red comes from every
// grid), and a one-letter code picked from its list ("Fator", "Não",
// "Zerar") goes into the field as its first letter.
class ModeloMensal : public ModeloTabela {
public:
    ModeloMensal(Tabela& tabela, std::vector<ColunaGrade> colunas, QObject* pai)
        : ModeloTabela(tabela, std::move(colunas), pai) {
        colValor_ = colunaDoCampo("Valor");
        for (const char* c : {"VFM", "INSS", "Diferenca"}) letras_.push_back(colunaDoCampo(c));
    }

    QVariant data(const QModelIndex& indice, int papel) const override {
        if (papel == Qt::FontRole && indice.column() == colValor_) {
            const QVariant v = ModeloTabela::data(indice, Qt::ForegroundRole);
            if (v.isValid()) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        }
        return ModeloTabela::data(indice, papel);
    }

    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override {
        if (papel == Qt::EditRole && std::find(letras_.begin(), letras_.end(), indice.column()) != letras_.end()) {
            const QString t = valor.toString().trimmed();
            return ModeloTabela::setData(indice, t.left(1).toUpper(), papel);
        }
        return ModeloTabela::setData(indice, valor, papel);
    }

private:
    int colValor_ = -1;
    std::vector<int> letras_;
};

// The grid's style: the program's own, except that the panel behind each
// cell is left to the cell's painting.
class EstiloGrade : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement elemento, const QStyleOption* opcao, QPainter* p,
                       const QWidget* w) const override {
        if (elemento == PE_PanelItemViewRow) return;
        QProxyStyle::drawPrimitive(elemento, opcao, p, w);
    }
};

// The painting of the grid's cells, for grids of tens of thousands of rows:
// the text of a cell laid out once per distinct text and font (dates,
// codes, descriptions and many amounts repeat from month to month) and
// drawn from that layout; the tint of alternate rows, the grid lines and the
// current cell's highlight as plain fills. Editing stays with the grid's own
// delegate, to which everything else is handed.
class PinturaGrade : public QStyledItemDelegate {
public:
    PinturaGrade(QAbstractItemDelegate* edicao, QColor linhas, int colunaNegrito, QObject* pai)
        : QStyledItemDelegate(pai), edicao_(edicao), linhas_(linhas), colunaNegrito_(colunaNegrito) {}

    void paint(QPainter* p, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        const bool selecionada = opcao.state & QStyle::State_Selected;
        const QPalette::ColorGroup grupo = opcao.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        const QRect& r = opcao.rect;
        // The grid: the cell's right and bottom lines.
        p->fillRect(QRect(r.right(), r.top(), 1, r.height()), linhas_);
        p->fillRect(QRect(r.left(), r.bottom(), r.width() - 1, 1), linhas_);
        const QRect celula = r.adjusted(0, 0, -1, -1);
        if (selecionada) p->fillRect(celula, opcao.palette.brush(grupo, QPalette::Highlight));
        else if (indice.row() % 2) p->fillRect(celula, opcao.palette.brush(grupo, QPalette::AlternateBase));
        const auto* modelo = static_cast<const ModeloTabela*>(indice.model());
        const ModeloTabela::Celula cel = modelo->celula(indice.row(), indice.column());
        const QString& texto = cel.texto;
        if (texto.isEmpty()) return;
        QColor cor = opcao.palette.color(grupo, selecionada ? QPalette::HighlightedText : QPalette::Text);
        if (cel.negativo && !selecionada) cor = QColor(Qt::red);
        // Only a red amount can be bold (the Valor column).
        const bool negrito = cel.negativo && indice.column() == colunaNegrito_;
        const int alinhamento = cel.direita ? Qt::AlignRight : Qt::AlignLeft;

        const QFont& f = fonte_(opcao.font, negrito);  // first: a new font empties the layouts
        auto& cache = negrito ? negritos_ : normais_;
        if (cache.size() > 50000) cache.clear();
        auto it = cache.find(texto);
        if (it == cache.end()) {
            QStaticText st(texto);
            st.setTextFormat(Qt::PlainText);
            st.prepare(QTransform(), f);
            it = cache.insert(texto, st);
        }
        const QSizeF tamanho = it->size();
        const QRect area = celula.adjusted(4, 0, -4, 0);
        const double x = (alinhamento & Qt::AlignRight) ? area.right() + 1 - tamanho.width() : area.left();
        const double y = area.top() + (area.height() - tamanho.height()) / 2;
        // Only a text wider than its cell is clipped.
        const bool corta = tamanho.width() > area.width();
        if (corta) {
            p->save();
            p->setClipRect(area);
        }
        if (p->font() != f) p->setFont(f);
        if (p->pen().color() != cor) p->setPen(cor);
        p->drawStaticText(QPointF(x, y), *it);
        if (corta) p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        return edicao_->sizeHint(opcao, indice);
    }
    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        return edicao_->createEditor(pai, opcao, indice);
    }
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override {
        edicao_->setEditorData(editor, indice);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override {
        edicao_->setModelData(editor, modelo, indice);
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& opcao,
                              const QModelIndex& indice) const override {
        edicao_->updateEditorGeometry(editor, opcao, indice);
    }

protected:
    // The editors' keys (Enter, the function keys) are the grid delegate's.
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        return static_cast<QObject*>(edicao_)->eventFilter(objeto, evento);
    }

private:
    // The view's font and its bold form, made once.
    const QFont& fonte_(const QFont& daVista, bool negrito) const {
        if (!fontes_ || fontes_->first != daVista) {
            QFont b = daVista;
            b.setBold(true);
            fontes_.emplace(daVista, b);
            normais_.clear();
            negritos_.clear();
        }
        return negrito ? fontes_->second : fontes_->first;
    }

    QAbstractItemDelegate* edicao_;
    QColor linhas_;
    int colunaNegrito_;
    mutable std::optional<std::pair<QFont, QFont>> fontes_;
    mutable QHash<QString, QStaticText> normais_, negritos_;
};

}  // namespace

TFParam2::TFParam2(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : DialogoTabelas(pai), sessao_(sessao), calculo_(calculo) {
    setObjectName("TFParam2");
    setModal(true);
    setSizeGripEnabled(true);
    const std::string tabelaB = calculo_.tabela('B');
    setWindowTitle(Q(ParametrosMensais::Titulo(tabelaB)));

    referencia_ = std::make_unique<TabelasReferencia>(sessao.compartilhado());
    dtBase_ = std::make_unique<CalculoDtBase>(*referencia_, calculo_.mensal.dtBasePadrao);
    correcao_ = std::make_unique<CorrecaoJuros>(sessao.privado(), *referencia_);
    // A preview figure that fails is told once, after the paint or the run that met it.
    figurasGrade_ = std::make_unique<FigurasGrade>(*correcao_, calculo_.figuras(), [this](const std::string& m) {
        QMetaObject::invokeMethod(
            this, [this, m] { Protegido(this, [&] { throw ErroKorva(m); }); }, Qt::QueuedConnection);
    });
    parametros_ = std::make_unique<ParametrosMensais>(
        sessao.privado(), tabelaB, *dtBase_, OrdemParametrosDaPosicao(sessao.configuracoes().ordenacaoParametros2));
    parametros_->abre();
    cache_ = std::make_unique<FigurasMensais>(*figurasGrade_, parametros_->tabela().definicao());

    criaPainel();
    criaGrade();
    ligaEventos();

    auto* layout = new QVBoxLayout(this);
    auto* topo = new QHBoxLayout;
    auto* lbOrdem = new QLabel(QStringLiteral("Ordenado por:"), this);
    lbOrdem->setObjectName("LbOrdem");
    lbOrdem->setBuddy(cbOrdem_);
    topo->addWidget(lbOrdem);
    topo->addWidget(cbOrdem_);
    topo->addSpacing(12);
    topo->addWidget(btCalculo_);
    topo->addWidget(btSubstituir_);
    topo->addWidget(btPlanilha_);
    topo->addSpacing(24);
    topo->addWidget(lbTotal_);
    topo->addStretch(1);
    topo->addWidget(lbTempo_);
    layout->addLayout(topo);
    layout->addWidget(grade_, 1);
    layout->addWidget(navegador_);

    setTabOrder(cbOrdem_, btCalculo_);
    setTabOrder(btCalculo_, btSubstituir_);
    setTabOrder(btSubstituir_, btPlanilha_);
    setTabOrder(btPlanilha_, grade_);

    lbTempo_->setText(Q(TextoTempoCalculo(std::chrono::nanoseconds::zero())));
    recalculaTotal();
    atualizaEstado();

    // Wide enough for the columns up to the figures, within a 1024-pixel desktop.
    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left() +
                  layout->contentsMargins().right() + 4;
    for (int i = 0; i < modelo_->columnCount(); ++i)
        if (!grade_->isColumnHidden(i)) largura += grade_->columnWidth(i);
    resize(std::clamp(largura, 720, 1000), 600);
    grade_->setFocus();
}

TFParam2::~TFParam2() {
    // The views and the model go before the dataset they observe.
    delete grade_;
    delete navegador_;
    delete modelo_;
    grade_ = nullptr;
    navegador_ = nullptr;
    modelo_ = nullptr;
}

void TFParam2::criaPainel() {
    cbOrdem_ = CaixaOrdemParametros(this, parametros_->ordem());
    connect(cbOrdem_, &QComboBox::activated, this, &TFParam2::mudaOrdem);

    btCalculo_ = new QPushButton(QStringLiteral("&Cálculo"), this);
    btCalculo_->setObjectName("BtCalculo");
    btCalculo_->setAutoDefault(false);
    DefineDica(btCalculo_, QStringLiteral("Efetuar Cálculos"));
    connect(btCalculo_, &QPushButton::clicked, this, &TFParam2::calcula);

    btSubstituir_ = new QPushButton(QStringLiteral("Su&bstituir"), this);
    btSubstituir_->setObjectName("BtSubstituir");
    btSubstituir_->setAutoDefault(false);
    DefineDica(btSubstituir_, QStringLiteral("Procurar e Substituir"));
    connect(btSubstituir_, &QPushButton::clicked, this, &TFParam2::substitui);

    // The workbook of the stored rows: a row being edited is stored first.
    btPlanilha_ = NovoBotaoExportarPlanilha(this);
    connect(btPlanilha_, &QPushButton::clicked, this, [this] {
        if (!grade_->confirmaEdicao() || parametros_->tabela().editando()) return;
        ExportaPlanilhaDoCalculo(this, sessao_, calculo_.execucao);
    });

    QFont negrito = font();
    negrito.setBold(true);
    lbTotal_ = new QLabel(this);
    lbTotal_->setObjectName("LbTotal");
    lbTotal_->setFont(negrito);
    lbTotal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbTempo_ = new QLabel(this);
    lbTempo_->setObjectName("LbTempo");
}

void TFParam2::criaGrade() {
    Tabela& b = parametros_->tabela();
    const DefTabela& def = b.definicao();
    const size_t pCodigo = static_cast<size_t>(def.posicao("Codigo"));

    // Item descriptions of the whole catalogue, read once: the grid repaints often.
    auto descricoes = std::make_shared<std::map<int64_t, std::string>>();
    for (const auto& l : sessao_.privado().consulta(
             "select Codigo, DescRend from " + Banco::NomeNaConsulta(kTabelaRendimentos), {kTabelaRendimentos}))
        if (!l[0].nulo()) (*descricoes)[l[0].comoInteiro()] = l[1].nulo() ? std::string() : l[1].comoTexto();
    auto descricao = [&def, descricoes](const char* campo, const QString& titulo) {
        ColunaGrade c;
        c.titulo = titulo;
        c.largura = 30;
        c.somenteLeitura = true;
        const size_t p = static_cast<size_t>(def.posicao(campo));
        c.calcula = [descricoes, p](const std::vector<Valor>& linha) -> Valor {
            const Valor& v = linha.at(p);
            if (v.nulo()) return {};
            auto it = descricoes->find(v.comoInteiro());
            return it == descricoes->end() ? Valor() : Valor(it->second);
        };
        return c;
    };

    // The preview figures: none for the row being edited, none while the run goes on.
    auto figura = [this, pCodigo](const std::vector<Valor>& linha) -> const FiguraLinha* {
        Tabela& t = parametros_->tabela();
        if (parametros_->calculando()) return nullptr;
        if (t.editando()) {
            const Valor& c = linha.at(pCodigo);
            if (c.nulo()) return nullptr;  // the row being inserted
            if (t.estado() == EstadoTabela::Edicao && !t.valor("Codigo").nulo() &&
                c.comoInteiro() == t.valor("Codigo").comoInteiro())
                return nullptr;
        }
        return cache_->figura(linha);
    };
    auto coluna = [&figura](const QString& titulo, int largura, const char* formato,
                            std::function<Valor(const FiguraLinha&)> valor) {
        ColunaGrade c;
        c.titulo = titulo;
        c.largura = largura;
        c.formato = QString::fromLatin1(formato);
        c.somenteLeitura = true;
        c.calcula = [figura, valor](const std::vector<Valor>& linha) -> Valor {
            const FiguraLinha* f = figura(linha);
            if (!f || f->falhou) return {};
            return valor(*f);
        };
        return c;
    };

    std::vector<ColunaGrade> colunas;
    colunas.push_back(Coluna("Item", QStringLiteral("Item"), 4, "##0"));
    colunas.push_back(descricao("Item", QStringLiteral("Descrição da Verba")));
    colunas.push_back(Coluna("Mes", QStringLiteral("Mes"), 3, "#0"));
    colunas.push_back(Coluna("Ano", QStringLiteral("Ano"), 4, "#0"));
    ColunaGrade vfm = Coluna("VFM", QStringLiteral("VFMC"), 4);
    vfm.maiusculas = true;
    vfm.lista = {QStringLiteral("Valor"), QStringLiteral("Fator"), QStringLiteral("Média"), QStringLiteral("Comissões")};
    colunas.push_back(vfm);
    colunas.push_back(Coluna("Valor", QStringLiteral("Valor"), 12, "###,###,##0.00"));
    colunas.push_back(Coluna("Qtde", QStringLiteral("Qtde"), 9, "#,##0.0000"));
    colunas.push_back(Coluna("Indice", QStringLiteral("Indice"), 8, "##0.0000"));
    colunas.push_back(Coluna("Divisor", QStringLiteral("Divisor"), 9, "#,##0.0000"));
    colunas.push_back(Coluna("Base", QStringLiteral("Base"), 4, "##0"));
    colunas.push_back(descricao("Base", QStringLiteral("Descrição da Base")));
    colunas.push_back(Coluna("ItemMedia", QStringLiteral("Média"), 4, "##0"));
    colunas.push_back(descricao("ItemMedia", QStringLiteral("Descrição da Verba - Média")));
    colunas.push_back(Coluna("MMes1", QStringLiteral("Mes1"), 3, "#0"));
    colunas.push_back(Coluna("MAno1", QStringLiteral("Ano1"), 4, "#0"));
    colunas.push_back(Coluna("MMes2", QStringLiteral("Mes2"), 3, "#0"));
    colunas.push_back(Coluna("MAno2", QStringLiteral("Ano2"), 4, "#0"));
    ColunaGrade codigo = Coluna("CodDataBasePadrao", QStringLiteral("Data Base Padrão"), 22);
    for (const auto& item : referencia_->ListaNomes("DataBasePadrao.db")) codigo.codigos.emplace_back(item.codigo, Q(item.nome));
    colunas.push_back(codigo);
    colunas.push_back(Coluna("DtBase", QStringLiteral("Dt. Base"), 10, "dd/mm/yyyy"));
    ColunaGrade inss = Coluna("INSS", QStringLiteral("INSS"), 4);
    inss.maiusculas = true;
    inss.lista = {QStringLiteral("Sim"), QStringLiteral("Não")};
    colunas.push_back(inss);
    ColunaGrade dif = Coluna("Diferenca", QStringLiteral("Dif."), 4);
    dif.maiusculas = true;
    dif.lista = {QStringLiteral("Zerar"), QStringLiteral("Compensar")};
    colunas.push_back(dif);
    colunas.push_back(coluna(QStringLiteral("Ind. Atualização"), 14, "###,##0.000000000",
                             [](const FiguraLinha& f) { return Valor(f.indiceAtualizacao); }));
    colunas.push_back(coluna(QStringLiteral("Juros (%)"), 8, "###,##0.00", [](const FiguraLinha& f) { return Valor(f.juros); }));
    colunas.push_back(coluna(QStringLiteral("Total"), 12, "###,##0.00",
                             [](const FiguraLinha& f) { return f.total ? Valor(*f.total) : Valor(); }));

    modelo_ = new ModeloMensal(b, std::move(colunas), this);
    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrParam2");
    grade_->defineModelo(modelo_);
    {
        // The grid lines and the tint of alternate rows are painted with the cells.
        QStyleOptionViewItem opcao;
        opcao.initFrom(grade_);
        const QColor linhas = QColor::fromRgba(
            static_cast<QRgb>(grade_->style()->styleHint(QStyle::SH_Table_GridLineColor, &opcao, grade_)));
        auto* pintura = new PinturaGrade(grade_->itemDelegate(), linhas, modelo_->colunaDoCampo("Valor"), grade_);
        for (int i = 0; i < modelo_->columnCount(); ++i) grade_->setItemDelegateForColumn(i, pintura);
        grade_->setShowGrid(false);
        // The view asks the style to paint each cell's row panel before the
        // cell; the cells paint their own background, and the program's
        // style works out its colours at every such call.
        auto* estilo = new EstiloGrade;
        estilo->setParent(grade_);
        grade_->setStyle(estilo);
        grade_->setAlternatingRowColors(false);
    }
    // The item descriptions only while the setting asks for them.
    const bool descricoesVisiveis = sessao_.configuracoes().exibirDescricaoVerbas == "S";
    for (int i = 0; i < modelo_->columnCount(); ++i)
        if (modelo_->coluna(i).titulo.startsWith(QStringLiteral("Descrição"))) grade_->setColumnHidden(i, !descricoesVisiveis);

    grade_->defineTeclas([this](int tecla, int coluna) {
        if (tecla == Qt::Key_F4) return parametros_->copiaLinha();
        if (tecla == Qt::Key_F3) {
            const std::string& campo = modelo_->coluna(coluna).campo;
            return !campo.empty() && parametros_->copiaCampo(campo);
        }
        return false;
    });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("Item"), [this] { escolheItem("Item"); });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("Base"), [this] { escolheItem("Base"); });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("ItemMedia"), [this] { escolheItem("ItemMedia"); });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("Valor"), [this] { abreBasesSalariais(); });
    grade_->defineBotaoColuna(modelo_->colunaDoCampo("DtBase"), [this] { pegaData(); });

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavParam2");
    navegador_->defineModelo(modelo_);
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
}

void TFParam2::ligaEventos() {
    Tabela& t = parametros_->tabela();
    // The grand total follows every stored and deleted row, by that row alone.
    auto depoisGravar = std::move(t.depoisGravar);
    t.depoisGravar = [this, depoisGravar](Tabela& tab) {
        if (depoisGravar) depoisGravar(tab);
        cache_->atualiza(tab.linha());
        mostraTotal();
    };
    auto antesExcluir = std::move(t.antesExcluir);
    auto excluido = std::make_shared<Valor>();
    t.antesExcluir = [antesExcluir, excluido](Tabela& tab) {
        if (antesExcluir) antesExcluir(tab);
        *excluido = tab.valor("Codigo");
    };
    auto depoisExcluir = std::move(t.depoisExcluir);
    t.depoisExcluir = [this, depoisExcluir, excluido](Tabela& tab) {
        if (depoisExcluir) depoisExcluir(tab);
        if (!excluido->nulo()) cache_->remove(excluido->comoInteiro());
        mostraTotal();
    };

    connect(modelo_, &ModeloTabela::estadoMudou, this, [this] {
        Tabela& tab = parametros_->tabela();
        // A new row starts at its item.
        if (tab.estado() == EstadoTabela::Insercao && modelo_->linhaAtual() >= 0) {
            grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), modelo_->colunaDoCampo(ParametrosMensais::CampoInicial)));
            grade_->setFocus();
        }
        const bool antes = btCalculo_->isEnabled();
        atualizaEstado();
        if (!antes && btCalculo_->isEnabled()) grade_->setFocus();
    });
    // "Atualizar" reads the table again: the figures with it.
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao == NavegadorTabela::Atualizar) recalculaTotal();
    });
}

void TFParam2::atualizaEstado() {
    const bool livre = parametros_->tabela().aberta() && parametros_->comandosHabilitados();
    btCalculo_->setEnabled(livre);
    cbOrdem_->setEnabled(livre);
    btSubstituir_->setEnabled(livre);
    btPlanilha_->setEnabled(livre);
}

void TFParam2::mostraTotal() { lbTotal_->setText(Q(cache_->textoTotal())); }

void TFParam2::recalculaTotal() {
    Protegido(this, [this] { cache_->recalcula(parametros_->tabela()); });
    mostraTotal();
    if (grade_) grade_->viewport()->update();
}

void TFParam2::mudaOrdem(int indice) {
    const OrdemParametros ordem = OrdemParametrosDaPosicao(indice);
    Protegido(this, [&] {
        parametros_->defineOrdem(ordem);
        sessao_.configuracoes().ordenacaoParametros2 = PosicaoOrdemParametros(ordem);
    });
    cbOrdem_->setCurrentIndex(PosicaoOrdemParametros(parametros_->ordem()));
}

void TFParam2::calcula() {
    if (!grade_->confirmaEdicao()) return;
    Tabela& b = parametros_->tabela();
    if (b.editando()) return;  // the button is off while a row is edited
    std::exception_ptr erro;
    {
        CursorOcupado cursor;
        const auto inicio = std::chrono::steady_clock::now();
        parametros_->defineCalculando(true);
        cache_->suspende(true);
        try {
            CalculoMensal run(sessao_.privado(), *referencia_, calculo_.tabela('B'), calculo_.tabela('I'),
                              calculo_.mensal, [this](int codigo, Data de, Data ate) {
                                  return correcao_->FatorIndiceDiario(codigo, de, ate);
                              });
            run.Calcula();
        } catch (...) {
            erro = std::current_exception();
        }
        parametros_->defineCalculando(false);
        cache_->suspende(false);
        // What the run wrote (all of it, or the rows valued up to its stop) is read again.
        Protegido(this, [&] {
            if (erro) {
                // A run that stopped leaves the grid in the order it values the rows.
                parametros_->defineOrdem(OrdemParametros::Periodo);
                cbOrdem_->setCurrentIndex(PosicaoOrdemParametros(OrdemParametros::Periodo));
                sessao_.configuracoes().ordenacaoParametros2 = PosicaoOrdemParametros(OrdemParametros::Periodo);
            }
            b.atualiza();
        });
        if (!erro)
            lbTempo_->setText(Q(TextoTempoCalculo(std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::steady_clock::now() - inicio))));
        // A figure that failed before may fail again: it is told again.
        figurasGrade_->esqueceMensagens();
        recalculaTotal();
    }
    if (erro) Protegido(this, [&] { std::rethrow_exception(erro); });
    grade_->setFocus();
}

void TFParam2::substitui() {
    if (!grade_->confirmaEdicao()) return;
    Protegido(this, [this] {
        TFProcurarESubstituir dialogo(sessao_, ListaCamposProcura::Mensal, parametros_->tabela(), this);
        dialogo.exec();
    });
    // Many rows may have changed: the grand total is worked out again.
    figurasGrade_->esqueceMensagens();
    recalculaTotal();
    atualizaEstado();
}

void TFParam2::escolheItem(const char* campo) {
    if (!parametros_->tabela().editando()) return;
    if (!grade_->confirmaEdicao()) return;
    const int codigo = TFListRend::Escolhe(sessao_.privado(), this);
    if (codigo != 0) modelo_->defineCampo(campo, Valor(static_cast<int64_t>(codigo)));
}

void TFParam2::abreBasesSalariais() {
    if (!parametros_->valorComBotao()) return;
    Tabela& b = parametros_->tabela();
    const int mes = static_cast<int>(b.valor("Mes").comoInteiro());
    const int ano = static_cast<int>(b.valor("Ano").comoInteiro());
    Protegido(this, [&] {
        ConjuntoCalculo conjunto(sessao_.privado(), [this] { return sessao_.configuracoes().qtdeCalculosPorSubDiretorio; });
        conjunto.defineAtual(calculo_.execucao.diretorio, calculo_.execucao.arquivo);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', calculo_.execucao.arquivo), TipoDaLetra('I'));
        TFBasesSalariais bases(sessao_, calculo_.tabela('I'), mes, ano, this);
        bases.exec();
    });
}

void TFParam2::pegaData() {
    if (!grade_->confirmaEdicao()) return;
    Tabela& b = parametros_->tabela();
    if (!b.aberta() || (b.vazia() && !b.editando())) return;
    QDate inicial;
    if (const Valor& v = b.valor("DtBase"); !v.nulo()) {
        const Data d = v.comoData();
        inicial = QDate(d.ano(), d.mes(), d.dia());
    }
    auto& picker = TFPegaData::Instancia();
    picker.defineData(inicial);
    if (picker.executa() != QStringLiteral("OK")) return;
    const QDate escolhida = picker.data();
    modelo_->defineCampo("DtBase", Valor(Data::de(escolhida.year(), escolhida.month(), escolhida.day())));
}

bool TFParam2::fecha() {
    if (fechado_) return true;
    if (grade_) grade_->confirmaEdicao();
    bool fechou = false;
    Protegido(this, [&] {
        fechou = parametros_->fecha([this](const std::string& pergunta) {
            return QMessageBox::question(this, TituloMensagem(), Q(pergunta), QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes;
        });
    });
    if (!fechou) {
        grade_->setFocus();
        return false;
    }
    fechado_ = true;
    return true;
}

}  // namespace korva::ui
