#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BaseParametros.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/SeguroDesemprego.h"
#include "reference/EsquemasReferencia.h"
#include "register/RegrasAcrescimos.h"
#include "util/Erros.h"

namespace korva {
namespace {

using Resposta = SeguroDesemprego::Resposta;

struct SeguroTeste : teste::BaseParametros {
    std::unique_ptr<TabelasReferencia> ref;

    void SetUp() override {
        BaseParametros::SetUp();
        compartilhado.criaTabela("Valores.DB", EsquemaValores());
        ref = std::make_unique<TabelasReferencia>(compartilhado);
        verba(150, "Seguro Desemprego");
        verba(151, "Seguro Desemprego Pago");
        valores(2003, 11, 900, 1000, 2000, 1200);
        valores(2003, 12, 950, 1000, 2000, 1300);
        valores(2004, 1, 1000, 1100, 2100, 1400);
        ParametrosPeriodo::EsqueceLinhaLembrada();
    }

    void verba(int codigo, const std::string& desc) {
        Tabela r(banco, "Rendimen.DB");
        r.abre();
        r.insere();
        r["Codigo"] = codigo;
        r["DescRend"] = desc;
        r["INSS"] = "N";
        r["IR"] = 1;
        r["Tipo"] = "S";
        r.grava();
    }

    void valores(int ano, int mes, double salMin, double limMin, double limMax, double maximo) {
        Tabela v(compartilhado, "Valores.DB");
        v.abre();
        v.insere();
        v["Ano"] = ano;
        v["Mes"] = mes;
        v["SalMin"] = salMin;
        v["LimMinimo"] = limMin;
        v["LimMaximo"] = limMax;
        v["ValorMaximo"] = maximo;
        v.grava();
    }

    struct Linha {
        int item, mes, ano;
        double valor;
        std::string diferenca;
        bool operator==(const Linha&) const = default;
    };
    std::vector<Linha> linhasA() {
        Tabela a(banco, tabelaA);
        a.abre();
        std::vector<Linha> r;
        for (a.primeiro(); !a.fim(); a.proximo()) {
            EXPECT_EQ(a.valor("VFM").comoTexto(), "V");
            EXPECT_EQ(a.valor("Mes1").comoInteiro(), a.valor("Mes2").comoInteiro());
            r.push_back({int(a.valor("Item").comoInteiro()), int(a.valor("Mes1").comoInteiro()),
                         int(a.valor("Ano1").comoInteiro()), a.valor("Valor").comoNumero(),
                         a.valor("Diferenca").nulo() ? "" : a.valor("Diferenca").comoTexto()});
        }
        return r;
    }
};

TEST_F(SeguroTeste, BeneficioPelasFaixas) {
    const ValoresSeguroDesemprego v{1000, 2000, 1200, 900};
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio(v, 1000), 900);   // 0.8 x 1000 below the minimum wage
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio(v, 1500), 1050);  // 800 + 250
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio(v, 2500), 1200);
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio(v, 2000), 1300);  // upper limit still in the middle band
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio(v, 1250), 925);   // 800 + 125
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio({1000, 2000, 1200, 700}, 1000), 800);  // above the minimum wage
    // Intermediate results keep four decimals, ties to even.
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio({1000.00005, 3000, 0, 0}, 1000.00007), 800.0000);
    EXPECT_DOUBLE_EQ(SeguroDesemprego::Beneficio({1000, 2000, 1200, 0}, 1000.00015), 800.0001);

    SeguroDesemprego sd(*std::make_unique<ParametrosPeriodo>(banco, tabelaA, OpcoesCalculo{}), *ref, 0);
    EXPECT_DOUBLE_EQ(sd.BeneficioSeguro(11, 2003, 1500), 1050);
    try {
        sd.BeneficioSeguro(2, 2004, 1500);
        ADD_FAILURE();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "ERRO! Não há Valores do Seguro Desemprego para 02/2004!");
    }
}

