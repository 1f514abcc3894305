// The desktop program: start-up window, first start of the databases, unit
// selection, session, main window.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/Ambiente.h"
#include "app/Sessao.h"
#include "app/ui/AplicacaoKorva.h"
#include "app/ui/Capturas.h"
#include "app/ui/TFConfiguraBD.h"
#include "app/ui/TFPrincipal.h"
#include "app/ui/TFSplash.h"
#include "app/ui/Textos.h"

using namespace korva;
using namespace korva::ui;

namespace {

void FalhaNaPartida(const QString& texto) {
    QMessageBox caixa(QMessageBox::Critical, TituloMensagem(), texto, QMessageBox::Ok);
    caixa.exec();
}

}  // namespace

int main(int argc, char** argv) {
    AplicacaoKorva aplicacao(argc, argv);
    ConfiguraAplicacao(aplicacao);

    QCommandLineParser parametros;
    parametros.setApplicationDescription(TituloPrincipal());
    parametros.addHelpOption();
    QCommandLineOption dados(QStringList{"dados"},
                             QStringLiteral("Pasta da configuração e dos bancos de dados (também KORVA_DADOS)."),
                             QStringLiteral("PASTA"));
    // Hidden: writes pictures of the main window (and, with --captura-config,
    // of the configuration dialog) and quits. Used to check the look.
    QCommandLineOption captura(QStringList{"captura"}, QStringLiteral("Grava a janela principal em ARQ.png e sai."),
                               QStringLiteral("ARQ"));
    captura.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption capturaConfig(QStringList{"captura-config"},
                                     QStringLiteral("Grava a janela de configuração em ARQ.png."),
                                     QStringLiteral("ARQ"));
    capturaConfig.setFlags(QCommandLineOption::HiddenFromHelp);
    parametros.addOption(dados);
    parametros.addOption(captura);
    parametros.addOption(capturaConfig);
    parametros.process(aplicacao);

    std::optional<std::filesystem::path> pastaDados;
    if (parametros.isSet(dados)) pastaDados = parametros.value(dados).toStdString();
    const Ambiente ambiente = Ambiente::Padrao(pastaDados, QCoreApplication::applicationFilePath().toStdString());

    TFSplash splash;
    splash.mostra();
    if (parametros.isSet(captura)) CapturaSplash(splash, parametros.value(captura));

    std::unique_ptr<Sessao> sessao;
    try {
        Sessao::PrimeiraPartida(ambiente, [&splash](const std::string& texto) {
            splash.informa(QString::fromStdString(texto));
        });
        // The unit list, when there is one, is chosen before the private database connects.
        std::error_code ec;
        if (std::filesystem::exists(ambiente.arquivoUnidades(), ec)) {
            splash.hide();
            SelecionaUnidade(ambiente);
            splash.mostra();
        }
        splash.informa(QStringLiteral("Conectando os bancos de dados..."));
        sessao = std::make_unique<Sessao>(ambiente);
    } catch (const std::exception& erro) {
        splash.close();
        FalhaNaPartida(QString::fromUtf8(erro.what()));
        return 1;
    }

    std::unique_ptr<TFPrincipal> principal;
    try {
        principal = std::make_unique<TFPrincipal>(*sessao);
    } catch (const std::exception& erro) {
        splash.close();
        FalhaNaPartida(QString::fromUtf8(erro.what()));
        return 1;
    }
    splash.close();
    // Without a window manager "maximised" means nothing: the window is
    // given the whole screen first.
    if (QScreen* tela = QGuiApplication::primaryScreen()) principal->setGeometry(tela->availableGeometry());
    principal->showMaximized();

    if (parametros.isSet(captura) || parametros.isSet(capturaConfig)) {
        const QString arquivo = parametros.value(captura);
        const QString arquivoConfig = parametros.value(capturaConfig);
        QTimer::singleShot(600, principal.get(), [&] {
            const bool ok = CapturaJanelas(*principal, arquivo, arquivoConfig);
            QCoreApplication::exit(ok ? 0 : 1);
        });
        const int codigo = aplicacao.exec();
        principal.reset();
        return codigo;
    }

    QTimer::singleShot(0, principal.get(), [&] { principal->lembraSetor(); });
    const int codigo = aplicacao.exec();
    principal.reset();
    sessao.reset();
    return codigo;
}
