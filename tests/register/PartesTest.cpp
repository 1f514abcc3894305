// The parties of a calculation: insertion values, field checks, the document
// number of type 9, closing with a pending row, and the import of the
// companion program's result file (from a file and through a real script).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "register/Partes.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

struct PartesTeste : ::testing::Test {
    teste::PastaTemporaria pasta;
    teste::PastaTemporaria programa;  // the program's own folder, where the companion lives
    Banco banco{"CalcPriv", pasta.caminho()};
    std::unique_ptr<Partes> partes;

    void SetUp() override {
        ConjuntoCalculo cc(banco, [] { return 100; });
        cc.CriaSubDiretorio(1);
        cc.defineAtual(1, 23);
        cc.CriaTabela("C0000023", 2);
        partes = std::make_unique<Partes>(banco, "Sub00001\\", "0001234-56.2009.5.01.0001", 23);
        partes->abre();
    }

    Tabela& t() { return partes->tabela(); }

    void gravaParte(const std::string& nome, int tipoParte, int sequencial) {
        t().insere();
        t()["Nome"] = nome;
        t()["TipoParte"] = tipoParte;
        t()["Sequencial"] = sequencial;
        t().grava();
    }

    std::vector<std::string> nomes() {
        std::vector<std::string> r;
        for (t().primeiro(); !t().fim(); t().proximo()) r.push_back(t().valor("Nome").comoTexto());
        return r;
    }

    void escreve(const fs::path& arquivo, const std::string& conteudo) {
        std::ofstream f(arquivo, std::ios::binary);
        f << conteudo;
    }

    // A companion program: a shell script that records its arguments and
    // writes `resultado` as the file named by its second argument.
    void companheiro(const std::string& resultado) {
        escreve(programa.caminho() / "conteudo.txt", resultado);
        escreve(programa.caminho() / "Partes.exe",
                "#!/bin/sh\n"
                "printf '%s\\n' \"$1\" > argumentos.txt\n"
                "cat conteudo.txt > \"$2\"\n");
        ::chmod((programa.caminho() / "Partes.exe").c_str(), 0755);
    }

