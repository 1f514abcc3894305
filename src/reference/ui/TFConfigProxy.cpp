#include "reference/ui/TFConfigProxy.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Mensagens.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/Atualizacao.h"
#include "reference/AtualizacaoConfiguracao.h"
#include "reference/AtualizacaoFormatoDat.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The progress window of the download: caption "KORVA", the title over the
// caption of the file being fetched, a bar of four steps. A transfer cannot
// be stopped half-way, so there is no cancel button and the user cannot
// close the window; it closes after the last file, or when the update fails
// (it is destroyed before the error is shown).
class ProgressoDownloadJanela : public QProgressDialog {
public:
    explicit ProgressoDownloadJanela(QWidget* pai)
        : QProgressDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setObjectName("ProgressoDownload");
        setWindowTitle(TituloMensagem());
        setWindowModality(Qt::ApplicationModal);
        setCancelButton(nullptr);
        setAutoClose(false);
        setAutoReset(false);
        setMinimumDuration(0);
        setRange(0, PassosDownload);
        setMinimumWidth(360);
    }

    // Step `passo` (0 to 3) with the file's caption; 4 clears the caption and
    // closes the window. Pending window messages are processed, so it repaints.
    void mostra(int passo, const std::string& rotulo) {
        setLabelText(QString::fromUtf8(TituloProgressoDownload) + QStringLiteral("\n") + Q(rotulo));
        setValue(passo);
        if (passo >= PassosDownload) {
            hide();
        } else if (!isVisible()) {
            show();
        }
        QCoreApplication::processEvents();
    }

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* evento) override { evento->ignore(); }
};

// The caption a table has in the progress window ("Tabela de Valores").
QString RotuloDaTabela(const ResumoTabela& r) {
    for (const FormatoDat* f : FormatosNaOrdemDeDownload())
        if (f->arquivo == r.arquivo) return Q(f->rotulo);
    return Q(r.tabela);
}

// "Tabelas Atualizadas!" and what happened to each table.
QString TextoResumo(const std::vector<ResumoTabela>& resumos) {
    QString texto = QString::fromUtf8(MensagemTabelasAtualizadas) + QStringLiteral("\n");
    for (const ResumoTabela& r : resumos)
        texto += QStringLiteral("\n%1: %2 registro(s) - %3 incluído(s), %4 alterado(s)")
                     .arg(RotuloDaTabela(r))
                     .arg(r.registros)
                     .arg(r.incluidos)
                     .arg(r.alterados);
    return texto;
}

QLabel* Rotulo(const QString& texto, QWidget* campo, const char* nome) {
    auto* rotulo = new QLabel(texto);
    rotulo->setObjectName(QString::fromLatin1(nome));
    rotulo->setBuddy(campo);
    return rotulo;
}

QLineEdit* Campo(const char* nome, int largura) {
    auto* campo = new QLineEdit;
    campo->setObjectName(QString::fromLatin1(nome));
    campo->setFixedWidth(largura);
    return campo;
}

}  // namespace

TFConfigProxy::TFConfigProxy(Sessao& sessao, QWidget* pai) : QDialog(pai), sessao_(sessao) {
    setObjectName("TFConfigProxy");
    setWindowTitle(QString::fromUtf8(TituloConexaoInternet));
    setModal(true);
    // Fixed border: it can be moved and closed, not resized or maximised.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    cbUsaProxy_ = new QCheckBox(QStringLiteral("Usar um servidor proxy para a rede local (estas configurações não\n"
                                               "se aplicam a conexões dial-up ou VPN)"));
    cbUsaProxy_->setObjectName("CbUsaProxy");
    edEndereco_ = Campo("EdEndereco", 230);
    lbEndereco_ = Rotulo(QStringLiteral("Endereço:"), edEndereco_, "LbEndereco");
    edPorta_ = Campo("EdPorta", 60);
    lbPorta_ = Rotulo(QStringLiteral("Porta:"), edPorta_, "LbPorta");
    cbAutenticacao_ = new QCheckBox(QStringLiteral("Usar autenticação para o servidor proxy"));
    cbAutenticacao_->setObjectName("CbAutenticacao");
    edUsuario_ = Campo("EdUsuario", 180);
    lbUsuario_ = Rotulo(QStringLiteral("Usuário:"), edUsuario_, "LbUsuario");
    edSenha_ = Campo("EdSenha", 180);
    edSenha_->setEchoMode(QLineEdit::Password);
    // typed behind "*", whatever the style would draw
    edSenha_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    lbSenha_ = Rotulo(QStringLiteral("Senha:"), edSenha_, "LbSenha");

    // Each group indented under the box that enables it.
    auto* proxy = new QGridLayout;
    proxy->setContentsMargins(22, 0, 0, 0);
    proxy->addWidget(lbEndereco_, 0, 0);
    proxy->addWidget(edEndereco_, 0, 1);
    proxy->addWidget(lbPorta_, 0, 2, Qt::AlignRight);
    proxy->addWidget(edPorta_, 0, 3);
    proxy->setColumnMinimumWidth(2, 50);
    proxy->addWidget(cbAutenticacao_, 1, 0, 1, 4);
    auto* autenticacao = new QGridLayout;
    autenticacao->setContentsMargins(22, 0, 0, 0);
    autenticacao->addWidget(lbUsuario_, 0, 0);
    autenticacao->addWidget(edUsuario_, 0, 1);
    autenticacao->addWidget(lbSenha_, 1, 0);
    autenticacao->addWidget(edSenha_, 1, 1);
    autenticacao->setColumnStretch(2, 1);
    proxy->addLayout(autenticacao, 2, 0, 1, 4);

    auto* painel = new QFrame;
    painel->setFrameShape(QFrame::StyledPanel);
    auto* conteudo = new QVBoxLayout(painel);
    conteudo->addWidget(cbUsaProxy_);
    conteudo->addLayout(proxy);

    btOK_ = new QPushButton(QStringLiteral("&OK"));
    btOK_->setObjectName("BtOK");
    btOK_->setDefault(true);
    btCancela_ = new QPushButton(QStringLiteral("&Cancela"));
    btCancela_->setObjectName("BtCancela");
    btCancela_->setAutoDefault(false);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btOK_);
    botoes->addWidget(btCancela_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(painel);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The tab order follows the controls from top to bottom.
    setTabOrder(cbUsaProxy_, edEndereco_);
    setTabOrder(edEndereco_, edPorta_);
    setTabOrder(edPorta_, cbAutenticacao_);
    setTabOrder(cbAutenticacao_, edUsuario_);
    setTabOrder(edUsuario_, edSenha_);
    setTabOrder(edSenha_, btOK_);
    setTabOrder(btOK_, btCancela_);

    connect(cbUsaProxy_, &QCheckBox::toggled, this, &TFConfigProxy::aplicaHabilitacao);
    connect(cbAutenticacao_, &QCheckBox::toggled, this, &TFConfigProxy::aplicaHabilitacao);
    connect(btOK_, &QPushButton::clicked, this, [this] { Protegido(this, [this] { confirma(); }); });
    connect(btCancela_, &QPushButton::clicked, this, &TFConfigProxy::reject);
    aplicaHabilitacao();
}

