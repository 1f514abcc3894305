#include "app/ui/TratamentoErros.h"

#include <QObject>

#include <memory>

#include "app/ui/ApresentacaoQt.h"
#include "app/ui/Mensagens.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

struct Estado {
    ApresentacaoQt caixas;
    ApresentacaoErros* apresentacao = &caixas;
    std::unique_ptr<TratarExcecao> tratador = std::make_unique<TratarExcecao>(caixas);
    bool depuracao = false;
};

Estado& estado() {
    static Estado e;
    return e;
}

QString NomeClasse(const QObject* origem) {
    return origem ? QString::fromLatin1(origem->metaObject()->className()) : QStringLiteral("TApplication");
}

}  // namespace

void TrataErro(const QObject* origem, const std::exception& erro) noexcept {
    try {
        Estado& e = estado();
        if (e.depuracao) {
            // Without the handler a silent stop stays silent; everything else
            // shows its own text.
            if (dynamic_cast<const OurExc*>(&erro)) return;
            e.apresentacao->beep();
            e.apresentacao->mostraErro(erro.what());
            return;
        }
        e.tratador->TrataExcecao(NomeClasse(origem).toStdString(), erro);
    } catch (...) {
        // the last handler must not fail
    }
}

void TrataErroDesconhecido(const QObject* origem) noexcept {
    TrataErro(origem, ErroKorva("Erro desconhecido."));
}

bool Protegido(const QObject* origem, const std::function<void()>& acao) {
    try {
        acao();
        return true;
    } catch (const std::exception& erro) {
        TrataErro(origem, erro);
    } catch (...) {
        TrataErroDesconhecido(origem);
    }
    return false;
}

void DefineDepuracao(bool ligada) { estado().depuracao = ligada; }

bool Depuracao() { return estado().depuracao; }

void DefineApresentacao(ApresentacaoErros* apresentacao) {
    Estado& e = estado();
    e.apresentacao = apresentacao ? apresentacao : &e.caixas;
    e.tratador = std::make_unique<TratarExcecao>(*e.apresentacao);
}

}  // namespace korva::ui
