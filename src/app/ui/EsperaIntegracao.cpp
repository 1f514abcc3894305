#include "app/ui/EsperaIntegracao.h"

#include <QApplication>
#include <QCoreApplication>

#include "app/Integracao.h"
#include "app/ui/CursorOcupado.h"

namespace korva::ui {

int ExecutaIntegracaoComEspera(const std::string& programa, const std::string& linhaDeComando,
                               const std::string& arquivoLote) {
    const CursorOcupado cursor;
    // While waiting, user input is kept out so nothing else starts meanwhile;
    // painting and timers go on.
    return ExecutaIntegracao(programa, linhaDeComando, arquivoLote, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    });
}

}  // namespace korva::ui