void TFConfigProxy::carrega() {
    const ConfiguracaoProxy p = ConfiguracaoProxy::De(sessao_.configuracoes());
    cbUsaProxy_->setChecked(p.usaProxy);
    cbAutenticacao_->setChecked(p.autenticacao);
    edEndereco_->setText(Q(p.endereco));
    edPorta_->setText(Q(p.porta));
    edUsuario_->setText(Q(p.usuario));
    aplicaHabilitacao();
    const ControlesProxy c = EstadoControlesProxy(p.usaProxy, p.autenticacao);
    if (c.focoNaSenha)
        edSenha_->setFocus();
    else
        cbUsaProxy_->setFocus();
}

int TFConfigProxy::exec() {
    carrega();
    adjustSize();
    const QScreen* tela = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (tela) move(tela->availableGeometry().center() - rect().center());
    return QDialog::exec();
}

void TFConfigProxy::reject() {
    if (atualizando_) return;
    QDialog::reject();
}

void TFConfigProxy::aplicaHabilitacao() {
    const ControlesProxy c = EstadoControlesProxy(cbUsaProxy_->isChecked(), cbAutenticacao_->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(lbEndereco_), static_cast<QWidget*>(edEndereco_),
                       static_cast<QWidget*>(lbPorta_), static_cast<QWidget*>(edPorta_)})
        w->setEnabled(c.endereco);
    cbAutenticacao_->setEnabled(c.autenticacao);
    for (QWidget* w : {static_cast<QWidget*>(lbUsuario_), static_cast<QWidget*>(edUsuario_),
                       static_cast<QWidget*>(lbSenha_), static_cast<QWidget*>(edSenha_)})
        w->setEnabled(c.usuario);
}

ConfiguracaoProxy TFConfigProxy::descarrega() const {
    ConfiguracaoProxy p;
    p.usaProxy = cbUsaProxy_->isChecked();
    p.endereco = S(edEndereco_->text());
    p.porta = S(edPorta_->text());
    p.autenticacao = cbAutenticacao_->isChecked();
    p.usuario = S(edUsuario_->text());
    p.senha = S(edSenha_->text());
    return p;
}

void TFConfigProxy::confirma() {
    if (atualizando_) return;
    atualizando_ = true;
    struct Fim {
        bool& atualizando;
        ~Fim() { atualizando = false; }
    } fim{atualizando_};

    // The settings are kept first: they stay even when the update fails.
    Configuracoes& cfg = sessao_.configuracoes();
    const ConfiguracaoProxy proxy = descarrega();
    GuardaConfiguracaoProxy(cfg, proxy);

    ParametrosAtualizacao parametros;
    parametros.servidor = EnderecoHttp::De(ServidorTabelas(cfg.arquivoPrivado()), "do servidor de tabelas");
    parametros.proxy = proxy.proxy();  // a bad port fails here, before any request
    parametros.pasta = sessao_.ambiente().pastaDados;

    std::vector<ResumoTabela> resumos;
    {
        CursorOcupado cursor;
        ProgressoDownloadJanela progresso(this);
        try {
            resumos = AtualizaTabelas(sessao_.compartilhado(), parametros,
                                      [&progresso](int passo, const std::string& rotulo) {
                                          progresso.mostra(passo, rotulo);
                                      });
        } catch (const ErroDados& erro) {
            // A downloaded file that is not of its format: its own message
            // (which file, which record, nothing changed), not the handler's
            // text about a field typed wrong.
            throw ErroKorva(erro.what());
        }
    }
    MostraInformacao(TextoResumo(resumos), this);
    accept();
}

}  // namespace korva::ui
