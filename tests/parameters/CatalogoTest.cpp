// The pay-item catalogue: code model, the catalogue's entry and deletion
// rules, the repercussion list, the searches and the pick list, over the
// catalogue delivered with a new installation.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "apoio/PastaTemporaria.h"
#include "parameters/Catalogo.h"
#include "parameters/CodigosVerba.h"
#include "parameters/ListaRendimentos.h"
#include "parameters/RelatorioVerbas.h"
#include "parameters/VerbasCatalogo.h"
#include "reference/CargaInicial.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {
namespace {

std::string Erro(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::vector<int> Codigos(Tabela& t) {
    std::vector<int> c;
    for (t.primeiro(); !t.fim(); t.proximo()) c.push_back(static_cast<int>(t.valor("Codigo").comoInteiro()));
    return c;
}

struct BaseCatalogo : ::testing::Test {
    teste::PastaTemporaria pasta;
    std::unique_ptr<Banco> privado, comum;
    std::unique_ptr<TabelasReferencia> referencia;

    void SetUp() override {
        std::filesystem::create_directories(pasta.caminho() / "priv");
        std::filesystem::create_directories(pasta.caminho() / "share");
        privado = std::make_unique<Banco>("CalcPriv", pasta.caminho() / "priv");
        comum = std::make_unique<Banco>("CalcShare", pasta.caminho() / "share");
        for (const auto& nome : TabelasFixasPrivadas()) privado->criaTabela(nome, *EsquemaFixoPrivado(nome));
        for (const auto& nome : TabelasCompartilhadas()) comum->criaTabela(nome, *EsquemaCompartilhado(nome));
        CarregaDadosEntregues(*privado, *comum);
        referencia = std::make_unique<TabelasReferencia>(*comum);
    }

    // A user item 700 with a repercussion row on item 13.
    void itemDoUsuario(Catalogo& c) {
        Tabela& r = c.rendimentos();
        r.insere();
        r["Codigo"] = 700;
        r["DescRend"] = "GRATIFICAÇÃO DE FUNÇÃO";
        r.grava();
        Tabela& x = c.reflexos();
        x.insere();
        x["Reflexo"] = 13;
        x["Qtde"] = 1.0;
        x["Indice"] = 1.0;
        x["Divisor"] = 12.0;
        x.grava();
    }
};

TEST(CodigosVerba, PredicatesOnTheBoundaryCodes) {
    EXPECT_TRUE(EhItemBasico(1));
    EXPECT_TRUE(EhItemBasico(9));
    EXPECT_FALSE(EhItemBasico(10));
    EXPECT_FALSE(EhItemBasico(0));
    EXPECT_FALSE(EhItemResultado(9));
    EXPECT_FALSE(EhItemResultado(10));
    EXPECT_FALSE(EhItemResultado(11));
    EXPECT_TRUE(EhItemResultado(12));
    EXPECT_TRUE(EhItemResultado(19));
    EXPECT_TRUE(EhItemResultado(892));
    EXPECT_TRUE(EhItemResultado(902));
    EXPECT_TRUE(EhItemResultado(997));
    EXPECT_TRUE(EhItemResultado(999));
    EXPECT_FALSE(EhItemResultado(1000));

    EXPECT_EQ(FamiliaDe(9), 0);
    EXPECT_EQ(FamiliaDe(10), 10);
    EXPECT_EQ(FamiliaDe(19), 10);
    EXPECT_EQ(FamiliaDe(902), 900);
    EXPECT_EQ(ItemDiferenca(19), 12);
    EXPECT_EQ(ItemDiferenca(10), 12);
    EXPECT_EQ(ItemPago(997), 991);
    EXPECT_EQ(ItemDiferenca(9), 0);
    EXPECT_TRUE(EhItemDiferenca(12));
    EXPECT_TRUE(EhItemDiferenca(892));
    EXPECT_FALSE(EhItemDiferenca(2));
    EXPECT_TRUE(TemOpcaoDiferenca(10));
    EXPECT_FALSE(TemOpcaoDiferenca(12));
    EXPECT_TRUE(EhItemPago(11));

    EXPECT_TRUE(EhItemFGTS(902));
    EXPECT_TRUE(EhItemFGTS(903));
    EXPECT_FALSE(EhItemFGTS(904));
    EXPECT_TRUE(EhItemSeguroDesemprego(892));
    EXPECT_FALSE(EhItemSeguroDesemprego(902));
    EXPECT_TRUE(EhItemValorado(4));
    EXPECT_FALSE(EhItemValorado(5));
    EXPECT_TRUE(EhItemValorado(997));
    EXPECT_FALSE(EhItemValorado(996));

    EXPECT_EQ(CodigoTresDigitos(9), "009");
    EXPECT_EQ(CodigoTresDigitos(892), "892");
    EXPECT_FALSE(CodigoVerbaValido(0));
    EXPECT_FALSE(CodigoVerbaValido(1000));
}

TEST_F(BaseCatalogo, SystemItemKeepsCodeAndDescriptionAndCannotBeDeletedButItsDefaultsChange) {
    Catalogo c(*privado, *referencia);
    c.abre();
    Tabela& r = c.rendimentos();
    ASSERT_TRUE(r.localizaChave({12}));
    EXPECT_TRUE(c.somenteLeitura("Codigo"));
    EXPECT_TRUE(c.somenteLeitura("DescRend"));
    EXPECT_FALSE(c.somenteLeitura("Qtde"));
    r.edita();
    EXPECT_EQ(Erro([&] { r["Codigo"] = 712; }), Catalogo::MsgAlteraSistema);
    EXPECT_EQ(Erro([&] { r["DescRend"] = "Outra"; }), Catalogo::MsgAlteraSistema);
    EXPECT_EQ(Erro([&] { r["Tipo"] = "U"; }), Catalogo::MsgCampoSomenteLeitura);
    r["Qtde"] = 2.5;
    r["INSS"] = "n";
    r["IR"] = 1;
    r.grava();
    const auto v = VerbasCatalogo(*privado).Busca(12);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->descricao, "Diferenças salariais");
    EXPECT_DOUBLE_EQ(*v->padroes.qtde, 2.5);
    EXPECT_EQ(v->padroes.inss, "N");
    EXPECT_EQ(v->ir, 1);

    const int antes = r.quantidade();
    ASSERT_TRUE(r.localizaChave({12}));
    EXPECT_EQ(Erro([&] { r.exclui(); }), Catalogo::MsgExcluiSistema);
    EXPECT_EQ(r.quantidade(), antes);
    EXPECT_TRUE(VerbasCatalogo(*privado).Existe(12));
    EXPECT_FALSE(VerbasCatalogo(*privado).ReflexosDe(12).empty());
    c.fecha();
}

TEST_F(BaseCatalogo, NewUserItemTakesItsValuesAndTheEntryChecksRefuseBadValues) {
    Catalogo c(*privado, *referencia);
    c.abre();
    Tabela& r = c.rendimentos();
    r.insere();
    EXPECT_EQ(r.valor("IR").comoInteiro(), 3);
    EXPECT_EQ(r.valor("INSS").comoTexto(), "N");
    EXPECT_EQ(r.valor("Tipo").comoTexto(), "U");
    EXPECT_FALSE(c.somenteLeitura("Codigo"));
    EXPECT_TRUE(c.reflexos().vazia());  // a new item has no repercussions yet
    EXPECT_EQ(Erro([&] { r["Codigo"] = 1000; }), Catalogo::MsgCodigoInvalido);
    r["Codigo"] = 700;
    r["DescRend"] = "PRÊMIO DE PRODUÇÃO";
    EXPECT_EQ(r.valor("DescRend").comoTexto(), "Prêmio de Produção");
    r["INSS"] = "s";
    EXPECT_EQ(r.valor("INSS").comoTexto(), "S");
    EXPECT_EQ(Erro([&] { r["INSS"] = "x"; }), Catalogo::MsgValorInvalido);
    EXPECT_EQ(r.valor("INSS").comoTexto(), "S");  // keeps its former value
    EXPECT_EQ(Erro([&] { r["Base"] = 700; }), Catalogo::MsgBaseInvalida);
    EXPECT_EQ(Erro([&] { r["IR"] = 77; }), Catalogo::MsgBaseIRInexistente);
    r["IR"] = 4;
    EXPECT_EQ(c.descricaoBaseIR(), "Não tributável");
    r["Base"] = 2;
    r.grava();
    EXPECT_EQ(r.valor("Codigo").comoInteiro(), 700);

    // Duplicate code: the store's own key error.
    r.insere();
    r["Codigo"] = 700;
    r["DescRend"] = "Outro";
    EXPECT_THROW(r.grava(), ErroBanco);
    r.cancela();

    // A base equal to a code typed afterwards is caught on storing.
    r.insere();
    r["Base"] = 701;
    r["Codigo"] = 701;
    r["DescRend"] = "X";
    EXPECT_EQ(Erro([&] { r.grava(); }), Catalogo::MsgBaseInvalida);
    r.cancela();
    c.fecha();
}

TEST_F(BaseCatalogo, UserItemCodeChangeCarriesItsRepercussionsAndDeletionTakesThem) {
    Catalogo c(*privado, *referencia);
    c.abre();
    itemDoUsuario(c);
    Tabela& r = c.rendimentos();
    ASSERT_TRUE(r.localizaChave({700}));
    r.edita();
    r["Codigo"] = 710;
    r["DescRend"] = "gratificação";
    r.grava();
    VerbasCatalogo v(*privado);
    EXPECT_TRUE(v.ReflexosDe(700).empty());
    ASSERT_EQ(v.ReflexosDe(710).size(), 1u);
    EXPECT_EQ(c.reflexos().quantidade(), 1);
    EXPECT_EQ(c.descricaoReflexo(), "Dif. salariais - reflexo 13º salário");

    // Deleting a user item takes its own repercussion list along.
    ASSERT_TRUE(r.localizaChave({710}));
    r.exclui();
    EXPECT_FALSE(v.Existe(710));
    EXPECT_TRUE(v.ReflexosDe(710).empty());

    // A user item that is a repercussion of another is refused with the items named.
    itemDoUsuario(c);  // 700 -> 13
    r.insere();
    r["Codigo"] = 720;
    r["DescRend"] = "Reflexo";
    r.grava();
    ASSERT_TRUE(r.localizaChave({700}));
    Tabela& x = c.reflexos();
    x.insere();
    x["Reflexo"] = 720;
    x["Qtde"] = 1.0;
    x["Indice"] = 1.0;
    x["Divisor"] = 1.0;
    x.grava();
    ASSERT_TRUE(r.localizaChave({720}));
    const std::string e = Erro([&] { r.exclui(); });
    EXPECT_NE(e.find("(700)"), std::string::npos) << e;
    EXPECT_TRUE(v.Existe(720));
    c.fecha();
}

TEST_F(BaseCatalogo, RepercussionRowsFollowTheItemAndRefuseMissingSelfAndRepeatedItems) {
    Catalogo c(*privado, *referencia);
    c.abre();
    Tabela& r = c.rendimentos();
    Tabela& x = c.reflexos();
    ASSERT_TRUE(r.localizaChave({22}));
    const int quantos = static_cast<int>(VerbasCatalogo(*privado).ReflexosDe(22).size());
    EXPECT_EQ(x.quantidade(), quantos);
    for (x.primeiro(); !x.fim(); x.proximo()) EXPECT_EQ(x.valor("Base").comoInteiro(), 22);

    x.insere();
    EXPECT_EQ(x.valor("Base").comoInteiro(), 22);
    EXPECT_TRUE(c.reflexoSomenteLeitura("Base"));
    EXPECT_EQ(Erro([&] { x["Base"] = 12; }), Catalogo::MsgCampoSomenteLeitura);
    EXPECT_EQ(Erro([&] { x["Reflexo"] = 22; }), Catalogo::MsgReflexoInvalido);
    EXPECT_EQ(Erro([&] { x["Reflexo"] = 777; }), "Verba 777 não encontrada na Tabela de Verbas!");
    EXPECT_EQ(Erro([&] { x["Reflexo"] = 23; }), "A verba 023 já está nos reflexos desta verba!");
    EXPECT_TRUE(x.valor("Reflexo").nulo());
    x.cancela();
    EXPECT_EQ(x.quantidade(), quantos);

    // Editing a row may keep its own item.
    x.primeiro();
    const auto proprio = x.valor("Reflexo");
    x.edita();
    x["Reflexo"] = proprio;
    x["Divisor"] = 7.0;
    x.grava();

    // Both tables in edit state disable the search panel; closing is refused.
    EXPECT_TRUE(c.painelPesquisaHabilitado());
    x.edita();
    EXPECT_TRUE(c.painelPesquisaHabilitado());
    EXPECT_THROW(c.fecha(), ErroKorva);
    r.edita();
    EXPECT_FALSE(c.painelPesquisaHabilitado());
    r.cancela();
    x.cancela();

    // Moving to another item shows its list.
    ASSERT_TRUE(r.localizaChave({10}));
    EXPECT_TRUE(x.vazia());
    c.fecha();
    EXPECT_FALSE(c.aberto());
}

TEST_F(BaseCatalogo, SearchByCodeAndByDescriptionInTheThreeModes) {
    Catalogo c(*privado, *referencia);
    c.abre();
    Tabela& r = c.rendimentos();
    const int todos = r.quantidade();
    EXPECT_FALSE(c.opcoesPesquisaHabilitadas());
    c.pesquisa(" 12 ");
    EXPECT_EQ(Codigos(r), std::vector<int>{12});
    EXPECT_EQ(Erro([&] { c.pesquisa("abc"); }), Catalogo::MsgPesquisaInvalida);
    EXPECT_EQ(Codigos(r), std::vector<int>{12});  // the search in force stays
    EXPECT_EQ(c.textoPesquisa(), "12");
    c.pesquisa("");
    EXPECT_EQ(r.quantidade(), todos);

    c.defineOrdem(OrdemCatalogo::Rendimento);
    EXPECT_TRUE(c.opcoesPesquisaHabilitadas());
    c.pesquisa("reflexo férias");  // anywhere (the default)
    const auto qualquer = Codigos(r);
    EXPECT_FALSE(qualquer.empty());
    for (int k : qualquer) EXPECT_NE(VerbasCatalogo(*privado).Descricao(k).find("reflexo férias"), std::string::npos);
    EXPECT_EQ(std::count(qualquer.begin(), qualquer.end(), 14), 1);

    c.defineOpcaoPesquisa(OpcaoPesquisa::Inicio);
    c.pesquisa("HORAS EXTRAS 50%");
    auto inicio = Codigos(r);  // in description order
    std::sort(inicio.begin(), inicio.end());
    EXPECT_EQ(inicio, (std::vector<int>{20, 21, 23, 24, 25, 26}));  // 22 begins with "Diferença"
    c.pesquisa("REFLEXO FÉRIAS");
    EXPECT_TRUE(r.vazia());

    c.defineOpcaoPesquisa(OpcaoPesquisa::Final);
    c.pesquisa("1/3 FÉRIAS");
    const auto final = Codigos(r);
    EXPECT_EQ(std::count(final.begin(), final.end(), 15), 1);
    EXPECT_EQ(std::count(final.begin(), final.end(), 14), 0);
    c.pesquisa("SALÁRIO MÍNIMO E MAIS TEXTO LONGO DEMAIS PARA CABER");
    EXPECT_TRUE(r.vazia());
    // A description that ends with the text passes even when the text also
    // occurs earlier in it.
    c.pesquisa("");
    r.insere();
    r["Codigo"] = 700;
    r["DescRend"] = "prêmio sobre prêmio";
    r.grava();
    c.pesquisa("PRÊMIO");
    EXPECT_EQ(Codigos(r), std::vector<int>{700});
    c.pesquisa("SOBRE");
    EXPECT_TRUE(r.vazia());

    // An integer text is a search in either order.
    c.pesquisa("700");
    EXPECT_TRUE(r.vazia());  // no description holds "700"
    c.defineOrdem(OrdemCatalogo::Codigo);
    EXPECT_EQ(Codigos(r), std::vector<int>{700});
    c.defineOrdem(OrdemCatalogo::Rendimento);
    c.pesquisa("FÉRIAS");

    // Back to "Código": a text that is not an integer is dropped.
    c.defineOrdem(OrdemCatalogo::Codigo);
    EXPECT_EQ(c.textoPesquisa(), "");
    EXPECT_EQ(r.quantidade(), todos + 1);  // with item 700
    c.fecha();
}

TEST(Catalogo, SearchTextSuitsTheOrder) {
    // The window empties its search box on going to "Código" by this rule.
    EXPECT_TRUE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, " 12 "));
    EXPECT_TRUE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, ""));
    EXPECT_TRUE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, "-3"));
    EXPECT_FALSE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, "12A"));
    EXPECT_FALSE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, "FÉRIAS"));
    EXPECT_FALSE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Codigo, "1 2"));
    EXPECT_TRUE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Rendimento, "FÉRIAS"));
    EXPECT_TRUE(Catalogo::TextoPesquisaValido(OrdemCatalogo::Rendimento, "12"));
}

