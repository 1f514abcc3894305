#include "reference/CargaInicial.h"

#include <algorithm>
#include <string>
#include <vector>

#include "reference/CargaTabelaCsv.h"
#include "reference/DadosEmbutidos.h"
#include "reference/LeitorCsv.h"
#include "reference/SerieDiaria.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {
namespace {

using Progresso = std::function<void(const std::string&)>;

ArquivoCsv Arquivo(const std::string& nome) {
    const std::string* texto = DadoEmbutido(nome);
    if (!texto) throw ErroDados("O arquivo de dados " + nome + " não faz parte deste programa.");
    return LeCsv(*texto, nome);
}

bool TemLinhas(Banco& banco, const std::string& tabela) {
    Tabela t(banco, tabela);
    t.abre();
    return !t.vazia();
}

// ---- what each database receives ----

// The shared database: official tables copied from the reference files (their
// source notes travel with them in data/), the code lists and the rate lists.
// Columns not named here (notes, legal basis) are not loaded.
std::vector<CargaCsv> CargasCompartilhadas() {
    return {
        {"valores.csv",
         "Valores.DB",
         {{"ano", "Ano"},
          {"mes", "Mes"},
          {"salmin", "SalMin"},
          {"salfam1", "SalFam1"},
          {"salfam2", "SalFam2"},
          {"seg_lim_minimo", "LimMinimo"},
          {"seg_lim_maximo", "LimMaximo"},
          {"seg_valor_maximo", "ValorMaximo"}},
         {}},
        {"faixas_inss.csv",
         "FaixasINSS.DB",
         {{"ano", "Ano"},
          {"mes", "Mes"},
          {"limite_minimo", "LimiteMinimo"},
          {"limite1", "Limite1"},
          {"percentual1", "Percentual1"},
          {"limite2", "Limite2"},
          {"percentual2", "Percentual2"},
          {"limite3", "Limite3"},
          {"percentual3", "Percentual3"},
          {"limite4", "Limite4"},
          {"percentual4", "Percentual4"},
          {"limite5", "Limite5"},
          {"percentual5", "Percentual5"},
          {"progressiva", "Progressiva"}},
         {}},
        {"faixas_ir.csv",
         "FaixasIR.db",
         {{"ano", "Ano"},
          {"mes", "Mes"},
          {"limite_minimo", "LimiteMinimo"},
          {"limite1", "Limite1"},
          {"percentual1", "Percentual1"},
          {"deducao1", "Deducao1"},
          {"limite2", "Limite2"},
          {"percentual2", "Percentual2"},
          {"deducao2", "Deducao2"},
          {"limite3", "Limite3"},
          {"percentual3", "Percentual3"},
          {"deducao3", "Deducao3"},
          {"percentual_maximo", "PercentualMaximo"},
          {"deducao_maximo", "DeducaoMaximo"},
          {"deducao_dependente", "DeducaoDependente"},
          {"deducao_da_base", "DeducaoDaBase"}},
         {}},
        {"tipos_feriado.csv", "TipoFeriado.DB", {{"codigo", "Codigo"}, {"descricao", "Descricao"}}, {}},
        {"feriados_nacionais.csv", "FeriadosPadrao.db", {{"data", "Data"}, {"descricao_curta", "Descricao"}},
         {{"Tipo", Valor(1)}}},
        {"indices_diarios.csv", "NomeIndiceDiario.DB", {{"codigo", "Codigo"}, {"nome", "Nome"}}, {}},
        {"datas_base_padrao.csv", "DataBasePadrao.db", {{"codigo", "Codigo"}, {"descricao", "Descricao"}}, {}},
        {"bases_ir.csv", "BasesIR.db", {{"codigo", "Codigo"}, {"descricao", "Descricao"}}, {}},
        {"documentos.csv", "Documento.db", {{"codigo", "Codigo"}, {"documento", "Documento"}}, {}},
        {"tipos_parte.csv", "TipoParte.db", {{"codigo", "Codigo"}, {"tipo_parte", "TipoParte"}}, {}},
        {"prev_empregador.csv", "PrevEmpregador.DB",
         {{"codigo", "Codigo"}, {"natureza", "Natureza"}, {"taxa", "Taxa"}}, {}},
        {"prev_terceiros.csv", "PrevTerceiro.DB", {{"codigo", "Codigo"}, {"natureza", "Natureza"}, {"taxa", "Taxa"}},
         {}},
        {"prev_sat.csv", "PrevSAT.DB", {{"codigo", "Codigo"}, {"natureza", "Natureza"}, {"taxa", "Taxa"}}, {}},
    };
}

// The private database: the pay-item catalogue, its repercussions and the
// defaults of new calculations (def_processo.csv names the fields itself).
std::vector<CargaCsv> CargasPrivadas() {
    return {
        {"rendimentos.csv",
         "Rendimen.DB",
         {{"codigo", "Codigo"},
          {"descricao", "DescRend"},
          {"qtde", "Qtde"},
          {"indice", "Indice"},
          {"divisor", "Divisor"},
          {"base", "Base"},
          {"inss", "INSS"},
          {"ir", "IR"},
          {"tipo", "Tipo"}},
         {}},
        {"reflexos.csv",
         "Reflexos.DB",
         {{"base", "Base"}, {"reflexo", "Reflexo"}, {"qtde", "Qtde"}, {"indice", "Indice"}, {"divisor", "Divisor"}},
         {}},
        {"def_processo.csv", "DefProcesso.DB", {}, {}},
        {"def_prorrata.csv", "DefProrrata.db", {}, {}},
    };
}

constexpr const char* kListaSeries = "indices_diarios.csv";
constexpr const char* kTabelaDiario = "Diario.DB";

// Diario.DB: every series of indices_diarios.csv, built day by day from its
// file of monthly rates (MontaSerieDiaria): 1.0 on the first day of the first
// month; within a month of rate p % and n days, day d takes the value of the
// month's first day x (1 + p/100)^((d-1)/n); the next month starts at that
// value x (1 + p/100); the last row is the first day after the last month.
size_t CarregaSeriesDiarias(Banco& banco) {
    const ArquivoCsv lista = Arquivo(kListaSeries);
    const int colCodigo = lista.exigeColuna("codigo");
    const int colTaxas = lista.exigeColuna("taxas");
    const DefCampo campoCodigo = CampoInteger("Codigo", true);

    Tabela diario(banco, kTabelaDiario);
    diario.abre();
    size_t gravadas = 0;
    for (const auto& serie : lista.linhas) {
        const Valor codigo = ConverteTextoCsv(campoCodigo, serie.campos[colCodigo]);
        const ArquivoCsv mensal = Arquivo(serie.campos[colTaxas]);
        const int colAno = mensal.exigeColuna("ano");
        const int colMes = mensal.exigeColuna("mes");
        const int colTaxa = mensal.exigeColuna("taxa_pct");
        std::vector<TaxaMensal> taxas;
        for (const auto& l : mensal.linhas) {
            try {
                TaxaMensal t;
                t.ano = static_cast<int>(ConverteTextoCsv(CampoSmallint("ano", true), l.campos[colAno]).comoInteiro());
                t.mes = static_cast<int>(ConverteTextoCsv(CampoSmallint("mes", true), l.campos[colMes]).comoInteiro());
                t.percentual = ConverteTextoCsv(CampoFloat("taxa_pct", true), l.campos[colTaxa]).comoNumero();
                taxas.push_back(t);
            } catch (const std::exception& e) {
                throw ErroDados(mensal.nome + ", linha " + std::to_string(l.numero) + ": " + e.what());
            }
        }
        std::vector<ValorDiario> dias;
        try {
            dias = MontaSerieDiaria(taxas);
        } catch (const std::exception& e) {
            throw ErroDados(mensal.nome + ": " + e.what());
        }
        for (const auto& d : dias) {
            diario.insere();
            diario["CodIndice"] = codigo;
            diario["Data"] = d.data;
            diario["Indice"] = d.indice;
            diario.grava();
        }
        gravadas += dias.size();
    }
    return gravadas;
}

// Fills the empty tables of one database: either every table listed receives
// its rows or none does. Tables that already hold rows (a first start run
// again after a failure, an existing database) are kept. One commit holds a
// limited number of table files, so the tables go in groups, each group in
// one transaction; a failure empties the groups already stored, and after a
// crash each table is whole or empty, so running the first start again
// completes the load.
void CarregaBanco(Banco& banco, const std::vector<CargaCsv>& cargas, bool comSeries, const Progresso& progresso) {
    auto avisa = [&](const std::string& s) {
        if (progresso) progresso(s);
    };
    constexpr size_t kTabelasPorGrupo = 8;
    std::vector<std::string> carregadas;
    try {
        std::vector<const CargaCsv*> pendentes;
        for (const auto& carga : cargas)
            if (!TemLinhas(banco, carga.tabela)) pendentes.push_back(&carga);
        for (size_t i = 0; i < pendentes.size(); i += kTabelasPorGrupo) {
            std::vector<std::string> grupo;
            Transacao transacao(banco);
            for (size_t k = i; k < std::min(pendentes.size(), i + kTabelasPorGrupo); ++k) {
                avisa("Carregando " + pendentes[k]->tabela + "...");
                CarregaTabelaCsv(banco, *pendentes[k], Arquivo(pendentes[k]->arquivo));
                grupo.push_back(pendentes[k]->tabela);
            }
            transacao.confirma();
            carregadas.insert(carregadas.end(), grupo.begin(), grupo.end());
        }
        if (comSeries && !TemLinhas(banco, kTabelaDiario)) {
            Transacao transacao(banco);
            avisa(std::string("Carregando ") + kTabelaDiario + "...");
            CarregaSeriesDiarias(banco);
            transacao.confirma();
        }
    } catch (const std::exception& e) {
        // The groups stored before the failure were empty tables: empty again.
        for (const auto& t : carregadas) {
            try {
                Transacao tr(banco);
                banco.executa(t, "DELETE FROM Tabela");
                banco.executa(t, "UPDATE korva_autoinc SET ultimo=0");
                tr.confirma();
            } catch (...) {
            }
        }
        throw ErroDados("Não foi possível gravar as tabelas iniciais do banco de dados " + banco.alias() + " (" +
                        banco.pasta().string() + "). Nenhuma linha foi gravada nesse banco. Causa: " + e.what());
    }
}

}  // namespace

void CarregaDadosEntregues(Banco& privado, Banco& compartilhado, const std::function<void(const std::string&)>& progresso) {
    CarregaBanco(privado, CargasPrivadas(), false, progresso);
    CarregaBanco(compartilhado, CargasCompartilhadas(), true, progresso);
}

std::vector<std::string> CompletaTabelasPrivadas(Banco& privado) {
    std::vector<std::string> criadas;
    for (const auto& nome : TabelasFixasPrivadas())
        if (!privado.existe(nome)) criadas.push_back(nome);
    if (criadas.empty()) return criadas;
    std::vector<CargaCsv> cargas;
    for (auto& carga : CargasPrivadas())
        if (std::find(criadas.begin(), criadas.end(), carga.tabela) != criadas.end()) cargas.push_back(std::move(carga));
    Transacao transacao(privado);
    for (const auto& nome : criadas) privado.criaTabela(nome, *EsquemaFixoPrivado(nome));
    CarregaBanco(privado, cargas, false, {});
    transacao.confirma();
    return criadas;
}

}  // namespace korva
