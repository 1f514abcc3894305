#pragma once
// The catalogue report "Relação de Verbas": laid out in full first (so the
// page count is known), then shown in the report preview, maximised and
// zoomed to the page width, from which the user prints.
#include <QString>

#include "reports/Pagina.h"

class QWidget;

namespace korva {
class Sessao;
}

namespace korva::ui {

class TFRRendimen {
public:
    // Every item of the session's catalogue in code order, under the court
    // name of the settings and today's date; no page for an empty catalogue.
    static Documento Prepara(Sessao& sessao);
    // Prepares the report and shows it in the preview (modal). Returns the
    // page count; an empty catalogue shows nothing and returns 0.
    static int Visualiza(Sessao& sessao, QWidget* pai = nullptr);
    // Caption of the preview: "KORVA - Relação de Verbas".
    static QString Titulo();
};

}  // namespace korva::ui