TEST_F(BaseCatalogo, PickListChoosesACodeAndBringsTheDefaultsIntoAParameterRow) {
    ListaRendimentos l(*privado);
    l.mostra();
    EXPECT_EQ(l.resultado(), 0);
    EXPECT_TRUE(l.okHabilitado());
    EXPECT_EQ(l.tabela().valor("Codigo").comoInteiro(), 1);  // code order

    l.pesquisa("NADA DISSO EXISTE");
    EXPECT_FALSE(l.okHabilitado());
    EXPECT_FALSE(l.escolhe());
    EXPECT_EQ(l.resultado(), 0);

    l.defineOpcaoPesquisa(OpcaoPesquisa::Inicio);
    l.pesquisa("horas extras 50% devidas");
    ASSERT_TRUE(l.okHabilitado());
    ASSERT_TRUE(l.escolhe());
    EXPECT_EQ(l.resultado(), 20);
    l.esconde();
    const auto p = l.padroesEscolhidos();
    ASSERT_TRUE(p);

    // Defaults of item 20 (no quantity, index 1.5, divisor 220, base 2, INSS N).
    Banco& b = *privado;
    b.criaTabela("A0000001.db", ReceitaConjunto(0));
    Tabela a(b, "A0000001.db");
    a.abre();
    a.insere();
    a["Qtde"] = 9.0;
    CopiaPadroes(*p, a);
    EXPECT_DOUBLE_EQ(a.valor("Qtde").comoNumero(), 9.0);  // the catalogue holds none: kept
    EXPECT_DOUBLE_EQ(a.valor("Indice").comoNumero(), 1.5);
    EXPECT_DOUBLE_EQ(a.valor("Divisor").comoNumero(), 220.0);
    EXPECT_EQ(a.valor("Base").comoInteiro(), 2);
    EXPECT_EQ(a.valor("INSS").comoTexto(), "N");
    a.cancela();

    // Showing again clears the result and the search.
    l.mostra();
    EXPECT_EQ(l.resultado(), 0);
    EXPECT_EQ(l.textoPesquisa(), "");
    l.esconde();
}

