// korva-cli relatorio and relatorio-verbas: reports written to text and PDF
// files the way the print dialog produces them — the calculation reports
// store their results (the social-security one does not), uncalculated month
// rows block the report, and bad output names are refused before anything
// runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const std::string Numero = "0000555-12.2010.5.01.0002";

std::string Documento(int grupo, bool calculado) {
    const std::string c = calculado ? "true" : "false";
    return R"({
  "Processo": {"Processo": ")" + Numero + R"(", "CodRecte": )" + std::to_string(grupo) + R"(,
               "DtAjuiz": "10/03/2010", "DtBase": "31/12/2009", "Calculista": "ana souza", "IndPrincipal": 1,
               "IndFGTS": 2, "CalculoJuros": 0, "AliquotaUnica": true, "INSSReclamante": 8.0,
               "INSSReclamado": 20.0, "INSSRisco": 2.0, "INSSTerceiros": 5.8, "OpcaoIR": 4},
  "Partes": [{"Nome": "joão da silva", "TipoParte": 1, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 5},
             {"Nome": "empresa", "TipoParte": 3, "Dependentes": 0, "TipoDocumento": 9, "Sequencial": 7}],
  "Arquivo1": [{"Item": 15, "Mes1": 1, "Ano1": 2009, "Mes2": 2, "Ano2": 2009, "VFM": "V", "Valor": 300.0,
                "INSS": "S", "CodDataBasePadrao": 1}],
  "Arquivo2": [
    {"Item": 15, "Mes": 1, "Ano": 2009, "Valor": 300.0, "VFM": "V", "CodDataBasePadrao": 1,
     "DtBase": "31/01/2009", "Calculado": true, "INSS": "S"},
    {"Item": 15, "Mes": 2, "Ano": 2009, "Valor": 300.0, "VFM": "V", "CodDataBasePadrao": 1,
     "DtBase": "28/02/2009", "Calculado": )" + c + R"(, "INSS": "S"}]
})";
}

struct Cli {
    korva::teste::PastaTemporaria pasta;
    std::string roda(const std::string& args, int* st = nullptr) {
        int s = -1;
        const std::string r = korva::teste::RodaCli("--dados " + pasta.caminho().string() + " " + args, &s);
        if (st) *st = s;
        else EXPECT_EQ(s, 0) << args << "\n" << r;
        return r;
    }
    std::string arquivo(const std::string& nome) const { return (pasta.caminho() / nome).string(); }
    void importa(int grupo, bool calculado) {
        korva::teste::GravaArquivo(arquivo("doc.json"), Documento(grupo, calculado));
        roda("calculo importar " + arquivo("doc.json"));
    }
    json exportado(int grupo) {
        roda("calculo exportar " + Numero + " " + std::to_string(grupo) + " " + arquivo("e.json"));
        return json::parse(korva::teste::LeArquivo(arquivo("e.json")))["Processo"];
    }
};

bool Contem(const std::string& s, const std::string& parte) { return s.find(parte) != std::string::npos; }

}  // namespace

TEST(RelatorioCli, TextReportsRunLikeThePrintDialog) {
    Cli c;
    c.roda("init");
    c.importa(3, true);
    const std::string relatorio = "relatorio " + Numero + " 3 --tipo ";

    std::string s = c.roda(relatorio + "parametros --saida " + c.arquivo("p.txt"));
    EXPECT_TRUE(Contem(s, "1 página(s) gravada(s)")) << s;
    std::string t = korva::teste::LeArquivo(c.arquivo("p.txt"));
    EXPECT_TRUE(Contem(t, "Parâmetros passados por Período")) << t;
    EXPECT_TRUE(Contem(t, "----- Pág. 1 -----")) << t;
    EXPECT_FALSE(fs::exists(c.arquivo("p.txt.tmp")));

    // The social-security report stores nothing.
    c.roda(relatorio + "inss --saida " + c.arquivo("i.txt"));
    EXPECT_TRUE(Contem(korva::teste::LeArquivo(c.arquivo("i.txt")), "Reclamante(s):"));
    json p = c.exportado(3);
    EXPECT_TRUE(!p.contains("Total") || p["Total"].is_null() || p["Total"].get<double>() == 0) << p.dump();

    // The summary calculation report stores the run's totals.
    const json r = json::parse(c.roda("--json resultado " + Numero + " 3"));
    const json saida = json::parse(c.roda("--json " + relatorio + "resumido --saida " + c.arquivo("r.txt")));
    EXPECT_EQ(saida["Paginas"], 1);
    EXPECT_EQ(saida["Arquivo"], c.arquivo("r.txt"));
    p = c.exportado(3);
    EXPECT_NEAR(p["Total"].get<double>(), r["Total"].get<double>(), 1e-9);
    EXPECT_NEAR(p["TotalGeral"].get<double>(), r["TotalGeral"].get<double>(), 1e-9);
    EXPECT_TRUE(Contem(korva::teste::LeArquivo(c.arquivo("r.txt")), "João da Silva"));

    // The lawsuit summary and the calculated items.
    c.roda(relatorio + "resumo --saida " + c.arquivo("s.txt"));
    EXPECT_TRUE(Contem(korva::teste::LeArquivo(c.arquivo("s.txt")), "Resumo de Cálculo"));
    c.roda(relatorio + "verbas --saida " + c.arquivo("v.txt"));
    EXPECT_TRUE(Contem(korva::teste::LeArquivo(c.arquivo("v.txt")), "Relação das Verbas Calculadas"));
    c.roda(relatorio + "detalhado --saida " + c.arquivo("d.TXT"));
    EXPECT_TRUE(Contem(korva::teste::LeArquivo(c.arquivo("d.TXT")), "Reclamante(s):"));

    // The catalogue.
    c.roda("relatorio-verbas --saida " + c.arquivo("cat.txt"));
    t = korva::teste::LeArquivo(c.arquivo("cat.txt"));
    EXPECT_TRUE(Contem(t, "Relação de Verbas")) << t.substr(0, 500);
    EXPECT_TRUE(Contem(t, "015-")) << t.substr(0, 500);
}

