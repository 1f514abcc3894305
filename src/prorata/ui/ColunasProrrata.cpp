#include "prorata/ui/ColunasProrrata.h"

namespace korva::ui {

std::vector<ColunaGrade> ColunasAcrescimosProrrata() {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Descricao", QStringLiteral("Descrição"), 30));
    c.push_back(Coluna("Valor", QStringLiteral("Valor/Percentual"), 12, QStringLiteral("#,##0.00")));
    ColunaGrade tipo = Coluna("Tipo", QStringLiteral("Tipo"), 4);
    tipo.maiusculas = true;
    tipo.lista = {QStringLiteral("P"), QStringLiteral("V")};
    c.push_back(std::move(tipo));
    c.push_back(Coluna("DtBase", QStringLiteral("Data Base")));
    c.push_back(Coluna("Totalizar", QStringLiteral("Somar"), 5));
    return c;
}

}  // namespace korva::ui
