// The calculation file set: folder choice, creation recipes with their initial
// rows, copying and deletion.
#include <gtest/gtest.h>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

struct Conjunto : ::testing::Test {
    teste::PastaTemporaria pasta;
    Banco banco{"CalcPriv", pasta.caminho()};
    int qtde = 100;
    std::vector<std::string> avisos;
    ConjuntoCalculo cc{banco, [this] { return qtde; },
                       [this](const std::string& t, const std::string& m) { avisos.push_back(t + "|" + m); }};

    void SetUp() override {
        banco.criaTabela("Processo.DB", EsquemaProcesso());
        banco.criaTabela("DefAcrescimos.DB", EsquemaDefAcrescimos());
    }
    // Calculations already stored in a folder (only Diretorio matters here).
    void ocupa(int diretorio, int quantos) {
        Tabela t(banco, "Processo.DB");
        t.abre();
        static int seq = 0;
        Transacao tr(banco);
        for (int i = 0; i < quantos; ++i) {
            t.insere();
            t["Processo"] = "P" + std::to_string(++seq);
            t["CodRecte"] = 1;
            t["DtGrav"] = Data::de(2009, 1, 1);
            t["DtAjuiz"] = Data::de(2009, 1, 1);
            t["DtBase"] = Data::de(2009, 1, 1);
            for (const char* f : {"Total", "TotalGeral", "FGTS", "TotalBaseINSS", "ValorINSSReclamante",
                                  "TotalBaseIR13", "TotalBaseIRFerias", "TotalBaseIRDemais"})
                t[f] = 0.0;
            for (const char* f : {"IndPrincipal", "IndFGTS", "DataBasePadrao", "AtualizaFeriadosMunic", "Salario",
                                  "ValeTransporte", "CalculoJuros", "OpcaoIR"})
                t[f] = 1;
            for (const char* f : {"IncidirJurosFGTS", "AtualizarBaseMedia", "AtualizaFeriadosNacionais",
                                  "AtualizaFeriadosEstaduais", "IRSobreJuros", "AnularReflexoNegativo"})
                t[f] = false;
            t["Calculista"] = "Ana";
            t["Diretorio"] = diretorio;
            t.grava();
        }
        tr.confirma();
    }
    int linhas(const std::string& nome) {
        Tabela t(banco, nome);
        t.abre();
        return t.quantidade();
    }
};

}  // namespace

