// Every korva-cli command line the README shows in its ```sh blocks, run as a
// reader would type it: each on a fresh installation (init), where the
// calculation the examples name (PROCESSO) is a sample of exemplos/ already
// imported, generated and calculated, and in a working folder of its own where
// the files the line reads exist. Every example must end with exit code 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const fs::path Fonte = KORVA_SOURCE_DIR;

// Stands in for the samples while exemplos/ holds none.
const char* DocumentoReserva = R"({
  "Processo": {"Processo": "0000001-11.2020.5.01.0001", "CodRecte": 1, "DtAjuiz": "10/03/2020",
               "DtBase": "31/12/2021", "Calculista": "Teste"},
  "Partes": [{"Nome": "Reclamante", "TipoParte": 1, "Dependentes": 0, "Sequencial": 1}],
  "Arquivo1": [{"Item": 2, "Mes1": 1, "Ano1": 2019, "Mes2": 12, "Ano2": 2019, "VFM": "F", "Valor": 1000.0,
                "CodDataBasePadrao": 5, "INSS": "N"},
               {"Item": 12, "Mes1": 1, "Ano1": 2019, "Mes2": 12, "Ano2": 2019, "VFM": "F", "Qtde": 1.0,
                "Indice": 0.1, "Divisor": 1.0, "Base": 2, "CodDataBasePadrao": 5, "INSS": "S"}]
})";

// The command lines of the README's sh blocks that start with the program;
// a line ending in "\" goes on in the next.
std::vector<std::string> ExemplosDoReadme() {
    std::istringstream in(korva::teste::LeArquivo(Fonte / "README.md"));
    std::vector<std::string> r;
    std::string linha, pendente;
    bool bloco = false;
    while (std::getline(in, linha)) {
        const auto ini = linha.find_first_not_of(" \t");
        const std::string t = ini == std::string::npos ? std::string() : linha.substr(ini);
        if (t.rfind("```", 0) == 0) {
            bloco = !bloco && t.substr(3) == "sh";
            pendente.clear();
            continue;
        }
        if (!bloco) continue;
        if (!pendente.empty()) {
            pendente += " " + t;
        } else if (t.rfind("./build/korva-cli", 0) == 0 || t.rfind("korva-cli", 0) == 0) {
            pendente = t;
        } else {
            continue;
        }
        if (!pendente.empty() && pendente.back() == '\\') {
            pendente.pop_back();
            continue;
        }
        r.push_back(pendente);
        pendente.clear();
    }
    return r;
}

std::string Aspas(const std::string& s) { return "'" + s + "'"; }

// A calculation document: lawsuit number and group.
struct Calculo {
    std::string processo;
    int grupo = 1;
    static Calculo De(const fs::path& arquivo) {
        const json d = json::parse(korva::teste::LeArquivo(arquivo));
        return {d["Processo"]["Processo"].get<std::string>(), d["Processo"].value("CodRecte", 1)};
    }
};

class Exemplo {
public:
    explicit Exemplo(std::string linha) : linha_(std::move(linha)) {
        fs::create_directories(trabalho());
        fs::create_directories(dados());
        // The samples where a line of the README names them.
        if (fs::is_directory(Fonte / "exemplos")) fs::create_directory_symlink(Fonte / "exemplos", trabalho() / "exemplos");
        amostra_ = Amostra();
    }

    // Runs the line; its output (stdout, then stderr) goes to *saida. -1 when
    // the installation could not be prepared.
    int roda(std::string* saida) {
        if (!cli("init")) return -1;
        const std::vector<std::string> p = palavras();
        Calculo calculo = Calculo::De(amostra_);
        bool importa = false;
        for (size_t i = 0; i + 2 < p.size(); ++i) {
            if (p[i + 1] != "importar" && p[i + 1] != "exportar") continue;
            const fs::path arq = trabalho() / p[i + 2];
            if (p[i] == "calculo" && p[i + 1] == "importar") {
                if (!fs::exists(arq)) fs::copy_file(amostra_, arq);
                calculo = Calculo::De(arq);
                importa = true;
            } else if (p[i] == "verbas" && p[i + 1] == "importar" && !fs::exists(arq)) {
                if (!cli("verbas exportar " + Aspas(arq.string()))) return -1;
            } else if (p[i] == "tabelas" && i + 3 < p.size()) {
                const fs::path pasta = trabalho() / p[i + 3];
                fs::create_directories(pasta);
                if (p[i + 1] == "importar" && fs::is_empty(pasta) &&
                    !cli("tabelas exportar " + p[i + 2] + " " + Aspas(pasta.string())))
                    return -1;
            }
        }
        const std::string chave = calculo.processo + " " + std::to_string(calculo.grupo);
        if (!importa && !(cli("calculo importar " + Aspas(amostra_.string())) && cli("gerar " + chave) &&
                          cli("calcular " + chave)))
            return -1;
        // Should a command of the line escape the substitution, it still
        // stays inside the test's folder.
        const std::string ambiente = "export KORVA_DADOS=" + Aspas(dados().string()) +
                                     " XDG_CONFIG_HOME=" + Aspas((pasta_.caminho() / "config").string()) +
                                     " XDG_DATA_HOME=" + Aspas((pasta_.caminho() / "share").string()) + "; ";
        int st = -1;
        *saida = korva::teste::RodaComando(ambiente + "cd " + Aspas(trabalho().string()) + " && " +
                                               Substitui(calculo) + " 2>" + Aspas(erros().string()),
                                           &st);
        *saida += korva::teste::LeArquivo(erros());
        return st;
    }

