// The pro-rata records: defaults of a new record and the default additions
// copied once, the child rows following the record, deletion with the child
// rows (atomic), the legal interest rows, the entry rules of variations and
// additions, the search, and a record taken from a stored calculation.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "BaseProrrata.h"
#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "prorata/ControlesProrrata.h"
#include "prorata/DefaultsProrrata.h"
#include "prorata/RegistrosProrrata.h"
#include "reference/TabelasReferencia.h"
#include "register/ListaProcessos.h"
#include "register/RegrasAcrescimos.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::teste {
namespace {

TEST_F(BaseProrrata, NewRecordTakesTodayZeroAmountsAndTheDefaultOptions) {
    auto r = abre();
    Tabela& t = r->registros();
    t.insere();
    EXPECT_TRUE(r->inserindo());
    EXPECT_EQ(t.valor("DtFinal").comoData(), Hoje);
    EXPECT_EQ(t.valor("Valor").comoNumero(), 0.0);
    EXPECT_EQ(t.valor("ValorJuros").comoNumero(), 0.0);
    EXPECT_EQ(t.valor("ValorFGTS").comoNumero(), 0.0);
    EXPECT_FALSE(t.valor("JurosConstantes").comoLogico());
    EXPECT_EQ(t.valor("Indice").comoInteiro(), 4);
    EXPECT_EQ(t.valor("FormaAbatimento").comoTexto(), "P");
    EXPECT_EQ(t.valor("UsarJurosPadrao").comoInteiro(), 1);
    EXPECT_TRUE(t.valor("CalcularJurosFGTS").comoLogico());
    EXPECT_EQ(t.valor("Obs").comoTexto(), "Atualização conforme sentença");
    EXPECT_EQ(t.valor("ObsFinal").comoTexto(), "Valores sujeitos a revisão");
    EXPECT_EQ(r->codigoAtual(), 0);
    // Nothing is stored until the record is.
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, 0) + linhasDe(kTabelaAcrescProrrata, 1), 0);
}

TEST_F(BaseProrrata, DefaultAdditionsAreCopiedOnceWhenTheNewRecordIsFirstStored) {
    auto r = abre();
    const int codigo = grava(*r, "0001234-56.2019.5.02.0001");
    ASSERT_GT(codigo, 0);
    EXPECT_FALSE(r->inserindo());
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, codigo), 2);

    Tabela& t = r->registros();
    t.edita();
    t["Valor"] = 2000.0;
    t.grava();
    t.edita();
    t.grava();
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, codigo), 2);

    r->abreParametros();
    Tabela* a = r->acrescimos();
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->quantidade(), 2);
    a->primeiro();
    EXPECT_EQ(a->valor("Descricao").comoTexto(), "Honorários");
    EXPECT_TRUE(a->valor("DtBase").nulo());
    a->proximo();
    EXPECT_EQ(a->valor("Descricao").comoTexto(), "Custas");
    EXPECT_EQ(a->valor("DtBase").comoData(), Data::de(2020, 3, 2));
    EXPECT_FALSE(a->valor("Totalizar").comoLogico());

    // Without the copy (the caller brings its own additions) nothing comes.
    r->defineCopiaAcrescimosPadrao(false);
    const int outro = grava(*r, "0001234-56.2019.5.02.0001", 2);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, outro), 0);
}

TEST_F(BaseProrrata, RecordIsNotStoredWhenItsDefaultAdditionsCannotBe) {
    auto r = abre();
    Tabela& t = r->registros();
    {
        Tabela exclusiva(banco, kTabelaAcrescProrrata);
        exclusiva.abre(ModoAbertura::Exclusivo);
        t.insere();
        t["Processo"] = "AAA";
        t["CodRecte"] = 1;
        t["DtAjuiz"] = Data::de(2019, 1, 10);
        t["DtBase"] = Data::de(2021, 5, 31);
        EXPECT_THROW(t.grava(), ErroBanco);
        EXPECT_TRUE(r->inserindo());
    }
    Tabela p(banco, kTabelaProrrata);
    p.abre(ModoAbertura::SomenteLeitura);
    EXPECT_EQ(p.quantidade(), 0);
    // Once the table is free, the same store goes through with the copy.
    t.grava();
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, r->codigoAtual()), 2);
}