TEST_F(Conjunto, FolderChoiceFillsTheEmptiestFolderThenOpensANewOne) {
    EXPECT_EQ(cc.EscolheDiretorio(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00001"));
    ocupa(1, 100);
    ocupa(2, 37);
    EXPECT_EQ(cc.EscolheDiretorio(), 2);
    ocupa(2, 63);
    EXPECT_EQ(cc.EscolheDiretorio(), 3);
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00003"));
    // The setting is read when needed.
    qtde = 150;
    EXPECT_EQ(cc.EscolheDiretorio(), 1);
}

TEST_F(Conjunto, FullFoldersWithAGapTakeTheFreeNumberInsteadOfAFullOne) {
    qtde = 2;
    ocupa(1, 2);
    ocupa(3, 2);  // folder 2 emptied by deletions
    EXPECT_EQ(cc.EscolheDiretorio(), 2);
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00002"));
}

TEST_F(Conjunto, NamesOfTheSetFollowFolderAndFileNumbers) {
    cc.defineAtual(1, 23);
    EXPECT_EQ(cc.NomeDiretorio(), "Sub00001\\");
    EXPECT_EQ(cc.NomeTabela('A'), "Sub00001\\A0000023.db");
    EXPECT_EQ(cc.CaminhoDiretorio(), pasta.caminho() / "Sub00001");
}

TEST_F(Conjunto, EveryKindIsCreatedOnceWithItsInitialRows) {
    {
        Tabela d(banco, "DefAcrescimos.DB");
        d.abre();
        d.insere();
        d["Descricao"] = "Honorários";
        d["Valor"] = 15.0;
        d["Tipo"] = "P";
        d["LimMinimo"] = 0.0;
        d["LimMaximo"] = 0.0;
        d.grava();
        d.insere();
        d["Descricao"] = "Custas";
        d["Valor"] = 200.0;
        d["Tipo"] = "V";
        d["LimMinimo"] = 0.0;
        d["LimMaximo"] = 0.0;
        d["DtBase"] = Data::de(2010, 5, 3);
        d.grava();
    }
    cc.CriaSubDiretorio(1);
    cc.defineAtual(1, 7);
    for (int tipo = 0; tipo < QtdeTiposConjunto; ++tipo)
        cc.CriaTabela(ConjuntoCalculo::NomeCurto(LetraDoTipo(tipo), 7), tipo);
    for (char l = 'A'; l <= 'I'; ++l) EXPECT_TRUE(banco.existe(cc.NomeTabela(l))) << l;
    EXPECT_TRUE(avisos.empty());

    Tabela e(banco, cc.NomeTabela('E'));
    e.abre();
    ASSERT_EQ(e.quantidade(), 2);
    EXPECT_EQ(e["Descricao"].comoTexto(), "Honorários");
    EXPECT_TRUE(e["DtBase"].nulo());  // empty stays empty
    e.proximo();
    EXPECT_EQ(e["DtBase"].comoData(), Data::de(2010, 5, 3));
    e.fecha();

    Tabela h(banco, cc.NomeTabela('H'));
    h.abre();
    std::vector<std::string> juros;
    for (h.primeiro(); !h.fim(); h.proximo())
        juros.push_back(h["Data"].comoTexto() + " " + h["Juros"].comoTexto() + " " + h["Forma"].comoTexto());
    EXPECT_EQ(juros, (std::vector<std::string>{"26/02/1987 0.5 S", "03/03/1991 1 C", "31/12/2020 1 S"}));
    h.fecha();

    // A second call neither recreates the table nor adds the rows again.
    cc.CriaTabela("H0000007", 7);
    EXPECT_EQ(linhas(cc.NomeTabela('H')), 3);
}

TEST_F(Conjunto, ACreationThatFailsIsReportedAndLeavesNoTable) {
    banco.excluiTabela("DefAcrescimos.DB");  // the defaults are missing
    cc.CriaSubDiretorio(1);
    cc.defineAtual(1, 5);
    cc.CriaTabela("E0000005", 4);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].rfind("Erro!|Não foi possível criar a tabela.\rMensagem interna: '", 0), 0u);
    EXPECT_FALSE(banco.existe(cc.NomeTabela('E')));
}

TEST_F(Conjunto, CopyReplacesTheDestinationAndSkipsMissingSources) {
    cc.CriaSubDiretorio(1);
    cc.defineAtual(1, 1);
    cc.CriaTabela("H0000001", 7);
    cc.CriaTabela("C0000001", 2);
    cc.defineAtual(1, 2);
    cc.CriaTabela("H0000002", 7);
    {
        Tabela h(banco, cc.NomeTabela('H'));
        h.abre();
        h.exclui();
    }
    // Source without a table of a letter: the destination is not touched.
    cc.CriaTabela("D0000002", 3);
    cc.CopiaTabela("Sub00001\\D0000001.db", cc.NomeTabela('D'));
    EXPECT_TRUE(banco.existe(cc.NomeTabela('D')));
    cc.CopiaTabela("Sub00001\\H0000001.db", cc.NomeTabela('H'));
    EXPECT_EQ(linhas(cc.NomeTabela('H')), 3);
    // A missing destination is created first.
    cc.CopiaTabela("Sub00001\\C0000001.db", cc.NomeTabela('C'));
    EXPECT_TRUE(banco.existe(cc.NomeTabela('C')));
}

TEST_F(Conjunto, DeletingASetSkipsTablesThatWereNeverCreated) {
    cc.CriaSubDiretorio(1);
    cc.defineAtual(1, 9);
    for (int tipo : {0, 1, 2, 4}) cc.CriaTabela(ConjuntoCalculo::NomeCurto(LetraDoTipo(tipo), 9), tipo);
    cc.ExcluiConjunto(1, 9);
    EXPECT_TRUE(avisos.empty());
    for (char l = 'A'; l <= 'I'; ++l) EXPECT_FALSE(banco.existe(cc.NomeTabela(l))) << l;
    EXPECT_TRUE(std::filesystem::is_directory(pasta.caminho() / "Sub00001"));  // the folder stays
}
