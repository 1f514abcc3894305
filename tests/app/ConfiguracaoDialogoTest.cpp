#include "app/ConfiguracaoDialogo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Configuracoes.h"
#include "util/ArquivoIni.h"
#include "util/Erros.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using Acao = ConfiguracaoDialogo::ResultadoTecla::Acao;

TEST(ConfiguracaoDialogo, FiltroDeTeclasDasMascaras) {
    auto tecla = [](std::string_view texto, size_t selecao, char32_t t) {
        return ConfiguracaoDialogo::AceitaTeclaMascara(texto, selecao, t);
    };
    for (char32_t t : {U'-', U'.', U'/', U'9', U'A'}) {
        const auto r = tecla("99", 0, t);
        EXPECT_EQ(r.acao, Acao::Aceita);
        EXPECT_EQ(r.tecla, t);
    }
    EXPECT_EQ(tecla("", 0, U'a').tecla, U'A');
    EXPECT_TRUE(tecla("", 0, U'a').aceita());
    for (char32_t t : {U'1', U'0', U'b', U'B', U' ', U'ç', U'\r', char32_t(0x16)})
        EXPECT_EQ(tecla("99", 0, t).acao, Acao::Recusa) << static_cast<int>(t);

    const std::string cheio(25, '9');
    EXPECT_EQ(tecla(cheio.substr(0, 24), 0, U'9').acao, Acao::Aceita);  // the 25th still goes in
    EXPECT_EQ(tecla(cheio, 0, U'9').acao, Acao::RecusaComBip);            // the 26th does not
    EXPECT_EQ(tecla(cheio, 0, U'x').acao, Acao::RecusaComBip);
    EXPECT_EQ(tecla(cheio, 0, ConfiguracaoDialogo::Retrocesso).acao, Acao::Aceita);
    EXPECT_EQ(tecla(cheio, 1, U'A').acao, Acao::Aceita);  // overwrites the selection
    EXPECT_EQ(tecla(cheio, 1, U'a').tecla, U'A');
    EXPECT_EQ(tecla(cheio, 3, U'x').acao, Acao::Recusa);  // still not a mask character
}

