#include "register/ui/TFDefProcesso.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Sessao.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "register/DefaultsProcesso.h"
#include "register/OpcoesProcesso.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Tabela.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The fields of the defaults row shown in line edits, with their formats.
std::vector<ColunaGrade> ColunasProcesso() {
    std::vector<ColunaGrade> c;
    auto poe = [&](const char* campo, const char* formato) {
        ColunaGrade col;
        col.campo = campo;
        col.formato = QString::fromUtf8(formato);
        c.push_back(std::move(col));
    };
    poe("Calculista", "");
    for (const char* taxa : {"INSSReclamante", "INSSReclamado", "INSSTerceiros", "INSSRisco"}) poe(taxa, "#,##0.00");
    return c;
}

std::vector<ColunaGrade> ColunasAcrescimos() {
    std::vector<ColunaGrade> c(6);
    c[0].campo = "Descricao";
    c[0].titulo = QStringLiteral("Descrição");
    c[0].largura = 30;
    c[1].campo = "Valor";
    c[1].titulo = QStringLiteral("Valor/Percentual");
    c[1].formato = QStringLiteral("#,##0.00");
    c[1].largura = 14;
    c[2].campo = "Tipo";
    c[2].titulo = QStringLiteral("Tipo");
    c[2].maiusculas = true;
    c[2].largura = 5;
    c[3].campo = "DtBase";
    c[3].titulo = QStringLiteral("Data Base");
    c[4].campo = "LimMinimo";
    c[4].titulo = QStringLiteral("Lim. Mín.");
    c[4].formato = QStringLiteral("#,##0.00");
    c[4].largura = 10;
    c[5].campo = "LimMaximo";
    c[5].titulo = QStringLiteral("Lim. Máx.");
    c[5].formato = QStringLiteral("#,##0.00");
    c[5].largura = 10;
    return c;
}

QWidget* ComPorcento(QLineEdit* edit) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000.000,00")) + 12);
    edit->setAlignment(Qt::AlignRight);
    l->addWidget(edit);
    l->addWidget(new QLabel(QStringLiteral("%")));
    l->addStretch(1);
    return w;
}

}  // namespace

TFDefProcesso::TFDefProcesso(Sessao& sessao, QWidget* pai) : QDialog(pai), sessao_(sessao) {
    setObjectName("TFDefProcesso");
    setWindowTitle(TituloJanela(QStringLiteral("Valores padrão para os processos")));
    setModal(true);
    defaults_ = std::make_unique<DefaultsProcesso>(sessao.privado());

    paginas_ = new QTabWidget(this);
    paginas_->setObjectName("PgPadroes");
    paginas_->addTab(paginaINSS(), QStringLiteral("INSS / IR / Acréscimos"));
    paginas_->addTab(paginaAtualizacao(), QStringLiteral("Atualização / Juros"));

    navProcesso_ = new NavegadorTabela(this);
    navProcesso_->setObjectName("NavProcesso");
    navProcesso_->defineBotoes(NavegadorTabela::Gravar | NavegadorTabela::Cancelar);
    // The buttons take no focus: what is typed in a field goes into the row
    // before the button acts on it.
    connect(navProcesso_->botao(NavegadorTabela::Gravar), &QToolButton::pressed, this, [this] { confirmaCampos(); });
    auto* lbGravar = new QLabel(QStringLiteral("Valores padrão:"));

    btFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar_->setObjectName("BtFechar");
    btFechar_->setAutoDefault(false);
    connect(btFechar_, &QPushButton::clicked, this, &TFDefProcesso::reject);

    auto* barra = new QHBoxLayout;
    barra->addWidget(lbGravar);
    barra->addWidget(navProcesso_);
    barra->addStretch(1);
    barra->addWidget(btFechar_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paginas_, 1);
    layout->addLayout(barra);

    mostraLinha();
}