TEST_F(BaseProrrata, InstalmentOnARecordBeingTypedStoresTheRecordFirst) {
    auto r = abre();
    Tabela& t = r->registros();
    t.insere();
    t["Processo"] = "AAA";
    t["CodRecte"] = 1;
    t["DtAjuiz"] = Data::de(2019, 1, 10);
    t["DtBase"] = Data::de(2021, 5, 31);
    r->parcelas().insere();
    EXPECT_FALSE(t.editando());
    const int codigo = r->codigoAtual();
    ASSERT_GT(codigo, 0);
    EXPECT_EQ(r->parcelas().valor("Prorrata").comoInteiro(), codigo);
    EXPECT_EQ(r->parcelas().valor("Valor").comoNumero(), 0.0);
    r->parcelas()["Data"] = Data::de(2022, 1, 3);
    r->parcelas().grava();
    EXPECT_EQ(linhasDe(kTabelaParcelas, codigo), 1);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, codigo), 2);
}

TEST_F(BaseProrrata, RefusedRecordStoresNeitherItNorTheAdditions) {
    auto r = abre();
    Tabela& t = r->registros();
    t.insere();
    t["Processo"] = "123";
    // DtAjuiz, DtBase and CodRecte missing.
    EXPECT_THROW(t.grava(), ErroBanco);
    EXPECT_TRUE(t.editando());
    t.cancela();
    Tabela a(banco, kTabelaAcrescProrrata);
    a.abre(ModoAbertura::SomenteLeitura);
    EXPECT_EQ(a.quantidade(), 0);
}

TEST_F(BaseProrrata, LawsuitNumberInCapitalsAndCheckedByTheMasks) {
    ajustes.mascara1 = "9999999-99.9999.9.99.9999";
    auto r = abre();
    Tabela& t = r->registros();
    t.insere();
    try {
        t["Processo"] = "12-3";
        FAIL() << "a number outside the mask was accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Formato do número do processo inválido!");
    }
    EXPECT_TRUE(t.valor("Processo").nulo());
    t["Processo"] = "0001234-56.2019.5.02.0001";
    EXPECT_EQ(t.valor("Processo").comoTexto(), "0001234-56.2019.5.02.0001");
    t.cancela();

    AjustesRegistro livre;
    RegistrosProrrata r2(banco, livre, [] { return Hoje; });
    r2.abre();
    r2.registros().insere();
    r2.registros()["Processo"] = "rt abc/2001";
    EXPECT_EQ(r2.registros().valor("Processo").comoTexto(), "RT ABC/2001");
    EXPECT_THROW(r2.registros()["FormaAbatimento"] = "X", ErroKorva);
    r2.registros()["FormaAbatimento"] = "j";
    EXPECT_EQ(r2.registros().valor("FormaAbatimento").comoTexto(), "J");
}

TEST_F(BaseProrrata, InstalmentsFollowTheRecordInDateOrder) {
    auto r = abre();
    const int a = grava(*r, "AAA");
    parcela(*r, Data::de(2022, 8, 1), 300);
    parcela(*r, Data::de(2022, 2, 1), 100);
    const int b = grava(*r, "BBB");
    EXPECT_TRUE(r->parcelas().vazia());
    parcela(*r, Data::de(2023, 1, 5), 50);
    EXPECT_EQ(r->parcelas().valor("Prorrata").comoInteiro(), b);

    ASSERT_TRUE(r->registros().localiza({"Codigo"}, {Valor(a)}));
    Tabela& p = r->parcelas();
    ASSERT_EQ(p.quantidade(), 2);
    p.primeiro();
    EXPECT_EQ(p.valor("Data").comoData(), Data::de(2022, 2, 1));
    p.proximo();
    EXPECT_EQ(p.valor("Data").comoData(), Data::de(2022, 8, 1));

    // A new record shows no instalments; an instalment without a lawsuit is refused.
    r->registros().insere();
    EXPECT_TRUE(p.vazia());
    try {
        p.insere();
        FAIL() << "an instalment without a record was accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), kMsgCadastreProcesso);
    }
    EXPECT_FALSE(p.editando());
    r->registros().cancela();
    // Back on AAA, where the insertion started, with its instalments.
    EXPECT_EQ(r->codigoAtual(), a);
    EXPECT_EQ(r->parcelas().quantidade(), 2);
}

