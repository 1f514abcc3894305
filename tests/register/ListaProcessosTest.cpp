// The picking lists: the lawsuit list in its two modes with the current
// calculation hidden and its search by number, the rate list with its filter,
// and the search options with their cancel.
#include <gtest/gtest.h>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "register/ConfiguracaoPesquisa.h"
#include "register/ListaProcessos.h"
#include "register/ListaTaxas.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

using namespace korva;

namespace {

struct Listas : ::testing::Test {
    teste::PastaTemporaria pasta;
    teste::PastaTemporaria pastaCompartilhada;
    Banco banco{"CalcPriv", pasta.caminho()};
    Banco compartilhado{"CalcComp", pastaCompartilhada.caminho()};

    void SetUp() override {
        banco.criaTabela("Processo.DB", EsquemaProcesso());
        compartilhado.criaTabela("PrevEmpregador.DB", *EsquemaCompartilhado("PrevEmpregador.DB"));
    }

    void processo(const std::string& numero, int grupo, int diretorio, double total) {
        Tabela t(banco, "Processo.DB");
        t.abre();
        t.insere();
        t["Processo"] = numero;
        t["CodRecte"] = grupo;
        t["DtGrav"] = Data::de(2009, 1, 1);
        t["DtAjuiz"] = Data::de(2008, 3, 10);
        t["DtBase"] = Data::de(2009, 2, 1);
        for (const char* f : {"TotalGeral", "FGTS", "TotalBaseINSS", "ValorINSSReclamante", "TotalBaseIR13",
                              "TotalBaseIRFerias", "TotalBaseIRDemais", "ValorTotalIR"})
            t[f] = 0.0;
        t["Total"] = total;
        t["INSSReclamado"] = 20.0;
        for (const char* f : {"IndPrincipal", "IndFGTS", "DataBasePadrao", "AtualizaFeriadosMunic", "Salario",
                              "ValeTransporte", "CalculoJuros", "OpcaoIR"})
            t[f] = 1;
        for (const char* f : {"IncidirJurosFGTS", "AtualizarBaseMedia", "AtualizaFeriadosNacionais",
                              "AtualizaFeriadosEstaduais", "IRSobreJuros", "AnularReflexoNegativo"})
            t[f] = false;
        t["AdicionarINSSRecte"] = true;
        t["Calculista"] = "Ana";
        t["Diretorio"] = diretorio;
        t.grava();
    }

    void taxa(int codigo, const std::string& natureza, double valor) {
        Tabela t(compartilhado, "PrevEmpregador.DB");
        t.abre();
        t.insere();
        t["Codigo"] = codigo;
        t["Natureza"] = natureza;
        t["Taxa"] = valor;
        t.grava();
    }

    std::vector<std::string> linhas(ListaProcessos& l) {
        std::vector<std::string> r;
        Tabela& t = l.tabela();
        for (t.primeiro(); !t.fim(); t.proximo())
            r.push_back(t.valor("Processo").comoTexto() + "/" + std::to_string(t.valor("CodRecte").comoInteiro()));
        return r;
    }

    std::vector<std::string> naturezas(const ListaTaxas& l) {
        std::vector<std::string> r;
        for (const auto& x : l.linhas()) r.push_back(x.natureza);
        return r;
    }
};

TEST_F(Listas, ListaDeProcessosNosDoisModosEscondeOCalculoAtual) {
    processo("123", 2, 1, 300.0);
    processo("123", 1, 1, 100.0);
    processo("123", 3, 2, 500.0);
    processo("0", 0, 1, 0.0);
    ListaProcessos lista(banco);

    lista.mostra("123", 2);
    EXPECT_EQ(lista.modo(), ListaProcessos::Modo::Calculo);
    EXPECT_EQ(linhas(lista), (std::vector<std::string>{"0/0", "123/1", "123/3"}));
    EXPECT_TRUE(lista.okHabilitado());

    // The check boxes are handed back, and keep their state to the next showing.
    lista.copias().juros = false;
    lista.tabela().ultimo();
    auto e = lista.escolhe();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->processo, "123");
    EXPECT_EQ(e->codRecte, 3);
    EXPECT_EQ(e->pasta, "Sub00002\\");
    EXPECT_EQ(e->NomeTabela('B'), "Sub00002\\B" + e->arquivo);
    EXPECT_EQ(e->arquivo.size(), 10u);
    EXPECT_DOUBLE_EQ(e->total, 500.0);
    EXPECT_DOUBLE_EQ(e->inssReclamado, 20.0);
    EXPECT_TRUE(e->adicionarINSSRecte);
    EXPECT_EQ(e->dtAjuiz, Data::de(2008, 3, 10));
    EXPECT_FALSE(e->copias.juros);
    EXPECT_TRUE(e->copias.periodo);
    lista.oculta();
    EXPECT_FALSE(lista.tabela().aberta());