TEST(RelatorioCli, RefusalsLeaveNoFileAndStoreNothing) {
    Cli c;
    c.roda("init");
    c.importa(4, false);
    int st = 0;
    // Uncalculated month rows: the message, no file, nothing stored.
    std::string s = c.roda("relatorio " + Numero + " 4 --tipo resumido --saida " + c.arquivo("r.txt"), &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "Há 1 item(s) que voce alterou e não recalculou este processo.")) << s;
    EXPECT_FALSE(fs::exists(c.arquivo("r.txt")));
    const json p = c.exportado(4);
    EXPECT_TRUE(!p.contains("Total") || p["Total"].is_null() || p["Total"].get<double>() == 0) << p.dump();
    // The parameters report is not blocked by them.
    c.roda("relatorio " + Numero + " 4 --tipo parametros --saida " + c.arquivo("p.txt"));
    EXPECT_TRUE(fs::exists(c.arquivo("p.txt")));

    s = c.roda("relatorio " + Numero + " 4 --tipo parametros --saida " + c.arquivo("p.doc"), &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "Use um arquivo .pdf ou .txt em --saida.")) << s;
    EXPECT_FALSE(fs::exists(c.arquivo("p.doc")));
    s = c.roda("relatorio " + Numero + " 9 --tipo parametros --saida " + c.arquivo("x.txt"), &st);
    EXPECT_NE(st, 0);
    EXPECT_FALSE(fs::exists(c.arquivo("x.txt")));
    s = c.roda("relatorio " + Numero + " 4 --tipo outro --saida " + c.arquivo("x.txt"), &st);
    EXPECT_NE(st, 0);
    s = c.roda("relatorio-verbas --saida " + c.arquivo("nao/existe/v.txt"), &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "Não foi possível gravar o arquivo")) << s;
}

TEST(RelatorioCli, PdfWithEmbeddedFontsWithoutADisplay) {
    Cli c;
    c.roda("init");
    c.importa(3, true);
    int st = 0;
    const std::string s = korva::teste::RodaComando(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KORVA_CLI " --dados " + c.pasta.caminho().string() +
            " relatorio " + Numero + " 3 --tipo detalhado --saida " + c.arquivo("d.pdf") + " 2>&1",
        &st);
    if (st != 0 && Contem(s, "compilado sem a interface Qt")) GTEST_SKIP() << "korva-cli sem Qt";
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(s, "1 página(s) gravada(s) em " + c.arquivo("d.pdf") + "\n");  // no noise from Qt
    const std::string pdf = korva::teste::LeArquivo(c.arquivo("d.pdf"));
    EXPECT_EQ(pdf.substr(0, 4), "%PDF");
    EXPECT_TRUE(Contem(pdf, "DejaVuSans"));
    EXPECT_TRUE(Contem(pdf, "/FontFile2"));
    c.roda("relatorio-verbas --saida " + c.arquivo("cat.pdf"));
    EXPECT_EQ(korva::teste::LeArquivo(c.arquivo("cat.pdf")).substr(0, 4), "%PDF");
}
