// Export of the official tables to an exchange folder and their import back:
// the groups, the checks before anything changes, the all-or-nothing import.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/ExportaImporta.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

using Campos = std::vector<std::pair<std::string, Valor>>;
using Linhas = std::vector<std::vector<Valor>>;

void Inclui(Banco& b, const std::string& tabela, const Campos& campos) {
    Tabela t(b, tabela);
    t.abre();
    t.insere();
    for (const auto& [nome, valor] : campos) t[nome] = valor;
    t.grava();
}

Linhas LeTudo(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    Linhas r;
    for (t.primeiro(); !t.fim(); t.proximo()) r.push_back(t.linha());
    return r;
}

// The folder's files, without the lock companions the store leaves beside opened tables.
std::set<std::string> Arquivos(const fs::path& pasta) {
    std::set<std::string> r;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.path().extension() != ".lck") r.insert(e.path().filename().string());
    return r;
}

template <class E, class F>
std::string Falha(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(sem erro)";
}

template <class F>
int CodigoFalha(F&& f) {
    try {
        f();
    } catch (const ErroBanco& e) {
        return e.codigo();
    }
    return -1;
}

Campos FaixasIR(int ano, int mes, double base) {
    Campos c{{"Ano", ano}, {"Mes", mes}};
    for (const char* n : {"LimiteMinimo", "Limite1", "Percentual1", "Deducao1", "Limite2", "Percentual2", "Deducao2",
                          "Limite3", "Percentual3", "Deducao3", "PercentualMaximo", "DeducaoMaximo",
                          "DeducaoDependente", "DeducaoDaBase"})
        c.emplace_back(n, std::string(n).rfind("Percentual", 0) == 0 ? (base += 1.125) / 100 : (base += 1.125));
    return c;
}

Campos FaixasINSS(int ano, int mes, bool progressiva) {
    Campos c{{"Ano", ano}, {"Mes", mes}, {"Progressiva", progressiva}};
    double v = 100.01;
    for (const char* n : {"LimiteMinimo", "Limite1", "Percentual1", "Limite2", "Percentual2", "Limite3", "Percentual3",
                          "Limite4", "Percentual4", "Limite5", "Percentual5"})
        c.emplace_back(n, std::string(n).rfind("Percentual", 0) == 0 ? (v *= 1.37) / 100 : (v *= 1.37));
    return c;
}

