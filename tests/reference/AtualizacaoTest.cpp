// The table update from the table server: the binary records, their checks,
// the merge in one transaction, the files written from the tables, and the
// download against a real HTTP server on the loopback interface.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <fstream>
#include <limits>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Configuracoes.h"
#include "reference/Atualizacao.h"
#include "reference/AtualizacaoConfiguracao.h"
#include "reference/AtualizacaoFormatoDat.h"
#include "reference/EsquemasReferencia.h"
#include "reference/ServidorHttpTeste.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/ArquivoIni.h"

using namespace korva;
namespace fs = std::filesystem;

namespace korva {
// Readable values in failure messages.
inline void PrintTo(const Valor& v, std::ostream* os) { *os << (v.nulo() ? "<vazio>" : v.comoTexto()); }
}  // namespace korva

namespace {

// Little-endian encoding written out by hand, independent of the code under test.
std::string I32(int32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
    return s;
}
std::string F64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    std::string s;
    for (int i = 0; i < 8; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
    return s;
}

std::string Le(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
RegistroDat RegValores(int ano, int mes, double v) { return {ano, mes, v, v + 1, v + 2, v + 3, v + 4, v + 5}; }
// Limits and deductions from v on; the rates (in percent) small, as real ones are.
RegistroDat RegINSS(int ano, int mes, double v) {
    RegistroDat r{ano, mes};
    for (int i = 0; i < 11; ++i) r.emplace_back(i >= 2 && i % 2 == 0 ? 7.5 + i : v + i);
    return r;
}
RegistroDat RegIR(int ano, int mes, double v) {
    RegistroDat r{ano, mes};
    for (int i = 0; i < 14; ++i) r.emplace_back(i == 2 || i == 5 || i == 8 || i == 10 ? 7.5 + i : v + i);
    return r;
}
// An INSS record whose rates are as large as its limits.
RegistroDat RegINSSDesmedido(int ano, int mes, double v) {
    RegistroDat r{ano, mes};
    for (int i = 0; i < 11; ++i) r.emplace_back(v + i);
    return r;
}
RegistroDat RegDiario(int cod, Data d, double indice) { return {cod, d, indice}; }

struct Arquivos {
    std::vector<RegistroDat> diario, valores, inss, ir;
    void grava(const fs::path& pasta) const {
        fs::create_directories(pasta);
        GravaArquivoDat(FormatoDiario(), diario, pasta / "Diario.dat");
        GravaArquivoDat(FormatoValores(), valores, pasta / "Valores.dat");
        GravaArquivoDat(FormatoFaixasINSS(), inss, pasta / "FaixasINSS.dat");
        GravaArquivoDat(FormatoFaixasIR(), ir, pasta / "FaixasIR.dat");
    }
};

const std::vector<std::string> Oficiais = {"Diario.DB", "Valores.DB", "FaixasINSS.DB", "FaixasIR.db"};

fs::path NovaPasta(const fs::path& p) {
    fs::create_directories(p);
    return p;
}

// Every row of a table in key order.
std::vector<std::vector<Valor>> Linhas(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre();
    std::vector<std::vector<Valor>> r;
    for (t.primeiro(); !t.fim(); t.proximo()) r.push_back(t.linha());
    return r;
}

struct AtualizacaoTeste : ::testing::Test {
    teste::PastaTemporaria tmp;
    Banco banco{"CalcShare", NovaPasta(tmp.caminho() / "Compartilhado")};
    fs::path dat = tmp.caminho() / "dat";
    void SetUp() override {
        for (const auto& n : Oficiais) banco.criaTabela(n, *EsquemaCompartilhado(n));
    }
    void insereValores(int ano, int mes, double v) {
        Tabela t(banco, "Valores.DB");
        t.abre();
        t.insere();
        const auto reg = RegValores(ano, mes, v);
        const char* campos[] = {"Ano", "Mes", "SalMin", "SalFam1", "SalFam2", "LimMinimo", "LimMaximo", "ValorMaximo"};
        for (size_t i = 0; i < 8; ++i) t[campos[i]] = reg[i];
        t.grava();
    }
    std::map<std::string, std::vector<std::vector<Valor>>> retrato() {
        std::map<std::string, std::vector<std::vector<Valor>>> r;
        for (const auto& n : Oficiais) r[n] = Linhas(banco, n);
        return r;
    }
    std::string erroAoAplicar() {
        try {
            AplicaArquivosDat(banco, dat);
        } catch (const ErroKorva& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace

TEST(FormatoDat, RecordsAreFixedSizeLittleEndianWithoutHeaderAndOnlyWholeRecordsAreRead) {
    EXPECT_EQ(FormatoDiario().tamanhoRegistro(), 24u);
    EXPECT_EQ(FormatoValores().tamanhoRegistro(), 56u);
    EXPECT_EQ(FormatoFaixasINSS().tamanhoRegistro(), 96u);
    EXPECT_EQ(FormatoFaixasIR().tamanhoRegistro(), 120u);

    // One Valores record by hand.
    std::string v = I32(2009) + I32(3) + F64(465) + F64(23.08) + F64(16.26) + F64(751.9) + F64(1253.1) + F64(870.01);
    auto regs = LeRegistrosDat(FormatoValores(), v);
    ASSERT_EQ(regs.size(), 1u);
    EXPECT_EQ(regs[0], (RegistroDat{2009, 3, 465.0, 23.08, 16.26, 751.9, 1253.1, 870.01}));
    EXPECT_EQ(EscreveRegistrosDat(FormatoValores(), regs), v);

    // Diario: the padding after CodIndice is ignored on reading and zero on writing;
    // a date with a time of day keeps only the day.
    const Data d = Data::de(2010, 5, 31);
    std::string diario = I32(-7) + I32(0x5A5A5A5A) + F64(d.serial() + 0.75) + F64(1.234567891);
    regs = LeRegistrosDat(FormatoDiario(), diario);
    ASSERT_EQ(regs.size(), 1u);
    EXPECT_EQ(regs[0], (RegistroDat{-7, d, 1.234567891}));
    EXPECT_EQ(EscreveRegistrosDat(FormatoDiario(), regs), I32(-7) + I32(0) + F64(d.serial()) + F64(1.234567891));

    // The band files keep their field order.
    const auto inss = RegINSS(2020, 3, 1045);
    std::string bytes = EscreveRegistrosDat(FormatoFaixasINSS(), {inss});
    EXPECT_EQ(bytes.substr(0, 8), I32(2020) + I32(3));
    EXPECT_EQ(bytes.substr(80, 8), F64(1045 + 9));   // Limite5
    EXPECT_EQ(bytes.substr(88, 8), F64(7.5 + 10));   // Percentual5
    const auto ir = RegIR(2015, 4, 1903.98);
    EXPECT_EQ(LeRegistrosDat(FormatoFaixasIR(), EscreveRegistrosDat(FormatoFaixasIR(), {ir, ir})),
              (std::vector<RegistroDat>{ir, ir}));
}

TEST(FormatoDat, AnythingButAWholeNumberOfRecordsIsRefusedAndAWebPageIsToldAsSuch) {
    auto erro = [](const FormatoDat& f, const std::string& bytes) -> std::string {
        try {
            LeRegistrosDat(f, bytes);
        } catch (const ErroDados& e) {
            return e.what();
        }
        return "";
    };
    const std::string v = EscreveRegistrosDat(FormatoValores(), {RegValores(2009, 3, 465)});
    EXPECT_EQ(erro(FormatoValores(), ""),
              "O arquivo Valores.dat não está no formato esperado: o arquivo está vazio, sem nenhum registro.");
    EXPECT_EQ(erro(FormatoValores(), v + "abc"), "O arquivo Valores.dat não está no formato esperado: tem 59 bytes, "
                                                 "que não formam registros inteiros de 56 bytes.");
    EXPECT_NE(erro(FormatoValores(), v.substr(0, 55)).find("tem 55 bytes"), std::string::npos);
    EXPECT_EQ(erro(FormatoValores(), v + v), "");

    // Pages a server or a proxy sends instead of the file: shorter than one
    // record, a multiple of the record size, after blanks and a byte-order mark.
    const std::string pagina = "O arquivo FaixasIR.dat não está no formato esperado: o conteúdo é uma página da web "
                               "(HTML), não os registros da tabela.";
    EXPECT_EQ(erro(FormatoFaixasIR(), "<html><body>404</body></html>"), pagina);
    std::string multiplo = "<!DOCTYPE html><html><head><title>Manutenção</title></head><body>";
    multiplo.resize(240, ' ');
    EXPECT_EQ(erro(FormatoFaixasIR(), multiplo), pagina);
    EXPECT_NE(erro(FormatoDiario(), "\xEF\xBB\xBF\r\n  <?xml version=\"1.0\"?><erro/>" + std::string(24 * 3 - 35, ' '))
                  .find("Diario.dat não está no formato esperado: o conteúdo é uma página da web"),
              std::string::npos);
    // Text that is no page keeps the reason of the refusal.
    EXPECT_NE(erro(FormatoDiario(), std::string(48, 'x')).find("no registro 1, a data em Data"), std::string::npos);
}

TEST(FormatoDat, ARecordPlainlyNotOfTheFormatIsRefusedNamingFileAndRecord) {
    const std::string bom = I32(2009) + I32(3);
    auto valores = [&](int32_t ano, int32_t mes, double salMin) {
        return bom + F64(1) + F64(1) + F64(1) + F64(1) + F64(1) + F64(1) + I32(ano) + I32(mes) + F64(salMin) +
               F64(1) + F64(1) + F64(1) + F64(1) + F64(1);
    };
    auto erro = [](const FormatoDat& f, const std::string& bytes) -> std::string {
        try {
            LeRegistrosDat(f, bytes);
        } catch (const ErroDados& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(erro(FormatoValores(), valores(2009, 13, 1)),
              "O arquivo Valores.dat não está no formato esperado: no registro 2, o mês 13 está fora de 1 a 12.");
    EXPECT_NE(erro(FormatoValores(), valores(2009, 0, 1)).find("o mês 0"), std::string::npos);
    EXPECT_NE(erro(FormatoValores(), valores(1899, 1, 1)).find("o ano 1899 está fora de 1900 a 2100"),
              std::string::npos);
    EXPECT_NE(erro(FormatoValores(), valores(2101, 1, 1)).find("registro 2"), std::string::npos);
    const std::string nan = erro(FormatoValores(), valores(2009, 1, std::nan("")));
    EXPECT_NE(nan.find("registro 2, o valor de SalMin não é um número válido"), std::string::npos) << nan;
    EXPECT_FALSE(erro(FormatoValores(), valores(2009, 1, HUGE_VAL)).empty());

    auto diario = [](double serial) { return I32(1) + I32(0) + F64(serial) + F64(1.0); };
    EXPECT_TRUE(erro(FormatoDiario(), diario(Data::de(1900, 1, 1).serial())).empty());
    EXPECT_TRUE(erro(FormatoDiario(), diario(Data::de(2100, 12, 31).serial())).empty());
    EXPECT_NE(erro(FormatoDiario(), diario(1)).find("Diario.dat"), std::string::npos);
    EXPECT_NE(erro(FormatoDiario(), diario(1e12)).find("fora de 01/01/1900 a 31/12/2100"), std::string::npos);
    EXPECT_NE(erro(FormatoDiario(), diario(-std::numeric_limits<double>::infinity())).find("registro 1"),
              std::string::npos);

    // The writer refuses what the reader would refuse.
    EXPECT_THROW(EscreveRegistrosDat(FormatoValores(), {RegValores(2009, 14, 1)}), ErroDados);
}

TEST_F(AtualizacaoTeste, RecordsReplaceTheRowOfTheirKeyOrAddOneAndOtherRowsStay) {
    insereValores(2009, 1, 100);
    insereValores(2009, 2, 200);
    Arquivos a;
    a.valores = {RegValores(2009, 2, 465), RegValores(2009, 3, 470), RegValores(2009, 3, 475)};  // last one wins
    a.valores.push_back({1994, 7, 64.79, 0.0, 0.0, 0.0, 0.0, 0.0});
    a.valores.push_back({1999, 8, 136.0, 9.05, 0.0, 0.0, 0.0, 0.0});
    a.inss = {RegINSS(2020, 2, 1000), RegINSS(2020, 3, 2000), RegINSS(2021, 1, 3000)};
    a.ir = {RegIR(2015, 4, 1903.98)};
    a.diario = {RegDiario(1, Data::de(2010, 1, 2), 1.5), RegDiario(2, Data::de(2010, 1, 2), 2.5),
                RegDiario(1, Data::de(2010, 1, 3), 1.6)};
    a.grava(dat);
    // A trailing partial record refuses the whole update; without it the
    // records are applied.
    const std::string diarioInteiro = Le(dat / "Diario.dat");
    std::ofstream(dat / "Diario.dat", std::ios::binary | std::ios::app) << "xxxxxxxxxxxx";
    const auto inicial = retrato();
    EXPECT_EQ(erroAoAplicar(), "O arquivo Diario.dat não está no formato esperado: tem 84 bytes, que não formam "
                               "registros inteiros de 24 bytes. Nenhuma tabela foi alterada.");
    EXPECT_EQ(retrato(), inicial);
    teste::GravaArquivo(dat / "Diario.dat", diarioInteiro);

    const auto resumos = AplicaArquivosDat(banco, dat);
    ASSERT_EQ(resumos.size(), 4u);
    EXPECT_EQ(resumos[0].tabela, "Diario.DB");
    EXPECT_EQ(resumos[0].incluidos, 3u);
    EXPECT_EQ(resumos[1].tabela, "Valores.DB");
    EXPECT_EQ(resumos[1].registros, 5u);
    EXPECT_EQ(resumos[1].incluidos, 3u);
    EXPECT_EQ(resumos[1].alterados, 2u);

    const auto valores = Linhas(banco, "Valores.DB");
    ASSERT_EQ(valores.size(), 5u);
    // A 0 is no real amount in the unemployment-insurance values nor in the
    // first family allowance: stored empty. The second family allowance is a
    // real 0 when the first exists.
    // (A field the table requires keeps its 0.)
    auto vazio = [](const char* campo) { return EsquemaValores().campo(campo)->obrigatorio ? Valor(0.0) : Valor(); };
    EXPECT_EQ(valores[0], (std::vector<Valor>{1994, 7, 64.79, vazio("SalFam1"), vazio("SalFam2"), vazio("LimMinimo"),
                                              vazio("LimMaximo"), vazio("ValorMaximo")}));
    EXPECT_EQ(valores[1], (std::vector<Valor>{1999, 8, 136.0, 9.05, 0.0, vazio("LimMinimo"), vazio("LimMaximo"),
                                              vazio("ValorMaximo")}));
    EXPECT_TRUE(valores[0][7].nulo());  // ValorMaximo is optional
    EXPECT_EQ(valores[2], RegValores(2009, 1, 100));  // not in the file: unchanged
    EXPECT_EQ(valores[3], RegValores(2009, 2, 465));  // six values replaced
    EXPECT_EQ(valores[4], RegValores(2009, 3, 475));

    // Progressiva follows the month: from 03/2020 on.
    Tabela inss(banco, "FaixasINSS.DB");
    inss.abre();
    ASSERT_TRUE(inss.localizaChave({2020, 2}));
    EXPECT_FALSE(inss["Progressiva"].comoLogico());
    EXPECT_DOUBLE_EQ(inss["Percentual5"].comoNumero(), 17.5);
    ASSERT_TRUE(inss.localizaChave({2020, 3}));
    EXPECT_TRUE(inss["Progressiva"].comoLogico());
    ASSERT_TRUE(inss.localizaChave({2021, 1}));
    EXPECT_TRUE(inss["Progressiva"].comoLogico());
    inss.fecha();

    Tabela diario(banco, "Diario.DB");
    diario.abre();
    ASSERT_TRUE(diario.localizaChave({2, Data::de(2010, 1, 2)}));
    EXPECT_DOUBLE_EQ(diario["Indice"].comoNumero(), 2.5);
    EXPECT_EQ(diario.quantidade(), 3);
    diario.fecha();

    // Empty files are refused, and nothing changes.
    Arquivos().grava(dat);
    const auto antes = retrato();
    EXPECT_EQ(erroAoAplicar(), "O arquivo Diario.dat não está no formato esperado: o arquivo está vazio, sem nenhum "
                               "registro. Nenhuma tabela foi alterada.");
    EXPECT_EQ(retrato(), antes);
}

TEST_F(AtualizacaoTeste, AnyFailureLeavesEveryTableAsItWas) {
    insereValores(2009, 1, 100);
    Arquivos a;
    a.valores = {RegValores(2009, 1, 465), RegValores(2009, 2, 470)};
    a.inss = {RegINSS(2020, 3, 2000)};
    a.ir = {RegIR(2015, 4, 1903.98), RegIR(2015, 5, 1903.98)};
    a.diario = {RegDiario(1, Data::de(2010, 1, 2), 1.5)};
    a.grava(dat);
    const auto antes = retrato();

    // A record that is not of the format, in the last file applied.
    std::string ir = Le(dat / "FaixasIR.dat");
    ir.replace(120 + 4, 4, I32(13));
    teste::GravaArquivo(dat / "FaixasIR.dat", ir);
    std::string msg = erroAoAplicar();
    EXPECT_NE(msg.find("FaixasIR.dat"), std::string::npos) << msg;
    EXPECT_NE(msg.find("registro 2"), std::string::npos) << msg;
    EXPECT_NE(msg.find("Nenhuma tabela foi alterada"), std::string::npos) << msg;
    EXPECT_EQ(retrato(), antes);

    // A missing file.
    fs::remove(dat / "FaixasIR.dat");
    msg = erroAoAplicar();
    EXPECT_NE(msg.find("FaixasIR.dat não foi encontrado"), std::string::npos) << msg;
    EXPECT_EQ(retrato(), antes);

    // A record the last table refuses to store, after three tables took theirs:
    // FaixasIR.db gets a required field that the file does not fill.
    a.grava(dat);
    banco.excluiTabela("FaixasIR.db");
    DefTabela def = EsquemaFaixasIR();
    def.campos.push_back(CampoInteger("Exigido", true));
    banco.criaTabela("FaixasIR.db", def);
    try {
        AplicaArquivosDat(banco, dat);
        ADD_FAILURE() << "the update should fail";
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.codigo(), CodigoBanco::CampoObrigatorio);
        EXPECT_NE(std::string(e.what()).find("registro 1 do arquivo FaixasIR.dat"), std::string::npos) << e.what();
    }
    EXPECT_EQ(retrato(), antes);
    // The database is usable afterwards: a sound update goes through.
    banco.excluiTabela("FaixasIR.db");
    banco.criaTabela("FaixasIR.db", EsquemaFaixasIR());
    EXPECT_NO_THROW(AplicaArquivosDat(banco, dat));
    EXPECT_EQ(Linhas(banco, "Valores.DB")[0], RegValores(2009, 1, 465));
}

TEST_F(AtualizacaoTeste, FilesWrittenFromTheTablesRebuildEveryRowElsewhere) {
    Arquivos a;
    for (int m = 1; m <= 12; ++m) {
        a.valores.push_back(RegValores(2019 + m / 7, m, 998 + m * 0.01));
        a.inss.push_back(RegINSS(2020, m, 1039.0 + m));
        a.ir.push_back(RegIR(2020, m, 1903.98 + m));
    }
    for (int cod = 1; cod <= 3; ++cod)
        for (int d = 0; d < 40; ++d) a.diario.push_back(RegDiario(cod, Data::de(1999, 12, 20) + d, cod + d / 1e9));
    a.grava(dat);
    AplicaArquivosDat(banco, dat);
    {
        // Months without family allowance or unemployment-insurance values,
        // and one with a second family allowance of 0.
        Tabela t(banco, "Valores.DB");
        t.abre();
        for (int m = 5; m <= 6; ++m) {
            t.insere();
            t["Ano"] = 1990;
            t["Mes"] = m;
            t["SalMin"] = 3674.06;
            if (m == 6) {
                t["SalFam1"] = 9.05;
                t["SalFam2"] = 0.0;
            }
            for (const auto& c : EsquemaValores().campos)
                if (c.obrigatorio && t[c.nome].nulo()) t[c.nome] = 0.0;
            t.grava();
        }
    }

    const auto gerados = GeraArquivosDat(banco, tmp.caminho() / "servidor" / "download");
    ASSERT_EQ(gerados.size(), 4u);
    EXPECT_EQ(gerados[0].arquivo, "Valores.dat");
    EXPECT_EQ(gerados[0].registros, 14u);
    EXPECT_EQ(gerados[3].registros, 120u);

    Banco outro("CalcShare", NovaPasta(tmp.caminho() / "Outro"));
    for (const auto& n : Oficiais) outro.criaTabela(n, *EsquemaCompartilhado(n));
    AplicaArquivosDat(outro, tmp.caminho() / "servidor" / "download");
    for (const auto& n : Oficiais) EXPECT_EQ(Linhas(outro, n), Linhas(banco, n)) << n;

    // Applied again, every record finds its row.
    const auto denovo = AplicaArquivosDat(outro, tmp.caminho() / "servidor" / "download");
    for (const auto& r : denovo) EXPECT_EQ(r.incluidos, 0u) << r.tabela;
    EXPECT_EQ(Linhas(outro, "Diario.DB").size(), 120u);
}

// ---- download ----

namespace {

ParametrosAtualizacao ParaServidor(const std::string& servidor, const fs::path& pasta) {
    ParametrosAtualizacao p;
    p.servidor = EnderecoHttp::De(servidor, "do servidor de tabelas");
    p.tempos = {5, 20, 5};
    p.pasta = pasta;
    return p;
}

std::string ErroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroKorva& e) {
        return e.what();
    }
    return "";
}

// Sets environment variables for one test and puts them back afterwards.
struct VariaveisDeAmbiente {
    std::vector<std::pair<std::string, std::optional<std::string>>> antigos;
    void define(const std::string& nome, const char* valor) {
        const char* v = std::getenv(nome.c_str());
        antigos.emplace_back(nome, v ? std::optional<std::string>(v) : std::nullopt);
        if (valor)
            setenv(nome.c_str(), valor, 1);
        else
            unsetenv(nome.c_str());
    }
    ~VariaveisDeAmbiente() {
        for (auto it = antigos.rbegin(); it != antigos.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }
};

struct DownloadTeste : AtualizacaoTeste {
    fs::path servidos = tmp.caminho() / "servidos";
    fs::path baixados = tmp.caminho() / "baixados";
    void SetUp() override {
        AtualizacaoTeste::SetUp();
        Arquivos a;
        a.valores = {RegValores(2009, 1, 465), RegValores(2009, 2, 470)};
        a.inss = {RegINSS(2020, 3, 2000)};
        a.ir = {RegIR(2015, 4, 1903.98)};
        for (int d = 0; d < 200; ++d) a.diario.push_back(RegDiario(1, Data::de(2010, 1, 1) + d, 1 + d / 1000.0));
        a.grava(servidos);
    }
};

}  // namespace

TEST_F(DownloadTeste, FetchesTheFourFilesInOrderOverOneConnectionThenApplies) {
    teste::ServidorHttpTeste srv(servidos);
    std::vector<std::pair<int, std::string>> passos;
    const auto resumos = AtualizaTabelas(banco, ParaServidor(srv.endereco(), baixados),
                                         [&](int p, const std::string& r) { passos.emplace_back(p, r); });
    EXPECT_EQ(passos, (std::vector<std::pair<int, std::string>>{{0, "Tabela de Valores"},
                                                                {1, "Tabela do INSS"},
                                                                {2, "Tabela do IR"},
                                                                {3, "Tabela de Indices Diários"},
                                                                {4, ""}}));
    const auto pedidos = srv.pedidos();
    ASSERT_EQ(pedidos.size(), 4u);
    EXPECT_EQ(pedidos[0].linha, "GET /download/Valores.dat HTTP/1.1");
    EXPECT_EQ(pedidos[1].linha, "GET /download/FaixasINSS.dat HTTP/1.1");
    EXPECT_EQ(pedidos[2].linha, "GET /download/FaixasIR.dat HTTP/1.1");
    EXPECT_EQ(pedidos[3].linha, "GET /download/Diario.dat HTTP/1.1");
    EXPECT_EQ(pedidos[0].campo("host"), srv.endereco());
    EXPECT_EQ(srv.conexoes(), 1);
    // The bodies are kept unchanged, and the tables hold the records.
    for (const char* f : {"Valores.dat", "FaixasINSS.dat", "FaixasIR.dat", "Diario.dat"})
        EXPECT_EQ(Le(baixados / f), Le(servidos / f)) << f;
    EXPECT_EQ(resumos[0].incluidos, 200u);
    EXPECT_EQ(Linhas(banco, "Valores.DB").size(), 2u);
}

TEST_F(DownloadTeste, AMissingFileACutTransferOrASilentServerFailsAndNoTableChanges) {
    const auto antes = retrato();
    {
        // 404 on the last file: the three fetched before stay, no table changes.
        fs::rename(servidos / "Diario.dat", tmp.caminho() / "Diario.dat");
        teste::ServidorHttpTeste srv(servidos);
        const auto msg = ErroDe([&] { AtualizaTabelas(banco, ParaServidor(srv.endereco(), baixados)); });
        EXPECT_EQ(msg, "O arquivo Diario.dat não foi encontrado no servidor de tabelas " + srv.endereco() +
                           " (HTTP 404).");
        EXPECT_TRUE(fs::exists(baixados / "FaixasIR.dat"));
        EXPECT_FALSE(fs::exists(baixados / "Diario.dat"));
        EXPECT_FALSE(fs::exists(baixados / "Diario.dat.parcial"));
        EXPECT_EQ(retrato(), antes);
        fs::rename(tmp.caminho() / "Diario.dat", servidos / "Diario.dat");
    }
    {
        // The server announces the whole file and closes half-way: the older
        // copy of the file is not replaced by the cut one.
        teste::GravaArquivo(baixados / "Diario.dat", "anterior");
        teste::ServidorHttpTeste srv(servidos);
        srv.corta("Diario.dat", 1000);
        const auto msg = ErroDe([&] { AtualizaTabelas(banco, ParaServidor(srv.endereco(), baixados)); });
        EXPECT_EQ(msg, "A conexão com o servidor de tabelas " + srv.endereco() +
                           " foi interrompida durante o download do arquivo Diario.dat.");
        EXPECT_EQ(Le(baixados / "Diario.dat"), "anterior");
        EXPECT_EQ(retrato(), antes);
    }
    {
        // A server that never answers is given up after the total time-out.
        teste::ServidorHttpTeste srv(servidos);
        srv.cala("FaixasINSS.dat");
        auto p = ParaServidor(srv.endereco(), baixados);
        p.tempos = {2, 1, 1};
        const auto inicio = std::chrono::steady_clock::now();
        const auto msg = ErroDe([&] { AtualizaTabelas(banco, p); });
        EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));
        EXPECT_NE(msg.find("Tempo esgotado"), std::string::npos) << msg;
        EXPECT_NE(msg.find("FaixasINSS.dat"), std::string::npos) << msg;
    }
    {
        // Nobody listening on the port.
        int porta = 0;
        {
            teste::ServidorHttpTeste fechado(servidos);
            porta = fechado.porta();
        }
        const auto endereco = "127.0.0.1:" + std::to_string(porta);
        const auto msg = ErroDe([&] { AtualizaTabelas(banco, ParaServidor(endereco, baixados)); });
        EXPECT_EQ(msg, "Não foi possível conectar ao servidor de tabelas " + endereco + ".");
    }
    EXPECT_EQ(retrato(), antes);
}

TEST_F(DownloadTeste, ThroughAProxyWithBasicAuthenticationAndNeverThroughAClearedOne) {
    teste::ServidorHttpTeste proxy(servidos);
    proxy.exigeProxy("ana", "s3nha:x");
    // The table server's name is never resolved: the proxy is asked for it.
    auto p = ParaServidor("tabelas.invalid", baixados);
    ConfiguracaoProxy cfg;
    cfg.usaProxy = true;
    cfg.endereco = "127.0.0.1";
    cfg.porta = std::to_string(proxy.porta());
    cfg.autenticacao = true;
    cfg.usuario = "ana";
    cfg.senha = "errada";
    p.proxy = cfg.proxy();
    EXPECT_NE(ErroDe([&] { AtualizaTabelas(banco, p); }).find("HTTP 407"), std::string::npos);

    cfg.senha = "s3nha:x";
    p.proxy = cfg.proxy();
    EXPECT_NO_THROW(AtualizaTabelas(banco, p));
    const auto pedidos = proxy.pedidos();
    ASSERT_GE(pedidos.size(), 4u);
    EXPECT_EQ(pedidos.back().linha, "GET http://tabelas.invalid/download/Diario.dat HTTP/1.1");
    EXPECT_EQ(pedidos.back().campo("host"), "tabelas.invalid");
    EXPECT_EQ(pedidos.back().campo("proxy-authorization"), "Basic " + teste::ServidorHttpTeste::Base64("ana:s3nha:x"));

    // With the proxy box cleared no proxy is used: neither the stored address
    // nor one from the environment.
    teste::ServidorHttpTeste desvio(servidos);
    VariaveisDeAmbiente env;
    const std::string url = "http://" + desvio.endereco();
    env.define("http_proxy", url.c_str());
    env.define("HTTP_PROXY", url.c_str());
    env.define("no_proxy", nullptr);
    env.define("NO_PROXY", nullptr);
    teste::ServidorHttpTeste srv(servidos);
    cfg.usaProxy = false;
    cfg.porta = std::to_string(desvio.porta());
    p = ParaServidor(srv.endereco(), baixados);
    p.proxy = cfg.proxy();
    EXPECT_FALSE(p.proxy.has_value());
    EXPECT_NO_THROW(AtualizaTabelas(banco, p));
    EXPECT_EQ(srv.pedidos().size(), 4u);
    EXPECT_EQ(desvio.conexoes(), 0);
}

TEST(ConfiguracaoAtualizacao, ProxySettingsServerKeyPortsAndDialogRules) {
    teste::PastaTemporaria tmp;
    Configuracoes cfg;
    cfg.le(tmp.caminho() / "Privado", tmp.caminho() / "config", (tmp.caminho() / "Comp").string());
    ConfiguracaoProxy p{true, "proxy.tribunal", "3128", true, "ana", "segredo"};
    GuardaConfiguracaoProxy(cfg, p);
    EXPECT_EQ(cfg.proxyUsaProxy, "S");
    ArquivoIni ini(cfg.arquivoPrivado());
    EXPECT_EQ(ini.le("Internet", "ProxyEndereco"), "proxy.tribunal");
    EXPECT_EQ(ini.le("Internet", "ProxyPorta"), "3128");
    EXPECT_EQ(ini.le("Internet", "ProxyAutenticacao"), "S");
    EXPECT_EQ(ini.le("Internet", "ProxyUsuario"), "ana");
    EXPECT_EQ(Le(cfg.arquivoPrivado()).find("segredo"), std::string::npos);  // the password is never stored
    Configuracoes depois;
    depois.le(tmp.caminho() / "Privado", tmp.caminho() / "config", (tmp.caminho() / "Comp").string());
    const auto lido = ConfiguracaoProxy::De(depois);
    EXPECT_TRUE(lido.usaProxy && lido.autenticacao);
    EXPECT_EQ(lido.endereco, "proxy.tribunal");
    EXPECT_EQ(lido.senha, "");

    // The server: the build-time default until the private file names one.
    EXPECT_EQ(ServidorTabelas(cfg.arquivoPrivado()), "tabelas.korva.jus.br");
    ini.escreve("Internet", "Servidor", "  tabelas.trt99.jus.br:8080 ");
    EXPECT_EQ(ServidorTabelas(cfg.arquivoPrivado()), "tabelas.trt99.jus.br:8080");
    const auto e = EnderecoHttp::De(ServidorTabelas(cfg.arquivoPrivado()), "do servidor de tabelas");
    EXPECT_EQ(e.host, "tabelas.trt99.jus.br");
    EXPECT_EQ(e.porta, 8080);
    EXPECT_EQ(EnderecoHttp::De("tabelas.korva.jus.br", "x").porta, 80);
    EXPECT_THROW(EnderecoHttp::De(":80", "do servidor"), ErroKorva);
    EXPECT_THROW(EnderecoHttp::De("http://x/", "do servidor"), ErroKorva);

    // A port that is not a decimal integer fails before any request.
    for (const char* ruim : {"", "80a", "0x50", "-1", "70000", "3 128"}) {
        p.porta = ruim;
        EXPECT_THROW(p.proxy(), ErroKorva) << ruim;
    }
    p.porta = " 8080 ";
    EXPECT_EQ(p.proxy()->endereco.porta, 8080);
    EXPECT_EQ(ErroDe([&] { PortaDecimal("abc", "do servidor proxy"); }),
              "A porta do servidor proxy deve ser um número inteiro de 1 a 65535: \"abc\".");
    p.usaProxy = false;
    p.porta = "abc";  // not used, not checked
    EXPECT_FALSE(p.proxy().has_value());

    // Dialog: address and port only with the proxy box, user and password only with both.
    auto c = EstadoControlesProxy(false, true);
    EXPECT_FALSE(c.endereco || c.autenticacao || c.usuario);
    EXPECT_FALSE(c.focoNaSenha);  // the password field is disabled: the focus goes to the proxy box
    c = EstadoControlesProxy(true, false);
    EXPECT_TRUE(c.endereco && c.autenticacao);
    EXPECT_FALSE(c.usuario || c.focoNaSenha);
    c = EstadoControlesProxy(true, true);
    EXPECT_TRUE(c.usuario && c.focoNaSenha);
}

TEST_F(AtualizacaoTeste, ValuesOutOfEveryCalculationsRangeAreRefusedNamingFileRecordAndField) {
    insereValores(2009, 1, 100);
    const auto antes = retrato();
    const auto tenta = [&](Arquivos a, const std::string& trecho) {
        if (a.valores.empty()) a.valores = {RegValores(2009, 1, 465)};
        if (a.inss.empty()) a.inss = {RegINSS(2020, 3, 20)};
        if (a.ir.empty()) a.ir = {RegIR(2015, 4, 19.5)};
        if (a.diario.empty()) a.diario = {RegDiario(1, Data::de(2010, 1, 2), 1.5)};
        a.grava(dat);
        const std::string msg = erroAoAplicar();
        EXPECT_NE(msg.find(trecho), std::string::npos) << msg;
        EXPECT_NE(msg.find("Dado fora da faixa de valores possíveis"), std::string::npos) << msg;
        EXPECT_EQ(retrato(), antes);
    };
    Arquivos a;
    a.valores = {RegValores(2009, 2, 470), RegValores(2009, 3, 1e308)};
    tenta(a, "registro 2 do arquivo Valores.dat na tabela Valores.DB: Dado fora da faixa de valores possíveis: "
             "tabela Valores.DB, campo SalMin");
    a = {};
    a.inss = {RegINSSDesmedido(2020, 3, 2000)};  // rates of 2002 % and more
    tenta(a, "registro 1 do arquivo FaixasINSS.dat");
    a = {};
    a.diario = {RegDiario(1, Data::de(2010, 1, 2), -2e12)};
    tenta(a, "registro 1 do arquivo Diario.dat na tabela Diario.DB: Dado fora da faixa de valores possíveis: "
             "tabela Diario.DB, campo Indice = -2000000000000");
}
