// korva-cli tabelas gerar-dat and tabelas atualizar, against a table server
// run by the test on the loopback interface.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "app/Configuracoes.h"
#include "reference/ServidorHttpTeste.h"
#include "storage/Aliases.h"
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

bool Contem(const std::string& texto, const std::string& parte) { return texto.find(parte) != std::string::npos; }

// A data folder after korva-cli init.
struct Instalacao {
    fs::path dados;
    explicit Instalacao(fs::path d) : dados(std::move(d)) {
        int st = -1;
        const auto saida = teste::RodaCli("--dados " + dados.string() + " init", &st);
        EXPECT_EQ(st, 0) << saida;
    }
    std::string roda(const std::string& args, int* st) const { return teste::RodaCli("--dados " + dados.string() + " " + args, st); }
    std::unique_ptr<Banco> compartilhado() const {
        ArquivoAliases aliases(dados / "Aliases.cfg");
        return std::make_unique<Banco>("CalcShare", aliases.caminho("CalcShare"));
    }
    fs::path iniPrivado() const { return Configuracoes::ArquivoDaPasta(dados / "Privado"); }
};

// Stores a row by key, replacing the one there.
void Poe(Banco& b, const std::string& tabela, const std::vector<std::pair<std::string, Valor>>& campos, size_t nChave) {
    Tabela t(b, tabela);
    t.abre();
    std::vector<Valor> chave;
    for (size_t i = 0; i < nChave; ++i) chave.push_back(campos[i].second);
    if (t.localizaChave(chave)) {
        t.edita();
    } else {
        t.insere();
    }
    for (const auto& [nome, valor] : campos) t[nome] = valor;
    t.grava();
}

std::optional<std::vector<Valor>> Linha(Banco& b, const std::string& tabela, const std::vector<Valor>& chave) {
    Tabela t(b, tabela);
    t.abre();
    if (!t.localizaChave(chave)) return std::nullopt;
    return t.linha();
}

std::vector<std::vector<Valor>> Linhas(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre();
    std::vector<std::vector<Valor>> r;
    for (t.primeiro(); !t.fim(); t.proximo()) r.push_back(t.linha());
    return r;
}

int Quantidade(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre();
    return t.quantidade();
}

}  // namespace

