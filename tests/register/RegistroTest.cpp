// The lawsuit register: insertion values, field checks, the calculation file
// set created after an insertion and deleted with the row, the additions and
// interest-variation rules, the interest-mode switch, order and search, and the
// new-group and duplicate operations.
#include <gtest/gtest.h>

#include "BaseRegistro.h"
#include "register/OpcoesProcesso.h"
#include "register/RegistroProcessos.h"
#include "register/RegrasAcrescimos.h"

using namespace korva;

namespace {

const Data Hoje = Data::de(2026, 12, 9);

struct Registro : teste::BaseRegistro {
    int qtde = 100;
    AjustesRegistro ajustes{"", "", "", [this] { return qtde; }};
    std::unique_ptr<RegistroProcessos> reg;
    std::vector<std::pair<int, std::string>> passos;

    void SetUp() override {
        BaseRegistro::SetUp();
        gravaPadroes("Ana Souza", JurosLegais);
        gravaAcrescimosPadrao();
    }
    RegistroProcessos& abre() {
        reg = std::make_unique<RegistroProcessos>(banco, ajustes, ConjuntoCalculo::Aviso{}, [] { return Hoje; });
        reg->defineProgresso([this](int p, const std::string& r) { passos.emplace_back(p, r); });
        reg->abre();
        return *reg;
    }
    Tabela& t() { return reg->processos(); }
    // Inserts and stores a calculation through the register; returns its file number.
    int novo(const std::string& processo, int grupo, const std::string& calculista = "") {
        t().insere();
        t()["Processo"] = processo;
        t()["CodRecte"] = grupo;
        t()["DtAjuiz"] = Data::de(2008, 3, 10);
        if (!calculista.empty()) t()["Calculista"] = calculista;
        t().grava();
        return static_cast<int>(t().valor("Arquivo").comoInteiro());
    }
    std::string nome(int diretorio, char letra, int arquivo) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "Sub%05d\\%c%07d.db", diretorio, letra, arquivo);
        return buf;
    }
};

}  // namespace

TEST_F(Registro, InsertionTakesFolderTodayZerosAndTheDefaultsRow) {
    abre();
    t().insere();
    EXPECT_EQ(reg->estado(), RegistroProcessos::Estado::Insercao);
    EXPECT_EQ(t().valor("Diretorio").comoInteiro(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00001"));
    EXPECT_EQ(t().valor("DtGrav").comoData(), Hoje);
    EXPECT_EQ(t().valor("DtBase").comoData(), Hoje);
    EXPECT_TRUE(t().valor("Arquivo").nulo());  // numbered when stored
    for (const char* c : {"Total", "TotalGeral", "FGTS", "TotalBaseINSS", "ValorINSSReclamante", "TotalBaseIR13",
                          "TotalBaseIRFerias", "TotalBaseIRDemais", "ValorTotalIR"})
        EXPECT_EQ(t().valor(c).comoNumero(), 0.0) << c;
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "Ana Souza");
    EXPECT_EQ(t().valor("INSSReclamado").comoNumero(), 20.0);
    EXPECT_EQ(t().valor("OpcaoIR").comoInteiro(), 2);
    EXPECT_TRUE(t().valor("INSSRisco").nulo());  // empty default stays empty
    EXPECT_TRUE(t().valor("ObsCalculo").nulo());
    // Nothing of the file set exists before the row is stored.
    EXPECT_THROW(reg->ExigeProcesso(), ErroKorva);
    t().cancela();
}

TEST_F(Registro, FolderChoiceThroughTheRegisterOpensANewFolderWhenFull) {
    qtde = 2;
    abre();
    novo("P1", 1);
    novo("P2", 1);
    EXPECT_EQ(t().valor("Diretorio").comoInteiro(), 1);
    novo("P3", 1);
    EXPECT_EQ(t().valor("Diretorio").comoInteiro(), 2);
    const int arq = static_cast<int>(t().valor("Arquivo").comoInteiro());
    EXPECT_TRUE(existe(nome(2, 'A', arq)));
    // The setting is read at each insertion.
    qtde = 5;
    novo("P4", 1);
    EXPECT_EQ(t().valor("Diretorio").comoInteiro(), 2);
}

TEST_F(Registro, LawsuitNumberIsCapitalisedAndCheckedAgainstTheMasksWhenItChanges) {
    ajustes.mascara1 = "AAA-9999";
    abre();
    t().insere();
    t()["Processo"] = "abc-1234";
    EXPECT_EQ(t().valor("Processo").comoTexto(), "ABC-1234");
    try {
        t()["Processo"] = "abc-12x4";
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Formato do número do processo inválido!");
    }
    EXPECT_EQ(t().valor("Processo").comoTexto(), "ABC-1234");  // the row keeps the last good value
    try {
        t()["Processo"] = "";
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Preencha o número do processo!");
    }
    // The calculator's name is proper-cased as typed.
    t()["Calculista"] = "MARIA DA SILVA";
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "Maria da Silva");
    t()["Calculista"] = "joão dos santos";
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "João dos Santos");
    t()["CodRecte"] = 1;
    t()["DtAjuiz"] = Data::de(2008, 3, 10);
    t().grava();
    EXPECT_EQ(reg->SProcesso(), "ABC-1234 Grupo: 1");
    // A stored number that no longer fits changed masks is not re-checked
    // unless it is changed.
    t().edita();
    t()["Processo"] = "ABC-1234";
    t().cancela();
}

