// korva-cli consulta: one month of the reference tables (minimum wage, INSS
// brackets, IR brackets), as text or, with --json, as the table's row.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "reference/TabelasReferencia.h"
#include "util/Erros.h"

namespace korva::cli {
namespace {

// "MM/AAAA" (also "M/AAAA" and a two-digit year, expanded as AnoCompleto does).
ChaveMes LeMes(const std::string& texto) {
    static const std::regex formato(R"(^\s*(\d{1,2})/(\d{2}|\d{4})\s*$)");
    std::smatch m;
    if (std::regex_match(texto, m, formato)) {
        const int mes = std::stoi(m[1].str());
        int ano = std::stoi(m[2].str());
        if (m[2].length() == 2) ano += ano < 50 ? 2000 : 1900;
        if (mes >= 1 && mes <= 12) return {ano, mes};
    }
    throw ErroKorva("Mês/ano inválido: '" + texto + "'. Informe no formato MM/AAAA.");
}

// "#,##0.00" with the Brazilian separators: 1.234,56.
std::string Valor2(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", std::fabs(v));
    std::string s = buf;
    const size_t ponto = s.find('.');
    std::string inteiro = s.substr(0, ponto), decimais = s.substr(ponto + 1);
    std::string agrupado;
    for (size_t i = 0; i < inteiro.size(); ++i) {
        if (i && (inteiro.size() - i) % 3 == 0) agrupado += '.';
        agrupado += inteiro[i];
    }
    return (v < 0 && (std::fabs(v) >= 0.005) ? "-" : "") + agrupado + "," + decimais;
}

nlohmann::json Opcional(const std::optional<double>& v) { return v ? nlohmann::json(*v) : nlohmann::json(nullptr); }

void SalarioMinimo(TabelasReferencia& ref, ChaveMes k, bool json) {
    const auto l = ref.Valores(k.ano, k.mes);
    if (!l) throw ErroKorva(TabelasReferencia::MsgSalarioMinimo(k.ano, k.mes));
    if (json) {
        nlohmann::json j = {{"Ano", l->ano},          {"Mes", l->mes},
                            {"SalMin", l->salMin},    {"SalFam1", l->salFam1},
                            {"SalFam2", l->salFam2},  {"LimMinimo", Opcional(l->limMinimo)},
                            {"LimMaximo", Opcional(l->limMaximo)}, {"ValorMaximo", Opcional(l->valorMaximo)}};
        std::cout << j.dump(2) << "\n";
        return;
    }
    std::cout << "Mês/Ano: " << TextoMes(k.ano, k.mes) << "\n"
              << "Salário Mínimo: " << Valor2(l->salMin) << "\n"
              << "Salário-Família 1: " << Valor2(l->salFam1) << "\n"
              << "Salário-Família 2: " << Valor2(l->salFam2) << "\n";
    if (l->limMinimo && l->limMaximo && l->valorMaximo)
        std::cout << "Seguro-Desemprego: Limite Mínimo " << Valor2(*l->limMinimo) << ", Limite Máximo "
                  << Valor2(*l->limMaximo) << ", Valor Máximo " << Valor2(*l->valorMaximo) << "\n";
}

void FaixasINSS(TabelasReferencia& ref, ChaveMes k, bool json) {
    const auto f = ref.FaixaINSSDoMes(k.ano, k.mes);
    if (!f) throw ErroKorva("ERRO! Não há Faixas do INSS para " + TextoMes(k.ano, k.mes) + "!");
    if (json) {
        nlohmann::json j = {{"Ano", f->ano},
                            {"Mes", f->mes},
                            {"LimiteMinimo", f->limiteMinimo}};
        for (int b = 1; b <= 5; ++b) {
            j["Limite" + std::to_string(b)] = f->limite(b);
            j["Percentual" + std::to_string(b)] = f->percentual(b);
        }
        j["Progressiva"] = f->progressiva;
        std::cout << j.dump(2) << "\n";
        return;
    }
    std::cout << "Faixas do INSS de " << TextoMes(k.ano, k.mes)
              << (f->progressiva ? " (alíquotas progressivas por faixa)" : "") << "\n"
              << "Limite Mínimo: " << Valor2(f->limiteMinimo) << "\n";
    for (int b = 1; b <= f->bandas(); ++b)
        std::cout << "Faixa " << b << ": até " << Valor2(f->limite(b)) << " - " << Valor2(f->percentual(b)) << "%\n";
    std::cout << "Teto: " << Valor2(f->teto()) << "\n";
}

void FaixasIR(TabelasReferencia& ref, ChaveMes k, bool json) {
    const FaixaIR f = ref.FaixaIRDoMes(k.ano, k.mes);
    if (json) {
        nlohmann::json j = {{"Ano", f.ano},
                            {"Mes", f.mes},
                            {"LimiteMinimo", f.limiteMinimo},
                            {"Limite1", f.limite1},
                            {"Percentual1", f.percentual1},
                            {"Deducao1", f.deducao1},
                            {"Limite2", f.limite2},
                            {"Percentual2", f.percentual2},
                            {"Deducao2", f.deducao2},
                            {"Limite3", f.limite3},
                            {"Percentual3", f.percentual3},
                            {"Deducao3", f.deducao3},
                            {"PercentualMaximo", f.percentualMaximo},
                            {"DeducaoMaximo", f.deducaoMaximo},
                            {"DeducaoDependente", f.deducaoDependente},
                            {"DeducaoDaBase", f.deducaoDaBase}};
        std::cout << j.dump(2) << "\n";
        return;
    }
    std::cout << "Alíquotas do Imposto de Renda de " << TextoMes(k.ano, k.mes) << "\n"
              << "Limite Mínimo: " << Valor2(f.limiteMinimo) << "\n"
              << "Faixa 1: até " << Valor2(f.limite1) << " - " << Valor2(f.percentual1) << "% - dedução "
              << Valor2(f.deducao1) << "\n"
              << "Faixa 2: até " << Valor2(f.limite2) << " - " << Valor2(f.percentual2) << "% - dedução "
              << Valor2(f.deducao2) << "\n"
              << "Faixa 3: até " << Valor2(f.limite3) << " - " << Valor2(f.percentual3) << "% - dedução "
              << Valor2(f.deducao3) << "\n"
              << "Acima de " << Valor2(f.limite3) << ": " << Valor2(f.percentualMaximo) << "% - dedução "
              << Valor2(f.deducaoMaximo) << "\n"
              << "Dedução por Dependente: " << Valor2(f.deducaoDependente) << "\n"
              << "Dedução da Base: " << Valor2(f.deducaoDaBase) << "\n";
}

using Consulta = void (*)(TabelasReferencia&, ChaveMes, bool);

void Registra(CLI::App& grupo, Contexto& ctx, const char* nome, const char* descricao, Consulta consulta) {
    auto mes = std::make_shared<std::string>();
    auto* cmd = grupo.add_subcommand(nome, descricao);
    cmd->add_option("mes", *mes, "Mês e ano (MM/AAAA)")->required();
    cmd->callback([&ctx, mes, consulta] {
        const ChaveMes k = LeMes(*mes);
        Sessao sessao(ctx.ambiente());
        TabelasReferencia ref(sessao.compartilhado());
        consulta(ref, k, ctx.json);
    });
}

}  // namespace

void RegistraConsulta(CLI::App& app, Contexto& ctx) {
    auto* grupo = app.add_subcommand("consulta", "Consulta as tabelas de referência de um mês");
    grupo->require_subcommand(1);
    Registra(*grupo, ctx, "salario-minimo", "Salário mínimo, salário-família e limites do seguro-desemprego do mês",
             SalarioMinimo);
    Registra(*grupo, ctx, "inss", "Faixas de desconto do INSS do mês", FaixasINSS);
    Registra(*grupo, ctx, "ir", "Alíquotas do imposto de renda do mês", FaixasIR);
}

}  // namespace korva::cli