// The models need the tables' definitions: they are made when the tables
// are first opened.
void TFDefProcesso::criaModelos() {
    if (modeloProcesso_) return;
    modeloProcesso_ = new ModeloTabela(defaults_->processo(), ColunasProcesso(), this);
    modeloAcrescimos_ = new ModeloTabela(defaults_->acrescimos(), ColunasAcrescimos(), this);
    navProcesso_->defineModelo(modeloProcesso_);
    gradeAcrescimos_->defineModelo(modeloAcrescimos_);
    navAcrescimos_->defineModelo(modeloAcrescimos_);
    for (const CampoTexto& c : textos_)
        if (const DefCampo* f = defaults_->processo().definicao().campo(c.campo); f && f->tipo == TipoCampo::String)
            c.edit->setMaxLength(f->tamanho);
    ModeloTabela* m = modeloProcesso_;
    connect(m, &ModeloTabela::linhaAtualMudou, this, &TFDefProcesso::mostraLinha);
    connect(m, &ModeloTabela::estadoMudou, this, &TFDefProcesso::mostraLinha);
    connect(m, &QAbstractItemModel::dataChanged, this, &TFDefProcesso::mostraLinha);
    connect(m, &QAbstractItemModel::modelReset, this, &TFDefProcesso::mostraLinha);
}

TFDefProcesso::~TFDefProcesso() {
    // The models go before the datasets they observe.
    delete gradeAcrescimos_;
    delete modeloAcrescimos_;
    delete modeloProcesso_;
    gradeAcrescimos_ = nullptr;
    modeloAcrescimos_ = modeloProcesso_ = nullptr;
}

// ---- page "INSS / IR / Acréscimos" ----