TEST_F(SeguroTeste, ListaDeItensPelaDescricao) {
    verba(7, "adicional");           // lower case sorts with the others
    verba(892, "Diferença de Seguro");
    const auto itens = SeguroDesemprego::ItensCatalogo(banco);
    std::vector<std::string> textos;
    for (const auto& i : itens) textos.push_back(i.nome);
    EXPECT_EQ(textos, (std::vector<std::string>{"adicional(007)", "Diferença de Seguro(892)", "Seguro Desemprego(150)",
                                                "Seguro Desemprego Pago(151)"}));
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, "892"), 1);
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, " 7 "), 0);
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, "007"), 0);
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, "8"), -1);
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, ""), -1);
    EXPECT_EQ(SeguroDesemprego::PosicaoDoCodigo(itens, "15a"), -1);
}

TEST_F(SeguroTeste, CaixasDeMesEAno) {
    EXPECT_EQ(SeguroDesemprego::NormalizaAno("4"), 2004);
    EXPECT_EQ(SeguroDesemprego::NormalizaAno(""), 2000);
    EXPECT_EQ(SeguroDesemprego::NormalizaAno("0"), 2000);
    EXPECT_EQ(SeguroDesemprego::NormalizaAno("87"), 1987);
    EXPECT_EQ(SeguroDesemprego::NormalizaAno("2003"), 2003);
    EXPECT_EQ(SeguroDesemprego::LeMes("12"), 12);
    EXPECT_EQ(SeguroDesemprego::LeMes("0"), 13);
    EXPECT_EQ(SeguroDesemprego::LeMes("x"), 13);
    EXPECT_EQ(SeguroDesemprego::LeMes(""), 13);
    EXPECT_EQ(SeguroDesemprego::LinhaSobrepor(150, 1, 2004), "Já existe item 150 cadastrado para o mes 01/2004.");
}

struct SeguroComPeriodo : SeguroTeste {
    std::unique_ptr<ParametrosPeriodo> p;
    std::unique_ptr<SeguroDesemprego> sd;
    int perguntasDiferenca = 0;
    std::vector<std::string> sobreposicoes;
    Resposta resposta = Resposta::Sim;
    SeguroDesemprego::Interacao interacao;

    void abre(int dataBasePadrao) {
        p = std::make_unique<ParametrosPeriodo>(banco, tabelaA, OpcoesCalculo{dataBasePadrao, false, false, 0});
        p->abre();
        sd = std::make_unique<SeguroDesemprego>(*p, *ref, dataBasePadrao);
        interacao.diferencaNegativa = [this] {
            ++perguntasDiferenca;
            return std::string("C");
        };
        interacao.sobrepor = [this](const std::string& l1, const std::string& l2) {
            EXPECT_EQ(l2, SeguroDesemprego::PerguntaSobrepor);
            sobreposicoes.push_back(l1);
            return resposta;
        };
    }
    void SetUp() override {
        SeguroTeste::SetUp();
        abre(9);
    }
};

TEST_F(SeguroComPeriodo, MesmoMesEParcelado) {
    EXPECT_TRUE(sd->Confirma({151, "11", "3", 1500, 3, false}, interacao));
    EXPECT_EQ(linhasA(), (std::vector<Linha>{{151, 11, 2003, 3150, ""}}));

    ASSERT_TRUE(sd->Confirma({150, "11", "2003", 1500, 3, true}, interacao));
    // Each month with its own limits; the difference question once, its answer on every row.
    EXPECT_EQ(perguntasDiferenca, 1);
    EXPECT_EQ(linhasA(), (std::vector<Linha>{{151, 11, 2003, 3150, ""},
                                            {150, 11, 2003, 1050, "C"},
                                            {150, 12, 2003, 1050, "C"},
                                            {150, 1, 2004, 1080, "C"}}));
    EXPECT_TRUE(sobreposicoes.empty());
}

