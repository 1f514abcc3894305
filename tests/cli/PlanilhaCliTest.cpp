// korva-cli planilha: the workbook of each sample calculation read back by an
// independent reader (tests/spreadsheets/le_planilha.py, openpyxl) and
// compared cell by cell with resultado --json and mesames --json; the same
// workbook opened, recalculated and saved by LibreOffice gives the same
// totals; and every refusal leaves no file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

fs::path Fonte(const std::string& relativo) { return fs::path(KORVA_SOURCE_DIR) / relativo; }

// The distribution's interpreter, where python3-openpyxl is installed.
std::string Python() { return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

std::string Aspas(const fs::path& p) { return "'" + p.string() + "'"; }

struct Calculo {
    korva::teste::PastaTemporaria pasta;
    std::string chave;

    std::string roda(const std::string& args, int* st = nullptr) {
        int s = -1;
        const std::string r = korva::teste::RodaCli("--dados " + Aspas(pasta.caminho()) + " " + args, &s);
        if (st) *st = s;
        else EXPECT_EQ(s, 0) << args << "\n" << r;
        return r;
    }
    fs::path arquivo(const std::string& nome) const { return pasta.caminho() / nome; }

    // A fresh installation with the sample imported and generated; calculated when asked.
    void prepara(const std::string& exemplo, bool calcula = true) {
        const json doc = json::parse(korva::teste::LeArquivo(Fonte("exemplos/" + exemplo)));
        chave = "'" + doc["Processo"]["Processo"].get<std::string>() + "' " +
                std::to_string(doc["Processo"]["CodRecte"].get<int>());
        roda("init");
        roda("calculo importar " + Aspas(Fonte("exemplos/" + exemplo)));
        roda("gerar " + chave);
        if (calcula) roda("calcular " + chave);
    }
    // The program's own figures beside the workbook.
    void figuras() {
        korva::teste::GravaArquivo(arquivo("resultado.json"), roda("--json resultado " + chave));
        korva::teste::GravaArquivo(arquivo("mesames.json"), roda("--json mesames " + chave));
    }
    std::string leitor(const std::string& modo, const fs::path& alvo, int* st) {
        return korva::teste::RodaComando(Python() + " " + Aspas(Fonte("tests/spreadsheets/le_planilha.py")) + " " +
                                             modo + " " + Aspas(alvo) + " " + Aspas(arquivo("resultado.json")) + " " +
                                             Aspas(arquivo("mesames.json")) + " 2>&1",
                                         st);
    }
    // Files of the folder other than the installation's own.
    int soltos() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(pasta.caminho()))
            if (e.path().filename().string().find(".xlsx") != std::string::npos) ++n;
        return n;
    }
};

bool Contem(const std::string& s, const std::string& parte) { return s.find(parte) != std::string::npos; }

}  // namespace

TEST(PlanilhaCli, EverySampleWorkbookMatchesTheProgramsFigures) {
    for (const char* exemplo : {"diferencas-salariais-horas-extras.json", "fgts-dois-reclamantes.json"}) {
        SCOPED_TRACE(exemplo);
        Calculo c;
        c.prepara(exemplo);
        const std::string s = c.roda("planilha " + c.chave + " --saida " + Aspas(c.arquivo("calculo.xlsx")));
        EXPECT_TRUE(Contem(s, "Planilha gravada em")) << s;
        c.figuras();
        int st = -1;
        const std::string r = c.leitor("confere", c.arquivo("calculo.xlsx"), &st);
        EXPECT_EQ(st, 0) << r;
        EXPECT_TRUE(Contem(r, "ok")) << r;
        // Exporting stores nothing in the register.
        c.roda("calculo exportar " + c.chave + " " + Aspas(c.arquivo("e.json")));
        const json p = json::parse(korva::teste::LeArquivo(c.arquivo("e.json")))["Processo"];
        EXPECT_TRUE(!p.contains("TotalGeral") || p["TotalGeral"].is_null() || p["TotalGeral"] == 0) << p.dump();
    }
}

