// The dialog "KORVA - Conexão à Internet" over a real session in a temporary
// data folder, opened through its menu entry, against table servers on the
// loopback interface: the enabling rules and the focus, the settings kept
// without the password, the password kept while the program runs, the four
// files fetched behind the progress window and merged into the shared tables,
// and failures that leave the tables as they were and the dialog open.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apoio/Arquivos.h"
#include "apoio/FechaMensagens.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/TFPrincipal.h"
#include "reference/AtualizacaoFormatoDat.h"
#include "reference/ServidorHttpTeste.h"
#include "reference/ui/TFConfigProxy.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/ArquivoIni.h"
#include "util/Data.h"

using namespace korva;
using namespace korva::ui;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> Oficiais = {"Diario.DB", "Valores.DB", "FaixasINSS.DB", "FaixasIR.db"};

using teste::FechaMensagens;

// Watches the progress window on every pass of the event loop (the update
// lets the loop run between files): each step it shows, and the cursor.
class ObservaProgresso : public QObject {
public:
    struct Passo {
        int valor;
        QString rotulo;
        bool cursorOcupado;
        int botoes;
    };

    ObservaProgresso() {
        connect(&relogio_, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* p = qobject_cast<QProgressDialog*>(w);
                if (!p || !p->isVisible()) continue;
                const QString rotulo = p->labelText();
                if (!passos.isEmpty() && passos.back().valor == p->value() && passos.back().rotulo == rotulo) continue;
                const QCursor* c = QApplication::overrideCursor();
                passos.append({p->value(), rotulo, c && c->shape() == Qt::WaitCursor,
                               static_cast<int>(p->findChildren<QPushButton*>().size())});
                titulo = p->windowTitle();
            }
        });
        relogio_.start(0);
    }
    QList<Passo> passos;
    QString titulo;

private:
    QTimer relogio_;
};

RegistroDat RegValores(int ano, int mes, double v) { return {ano, mes, v, v + 1, v + 2, v + 3, v + 4, v + 5}; }
RegistroDat RegFaixas(int ano, int mes, double v, int floats) {
    RegistroDat r{ano, mes};
    for (int i = 0; i < floats; ++i) r.emplace_back(v + i);
    return r;
}

std::vector<std::vector<Valor>> Linhas(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("");
    std::vector<std::vector<Valor>> r;
    for (t.primeiro(); !t.fim(); t.proximo()) r.push_back(t.linha());
    return r;
}

// A field of the row of `chave`, or nothing when there is no such row.
std::optional<Valor> ValorDe(Banco& b, const std::string& tabela, const std::vector<Valor>& chave,
                             const std::string& campo) {
    Tabela t(b, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("");
    if (!t.localizaChave(chave)) return std::nullopt;
    return t.valor(campo);
}

}  // namespace

class ConexaoInternetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTemporaria>();
        ambiente_.pastaPrograma = pasta_->caminho() / "programa";
        ambiente_.pastaConfig = pasta_->caminho();
        ambiente_.pastaDados = pasta_->caminho();
        fs::create_directories(ambiente_.pastaPrograma);
        QVERIFY(Sessao::PrimeiraPartida(ambiente_));
        sessao_ = std::make_unique<Sessao>(ambiente_);

        // A month already in Valores.DB, replaced by the update.
        {
            Tabela t(sessao_->compartilhado(), "Valores.DB");
            t.abre();
            t.insere();
            const char* campos[] = {"Ano", "Mes", "SalMin", "SalFam1", "SalFam2", "LimMinimo", "LimMaximo", "ValorMaximo"};
            const RegistroDat antes = RegValores(2098, 6, 100);
            for (size_t i = 0; i < 8; ++i) t[campos[i]] = antes[i];
            t.grava();
        }

        // The files served: small, written by the program's own writer.
        servidos_ = pasta_->caminho() / "servidos";
        fs::create_directories(servidos_);
        GravaArquivoDat(FormatoValores(), {RegValores(2098, 6, 900), RegValores(2098, 7, 950)},
                        servidos_ / "Valores.dat");
        GravaArquivoDat(FormatoFaixasINSS(), {RegFaixas(2098, 6, 3, 11)}, servidos_ / "FaixasINSS.dat");
        GravaArquivoDat(FormatoFaixasIR(), {RegFaixas(2098, 6, 4, 14)}, servidos_ / "FaixasIR.dat");
        GravaArquivoDat(FormatoDiario(), {RegistroDat{1, Data::de(2098, 12, 30), 1.2345678}},
                        servidos_ / "Diario.dat");

        // The table server, named in the private settings file, and a proxy
        // that demands basic authentication.
        servidor_ = std::make_unique<teste::ServidorHttpTeste>(servidos_);
        proxy_ = std::make_unique<teste::ServidorHttpTeste>(servidos_);
        proxy_->exigeProxy("ana", "s3nha");
        ArquivoIni(sessao_->configuracoes().arquivoPrivado()).escreve("Internet", "Servidor", servidor_->endereco());

        principal_ = std::make_unique<TFPrincipal>(*sessao_);
        principal_->resize(1024, 700);
        principal_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
    }

    void init() { fecha_ = std::make_unique<FechaMensagens>(); }
    void cleanup() { fecha_.reset(); }

    void legendasHabilitacaoEFoco() {
        const std::string privadoAntes = teste::LeArquivo(sessao_->configuracoes().arquivoPrivado());
        const bool abriu = abre([&](TFConfigProxy* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("KORVA - Conexão à Internet"));
            QVERIFY(d->isModal());
            QCOMPARE(d->minimumSize(), d->maximumSize());  // fixed size
            QCOMPARE(caixa(d, "CbUsaProxy")->text(),
                     QStringLiteral("Usar um servidor proxy para a rede local (estas configurações não\n"
                                    "se aplicam a conexões dial-up ou VPN)"));
            QCOMPARE(caixa(d, "CbAutenticacao")->text(), QStringLiteral("Usar autenticação para o servidor proxy"));
            QCOMPARE(rotulo(d, "LbEndereco")->text(), QStringLiteral("Endereço:"));
            QCOMPARE(rotulo(d, "LbPorta")->text(), QStringLiteral("Porta:"));
            QCOMPARE(rotulo(d, "LbUsuario")->text(), QStringLiteral("Usuário:"));
            QCOMPARE(rotulo(d, "LbSenha")->text(), QStringLiteral("Senha:"));
            QCOMPARE(botao(d, "BtOK")->text(), QStringLiteral("&OK"));
            QVERIFY(botao(d, "BtOK")->isDefault());
            QCOMPARE(botao(d, "BtCancela")->text(), QStringLiteral("&Cancela"));
            QCOMPARE(campo(d, "EdSenha")->echoMode(), QLineEdit::Password);
            QCOMPARE(campo(d, "EdSenha")->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                            campo(d, "EdSenha")),
                     int('*'));

            // First start: no proxy; everything below the box is disabled and it has the focus.
            QVERIFY(!caixa(d, "CbUsaProxy")->isChecked());
            QVERIFY(!caixa(d, "CbAutenticacao")->isChecked());
            QCOMPARE(d->focusWidget(), caixa(d, "CbUsaProxy"));
            QCOMPARE(habilitados(d), QStringList{});

            caixa(d, "CbUsaProxy")->click();
            QCOMPARE(habilitados(d),
                     (QStringList{"LbEndereco", "EdEndereco", "LbPorta", "EdPorta", "CbAutenticacao"}));
            caixa(d, "CbAutenticacao")->click();
            QCOMPARE(habilitados(d), (QStringList{"LbEndereco", "EdEndereco", "LbPorta", "EdPorta", "CbAutenticacao",
                                                  "LbUsuario", "EdUsuario", "LbSenha", "EdSenha"}));
            // The proxy box cleared disables everything, even with authentication ticked.
            caixa(d, "CbUsaProxy")->click();
            QVERIFY(caixa(d, "CbAutenticacao")->isChecked());
            QCOMPARE(habilitados(d), QStringList{});
            caixa(d, "CbUsaProxy")->click();
            caixa(d, "CbAutenticacao")->click();
            QCOMPARE(habilitados(d),
                     (QStringList{"LbEndereco", "EdEndereco", "LbPorta", "EdPorta", "CbAutenticacao"}));

            campo(d, "EdEndereco")->setText(QStringLiteral("proxy.cancelado"));
            QTest::mouseClick(botao(d, "BtCancela"), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        QVERIFY(abriu);
        // "&Cancela" keeps nothing, and the next opening shows the settings again.
        QCOMPARE(teste::LeArquivo(sessao_->configuracoes().arquivoPrivado()), privadoAntes);
        QVERIFY(abre([&](TFConfigProxy* d) {
            QVERIFY(!caixa(d, "CbUsaProxy")->isChecked());
            QVERIFY(campo(d, "EdEndereco")->text().isEmpty());
            QCOMPARE(habilitados(d), QStringList{});
        }));
        QVERIFY(servidor_->pedidos().empty() && proxy_->pedidos().empty());
    }

    void okGuardaBaixaEAtualizaPeloProxy() {
        Banco& banco = sessao_->compartilhado();
        std::map<std::string, size_t> linhasAntes;
        for (const auto& t : Oficiais) linhasAntes[t] = Linhas(banco, t).size();
        ObservaProgresso progresso;

        const bool abriu = abre([&](TFConfigProxy* d) {
            caixa(d, "CbUsaProxy")->click();
            campo(d, "EdEndereco")->setText(QStringLiteral("127.0.0.1"));
            campo(d, "EdPorta")->setText(QString::number(proxy_->porta()));
            caixa(d, "CbAutenticacao")->click();
            campo(d, "EdUsuario")->setText(QStringLiteral("ana"));
            QTest::keyClicks(campo(d, "EdSenha"), QStringLiteral("s3nha"));
            captura(d);
            QTest::mouseClick(botao(d, "BtOK"), Qt::LeftButton);
            QVERIFY(!d->isVisible());  // closed after the update
        });
        QVERIFY(abriu);
        QVERIFY(!QApplication::overrideCursor());

        // The success message with what happened to each table.
        QCOMPARE(fecha_->textos.size(), 1);
        const QString resumo = fecha_->textos.value(0);
        QVERIFY2(resumo.startsWith(QStringLiteral("Tabelas Atualizadas!")), qPrintable(resumo));
        QVERIFY2(resumo.contains(QStringLiteral("Tabela de Valores: 2 registro(s) - 1 incluído(s), 1 alterado(s)")),
                 qPrintable(resumo));
        QVERIFY2(resumo.contains(QStringLiteral("Tabela de Indices Diários: 1 registro(s) - 1 incluído(s), 0 alterado(s)")),
                 qPrintable(resumo));

        // The progress window: caption "KORVA", the four files in order, no cancel button, busy cursor.
        QCOMPARE(progresso.titulo, QStringLiteral("KORVA"));
        const QString titulo = QStringLiteral("Efetuando download dos arquivos...\n");
        QStringList vistos;
        for (const auto& p : progresso.passos) {
            vistos << QStringLiteral("%1 %2").arg(p.valor).arg(p.rotulo);
            QVERIFY(p.cursorOcupado);
            QCOMPARE(p.botoes, 0);
        }
        QCOMPARE(vistos, (QStringList{"0 " + titulo + "Tabela de Valores", "1 " + titulo + "Tabela do INSS",
                                      "2 " + titulo + "Tabela do IR", "3 " + titulo + "Tabela de Indices Diários",
                                      "4 " + titulo}));  // the bar full and the caption cleared, then closed

        // Through the proxy, with the credentials, one connection, the four files in order.
        QVERIFY(servidor_->pedidos().empty());
        const auto pedidos = proxy_->pedidos();
        QCOMPARE(pedidos.size(), size_t{4});
        const std::string origem = "http://" + servidor_->endereco() + "/download/";
        const char* ordem[] = {"Valores.dat", "FaixasINSS.dat", "FaixasIR.dat", "Diario.dat"};
        for (size_t i = 0; i < pedidos.size(); ++i) {
            QCOMPARE(pedidos[i].linha, "GET " + origem + ordem[i] + " HTTP/1.1");
            QCOMPARE(pedidos[i].campo("proxy-authorization"), "Basic " + teste::ServidorHttpTeste::Base64("ana:s3nha"));
        }
        QCOMPARE(proxy_->conexoes(), 1);

        // The tables: the known month replaced, new rows added, the rest kept.
        QCOMPARE(ValorDe(banco, "Valores.DB", {2098, 6}, "SalMin"), std::optional<Valor>(900.0));
        QCOMPARE(ValorDe(banco, "Valores.DB", {2098, 6}, "ValorMaximo"), std::optional<Valor>(905.0));
        QCOMPARE(ValorDe(banco, "Valores.DB", {2098, 7}, "SalMin"), std::optional<Valor>(950.0));
        QCOMPARE(ValorDe(banco, "FaixasINSS.DB", {2098, 6}, "Percentual5"), std::optional<Valor>(13.0));
        QCOMPARE(ValorDe(banco, "FaixasIR.db", {2098, 6}, "DeducaoDaBase"), std::optional<Valor>(17.0));
        QCOMPARE(ValorDe(banco, "Diario.DB", {1, Data::de(2098, 12, 30)}, "Indice"), std::optional<Valor>(1.2345678));
        QCOMPARE(Linhas(banco, "Valores.DB").size(), linhasAntes["Valores.DB"] + 1);
        QCOMPARE(Linhas(banco, "Diario.DB").size(), linhasAntes["Diario.DB"] + 1);
        QCOMPARE(Linhas(banco, "FaixasINSS.DB").size(), linhasAntes["FaixasINSS.DB"] + 1);
        QCOMPARE(Linhas(banco, "FaixasIR.db").size(), linhasAntes["FaixasIR.db"] + 1);
        for (const char* f : ordem) QVERIFY2(fs::is_regular_file(ambiente_.pastaDados / f), f);  // not deleted

        // The settings: held by the main window and written, without the password.
        Configuracoes& cfg = sessao_->configuracoes();
        QCOMPARE(cfg.proxyUsaProxy, std::string("S"));
        QCOMPARE(cfg.proxyUsuario, std::string("ana"));
        ArquivoIni privado(cfg.arquivoPrivado());
        QCOMPARE(privado.le("Internet", "ProxyUsaProxy"), std::string("S"));
        QCOMPARE(privado.le("Internet", "ProxyEndereco"), std::string("127.0.0.1"));
        QCOMPARE(privado.le("Internet", "ProxyPorta"), std::to_string(proxy_->porta()));
        QCOMPARE(privado.le("Internet", "ProxyAutenticacao"), std::string("S"));
        QCOMPARE(privado.le("Internet", "ProxyUsuario"), std::string("ana"));
        QCOMPARE(teste::LeArquivo(cfg.arquivoPrivado()).find("s3nha"), std::string::npos);
        QCOMPARE(teste::LeArquivo(cfg.arquivoEstacao()).find("s3nha"), std::string::npos);
    }

    void senhaFicaEnquantoOProgramaRoda() {
        QVERIFY(abre([&](TFConfigProxy* d) {
            QVERIFY(caixa(d, "CbUsaProxy")->isChecked());
            QVERIFY(caixa(d, "CbAutenticacao")->isChecked());
            QCOMPARE(campo(d, "EdPorta")->text(), QString::number(proxy_->porta()));
            QCOMPARE(campo(d, "EdUsuario")->text(), QStringLiteral("ana"));
            QCOMPARE(campo(d, "EdSenha")->text(), QStringLiteral("s3nha"));
            QCOMPARE(d->focusWidget(), campo(d, "EdSenha"));  // authentication ticked
        }));
        // A new program reads the settings back; the password field starts empty.
        TFConfigProxy outro(*sessao_);
        outro.carrega();
        QCOMPARE(campo(&outro, "EdUsuario")->text(), QStringLiteral("ana"));
        QVERIFY(campo(&outro, "EdSenha")->text().isEmpty());
        QCOMPARE(outro.focusWidget(), campo(&outro, "EdSenha"));
    }

    void arquivoAusenteMostraErroENadaMuda() {
        Banco& banco = sessao_->compartilhado();
        std::map<std::string, std::vector<std::vector<Valor>>> antes;
        for (const auto& t : Oficiais) antes[t] = Linhas(banco, t);
        fs::rename(servidos_ / "Diario.dat", servidos_ / "Diario.guardado");
        struct Devolve {
            fs::path pasta;
            ~Devolve() { fs::rename(pasta / "Diario.guardado", pasta / "Diario.dat"); }
        } devolve{servidos_};
        const size_t pedidosAntes = servidor_->pedidos().size();

        bool continuouAberto = false;
        QVERIFY(abre([&](TFConfigProxy* d) {
            caixa(d, "CbUsaProxy")->click();  // cleared: straight to the server, the stored proxy is not used
            QTest::mouseClick(botao(d, "BtOK"), Qt::LeftButton);
            continuouAberto = d->isVisible();
            QVERIFY(!d->atualizando());
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<QProgressDialog*>(w)) QVERIFY(!w->isVisible());
        }));
        QVERIFY(continuouAberto);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(fecha_->textos,
                 QStringList{QStringLiteral("O arquivo Diario.dat não foi encontrado no servidor de tabelas %1 (HTTP 404).")
                                 .arg(QString::fromStdString(servidor_->endereco()))});
        QCOMPARE(servidor_->pedidos().size(), pedidosAntes + 4);
        for (const auto& t : Oficiais) QVERIFY2(Linhas(banco, t) == antes[t], t.c_str());
        // the settings were kept before the download
        QCOMPARE(ArquivoIni(sessao_->configuracoes().arquivoPrivado()).le("Internet", "ProxyUsaProxy"),
                 std::string("N"));
    }

    void arquivoForaDoFormatoMostraOProblemaENadaMuda() {
        QTest::qWait(500);  // past the repetition window of the error handler
        Banco& banco = sessao_->compartilhado();
        std::map<std::string, std::vector<std::vector<Valor>>> antes;
        for (const auto& t : Oficiais) antes[t] = Linhas(banco, t);
        const std::string original = teste::LeArquivo(servidos_ / "Valores.dat");
        struct Devolve {
            fs::path arquivo;
            std::string bytes;
            ~Devolve() { teste::GravaArquivo(arquivo, bytes); }
        } devolve{servidos_ / "Valores.dat", original};
        std::string ruim = original;
        ruim[4] = 13;  // the month of the first record
        teste::GravaArquivo(servidos_ / "Valores.dat", ruim);

        bool continuouAberto = false;
        QVERIFY(abre([&](TFConfigProxy* d) {
            QTest::mouseClick(botao(d, "BtOK"), Qt::LeftButton);
            continuouAberto = d->isVisible();
        }));
        QVERIFY(continuouAberto);
        // The file's own problem, not the handler's text about a field typed wrong.
        QCOMPARE(fecha_->textos, QStringList{QStringLiteral("O arquivo Valores.dat não está no formato esperado: no "
                                                            "registro 1, o mês 13 está fora de 1 a 12. Nenhuma tabela "
                                                            "foi alterada.")});
        for (const auto& t : Oficiais) QVERIFY2(Linhas(banco, t) == antes[t], t.c_str());
    }

    void portaInvalidaFalhaAntesDeQualquerPedido() {
        QTest::qWait(500);  // past the repetition window of the error handler
        const size_t pedidosServidor = servidor_->pedidos().size();
        const size_t pedidosProxy = proxy_->pedidos().size();
        bool continuouAberto = false;
        QVERIFY(abre([&](TFConfigProxy* d) {
            caixa(d, "CbUsaProxy")->click();
            campo(d, "EdPorta")->setText(QStringLiteral("80a"));
            QTest::mouseClick(botao(d, "BtOK"), Qt::LeftButton);
            continuouAberto = d->isVisible();
        }));
        QVERIFY(continuouAberto);
        QCOMPARE(fecha_->textos,
                 QStringList{QStringLiteral("A porta do servidor proxy deve ser um número inteiro de 1 a 65535: \"80a\".")});
        QCOMPARE(servidor_->pedidos().size(), pedidosServidor);
        QCOMPARE(proxy_->pedidos().size(), pedidosProxy);
        QCOMPARE(ArquivoIni(sessao_->configuracoes().arquivoPrivado()).le("Internet", "ProxyPorta"), std::string("80a"));
    }

    void cleanupTestCase() {
        principal_.reset();
        servidor_.reset();
        proxy_.reset();
        sessao_.reset();
        pasta_.reset();
    }