TEST_F(BaseProrrata, DeletionTakesTheChildRowsOfTheRecordOnly) {
    auto r = abre();
    const int a = grava(*r, "AAA");
    parcela(*r, Data::de(2022, 2, 1), 100);
    r->abreParametros();
    r->jurosLegais();
    const int b = grava(*r, "BBB");
    parcela(*r, Data::de(2022, 3, 1), 70);
    r->jurosLegais();

    ASSERT_TRUE(r->registros().localiza({"Codigo"}, {Valor(a)}));
    r->excluiRegistro();
    EXPECT_EQ(r->registros().quantidade(), 1);
    EXPECT_EQ(linhasDe(kTabelaParcelas, a), 0);
    EXPECT_EQ(linhasDe(kTabelaJurosProrrata, a), 0);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, a), 0);
    EXPECT_EQ(linhasDe(kTabelaParcelas, b), 1);
    EXPECT_EQ(linhasDe(kTabelaJurosProrrata, b), 3);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, b), 2);
    // The child grids now show the record left.
    EXPECT_EQ(r->codigoAtual(), b);
    EXPECT_EQ(r->parcelas().quantidade(), 1);
    EXPECT_EQ(r->juros()->quantidade(), 3);
}

TEST_F(BaseProrrata, DeletionIsAllOrNothingWhenAChildTableIsHeldElsewhere) {
    auto r = abre();
    const int a = grava(*r, "AAA");
    parcela(*r, Data::de(2022, 2, 1), 100);
    r->abreParametros();
    r->jurosLegais();
    r->fechaParametros();
    {
        // The last of the three tables is held exclusively by someone else.
        Tabela exclusiva(banco, kTabelaJurosProrrata);
        exclusiva.abre(ModoAbertura::Exclusivo);
        EXPECT_THROW(r->excluiRegistro(), ErroBanco);
    }
    EXPECT_EQ(r->registros().quantidade(), 1);
    EXPECT_EQ(linhasDe(kTabelaParcelas, a), 1);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, a), 2);
    EXPECT_EQ(linhasDe(kTabelaJurosProrrata, a), 3);
    Tabela p(banco, kTabelaProrrata);
    p.abre(ModoAbertura::SomenteLeitura);
    EXPECT_EQ(p.quantidade(), 1);
}

TEST_F(BaseProrrata, DeletionIsUndoneWhenTheRecordItselfCannotGo) {
    auto r = abre();
    const int a = grava(*r, "AAA");
    parcela(*r, Data::de(2022, 2, 1), 100);
    // The record row fails to go after the child statements ran: the
    // child rows come back.
    r->registros().antesExcluir = [](Tabela&) { throw ErroKorva("recusado"); };
    EXPECT_THROW(r->excluiRegistro(), ErroKorva);
    EXPECT_EQ(linhasDe(kTabelaParcelas, a), 1);
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, a), 2);
    EXPECT_EQ(r->parcelas().quantidade(), 1);
}

TEST_F(BaseProrrata, LegalInterestReplacesFiveVariationsByTheThreeLegalRows) {
    auto r = abre();
    const int outro = grava(*r, "OUTRO");
    r->abreParametros();
    r->jurosLegais();
    const int codigo = grava(*r, "AAA");
    Tabela* j = r->juros();
    ASSERT_NE(j, nullptr);
    for (int i = 1; i <= 5; ++i) {
        j->insere();
        (*j)["Data"] = Data::de(2000 + i, 1, 1);
        (*j)["Juros"] = 2.0;
        (*j)["Forma"] = "c";
        j->grava();
    }
    EXPECT_EQ(j->quantidade(), 5);
    j->insere();  // a pending variation is cancelled
    (*j)["Data"] = Data::de(2010, 1, 1);
    r->jurosLegais();
    EXPECT_FALSE(j->editando());
    ASSERT_EQ(j->quantidade(), 3);
    EXPECT_EQ(linhasDe(kTabelaJurosProrrata, codigo), 3);
    EXPECT_EQ(linhasDe(kTabelaJurosProrrata, outro), 3);
    const struct {
        Data data;
        double juros;
        const char* forma;
    } esperados[] = {{Data::de(1987, 2, 26), 0.5, "S"}, {Data::de(1991, 3, 3), 1.0, "C"}, {Data::de(2020, 12, 31), 1.0, "S"}};
    j->primeiro();
    for (const auto& e : esperados) {
        EXPECT_EQ(j->valor("Data").comoData(), e.data);
        EXPECT_DOUBLE_EQ(j->valor("Juros").comoNumero(), e.juros);
        EXPECT_EQ(j->valor("Forma").comoTexto(), e.forma);
        EXPECT_EQ(j->valor("Prorrata").comoInteiro(), codigo);
        j->proximo();
    }
}

