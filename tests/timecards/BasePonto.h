// Tables A, F and G of calculation 1 and the catalogue in a fresh private
// database, with rows written straight into F and G.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "apoio/PastaTemporaria.h"
#include "parameters/BaseParametros.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"

namespace korva::teste {

inline double Hora(int h, int m = 0) { return (h * 60 + m) / 1440.0; }

struct Escala {
    std::string apuracao = "D";
    double horasSemanais = 44;
    int turnos = 1;
    double jornDiaria = Hora(8), jornSabado = Hora(4), intervalo = 0;
};

struct BasePonto : BaseParametros {
    std::string tabelaF, tabelaG;

    void SetUp() override {
        BaseParametros::SetUp();
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('F', 1), 5);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', 1), 6);
        tabelaF = conjunto.NomeTabela('F');
        tabelaG = conjunto.NomeTabela('G');
    }

    void jornada(Data d1, Data d2, const Escala& e = {}) {
        Tabela t(banco, tabelaF);
        t.abre();
        t.insere();
        t["Data1"] = d1;
        t["Data2"] = d2;
        t["JornDiaria"] = e.jornDiaria;
        t["JornSabado"] = e.jornSabado;
        t["Intervalo"] = e.intervalo;
        t["HENot"] = Hora(22);
        t["HSNot"] = Hora(5);
        t["Turnos"] = e.turnos;
        t["Apuracao"] = e.apuracao;
        t["HorasSemanais"] = e.horasSemanais;
        t["HabilitarTolerancia"] = false;
        for (const char* marca : {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"})
            for (const char* prefixo : {"Prev", "TolAnt", "TolDep"}) t[std::string(prefixo) + marca] = 0.0;
        t.grava();
    }

    // One shift from `entrada` worked for `horas` hours (day-time, no night).
    void cartao(Data d, double horas, bool folga = false, double entrada = Hora(8)) {
        Tabela t(banco, tabelaG);
        t.abre();
        t.insere();
        t["Data"] = d;
        t["Ent1"] = entrada;
        t["Sai1"] = entrada + horas / 24;
        if (folga) t["Situacao"] = "F";
        t.grava();
    }
};

}  // namespace korva::teste
