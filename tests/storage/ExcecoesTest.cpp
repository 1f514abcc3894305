#include "storage/Excecoes.h"

#include <gtest/gtest.h>

#include <vector>

#include "util/Erros.h"

using namespace korva;
using namespace std::chrono_literals;

namespace {

// Records what the handler shows, in order.
class ApresentacaoGravada : public ApresentacaoErros {
public:
    std::vector<std::string> eventos;
    void beep() override { eventos.push_back("beep"); }
    void mostraInformacao(const std::string& t) override { eventos.push_back("info:" + t); }
    void mostraErro(const std::string& t) override { eventos.push_back("erro:" + t); }
    void mostraCodigo(const std::string& t) override { eventos.push_back("codigo:" + t); }
};

struct Manipulador {
    ApresentacaoGravada tela;
    std::chrono::steady_clock::time_point agora{};
    TratarExcecao tratar{tela, [this] { return agora; }};

    // Each error a full second after the previous one, so none is dropped.
    std::vector<std::string> trata(const std::exception& e, const std::string& remetente = "TFProcesso") {
        agora += 1s;
        tela.eventos.clear();
        tratar.TrataExcecao(remetente, e);
        return tela.eventos;
    }
};

using Eventos = std::vector<std::string>;

}  // namespace

TEST(Excecoes, ClassificaErroPelaTabela) {
    std::vector<std::string> mostrados;
    auto mostra = [&](const std::string& t) { mostrados.push_back(t); };
    EXPECT_EQ(ClassificaErro(0x2801, mostra), 1);
    EXPECT_EQ(ClassificaErro(0x2814, mostra), 1);
    EXPECT_EQ(ClassificaErro(0x2604, mostra), 2);
    EXPECT_EQ(ClassificaErro(0x2601, mostra), 4);
    EXPECT_EQ(ClassificaErro(0x3303, mostra), 5);
    EXPECT_EQ(ClassificaErro(0x2605, mostra), 6);
    EXPECT_EQ(ClassificaErro(0x0023, mostra), 7);
    EXPECT_EQ(ClassificaErro(0x2F02, mostra), 7);
    EXPECT_EQ(ClassificaErro(0x002F, mostra), 8);
    EXPECT_EQ(ClassificaErro(0x2728, mostra), 8);
    EXPECT_EQ(ClassificaErro(0x2805, mostra), 9);
    EXPECT_EQ(ClassificaErro(0x2602, mostra), 10);
    EXPECT_EQ(ClassificaErro(0x2603, mostra), 10);
    EXPECT_EQ(ClassificaErro(0x2204, mostra), 12);
    EXPECT_TRUE(mostrados.empty());
    EXPECT_EQ(ClassificaErro(12345, mostra), 0);
    EXPECT_EQ(mostrados, std::vector<std::string>{"12345"});
}

TEST(Excecoes, TextosPorNumero) {
    EXPECT_EQ(TextoMensagem(4), "Violação de identificação do registro. Registro já cadastrado.");
    EXPECT_EQ(TextoMensagem(13), "Campo preenchido incorretamente");
    EXPECT_EQ(TextoMensagem(14), "Violação de integridade de sistema. Contacte manutenção");
    EXPECT_EQ(TextoMensagem(-1), "Violação de integridade de sistema. Contacte manutenção");
    EXPECT_EQ(MensagemPendencia(0), "Antes de fechar o formulário, cancele ou confirme a operação");
    EXPECT_EQ(MensagemPendencia(1),
              "Existe alguma operação pendente. Antes de encerrar o sistema, cancele ou confirme a operação");
    EXPECT_EQ(MensagemPendencia(2), "Mensagem não definida");
    try {
        OperacaoPendente(0);
        FAIL() << "OperacaoPendente deveria falhar";
    } catch (const Inf& e) {
        EXPECT_STREQ(e.what(), "Antes de fechar o formulário, cancele ou confirme a operação");
    }
}