class ExportaImporta : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(pastaComp);
        fs::create_directories(troca);
        comp = std::make_unique<Banco>("CalcShare", pastaComp);
        for (const auto& nome : TabelasCompartilhadas()) comp->criaTabela(nome, *EsquemaCompartilhado(nome));

        Inclui(*comp, "NomeIndice.db", {{"Codigo", 1}, {"Nome", "IPCA-E"}});
        Inclui(*comp, "NomeIndice.db", {{"Codigo", 2}, {"Nome", "INPC"}});
        Inclui(*comp, "NomeIndice.db", {{"Codigo", 7}, {"Nome", "Tabela Única JT"}});
        Inclui(*comp, "Indices.DB", {{"CodIndice", 1}, {"Ano", 2003}, {"Mes", 12}, {"Indice", 1.23456789}});
        Inclui(*comp, "Indices.DB", {{"CodIndice", 1}, {"Ano", 2004}, {"Mes", 1}, {"Indice", 1.2401234567891}});
        Inclui(*comp, "Indices.DB", {{"CodIndice", 7}, {"Ano", 2004}, {"Mes", 1}, {"Indice", 0.987654321}});
        Inclui(*comp, "Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2004, 3, 31)}, {"Indice", 2.0}});
        Inclui(*comp, "Diario.DB", {{"CodIndice", 1}, {"Data", Data::de(2004, 4, 1)}, {"Indice", 2.000123456789}});
        Inclui(*comp, "FaixasIR.db", FaixasIR(2009, 1, 1434.59));
        Inclui(*comp, "FaixasIR.db", FaixasIR(2009, 2, 1434.59));
        Inclui(*comp, "FaixasINSS.DB", FaixasINSS(2020, 3, true));
        Inclui(*comp, "FaixasINSS.DB", FaixasINSS(2020, 2, false));
        Inclui(*comp, "Valores.DB", {{"Ano", 2000}, {"Mes", 1}, {"SalMin", 136.0}, {"SalFam1", 8.25}, {"SalFam2", 9.5},
                                     {"LimMinimo", 200.0}, {"LimMaximo", 300.0}, {"ValorMaximo", 250.0}});
        Inclui(*comp, "Valores.DB", {{"Ano", 2000}, {"Mes", 2}, {"SalMin", 136.0}, {"SalFam1", 8.25}, {"SalFam2", 9.5}});
        Inclui(*comp, "FeriadosPadrao.db", {{"Data", Data::de(2005, 9, 7)}, {"Descricao", "Independência"}, {"Tipo", 1}});
        Inclui(*comp, "FeriadosPadrao.db", {{"Data", Data::de(2005, 9, 7)}, {"Descricao", "Feriado Local"}, {"Tipo", 3}});
        Inclui(*comp, "FeriadosPadrao.db", {{"Data", Data::de(2005, 12, 25)}, {"Descricao", "Natal"}, {"Tipo", 1}});
    }

    std::map<std::string, Linhas> Retrato(GrupoTabelas g) {
        std::map<std::string, Linhas> r;
        for (const auto& t : DescricaoDoGrupo(g).tabelas) r[t] = LeTudo(*comp, t);
        return r;
    }

    // Replaces the exchange folder's table with one of the given structure and rows.
    void TabelaDeTroca(const std::string& nome, const DefTabela& def, const std::vector<Campos>& linhas) {
        Banco b("Troca", troca);
        if (b.existe(nome)) b.excluiTabela(nome);
        b.criaTabela(nome, def);
        for (const auto& l : linhas) Inclui(b, nome, l);
    }

    teste::PastaTemporaria raiz;
    fs::path pastaComp = raiz.caminho() / "Compartilhado";
    fs::path troca = raiz.caminho() / "Troca";
    std::unique_ptr<Banco> comp;
};

}  // namespace

TEST(GruposTabelas, SixGroupsInDialogOrderFoundByShortNameOrTitle) {
    const auto& g = GruposTabelas();
    ASSERT_EQ(g.size(), 6u);
    EXPECT_EQ(g[0].titulo, "Índices Mensais");
    EXPECT_EQ(g[0].tabelas, (std::vector<std::string>{"NomeIndice.db", "Indices.db"}));
    EXPECT_EQ(g[1].titulo, "Índices Diários");
    EXPECT_EQ(g[1].tabelas, std::vector<std::string>{"Diario.db"});  // the series names stay behind
    EXPECT_EQ(g[3].titulo, "I.N.S.S.");
    EXPECT_EQ(g[5].tabelas, std::vector<std::string>{"FeriadosPadrao.db"});
    for (const auto& d : g) {
        EXPECT_EQ(GrupoPorNome(d.nomeCurto), d.grupo) << d.nomeCurto;
        EXPECT_EQ(GrupoPorNome(d.titulo), d.grupo) << d.titulo;
        for (const auto& t : d.tabelas) EXPECT_NE(EsquemaCompartilhado(t), nullptr) << t;
    }
    EXPECT_EQ(GrupoPorNome("INDICES MENSAIS"), GrupoTabelas::IndicesMensais);
    EXPECT_EQ(GrupoPorNome("indices diarios"), GrupoTabelas::IndicesDiarios);
    EXPECT_EQ(GrupoPorNome("INSS"), GrupoTabelas::INSS);
    EXPECT_EQ(GrupoPorNome("Feriados"), GrupoTabelas::Feriados);
    EXPECT_FALSE(GrupoPorNome("salarios"));
    EXPECT_FALSE(GrupoPorNome(""));
    EXPECT_FALSE(GrupoPorNome("..."));
}