QWidget* TFDefProcesso::paginaINSS() {
    auto* pagina = new QWidget;

    auto* gbReclamante = new QGroupBox(QStringLiteral(" Reclamante: "));
    gbReclamante->setObjectName("GbReclamante");
    {
        auto* gbForma = new QGroupBox(QStringLiteral(" Forma de Cálculo: "));
        gbForma->setObjectName("RgAliquotaUnica");
        grupoOpcoes("AliquotaUnica", {{0, QStringLiteral("Mes a Mes")}, {1, QStringLiteral("Alíquota Única")}},
                    "RbAliquotaUnica", gbForma, true);
        edINSSReclamante_ = campoTexto("EdINSSReclamante", "INSSReclamante");
        lbINSSReclamante_ = new QLabel(QStringLiteral("Contribuição:"));
        lbINSSReclamante_->setBuddy(edINSSReclamante_);
        auto* form = new QFormLayout;
        form->addRow(lbINSSReclamante_, ComPorcento(edINSSReclamante_));
        auto* l = new QVBoxLayout(gbReclamante);
        l->addWidget(gbForma);
        l->addLayout(form);
        l->addStretch(1);
    }
    auto* gbReclamado = new QGroupBox(QStringLiteral(" Reclamado: "));
    gbReclamado->setObjectName("GbReclamado");
    {
        auto* form = new QFormLayout(gbReclamado);
        form->addRow(QStringLiteral("Contribuição:"), ComPorcento(campoTexto("EdINSSReclamado", "INSSReclamado")));
        form->addRow(QStringLiteral("Terceiros:"), ComPorcento(campoTexto("EdINSSTerceiros", "INSSTerceiros")));
        form->addRow(QStringLiteral("Riscos Amb. do Trabalho:"), ComPorcento(campoTexto("EdINSSRisco", "INSSRisco")));
    }
    auto* gbINSS = new QGroupBox(QStringLiteral(" INSS: "));
    gbINSS->setObjectName("GbINSS");
    {
        auto* l = new QVBoxLayout(gbINSS);
        auto* linha = new QHBoxLayout;
        linha->addWidget(gbReclamante);
        linha->addWidget(gbReclamado);
        l->addLayout(linha);
        l->addWidget(campoLogico("CbAdicionarINSSRecte",
                                 QStringLiteral("Somar contribuição previdenciária do Recte. ao Total Geral"),
                                 "AdicionarINSSRecte"));
    }

    auto* gbIR = new QGroupBox(QStringLiteral(" IR: "));
    gbIR->setObjectName("GbIR");
    {
        auto* gbOpcao = new QGroupBox(QStringLiteral(" Cálculo do IR: "));
        gbOpcao->setObjectName("RgOpcaoIR");
        grupoOpcoes("OpcaoIR",
                    {{1, QStringLiteral("Não calcular")},
                     {2, QStringLiteral("Parcela Única")},
                     {3, QStringLiteral("13º e Demais Parcelas")},
                     {4, QStringLiteral("13º, Férias e Demais Parcelas")}},
                    "RbOpcaoIR", gbOpcao);
        cbIRSobreJuros_ = campoLogico("CbIRSobreJuros", QStringLiteral("Calcular o IR sobre os Juros"), "IRSobreJuros");
        auto* l = new QVBoxLayout(gbIR);
        l->addWidget(gbOpcao);
        l->addWidget(cbIRSobreJuros_);
        l->addStretch(1);
    }

    auto* gbAcrescimos = new QGroupBox(QStringLiteral(" Acréscimos: "));
    gbAcrescimos->setObjectName("GbAcrescimos");
    {
        gradeAcrescimos_ = new GradeTabela;
        gradeAcrescimos_->setObjectName("GrAcrescimos");
        gradeAcrescimos_->horizontalHeader()->setStretchLastSection(true);
        navAcrescimos_ = new NavegadorTabela;
        navAcrescimos_->setObjectName("NavAcrescimos");
        // The cell being typed goes into the row before a button acts on it.
        for (int b = NavegadorTabela::Primeiro; b <= NavegadorTabela::Atualizar; b <<= 1)
            connect(navAcrescimos_->botao(static_cast<NavegadorTabela::Botao>(b)), &QToolButton::pressed, this,
                    [this] { gradeAcrescimos_->confirmaEdicao(); });
        connect(navAcrescimos_, &NavegadorTabela::acionado, this, [this](int botao) {
            if (botao != NavegadorTabela::Inserir || !defaults_->acrescimos().editando()) return;
            const int coluna = modeloAcrescimos_->colunaDoCampo(PrimeiraColunaAcrescimos);
            gradeAcrescimos_->setCurrentIndex(modeloAcrescimos_->index(modeloAcrescimos_->linhaAtual(), coluna));
            gradeAcrescimos_->setFocus();
        });
        auto* l = new QVBoxLayout(gbAcrescimos);
        l->addWidget(gradeAcrescimos_, 1);
        l->addWidget(navAcrescimos_);
    }

    auto* topo = new QHBoxLayout;
    topo->addWidget(gbINSS, 3);
    topo->addWidget(gbIR, 2);
    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(topo);
    layout->addWidget(gbAcrescimos, 1);
    return pagina;
}

// ---- page "Atualização / Juros" ----