    // Pro-rata mode: lawsuit "0", group 0 (and that row hidden).
    lista.mostra("0", 0);
    EXPECT_EQ(lista.modo(), ListaProcessos::Modo::Prorrata);
    EXPECT_EQ(linhas(lista), (std::vector<std::string>{"123/1", "123/2", "123/3"}));
    EXPECT_FALSE(lista.copias().juros);
    lista.importacao().impostoRenda = false;
    auto p = lista.escolhe();
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->importacao.impostoRenda);
    EXPECT_TRUE(p->importacao.contribuicaoEmpresa);
    // Group 0 of another lawsuit is the calculation mode.
    lista.mostra("123", 0);
    EXPECT_EQ(lista.modo(), ListaProcessos::Modo::Calculo);
    lista.oculta();
}

TEST_F(Listas, ListaDeProcessosVaziaEPesquisaPorNumero) {
    ListaProcessos lista(banco);
    lista.mostra("123", 1);
    EXPECT_FALSE(lista.okHabilitado());
    EXPECT_FALSE(lista.escolhe());

    processo("123", 1, 1, 0);
    processo("456", 2, 1, 0);
    processo("456", 1, 1, 0);
    processo("789", 1, 1, 0);
    lista.mostra("123", 1);
    EXPECT_EQ(ListaProcessos::TextoPesquisa(" 456a "), "456A");
    EXPECT_FALSE(ListaProcessos::PesquisaHabilitada(""));
    lista.pesquisa("789");
    EXPECT_EQ(lista.tabela().valor("Processo").comoTexto(), "789");
    // A number that is not there: the message, and the list stays where it was.
    try {
        lista.pesquisa("999");
        ADD_FAILURE() << "sem erro";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Processo não Encontrado!");
    }
    EXPECT_EQ(lista.tabela().valor("Processo").comoTexto(), "789");
    // An existing number goes to its first group.
    lista.pesquisa("456");
    EXPECT_EQ(lista.tabela().valor("CodRecte").comoInteiro(), 1);
    // The hidden calculation cannot be found.
    EXPECT_THROW(lista.pesquisa("123"), ErroKorva);
    lista.oculta();
}

TEST_F(Listas, ListaDeTaxasFiltraPelaOpcaoEmVigor) {
    taxa(1, "INDUSTRIA E COMERCIO", 20.0);
    taxa(2, "COMERCIO VAREJISTA", 22.5);
    taxa(3, "AGRICULTURA", 18.0);
    TabelasReferencia referencia(compartilhado);
    ConfiguracaoPesquisa opcoes;
    ListaTaxas lista(referencia, opcoes);

    lista.mostra("Taxas do Empregador", "PrevEmpregador.DB");
    EXPECT_EQ(naturezas(lista), (std::vector<std::string>{"AGRICULTURA", "COMERCIO VAREJISTA", "INDUSTRIA E COMERCIO"}));
    EXPECT_TRUE(lista.okHabilitado());

    // At start-up: anywhere in the field.
    EXPECT_EQ(lista.pesquisa(" comer "), "COMER");
    EXPECT_EQ(naturezas(lista), (std::vector<std::string>{"COMERCIO VAREJISTA", "INDUSTRIA E COMERCIO"}));

    opcoes.escolhe(OpcaoPesquisa::Inicio);
    opcoes.confirma();
    lista.pesquisa("COMER");
    EXPECT_EQ(naturezas(lista), std::vector<std::string>{"COMERCIO VAREJISTA"});
    ASSERT_TRUE(lista.escolhe());
    EXPECT_DOUBLE_EQ(*lista.escolhe(), 22.5);

    lista.pesquisa("XYZ");
    EXPECT_FALSE(lista.okHabilitado());
    EXPECT_FALSE(lista.escolhe());
    lista.pesquisa("   ");  // an empty text removes the filter
    EXPECT_EQ(lista.linhas().size(), 3u);

    // Showing again clears the search.
    lista.pesquisa("AGRI");
    lista.mostra("Taxas do Empregador", "PrevEmpregador.DB");
    EXPECT_EQ(lista.textoPesquisa(), "");
    EXPECT_EQ(lista.linhas().size(), 3u);
    lista.vaiPara(2);
    EXPECT_DOUBLE_EQ(*lista.escolhe(), 20.0);
    lista.oculta();
}