TEST_F(ExportaImporta, ExportWritesTheSharedTablesWithTheirStructureAndReplacesFormerFiles) {
    // A former export under another letter case, with rows of its own.
    TabelaDeTroca("nomeindice.DB", EsquemaNomeIndice(), {{{"Codigo", 99}, {"Nome", "Antigo"}}});

    const auto r = ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].linhas, 3u);
    EXPECT_EQ(r[1].linhas, 3u);
    Banco b("Troca", troca);
    for (const char* t : {"NomeIndice.db", "Indices.db"}) {
        EXPECT_EQ(LeTudo(b, t), LeTudo(*comp, t)) << t;
        const DefTabela dt = b.definicao(t), dc = comp->definicao(t);
        ASSERT_EQ(dt.campos.size(), dc.campos.size());
        for (size_t i = 0; i < dc.campos.size(); ++i) {
            EXPECT_EQ(dt.campos[i].nome, dc.campos[i].nome);
            EXPECT_EQ(dt.campos[i].tipo, dc.campos[i].tipo);
            EXPECT_EQ(dt.campos[i].tamanho, dc.campos[i].tamanho);
            EXPECT_EQ(dt.campos[i].obrigatorio, dc.campos[i].obrigatorio);
        }
        ASSERT_EQ(dt.indices.size(), dc.indices.size());
        for (size_t i = 0; i < dc.indices.size(); ++i) {
            EXPECT_EQ(dt.indices[i].nome, dc.indices[i].nome);
            EXPECT_EQ(dt.indices[i].campos, dc.indices[i].campos);
            EXPECT_EQ(dt.indices[i].unico, dc.indices[i].unico);
            EXPECT_EQ(dt.indices[i].semCaixa, dc.indices[i].semCaixa);
        }
    }
    // The former file was replaced in place, and nothing else was left behind.
    EXPECT_EQ(Arquivos(troca), (std::set<std::string>{"nomeindice.DB", "Indices.DB"}));

    // Exporting again leaves one copy of the rows; changes of the shared table are carried.
    Inclui(*comp, "NomeIndice.db", {{"Codigo", 8}, {"Nome", "TR"}});
    ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca);
    EXPECT_EQ(LeTudo(b, "NomeIndice.db").size(), 4u);
    EXPECT_EQ(LeTudo(b, "Indices.db").size(), 3u);
    EXPECT_EQ(Arquivos(troca).size(), 2u);

    // Other groups land beside them.
    ExportaGrupo(*comp, GrupoTabelas::Feriados, troca);
    EXPECT_EQ(LeTudo(b, "FeriadosPadrao.db"), LeTudo(*comp, "FeriadosPadrao.db"));
    EXPECT_EQ(Arquivos(troca).size(), 3u);
}

