// korva-cli killed with SIGKILL at random moments of the changes that span
// several table files: import, generation, calculation, table update and a
// new group. After every kill (and the orphan sweep of the next start) every
// table of the data folder is exactly as before the command or exactly as
// after it, every file passes integrity_check, and no file set is left
// without its calculation.
//
// KORVA_QUEDAS=N sets the kills per command (default 42: 210 in all).
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "reference/ServidorHttpTeste.h"
#include "storage/Conexao.h"

namespace fs = std::filesystem;
namespace teste = korva::teste;
using nlohmann::json;

namespace {

const std::string Numero = "0000100-10.2010.5.01.0001";

std::string Minusculas(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// 64-bit FNV-1a over the text of every value of a table file.
struct Resumo {
    uint64_t h = 1469598103934665603ull;
    void soma(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) {
            h ^= b[i];
            h *= 1099511628211ull;
        }
    }
};

// The state of every table file under a folder: relative name -> digest of
// its rows and counters. Opening a file read-write rolls back a hot journal,
// as the program's next start would. Fails the test on a damaged file.
std::map<std::string, uint64_t> Estado(const fs::path& raiz) {
    std::map<std::string, uint64_t> r;
    for (const auto& e : fs::recursive_directory_iterator(raiz)) {
        if (!e.is_regular_file()) continue;
        const std::string ext = Minusculas(e.path().extension().string());
        if (ext != ".db") continue;
        const std::string nome = Minusculas(fs::relative(e.path(), raiz).generic_string());
        if (nome.find("temp.db") != std::string::npos) continue;  // the reports' scratch table
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(e.path().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK) << nome;
        korva::RegistraColacao(db);
        Resumo res;
        for (const char* sql : {"PRAGMA integrity_check", "SELECT * FROM Tabela ORDER BY rowid",
                                "SELECT * FROM korva_autoinc ORDER BY campo"}) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
                ADD_FAILURE() << nome << ": " << sqlite3_errmsg(db);
                continue;
            }
            const bool integridade = sql[0] == 'P';
            while (sqlite3_step(st) == SQLITE_ROW) {
                if (integridade) {
                    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                    EXPECT_STREQ(t, "ok") << nome;
                    continue;
                }
                for (int i = 0; i < sqlite3_column_count(st); ++i) {
                    const auto* t = sqlite3_column_text(st, i);
                    const int n = sqlite3_column_bytes(st, i);
                    const int tipo = sqlite3_column_type(st, i);
                    res.soma(&tipo, sizeof tipo);
                    if (t) res.soma(t, static_cast<size_t>(n));
                }
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        r[nome] = res.h;
    }
    return r;
}

std::string Diferenca(const std::map<std::string, uint64_t>& a, const std::map<std::string, uint64_t>& b) {
    std::ostringstream s;
    for (const auto& [k, v] : a)
        if (!b.count(k)) s << " só antes: " << k;
        else if (b.at(k) != v) s << " difere: " << k;
    for (const auto& [k, v] : b)
        if (!a.count(k)) s << " só depois: " << k;
    return s.str();
}

// A copy of a data folder, its alias file pointing at the copy's databases.
void Copia(const fs::path& de, const fs::path& para) {
    fs::remove_all(para);
    fs::copy(de, para, fs::copy_options::recursive);
    const fs::path aliases = para / "Aliases.cfg";
    std::string texto = teste::LeArquivo(aliases);
    const std::string antigo = de.string() + "/", novo = para.string() + "/";
    for (size_t p = texto.find(antigo); p != std::string::npos; p = texto.find(antigo, p + novo.size()))
        texto.replace(p, antigo.size(), novo);
    teste::GravaArquivo(aliases, texto);
}

std::vector<std::string> Palavras(const std::string& linha) {
    std::istringstream in(linha);
    std::vector<std::string> r;
    for (std::string p; in >> p;) r.push_back(p);
    return r;
}

// Starts korva-cli on a data folder, quiet; returns its pid.
pid_t Inicia(const fs::path& dados, const std::string& args) {
    std::vector<std::string> palavras = {KORVA_CLI, "--dados", dados.string()};
    for (auto& p : Palavras(args)) palavras.push_back(p);
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (auto& p : palavras) argv.push_back(p.data());
        argv.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int Roda(const fs::path& dados, const std::string& args) {
    int st = -1;
    teste::RodaCli("--dados " + dados.string() + " " + args, &st);
    return st;
}

struct Comando {
    std::string nome;
    fs::path base;      // the folder before the command
    std::string args;
};

class Quedas : public ::testing::Test {
protected:
    teste::PastaTemporaria tmp;
    fs::path pasta(const std::string& n) { return tmp.caminho() / n; }

    // Runs the command on copies of its base, killing it at random moments.
    // Returns the kills that hit a running process.
    int derruba(const Comando& c, int quedas, std::mt19937& sorte) {
        const fs::path trabalho = pasta("trabalho");
        // Before and after, through the same start as a killed run sees.
        Copia(c.base, trabalho);
        EXPECT_EQ(Roda(trabalho, "processo listar"), 0);
        const auto antes = Estado(trabalho);
        Copia(c.base, trabalho);
        const auto inicio = std::chrono::steady_clock::now();
        {
            int status = -1;
            waitpid(Inicia(trabalho, c.args), &status, 0);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                Copia(c.base, trabalho);
                int st = -1;
                ADD_FAILURE() << c.nome << ": " << teste::RodaCli("--dados " + trabalho.string() + " " + c.args, &st);
            }
        }
        const auto duracao = std::chrono::steady_clock::now() - inicio;
        EXPECT_EQ(Roda(trabalho, "processo listar"), 0);
        const auto depois = Estado(trabalho);
        EXPECT_TRUE(antes != depois) << c.nome << ": the command changed nothing";
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(duracao).count();

        int derrubadas = 0, comoAntes = 0, comoDepois = 0;
        for (int tentativa = 0; derrubadas < quedas && tentativa < quedas * 4; ++tentativa) {
            Copia(c.base, trabalho);
            // A third of the kills anywhere, the rest in the later part of
            // the run, where the writing and the commit are.
            std::uniform_int_distribution<long> quando(tentativa % 3 == 0 ? 0 : micros / 3, micros);
            const pid_t pid = Inicia(trabalho, c.args);
            std::this_thread::sleep_for(std::chrono::microseconds(quando(sorte)));
            kill(pid, SIGKILL);
            int status = 0;
            waitpid(pid, &status, 0);
            if (!WIFSIGNALED(status)) continue;  // it had already ended
            ++derrubadas;
            EXPECT_EQ(Roda(trabalho, "processo listar"), 0);
            const auto agora = Estado(trabalho);
            if (agora == antes) ++comoAntes;
            else if (agora == depois) ++comoDepois;
            else ADD_FAILURE() << c.nome << ", queda " << derrubadas << ": half-done —" << Diferenca(antes, agora)
                               << " | relative to after:" << Diferenca(depois, agora);
            for (const auto& e : fs::recursive_directory_iterator(trabalho)) {
                const std::string n = e.path().filename().string();
                EXPECT_EQ(n.find(".criando"), std::string::npos) << n;
            }
        }
        std::cout << c.nome << ": " << derrubadas << " quedas (" << comoAntes << " como antes, " << comoDepois
                  << " como depois), duração " << micros / 1000 << " ms\n";
        return derrubadas;
    }
};

}  // namespace