    // Only the output of a single command is one JSON document.
    bool umComandoJson() const {
        const auto p = palavras();
        bool json = false;
        for (const auto& w : p) {
            if (w == "&&" || w == "||" || w == ";" || w == "|") return false;
            json = json || w == "--json";
        }
        return json;
    }

    // The line with this installation's folder for every --dados and the
    // calculation's number for PROCESSO.
    std::string Substitui(const Calculo& c) const {
        std::string s = std::regex_replace(linha_, std::regex(R"((^|\s)--dados(=|\s+)\S+)"), "");
        s = std::regex_replace(s, std::regex(R"((^|&&|\|\||;|\|)(\s*)(\./build/korva-cli|korva-cli)(?=\s|$))"),
                               "$1$2" + std::string(KORVA_CLI) + " --dados " + Aspas(dados().string()));
        return std::regex_replace(s, std::regex(R"(\bPROCESSO\b)"), c.processo);
    }

private:
    fs::path trabalho() const { return pasta_.caminho() / "trabalho"; }
    fs::path dados() const { return pasta_.caminho() / "dados"; }
    fs::path erros() const { return pasta_.caminho() / "erros.txt"; }

    // The first sample in name order, or the stand-in document.
    fs::path Amostra() const {
        std::vector<fs::path> amostras;
        if (fs::is_directory(Fonte / "exemplos"))
            for (const auto& e : fs::directory_iterator(Fonte / "exemplos"))
                if (e.path().extension() == ".json") amostras.push_back(e.path());
        std::sort(amostras.begin(), amostras.end());
        if (!amostras.empty()) return amostras.front();
        const fs::path reserva = pasta_.caminho() / "amostra.json";
        korva::teste::GravaArquivo(reserva, DocumentoReserva);
        return reserva;
    }

    bool cli(const std::string& args) {
        int st = -1;
        const std::string s = korva::teste::RodaCli("--dados " + Aspas(dados().string()) + " " + args, &st);
        EXPECT_EQ(st, 0) << "preparo: " << args << "\n" << s;
        return st == 0;
    }

    std::vector<std::string> palavras() const {
        std::istringstream in(linha_);
        std::vector<std::string> r;
        for (std::string w; in >> w;) r.push_back(w);
        return r;
    }

    std::string linha_;
    korva::teste::PastaTemporaria pasta_;
    fs::path amostra_;
};

}  // namespace

TEST(ExemplosReadmeCli, EveryCommandLineOfTheReadmeEndsWell) {
    const std::vector<std::string> exemplos = ExemplosDoReadme();
    // The README's own calculation example is among them.
    bool resultado = false;
    for (const auto& e : exemplos) resultado = resultado || e.find("resultado PROCESSO") != std::string::npos;
    EXPECT_TRUE(resultado) << "nenhum exemplo de resultado encontrado no README";
    EXPECT_GE(exemplos.size(), 5u);
    for (const auto& linha : exemplos) {
        SCOPED_TRACE(linha);
        Exemplo e(linha);
        std::string saida;
        const int st = e.roda(&saida);
        EXPECT_EQ(st, 0) << saida;
        if (st == 0 && e.umComandoJson()) {
            EXPECT_TRUE(json::accept(saida)) << saida;
        }
    }
}

TEST(ExemplosReadmeCli, ALineIsRunOnTheTestInstallationAndItsCalculation) {
    Exemplo e("./build/korva-cli --dados /srv/korva init && korva-cli gerar PROCESSO 1 --dados=/srv/x");
    const std::string s = e.Substitui({"0001-22", 1});
    EXPECT_EQ(s.find("/srv/"), std::string::npos) << s;
    EXPECT_EQ(s.find("./build/"), std::string::npos) << s;
    EXPECT_NE(s.find("gerar 0001-22 1"), std::string::npos) << s;
    // Both commands run on the test's folder.
    const std::string prog = std::string(KORVA_CLI) + " --dados '";
    EXPECT_EQ(s.rfind(prog, 0), 0u) << s;
    EXPECT_NE(s.find("&& " + prog), std::string::npos) << s;
}