    std::string le(const fs::path& arquivo) {
        std::ifstream f(arquivo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    template <class F>
    std::string mensagem(F&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(PartesTeste, NovaLinhaTemValoresIniciaisEDocumentoDoTipo9) {
    EXPECT_EQ(partes->nomeTabela(), "Sub00001\\C0000023.db");
    EXPECT_EQ(partes->titulo(), "KORVA - Tabela de Partes (Sub00001\\C0000023.db)");

    t().insere();
    EXPECT_EQ(t().valor("Dependentes").comoInteiro(), 0);
    EXPECT_EQ(t().valor("Sequencial").comoInteiro(), 0);
    EXPECT_EQ(t().valor("TipoDocumento").comoInteiro(), Partes::DocumentoSequencial);
    t()["Nome"] = "MARIA DA SILVA";
    EXPECT_EQ(t().valor("Nome").comoTexto(), "Maria da Silva");
    t()["TipoParte"] = 1;
    t()["Sequencial"] = 1234;
    t().grava();
    EXPECT_EQ(t().valor("Documento").comoTexto(), "1234");
    EXPECT_GT(t().valor("Codigo").comoInteiro(), 0);

    // Another document type keeps the typed number.
    t().insere();
    t()["Nome"] = "empresa beta";
    t()["TipoParte"] = 2;
    t()["TipoDocumento"] = 1;
    t()["Documento"] = "12.345.678/0001-90";
    t().grava();
    EXPECT_EQ(t().valor("Documento").comoTexto(), "12.345.678/0001-90");

    // A change of the sequential number reaches the document when stored again.
    ASSERT_TRUE(t().localiza({"Nome"}, {Valor("Maria da Silva")}));
    t().edita();
    t()["Sequencial"] = 77;
    t().grava();
    EXPECT_EQ(t().valor("Documento").comoTexto(), "77");

    // Ordered by kind of party, then name.
    gravaParte("ANA", 2, 1);
    gravaParte("ZECA", 1, 2);
    EXPECT_EQ(nomes(), (std::vector<std::string>{"Maria da Silva", "Zeca", "Ana", "Empresa Beta"}));
}

TEST_F(PartesTeste, FaixasDeSequencialEDependentes) {
    t().insere();
    EXPECT_EQ(mensagem([&] { t()["Sequencial"] = 100000000; }), "Valor do campo sequencial fora da faixa válida");
    EXPECT_EQ(t().valor("Sequencial").comoInteiro(), 0);  // the row stays open with the old value
    EXPECT_EQ(mensagem([&] { t()["Sequencial"] = -1; }), "Valor do campo sequencial fora da faixa válida");
    EXPECT_NO_THROW(t()["Sequencial"] = 99999999);
    EXPECT_EQ(mensagem([&] { t()["Dependentes"] = -1; }), "Quantidade de dependentes inválida!");
    EXPECT_EQ(t().valor("Dependentes").comoInteiro(), 0);
    EXPECT_NO_THROW(t()["Dependentes"] = 3);
    t()["Nome"] = "Joao";
    t()["TipoParte"] = 1;
    t().grava();
    EXPECT_EQ(t().valor("Documento").comoTexto(), "99999999");

    // Without a kind of party the row is not stored.
    t().insere();
    t()["Nome"] = "Sem Tipo";
    EXPECT_THROW(t().grava(), ErroBanco);
    t().cancela();
}

TEST_F(PartesTeste, ListasDeCodigosEBotaoDeImportacao) {
    teste::PastaTemporaria pastaCompartilhada;
    Banco compartilhado("CalcComp", pastaCompartilhada.caminho());
    compartilhado.criaTabela("TipoParte.db", *EsquemaCompartilhado("TipoParte.db"));
    compartilhado.criaTabela("Documento.db", *EsquemaCompartilhado("Documento.db"));
    auto inclui = [&](const std::string& tabela, const std::string& campo, int codigo, const std::string& nome) {
        Tabela l(compartilhado, tabela);
        l.abre();
        l.insere();
        l["Codigo"] = codigo;
        l[campo] = nome;
        l.grava();
    };
    inclui("TipoParte.db", "TipoParte", 1, "Reclamante");
    inclui("TipoParte.db", "TipoParte", 2, "Reclamada");
    inclui("Documento.db", "Documento", 9, "Sequencial");
    TabelasReferencia referencia(compartilhado);
    partes->carregaCodigos(referencia);
    ASSERT_EQ(partes->tiposParte().size(), 2u);
    EXPECT_EQ(partes->tiposParte().front().nome, "Reclamada");  // ordered by name
    EXPECT_EQ(partes->textoTipoParte(1), "Reclamante");
    EXPECT_EQ(partes->textoTipoDocumento(9), "Sequencial");
    EXPECT_EQ(partes->textoTipoParte(7), "");

    EXPECT_TRUE(Partes::ImportacaoVisivel("S"));
    EXPECT_FALSE(Partes::ImportacaoVisivel("N"));
    EXPECT_FALSE(Partes::ImportacaoVisivel(""));
}

TEST_F(PartesTeste, FecharComLinhaPendenteERecusado) {
    t().insere();
    EXPECT_THROW(partes->fecha(), Inf);
    EXPECT_TRUE(t().aberta());
    t().cancela();
    partes->fecha();
    EXPECT_FALSE(t().aberta());
}

TEST_F(PartesTeste, ImportaArquivoComUltimaLinhaSemQuebraECodificacoes) {
    gravaParte("Parte Antiga", 1, 5);
    const fs::path arq = programa.caminho() / "P23.PAR";
    // Windows line breaks, a Windows-1252 name, a document holding ";", and a
    // last line without a line break after it.
    escreve(arq,
            "JOSE DA SILVA;2;1;100;9;ignorado\r\n"
            "\r\n"
            "CONCEI\xC7\xC3O LTDA;0;2;0;3;12;34\r\n"
            "pedro de souza;0;1;200;1;ABC-1");
    EXPECT_EQ(partes->importaArquivo(arq), 3);
    EXPECT_EQ(nomes(), (std::vector<std::string>{"Jose da Silva", "Parte Antiga", "Pedro de Souza", "Conceição Ltda"}));
    ASSERT_TRUE(t().localiza({"Nome"}, {Valor("Jose da Silva")}));
    EXPECT_EQ(t().valor("Documento").comoTexto(), "100");
    EXPECT_EQ(t().valor("Dependentes").comoInteiro(), 2);
    ASSERT_TRUE(t().localiza({"Nome"}, {Valor("Conceição Ltda")}));
    EXPECT_EQ(t().valor("Documento").comoTexto(), "12;34");
    EXPECT_EQ(t().valor("TipoDocumento").comoInteiro(), 3);
    ASSERT_TRUE(t().localiza({"Nome"}, {Valor("Pedro de Souza")}));
    EXPECT_EQ(t().valor("Documento").comoTexto(), "ABC-1");

    // The traditional ending (an empty line after the last party) gives the same.
    EXPECT_EQ(partes->importaTexto("Outra Parte;0;1;7;9;\n\n"), 1);
    EXPECT_EQ(t().quantidade(), 5);
}

TEST_F(PartesTeste, ImportacaoRecusadaNaoDeixaNada) {
    gravaParte("Parte Antiga", 1, 5);

    // Nothing found: the first line starts with the lawsuit number.
    EXPECT_EQ(mensagem([&] { partes->importaTexto("0001234-56.2009.5.01.0001 nao encontrado\n"); }),
              "A aplicação de controle não encontrou dados sobre o processo especificado!");
    EXPECT_EQ(t().quantidade(), 1);

    // A bad line refuses the whole file, naming the line; the lines before it are not kept.
    const std::string ruim = "Ana;0;1;1;9;\nBia;0;1;100000000;9;\nCida;0;1;3;9;\n";
    EXPECT_EQ(mensagem([&] { partes->importaTexto(ruim); }),
              "Erro na linha 2 do arquivo de partes: Valor do campo sequencial fora da faixa válida");
    EXPECT_EQ(nomes(), std::vector<std::string>{"Parte Antiga"});
    EXPECT_FALSE(t().editando());

    const std::string msgDependentes = mensagem([&] { partes->importaTexto("Ana;0;1;1;9;\nBia;-1;1;2;9;\n"); });
    EXPECT_EQ(msgDependentes, "Erro na linha 2 do arquivo de partes: Quantidade de dependentes inválida!");
    EXPECT_NE(mensagem([&] { partes->importaTexto("Ana;x;1;1;9;\n"); }).find("linha 1"), std::string::npos);
    EXPECT_NE(mensagem([&] { partes->importaTexto("Ana;0;1\n"); }).find("linha 1"), std::string::npos);
    // A document longer than its field is refused, not cut short.
    EXPECT_NE(mensagem([&] { partes->importaTexto("Ana;0;1;1;1;" + std::string(19, '9') + "\n"); }).find("linha 1"),
              std::string::npos);
    EXPECT_EQ(t().quantidade(), 1);

    // The table stays usable and numbered after a refused import.
    EXPECT_EQ(partes->importaTexto("Ana;0;1;1;9;\n"), 1);
    EXPECT_EQ(nomes(), (std::vector<std::string>{"Ana", "Parte Antiga"}));
}

TEST_F(PartesTeste, ImportaPeloProgramaCompanheiro) {
    gravaParte("Parte Antiga", 1, 5);
    // A stale result of an earlier run must never be taken for the new one.
    escreve(programa.caminho() / "P23.PAR", "Velha;0;1;9;9;\n");
    companheiro("RECLAMANTE UM;1;1;11;9;\nreclamada dois;0;2;22;1;DOC 22");

    EXPECT_EQ(partes->importa(programa.caminho()), 2);
    EXPECT_EQ(nomes(), (std::vector<std::string>{"Parte Antiga", "Reclamante Um", "Reclamada Dois"}));
    // The lawsuit number reached the program as one argument.
    EXPECT_EQ(le(programa.caminho() / "argumentos.txt"), "0001234-56.2009.5.01.0001\n");
    // The result file and the script are gone.
    EXPECT_FALSE(fs::exists(programa.caminho() / "P23.PAR"));
    EXPECT_FALSE(fs::exists(programa.caminho() / "P23.bat"));

    // Nothing found by the program.
    companheiro("0001234-56.2009.5.01.0001;NAO ENCONTRADO\n");
    EXPECT_EQ(mensagem([&] { partes->importa(programa.caminho()); }),
              "A aplicação de controle não encontrou dados sobre o processo especificado!");
    EXPECT_EQ(t().quantidade(), 3);
    EXPECT_FALSE(fs::exists(programa.caminho() / "P23.PAR"));

    // A program that writes no result: a file error, and the stale file is not imported.
    escreve(programa.caminho() / "P23.PAR", "Velha;0;1;9;9;\n");
    escreve(programa.caminho() / "Partes.exe", "#!/bin/sh\nexit 1\n");
    ::chmod((programa.caminho() / "Partes.exe").c_str(), 0755);
    EXPECT_THROW(partes->importa(programa.caminho()), ErroES);
    EXPECT_EQ(t().quantidade(), 3);

    // No companion program at all.
    fs::remove(programa.caminho() / "Partes.exe");
    EXPECT_NE(mensagem([&] { partes->importa(programa.caminho()); }).find("Não encontrado o programa"),
              std::string::npos);
    EXPECT_EQ(t().quantidade(), 3);
}

TEST_F(PartesTeste, NumeroDoProcessoComCaracteresDoShell) {
    partes->fecha();
    partes = std::make_unique<Partes>(banco, "Sub00001\\", "12 'a' $HOME;x", 23);
    partes->abre();
    companheiro("Ana;0;1;1;9;\n");
    EXPECT_EQ(partes->importa(programa.caminho()), 1);
    EXPECT_EQ(le(programa.caminho() / "argumentos.txt"), "12 'a' $HOME;x\n");
}

}  // namespace
