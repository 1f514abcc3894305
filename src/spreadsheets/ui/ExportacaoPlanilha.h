#pragma once
// "Exportar &Planilha..." of the print dialog and of the month grid: the
// file dialog (proposing "Processo <n> Grupo <g>.xlsx"), the export of the
// calculation behind the busy cursor, and a confirmation naming the file.
// Every refusal and failure goes through the error handler; nothing is
// written then.
#include <QString>

#include <functional>
#include <string>

class QPushButton;
class QWidget;

namespace korva {
class Sessao;
struct ParametrosExecucao;
}  // namespace korva

namespace korva::ui {

// The button, objectName "BtExportarPlanilha".
QPushButton* NovoBotaoExportarPlanilha(QWidget* pai);

// The name the file dialog proposes.
QString NomePlanilhaProposto(const ParametrosExecucao& p);

// Asks for the file and writes the workbook. Returns true when it was written.
bool ExportaPlanilhaDoCalculo(QWidget* janela, Sessao& sessao, const ParametrosExecucao& p);

// The same for the statement of the pro-rata record `codigo` (the file dialog
// proposing "Prorrata <n> Grupo <g>.xlsx").
bool ExportaPlanilhaDeProrrata(QWidget* janela, Sessao& sessao, int codigo, const std::string& processo,
                               int codRecte);

// Stands in for the file dialog (tests): returns the chosen name, empty to
// give up. An empty function restores the dialog.
void DefineArquivoPlanilhaTeste(std::function<QString(const QString& proposto)> escolha);

}  // namespace korva::ui