TEST_F(BaseProrrata, VariationAndAdditionEntryRules) {
    auto r = abre();
    const int codigo = grava(*r, "AAA");
    r->abreParametros();
    Tabela& j = *r->juros();
    j.insere();
    EXPECT_EQ(j.valor("Prorrata").comoInteiro(), codigo);
    j["Forma"] = "c";
    EXPECT_EQ(j.valor("Forma").comoTexto(), "C");
    try {
        j["Forma"] = "X";
        FAIL() << "Forma X accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Valor Inválido para o Campo!");
    }
    EXPECT_EQ(j.valor("Forma").comoTexto(), "C");
    j.cancela();

    Tabela& a = *r->acrescimos();
    a.insere();
    EXPECT_EQ(a.valor("Prorrata").comoInteiro(), codigo);
    EXPECT_EQ(a.valor("Valor").comoNumero(), 0.0);
    EXPECT_TRUE(a.valor("Totalizar").comoLogico());
    a["Descricao"] = "Multa";
    a["Tipo"] = "p";
    a["DtBase"] = Data::de(2021, 1, 1);
    a["Valor"] = 10.0;
    a.grava();
    EXPECT_EQ(a.valor("Tipo").comoTexto(), "P");
    EXPECT_TRUE(a.valor("DtBase").nulo());

    a.insere();
    a["Descricao"] = "Custas";
    a["Tipo"] = "V";
    try {
        a.grava();
        FAIL() << "a V addition without a date was stored";
    } catch (const ErroCampo& e) {
        EXPECT_STREQ(e.what(), "Campo obrigatório não preenchido ou preenchido incorretamente.");
        EXPECT_EQ(e.campo(), "DtBase");
    }
    EXPECT_TRUE(a.editando());
    EXPECT_THROW(a["Tipo"] = "X", ErroKorva);
    a.cancela();
    EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, codigo), 3);  // two defaults and the "P"
}

TEST_F(BaseProrrata, SearchFindsTheFirstGroupAndKeepsThePositionOtherwise) {
    auto r = abre();
    grava(*r, "BBB", 2);
    grava(*r, "AAA", 3);
    const int primeiro = grava(*r, "BBB", 1);
    r->pesquisa(" bbb ");
    EXPECT_EQ(r->codigoAtual(), primeiro);
    r->pesquisa("AAA");
    const int aaa = r->codigoAtual();
    try {
        r->pesquisa("CCC");
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), kMsgProcessoNaoEncontrado);
    }
    EXPECT_EQ(r->codigoAtual(), aaa);
}

TEST_F(BaseProrrata, ClosingWithAPendingEditIsRefused) {
    auto r = abre();
    grava(*r, "AAA");
    r->parcelas().insere();
    EXPECT_TRUE(r->registroOuParcelaEditando());
    EXPECT_TRUE(r->algumEditando());
    EXPECT_THROW(r->fecha(), ErroKorva);
    r->parcelas().cancela();
    r->abreParametros();
    r->juros()->insere();
    EXPECT_TRUE(r->parametrosEditando());
    EXPECT_FALSE(r->registroOuParcelaEditando());
    r->juros()->cancela();
    r->fecha();
    EXPECT_FALSE(r->registros().aberta());
}