TEST_F(Registro, StoringAnInsertionCreatesABCEInOrderAndAnEditCreatesNothing) {
    abre();
    const int arq = novo("0001/2009", 1);
    ASSERT_GT(arq, 0);
    const std::vector<std::pair<int, std::string>> esperado = {{0, "Tabela de Parâmetros por período"},
                                                                {1, "Tabela de Parâmetros Mês a Mês"},
                                                                {2, "Tabela de Partes"},
                                                                {3, "Tabela de Acréscimos"},
                                                                {4, ""}};
    EXPECT_EQ(passos, esperado);
    for (char l : {'A', 'B', 'C', 'E'}) EXPECT_TRUE(existe(nome(1, l, arq))) << l;
    for (char l : {'D', 'F', 'G', 'H', 'I'}) EXPECT_FALSE(existe(nome(1, l, arq))) << l;
    // E starts with the default additions; the "P" one has no base date.
    {
        Tabela e(banco, nome(1, 'E', arq));
        e.abre();
        ASSERT_EQ(e.quantidade(), 2);
        ASSERT_TRUE(e.localiza({"Descricao"}, {Valor("Custas")}));
        EXPECT_EQ(e.valor("DtBase").comoData(), Data::de(2009, 5, 4));
        ASSERT_TRUE(e.localiza({"Descricao"}, {Valor("Honorários")}));
        EXPECT_TRUE(e.valor("DtBase").nulo());
    }
    // An edit stores without touching the file set.
    passos.clear();
    banco.excluiTabela(nome(1, 'A', arq));
    t().edita();
    EXPECT_EQ(reg->estado(), RegistroProcessos::Estado::Edicao);
    t()["Calculista"] = "outra pessoa";
    t().grava();
    EXPECT_TRUE(passos.empty());
    EXPECT_FALSE(existe(nome(1, 'A', arq)));
    // A duplicate key is refused when stored and the row stays open.
    t().insere();
    t()["Processo"] = "0001/2009";
    t()["CodRecte"] = 1;
    t()["DtAjuiz"] = Data::de(2008, 3, 10);
    EXPECT_THROW(t().grava(), ErroBanco);
    EXPECT_TRUE(t().editando());
    t().cancela();
}

