// The remittance file: the record layout, the rounding of the amounts, the
// order and count of records, the failures before any file is written, and
// the purge of old files.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

#include "apoio/MensagemMostrada.h"
#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "results/BaseResultados.h"
#include "results/RemessaINSS.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace fs = std::filesystem;
using namespace korva;
using korva::teste::Insere;

namespace {

const ParteRemessa Reclamante{1, " 123.456.789-09 "};
const ParteRemessa Reclamado{2, "12345678000199"};

std::string Registro(double valor, int item = 15, const char* inss = "S") {
    return RegistroRemessa("01234/2005", LinhaRemessa{item, 3, 2004, valor, inss}, Reclamante, Reclamado);
}

struct Remessa : ::testing::Test {
    teste::PastaTemporaria pastaPriv;
    Banco privado{"RemPriv", pastaPriv.caminho()};
    ConjuntoCalculo conjunto{privado, [] { return 100; }};
    fs::path pasta;

    void SetUp() override {
        conjunto.defineAtual(1, 7);
        conjunto.CriaSubDiretorio(1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 7), 1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('C', 7), 2);
        pasta = pastaPriv.caminho() / "saida";
        fs::create_directories(pasta);
    }
    void parte(const char* nome, int tipo, int tipoDoc, const char* doc) {
        Insere(privado, conjunto.NomeTabela('C'),
               {{"Nome", nome}, {"TipoParte", tipo}, {"TipoDocumento", tipoDoc}, {"Documento", doc}});
    }
    void linha(int item, int mes, int ano, double valor, const char* inss = "S") {
        Insere(privado, conjunto.NomeTabela('B'),
               {{"Item", item}, {"Mes", mes}, {"Ano", ano}, {"Valor", valor}, {"VFM", "V"},
                {"DtBase", teste::D(1, 1, 2005)}, {"Calculado", true}, {"INSS", inss}});
    }
    int grava(const std::string& processo = "01234/2005", int grupo = 2) {
        return GravaRemessa(privado, processo, grupo, 1, 7, pasta, 90);
    }
};

std::string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(RemessaINSS, FileNameIsLawsuitDigitsAndThreeDigitGroup) {
    EXPECT_EQ(NomeArquivoRemessa("01234/2005", 2), "012342005002.txt");
    EXPECT_EQ(NomeArquivoRemessa("0000777-10.2009.5.01.0001", 15), "00007771020095010001015.txt");
    EXPECT_EQ(NomeArquivoRemessa("ABC", 1234), "1234.txt");
}

TEST(RemessaINSS, RecordFieldsSitAtTheirPositions) {
    const std::string r = Registro(1234.56);
    ASSERT_EQ(r.size(), 108u);
    EXPECT_EQ(r.substr(0, 8), "VASKO051");
    EXPECT_EQ(r.substr(8, 20), std::string(20, ' '));
    EXPECT_EQ(r.substr(28, 17), "012342005        ");
    EXPECT_EQ(r.substr(45, 12), "200403200403");
    EXPECT_EQ(r.substr(57, 16), std::string(10, ' ') + "123456");
    EXPECT_EQ(r.substr(73, 1), "1");
    EXPECT_EQ(r.substr(74, 3), "015");
    EXPECT_EQ(r.substr(77, 15), "1123.456.789-09");
    EXPECT_EQ(r.substr(92, 15), "212345678000199");
    EXPECT_EQ(r.substr(107), "0");
    // A short document is right-aligned; INSS other than "S" gives flag 0.
    const std::string s =
        RegistroRemessa("1/2005", LinhaRemessa{112, 12, 2005, 1.0, "N"}, ParteRemessa{3, "77"}, ParteRemessa{9, "5"});
    ASSERT_EQ(s.size(), 108u);
    EXPECT_EQ(s.substr(73, 4), "0112");
    EXPECT_EQ(s.substr(77, 15), "3            77");
    EXPECT_EQ(s.substr(92, 15), "9             5");
    // A longer value is written whole and pushes the next fields right.
    const std::string l = RegistroRemessa("1/2005", LinhaRemessa{15, 1, 2005, 1.0, "S"},
                                          ParteRemessa{1, "123456789012345"}, ParteRemessa{2, "1"});
    EXPECT_EQ(l.size(), 109u);
    EXPECT_EQ(l.substr(77, 16), "1123456789012345");
}

