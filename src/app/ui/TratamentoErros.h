#pragma once
// Where errors that escape the windows' events end: the application-wide
// handler (TratarExcecao with message boxes), or, while "&Debug" is checked,
// the error's raw text in an error box.
#include <QString>

#include <exception>
#include <functional>

class QObject;

namespace korva {
class ApresentacaoErros;
}

namespace korva::ui {

// Shows an error that escaped an event of `origem` (its class name is the
// sender's class name of the handler). Never throws.
void TrataErro(const QObject* origem, const std::exception& erro) noexcept;
// An error that is not a std::exception.
void TrataErroDesconhecido(const QObject* origem) noexcept;

// Runs `acao`, handing any error to TrataErro. Returns false when it failed.
bool Protegido(const QObject* origem, const std::function<void()>& acao);

// "&Debug": true removes the handler (raw texts are shown), false installs it again.
void DefineDepuracao(bool ligada);
bool Depuracao();

// Replaces the message boxes of the handler (tests); null restores them.
void DefineApresentacao(ApresentacaoErros* apresentacao);

}  // namespace korva::ui
