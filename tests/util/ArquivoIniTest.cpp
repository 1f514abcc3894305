#include "util/ArquivoIni.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "util/Erros.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

TEST(ArquivoIni, NomesComBrancosEAcentosVoltamComoForamEscritos) {
    teste::PastaTemporaria pasta;
    const fs::path arq = pasta.caminho() / "sub" / "pasta" / "korva.INI";  // folders created on write
    ArquivoIni ini(arq);
    EXPECT_EQ(ini.le("Informação", "Caminho", "padrão"), "padrão");
    EXPECT_FALSE(ini.existe("Informação", "Caminho"));

    ini.escreve("Informação", "Caminho", "C:\\Arquivos de Programas\\Skins\\MXSKIN28.SKN");
    ini.escreve("Banco de Dados", "Qtde. Calculos por SubDiretorio", "100");
    ini.escreve("Configurações", "Descrição", "São João");

    EXPECT_EQ(teste::LeArquivo(arq),
              "[Informação]\nCaminho=C:\\Arquivos de Programas\\Skins\\MXSKIN28.SKN\n\n"
              "[Banco de Dados]\nQtde. Calculos por SubDiretorio=100\n\n"
              "[Configurações]\nDescrição=São João\n");

    // A fresh reader, names in other letter cases (accented capitals too).
    ArquivoIni outro(arq);
    EXPECT_EQ(outro.le("INFORMAÇÃO", "caminho"), "C:\\Arquivos de Programas\\Skins\\MXSKIN28.SKN");
    EXPECT_EQ(outro.le("banco de dados", "QTDE. CALCULOS POR SUBDIRETORIO"), "100");
    EXPECT_EQ(outro.le("CONFIGURAÇÕES", "DESCRIÇÃO"), "São João");
    EXPECT_TRUE(outro.existe("configurações", "descrição"));
    EXPECT_TRUE(outro.existeSecao("INFORMAÇÃO"));
    // An accent is not a letter case: "Informacao" is another section.
    EXPECT_FALSE(outro.existeSecao("Informacao"));

    // Writing in another letter case updates the key in place.
    outro.escreve("INFORMAÇÃO", "CAMINHO", "outro");
    EXPECT_EQ(ini.chaves("Informação"), std::vector<std::string>{"Caminho"});
    EXPECT_EQ(ini.le("Informação", "Caminho"), "outro");

    for (const auto& e : fs::directory_iterator(arq.parent_path()))
        EXPECT_EQ(e.path().filename(), "korva.INI") << "temporary file left behind";
}

TEST(ArquivoIni, ReescritaGuardaOrdemComentariosELinhasDesconhecidas) {
    teste::PastaTemporaria pasta;
    const fs::path arq = pasta.caminho() / "korva.INI";
    teste::GravaArquivo(arq,
          "; settings of the office\r\n"
          "[Configuracoes]\r\n"
          "Tribunal = TRT da 4ª Região\r\n"
          "linha sem igual\r\n"
          "Setor=\r\n"
          "\r\n"
          "; remittance\r\n"
          "[INSS]\r\n"
          "Diretorio=\\\\servidor\\remessas\\\r\n");
    ArquivoIni ini(arq);
    EXPECT_EQ(ini.le("Configuracoes", "Tribunal"), "TRT da 4ª Região");
    EXPECT_EQ(ini.le("Configuracoes", "Setor", "x"), "");  // present and empty: not the default
    EXPECT_EQ(ini.le("INSS", "Diretorio"), "\\\\servidor\\remessas\\");
    EXPECT_EQ(ini.chaves("Configuracoes"), (std::vector<std::string>{"Tribunal", "Setor"}));

    // A new key goes after the last key of its section, ahead of the blank
    // line and comment; an updated key keeps its place and its spelling.
    ini.escreve("configuracoes", "Municipio", "Porto Alegre");
    ini.escreve("CONFIGURACOES", "setor", "Contadoria");
    ini.escreve("Internet", "ProxyPorta", "8080");
    EXPECT_EQ(teste::LeArquivo(arq),
              "; settings of the office\r\n"
              "[Configuracoes]\r\n"
              "Tribunal = TRT da 4ª Região\r\n"
              "linha sem igual\r\n"
              "Setor=Contadoria\r\n"
              "Municipio=Porto Alegre\r\n"
              "\r\n"
              "; remittance\r\n"
              "[INSS]\r\n"
              "Diretorio=\\\\servidor\\remessas\\\r\n"
              "\r\n"
              "[Internet]\r\n"
              "ProxyPorta=8080\r\n");
}

TEST(ArquivoIni, ArquivoEmWindows1252ELidoEReescritoEmUtf8) {
    teste::PastaTemporaria pasta;
    const fs::path arq = pasta.caminho() / "korva.INI";
    teste::GravaArquivo(arq, "[Informa\xE7\xE3o]\nCaminho=C:\\Skins\\MXSKIN28.SKN\n[Configuracoes]\nMunicipio=S\xE3o Paulo\n");
    ArquivoIni ini(arq);
    EXPECT_EQ(ini.le("Informação", "Caminho"), "C:\\Skins\\MXSKIN28.SKN");
    EXPECT_EQ(ini.le("Configuracoes", "Municipio"), "São Paulo");

    ini.escreve("Configuracoes", "Setor", "Cálculos");
    EXPECT_EQ(teste::LeArquivo(arq),
              "[Informação]\nCaminho=C:\\Skins\\MXSKIN28.SKN\n[Configuracoes]\nMunicipio=São Paulo\nSetor=Cálculos\n");
}

TEST(ArquivoIni, EscritaNaoPerdeChavesNemDeixaValorInvadirOutrasLinhas) {
    teste::PastaTemporaria pasta;
    const fs::path arq = pasta.caminho() / "korva.INI";
    ArquivoIni a(arq), b(arq);
    a.escreve("Configuracoes", "Ordenacao Parametros1", "2");
    b.escreve("Configuracoes", "Lembra Resumo", "N");  // b never saw a's key
    a.escreve("Configuracoes", "Ordenacao Parametros2", "1");
    EXPECT_EQ(b.le("Configuracoes", "Ordenacao Parametros1"), "2");
    EXPECT_EQ(a.le("Configuracoes", "Lembra Resumo"), "N");
    EXPECT_EQ(b.le("Configuracoes", "Ordenacao Parametros2"), "1");

    a.escreve("Configuracoes", "Setor", "Rua A\n[INSS]\r\nRegional=99");
    EXPECT_EQ(a.le("Configuracoes", "Setor"), "Rua A [INSS]  Regional=99");
    EXPECT_FALSE(a.existeSecao("INSS"));

    EXPECT_THROW(a.escreve("Configuracoes", "a=b", "1"), ErroKorva);
    EXPECT_THROW(a.escreve("Configuracoes", "", "1"), ErroKorva);
    EXPECT_THROW(a.escreve("Seção]", "Chave", "1"), ErroKorva);
    EXPECT_THROW(a.escreve("Configuracoes", "[Falsa]", "1"), ErroKorva);

    // A path that cannot be a file: reading and writing fail with a message
    // instead of wiping anything.
    ArquivoIni pastaNoLugar(pasta.caminho());
    EXPECT_THROW(pastaNoLugar.le("X", "Y"), ErroES);
    try {
        pastaNoLugar.escreve("X", "Y", "1");
        ADD_FAILURE() << "no error";
    } catch (const ErroES& e) {
        EXPECT_NE(std::string(e.what()).find("arquivo de configurações"), std::string::npos);
    }
}

}  // namespace
}  // namespace korva
