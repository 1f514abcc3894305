#pragma once
// Edit fields typed in capitals (the search fields of the lists): every
// letter typed or pasted is shown in capitals, the cursor staying where it was.
class QLineEdit;

namespace korva::ui {

void ForcaMaiusculas(QLineEdit* campo);

}  // namespace korva::ui
