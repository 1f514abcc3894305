// Rules of the reference-table windows without a display: the user's name
// lists (codes, deletion of a series with its values, in one transaction),
// the values of a series (series code, typed year, F4 into the next month),
// holidays, the search keys of the monthly values, the computed daily index,
// the dBase export read back by an independent reader and the printed lists.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/ExportaIndicesDbf.h"
#include "reference/RegrasTabelas.h"
#include "reference/RelatorioTabelas.h"
#include "reference/TabelasReferencia.h"
#include "reports/Medidor.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

using namespace korva;

namespace {

class Compartilhado {
public:
    Compartilhado() : banco("CalcShare", pasta.caminho()) {
        for (const auto& nome : TabelasCompartilhadas()) banco.criaTabela(nome, *EsquemaCompartilhado(nome));
    }
    void inclui(const std::string& tabela, const std::vector<std::pair<std::string, Valor>>& campos) {
        Tabela t(banco, tabela);
        t.abre();
        t.insere();
        for (const auto& [nome, valor] : campos) t[nome] = valor;
        t.grava();
    }
    int conta(const std::string& sql, const std::string& tabela) {
        return static_cast<int>(banco.consulta(sql, {tabela}).front()[0].comoInteiro());
    }
    void diario(int cod, Data d, double indice) {
        inclui("Diario.DB", {{"CodIndice", cod}, {"Data", d}, {"Indice", indice}});
    }

    teste::PastaTemporaria pasta;
    Banco banco;
};

std::string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "(nenhum erro)";
}

// Output of a command (the independent dBase reader).
std::string Executa(const std::string& comando) {
    std::string saida;
    FILE* p = popen(comando.c_str(), "r");
    if (!p) return saida;
    std::array<char, 4096> b{};
    size_t n;
    while ((n = fread(b.data(), 1, b.size(), p)) > 0) saida.append(b.data(), n);
    pclose(p);
    return saida;
}

// The records of a dBase file as "DATA INDICE" lines, read by shapelib's dbfdump.
std::vector<std::string> LeDbf(const std::filesystem::path& arquivo) {
    std::vector<std::string> linhas;
    const std::string texto = Executa("dbfdump -r '" + arquivo.string() + "'");
    size_t ini = 0;
    bool cabecalho = true;
    while (ini < texto.size()) {
        size_t fim = texto.find('\n', ini);
        if (fim == std::string::npos) fim = texto.size();
        std::string l = texto.substr(ini, fim - ini);
        ini = fim + 1;
        if (cabecalho) {  // the first line names the fields
            cabecalho = false;
            EXPECT_NE(l.find("DATA"), std::string::npos) << l;
            EXPECT_NE(l.find("INDICE"), std::string::npos) << l;
            continue;
        }
        // collapse the blanks between the two fields
        std::string r;
        for (char c : l)
            if (c != ' ' || (!r.empty() && r.back() != ' ')) r += c;
        while (!r.empty() && r.back() == ' ') r.pop_back();
        if (!r.empty()) linhas.push_back(r);
    }
    return linhas;
}

// Every text drawn in a laid-out document, page by page.
std::vector<std::vector<std::string>> Textos(const Documento& d) {
    std::vector<std::vector<std::string>> r;
    for (const Pagina& p : d.paginas) {
        r.emplace_back();
        for (const Elemento& e : p.elementos)
            if (e.tipo == Elemento::Tipo::Texto && !e.texto.empty()) r.back().push_back(e.texto);
    }
    return r;
}

}  // namespace

// ---- name lists ----

