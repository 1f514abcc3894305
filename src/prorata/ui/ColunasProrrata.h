#pragma once
// Columns shared by the pro-rata windows.
#include <vector>

#include "app/ui/ModeloTabela.h"

class QWidget;

namespace korva::ui {

class GradeTabela;

// The additions grid (AcrescProrrata.DB and DefAcrescProrrata.DB):
// "Descrição", "Valor/Percentual", "Tipo" picked from "P" and "V",
// "Data Base" and "Somar".
std::vector<ColunaGrade> ColunasAcrescimosProrrata();

// Stores the addition being edited in the grid. A refused row shows its
// message and moves the grid to the field in question; false then.
bool GravaAcrescimoDaGrade(QWidget* janela, ModeloTabela& modelo, GradeTabela& grade);

}  // namespace korva::ui
