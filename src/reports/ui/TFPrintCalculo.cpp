#include "reports/ui/TFPrintCalculo.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/Dicas.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "parameters/ui/TFLembraResumo.h"
#include "reference/TabelasReferencia.h"
#include "reports/ProducaoRelatorios.h"
#include "reports/render/Imprime.h"
#include "reports/render/MedidorQt.h"
#include "reports/ui/EscolhaImpressora.h"
#include "reports/ui/TFPreview.h"
#include "results/CorrecaoJuros.h"
#include "spreadsheets/ui/ExportacaoPlanilha.h"
#include "storage/Banco.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The choice of "Imprimir:" while the program runs.
int& EscolhaAnterior() {
    static int escolha = 0;
    return escolha;
}

bool GeraArquivoINSS(Sessao& s) { return s.configuracoes().gerarArquivoINSS == "S"; }

// The busy cursor of a run, put aside while the user is asked or shown something.
class CursorEspera {
public:
    CursorEspera() { ocupa(); }
    ~CursorEspera() { libera(); }
    void ocupa() {
        if (ativo_) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ativo_ = true;
    }
    void libera() {
        if (!ativo_) return;
        QApplication::restoreOverrideCursor();
        ativo_ = false;
    }

private:
    bool ativo_ = false;
};

// Puts the busy cursor aside for the time of a dialog or message.
class Pausa {
public:
    explicit Pausa(CursorEspera& c) : c_(c) { c_.libera(); }
    ~Pausa() { c_.ocupa(); }

private:
    CursorEspera& c_;
};

}  // namespace

// The laid-out reports shown in the preview or sent to the printer.
class TFPrintCalculo::Destino : public DestinoRelatorio {
public:
    Destino(TFPrintCalculo& janela, bool imprimir, CursorEspera& cursor)
        : janela_(janela), imprimir_(imprimir), cursor_(cursor) {}

    const Medidor& medidor() const override { return *janela_.medidor_; }

    void entrega(const Documento& d, const std::string& titulo, OpcaoImpressao opcao) override {
        // The calculated items have the calculation reports' caption and are always previewed.
        const QString legenda = Q(opcao == OpcaoImpressao::Verbas ? kTituloRelatorioCalculo : titulo);
        Pausa pausa(cursor_);
        if (!imprimir_ || opcao == OpcaoImpressao::Verbas) {
            TFPreview preview(d, legenda, &janela_);
            preview.exec();
            return;
        }
        if (d.paginas.empty()) throw ErroKorva("O relatório não tem páginas; nada foi impresso.");
        const int n = static_cast<int>(d.paginas.size());
        QPrinter impressora(QPrinter::HighResolution);
        const bool escolhida = EscolheImpressora(impressora, legenda, n, &janela_);
        // Giving up abandons the run: nothing is stored for a report not printed.
        if (!escolhida) throw OurExc();
        cursor_.ocupa();
        Imprime(d, impressora);
    }

private:
    TFPrintCalculo& janela_;
    bool imprimir_;
    CursorEspera& cursor_;
};

void TFPrintCalculo::DefineEscolhaImpressoraTeste(std::function<bool(QPrinter&)> escolha) {
    ui::DefineEscolhaImpressoraTeste(std::move(escolha));
}

