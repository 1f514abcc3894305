// Database folder operations: table files, structure, copies, statements and
// the engine codes of damaged or missing files.
#include <gtest/gtest.h>

#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "storage/Tabela.h"

using namespace korva;

namespace {

DefTabela Simples() {
    DefTabela d;
    d.campos = {CampoAutoinc("Codigo", true), CampoSmallint("Mes", true), CampoSmallint("Ano", true),
                CampoFloat("Valor"), CampoDate("Data")};
    d.indices = {IndicePrimario({"Codigo"}), IndiceSecundario("IndAnoMes", {"Ano", "Mes"}, true)};
    return d;
}

int CodigoErro(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroBanco& e) {
        return e.codigo();
    }
    return -1;
}

void Inclui(Tabela& t, int mes, int ano, double valor) {
    t.insere();
    t["Mes"] = mes;
    t["Ano"] = ano;
    t["Valor"] = valor;
    t["Data"] = Data::de(ano, mes, 1);
    t.grava();
}

}  // namespace

TEST(Banco, DefinitionReadBackFromTheFileMatchesTheDeclaration) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    DefTabela d = Simples();
    d.campos.push_back(CampoString("Nome", 30, true));
    d.indices.push_back(IndiceSecundario("IndNome", {"Nome"}, false, true));
    // A name never leaves the database folder.
    EXPECT_EQ(CodigoErro([&] { b.criaTabela("Sub00001/../../X.DB", d); }), CodigoBanco::ArquivoNaoEncontrado);
    b.criaTabela("X.DB", d);
    const DefTabela lida = b.definicao("x.db");
    ASSERT_EQ(lida.campos.size(), d.campos.size());
    for (size_t i = 0; i < d.campos.size(); ++i) {
        EXPECT_EQ(lida.campos[i].nome, d.campos[i].nome);
        EXPECT_EQ(lida.campos[i].tipo, d.campos[i].tipo);
        EXPECT_EQ(lida.campos[i].tamanho, d.campos[i].tamanho);
        EXPECT_EQ(lida.campos[i].obrigatorio, d.campos[i].obrigatorio);
    }
    ASSERT_NE(lida.primario(), nullptr);
    EXPECT_EQ(lida.primario()->campos, std::vector<std::string>{"Codigo"});
    ASSERT_NE(lida.indice("IndNome"), nullptr);
    EXPECT_TRUE(lida.indice("IndNome")->semCaixa);
    EXPECT_TRUE(lida.indice("IndAnoMes")->unico);
    // Same structure under another name, then an index added to it.
    b.criaTabelaComo("Copia.DB", b, "X.DB");
    b.adicionaIndice("Copia.DB", IndiceSecundario("IndValor", {"Valor"}));
    const DefTabela copia = b.definicao("Copia.DB");
    EXPECT_EQ(copia.campos.size(), d.campos.size());
    EXPECT_NE(copia.indice("IndValor"), nullptr);
    // Creating it again fails and leaves the table alone.
    EXPECT_NE(CodigoErro([&] { b.criaTabela("X.DB", d); }), -1);
}

TEST(Banco, TablesInSubfoldersAreFoundWithBackslashesAndAnyCase) {
    teste::PastaTemporaria p;
    std::filesystem::create_directory(p.caminho() / "Sub00001");
    Banco b("T", p.caminho());
    b.criaTabela("Sub00001\\A0000023.db", Simples());
    EXPECT_TRUE(b.existe("SUB00001\\a0000023.DB"));
    EXPECT_EQ(b.caminho("sub00001\\A0000023.DB"), p.caminho() / "Sub00001" / "A0000023.db");
    EXPECT_EQ(CodigoErro([&] { b.criaTabela("Sub00002\\A0000001.db", Simples()); }),
              CodigoBanco::ArquivoNaoEncontrado);
}

TEST(Banco, MissingAndDamagedFilesGiveTheirEngineCodes) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    Tabela t(b, "Nada.DB");
    EXPECT_EQ(CodigoErro([&] { t.abre(); }), CodigoBanco::ArquivoNaoEncontrado);
    std::ofstream(p.caminho() / "Lixo.DB") << "isto não é uma tabela, apenas texto qualquer gravado no lugar dela";
    Tabela l(b, "Lixo.DB");
    const int codigo = CodigoErro([&] { l.abre(); });
    EXPECT_EQ(codigo, CodigoBanco::TabelaCorrompida);
    EXPECT_EQ(ClassificaErro(codigo, {}), 7);
    EXPECT_EQ(CodigoErro([] { Banco("T", "/nao/existe/pasta"); }), CodigoBanco::ArquivoNaoEncontrado);
}

