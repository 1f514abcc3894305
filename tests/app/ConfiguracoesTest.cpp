#include "app/Configuracoes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "util/ArquivoIni.h"
#include "util/Erros.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

struct Pastas {
    teste::PastaTemporaria tmp;
    fs::path privada = tmp.caminho() / "Privado";
    fs::path estacao = tmp.caminho() / "config";
    std::string raiz = (tmp.caminho() / "Compartilhado").string();
    Configuracoes le() {
        Configuracoes c;
        c.le(privada, estacao, raiz);
        return c;
    }
};

TEST(Configuracoes, PrimeiraPartidaCriaOsDoisArquivosComTodasAsChaves) {
    Pastas p;
    const Configuracoes c = p.le();
    // Files of this installation, with the separator of this platform.
    const std::string skin = p.raiz + "/Skins/MXSKIN28.SKN";
    const std::string remessa = (p.privada / "Remessa").string() + "/";

    EXPECT_EQ(c.tribunal, Configuracoes::TribunalPadrao);
    EXPECT_EQ(c.municipio, "Nome do Município");
    EXPECT_TRUE(c.setor.empty());
    EXPECT_TRUE(c.setorVazio());
    EXPECT_EQ(c.integraPartes, "N");
    EXPECT_EQ(c.proxyUsaProxy, "N");
    EXPECT_EQ(c.qtdeCalculosPorSubDiretorio, 100);
    EXPECT_EQ(c.gerarArquivoINSS, "N");
    EXPECT_EQ(c.diretorioINSS, remessa);
    EXPECT_EQ(c.regional, 0);
    EXPECT_EQ(c.periodoManutencaoArquivos, 90);
    EXPECT_EQ(c.exibirDescricaoVerbas, "S");
    EXPECT_EQ(c.lembraResumo, "S");
    EXPECT_EQ(c.ordenacaoParametros1, 0);
    EXPECT_EQ(c.caminhoSkin, skin);
    EXPECT_EQ(c.versao, "Ulmeris 2.4 - Justiça do Trabalho");
    EXPECT_EQ(c.dataCorte.dma(), "28/07/2010");

    EXPECT_EQ(c.arquivoPrivado(), p.privada / "korva.INI");
    EXPECT_EQ(teste::LeArquivo(p.privada / "korva.INI"),
              "[Configuracoes]\n"
              "Tribunal=" + std::string(Configuracoes::TribunalPadrao) + "\n"
              "Municipio=Nome do Município\n"
              "Setor=\n"
              "Integra Partes=N\n"
              "Integra Andamentos=N\n"
              "Integra Precatorios=N\n"
              "Mascara1=\n"
              "Mascara2=\n"
              "Mascara3=\n"
              "\n[Internet]\n"
              "ProxyEndereco=\n"
              "ProxyPorta=\n"
              "ProxyUsuario=\n"
              "ProxyUsaProxy=N\n"
              "ProxyAutenticacao=N\n"
              "\n[Informação]\n"
              "Caminho=" + skin + "\n"
              "\n[Banco de Dados]\n"
              "Qtde. Calculos por SubDiretorio=100\n"
              "\n[INSS]\n"
              "Gerar Arquivo para o INSS=N\n"
              "Diretorio=" + remessa + "\n"
              "Regional=00\n"
              "Periodo de Manutencao dos Arquivos=90\n");
    EXPECT_EQ(teste::LeArquivo(p.estacao / "korva.INI"),
              "[Configuracoes]\n"
              "Exibir Descricao das Verbas=S\n"
              "Ordenacao Parametros1=0\n"
              "Ordenacao Parametros2=0\n"
              "Lembra Resumo=S\n"
              "\n[Informação]\n"
              "Caminho=" + skin + "\n");

    // A second start changes nothing.
    const auto antes = fs::last_write_time(p.privada / "korva.INI");
    const std::string texto = teste::LeArquivo(p.privada / "korva.INI");
    p.le();
    EXPECT_EQ(teste::LeArquivo(p.privada / "korva.INI"), texto);
    EXPECT_EQ(fs::last_write_time(p.privada / "korva.INI"), antes);
}

