#include "cli/SaidaRelatorio.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "reports/TextoPlano.h"
#include "util/Erros.h"
#include "util/Texto.h"

#ifdef KORVA_RENDER
#include <QGuiApplication>
#include <QtGlobal>

#include "reports/render/GravaPdf.h"
#include "reports/render/MedidorQt.h"
#endif

namespace korva::cli {

namespace fs = std::filesystem;

#ifdef KORVA_RENDER
namespace {

// Qt's notes about the session it runs in (no runtime folder, no display)
// mean nothing to someone writing a report file; real failures still show.
void FiltraMensagensQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtDebugMsg || tipo == QtInfoMsg || tipo == QtWarningMsg) return;
    std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
}

}  // namespace
#endif

struct SaidaRelatorio::Qt {
#ifdef KORVA_RENDER
    int argc = 1;
    char nome[10] = "korva-cli";
    char* argv[2] = {nome, nullptr};
    std::unique_ptr<QGuiApplication> aplicacao;

    Qt() {
        if (!QGuiApplication::instance()) {
            // No display is needed to draw into a PDF file.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(FiltraMensagensQt);
            aplicacao = std::make_unique<QGuiApplication>(argc, argv);
        }
    }
#endif
};

namespace {

std::string Extensao(const fs::path& p) { return Minusculas(p.extension().string()); }

fs::path Temporario(const fs::path& arquivo) {
    fs::path t = arquivo;
    t += ".tmp";
    return t;
}

void Publica(const fs::path& temporario, const fs::path& arquivo) {
    std::error_code erro;
    fs::rename(temporario, arquivo, erro);
    if (erro) {
        fs::remove(temporario, erro);
        throw ErroES("Não foi possível gravar o arquivo " + arquivo.string() + ".");
    }
}

}  // namespace

SaidaRelatorio::SaidaRelatorio(fs::path arquivo) : arquivo_(std::move(arquivo)) {
    const std::string ext = Extensao(arquivo_);
    if (ext == ".pdf") {
#ifdef KORVA_RENDER
        pdf_ = true;
        qt_ = std::make_unique<Qt>();
        medidor_ = std::make_unique<MedidorQt>();
#else
        throw ErroKorva("Saída em PDF indisponível: o programa foi compilado sem a interface Qt. "
                        "Use um arquivo .txt em --saida.");
#endif
    } else if (ext == ".txt") {
        medidor_ = std::make_unique<MedidorFixo>();
    } else {
        throw ErroKorva("Formato de saída não reconhecido: " + arquivo_.string() +
                        ". Use um arquivo .pdf ou .txt em --saida.");
    }
}

SaidaRelatorio::~SaidaRelatorio() {
    // The measurer may hold fonts of the application: it goes first.
    medidor_.reset();
    qt_.reset();
}

int SaidaRelatorio::grava(const Documento& documento, const std::string& titulo) {
    if (documento.paginas.empty()) throw ErroKorva(kMsgRelatorioSemPaginas);
    const fs::path temporario = Temporario(arquivo_);
    if (pdf_) {
#ifdef KORVA_RENDER
        OpcoesPdf opcoes;
        opcoes.titulo = titulo;
        try {
            GravaPdf(documento, temporario.string(), opcoes);
        } catch (...) {
            std::error_code erro;
            fs::remove(temporario, erro);
            throw ErroES("Não foi possível gravar o arquivo " + arquivo_.string() + ".");
        }
#endif
    } else {
        std::ofstream saida(temporario, std::ios::binary | std::ios::trunc);
        if (saida) saida << TextoPlano(documento, GradeDoDocumento(documento));
        saida.close();
        if (!saida) {
            std::error_code erro;
            fs::remove(temporario, erro);
            throw ErroES("Não foi possível gravar o arquivo " + arquivo_.string() + ".");
        }
    }
    Publica(temporario, arquivo_);
    return static_cast<int>(documento.paginas.size());
}

}  // namespace korva::cli
