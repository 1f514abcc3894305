// The sample calculation documents of exemplos/, run the way the README tells
// a newcomer to run them: a fresh installation, calculo importar, gerar,
// calcular and resultado. The figures checked are the ones that follow from
// the documents' own rows (which items exist in which months, which are
// subject to INSS, the fine as 40 % of the month's FGTS), not totals copied
// from a run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "apoio/Arquivos.h"
#include "apoio/PastaTemporaria.h"
#include "util/Data.h"

using nlohmann::json;

namespace {

std::filesystem::path Exemplo(const std::string& nome) {
    return std::filesystem::path(KORVA_SOURCE_DIR) / "exemplos" / nome;
}

json LeExemplo(const std::string& nome) {
    const std::string texto = korva::teste::LeArquivo(Exemplo(nome));
    EXPECT_FALSE(texto.empty()) << Exemplo(nome);
    return json::parse(texto);
}

// Number of calendar months from m1/a1 to m2/a2, both included.
int Meses(int m1, int a1, int m2, int a2) { return (a2 * 12 + m2) - (a1 * 12 + m1) + 1; }

struct Instalacao {
    korva::teste::PastaTemporaria pasta;
    std::string numero;

    std::string roda(const std::string& args) {
        int st = -1;
        const std::string s = korva::teste::RodaCli("--dados '" + pasta.caminho().string() + "' " + args, &st);
        EXPECT_EQ(st, 0) << args << "\n" << s;
        return s;
    }
    json rodaJson(const std::string& args) {
        const std::string s = roda("--json " + args);
        const json j = json::parse(s, nullptr, false);
        EXPECT_FALSE(j.is_discarded()) << s;
        return j;
    }

    // init, import, generation and calculation of a sample; the month rows
    // the generation made must be one per month of every period row.
    void prepara(const std::string& nome) {
        const json doc = LeExemplo(nome);
        numero = doc["Processo"]["Processo"].get<std::string>() + " " +
                 std::to_string(doc["Processo"]["CodRecte"].get<int>());
        roda("init");
        const std::string s = roda("calculo importar '" + Exemplo(nome).string() + "'");
        EXPECT_NE(s.find("Processo: " + doc["Processo"]["Processo"].get<std::string>()), std::string::npos) << s;
        int esperadas = 0;
        for (const auto& l : doc["Arquivo1"])
            esperadas += Meses(l["Mes1"], l["Ano1"], l["Mes2"], l["Ano2"]);
        EXPECT_NE(roda("gerar " + numero).find(std::to_string(esperadas) + " linha(s)"), std::string::npos);
        roda("calcular " + numero);
    }
};

using Chave = std::pair<int, int>;  // (year, month)

// Sum of Valor per (item, month) and the rows' VFM per item.
struct Grade {
    std::map<std::pair<int, Chave>, double> valor;
    std::map<int, std::set<Chave>> diferencas;  // months with a row made by the calculation ("D")
    explicit Grade(const json& mesames) {
        for (const auto& l : mesames["Linhas"]) {
            EXPECT_TRUE(l["Calculado"].get<bool>()) << l.dump();
            const int item = l["Item"];
            const Chave mes{l["Ano"], l["Mes"]};
            valor[{item, mes}] += l["Valor"].get<double>();
            if (l["VFM"] == "D") diferencas[item].insert(mes);
        }
    }
    double de(int item, Chave mes) const {
        const auto it = valor.find({item, mes});
        return it == valor.end() ? 0.0 : it->second;
    }
};

std::set<Chave> MesesDe(int m1, int a1, int m2, int a2) {
    std::set<Chave> r;
    for (int k = a1 * 12 + m1 - 1; k <= a2 * 12 + m2 - 1; ++k) r.insert({k / 12, k % 12 + 1});
    return r;
}

}  // namespace

