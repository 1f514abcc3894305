#pragma once
// The application-wide error handler: table-store errors become a fixed set of
// Portuguese messages, the program's own messages are shown as they are,
// information errors as information, silent errors not at all, and an error
// that follows the last one shown within 0.432 s is dropped.
#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace korva {

// How the handler shows things; the desktop program implements it with
// message boxes, tests with a recorder.
class ApresentacaoErros {
public:
    virtual ~ApresentacaoErros() = default;
    virtual void beep() = 0;
    virtual void mostraInformacao(const std::string& texto) = 0;  // information box, OK button
    virtual void mostraErro(const std::string& texto) = 0;        // error box, OK button
    virtual void mostraCodigo(const std::string& texto) = 0;      // plain box with an engine code
};

// Message number (0..12) for an engine error code. A code outside the table is
// first handed to `mostraCodigo` in decimal and gives 0.
int ClassificaErro(int codigo, const std::function<void(const std::string&)>& mostraCodigo);

// Message text by number; a number outside the table gives the generic text.
std::string TextoMensagem(int numero);

// Pending-operation text: 0 closing a window, 1 leaving the program.
std::string MensagemPendencia(int numero);

// Raises Inf with MensagemPendencia(numero): a window with an unfinished edit
// calls it to refuse to close.
[[noreturn]] void OperacaoPendente(int numero);

class TratarExcecao {
public:
    using Relogio = std::function<std::chrono::steady_clock::time_point()>;
    // Errors within this time of the last one shown are dropped (5e-6 day).
    static constexpr std::chrono::microseconds kIntervaloRepeticao{432000};

    // `apresentacao` must outlive the handler. `relogio` gives the current
    // moment; by default the steady clock, so changes of the system time do
    // not silence the handler.
    explicit TratarExcecao(ApresentacaoErros& apresentacao, Relogio relogio = {});

    // Shows `erro`, which escaped an event of an object of class
    // `classeRemetente`. Never throws.
    void TrataExcecao(const std::string& classeRemetente, const std::exception& erro) noexcept;

private:
    void Trata(const std::string& classeRemetente, const std::exception& erro);

    ApresentacaoErros& apresentacao_;
    Relogio relogio_;
    std::optional<std::chrono::steady_clock::time_point> ultimoMostrado_;
};

}  // namespace korva