private:
    // Opens the dialog through its menu entry and runs `passos` inside it.
    // Whatever happens there (a failed check returns early), the dialog is
    // closed afterwards, so a failure never leaves it open. Returns whether
    // the dialog was shown.
    bool abre(const std::function<void(TFConfigProxy*)>& passos) {
        bool mostrado = false;
        QTimer::singleShot(0, this, [&] {
            struct Fecha {
                TFPrincipal* p;
                ~Fecha() {
                    if (auto* d = p->findChild<TFConfigProxy*>(); d && d->isVisible()) d->done(QDialog::Rejected);
                }
            } fecha{principal_.get()};
            auto* d = principal_->findChild<TFConfigProxy*>();
            if (!d || !d->isVisible()) return;
            mostrado = true;
            passos(d);
        });
        principal_->entrada("MnAtualizarWeb")->trigger();
        return mostrado;
    }

    static QCheckBox* caixa(QWidget* d, const char* nome) { return d->findChild<QCheckBox*>(nome); }
    static QLineEdit* campo(QWidget* d, const char* nome) { return d->findChild<QLineEdit*>(nome); }
    static QLabel* rotulo(QWidget* d, const char* nome) { return d->findChild<QLabel*>(nome); }
    static QPushButton* botao(QWidget* d, const char* nome) { return d->findChild<QPushButton*>(nome); }

    // The controls below the proxy box that are enabled, in order.
    static QStringList habilitados(QWidget* d) {
        QStringList r;
        for (const char* nome : {"LbEndereco", "EdEndereco", "LbPorta", "EdPorta", "CbAutenticacao", "LbUsuario",
                                 "EdUsuario", "LbSenha", "EdSenha"}) {
            auto* w = d->findChild<QWidget*>(nome);
            if (w && w->isEnabled()) r << QString::fromLatin1(nome);
        }
        return r;
    }

    // A picture of the dialog filled in, when KORVA_CAPTURA_CONEXAO names a file.
    static void captura(QWidget* d) {
        const QString arquivo = qEnvironmentVariable("KORVA_CAPTURA_CONEXAO");
        if (!arquivo.isEmpty()) QVERIFY(d->grab().save(arquivo));
    }

    std::unique_ptr<teste::PastaTemporaria> pasta_;
    Ambiente ambiente_;
    fs::path servidos_;
    std::unique_ptr<Sessao> sessao_;
    std::unique_ptr<teste::ServidorHttpTeste> servidor_;
    std::unique_ptr<teste::ServidorHttpTeste> proxy_;
    std::unique_ptr<TFPrincipal> principal_;
    std::unique_ptr<FechaMensagens> fecha_;
};

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);
    ConexaoInternetTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "ConexaoInternetTest.moc"
