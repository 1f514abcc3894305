#include "storage/Excecoes.h"

#include <initializer_list>
#include <iterator>

#include "util/Erros.h"

namespace korva {

namespace {

struct Classe {
    int mensagem;
    std::initializer_list<int> codigos;
};

// Engine codes (category in the high byte) and the message each one gets.
const Classe kClasses[] = {
    {1, {0x2801, 0x2812, 0x2813, 0x2814}},
    {2, {0x2604}},
    {4, {0x2601}},
    {5, {0x2606, 0x2610, 0x280A, 0x3303}},
    {6, {0x2605}},
    {7, {0x0023, 0x0026, 0x0200, 0x0400, 0x0401, 0x2301, 0x270D, 0x2F02}},
    {8, {0x0024, 0x002F, 0x0209, 0x020A, 0x020B, 0x0404, 0x2103, 0x260A, 0x260B, 0x2704, 0x2708, 0x2728}},
    {9, {0x2805}},
    {10, {0x2602, 0x2603}},
    {12, {0x2204}},
};

const char* const kMensagens[] = {
    "Violação de Integridade. Contacte a manutenção e informe a msg:",
    "Registro editado por outro usuário.",
    "Campo obrigatório não preenchido ou preenchido incorretamente",
    "Valor inválido para o campo",
    "Violação de identificação do registro. Registro já cadastrado.",
    "Deleção ou alteração imprópria do registro. Para efetuar a operação devem ser eliminadas todas as "
    "informações relacionadas",
    "Registro inválido, pois não existe o registro equivalente ao campo relacionado",
    "Problemas com a integridade da base de dados. Reindexe os arquivos, e persistindo o problema contacte a "
    "manutenção",
    "Base de dados inconsistente ou incompleta. Contacte a manutenção",
    "Base de dados indisponível momentaneamente para operações de manutenção",
    "Dado fora da faixa de valores possíveis",
    "Formato inválido. Imagem não pode ser carregada",
    "Este registro foi atualizado por outro usuário. Reexiba os dados",
    "Campo preenchido incorretamente",
};

}  // namespace

int ClassificaErro(int codigo, const std::function<void(const std::string&)>& mostraCodigo) {
    for (const auto& classe : kClasses)
        for (int c : classe.codigos)
            if (c == codigo) return classe.mensagem;
    if (mostraCodigo) mostraCodigo(std::to_string(codigo));
    return 0;
}

std::string TextoMensagem(int numero) {
    constexpr int n = static_cast<int>(std::size(kMensagens));
    if (numero < 0 || numero >= n) return "Violação de integridade de sistema. Contacte manutenção";
    return kMensagens[numero];
}

std::string MensagemPendencia(int numero) {
    switch (numero) {
        case 0: return "Antes de fechar o formulário, cancele ou confirme a operação";
        case 1: return "Existe alguma operação pendente. Antes de encerrar o sistema, cancele ou confirme a operação";
        default: return "Mensagem não definida";
    }
}

void OperacaoPendente(int numero) { throw Inf(MensagemPendencia(numero)); }

TratarExcecao::TratarExcecao(ApresentacaoErros& apresentacao, Relogio relogio)
    : apresentacao_(apresentacao), relogio_(std::move(relogio)) {
    if (!relogio_) relogio_ = [] { return std::chrono::steady_clock::now(); };
}

void TratarExcecao::TrataExcecao(const std::string& classeRemetente, const std::exception& erro) noexcept {
    try {
        Trata(classeRemetente, erro);
    } catch (...) {
        // Nothing may escape the last handler: a failing message box is lost.
    }
}

void TratarExcecao::Trata(const std::string& classeRemetente, const std::exception& erro) {
    const auto agora = relogio_();
    if (ultimoMostrado_ && agora - *ultimoMostrado_ <= kIntervaloRepeticao) return;
    ultimoMostrado_ = agora;

    // Kinds in order of precedence; nullopt is "show the error's own text".
    std::optional<int> mensagem;
    if (const auto* banco = dynamic_cast<const ErroBanco*>(&erro)) {
        mensagem = ClassificaErro(banco->codigo(), [this](const std::string& t) { apresentacao_.mostraCodigo(t); });
    } else if (dynamic_cast<const ErroDados*>(&erro)) {
        mensagem = 2;
    } else if (dynamic_cast<const ErroMascara*>(&erro)) {
        mensagem = 3;
    } else if (dynamic_cast<const ErroImagem*>(&erro)) {
        mensagem = 11;
    } else if (dynamic_cast<const ErroConversao*>(&erro)) {
        mensagem = 13;
    } else if (dynamic_cast<const OurExc*>(&erro)) {
        return;
    } else if (dynamic_cast<const Inf*>(&erro)) {
        apresentacao_.beep();
        apresentacao_.mostraInformacao(erro.what());
        return;
    }

    apresentacao_.beep();
    if (!mensagem) {
        apresentacao_.mostraErro(erro.what());
    } else if (*mensagem == 0) {
        const auto* proprio = dynamic_cast<const ErroKorva*>(&erro);
        const std::string classeErro = proprio ? proprio->nomeClasse() : "Exception";
        apresentacao_.mostraErro(TextoMensagem(0) + classeRemetente + " " + classeErro + " " + erro.what());
    } else {
        apresentacao_.mostraErro(TextoMensagem(*mensagem));
    }
}

}  // namespace korva
