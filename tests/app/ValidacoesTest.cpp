#include "app/Validacoes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Integracao.h"
#include "util/Erros.h"

namespace fs = std::filesystem;
using namespace korva;

namespace {

std::string MensagemDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Validacoes, AnoCompleto) {
    EXPECT_EQ(AnoCompleto(0), 2000);
    EXPECT_EQ(AnoCompleto(49), 2049);
    EXPECT_EQ(AnoCompleto(50), 1950);
    EXPECT_EQ(AnoCompleto(99), 1999);
    EXPECT_EQ(AnoCompleto(100), 100);
    EXPECT_EQ(AnoCompleto(2005), 2005);
    // A negative year is not turned into a valid one.
    EXPECT_EQ(AnoCompleto(-1), -1);
    EXPECT_THROW(ValidaAno(AnoCompleto(-1)), ErroKorva);
}

TEST(Validacoes, ValidaAnoEMes) {
    EXPECT_NO_THROW(ValidaAno(0));
    EXPECT_NO_THROW(ValidaAno(9999));
    EXPECT_EQ(MensagemDe([] { ValidaAno(10000); }), "Ano inválido!");
    EXPECT_EQ(MensagemDe([] { ValidaAno(-1); }), "Ano inválido!");
    EXPECT_NO_THROW(ValidaMes(0));
    EXPECT_NO_THROW(ValidaMes(12));
    EXPECT_EQ(MensagemDe([] { ValidaMes(13); }), "Mes inválido!");
    EXPECT_EQ(MensagemDe([] { ValidaMes(-1); }), "Mes inválido!");
}

TEST(Validacoes, ConfereMascara) {
    EXPECT_TRUE(ConfereMascara("1234/56", "9999/99"));
    EXPECT_TRUE(ConfereMascara("12 4/56", "9999/99"));
    EXPECT_FALSE(ConfereMascara("1234/5", "9999/99"));
    EXPECT_FALSE(ConfereMascara("1234-56", "9999/99"));
    EXPECT_TRUE(ConfereMascara("AB-123", "AA-999"));
    EXPECT_TRUE(ConfereMascara(" B-123", "AA-999"));
    EXPECT_FALSE(ConfereMascara("ab-123", "AA-999"));
    EXPECT_FALSE(ConfereMascara("ÁB-123", "AA-999"));
    EXPECT_TRUE(ConfereMascara("qualquer", ""));
}

TEST(Validacoes, ValidaNumeroProcesso) {
    const std::string vazio = "Preencha o número do processo!";
    const std::string invalido = "Formato do número do processo inválido!";
    EXPECT_EQ(MensagemDe([] { ValidaNumeroProcesso("   ", "", "", ""); }), vazio);
    EXPECT_EQ(MensagemDe([] { ValidaNumeroProcesso("", "9999/99", "", ""); }), vazio);
    EXPECT_NO_THROW(ValidaNumeroProcesso("1234/56", "9999/99", "AA-999", ""));
    EXPECT_NO_THROW(ValidaNumeroProcesso("AB-123", "9999/99", "AA-999", ""));
    EXPECT_NO_THROW(ValidaNumeroProcesso("12 4/56", "9999/99", "AA-999", ""));
    EXPECT_EQ(MensagemDe([] { ValidaNumeroProcesso("1234/5", "9999/99", "AA-999", ""); }), invalido);
    EXPECT_NO_THROW(ValidaNumeroProcesso("99.AAA", "9999/99", "AA-999", "99.AAA"));
    // The untrimmed number is checked against the mask.
    EXPECT_EQ(MensagemDe([] { ValidaNumeroProcesso(" 1234/56", "9999/99", "", ""); }), invalido);
    // With the first mask empty anything non-empty passes.
    EXPECT_NO_THROW(ValidaNumeroProcesso("xyz", "", "9999/99", ""));
    // A mask behind an empty one is not consulted.
    EXPECT_EQ(MensagemDe([] { ValidaNumeroProcesso("AB-123", "9999/99", "", "AA-999"); }), invalido);
}

TEST(Validacoes, TeclasDoVisor) {
    const std::vector<int> esperado = {'1', '2', '3', '4', TeclaDecimalTeclado, '5', '6'};
    EXPECT_EQ(TeclasDoVisor("  -1.234,56 ", U','), esperado);
    EXPECT_EQ(TeclasDoVisor("-1,234.56", U'.'), esperado);
    EXPECT_EQ(TeclasDoVisor("0", U','), std::vector<int>{'0'});
    EXPECT_TRUE(TeclasDoVisor("", U',').empty());
}

TEST(Integracao, ProgramaAusente) {
    teste::PastaTemporaria pasta;
    const std::string programa = (pasta.caminho() / "Partes.exe").string();
    const std::string lote = (pasta.caminho() / "P23.bat").string();
    EXPECT_EQ(MensagemDe([&] { ExecutaIntegracao(programa, "x", lote, {}); }),
              "Não encontrado o programa '" + programa + "' no diretório do Ulmeris.");
    EXPECT_FALSE(fs::exists(lote));
}

TEST(Integracao, ExecutaOLoteEEsperaOFim) {
    teste::PastaTemporaria pasta;
    const fs::path programa = pasta.caminho() / "Partes.sh";
    // The companion program writes its result file in the current folder,
    // named by its second argument.
    std::ofstream(programa) << "printf '%s\\n' \"$1\" > \"$2\"\nsleep 0.15\nexit 3\n";
    const fs::path lote = pasta.caminho() / "P23.bat";
    std::ofstream(lote) << "conteúdo antigo que deve sumir\nexit 9\n";

    const std::string linha = "sh " + ArgumentoShell(programa.string()) + " " + ArgumentoShell("0123/2005; $X `y` 'z'") +
                              " P23.PAR";
    int eventos = 0;
    const int codigo = ExecutaIntegracao(programa.string(), linha, lote.string(), [&] { ++eventos; });

    EXPECT_EQ(codigo, 3);
    EXPECT_GE(eventos, 2);
    EXPECT_EQ(teste::LeArquivo(lote), linha + "\n");
    // The result lands next to the batch file, and the last argument carries
    // no stray carriage return; the quoted lawsuit number arrives untouched.
    EXPECT_EQ(teste::LeArquivo(pasta.caminho() / "P23.PAR"), "0123/2005; $X `y` 'z'\n");
}

TEST(Integracao, LinhaUnicaECodigoDeSaida) {
    teste::PastaTemporaria pasta;
    const fs::path programa = pasta.caminho() / "Andamentos.exe";
    std::ofstream(programa) << "";
    const fs::path lote = pasta.caminho() / "A7.bat";
    // A line break inside the command line must not start a second command.
    const int codigo = ExecutaIntegracao(programa.string(), "echo ok\ntouch injetado", lote.string(), {});
    EXPECT_EQ(codigo, 0);
    EXPECT_FALSE(fs::exists(pasta.caminho() / "injetado"));
    EXPECT_EQ(ExecutaIntegracao(programa.string(), "kill -9 $$", lote.string(), {}), 128 + 9);
}