QWidget* TFDefProcesso::paginaAtualizacao() {
    auto* pagina = new QWidget;

    auto* topo = new QFormLayout;
    topo->addRow(QStringLiteral("Calculista:"), campoTexto("EdCalculista", "Calculista"));
    topo->addRow(QStringLiteral("Tabela de Salários:"), campoLista("CbSalario", "Salario", "NomeSalario.DB"));
    topo->addRow(QStringLiteral("Tabela de Vales Transporte:"),
                 campoLista("CbValeTransporte", "ValeTransporte", "NomeVTransp.DB"));

    auto* gbAtualizacao = new QGroupBox(QStringLiteral(" Atualização: "));
    gbAtualizacao->setObjectName("GbAtualizacao");
    {
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Data Base de Cada Verba (Padrão*):"),
                     campoLista("CbDataBasePadrao", "DataBasePadrao", "DataBasePadrao.db"));
        auto* gbIndices = new QGroupBox(QStringLiteral(" Índices: "));
        gbIndices->setObjectName("GbIndices");
        auto* fi = new QFormLayout(gbIndices);
        fi->addRow(QStringLiteral("Principal:"), campoLista("CbIndPrincipal", "IndPrincipal", "NomeIndiceDiario.DB"));
        fi->addRow(QStringLiteral("F.G.T.S.:"), campoLista("CbIndFGTS", "IndFGTS", "NomeIndiceDiario.DB"));

        gbFeriados_ = new QGroupBox(QStringLiteral(" Feriados: "));
        gbFeriados_->setObjectName("GbFeriados");
        auto* ff = new QFormLayout(gbFeriados_);
        ff->addRow(campoLogico("CbAtualizaFeriadosNacionais", QStringLiteral("Observar feriados nacionais"),
                               "AtualizaFeriadosNacionais"));
        ff->addRow(campoLogico("CbAtualizaFeriadosEstaduais", QStringLiteral("Observar feriados estaduais"),
                               "AtualizaFeriadosEstaduais"));
        ff->addRow(QStringLiteral("Feriados municipais:"),
                   campoLista("CbAtualizaFeriadosMunic", "AtualizaFeriadosMunic", "TipoFeriado.DB", true));

        auto* l = new QVBoxLayout(gbAtualizacao);
        l->addLayout(form);
        auto* linha = new QHBoxLayout;
        linha->addWidget(gbIndices, 1);
        linha->addWidget(gbFeriados_, 1);
        l->addLayout(linha);
        l->addWidget(campoLogico("CbAtualizarBaseMedia",
                                 QStringLiteral("Atualizar bases para calcular médias de valores"),
                                 "AtualizarBaseMedia"));
        l->addWidget(campoLogico("CbAnularReflexoNegativo", QStringLiteral("Anular Reflexos Negativos"),
                                 "AnularReflexoNegativo"));
    }

    auto* gbJuros = new QGroupBox(QStringLiteral(" Juros: "));
    gbJuros->setObjectName("GbJuros");
    {
        auto* gbModo = new QGroupBox(QStringLiteral(" Cálculo dos Juros: "));
        gbModo->setObjectName("RgCalculoJuros");
        grupoOpcoes("CalculoJuros",
                    {{JurosLegais, QStringLiteral("Juros Legais")},
                     {LimitarJuros, QStringLiteral("Limitar Juros")},
                     {InformarVariacao, QStringLiteral("Informar variação")}},
                    "RbCalculoJuros", gbModo);
        lbExplicacaoJuros_ = new QLabel;
        lbExplicacaoJuros_->setObjectName("LbExplicacaoJuros");
        lbExplicacaoJuros_->setWordWrap(true);
        lbExplicacaoJuros_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lbExplicacaoJuros_->setFrameShape(QFrame::StyledPanel);
        lbExplicacaoJuros_->setMargin(6);
        lbExplicacaoJuros_->setMinimumWidth(lbExplicacaoJuros_->fontMetrics().horizontalAdvance(QString(44, 'x')));
        auto* linha = new QHBoxLayout;
        linha->addWidget(gbModo);
        linha->addWidget(lbExplicacaoJuros_, 1);
        auto* l = new QVBoxLayout(gbJuros);
        l->addLayout(linha);
        l->addWidget(campoLogico("CbIncidirJurosFGTS", QStringLiteral("Incidir Juros sobre o F.G.T.S. a depositar"),
                                 "IncidirJurosFGTS"));
    }

    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(topo);
    layout->addWidget(gbAtualizacao);
    layout->addWidget(gbJuros);
    layout->addStretch(1);
    return pagina;
}

// ---- binding ----

QLineEdit* TFDefProcesso::campoTexto(const char* nome, const std::string& campo) {
    auto* edit = new QLineEdit;
    edit->setObjectName(nome);
    textos_.push_back({edit, campo});
    const CampoTexto c = textos_.back();
    // Typing puts the row in edit (so it can be stored or cancelled); the
    // value goes into the field, and is formatted by the core, when the
    // control is left or the row is stored.
    connect(edit, &QLineEdit::textEdited, this, [this] {
        if (modeloProcesso_ && defaults_->processo().aberta() && !defaults_->processo().editando())
            modeloProcesso_->edita();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, c] {
        if (c.edit->isModified()) gravaTexto(c);
    });
    return edit;
}

