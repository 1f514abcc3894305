#pragma once
// The program's resources (texts of recursos.qrc) live in a static library;
// this registers them. Called once by the main window; repeated calls are harmless.
namespace korva::ui {
void IniciaRecursos();
}