TEST_F(SeguroComPeriodo, EntradasRecusadasApontamACaixa) {
    auto campo = [&](SeguroDesemprego::Pedido pedido) -> std::string {
        try {
            sd->Confirma(pedido, interacao);
        } catch (const ErroCampo& e) {
            return e.campo() + ":" + e.what();
        }
        return "";
    };
    EXPECT_EQ(campo({999, "1", "2004", 1500}), "Item:Item de Cálculo Inválido!");
    EXPECT_EQ(campo({151, "13", "2004", 1500}), "Mes:Mês Inválido!");
    EXPECT_EQ(campo({151, "ab", "2004", 1500}), "Mes:Mês Inválido!");
    EXPECT_EQ(campo({151, "1", "2004", 0}), "Salario:Valor do Salário Inválido!");
    EXPECT_EQ(campo({151, "1", "2004", -5}), "Salario:Valor do Salário Inválido!");
    EXPECT_EQ(campo({151, "1", "2004", 1500, 0}), "Parcelas:Valor Inválido para o Campo!");
    EXPECT_EQ(campo({151, "1", "2004", 1500, 6, true}), "Parcelas:Valor Inválido para o Campo!");
    EXPECT_TRUE(linhasA().empty());
}

TEST_F(SeguroComPeriodo, SobreposicaoELimitesQueFaltam) {
    ASSERT_TRUE(sd->Confirma({151, "12", "2003", 1500, 1, false}, interacao));
    // Yes replaces the existing row.
    resposta = Resposta::Sim;
    ASSERT_TRUE(sd->Confirma({151, "12", "2003", 2500, 1, false}, interacao));
    EXPECT_EQ(sobreposicoes, (std::vector<std::string>{"Já existe item 151 cadastrado para o mes 12/2003."}));
    EXPECT_EQ(linhasA(), (std::vector<Linha>{{151, 12, 2003, 1300, ""}}));
    // No keeps it and adds another.
    resposta = Resposta::Nao;
    ASSERT_TRUE(sd->Confirma({151, "12", "2003", 1000, 1, false}, interacao));
    EXPECT_EQ(linhasA().size(), 2u);
    // Cancel stops silently with nothing added.
    resposta = Resposta::Cancela;
    EXPECT_FALSE(sd->Confirma({151, "12", "2003", 1000, 1, false}, interacao));
    EXPECT_EQ(linhasA().size(), 2u);
    EXPECT_FALSE(p->tabela().editando());

    // In instalments, a month without figures stops the run; earlier rows stay.
    EXPECT_THROW(sd->Confirma({150, "1", "2004", 1500, 2, true}, interacao), ErroKorva);
    const auto linhas = linhasA();
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas.back(), (Linha{150, 1, 2004, 1080, "C"}));
    EXPECT_FALSE(p->tabela().editando());
}

TEST_F(SeguroComPeriodo, DataBaseInformadaComCodigo50) {
    abre(50);
    std::vector<std::string> propostas, avisos;
    std::vector<std::optional<std::string>> respostas{"31/02/2004", "15/03/2004", std::nullopt};
    size_t i = 0;
    interacao.pedeData = [&](const std::string& titulo, const std::string& prompt, const std::string& proposta) {
        EXPECT_EQ(titulo, "KORVA");
        EXPECT_EQ(prompt.rfind("Data Base de Atualização da Verba (", 0), 0u);
        propostas.push_back(proposta);
        return respostas.at(i++);
    };
    interacao.avisa = [&](const std::string& t) { avisos.push_back(t); };
    // First instalment: one invalid date, then a valid one; the second
    // instalment proposes the last date and is cancelled.
    EXPECT_FALSE(sd->Confirma({151, "11", "2003", 1500, 2, true}, interacao));
    EXPECT_EQ(avisos, (std::vector<std::string>{"Data Inválida!"}));
    EXPECT_EQ(propostas, (std::vector<std::string>{"", "", "15/03/2004"}));
    Tabela a(banco, tabelaA);
    a.abre();
    ASSERT_EQ(a.quantidade(), 1);
    a.primeiro();
    EXPECT_EQ(a.valor("DtBase").comoData(), Data::de(2004, 3, 15));
}

}  // namespace
}  // namespace korva