TEST(ControlesProrrata, InterestControlsAndPageRefusals) {
    const auto semJuros = RegraJuros(false, false, 2);
    EXPECT_FALSE(semJuros.grupos || semJuros.valorJuros || semJuros.variacoes);
    const auto regressivos = RegraJuros(true, false, 1);
    EXPECT_TRUE(regressivos.grupos && regressivos.valorJuros);
    EXPECT_FALSE(regressivos.variacoes);
    const auto variacao = RegraJuros(true, true, 2);
    EXPECT_TRUE(variacao.grupos && variacao.variacoes);
    EXPECT_FALSE(variacao.valorJuros);

    EXPECT_TRUE(BuscarHabilitado(1));
    EXPECT_FALSE(BuscarHabilitado(2));
    EXPECT_EQ(RecusaSairProcesso(2, false).value_or(""), kMsgSelecioneUm);
    EXPECT_EQ(RecusaSairProcesso(1, true).value_or(""), kMsgMudarPagina);
    EXPECT_FALSE(RecusaSairProcesso(0, false));
    EXPECT_EQ(RecusaSairParametros(true).value_or(""), kMsgMudarPagina);
    EXPECT_FALSE(RecusaSairParametros(false));
}

// ---- the defaults dialog ----

TEST_F(BaseProrrata, DefaultsWithTwoRowsReportDamageAndStayClosed) {
    {
        Tabela d(banco, kTabelaDefProrrata);
        d.abre();
        d.insere();
        d["ComJuros"] = false;
        d["JurosConstantes"] = true;
        d["Indice"] = 1;
        d["FormaAbatimento"] = "J";
        d["UsarJurosPadrao"] = 0;
        d["CalcularJurosFGTS"] = false;
        d.grava();
    }
    DefaultsProrrata def(banco);
    try {
        def.abre();
        FAIL() << "two defaults rows accepted";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), DefaultsProrrata::MensagemDanificada);
    }
    EXPECT_FALSE(def.padrao().aberta());
    EXPECT_FALSE(def.acrescimos().aberta());
    Tabela d(banco, kTabelaDefProrrata);
    d.abre(ModoAbertura::SomenteLeitura);
    EXPECT_EQ(d.quantidade(), 2);
}

TEST_F(BaseProrrata, EmptyDefaultsGetARowAndDefaultAdditionsFollowTheRules) {
    banco.esvaziaTabela(kTabelaDefProrrata);
    DefaultsProrrata def(banco);
    def.abre();
    EXPECT_EQ(def.padrao().estado(), EstadoTabela::Insercao);
    EXPECT_THROW(def.fecha(), ErroKorva);  // a pending row
    EXPECT_THROW(def.padrao()["UsarJurosPadrao"] = 2, ErroKorva);
    def.padrao().grava();
    Tabela& a = def.acrescimos();
    a.insere();
    EXPECT_EQ(a.valor("Valor").comoNumero(), 0.0);
    EXPECT_TRUE(a.valor("Totalizar").comoLogico());
    a["Descricao"] = "Custas";
    a["Tipo"] = "v";
    EXPECT_EQ(a.valor("Tipo").comoTexto(), "V");
    EXPECT_THROW(a.grava(), ErroCampo);
    a.cancela();
    def.fecha();
    // The stored row gives the options of the next new record.
    auto r = abre();
    r->registros().insere();
    EXPECT_EQ(r->registros().valor("FormaAbatimento").comoTexto(), "J");
    EXPECT_EQ(r->registros().valor("UsarJurosPadrao").comoInteiro(), 0);
}

// ---- a record taken from a calculation ----

// A new installation with calculations imported from documents.
struct ProrrataDeCalculo : ::testing::Test {
    PastaTemporaria pasta;
    Ambiente ambiente;
    std::unique_ptr<Sessao> sessao;

    void SetUp() override {
        ambiente = Ambiente::Padrao(pasta.caminho(), "korva");
        ambiente.pastaPrograma = pasta.caminho() / "programa";
        std::filesystem::create_directories(ambiente.pastaPrograma);
        Sessao::PrimeiraPartida(ambiente);
        sessao = std::make_unique<Sessao>(ambiente);
    }

    void importa(const nlohmann::json& doc) {
        TabelasReferencia referencia(sessao->compartilhado());
        ImportaCalculo(sessao->privado(), referencia, AjustesDe(sessao->configuracoes()), doc);
    }