TEST(Banco, CopyRowsByFieldNameAndStatementsOverSeveralTables) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela("Origem.DB", Simples());
    DefTabela outra;
    outra.campos = {CampoAutoinc("Codigo", true), CampoSmallint("Ano", true), CampoSmallint("Mes", true),
                    CampoString("Extra", 5)};
    outra.indices = {IndicePrimario({"Codigo"})};
    b.criaTabela("Destino.DB", outra);
    {
        Tabela t(b, "Origem.DB");
        t.abre();
        Inclui(t, 1, 2009, 10.5);
        Inclui(t, 2, 2009, 20.25);
        Inclui(t, 1, 2010, 30);
    }
    EXPECT_EQ(b.copiaLinhas(b, "Origem.DB", "Destino.DB"), 3u);
    const auto soma = b.consulta("select sum(Valor) Total, count(*) Qtde from Origem where Ano=:Ano", {"Origem.DB"},
                                 {{"Ano", Valor(2009)}});
    ASSERT_EQ(soma.size(), 1u);
    EXPECT_DOUBLE_EQ(soma[0]["Total"].comoNumero(), 30.75);
    const auto juncao = b.consulta(
        "select o.Valor from Origem o join Destino d on d.Ano=o.Ano and d.Mes=o.Mes where o.Codigo not in "
        "(select Codigo from Destino where Ano=2010) order by o.Valor",
        {"Origem.DB", "Destino.DB"});
    ASSERT_EQ(juncao.size(), 2u);
    EXPECT_DOUBLE_EQ(juncao[1][0].comoNumero(), 20.25);
    // Dates come back as dates.
    EXPECT_EQ(b.consulta("select Data from Origem where Codigo=3", {"Origem.DB"})[0]["Data"].comoData(),
              Data::de(2010, 1, 1));
    EXPECT_EQ(b.executa("Origem.DB", "delete from Tabela where Ano=:Ano", {{"Ano", Valor(2009)}}), 2);
}

TEST(Banco, DeletingATableRemovesItsFileUnlessSomeoneHasItOpen) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela("Apaga.DB", Simples());
    {
        Tabela t(b, "Apaga.DB");
        t.abre();
        EXPECT_EQ(CodigoErro([&] { b.excluiTabela("Apaga.DB"); }), CodigoBanco::TabelaEmUso);
        EXPECT_TRUE(b.existe("Apaga.DB"));
    }
    b.excluiTabela("apaga.db");
    EXPECT_FALSE(b.existe("Apaga.DB"));
    EXPECT_FALSE(std::filesystem::exists(p.caminho() / "Apaga.DB.lck"));
}

TEST(Banco, AFailingChangeInsideATransactionLeavesEveryTableAsItWas) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela("A.DB", Simples());
    b.criaTabela("B.DB", Simples());
    Tabela a(b, "A.DB"), c(b, "B.DB");
    a.abre();
    c.abre();
    Inclui(c, 1, 2000, 1);
    try {
        Transacao tr(b);
        Inclui(a, 1, 2001, 1);
        b.executa("B.DB", "delete from Tabela");
        Inclui(a, 1, 2001, 2);  // duplicate (Ano, Mes): fails
        tr.confirma();
        FAIL();
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.codigo(), CodigoBanco::ChaveDuplicada);
    }
    a.cancela();
    EXPECT_EQ(a.quantidade(), 0);
    c.atualiza();
    EXPECT_EQ(c.quantidade(), 1);
}

TEST(Banco, AFileReplacedUnderneathIsReadAfreshNotThroughTheOldConnection) {
    teste::PastaTemporaria p;
    Banco b("T", p.caminho());
    b.criaTabela("Valores.DB", Simples());
    {
        Tabela t(b, "Valores.DB");
        t.abre(ModoAbertura::SomenteLeitura);  // a read-only use first
        EXPECT_EQ(t.quantidade(), 0);
    }
    EXPECT_EQ(b.consulta("select count(*) from Valores", {"Valores.DB"})[0][0].comoInteiro(), 0);
    // Another program restores a copy with two rows over the file.
    std::filesystem::create_directory(p.caminho() / "copia");
    {
        Banco outro("C", p.caminho() / "copia");
        outro.criaTabela("Valores.DB", Simples());
        Tabela t(outro, "Valores.DB");
        t.abre();
        Inclui(t, 1, 2020, 1);
        Inclui(t, 2, 2020, 2);
    }
    std::filesystem::rename(p.caminho() / "copia" / "Valores.DB", p.caminho() / "Valores.DB");
    EXPECT_EQ(b.consulta("select count(*) from Valores", {"Valores.DB"})[0][0].comoInteiro(), 2);
    Tabela t(b, "Valores.DB");
    t.abre();  // and writing works on the new file
    Inclui(t, 3, 2020, 3);
    EXPECT_EQ(t.quantidade(), 3);
}
