// A calculation for the tests of the run and of the reports: a private
// database with Processo.DB, the catalogue and tables B, C, D and H of
// calculation 1, a shared one with daily indices and brackets. Index 1 grows
// by half from 01/03/2001 to the base date 01/01/2002, index 2 doubles; the
// IR row of 01/2002 exempts up to 1000 and charges 10 % above, less 100.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "apoio/PastaTemporaria.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

namespace korva::teste {


inline Data D(int d, int m, int a) { return Data::de(a, m, d); }

// Stores a row with the given fields and a neutral value in every other
// required field.
inline void Insere(Banco& b, const std::string& tabela, const std::map<std::string, Valor>& campos) {
    Tabela t(b, tabela);
    t.abre();
    t.insere();
    for (const auto& c : t.definicao().campos) {
        if (campos.count(c.nome) || !c.obrigatorio || c.tipo == TipoCampo::Autoinc) continue;
        switch (c.tipo) {
            case TipoCampo::String: t[c.nome] = "N"; break;
            case TipoCampo::Date: t[c.nome] = D(1, 1, 2000); break;
            case TipoCampo::Boolean: t[c.nome] = false; break;
            default: t[c.nome] = 0; break;
        }
    }
    for (const auto& [nome, v] : campos) t[nome] = v;
    t.grava();
}

struct BaseResultados : ::testing::Test {
    teste::PastaTemporaria pastaPriv, pastaComp;
    Banco privado{"CalcPriv", pastaPriv.caminho()};
    Banco compartilhado{"CalcComp", pastaComp.caminho()};
    ConjuntoCalculo conjunto{privado, [] { return 100; }};
    std::map<std::string, Valor> processo;

    void SetUp() override {
        for (const char* t : {"Diario.DB", "FaixasIR.db", "FaixasINSS.DB"})
            compartilhado.criaTabela(t, *EsquemaCompartilhado(t));
        privado.criaTabela("Processo.DB", EsquemaProcesso());
        privado.criaTabela("Rendimen.DB", EsquemaRendimen());
        conjunto.defineAtual(1, 1);
        conjunto.CriaSubDiretorio(1);
        for (auto [letra, tipo] : {std::pair{'B', 1}, std::pair{'C', 2}, std::pair{'D', 3}, std::pair{'H', 7}})
            conjunto.CriaTabela(ConjuntoCalculo::NomeCurto(letra, 1), tipo);
        privado.esvaziaTabela(conjunto.NomeTabela('H'));

        verba(15, "Horas extras", 3);
        verba(10, "Salário devido", 3);
        verba(12, "Diferença salarial", 3);
        verba(22, "13º salário", 1);
        verba(32, "Férias", 2);
        verba(902, "FGTS", 4);
        verba(892, "Seguro-desemprego", 4);
        // An IR row of the base date: exempt up to 1000, 10 % above, deduction 100.
        faixaIR(2002, 1);
        // Index 1 grows by half from 01/03/2001 to the base date; index 2 doubles.
        for (auto [data, i1, i2] : {std::tuple{D(1, 3, 2001), 2.0, 1.0}, std::tuple{D(1, 1, 2002), 3.0, 2.0},
                                    std::tuple{D(1, 1, 2001), 1.0, 1.0}, std::tuple{D(31, 3, 2001), 2.0, 1.0}}) {
            indice(1, data, i1);
            indice(2, data, i2);
        }
        processo = {{"Processo", "1/2001"},   {"CodRecte", 1},         {"Diretorio", 1},
                    {"DtAjuiz", D(1, 1, 2001)}, {"DtBase", D(1, 1, 2002)}, {"IndPrincipal", 1},
                    {"IndFGTS", 2},           {"CalculoJuros", 0},     {"AliquotaUnica", true},
                    {"INSSReclamante", 8.0},  {"INSSReclamado", 20.0}, {"INSSRisco", 2.0},
                    {"INSSTerceiros", 5.8},   {"OpcaoIR", 1},          {"Calculista", "Ana"}};
    }

    void verba(int codigo, const char* desc, int ir) {
        Insere(privado, "Rendimen.DB", {{"Codigo", codigo}, {"DescRend", desc}, {"IR", ir}, {"INSS", "S"}});
    }
    void indice(int cod, Data d, double v) {
        Insere(compartilhado, "Diario.DB", {{"CodIndice", cod}, {"Data", d}, {"Indice", v}});
    }
    void faixaIR(int ano, int mes) {
        Insere(compartilhado, "FaixasIR.db",
               {{"Ano", ano}, {"Mes", mes}, {"LimiteMinimo", 1000.0}, {"Limite1", 1e9}, {"Percentual1", 10.0},
                {"Deducao1", 100.0}, {"Limite2", 2e9}, {"Limite3", 3e9}, {"DeducaoDependente", 50.0},
                {"DeducaoDaBase", 0.0}});
    }
    void faixaINSS(int ano, int mes, double l1, double p1) {
        Insere(compartilhado, "FaixasINSS.DB",
               {{"Ano", ano}, {"Mes", mes}, {"LimiteMinimo", 0.0}, {"Limite1", l1}, {"Percentual1", p1}});
    }
    void linha(int item, int mes, int ano, double valor, Data dtBase, const char* inss = "N") {
        Insere(privado, conjunto.NomeTabela('B'),
               {{"Item", item}, {"Mes", mes}, {"Ano", ano}, {"Valor", valor}, {"VFM", "V"},
                {"CodDataBasePadrao", 50}, {"DtBase", dtBase}, {"Calculado", true}, {"INSS", inss}});
    }
    void parte(const char* nome, int tipo, int dependentes) {
        Insere(privado, conjunto.NomeTabela('C'),
               {{"Nome", nome}, {"TipoParte", tipo}, {"Dependentes", dependentes}, {"Documento", "1"}});
    }

    ParametrosExecucao parametros() {
        Tabela p(privado, "Processo.DB");
        p.abre();
        if (p.vazia()) {
            Insere(privado, "Processo.DB", processo);
            p.atualiza();
        }
        p.primeiro();
        ParametrosExecucao r = ParametrosDoProcesso(p);
        r.arquivo = 1;  // the set was created as file 1
        return r;
    }

    struct Coleta : ConsumidorExecucao {
        std::vector<LinhaCalculada> linhas;
        std::vector<FechamentoMes> meses;
        std::vector<std::pair<int, int>> avisos;
        void linha(const LinhaCalculada& l) override { linhas.push_back(l); }
        void fechamento(const FechamentoMes& f) override { meses.push_back(f); }
        void faixaINSSAusente(int ano, int mes) override { avisos.emplace_back(ano, mes); }
    };

    TotaisExecucao executa(Coleta* c = nullptr) {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        return ExecutaCalculo(privado, ref, cj, parametros(), c);
    }
};

}  // namespace korva::teste