TFPrintCalculo::TFPrintCalculo(Sessao& sessao, const CalculoAberto& calculo, QWidget* pai)
    : QDialog(pai), sessao_(sessao), calculo_(calculo), medidor_(std::make_unique<MedidorQt>()) {
    setObjectName("TFPrintCalculo");
    setModal(true);
    setWindowTitle(TituloJanela(QStringLiteral("Cálculo")));

    auto* grupo = new QGroupBox(QStringLiteral("Imprimir:"), this);
    grupo->setObjectName("RgImprimir");
    auto* colunaOpcoes = new QVBoxLayout(grupo);
    opcoes_ = new QButtonGroup(this);
    const bool gera = GeraArquivoINSS(sessao_);
    const std::vector<std::string> captions = OpcoesImpressao(gera);
    for (size_t i = 0; i < captions.size(); ++i) {
        auto* rb = new QRadioButton(Q(captions[i]), grupo);
        rb->setObjectName(QStringLiteral("RbOpcao%1").arg(i));
        opcoes_->addButton(rb, static_cast<int>(i));
        colunaOpcoes->addWidget(rb);
    }
    colunaOpcoes->addStretch(1);
    defineEscolha(EscolhaImpressao(EscolhaAnterior(), gera));
    connect(opcoes_, &QButtonGroup::idToggled, this, [](int id, bool marcado) {
        if (marcado) EscolhaAnterior() = id;
    });

    btVisualizar_ = new QPushButton(QStringLiteral("&Visualizar"), this);
    btVisualizar_->setObjectName("BtVisualizar");
    DefineDica(btVisualizar_, QStringLiteral("Visualizar|Visualiza relatório na tela"));
    btVisualizar_->setDefault(true);
    btImprimir_ = new QPushButton(QStringLiteral("&Imprimir"), this);
    btImprimir_->setObjectName("BtImprimir");
    DefineDica(btImprimir_, QStringLiteral("Imprimir|Envia relatório para impressora"));
    btImprimir_->setAutoDefault(false);
    btFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar_->setObjectName("BtFechar");
    btFechar_->setAutoDefault(false);
    connect(btVisualizar_, &QPushButton::clicked, this, &TFPrintCalculo::visualiza);
    connect(btImprimir_, &QPushButton::clicked, this, &TFPrintCalculo::imprime);
    connect(btFechar_, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* btPlanilha = NovoBotaoExportarPlanilha(this);
    connect(btPlanilha, &QPushButton::clicked, this,
            [this] { ExportaPlanilhaDoCalculo(this, sessao_, calculo_.execucao); });

    auto* botoes = new QVBoxLayout;
    botoes->addWidget(btVisualizar_);
    botoes->addWidget(btImprimir_);
    botoes->addWidget(btPlanilha);
    botoes->addStretch(1);
    botoes->addWidget(btFechar_);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grupo, 1);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (QAbstractButton* b = opcoes_->checkedButton()) b->setFocus();
}

TFPrintCalculo::~TFPrintCalculo() = default;

int TFPrintCalculo::escolha() const { return opcoes_->checkedId() < 0 ? 0 : opcoes_->checkedId(); }
int TFPrintCalculo::quantidadeOpcoes() const { return static_cast<int>(opcoes_->buttons().size()); }

void TFPrintCalculo::defineEscolha(int opcao) {
    if (QAbstractButton* b = opcoes_->button(opcao)) {
        b->setChecked(true);
        EscolhaAnterior() = opcao;
    }
}

void TFPrintCalculo::visualiza() { produz(false); }
void TFPrintCalculo::imprime() { produz(true); }

void TFPrintCalculo::produz(bool imprimir) {
    const auto opcao = static_cast<OpcaoImpressao>(escolha());
    Protegido(this, [&] {
        CursorEspera cursor;
        // Shown through the error handler, like every message of the run.
        auto informa = [&](const std::string& m) {
            Pausa pausa(cursor);
            TrataErro(this, Inf(m));
        };
        Banco& privado = sessao_.privado();
        const Configuracoes& cfg = sessao_.configuracoes();
        TabelasReferencia referencia(sessao_.compartilhado());
        CorrecaoJuros correcao(privado, referencia);
        const std::unique_ptr<Banco> temp = AbreBancoTemp(sessao_.ambiente());
        Destino destino(*this, imprimir, cursor);
        ProducaoRelatorios gerador(privado, *temp, referencia, correcao, cfg, destino);
        gerador.aviso = informa;

        const ParametrosExecucao& p = calculo_.execucao;
        const QString arquivoRemessa =
            QDir::toNativeSeparators(QString::fromStdString(ArquivoRemessaCalculo(privado, cfg, p).string()));
        ContextoImpressao ci = ContextoImpressaoDe(privado, *temp, referencia, cfg);
        ci.gravaRemessa = [&](const ParametrosExecucao& e) {
            const int registros = GravaRemessaCalculo(privado, cfg, e);
            if (registros == 0 && opcao == OpcaoImpressao::Remessa)
                informa("Nenhum registro gravado no arquivo de remessa " + arquivoRemessa.toStdString() +
                        ": o cálculo não tem verbas de resultado.");
            return registros;
        };
        ci.lembrete = [&] {
            Pausa pausa(cursor);
            TFLembraResumo lembrete(sessao_.configuracoes(), this);
            return lembrete.continua();
        };
        ci.aviso = [&](const std::string& m) {
            if (m == kMsgRemessaGerada) {
                informa(m + "\nArquivo: " + arquivoRemessa.toStdString());
                return;
            }
            Pausa pausa(cursor);
            TrataErro(this, ErroKorva(m));
        };
        try {
            ExecutaImpressao(opcao, p, ci, gerador);
        } catch (const ErroDados& e) {
            // The run's own data messages (no claimant for the remittance, a
            // zero index...) are shown with their texts, not as a field error.
            throw ErroKorva(e.what());
        }
    });
}

}  // namespace korva::ui