TEST(AtualizacaoCli, FilesGeneratedByOneInstallationUpdateAnotherOverHttp) {
    teste::PastaTemporaria tmp;
    Instalacao origem(tmp.caminho() / "origem");
    {
        auto b = origem.compartilhado();
        for (int m = 1; m <= 2; ++m)
            Poe(*b, "Valores.DB",
                {{"Ano", 1901}, {"Mes", m}, {"SalMin", 10.5 * m}, {"SalFam1", 1.25}, {"SalFam2", 2.5},
                 {"LimMinimo", 3.0}, {"LimMaximo", 4.0}, {"ValorMaximo", 5.0}},
                2);
        for (int m = 2; m <= 3; ++m) {
            std::vector<std::pair<std::string, Valor>> inss = {{"Ano", 2020}, {"Mes", m}, {"LimiteMinimo", 1039.0}};
            for (const char* c : {"Limite1", "Percentual1", "Limite2", "Percentual2", "Limite3", "Percentual3",
                                  "Limite4", "Percentual4", "Limite5", "Percentual5"})
                inss.emplace_back(c, 7.5 * m);
            Poe(*b, "FaixasINSS.DB", inss, 2);
        }
        std::vector<std::pair<std::string, Valor>> ir = {{"Ano", 1901}, {"Mes", 1}};
        for (const char* c : {"LimiteMinimo", "Limite1", "Percentual1", "Deducao1", "Limite2", "Percentual2",
                              "Deducao2", "Limite3", "Percentual3", "Deducao3", "PercentualMaximo", "DeducaoMaximo",
                              "DeducaoDependente", "DeducaoDaBase"})
            ir.emplace_back(c, 0.5);
        Poe(*b, "FaixasIR.db", ir, 2);
        for (int d = 0; d < 10; ++d)
            Poe(*b, "Diario.DB", {{"CodIndice", 977}, {"Data", Data::de(2001, 2, 25) + d}, {"Indice", 1.0 + d / 7.0}},
                2);
    }
    int st = -1;
    const fs::path download = tmp.caminho() / "servidor" / "download";
    auto saida = origem.roda("tabelas gerar-dat " + download.string(), &st);
    ASSERT_EQ(st, 0) << saida;
    EXPECT_TRUE(Contem(saida, "Diario.dat: ")) << saida;

    teste::ServidorHttpTeste srv(download);
    Instalacao destino(tmp.caminho() / "destino");
    {
        auto b = destino.compartilhado();
        Poe(*b, "Diario.DB", {{"CodIndice", 977}, {"Data", Data::de(2001, 2, 26)}, {"Indice", 99.0}}, 2);
    }
    saida = destino.roda("tabelas atualizar --sem-proxy --servidor " + srv.endereco(), &st);
    ASSERT_EQ(st, 0) << saida;
    EXPECT_TRUE(Contem(saida, "Efetuando download dos arquivos...")) << saida;
    EXPECT_TRUE(Contem(saida, "Tabelas Atualizadas!")) << saida;

    auto a = origem.compartilhado();
    auto b = destino.compartilhado();
    for (const char* t : {"Valores.DB", "FaixasINSS.DB", "FaixasIR.db", "Diario.DB"}) {
        const std::string linha = std::string(t) + ": " + std::to_string(Quantidade(*a, t)) + " registro(s)";
        EXPECT_TRUE(Contem(saida, linha)) << linha << "\n" << saida;
    }
    // Every row of the origin, delivered or added, is now in the destination as it was.
    for (const char* t : {"Valores.DB", "FaixasINSS.DB", "FaixasIR.db", "Diario.DB"})
        EXPECT_EQ(Linhas(*b, t), Linhas(*a, t)) << t;
    EXPECT_TRUE(Linha(*b, "Diario.DB", {977, Data::de(2001, 3, 6)}).has_value());
    const auto fev = Linha(*b, "FaixasINSS.DB", {2020, 2});
    const auto mar = Linha(*b, "FaixasINSS.DB", {2020, 3});
    ASSERT_TRUE(fev && mar);
    EXPECT_DOUBLE_EQ(mar->at(12).comoNumero(), 22.5);
    EXPECT_FALSE(fev->back().comoLogico());  // Progressiva
    EXPECT_TRUE(mar->back().comoLogico());
    // The downloaded files stay in the data folder.
    EXPECT_TRUE(fs::exists(destino.dados / "Diario.dat"));

    // A second run replaces every row it brings and adds none.
    saida = destino.roda("--json tabelas atualizar --servidor " + srv.endereco(), &st);
    ASSERT_EQ(st, 0) << saida;
    const auto j = nlohmann::json::parse(saida);
    ASSERT_EQ(j["tabelas"].size(), 4u);
    for (const auto& t : j["tabelas"]) {
        EXPECT_EQ(t["incluidos"].get<int>(), 0) << t.dump();
        EXPECT_EQ(t["alterados"].get<int>(), t["registros"].get<int>()) << t.dump();
    }
}

TEST(AtualizacaoCli, ServerFromThePrivateSettingsAndFailuresEndWithAMessage) {
    teste::PastaTemporaria tmp;
    Instalacao inst(tmp.caminho() / "dados");
    const fs::path servidos = tmp.caminho() / "servidos";
    fs::create_directories(servidos);
    for (const char* f : {"Valores.dat", "FaixasINSS.dat", "FaixasIR.dat"}) std::ofstream(servidos / f).flush();
    int st = -1;

    teste::ServidorHttpTeste srv(servidos);
    ArquivoIni(inst.iniPrivado()).escreve("Internet", "Servidor", srv.endereco());
    auto saida = inst.roda("tabelas atualizar", &st);
    EXPECT_EQ(st, 2) << saida;
    EXPECT_TRUE(Contem(saida, "O arquivo Diario.dat não foi encontrado no servidor de tabelas " + srv.endereco() +
                                  " (HTTP 404).")) << saida;
    EXPECT_EQ(srv.pedidos().size(), 4u);
    EXPECT_FALSE(Contem(saida, "Tabelas Atualizadas!"));

    // A proxy port that is not a number: nothing is asked of anyone.
    saida = inst.roda("tabelas atualizar --proxy 127.0.0.1:31x8", &st);
    EXPECT_EQ(st, 2) << saida;
    EXPECT_TRUE(Contem(saida, "A porta do servidor proxy deve ser um número inteiro")) << saida;
    EXPECT_EQ(srv.pedidos().size(), 4u);

    // A proxy stored in the settings is used; its port is checked the same way.
    ArquivoIni ini(inst.iniPrivado());
    ini.escreve("Internet", "ProxyUsaProxy", "S");
    ini.escreve("Internet", "ProxyEndereco", "127.0.0.1");
    ini.escreve("Internet", "ProxyPorta", "oito");
    saida = inst.roda("tabelas atualizar", &st);
    EXPECT_EQ(st, 2);
    EXPECT_TRUE(Contem(saida, "\"oito\"")) << saida;
    ini.escreve("Internet", "ProxyUsaProxy", "N");

    // The server closes in the middle of a file.
    std::ofstream(servidos / "Diario.dat").flush();
    std::ofstream(servidos / "FaixasINSS.dat") << std::string(960, '\0');
    srv.corta("FaixasINSS.dat", 100);
    saida = inst.roda("tabelas atualizar", &st);
    EXPECT_EQ(st, 2) << saida;
    EXPECT_TRUE(Contem(saida, "foi interrompida durante o download do arquivo FaixasINSS.dat")) << saida;

    // A user for the proxy needs the proxy.
    saida = inst.roda("tabelas atualizar --proxy-usuario ana", &st);
    EXPECT_NE(st, 0);
    EXPECT_NE(st, 2) << saida;  // refused by the option parser, before any connection
}

