// "resultado" (the calculation run, its totals and, with --gravar, storing
// them) and "mesames" (the month rows with the grid's figures).
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/FigurasGrade.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"

namespace korva::cli {
namespace {

using nlohmann::json;

json Opcional(const std::optional<double>& v) { return v ? json(*v) : json(nullptr); }

json ColunaJson(const ColunaIR& c) {
    return {{"Coluna", c.rotulo},         {"Base", c.base},       {"Juros", c.juros},
            {"INSS", c.inssReclamante},   {"Dependentes", c.deducaoDependentes},
            {"Tributavel", c.tributavel}, {"Aliquota", c.aliquota}, {"Imposto", c.imposto},
            {"Deducao", c.deducao},       {"Devido", c.devido}};
}

// Collects what the run hands out, for the JSON document.
class ColetaJson : public ConsumidorExecucao {
public:
    json linhas = json::array();
    json meses = json::array();
    json avisos = json::array();

    void linha(const LinhaCalculada& l) override {
        linhas.push_back({{"Codigo", l.codigo},
                          {"Item", l.item},
                          {"Mes", l.mes},
                          {"Ano", l.ano},
                          {"Valor", l.valor},
                          {"DtBase", l.dtBase.dma()},
                          {"DescRend", l.descRend},
                          {"VFM", l.vfm},
                          {"Qtde", Opcional(l.qtde)},
                          {"Indice", Opcional(l.indice)},
                          {"Divisor", Opcional(l.divisor)},
                          {"Base", l.base ? json(*l.base) : json(nullptr)},
                          {"INSS", l.inss},
                          {"IndReaj", l.indReaj},
                          {"ValorAtualizado", l.valorAtualizado},
                          {"Juros", Opcional(l.juros)},
                          {"ValorJuros", Opcional(l.valorJuros)},
                          {"ValorAtualizadoComJuros", Opcional(l.valorAtualizadoComJuros)}});
    }
    void fechamento(const FechamentoMes& f) override {
        json m = {{"Mes", f.rotulo.substr(5)},        {"TotalMes", f.totalMes},
                  {"JurosMes", f.jurosMes},          {"TotalComJurosMes", f.totalComJurosMes},
                  {"FGTSMes", f.fgtsMes},            {"JurosFGTSMes", f.jurosFGTSMes}};
        if (f.avaliaINSS)
            m["INSS"] = {{"Base", f.baseINSSMes},
                         {"BaseJaRecolhida", f.baseJaRecolhida},
                         {"ValorJaRecolhido", f.inss.jaRecolhido},
                         {"Aliquota", f.inss.aliquota},
                         {"ValorARecolher", f.inss.aRecolher},
                         {"SemFaixa", f.inss.semFaixaMes}};
        meses.push_back(std::move(m));
    }
    void faixaINSSAusente(int ano, int mes) override { avisos.push_back(AvisoINSSIncompletoMes(ano, mes)); }
};

json TotaisJson(const TotaisExecucao& t) {
    json colunas = json::array();
    for (const auto& c : t.colunasIR) colunas.push_back(ColunaJson(c));
    return {
        {"Total", t.total},
        {"TotalGeral", t.totalComJuros},
        {"FGTS", t.fgtsADepositar()},
        {"TotalBaseINSS", t.baseINSS},
        {"ValorINSSReclamante", t.valorINSSReclamanteGravado()},
        {"TotalBaseIR13", t.totalBaseIR13()},
        {"TotalBaseIRFerias", t.totalBaseIRFerias()},
        {"TotalBaseIRDemais", t.totalBaseIRDemais()},
        {"ValorTotalIR", t.valorTotalIR},
        {"QtdeMesesComBaseIR", t.mesesIR},
        {"FGTSSemJuros", t.fgts},
        {"JurosFGTS", t.jurosFGTS},
        {"SeguroDesemprego", t.seguroDesemprego},
        {"Reclamado", {{"FPAS", t.reclamado.fpas},
                       {"Risco", t.reclamado.risco},
                       {"Terceiros", t.reclamado.terceiros},
                       {"Total", t.reclamado.total}}},
        {"INSSReclamante", t.inssEmpregado},
        {"TotalINSS", t.totalINSS},
        {"DeducaoDependentes", t.deducaoDependentes},
        {"DependentesDiferentes", t.dependentesDiferentes},
        {"ColunasIR", colunas},
        {"INSSAnulado", t.faixaINSSAusente},
    };
}

void ImprimeTotais(const TotaisExecucao& t) {
    auto linha = [](const std::string& rotulo, double v) { std::cout << rotulo << " " << FormataNumero(v) << "\n"; };
    linha("Total corrigido:", t.total);
    linha("Total com juros:", t.totalComJuros);
    linha("FGTS a depositar:", t.fgtsADepositar());
    if (t.seguroDesemprego > 0) linha("Seguro-desemprego:", t.seguroDesemprego);
    linha("Base do INSS:", t.baseINSS);
    linha("INSS do reclamante:", t.inssEmpregado);
    linha("INSS do reclamado:", t.reclamado.total);
    linha("Imposto de renda:", t.valorTotalIR);
    if (t.faixaINSSAusente) std::cout << kNotaINSSAnulado << "\n";
}

void RegistraResultadoCmd(CLI::App& app, Contexto& ctx) {
    auto chave = std::make_shared<Chave>();
    auto gravar = std::make_shared<bool>(false);
    auto* cmd = app.add_subcommand("resultado", "Apura o resultado do cálculo (correção, juros, FGTS, INSS e IR)");
    OpcoesChave(cmd, *chave);
    cmd->add_flag("--gravar", *gravar, "Grava os totais no cadastro do processo, como o relatório do cálculo");
    cmd->callback([&ctx, chave, gravar] {
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p = ParametrosDoProcesso(sessao.privado(), Maiusculo(chave->processo), chave->grupo);
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        ColetaJson coleta;
        const TotaisExecucao t = ExecutaCalculo(sessao.privado(), referencia, correcao, p, &coleta);
        if (*gravar) GravaResultados(sessao.privado(), p, t);
        if (ctx.json) {
            json doc = TotaisJson(t);
            doc["Meses"] = std::move(coleta.meses);
            doc["Linhas"] = std::move(coleta.linhas);
            doc["Avisos"] = std::move(coleta.avisos);
            std::cout << doc.dump(2) << "\n";
            return;
        }
        for (const auto& a : coleta.avisos) std::cerr << a.get<std::string>() << "\n";
        ImprimeTotais(t);
        if (*gravar) std::cout << "Totais gravados no processo.\n";
    });
}

void RegistraMesAMes(CLI::App& app, Contexto& ctx) {
    auto chave = std::make_shared<Chave>();
    auto* cmd = app.add_subcommand("mesames", "Linhas mês a mês do cálculo com fator, juros e total");
    OpcoesChave(cmd, *chave);
    cmd->callback([&ctx, chave] {
        Sessao sessao(ctx.ambiente());
        const ParametrosExecucao p = ParametrosDoProcesso(sessao.privado(), Maiusculo(chave->processo), chave->grupo);
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        json erros = json::array();
        FigurasGrade figuras(correcao, ParametrosFigurasDe(p), [&](const std::string& m) { erros.push_back(m); });
        const std::string tabelaB = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'B');
        if (!sessao.privado().existe(tabelaB)) throw ErroKorva("O cálculo não tem parâmetros mês a mês.");
        json linhas = json::array();
        for (const auto& l : sessao.privado().consulta(
                 "select Codigo, Item, Mes, Ano, VFM, Valor, DtBase, Calculado from " +
                     Banco::NomeNaConsulta(tabelaB) + " order by Ano, Mes, Item, Codigo",
                 {tabelaB})) {
            const int item = static_cast<int>(l[1].comoInteiro());
            const double valor = l[5].nulo() ? 0.0 : l[5].comoNumero();
            const Data dt = l[6].nulo() ? Data() : l[6].comoData();
            const FiguraLinha f = figuras.figura(item, valor, dt);
            linhas.push_back({{"Codigo", l[0].comoInteiro()},
                              {"Item", item},
                              {"Mes", l[2].comoInteiro()},
                              {"Ano", l[3].comoInteiro()},
                              {"VFM", l[4].comoTexto()},
                              {"Valor", l[5].nulo() ? json(nullptr) : json(valor)},
                              {"DtBase", l[6].nulo() ? json(nullptr) : json(dt.dma())},
                              {"Calculado", !l[7].nulo() && l[7].comoLogico()},
                              {"IndiceAtualizacao", f.indiceAtualizacao},
                              {"Juros", f.juros},
                              {"Total", Opcional(f.total)}});
        }
        const auto total = figuras.totalGeral(sessao.privado(), tabelaB);
        if (ctx.json) {
            std::cout << json{{"Linhas", linhas}, {"Total", Opcional(total)}, {"Erros", erros}}.dump(2) << "\n";
            return;
        }
        for (const auto& l : linhas) {
            std::cout << std::setw(3) << std::setfill('0') << l["Item"].get<int>() << std::setfill(' ') << "  "
                      << std::setw(2) << std::setfill('0') << l["Mes"].get<int>() << "/" << l["Ano"].get<int>()
                      << std::setfill(' ') << "  " << l["VFM"].get<std::string>() << "  "
                      << (l["Valor"].is_null() ? std::string("-") : FormataNumero(l["Valor"].get<double>()))
                      << (l["Calculado"].get<bool>() ? "" : "  (não calculado)");
            if (!l["Total"].is_null()) std::cout << "  Total " << FormataNumero(l["Total"].get<double>());
            std::cout << "\n";
        }
        for (const auto& e : erros) std::cerr << e.get<std::string>() << "\n";
        std::cout << FigurasGrade::TextoTotalGeral(total) << "\n";
    });
}

}  // namespace

void RegistraResultado(CLI::App& app, Contexto& ctx) {
    RegistraResultadoCmd(app, ctx);
    RegistraMesAMes(app, ctx);
}

}  // namespace korva::cli