TEST_F(Registro, ExigeProcessoAndTheTablesOfTheButtons) {
    abre();
    try {
        reg->ExigeProcesso();
        FAIL();
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Cadastre um processo antes de selecionar esta opção!");
    }
    EXPECT_THROW(reg->NovoGrupo({}), ErroKorva);
    const int arq = novo("10/2009", 1);
    EXPECT_NO_THROW(reg->ExigeProcesso());
    reg->PreparaTabelas("BDI");
    for (char l : {'D', 'I'}) EXPECT_TRUE(existe(nome(1, l, arq))) << l;
    EXPECT_EQ(reg->NomeTabela('F'), nome(1, 'F', arq));
}

TEST_F(Registro, DeletionRemovesTheWholeFileSetAndOnlyIt) {
    abre();
    const int outro = novo("1/2009", 1);
    const int arq = novo("2/2009", 1);
    reg->PreparaTabelas("DH");
    reg->entraPaginaAcrescimos();  // E open in its grid while the row goes
    ASSERT_TRUE(t().localizaChave({Valor("2/2009"), Valor(1)}));
    t().exclui();
    for (char l : {'A', 'B', 'C', 'D', 'E', 'H'}) EXPECT_FALSE(existe(nome(1, l, arq))) << l;
    for (char l : {'A', 'B', 'C', 'E'}) EXPECT_TRUE(existe(nome(1, l, outro))) << l;
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00001"));
    EXPECT_EQ(t().quantidade(), 1);
    // The additions grid follows the remaining current row.
    ASSERT_NE(reg->acrescimos(), nullptr);
    EXPECT_EQ(reg->acrescimos()->nome(), nome(1, 'E', outro));
}

TEST_F(Registro, InterestModeTwoCreatesTheVariationTableAndLeavingItDeletesIt) {
    abre();
    const int arq = novo("3/2009", 1);
    const std::string h = nome(1, 'H', arq);
    EXPECT_EQ(reg->explicacaoJuros().front(), "Observar variação legal dos juros:");
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    ASSERT_NE(reg->juros(), nullptr);
    EXPECT_EQ(linhas(h), 3);
    EXPECT_EQ(reg->legendaJuros(), " Juros: (" + h + ")");
    EXPECT_EQ(reg->explicacaoJuros(),
              std::vector<std::string>{"Informe na tabela ao lado a variação a ser observada para o cálculo dos juros"});
    t().grava();
    // A variation of the user's.
    Tabela& j = *reg->juros();
    j.insere();
    j["Data"] = Data::de(2022, 1, 31);
    j["Juros"] = 0.8;
    j["Forma"] = "s";
    j.grava();
    EXPECT_EQ(j.valor("Forma").comoTexto(), "S");
    // Switching away closes the grid; a cancelled edit keeps the user's rows.
    t().edita();
    t()["CalculoJuros"] = JurosLegais;
    EXPECT_EQ(reg->juros(), nullptr);
    EXPECT_EQ(reg->legendaJuros(), " Juros: ");
    EXPECT_TRUE(existe(h));
    t().cancela();
    ASSERT_NE(reg->juros(), nullptr);
    EXPECT_EQ(reg->juros()->quantidade(), 4);
    // Stored with legal interest: the table goes.
    t().edita();
    t()["CalculoJuros"] = LimitarJuros;
    t().grava();
    EXPECT_FALSE(existe(h));
    EXPECT_EQ(reg->explicacaoJuros().size(), 5u);
    // Back to mode 2: recreated with the three default rows.
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    t().grava();
    EXPECT_EQ(linhas(h), 3);
}

TEST_F(Registro, InterestGridFollowsTheCurrentRow) {
    abre();
    const int a1 = novo("4/2009", 1);
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    t().grava();
    const int a2 = novo("5/2009", 1);  // legal interest by default
    EXPECT_EQ(reg->juros(), nullptr);
    EXPECT_TRUE(existe(nome(1, 'H', a1)));  // the grid was closed by the insertion, nothing deleted
    ASSERT_TRUE(t().localizaChave({Valor("4/2009"), Valor(1)}));
    ASSERT_NE(reg->juros(), nullptr);
    EXPECT_EQ(reg->juros()->nome(), nome(1, 'H', a1));
    // Browsing onto a legal-interest row while the grid is open deletes that row's table only.
    ASSERT_TRUE(t().localizaChave({Valor("5/2009"), Valor(1)}));
    EXPECT_EQ(reg->juros(), nullptr);
    EXPECT_TRUE(existe(nome(1, 'H', a1)));
    EXPECT_FALSE(existe(nome(1, 'H', a2)));
}