TEST(AtualizacaoCli, PagesServedInsteadOfTheFilesAreRefusedAndNoTableChanges) {
    teste::PastaTemporaria tmp;
    Instalacao inst(tmp.caminho() / "dados");
    const fs::path servidos = tmp.caminho() / "servidos";
    // The same page for the four files, as a server in maintenance answers.
    const std::string pagina = "<!DOCTYPE html>\n<html><head><title>Em manutenção</title></head>"
                               "<body><p>Serviço indisponível.</p></body></html>\n";
    for (const char* f : {"Valores.dat", "FaixasINSS.dat", "FaixasIR.dat", "Diario.dat"})
        teste::GravaArquivo(servidos / f, pagina);
    std::map<std::string, std::vector<std::vector<Valor>>> antes;
    {
        auto b = inst.compartilhado();
        for (const char* t : {"Valores.DB", "FaixasINSS.DB", "FaixasIR.db", "Diario.DB"}) antes[t] = Linhas(*b, t);
    }
    teste::ServidorHttpTeste srv(servidos);
    for (const char* json : {"", "--json "}) {
        int st = -1;
        const auto saida = inst.roda(std::string(json) + "tabelas atualizar --sem-proxy --servidor " + srv.endereco(), &st);
        EXPECT_EQ(st, 2) << saida;
        EXPECT_TRUE(Contem(saida, "O arquivo Diario.dat não está no formato esperado")) << saida;
        EXPECT_TRUE(Contem(saida, "página da web")) << saida;
        EXPECT_TRUE(Contem(saida, "Nenhuma tabela foi alterada.")) << saida;
        EXPECT_FALSE(Contem(saida, "registro(s)")) << saida;
        EXPECT_FALSE(Contem(saida, "Tabelas Atualizadas!")) << saida;
    }

    // The installation's own tables as the server's files, Valores.dat cut
    // short: the cut file is named.
    int st = -1;
    auto saida = inst.roda("tabelas gerar-dat " + (tmp.caminho() / "gerados").string(), &st);
    ASSERT_EQ(st, 0) << saida;
    for (const char* f : {"Valores.dat", "FaixasINSS.dat", "FaixasIR.dat", "Diario.dat"})
        fs::copy_file(tmp.caminho() / "gerados" / f, servidos / f, fs::copy_options::overwrite_existing);
    const std::string valores = teste::LeArquivo(servidos / "Valores.dat");
    ASSERT_GT(valores.size(), 56u);
    teste::GravaArquivo(servidos / "Valores.dat", valores.substr(0, valores.size() - 10));
    saida = inst.roda("tabelas atualizar --sem-proxy --servidor " + srv.endereco(), &st);
    EXPECT_EQ(st, 2) << saida;
    EXPECT_TRUE(Contem(saida, "O arquivo Valores.dat não está no formato esperado: tem " +
                                  std::to_string(valores.size() - 10) + " bytes")) << saida;

    auto b = inst.compartilhado();
    for (const auto& [t, linhas] : antes) EXPECT_EQ(Linhas(*b, t), linhas) << t;
}