TEST(RemessaINSS, AmountsRoundTiesToEvenOnTheDecimalValueWithoutSign) {
    EXPECT_EQ(CentavosRemessa(1234.56), "123456");  // binary 123455.99999999999
    EXPECT_EQ(CentavosRemessa(0.125), "12");        // 12.5 to the even 12
    EXPECT_EQ(CentavosRemessa(0.135), "14");        // 13.5 to the even 14
    EXPECT_EQ(CentavosRemessa(0.285), "28");        // binary 28.499999999999996, decimal 28.5
    EXPECT_EQ(CentavosRemessa(0.2851), "29");
    EXPECT_EQ(CentavosRemessa(0.004), "0");
    EXPECT_EQ(CentavosRemessa(0.005), "0");
    EXPECT_EQ(CentavosRemessa(0.006), "1");
    EXPECT_EQ(CentavosRemessa(0.0), "0");
    EXPECT_EQ(CentavosRemessa(-0.0), "0");
    EXPECT_EQ(CentavosRemessa(-50), "5000");
    EXPECT_EQ(CentavosRemessa(9.995), "1000");  // carry through every digit
    EXPECT_EQ(CentavosRemessa(1e-9), "0");
    // Beyond 32 bits: no wrap-around.
    EXPECT_EQ(CentavosRemessa(21474836.47), "2147483647");
    EXPECT_EQ(CentavosRemessa(21474836.48), "2147483648");
    EXPECT_EQ(CentavosRemessa(30000000.00), "3000000000");
    EXPECT_EQ(CentavosRemessa(-30000000.01), "3000000001");
    EXPECT_EQ(CentavosRemessa(1e20), "10000000000000000000000");
    EXPECT_EQ(teste::MensagemMostrada([] { CentavosRemessa(std::nan("")); }),
              "Valor inválido no arquivo de remessa ao INSS.");
    EXPECT_EQ(Registro(30000000.00).substr(57, 16), "      3000000000");
    EXPECT_EQ(Registro(-50).substr(57, 16), std::string(12, ' ') + "5000");
}

TEST_F(Remessa, RecordsGoClaimantByDefendantByRowAndOnlyForResultItems) {
    parte("Bruno", 1, 1, "222");
    parte("Ana", 2, 1, "111");  // TipoParte orders before the name
    parte("Zeca Ltda", 3, 2, "999");
    parte("Alfa SA", 4, 2, "888");
    linha(15, 2, 2004, 10.0);
    linha(10, 1, 2004, 500.0);  // due item: no record
    linha(5, 1, 2004, 500.0);   // below 10: no record
    linha(21, 1, 2004, 500.0);  // last digit 1: no record
    linha(12, 1, 2004, 20.0);
    linha(13, 1, 2004, 30.0, "N");
    EXPECT_EQ(grava(), 12);
    const std::string bytes = teste::LeArquivo(pasta / "012342005002.txt");
    ASSERT_EQ(bytes.size(), 12u * 110);
    std::vector<std::string> r;
    for (size_t i = 0; i < bytes.size(); i += 110) {
        EXPECT_EQ(bytes.substr(i + 108, 2), "\r\n");
        r.push_back(bytes.substr(i, 108));
    }
    auto docs = [](const std::string& s) { return Apara(s.substr(78, 14)) + "/" + Apara(s.substr(93, 14)); };
    auto item = [](const std::string& s) { return s.substr(49, 2) + ":" + s.substr(74, 3); };
    const char* pares[4] = {"222/999", "222/888", "111/999", "111/888"};
    const char* itens[3] = {"01:012", "01:013", "02:015"};
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(docs(r[k]), pares[k / 3]) << k;
        EXPECT_EQ(item(r[k]), itens[k % 3]) << k;
    }
    EXPECT_EQ(r[1].substr(73, 1), "0");
    EXPECT_EQ(r[2].substr(73, 1), "1");
}

TEST_F(Remessa, MissingPartiesFailBeforeAnyFileAndRewritesReplace) {
    EXPECT_EQ(Mensagem([&] { grava(); }), "Não há reclamantes cadastrados no Processo: 01234/2005  Grupo: 002");
    parte("Ana", 1, 1, "111");
    EXPECT_EQ(Mensagem([&] { grava(); }), "Não há reclamados cadastrados no Processo: 01234/2005  Grupo: 002");
    EXPECT_FALSE(fs::exists(pasta / "012342005002.txt"));

    // No result item: an empty file and no record.
    parte("Beta", 3, 2, "ÇÃ-1");
    linha(10, 1, 2004, 1.0);
    EXPECT_EQ(grava(), 0);
    ASSERT_TRUE(fs::exists(pasta / "012342005002.txt"));
    EXPECT_EQ(fs::file_size(pasta / "012342005002.txt"), 0u);

    // A second write replaces the first; single-byte characters.
    linha(14, 1, 2004, 1.0);
    EXPECT_EQ(grava(), 1);
    const std::string bytes = teste::LeArquivo(pasta / "012342005002.txt");
    EXPECT_EQ(bytes.size(), 110u);
    EXPECT_EQ(bytes.substr(93, 14), "          \xC7\xC3-1");
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()), 1);

    // A folder that does not exist: an input/output error.
    EXPECT_THROW(GravaRemessa(privado, "01234/2005", 2, 1, 7, pasta / "nao-existe", 90), ErroES);
}