TEST(Configuracoes, InteirosInvalidosVoltamAoPadraoEEleEGravado) {
    for (const char* ruim : {"0", "-5", "cem", "", "x", "12abc"}) {
        Pastas p;
        teste::GravaArquivo(p.privada / "korva.INI", std::string("[Banco de Dados]\nQtde. Calculos por SubDiretorio=") + ruim +
                                           "\n[INSS]\nRegional=" + ruim +
                                           "\nPeriodo de Manutencao dos Arquivos=" + ruim + "\n");
        const Configuracoes c = p.le();
        ArquivoIni ini(p.privada / "korva.INI");
        EXPECT_EQ(c.qtdeCalculosPorSubDiretorio, 100) << ruim;
        EXPECT_EQ(ini.le("Banco de Dados", "Qtde. Calculos por SubDiretorio"), "100") << ruim;
        EXPECT_EQ(c.regional, 0) << ruim;
        EXPECT_EQ(ini.le("INSS", "Regional"), "00") << ruim;
        EXPECT_EQ(c.periodoManutencaoArquivos, 90) << ruim;
        EXPECT_EQ(ini.le("INSS", "Periodo de Manutencao dos Arquivos"), "90") << ruim;
    }

    Pastas p;
    teste::GravaArquivo(p.privada / "korva.INI",
          "[Banco de Dados]\nQtde. Calculos por SubDiretorio= 250 \n"
          "[INSS]\nRegional=04\nPeriodo de Manutencao dos Arquivos=+30\n");
    const Configuracoes c = p.le();
    EXPECT_EQ(c.qtdeCalculosPorSubDiretorio, 250);
    EXPECT_EQ(c.regional, 4);
    EXPECT_EQ(c.periodoManutencaoArquivos, 30);
    ArquivoIni ini(p.privada / "korva.INI");
    EXPECT_EQ(ini.le("INSS", "Regional"), "04");  // a valid value is left as stored
    EXPECT_EQ(ini.le("INSS", "Periodo de Manutencao dos Arquivos"), "+30");
}

TEST(Configuracoes, RegraDoMarcadorEChavesLidasSemARegraDoVazio) {
    Pastas p;
    teste::GravaArquivo(p.privada / "korva.INI",
          "[configuracoes]\ntribunal=x\nMunicipio=  Canoas  \nSetor=   \n"
          "[INSS]\nGerar Arquivo para o INSS=\nDiretorio=/srv/remessas\n");
    teste::GravaArquivo(p.estacao / "KORVA.ini", "[Informação]\nCaminho=/opt/skins/Azul.skn\n");
    const Configuracoes c = p.le();

    EXPECT_EQ(c.tribunal, Configuracoes::TribunalPadrao);  // the marker itself takes the default
    EXPECT_EQ(c.municipio, "Canoas");
    EXPECT_EQ(c.setor, "");
    EXPECT_EQ(c.gerarArquivoINSS, "");  // empty, but present: not the default
    EXPECT_EQ(c.diretorioINSS, "/srv/remessas/");
    EXPECT_EQ(c.caminhoSkin, "/opt/skins/Azul.skn");  // the workstation value wins

    ArquivoIni priv(p.privada / "korva.INI");
    EXPECT_EQ(priv.le("Configuracoes", "Tribunal"), Configuracoes::TribunalPadrao);
    EXPECT_EQ(priv.le("INSS", "Diretorio"), "/srv/remessas");  // held with "/", stored as typed
    EXPECT_EQ(priv.le("INSS", "Gerar Arquivo para o INSS", "?"), "");
    EXPECT_EQ(priv.le("Informação", "Caminho"), p.raiz + "/Skins/MXSKIN28.SKN");

    // The workstation file found under another letter case is the one used.
    EXPECT_EQ(c.arquivoEstacao(), p.estacao / "KORVA.ini");
    EXPECT_FALSE(fs::exists(p.estacao / "korva.INI"));
    EXPECT_EQ(ArquivoIni(p.estacao / "KORVA.ini").le("Configuracoes", "Lembra Resumo"), "S");
}

// Files written by the Windows installations hold "C:\" and a skin path
// built with "\": those defaults become this installation's ones, written
// back; any other value, a chosen folder with "\" included, stays as stored.
TEST(Configuracoes, PadroesDoWindowsViramOsDestaInstalacao) {
    Pastas p;
    const std::string skinAntigo = p.raiz + "\\Skins\\MXSKIN28.SKN";
    teste::GravaArquivo(p.privada / "korva.INI",
                        "[Informação]\nCaminho=" + skinAntigo + "\n[INSS]\nDiretorio=c:\\\n");
    teste::GravaArquivo(p.estacao / "korva.INI", "[Informação]\nCaminho=" + skinAntigo + "\n");
    const Configuracoes c = p.le();
    const std::string remessa = (p.privada / "Remessa").string() + "/";
    EXPECT_EQ(c.diretorioINSS, remessa);
    EXPECT_EQ(c.caminhoSkin, p.raiz + "/Skins/MXSKIN28.SKN");
    EXPECT_EQ(ArquivoIni(p.privada / "korva.INI").le("INSS", "Diretorio"), remessa);
    EXPECT_EQ(ArquivoIni(p.privada / "korva.INI").le("Informação", "Caminho"), c.caminhoSkin);
    EXPECT_EQ(ArquivoIni(p.estacao / "korva.INI").le("Informação", "Caminho"), c.caminhoSkin);

    // A shared root given with a trailing separator makes the same path.
    EXPECT_EQ(Configuracoes::CaminhoSkinPadrao(p.raiz + "/"), c.caminhoSkin);
    EXPECT_EQ(Configuracoes::CaminhoSkinPadrao(p.raiz + "\\"), c.caminhoSkin);

    Pastas q;
    teste::GravaArquivo(q.privada / "korva.INI", "[INSS]\nDiretorio=D:\\Remessas\\\n");
    EXPECT_EQ(q.le().diretorioINSS, "D:\\Remessas\\");
    EXPECT_EQ(ArquivoIni(q.privada / "korva.INI").le("INSS", "Diretorio"), "D:\\Remessas\\");

    EXPECT_EQ(Configuracoes::ComSeparadorFinal("/srv/inss"), "/srv/inss/");
    EXPECT_EQ(Configuracoes::ComSeparadorFinal("/srv/inss/"), "/srv/inss/");
    EXPECT_EQ(Configuracoes::ComSeparadorFinal(""), "");
}

