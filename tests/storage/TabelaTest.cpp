// Datasets over one table: states, order, filters, keys, bookmarks, events,
// field checks and what a failed post leaves behind.
#include <gtest/gtest.h>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

DefTabela Pessoas() {
    DefTabela d;
    d.campos = {CampoAutoinc("Codigo", true), CampoString("Nome", 10, true), CampoSmallint("Tipo", true),
                CampoDate("Nasc"), CampoFloat("Valor"), CampoBoolean("Ativo")};
    d.indices = {IndicePrimario({"Codigo"}), IndiceSecundario("IndTipoNome", {"Tipo", "Nome"}, false, true),
                 IndiceSecundario("IndNome", {"Nome"}, true, true)};
    return d;
}

struct TabelaTeste : ::testing::Test {
    teste::PastaTemporaria pasta;
    Banco banco{"Teste", pasta.caminho()};
    void SetUp() override { banco.criaTabela("Pessoas.DB", Pessoas()); }
    void inclui(Tabela& t, const std::string& nome, int tipo) {
        t.insere();
        t["Nome"] = nome;
        t["Tipo"] = tipo;
        t.grava();
    }
};

int CodigoErro(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroBanco& e) {
        return e.codigo();
    }
    return -1;
}

}  // namespace

TEST_F(TabelaTeste, AutoincrementNumbersRowsAndNeverReusesANumber) {
    Tabela t(banco, "pessoas.db");  // names match without regard to case
    t.abre();
    inclui(t, "Ana", 1);
    inclui(t, "Bia", 1);
    EXPECT_EQ(t["Codigo"].comoInteiro(), 2);
    t.exclui();
    inclui(t, "Caio", 2);
    EXPECT_EQ(t["Codigo"].comoInteiro(), 3);
    // A second handle sees the rows in primary-key order.
    Tabela u(banco, "Pessoas.DB");
    u.abre();
    ASSERT_EQ(u.quantidade(), 2);
    EXPECT_EQ(u["Nome"].comoTexto(), "Ana");
    u.proximo();
    EXPECT_EQ(u["Nome"].comoTexto(), "Caio");
    u.proximo();
    EXPECT_TRUE(u.fim());
}

TEST_F(TabelaTeste, OrderByIndexIsCaseAndAccentInsensitiveAndFollowsPostedChanges) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    for (auto n : {"bruno", "Álvaro", "ana", "Carla"}) inclui(t, n, 1);
    t.defineIndice("IndNome");
    std::vector<std::string> nomes;
    for (t.primeiro(); !t.fim(); t.proximo()) nomes.push_back(t["Nome"].comoTexto());
    EXPECT_EQ(nomes, (std::vector<std::string>{"Álvaro", "ana", "bruno", "Carla"}));
    // Renaming moves the row to its new place and keeps it current.
    ASSERT_TRUE(t.localizaChave({Valor("BRUNO")}));
    t.edita();
    t["Nome"] = "Aaron";
    t.grava();
    EXPECT_EQ(t.posicao(), 0);
    EXPECT_EQ(t["Nome"].comoTexto(), "Aaron");
}

TEST_F(TabelaTeste, FindKeyOnLeadingFieldsAndNearest) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Zé", 3);
    inclui(t, "Ana", 1);
    inclui(t, "Eva", 3);
    t.defineIndice("IndTipoNome");
    ASSERT_TRUE(t.localizaChave({Valor(3)}));
    EXPECT_EQ(t["Nome"].comoTexto(), "Eva");
    ASSERT_TRUE(t.localizaChave({Valor(3), Valor("zé")}));
    EXPECT_EQ(t["Nome"].comoTexto(), "Zé");
    EXPECT_FALSE(t.localizaChave({Valor(2)}));
    EXPECT_EQ(t["Nome"].comoTexto(), "Zé");  // a failed find stays where it was
    t.localizaProximo({Valor(2)});
    EXPECT_EQ(t["Nome"].comoTexto(), "Eva");
}