    static nlohmann::json Calculo(const std::string& processo, bool adicionaRecte, nlohmann::json partes) {
        return {{"Processo",
                 {{"Processo", processo},
                  {"CodRecte", 1},
                  {"DtAjuiz", "04/08/2019"},
                  {"DtBase", "30/09/2023"},
                  {"Calculista", "Marina Teixeira"},
                  {"INSSReclamado", 20.0},
                  {"INSSRisco", 3.0},
                  {"INSSTerceiros", 5.8},
                  {"TotalBaseINSS", 1000.0},
                  {"AdicionarINSSRecte", adicionaRecte},
                  {"ValorINSSReclamante", 110.0},
                  {"ValorTotalIR", 321.45},
                  {"Total", 45678.9}}},
                {"Partes", std::move(partes)}};
    }

    ListaProcessos::Escolha escolhe(const std::string& processo, bool inss, bool ir) {
        ListaProcessos lista(sessao->privado());
        lista.mostra("0", 0);
        EXPECT_TRUE(lista.tabela().localiza({"Processo", "CodRecte"}, {Valor(processo), Valor(1)}));
        lista.importacao().contribuicaoEmpresa = inss;
        lista.importacao().impostoRenda = ir;
        auto e = lista.escolhe();
        EXPECT_TRUE(e.has_value());
        lista.oculta();
        return *e;
    }

    // The additions of the record, in Codigo order: description and amount.
    std::vector<std::pair<std::string, double>> acrescimos(int codigo) {
        Tabela a(sessao->privado(), kTabelaAcrescProrrata);
        a.abre(ModoAbertura::SomenteLeitura);
        a.defineIndice("IndProrrata");
        std::vector<std::pair<std::string, double>> r;
        for (a.primeiro(); !a.fim(); a.proximo())
            if (a.valor("Prorrata").comoInteiro() == codigo)
                r.emplace_back(a.valor("Descricao").comoTexto(), a.valor("Valor").comoNumero());
        return r;
    }
};

nlohmann::json Parte(const std::string& nome, int tipo, int seq) {
    return {{"Nome", nome}, {"TipoParte", tipo}, {"Dependentes", 0}, {"Sequencial", seq}};
}

TEST_F(ProrrataDeCalculo, EmployerContributionIncomeTaxAndParties) {
    importa(Calculo("0100872-32.2019.5.02.0045", false,
                    {Parte("Maria Aparecida Santos", 1, 1), Parte("Antônio Lima", 1, 2),
                     Parte("Conservadora Paulista de Limpeza Ltda.", 3, 3)}));
    RegistrosProrrata r(sessao->privado(), AjustesDe(sessao->configuracoes()));
    r.abre();
    const int antes = static_cast<int>(acrescimos(0).size());
    const int codigo = r.importaCalculo(escolhe("0100872-32.2019.5.02.0045", true, true));
    ASSERT_GT(codigo, 0);
    EXPECT_EQ(r.codigoAtual(), codigo);
    Tabela& t = r.registros();
    EXPECT_EQ(t.valor("Processo").comoTexto(), "0100872-32.2019.5.02.0045");
    EXPECT_EQ(t.valor("CodRecte").comoInteiro(), 1);
    EXPECT_EQ(t.valor("DtAjuiz").comoData(), Data::de(2019, 8, 4));
    EXPECT_EQ(t.valor("DtBase").comoData(), Data::de(2023, 9, 30));
    EXPECT_DOUBLE_EQ(t.valor("Valor").comoNumero(), 45678.9);
    // In (TipoParte, Nome) order: the first claimant by name.
    EXPECT_EQ(t.valor("Parte1").comoTexto(), "Antônio Lima");
    EXPECT_EQ(t.valor("Parte2").comoTexto(), "Conservadora Paulista de Limpeza Ltda.");

    const auto a = acrescimos(codigo);
    Tabela padrao(sessao->privado(), kTabelaDefAcrescProrrata);
    padrao.abre(ModoAbertura::SomenteLeitura);
    const size_t padroes = static_cast<size_t>(padrao.quantidade());
    ASSERT_EQ(a.size(), padroes + 2) << antes;
    EXPECT_EQ(a[padroes].first, "Contribuição Previdenciária");
    EXPECT_NEAR(a[padroes].second, 288.0, 1e-9);
    EXPECT_EQ(a[padroes + 1].first, "Imposto de Renda");
    EXPECT_DOUBLE_EQ(a[padroes + 1].second, 321.45);

    Tabela ac(sessao->privado(), kTabelaAcrescProrrata);
    ac.abre(ModoAbertura::SomenteLeitura);
    ASSERT_TRUE(ac.localiza({"Prorrata", "Descricao"}, {Valor(codigo), Valor("Imposto de Renda")}));
    EXPECT_EQ(ac.valor("Tipo").comoTexto(), "V");
    EXPECT_EQ(ac.valor("DtBase").comoData(), Data::de(2023, 9, 30));
    EXPECT_TRUE(ac.valor("Totalizar").comoLogico());
}

