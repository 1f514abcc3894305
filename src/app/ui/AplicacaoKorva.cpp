#include "app/ui/AplicacaoKorva.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/ui/Recursos.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"

namespace korva::ui {

AplicacaoKorva::AplicacaoKorva(int& argc, char** argv) : QApplication(argc, argv) {}

bool AplicacaoKorva::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& erro) {
        // A close request whose handler failed (for example a pending edit)
        // leaves the window open.
        if (evento->type() == QEvent::Close) evento->ignore();
        TrataErro(receptor, erro);
    } catch (...) {
        if (evento->type() == QEvent::Close) evento->ignore();
        TrataErroDesconhecido(receptor);
    }
    return false;
}

void ConfiguraAplicacao(QApplication& aplicacao) {
    IniciaRecursos();
    QApplication::setApplicationName(TextoProduto());
    QApplication::setOrganizationName(TextoProduto());
    // Dates dd/mm/yyyy, decimal comma and thousands point, everywhere.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    if (!aplicacao.findChild<QTranslator*>(QStringLiteral("TraducaoQt"), Qt::FindDirectChildrenOnly)) {
        auto* traducao = new QTranslator(&aplicacao);
        traducao->setObjectName(QStringLiteral("TraducaoQt"));
        if (traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            aplicacao.installTranslator(traducao);
    }
}

}  // namespace korva::ui