TEST_F(Quedas, EveryMultiTableChangeHoldsOrVanishesWhole) {
    int porComando = 42;
    if (const char* n = std::getenv("KORVA_QUEDAS")) porComando = std::max(1, std::atoi(n));

    // Bases: a new installation; one with the lawsuit's period rows; the
    // same after generation; and a document with its month rows to import.
    const fs::path vazia = pasta("vazia");
    ASSERT_EQ(Roda(vazia, "init"), 0);
    json doc;
    doc["Processo"] = {{"Processo", Numero}, {"CodRecte", 1}, {"DtAjuiz", "10/03/2010"}, {"Calculista", "Ana"}};
    doc["Partes"] = json::array({{{"Nome", "João da Silva"}, {"TipoParte", 1}}});
    json a = json::array();
    const int itens[] = {12, 13, 14, 15, 22, 23, 24, 25, 26, 32};
    for (int i = 0; i < 10; ++i)
        a.push_back({{"Item", itens[i]}, {"Mes1", 1}, {"Ano1", 1995}, {"Mes2", 12}, {"Ano2", 2009},
                     {"Valor", 100.0 + i}, {"VFM", "V"}, {"INSS", "S"}});
    doc["Arquivo1"] = a;
    doc["Juros"] = json::array({{{"Data", "01/03/1991"}, {"Juros", 1.0}, {"Forma", "S"}}});
    teste::GravaArquivo(pasta("periodos.json"), doc.dump());

    const fs::path comPeriodos = pasta("com-periodos");
    Copia(vazia, comPeriodos);
    ASSERT_EQ(Roda(comPeriodos, "calculo importar " + pasta("periodos.json").string()), 0);
    const fs::path gerada = pasta("gerada");
    Copia(comPeriodos, gerada);
    ASSERT_EQ(Roda(gerada, "gerar " + Numero + " 1"), 0);
    int st = -1;
    const std::string exportado = teste::RodaCli("--dados " + gerada.string() + " calculo exportar " + Numero + " 1", &st);
    ASSERT_EQ(st, 0) << exportado;
    json completo = json::parse(exportado);
    ASSERT_GT(completo["Arquivo2"].size(), 1000u);
    teste::GravaArquivo(pasta("completo.json"), completo.dump());

    // Reference tables served for the update: the installation's own, each changed.
    const fs::path origem = pasta("origem");
    Copia(vazia, origem);
    for (const auto& [tabela, sql] : std::vector<std::pair<const char*, const char*>>{
             {"Diario.DB", "UPDATE Tabela SET Indice=Indice*1.5"},
             {"Valores.DB", "UPDATE Tabela SET SalMin=SalMin+1"},
             {"FaixasINSS.DB", "UPDATE Tabela SET Limite1=Limite1+1"},
             {"FaixasIR.DB", "UPDATE Tabela SET Limite1=Limite1+1"}}) {
        fs::path arquivo;
        for (const auto& e : fs::recursive_directory_iterator(origem))
            if (Minusculas(e.path().filename().string()) == Minusculas(tabela)) arquivo = e.path();
        ASSERT_FALSE(arquivo.empty()) << tabela;
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(arquivo.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    ASSERT_EQ(Roda(origem, "tabelas gerar-dat " + pasta("servidor/download").string()), 0);
    teste::ServidorHttpTeste servidor(pasta("servidor/download"));

    std::mt19937 sorte(20261209);
    const std::vector<Comando> comandos = {
        {"importação", vazia, "calculo importar " + pasta("completo.json").string()},
        {"geração", comPeriodos, "gerar " + Numero + " 1"},
        {"cálculo", gerada, "calcular " + Numero + " 1"},
        {"atualização", vazia, "tabelas atualizar --sem-proxy --servidor " + servidor.endereco()},
        {"novo grupo", gerada, "processo novo-grupo " + Numero + " 1"},
    };
    int total = 0;
    for (const auto& c : comandos) total += derruba(c, porComando, sorte);
    EXPECT_GE(total, 5 * porComando * 9 / 10);
}