TEST_F(ProrrataDeCalculo, ClaimantShareAddedAndPartiesOfTwoCalculationsInARow) {
    importa(Calculo("0000001-11.2020.5.01.0001", true, {Parte("Ana Souza", 1, 1)}));
    importa(Calculo("0000002-22.2020.5.01.0002", false,
                    {Parte("Bruno Dias", 1, 1), Parte("Metalúrgica Beta S.A.", 3, 2)}));
    RegistrosProrrata r(sessao->privado(), AjustesDe(sessao->configuracoes()));
    r.abre();
    const int um = r.importaCalculo(escolhe("0000001-11.2020.5.01.0001", true, false));
    EXPECT_EQ(r.registros().valor("Parte1").comoTexto(), "Ana Souza");
    EXPECT_TRUE(r.registros().valor("Parte2").nulo());  // no party of kind 3
    const auto a = acrescimos(um);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a.back().first, "INSS - Parcela do Autor incluida");
    EXPECT_NEAR(a.back().second, 398.0, 1e-9);

    const int dois = r.importaCalculo(escolhe("0000002-22.2020.5.01.0002", false, false));
    EXPECT_NE(um, dois);
    EXPECT_EQ(r.registros().valor("Parte1").comoTexto(), "Bruno Dias");
    EXPECT_EQ(r.registros().valor("Parte2").comoTexto(), "Metalúrgica Beta S.A.");
    for (const auto& [descricao, valor] : acrescimos(dois)) {
        EXPECT_NE(descricao, "Contribuição Previdenciária");
        EXPECT_NE(descricao, "Imposto de Renda");
    }
}

TEST_F(ProrrataDeCalculo, UnreadablePartiesLeaveTheNamesAndTheImportGoesOn) {
    importa(Calculo("0000003-33.2020.5.01.0003", false, {Parte("Carla Nunes", 1, 1)}));
    auto e = escolhe("0000003-33.2020.5.01.0003", false, true);
    e.arquivo = "9999999.db";  // the parties table is not there
    RegistrosProrrata r(sessao->privado(), AjustesDe(sessao->configuracoes()));
    r.abre();
    const int codigo = r.importaCalculo(e);
    EXPECT_GT(codigo, 0);
    EXPECT_TRUE(r.registros().valor("Parte1").nulo());
    EXPECT_EQ(acrescimos(codigo).back().first, "Imposto de Renda");
}

TEST_F(ProrrataDeCalculo, LongPartyNameIsCutToTheFieldWidth) {
    const std::string longo = "Companhia Brasileira de Distribuição e Logística";  // 48 characters
    importa(Calculo("0000004-44.2020.5.01.0004", false, {Parte("Ana", 1, 1), Parte(longo, 3, 2)}));
    RegistrosProrrata r(sessao->privado(), AjustesDe(sessao->configuracoes()));
    r.abre();
    r.importaCalculo(escolhe("0000004-44.2020.5.01.0004", false, false));
    EXPECT_EQ(r.registros().valor("Parte1").comoTexto(), "Ana");
    EXPECT_EQ(r.registros().valor("Parte2").comoTexto(), "Companhia Brasileira de Distribuição e Logíst");
}

}  // namespace
}  // namespace korva::teste