TEST_F(ExportaImporta, AFailedExportLeavesTheFormerFilesOfTheFolderAsTheyWere) {
    ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca);
    const auto antes = Arquivos(troca);
    Banco b("Troca", troca);
    const Linhas nomesAntes = LeTudo(b, "NomeIndice.db");

    // The first table of the group changes, but the folder's second table is in use.
    Inclui(*comp, "NomeIndice.db", {{"Codigo", 8}, {"Nome", "TR"}});
    {
        Tabela emUso(b, "Indices.db");
        emUso.abre();
        EXPECT_EQ(CodigoFalha([&] { ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
                  CodigoBanco::TabelaEmUso);
        EXPECT_EQ(Arquivos(troca), antes);
        EXPECT_EQ(LeTudo(b, "NomeIndice.db"), nomesAntes);
    }

    // The shared group's second table cannot be read.
    fs::rename(pastaComp / "Indices.DB", raiz.caminho() / "Indices.DB");
    EXPECT_EQ(CodigoFalha([&] { ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
              CodigoBanco::ArquivoNaoEncontrado);
    EXPECT_EQ(Arquivos(troca), antes);  // no half-written or temporary files
    EXPECT_EQ(LeTudo(b, "NomeIndice.db"), nomesAntes);
}

TEST_F(ExportaImporta, ExportThenImportRestoresEveryRowAndFieldOfEachGroup) {
    for (const auto& g : GruposTabelas()) {
        const auto original = Retrato(g.grupo);
        const auto exportadas = ExportaGrupo(*comp, g.grupo, troca);
        ASSERT_EQ(exportadas.size(), g.tabelas.size()) << g.titulo;

        // The shared tables change after the export: rows removed, a row entered by hand.
        for (const auto& t : g.tabelas) comp->executa(t, "DELETE FROM Tabela WHERE rowid % 2 = 1");
        if (g.grupo == GrupoTabelas::Feriados)
            Inclui(*comp, "FeriadosPadrao.db", {{"Data", Data::de(2006, 1, 20)}, {"Descricao", "São Sebastião"}, {"Tipo", 3}});
        if (g.grupo == GrupoTabelas::ValoresMensais)
            Inclui(*comp, "Valores.DB", {{"Ano", 2001}, {"Mes", 1}, {"SalMin", 151.0}, {"SalFam1", 9.0}, {"SalFam2", 10.0}});

        const auto importadas = ImportaGrupo(*comp, g.grupo, troca);
        ASSERT_EQ(importadas.size(), g.tabelas.size());
        for (size_t i = 0; i < g.tabelas.size(); ++i) {
            EXPECT_EQ(importadas[i].linhas, original.at(g.tabelas[i]).size()) << g.tabelas[i];
            EXPECT_EQ(LeTudo(*comp, g.tabelas[i]), original.at(g.tabelas[i])) << g.tabelas[i];
        }
    }
    // The daily series names are not part of the exchange.
    EXPECT_FALSE(Banco("Troca", troca).existe("NomeIndiceDiario.DB"));
}

TEST_F(ExportaImporta, FolderAndFilesAreCheckedBeforeAnyTableChanges) {
    const auto original = Retrato(GrupoTabelas::IndicesMensais);
    std::ofstream(raiz.caminho() / "arquivo.txt") << "x";
    for (const fs::path& p : {raiz.caminho() / "nao-existe", raiz.caminho() / "arquivo.txt", fs::path()}) {
        EXPECT_EQ(Falha<ErroKorva>([&] { ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, p); }), "Diretório inválido!");
        EXPECT_EQ(Falha<ErroKorva>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, p); }), "Diretório inválido!");
    }
    // The shared database's own folder is refused both ways.
    EXPECT_EQ(Falha<ErroKorva>([&] { ExportaGrupo(*comp, GrupoTabelas::IndicesMensais, pastaComp / "."); }),
              kMsgPastaDoBancoCompartilhado);
    EXPECT_EQ(Falha<ErroKorva>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, pastaComp); }),
              kMsgPastaDoBancoCompartilhado);

    // Only Indices.db in the folder: the missing NomeIndice.db fails the import, which changes nothing.
    TabelaDeTroca("Indices.db", EsquemaIndices(), {{{"CodIndice", 5}, {"Ano", 1999}, {"Mes", 1}, {"Indice", 1.0}}});
    EXPECT_EQ(Falha<ErroKorva>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
              "Arquivo de dados não encontrado no diretorio de origem!");
    EXPECT_EQ(Retrato(GrupoTabelas::IndicesMensais), original);
    EXPECT_EQ(Falha<ErroKorva>([&] { ImportaGrupo(*comp, GrupoTabelas::Feriados, troca); }),
              "Arquivo de dados não encontrado no diretorio de origem!");
}