TEST_F(TabelaTeste, FiltersByExpressionAndByTest) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Ana", 1);
    inclui(t, "Bia", 3);
    inclui(t, "Caio", 4);
    inclui(t, "Davi", 2);
    t.defineFiltro("Tipo<3");
    EXPECT_EQ(t.quantidade(), 2);
    t.defineFiltro("Tipo>=3 and Nome<>'Bia'");
    ASSERT_EQ(t.quantidade(), 1);
    EXPECT_EQ(t["Nome"].comoTexto(), "Caio");
    t.defineFiltro("Tipo=1 or Tipo=4");
    EXPECT_EQ(t.quantidade(), 2);
    t.defineFiltroFuncao([](const Tabela& x) { return x.valor("Nome").comoTexto().size() == 4; });
    EXPECT_EQ(t.quantidade(), 1);  // both filters apply
    // A new row that fails the filter is stored but not shown.
    inclui(t, "Eli", 1);
    EXPECT_EQ(t.quantidade(), 1);
    t.limpaFiltro();
    EXPECT_EQ(t.quantidade(), 5);
    EXPECT_THROW(t.defineFiltro("Inexistente=1"), ErroKorva);
}

TEST_F(TabelaTeste, BookmarksAndRefreshSeeOtherHandlesChanges) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Ana", 1);
    inclui(t, "Bia", 1);
    const Marcador m = t.marcador();
    t.primeiro();
    ASSERT_TRUE(t.vaiParaMarcador(m));
    EXPECT_EQ(t["Nome"].comoTexto(), "Bia");
    Tabela outra(banco, "Pessoas.DB");
    outra.abre();
    inclui(outra, "Caio", 1);
    EXPECT_EQ(t.quantidade(), 2);  // not seen until refreshed
    t.atualiza();
    EXPECT_EQ(t.quantidade(), 3);
    EXPECT_EQ(t["Nome"].comoTexto(), "Bia");  // current row kept
}

TEST_F(TabelaTeste, FieldChecksRejectBadValuesWithEngineCodes) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    t.insere();
    EXPECT_EQ(CodigoErro([&] { t["Tipo"] = 40000; }), CodigoBanco::AcimaDoMaximo);
    EXPECT_EQ(CodigoErro([&] { t["Tipo"] = -40000; }), CodigoBanco::AbaixoDoMinimo);
    EXPECT_EQ(CodigoErro([&] { t["Nome"] = "Nome comprido demais"; }), CodigoBanco::AcimaDoMaximo);
    EXPECT_THROW(t["Nasc"] = "31/02/2009", ErroConversao);
    EXPECT_THROW(t["Tipo"] = 1.5, ErroConversao);
    t["Nome"] = "Ana";
    // Required field left empty: the row stays in insert state with the input.
    EXPECT_EQ(CodigoErro([&] { t.grava(); }), CodigoBanco::CampoObrigatorio);
    EXPECT_EQ(t.estado(), EstadoTabela::Insercao);
    EXPECT_EQ(t["Nome"].comoTexto(), "Ana");
    t["Tipo"] = 1;
    t["Nasc"] = "01/02/2009";
    t["Ativo"] = true;
    t.grava();
    EXPECT_EQ(t["Nasc"].comoData(), Data::de(2009, 2, 1));
    EXPECT_TRUE(t["Ativo"].comoLogico());
    // An empty text is an empty field, which a required field refuses on posting.
    t.edita();
    t["Nome"] = "";
    EXPECT_TRUE(t["Nome"].nulo());
    EXPECT_EQ(CodigoErro([&] { t.grava(); }), CodigoBanco::CampoObrigatorio);
    t.cancela();
    EXPECT_EQ(t["Nome"].comoTexto(), "Ana");
}

TEST_F(TabelaTeste, DuplicateKeyIsMessageFourAndLeavesTheRowInInsertState) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Ana", 1);
    t.insere();
    t["Nome"] = "ANA";  // unique case-insensitive index
    t["Tipo"] = 2;
    const int codigo = CodigoErro([&] { t.grava(); });
    EXPECT_EQ(codigo, CodigoBanco::ChaveDuplicada);
    EXPECT_EQ(TextoMensagem(ClassificaErro(codigo, {})), "Violação de identificação do registro. Registro já cadastrado.");
    EXPECT_EQ(t.estado(), EstadoTabela::Insercao);
    t.cancela();
    EXPECT_EQ(t.quantidade(), 1);
}

