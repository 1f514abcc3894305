// korva-cli prorrata importar-xml and prorrata transformacoes through the
// real command line, on a fresh installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;

namespace {

std::string Registro(const std::string& processo, const std::string& valor, const std::string& extra = "") {
    return "<REGISTRO><PROCESSO>" + processo + "</PROCESSO><CODRECTE>2</CODRECTE><DTAJUIZ>4/8/2019</DTAJUIZ>"
           "<DTBASE>30/9/2023</DTBASE><VALOR>" + valor + "</VALOR><DTFINAL>30/04/2024</DTFINAL>" + extra +
           "</REGISTRO>";
}

std::string Documento(const std::string& registros) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<PRCT01>" + registros + "</PRCT01>\n";
}

struct ProrrataXmlCli : ::testing::Test {
    korva::teste::PastaTemporaria pasta;
    int st = -1;

    // stdout only, or stdout with stderr.
    std::string roda(const std::string& args, bool soSaida = false) {
        return korva::teste::RodaComando("cd '" + pasta.caminho().string() + "' && " + std::string(KORVA_CLI) +
                                             " --dados '" + (pasta.caminho() / "dados").string() + "' " + args +
                                             (soSaida ? " 2>/dev/null" : " 2>&1"),
                                         &st);
    }
    void SetUp() override {
        roda("init");
        ASSERT_EQ(st, 0);
    }
    void grava(const std::string& nome, const std::string& bytes) {
        korva::teste::GravaArquivo(pasta.caminho() / nome, bytes);
    }
    int registros() {
        const std::string s = roda("prorrata listar --json", true);
        EXPECT_EQ(st, 0) << s;
        return static_cast<int>(json::parse(s).size());
    }
};

TEST_F(ProrrataXmlCli, ImportsEveryRecordAndReportsTheirCodes) {
    // Latin-1 bytes for "João" and "Conceição".
    grava("lote.xml", Documento(Registro("0100872-32.2019.5.02.0045", "45678.9",
                                         "<PARTE1>Jo\xE3o Concei\xE7\xE3o</PARTE1><INDICE>2</INDICE>") +
                                Registro("0100873-32.2019.5.02.0045", "10") + Registro("0100874-32.2019.5.02.0045", "0.01")));
    std::string s = roda("prorrata importar-xml lote.xml", true);
    ASSERT_EQ(st, 0) << roda("prorrata importar-xml lote.xml");
    EXPECT_EQ(s, "1\n2\n3\nImportação Concluída!\n");

    s = roda("prorrata exportar 1", true);
    ASSERT_EQ(st, 0) << s;
    const json doc = json::parse(s);
    EXPECT_EQ(doc["Prorrata"]["Parte1"], "João Conceição");
    EXPECT_EQ(doc["Prorrata"]["DtAjuiz"], "04/08/2019");
    EXPECT_EQ(doc["Prorrata"]["Valor"], 45678.9);
    EXPECT_EQ(doc["Prorrata"]["Indice"], 2);
    EXPECT_EQ(doc["Prorrata"]["FormaAbatimento"], "J");

    // The document of the current folder by default; --json gives the codes.
    grava("DataPacketConvertido.xml", Documento(Registro("0100875-32.2019.5.02.0045", "1")));
    s = roda("prorrata importar-xml --json", true);
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), json({{"Codigos", {4}}}));
    EXPECT_EQ(registros(), 4);
}

TEST_F(ProrrataXmlCli, RefusedDocumentsStoreNothing) {
    grava("ruim.xml", Documento(Registro("0100872-32.2019.5.02.0045", "1") + Registro("0100873-32.2019.5.02.0045", "1") +
                                Registro("0100874-32.2019.5.02.0045", "dez")));
    std::string s = roda("prorrata importar-xml ruim.xml", true);
    EXPECT_NE(st, 0);
    EXPECT_EQ(s, "");  // nothing on the standard output
    s = roda("prorrata importar-xml ruim.xml");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("REGISTRO 3 (processo 0100874-32.2019.5.02.0045), elemento VALOR: 'dez' não é um número válido."),
              std::string::npos)
        << s;
    EXPECT_EQ(registros(), 0);

    s = roda("prorrata importar-xml falta.xml");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("Arquivo de precatórios não encontrado"), std::string::npos) << s;
    grava("quebrado.xml", "<PRCT01><REGISTRO>");
    s = roda("prorrata importar-xml quebrado.xml");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não é um documento XML válido"), std::string::npos) << s;
    EXPECT_EQ(registros(), 0);
}

TEST_F(ProrrataXmlCli, TransformationFiles) {
    std::string s = roda("prorrata transformacoes --json", true);
    ASSERT_EQ(st, 0) << s;
    EXPECT_EQ(json::parse(s), json({{"Gravados", {"XMLToDP.xtr", "DPToXML.xtr"}}}));
    grava("DPToXML.xtr", "editado");
    std::filesystem::remove(pasta.caminho() / "XMLToDP.xtr");
    s = roda("prorrata transformacoes .", true);
    ASSERT_EQ(st, 0) << s;
    EXPECT_NE(s.find("Gravado: ./XMLToDP.xtr"), std::string::npos) << s;
    EXPECT_EQ(s.find("DPToXML"), std::string::npos) << s;
    EXPECT_EQ(korva::teste::LeArquivo(pasta.caminho() / "DPToXML.xtr"), "editado");
    s = roda("prorrata transformacoes");
    EXPECT_EQ(st, 0);
    EXPECT_NE(s.find("já existem"), std::string::npos) << s;
    s = roda("prorrata transformacoes nao-existe");
    EXPECT_NE(st, 0);
    EXPECT_NE(s.find("não existe"), std::string::npos) << s;
}

}  // namespace