QComboBox* TFDefProcesso::campoLista(const char* nome, const std::string& campo, const std::string& tabelaCodigos,
                                     bool soLocais) {
    auto* combo = new QComboBox;
    combo->setObjectName(nome);
    combo->setMinimumContentsLength(24);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Protegido(this, [&] {
        TabelasReferencia referencia(sessao_.compartilhado());
        const auto itens = soLocais ? referencia.ClassesFeriadoLocais() : referencia.ListaNomes(tabelaCodigos);
        for (const auto& item : itens) combo->addItem(Q(item.nome), item.codigo);
    });
    listas_.push_back({combo, campo});
    connect(combo, &QComboBox::activated, this, [this, combo, campo](int i) {
        if (mostrando_ || !modeloProcesso_ || i < 0) return;
        if (!modeloProcesso_->defineCampo(campo, Valor(static_cast<int64_t>(combo->itemData(i).toLongLong()))))
            mostraLinha();
    });
    return combo;
}

QCheckBox* TFDefProcesso::campoLogico(const char* nome, const QString& texto, const std::string& campo) {
    auto* caixa = new QCheckBox(texto);
    caixa->setObjectName(nome);
    logicos_.push_back({caixa, campo});
    connect(caixa, &QCheckBox::clicked, this, [this, campo](bool marcado) {
        if (mostrando_ || !modeloProcesso_) return;
        if (!modeloProcesso_->defineCampo(campo, Valor(marcado))) mostraLinha();
    });
    return caixa;
}

QButtonGroup* TFDefProcesso::grupoOpcoes(const std::string& campo, const std::vector<std::pair<int, QString>>& opcoes,
                                         const char* prefixo, QWidget* dono, bool logico) {
    auto* grupo = new QButtonGroup(dono);
    auto* l = new QVBoxLayout(dono);
    for (const auto& [valor, texto] : opcoes) {
        auto* r = new QRadioButton(texto);
        r->setObjectName(QString::fromUtf8(prefixo) + QString::number(valor));
        grupo->addButton(r, valor);
        l->addWidget(r);
    }
    grupos_.push_back({grupo, {campo, logico}});
    connect(grupo, &QButtonGroup::idClicked, this, [this, campo, logico](int valor) {
        if (mostrando_ || !modeloProcesso_) return;
        const Valor v = logico ? Valor(valor != 0) : Valor(static_cast<int64_t>(valor));
        if (!modeloProcesso_->defineCampo(campo, v)) mostraLinha();
    });
    return grupo;
}

void TFDefProcesso::gravaTexto(const CampoTexto& c) {
    if (mostrando_ || !modeloProcesso_ || !defaults_->processo().aberta()) return;
    const int coluna = modeloProcesso_->colunaDoCampo(c.campo);
    const int cursor = c.edit->cursorPosition();
    Valor v;
    if (!Protegido(this, [&] { v = modeloProcesso_->deTexto(coluna, c.edit->text()); })) return;
    if (modeloProcesso_->texto(coluna, v) == modeloProcesso_->texto(coluna, defaults_->processo().valor(c.campo)) &&
        v.nulo() == defaults_->processo().valor(c.campo).nulo())
        return;
    if (modeloProcesso_->defineCampo(c.campo, v)) {
        c.edit->setModified(false);
        mostraLinha();
        c.edit->setCursorPosition(std::min(cursor, static_cast<int>(c.edit->text().size())));
    }
}

bool TFDefProcesso::confirmaCampos() {
    for (const CampoTexto& c : textos_)
        if (c.edit->isModified()) {
            gravaTexto(c);
            if (c.edit->isModified()) return false;
        }
    return true;
}