TEST_F(TabelaTeste, EventsRunInOrderAndAValidationCanRefuseAValue) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    std::vector<std::string> ordem;
    t.antesInserir = [&](Tabela&) { ordem.push_back("antesInserir"); };
    t.aoNovoRegistro = [&](Tabela& x) {
        ordem.push_back("novo");
        x["Tipo"] = 9;  // default of a new row
    };
    t.depoisInserir = [&](Tabela&) { ordem.push_back("depoisInserir"); };
    t.antesGravar = [&](Tabela& x) {
        ordem.push_back("antesGravar");
        if (x["Nome"].comoTexto() == "Proibido") throw ErroKorva("Nome não permitido");
    };
    t.depoisGravar = [&](Tabela&) { ordem.push_back("depoisGravar"); };
    t.antesExcluir = [&](Tabela&) { ordem.push_back("antesExcluir"); };
    t.validaCampo("Nome", [](Tabela&, const Valor& v) {
        if (v.comoTexto() == "X") throw ErroKorva("Nome inválido!");
    });
    t.insere();
    EXPECT_EQ(t["Tipo"].comoInteiro(), 9);
    EXPECT_THROW(t["Nome"] = "X", ErroKorva);
    EXPECT_TRUE(t["Nome"].nulo());
    t["Nome"] = "Proibido";
    EXPECT_THROW(t.grava(), ErroKorva);
    EXPECT_EQ(t.estado(), EstadoTabela::Insercao);
    t["Nome"] = "Ana";
    t.grava();
    t.exclui();
    EXPECT_EQ(ordem, (std::vector<std::string>{"antesInserir", "novo", "depoisInserir", "antesGravar", "antesGravar",
                                               "depoisGravar", "antesExcluir"}));
    EXPECT_TRUE(t.vazia());
}

TEST_F(TabelaTeste, MovingOffAnEditedRowPostsIt) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Ana", 1);
    inclui(t, "Bia", 1);
    t.primeiro();
    t.edita();
    t["Tipo"] = 5;
    t.proximo();
    EXPECT_EQ(t.estado(), EstadoTabela::Navegacao);
    Tabela u(banco, "Pessoas.DB");
    u.abre();
    EXPECT_EQ(u["Tipo"].comoInteiro(), 5);
}

TEST_F(TabelaTeste, TransactionRollbackUndoesEveryTableAndRefreshesHandles) {
    banco.criaTabela("Outra.DB", Pessoas());
    Tabela t(banco, "Pessoas.DB"), o(banco, "Outra.DB");
    t.abre();
    o.abre();
    inclui(t, "Ana", 1);
    {
        Transacao tr(banco);
        inclui(t, "Bia", 1);
        inclui(o, "Caio", 1);
        // not confirmed
    }
    EXPECT_EQ(t.quantidade(), 1);
    EXPECT_EQ(o.quantidade(), 0);
    {
        Transacao tr(banco);
        inclui(t, "Davi", 1);
        inclui(o, "Eva", 1);
        tr.confirma();
    }
    Tabela t2(banco, "Pessoas.DB"), o2(banco, "Outra.DB");
    t2.abre();
    o2.abre();
    EXPECT_EQ(t2.quantidade(), 2);
    EXPECT_EQ(o2.quantidade(), 1);
}

TEST_F(TabelaTeste, EmptyingNeedsExclusiveUse) {
    Tabela t(banco, "Pessoas.DB");
    t.abre();
    inclui(t, "Ana", 1);
    EXPECT_EQ(CodigoErro([&] { t.esvazia(); }), CodigoBanco::TabelaEmUso);
    Tabela x(banco, "Pessoas.DB");
    // Another handle holds it: exclusive use is refused, even in this process.
    EXPECT_EQ(CodigoErro([&] { x.abre(ModoAbertura::Exclusivo); }), CodigoBanco::TabelaEmUso);
    t.fecha();
    x.abre(ModoAbertura::Exclusivo);
    x.esvazia();
    EXPECT_TRUE(x.vazia());
    x.fecha();
    Tabela y(banco, "Pessoas.DB");
    y.abre();
    inclui(y, "Bia", 1);
    EXPECT_EQ(y["Codigo"].comoInteiro(), 2);  // counters survive emptying
}