TEST(PlanilhaCli, LibreOfficeRecalculatesTheSameTotals) {
    const std::string soffice = korva::teste::RodaComando("command -v soffice || command -v libreoffice");
    // CI installs libreoffice-calc-nogui: a missing program is a failure, not a skip.
    ASSERT_FALSE(soffice.empty()) << "LibreOffice (soffice) não encontrado; instale libreoffice-calc-nogui";
    Calculo c;
    c.prepara("fgts-dois-reclamantes.json");
    c.roda("planilha " + c.chave + " --saida " + Aspas(c.arquivo("f.xlsx")));
    c.figuras();
    // A profile of its own that recalculates every formula on loading, so
    // the totals come from the formulas, not from the cached values.
    korva::teste::GravaArquivo(
        c.arquivo("perfil/user/registrymodifications.xcu"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\"><prop oor:name=\"OOXMLRecalcMode\" "
        "oor:op=\"fuse\"><value>0</value></prop></item>\n</oor:items>\n");
    int st = -1;
    const std::string saida = korva::teste::RodaComando(
        "cd " + Aspas(c.pasta.caminho()) + " && HOME=" + Aspas(c.pasta.caminho()) + " soffice -env:UserInstallation=file://" +
            c.arquivo("perfil").string() +
            " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' "
            "--outdir " + Aspas(c.arquivo("csv")) + " f.xlsx 2>&1",
        &st);
    ASSERT_EQ(st, 0) << saida;
    ASSERT_TRUE(fs::exists(c.arquivo("csv/f-Mês a Mês.csv"))) << saida;
    const std::string r = c.leitor("csv", c.arquivo("csv/f"), &st);
    EXPECT_EQ(st, 0) << r;
}

TEST(PlanilhaCli, RefusalsLeaveNoFileBehind) {
    Calculo c;
    c.prepara("diferencas-salariais-horas-extras.json", false);
    int st = -1;
    const std::string alvo = Aspas(c.arquivo("c.xlsx"));

    // An uncalculated grid: the print dialog's message, nothing written.
    std::string s = c.roda("planilha " + c.chave + " --saida " + alvo, &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "que voce alterou e não recalculou este processo")) << s;
    EXPECT_EQ(c.soltos(), 0);

    c.roda("calcular " + c.chave);
    s = c.roda("planilha " + c.chave + " --saida " + Aspas(c.arquivo("c.csv")), &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "extensão .xlsx")) << s;

    // A read-only file and a file open in a spreadsheet program stay as they were.
    korva::teste::GravaArquivo(c.arquivo("c.xlsx"), "antigo");
    fs::permissions(c.arquivo("c.xlsx"), fs::perms::owner_read | fs::perms::group_read);
    s = c.roda("planilha " + c.chave + " --saida " + alvo, &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "somente leitura")) << s;
    EXPECT_EQ(korva::teste::LeArquivo(c.arquivo("c.xlsx")), "antigo");
    fs::permissions(c.arquivo("c.xlsx"), fs::perms::owner_write, std::filesystem::perm_options::add);
    korva::teste::GravaArquivo(c.arquivo(".~lock.c.xlsx#"), "x");
    s = c.roda("planilha " + c.chave + " --saida " + alvo, &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "aberto em outro programa")) << s;
    EXPECT_EQ(korva::teste::LeArquivo(c.arquivo("c.xlsx")), "antigo");
    fs::remove(c.arquivo(".~lock.c.xlsx#"));

    // A folder that does not exist.
    s = c.roda("planilha " + c.chave + " --saida " + Aspas(c.arquivo("nao/existe.xlsx")), &st);
    EXPECT_NE(st, 0);
    EXPECT_TRUE(Contem(s, "não existe")) << s;

    // Once free, the file is replaced, and only it remains.
    s = c.roda("--json planilha " + c.chave + " --saida " + alvo);
    const json j = json::parse(s);
    EXPECT_EQ(j["Linhas"].get<int>(), 322);
    EXPECT_EQ(korva::teste::LeArquivo(c.arquivo("c.xlsx")).substr(0, 2), "PK");
    EXPECT_EQ(c.soltos(), 1);
}
