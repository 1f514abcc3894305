#pragma once
// What the user is shown when an operation fails: the operation's error put
// through the program's error handler, as a window would.
#include <functional>
#include <string>

namespace korva::teste {

// "" when `operacao` does not fail; otherwise the text of the error box (or
// information box) the handler shows for its error.
std::string MensagemMostrada(const std::function<void()>& operacao);

}  // namespace korva::teste