TEST_F(Registro, AdditionRulesOnTheAdditionsPage) {
    abre();
    reg->entraPaginaAcrescimos();
    EXPECT_EQ(reg->acrescimos(), nullptr);  // no current lawsuit
    const int arq = novo("6/2009", 1);
    reg->entraPaginaAcrescimos();
    ASSERT_NE(reg->acrescimos(), nullptr);
    EXPECT_EQ(reg->legendaAcrescimos(), " Acréscimos: (" + nome(1, 'E', arq) + ")");
    Tabela& e = *reg->acrescimos();
    EXPECT_EQ(e.quantidade(), 2);

    e.insere();
    e["Descricao"] = "Multa";
    e["Valor"] = 10.0;
    try {
        e["Tipo"] = "x";
        FAIL();
    } catch (const ErroKorva& x) {
        EXPECT_STREQ(x.what(), "Valor Inválido para o Campo!");
    }
    e["Tipo"] = "p";
    EXPECT_EQ(e.valor("Tipo").comoTexto(), "P");
    try {
        e["LimMinimo"] = -1.0;
        FAIL();
    } catch (const ErroKorva& x) {
        EXPECT_STREQ(x.what(), "Valor inválido para o campo!");
    }
    e["LimMinimo"] = 5.0;
    try {
        e["LimMaximo"] = 3.0;
        FAIL();
    } catch (const ErroKorva& x) {
        EXPECT_STREQ(x.what(), "Limite mínimo não pode ser maior que limite máximo!");
    }
    e["LimMaximo"] = 0.0;  // 0 = no limit
    e["DtBase"] = Data::de(2010, 1, 1);
    // Leaving the page with a pending row is refused.
    try {
        reg->saiPaginaAcrescimos();
        FAIL();
    } catch (const ErroKorva& x) {
        EXPECT_STREQ(x.what(), "Antes de mudar de página, cancele ou confirme a operação");
    }
    e.grava();
    EXPECT_TRUE(e.valor("DtBase").nulo());
    EXPECT_EQ(e.valor("LimMinimo").comoNumero(), 5.0);

    // An amount needs its base date and loses its limits.
    e.insere();
    e["Descricao"] = "Despesas";
    e["Valor"] = 50.0;
    e["Tipo"] = "V";
    e["LimMinimo"] = 2.0;
    try {
        e.grava();
        FAIL();
    } catch (const ErroCampo& x) {
        EXPECT_STREQ(x.what(), "Campo obrigatório não preenchido ou preenchido incorretamente.");
        EXPECT_EQ(x.campo(), "DtBase");
    }
    EXPECT_TRUE(e.editando());
    e["DtBase"] = Data::de(2010, 2, 1);
    e.grava();
    EXPECT_EQ(e.valor("LimMinimo").comoNumero(), 0.0);
    EXPECT_EQ(e.valor("LimMaximo").comoNumero(), 0.0);

    // Interest rows: the form in capitals, S or C only.
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    t().grava();
    ASSERT_NE(reg->juros(), nullptr);
    Tabela& j = *reg->juros();
    j.insere();
    EXPECT_THROW(j["Forma"] = "x", ErroKorva);
    j["Forma"] = "c";
    EXPECT_EQ(j.valor("Forma").comoTexto(), "C");
    j.cancela();

    reg->saiPaginaAcrescimos();
    EXPECT_EQ(reg->acrescimos(), nullptr);
    EXPECT_EQ(reg->juros(), nullptr);
    // Closing the register refuses while a row is pending.
    t().edita();
    EXPECT_THROW(reg->fecha(), Inf);
    t().cancela();
    reg->fecha();
}