TEST_F(Remessa, PurgeDeletesOnlyRemittanceFilesOlderThanTheKeepingPeriod) {
    const auto agora = fs::file_time_type::clock::now();
    auto arquivo = [&](const char* nome, double dias) {
        teste::GravaArquivo(pasta / nome, "x");
        fs::last_write_time(pasta / nome,
                            agora - std::chrono::duration_cast<fs::file_time_type::duration>(
                                        std::chrono::duration<double, std::ratio<86400>>(dias)));
    };
    arquivo("012342005001.txt", 91);
    arquivo("012342005003.txt", 89);
    arquivo("000772010004.TXT", 90.5);
    arquivo("012342005009.dat", 200);
    // The user's own files in the same folder, however old, stay.
    arquivo("notas.txt", 400);
    arquivo("README.TXT", 400);
    arquivo("2005.txt.bak", 400);
    arquivo("12.txt", 400);
    arquivo("01234 2005002.txt", 400);
    arquivo(".012342005002.txt.parcial", 400);
    fs::create_directories(pasta / "012342005005.txt");
    EXPECT_EQ(PurgaRemessas(pasta, 90, agora), 2);
    EXPECT_FALSE(fs::exists(pasta / "012342005001.txt"));
    EXPECT_FALSE(fs::exists(pasta / "000772010004.TXT"));
    for (const char* fica : {"012342005003.txt", "012342005009.dat", "notas.txt", "README.TXT", "2005.txt.bak",
                             "12.txt", "01234 2005002.txt", ".012342005002.txt.parcial", "012342005005.txt"})
        EXPECT_TRUE(fs::exists(pasta / fica)) << fica;
    EXPECT_EQ(PurgaRemessas(pastaPriv.caminho() / "nenhuma", 90, agora), 0);

    // Each write purges; the file just written stays.
    arquivo("998882001001.txt", 120);
    parte("Ana", 1, 1, "111");
    parte("Beta", 3, 2, "222");
    linha(12, 1, 2004, 1.0);
    EXPECT_EQ(grava(), 1);
    EXPECT_FALSE(fs::exists(pasta / "998882001001.txt"));
    EXPECT_TRUE(fs::exists(pasta / "012342005002.txt"));
    EXPECT_TRUE(fs::exists(pasta / "012342005003.txt"));
    EXPECT_TRUE(fs::exists(pasta / "notas.txt"));
    EXPECT_TRUE(fs::exists(pasta / "README.TXT"));
}

TEST(NomeRemessa, EveryNameTheWriterGivesIsRecognised) {
    for (const auto& [processo, grupo] : std::vector<std::pair<std::string, int>>{
             {"01234/2005", 2}, {"0001234-56.2010.5.01.0001", 1}, {"ABC", 7}, {"9", 999}})
        EXPECT_TRUE(EhNomeArquivoRemessa(NomeArquivoRemessa(processo, grupo))) << processo;
    for (const char* nome : {"notas.txt", "README.TXT", "12.txt", ".txt", "123.tx", "123.txt ", "1a3.txt", "123txt"})
        EXPECT_FALSE(EhNomeArquivoRemessa(nome)) << nome;
}

TEST_F(Remessa, FolderSettingFallsBackToThePrivateFolder) {
    const fs::path priv = pastaPriv.caminho();
    EXPECT_EQ(PastaRemessa("C:\\", priv), priv / "Remessa");
    EXPECT_TRUE(fs::is_directory(priv / "Remessa"));
    EXPECT_EQ(PastaRemessa("c:\\", priv), priv / "Remessa");
    EXPECT_EQ(PastaRemessa("", priv), priv / "Remessa");
    EXPECT_EQ(PastaRemessa("/srv/inss\\", priv), fs::path("/srv/inss"));
    EXPECT_EQ(PastaRemessa("envio\\inss\\", priv), priv / "envio/inss");
}

// The default setting names that same folder, which is made on first use; a
// folder the user chose is not made (a network folder not mounted must fail).
TEST_F(Remessa, DefaultFolderSettingIsMadeAChosenOneIsNot) {
    const fs::path priv = pastaPriv.caminho();
    EXPECT_EQ(PastaRemessa((priv / "Remessa").string() + "/", priv), priv / "Remessa");
    EXPECT_TRUE(fs::is_directory(priv / "Remessa"));
    EXPECT_EQ(PastaRemessa("outra/", priv), priv / "outra");
    EXPECT_FALSE(fs::exists(priv / "outra"));
}