TEST(ExemplosCli, SalaryDifferencesAndOvertimeRunToAResult) {
    Instalacao c;
    c.prepara("diferencas-salariais-horas-extras.json");
    const std::set<Chave> contrato = MesesDe(4, 2022, 2, 2024);

    // Salary due above the salary paid and 26 overtime hours due on the due
    // salary against 12 paid on the paid one: a positive difference of both
    // families in every month, made by the calculation, and the reflexes as
    // fractions of it.
    const Grade g(c.rodaJson("mesames " + c.numero));
    EXPECT_EQ(g.diferencas.at(12), contrato);
    EXPECT_EQ(g.diferencas.at(22), contrato);
    for (const Chave& m : contrato) {
        EXPECT_NEAR(g.de(12, m), g.de(10, m) - g.de(11, m), 1e-9);
        EXPECT_GT(g.de(12, m), 0.0);
        EXPECT_GT(g.de(22, m), 0.0);
        EXPECT_NEAR(g.de(13, m), g.de(12, m) / 12, 1e-9);
        EXPECT_NEAR(g.de(23, m), g.de(22, m) / 6, 1e-9);
        EXPECT_NEAR(g.de(26, m), g.de(22, m) / 36, 1e-9);
    }

    const json r = c.rodaJson("resultado " + c.numero);
    EXPECT_GT(r["Total"].get<double>(), 0.0);
    EXPECT_GT(r["TotalGeral"].get<double>(), r["Total"].get<double>());  // interest from the filing date on
    // Every result item of the sample is subject to INSS; none is FGTS.
    EXPECT_NEAR(r["TotalBaseINSS"].get<double>(), r["Total"].get<double>(), 0.01);
    EXPECT_EQ(r["FGTS"].get<double>(), 0.0);
    EXPECT_GT(r["INSSReclamante"].get<double>(), 0.0);
    EXPECT_NEAR(r["Reclamado"]["Total"].get<double>(), r["TotalBaseINSS"].get<double>() * (20 + 2 + 5.8) / 100, 0.01);
    EXPECT_EQ(r["Meses"].size(), contrato.size());
    EXPECT_EQ(r["ColunasIR"].size(), 3u);  // 13th salary, vacation and the rest apart
    EXPECT_TRUE(r["Avisos"].empty()) << r["Avisos"].dump();
}

TEST(ExemplosCli, TwoClaimantsWithFgtsAndTheFineRunToAResult) {
    Instalacao c;
    c.prepara("fgts-dois-reclamantes.json");
    const std::set<Chave> periodo = MesesDe(7, 2023, 6, 2025);

    // FGTS due (900) against the deposits (901): a difference row of 902 in
    // every month, nothing where the deposit was made in full (2023), the
    // whole 8 % where none was; the fine is 40 % of all 902 of the month
    // (also the FGTS on the notice and 13th-salary differences of 06/2025).
    const Grade g(c.rodaJson("mesames " + c.numero));
    EXPECT_EQ(g.diferencas.at(902), periodo);
    for (const Chave& m : periodo) {
        if (m.first == 2023) {
            EXPECT_EQ(g.de(902, m), 0.0);
        } else if (m != Chave{2025, 6}) {
            EXPECT_NEAR(g.de(902, m), g.de(900, m), 1e-9);
        }
        EXPECT_NEAR(g.de(903, m), 0.4 * g.de(902, m), 1e-9);
    }
    EXPECT_NEAR(g.de(902, {2025, 6}), g.de(900, {2025, 6}) + 0.08 * (g.de(132, {2025, 6}) + g.de(102, {2025, 6})),
                1e-9);
    EXPECT_GT(g.de(132, {2025, 6}), 0.0);
    EXPECT_GT(g.de(102, {2025, 6}), 0.0);

    const json r = c.rodaJson("resultado " + c.numero);
    // FGTS items go to the FGTS, not to the corrected total.
    double fora = 0, fgts = 0;
    for (const auto& l : r["Linhas"]) {
        const int item = l["Item"];
        if (item <= 9 || item % 10 < 2) continue;
        (item == 902 || item == 903 ? fgts : fora) += l["ValorAtualizado"].get<double>();
    }
    EXPECT_GT(fgts, 0.0);
    EXPECT_NEAR(r["FGTSSemJuros"].get<double>(), fgts, 0.01);
    EXPECT_NEAR(r["Total"].get<double>(), fora, 0.01);
    EXPECT_GT(r["JurosFGTS"].get<double>(), 0.0);  // IncidirJurosFGTS
    EXPECT_NEAR(r["FGTS"].get<double>(), r["FGTSSemJuros"].get<double>() + r["JurosFGTS"].get<double>(), 0.01);
    EXPECT_GT(r["TotalGeral"].get<double>(), r["Total"].get<double>());
    // Only the 13th-salary difference is subject to INSS.
    EXPECT_GT(r["TotalBaseINSS"].get<double>(), 0.0);
    EXPECT_LT(r["TotalBaseINSS"].get<double>(), r["Total"].get<double>());
    // Two claimants with 2 and 0 dependants.
    EXPECT_TRUE(r["DependentesDiferentes"].get<bool>());
    EXPECT_EQ(r["ColunasIR"].size(), 2u);
    EXPECT_TRUE(r["Avisos"].empty()) << r["Avisos"].dump();
}