TEST_F(Registro, OrderAndSearchFollowTheChosenField) {
    abre();
    novo("100/2009", 1, "Maria Silva");
    novo("200/2009", 1, "Silva Souza");
    novo("300/2010", 1, "Ana");
    EXPECT_TRUE(reg->opcoesPesquisaHabilitadas());
    reg->defineOrdem(RegistroProcessos::Ordem::Calculista);
    t().primeiro();
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "Ana");
    reg->defineOpcaoPesquisa(OpcaoPesquisa::Final);
    EXPECT_EQ(reg->pesquisa("  silva "), "SILVA");
    ASSERT_EQ(t().quantidade(), 1);
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "Maria Silva");
    reg->defineOpcaoPesquisa(OpcaoPesquisa::Inicio);
    reg->pesquisa("SILVA");
    ASSERT_EQ(t().quantidade(), 1);
    EXPECT_EQ(t().valor("Calculista").comoTexto(), "Silva Souza");
    reg->pesquisa("ANA MARIA");  // longer than the value: never passes
    EXPECT_EQ(t().quantidade(), 0);
    reg->pesquisa("");
    EXPECT_EQ(t().quantidade(), 3);

    reg->defineOrdem(RegistroProcessos::Ordem::Processo);
    reg->defineOpcaoPesquisa(OpcaoPesquisa::QualquerParte);
    reg->pesquisa("2009");
    EXPECT_EQ(t().quantidade(), 2);
    reg->pesquisa("");

    reg->defineOrdem(RegistroProcessos::Ordem::DtGrav);
    EXPECT_FALSE(reg->opcoesPesquisaHabilitadas());
    try {
        reg->pesquisa("31/02/2009");
        FAIL();
    } catch (const ErroKorva& x) {
        EXPECT_STREQ(x.what(), "Data Inválida!");
    }
    reg->pesquisa(Hoje.dma());
    EXPECT_EQ(t().quantidade(), 3);
    reg->defineOrdem(RegistroProcessos::Ordem::DtAjuiz);
    reg->pesquisa("11/03/2008");
    EXPECT_EQ(t().quantidade(), 0);
}

TEST_F(Registro, NewGroupTakesTheFirstFreeCodeKeepsTheOptionsAndCopiesTheTickedTables) {
    abre();
    const int a1 = novo("7/2009", 1);
    novo("7/2009", 2);
    novo("7/2009", 4);
    ASSERT_TRUE(t().localizaChave({Valor("7/2009"), Valor(1)}));
    t().edita();
    t()["INSSRisco"] = 3.0;
    t()["OpcaoIR"] = 4;  // not kept: the new group takes the default
    t().grava();
    {
        Tabela a(banco, nome(1, 'A', a1));
        a.abre();
        a.insere();
        for (const char* c : {"Item", "Mes1", "Ano1", "Mes2", "Ano2", "CodDataBasePadrao"}) a[c] = 1;
        a["VFM"] = "V";
        a["INSS"] = "S";
        a.grava();
    }
    RegistroProcessos::Copias soJuros{false, false, false, false, true};
    EXPECT_EQ(reg->NovoGrupo(soJuros), 3);
    const int a3 = static_cast<int>(t().valor("Arquivo").comoInteiro());
    EXPECT_EQ(t().valor("CodRecte").comoInteiro(), 3);
    EXPECT_EQ(t().valor("INSSRisco").comoNumero(), 3.0);
    EXPECT_EQ(t().valor("OpcaoIR").comoInteiro(), 2);
    EXPECT_EQ(t().valor("DtAjuiz").comoData(), Data::de(2008, 3, 10));
    EXPECT_FALSE(existe(nome(1, 'H', a3)));  // the old calculation had no interest table
    EXPECT_EQ(linhas(nome(1, 'A', a3)), 0);
    EXPECT_EQ(linhas(nome(1, 'C', a3)), 0);

    ASSERT_TRUE(t().localizaChave({Valor("7/2009"), Valor(1)}));
    EXPECT_EQ(reg->NovoGrupo({}), 5);
    const int a5 = static_cast<int>(t().valor("Arquivo").comoInteiro());
    EXPECT_EQ(linhas(nome(1, 'A', a5)), 1);
    EXPECT_FALSE(existe(nome(1, 'D', a5)));  // no source, nothing created
    ASSERT_TRUE(t().localizaChave({Valor("7/2009"), Valor(4)}));
    EXPECT_EQ(reg->NovoGrupo({}), 6);
}