TEST_F(Listas, ListaDeTaxasSoDasTresTabelasESeguePosicaoDaGrade) {
    EXPECT_TRUE(ListaTaxas::TabelaDeTaxas("prevsat.db"));
    EXPECT_TRUE(ListaTaxas::TabelaDeTaxas("PrevTerceiro.DB"));
    EXPECT_FALSE(ListaTaxas::TabelaDeTaxas("Processo.DB"));
    ConfiguracaoPesquisa opcoes;
    ListaTaxas lista(compartilhado, opcoes);
    EXPECT_THROW(lista.mostra("X", "Salario.DB"), ErroKorva);
    EXPECT_FALSE(lista.visivel());

    taxa(1, "industria e comercio", 20.0);  // matched in capitals
    taxa(2, "COMERCIO VAREJISTA", 22.5);
    lista.mostra("Taxas", "PrevEmpregador.DB");
    EXPECT_TRUE(lista.visivel());
    EXPECT_EQ(lista.posicao(), 0);
    // A grid moving the dataset's cursor is what "&OK" takes.
    lista.tabela().ultimo();
    EXPECT_EQ(lista.posicao(), 1);
    ASSERT_TRUE(lista.escolhe());
    EXPECT_DOUBLE_EQ(*lista.escolhe(), 20.0);

    // The option changed after the list was shown counts at the next search;
    // the end of the field is "ends with it and not earlier".
    opcoes.escolhe(OpcaoPesquisa::Final);
    opcoes.confirma();
    lista.pesquisa("comercio");
    EXPECT_EQ(naturezas(lista), std::vector<std::string>{"industria e comercio"});
    EXPECT_EQ(lista.posicao(), 0);
    lista.oculta();
    EXPECT_FALSE(lista.tabela().aberta());
    EXPECT_FALSE(lista.okHabilitado());
    EXPECT_FALSE(lista.escolhe());
}

TEST_F(Listas, OpcoesDaPesquisaCanceladasNaoMudam) {
    ConfiguracaoPesquisa opcoes;
    EXPECT_EQ(opcoes.emVigor(), OpcaoPesquisa::QualquerParte);
    EXPECT_EQ(ConfiguracaoPesquisa::Rotulo(OpcaoPesquisa::Inicio), "No &início do campo");
    EXPECT_EQ(ConfiguracaoPesquisa::Rotulo(OpcaoPesquisa::QualquerParte), "Em &qualquer parte do campo");
    EXPECT_EQ(ConfiguracaoPesquisa::Rotulo(OpcaoPesquisa::Final), "No &final do campo");

    opcoes.escolhe(OpcaoPesquisa::Final);
    opcoes.cancela();
    EXPECT_EQ(opcoes.emVigor(), OpcaoPesquisa::QualquerParte);
    EXPECT_EQ(opcoes.escolhida(), OpcaoPesquisa::QualquerParte);

    opcoes.escolhe(OpcaoPesquisa::Final);
    opcoes.confirma();
    EXPECT_EQ(opcoes.emVigor(), OpcaoPesquisa::Final);
    opcoes.escolhe(OpcaoPesquisa::Inicio);
    opcoes.cancela();
    EXPECT_EQ(opcoes.emVigor(), OpcaoPesquisa::Final);
    EXPECT_EQ(opcoes.escolhida(), OpcaoPesquisa::Final);
}

}  // namespace
