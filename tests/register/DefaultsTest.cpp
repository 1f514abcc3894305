// The defaults for new calculations: the single defaults row, its damage
// message, and the rules of the default additions.
#include <gtest/gtest.h>

#include "BaseRegistro.h"
#include "register/DefaultsProcesso.h"
#include "register/OpcoesProcesso.h"
#include "register/RegistroProcessos.h"
#include "register/RegrasAcrescimos.h"

using namespace korva;

namespace {

struct Padroes : teste::BaseRegistro {
    // The calculator's name a new calculation of the register takes.
    std::string calculistaDeUmNovoCalculo() {
        RegistroProcessos reg(banco, AjustesRegistro{}, {}, [] { return Data::de(2026, 12, 9); });
        reg.abre();
        reg.processos().insere();
        const std::string r = reg.processos().valor("Calculista").comoTexto();
        reg.processos().cancela();
        return r;
    }
};

}  // namespace

TEST_F(Padroes, EmptyTableOpensOnANewRowThatNewCalculationsThenTake) {
    DefaultsProcesso d(banco);
    d.abre();
    ASSERT_EQ(d.processo().estado(), EstadoTabela::Insercao);
    EXPECT_EQ(d.processo().valor("CalculoJuros").comoInteiro(), JurosLegais);
    EXPECT_EQ(d.explicacaoJuros().front(), "Observar variação legal dos juros:");
    d.processo()["CalculoJuros"] = InformarVariacao;
    EXPECT_EQ(d.explicacaoJuros(),
              std::vector<std::string>{"Informe na tabela própria a variação a ser observada para o cálculo dos juros"});
    d.processo()["Calculista"] = "PEDRO DE ALCÂNTARA";
    EXPECT_EQ(d.processo().valor("Calculista").comoTexto(), "Pedro de Alcântara");
    // Closing with the row pending is refused.
    EXPECT_THROW(d.fecha(), Inf);
    d.processo().grava();
    d.fecha();
    EXPECT_EQ(linhas("DefProcesso.DB"), 1);
    EXPECT_EQ(calculistaDeUmNovoCalculo(), "Pedro de Alcântara");
    // Opened again: the stored row, no new one.
    d.abre();
    EXPECT_EQ(d.processo().estado(), EstadoTabela::Navegacao);
    d.fecha();
}

TEST_F(Padroes, TwoRowsGiveTheDamageMessageAndNewCalculationsTakeTheFirst) {
    gravaPadroes("Primeira Pessoa", JurosLegais);
    gravaPadroes("Segunda Pessoa", LimitarJuros);
    DefaultsProcesso d(banco);
    try {
        d.abre();
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Tabela de Parâmetros de processos danificada. Contate a Manutenção!");
    }
    EXPECT_FALSE(d.processo().aberta());
    EXPECT_FALSE(d.acrescimos().aberta());
    EXPECT_EQ(linhas("DefProcesso.DB"), 2);
    EXPECT_EQ(calculistaDeUmNovoCalculo(), "Primeira Pessoa");
}

TEST_F(Padroes, DefaultAdditionsFollowTheAdditionRules) {
    gravaPadroes("Ana", JurosLegais);
    DefaultsProcesso d(banco);
    d.abre();
    Tabela& e = d.acrescimos();
    e.insere();
    e["Descricao"] = "Honorários";
    e["Valor"] = 10.0;
    e["Tipo"] = "p";
    e["DtBase"] = Data::de(2009, 1, 1);
    e["LimMinimo"] = 5.0;
    EXPECT_THROW(e["LimMaximo"] = 3.0, ErroKorva);
    e["LimMaximo"] = 8.0;
    EXPECT_THROW(e["LimMinimo"] = 9.0, ErroKorva);  // above the maximum already typed
    e.grava();
    EXPECT_EQ(e.valor("Tipo").comoTexto(), "P");
    EXPECT_TRUE(e.valor("DtBase").nulo());

    e.insere();
    e["Descricao"] = "Custas";
    e["Valor"] = 100.0;
    EXPECT_THROW(e["Tipo"] = "Z", ErroKorva);
    e["Tipo"] = "v";
    e["LimMinimo"] = 0.0;
    e["LimMaximo"] = 0.0;
    EXPECT_THROW(e.grava(), ErroCampo);
    e["DtBase"] = Data::de(2009, 1, 1);
    e.grava();
    EXPECT_EQ(linhas("DefAcrescimos.DB"), 2);
    EXPECT_NO_THROW(d.fecha());
}