TEST(ListaNomesUsuarioTest, NovosCodigosEExclusaoDaSerieComSeusValores) {
    Compartilhado c;
    TabelasReferencia ref(c.banco);
    Tabela nomes(c.banco, "NomeSalario.DB");
    ListaNomesUsuario regras(nomes, ref);
    regras.abre();

    // The first name of an empty list is 1, the next the greatest + 1.
    nomes.insere();
    EXPECT_EQ(nomes.valor("Codigo").comoInteiro(), 1);
    nomes["Nome"] = "Bancários";
    nomes.grava();
    nomes.insere();
    nomes["Nome"] = "Comerciários";
    nomes.grava();
    EXPECT_EQ(nomes.valor("Codigo").comoInteiro(), 2);
    // Another workstation took code 3 meanwhile: the row is stored with 4.
    nomes.insere();
    EXPECT_EQ(nomes.valor("Codigo").comoInteiro(), 3);
    c.inclui("NomeSalario.DB", {{"Codigo", 3}, {"Nome", "Metalúrgicos"}});
    nomes["Nome"] = "Vigilantes";
    nomes.grava();
    EXPECT_EQ(nomes.valor("Codigo").comoInteiro(), 4);

    for (int serie : {1, 2})
        for (int mes = 1; mes <= 3; ++mes)
            c.inclui("Salario.DB", {{"Salario", serie}, {"Ano", 2004}, {"Mes", mes}, {"SalMin", 100.0 * serie}});

    // Deleting a series deletes its values only.
    nomes.atualiza();
    ASSERT_TRUE(nomes.localiza({"Nome"}, {Valor("Bancários")}));
    nomes.exclui();
    EXPECT_EQ(c.conta("select count(*) from Salario where Salario=1", "Salario.DB"), 0);
    EXPECT_EQ(c.conta("select count(*) from Salario where Salario=2", "Salario.DB"), 3);
    EXPECT_EQ(c.conta("select count(*) from NomeSalario where Codigo=1", "NomeSalario.DB"), 0);

    // A deletion that fails on the name (another user removed it) keeps the values.
    ASSERT_TRUE(nomes.localiza({"Nome"}, {Valor("Comerciários")}));
    c.banco.executa("NomeSalario.DB", "delete from Tabela where Codigo=2");
    EXPECT_NE(Mensagem([&] { nomes.exclui(); }), "(nenhum erro)");
    EXPECT_FALSE(c.banco.emTransacao());
    EXPECT_EQ(c.conta("select count(*) from Salario where Salario=2", "Salario.DB"), 3);
    // and leaves no transaction behind: the next change stands on its own.
    nomes.atualiza();
    nomes.insere();
    nomes["Nome"] = "Portuários";
    nomes.grava();
    EXPECT_EQ(c.conta("select count(*) from NomeSalario where Nome='Portuários'", "NomeSalario.DB"), 1);
}

TEST(ListaNomesUsuarioTest, SerieAtualEClassesDeFeriado) {
    Compartilhado c;
    TabelasReferencia ref(c.banco);
    Tabela classes(c.banco, "TipoFeriado.DB");
    ListaNomesUsuario regras(classes, ref);
    regras.abre();
    EXPECT_FALSE(regras.serieAtual());  // empty list
    classes.insere();
    classes["Descricao"] = "FERIADO DE SÃO PAULO";
    EXPECT_EQ(classes.valor("Descricao").comoTexto(), "Feriado de São Paulo");
    EXPECT_FALSE(regras.serieAtual());  // being inserted: "..." does nothing
    classes.grava();
    ASSERT_TRUE(regras.serieAtual());
    EXPECT_EQ(regras.serieAtual()->codigo, 1);
    EXPECT_EQ(regras.serieAtual()->nome, "Feriado de São Paulo");
}

// ---- values of a series ----

TEST(ValoresDaSerieTest, CodigoDaSerieAnoDigitadoECopiaDoMesSeguinte) {
    Compartilhado c;
    c.inclui("VTransp.DB", {{"ValeTransporte", 9}, {"Ano", 2003}, {"Mes", 5}, {"VTransp", 9.0}});
    Tabela t(c.banco, "VTransp.DB");
    ValoresDaSerie valores(t, kSerieValeTransporte, 3);
    valores.abre();
    EXPECT_EQ(t.quantidade(), 0);  // other series are filtered out

    // No current row when the insertion began: F4 does nothing.
    t.insere();
    EXPECT_FALSE(valores.copiaProximoMes());
    EXPECT_EQ(t.valor("ValeTransporte").comoInteiro(), 3);
    t["Mes"] = 12;
    t["Ano"] = 3;  // two digits
    EXPECT_EQ(t.valor("Ano").comoInteiro(), 2003);
    t["VTransp"] = 2.15;
    t.grava();

    // After 12/2003, a new row with F4 is 01/2004 with the same value.
    t.insere();
    EXPECT_TRUE(valores.copiaProximoMes());
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 1);
    EXPECT_EQ(t.valor("Ano").comoInteiro(), 2004);
    EXPECT_DOUBLE_EQ(t.valor("VTransp").comoNumero(), 2.15);
    t.grava();
    // and again from the row just stored.
    t.insere();
    EXPECT_TRUE(valores.copiaProximoMes());
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 2);
    t.cancela();
    EXPECT_FALSE(valores.copiaProximoMes());  // not inserting
    EXPECT_EQ(c.conta("select count(*) from VTransp where ValeTransporte=3", "VTransp.DB"), 2);
    EXPECT_EQ(c.conta("select count(*) from VTransp where ValeTransporte=9", "VTransp.DB"), 1);
}