TEST(Excecoes, CadaTipoDeErroComoSeMostra) {
    Manipulador m;
    EXPECT_EQ(m.trata(ErroBanco(CodigoBanco::ChaveDuplicada, "Key violation")),
              (Eventos{"beep", "erro:Violação de identificação do registro. Registro já cadastrado."}));
    EXPECT_EQ(m.trata(ErroDados("x")), (Eventos{"beep", "erro:" + TextoMensagem(2)}));
    EXPECT_EQ(m.trata(ErroMascara("x")), (Eventos{"beep", "erro:Valor inválido para o campo"}));
    EXPECT_EQ(m.trata(ErroImagem("x")), (Eventos{"beep", "erro:" + TextoMensagem(11)}));
    EXPECT_EQ(m.trata(ErroConversao("'x' não é uma data válida")),
              (Eventos{"beep", "erro:Campo preenchido incorretamente"}));
    EXPECT_EQ(m.trata(OurExc()), Eventos{});
    EXPECT_EQ(m.trata(Inf(MensagemPendencia(0))), (Eventos{"beep", "info:" + MensagemPendencia(0)}));
    EXPECT_EQ(m.trata(ErroKorva("Cadastre um processo antes de selecionar esta opção!")),
              (Eventos{"beep", "erro:Cadastre um processo antes de selecionar esta opção!"}));
    EXPECT_EQ(m.trata(ErroES("Arquivo não encontrado: 'x'.")), (Eventos{"beep", "erro:Arquivo não encontrado: 'x'."}));
    EXPECT_EQ(m.trata(std::runtime_error("falha da plataforma")), (Eventos{"beep", "erro:falha da plataforma"}));
}

TEST(Excecoes, CodigoDesconhecidoMostraCodigoEClasses) {
    Manipulador m;
    EXPECT_EQ(m.trata(ErroBanco(12345, "erro interno"), "TFParam1"),
              (Eventos{"codigo:12345", "beep",
                       "erro:Violação de Integridade. Contacte a manutenção e informe a msg:TFParam1 ErroBanco "
                       "erro interno"}));
}

TEST(Excecoes, RepeticaoEm432msEDescartada) {
    ApresentacaoGravada tela;
    std::chrono::steady_clock::time_point agora{};
    TratarExcecao tratar(tela, [&] { return agora; });
    const ErroBanco erro(CodigoBanco::ChaveDuplicada, "Key violation");
    const auto mostrados = [&] {
        size_t n = 0;
        for (const auto& e : tela.eventos) n += e.rfind("erro:", 0) == 0;
        return n;
    };

    tratar.TrataExcecao("TFProcesso", erro);
    EXPECT_EQ(mostrados(), 1u);
    agora += 200ms;
    tratar.TrataExcecao("TFProcesso", erro);
    EXPECT_EQ(mostrados(), 1u);
    EXPECT_EQ(tela.eventos.size(), 2u);  // the dropped one did not even beep
    // Dropping does not move the remembered moment: 0.5 s after the first is shown.
    agora += 300ms;
    tratar.TrataExcecao("TFProcesso", erro);
    EXPECT_EQ(mostrados(), 2u);
    // Exactly 0.432 s later is still a repetition; a little more is not.
    agora += 432ms;
    tratar.TrataExcecao("TFProcesso", erro);
    EXPECT_EQ(mostrados(), 2u);
    agora += 1ms;
    tratar.TrataExcecao("TFProcesso", OurExc());
    EXPECT_EQ(mostrados(), 2u);
    // The silent error counted as shown: a following one within 0.432 s is dropped.
    agora += 100ms;
    tratar.TrataExcecao("TFProcesso", erro);
    EXPECT_EQ(mostrados(), 2u);
}

TEST(Excecoes, ApresentacaoQueFalhaNaoEscapa) {
    struct Quebrada : ApresentacaoGravada {
        void mostraErro(const std::string&) override { throw std::runtime_error("sem tela"); }
    } tela;
    TratarExcecao tratar(tela);
    EXPECT_NO_THROW(tratar.TrataExcecao("TFProcesso", ErroKorva("x")));
}
