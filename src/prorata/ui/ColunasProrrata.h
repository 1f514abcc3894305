#pragma once
// Columns shared by the pro-rata windows.
#include <vector>

#include "app/ui/ModeloTabela.h"

namespace korva::ui {

// The additions grid (AcrescProrrata.DB and DefAcrescProrrata.DB):
// "Descrição", "Valor/Percentual", "Tipo" picked from "P" and "V",
// "Data Base" and "Somar".
std::vector<ColunaGrade> ColunasAcrescimosProrrata();

}  // namespace korva::ui