TEST_F(Registro, DuplicateReplacesTheTickedTablesOfTheCurrentCalculation) {
    abre();
    const int origem = novo("8/2009", 1);
    const int destino = novo("9/2009", 1);
    reg->PreparaTabelas("D");
    {
        Tabela d(banco, nome(1, 'D', destino));
        d.abre();
        d.insere();
        d["Mes"] = 1;
        d["Ano"] = 2009;
        d["Valor"] = 100.0;
        d.grava();
    }
    {
        Tabela e(banco, nome(1, 'E', origem));
        e.abre();
        e.primeiro();
        e.exclui();
    }
    reg->entraPaginaAcrescimos();  // the destination's grid is open during the copy
    reg->Duplicar("8/2009", 1, {});
    EXPECT_EQ(linhas(nome(1, 'E', destino)), 1);
    EXPECT_EQ(linhas(nome(1, 'D', destino)), 1);  // the source has no D
    ASSERT_NE(reg->acrescimos(), nullptr);
    EXPECT_EQ(reg->acrescimos()->quantidade(), 1);
    // Copying a calculation onto itself would empty its tables.
    EXPECT_THROW(reg->Duplicar("9/2009", 1, {}), ErroKorva);
    EXPECT_EQ(linhas(nome(1, 'E', destino)), 1);
    EXPECT_THROW(reg->Duplicar("nada", 1, {}), ErroKorva);
}

// A window's grids hold the additions and interest tables: before the register
// frees them (moving to another calculation, or going away) it says so, while
// the old tables can still be let go of.
TEST_F(Registro, GridsAreToldBeforeTheirTablesAreReplaced) {
    abre();
    const int a1 = novo("7/2009", 1);
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    t().grava();
    const int a2 = novo("8/2009", 1);
    t().edita();
    t()["CalculoJuros"] = InformarVariacao;
    t().grava();
    reg->entraPaginaAcrescimos();
    ASSERT_NE(reg->acrescimos(), nullptr);
    ASSERT_NE(reg->juros(), nullptr);

    Tabela* acrescimos = reg->acrescimos();
    Tabela* juros = reg->juros();
    std::vector<std::string> soltas;
    reg->defineAntesTrocarGrades([&] {
        // The objects the grids know are still alive here.
        if (acrescimos) soltas.push_back(acrescimos->nome());
        if (juros) soltas.push_back(juros->nome());
        acrescimos = juros = nullptr;
    });
    ASSERT_TRUE(t().localizaChave({Valor("7/2009"), Valor(1)}));
    EXPECT_EQ(soltas, (std::vector<std::string>{nome(1, 'E', a2), nome(1, 'H', a2)}));
    ASSERT_NE(reg->acrescimos(), nullptr);
    ASSERT_NE(reg->juros(), nullptr);
    EXPECT_EQ(reg->acrescimos()->nome(), nome(1, 'E', a1));
    EXPECT_EQ(reg->juros()->nome(), nome(1, 'H', a1));

    acrescimos = reg->acrescimos();
    juros = reg->juros();
    soltas.clear();
    reg.reset();
    EXPECT_EQ(soltas, (std::vector<std::string>{nome(1, 'E', a1), nome(1, 'H', a1)}));
}