TEST(ValoresDaSerieTest, AnoComDoisDigitos) {
    Compartilhado c;
    Tabela t(c.banco, "Salario.DB");
    ValoresDaSerie valores(t, kSerieSalario, 1);
    valores.abre();
    t.insere();
    t["Ano"] = 98;
    EXPECT_EQ(t.valor("Ano").comoInteiro(), 1998);
    t["Ano"] = 5;
    EXPECT_EQ(t.valor("Ano").comoInteiro(), 2005);
    t["Ano"] = 2005;
    EXPECT_EQ(t.valor("Ano").comoInteiro(), 2005);
    t["Ano"] = Valor();
    EXPECT_TRUE(t.valor("Ano").nulo());
    EXPECT_EQ(Mensagem([&] { t["Ano"] = 10000; }), "Ano inválido!");
    EXPECT_TRUE(t.editando());  // the row stays in edit to be corrected
}

TEST(ValoresDaSerieTest, ProximoMes) {
    int a = 2003, m = 12;
    ProximoMes(a, m);
    EXPECT_EQ(a, 2004);
    EXPECT_EQ(m, 1);
    ProximoMes(a, m);
    EXPECT_EQ(a, 2004);
    EXPECT_EQ(m, 2);
}

// ---- holidays ----

TEST(FeriadosTest, DescricaoEmNomeProprioEPesquisaExata) {
    Compartilhado c;
    Tabela t(c.banco, "FeriadosPadrao.db");
    t.abre();
    RegrasFeriados(t);
    for (const auto& [d, nome] : {std::pair{Data::de(2005, 9, 7), "SETE DE SETEMBRO"},
                                  std::pair{Data::de(2005, 11, 15), "proclamação"}}) {
        t.insere();
        t["Data"] = d;
        t["Descricao"] = nome;
        t["Tipo"] = 1;
        t.grava();
    }
    ASSERT_TRUE(LocalizaFeriado(t, Data::de(2005, 9, 7)));
    EXPECT_EQ(t.valor("Descricao").comoTexto(), "Sete de Setembro");
    EXPECT_FALSE(LocalizaFeriado(t, Data::de(2005, 9, 8)));
    EXPECT_EQ(t.valor("Data").comoData(), Data::de(2005, 9, 7));  // nothing moved
}

// ---- monthly values search ----

TEST(PesquisaValoresTest, TeclasDosCamposDeAnoEMes) {
    EXPECT_EQ(TeclaPesquisa("", U'2', kMaximoAnoPesquisa), ReacaoTecla::Aceita);
    EXPECT_EQ(TeclaPesquisa("", U'a', kMaximoAnoPesquisa), ReacaoTecla::Ignora);  // no beep
    EXPECT_EQ(TeclaPesquisa("200", U'-', kMaximoAnoPesquisa), ReacaoTecla::Ignora);
    EXPECT_EQ(TeclaPesquisa("2004", U'5', kMaximoAnoPesquisa), ReacaoTecla::Recusa);  // fifth digit
    EXPECT_EQ(TeclaPesquisa("2004", U'x', kMaximoAnoPesquisa), ReacaoTecla::Recusa);
    EXPECT_EQ(TeclaPesquisa("2004", U'\b', kMaximoAnoPesquisa), ReacaoTecla::Aceita);
    EXPECT_EQ(TeclaPesquisa("12", U'1', kMaximoMesPesquisa), ReacaoTecla::Recusa);
    EXPECT_EQ(TeclaPesquisa("1", U'2', kMaximoMesPesquisa), ReacaoTecla::Aceita);

    EXPECT_FALSE(PesquisaMesHabilitada("2004", ""));
    EXPECT_FALSE(PesquisaMesHabilitada("", "3"));
    EXPECT_TRUE(PesquisaMesHabilitada("2004", "3"));
}

TEST(PesquisaValoresTest, LocalizaOMesExatoOuNaoSeMove) {
    Compartilhado c;
    for (int mes = 1; mes <= 12; ++mes)
        c.inclui("Valores.DB", {{"Ano", 2004}, {"Mes", mes}, {"SalMin", 240.0 + mes}});
    Tabela t(c.banco, "Valores.DB");
    t.abre(ModoAbertura::SomenteLeitura);
    ASSERT_TRUE(LocalizaMes(t, "2004", "3"));
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 3);
    EXPECT_TRUE(LocalizaMes(t, "04", "07"));  // two-digit year
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 7);
    EXPECT_FALSE(LocalizaMes(t, "2005", "1"));
    EXPECT_FALSE(LocalizaMes(t, "2004", ""));
    EXPECT_EQ(t.valor("Mes").comoInteiro(), 7);
}