TEST_F(BaseCatalogo, PickListOnAnEmptyCatalogueHasOkDisabled) {
    privado->esvaziaTabela(kTabelaRendimentos);
    ListaRendimentos l(*privado);
    l.mostra();
    EXPECT_FALSE(l.okHabilitado());
    EXPECT_FALSE(l.escolhe());
    EXPECT_FALSE(l.padroesEscolhidos());
    EXPECT_EQ(VerbasCatalogo(*privado).Descricao(12), "");
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

TEST(RelatorioVerbas, NumbersTakeTheReportFormats) {
    EXPECT_EQ(FormataNumeroVerba(1234.5, 4, true), "1.234,5000");
    EXPECT_EQ(FormataNumeroVerba(1234567.0, 4, true), "1.234.567,0000");
    EXPECT_EQ(FormataNumeroVerba(0.5, 4, true), "0,5000");
    EXPECT_EQ(FormataNumeroVerba(220, 2, false), "220,00");
    EXPECT_EQ(FormataNumeroVerba(1234.5, 2, false), "1234,50");
    EXPECT_EQ(FormataNumeroVerba(-2.126, 2, false), "-2,13");
    EXPECT_EQ(FormataNumeroVerba(-0.001, 2, false), "0,00");
}

TEST_F(BaseCatalogo, ReportListsEveryItemInCodeOrderAndNothingForAnEmptyCatalogue) {
    const auto linhas = LinhasRelatorioVerbas(*privado, *referencia);
    ASSERT_FALSE(linhas.empty());
    EXPECT_EQ(linhas.front().verba, "001-Salário mínimo");
    EXPECT_EQ(linhas.front().baseIR, "Não tributável");
    EXPECT_EQ(linhas.front().qtde, "");
    const auto it = std::find_if(linhas.begin(), linhas.end(),
                                 [](const LinhaRelatorioVerbas& l) { return l.verba.rfind("020-", 0) == 0; });
    ASSERT_NE(it, linhas.end());
    EXPECT_EQ(it->indice, "1,5000");
    EXPECT_EQ(it->divisor, "220,00");
    EXPECT_EQ(it->base, "002");
    EXPECT_EQ(it->inss, "N");
    EXPECT_EQ(it->baseIR, "Demais parcelas");

    privado->esvaziaTabela(kTabelaRendimentos);
    EXPECT_TRUE(LinhasRelatorioVerbas(*privado, *referencia).empty());
}

}  // namespace
}  // namespace korva