TEST(ConfiguracaoDialogo, EmpacotamentoDasMascaras) {
    auto empacota = [](std::string a, std::string b, std::string c) {
        ConfiguracaoDialogo::EmpacotaMascaras(a, b, c);
        return std::vector<std::string>{a, b, c};
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(empacota("", "AA-999", "9999"), (V{"AA-999", "9999", ""}));
    EXPECT_EQ(empacota("", "", "9999"), (V{"9999", "", ""}));
    EXPECT_EQ(empacota("A", "", "9"), (V{"A", "9", ""}));
    EXPECT_EQ(empacota("", "A", ""), (V{"A", "", ""}));
    EXPECT_EQ(empacota("A", "9", "."), (V{"A", "9", "."}));
    EXPECT_EQ(empacota("", "", ""), (V{"", "", ""}));
}

struct Cenario {
    teste::PastaTemporaria tmp;
    Configuracoes c;
    Cenario() { c.le(tmp.caminho() / "priv", tmp.caminho() / "est", "/comp"); }
    ArquivoIni privado() const { return ArquivoIni(c.arquivoPrivado()); }
    ArquivoIni estacao() const { return ArquivoIni(c.arquivoEstacao()); }
};

TEST(ConfiguracaoDialogo, CarregaHabilitaEConfirma) {
    Cenario a;
    a.c.integraAndamentos = "S";
    a.c.gerarArquivoINSS = "N";
    a.c.lembraResumo = "N";

    ConfiguracaoDialogo d;
    d.Carrega(a.c);
    EXPECT_TRUE(d.integraAndamentos);
    EXPECT_FALSE(d.integraPartes);
    EXPECT_FALSE(d.lembraResumo);
    EXPECT_TRUE(d.exibirDescricaoVerbas);
    EXPECT_FALSE(d.CamposINSSHabilitados());
    d.gerarArquivoINSS = true;
    EXPECT_TRUE(d.CamposINSSHabilitados());
    d.gerarArquivoINSS = false;

    // With the option unticked the INSS values are still written.
    d.municipio = "Santa Maria";
    d.setor = "Contadoria";
    d.diretorioINSS = "/srv/remessas";
    d.regional = 4;
    d.periodoManutencaoArquivos = 30;
    d.qtdeCalculosPorSubDiretorio = 500;
    d.integraPartes = true;
    d.lembraResumo = true;
    d.mascara1 = "";
    d.mascara2 = "aa-999";
    d.mascara3 = "9999";
    d.Confirma(a.c);

    EXPECT_EQ(a.c.municipio, "Santa Maria");
    EXPECT_EQ(a.c.diretorioINSS, "/srv/remessas/");
    EXPECT_EQ(a.c.integraPartes, "S");
    EXPECT_EQ(a.c.gerarArquivoINSS, "N");
    EXPECT_EQ(a.c.mascara1, "AA-999");
    EXPECT_EQ(a.c.mascara2, "9999");
    EXPECT_EQ(a.c.mascara3, "");

    const ArquivoIni priv = a.privado();
    EXPECT_EQ(priv.le("Configuracoes", "Municipio"), "Santa Maria");
    EXPECT_EQ(priv.le("Configuracoes", "Setor"), "Contadoria");
    EXPECT_EQ(priv.le("Configuracoes", "Integra Partes"), "S");
    EXPECT_EQ(priv.le("Configuracoes", "Integra Andamentos"), "S");
    EXPECT_EQ(priv.le("Configuracoes", "Mascara1"), "AA-999");
    EXPECT_EQ(priv.le("Configuracoes", "Mascara2"), "9999");
    EXPECT_EQ(priv.le("Configuracoes", "Mascara3"), "");
    EXPECT_EQ(priv.le("Banco de Dados", "Qtde. Calculos por SubDiretorio"), "500");
    EXPECT_EQ(priv.le("INSS", "Gerar Arquivo para o INSS"), "N");
    EXPECT_EQ(priv.le("INSS", "Diretorio"), "/srv/remessas/");
    EXPECT_EQ(priv.le("INSS", "Regional"), "4");
    EXPECT_EQ(priv.le("INSS", "Periodo de Manutencao dos Arquivos"), "30");
    EXPECT_EQ(a.estacao().le("Configuracoes", "Lembra Resumo"), "S");

    // Read back at the next start, the values come out as confirmed.
    Configuracoes lida;
    lida.le(a.c.arquivoPrivado().parent_path(), a.c.arquivoEstacao().parent_path(), "/comp");
    EXPECT_EQ(lida.diretorioINSS, "/srv/remessas/");
    EXPECT_EQ(lida.regional, 4);
    EXPECT_EQ(lida.mascara1, "AA-999");
}

// A first start shows, on the page "&INSS", the folder "Remessa" of the
// private database written as this platform writes folders, and "&OK" with
// it untouched stores it unchanged.
TEST(ConfiguracaoDialogo, PastaDaRemessaPadraoEDestaInstalacao) {
    Cenario a;
    ConfiguracaoDialogo d;
    d.Carrega(a.c);
    const std::string remessa = (a.tmp.caminho() / "priv" / "Remessa").string() + "/";
    EXPECT_EQ(d.diretorioINSS, remessa);
    EXPECT_EQ(d.diretorioINSS.find('\\'), std::string::npos);
    d.Confirma(a.c);
    EXPECT_EQ(a.c.diretorioINSS, remessa);
    EXPECT_EQ(a.privado().le("INSS", "Diretorio"), remessa);
}

TEST(ConfiguracaoDialogo, FaixasRecusadasNaoGravamNada) {
    Cenario a;
    ConfiguracaoDialogo d;
    d.Carrega(a.c);
    const std::string antes = teste::LeArquivo(a.c.arquivoPrivado());

    auto recusa = [&](auto muda, const std::string& trecho) {
        ConfiguracaoDialogo copia = d;
        muda(copia);
        copia.municipio = "Não deve ser gravado";
        try {
            copia.Confirma(a.c);
            ADD_FAILURE() << "accepted: " << trecho;
        } catch (const ErroKorva& e) {
            EXPECT_NE(std::string(e.what()).find(trecho), std::string::npos) << e.what();
        }
        EXPECT_EQ(a.c.municipio, "Nome do Município");
        EXPECT_EQ(teste::LeArquivo(a.c.arquivoPrivado()), antes);
    };
    recusa([](ConfiguracaoDialogo& x) { x.gerarArquivoINSS = true; x.regional = 25; }, "entre 0 e 24");
    recusa([](ConfiguracaoDialogo& x) { x.gerarArquivoINSS = true; x.regional = -1; }, "entre 0 e 24");
    recusa([](ConfiguracaoDialogo& x) { x.gerarArquivoINSS = true; x.periodoManutencaoArquivos = 0; },
           "entre 1 e 999");
    recusa([](ConfiguracaoDialogo& x) { x.gerarArquivoINSS = true; x.periodoManutencaoArquivos = 1000; },
           "entre 1 e 999");
    recusa([](ConfiguracaoDialogo& x) { x.qtdeCalculosPorSubDiretorio = 0; }, "entre 1 e 5000");
    recusa([](ConfiguracaoDialogo& x) { x.qtdeCalculosPorSubDiretorio = 5001; }, "entre 1 e 5000");
    recusa([](ConfiguracaoDialogo& x) { x.mascara2 = std::string(26, '9'); }, "mais de 25");

    // Limits themselves pass; a regional number out of range but not editable
    // (option unticked) is written back as it was.
    ConfiguracaoDialogo ok = d;
    ok.gerarArquivoINSS = true;
    ok.regional = 24;
    ok.periodoManutencaoArquivos = 999;
    ok.qtdeCalculosPorSubDiretorio = 5000;
    EXPECT_NO_THROW(ok.Confirma(a.c));
    ok.gerarArquivoINSS = false;
    ok.regional = 30;
    EXPECT_NO_THROW(ok.Confirma(a.c));
    EXPECT_EQ(a.privado().le("INSS", "Regional"), "30");

    EXPECT_EQ(ConfiguracaoDialogo::ConverteInteiro(" 12 ", "Regional", 0, 24), 12);
    EXPECT_THROW(ConfiguracaoDialogo::ConverteInteiro("", "Regional", 0, 24), ErroKorva);
    EXPECT_THROW(ConfiguracaoDialogo::ConverteInteiro("1a", "Regional", 0, 24), ErroKorva);
    EXPECT_THROW(ConfiguracaoDialogo::ConverteInteiro("99999999999", "Regional", 0, 24), ErroKorva);
    try {
        ConfiguracaoDialogo::ConverteInteiro("30", "Regional", 0, 24);
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Valor inválido em \"Regional\": informe um número inteiro entre 0 e 24.");
    }
}

}  // namespace
}  // namespace korva