// ---- daily index ----

TEST(IndiceDiarioTest, IndiceCalculadoPeloUltimoDiaDaSerie) {
    Compartilhado c;
    c.diario(1, Data::de(2004, 3, 29), 1.0);
    c.diario(1, Data::de(2004, 3, 30), 1.6);
    c.diario(1, Data::de(2004, 3, 31), 2.0);
    c.diario(2, Data::de(2004, 4, 1), 8.0);  // another series, later
    Tabela t(c.banco, "Diario.DB");
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineFiltro("CodIndice=1");
    const auto base = BaseDaSerie(t);
    ASSERT_TRUE(base);
    EXPECT_DOUBLE_EQ(*base, 2.0);
    EXPECT_DOUBLE_EQ(*IndiceCalculado(Valor(2.0), base), 1.0);
    EXPECT_DOUBLE_EQ(*IndiceCalculado(Valor(1.0), base), 0.5);
    EXPECT_FALSE(IndiceCalculado(Valor(), base));

    EXPECT_TRUE(LocalizaIndice(t, 1, Data::de(2004, 3, 30)));
    EXPECT_DOUBLE_EQ(t.valor("Indice").comoNumero(), 1.6);
    EXPECT_FALSE(LocalizaIndice(t, 1, Data::de(2004, 4, 1)));
    EXPECT_EQ(t.valor("Data").comoData(), Data::de(2004, 3, 30));

    // No rows, or a last index of zero: no factor, never a division by zero.
    Tabela vazia(c.banco, "Diario.DB");
    vazia.abre(ModoAbertura::SomenteLeitura);
    vazia.defineFiltro("CodIndice=7");
    EXPECT_FALSE(BaseDaSerie(vazia));
    c.diario(3, Data::de(2004, 1, 1), 0.0);
    Tabela zero(c.banco, "Diario.DB");
    zero.abre(ModoAbertura::SomenteLeitura);
    zero.defineFiltro("CodIndice=3");
    EXPECT_FALSE(BaseDaSerie(zero));
    EXPECT_FALSE(IndiceCalculado(Valor(1.0), BaseDaSerie(zero)));
}

// ---- dBase export ----

TEST(ExportaIndicesDbfTest, UmaSerieSoEmOrdemDeDataComOIndiceGravado) {
    Compartilhado c;
    // Stored out of order on purpose.
    c.diario(1, Data::de(2004, 3, 31), 2.0);
    c.diario(1, Data::de(2004, 3, 29), 1.0);
    c.diario(1, Data::de(2004, 3, 30), 1.234567891);
    c.diario(2, Data::de(1999, 12, 31), 3.5);
    const auto arquivo = c.pasta.caminho() / "Indices.dbf";

    EXPECT_EQ(ExportaIndicesDbf(c.banco, 1), 3u);
    EXPECT_EQ(ExportaIndicesDbf(c.banco, 1), 3u);  // twice: still one copy
    const std::vector<std::string> esperado = {"20040329 1.0000000000", "20040330 1.2345678910",
                                               "20040331 2.0000000000"};
    EXPECT_EQ(LeDbf(arquivo), esperado);

    // Another series replaces the first.
    EXPECT_EQ(ExportaIndicesDbf(c.banco, 2), 1u);
    EXPECT_EQ(LeDbf(arquivo), (std::vector<std::string>{"19991231 3.5000000000"}));

    // A series without rows leaves an empty table.
    EXPECT_EQ(ExportaIndicesDbf(c.banco, 9), 0u);
    EXPECT_TRUE(LeDbf(arquivo).empty());

    // Only the table itself is left in the folder.
    for (const auto& e : std::filesystem::directory_iterator(c.pasta.caminho()))
        EXPECT_EQ(e.path().filename().string().find('~'), std::string::npos) << e.path();
}

TEST(ExportaIndicesDbfTest, FalhaDeixaATabelaAnteriorInteira) {
    Compartilhado c;
    c.diario(1, Data::de(2004, 3, 29), 1.5);
    c.diario(2, Data::de(2004, 3, 29), 1.0);
    c.diario(2, Data::de(2004, 3, 30), 5e9);  // wider than the field
    const auto arquivo = c.pasta.caminho() / "Indices.dbf";
    ExportaIndicesDbf(c.banco, 1);
    const std::string msg = Mensagem([&] { ExportaIndicesDbf(c.banco, 2); });
    EXPECT_NE(msg.find("30/03/2004"), std::string::npos) << msg;
    EXPECT_EQ(LeDbf(arquivo), (std::vector<std::string>{"20040329 1.5000000000"}));
    size_t arquivos = 0;
    for (const auto& e : std::filesystem::directory_iterator(c.pasta.caminho()))
        if (e.path().extension() == ".dbf") ++arquivos;
    EXPECT_EQ(arquivos, 1u);  // no temporary table left behind
}