TEST_F(ExportaImporta, AFailedImportLeavesEveryTableOfTheGroupUnchanged) {
    const auto original = Retrato(GrupoTabelas::IndicesMensais);
    const std::vector<Campos> nomesNovos = {{{"Codigo", 3}, {"Nome", "Novo"}}};
    TabelaDeTroca("NomeIndice.db", EsquemaNomeIndice(), nomesNovos);

    // A key violation in the second table, found only while copying: the first
    // table, already emptied and refilled, is restored with it.
    DefTabela semChave = EsquemaIndices();
    semChave.indices.clear();
    const Campos linha{{"CodIndice", 3}, {"Ano", 2004}, {"Mes", 1}, {"Indice", 1.5}};
    TabelaDeTroca("Indices.db", semChave, {linha, linha});
    EXPECT_EQ(CodigoFalha([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
              CodigoBanco::ChaveDuplicada);
    EXPECT_EQ(Retrato(GrupoTabelas::IndicesMensais), original);
    EXPECT_FALSE(comp->emTransacao());

    // Rows that do not fit the shared fields are refused before anything changes.
    DefTabela frouxa = EsquemaIndices();
    for (auto& f : frouxa.campos) f.obrigatorio = false;
    frouxa.campos[1].tipo = TipoCampo::Integer;  // Ano
    TabelaDeTroca("Indices.db", frouxa, {{{"CodIndice", 3}, {"Ano", 2004}, {"Mes", 2}}});
    const auto semIndice = Falha<ErroBanco>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); });
    EXPECT_NE(semIndice.find("Indice"), std::string::npos) << semIndice;
    EXPECT_NE(semIndice.find("registro 1"), std::string::npos) << semIndice;
    TabelaDeTroca("Indices.db", frouxa, {{{"CodIndice", 3}, {"Ano", 70000}, {"Mes", 2}, {"Indice", 1.0}}});
    EXPECT_EQ(CodigoFalha([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
              CodigoBanco::AcimaDoMaximo);
    DefTabela nomeLongo = EsquemaNomeIndice();
    nomeLongo.campos[1].tamanho = 40;
    TabelaDeTroca("NomeIndice.db", nomeLongo, {{{"Codigo", 3}, {"Nome", std::string(21, 'x')}}});
    EXPECT_EQ(CodigoFalha([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }),
              CodigoBanco::AcimaDoMaximo);
    TabelaDeTroca("NomeIndice.db", EsquemaNomeIndice(), nomesNovos);

    // A table without a field of the shared table, or with a field of another kind.
    DefTabela falta = EsquemaIndices();
    falta.campos.pop_back();
    falta.indices.clear();
    TabelaDeTroca("Indices.db", falta, {{{"CodIndice", 3}, {"Ano", 2004}, {"Mes", 2}}});
    EXPECT_NE(Falha<ErroDados>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }).find("Indice"),
              std::string::npos);
    DefTabela outroTipo = EsquemaIndices();
    outroTipo.campos[3] = CampoString("Indice", 10, true);
    TabelaDeTroca("Indices.db", outroTipo, {{{"CodIndice", 3}, {"Ano", 2004}, {"Mes", 2}, {"Indice", "1,5"}}});
    EXPECT_FALSE(Falha<ErroDados>([&] { ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca); }) == "(sem erro)");
    EXPECT_EQ(Retrato(GrupoTabelas::IndicesMensais), original);

    // Mended, the same folder imports whole.
    TabelaDeTroca("Indices.db", EsquemaIndices(), {linha});
    ImportaGrupo(*comp, GrupoTabelas::IndicesMensais, troca);
    EXPECT_EQ(LeTudo(*comp, "NomeIndice.db").size(), 1u);
    EXPECT_EQ(LeTudo(*comp, "Indices.DB").size(), 1u);
}

TEST_F(ExportaImporta, DialogStateFollowsTheActionAndTakesTheFolderAsTyped) {
    const char* antigo = std::getenv("HOME");
    const std::string homeAntigo = antigo ? antigo : "";
    setenv("HOME", raiz.caminho().c_str(), 1);
    ExpImp d(*comp);
    if (antigo) setenv("HOME", homeAntigo.c_str(), 1);
    else unsetenv("HOME");

    EXPECT_EQ(d.pasta(), raiz.caminho().string());
    EXPECT_EQ(d.acao(), AcaoExpImp::Exportar);
    EXPECT_EQ(d.grupo(), GrupoTabelas::IndicesMensais);
    EXPECT_STREQ(d.rotuloPasta(), "Informe o Drive/Diretório de destino:");
    d.defineAcao(AcaoExpImp::Importar);
    EXPECT_STREQ(d.rotuloPasta(), "Informe o Drive/Diretório de origem:");

    EXPECT_EQ(ExpImp::PastaDoTexto("  /a\\b\\ "), fs::path("/a/b/"));
    d.defineAcao(AcaoExpImp::Exportar);
    d.defineGrupo(GrupoTabelas::ValoresMensais);
    d.definePasta(" " + troca.string() + "\\ ");
    const auto r = d.executa();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].linhas, 2u);
    EXPECT_TRUE(Banco("Troca", troca).existe("Valores.db"));

    d.defineAcao(AcaoExpImp::Importar);
    d.definePasta("C:\\");
    EXPECT_EQ(Falha<ErroKorva>([&] { d.executa(); }), "Diretório inválido!");
}