TEST(Configuracoes, ArquivoPrivadoEmWindows1252) {
    Pastas p;
    teste::GravaArquivo(p.privada / "korva.INI",
          "[Configuracoes]\r\nMunicipio=S\xE3o Jos\xE9\r\nTribunal=Tribunal Regional do Trabalho da 12\xAA Regi\xE3o\r\n"
          "[Informa\xE7\xE3o]\r\nCaminho=C:\\Ulmeris\\Skins\\X.SKN\r\n");
    const Configuracoes c = p.le();
    EXPECT_EQ(c.municipio, "São José");
    EXPECT_EQ(c.tribunal, "Tribunal Regional do Trabalho da 12ª Região");
    // No duplicate section was added for "Informação".
    const std::string texto = teste::LeArquivo(p.privada / "korva.INI");
    EXPECT_EQ(texto.find("[Informação]"), texto.rfind("[Informação]"));
    EXPECT_NE(texto.find("Caminho=C:\\Ulmeris\\Skins\\X.SKN\r\n"), std::string::npos);
}

TEST(Configuracoes, GravacoesEscrevemSoAsSuasChaves) {
    Pastas p;
    teste::GravaArquivo(p.estacao / "korva.INI", "[Area de Trabalho]\nImagem=/fundo.png\nCor=255\n");
    Configuracoes c = p.le();

    c.ordenacaoParametros1 = 2;
    c.ordenacaoParametros2 = 1;
    c.lembraResumo = "N";  // not written at shutdown
    c.gravaOrdenacoes();
    ArquivoIni est(p.estacao / "korva.INI");
    EXPECT_EQ(est.le("Configuracoes", "Ordenacao Parametros1"), "2");
    EXPECT_EQ(est.le("Configuracoes", "Ordenacao Parametros2"), "1");
    EXPECT_EQ(est.le("Configuracoes", "Lembra Resumo"), "S");
    EXPECT_EQ(est.le("Area de Trabalho", "Imagem"), "/fundo.png");
    EXPECT_EQ(est.le("Area de Trabalho", "Cor"), "255");

    c.regional = 0;
    c.mascara1 = "9999/99";
    c.proxyPorta = "3128";  // not a key of the configuration dialog
    c.gravaConfiguracao();
    ArquivoIni priv(p.privada / "korva.INI");
    EXPECT_EQ(priv.le("INSS", "Regional"), "0");  // plain decimal here
    EXPECT_EQ(priv.le("Configuracoes", "Mascara1"), "9999/99");
    EXPECT_EQ(priv.le("Internet", "ProxyPorta"), "");
    EXPECT_EQ(est.le("Configuracoes", "Lembra Resumo"), "N");
    EXPECT_EQ(est.le("Area de Trabalho", "Imagem"), "/fundo.png");

    // Regional 0 read back stays 0, and the start-up form "00" returns.
    const Configuracoes d = p.le();
    EXPECT_EQ(d.regional, 0);
    EXPECT_EQ(priv.le("INSS", "Regional"), "00");
    EXPECT_EQ(d.ordenacaoParametros1, 2);

    Configuracoes naoLida;
    EXPECT_THROW(naoLida.gravaOrdenacoes(), ErroKorva);
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

TEST(Configuracoes, LembreteDoResumoGravadoNaEstacaoSoQuandoMuda) {
    Pastas p;
    Configuracoes c = p.le();
    ASSERT_EQ(c.lembraResumo, "S");
    const auto antes = fs::last_write_time(c.arquivoEstacao());
    EXPECT_FALSE(c.defineLembraResumo(true));
    EXPECT_EQ(fs::last_write_time(c.arquivoEstacao()), antes);

    EXPECT_TRUE(c.defineLembraResumo(false));
    EXPECT_EQ(c.lembraResumo, "N");
    EXPECT_EQ(ArquivoIni(c.arquivoEstacao()).le("Configuracoes", "Lembra Resumo"), "N");
    // Only the workstation file holds it.
    EXPECT_EQ(ArquivoIni(c.arquivoPrivado()).le("Configuracoes", "Lembra Resumo"), "");
    EXPECT_EQ(p.le().lembraResumo, "N");
    EXPECT_TRUE(c.defineLembraResumo(true));
    EXPECT_EQ(p.le().lembraResumo, "S");

    Configuracoes nunca;
    EXPECT_THROW(nunca.defineLembraResumo(false), ErroKorva);
}

}  // namespace
}  // namespace korva