// What a sample says is what the installation keeps: the export of the
// imported calculation carries every field of the sample with the same value,
// so the samples also show the document as calculo exportar writes it.
TEST(ExemplosCli, TheExportCarriesEveryFieldOfTheSample) {
    for (const char* nome : {"diferencas-salariais-horas-extras.json", "fgts-dois-reclamantes.json"}) {
        SCOPED_TRACE(nome);
        Instalacao c;
        c.roda("init");
        c.roda("calculo importar '" + Exemplo(nome).string() + "'");
        const json doc = LeExemplo(nome);
        const auto saida = (c.pasta.caminho() / "exportado.json").string();
        c.roda("calculo exportar " + doc["Processo"]["Processo"].get<std::string>() + " " +
               std::to_string(doc["Processo"]["CodRecte"].get<int>()) + " '" + saida + "'");
        const json e = json::parse(korva::teste::LeArquivo(saida));
        for (auto it = doc.begin(); it != doc.end(); ++it) {
            if (it->is_object()) {
                for (auto f = it->begin(); f != it->end(); ++f) EXPECT_EQ(e[it.key()][f.key()], *f) << f.key();
                continue;
            }
            ASSERT_EQ(e[it.key()].size(), it->size()) << it.key();
            for (size_t i = 0; i < it->size(); ++i)
                for (auto f = (*it)[i].begin(); f != (*it)[i].end(); ++f)
                    EXPECT_EQ(e[it.key()][i][f.key()], *f) << it.key() << ", linha " << i + 1 << ": " << f.key();
        }
    }
}

// Without DtBase the base date is the day of the import. Once that day is
// past the installed daily index the result fails, and the message names the
// last day the installation holds (one the index does have) and how to update.
TEST(ExemplosCli, ADocumentWithoutABaseDateIsToldUntilWhenTheIndexGoes) {
    Instalacao c;
    c.roda("init");
    json doc = LeExemplo("diferencas-salariais-horas-extras.json");
    doc["Processo"].erase("DtBase");
    const auto arquivo = (c.pasta.caminho() / "sem-data-base.json").string();
    korva::teste::GravaArquivo(arquivo, doc.dump());
    c.roda("calculo importar '" + arquivo + "'");
    const std::string numero = doc["Processo"]["Processo"].get<std::string>() + " 1";
    const std::string hoje = korva::Data::hoje().dma();
    EXPECT_EQ(json::parse(c.roda("calculo exportar " + numero))["Processo"]["DtBase"], hoje);
    c.roda("gerar " + numero);
    c.roda("calcular " + numero);

    int st = -1;
    const std::string dados = "--dados '" + c.pasta.caminho().string() + "' ";
    korva::teste::RodaCli(dados + "fator --indice 1 --de " + hoje + " --ate " + hoje, &st);
    const bool hojeTemIndice = st == 0;
    const std::string s = korva::teste::RodaCli(dados + "resultado " + numero, &st);
    if (hojeTemIndice) {
        EXPECT_EQ(st, 0) << s;
        return;
    }
    EXPECT_EQ(st, 2) << s;
    const std::string inicio =
        "ERRO - Não há índice de atualização diária para " + hoje + "! O índice diário desta instalação vai até ";
    const auto onde = s.find(inicio);
    ASSERT_NE(onde, std::string::npos) << s;
    const std::string ultimo = s.substr(onde + inicio.size(), 10);
    const auto dia = korva::Data::lerDMA(ultimo);
    ASSERT_TRUE(dia.has_value()) << s;
    EXPECT_LT(*dia, korva::Data::hoje());
    EXPECT_NE(s.find(ultimo + "; atualize as tabelas (Sistema > Atualizar tabelas via WEB, ou korva-cli tabelas "
                              "atualizar) ou informe uma data base até esse dia."),
              std::string::npos)
        << s;
    // The day named is the index's last: it has an index, the next one has not.
    c.roda("fator --indice 1 --de " + ultimo + " --ate " + ultimo);
    const std::string seguinte = (*dia + 1).dma();
    korva::teste::RodaCli(dados + "fator --indice 1 --de " + seguinte + " --ate " + seguinte, &st);
    EXPECT_NE(st, 0);
}