// ---- printed lists ----

TEST(RelatorioTabelasTest, ValoresEmDuasColunasDeJornal) {
    std::vector<LinhaRelacaoValores> linhas;
    for (int i = 0; i < 150; ++i) {
        LinhaRelacaoValores l;
        l.ano = 1994 + (i + 6) / 12;
        l.mes = (i + 6) % 12 + 1;
        l.salMin = 1234.5;
        l.salFam1 = 8.0;
        l.salFam2 = 0.0;
        l.limMinimo = 1234.5;
        linhas.push_back(l);
    }
    MedidorFixo m;
    const Documento d = DiagramaRelacaoValores(linhas, "TRIBUNAL REGIONAL DO TRABALHO", "Versão de teste", m);
    ASSERT_GT(d.paginas.size(), 1u);
    const auto textos = Textos(d);
    const std::string total = std::to_string(d.paginas.size());
    std::multiset<std::string> meses;
    for (size_t p = 0; p < textos.size(); ++p) {
        const auto& t = textos[p];
        EXPECT_NE(std::find(t.begin(), t.end(), kTituloRelacaoValores), t.end());
        EXPECT_NE(std::find(t.begin(), t.end(), "Pág.: " + std::to_string(p + 1) + "/" + total), t.end());
        EXPECT_EQ(std::count(t.begin(), t.end(), "Seg. Desemprego"), 2);
        for (const std::string& s : t)
            if (s.size() == 7 && s[2] == '/') meses.insert(s);
    }
    EXPECT_EQ(meses.size(), linhas.size());  // every month printed once
    EXPECT_EQ(meses.count("07/1994"), 1u);
    // "##0.00" for the minimum wage, "#,##0.00" for the limits.
    EXPECT_NE(std::find(textos[0].begin(), textos[0].end(), "1234,50"), textos[0].end());
    EXPECT_NE(std::find(textos[0].begin(), textos[0].end(), "1.234,50"), textos[0].end());
    // Newspaper order: the second column of page 1 goes on where the first
    // ends, so the first page holds the first months and the last page the last.
    EXPECT_EQ(textos[0][std::find(textos[0].begin(), textos[0].end(), "07/1994") - textos[0].begin()], "07/1994");
    const auto& ultima = textos.back();
    EXPECT_NE(std::find(ultima.begin(), ultima.end(), "12/2006"), ultima.end());
    EXPECT_EQ(std::find(textos[0].begin(), textos[0].end(), "12/2006"), textos[0].end());
}

TEST(RelatorioTabelasTest, IndicesEmQuatroColunasComOIndiceCalculado) {
    Compartilhado c;
    const Data inicio = Data::de(2004, 1, 1);
    for (int i = 0; i < 400; ++i) c.diario(1, inicio + i, 1.0 + i);
    const auto linhas = LinhasRelacaoIndices(c.banco, 1);
    ASSERT_EQ(linhas.size(), 400u);
    EXPECT_DOUBLE_EQ(*linhas.back().indice, 1.0);
    EXPECT_DOUBLE_EQ(*linhas.front().indice, 1.0 / 400.0);
    MedidorFixo m;
    const Documento d = DiagramaRelacaoIndices(linhas, "IPCA-E", "TRT", "Versão", m);
    ASSERT_GE(d.paginas.size(), 1u);
    const auto textos = Textos(d);
    size_t datas = 0;
    for (const auto& t : textos) {
        EXPECT_NE(std::find(t.begin(), t.end(), std::string(kTituloTabelaIndices) + "IPCA-E"), t.end());
        EXPECT_EQ(std::count(t.begin(), t.end(), "Índice"), 4);
        for (const std::string& s : t)
            if (Data::lerDMA(s) && s.size() == 10) ++datas;
    }
    EXPECT_EQ(datas, 400u);
    EXPECT_NE(std::find(textos.back().begin(), textos.back().end(), "1,000000000"), textos.back().end());
    EXPECT_TRUE(DiagramaRelacaoIndices({}, "X", "TRT", "V", m).paginas.empty());
}