void TFDefProcesso::mostraLinha() {
    if (mostrando_) return;
    mostrando_ = true;
    Tabela& t = defaults_->processo();
    const bool comLinha = modeloProcesso_ && t.aberta() && (t.editando() || t.quantidade() > 0);
    auto valor = [&](const std::string& campo) { return comLinha ? t.valor(campo) : Valor(); };

    for (const CampoTexto& c : textos_) {
        if (c.edit->isModified() && c.edit->hasFocus()) continue;  // being typed: not yet in the row
        const QSignalBlocker bloqueio(c.edit);
        const int cursor = c.edit->cursorPosition();
        c.edit->setText(comLinha ? modeloProcesso_->texto(modeloProcesso_->colunaDoCampo(c.campo), valor(c.campo))
                                 : QString());
        if (c.edit->hasFocus()) c.edit->setCursorPosition(std::min(cursor, static_cast<int>(c.edit->text().size())));
        c.edit->setEnabled(comLinha);
    }
    for (const CampoLista& c : listas_) {
        const QSignalBlocker bloqueio(c.combo);
        const Valor v = valor(c.campo);
        c.combo->setCurrentIndex(v.nulo() ? -1 : c.combo->findData(static_cast<qlonglong>(v.comoInteiro())));
        c.combo->setEnabled(comLinha);
    }
    for (const CampoLogico& c : logicos_) {
        const QSignalBlocker bloqueio(c.caixa);
        const Valor v = valor(c.campo);
        c.caixa->setChecked(!v.nulo() && v.comoLogico());
        c.caixa->setEnabled(comLinha);
    }
    for (const auto& [grupo, campo] : grupos_) {
        const Valor v = valor(campo.first);
        const int id = v.nulo() ? -1 : campo.second ? (v.comoLogico() ? 1 : 0) : static_cast<int>(v.comoInteiro());
        grupo->setExclusive(false);
        for (QAbstractButton* b : grupo->buttons()) {
            const QSignalBlocker bloqueio(b);
            b->setChecked(grupo->id(b) == id);
            b->setEnabled(comLinha);
        }
        grupo->setExclusive(true);
    }

    // Enabling rules of the row.
    const bool reclamante = comLinha && ContribuicaoReclamanteHabilitada(t);
    edINSSReclamante_->parentWidget()->setEnabled(reclamante);  // the field and its "%"
    lbINSSReclamante_->setEnabled(reclamante);
    cbIRSobreJuros_->setEnabled(comLinha && IRSobreJurosHabilitado(t));
    gbFeriados_->setEnabled(comLinha && FeriadosHabilitados(t));

    QStringList linhas;
    for (const std::string& l : defaults_->explicacaoJuros()) linhas << Q(l);
    lbExplicacaoJuros_->setText(linhas.join('\n'));
    mostrando_ = false;
}

// ---- opening and closing ----

bool TFDefProcesso::abre() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    paginas_->setCurrentIndex(0);
    const bool aberto = Protegido(this, [this] {
        defaults_->abre();
        criaModelos();
        // The store rule of an addition names the field it refuses: the grid goes to it.
        Tabela& a = defaults_->acrescimos();
        a.antesGravar = [this, regra = a.antesGravar](Tabela& t) {
            try {
                if (regra) regra(t);
            } catch (const ErroCampo& e) {
                const int coluna = modeloAcrescimos_->colunaDoCampo(e.campo());
                if (coluna >= 0)
                    QTimer::singleShot(0, this, [this, coluna] {
                        gradeAcrescimos_->setCurrentIndex(
                            modeloAcrescimos_->index(modeloAcrescimos_->linhaAtual(), coluna));
                        gradeAcrescimos_->setFocus();
                    });
                throw;
            }
        };
    });
    mostraLinha();
    return aberto;
}

int TFDefProcesso::exec() {
    if (!abre()) return QDialog::Rejected;
    return QDialog::exec();
}

bool TFDefProcesso::fecha() {
    gradeAcrescimos_->confirmaEdicao();
    confirmaCampos();
    return Protegido(this, [this] { defaults_->fecha(); });
}

void TFDefProcesso::reject() {
    if (fecha()) QDialog::reject();
}

void TFDefProcesso::closeEvent(QCloseEvent* e) {
    if (!fecha()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

}  // namespace korva::ui
